// The company car screen as a clerk drives it: typing into a car, the register commands with
// their titles and enabling, the date checks that hold the window open, printing every car,
// and the register outliving the screen.

#include <QCheckBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSet>
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
#include "vehicle/CompanyCarScreen.h"

using namespace revora;
using revora::testing::MessageBoxWatcher;
using revora::testing::ScreenFixtureOptions;

class CompanyCarScreenTest : public QObject, public revora::testing::ScreenFixture<CompanyCarScreen> {
    Q_OBJECT

    CompanyCarRegister& cars() { return state_->Vehicle.CompanyCars; }

    // Typing and clicking here insist on an enabled control: the register's enabling is under test.
    void type(const char* name, const QString& text)
    {
        QLineEdit* edit = screen_->findChild<QLineEdit*>(name);
        QVERIFY2(edit && edit->isEnabled(), name);
        ScreenFixture::type(name, text);
    }
    void click(const char* name)
    {
        auto* button = screen_->findChild<QAbstractButton*>(name);
        QVERIFY2(button && button->isEnabled(), name);
        // A check box answers a click on its box or caption, not on the blank beside them.
        if (qobject_cast<QCheckBox*>(button))
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
        else
            QTest::mouseClick(button, Qt::LeftButton);
    }
    // Add, then name the new car and give it a value.
    void addCar(const QString& registration, const QString& price)
    {
        click("cmdAdd");
        type("txtCCRegNumber", registration);
        type("numCCPrice", price);
    }
    QString focusName() const
    {
        QWidget* focus = area_->focusWidget();
        return focus ? focus->objectName() : QString();
    }
    // The offscreen platform does not always give the window back its activation when a
    // message box closes; focus changes count only in the active window.
    void reactivate()
    {
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }

private slots:
    // Each test opens the screen itself, after any setup of the register. A box is typed into
    // as it stands, without taking the activation back first.
    void init()
    {
        setUp(ScreenFixtureOptions()
                  .sized(1366, 768)
                  .titledFromScreen()
                  .openedByTheTest()
                  .typingWithoutReactivating()
                  .clearingEmptyTextWith(Qt::Key_Backspace));
    }
    void cleanup() { tearDown(); }

