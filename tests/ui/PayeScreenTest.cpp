// The five employees' tax screens as a payroll clerk drives them: opening, settings, period
// checks, date boxes, box tidying, the beneficiaries limits, printing and Initialise All.

#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlRecord>
#include <QTest>

#include "payroll/AnnualScreen.h"
#include "ui/UiTest.h"
#include "payroll/MonthlyScreen.h"
#include "payroll/WeekScreen.h"
#include "DateBox.h"
#include "MainWindow.h"
#include "NumberBox.h"
#include "OverlayPanel.h"
#include "PrintPanel.h"
#include "ReportDatabase.h"
#include "ui/ScreenTestSupport.h"
#include "SetupPanel.h"
#include "SetupSettings.h"
#include "tax/TaxYearRules.h"

using namespace revora;
using revora::testing::MenuAction;
using revora::testing::MessageBoxWatcher;

class PayeScreenTest : public QObject, revora::testing::MainWindowFixture {
    Q_OBJECT

    template <typename Screen>
    Screen* open(const char* menu, const char* name)
    {
        return openFromMenu<Screen>(menu, name);
    }
    static void print(PayeScreen* screen, bool afrikaans)
    {
        click(screen, "cmdPrint");
        if (afrikaans)
            click(screen, "Option2");
        QTest::mouseClick(screen->printPanel()->viewButton(), Qt::LeftButton);
    }
    static QString dated(QWidget* screen, const char* name) { return screen->findChild<DateBox*>(name)->text(); }
    QSqlRecord row(const char* table) const { return ReadReportTable(main_->state().Paths, table).value(0); }

private slots:
    void init() { startMain(); }
    void cleanup() { stopMain(); }

