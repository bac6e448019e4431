// The main window on the desktop and its child windows in the work area: the width the
// company car takes, windows fitted inside the area and given back their room, and every
// screen usable whole at 800 x 600.

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTest>

#include "MainWindow.h"
#include "ScreenRegistry.h"
#include "ui/ScreenTestSupport.h"
#include "ui/UiTest.h"

using namespace revora;
using revora::testing::MenuAction;
using revora::testing::SkipAboutAtStart;

class MainWindowPlacementTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;

    std::unique_ptr<MainWindow> startMain()
    {
        SkipAboutAtStart(folder_->path());
        auto main = std::make_unique<MainWindow>(folder_->path(), revora::testing::TestInstallFolder());
        main->start();
        return main;
    }

private slots:
    void init() { folder_ = std::make_unique<QTemporaryDir>(); }
    void cleanup() { folder_.reset(); }

    void theCompanyCarWidensANormalMainWindowAndCascades()
    {
        auto main = startMain();
        main->showNormal();
        main->resize(600, 500);
        MenuAction(*main, "mnuCarAll1")->trigger();
        QVERIFY(main->findScreen("frmCarAll1"));
        MenuAction(*main, "mnuCompCar")->trigger();
        QMdiSubWindow* car = main->findScreen("frmCompCar");
        QVERIFY(car);
        // As wide as the screen wants, on a desktop that has the room.
        QCOMPARE(main->frameGeometry().width(), std::min(TwipsToPixels(CompanyCarMainWindowTwips, main->logicalDpiX()),
                                                         main->screen()->availableGeometry().width()));
        QCOMPARE(main->height(), 500);
        // Cascaded: the second window lies below and to the right of the first.
        QMdiSubWindow* travel = main->findScreen("frmCarAll1");
        QVERIFY(travel->pos() != car->pos());
        QCOMPARE(car->windowTitle(), QString("Full use of Company Car :  Vehicle number 0 of 0"));
        QCOMPARE(travel->windowTitle(), QString("Travel Allowance"));
    }

    void aScreenShrunkToTheWorkAreaGrowsBackWithIt()
    {
        auto main = startMain();
        main->showNormal();
        main->resize(400, 350);
        MenuAction(*main, "mnuRevxMon")->trigger();
        QMdiSubWindow* sub = main->findScreen("frmRevoraMon");
        const QSize shrunk = sub->size();
        QVERIFY(shrunk.width() < sub->sizeHint().width() && shrunk.height() < sub->sizeHint().height());
        // A larger work area (the main window maximised) gives back the room it took.
        main->resize(2000, 1500);
        QTRY_COMPARE(sub->size(), sub->sizeHint().boundedTo(main->mdiArea()->viewport()->size()));
        // A size the user gives is the user's: the window is not grown past it again.
        sub->resize(shrunk);
        main->resize(400, 350);
        main->resize(2000, 1500);
        QTRY_COMPARE(sub->size(), shrunk);
    }

    void theCompanyCarLeavesAMaximisedMainWindowAsItIs()
    {
        auto main = startMain();
        main->showMaximized();
        QTRY_VERIFY(main->isMaximized());
        const QSize before = main->size();
        MenuAction(*main, "mnuCompCar")->trigger();
        QVERIFY(main->findScreen("frmCompCar"));
        QVERIFY(main->isMaximized());
        QCOMPARE(main->size(), before);
    }

    void twipsFollowTheScreensResolution_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("pixels");
        QTest::newRow("the company car width at 96 dots an inch") << 96 << 894;
        QTest::newRow("the company car width at 120 dots an inch") << 120 << 1117;
        QTest::newRow("the company car width at 144 dots an inch") << 144 << 1341;
    }
    void twipsFollowTheScreensResolution()
    {
        QFETCH(int, dpi);
        QFETCH(int, pixels);
        QCOMPARE(TwipsToPixels(CompanyCarMainWindowTwips, dpi), pixels);
    }

    void theCompanyCarNeverNarrowsTheMainWindow_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("needed");
        QTest::addColumn<int>("desktop");
        QTest::addColumn<int>("width");
        // At 96 dots an inch the screen was laid out for 894 pixels.
        QTest::newRow("a narrow window takes the laid-out width") << 600 << 850 << 1366 << 894;
        QTest::newRow("a screen wider than laid out is shown whole") << 600 << 960 << 1366 << 960;
        QTest::newRow("the 1100 pixels of the opening width stay") << 1100 << 960 << 1366 << 1100;
        QTest::newRow("never wider than the desktop") << 600 << 960 << 800 << 800;
    }
    void theCompanyCarNeverNarrowsTheMainWindow()
    {
        QFETCH(int, current);
        QFETCH(int, needed);
        QFETCH(int, desktop);
        QFETCH(int, width);
        QCOMPARE(CompanyCarWidth(current, TwipsToPixels(CompanyCarMainWindowTwips, 96), needed, desktop), width);
    }

    void windowsAreFittedWithinTheirArea_data()
    {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QRect>("fitted");
        // The main window's 1100 x 760 and a title bar, on desktops less a 40-pixel panel.
        QTest::newRow("1366 x 768: only the height is cut")
            << QRect(0, 0, 1100, 790) << QRect(0, 0, 1366, 728) << QRect(0, 0, 1100, 728);
        QTest::newRow("800 x 600: both cut") << QRect(0, 0, 1100, 790) << QRect(0, 0, 800, 560) << QRect(0, 0, 800, 560);
        QTest::newRow("a child at the lower right moves in whole")
            << QRect(500, 300, 400, 300) << QRect(0, 0, 800, 500) << QRect(400, 200, 400, 300);
        QTest::newRow("a cascaded child larger than the area keeps its offset")
            << QRect(10, 25, 900, 600) << QRect(0, 0, 800, 500) << QRect(10, 25, 790, 475);
        QTest::newRow("a child above and left of the area") << QRect(-50, -20, 100, 100) << QRect(0, 0, 800, 500)
                                                            << QRect(0, 0, 100, 100);
    }
    void windowsAreFittedWithinTheirArea()
    {
        QFETCH(QRect, window);
        QFETCH(QRect, area);
        QFETCH(QRect, fitted);
        QCOMPARE(FitWithin(window, area), fitted);
    }

    // At 800 x 600 every screen opens wholly inside the work area and each of its enabled
    // buttons can be scrolled into view, the earlier screens staying inside as well.
    void everyScreenCanBeUsedWholeAt800By600()
    {
        auto main = startMain();
        main->showNormal();
        main->resize(QSize(800, 600) - (main->frameGeometry().size() - main->size())); // frame included
        QMdiArea* area = main->mdiArea();
        const std::pair<const char*, const char*> screens[] = {
            {"mnuRevxMon", "frmRevoraMon"}, {"mnuRevxAnn", "frmRevoraAnn"}, {"mnuAvxMon", "frmAvxMon"},
            {"mnuAvxAnn", "frmAvxAnn"}, {"mnuAnnual", "frmAnnual"}, {"mnuMonthly", "frmMonthly"},
            {"mnuFortNight", "frmFortNight"}, {"mnuWeekly", "frmWeekly"}, {"mnuDaily", "frmDaily"},
            {"mnuPayrollRun", "frmPayrollRun"},
            {"QuickTax", "frmKwikTax"}, {"mnuCompCar", "frmCompCar"}, {"mnuCarAll1", "frmCarAll1"},
            {"mnuInflationProject", "frmInflation"}, {"mnuLoans", "frmLoans"}, {"mnuLoansBuster", "frmLoanBuster"},
            {"mnuLoansComparison", "frmLoanComp"}, {"mnuDailyBalance", "frmDayBal"}};
        for (const auto& [menu, name] : screens) {
            MenuAction(*main, menu)->trigger();
            QVERIFY2(main->findScreen(name), name);
            QVERIFY(main->frameGeometry().width() <= 800);
            for (QMdiSubWindow* sub : area->subWindowList())
                QVERIFY2(area->viewport()->rect().contains(sub->geometry()),
                         qPrintable(QString("%1 after %2").arg(sub->objectName(), name)));
            // The new screen is on top: each button scrolled to is seen, not covered or cut.
            QMdiSubWindow* sub = main->findScreen(name);
            auto* scroll = sub->widget()->findChild<QScrollArea*>();
            for (QPushButton* button : sub->widget()->findChildren<QPushButton*>()) {
                if (!button->isVisible() || !button->isEnabled())
                    continue;
                if (scroll)
                    scroll->ensureWidgetVisible(button);
                const QRect seen(button->mapTo(area->viewport(), QPoint(0, 0)), button->size());
                QVERIFY2(sub->geometry().contains(seen) && button->visibleRegion() == QRegion(button->rect()),
                         qPrintable(QString("%1 %2").arg(name, button->objectName())));
            }
        }
        QCOMPARE(area->subWindowList().size(), qsizetype(AllScreens().size())); // every registered screen listed
    }

};

REVORA_UI_TEST(MainWindowPlacementTest)
#include "MainWindowPlacementTest.moc"
