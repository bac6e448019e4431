// The contract between the print routines and the layouts: every layout is rendered over the
// rows its model writes, and the two agree both ways. Every field a layout names is a field of
// those rows (one the rows lack prints blank, or what an earlier print left in the table), and
// every field the rows carry is printed or is named here as not printed, with the reason.

#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "AppState.h"
#include "Database.h"
#include "ReportJob.h"
#include "finance/DailyBalance.h"
#include "finance/Inflation.h"
#include "finance/Loan.h"
#include "finance/LoanBuster.h"
#include "finance/LoanComparison.h"
#include "package/SalaryPackage.h"
#include "payroll/PayrollPrintout.h"
#include "report/LayoutTestSupport.h"
#include "report/PayeRows.h"
#include "tax/QuickTax.h"
#include "tax/TaxYearRules.h"
#include "vehicle/CompanyCarPrintout.h"
#include "vehicle/CompanyCarRegister.h"
#include "vehicle/TravelAllowancePrintout.h"
#include "TestSupport.h"

namespace revora {
namespace {

// What one print writes: its table's rows (one, or one per line of a line table) and the rows
// of the table the layout lists line by line, if any.
struct Printout {
    std::string layout; // as the model names it; empty where the screen names it
    std::string table;
    std::vector<ReportRow> rows;
    bool lines = false;
    std::string listedTable{};
    std::vector<ReportRow> listed{};
};

using Unprinted = std::map<std::string, const char*>; // field, and why no layout prints it

// Where a layout and its rows disagree.
struct Breach {
    QStringList stray;  // tags naming no field of the rows, or one whose value they cannot show
    QStringList silent; // fields neither printed nor named as unprinted
    QStringList named;  // fields named as unprinted that are printed or not written at all
};

// The kind of value of each field (the index of its ReportValue alternative), by name.
using Kinds = std::map<std::string, std::size_t>;

Kinds Fields(const std::vector<ReportRow>& rows)
{
    Kinds kinds;
    for (const ReportRow& row : rows)
        for (const ReportField& field : row)
            kinds[field.name] = field.value.index();
    return kinds;
}

// Money and rate format a number, date a whole day number; what they cannot format prints blank.
bool Shows(const QString& format, std::size_t kind)
{
    const bool whole = kind == 0 || kind == 4;
    return format.isEmpty() || (format == "date." ? whole : whole || kind == 1);
}

// A tag is a field, under money, rate or date or not, or a section over a field; "rows" only
// opens or closes the section that repeats per row, whose tags read the listed rows (the
// layout's own when it lists no other table); PrintedDate and TaxYear... are the renderer's.
Breach Check(const ReportLayout& layout, const Printout& print, const Unprinted& unprinted)
{
    static const QRegularExpression form(QStringLiteral(R"(^([#^/])?((?:money|rate|date)\.)?(\w[\w/]*)$)"));
    const Kinds own = Fields(print.rows);
    const Kinds listedOwn = Fields(print.listed);
    std::set<std::string> used, listedUsed;
    Breach breach;
    bool listing = false;
    for (const QString& tag : testing::LayoutTags(layout)) {
        const auto m = form.match(tag);
        const std::string name = m.captured(3).toStdString();
        if (m.hasMatch() && name == "rows" && m.hasCaptured(1) && !m.hasCaptured(2)) {
            listing = tag == "#rows";
            continue;
        }
        const bool listedTag = listing && !layout.rowsTable.isEmpty();
        const Kinds& fields = listedTag ? listedOwn : own;
        if (m.hasMatch() && fields.contains(name) && Shows(m.captured(2), fields.at(name)))
            (listedTag ? listedUsed : used).insert(name);
        else if (tag != "PrintedDate" && testing::TaxYearTagText(tag).isEmpty())
            breach.stray << tag;
    }
    for (const auto& [fields, uses] : {std::pair{&own, &used}, std::pair{&listedOwn, &listedUsed}})
        for (const auto& [field, kind] : *fields)
            if (!uses->contains(field) && !unprinted.contains(field))
                breach.silent << QString::fromStdString(field);
    for (const auto& [field, why] : unprinted)
        if (used.contains(field) || listedUsed.contains(field) || !(own.contains(field) || listedOwn.contains(field)))
            breach.named << QString::fromStdString(field);
    return breach;
}

const std::string& Name = testing::EmployeeName;

template <const PayePrintoutTarget& Target, PrintLanguage Language = PrintLanguage::English>
Printout Paye()
{
    return {Target.Layout, Target.Table, {testing::PayeRow(Target, Language)}};
}

template <PackageKind Screen>
Printout Package()
{
    PackageInputs in{.Age = 40, .Amount = 200000, .AmountCostToCompany = 200000, .CarValue = 250000,
                     .TravelAllowance = 24000, .EmployeeMedical = 6000, .Members = 24, .RADeduction = 5000};
    in.Other[1] = {"Union fees", 600, 600};
    PackageResult result;
    TaxBracketResult record;
    const auto calculate = IsGrossUp(Screen) ? SalPackGrossUp : SalPackForward;
    EXPECT_EQ(calculate(Screen, in, {}, result, record, nullptr), PackageOutcome::Done);
    return {PackageLayout(Screen), "SalPackage", {SalPackageReportRow(Screen, in, result, Name, TaxYear2016())}};
}

template <std::int16_t RecordKept>
Printout Travel()
{
    TravelAllowanceInputs in{.CarDescription = "BMW 320i", .RecordKept = RecordKept, .VehicleValue = 150000,
                             .CloseKm = 60000, .OpenKm = 30000, .BusinessKmEntered = 20000, .FuelOil = 30000,
                             .WearAndTear = 10000};
    const TravelAllowanceResults results = CalcTravelAllowance(in, {});
    return {TravelAllowanceLayout(RecordKept), TravelAllowanceTable,
            {TravelDeductionReportRow(in, {}, results, Name)}};
}

template <LoanMode Mode, AmortKind Amort>
Printout Loan()
{
    LoanState loan{.Principal = 100000, .Months = 30, .Rate = 12, .Repayment = 3800,
                   .Mode = Mode, .TotalsShown = true};
    EXPECT_EQ(LoanCalc(loan), LoanSolve::Solved);
    const LoanPrintout print = LoanPrint(loan, Amort);
    return {print.Layout, "Loans", {print.Loans}, false, print.WritesAmort ? "Amort" : "", print.Amort};
}

struct ContractRow {
    const char* name; // the layout file
    Printout (*print)();
    Unprinted unprinted{};
};

void PrintTo(const ContractRow& row, std::ostream* out) { *out << row.name; }

// The loan layouts write "R" of their own before each total; a travel printout is of one car.
const Unprinted LoanTotals{{"FinText1A", "own text"}};
const Unprinted OneCar{{"CARNO", "always 1"}};

const ContractRow Contracts[] = {
    {"Monthly.rpt", Paye<MonthlyPrintout>},
    {"Weekly.rpt", Paye<WeeklyPrintout, PrintLanguage::Afrikaans>},
    {"FortNightly.rpt", Paye<FortnightlyPrintout>},
    {"Daily.rpt", Paye<DailyPrintout>},
    {"Annual.rpt", Paye<AnnualPrintout>},
    {"Revora.rpt", Package<PackageKind::RevoraAnnual>, {{"TaxFreeMedPrint", "always 0"}}},
    {"Avntx.rpt", Package<PackageKind::AvantaMonthly>,
     {{"TaxFreeMedPrint", "always 0"}, {"MonAnnSal", "the package stands in its place"}}},
    {"compcar.rpt", [] {
         CompanyCarRegister cars{.CarCount = 2, .CurrentVehicle = 1, .ShownVehicleNo = 1};
         for (const std::int16_t k : {1, 2})
             cars.Records.push_back({.CCRegNumber = "CA 10" + std::to_string(k), .CCMake = "Toyota",
                                     .CCModel = "Corolla", .YearOfManfact = "2014", .CCPrice = 150000.0 * k,
                                     .StartMileage = 10000, .EndMileage = 40000, .BusDistance = 20000,
                                     .SARSTable = std::int16_t(k - 1)});
         const CompCarRun last = CompCarCalculateCommand(cars);
         return Printout{CompCarLayout, CompCarTable, CompCarReportRows(cars, last), true};
     }},
    {"caepnrk.rpt", Travel<0>, OneCar},
    {"caeprk.rpt", Travel<1>, OneCar},
    {"kwiktep.rpt", [] {
         QuickTaxState state{.Age = 40};
         TaxBracketResult record{.TaxableIncome = 500000};
         QuickTaxCalculate(state, record);
         return Printout{"", "kwiktax", {QuickTaxReportRow(state, record)}};
     }},
    {"Lonrepa.rpt", Loan<LoanMode::MonthlyRepayment, AmortKind::None>, LoanTotals},
    {"LonrepaA.rpt", Loan<LoanMode::MonthlyRepayment, AmortKind::Monthly>, LoanTotals},
    {"LonPrAm.rpt", Loan<LoanMode::PrincipalAmount, AmortKind::None>, LoanTotals},
    {"LonPrAmA.rpt", Loan<LoanMode::PrincipalAmount, AmortKind::Annual>, LoanTotals},
    {"LonRPer.rpt", Loan<LoanMode::RepaymentPeriod, AmortKind::None>, LoanTotals},
    {"LonRPerA.rpt", Loan<LoanMode::RepaymentPeriod, AmortKind::Monthly>, LoanTotals},
    {"LonInRt.rpt", Loan<LoanMode::InterestRate, AmortKind::None>, LoanTotals},
    {"LonInRtA.rpt", Loan<LoanMode::InterestRate, AmortKind::Annual>, LoanTotals},
    {"loanbuster.rpt", [] {
         LoanBusterState state{.Principal = 100000, .Rate = 12, .Extra = 100};
         return Printout{"", "BondBust", {LoanBusterReportRow(state, 240, BBCalc(state, 240))}};
     }},
    {"LoanComparison.rpt", [] {
         const LoanComparisonState state{.Amount = 100000, .Rate = 12};
         return Printout{"", "BondComp", {LoanComparisonReportRow(state, CompareLoans(state))}};
     }},
    {"DayBal.rpt", [] {
         const DailyBalanceState state{.Capital = 100000, .Rate = 10, .StartDate = 42064, .EndDate = 42094};
         return Printout{"", "DailyBal", {DailyBalanceReportRow(state, DailyBalanceCalc(state))}};
     }},
    {"Payroll.rpt", [] {
         std::vector<PayrollEmployee> staff(2);
         staff[0].Employee = Name;
         staff[0].Inputs.Salary = 20000;
         staff[1].Inputs.Salary = 9000;
         const PayrollRun run = RunPayroll(PayPeriod::Monthly, staff, {});
         return Printout{PayrollSummaryPrintout.Layout, PayrollSummaryPrintout.Table,
                         {PayrollSummaryRow(PayPeriod::Monthly, staff, run)}, false, PayrollSummaryLinesTable,
                         PayrollSummaryLines(staff, run)};
     }},
    {"Inflatin.rpt", [] {
         InflationState state{.PresentCost = 10000, .Period = 10, .Rate = 6};
         InflationCalc(state);
         return Printout{"", "Inflation", {InflationReportRow(state)}};
     }},
};

class LayoutContract : public ::testing::TestWithParam<ContractRow> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appFolder.isValid());
        state.Paths = MakeAppPaths(appFolder.path(), QStringLiteral(REVORA_TEST_INSTALL_DIR));
    }

    QTemporaryDir appFolder;
    AppState state;
};

