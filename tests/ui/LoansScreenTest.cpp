// The loans screen as a borrower drives it: the four modes and which box each solves, the
// figures through the boxes, the rate error, the totals, the two schedule grids, the graph
// window, the box limits, the printout, and the values outliving the screen.

#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSqlRecord>
#include <QStackedBarSeries>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "finance/LoanGraphWindow.h"
#include "ui/UiTest.h"
#include "finance/LoansScreen.h"
#include "AppState.h"
#include "NumberBox.h"
#include "OverlayPanel.h"
#include "PrintPanel.h"
#include "ReportDatabase.h"
#include "ui/ScreenFixture.h"
#include "ui/ScreenTestSupport.h"

using namespace revora;
using revora::testing::MessageBoxWatcher;
using revora::testing::ScreenFixtureOptions;

namespace {

const char* const BoxNames[] = {"numPrinAmount", "numPeriod", "numIntRate", "numMonRePay"};
// The box each mode solves, by the mode's index.
const char* const SolvedBox[] = {"numMonRePay", "numPrinAmount", "numPeriod", "numIntRate"};

} // namespace

class LoansScreenTest : public QObject, public revora::testing::ScreenFixture<LoansScreen> {
    Q_OBJECT

    // Opening tells the screen it is active straight away, besides the area's own signal.
    void open()
    {
        ScreenFixture::open();
        screen_->activated();
    }
    void chooseMode(int index) const
    {
        // On the circle: a radio button takes clicks on its circle and caption only.
        auto* option = find<QRadioButton>(qPrintable(QString("optLoanCalc_%1").arg(index)));
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
        QVERIFY(option->isChecked());
    }
    void typeLoan(const QString& principal, const QString& period, const QString& rate, const QString& repayment)
    {
        type("numPrinAmount", principal);
        type("numPeriod", period);
        type("numIntRate", rate);
        type("numMonRePay", repayment);
    }
    QStringList headers() const
    {
        QStringList texts;
        for (int c = 0; c < screen_->grid()->columnCount(); ++c)
            texts << screen_->grid()->horizontalHeaderItem(c)->text();
        return texts;
    }
    void printView(bool withSchedule, bool monthly = false)
    {
        click("cmdPrint");
        QVERIFY(screen_->printPanel()->isVisible());
        auto* check = find<QCheckBox>("Check1");
        check->setChecked(withSchedule);
        if (withSchedule)
            find<QRadioButton>(monthly ? "Option1_1" : "Option1_0")->setChecked(true);
        QTest::mouseClick(screen_->printPanel()->viewButton(), Qt::LeftButton);
        QVERIFY(!screen_->printPanel()->isVisible());
        revora::testing::CloseReportWindows();
    }

private slots:
    void init()
    {
        // In a main window, which the graph window is placed against.
        setUp(ScreenFixtureOptions()
                  .sized(1300, 740)
                  .placedAt(40, 30)
                  .inMainWindow()
                  .announcingActivation()
                  .openedByTheTest());
        if (!QTest::currentTestFailed())
            open();
    }
    void cleanup() { tearDown(); }

