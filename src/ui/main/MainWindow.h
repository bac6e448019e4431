#pragma once
// The main window: the menu bar, the background picture and the calculator screens as child
// windows. It owns the program-wide shared values and hands them to the screens.

#include <QMainWindow>
#include <QIcon>
#include <QKeySequence>
#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

#include "AppState.h"
#include "CalculatorWindow.h"
#include "ProgramWindow.h"

class QActionGroup;
class QMenu;
class QMdiArea;
class QMdiSubWindow;
class QPrinter;

namespace revora {

struct ScreenEntry;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(const QString& applicationFolder, const QString& installFolder, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up in order: picture, caption, show, InitialiseAll, the database paths, the
    // start-up choice, the tax years and the year last chosen, and the About window when it is
    // asked for.
    void start();

    AppState& state() { return state_; }
    QMdiArea* mdiArea() const { return mdi_; }

    // Shows a screen as a child window, creating it on first use; an open one comes to the front.
    QMdiSubWindow* openScreen(const QString& name, const std::function<CalculatorWindow*()>& make);
    QMdiSubWindow* findScreen(const QString& name) const;

    // The help document, with its find box focused when asked; the video lectures, which only
    // beep while their window is minimised.
    void openHelp(bool find = false);
    void openVideo();

    // "Show the Wor&king" (Ctrl+K): the working window for the calculator screen last active,
    // opened beside it or brought to the front.
    void showWorking();

    // "Tax &year": the program works in `year` (one of the years of the data) from now on and
    // starts in it next time; the caption names it, the payroll settings follow it, and every
    // open calculator screen works its figures again in it.
    void chooseTaxYear(int year);

    void initialiseAll();
    void showAbout();
    void printerSetup();
    void startCalculator();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    // The years of the data and the year last chosen; what cannot be used is added to `problems`.
    void readTaxYears(QStringList& problems);
    // "Tax &year" lists the years, newest first, the current one checked.
    void fillTaxYearMenu();
    // The current year in the caption and on the background picture.
    void showYear();
    // When the year changes, the stored UIF and SDL settings become the new year's published
    // figures: at once while they are published figures of some year, on the user's word when
    // the user has changed them.
    void followYearInSettings();
    // A child window by name, made on first use, brought to the front and made active.
    QMdiSubWindow* openChild(const QString& name, const std::function<QWidget*()>& make);
    // A registered screen opened from its menu item, then the child windows arranged as its
    // entry says.
    void openRegistered(const ScreenEntry& screen);
    // The Setup rates saved from `from`'s Setup panel: every other screen follows them.
    void settingsSaved(const CalculatorWindow* from);
    // The main window, in its normal state, made wide enough for the company car screen `sub`
    // as the cascade placed it; never narrowed.
    void widenFor(const QMdiSubWindow* sub);
    // The main window within the desktop's available area, its frame included.
    void fitToScreen();
    // Child windows wholly inside the visible work area: moved in and, if larger, shrunk to it
    // (a screen's form scrolls inside a smaller window). A window shrunk so grows back towards
    // the size it had as the work area grows, until the user gives it a size.
    void fitInsideWorkArea(QMdiSubWindow* sub);
    void fitAllInsideWorkArea();

    AppState state_;
    QPointer<CalculatorWindow> lastScreen_; // the calculator screen last active, for the working window
    QString applicationFolder_;
    QString installFolder_;
    QMdiArea* mdi_;
    QMenu* yearMenu_ = nullptr;
    QActionGroup* yearChoices_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    bool fitting_ = false; // a child window is being fitted, not resized by the user
};

// "Show the Wor&king".
inline const QKeySequence WorkingKey{Qt::CTRL | Qt::Key_K};

// The main window's size at opening, where the desktop has room for it.
inline constexpr int MainWindowWidth = 1100;
inline constexpr int MainWindowHeight = 760;

// `window` shrunk to no larger than `area`, then moved the least distance that puts it wholly
// inside; one that starts within the area's first eighth (a cascade's offset) is shrunk where
// it stands instead. Places the main window on the desktop and child windows in the work area.
QRect FitWithin(QRect window, const QRect& area);

// Where the working window opens in the work area `area`, clear of the screen at `screen`:
// beside it (right or left, where there is more room) when that band is wide enough to read the
// steps, as tall as the screen or `preferred`; else below it, as wide as the screen or
// `preferred`; else at the area's right edge, over the screen's right side.
QRect PlaceBeside(const QRect& screen, const QRect& area, QSize preferred);

// The outer width the main window takes at least when the company car screen opens.
inline constexpr int CompanyCarMainWindowTwips = 13405;

// The main window's width when the company car screen opens in it: the width the screen was
// laid out for (`laidOut`) or the width that shows it whole where the cascade put it (`needed`),
// whichever is more, never narrower than the window was (`current`) nor wider than `desktop`.
int CompanyCarWidth(int current, int laidOut, int needed, int desktop);

// The program and its version, "Revora 2016 Ver: 1.05.000": the title of the main window's
// messages.
QString MainWindowCaption();
// The main window's caption, naming the tax year: "Revora 2016 Ver: 1.05.000 – tax year 2024/25".
QString MainWindowCaption(const TaxYear& year);

} // namespace revora
