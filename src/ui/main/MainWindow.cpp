#include "MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QStyle>
#include <QShortcut>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "AboutWindow.h"
#include "BusyCursor.h"
#include "CalculatorWindow.h"
#include "Database.h"
#include "DesktopCalculator.h"
#include "HelpWindow.h"
#include "VideoWindow.h"
#include "StartupSettings.h"
#include "finance/DailyBalanceScreen.h"
#include "finance/InflationScreen.h"
#include "finance/LoanBusterScreen.h"
#include "finance/LoanComparisonScreen.h"
#include "finance/LoansScreen.h"
#include "package/PackageScreen.h"
#include "payroll/AnnualScreen.h"
#include "payroll/DailyScreen.h"
#include "payroll/MonthlyScreen.h"
#include "payroll/WeekScreen.h"
#include "tax/QuickTaxScreen.h"
#include "vehicle/CompanyCarScreen.h"
#include "vehicle/TravelAllowanceScreen.h"

namespace revora {

namespace {

// The child-window area with the background picture scaled to fill it.
class PictureArea : public QMdiArea {
public:
    explicit PictureArea(QWidget* parent) : QMdiArea(parent) {}
    void setPicture(const QPixmap& picture)
    {
        picture_ = picture;
        viewport()->update();
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (picture_.isNull()) {
            QMdiArea::paintEvent(event);
            return;
        }
        QPainter painter(viewport());
        const QSize size = picture_.size().scaled(viewport()->size(), Qt::KeepAspectRatioByExpanding);
        const QRect target(QPoint((viewport()->width() - size.width()) / 2, (viewport()->height() - size.height()) / 2),
                           size);
        painter.fillRect(viewport()->rect(), palette().dark());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(target, picture_);
    }

private:
    QPixmap picture_;
};


// Closed by "&Initialise All", in this order; the fortnightly, quick tax and video screens
// and the About window stay open.
const QStringList& ScreensClosedByInitialiseAll()
{
    static const QStringList names{
        "frmAnnual", "frmMonthly", "frmWeekly", "frmDaily", "frmCompCar", "frmCarAll1",
        "frmHelpBrowser", "frmInflation", "frmLoans", "frmLoanBuster", "frmLoanComp", "frmDayBal",
        "frmRevoraMon", "frmRevoraAnn", "frmAvxMon", "frmAvxAnn",
    };
    return names;
}

} // namespace

QString MainWindowCaption() { return QStringLiteral("Revora 2016 Ver: ") + VersionText(); }

MainWindow::MainWindow(const QString& applicationFolder, const QString& installFolder, QWidget* parent)
    : QMainWindow(parent),
      applicationFolder_(applicationFolder),
      installFolder_(installFolder),
      mdi_(new PictureArea(this)),
      printer_(std::make_unique<QPrinter>())
{
    setObjectName("MDIForm1");
    QApplication::setWindowIcon(ProgramIcon());
    setWindowIcon(ProgramIcon());
    mdi_->setObjectName("mdiArea");
    setCentralWidget(mdi_);
    // A child window dragged or left partly outside the work area can be scrolled to.
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    resize(MainWindowWidth, MainWindowHeight);
    buildMenus();
    // F10 opens the menus from the keyboard wherever the focus is, as in other desktop programs.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    menuKey->setObjectName("menuKey");
    connect(menuKey, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });
    connect(mdi_, &QMdiArea::subWindowActivated, this, [](QMdiSubWindow* sub) {
        if (!sub)
            return;
        if (auto* screen = qobject_cast<CalculatorWindow*>(sub->widget()))
            screen->activated();
        else if (auto* video = qobject_cast<VideoWindow*>(sub->widget()))
            video->activated();
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::start()
{
    static_cast<PictureArea*>(mdi_)->setPicture(QPixmap(installFolder_ + "/Revx.jpg"));
    setWindowTitle(MainWindowCaption());
    fitToScreen();
    show();
    QApplication::processEvents();
    fitToScreen(); // again with the frame the window manager has now given it
    state_.InitialiseAll();
    state_.Paths = MakeAppPaths(applicationFolder_, installFolder_);
    // Every file that cannot be used is named in one message, so a folder the program cannot
    // write in is told once rather than file by file.
    QStringList problems;
    try {
        state_.ViewAbout = ReadViewAbout(state_.Paths);
    } catch (const StorageError& e) {
        state_.ViewAbout.reset();
        problems << e.message();
    }
    // A first run creates the other two databases from their seeds now, and a damaged one is
    // named at once rather than at the first print.
    for (const QString& path : {state_.Paths.SettingsDbPath, state_.Paths.ReportDbPath}) {
        try {
            DatabaseConnection connection(path, state_.Paths.SeedFolder());
        } catch (const StorageError& e) {
            problems << e.message();
        }
    }
    if (!problems.isEmpty())
        QMessageBox::warning(this, MainWindowCaption(), problems.join(QStringLiteral("\n\n")));
    if (state_.ViewAbout == true)
        showAbout();
}

void MainWindow::buildMenus()
{
    struct Item {
        const char* name;
        const char* caption;
        std::function<void()> command; // empty: the screen comes in a later version
    };
    auto addMenu = [this](const char* name, const char* caption, const std::vector<Item>& items) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(caption));
        menu->setObjectName(name);
        for (const Item& item : items) {
            if (QByteArray(item.caption) == "-") {
                menu->addSeparator()->setObjectName(item.name);
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf8(item.caption));
            action->setObjectName(item.name);
            if (item.command)
                connect(action, &QAction::triggered, this, item.command);
            else
                action->setEnabled(false);
        }
    };

    addMenu("mnuFile", "&File",
            {{"mnuNew", "&Initialise All", [this] { initialiseAll(); }},
             {"Space1", "-", {}},
             {"mnuPrinterSet", "&Printer Setup", [this] { printerSetup(); }},
             {"Space2", "-", {}},
             {"mnuExit", "E&xit", [this] { close(); }}});
    addMenu("mnuRevx", "&Revora",
            {{"mnuRevxMon", "&Monthly", [this] { openPackage("frmRevoraMon", PackageScreen::RevoraMonthly); }},
             {"mnuRevxAnn", "&Annual", [this] { openPackage("frmRevoraAnn", PackageScreen::RevoraAnnual); }}});
    addMenu("mnuAvx", "A&vanta",
            {{"mnuAvxMon", "&Monthly", [this] { openPackage("frmAvxMon", PackageScreen::AvantaMonthly); }},
             {"mnuAvxAnn", "&Annual", [this] { openPackage("frmAvxAnn", PackageScreen::AvantaAnnual); }}});
    addMenu("mnuTaxCalc", "&TaxCalcs",
            {{"mnuAnnual", "&Annual", [this] { openScreen("frmAnnual", [this] { return new AnnualScreen(state_); }); }},
             {"mnuMonthly", "&Monthly",
              [this] { openScreen("frmMonthly", [this] { return new MonthlyScreen(state_); }); }},
             {"mnuFortNight", "&FortNightly",
              [this] { openScreen("frmFortNight", [this] { return new WeekScreen(state_, WeekKind::Fortnightly); }); }},
             {"mnuWeekly", "&Weekly",
              [this] { openScreen("frmWeekly", [this] { return new WeekScreen(state_, WeekKind::Weekly); }); }},
             {"mnuDaily", "&Daily", [this] { openScreen("frmDaily", [this] { return new DailyScreen(state_); }); }},
             {"QuickTax", "QuickTax", [this] { openQuickTax(); }}});
    addMenu("mnuCarCalcs", "&Car Calculations",
            {{"mnuCompCar", "&Company car", [this] { openCompanyCar(); }},
             {"mnuCarAll1", "Car Allowance", [this] { openTravelAllowance(); }}});
    addMenu("mnuBusinessCalcs", "Bu&siness Calculations",
            {{"mnuInflationProject", "Inflation Projections",
              [this] { openScreen("frmInflation", [this] { return new InflationScreen(state_); }); }},
             {"mnuLoans", "Loans", [this] { openScreen("frmLoans", [this] { return new LoansScreen(state_); }); }},
             {"mnuLoansBuster", "Loan buster",
              [this] { openScreen("frmLoanBuster", [this] { return new LoanBusterScreen(state_); }); }},
             {"mnuLoansComparison", "Loan comparison",
              [this] { openScreen("frmLoanComp", [this] { return new LoanComparisonScreen(state_); }); }},
             {"mnuDailyBalance", "Daily balance",
              [this] { openScreen("frmDayBal", [this] { return new DailyBalanceScreen(state_); }); }}});
    QAction* calculator = menuBar()->addAction(QStringLiteral("&MS-Calculator"));
    calculator->setObjectName("mnuMSCalculator");
    connect(calculator, &QAction::triggered, this, &MainWindow::startCalculator);
    addMenu("mnuHelp", "&Help/Videos",
            {{"mnuContents", "Revora 2016 Help", [this] { openHelp(); }},
             {"VideoLectures1", "Video Lectures", [this] { openVideo(); }},
             {"mnuHelpSearchForHelpOn", "&Search For Help On...", [this] { openHelp(true); }},
             {"Space3", "-", {}},
             {"mnuAbout", "&About Revora2016...", [this] { showAbout(); }}});
}

QMdiSubWindow* MainWindow::findScreen(const QString& name) const
{
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        if (sub->objectName() == name)
            return sub;
    return nullptr;
}

QMdiSubWindow* MainWindow::openScreen(const QString& name, const std::function<CalculatorWindow*()>& make)
{
    return openChild(name, make);
}

QMdiSubWindow* MainWindow::openChild(const QString& name, const std::function<QWidget*()>& make)
{
    BusyCursor busy;
    QMdiSubWindow* sub = findScreen(name);
    if (!sub) {
        QWidget* screen = make();
        sub = mdi_->addSubWindow(screen);
        sub->setObjectName(name);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowTitle(screen->windowTitle());
        sub->setWindowIcon(windowIcon());
    }
    sub->show();
    fitInsideWorkArea(sub);
    sub->raise();
    mdi_->setActiveSubWindow(sub);
    return sub;
}

void MainWindow::openPackage(const QString& name, PackageScreen screen)
{
    openScreen(name, [this, screen] { return new SalaryPackageScreen(state_, screen); });
    mdi_->cascadeSubWindows();
    fitAllInsideWorkArea();
}

void MainWindow::openCompanyCar()
{
    openScreen("frmCompCar", [this] { return new CompanyCarScreen(state_); });
    // The company car screen is wide: a main window in its normal state takes the width the
    // screen was laid out for, while a maximised (or minimised) one is left as the user chose.
    if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))
        return;
    const int frame = frameGeometry().width() - geometry().width();
    int outer = TwipsToPixels(CompanyCarMainWindowTwips, logicalDpiX());
    if (QScreen* desktop = screen())
        outer = std::min(outer, desktop->availableGeometry().width()); // never wider than the desktop
    resize(std::max(outer - frame, minimumWidth()), height());
    fitToScreen();
    mdi_->cascadeSubWindows();
    fitAllInsideWorkArea();
}

