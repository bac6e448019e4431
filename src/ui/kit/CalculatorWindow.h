#pragma once
// The one small interface through which the main window drives every calculator screen:
// open (becoming active), calculate, print and reset; and the frame every screen shares:
// its form that scrolls when the window is small, Enter for the default button, its own
// mnemonics ahead of the menu bar's, and the print flow.

#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "AppState.h"
#include "ReportJob.h"
#include "common/Working.h"

class QAbstractButton;
class QHBoxLayout;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace revora {

class PrintPanel;

class CalculatorWindow : public QWidget {
    Q_OBJECT
public:
    // `program`: the program-wide values a screen prints with; its own domain's values it
    // takes in its own constructor.
    CalculatorWindow(ProgramValues& program, QWidget* parent = nullptr);

    // Called each time the screen becomes the active window. Screens that always show the
    // results of their current inputs recalculate here.
    virtual void activated() {}
    // Runs the screen's calculation and shows the results. Returns false when the screen
    // refused its inputs (a period check); it has then told the user why.
    virtual bool calculate() = 0;
    // The screen's print routine: writes its report row and shows or prints the report, as
    // PrintDirect says.
    virtual void printReport() = 0;
    // Back to the values the screen shows when it is first opened.
    virtual void reset() {}
    // The tax year (program().Year) has changed: a screen showing figures of the year before
    // works them again in the new year or clears them, so no figure of one year stands beside
    // inputs of another.
    virtual void yearChanged() {}
    // The Setup rates were saved from another screen's Setup panel. A screen whose figures are
    // worked on them reads them again and works its figures again, or clears them, as after a
    // change of year; by default those are the screens with a Setup panel of their own.
    virtual void settingsChanged();
    // Work under way on the window's own stack (events are answered between its steps): the
    // program must not end under it. Such a window refuses to close and stops the work.
    virtual bool busy() const { return false; }
    // What "&Initialise All" would discard that typing the figures again cannot give back (a
    // loaded payroll run), as a phrase the question lists ("the payroll run of june.csv");
    // empty when nothing is at stake.
    virtual QString workInitialiseAllLoses() const { return {}; }

    // Closes the screen's child window.
    void closeScreen();

    // A choice on the print panel: PrintDirect is set, the calculation runs first so the
    // printout always holds the figures of the inputs on the screen, then the print routine;
    // nothing is printed when the calculation refuses its inputs. The panel closes either way.
    void printTo(std::int16_t printDirect);

    QSize sizeHint() const override;

    // The panel "&Print" shows; null until the screen sets its printing up.
    PrintPanel* printPanel() const { return printPanel_; }

    // The steps behind the figures the screen shows, as its model recorded them; empty when
    // it shows none.
    const Working& working() const { return working_; }
    // The language the working is printed in: the printout's own.
    virtual PrintLanguage workingLanguage() const { return PrintLanguage::English; }

signals:
    // The figures shown have changed, and with them their working.
    void workingChanged();

protected:
    ProgramValues& program() { return program_; }
    // A calculation records its working in a Working of its own and hands it over with the
    // figures it shows; a refusal or cleared results hand over an empty one.
    void setWorking(Working working);

    // The screen's controls go into this layout. The form keeps its natural size, centred in
    // a larger window, and scrolls in a smaller one.
    QVBoxLayout* formLayout() const { return formLayout_; }
    // For a screen whose grid takes the room: the form fills the window instead, and scrolls
    // only in a window smaller than the least size its controls need.
    void fillWindow();

    // The print button shows the panel; the panel's two choices print through printTo.
    void setUpPrinting(QAbstractButton* printButton, PrintPanel* panel);

    // The small calculators' print. "&Print" calculates and, when there is a result worth
    // printing, writes its row and shows the panel ("C&ancel" leaves the row written);
    // otherwise the focus goes to `nothingToPrint`. The panel's choices calculate again and
    // write the row afresh (printRow), so a printout never pairs the inputs on the screen with
    // older figures.
    struct RowPrint {
        ReportRequest request;
        std::function<std::optional<ReportRow>()> row; // empty: nothing worth printing
        QWidget* nothingToPrint = nullptr;
    };
    void setUpRowPrinting(QAbstractButton* printButton, PrintPanel* panel, RowPrint print);
    // Such a screen's print routine.
    void printRow();

    // The row of buttons the small calculators end with: "&Calculate" (the default button),
    // "&OK" (closes the screen) and "&Print", named cmdCalculate, cmdOK and cmdPrint; the row
    // is centred, or to the left.
    struct CommandRow {
        QPushButton* calculate;
        QPushButton* ok;
        QPushButton* print;
        QHBoxLayout* layout;
    };
    CommandRow makeCommandRow(bool centred);
    // The ending the small calculators share, under the form: `spacing`, the command row, the
    // print panel with "C&ancel" (fraPrint, its cancel cmdPrintCancel), the Tab key through
    // `inputs` and then the three buttons, "&Calculate" running `onCalculate` (the calculation
    // when empty), and "&Print" printing `row` (setUpRowPrinting), the focus going to "&OK"
    // when there is nothing to print.
    CommandRow endForm(int spacing, bool centred, QList<QWidget*> inputs, ReportRequest request,
                       std::function<std::optional<ReportRow>()> row, std::function<void()> onCalculate = {});
    // Only the panel's two choices, for screens whose print button first checks that they
    // hold a result and writes it before showing the panel itself.
    void setUpPrinting(PrintPanel* panel);

    // The shared steps of a one-row print: busy pointer, write the row, render the layout,
    // then the report window or the printer. A failure is shown in a message naming the
    // file; nothing else changes. Returns whether the report was delivered.
    bool printOneRowReport(const ReportRequest& request, const ReportRow& row);
    // The same for a printout of one row per line (the table is emptied first).
    bool printMultiRowReport(const ReportRequest& request, const std::vector<ReportRow>& rows);
    // The same around a screen's own writes: `writeAndRender` writes its tables and returns the
    // rendered report (RenderReport); a StorageError it throws is shown, naming the file.
    // With "Include the &working" ticked on the print panel, the report ends with the steps
    // behind the figures, in workingLanguage().
    bool deliver(const std::function<RenderedReport()>& writeAndRender);
    void showError(const QString& title, const QString& message);
    // Empties every result box of the screen, so that a refused calculation leaves no figure
    // worked from older inputs beside the new ones.
    void clearResults();

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The visible control whose mnemonic is the pressed Alt+key, panels on top first.
    QWidget* mnemonicTarget(const QKeyEvent& event) const;
    // What Enter presses: the focused button, else the print panel's "&View/Export report"
    // while it is shown, else the Setup panel's "O&K" while it is shown, else the screen's
    // default button.
    QPushButton* enterButton() const;
    // Enter and mnemonics press buttons without taking the focus from the box being typed in:
    // its edit is finished first, and a refused one presses nothing.
    bool finishTyping() const;
    void pressMnemonic(QWidget* target);

    ProgramValues& program_;
    QVBoxLayout* formLayout_;
    QScrollArea* scroll_;
    PrintPanel* printPanel_ = nullptr;
    RowPrint rowPrint_;
    Working working_;
};

// Runs a rendered report where PrintDirect says: the report window, or the printer.
// Returns false after telling the user what went wrong.
bool DeliverReport(ProgramValues& program, const RenderedReport& report, QWidget* parent);

} // namespace revora
