// The travel allowance screen as a taxpayer drives it: both methods through the boxes, the
// Yes/No switch, Enter and Esc, the single-payment rule, the dates, keeping the inputs across
// closing and Initialise All, and the printout's one row.

#include <QCheckBox>
#include <QGroupBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlRecord>
#include <QTest>

#include "AppState.h"
#include "ui/UiTest.h"
#include "DateBox.h"
#include "NumberBox.h"
#include "PrintPanel.h"
#include "ReportDatabase.h"
#include "ui/ScreenFixture.h"
#include "ui/ScreenTestSupport.h"
#include "MainWindow.h"
#include "vehicle/TravelAllowanceScreen.h"

using namespace revora;
using revora::testing::MessageBoxWatcher;
using revora::testing::ScreenFixtureOptions;

class TravelAllowanceScreenTest : public QObject, public revora::testing::ScreenFixture<TravelAllowanceScreen> {
    Q_OBJECT

    // Value R 150 000, 60 000 - 30 000 km with 20 000 business km, the whole tax year.
    void typeDeemedCase() const
    {
        type("silgEdit1", "150000");
        type("silgEdit3", "60000");
        type("silgEdit4", "30000");
        type("silgEdit5", "20000");
    }
    void printView(const QString& employee)
    {
        click("cmdPrint");
        QVERIFY(screen_->printPanel()->isVisible());
        type("Text3", employee);
        QTest::mouseClick(screen_->printPanel()->viewButton(), Qt::LeftButton);
        QVERIFY(!screen_->printPanel()->isVisible());
        revora::testing::CloseReportWindows();
    }
    QSqlRecord printedRow() const { return ReadReportTable(state_->Paths, "traveldeduction").value(0); }

private slots:
    void init() { setUp(ScreenFixtureOptions().sized(1300, 700)); }
    void cleanup() { tearDown(); }

    void opensOnTheDefaultsAndFitsASmallScreen()
    {
        QCOMPARE(sub_->windowTitle(), QString("Travel Allowance"));
        QVERIFY(find<QRadioButton>("Option3")->isChecked());
        QVERIFY(find<QCheckBox>("Check1")->isChecked());
        QVERIFY(find<QCheckBox>("Check2")->isChecked());
        QCOMPARE(shown("dtCarAlStartDate"), QString("01/03/2015"));
        QCOMPARE(shown("dtCarAlEndDate"), QString("29/02/2016"));
        QCOMPARE(shown("silgEdit12"), QString("366"));
        QVERIFY(!screen_->printPanel()->isVisible());
        // Room for it on a 1366 x 768 screen, under the main window's title and menu bar, and
        // within the width the main window takes for the company car beside it (less the
        // frames of the two windows).
        const QSize size = screen_->sizeHint();
        QVERIFY2(size.width() <= TwipsToPixels(CompanyCarMainWindowTwips, 96) - 24 && size.height() <= 620,
                 qPrintable(QString("%1 x %2").arg(size.width()).arg(size.height())));
    }

    void deemedCostsWorkOutThroughTheBoxes()
    {
        typeDeemedCase();
        QCOMPARE(shown("sidbEdit1_4"), QString("0.00")); // typing does not recalculate
        click("cmdCalculate");
        QCOMPARE(shown("sidbEdit3_0"), QString("20 000.00"));
        QCOMPARE(shown("sidbEdit3_1"), QString("10 000.00"));
        QCOMPARE(shown("sidbEdit3_2"), QString("30 000.00"));
        QCOMPARE(shown("sidbEdit3_3"), QString("46 505.00"));
        QCOMPARE(shown("sidbEdit3_4"), QString("30 000.00"));
        QCOMPARE(shown("silgEdit13_4"), QString("366"));
        QCOMPARE(shown("silgEdit13_6"), QString("365"));
        QCOMPARE(shown("sidbEdit1_0"), QString("155.0166"));
        QCOMPARE(shown("sidbEdit1_1"), QString("87.90"));
        QCOMPARE(shown("sidbEdit1_2"), QString("36.70"));
        QCOMPARE(shown("sidbEdit1_3"), QString("279.6"));
        QCOMPARE(shown("sidbEdit1_4"), QString("55 923.32"));
        QCOMPARE(screen_->working().Steps().back().Amount, 55923.32);

        // Leaving fuel out recalculates at once: 20 000 km x 87.9 cents less.
        click("Check1");
        QCOMPARE(state_->Vehicle.TravelAllowance.IncludeFuel, std::int16_t{0});
        QCOMPARE(shown("sidbEdit1_1"), QString("0.00"));
        QCOMPARE(shown("sidbEdit1_4"), QString("38 343.32"));
        QCOMPARE(screen_->working().Steps().back().Amount, 38343.32); // the box's own calculation hands it over

        // Without a business distance the working reads 0 throughout.
        type("silgEdit5", "0");
        click("cmdCalculate");
        for (const char* name : {"sidbEdit3_0", "sidbEdit3_3", "sidbEdit1_0", "sidbEdit1_4", "silgEdit13_6"})
            QVERIFY2(shown(name).toDouble() == 0.0, name);
    }

