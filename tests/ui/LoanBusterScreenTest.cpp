// The loan buster screen as a borrower drives it: the figures through the boxes, an extra
// payment too large to apply, the box limits with their messages, the boxes filled from the
// stored values, and printing only a loan with a principal, always with the figures shown.

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSqlRecord>
#include <QTest>

#include "finance/LoanBusterScreen.h"
#include "ui/UiTest.h"
#include "AppState.h"
#include "NumberBox.h"
#include "PrintPanel.h"
#include "ReportDatabase.h"
#include "ui/ScreenFixture.h"
#include "ui/ScreenTestSupport.h"

using namespace revora;
using revora::testing::MessageBoxWatcher;
using revora::testing::ScreenFixtureOptions;

class LoanBusterScreenTest : public QObject, public revora::testing::ScreenFixture<LoanBusterScreen> {
    Q_OBJECT

    // 100 000 over 240 months at 12 %, paying 100 a month more.
    void typeLoan(const QString& extra = QStringLiteral("100")) const
    {
        type("numPrinAmount", "100000");
        type("numPeriod", "240");
        type("numIntRate", "12");
        type("numXtraPay", extra);
    }
    QSqlRecord printedRow() const { return ReadReportTable(state_->Paths, "BondBust").value(0); }
    static bool near(const QVariant& value, double expected) { return std::fabs(value.toDouble() - expected) < 0.005; }

private slots:
    void init() { setUp(ScreenFixtureOptions().sized(1100, 700).titledFromScreen()); }
    void cleanup() { tearDown(); }

    void opensWithItsCaptionsAndAnEmptyPeriod()
    {
        QCOMPARE(sub_->windowTitle(), QString("Loan Buster"));
        QStringList captions;
        for (QLabel* label : screen_->findChildren<QLabel*>())
            captions << label->text();
        for (const char* caption : {"Principal amount", "Period", "months", "Interest rate", "% p.a.",
                                    "Extra voluntary payments", "Monthly repayment", "Total interest",
                                    "Total repayments", "Total saving"})
            QVERIFY2(captions.contains(caption), caption);
        QCOMPARE(find<QPushButton>("cmdCalculate")->text(), QString("&Calculate"));
        QVERIFY(find<QPushButton>("cmdCalculate")->isDefault());
        QCOMPARE(find<QPushButton>("cmdOK")->text(), QString("&OK"));
        QCOMPARE(find<QPushButton>("cmdPrint")->text(), QString("&Print"));
        QCOMPARE(find<QPushButton>("cmdPrintCancel")->text(), QString("C&ancel"));
        QCOMPARE(shown("numPeriod"), QString("0"));
        QCOMPARE(shown("numMonRePay"), QString("0.00"));
        QVERIFY(find<QLineEdit>("numAns1_7")->isReadOnly());
        QVERIFY(!screen_->printPanel()->isVisible());
    }

    void extraPaymentShortensTheLoan()
    {
        typeLoan();
        QCOMPARE(screen_->period(), std::int16_t{240});
        QCOMPARE(state_->Finance.LoanBuster.Rate, 12.0F);
        click("cmdCalculate");
        QCOMPARE(shown("numMonRePay"), QString("1 101.09"));
        QCOMPARE(shown("numAns1_0"), QString("164 260.67"));
        QCOMPARE(shown("numAns1_1"), QString("264 260.67"));
        QCOMPARE(shown("numAns1_2"), QString("100 000.00"));
        QCOMPARE(shown("numAns2"), QString("179"));
        QCOMPARE(shown("numAns1_3"), QString("12.000"));
        QCOMPARE(shown("numAns1_4"), QString("1 202.58"));
        QCOMPARE(shown("numAns1_5"), QString("115 261.13"));
        QCOMPARE(shown("numAns1_6"), QString("215 261.13"));
        QCOMPARE(shown("numAns1_7"), QString("48 999.54"));
        // The extra actually needed is written back.
        QCOMPARE(shown("numXtraPay"), QString("101.49"));
        QVERIFY(std::fabs(state_->Finance.LoanBuster.Extra - 101.49) < 1e-6);

        // Calculating again from the extra written back gives the same loan.
        click("cmdCalculate");
        QCOMPARE(shown("numAns2"), QString("179"));
        QCOMPARE(shown("numXtraPay"), QString("101.49"));
        QCOMPARE(shown("numAns1_7"), QString("48 999.54"));

        // No extra: the second column is the loan as it stands, with nothing saved.
        type("numXtraPay", "0");
        click("cmdCalculate");
        QCOMPARE(shown("numAns1_5"), QString("164 260.67"));
        QCOMPARE(shown("numAns1_6"), QString("264 260.67"));
        QCOMPARE(shown("numAns1_7"), QString("0.00"));
        QCOMPARE(shown("numXtraPay"), QString("0.00"));
    }

