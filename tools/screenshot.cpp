// Renders the README's pictures under the offscreen platform, on a desktop of the size the
// platform is given (scripts/screenshot gives it 1366x768), every window placed and sized by the
// program as a clerk would see it: the main window with the quick
// tax screen on a worked example and its report window, then the monthly screen on a worked
// example and its Afrikaans printout, then the annual gross-up screen and its printout, then the
// company car screen with two cars and its printout, the travel allowance screen, and the loans
// screen on a worked example with its annual graph, and the help window:
//     revora-screenshot QUICKTAX.png QUICKTAX-REPORT.png MONTHLY.png MONTHLY-REPORT.png GROSSUP.png GROSSUP-REPORT.png
//                       COMPCAR.png COMPCAR-REPORT.png TRAVEL.png LOANS.png LOANS-GRAPH.png HELP.png
// or, with --working, one screen (by its menu item: mnuMonthly, QuickTax) on its worked example
// with the working window beside it, and the page of its printout where the working begins:
//     revora-screenshot --working mnuMonthly WORKING.png WORKING-REPORT.png
// or, with --payroll, the payroll run screen as the menu opens it, on a CSV file's run:
//     revora-screenshot --payroll FILE.csv PAYROLL.png

#include <QApplication>
#include <QMdiArea>
#include <QPainter>
#include <QPdfBookmarkModel>
#include <QPdfDocument>
#include <QTreeView>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QEventLoop>
#include <QTimer>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QCheckBox>
#include <QPdfDocument>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include "package/PackageScreen.h"
#include "payroll/PayrollRunScreen.h"
#include "payroll/MonthlyScreen.h"
#include "AppFolders.h"
#include "HelpWindow.h"
#include "MainWindow.h"
#include "NumberBox.h"
#include "PrintPanel.h"
#include "ReportWindow.h"
#include "WorkingSection.h"
#include "common/DayDate.h"
#include "finance/LoanGraphWindow.h"
#include "finance/LoansScreen.h"
#include "tax/QuickTaxScreen.h"
#include "vehicle/CompanyCarScreen.h"
#include "vehicle/TravelAllowanceScreen.h"

namespace {

// Shows the screen's report through its print panel and saves the report window's picture.
bool SaveReport(QWidget* printPanel, const QString& file)
{
    static_cast<revora::PrintPanel*>(printPanel)->viewButton()->click();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == "ReportWindow" && top->isVisible()) {
            QApplication::processEvents();
            const bool saved = top->grab().save(file);
            top->close();
            return saved;
        }
    return false;
}

// Lets the event loop run for a while, for work the program does in the background.
void Wait(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void Type(QWidget* screen, const char* box, const QString& text)
{
    auto* edit = screen->findChild<QLineEdit*>(box);
    edit->setText(text);
    emit edit->textEdited(text);
}

// The monthly screen's worked example.
void FillMonthly(QWidget* monthly)
{
    const std::pair<const char*, const char*> typed[] = {
        {"silgEdit9", "42"},          {"silgEdit10", "25000"},    {"numEmpERMedAidCont", "1500"},
        {"numEmpEEMedAidCont", "1500"}, {"silgEdit13", "3000"},   {"numMedAidBens", "3"},
        {"silgEdit16", "1875"},       {"Text1", "Thandi Nkosi"},
    };
    for (const auto& [box, text] : typed)
        Type(monthly, box, text);
}

// The screen opened from `menuItem` on its worked example, the working window beside it, then
// its printout with the working: the page where the working begins.
int SaveWorking(revora::MainWindow& window, const char* menuItem, const QString& file, const QString& reportFile)
{
    window.findChild<QAction*>(menuItem)->trigger();
    auto* screen = qobject_cast<revora::CalculatorWindow*>(window.mdiArea()->activeSubWindow()->widget());
    if (QByteArray(menuItem) == "mnuMonthly")
        FillMonthly(screen);
    screen->calculate();
    window.findChild<QAction*>("mnuWorking")->trigger();
    QApplication::processEvents();
    if (!window.grab().save(file))
        return 1;
    screen->printPanel()->workingBox()->setChecked(true);
    screen->printPanel()->viewButton()->click();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* report = qobject_cast<revora::ReportWindow*>(top); report && report->isVisible()) {
            QTemporaryDir dir;
            const QString pdf = dir.filePath("report.pdf");
            revora::ExportReport(report->html(), pdf);
            QPdfDocument document;
            document.load(pdf);
            int page = 0;
            while (page + 1 < document.pageCount() &&
                   !document.getAllText(page).text().contains(revora::WorkingHeading(screen->workingLanguage())))
                ++page;
            const QSizeF points = document.pagePointSize(page);
            const QImage image = document.render(page, (points * 96 / 72).toSize());
            QImage paper(image.size(), QImage::Format_RGB32);
            paper.fill(Qt::white);
            QPainter(&paper).drawImage(0, 0, image);
            report->close();
            return paper.save(reportFile) ? 0 : 1;
        }
    return 1;
}

