// The daily balance screen as a clerk drives it: the interest through the boxes, the empty
// date boxes and their limits, the two spinners, the rate limit, and the printout's one row.

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlRecord>
#include <QTest>
#include <QToolButton>

#include "finance/DailyBalanceScreen.h"
#include "ui/UiTest.h"
#include "AppState.h"
#include "DateBox.h"
#include "NumberBox.h"
#include "PrintPanel.h"
#include "ReportDatabase.h"
#include "ui/ScreenFixture.h"
#include "ui/ScreenTestSupport.h"
#include "SpinnerStep.h"

using namespace revora;
using revora::testing::MessageBoxWatcher;
using revora::testing::ScreenFixtureOptions;

namespace {
constexpr int FirstMarch = 42064; // 01/03/2015
constexpr int LastMarch = 42094;  // 31/03/2015
} // namespace

class DailyBalanceScreenTest : public QObject, public revora::testing::ScreenFixture<DailyBalanceScreen> {
    Q_OBJECT

    void spin(const char* name, int direction) const
    {
        auto* spinner = find<SpinnerStep>(name);
        QTest::mouseClick(direction > 0 ? spinner->upButton() : spinner->downButton(), Qt::LeftButton);
    }
    // R 100 000 at 10 % through March 2015.
    void typeMarchCase() const
    {
        typeAndLeave("numCapAmount", "100000");
        typeAndLeave("numIntRate", "10");
        typeAndLeave("dtStartDate", "01/03/2015");
        typeAndLeave("dtEndDate", "31/03/2015");
    }
    QSqlRecord printedRow() const { return ReadReportTable(state_->Paths, "DailyBal").value(0); }

private slots:
    void init()
    {
        setUp(ScreenFixtureOptions().sized(900, 600).announcingActivation().clearingEmptyTextWith(Qt::Key_Delete));
    }
    void cleanup() { tearDown(); }

    void interestAccruesOverTheDaysBetweenTheDates()
    {
        QCOMPARE(sub_->windowTitle(), QString("Daily Balance"));
        QCOMPARE(shown("dtStartDate"), QString());
        QCOMPARE(shown("dtEndDate"), QString());
        QCOMPARE(shown("numAnsDB2"), QString("0"));
        typeMarchCase();
        QCOMPARE(shown("numCapAmount"), QString("100000.00")); // its own plain format on leaving
        QCOMPARE(shown("numIntRate"), QString("10.000"));
        QCOMPARE(state_->Finance.DailyBalance.Capital, 100000.0F);
        QCOMPARE(state_->Finance.DailyBalance.StartDate, FirstMarch);
        QCOMPARE(state_->Finance.DailyBalance.EndDate, LastMarch);
        QCOMPARE(shown("numAnsDB2"), QString("0")); // typing does not recalculate
        click("cmdCalculate");
        QCOMPARE(shown("numAnsDB2"), QString("30"));
        QCOMPARE(shown("numAnsDB1"), QString("821.92"));

        // The same date twice: no day, no interest, and nothing to print.
        typeAndLeave("dtEndDate", "01/03/2015");
        click("cmdCalculate");
        QCOMPARE(shown("numAnsDB2"), QString("0"));
        QCOMPARE(shown("numAnsDB1"), QString("0.00"));
        click("cmdPrint");
        QVERIFY(!screen_->printPanel()->isVisible());
        QCOMPARE(QApplication::focusWidget(), find("cmdOK"));
        QCOMPARE(printedRow().value("ANS2").toInt(), 0);
        QCOMPARE(printedRow().value("CapAmount").toDouble(), 0.0);
    }

