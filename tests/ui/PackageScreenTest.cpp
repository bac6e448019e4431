// The four salary package screens as an employer's clerk drives them: the settings panel,
// the mirror boxes, the boxes a calculation rewrites, the once-off car lines, the fringe
// benefit message and the shared printout table.

#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlRecord>
#include <QTest>

#include "package/PackageScreen.h"
#include "ui/UiTest.h"
#include "MainWindow.h"
#include "NumberBox.h"
#include "OverlayPanel.h"
#include "PrintPanel.h"
#include "ReportDatabase.h"
#include "ui/ScreenTestSupport.h"
#include "SetupPanel.h"
#include "SetupSettings.h"
#include "common/AmountFormat.h"

using namespace revora;
using revora::testing::MenuAction;
using revora::testing::MessageBoxWatcher;

class PackageScreenTest : public QObject, revora::testing::MainWindowFixture {
    Q_OBJECT

    SalaryPackageScreen* open(const char* menu, const char* name)
    {
        return openFromMenu<SalaryPackageScreen>(menu, name);
    }
    QSqlRecord printedRow() const { return ReadReportTable(main_->state().Paths, "SalPackage").value(0); }
    static void print(SalaryPackageScreen* screen)
    {
        click(screen, "cmdPrint");
        QTest::mouseClick(screen->printPanel()->viewButton(), Qt::LeftButton);
    }

private slots:
    void init() { startMain(); }
    void cleanup() { stopMain(); }