    void eachScreenOpensOnItsDefaultsWithEveryResultZero_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("periodBoxes");
        QTest::addColumn<QStringList>("periodShown");
        QTest::newRow("monthly: March") << "mnuMonthly" << "frmMonthly" << "Monthly"
                                        << QStringList{"dtMStartDate", "dtMEndDate"}
                                        << QStringList{"01/03/2015", "31/03/2015"};
        QTest::newRow("weekly: 7 of 7 days") << "mnuWeekly" << "frmWeekly" << "Weekly"
                                             << QStringList{"silgEdit21", "silgEdit22"} << QStringList{"7", "7"};
        QTest::newRow("fortnightly: 14 of 14 days") << "mnuFortNight" << "frmFortNight" << "Fortnightly"
                                                    << QStringList{"silgEdit21", "silgEdit22"}
                                                    << QStringList{"14", "14"};
        QTest::newRow("daily: no period") << "mnuDaily" << "frmDaily" << "Daily" << QStringList{} << QStringList{};
        QTest::newRow("annual: the whole year") << "mnuAnnual" << "frmAnnual" << "Annual"
                                                << QStringList{"dtStartDate", "dtEndDate"}
                                                << QStringList{"01/03/2015", "29/02/2016"};
    }
    void eachScreenOpensOnItsDefaultsWithEveryResultZero()
    {
        QFETCH(QString, menu);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QStringList, periodBoxes);
        QFETCH(QStringList, periodShown);
        MenuAction(*main_, menu)->trigger();
        QMdiSubWindow* sub = main_->findScreen(name);
        QVERIFY(sub);
        QCOMPARE(sub->windowTitle(), caption);
        for (qsizetype i = 0; i < periodBoxes.size(); ++i)
            QCOMPARE(sub->widget()->findChild<QLineEdit*>(periodBoxes[i])->text(), periodShown[i]);
        for (const char* result : {"numMAns", "numTaxCredit", "numMTCForContri", "numTaxLiability"})
            QCOMPARE(shown(sub->widget(), result), QString("0.00"));
        QVERIFY(!sub->widget()->findChild<OverlayPanel*>("Frame3")->isVisible());
        QVERIFY(!sub->widget()->findChild<PrintPanel*>("fraPrint")->isVisible());
        QVERIFY(sub->widget()->findChild<QRadioButton*>("Option1")->isChecked());
    }

    void monthlyFiguresFollowTheInputs()
    {
        auto* monthly = open<MonthlyScreen>("mnuMonthly", "frmMonthly");
        type(monthly, "silgEdit9", "40");
        type(monthly, "silgEdit10", "20000");
        click(monthly, "cmdCalculate");
        // 240 000 a year: (32 742 + 58 100 x 26 %) - 13 257 = 34 591, a twelfth a month.
        QCOMPARE(shown(monthly, "numMAns"), QString("2 882.58"));
        QCOMPARE(shown(monthly, "numMAns1"), QString("148.72")); // the 14 872 limit x 1 %
        QCOMPARE(shown(monthly, "numMAns3"), QString("200.00"));
        QCOMPARE(main_->state().Tax.TaxBracketResult.TaxableIncome, 240000.0);
        QCOMPARE(monthly->working().Steps().back().Amount, monthly->result().TotalTaxDeduction);

        // Another year with the same dates and no rebate: worked again, 47 848 / 12; one whose
        // dates are a year on: the period moves into it, day and month kept, and is worked again.
        TaxYear other = TaxYear2016();
        other.Year = 2030;
        other.Rebates.Primary = 0;
        main_->state().Year = {{other}, 2030};
        monthly->yearChanged();
        QCOMPARE(shown(monthly, "numMAns"), QString("3 987.33"));
        main_->state().Year.Years[0].Start += 366;
        main_->state().Year.Years[0].End += 366;
        monthly->yearChanged();
        QCOMPARE(dated(monthly, "dtMStartDate"), QString("01/03/2016"));
        QCOMPARE(dated(monthly, "dtMEndDate"), QString("31/03/2016"));
        QCOMPARE(shown(monthly, "numMAns"), QString("3 987.33"));
    }

    // An amount box keeps what was typed, cents and all, as the payroll file and revora-calc
    // take it, and shows it grouped once the edit ends.
    void amountsAreTakenAsTyped_data()
    {
        QTest::addColumn<QString>("salary");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("tax");
        QTest::newRow("cents kept") << "14500.75" << "14 500.75" << "1 505.38";
        QTest::newRow("whole rands grouped") << "20000" << "20 000" << "2 882.58";
    }
    void amountsAreTakenAsTyped()
    {
        QFETCH(QString, salary);
        auto* monthly = open<MonthlyScreen>("mnuMonthly", "frmMonthly");
        type(monthly, "silgEdit10", salary);
        QTest::keyClick(box(monthly, "silgEdit10"), Qt::Key_Tab);
        QTEST(shown(monthly, "silgEdit10"), "shown");
        QCOMPARE(monthly->inputs().Salary, salary.toDouble());
        click(monthly, "cmdCalculate");
        QTEST(shown(monthly, "numTaxLiability"), "tax");
    }

    // A change of year moves the period into the new year (29 February becoming 28 February)
    // and works it again; the months a calculation clears outside the period show 0 over the
    // counts typed, which come back for a longer period.
    void anAnnualYearChangeMovesTheDatesAndKeepsTheCounts()
    {
        auto* annual = open<AnnualScreen>("mnuAnnual", "frmAnnual");
        type(annual, "numMedAidBens", "3");
        type(annual, "numEmpEEMedAidCont", "1200");
        type(annual, "silgEdit2", "300000");
        type(annual, "dtStartDate", "01/06/2015");
        click(annual, "cmdCalculate");
        QCOMPARE(shown(annual, "numAnnCalcBens_3"), QString("0"));
        QCOMPARE(box(annual, "numAnnCalcBens_3")->value(), 3.0);
        MenuAction(*main_, "mnuTaxYear2025")->trigger();
        QCOMPARE(dated(annual, "dtStartDate"), QString("01/06/2024"));
        QCOMPARE(dated(annual, "dtEndDate"), QString("28/02/2025"));
        QVERIFY(!shown(annual, "numMAns").isEmpty());
        QCOMPARE(annual->inputs().MembersByMonth[2], std::int16_t(3));
        type(annual, "dtStartDate", "01/03/2024");
        click(annual, "cmdCalculate");
        QCOMPARE(shown(annual, "numAnnCalcBens_3"), QString("3"));
    }

    void settingsSavedOnWeeklyAreWhatMonthlyLoads()
    {
        auto* weekly = open<WeekScreen>("mnuWeekly", "frmWeekly");
        click(weekly, "cmdSettings");
        QVERIFY(weekly->settingsPanel()->isVisible());
        for (const char* name : {"cmdOk", "cmdCalculate", "cmdSettings", "cmdPrint"})
            QVERIFY2(!weekly->findChild<QPushButton*>(name)->isEnabled(), name);
        type(weekly, "numEmpEUIF", "2");
        type(weekly, "numUIFLimit", "13000");
        click(weekly, "optTAIncRate20");
        click(weekly, "cmdSetupOK");
        QVERIFY(!weekly->settingsPanel()->isVisible());
        QVERIFY(weekly->findChild<QPushButton*>("cmdCalculate")->isEnabled());

        auto* monthly = open<MonthlyScreen>("mnuMonthly", "frmMonthly");
        QCOMPARE(monthly->settings().EmployeeUIF, 2.0);
        QCOMPARE(monthly->settings().UIFLimit, 13000.0);
        QCOMPARE(monthly->settings().TAIncRate8020, 0.2);
        QCOMPARE(shown(monthly, "numEmpEUIF"), QString("2.000"));
        QVERIFY(monthly->findChild<QRadioButton*>("optTAIncRate20")->isChecked());
    }

    void settingsSavedOnOneOpenScreenAreWhatTheOtherUsesAndKeeps()
    {
        auto* weekly = open<WeekScreen>("mnuWeekly", "frmWeekly");
        type(weekly, "sidbEdit2", "5000");
        click(weekly, "cmdCalculate");
        QCOMPARE(shown(weekly, "numMAns1"), QString("34.32")); // 14 872 x 12 / 52 x 1 %
        auto* monthly = open<MonthlyScreen>("mnuMonthly", "frmMonthly");
        click(monthly, "cmdSettings");
        type(monthly, "numUIFLimit", "17712");
        // Enter in the panel is its O&K, and the weekly figures follow with no Calculate.
        QTest::keyClick(box(monthly, "numUIFLimit"), Qt::Key_Return);
        QVERIFY(!monthly->settingsPanel()->isVisible());
        QCOMPARE(ReadPayeSettings(main_->state().Paths).UIFLimit, 17712.0);
        QCOMPARE(shown(weekly, "numMAns1"), QString("40.87")); // 17 712 x 12 / 52 x 1 %
        click(weekly, "cmdSettings");
        QCOMPARE(shown(weekly, "numUIFLimit"), QString("17 712"));
        // A rate beyond the pay it is taken from is refused; Esc leaves everything as it was.
        MessageBoxWatcher watcher;
        type(weekly, "numEmpEUIF", "150");
        QTRY_COMPARE(watcher.texts(), QStringList{"Employee UIF portion can be at most 100 %."});
        QTest::keyClick(box(weekly, "numSkillPercent"), Qt::Key_Escape);
        QVERIFY(!weekly->settingsPanel()->isVisible());
        QVERIFY(weekly->findChild<QPushButton*>("cmdSettings")->isEnabled());
        QCOMPARE(ReadPayeSettings(main_->state().Paths).EmployeeUIF, 1.0);

        // Weekly's O&K writes what was changed on it, and only that: a limit saved elsewhere
        // while its panel was open stays.
        click(weekly, "cmdSettings");
        WritePayeSettings(main_->state().Paths, {1.0, 1.0, 1.0, 20000.0, 0.8});
        type(weekly, "numSkillPercent", "2");
        click(weekly, "cmdSetupOK");
        const PayeSettings stored = ReadPayeSettings(main_->state().Paths);
        QCOMPARE(stored.SkillLevy, 2.0);
        QCOMPARE(stored.UIFLimit, 20000.0);
    }

    void aUifLimitOf0IsRefusedOnOkAndThePanelStays()
    {
        auto* monthly = open<MonthlyScreen>("mnuMonthly", "frmMonthly");
        click(monthly, "cmdSettings");
        type(monthly, "numUIFLimit", "0");
        MessageBoxWatcher watcher;
        click(monthly, "cmdSetupOK");
        QTRY_COMPARE(watcher.texts(), QStringList{"UIF monthly limit must be above 0 and at most 999 999 999 999.99."});
        QVERIFY(monthly->settingsPanel()->isVisible());
        QTRY_COMPARE(main_->focusWidget()->objectName(), QString("numUIFLimit"));
        QCOMPARE(ReadPayeSettings(main_->state().Paths).UIFLimit, 14872.0);
    }

    void periodChecksSayWhyAndClearTheResults_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("salaryBox");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("monthly start after end")
            << "mnuMonthly" << "frmMonthly" << "silgEdit10" << QStringList{"dtMStartDate", "dtMEndDate"}
            << QStringList{"10/03/2015", "05/03/2015"} << "Incorrect Date"
            << "The Start date entered must be before the End date" << "dtMStartDate";
        QTest::newRow("monthly across two months")
            << "mnuMonthly" << "frmMonthly" << "silgEdit10" << QStringList{"dtMStartDate", "dtMEndDate"}
            << QStringList{"31/03/2015", "01/04/2015"} << "Incorrect Date"
            << "The Start and End dates entered must be for the same Month" << "dtMEndDate";
        QTest::newRow("weekly six days of five")
            << "mnuWeekly" << "frmWeekly" << "sidbEdit2" << QStringList{"silgEdit21", "silgEdit22"}
            << QStringList{"5", "6"} << "Incorrect Number of Days"
            << "The number of 'Normal work-week' days must be = to or larger than 'This work-week'."
            << "cmdCalculate";
        QTest::newRow("fortnightly ten days of nine")
            << "mnuFortNight" << "frmFortNight" << "sidbEdit2" << QStringList{"silgEdit21", "silgEdit22"}
            << QStringList{"9", "10"} << "Incorrect Number of Days"
            << "The number of 'Normal fortnight' days must be = to or larger than 'This fortnight'."
            << "cmdCalculate";
        QTest::newRow("weekly with no days this week")
            << "mnuWeekly" << "frmWeekly" << "sidbEdit2" << QStringList{"silgEdit21", "silgEdit22"}
            << QStringList{"5", "0"} << "Incorrect Number of Days" << "The number of days must be 1 or more."
            << "silgEdit22";
        const QString aboveIncome = "The pension and R/A contributions, 600 000.00, are more than the period's "
                                    "income, 500 000.00 (salary, commissions, bonus, taxable travel allowance and "
                                    "the employer's medical contribution).";
        QTest::newRow("monthly pension above the pay")
            << "mnuMonthly" << "frmMonthly" << "silgEdit10" << QStringList{"silgEdit16"} << QStringList{"600000"}
            << "Incorrect Contributions" << aboveIncome << "silgEdit16";
        QTest::newRow("annual pension and R/A above the pay")
            << "mnuAnnual" << "frmAnnual" << "silgEdit2" << QStringList{"silgEdit6", "silgEdit7"}
            << QStringList{"500000", "100000"} << "Incorrect Contributions" << aboveIncome << "silgEdit6";
    }
    void periodChecksSayWhyAndClearTheResults()
    {
        QFETCH(QString, menu);
        QFETCH(QString, name);
        QFETCH(QString, salaryBox);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, typed);
        QFETCH(QString, focus);
        MenuAction(*main_, menu)->trigger();
        auto* screen = qobject_cast<PayeScreen*>(main_->findScreen(name)->widget());
        type(screen, qPrintable(salaryBox), "500000");
        click(screen, "cmdCalculate");
        const QString before = shown(screen, "numMAns");
        QVERIFY(before != "0.00");
        for (qsizetype i = 0; i < boxes.size(); ++i)
            type(screen, qPrintable(boxes[i]), typed[i]);
        MessageBoxWatcher watcher;
        click(screen, "cmdCalculate");
        QTRY_COMPARE(watcher.texts().size(), 1);
        QTEST(watcher.titles()[0], "title");
        QTEST(watcher.texts()[0], "message");
        QTRY_COMPARE(main_->focusWidget()->objectName(), focus);
        QCOMPARE(shown(screen, "numMAns"), QString()); // no figure of the inputs before
        QVERIFY(screen->working().Empty());
    }

    void aRefusedPeriodPrintsNothing()
    {
        auto* monthly = open<MonthlyScreen>("mnuMonthly", "frmMonthly");
        type(monthly, "dtMStartDate", "10/03/2015");
        type(monthly, "dtMEndDate", "05/03/2015");
        const QSqlRecord before = row("IRP5Mon");
        MessageBoxWatcher watcher;
        print(monthly, false);
        QTRY_COMPARE(watcher.texts().size(), 1);
        QCOMPARE(row("IRP5Mon"), before);
    }

    void aDateOutsideTheYearIsRefusedOnLeaving()
    {
        auto* monthly = open<MonthlyScreen>("mnuMonthly", "frmMonthly");
        MessageBoxWatcher watcher;
        type(monthly, "dtMStartDate", "31/03/2016");
        QTest::keyClick(monthly->findChild<DateBox*>("dtMStartDate"), Qt::Key_Tab);
        QTRY_COMPARE(watcher.texts().size(), 1);
        QCOMPARE(watcher.titles()[0], QString("Incorrect Date"));
        QCOMPARE(watcher.texts()[0],
                 QString("The date entered is not correct please enter a date between 01/03/2015 and 29/02/2016"));
        QTRY_COMPARE(main_->focusWidget()->objectName(), QString("dtMStartDate"));
        QCOMPARE(monthly->period().StartDate, 42064);
        // A day the month does not have is no date at all, not one outside the year.
        main_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
        type(monthly, "dtMEndDate", "31/04/2015");
        QTest::keyClick(monthly->findChild<DateBox*>("dtMEndDate"), Qt::Key_Tab);
        QTRY_COMPARE(watcher.texts().size(), 2);
        QCOMPARE(watcher.titles()[1], QString("Incorrect Date"));
        QCOMPARE(watcher.texts()[1], QString::fromStdString(NotADateMessage("31/04/2015")));
    }

    void anEmptiedDecimalBoxShowsZeroOnLeaving()
    {
        auto* weekly = open<WeekScreen>("mnuWeekly", "frmWeekly");
        type(weekly, "sidbEdit2", "12.5");
        QTest::keyClick(box(weekly, "sidbEdit2"), Qt::Key_Tab);
        QCOMPARE(shown(weekly, "sidbEdit2"), QString("12.50"));
        type(weekly, "sidbEdit2", "");
        QTest::keyClick(box(weekly, "sidbEdit2"), Qt::Key_Backspace);
        QTest::keyClick(box(weekly, "sidbEdit2"), Qt::Key_Tab);
        QCOMPARE(shown(weekly, "sidbEdit2"), QString("0.00"));
        QCOMPARE(weekly->inputs().Salary, 0.0);
    }

    void countsBeyondTheirLimitsAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("beneficiaries beyond what the credit can count") << "numMedAidBens" << "184" << "183";
        QTest::newRow("an age above the oldest") << "silgEdit9" << "131" << "at most 130 years";
    }
    void countsBeyondTheirLimitsAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        auto* monthly = open<MonthlyScreen>("mnuMonthly", "frmMonthly");
        type(monthly, qPrintable(name), "2");
        QVERIFY(box(monthly, qPrintable(name))->commit());
        MessageBoxWatcher watcher;
        type(monthly, qPrintable(name), typed);
        QTRY_COMPARE(watcher.texts().size(), 1);
        QFETCH(QString, message);
        QVERIFY(watcher.texts()[0].contains(message));
        // Back to the count from before the edit, never the 18 or 13 typed on the way.
        QCOMPARE(shown(monthly, qPrintable(name)), QString("2"));
        const PayeInputs& in = monthly->inputs();
        QCOMPARE(name == "silgEdit9" ? in.Age : in.Beneficiaries, std::int16_t(2));
    }

    void annualMonthsStopAt24AndMarchIsCopied()
    {
        auto* annual = open<AnnualScreen>("mnuAnnual", "frmAnnual");
        MessageBoxWatcher watcher;
        type(annual, "numAnnCalcBens_5", "30");
        QTest::keyClick(box(annual, "numAnnCalcBens_5"), Qt::Key_Tab);
        QTRY_COMPARE(watcher.texts().size(), 1);
        QCOMPARE(watcher.texts()[0],
                 QString("Only a maximum of 24 are allowed i.e. Principal member & first beneficiary!"));
        QCOMPARE(shown(annual, "numAnnCalcBens_5"), QString("24"));

        // The beneficiaries box fills the months of the period.
        type(annual, "numMedAidBens", "2");
        QCOMPARE(shown(annual, "numAnnCalcBens_2"), QString("2"));
        type(annual, "numAnnCalcBens_3", "3");
        click(annual, "cmdDuplicate");
        for (int month = 1; month <= 12; ++month)
            QCOMPARE(annual->inputs().MembersByMonth[static_cast<std::size_t>(month - 1)], std::int16_t(3));
        QCOMPARE(shown(annual, "numAnnCalcBens_2"), QString("3"));
    }

    void anAfrikaansPrintoutCarriesAfrikaansLabels()
    {
        auto* monthly = open<MonthlyScreen>("mnuMonthly", "frmMonthly");
        type(monthly, "silgEdit10", "20000");
        click(monthly, "cmdPrint");
        // The panel opens on the name the printout is made out to.
        QTRY_COMPARE(QApplication::focusWidget(), monthly->findChild<QLineEdit*>("Text1"));
        QTest::keyClicks(QApplication::focusWidget(), "Thandi Nkosi");
        click(monthly, "Option2");
        QTest::keyClick(monthly->findChild<QLineEdit*>("Text1"), Qt::Key_Return); // Enter views the report
        QVERIFY(!monthly->printPanel()->isVisible());
        const QSqlRecord printed = row("IRP5Mon");
        QCOMPARE(printed.value("TypeAM").toString(), QString("Maandelikse Inkomste"));
        QCOMPARE(printed.value("Employee").toString(), QString("Vir : Thandi Nkosi"));
        QCOMPARE(printed.value("Sal").toString(), QString("Besoldiging"));
        QCOMPARE(printed.value("SalNum").toDouble(), 20000.0);
        QCOMPARE(printed.value("EOE").toString(), QString("(B.& F.W.)"));
        QCOMPARE(monthly->workingLanguage(), PrintLanguage::Afrikaans);
    }

    void weeklyThenFortnightlyShareOneRow()
    {
        auto* weekly = open<WeekScreen>("mnuWeekly", "frmWeekly");
        type(weekly, "sidbEdit2", "3000");
        print(weekly, false);
        QCOMPARE(row("IRP5Week").value("TypeAM").toString(), QString("Weekly Check"));
        auto* fortnightly = open<WeekScreen>("mnuFortNight", "frmFortNight");
        type(fortnightly, "sidbEdit2", "6000");
        print(fortnightly, false);
        const QList<QSqlRecord> rows = ReadReportTable(main_->state().Paths, "IRP5Week");
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].value("TypeAM").toString(), QString("Fortnightly Check"));
        QCOMPARE(rows[0].value("SalNum").toDouble(), 6000.0);
    }

    void initialiseAllKeepsOnlyTheFortnightlyScreen()
    {
        for (const auto& [menu, name] : {std::pair{"mnuMonthly", "frmMonthly"}, {"mnuWeekly", "frmWeekly"},
                                          {"mnuDaily", "frmDaily"}, {"mnuAnnual", "frmAnnual"},
                                          {"mnuFortNight", "frmFortNight"}})
            MenuAction(*main_, menu)->trigger();
        auto* fortnightly = qobject_cast<WeekScreen*>(main_->findScreen("frmFortNight")->widget());
        type(fortnightly, "sidbEdit2", "6000");
        MenuAction(*main_, "mnuNew")->trigger();
        QTRY_VERIFY(!main_->findScreen("frmMonthly"));
        for (const char* name : {"frmWeekly", "frmDaily", "frmAnnual"})
            QVERIFY2(!main_->findScreen(name), name);
        QVERIFY(main_->findScreen("frmFortNight"));
        QCOMPARE(fortnightly->inputs().Salary, 6000.0);
    }
};

REVORA_UI_TEST(PayeScreenTest)
#include "PayeScreenTest.moc"
