// The inflation screen as a clerk drives it: the future value and buying power through the
// boxes, the amount too large to show, the two spinners, the limits of the period and rate,
// and the printout's one row.

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlRecord>
#include <QTest>
#include <QToolButton>

#include "finance/InflationScreen.h"
#include "ui/UiTest.h"
#include "AppState.h"
#include "NumberBox.h"
#include "PrintPanel.h"
#include "ReportDatabase.h"
#include "ui/ScreenFixture.h"
#include "ui/ScreenTestSupport.h"
#include "SpinnerStep.h"

using namespace revora;
using revora::testing::MessageBoxWatcher;
using revora::testing::ScreenFixtureOptions;

class InflationScreenTest : public QObject, public revora::testing::ScreenFixture<InflationScreen> {
    Q_OBJECT

    void typeCase(const QString& cost, const QString& years, const QString& rate) const
    {
        typeAndLeave("numPresCost", cost);
        typeAndLeave("numPeriod", years);
        typeAndLeave("numInflaRate", rate);
    }
    void spin(const char* name, int direction) const
    {
        auto* spinner = find<SpinnerStep>(name);
        QTest::mouseClick(direction > 0 ? spinner->upButton() : spinner->downButton(), Qt::LeftButton);
    }
    QSqlRecord printedRow() const { return ReadReportTable(state_->Paths, "Inflation").value(0); }

private slots:
    void init() { setUp(ScreenFixtureOptions().sized(900, 600).announcingActivation()); }
    void cleanup() { tearDown(); }

    void costIsCarriedForwardYearByYear()
    {
        QCOMPARE(sub_->windowTitle(), QString("Inflation"));
        QCOMPARE(shown("numAns1"), QString("0"));
        typeCase("100000", "10", "6");
        QCOMPARE(shown("numInflaRate"), QString("6.000"));
        click("cmdCalculate");
        QCOMPARE(shown("numAns1"), QString("179085"));
        QCOMPARE(shown("numAns2"), QString("55839"));
        QCOMPARE(qRound(state_->Finance.Inflation.FutureValue * 100), 17908477);

        typeAndLeave("numPeriod", "0");
        click("cmdCalculate");
        QCOMPARE(shown("numAns1"), QString("100000"));
        QCOMPARE(shown("numAns2"), QString("100000"));

        // Falling prices: a negative rate.
        typeCase("100000", "10", "-5");
        QCOMPARE(state_->Finance.Inflation.Rate, -5.0);
        click("cmdCalculate");
        QCOMPARE(shown("numAns1"), QString("59874"));
        QCOMPARE(shown("numAns2"), QString("167018"));
    }

    void aFutureValueTooLargeIsNotShownNorPrinted()
    {
        auto* label = find<QLabel>("Label2_12");
        QCOMPARE(label->text(), QString("Amount too large to display"));
        QVERIFY(!label->isVisible());
        typeCase("1000", "40", "40");
        click("cmdCalculate");
        QCOMPARE(shown("numAns1"), QString("700037697"));
        QVERIFY(find("numAns1")->isVisible());

        typeAndLeave("numPresCost", "20000");
        click("cmdPrint"); // calculates first
        QVERIFY(label->isVisible());
        QVERIFY(!find("numAns1")->isVisible());
        QVERIFY(!screen_->printPanel()->isVisible());
        QCOMPARE(QApplication::focusWidget(), find("cmdOK"));
        QCOMPARE(printedRow().value("PresCost").toDouble(), 0.0);

        typeAndLeave("numPresCost", "1000");
        click("cmdCalculate");
        QVERIFY(!label->isVisible());
        QCOMPARE(shown("numAns1"), QString("700037697"));
    }