    void eachMenuOpensItsScreenWithItsCaptions_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("salary");
        QTest::newRow("Revora annual") << "mnuRevxAnn" << "frmRevoraAnn" << "Revora : Annual Calculation"
                                       << "Gross salary";
        QTest::newRow("Revora monthly") << "mnuRevxMon" << "frmRevoraMon" << "Revora : Monthly Calculation"
                                        << "Gross salary";
        QTest::newRow("Avanta annual") << "mnuAvxAnn" << "frmAvxAnn" << "Avanta : Annual Calculation"
                                       << "Net salary(take-home)";
        QTest::newRow("Avanta monthly") << "mnuAvxMon" << "frmAvxMon" << "Avanta : Monthly Calculation"
                                        << "Net salary(take-home)";
    }
    void eachMenuOpensItsScreenWithItsCaptions()
    {
        QFETCH(QString, menu);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, salary);
        auto* screen = open(qPrintable(menu), qPrintable(name));
        QVERIFY(screen);
        QCOMPARE(main_->findScreen(name)->windowTitle(), caption);
        bool found = false;
        for (QLabel* label : screen->findChildren<QLabel*>())
            found = found || label->text() == salary;
        QVERIFY2(found, qPrintable(salary));
        QVERIFY(screen->findChild<QRadioButton*>("Option3_1")->isChecked()); // "&No"
        QVERIFY(!box(screen, "numOnceOff")->isVisible());
    }

    void settingsSavedOnAPackageScreenAreWhatTheNextOneLoads()
    {
        auto* annual = open("mnuRevxAnn", "frmRevoraAnn");
        click(annual, "cmdSettings");
        QVERIFY(annual->settingsPanel()->isVisible());
        for (const char* name : {"cmdOk", "cmdRAExpl", "cmdCalculate", "cmdSettings", "cmdPrint"})
            QVERIFY2(!annual->findChild<QPushButton*>(name)->isEnabled(), name);
        {
            MessageBoxWatcher watcher;
            type(annual, "numPenContPerc", "120");
            QTRY_COMPARE(watcher.texts(), QStringList{"Employee pension contribution can be at most 100 %."});
        }
        type(annual, "numPenContPerc", "7.5");
        type(annual, "numEmpEUIF", "2");
        click(annual, "optCompCarMPYes");
        click(annual, "optCompCarFBRate20");
        click(annual, "cmdSetupOK");
        QVERIFY(!annual->settingsPanel()->isVisible());
        QVERIFY(annual->findChild<QPushButton*>("cmdRAExpl")->isEnabled());

        const PackageSettings stored = ReadPackageSettings(main_->state().Paths);
        QCOMPARE(stored.PensionCont, 7.5);
        QCOMPARE(stored.EmployeeUIF, 2.0);
        QVERIFY(stored.CompCarMPYesNo);
        QCOMPARE(stored.CompCarFBRate8020, 0.2);
        auto* monthly = open("mnuAvxMon", "frmAvxMon");
        QCOMPARE(monthly->settings().PensionCont, 7.5);
        QVERIFY(monthly->findChild<QRadioButton*>("optCompCarMPYes")->isChecked());
        // The payroll screens read the same row.
        QCOMPARE(ReadPayeSettings(main_->state().Paths).EmployeeUIF, 2.0);
    }

    void mirrorBoxesCopyWhatIsTypedAndTheOtherLinesKeepTheirOwn()
    {
        auto* avanta = open("mnuAvxAnn", "frmAvxAnn");
        type(avanta, "numNetMonSalReq", "300000");
        type(avanta, "numTravAll", "24000");
        type(avanta, "numOTaxFB", "1200");
        type(avanta, "numOtherDet_2", "500");
        QCOMPARE(box(avanta, "numCCNetMonSalReq")->value(), 300000.0);
        QCOMPARE(box(avanta, "numCCTravAll")->value(), 24000.0);
        QCOMPARE(box(avanta, "numCCOTaxFB")->value(), 1200.0);
        QCOMPARE(box(avanta, "numOtherDetCC_2")->value(), 500.0);
        type(avanta, "numOtherDetCC_2", "650"); // the employer's amount may differ
        QCOMPARE(avanta->inputs().Other[2].CostToCompany, 650.0);
        QCOMPARE(avanta->inputs().Other[2].Amount, 500.0);
        type(avanta, "numMedAidCont", "3000");
        QCOMPARE(box(avanta, "numCCMedAidCont")->value(), 0.0); // not a mirror
    }

    void aCalculationRewritesTheRAAndClearsAMedicalDeductionBelow65()
    {
        auto* avanta = open("mnuAvxAnn", "frmAvxAnn");
        type(avanta, "numAge", "64");
        type(avanta, "numNetMonSalReq", "300000");
        type(avanta, "numMedDeduct", "5000");
        type(avanta, "numRADeduct", "9000");
        click(avanta, "cmdCalculate");
        QCOMPARE(shown(avanta, "numMedDeduct"), QString("0.00"));
        // No fund percentages: the R/A may be 15 % of the package, 45 000; 9 000 is kept.
        QCOMPARE(shown(avanta, "numRADeduct"), QString("9 000.00"));
        type(avanta, "numAge", "65");
        type(avanta, "numMedDeduct", "5000");
        click(avanta, "cmdCalculate");
        QCOMPARE(shown(avanta, "numMedDeduct"), QString("5 000.00"));
    }

    // The R/A box shows the R/A allowed over the amount typed, and every calculation starts from
    // what was typed: printing (which works the figures twice more) and a year change to and fro
    // leave the figures as Calculate gave them, and the printout is what the screen shows.
    void workingAgainStartsFromTheRATyped_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("ra");
        QTest::addColumn<QString>("between"); // "print" twice, or a year to go to and back from
        QTest::addColumn<QStringList>("figures"); // R/A shown, tax due, gross salary
        QTest::newRow("printed twice in 2015/16")
            << "mnuTaxYear2016" << "12000" << "print" << QStringList{"11 999.85", "113 746.85", "484 879.49"};
        QTest::newRow("2024/25 to 2015/16 and back") << "mnuTaxYear2025" << "60000" << "mnuTaxYear2016"
                                                     << QStringList{};
    }
    void workingAgainStartsFromTheRATyped()
    {
        QFETCH(QString, year);
        QFETCH(QString, ra);
        QFETCH(QString, between);
        MenuAction(*main_, year)->trigger();
        auto* revora = open("mnuRevxAnn", "frmRevoraAnn");
        for (const auto& [name, typed] : {std::pair<const char*, QString>{"numAge", "38"}, {"numNetMonSalReq", "360000"},
                                          {"numTravAll", "48000"}, {"numMedAidCont", "18000"},
                                          {"numCCMedAidCont", "24000"}, {"numPMems", "36"}, {"numRADeduct", ra}})
            type(revora, name, typed);
        click(revora, "cmdCalculate");
        const QStringList boxes{"numRADeduct", "numMAns", "numGrossSal", "numTotCostComp"};
        QStringList calculated;
        for (const QString& name : boxes)
            calculated << shown(revora, qPrintable(name));
        QFETCH(QStringList, figures);
        if (!figures.isEmpty())
            QCOMPARE(calculated.mid(0, 3), figures);
        if (between == "print") {
            print(revora);
            print(revora);
            const QSqlRecord printed = printedRow();
            const QStringList fields{"RADeduct", "TaxDue", "GSal", "TotCostComp"};
            for (qsizetype i = 0; i < fields.size(); ++i)
                QCOMPARE(QString::fromStdString(FormatAmount(printed.value(fields[i]).toDouble(), 2)), calculated[i]);
        } else {
            MenuAction(*main_, between)->trigger();
            QVERIFY(shown(revora, "numRADeduct") != calculated[0]); // that year's R/A allowed
            MenuAction(*main_, year)->trigger();
        }
        QCOMPARE(box(revora, "numRADeduct")->value(), ra.toDouble());
        for (qsizetype i = 0; i < boxes.size(); ++i)
            QCOMPARE(shown(revora, qPrintable(boxes[i])), calculated[i]);
    }

    void aCarWithoutAnEmployerCostShowsTheOnceOffLines()
    {
        auto* revora = open("mnuRevxAnn", "frmRevoraAnn");
        type(revora, "numNetMonSalReq", "20000");
        type(revora, "numCompCar", "250000");
        const QSize form = revora->sizeHint(); // the window is sized to it, the lines hidden
        click(revora, "cmdCalculate");
        QVERIFY(box(revora, "numOnceOff")->isVisible());
        QCOMPARE(revora->sizeHint(), form);
        QCOMPARE(shown(revora, "numOnceOff"), QString("250 000.00"));
        type(revora, "numCCCompCar", "3000");
        click(revora, "cmdCalculate");
        QVERIFY(!box(revora, "numOnceOff")->isVisible());
    }

    void fringeBenefitsAboveTheSalaryAreRefusedClearingTheResults()
    {
        auto* revora = open("mnuRevxMon", "frmRevoraMon");
        type(revora, "numNetMonSalReq", "5000");
        click(revora, "cmdCalculate");
        QVERIFY(!shown(revora, "numGrossSal").isEmpty());
        QVERIFY(!revora->working().Empty());
        type(revora, "numTravAll", "6000");
        MessageBoxWatcher watcher;
        click(revora, "cmdCalculate");
        QTRY_COMPARE(watcher.texts(), QStringList{"Fringe benefits more than salary required!"});
        QCOMPARE(watcher.titles(), QStringList{"Revora 2016"});
        // No gross of the new net and the old deductions: nothing was worked out.
        for (const char* result : {"numMAns", "numGrossSal", "numTotCostComp"})
            QCOMPARE(shown(revora, result), QString());
        QCOMPARE(revora->result().CalcError, std::int16_t(1));
        QVERIFY(revora->working().Empty());
        click(revora, "cmdPrint"); // the same message, and nothing to print
        QTRY_COMPARE(watcher.texts().size(), 2);
        QVERIFY(!revora->printPanel()->isVisible());
    }

    void theGrossUpFindsTheSalaryAndTheRAPanelExplainsIt()
    {
        auto* revora = open("mnuRevxAnn", "frmRevoraAnn");
        type(revora, "numAge", "40");
        type(revora, "numNetMonSalReq", "300000");
        click(revora, "cmdCalculate");
        const PackageResult& r = revora->result();
        QVERIFY(r.SearchAmount > 300000);
        // With no funds the gross salary is the net plus the tax deduction and UIF.
        QVERIFY(qAbs(r.Salary - (300000 + r.TaxDeduction + r.EmployeeUIF)) < 0.01);
        QCOMPARE(revora->working().Steps().back().Amount, r.TotalCostToCompany);
        click(revora, "cmdRAExpl");
        QVERIFY(revora->raPanel()->isVisible());
        QVERIFY(revora->findChild<QLabel*>("lblLineA")->text().startsWith("ie: R 3 500 - R"));
        QVERIFY(revora->findChild<QLabel*>("lblLineC")->text().contains(" X 15% = R"));
        click(revora, "cmdRAOK");
        QVERIFY(!revora->raPanel()->isVisible());
    }

    void aRevoraPrintAfterAnAvantaOneLeavesTheAvantaCostToCompany()
    {
        auto* avanta = open("mnuAvxAnn", "frmAvxAnn");
        type(avanta, "numNetMonSalReq", "300000");
        print(avanta);
        QCOMPARE(printedRow().value("CostToComp").toDouble(), 300000.0);
        QCOMPARE(printedRow().value("MonAnn").toString(), QString("Avanta Salary Package Calculation : Annual"));

        auto* revora = open("mnuRevxAnn", "frmRevoraAnn");
        type(revora, "numNetMonSalReq", "20000");
        type(revora, "Text1", "Thandi Nkosi");
        type(revora, "numAddBens", "99999999999"); // beyond an int: printed as the largest count
        print(revora);
        QCOMPARE(printedRow().value("AddBens").toInt(), 32767);
        QCOMPARE(printedRow().value("MonAnn").toString(), QString("Revora Salary Package Calculation : Annual"));
        QCOMPARE(printedRow().value("TPName").toString(), QString("Thandi Nkosi"));
        QCOMPARE(printedRow().value("CostToComp").toDouble(), 300000.0);
        QCOMPARE(printedRow().value("RADirective").toString(), QString("No"));
        // The buttons the print panel held off are back.
        QVERIFY(revora->findChild<QPushButton*>("cmdCalculate")->isEnabled());
    }
};

REVORA_UI_TEST(PackageScreenTest)
#include "PackageScreenTest.moc"