    void extraAboveTenRepaymentsIsNotApplied()
    {
        typeLoan();
        click("cmdCalculate");
        // 10 x R is 11 010.861: a cent below is applied, a cent above is refused, and nothing
        // of the extra before is left to show or print.
        MessageBoxWatcher watcher;
        type("numXtraPay", "11010.87");
        click("cmdPrint");
        QTRY_COMPARE(watcher.texts(),
                     QStringList{"The extra payment may be at most ten times the monthly repayment: R 11 010.86"});
        QVERIFY(!screen_->printPanel()->isVisible());
        QCOMPARE(shown("numAns2"), QString());
        QCOMPARE(shown("numAns1_7"), QString());
        QCOMPARE(shown("numXtraPay"), QString("11 010.87"));
        QCOMPARE(shown("numMonRePay"), QString("1 101.09"));

        type("numXtraPay", "11010.86");
        click("cmdCalculate");
        QVERIFY(shown("numAns2").toInt() < 20);
        QVERIFY(shown("numAns1_7") != QString("48 999.54"));
        for (const char* name : {"numAns1_4", "numAns1_5", "numAns1_6", "numAns1_7", "numXtraPay"})
            QVERIFY2(!shown(name).isEmpty(), name);
    }

    void missingInputsGiveNoRepayment()
    {
        type("numPrinAmount", "100000");
        type("numIntRate", "12");
        click("cmdCalculate"); // the period is 0
        for (const char* name : {"numMonRePay", "numAns1_0", "numAns1_1"})
            QCOMPARE(shown(name), QString("0.00"));
    }

    void boxLimitsAreRefusedWithTheirMessages()
    {
        MessageBoxWatcher watcher;
        // A refused edit goes back to the value from before it, never to the "5" typed on the way.
        const QString rate = shown("numIntRate");
        const QString period = shown("numPeriod");
        type("numIntRate", "51");
        QTRY_COMPARE(watcher.texts().size(), 1);
        QCOMPARE(watcher.titles()[0], QString("Incorrect Interest Rate!"));
        QCOMPARE(watcher.texts()[0], QString("The maximum interest rate allowed is 50%"));
        QTRY_COMPARE(area_->focusWidget(), find("numIntRate"));
        QCOMPARE(shown("numIntRate"), rate);
        QCOMPARE(state_->Finance.LoanBuster.Rate, rate.toFloat());
        type("numIntRate", "50");
        QCOMPARE(state_->Finance.LoanBuster.Rate, 50.0F);

        type("numPeriod", "601");
        QTRY_COMPARE(watcher.texts().size(), 2);
        QCOMPARE(watcher.titles()[1], QString("Incorrect Period!"));
        QCOMPARE(watcher.texts()[1], QString("The maximum period  allowed is 600 months"));
        QTRY_COMPARE(area_->focusWidget(), find("numPeriod"));
        QCOMPARE(shown("numPeriod"), period);
        QCOMPARE(screen_->period(), period.toShort());
        type("numPeriod", "600");
        QCOMPARE(screen_->period(), std::int16_t{600});
        QCOMPARE(watcher.texts().size(), 2);
    }

    void theAmountsKeepToTheLimitOfRevoraCalc()
    {
        expectsTheAmountLimit("numPrinAmount", state_->Finance.LoanBuster.Principal);
        expectsTheAmountLimit("numXtraPay", state_->Finance.LoanBuster.Extra);
    }