    void calculatingNeedsBothDates()
    {
        typeAndLeave("numCapAmount", "100000");
        typeAndLeave("numIntRate", "10");
        typeAndLeave("dtStartDate", "01/03/2015");
        QCOMPARE(state_->Finance.DailyBalance.EndDate, DateNotSet);
        click("cmdCalculate");
        QCOMPARE(shown("numAnsDB2"), QString("0"));
        // Opening again runs the figures: an end date not set counts no days, not the days
        // since 1800.
        closeScreen();
        open();
        QCOMPARE(shown("dtStartDate"), QString("01/03/2015"));
        QCOMPARE(shown("dtEndDate"), QString());
        QCOMPARE(shown("numAnsDB2"), QString("0"));
        QCOMPARE(shown("numAnsDB1"), QString("0.00"));

        // Emptying a date box takes it back to "not set", without a message.
        typeAndLeave("dtEndDate", "31/03/2015");
        click("cmdCalculate");
        QCOMPARE(shown("numAnsDB2"), QString("30"));
        MessageBoxWatcher watcher;
        typeAndLeave("dtStartDate", "");
        QCOMPARE(state_->Finance.DailyBalance.StartDate, DateNotSet);
        QCOMPARE(shown("dtStartDate"), QString());
        QTest::qWait(60);
        QCOMPARE(watcher.texts(), QStringList());
        click("cmdCalculate");
        QCOMPARE(shown("numAnsDB2"), QString("30")); // the button waited for both dates
    }

    void valuesOutliveTheScreenUntilInitialiseAll()
    {
        typeMarchCase();
        closeScreen();
        open();
        QCOMPARE(shown("numCapAmount"), QString("100000.00"));
        QCOMPARE(shown("dtStartDate"), QString("01/03/2015"));
        QCOMPARE(shown("dtEndDate"), QString("31/03/2015"));
        QCOMPARE(shown("numAnsDB2"), QString("30"));
        closeScreen();
        state_->InitialiseAll();
        open();
        QCOMPARE(shown("dtStartDate"), QString());
        QCOMPARE(shown("dtEndDate"), QString());
        QCOMPARE(shown("numAnsDB2"), QString("0"));
        QCOMPARE(shown("numCapAmount"), QString("0.00"));
        QCOMPARE(shown("numIntRate"), QString("0.000"));
    }

    void rateSpinnerWrapsRoundAndBeepsAtZero()
    {
        typeMarchCase();
        click("cmdCalculate");
        QSignalSpy beeps(find<SpinnerStep>("spRate"), &SpinnerStep::beeped);
        typeAndLeave("numIntRate", "0.25");
        spin("spRate", -1);
        QCOMPARE(beeps.count(), 1);
        QCOMPARE(shown("numIntRate"), QString("50.000"));
        QCOMPARE(state_->Finance.DailyBalance.Rate, 50.0F);
        QCOMPARE(shown("numAnsDB1"), QString("4109.59")); // recalculated at 50 %
        QCOMPARE(QApplication::focusWidget(), find("cmdOK"));
        spin("spRate", 1);
        QCOMPARE(beeps.count(), 1);
        QCOMPARE(shown("numIntRate"), QString("0.250"));
        QCOMPARE(state_->Finance.DailyBalance.Rate, 0.25F);
        QCOMPARE(shown("numAnsDB1"), QString("20.55"));
        QCOMPARE(QApplication::focusWidget(), find("cmdOK"));

        // The Up and Down keys in the rate box step it too; the box keeps the focus.
        find("numIntRate")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(find("numIntRate"), Qt::Key_Up);
        QCOMPARE(shown("numIntRate"), QString("0.500"));
        QCOMPARE(QApplication::focusWidget(), find("numIntRate"));

        // A rate of 0 is not stepped, but the focus still goes to "&OK".
        typeAndLeave("numIntRate", "0");
        spin("spRate", 1);
        QCOMPARE(shown("numIntRate"), QString("0.000"));
        QCOMPARE(state_->Finance.DailyBalance.Rate, 0.0F);
        QCOMPARE(QApplication::focusWidget(), find("cmdOK"));
    }

