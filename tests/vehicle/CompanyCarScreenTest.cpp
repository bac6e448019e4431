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

#include "shell/AppState.h"
#include "shell/DateBox.h"
#include "shell/NumberBox.h"
#include "shell/PrintPanel.h"
#include "shell/ReportDatabase.h"
#include "shell/ScreenTestSupport.h"
#include "shell/MainWindow.h"
#include "vehicle/CompanyCarScreen.h"

using namespace revora;
using revora::testing::MessageBoxWatcher;

class CompanyCarScreenTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<AppState> state_;
    std::unique_ptr<QMdiArea> mdi_;

    CompanyCarRegister& cars() { return state_->CompanyCars; }

    // As the main window opens a screen: a child window that copies the screen's title.
    CompanyCarScreen* open()
    {
        auto* screen = new CompanyCarScreen(*state_);
        QMdiSubWindow* sub = mdi_->addSubWindow(screen);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowTitle(screen->windowTitle());
        sub->show();
        mdi_->setActiveSubWindow(sub);
        return screen;
    }
    static QMdiSubWindow* sub(QWidget* screen) { return qobject_cast<QMdiSubWindow*>(screen->parentWidget()); }
    static QString shown(QWidget* screen, const char* name) { return screen->findChild<QLineEdit*>(name)->text(); }
    static void type(QWidget* screen, const char* name, const QString& text)
    {
        QLineEdit* edit = screen->findChild<QLineEdit*>(name);
        QVERIFY2(edit && edit->isEnabled(), name);
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(edit, text);
    }
    static void leave(QWidget* screen, const char* name)
    {
        QTest::keyClick(screen->findChild<QLineEdit*>(name), Qt::Key_Tab);
    }
    static void click(QWidget* screen, const char* name)
    {
        auto* button = screen->findChild<QAbstractButton*>(name);
        QVERIFY2(button && button->isEnabled(), name);
        // A check box answers a click on its box or caption, not on the blank beside them.
        if (qobject_cast<QCheckBox*>(button))
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
        else
            QTest::mouseClick(button, Qt::LeftButton);
    }
    // Add, then name the new car and give it a value.
    static void addCar(QWidget* screen, const QString& registration, const QString& price)
    {
        click(screen, "cmdAdd");
        type(screen, "txtCCRegNumber", registration);
        type(screen, "numCCPrice", price);
    }
    QString focusName() const
    {
        QWidget* focus = mdi_->focusWidget();
        return focus ? focus->objectName() : QString();
    }
    // The offscreen platform does not always give the window back its activation when a
    // message box closes; focus changes count only in the active window.
    void reactivate()
    {
        mdi_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mdi_.get()));
    }

