#include "MainWindow.h"

#include <QActionGroup>
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
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "AboutWindow.h"
#include "BusyCursor.h"
#include "CalculatorWindow.h"
#include "ChosenTaxYear.h"
#include "Database.h"
#include "DesktopCalculator.h"
#include "HelpWindow.h"
#include "VideoWindow.h"
#include "WorkingWindow.h"
#include "ReportRenderer.h"
#include "SetupPanel.h"
#include "ScreenRegistry.h"
#include "Version.h"
#include "SetupSettings.h"
#include "StartupSettings.h"
#include "TaxYearData.h"
#include "common/AmountFormat.h"
#include "payroll/PublishedLevies.h"
#include "tax/TaxYearRules.h"

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
    // The line under the program's name: the tax year the calculators work in.
    void setYearLine(const QString& line)
    {
        yearLine_ = line;
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
        // Drawn where the picture leaves room for it, in the picture's own measures (a 1280 x 800
        // picture: the line centred at x 640 on the baseline at y 469, 29 pixels high), scaled
        // with it, in white at a quarter strength, as the name above it is drawn.
        const double scale = static_cast<double>(size.width()) / picture_.width();
        QFont font = painter.font();
        font.setFamily(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(29 * scale * picture_.width() / 1280.0))));
        painter.setFont(font);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setPen(QColor(255, 255, 255, 72));
        const double across = picture_.width() / 1280.0 * scale;
        const double width = QFontMetricsF(font).horizontalAdvance(yearLine_);
        painter.drawText(QPointF(target.x() + 640 * across - width / 2, target.y() + 469 * across), yearLine_);
    }

private:
    QPixmap picture_;
    QString yearLine_;
};

} // namespace

QString MainWindowCaption() { return QString::fromStdString(VersionLine()); }