    void boxesComeFromTheStoredValues()
    {
        typeLoan();
        click("cmdCalculate");
        state_->Finance.LoanBuster.Principal = 250000.0;
        screen_->activated();
        QCOMPARE(shown("numPrinAmount"), QString("250 000.00"));
        QCOMPARE(shown("numPeriod"), QString("240"));

        // The period is the screen's own; the rest outlives it until "&Initialise All".
        closeScreen();
        open();
        QCOMPARE(shown("numPrinAmount"), QString("250 000.00"));
        QCOMPARE(shown("numIntRate"), QString("12.00"));
        QCOMPARE(shown("numXtraPay"), QString("101.49"));
        QCOMPARE(shown("numPeriod"), QString("0"));
        closeScreen();
        state_->InitialiseAll();
        open();
        for (const char* name : {"numPrinAmount", "numIntRate", "numXtraPay"})
            QCOMPARE(shown(name), QString("0.00"));
    }

    void printWithoutPrincipalWritesNothing()
    {
        const QSqlRecord before = printedRow();
        type("numPeriod", "240");
        type("numIntRate", "12");
        click("cmdPrint");
        QVERIFY(!screen_->printPanel()->isVisible());
        QTRY_COMPARE(area_->focusWidget(), find("cmdOK"));
        const QSqlRecord after = printedRow();
        QCOMPARE(after.count(), before.count());
        for (int i = 0; i < before.count(); ++i)
            QCOMPARE(after.value(i), before.value(i));
    }

    void printThenCancelLeavesTheRowWritten()
    {
        typeLoan();
        click("cmdPrint"); // calculates first
        QVERIFY(screen_->printPanel()->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), screen_->printPanel()->viewButton());
        QCOMPARE(shown("numAns2"), QString("179"));
        click("cmdPrintCancel");
        QVERIFY(!screen_->printPanel()->isVisible());
        const QSqlRecord row = printedRow();
        QVERIFY(near(row.value("PAmt"), 100000.0));
        QCOMPARE(row.value("Period").toInt(), 240);
        QVERIFY(near(row.value("IntRate"), 12.0));
        QVERIFY(near(row.value("MonRep"), 1101.0861));
        QVERIFY(near(row.value("XtraPay"), 101.49));
        QCOMPARE(row.value("Xper").toInt(), 179);
        QVERIFY(near(row.value("XTotSavings"), 48999.54));
        QVERIFY(state_->ReportWindowTitle.isEmpty()); // no report was run

        // Esc on the panel is its "C&ancel" too.
        click("cmdPrint");
        QVERIFY(screen_->printPanel()->isVisible());
        QTest::keyClick(screen_->printPanel()->viewButton(), Qt::Key_Escape);
        QVERIFY(!screen_->printPanel()->isVisible());
    }

    void viewPrintsTheFiguresOfTheInputsShown()
    {
        MessageBoxWatcher watcher;
        typeLoan();
        click("cmdPrint");
        QVERIFY(screen_->printPanel()->isVisible());
        // Changed while the panel is up: the printout follows the box, not the first write.
        type("numPrinAmount", "200000");
        QTest::mouseClick(screen_->printPanel()->viewButton(), Qt::LeftButton);
        QVERIFY(!screen_->printPanel()->isVisible());
        QCOMPARE(watcher.texts(), QStringList());
        QCOMPARE(state_->ReportWindowTitle, QString("Loan Buster"));
        const QSqlRecord row = printedRow();
        QVERIFY(near(row.value("PAmt"), 200000.0));
        QVERIFY(near(row.value("MonRep"), 2202.1722));
        QCOMPARE(shown("numMonRePay"), QString("2 202.17"));
        QCOMPARE(row.value("Xper").toInt(), shown("numAns2").toInt());
        QVERIFY(near(row.value("XMonRep"), LeadingNumberOf(shown("numAns1_4"))));
    }

private:
    static double LeadingNumberOf(const QString& shownAmount)
    {
        QString digits = shownAmount;
        return digits.remove(QLatin1Char(' ')).toDouble();
    }
};

REVORA_UI_TEST(LoanBusterScreenTest)
#include "LoanBusterScreenTest.moc"