void MainWindow::openTravelAllowance()
{
    openScreen("frmCarAll1", [this] { return new TravelAllowanceScreen(state_); });
    mdi_->cascadeSubWindows();
    fitAllInsideWorkArea();
}

namespace {

// One axis of FitWithin: the start and length of a window along an area's start and length.
// A window that starts in the area's first eighth (a cascade's offset) and runs past its end is
// shrunk where it stands, so cascaded windows keep their titles apart; any other is moved.
void FitAxis(int& start, int& length, int areaStart, int areaLength)
{
    length = std::min(length, areaLength);
    const int offset = start - areaStart;
    if (offset >= 0 && offset <= areaLength / 8 && offset + length > areaLength)
        length = areaLength - offset;
    start = std::clamp(start, areaStart, areaStart + areaLength - length);
}

} // namespace

QRect FitWithin(QRect window, const QRect& area)
{
    int x = window.x(), y = window.y(), width = window.width(), height = window.height();
    FitAxis(x, width, area.x(), area.width());
    FitAxis(y, height, area.y(), area.height());
    return QRect(x, y, width, height);
}

void MainWindow::fitToScreen()
{
    if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))
        return;
    QScreen* desktop = screen();
    if (!desktop)
        return;
    // Before the window manager has framed the window its frame is not known: a title bar's
    // and a border's room is kept for it.
    QSize frame = frameGeometry().size() - geometry().size();
    if (!isVisible() || frame.isNull()) {
        const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
        frame = frame.expandedTo(QSize(2 * border, style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * border));
    }
    const QRect outer(frameGeometry().topLeft(), size() + frame);
    const QRect fitted = FitWithin(outer, desktop->availableGeometry());
    if (fitted == outer)
        return;
    resize(fitted.size() - frame);
    move(fitted.topLeft());
}