TEST_P(LayoutContract, NamesOnlyFieldsOfItsRowsAndPrintsEveryOne)
{
    const Printout print = GetParam().print();
    const QString name = GetParam().name;
    EXPECT_TRUE(print.layout.empty() || print.layout == name.toStdString()) << print.layout;
    const ReportLayout layout = LoadReportLayout(state.Paths.LayoutPath(name));
    EXPECT_EQ(layout.table.toStdString(), print.table);
    EXPECT_EQ(layout.rowsTable.toStdString(), print.listedTable);
    const Breach breach = Check(layout, print, GetParam().unprinted);
    EXPECT_EQ(breach.stray.join(' ').toStdString(), "") << "named by the layout, written by no print";
    EXPECT_EQ(breach.silent.join(' ').toStdString(), "") << "written, printed by no layout";
    EXPECT_EQ(breach.named.join(' ').toStdString(), "") << "listed as unprinted, yet printed or not written";
    // The renderer names the report's year ("Revora 2016" is the program's name).
    static const QRegularExpression literalYear(QStringLiteral(R"(\b(19|20)\d\d\b|March|February)"));
    EXPECT_FALSE(QString::fromStdString(layout.templateText).remove("Revora 2016").contains(literalYear))
        << "the layout writes a tax year of its own";

    ReportJob job(state, name);
    if (print.lines)
        job.writeRows(layout.table, print.rows);
    else
        job.writeRow(layout.table, print.rows.front());
    if (!print.listedTable.empty())
        job.writeRows(layout.rowsTable, print.listed);
    const QString html = job.render(name).html;
    EXPECT_FALSE(html.contains("{{") || html.contains("}}")) << "a tag was left unrendered";
    static const QRegularExpression notANumber(QStringLiteral(R"(\b(nan|inf)\b)"),
                                               QRegularExpression::CaseInsensitiveOption);
    EXPECT_FALSE(MakeReportDocument(html)->toPlainText().contains(notANumber)) << html.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Printouts, LayoutContract, ::testing::ValuesIn(Contracts), testing::RowName());

