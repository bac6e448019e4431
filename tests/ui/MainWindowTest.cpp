// The main window: caption, menus, start-up with the About window, Initialise All, the desktop
// calculator, and the help and video windows.

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPdfDocument>
#include <QRadioButton>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

#include "AboutWindow.h"
#include "ui/UiTest.h"
#include "Database.h"
#include "HelpWindow.h"
#include "MainWindow.h"
#include "NumberBox.h"
#include "ScreenRegistry.h"
#include "SetupSettings.h"
#include "ui/ScreenTestSupport.h"
#include "StartupSettings.h"
#include "tax/QuickTaxScreen.h"

using namespace revora;
using revora::testing::MenuAction;
using revora::testing::MessageBoxWatcher;
using revora::testing::MessageBoxAnswer;
using revora::testing::SkipAboutAtStart;

namespace {

class StandInScreen : public CalculatorWindow {
public:
    using CalculatorWindow::CalculatorWindow;
    bool calculate() override { return true; }
    void printReport() override {}
};

AboutWindow* OpenAbout()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* about = qobject_cast<AboutWindow*>(w); about && about->isVisible())
            return about;
    return nullptr;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;

    std::unique_ptr<MainWindow> startMain()
    {
        auto main = std::make_unique<MainWindow>(folder_->path(), revora::testing::TestInstallFolder());
        main->start();
        return main;
    }