    void yesAndNoSwitchThePanelsAndTheOpenFields()
    {
        auto* deemed = find<QGroupBox>("fraDeemed");
        auto* actual = find<QGroupBox>("fraActual");
        const QStringList costs{"silgEdit6", "silgEdit7", "silgEdit8", "silgEdit9", "silgEdit10", "silgEdit11"};
        const QStringList always{"silgEdit1", "silgEdit2", "silgEdit3", "silgEdit4", "silgEdit5"};
        const QStringList dates{"dtCarAlStartDate", "dtCarAlEndDate"};
        const auto open = [this](const QStringList& names, bool expected) {
            for (const QString& name : names)
                QVERIFY2(find(qPrintable(name))->isEnabled() == expected, qPrintable(name));
        };

        QVERIFY(deemed->isVisible() && !actual->isVisible());
        open(costs, false);
        open(always, true);
        open(dates, true);

        type("silgEdit3", "40000");
        type("silgEdit5", "25000");
        click("Option4");
        QCOMPARE(state_->Vehicle.TravelAllowance.RecordKept, std::int16_t{1});
        QVERIFY(actual->isVisible() && !deemed->isVisible());
        open(costs, true);
        open(always, true);
        open(dates, false);
        open({"Check1", "Check2"}, false); // with distances the recorded costs alone count
        QCOMPARE(shown("sidbEdit2_6"), QString("0.00")); // switching does not recalculate

        type("silgEdit6", "60000");
        click("cmdCalculate");
        QCOMPARE(shown("sidbEdit2_0"), QString("25 000.00"));
        QCOMPARE(shown("sidbEdit2_1"), QString("15 000.00"));
        QCOMPARE(shown("sidbEdit2_2"), QString("40 000.00"));
        QCOMPARE(shown("sidbEdit2_3"), QString("60 000.00"));
        QCOMPARE(shown("sidbEdit2_4"), QString("22 500.00"));
        QCOMPARE(shown("sidbEdit2_5"), QString("37 500.00"));
        QCOMPARE(shown("sidbEdit2_6"), QString("37 500.00"));

        for (const char* km : {"silgEdit3", "silgEdit5"})
            type(km, "0");
        open({"Check1", "Check2"}, true); // without, they reduce the private use of the value

        click("Option3");
        QCOMPARE(state_->Vehicle.TravelAllowance.RecordKept, std::int16_t{0});
        QVERIFY(deemed->isVisible() && !actual->isVisible());
        open(costs, false);
        open(dates, true);
        open({"Check1", "Check2"}, true);
    }

    void enterCalculatesAndOffersOkWhileEscKeepsTheField()
    {
        typeDeemedCase();
        type("silgEdit2", "40000");
        QTest::keyClick(find("silgEdit2"), Qt::Key_Return);
        QCOMPARE(shown("sidbEdit1_4"), QString("40 000.00")); // capped at the allowance
        QTRY_COMPARE(QApplication::focusWidget(), find("cmdOK"));

        type("silgEdit3", "61000");
        QTest::keyClick(find("silgEdit3"), Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), find("silgEdit3"));
        QCOMPARE(shown("silgEdit3"), QString("61000"));
        QCOMPARE(state_->Vehicle.TravelAllowance.CloseKm, 61000.0);
        QVERIFY(sub_->isVisible());