TEST(LayoutContractCheck, EveryLayoutInstalledHasItsRow)
{
    QStringList covered;
    for (const ContractRow& row : Contracts)
        covered << row.name;
    covered.sort();
    const QDir layouts(QStringLiteral(REVORA_TEST_INSTALL_DIR "/layouts"));
    EXPECT_EQ(layouts.entryList({"*.rpt"}, QDir::Files, QDir::Name), covered);
}

// A column no print writes would print blank or stale wherever a layout names it.
TEST(LayoutContractCheck, EveryColumnOfATableIsWrittenBySomePrint)
{
    std::map<std::string, Kinds> written; // table: the fields its prints write
    for (const ContractRow& row : Contracts) {
        const Printout print = row.print();
        written[print.table].merge(Fields(print.rows));
        if (!print.listedTable.empty())
            written[print.listedTable].merge(Fields(print.listed));
    }
    QTemporaryDir appFolder;
    const AppPaths paths = MakeAppPaths(appFolder.path(), QStringLiteral(REVORA_TEST_INSTALL_DIR));
    DatabaseConnection reports(paths.ReportDbPath, paths.SeedFolder());
    for (const auto& [table, fields] : written) {
        const QSqlRecord columns = reports.database().record(QString::fromStdString(table));
        EXPECT_FALSE(columns.isEmpty()) << table;
        for (int i = 0; i < columns.count(); ++i)
            EXPECT_TRUE(fields.contains(columns.fieldName(i).toStdString()))
                << table << " " << columns.fieldName(i).toStdString();
    }
}