private slots:
    void init() { folder_ = std::make_unique<QTemporaryDir>(); }
    void cleanup()
    {
        if (AboutWindow* about = OpenAbout())
            about->close();
        folder_.reset();
    }

    void captionAndMenusAreAsTheUserKnowsThem()
    {
        auto main = startMain();
        QCOMPARE(main->windowTitle(), QString("Revora 2016 Ver: 1.05.000 \u2013 tax year 2015/16"));
        QStringList menus;
        for (QAction* a : main->menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, QStringList({"&File", "&Revora", "A&vanta", "&TaxCalcs", "&Car Calculations",
                                     "Bu&siness Calculations", "&MS-Calculator", "Tax &year", "&Help/Videos"}));
        const QList<std::pair<QString, QString>> items{
            {"mnuNew", "&Initialise All"}, {"mnuPrinterSet", "&Printer Setup"}, {"mnuExit", "E&xit"},
            {"mnuRevxMon", "&Monthly"}, {"mnuAvxAnn", "&Annual"}, {"mnuFortNight", "&FortNightly"},
            {"QuickTax", "QuickTax"}, {"mnuCompCar", "&Company car"}, {"mnuCarAll1", "Car Allowance"},
            {"mnuInflationProject", "Inflation Projections"}, {"mnuLoansBuster", "Loan buster"},
            {"mnuDailyBalance", "Daily balance"}, {"mnuContents", "Revora 2016 Help"},
            {"VideoLectures1", "Video Lectures"}, {"mnuHelpSearchForHelpOn", "&Search For Help On..."},
            {"mnuWorking", "Show the Wor&king"}, {"mnuAbout", "&About Revora2016..."}};
        for (const auto& [name, caption] : items) {
            QAction* action = MenuAction(*main, name);
            QVERIFY2(action, qPrintable(name));
            QCOMPARE(action->text(), caption);
        }
        for (const char* name : {"mnuContents", "mnuHelpSearchForHelpOn", "VideoLectures1", "mnuAnnual", "mnuMonthly", "mnuFortNight", "mnuWeekly", "mnuDaily", "mnuCompCar",
                                 "mnuCarAll1", "mnuInflationProject", "mnuLoans", "mnuLoansBuster",
                                 "mnuLoansComparison", "mnuDailyBalance"})
            QVERIFY2(MenuAction(*main, name)->isEnabled(), name);
        QVERIFY(MenuAction(*main, "QuickTax")->isEnabled());
        QVERIFY(MenuAction(*main, "mnuAbout")->isEnabled());
        // Each registered screen is one item of a menu of the bar, with a window name of its own.
        QSet<QString> windows;
        for (const ScreenEntry& screen : AllScreens()) {
            const QList<QAction*> actions = main->findChildren<QAction*>(screen.action);
            const auto* menu = main->menuBar()->findChild<QMenu*>(screen.menu);
            QVERIFY2(actions.size() == 1 && menu && menu->actions().contains(actions[0]), screen.action);
            windows << screen.window;
        }
        QCOMPARE(windows.size(), qsizetype(AllScreens().size()));
    }

    void aFirstStartShowsTheAboutWindowAndTickingTheBoxStopsIt()
    {
        auto main = startMain();
        AboutWindow* about = OpenAbout();
        QVERIFY(about);
        QCOMPARE(about->windowTitle(), QString("About Revora 2016..."));
        QCOMPARE(about->findChild<QLabel*>("lblVersion")->text(), QString("Version: 1.05.000"));
        const QRect m = main->frameGeometry();
        QCOMPARE(about->x(), m.left() + (m.width() - about->width()) / 2);
        QCOMPARE(about->y(), m.top() + (m.height() - about->height()) / 4);

        auto* check1 = about->findChild<QCheckBox*>("Check1");
        QCOMPARE(check1->text(), QString("Do not display this message again on start up"));
        QVERIFY(!check1->isChecked());
        check1->click();
        QTest::mouseClick(about->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QVERIFY(!ReadViewAbout(main->state().Paths));
        main.reset();

        auto again = startMain();
        QVERIFY(!OpenAbout());
    }

    void aFirstStartCreatesTheDatabasesFromTheirSeeds()
    {
        auto main = startMain();
        const AppPaths& paths = main->state().Paths;
        for (const QString& path : {paths.StartupDbPath, paths.SettingsDbPath, paths.ReportDbPath})
            QVERIFY2(QFileInfo::exists(path), qPrintable(path));
        DatabaseConnection settings(paths.SettingsDbPath, paths.SeedFolder());
        QSqlQuery setup(settings.database());
        QVERIFY(setup.exec("SELECT EmployeeUIF, EmployerUIF, SkillLevy, UIFLimit, TAIncRate8020, "
                           "CompCarFBRate8020, CompCarMPYesNo, PensionCont, ProvCont FROM Setup"));
        QVERIFY(setup.next());
        QCOMPARE(setup.value(0).toDouble(), 1.0);
        QCOMPARE(setup.value(1).toDouble(), 1.0);
        QCOMPARE(setup.value(2).toDouble(), 1.0);
        QCOMPARE(setup.value(3).toDouble(), 14872.0);
        QCOMPARE(setup.value(4).toDouble(), 0.8);
        QCOMPARE(setup.value(5).toDouble(), 0.8);
        QCOMPARE(setup.value(6).toBool(), false);
        QCOMPARE(setup.value(7).toDouble(), 0.0);
        QCOMPARE(setup.value(8).toDouble(), 0.0);
        QVERIFY(!setup.next()); // one row
    }

    void clearingTheBoxAgainBringsTheAboutWindowBack()
    {
        SkipAboutAtStart(folder_->path());
        auto main = startMain();
        QVERIFY(!OpenAbout());
        MenuAction(*main, "mnuAbout")->trigger();
        AboutWindow* about = OpenAbout();
        QVERIFY(about);
        auto* check1 = about->findChild<QCheckBox*>("Check1");
        QVERIFY(check1->isChecked());
        check1->click();
        about->close();
        QVERIFY(ReadViewAbout(main->state().Paths));
    }

    void aDamagedStartupDatabaseIsNamedAndNoAboutWindowShows()
    {
        QFile file(folder_->filePath("bcdv.db"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(2048, '\x7f'));
        file.close();
        const QByteArray before = revora::testing::ReadAll(file.fileName());
        MessageBoxWatcher watcher;
        auto main = startMain();
        QCOMPARE(watcher.texts().size(), 1);
        QVERIFY(watcher.texts()[0].contains("bcdv.db"));
        QVERIFY(!OpenAbout());
        QCOMPARE(revora::testing::ReadAll(file.fileName()), before);
    }

    void aFolderThatCannotHoldTheDatabasesIsToldOnceNamingEachFile()
    {
        const QString folder = folder_->path() + "/missing/folder";
        MessageBoxWatcher watcher;
        MainWindow main(folder, revora::testing::TestInstallFolder());
        main.start();
        QTRY_COMPARE(watcher.texts().size(), 1);
        QTest::qWait(100);
        QCOMPARE(watcher.texts().size(), 1);
        for (const char* file : {"bcdv.db", "Settings.db", "Crysprin.db"})
            QVERIFY2(watcher.texts().constFirst().contains(QDir::toNativeSeparators(folder + "/" + file)), file);
        QVERIFY(main.isVisible());
        QVERIFY(!OpenAbout());
    }

    void initialiseAllClosesTheListedScreensAndKeepsFortnightlyAndQuickTax()
    {
        SkipAboutAtStart(folder_->path());
        auto main = startMain();
        AppState& state = main->state();
        main->openScreen("frmMonthly", [&] { return new StandInScreen(state); });
        main->openScreen("frmLoans", [&] { return new StandInScreen(state); });
        main->openScreen("frmFortNight", [&] { return new StandInScreen(state); });
        MenuAction(*main, "QuickTax")->trigger();
        auto* quick = qobject_cast<QuickTaxScreen*>(main->findScreen("frmKwikTax")->widget());
        quick->box(0)->selectAll();
        QTest::keyClicks(quick->box(0), "500000");
        quick->calculate();
        QVERIFY(state.Tax.QuickTax.TotalTax > 0);

        MenuAction(*main, "mnuNew")->trigger();
        QTRY_VERIFY(!main->findScreen("frmMonthly"));
        QVERIFY(!main->findScreen("frmLoans"));
        QVERIFY(main->findScreen("frmFortNight"));
        QVERIFY(main->findScreen("frmKwikTax"));
        QCOMPARE(quick->box(0)->text(), QString("500 000.00"));
        // The shared values are reset, the taxable income is kept.
        QCOMPARE(state.Tax.QuickTax.TotalTax, 0.0);
        QCOMPARE(state.Tax.TaxBracketResult.TaxBeforeRebates, 0.0);
        QCOMPARE(state.Tax.TaxBracketResult.TaxableIncome, 500000.0);
    }

    void initialiseAllEmptiesTheCarRegisterAndResetsTheTravelAllowance()
    {
        SkipAboutAtStart(folder_->path());
        auto main = startMain();
        VehicleState& state = main->state().Vehicle;
        state.CompanyCars.Records[0].CCRegNumber = "CA 123-456";
        state.CompanyCars.Add();
        state.CompanyCars.Current().CCRegNumber = "CA 123-456";
        state.CompanyCars.Add();
        QCOMPARE(state.CompanyCars.CarCount, std::int16_t(2));
        state.TravelAllowance.VehicleValue = 150000;
        state.TravelAllowance.IncludeFuel = 0;
        state.TravelAllowance.RecordKept = 1;
        MenuAction(*main, "mnuCompCar")->trigger();
        {
            // Typed cars are not lost without a word: the default answer keeps them.
            MessageBoxAnswer no(QMessageBox::No);
            MenuAction(*main, "mnuNew")->trigger();
            QCOMPARE(no.text(), QString("Initialise All clears the 2 company cars typed in. Clear them?"));
            QVERIFY(main->findScreen("frmCompCar"));
            QCOMPARE(state.CompanyCars.CarCount, std::int16_t(2));
        }
        MessageBoxAnswer yes(QMessageBox::Yes);
        MenuAction(*main, "mnuNew")->trigger();
        QTRY_VERIFY(!main->findScreen("frmCompCar"));
        QCOMPARE(state.CompanyCars.CarCount, std::int16_t(0));
        QCOMPARE(state.CompanyCars.Records.size(), std::size_t(1));
        QCOMPARE(state.CompanyCars.Title(), std::string("Full use of Company Car :  Vehicle number 0 of 0"));
        QCOMPARE(state.TravelAllowance.VehicleValue, 0.0);
        QCOMPARE(state.TravelAllowance.IncludeFuel, std::int16_t(1));
        QCOMPARE(state.TravelAllowance.IncludeMaintenance, std::int16_t(1));
        QCOMPARE(state.TravelAllowance.RecordKept, std::int16_t(0));
    }

    void theBusinessCalculationsOpenAndInitialiseAllResetsThem()
    {
        SkipAboutAtStart(folder_->path());
        auto main = startMain();
        const std::pair<const char*, const char*> screens[] = {
            {"mnuInflationProject", "frmInflation"}, {"mnuLoans", "frmLoans"}, {"mnuLoansBuster", "frmLoanBuster"},
            {"mnuLoansComparison", "frmLoanComp"},   {"mnuDailyBalance", "frmDayBal"}};
        for (const auto& [menu, screen] : screens) {
            MenuAction(*main, menu)->trigger();
            QVERIFY2(main->findScreen(screen), screen);
        }
        FinanceState& state = main->state().Finance;
        state.Loans = {100000, 240, 12, 1101.09, LoanMode::InterestRate, true};
        state.LoanBuster = {100000, 12.0F, 100};
        state.LoanComparison = {100000, 12.0F};
        state.DailyBalance = {100000.0F, 10.0F, 42064, 42094, 0.5};
        state.Inflation = {100000, 10, 6, 179084.77, 55839.48};

        MenuAction(*main, "mnuNew")->trigger();
        for (const auto& [menu, screen] : screens)
            QTRY_VERIFY2(!main->findScreen(screen), screen);
        // The loan keeps its principal; everything else starts afresh, the daily balance's
        // dates as not yet set.
        QCOMPARE(state.Loans.Principal, 100000.0);
        QCOMPARE(state.Loans.Months, 0.0);
        QCOMPARE(state.Loans.Repayment, 0.0);
        QVERIFY(state.Loans.Mode == LoanMode::MonthlyRepayment);
        QVERIFY(!state.Loans.TotalsShown);
        QCOMPARE(state.LoanBuster.Principal, 0.0);
        QCOMPARE(state.LoanComparison.Amount, 0.0);
        QCOMPARE(state.DailyBalance.StartDate, DateNotSet);
        QCOMPARE(state.DailyBalance.RateStep, 0.25);
        QCOMPARE(state.Inflation.FutureValue, 0.0);
    }

    void withoutADesktopCalculatorTheUserIsToldAndTheProgramRuns()
    {
        SkipAboutAtStart(folder_->path());
        auto main = startMain();
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", folder_->path().toLocal8Bit());
        MessageBoxWatcher watcher;
        MenuAction(*main, "mnuMSCalculator")->trigger();
        qputenv("PATH", path);
        QCOMPARE(watcher.texts(), QStringList{"The Microsoft Calculator is not installed or in the Windows directory"});
        QCOMPARE(watcher.titles(), QStringList{"Revora 2016"});
        QVERIFY(main->isVisible());
    }

    void theHelpMenuOpensTheInstalledHelpDocumentOnce()
    {
        SkipAboutAtStart(folder_->path());
        auto main = startMain();
        MenuAction(*main, "mnuContents")->trigger();
        MenuAction(*main, "mnuContents")->trigger();
        QMdiSubWindow* sub = main->findScreen("frmHelpBrowser");
        QVERIFY(sub);
        QCOMPARE(sub->windowTitle(), QString("Revora Help"));
        int helpWindows = 0;
        for (QMdiSubWindow* each : main->mdiArea()->subWindowList())
            helpWindows += each->objectName() == "frmHelpBrowser";
        QCOMPARE(helpWindows, 1);
        // The build makes the document among the installation files.
        auto* help = qobject_cast<HelpWindow*>(sub->widget());
        QTRY_COMPARE(help->document()->status(), QPdfDocument::Status::Ready);
        QVERIFY(help->document()->pageCount() > 1);
        // Its contents page gives the contents pane every chapter; searching opens the find box.
        QCOMPARE(help->contents()->index(0, 0).data().toString(), QString("Getting started"));
        QVERIFY(help->contents()->rowCount() > 15);
        MenuAction(*main, "mnuHelpSearchForHelpOn")->trigger();
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), QString("txtFind"));
    }

    void exitClosesTheHelpWindowBeforeTheOtherChildWindows()
    {
        SkipAboutAtStart(folder_->path());
        // Outlives the main window, whose destruction closes the remaining child windows.
        QStringList closed;
        auto main = startMain();
        MenuAction(*main, "QuickTax")->trigger();
        MenuAction(*main, "mnuContents")->trigger();
        MenuAction(*main, "QuickTax")->trigger(); // the help window is not the active one
        for (QMdiSubWindow* sub : main->mdiArea()->subWindowList())
            QObject::connect(sub, &QObject::destroyed, [&closed, name = sub->objectName()] { closed << name; });
        MenuAction(*main, "mnuExit")->trigger();
        QTRY_VERIFY(!closed.isEmpty());
        QCOMPARE(closed.constFirst(), QString("frmHelpBrowser"));
        QVERIFY(!main->isVisible());
    }

    void initialiseAllClosesTheHelpWindowAndKeepsTheVideoWindow()
    {
        SkipAboutAtStart(folder_->path());
        auto main = startMain();
        MenuAction(*main, "mnuContents")->trigger();
        MenuAction(*main, "VideoLectures1")->trigger();
        MenuAction(*main, "mnuNew")->trigger();
        QTRY_VERIFY(!main->findScreen("frmHelpBrowser"));
        QVERIFY(main->findScreen("frmVideo"));
    }

    // The years newest first, the stored one checked. A year chosen is kept for the next start,
    // named in the caption and worked in by the open screens; the published settings follow it,
    // and settings the user changed are asked about once and kept on No.
    void theTaxYearMenuChoosesTheYearTheProgramWorksIn()
    {
        SkipAboutAtStart(folder_->path());
        auto main = startMain();
        const QList<QAction*> years = main->findChild<QMenu*>("mnuTaxYear")->actions();
        QCOMPARE(years.size(), 13);
        QCOMPARE(years.constFirst()->text(), QString("2026/27"));
        QCOMPARE(years.constLast()->text(), QString("2014/15"));
        for (QAction* year : years)
            QCOMPARE(year->isChecked(), year->text() == "2015/16");
        MenuAction(*main, "QuickTax")->trigger();
        auto* quick = qobject_cast<QuickTaxScreen*>(main->findScreen("frmKwikTax")->widget());
        for (auto [box, typed] : {std::pair<NumberBox*, const char*>{quick->box(0), "500000"}, {quick->box(1), "40"}}) {
            box->selectAll();
            QTest::keyClicks(box, typed);
        }
        quick->calculate();
        QCOMPARE(quick->box(7)->text(), QString("118 326.00"));

        MessageBoxWatcher watcher;
        MenuAction(*main, "mnuTaxYear2025")->trigger();
        QVERIFY(MenuAction(*main, "mnuTaxYear2025")->isChecked() && !MenuAction(*main, "mnuTaxYear2016")->isChecked());
        QCOMPARE(main->windowTitle(), QString("Revora 2016 Ver: 1.05.000 \u2013 tax year 2024/25"));
        QCOMPARE(quick->box(7)->text(), QString("100 272.00")); // 117 507 less the rebate of 17 235
        QCOMPARE(ReadPayeSettings(main->state().Paths).UIFLimit, 17712.0);

        WritePayeSettings(main->state().Paths, {1, 1, 1, 20000, 0.8});
        MenuAction(*main, "mnuTaxYear2024")->trigger();
        QCOMPARE(watcher.texts().size(), 1);
        QVERIFY(watcher.texts()[0].contains("R 20 000") && watcher.texts()[0].contains("R 17 712"));
        QCOMPARE(ReadPayeSettings(main->state().Paths).UIFLimit, 20000.0);
        main.reset();
        main = startMain();
        QVERIFY(main->windowTitle().endsWith("2023/24") && MenuAction(*main, "mnuTaxYear2024")->isChecked());
    }

    // Years in the data folder's tax-years/: a damaged one is refused at the start, saying why,
    // and the others are listed; one added takes the shipped one's place, marked in the menu and
    // the caption.
    void aDamagedYearIsRefusedAloneAndAnAddedOneMarked()
    {
        SkipAboutAtStart(folder_->path());
        QVERIFY(QDir(folder_->path()).mkdir("tax-years"));
        const auto add = [this](const QString& name, const char* from, const char* to) {
            QFile file(folder_->filePath("tax-years/" + name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            const QString shipped = revora::testing::TestInstallFolder() + "/tax-years/" + name;
            file.write(revora::testing::ReadAll(shipped).replace(from, to));
        };
        add("2023.json", "\"label\"", "label");
        add("2024.json", "\"main_member\": 364", "\"main_member\": 400");
        MessageBoxWatcher watcher;
        auto main = startMain();
        QCOMPARE(watcher.texts().size(), 1);
        QVERIFY(watcher.texts()[0].contains("2023.json could not be used: it is not JSON"));
        QCOMPARE(main->findChild<QMenu*>("mnuTaxYear")->actions().size(), 12);
        QCOMPARE(MenuAction(*main, "mnuTaxYear2024")->text(), QString("2023/24 (added here)"));
        MenuAction(*main, "mnuTaxYear2024")->trigger();
        QCOMPARE(main->windowTitle(), QString("Revora 2016 Ver: 1.05.000 \u2013 tax year 2023/24 (added here)"));
    }

    void theVideoWindowOpensCentredHighAndReadsItsSourceWhenActive()
    {
        SkipAboutAtStart(folder_->path());
        QFile source(folder_->path() + "/VideoSource.Dll");
        QVERIFY(source.open(QIODevice::WriteOnly));
        source.write("1\n");
        source.close();
        auto main = startMain();
        MenuAction(*main, "VideoLectures1")->trigger();
        QMdiSubWindow* sub = main->findScreen("frmVideo");
        QVERIFY(sub);
        QCOMPARE(sub->windowTitle(), QString("Video"));
        const QSize area = main->mdiArea()->viewport()->size();
        QCOMPARE(sub->x(), std::max(0, (area.width() - sub->width()) / 2));
        QCOMPARE(sub->y(), std::max(0, (area.height() - sub->height()) / 6));
        QTRY_VERIFY(sub->findChild<QRadioButton*>("Option1_1")->isChecked());
        QVERIFY(!sub->findChild<QRadioButton*>("Option1_0")->isChecked());
    }

    void theVideoCommandOnlyBeepsWhileTheVideoWindowIsMinimised()
    {
        SkipAboutAtStart(folder_->path());
        auto main = startMain();
        MenuAction(*main, "VideoLectures1")->trigger();
        QMdiSubWindow* sub = main->findScreen("frmVideo");
        sub->showMinimized();
        QTRY_VERIFY(sub->isMinimized());
        MenuAction(*main, "VideoLectures1")->trigger();
        QVERIFY(sub->isMinimized());
        QCOMPARE(main->findScreen("frmVideo"), sub);
    }
};

REVORA_UI_TEST(MainWindowTest)
#include "MainWindowTest.moc"