    void typedFieldsReachTheCarAndItsResultsShow()
    {
        CompanyCarScreen* screen = open();
        QCOMPARE(sub_->windowTitle(), QString("Full use of Company Car :  Vehicle number 0 of 0"));
        addCar("CA 200-000", "200000");
        QCOMPARE(sub_->windowTitle(), QString("Full use of Company Car :  Vehicle number 1 of 1"));
        type("txtCCMake", "Toyota");
        type("txtCCModel", "Corolla");
        type("txtYearOfManfact", "2014");
        type("numStartMileage", "10000");
        type("numEndMileage", "30000");
        type("numActualExpEmployee", "4000");
        type("numActual3802", "1500");
        click("chkMaintIncluded");
        click("chkMaintIncluded");
        click("chkBussMilage");
        const CompanyCarRecord& car = cars().Records[1];
        QCOMPARE(car.CCRegNumber, std::string("CA 200-000"));
        QCOMPARE(car.CCMake, std::string("Toyota"));
        QCOMPARE(car.CCModel, std::string("Corolla"));
        QCOMPARE(car.YearOfManfact, std::string("2014"));
        QCOMPARE(car.CCPrice, 200000.0);
        QCOMPARE(car.MaintIncluded, std::int16_t(0));
        QCOMPARE(car.BussMilage, std::int16_t(1));
        QCOMPARE(car.EndMileage, 30000.0);
        QCOMPARE(cars().Actual3802, 1500.0);

        // The deemed fuel rate and the actual fuel cost exclude each other.
        click("chkSARSTable");
        QCOMPARE(car.SARSTable, std::int16_t(1));
        QCOMPARE(car.ActualExpEmployee, 0.0);
        QCOMPARE(shown("numActualExpEmployee"), QString("0"));
        click("cmdCalculate");
        QCOMPARE(shown("numFuelComponent"), QString("19 100")); // 20 000 km x 0.955
        click("chkSARSTable");
        QCOMPARE(car.FuelComponent, 0.0);
        QCOMPARE(shown("numFuelComponent"), QString("0"));
        QCOMPARE(car.ActualExpEmployee, 4000.0); // the typed amount comes back
        QCOMPARE(shown("numActualExpEmployee"), QString("4 000"));

        // Full year, no plan, no log book.
        click("chkBussMilage");
        click("cmdCalculate");
        QCOMPARE(shown("numTotalDistance"), QString("20 000")); // from the readings
        QCOMPARE(shown("numCCMonths"), QString("366"));
        QCOMPARE(shown("numTrueInclusion"), QString("84 000"));
        QCOMPARE(shown("numTrueInclusion_1"), QString("84 000"));
        QCOMPARE(shown("numIRP53802"), QString("84 000"));
        QCOMPARE(shown("numMonFB80"), QString("5 600"));
        QCOMPARE(shown("numMonFB20"), QString("1 400"));
        QCOMPARE(shown("numFortFB80"), QString("2 584.80"));
        QCOMPARE(shown("numWeekFB20"), QString("323.00"));
        // One car carries the whole code 3802 amount.
        QCOMPARE(shown("numFB3802ThisCar"), QString("1 500.00"));
        QCOMPARE(shown("numAdjustTaxableInc"), QString("82 500.00"));
        QCOMPARE(shown("numTotAdjustTaxableInc"), QString("82 500.00"));
        QCOMPARE(screen->working().Steps().back().Amount, 82500.0);

        // No value and no distance: every figure reads 0, as the record now holds.
        type("numCCPrice", "0");
        type("numEndMileage", "0");
        type("numTotalDistance", "0");
        click("cmdCalculate");
        for (const char* result : {"numCCMonths", "numTrueInclusion", "numMonFB80", "numIRP53802", "numTotalDistance",
                                   "numAdjustTaxableInc", "numFuelComponent"})
            QVERIFY2(QStringList({"0", "0.00"}).contains(shown(result)), result);
        QCOMPARE(shown("numFB3802ThisCar"), QString("0.00"));
        QCOMPARE(car.FB3802ThisCar, 0.0);
    }

    void registerCommandsStepTitleAndEnabling()
    {
        CompanyCarScreen* screen = open();
        addCar("CA 1", "100000");
        type("numActualExpEmployee", "5000");
        QVERIFY(!screen->findChild<QCheckBox*>("chkAutoCalc3802")->isVisible());
        addCar("CA 2", "200000");
        click("chkSARSTable");
        QVERIFY(screen->findChild<QCheckBox*>("chkAutoCalc3802")->isVisible());
        QVERIFY(screen->findChild<QCheckBox*>("chkAutoCalc3802")->isChecked());
        QVERIFY(!screen->findChild<QLineEdit*>("numFB3802ThisCar")->isEnabled()); // the split's
        click("chkAutoCalc3802");
        QCOMPARE(cars().AutoCalc3802, std::int16_t(0));
        QVERIFY(screen->findChild<QLineEdit*>("numFB3802ThisCar")->isEnabled());
        click("chkAutoCalc3802");
        QCOMPARE(cars().AutoCalc3802, std::int16_t(1));
        addCar("CA 3", "300000");
        QVERIFY(sub_->windowTitle().endsWith("Vehicle number 3 of 3"));

        // Forward wraps from 3 to 1, Back from 1 to 3; each car shows exactly its record.
        click("cmdForward");
        QVERIFY(sub_->windowTitle().endsWith("Vehicle number 1 of 3"));
        QCOMPARE(shown("txtCCRegNumber"), QString("CA 1"));
        QCOMPARE(shown("numActualExpEmployee"), QString("5 000"));
        QVERIFY(!screen->findChild<QCheckBox*>("chkSARSTable")->isChecked());
        click("cmdBack");
        QVERIFY(sub_->windowTitle().endsWith("Vehicle number 3 of 3"));
        QCOMPARE(screen->working().Steps().back().Amount, screen->lastRun().TotAdjustTaxableInc); // each move explains
        QCOMPARE(shown("txtCCRegNumber"), QString("CA 3"));
        QCOMPARE(shown("numCCPrice"), QString("300 000"));
        click("cmdBack");
        QCOMPARE(shown("txtCCRegNumber"), QString("CA 2"));
        QVERIFY(screen->findChild<QCheckBox*>("chkSARSTable")->isChecked());
        QCOMPARE(cars().Records[1].ActualExpEmployee, 5000.0); // untouched by showing car 2

        click("cmdDelete");
        QVERIFY(sub_->windowTitle().endsWith("Vehicle number 1 of 2"));
        QCOMPARE(shown("txtCCRegNumber"), QString("CA 1"));
        QCOMPARE(cars().Records[2].CCRegNumber, std::string("CA 3"));
        click("cmdForward");
        QCOMPARE(shown("txtCCRegNumber"), QString("CA 3"));

        // An unnamed car among several can only be named or deleted.
        type("txtCCRegNumber", "");
        const QSet<QString> usable{"txtCCRegNumber", "cmdDelete"};
        const auto printPanel = screen->printPanel()->findChildren<QWidget*>();
        for (QWidget* w : screen->findChildren<QWidget*>()) {
            if (printPanel.contains(w) || !(qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w)))
                continue;
            QVERIFY2(w->isEnabled() == usable.contains(w->objectName()), qPrintable(w->objectName()));
        }
        type("txtCCRegNumber", "CA 3");
        QVERIFY(screen->findChild<QPushButton*>("cmdCalculate")->isEnabled());