    void dateSpinnerStepsTheEndDateButNeverBeforeTheStart()
    {
        // Nothing to step from without a start date, nor any working.
        spin("spDate", 1);
        QCOMPARE(shown("dtEndDate"), QString());
        QCOMPARE(state_->Finance.DailyBalance.EndDate, DateNotSet);
        QVERIFY(screen_->working().Empty());

        typeAndLeave("numCapAmount", "100000");
        typeAndLeave("numIntRate", "10");
        typeAndLeave("dtStartDate", "01/03/2015");
        // An end date not set is stepped from the start.
        spin("spDate", 1);
        QCOMPARE(shown("dtEndDate"), QString("02/03/2015"));
        QCOMPARE(shown("numAnsDB2"), QString("1"));
        QCOMPARE(screen_->working().Steps().front().Amount, 1.0); // the working follows each step
        spin("spDate", -1);
        QCOMPARE(shown("dtEndDate"), QString("01/03/2015"));
        QCOMPARE(shown("numAnsDB2"), QString("0"));
        QSignalSpy beeps(find<SpinnerStep>("spDate"), &SpinnerStep::beeped);
        spin("spDate", -1); // stopped at the start, with a beep
        QCOMPARE(beeps.count(), 1);
        QCOMPARE(shown("dtEndDate"), QString("01/03/2015"));
        QCOMPARE(state_->Finance.DailyBalance.EndDate, FirstMarch);
        QCOMPARE(shown("numAnsDB2"), QString("0"));
        QCOMPARE(shown("numAnsDB1"), QString("0.00"));
        spin("spDate", 1);
        QCOMPARE(shown("dtEndDate"), QString("02/03/2015"));
        QCOMPARE(shown("numAnsDB2"), QString("1"));
    }

    void datesOutsideTheirLimitsAreRefused()
    {
        MessageBoxWatcher watcher;
        typeAndLeave("dtStartDate", "31/04/2015");
        QTRY_COMPARE(watcher.texts(), QStringList{"The date entered is invalid please enter a valid date."});
        QCOMPARE(watcher.titles(), QStringList{"INVALID DATE"});
        QCOMPARE(shown("dtStartDate"), QString());
        QCOMPARE(state_->Finance.DailyBalance.StartDate, DateNotSet);
        QTRY_COMPARE(area_->focusWidget(), find("dtStartDate"));

        // With no start date to measure from, a date before 1800 is no date at all.
        typeAndLeave("dtEndDate", "01/01/1700");
        QTRY_COMPARE(watcher.texts().size(), 2);
        QCOMPARE(watcher.titles().last(), QString("INVALID DATE"));
        QCOMPARE(shown("dtEndDate"), QString());

        typeAndLeave("dtStartDate", "01/03/2015");
        // More than 10 960 days after the start.
        typeAndLeave("dtEndDate", "04/03/2045");
        QTRY_COMPARE(watcher.texts().size(), 3);
        QCOMPARE(watcher.texts().last(), QString("The date entered is more than 30 years(360 months) after 01/03/2015."));
        QCOMPARE(watcher.titles().last(), QString("DATE OUT OF RANGE"));
        QCOMPARE(state_->Finance.DailyBalance.EndDate, DateNotSet);
        QTRY_COMPARE(area_->focusWidget(), find("dtEndDate"));
        // The last day of the span is taken.
        typeAndLeave("dtEndDate", "03/03/2045");
        QCOMPARE(state_->Finance.DailyBalance.EndDate, FirstMarch + DailyBalanceSpan);
        typeAndLeave("dtEndDate", "28/02/2015");
        QTRY_COMPARE(watcher.texts().size(), 4);
        QCOMPARE(watcher.texts().last(), QString("The date entered is before the start date 01/03/2015."));
        typeAndLeave("dtEndDate", "31/03/2015");

        // The start must come before the end, within the span.
        typeAndLeave("dtStartDate", "01/01/1980");
        QTRY_COMPARE(watcher.texts().size(), 5);
        QCOMPARE(watcher.texts().last(), QString("The date entered is more than 30 years(360 months) before 31/03/2015."));
        QCOMPARE(watcher.titles().last(), QString("DATE OUT OF RANGE"));
        QCOMPARE(shown("dtStartDate"), QString("01/03/2015"));
        QCOMPARE(state_->Finance.DailyBalance.StartDate, FirstMarch);
        QTRY_COMPARE(area_->focusWidget(), find("dtStartDate"));
        typeAndLeave("dtStartDate", "31/03/2015");
        QTRY_COMPARE(watcher.texts().size(), 6);
        QCOMPARE(watcher.texts().last(), QString("The date entered is not before the end date 31/03/2015."));
        QCOMPARE(state_->Finance.DailyBalance.StartDate, FirstMarch);
    }