    void opensOnTheStoredModeAndFitsASmallScreen()
    {
        QCOMPARE(sub_->windowTitle(), QString("Loans"));
        QCOMPARE(screen_->objectName(), QString("frmLoans"));
        const QStringList modes = {"Monthly repayment", "Principal amount", "Repayment period", "Interest rate"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(find<QRadioButton>(qPrintable(QString("optLoanCalc_%1").arg(i)))->text(), modes[i]);
        QVERIFY(find<QRadioButton>("optLoanCalc_0")->isChecked());
        QCOMPARE(find<QLabel>("lblCalcMode")->text(), QString("Monthly repayment"));
        QVERIFY(find<QPushButton>("cmdCalculate")->isDefault());
        // The totals and the "   Error" box wait until they are asked for.
        QVERIFY(!find("numAns1")->isVisible());
        QVERIFY(!find("numAns2")->isVisible());
        QVERIFY(!find("Text1")->isVisible());
        QVERIFY(!screen_->gridPanel()->isVisible());
        const QSize size = screen_->sizeHint();
        QVERIFY2(size.width() <= 1300 && size.height() <= 620,
                 qPrintable(QString("%1 x %2").arg(size.width()).arg(size.height())));
        // No two controls of the form answer to the same Alt key.
        QStringList keys;
        for (QAbstractButton* b : screen_->findChildren<QAbstractButton*>()) {
            if (b->parentWidget() == screen_->printPanel() || b->parentWidget() == screen_->gridPanel())
                continue;
            const QKeySequence key = QKeySequence::mnemonic(b->text());
            if (!key.isEmpty()) {
                QVERIFY2(!keys.contains(key.toString()), qPrintable(b->text()));
                keys << key.toString();
            }
        }
        for (QLabel* l : screen_->findChildren<QLabel*>()) {
            const QKeySequence key = QKeySequence::mnemonic(l->text());
            if (!key.isEmpty() && l->buddy()) {
                QVERIFY2(!keys.contains(key.toString()), qPrintable(l->text()));
                keys << key.toString();
            }
        }
    }

    void eachModeMakesItsBoxTheResult()
    {
        for (int mode = 0; mode < 4; ++mode) {
            chooseMode(mode);
            QCOMPARE(static_cast<int>(state_->Finance.Loans.Mode), mode);
            QCOMPARE(find<QLabel>("lblCalcMode")->text(), find<QRadioButton>(qPrintable(QString("optLoanCalc_%1").arg(mode)))->text());
            QList<QWidget*> inputs;
            for (const char* name : BoxNames) {
                auto* box = find<NumberBox>(name);
                const bool solved = QByteArray(name) == SolvedBox[mode];
                QCOMPARE(box->palette().color(QPalette::Base), solved ? QColor(Qt::yellow) : QColor(Qt::white));
                QCOMPARE(box->isReadOnly(), solved);
                QCOMPARE(bool(box->focusPolicy() & Qt::TabFocus), !solved);
                if (!solved)
                    inputs << box;
            }
            // The focus goes to the principal, or to the period when the principal is solved.
            const char* first = mode == 1 ? "numPeriod" : "numPrinAmount";
            QTRY_COMPARE(QApplication::focusWidget(), find(first));
            // Tab walks the three inputs in screen order, past the solved box.
            for (qsizetype i = 1; i < inputs.size(); ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), inputs[i]);
            }
        }
        // Activation applies the stored mode the same way.
        state_->Finance.Loans.Mode = LoanMode::PrincipalAmount;
        screen_->activated();
        QVERIFY(find<QRadioButton>("optLoanCalc_1")->isChecked());
        QVERIFY(find<NumberBox>("numPrinAmount")->isReadOnly());
        QCOMPARE(find<NumberBox>("numPrinAmount")->palette().color(QPalette::Base), QColor(Qt::yellow));
        QTRY_COMPARE(QApplication::focusWidget(), find("numPeriod"));
    }

    void solvesThroughTheBoxesAndTogglesTheTotals()
    {
        typeLoan("100000", "240", "12", "");
        QCOMPARE(state_->Finance.Loans.Principal, 100000.0); // stored as typed
        QCOMPARE(state_->Finance.Loans.Months, 240.0);
        QCOMPARE(state_->Finance.Loans.Rate, 12.0);
        click("cmdCalculate");
        QCOMPARE(shown("numMonRePay"), QString("1 101.09"));
        QVERIFY(!find("Text1")->isVisible());

        click("cmdFinCharge");
        QVERIFY(state_->Finance.Loans.TotalsShown);
        QVERIFY(find("numAns1")->isVisible());
        QVERIFY(find("lblAns2")->isVisible());
        QCOMPARE(find<QLabel>("lblAns1")->text(), QString("Total Interest"));
        QCOMPARE(find<QLabel>("lblAns2")->text(), QString("Total Repayments"));
        // On rows of their own under the four values.
        QVERIFY(find("lblAns1")->y() > find("numMonRePay")->geometry().bottom());
        QVERIFY(find("numAns2")->y() > find("numAns1")->geometry().bottom());
        QCOMPARE(shown("numAns2"), QString("264 260.67"));
        QCOMPARE(shown("numAns1"), QString("164 260.67"));
        click("cmdFinCharge");
        QVERIFY(!state_->Finance.Loans.TotalsShown);
        QVERIFY(!find("numAns1")->isVisible());
        QVERIFY(!find("lblAns1")->isVisible());

        // The rate from the repayment, on the 0.01 grid.
        chooseMode(3);
        type("numMonRePay", "1101.09");
        click("cmdCalculate");
        QCOMPARE(shown("numIntRate"), QString("12.000"));
        type("numMonRePay", "1101.08");
        click("cmdCalculate");
        QCOMPARE(shown("numIntRate"), QString("11.990"));

        // The period, with the repayment raised to pay the loan off in whole months.
        chooseMode(2);
        typeLoan("1000", "", "12", "300");
        click("cmdCalculate");
        QCOMPARE(shown("numPeriod"), QString("3"));
        QCOMPARE(shown("numMonRePay"), QString("340.03"));
    }

    void aSolvedRateAboveTheLimitShowsTheErrorBox()
    {
        MessageBoxWatcher watcher;
        chooseMode(3);
        typeLoan("1000", "12", "", "1000");
        click("cmdCalculate");
        auto* error = find<QLineEdit>("Text1");
        QVERIFY(error->isVisible());
        QCOMPARE(error->text(), QString("   Error"));
        // Says why, in the model's words, and offers nothing that needs an answer until one.
        QTRY_COMPARE(watcher.texts(), QStringList{"The interest rate would pass 50 %: at 50 % a year the monthly "
                                                  "repayment is R 107.59"});
        QCOMPARE(watcher.titles(), QStringList{"Incorrect Monthly Repayment!"});
        const char* const needAnAnswer[] = {"cmdMonAmort", "cmdAnnAmort", "cmdLoanGraph", "cmdPrint"};
        for (const char* name : needAnAnswer)
            QVERIFY2(!find(name)->isEnabled(), name);
        QCOMPARE(state_->Finance.Loans.Rate, 0.0); // no rate of it is kept
        QVERIFY(screen_->working().Empty());         // nor any working
        // It lies over the whole rate box.
        auto* rate = find("numIntRate");
        QCOMPARE(error->mapTo(screen_, QPoint(0, 0)), rate->mapTo(screen_, QPoint(0, 0)));
        QCOMPARE(error->size(), rate->size());
        // Every calculation starts by taking it away.
        type("numMonRePay", "90");
        click("cmdCalculate");
        QVERIFY(!error->isVisible());
        for (const char* name : needAnAnswer)
            QVERIFY2(find(name)->isEnabled(), name);
        QCOMPARE(screen_->working().Steps().back().Amount, state_->Finance.Loans.Rate);
        QVERIFY(state_->Finance.Loans.Rate <= 50.0);
        // Zero in one of the others solves to 0, with no error.
        type("numPeriod", "0");
        click("cmdCalculate");
        QCOMPARE(shown("numIntRate"), QString("0.000"));
        QVERIFY(!error->isVisible());

        // After a rate with no answer there is no schedule, and the other modes find no rate.
        type("numPeriod", "12");
        type("numMonRePay", "10000");
        click("cmdCalculate");
        click("cmdMonAmort");
        QVERIFY(error->isVisible() && !screen_->gridPanel()->isVisible());
        chooseMode(0);
        QVERIFY(!error->isVisible());
        QCOMPARE(find<NumberBox>("numIntRate")->value(), 0.0);

        // A repayment below the first month's interest is refused and changes nothing typed.
        chooseMode(2);
        typeLoan("100000", "", "10.5", "500");
        click("cmdCalculate");
        QTRY_COMPARE(watcher.texts().size(), 3);
        QCOMPARE(watcher.texts()[2], "The monthly repayment never repays the loan: it must be more than the first "
                                     "month's interest of R 875.00");
        QCOMPARE(find<NumberBox>("numMonRePay")->value(), 500.0);
        // So is one that 600 months do not repay, and it is not taken a cent lower.
        typeLoan("100000", "", "12", "1001");
        click("cmdCalculate");
        QTRY_COMPARE(watcher.texts().size(), 4);
        QCOMPARE(watcher.texts()[3], "The monthly repayment does not repay the loan within 600 months: it must be at "
                                     "least R 1 002.58");
        QCOMPARE(find<NumberBox>("numMonRePay")->value(), 1001.0);
    }

    void schedulesShowInTheGrid()
    {
        typeLoan("100000", "30", "12", "");
        click("cmdCalculate");
        click("cmdMonAmort");
        QVERIFY(screen_->gridPanel()->isVisible());
        QTableWidget* grid = screen_->grid();
        QCOMPARE(headers(), QStringList({" Month   ", "Capital payment ", "Interest payment", "    Balance    "}));
        QCOMPARE(grid->rowCount(), 30);
        QCOMPARE(grid->item(0, 0)->text(), QString("1"));
        QCOMPARE(grid->item(29, 0)->text(), QString("30"));
        QCOMPARE(grid->item(29, 3)->text(), QString("0.00"));
        QVERIFY(grid->item(0, 3)->text().contains(' ')); // grouped in threes
        // Columns as wide as their headings; past ten rows the grid scrolls.
        const QFontMetrics metrics = grid->horizontalHeader()->fontMetrics();
        for (int c = 0; c < 4; ++c)
            QVERIFY(grid->columnWidth(c) >= metrics.horizontalAdvance(grid->horizontalHeaderItem(c)->text()));
        QTRY_VERIFY(grid->verticalScrollBar()->isVisible());
        click("cmdGridClose");
        QVERIFY(!screen_->gridPanel()->isVisible());
        QCOMPARE(grid->rowCount(), 0);
        QTRY_COMPARE(QApplication::focusWidget(), find("cmdOk"));

        click("cmdAnnAmort");
        QVERIFY(screen_->gridPanel()->isVisible());
        QCOMPARE(headers(), QStringList({" Year ", "Capital payments", "Interest payment", "    Balance      "}));
        QCOMPARE(grid->rowCount(), 3); // two full years and months 25 to 30
        QCOMPARE(grid->item(2, 0)->text(), QString("3"));
        QCOMPARE(grid->item(2, 3)->text(), QString("0.00"));
        QTRY_VERIFY(!grid->verticalScrollBar()->isVisible());
        click("cmdGridClose");

        type("numPeriod", "24");
        click("cmdCalculate");
        click("cmdAnnAmort");
        QCOMPARE(grid->rowCount(), 2);
        click("cmdGridClose");
    }

    void schedulesNeedTheirValues()
    {
        typeLoan("100000", "12", "12", "");
        click("cmdCalculate");
        find("cmdOk")->setFocus();
        click("cmdAnnAmort");
        QVERIFY(!screen_->gridPanel()->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), find("numPrinAmount"));
        click("cmdMonAmort");
        QVERIFY(screen_->gridPanel()->isVisible());
        QCOMPARE(screen_->grid()->rowCount(), 12);
        click("cmdGridClose");

        type("numPrinAmount", "0");
        click("cmdCalculate");
        find("cmdOk")->setFocus();
        click("cmdMonAmort");
        QVERIFY(!screen_->gridPanel()->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), find("numPrinAmount"));

        // The graph asks for what the annual schedule does, and leaves the focus on "&OK".
        click("cmdLoanGraph");
        QVERIFY(!screen_->graphWindow());
        QTRY_COMPARE(QApplication::focusWidget(), find("cmdOk"));
    }

    void theGraphGetsTheAnnualScheduleAtTheMainWindowsCorner()
    {
        typeLoan("100000", "30", "12", "");
        click("cmdCalculate");
        click("cmdLoanGraph");
        LoanGraphWindow* graph = screen_->graphWindow();
        QVERIFY(graph);
        QVERIFY(graph->isVisible());
        QVERIFY(graph->isWindow());
        QCOMPARE(graph->pos(), window_->mapToGlobal(QPoint(0, 0)));
        QCOMPARE(graph->yearsShown(), 3);
        QChart* chart = graph->chartView()->chart();
        QVERIFY(!chart->title().isEmpty());
        int lines = 0;
        for (QAbstractSeries* series : chart->series()) {
            if (auto* bars = qobject_cast<QStackedBarSeries*>(series)) {
                QCOMPARE(bars->barSets().size(), 2);
                for (QBarSet* set : bars->barSets()) {
                    QCOMPARE(set->count(), 3);
                    for (int i = 0; i < set->count(); ++i)
                        QVERIFY(std::isfinite(set->at(i)));
                }
            } else if (auto* line = qobject_cast<QLineSeries*>(series)) {
                ++lines;
                QCOMPARE(line->count(), 3);
                QCOMPARE(line->at(2).y(), 0.0); // paid off at the end
            }
        }
        QCOMPARE(lines, 1);

        // The one window is filled again, wherever the main window has gone.
        window_->move(90, 60);
        activate();
        type("numPeriod", "60");
        click("cmdCalculate");
        click("cmdLoanGraph");
        QCOMPARE(screen_->graphWindow(), graph);
        QCOMPARE(graph->yearsShown(), 5);
        QCOMPARE(graph->pos(), window_->mapToGlobal(QPoint(0, 0)));
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](QWidget* w) { return qobject_cast<LoanGraphWindow*>(w) != nullptr; }),
                 1);

        // Nothing that is not a number reaches the chart.
        graph->LoanAmortGraph(2, 2, 1, {qQNaN(), 1.0}, {qInf(), 2.0}, {3.0});
        QCOMPARE(graph->yearsShown(), 1);

        // It goes with the screen.
        QPointer<LoanGraphWindow> kept(graph);
        closeScreen();
        QTRY_VERIFY(!kept || !kept->isVisible());
    }

    void theBoxesRefuseValuesBeyondTheirLimits()
    {
        MessageBoxWatcher watcher;
        // A refused edit goes back to the value from before it, never to the "5" typed on the way.
        const double rate = state_->Finance.Loans.Rate;
        const double period = state_->Finance.Loans.Months;
        type("numIntRate", "5");
        QTest::keyClicks(find("numIntRate"), "1");
        QTRY_COMPARE(watcher.texts().size(), 1);
        QCOMPARE(watcher.texts()[0], QString("The maximum interest rate allowed is 50%"));
        QCOMPARE(watcher.titles()[0], QString("Incorrect Interest Rate!"));
        QCOMPARE(state_->Finance.Loans.Rate, rate);
        QCOMPARE(find<NumberBox>("numIntRate")->value(), rate);
        // The main window's focus, which it gets back as the message goes.
        QTRY_COMPARE(window_->focusWidget(), find("numIntRate"));
        type("numIntRate", "50");
        QCOMPARE(state_->Finance.Loans.Rate, 50.0);

        type("numPeriod", "60");
        QTest::keyClicks(find("numPeriod"), "1");
        QTRY_COMPARE(watcher.texts().size(), 2);
        QCOMPARE(watcher.texts()[1], QString("The maximum period  allowed is 600 months"));
        QCOMPARE(watcher.titles()[1], QString("Incorrect Period!"));
        QCOMPARE(state_->Finance.Loans.Months, period);
        // The main window's focus, which it gets back as the message goes.
        QTRY_COMPARE(window_->focusWidget(), find("numPeriod"));
        type("numPeriod", "600");
        QCOMPARE(state_->Finance.Loans.Months, 600.0);
        QCOMPARE(watcher.texts().size(), 2);
    }

    void theAmountsKeepToTheLimitOfRevoraCalc()
    {
        expectsTheAmountLimit("numPrinAmount", state_->Finance.Loans.Principal);
        chooseMode(1); // the principal is solved, the repayment typed
        expectsTheAmountLimit("numMonRePay", state_->Finance.Loans.Repayment);
    }

    void printsTheLoanWithAndWithoutTheSchedule()
    {
        MessageBoxWatcher watcher;
        click("cmdPrint");
        auto* check = find<QCheckBox>("Check1");
        auto* frame = find<QGroupBox>("Option1");
        QCOMPARE(find<QPushButton>("cmdPrintCancel")->text(), QString("C&ancel"));
        QVERIFY(!frame->isEnabled());
        check->setChecked(true);
        QVERIFY(frame->isEnabled());
        QVERIFY(find<QRadioButton>("Option1_0")->isChecked());
        check->setChecked(false);
        QVERIFY(!frame->isEnabled());
        click("cmdPrintCancel");
        QVERIFY(!screen_->printPanel()->isVisible());

        typeLoan("100000", "30", "12", "");
        click("cmdFinCharge");
        printView(true);
        QCOMPARE(watcher.texts(), QStringList());
        const QSqlRecord row = ReadReportTable(state_->Paths, "Loans").value(0);
        QCOMPARE(row.value("Heading").toString(), QString("Monthly repayment"));
        QCOMPARE(row.value("Num1").toDouble(), 100000.0);
        QCOMPARE(row.value("Num2").toDouble(), 30.0);
        QCOMPARE(row.value("Num3").toDouble(), 12.0);
        QVERIFY(row.value("Num4").toDouble() > 3000.0); // the print calculated first
        QCOMPARE(row.value("FinText1").toString(), QString("Total Interest"));
        QCOMPARE(row.value("YearMon").toString(), QString("Year"));
        QList<QSqlRecord> amort = ReadReportTable(state_->Paths, "Amort");
        QCOMPARE(amort.size(), 3);
        QCOMPARE(amort[2].value("Year").toInt(), 3);
        QVERIFY(qAbs(amort[2].value("Required").toDouble()) < 0.005);
        const QString titled = state_->ReportWindowTitle;
        QVERIFY(titled.startsWith("Annual repayment of Loan with Amortisation"));

        // Without the schedule the amortisation rows stay as they were, and the window is
        // titled after the report it shows, not the last one.
        type("numPrinAmount", "50000");
        printView(false);
        QCOMPARE(watcher.texts(), QStringList());
        QCOMPARE(ReadReportTable(state_->Paths, "Loans").value(0).value("Num1").toDouble(), 50000.0);
        QCOMPARE(ReadReportTable(state_->Paths, "Amort").size(), 3);
        QCOMPARE(state_->ReportWindowTitle, QString("Loan Repayment Calculation") + ExportHint);

        // The monthly kind writes a row a month.
        printView(true, true);
        QCOMPARE(ReadReportTable(state_->Paths, "Amort").size(), 30);
        // An annual print after that longer one holds exactly its own three years.
        printView(true);
        amort = ReadReportTable(state_->Paths, "Amort");
        QCOMPARE(amort.size(), 3);
        QCOMPARE(amort[0].value("Year").toInt(), 1);

        // With a value 0 nothing is printed (a rate of 0 is a loan too).
        type("numPrinAmount", "0");
        printView(false);
        QCOMPARE(ReadReportTable(state_->Paths, "Loans").value(0).value("Num3").toDouble(), 12.0);
        QCOMPARE(watcher.texts(), QStringList());
    }

    void valuesOutliveTheScreen()
    {
        chooseMode(3);
        typeLoan("100000", "240", "", "1101.09");
        click("cmdCalculate");
        click("cmdFinCharge");
        closeScreen();
        open();
        QVERIFY(find<QRadioButton>("optLoanCalc_3")->isChecked());
        QVERIFY(find<NumberBox>("numIntRate")->isReadOnly());
        QCOMPARE(shown("numPrinAmount"), QString("100 000.00"));
        QCOMPARE(shown("numPeriod"), QString("240"));
        QCOMPARE(shown("numMonRePay"), QString("1 101.09"));
        QVERIFY(find("numAns1")->isVisible());
        // 239 months of 1 101.09 at 12 % and a last of 1 097.27.
        QCOMPARE(shown("numAns2"), QString("264 257.78"));

        closeScreen();
        state_->InitialiseAll();
        open();
        QVERIFY(find<QRadioButton>("optLoanCalc_0")->isChecked());
        QCOMPARE(shown("numPrinAmount"), QString("100 000.00"));
        QCOMPARE(shown("numPeriod"), QString("0"));
        QCOMPARE(shown("numMonRePay"), QString("0.00"));
        QVERIFY(!find("numAns1")->isVisible());
    }
};

REVORA_UI_TEST(LoansScreenTest)
#include "LoansScreenTest.moc"
