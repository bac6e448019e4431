#pragma once
// The one small interface through which the main window drives every calculator screen:
// open (becoming active), calculate, print and reset.

#include <QWidget>

#include "shell/AppState.h"
#include "shell/ReportJob.h"

namespace revora {

class CalculatorWindow : public QWidget {
    Q_OBJECT
public:
    CalculatorWindow(AppState& state, QWidget* parent = nullptr);

    // Called each time the screen becomes the active window. Screens that always show the
    // results of their current inputs recalculate here.
    virtual void activated() {}
    virtual void calculate() = 0;
    // Writes the screen's report row and shows or prints the report, as PrintDirect says.
    virtual void printReport() = 0;
    // Back to the values the screen shows when it is first opened.
    virtual void reset() {}

    // Closes the screen's child window.
    void closeScreen();

protected:
    AppState& state() { return state_; }

    // The shared steps of a one-row print: busy pointer, write the row, render the layout,
    // then the report window or the printer. A failure is shown in a message naming the
    // file; nothing else changes. Returns whether the report was delivered.
    bool printOneRowReport(const ReportRequest& request, const ReportRow& row);
    void showError(const QString& title, const QString& message);

private:
    AppState& state_;
};

// Runs a rendered report where PrintDirect says: the report window, or the printer.
// Returns false after telling the user what went wrong.
bool DeliverReport(AppState& state, const RenderedReport& report, QWidget* parent);

} // namespace revora
