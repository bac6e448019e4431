// The loan comparison screen as a borrower drives it: the grid of the six terms through the
// boxes, the rate limit, the grid filled again on reopening, and printing only an amount with
// a rate, always with the figures shown.

#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSqlRecord>
#include <QTableWidget>
#include <QTest>

#include "finance/LoanComparisonScreen.h"
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

class LoanComparisonScreenTest : public QObject, public revora::testing::ScreenFixture<LoanComparisonScreen> {
    Q_OBJECT

    QTableWidget* grid() const { return screen_->findChild<QTableWidget*>(); }
    QString cell(int row, int column) const { return grid()->item(row, column)->text(); }
    void typeLoan() const
    {
        type("numBAmt", "100000");
        type("numIntRate", "12");
    }
    QSqlRecord printedRow() const { return ReadReportTable(state_->Paths, "BondComp").value(0); }
    static bool near(const QVariant& value, double expected) { return std::fabs(value.toDouble() - expected) < 0.005; }
    void verifyNothingWritten(const QSqlRecord& before) const
    {
        const QSqlRecord after = printedRow();
        QCOMPARE(after.count(), before.count());
        for (int i = 0; i < before.count(); ++i)
            QCOMPARE(after.value(i), before.value(i));
    }

private slots:
    void init() { setUp(ScreenFixtureOptions().sized(1000, 700).titledFromScreen()); }
    void cleanup() { tearDown(); }

    void opensOnAGridOfTheSixTerms()
    {
        QCOMPARE(sub_->windowTitle(), QString("Loan Comparison"));
        QStringList captions;
        for (QLabel* label : screen_->findChildren<QLabel*>())
            captions << label->text();
        for (const char* caption : {"Bond amount", "Interest rate", "%p.a."})
            QVERIFY2(captions.contains(caption), caption);
        QCOMPARE(find<QPushButton>("cmdPrintCancel")->text(), QString("C&ancel"));
        QVERIFY(find<QPushButton>("cmdCalculate")->isDefault());

        QTableWidget* table = grid();
        QVERIFY(table);
        QCOMPARE(table->rowCount(), 6);
        QCOMPARE(table->columnCount(), 4);
        const QStringList headers{" Period ", "Monthly repayment", "   Total Interest   ", "  Total Paid    "};
        for (int c = 0; c < 4; ++c)
            QCOMPARE(table->horizontalHeaderItem(c)->text(), headers[c]);
        const QStringList labels{"5 yrs.", "10 yrs.", "15 yrs.", "20 yrs.", "25 yrs.", "30 yrs."};
        for (int r = 0; r < 6; ++r) {
            QCOMPARE(cell(r, 0), labels[r]);
            // Nothing borrowed: nothing repaid, and no "-0.00" of interest.
            for (int c = 1; c < 4; ++c)
                QCOMPARE(cell(r, c), QString("0.00 "));
        }
        // The whole grid shows without scrolling.
        QVERIFY(table->viewport()->height() >= table->rowHeight(0) * 6);
    }

    void calculateFillsTheGrid()
    {
        typeLoan();
        QCOMPARE(state_->Finance.LoanComparison.Amount, 100000.0);
        QCOMPARE(state_->Finance.LoanComparison.Rate, 12.0F);
        click("cmdCalculate");
        QCOMPARE(cell(0, 1), QString("2 224.44 "));
        QCOMPARE(cell(3, 0), QString("20 yrs."));
        QCOMPARE(cell(3, 1), QString("1 101.09 "));
        QCOMPARE(cell(3, 2), QString("164 260.67 "));
        QCOMPARE(cell(3, 3), QString("264 260.67 "));
        // Longer terms cost less a month and more in all.
        for (int r = 1; r < 6; ++r) {
            QVERIFY(screen_->rows()[r].Repayment < screen_->rows()[r - 1].Repayment);
            QVERIFY(screen_->rows()[r].TotalPaid > screen_->rows()[r - 1].TotalPaid);
        }
        // At 0 % the amount is repaid in equal parts with no interest.
        type("numIntRate", "0");
        click("cmdCalculate");
        QCOMPARE(cell(5, 1), QString("277.78 "));
        QCOMPARE(cell(5, 2), QString("0.00 "));
        QCOMPARE(cell(5, 3), QString("100 000.00 "));
    }