    void spinnersWrapRoundTheirRanges()
    {
        typeCase("100000", "1", "30");
        click("cmdCalculate");
        QSignalSpy periodBeeps(find<SpinnerStep>("spPeriod"), &SpinnerStep::beeped);
        spin("spPeriod", -1);
        QCOMPARE(periodBeeps.count(), 1);
        QCOMPARE(shown("numPeriod"), QString("40"));
        QCOMPARE(state_->Finance.Inflation.Period, 40.0);
        QCOMPARE(QApplication::focusWidget(), find("cmdOK"));
        QCOMPARE(shown("numAns1"), QString("3611886481")); // recalculated
        QCOMPARE(screen_->working().Steps().back().Amount, state_->Finance.Inflation.FutureValue); // and explained
        spin("spPeriod", 1);
        QCOMPARE(shown("numPeriod"), QString("1"));
        QCOMPARE(state_->Finance.Inflation.Period, 1.0);
        QCOMPARE(shown("numAns1"), QString("130000"));
        QCOMPARE(periodBeeps.count(), 1);

        QSignalSpy rateBeeps(find<SpinnerStep>("spInflation"), &SpinnerStep::beeped);
        spin("spInflation", 1);
        QCOMPARE(shown("numInflaRate"), QString("-5.000"));
        QCOMPARE(state_->Finance.Inflation.Rate, -5.0);
        QCOMPARE(shown("numAns1"), QString("95000"));
        QCOMPARE(QApplication::focusWidget(), find("cmdOK"));
        spin("spInflation", -1);
        QCOMPARE(shown("numInflaRate"), QString("30.000"));
        QCOMPARE(state_->Finance.Inflation.Rate, 30.0);
        typeAndLeave("numInflaRate", "-0.25");
        spin("spInflation", 1);
        QCOMPARE(rateBeeps.count(), 1);
        QCOMPARE(shown("numInflaRate"), QString("0.000"));
        QCOMPARE(shown("numAns1"), QString("100000"));

        // Tab from the period goes on to the rate box (the spinner is no stop), where a digit
        // typed lands; the Up and Down keys there step the rate.
        find("numPeriod")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(find("numPeriod"), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_6);
        QCOMPARE(state_->Finance.Inflation.Rate, 6.0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(shown("numInflaRate"), QString("5.750"));

        // A period of 0 is not stepped.
        typeAndLeave("numPeriod", "0");
        spin("spPeriod", 1);
        QCOMPARE(shown("numPeriod"), QString("0"));
        QCOMPARE(state_->Finance.Inflation.Period, 0.0);
        QCOMPARE(QApplication::focusWidget(), find("cmdOK"));
    }

    void periodAndRateKeepToTheirLimits()
    {
        typeCase("100000", "10", "6");
        MessageBoxWatcher watcher;
        type("numPeriod", "41");
        QTRY_COMPARE(watcher.texts(), QStringList{"The maximum period allowed 40 years"});
        QCOMPARE(watcher.titles(), QStringList{"Incorrect Period!"});
        QCOMPARE(state_->Finance.Inflation.Period, 10.0); // never the "4" typed on the way
        QTRY_COMPARE(area_->focusWidget(), find("numPeriod"));
        type("numPeriod", "40");
        QCOMPARE(state_->Finance.Inflation.Period, 40.0);

        type("numInflaRate", "41");
        QTRY_COMPARE(watcher.texts().size(), 2);
        QCOMPARE(watcher.texts().last(), QString("The range of the Inflation Rate is between -5% and 40%"));
        QCOMPARE(watcher.titles().last(), QString("Incorrect Inflation Rate!"));
        QCOMPARE(state_->Finance.Inflation.Rate, 6.0);
        QTRY_COMPARE(area_->focusWidget(), find("numInflaRate"));
        type("numInflaRate", "-6");
        QTRY_COMPARE(watcher.texts().size(), 3);
        QCOMPARE(watcher.titles().last(), QString("Incorrect Inflation Rate!"));
        QCOMPARE(state_->Finance.Inflation.Rate, 6.0);
        type("numInflaRate", "-4.5");
        QCOMPARE(state_->Finance.Inflation.Rate, -4.5);
        QCOMPARE(watcher.texts().size(), 3);
    }

    void theCostKeepsToTheLimitOfRevoraCalc()
    {
        // The box takes whole rand.
        expectsTheAmountLimit("numPresCost", state_->Finance.Inflation.PresentCost, "9999999999");
    }

    void valuesOutliveTheScreenUntilInitialiseAll()
    {
        typeCase("100000", "10", "6");
        closeScreen();
        open();
        QCOMPARE(shown("numPresCost"), QString("100000"));
        QCOMPARE(shown("numPeriod"), QString("10"));
        QCOMPARE(shown("numInflaRate"), QString("6.000"));
        QCOMPARE(shown("numAns1"), QString("179085")); // opening calculates
        closeScreen();
        state_->InitialiseAll();
        open();
        QCOMPARE(shown("numPresCost"), QString("0"));
        QCOMPARE(shown("numAns1"), QString("0"));
        QCOMPARE(shown("numAns2"), QString("0"));
    }

    void printWritesTheRowAndCancelKeepsIt()
    {
        typeCase("100000", "10", "6");
        click("cmdPrint");
        QVERIFY(screen_->printPanel()->isVisible());
        QCOMPARE(find<QPushButton>("cmdPrintCancel")->text(), QString("C&ancel"));
        QSqlRecord row = printedRow();
        QCOMPARE(row.value("PresCost").toDouble(), 100000.0);
        QCOMPARE(row.value("Period").toDouble(), 10.0);
        QCOMPARE(row.value("InflaRate").toDouble(), 6.0);
        QCOMPARE(qRound(row.value("Ans1").toDouble() * 100), 17908477);
        QCOMPARE(qRound(row.value("ANS2").toDouble() * 100), 5583948);
        click("cmdPrintCancel");
        QVERIFY(!screen_->printPanel()->isVisible());
        QCOMPARE(printedRow().value("PresCost").toDouble(), 100000.0);
        QVERIFY(state_->ReportWindowTitle.isEmpty()); // the report was not run

        // The report holds the figures of the inputs as they stand when it is asked for.
        MessageBoxWatcher watcher;
        click("cmdPrint");
        state_->Finance.Inflation.PresentCost = 50000.0;
        QTest::mouseClick(screen_->printPanel()->viewButton(), Qt::LeftButton);
        QVERIFY(!screen_->printPanel()->isVisible());
        QCOMPARE(state_->ReportWindowTitle,
                 QString("Inflation - To export printout click on the suitcase button or goto Help"));
        QCOMPARE(printedRow().value("PresCost").toDouble(), 50000.0);
        QCOMPARE(qRound(printedRow().value("Ans1").toDouble() * 100), 8954238);
        QCOMPARE(watcher.texts(), QStringList());
    }

    void aDamagedReportDatabaseIsNamedAndNoPanelShows()
    {
        QByteArray garbage;
        for (int i = 0; i < 256; ++i)
            garbage += "not a database ";
        QFile file(state_->Paths.ReportDbPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(garbage);
        file.close();

        typeCase("100000", "10", "6");
        MessageBoxWatcher watcher;
        click("cmdPrint");
        QTRY_COMPARE(watcher.texts().size(), 1);
        QVERIFY2(watcher.texts()[0].contains("Crysprin"), qPrintable(watcher.texts()[0]));
        QVERIFY(!screen_->printPanel()->isVisible());
        QCOMPARE(revora::testing::ReadAll(state_->Paths.ReportDbPath), garbage);
        QCOMPARE(shown("numAns1"), QString("179085")); // the figures stay on the screen
    }
};

REVORA_UI_TEST(InflationScreenTest)
#include "InflationScreenTest.moc"