// The check reads a schedule's tags against the schedule's rows and the others against the
// printout's own, and lets no stray tag, silent field or wrong "unprinted" through.
TEST(LayoutContractCheck, CatchesEveryBreachOfTheContract)
{
    ReportLayout layout;
    layout.rowsTable = "Amort";
    layout.templateText = "{{YearMon}} {{#rows}}{{Year}} {{money.Capital}} {{Heading}}{{/rows}} {{Capital}} "
                          "{{date.Num1}} {{^rows}}{{Heading}}{{/rows}} {{money.Yeer}} {{PrintedDate}} {{rows}} "
                          "{{money.rows}} {{{Heading}}} {{money.YearMon}} {{date.Num4}}";
    const Printout print{"", "Loans",
                         {{{"Heading", ""}, {"Num1", std::int32_t{42064}}, {"YearMon", ""}, {"Num4", 2.0}}}, false,
                         "Amort", {{{"Year", std::int16_t{1}}, {"Capital", 3.0}, {"Required", 4.0}}}};
    const Breach breach = Check(layout, print, {{"Num1", "printed"}, {"Num9", "not written"}, {"Required", "ok"}});
    EXPECT_EQ(breach.stray, (QStringList{"Heading", "Capital", "money.Yeer", "rows", "money.rows", "{Heading",
                                         "money.YearMon", "date.Num4"}));
    EXPECT_EQ(breach.silent, QStringList{"Num4"});
    EXPECT_EQ(breach.named, (QStringList{"Num1", "Num9"}));
}

} // namespace
} // namespace revora