void MainWindow::fitInsideWorkArea(QMdiSubWindow* sub)
{
    if (sub->isMaximized() || sub->isMinimized())
        return;
    const QRect fitted = FitWithin(sub->geometry(), mdi_->viewport()->rect());
    if (fitted != sub->geometry())
        sub->setGeometry(fitted);
}

void MainWindow::fitAllInsideWorkArea()
{
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        fitInsideWorkArea(sub);
}

void MainWindow::openHelp(bool find)
{
    const bool opening = findScreen("frmHelpBrowser") == nullptr;
    QMdiSubWindow* sub =
        openChild("frmHelpBrowser", [this] { return new HelpWindow(state_.Paths.HelpDocumentPath()); });
    // A document wants room: it opens over most of the main window rather than at a form's size.
    if (opening)
        sub->setGeometry(QRect(QPoint(0, 0), mdi_->viewport()->size() * 0.9).translated(mdi_->viewport()->width() / 20, 0));
    fitInsideWorkArea(sub);
    if (find)
        static_cast<HelpWindow*>(sub->widget())->startFind();
}

void MainWindow::openVideo()
{
    BusyCursor busy;
    QMdiSubWindow* sub = findScreen("frmVideo");
    if (sub && sub->isMinimized()) {
        QApplication::beep();
        return;
    }
    const bool opening = sub == nullptr;
    sub = openChild("frmVideo", [this] { return new VideoWindow(state_.Paths); });
    if (opening) {
        sub->adjustSize();
        const QSize area = mdi_->viewport()->size();
        sub->move(std::max(0, (area.width() - sub->width()) / 2), std::max(0, (area.height() - sub->height()) / 6));
        fitInsideWorkArea(sub);
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The help window goes first, before the other child windows close with the main window.
    if (QMdiSubWindow* help = findScreen("frmHelpBrowser"))
        help->close();
    QMainWindow::closeEvent(event);
}

void MainWindow::openQuickTax()
{
    openScreen("frmKwikTax", [this] { return new QuickTaxScreen(state_); });
}

void MainWindow::initialiseAll()
{
    state_.InitialiseAll();
    for (const QString& name : ScreensClosedByInitialiseAll())
        if (QMdiSubWindow* sub = findScreen(name))
            sub->close();
}

void MainWindow::showAbout()
{
    BusyCursor busy;
    // One About window at a time: a second request brings the open one to the front.
    for (AboutWindow* open : findChildren<AboutWindow*>())
        if (open->isVisible()) {
            open->raise();
            open->activateWindow();
            return;
        }
    auto* about = new AboutWindow(state_, this);
    about->placeOver(this);
    about->show();
}

void MainWindow::printerSetup()
{
    // Whatever the dialog reports, a cancel included, leaves the program as it was.
    QPrintDialog dialog(printer_.get(), this);
    dialog.setWindowTitle(tr("Printer Setup"));
    if (dialog.exec() == QDialog::Accepted)
        state_.PrinterName = printer_->printerName();
}

void MainWindow::startCalculator()
{
    if (StartDesktopCalculator())
        return;
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Revora 2016"), QString::fromUtf8(CalculatorMissingMessage),
                    QMessageBox::Ok, this);
    box.setObjectName("calculatorMissing");
    box.exec();
}

} // namespace revora