private slots:
    void init()
    {
        folder_ = std::make_unique<QTemporaryDir>();
        state_ = std::make_unique<AppState>();
        state_->Paths = MakeAppPaths(folder_->path(), revora::testing::TestInstallFolder());
        mdi_ = std::make_unique<QMdiArea>();
        mdi_->resize(1366, 768);
        mdi_->show();
        mdi_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mdi_.get()));
    }
    void cleanup()
    {
        revora::testing::CloseReportWindows();
        mdi_.reset();
        state_.reset();
        folder_.reset();
    }

    void typedFieldsReachTheCarAndItsResultsShow()
    {
        CompanyCarScreen* screen = open();
        QCOMPARE(sub(screen)->windowTitle(), QString("Full use of Company Car :  Vehicle number 0 of 0"));
        addCar(screen, "CA 200-000", "200000");
        QCOMPARE(sub(screen)->windowTitle(), QString("Full use of Company Car :  Vehicle number 1 of 1"));
        type(screen, "txtCCMake", "Toyota");
        type(screen, "txtCCModel", "Corolla");
        type(screen, "txtYearOfManfact", "2014");
        type(screen, "numStartMileage", "10000");
        type(screen, "numEndMileage", "30000");
        type(screen, "numActualExpEmployee", "4000");
        type(screen, "numActual3802", "1500");
        click(screen, "chkMaintIncluded");
        click(screen, "chkMaintIncluded");
        click(screen, "chkBussMilage");
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
        click(screen, "chkSARSTable");
        QCOMPARE(car.SARSTable, std::int16_t(1));
        QCOMPARE(car.ActualExpEmployee, 0.0);
        QCOMPARE(shown(screen, "numActualExpEmployee"), QString("0"));
        click(screen, "cmdCalculate");
        QCOMPARE(shown(screen, "numFuelComponent"), QString("19 100")); // 20 000 km x 0.955
        click(screen, "chkSARSTable");
        QCOMPARE(car.FuelComponent, 0.0);
        QCOMPARE(shown(screen, "numFuelComponent"), QString("0"));

        // Full year, no plan, no log book.
        click(screen, "chkBussMilage");
        click(screen, "cmdCalculate");
        QCOMPARE(shown(screen, "numTotalDistance"), QString("20 000")); // from the readings
        QCOMPARE(shown(screen, "numCCMonths"), QString("366"));
        QCOMPARE(shown(screen, "numTrueInclusion"), QString("84 000"));
        QCOMPARE(shown(screen, "numTrueInclusion_1"), QString("84 000"));
        QCOMPARE(shown(screen, "numIRP53802"), QString("84 000"));
        QCOMPARE(shown(screen, "numMonFB80"), QString("5 600"));
        QCOMPARE(shown(screen, "numMonFB20"), QString("1 400"));
        QCOMPARE(shown(screen, "numFortFB80"), QString("2 584.80"));
        QCOMPARE(shown(screen, "numWeekFB20"), QString("323.00"));
        // One car carries the whole code 3802 amount.
        QCOMPARE(shown(screen, "numFB3802ThisCar"), QString("1 500.00"));
        QCOMPARE(shown(screen, "numAdjustTaxableInc"), QString("82 500.00"));
        QCOMPARE(shown(screen, "numTotAdjustTaxableInc"), QString("82 500.00"));

        // No value and no distance: every figure reads 0, as the record now holds.
        type(screen, "numCCPrice", "0");
        type(screen, "numEndMileage", "0");
        type(screen, "numTotalDistance", "0");
        click(screen, "cmdCalculate");
        for (const char* result : {"numCCMonths", "numTrueInclusion", "numMonFB80", "numIRP53802", "numTotalDistance",
                                   "numAdjustTaxableInc", "numFuelComponent"})
            QVERIFY2(QStringList({"0", "0.00"}).contains(shown(screen, result)), result);
        QCOMPARE(shown(screen, "numFB3802ThisCar"), QString("0.00"));
        QCOMPARE(car.FB3802ThisCar, 0.0);
    }

    void registerCommandsStepTitleAndEnabling()
    {
        CompanyCarScreen* screen = open();
        addCar(screen, "CA 1", "100000");
        type(screen, "numActualExpEmployee", "5000");
        QVERIFY(!screen->findChild<QCheckBox*>("chkAutoCalc3802")->isVisible());
        addCar(screen, "CA 2", "200000");
        click(screen, "chkSARSTable");
        QVERIFY(screen->findChild<QCheckBox*>("chkAutoCalc3802")->isVisible());
        QVERIFY(screen->findChild<QCheckBox*>("chkAutoCalc3802")->isChecked());
        QVERIFY(!screen->findChild<QLineEdit*>("numFB3802ThisCar")->isEnabled()); // the split's
        click(screen, "chkAutoCalc3802");
        QCOMPARE(cars().AutoCalc3802, std::int16_t(0));
        QVERIFY(screen->findChild<QLineEdit*>("numFB3802ThisCar")->isEnabled());
        click(screen, "chkAutoCalc3802");
        QCOMPARE(cars().AutoCalc3802, std::int16_t(1));
        addCar(screen, "CA 3", "300000");
        QVERIFY(sub(screen)->windowTitle().endsWith("Vehicle number 3 of 3"));

        // Forward wraps from 3 to 1, Back from 1 to 3; each car shows exactly its record.
        click(screen, "cmdForward");
        QVERIFY(sub(screen)->windowTitle().endsWith("Vehicle number 1 of 3"));
        QCOMPARE(shown(screen, "txtCCRegNumber"), QString("CA 1"));
        QCOMPARE(shown(screen, "numActualExpEmployee"), QString("5 000"));
        QVERIFY(!screen->findChild<QCheckBox*>("chkSARSTable")->isChecked());
        click(screen, "cmdBack");
        QVERIFY(sub(screen)->windowTitle().endsWith("Vehicle number 3 of 3"));
        QCOMPARE(shown(screen, "txtCCRegNumber"), QString("CA 3"));
        QCOMPARE(shown(screen, "numCCPrice"), QString("300 000"));
        click(screen, "cmdBack");
        QCOMPARE(shown(screen, "txtCCRegNumber"), QString("CA 2"));
        QVERIFY(screen->findChild<QCheckBox*>("chkSARSTable")->isChecked());
        QCOMPARE(cars().Records[1].ActualExpEmployee, 5000.0); // untouched by showing car 2

        click(screen, "cmdDelete");
        QVERIFY(sub(screen)->windowTitle().endsWith("Vehicle number 1 of 2"));
        QCOMPARE(shown(screen, "txtCCRegNumber"), QString("CA 1"));
        QCOMPARE(cars().Records[2].CCRegNumber, std::string("CA 3"));
        click(screen, "cmdForward");
        QCOMPARE(shown(screen, "txtCCRegNumber"), QString("CA 3"));

        // An unnamed car among several can only be named or deleted.
        type(screen, "txtCCRegNumber", "");
        const QSet<QString> usable{"txtCCRegNumber", "cmdDelete"};
        const auto printPanel = screen->printPanel()->findChildren<QWidget*>();
        for (QWidget* w : screen->findChildren<QWidget*>()) {
            if (printPanel.contains(w) || !(qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w)))
                continue;
            QVERIFY2(w->isEnabled() == usable.contains(w->objectName()), qPrintable(w->objectName()));
        }
        type(screen, "txtCCRegNumber", "CA 3");
        QVERIFY(screen->findChild<QPushButton*>("cmdCalculate")->isEnabled());

        click(screen, "cmdDelete");
        QVERIFY(sub(screen)->windowTitle().endsWith("Vehicle number 1 of 1"));
        QVERIFY(!screen->findChild<QCheckBox*>("chkAutoCalc3802")->isVisible());
        QVERIFY(!screen->findChild<QPushButton*>("cmdBack")->isEnabled());
        click(screen, "cmdDelete");
        QVERIFY(sub(screen)->windowTitle().endsWith("Vehicle number 0 of 0"));
        for (const char* name : {"cmdAdd", "cmdOK", "cmdCalculate", "cmdPrint"})
            QVERIFY2(screen->findChild<QPushButton*>(name)->isEnabled(), name);
        QVERIFY(!screen->findChild<QPushButton*>("cmdDelete")->isEnabled());
    }

    void aFullRegisterSaysSo()
    {
        cars().Records.resize(static_cast<std::size_t>(MaxCompanyCars) + 1, CompanyCarRecord{});
        for (std::size_t i = 1; i < cars().Records.size(); ++i)
            cars().Records[i].CCRegNumber = "X";
        cars().CMVMaxNum = MaxCompanyCars;
        CompanyCarScreen* screen = open();
        MessageBoxWatcher watcher;
        click(screen, "cmdAdd");
        QTRY_COMPARE(watcher.texts().size(), 1);
        QCOMPARE(watcher.titles()[0], QString("Too many vehicles"));
        QCOMPARE(cars().CMVMaxNum, MaxCompanyCars);
    }

    void anInvalidEndDateHoldsTheWindowOpen()
    {
        CompanyCarScreen* screen = open();
        addCar(screen, "CA 1", "200000");
        MessageBoxWatcher watcher;
        type(screen, "dtCCStartDate", "31/03/2016");
        leave(screen, "dtCCStartDate");
        QTRY_COMPARE(watcher.texts().size(), 1);
        QCOMPARE(watcher.texts()[0],
                 QString("The date entered is not correct please enter a date between 01/03/2015 and 29/02/2016"));
        reactivate();
        QTRY_COMPARE(focusName(), QString("dtCCStartDate"));
        type(screen, "dtCCStartDate", "01/06/2015");
        leave(screen, "dtCCStartDate");
        QCOMPARE(cars().Records[1].CCStartDate, 42156);

        type(screen, "dtCCEndDate", "01/05/2015");
        leave(screen, "dtCCEndDate");
        QTRY_COMPARE(watcher.texts().size(), 2);
        QCOMPARE(watcher.titles()[1], QString("Incorrect Date"));
        QCOMPARE(watcher.texts()[1],
                 QString("The date entered is not correct please enter a date between 01/06/2015 and 29/02/2016"));
        QTRY_COMPARE(focusName(), QString("dtCCEndDate"));
        QVERIFY(screen->endDateInvalid());
        QCOMPARE(cars().Records[1].CCEndDate, 42429);
        reactivate();

        // The child window passes its close to the screen, which refuses it.
        QMdiSubWindow* window = sub(screen);
        QVERIFY(!window->close());
        QTRY_COMPARE(watcher.texts().size(), 3);
        QCOMPARE(watcher.titles()[2], QString("Incorrect Date"));
        QCOMPARE(watcher.texts()[2],
                 QString("The dates entered are not correct please enter a dates between 01/03/2015 and 29/02/2016"));
        QVERIFY(mdi_->subWindowList().contains(window));
        QVERIFY(window->isVisible());
        reactivate();
        QTRY_COMPARE(focusName(), QString("dtCCStartDate"));

        // Leaving the end date box cleared the mark: now the window closes.
        QVERIFY(!screen->endDateInvalid());
        click(screen, "cmdOK");
        QTRY_VERIFY(mdi_->subWindowList().isEmpty());
        QCOMPARE(watcher.texts().size(), 3);
    }

    void printingThreeCarsAfterFourWritesThreeRows()
    {
        CompanyCarScreen* screen = open();
        for (const char* registration : {"CA 1", "CA 2", "CA 3", "CA 4"})
            addCar(screen, registration, "150000");
        MessageBoxWatcher watcher;
        click(screen, "cmdPrint");
        QVERIFY(screen->printPanel()->isVisible());
        QVERIFY(screen->printPanel()->findChild<QPushButton*>("cmdVR"));
        QTest::mouseClick(screen->printPanel()->viewButton(), Qt::LeftButton);
        QVERIFY(!screen->printPanel()->isVisible());
        QCOMPARE(ReadReportTable(state_->Paths, "compcar").size(), 4);
        revora::testing::CloseReportWindows();

        click(screen, "cmdDelete");
        // Car 1 is shown after a delete: give it distance and no value.
        type(screen, "numTotalDistance", "1000");
        type(screen, "numCCPrice", "0");
        click(screen, "cmdPrint");
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
        addCar(screen, "CA 1", "100000");
        addCar(screen, "CA 2", "200000");
        click(screen, "cmdOK");
        QTRY_VERIFY(mdi_->subWindowList().isEmpty());

        screen = open();
        QCOMPARE(sub(screen)->windowTitle(), QString("Full use of Company Car :  Vehicle number 1 of 2"));
        QCOMPARE(shown(screen, "txtCCRegNumber"), QString("CA 1"));
        QCOMPARE(shown(screen, "numMonFB80"), QString("2 800")); // calculated on opening
        QVERIFY(screen->findChild<QCheckBox*>("chkAutoCalc3802")->isVisible());
        sub(screen)->close();
        QTRY_VERIFY(mdi_->subWindowList().isEmpty());

        state_->InitialiseAll();
        screen = open();
        QCOMPARE(sub(screen)->windowTitle(), QString("Full use of Company Car :  Vehicle number 0 of 0"));
        QCOMPARE(shown(screen, "txtCCRegNumber"), QString());
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
        type(screen, "txtCCRegNumber", "CA 1");
        QTest::keyClick(screen->findChild<QLineEdit*>("txtCCRegNumber"), Qt::Key_Tab);
        QCOMPARE(focusName(), QString("txtCCMake"));
    }
};

QTEST_MAIN(CompanyCarScreenTest)
#include "CompanyCarScreenTest.moc"