// The payroll run screen as the menu opens it, on the file's run.
int SavePayroll(revora::MainWindow& window, const QString& csv, const QString& file)
{
    window.findChild<QAction*>("mnuPayrollRun")->trigger();
    QMdiSubWindow* sub = window.findScreen("frmPayrollRun");
    auto* screen = qobject_cast<revora::PayrollRunScreen*>(sub->widget());
    screen->openFile(csv);
    for (int wait = 0; wait < 500 && screen->isRunning(); ++wait)
        Wait(20);
    QApplication::processEvents();
    return window.grab().save(file) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const bool working = argc == 5 && QByteArray(argv[1]) == "--working";
    const bool payroll = argc == 4 && QByteArray(argv[1]) == "--payroll";
    if (argc < 13 && !working && !payroll)
        return 2;
    QTemporaryDir folder; // a fresh application folder, so the About window shows as on a first run
    revora::MainWindow window(folder.path(), revora::InstallFolder());
    window.start();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == "frmAbout")
            top->close();

    window.state().Tax.TaxBracketResult.TaxableIncome = 500000;
    window.state().Tax.QuickTax.Age = 40;
    if (payroll)
        return SavePayroll(window, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (working)
        return SaveWorking(window, argv[2], QString::fromLocal8Bit(argv[3]), QString::fromLocal8Bit(argv[4]));
    window.findChild<QAction*>("QuickTax")->trigger();
    QMdiSubWindow* sub = window.findScreen("frmKwikTax");
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[1])))
        return 1;
    if (!SaveReport(qobject_cast<revora::QuickTaxScreen*>(sub->widget())->printPanel(), QString::fromLocal8Bit(argv[2])))
        return 1;
    sub->close();

    window.findChild<QAction*>("mnuMonthly")->trigger();
    sub = window.findScreen("frmMonthly");
    auto* monthly = qobject_cast<revora::MonthlyScreen*>(sub->widget());
    FillMonthly(monthly);
    monthly->calculate();
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[3])))
        return 1;
    monthly->findChild<QRadioButton*>("Option2")->setChecked(true);
    if (!SaveReport(monthly->printPanel(), QString::fromLocal8Bit(argv[4])))
        return 1;
    sub->close();

    window.findChild<QAction*>("mnuRevxAnn")->trigger();
    sub = window.findScreen("frmRevoraAnn");
    auto* grossUp = qobject_cast<revora::SalaryPackageScreen*>(sub->widget());
    const std::pair<const char*, const char*> package[] = {
        {"numAge", "42"},           {"numNetMonSalReq", "300000"}, {"numTravAll", "36000"},
        {"numMedAidCont", "12000"}, {"numCCMedAidCont", "18000"},  {"numPMems", "36"},
        {"numRADeduct", "3500"},    {"txtOtherDet_0", "Union fees"}, {"numOtherDet_0", "1200"},
        {"Text1", "Thandi Nkosi"},
    };
    for (const auto& [box, text] : package)
        Type(grossUp, box, text);
    grossUp->calculate();
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[5])))
        return 1;
    if (!SaveReport(grossUp->printPanel(), QString::fromLocal8Bit(argv[6])))
        return 1;
    sub->close();

    // Two company cars held one after the other during the year, entered as a clerk would
    // have them in the register when the screen opens.
    revora::CompanyCarRegister& cars = window.state().Vehicle.CompanyCars;
    cars.Add();
    cars.Current() = {.CCRegNumber = "CA 123-456", .CCMake = "Toyota", .CCModel = "Corolla 1.6 Prestige",
                      .YearOfManfact = "2014", .CCPrice = 250000,
                      .CCStartDate = *revora::ParseDayDate("01/03/2015"),
                      .CCEndDate = *revora::ParseDayDate("31/08/2015"), .StartMileage = 12000,
                      .EndMileage = 27000, .BusDistance = 6000, .BussMilage = 1, .SARSTable = 1,
                      .FuelReimbEmployer = 1500};
    cars.Add();
    cars.Current() = {.CCRegNumber = "CA 765-432", .CCMake = "Volkswagen", .CCModel = "Polo 1.2 TSI",
                      .YearOfManfact = "2015", .CCPrice = 210000, .MaintIncluded = 1,
                      .CCStartDate = *revora::ParseDayDate("01/09/2015"), .TotalDistance = 16000,
                      .BusDistance = 4000, .BussMilage = 1, .ActualExpEmployee = 9000,
                      .EmpPaidInsurance = 5200};
    cars.Actual3802 = 42000;
    cars.ShownVehicleNo = cars.CurrentVehicle = 1;
    window.findChild<QAction*>("mnuCompCar")->trigger();
    sub = window.findScreen("frmCompCar");
    auto* car = qobject_cast<revora::CompanyCarScreen*>(sub->widget());
    car->calculate();
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[7])))
        return 1;
    if (!SaveReport(car->printPanel(), QString::fromLocal8Bit(argv[8])))
        return 1;
    sub->close();

    revora::TravelAllowanceInputs& travel = window.state().Vehicle.TravelAllowance;
    travel.CarDescription = "Toyota Corolla 1.6 Prestige (own car)";
    travel.VehicleValue = 150000;
    travel.AllowanceReceived = 60000;
    travel.CloseKm = 60000;
    travel.OpenKm = 30000;
    travel.BusinessKmEntered = 20000;
    window.findChild<QAction*>("mnuCarAll1")->trigger();
    sub = window.findScreen("frmCarAll1");
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[9])))
        return 1;
    sub->close();

    // A home loan of R 1 000 000 over 20 years at 10.5 %, the repayment solved, the totals
    // shown, and its annual graph.
    window.findChild<QAction*>("mnuLoans")->trigger();
    sub = window.findScreen("frmLoans");
    auto* loans = qobject_cast<revora::LoansScreen*>(sub->widget());
    Type(loans, "numPrinAmount", "1000000");
    Type(loans, "numPeriod", "240");
    Type(loans, "numIntRate", "10.5");
    loans->findChild<QPushButton*>("cmdCalculate")->click();
    loans->findChild<QPushButton*>("cmdFinCharge")->click();
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[10])))
        return 1;
    loans->findChild<QPushButton*>("cmdLoanGraph")->click();
    QApplication::processEvents();
    revora::LoanGraphWindow* graph = loans->graphWindow();
    if (!graph)
        return 1;
    graph->resize(820, 520);
    QApplication::processEvents();
    if (!graph->grab().save(QString::fromLocal8Bit(argv[11])))
        return 1;
    graph->close();
    sub->close();

    // The help window over the main window, the document's first pages in view.
    window.findChild<QAction*>("mnuContents")->trigger();
    QMdiSubWindow* help = window.findScreen("frmHelpBrowser");
    auto* helpWindow = qobject_cast<revora::HelpWindow*>(help->widget());
    for (int wait = 0; wait < 100 && helpWindow->document()->status() != QPdfDocument::Status::Ready; ++wait)
        Wait(20);
    // The guide's first chapter, its sections open in the contents, rather than its title page.
    const QModelIndex first = helpWindow->contents()->index(0, 0);
    helpWindow->findChild<QTreeView*>("tvwContents")->expand(first);
    helpWindow->goToPage(first.data(static_cast<int>(QPdfBookmarkModel::Role::Page)).toInt());
    Wait(300);
    return window.grab().save(QString::fromLocal8Bit(argv[12])) ? 0 : 1;
}