        // Enter on "&OK" itself presses it: the figures are stored and the screen closes.
        find("cmdOK")->setFocus();
        QTest::keyClick(find("cmdOK"), Qt::Key_Return);
        QTRY_VERIFY(area_->subWindowList().isEmpty());
    }

    void impossibleDistancesLeaveNoFiguresAndNothingToPrint()
    {
        typeDeemedCase();
        click("cmdCalculate");
        MessageBoxWatcher watcher;
        type("silgEdit4", "70000"); // above the close reading
        click("cmdPrint");
        QTRY_COMPARE(watcher.texts().size(), 1);
        QCOMPARE(watcher.titles()[0], QString("Incorrect Km Reading"));
        QCOMPARE(watcher.texts()[0], QString("The open km reading may not be above the close km reading"));
        QTRY_COMPARE(area_->focusWidget(), find("silgEdit4"));
        QVERIFY(!screen_->printPanel()->isVisible());
        QCOMPARE(shown("sidbEdit1_4"), QString());
        QVERIFY(screen_->working().Empty());

        type("silgEdit4", "30000");
        type("silgEdit5", "40000"); // more than the 30 000 km travelled
        QTest::keyClick(find("silgEdit5"), Qt::Key_Return);
        QTRY_COMPARE(watcher.titles().value(1), QString("Incorrect Business Km"));
        QTRY_COMPARE(area_->focusWidget(), find("silgEdit5"));
        QCOMPARE(shown("sidbEdit3_1"), QString());

        // The largest figures show whole.
        for (const char* name : {"silgEdit1", "silgEdit3", "silgEdit5"})
            type(name, "9999999999");
        type("silgEdit4", "0");
        click("cmdCalculate");
        for (NumberBox* box : screen_->findChildren<NumberBox*>())
            QVERIFY2(box->fontMetrics().horizontalAdvance(box->text()) + 8 <= box->width(), qPrintable(box->text()));
    }

    void onlyOneOfWearAndTearOrLeaseIsTaken()
    {
        click("Option4");
        type("silgEdit10", "5000");
        MessageBoxWatcher watcher;
        type("silgEdit11", "3000");
        QTRY_COMPARE(watcher.texts().size(), 1);
        QCOMPARE(watcher.titles()[0], QString("Single Payment"));
        QCOMPARE(watcher.texts()[0], QString("Only one amount for either Wear & Tear or Lease payments will be accepted"));
        QCOMPARE(state_->Vehicle.TravelAllowance.LeasePayments, 0.0);
        QCOMPARE(state_->Vehicle.TravelAllowance.WearAndTear, 5000.0);
        QCOMPARE(shown("silgEdit11").toDouble(), 0.0);
        QTRY_COMPARE(area_->focusWidget(), find("silgEdit11"));
    }

    void datesKeepToTheYearAndSetThePeriod()
    {
        MessageBoxWatcher watcher;
        typeAndLeave("dtCarAlStartDate", "01/03/2014");
        QTRY_COMPARE(watcher.texts().size(), 1);
        QCOMPARE(watcher.titles()[0], QString("Incorrect Date"));
        QCOMPARE(watcher.texts()[0],
                 QString("The date entered is not correct please enter a date between 01/03/2015 and 29/02/2016"));
        QTRY_COMPARE(area_->focusWidget(), find("dtCarAlStartDate"));
        QCOMPARE(shown("dtCarAlStartDate"), QString("01/03/2015"));

        typeAndLeave("dtCarAlStartDate", "01/06/2015");
        typeAndLeave("dtCarAlEndDate", "31/05/2015"); // before the start
        QTRY_COMPARE(watcher.texts().size(), 2);
        QCOMPARE(watcher.texts()[1],
                 QString("The date entered is not correct please enter a date between 01/06/2015 and 29/02/2016"));
        QTRY_COMPARE(area_->focusWidget(), find("dtCarAlEndDate"));

        type("dtCarAlEndDate", "30/06/2015");
        QTest::keyClick(find("dtCarAlEndDate"), Qt::Key_Return);
        QCOMPARE(shown("silgEdit12"), QString("30"));
        QCOMPARE(watcher.texts().size(), 2);
    }

    // The same days in a year of other figures: the claim is worked again from its table. A year
    // without a table clears it and Calculate says why; days the period leaves clear it too.
    void aNewYearWorksTheClaimAgainOrClearsIt()
    {
        typeDeemedCase();
        click("cmdCalculate");
        TaxYear other = TaxYear2016();
        other.Year = 2099;
        other.Label = "2098/99";
        (*other.DeemedCostTable)[1].FixedCost = 60000.0; // R 2 a km over 30 000 km
        state_->Year = {{other}, 2099};
        screen_->yearChanged();
        QCOMPARE(shown("sidbEdit1_0"), QString("200.0000"));
        state_->Year.Years[0].DeemedCostTable.reset();
        screen_->yearChanged();
        QCOMPARE(shown("sidbEdit1_4"), QString());
        MessageBoxWatcher watcher;
        click("cmdCalculate");
        QTRY_COMPARE(watcher.texts().size(), 1);
        QCOMPARE(watcher.texts()[0], QString("The tax year 2098/99 has no deemed-cost travel table: the travel "
                                             "allowance cannot be worked for it"));
        state_->Year.Years[0] = other;
        screen_->yearChanged();
        QVERIFY(!shown("sidbEdit1_4").isEmpty());
        state_->Year.Years[0].Start += 1;
        screen_->yearChanged();
        QCOMPARE(shown("sidbEdit1_4"), QString());
    }

    void inputsOutliveTheScreenUntilInitialiseAll()
    {
        type("Text1", "Toyota Corolla");
        typeDeemedCase();
        click("Check2");
        // Closing without "&Calculate" still works the figures out for the period shown.
        typeAndLeave("dtCarAlEndDate", "31/03/2015");
        click("Option4");
        closeScreen();
        QCOMPARE(state_->Vehicle.TravelAllowance.PeriodDays, 31.0);

        open();
        QCOMPARE(shown("Text1"), QString("Toyota Corolla"));
        QCOMPARE(shown("silgEdit1"), QString("150 000"));
        QCOMPARE(shown("silgEdit5"), QString("20 000"));
        QVERIFY(find<QRadioButton>("Option4")->isChecked());
        QVERIFY(find<QCheckBox>("Check1")->isChecked());
        QVERIFY(!find<QCheckBox>("Check2")->isChecked());
        QCOMPARE(shown("dtCarAlEndDate"), QString("29/02/2016")); // the period starts anew
        QCOMPARE(shown("silgEdit12"), QString("366"));
        QVERIFY(find("silgEdit6")->isEnabled());
        closeScreen();

        state_->InitialiseAll();
        open();
        QCOMPARE(shown("Text1"), QString());
        for (const char* name : {"silgEdit1", "silgEdit3", "silgEdit5"})
            QCOMPARE(shown(name), QString("0"));
        QVERIFY(find<QRadioButton>("Option3")->isChecked());
        QVERIFY(find<QCheckBox>("Check1")->isChecked());
        QVERIFY(find<QCheckBox>("Check2")->isChecked());
        QVERIFY(!find("silgEdit6")->isEnabled());
    }

    void printingWritesTheRowOfTheMethodInForce()
    {
        typeDeemedCase();
        click("cmdPrint");
        QVERIFY(screen_->printPanel()->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), screen_->printPanel()->directButton());
        QCOMPARE(find<QLineEdit>("Text3")->maxLength(), 50);
        click("cmdCancel");

        MessageBoxWatcher watcher;
        printView("Thandi Nkosi");
        QSqlRecord row = printedRow();
        QCOMPARE(row.value("TPName").toString(), QString("Thandi Nkosi"));
        QCOMPARE(row.value("cv").toDouble(), 46505.0);
        QCOMPARE(row.value("tadeduction").toDouble(), 55923.32);
        QCOMPARE(row.value("FCDet").toString(), QString("Fuel costs"));
        QCOMPARE(state_->ReportWindowTitle,
                 QString("Car Allowance - To export printout click on the suitcase button or goto Help"));

        // Actual costs leave the deemed-cost fields of the earlier print as they were.
        click("Option4");
        type("silgEdit6", "30000");
        printView("Thandi Nkosi");
        row = printedRow();
        QCOMPARE(row.value("totcost").toDouble(), 30000.0);
        QCOMPARE(row.value("tadeduction").toDouble(), 20000.0); // 20 000 of 30 000 km
        QCOMPARE(row.value("cv").toDouble(), 46505.0);
        QCOMPARE(row.value("DateStart").toString(), QString("01/03/2015"));

        click("Option3");
        click("Check1");
        printView("Thandi Nkosi");
        row = printedRow();
        QCOMPARE(row.value("FCDet").toString(), QString("Fuel costs not included"));
        QCOMPARE(row.value("fc").toDouble(), 0.0);
        QCOMPARE(watcher.texts(), QStringList()); // nothing went wrong on the way
    }
};

REVORA_UI_TEST(TravelAllowanceScreenTest)
#include "TravelAllowanceScreenTest.moc"