    void rateAboveFortyIsRefused()
    {
        typeAndLeave("numIntRate", "12.5");
        MessageBoxWatcher watcher;
        type("numIntRate", "41");
        QTRY_COMPARE(watcher.texts(), QStringList{"The maximum Interest Rate allowed is 40%"});
        QCOMPARE(watcher.titles(), QStringList{"Incorrect Interest Rate!"});
        QCOMPARE(state_->Finance.DailyBalance.Rate, 12.5F); // never the "4" typed before the refused "1"
        QTRY_COMPARE(area_->focusWidget(), find("numIntRate"));
        type("numIntRate", "40");
        QCOMPARE(state_->Finance.DailyBalance.Rate, 40.0F);
        QCOMPARE(watcher.texts().size(), 1);
    }

    void theCapitalKeepsToTheLimitOfRevoraCalc()
    {
        expectsTheAmountLimit("numCapAmount", state_->Finance.DailyBalance.Capital);
    }

    void printWritesTheRowAndCancelKeepsIt()
    {
        typeMarchCase();
        click("cmdPrint"); // calculates first
        QVERIFY(screen_->printPanel()->isVisible());
        QCOMPARE(find<QPushButton>("cmdPrintCancel")->text(), QString("C&ancel"));
        QSqlRecord row = printedRow();
        QCOMPARE(row.value("CapAmount").toDouble(), 100000.0);
        QCOMPARE(row.value("StartDate").toInt(), FirstMarch);
        QCOMPARE(row.value("EndDate").toInt(), LastMarch);
        QCOMPARE(row.value("IntRate").toDouble(), 10.0);
        QCOMPARE(qRound(row.value("ANS1").toDouble() * 100), 82192);
        QCOMPARE(row.value("ANS2").toInt(), 30);
        click("cmdPrintCancel");
        QVERIFY(!screen_->printPanel()->isVisible());
        QCOMPARE(printedRow().value("ANS2").toInt(), 30);
        QVERIFY(state_->ReportWindowTitle.isEmpty()); // the report was not run

        // The report shows the figures of the inputs on the screen when it is asked for.
        MessageBoxWatcher watcher;
        click("cmdPrint");
        state_->Finance.DailyBalance.Capital = 200000.0F;
        QTest::mouseClick(screen_->printPanel()->viewButton(), Qt::LeftButton);
        QVERIFY(!screen_->printPanel()->isVisible());
        QCOMPARE(state_->ReportWindowTitle, QString("Daily Balance Calculation"));
        QCOMPARE(printedRow().value("CapAmount").toDouble(), 200000.0);
        QCOMPARE(qRound(printedRow().value("ANS1").toDouble() * 100), 164384);
        QCOMPARE(watcher.texts(), QStringList());
    }

    void dateBoxMayBeLeftEmptyOnlyWhenAsked()
    {
        DateBox plain;
        plain.setDate(DateNotSet);
        QCOMPARE(plain.text(), QString("01/01/1800"));
        QVERIFY(!plain.isUnset());

        DateBox box;
        box.setDate(FirstMarch);
        box.setEmptyAllowed(DateNotSet);
        QCOMPARE(box.text(), QString("01/03/2015"));
        QVERIFY(!box.isUnset());
        box.setDate(DateNotSet);
        QCOMPARE(box.text(), QString());
        QVERIFY(box.isUnset());
    }
};

REVORA_UI_TEST(DailyBalanceScreenTest)
#include "DailyBalanceScreenTest.moc"