        click("cmdDelete");
        QVERIFY(sub_->windowTitle().endsWith("Vehicle number 1 of 1"));
        QVERIFY(!screen->findChild<QCheckBox*>("chkAutoCalc3802")->isVisible());
        QVERIFY(!screen->findChild<QPushButton*>("cmdBack")->isEnabled());
        click("cmdDelete");
        QVERIFY(sub_->windowTitle().endsWith("Vehicle number 0 of 0"));
        for (const char* name : {"cmdAdd", "cmdOK", "cmdCalculate", "cmdPrint"})
            QVERIFY2(screen->findChild<QPushButton*>(name)->isEnabled(), name);
        QVERIFY(!screen->findChild<QPushButton*>("cmdDelete")->isEnabled());
    }

    void aFullRegisterSaysSo()
    {
        cars().Records.resize(static_cast<std::size_t>(MaxCompanyCars) + 1, CompanyCarRecord{});
        for (std::size_t i = 1; i < cars().Records.size(); ++i)
            cars().Records[i].CCRegNumber = "X";
        cars().CarCount = MaxCompanyCars;
        open();
        MessageBoxWatcher watcher;
        click("cmdAdd");
        QTRY_COMPARE(watcher.texts().size(), 1);
        QCOMPARE(watcher.titles()[0], QString("Too many vehicles"));
        QCOMPARE(cars().CarCount, MaxCompanyCars);
    }

    void anInvalidEndDateHoldsTheWindowOpen()
    {
        CompanyCarScreen* screen = open();
        addCar("CA 1", "200000");
        MessageBoxWatcher watcher;
        type("dtCCStartDate", "31/03/2016");
        leave("dtCCStartDate");
        QTRY_COMPARE(watcher.texts().size(), 1);
        QCOMPARE(watcher.texts()[0],
                 QString("The date entered is not correct please enter a date between 01/03/2015 and 29/02/2016"));
        reactivate();
        QTRY_COMPARE(focusName(), QString("dtCCStartDate"));
        type("dtCCStartDate", "01/06/2015");
        leave("dtCCStartDate");
        QCOMPARE(cars().Records[1].CCStartDate, 42156);

        type("dtCCEndDate", "01/05/2015");
        leave("dtCCEndDate");
        QTRY_COMPARE(watcher.texts().size(), 2);
        QCOMPARE(watcher.titles()[1], QString("Incorrect Date"));
        QCOMPARE(watcher.texts()[1],
                 QString("The date entered is not correct please enter a date between 01/06/2015 and 29/02/2016"));
        QTRY_COMPARE(focusName(), QString("dtCCEndDate"));
        QVERIFY(screen->endDateInvalid());
        QCOMPARE(cars().Records[1].CCEndDate, 42429);
        reactivate();

        // The child window passes its close to the screen, which refuses it.
        QMdiSubWindow* window = sub_;
        QVERIFY(!window->close());
        QTRY_COMPARE(watcher.texts().size(), 3);
        QCOMPARE(watcher.titles()[2], QString("Incorrect Date"));
        QCOMPARE(watcher.texts()[2],
                 QString("The dates entered are not correct please enter a dates between 01/03/2015 and 29/02/2016"));
        QVERIFY(area_->subWindowList().contains(window));
        QVERIFY(window->isVisible());
        reactivate();
        QTRY_COMPARE(focusName(), QString("dtCCStartDate"));

        // Leaving the end date box cleared the mark: now the window closes.
        QVERIFY(!screen->endDateInvalid());
        click("cmdOK");
        QTRY_VERIFY(area_->subWindowList().isEmpty());
        QCOMPARE(watcher.texts().size(), 3);
    }

    void printingThreeCarsAfterFourWritesThreeRows()
    {
        CompanyCarScreen* screen = open();
        for (const char* registration : {"CA 1", "CA 2", "CA 3", "CA 4"})
            addCar(registration, "150000");
        MessageBoxWatcher watcher;
        click("cmdPrint");
        QVERIFY(screen->printPanel()->isVisible());
        QVERIFY(screen->printPanel()->findChild<QPushButton*>("cmdVR"));
        QTest::mouseClick(screen->printPanel()->viewButton(), Qt::LeftButton);
        QVERIFY(!screen->printPanel()->isVisible());
        QCOMPARE(ReadReportTable(state_->Paths, "compcar").size(), 4);
        revora::testing::CloseReportWindows();

        click("cmdDelete");
        // Car 1 is shown after a delete: give it distance and no value.
        type("numTotalDistance", "1000");
        type("numCCPrice", "0");
        click("cmdPrint");
        QTest::mouseClick(screen->printPanel()->viewButton(), Qt::LeftButton);
        const QList<QSqlRecord> rows = ReadReportTable(state_->Paths, "compcar");
        QCOMPARE(rows.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(rows[i].value("CarNum").toInt(), i + 1);
            QCOMPARE(rows[i].value("CMVMaxNum").toInt(), 3);
        }
        QCOMPARE(rows[0].value("CCRegNumber").toString(), QString("CA 1"));
        QCOMPARE(rows[0].value("TrueInclusion").toDouble(), 0.0);
        QCOMPARE(rows[1].value("MonFB80").toDouble(), 4200.0); // 150 000 x 3.5 % x 80 %
        QCOMPARE(rows[2].value("CCStartDate").toString(), QString("01/03/2015"));
        QVERIFY(watcher.texts().isEmpty());
    }

    void theRegisterOutlivesTheScreenUntilInitialiseAll()
    {
        CompanyCarScreen* screen = open();
        addCar("CA 1", "100000");
        addCar("CA 2", "200000");
        click("cmdOK");
        QTRY_VERIFY(area_->subWindowList().isEmpty());

        screen = open();
        QCOMPARE(sub_->windowTitle(), QString("Full use of Company Car :  Vehicle number 1 of 2"));
        QCOMPARE(shown("txtCCRegNumber"), QString("CA 1"));
        QCOMPARE(shown("numMonFB80"), QString("2 800")); // calculated on opening
        QVERIFY(screen->findChild<QCheckBox*>("chkAutoCalc3802")->isVisible());
        sub_->close();
        QTRY_VERIFY(area_->subWindowList().isEmpty());

        state_->InitialiseAll();
        screen = open();
        QCOMPARE(sub_->windowTitle(), QString("Full use of Company Car :  Vehicle number 0 of 0"));
        QCOMPARE(shown("txtCCRegNumber"), QString());
    }

    void refusedInputsLeaveNoFiguresAndNothingToPrint()
    {
        CompanyCarScreen* screen = open();
        addCar("CA 1", "200000");
        click("cmdCalculate");
        QCOMPARE(shown("numMonFB80"), QString("5 600"));
        MessageBoxWatcher watcher;
        type("numStartMileage", "30000");
        type("numEndMileage", "20000");
        click("cmdPrint");
        QTRY_COMPARE(watcher.texts().size(), 1);
        QCOMPARE(watcher.titles()[0], QString("Incorrect Mileage"));
        QCOMPARE(watcher.texts()[0], QString("The end mileage of vehicle number 1 may not be below its start mileage"));
        QVERIFY(!screen->printPanel()->isVisible());
        QCOMPARE(shown("numMonFB80"), QString());
        QVERIFY(screen->working().Empty());
        reactivate();
        QTRY_COMPARE(focusName(), QString("numEndMileage"));

        // A date that does not exist is named as no date, not as one outside the year.
        type("dtCCStartDate", "31/04/2015");
        leave("dtCCStartDate");
        QTRY_COMPARE(watcher.texts().size(), 2);
        QCOMPARE(watcher.titles()[1], QString("Incorrect Date"));
        QCOMPARE(watcher.texts()[1],
                 QString("\"31/04/2015\" is not a date: please enter a date as dd/mm/yyyy, such as 01/03/2015"));
    }

    // An empty register's blank car starts over the new year; a year of 365 days works the
    // benefit over them (the whole 84 000 on R 200 000); days the car's leave clear it.
    void aNewYearWorksTheBenefitAgainOrClearsIt()
    {
        CompanyCarScreen* screen = open();
        TaxYear other = TaxYear2016();
        other.Year = 2099;
        other.End -= 1;
        state_->Year = {{other}, 2099};
        screen->yearChanged();
        QCOMPARE(shown("dtCCEndDate"), QString("28/02/2016"));
        addCar("CA 1", "200000");
        click("cmdCalculate");
        QCOMPARE(shown("numCCMonths"), QString("365"));
        QCOMPARE(shown("numIRP53802"), QString("84 000"));
        state_->Year.Years[0].Start += 1;
        screen->yearChanged();
        QCOMPARE(shown("numIRP53802"), QString());
    }

    void theLargestFiguresShowWhole()
    {
        CompanyCarScreen* screen = open();
        addCar("CA 1", "9999999999");
        leave("numCCPrice");
        MessageBoxWatcher watcher;
        type("numCCPrice", "99999999999"); // an eleventh digit: back to the price from before
        QTRY_COMPARE(watcher.titles(), QStringList("Incorrect Number"));
        QCOMPARE(cars().Records[1].CCPrice, 9999999999.0);
        for (const char* name : {"numEndMileage", "numEmpPaidInsurance", "numEmpPaidLicence", "numEmpPaidMaintenance"})
            type(name, "9999999999");
        click("chkSARSTable");
        click("cmdCalculate");
        for (NumberBox* box : screen->findChildren<NumberBox*>())
            QVERIFY2(box->fontMetrics().horizontalAdvance(box->text()) + 8 <= box->width(), qPrintable(box->text()));
    }

    void theFormFitsTheMainWindowsWidthWithDistinctMnemonics()
    {
        CompanyCarScreen* screen = open();
        const QSize size = screen->sizeHint();
        // The main window takes 13 405 twips for this screen; its frame and the child window's
        // border take some 24 pixels of that.
        QVERIFY2(size.width() <= TwipsToPixels(CompanyCarMainWindowTwips, 96) - 24 && size.height() <= 700,
                 qPrintable(QString("%1 x %2").arg(size.width()).arg(size.height())));
        QSet<int> keys;
        const auto printPanel = screen->printPanel()->findChildren<QWidget*>();
        for (QWidget* w : screen->findChildren<QWidget*>()) {
            QString text;
            if (auto* button = qobject_cast<QAbstractButton*>(w))
                text = button->text();
            else if (auto* label = qobject_cast<QLabel*>(w))
                text = label->text();
            const QKeySequence mnemonic = QKeySequence::mnemonic(text);
            if (mnemonic.isEmpty() || printPanel.contains(w))
                continue;
            const int key = mnemonic[0].key();
            QVERIFY2(!keys.contains(key), qPrintable(text));
            keys << key;
        }
        // Tab runs down the car's details.
        type("txtCCRegNumber", "CA 1");
        QTest::keyClick(screen->findChild<QLineEdit*>("txtCCRegNumber"), Qt::Key_Tab);
        QCOMPARE(focusName(), QString("txtCCMake"));
    }
};

REVORA_UI_TEST(CompanyCarScreenTest)
#include "CompanyCarScreenTest.moc"