QString MainWindowCaption(const TaxYear& year)
{
    const std::string named = year.Label + AddedHereMark(year); // "2023/24 (added here)"
    return MainWindowCaption() + QStringLiteral(" \u2013 tax year ") + QString::fromStdString(named);
}

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
    mdi_->viewport()->installEventFilter(this);
    resize(MainWindowWidth, MainWindowHeight);
    buildMenus();
    // F10 opens the menus from the keyboard wherever the focus is, as in other desktop programs.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    menuKey->setObjectName("menuKey");
    connect(menuKey, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        if (!sub)
            return;
        if (auto* screen = qobject_cast<CalculatorWindow*>(sub->widget())) {
            screen->activated();
            lastScreen_ = screen;
            if (QMdiSubWindow* working = findScreen("frmWorking"))
                static_cast<WorkingWindow*>(working->widget())->follow(screen);
        } else if (auto* video = qobject_cast<VideoWindow*>(sub->widget())) {
            video->activated();
        }
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::start()
{
    static_cast<PictureArea*>(mdi_)->setPicture(QPixmap(installFolder_ + "/Revx.jpg"));
    showYear();
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
    // A first run creates the other two databases from their seeds now (the settings database
    // as the year last chosen is read from it), and a damaged one is named at once rather than
    // at the first print.
    readTaxYears(problems);
    try {
        DatabaseConnection connection(state_.Paths.ReportDbPath, state_.Paths.SeedFolder());
    } catch (const StorageError& e) {
        problems << e.message();
    }
    showYear();
    fillTaxYearMenu();
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
    for (const ScreenMenu& menu : ScreenMenus()) {
        std::vector<Item> items;
        for (const ScreenEntry& screen : AllScreens())
            if (QByteArray(screen.menu) == menu.name)
                items.push_back({screen.action, screen.caption, [this, &screen] { openRegistered(screen); }});
        addMenu(menu.name, menu.caption, items);
    }
    QAction* calculator = menuBar()->addAction(QStringLiteral("&MS-Calculator"));
    calculator->setObjectName("mnuMSCalculator");
    connect(calculator, &QAction::triggered, this, &MainWindow::startCalculator);
    yearMenu_ = menuBar()->addMenu(QStringLiteral("Tax &year"));
    yearMenu_->setObjectName("mnuTaxYear");
    yearChoices_ = new QActionGroup(yearMenu_); // one year at a time
    fillTaxYearMenu();
    addMenu("mnuHelp", "&Help/Videos",
            {{"mnuContents", "Revora 2016 Help", [this] { openHelp(); }},
             {"VideoLectures1", "Video Lectures", [this] { openVideo(); }},
             {"mnuHelpSearchForHelpOn", "&Search For Help On...", [this] { openHelp(true); }},
             {"mnuWorking", "Show the Wor&king", [this] { showWorking(); }},
             {"Space3", "-", {}},
             {"mnuAbout", "&About Revora2016...", [this] { showAbout(); }}});
    // No other command, screen or box takes Ctrl+K, so it works wherever the focus is.
    findChild<QAction*>("mnuWorking")->setShortcut(WorkingKey);
}

void MainWindow::showYear()
{
    const TaxYear& year = state_.Year.Current();
    setWindowTitle(MainWindowCaption(year));
    // The printouts' own words for the year's first and last days.
    QString first, last;
    for (const auto& [name, text] : TaxYearTexts(year)) {
        if (name == "TaxYearFirstDay")
            first = QString::fromStdString(text);
        else if (name == "TaxYearLastDay")
            last = QString::fromStdString(text);
    }
    static_cast<PictureArea*>(mdi_)->setYearLine(QStringLiteral("Tax year %1 to %2").arg(first, last));
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
    const bool opened = sub != nullptr;
    if (!opened) {
        QWidget* screen = make();
        sub = mdi_->addSubWindow(screen);
        sub->setObjectName(name);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowTitle(screen->windowTitle());
        sub->setWindowIcon(windowIcon());
        sub->installEventFilter(this);
        if (auto* calculator = qobject_cast<CalculatorWindow*>(screen))
            for (SetupPanel* setup : calculator->findChildren<SetupPanel*>())
                connect(setup, &SetupPanel::savedToFile, this, [this, calculator] { settingsSaved(calculator); });
    }
    sub->show();
    // A new window opens at the size it asks for (the work area would cut it to its own width
    // unseen), then is fitted, so a window too large scrolls with room for its scroll bars.
    if (!opened)
        sub->resize(sub->sizeHint());
    fitInsideWorkArea(sub);
    sub->raise();
    mdi_->setActiveSubWindow(sub);
    return sub;
}

void MainWindow::settingsSaved(const CalculatorWindow* from)
{
    // No screen keeps figures of rates that are no longer the settings; the one that saved
    // them has worked its own again.
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        if (auto* screen = qobject_cast<CalculatorWindow*>(sub->widget()); screen && screen != from)
            screen->settingsChanged();
}

void MainWindow::openRegistered(const ScreenEntry& screen)
{
    QMdiSubWindow* sub = openScreen(screen.window, [this, &screen] { return screen.make(state_); });
    if (screen.placement == ScreenPlacement::AsOpened)
        return;
    // A maximised (or minimised) main window, and the child windows in it, are left as the
    // user chose.
    const bool widen = screen.placement == ScreenPlacement::WidenedThenCascaded;
    if (widen && (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
        return;
    mdi_->cascadeSubWindows();
    if (widen)
        widenFor(sub);
    fitAllInsideWorkArea();
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

void MainWindow::showWorking()
{
    const bool opening = findScreen("frmWorking") == nullptr;
    QMdiSubWindow* beside = lastScreen_ ? qobject_cast<QMdiSubWindow*>(lastScreen_->parentWidget()) : nullptr;
    QMdiSubWindow* sub = openChild("frmWorking", [] { return new WorkingWindow; });
    auto* working = static_cast<WorkingWindow*>(sub->widget());
    working->follow(lastScreen_);
    if (opening) {
        // Closing it goes back to the screen whose working it showed, not to the window the
        // work area would choose.
        connect(working, &WorkingWindow::closing, this, [this](CalculatorWindow* shown) {
            QPointer<QMdiSubWindow> back = shown ? qobject_cast<QMdiSubWindow*>(shown->parentWidget()) : nullptr;
            QTimer::singleShot(0, this, [this, back] {
                if (back && !back->isHidden())
                    mdi_->setActiveSubWindow(back);
            });
        });
        const QRect area = mdi_->viewport()->rect();
        sub->setGeometry(PlaceBeside(beside ? beside->geometry() : QRect(area.topLeft(), QSize(0, 0)), area,
                                     sub->sizeHint().expandedTo(working->sizeHint())));
        fitInsideWorkArea(sub);
    }
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
    // A screen at work on its own stack is asked to stop, and the program stays for now.
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        if (auto* screen = qobject_cast<CalculatorWindow*>(sub->widget()); screen && screen->busy()) {
            sub->close();
            event->ignore();
            return;
        }
    // The help window goes first, before the other child windows close with the main window.
    if (QMdiSubWindow* help = findScreen("frmHelpBrowser"))
        help->close();
    QMainWindow::closeEvent(event);
}

void MainWindow::initialiseAll()
{
    // A loaded run or typed cars are not thrown away without a word: the default answer keeps them.
    QStringList lost;
    if (const int cars = state_.Vehicle.CompanyCars.CarCount; cars > 0)
        lost << (cars == 1 ? QStringLiteral("the company car typed in")
                           : QStringLiteral("the %1 company cars typed in").arg(cars));
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        if (auto* screen = qobject_cast<CalculatorWindow*>(sub->widget()))
            if (const QString work = screen->workInitialiseAllLoses(); !work.isEmpty())
                lost << work;
    if (!lost.isEmpty()) {
        QMessageBox ask(QMessageBox::Question, MainWindowCaption(),
                        QStringLiteral("Initialise All clears %1. Clear them?").arg(lost.join(QStringLiteral(" and "))),
                        QMessageBox::Yes | QMessageBox::No, this);
        ask.setObjectName("initialiseAllAsk");
        ask.setDefaultButton(QMessageBox::No);
        if (ask.exec() != QMessageBox::Yes)
            return;
    }
    state_.InitialiseAll();
    // The help window goes first, as on Exit; then the screens whose entries say so, in the
    // registry's order. The screens that stay open, the video window and the About window are
    // left as they are.
    if (QMdiSubWindow* help = findScreen("frmHelpBrowser"))
        help->close();
    for (const ScreenEntry& screen : AllScreens())
        if (QMdiSubWindow* sub = screen.closedByInitialiseAll ? findScreen(screen.window) : nullptr)
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