    void rateAboveFiftyIsRefused()
    {
        MessageBoxWatcher watcher;
        typeAndLeave("numIntRate", "12");
        type("numIntRate", "55");
        QTRY_COMPARE(watcher.texts().size(), 1);
        QCOMPARE(watcher.titles()[0], QString("Incorrect Interest Rate!"));
        QCOMPARE(watcher.texts()[0], QString("The maximum interest rate allowed is 50%"));
        QTRY_COMPARE(area_->focusWidget(), find("numIntRate"));
        // Back to the rate from before the edit, never the "5" typed on the way.
        QCOMPARE(state_->Finance.LoanComparison.Rate, 12.0F);
    }

    void theAmountKeepsToTheLimitOfRevoraCalc()
    {
        expectsTheAmountLimit("numBAmt", state_->Finance.LoanComparison.Amount);
    }

    void reopeningShowsTheLastLoanWorkedOut()
    {
        typeLoan();
        closeScreen(); // without "&Calculate"
        open();
        QCOMPARE(shown("numBAmt"), QString("100 000.00"));
        QCOMPARE(shown("numIntRate"), QString("12.00"));
        QCOMPARE(cell(3, 1), QString("1 101.09 "));

        // Becoming active again fills the boxes from the stored values and works them out.
        state_->Finance.LoanComparison.Amount = 200000.0;
        screen_->activated();
        QCOMPARE(shown("numBAmt"), QString("200 000.00"));
        QCOMPARE(cell(3, 1), QString("2 202.17 "));

        closeScreen();
        state_->InitialiseAll();
        open();
        QCOMPARE(shown("numBAmt"), QString("0.00"));
        QCOMPARE(shown("numIntRate"), QString("0.00"));
        QCOMPARE(cell(3, 1), QString("0.00 "));
    }

    void printNeedsAnAmount()
    {
        const QSqlRecord before = printedRow();
        type("numIntRate", "12");
        click("cmdPrint");
        QVERIFY(!screen_->printPanel()->isVisible());
        QTRY_COMPARE(area_->focusWidget(), find("cmdOK"));
        verifyNothingWritten(before);

        // A loan at 0 % prints.
        type("numIntRate", "0");
        type("numBAmt", "100000");
        click("cmdPrint");
        QVERIFY(screen_->printPanel()->isVisible());
    }

    void printThenCancelLeavesTheRowWritten()
    {
        typeLoan();
        click("cmdPrint");
        QVERIFY(screen_->printPanel()->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), screen_->printPanel()->viewButton());
        click("cmdPrintCancel");
        QVERIFY(!screen_->printPanel()->isVisible());
        const QSqlRecord row = printedRow();
        QVERIFY(near(row.value("PAmt"), 100000.0));
        QVERIFY(near(row.value("IntRate"), 12.0));
        QVERIFY(near(row.value("MonRep1"), 2224.4448));
        QVERIFY(near(row.value("MonRep4"), 1101.0861));
        QVERIFY(near(row.value("Total4"), 264260.67));
        QVERIFY(near(row.value("IntPaid4"), 164260.67));
        QVERIFY(state_->ReportWindowTitle.isEmpty());
    }

    void viewPrintsTheFiguresOfTheInputsShown()
    {
        MessageBoxWatcher watcher;
        typeLoan();
        click("cmdPrint");
        QVERIFY(screen_->printPanel()->isVisible());
        type("numBAmt", "200000"); // changed after the first write
        QTest::mouseClick(screen_->printPanel()->viewButton(), Qt::LeftButton);
        QVERIFY(!screen_->printPanel()->isVisible());
        QCOMPARE(watcher.texts(), QStringList());
        QCOMPARE(state_->ReportWindowTitle, QString("Loan Comparison"));
        const QSqlRecord row = printedRow();
        QVERIFY(near(row.value("PAmt"), 200000.0));
        QVERIFY(near(row.value("MonRep4"), 2202.1722));
        QCOMPARE(cell(3, 1), QString("2 202.17 "));
    }
};

REVORA_UI_TEST(LoanComparisonScreenTest)
#include "LoanComparisonScreenTest.moc"
