// revora-calc's salary package calculators from the outside: figures worked by hand, the fast
// gross-up search against the rand-by-rand one, other deductions, refusals and printouts.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>

#include "TestSupport.h"
#include "cli/RevoraCalc.h"

namespace revora {
namespace {

const QStringList CommonKeys{"PensionDeducted", "EmployerPension", "ProvidentFund", "EmployerProvident",
                             "RADeduction",     "MedicalDeduction", "UIFContribution", "EmployerUIF",
                             "SkillsLevy",      "TaxDue",          "TaxCredit",       "TaxDeduction",
                             "TotalCostToCompany", "OnceOff"};
const QStringList GrossUpKeys = CommonKeys + QStringList{"SearchAmount", "GrossSalary"};
const QStringList NetPayKeys = CommonKeys + QStringList{"NetSalary"};

struct KnownPackageCase {
    const char* name;
    QStringList arguments;
    std::vector<Expected> figures;
};

class PackageFiguresTest : public RevoraCalcTest, public ::testing::WithParamInterface<KnownPackageCase> {};

TEST_P(PackageFiguresTest, JsonHoldsTheKeysAndTheFiguresWorkedByHand)
{
    const KnownPackageCase& c = GetParam();
    const CalcRun run = RevoraCalc(QStringList(c.arguments) << "--json" << DataDirArg());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    ExpectFigures(JsonOf(run), c.arguments.first() == "grossup" ? GrossUpKeys : NetPayKeys, c.figures);
}

// The stored settings are the seed's: no fund percentages, UIF 1 % each, SDL 1 %, UIF monthly
// limit 14 872 (178 464 a year), both inclusion rates 0.8, no maintenance plan. Tax before
// rebates: 18 % to 181 900; 32 742 + 26 % above it; 59 314 + 31 % above 284 100; 93 135 + 36 %
// above 393 200. Rebate below 65: 13 257.
const KnownPackageCase KnownPackageCases[] = {
    // Fund base 300 000: pension 22 500. R/A limits 3 500 - 22 500 < 0, 1 750, and 15 % of no
    // other income; 5 000 asked, 1 750 allowed. Taxable 300 000 - 22 500 - 1 750 = 275 750:
    // (32 742 + 93 850 x 0.26) - 13 257 = 43 886. UIF on 178 464; SDL 1 % of 275 750.
    // Take-home 300 000 - 22 500 - 1 784.64 - 43 886 (the R/A is not taken off it).
    {"netpay annual 300 000 with pension 7.5 and R/A 5 000",
     {"netpay", "--net", "300000", "--age", "40", "--pension-pct", "7.5", "--ra", "5000"},
     {{"PensionDeducted", 22500.0},
      {"EmployerPension", 0.0},
      {"RADeduction", 1750.0},
      {"TaxDue", 43886.0},
      {"TaxCredit", 0.0},
      {"TaxDeduction", 43886.0},
      {"UIFContribution", 1784.64},
      {"EmployerUIF", 1784.64},
      {"SkillsLevy", 2757.5},
      {"NetSalary", 231829.36},
      {"TotalCostToCompany", 300000.0 + 1784.64 + 2757.5},
      {"OnceOff", 0.0}}},
    // A month: fund base 12 400 - 2 000 travel - 1 500 employer's medical = 8 900: pension 445,
    // employer's 890. R/A limits (3 500 - 445) / 12, 1 750 / 12, 15 % of the 2 000 travel = 300:
    // 300 allowed of 1 000. Taxable 12 400 - 0.2 x 2 000 - 445 - 300 = 11 255, 135 060 a year:
    // (24 310.80 - 13 257) / 12 = 921.15; two members 540. UIF 1 % of 12 000; SDL 1 % of
    // 12 000 - 745. Take-home 12 400 - 1 000 - 445 - 120 - 381.15 - 1 500.
    {"netpay monthly with medical aid and pensions",
     {"netpay", "--monthly", "--net", "12400", "--age", "40", "--travel", "2000", "--employee-medical", "1000",
      "--employer-medical", "1500", "--members", "2", "--pension-pct", "5", "--employer-pension-pct", "10", "--ra",
      "1000"},
     {{"PensionDeducted", 445.0},
      {"EmployerPension", 890.0},
      {"RADeduction", 300.0},
      {"TaxDue", 921.15},
      {"TaxCredit", 540.0},
      {"TaxDeduction", 381.15},
      {"UIFContribution", 120.0},
      {"SkillsLevy", 112.55},
      {"NetSalary", 8953.85},
      {"TotalCostToCompany", 12400.0 + 890.0 + 120.0 + 112.55}}},
    // Car benefit 200 000 x 3.25 % x 0.2 x 12 = 15 600 with a maintenance plan at 20 %. No fund:
    // 15 % of the package is the R/A limit, and 0 is asked. Taxable 415 600: 93 135 + 22 400 x
    // 0.36 - 13 257 = 87 942. SDL 1 % of 415 600. No employer's car cost: the price is once-off.
    {"netpay annual with a car on a maintenance plan at 20 percent",
     {"netpay", "--net", "400000", "--age", "40", "--car", "200000", "--maintenance-plan", "yes", "--car-inclusion",
      "0.2"},
     {{"RADeduction", 0.0},
      {"TaxDue", 87942.0},
      {"SkillsLevy", 4156.0},
      {"NetSalary", 400000.0 - 1784.64 - 87942.0},
      {"TotalCostToCompany", 400000.0 + 1784.64 + 4156.0},
      {"OnceOff", 200000.0}}},
    // Take-home of S: S - (32 742 + 0.26 (S - 181 900) - 13 257) - 1 784.64 = 0.74 S + 26 024.36,
    // above 200 000 first at S = 235 103 (200 000.58; 235 102 gives 199 999.84). Tax due
    // 33 317.78. Gross salary = the net + UIF + tax; SDL 1 % of S.
    {"grossup annual 200 000 at 40",
     {"grossup", "--net", "200000", "--age", "40"},
     {{"SearchAmount", 235103.0},
      {"TaxDue", 33317.78},
      {"TaxDeduction", 33317.78},
      {"UIFContribution", 1784.64},
      {"SkillsLevy", 2351.03},
      {"GrossSalary", 200000.0 + 1784.64 + 33317.78},
      {"TotalCostToCompany", 200000.0 + 1784.64 + 33317.78 + 1784.64 + 2351.03}}},
    // Other deductions of 1 250 are taxed with the salary: tax 0.26 S - 27 484, take-home
    // 0.74 S + 25 699.36, above 200 000 first at S = 235 542 (tax 33 756.92). They are part of
    // the gross salary at their amounts; the 1 200 cost to company is printed only.
    {"grossup annual with two other deductions",
     {"grossup", "--net", "200000", "--age", "40", "--other", "Union fees:1000:1200", "--other", "Loan:250"},
     {{"SearchAmount", 235542.0},
      {"TaxDue", 33756.92},
      {"SkillsLevy", 2367.92},
      {"GrossSalary", 200000.0 + 1784.64 + 33756.92 + 1250.0},
      {"TotalCostToCompany", 200000.0 + 1784.64 + 33756.92 + 1250.0 + 1784.64 + 2367.92}}},
    // 2024, one deduction: fund base 400 000, pension 30 000 and the employer's 40 000, a fringe
    // benefit: taxable before 440 000; limit 27.5 % of it = 121 000, less the 70 000, leaves
    // 51 000 of the 80 000 R/A. Taxable 319 000: 42 678 + 26 % of 81 900 - 17 235 = 46 737. The
    // stored levies are published figures, so 2024's: UIF on 12 x 17 712; SDL 1 % of 319 000.
    {"netpay annual in 2024 with the one retirement deduction",
     {"netpay", "--year", "2024", "--net", "400000", "--age", "40", "--pension-pct", "7.5", "--employer-pension-pct",
      "10", "--ra", "80000"},
     {{"EmployerPension", 40000.0}, {"RADeduction", 51000.0}, {"TaxDue", 46737.0}, {"UIFContribution", 2125.44},
      {"SkillsLevy", 3190.0}, {"NetSalary", 400000.0 - 30000.0 - 2125.44 - 46737.0},
      {"TotalCostToCompany", 400000.0 + 40000.0 + 2125.44 + 3190.0}}},
    // A repeated option that is not --other: the later value stands.
    {"a later net replaces an earlier one",
     {"grossup", "--net", "1", "--net", "200000", "--age", "40"},
     {{"SearchAmount", 235103.0}}},
};
INSTANTIATE_TEST_SUITE_P(Package, PackageFiguresTest, ::testing::ValuesIn(KnownPackageCases), testing::RowName{});

struct SearchCase {
    const char* name;
    QStringList arguments;
};

class GrossUpSearchTest : public RevoraCalcTest, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(GrossUpSearchTest, TheFastSearchPrintsWhatTheRandByRandSearchPrints)
{
    const QStringList arguments = QStringList{"grossup"} + GetParam().arguments + QStringList{"--json", DataDirArg()};
    const CalcRun fast = RevoraCalc(arguments);
    const CalcRun reference = RevoraCalc(QStringList(arguments) << "--reference-search");
    ASSERT_EQ(fast.exitCode, 0) << fast.err.toStdString();
    ASSERT_EQ(reference.exitCode, 0) << reference.err.toStdString();
    EXPECT_EQ(fast.out, reference.out);
    EXPECT_FALSE(fast.out.contains("null")) << fast.out.toStdString();
}

const SearchCase SearchCases[] = {
    {"annual with pension medical aid and R/A without a directive",
     {"--net", "350000", "--age", "67", "--pension-pct", "7.5", "--employer-pension-pct", "10", "--employee-medical",
      "24000", "--employer-medical", "12000", "--members", "36", "--med-deduction", "5000", "--ra", "30000"}},
    {"annual with a car travel and R/A under a directive",
     {"--net", "480000", "--car", "350000", "--travel", "60000", "--provident-pct", "5", "--ra", "20000",
      "--directive", "yes", "--other", "Loan:3000"}},
    {"monthly with pension and R/A under a directive",
     {"--monthly", "--net", "10000", "--age", "40", "--pension-pct", "7.5", "--ra", "500", "--directive", "yes"}},
    {"monthly with no funds a car and R/A without a directive",
     {"--monthly", "--net", "45000", "--age", "70", "--car", "250000", "--car-cost", "3000", "--employee-medical",
      "3000", "--members", "3", "--ra", "5000", "--uif-limit", "17712"}},
};
INSTANTIATE_TEST_SUITE_P(Package, GrossUpSearchTest, ::testing::ValuesIn(SearchCases), testing::RowName{});

TEST_F(RevoraCalcTest, PackageLinesCarryTheScreensCaptions)
{
    const CalcRun monthly =
        RevoraCalc({"netpay", "--monthly", "--net", "30000", "--car", "200000", DataDirArg()});
    ASSERT_EQ(monthly.exitCode, 0) << monthly.err.toStdString();
    for (const char* caption : {"Pension deducted", "R/A ded. (directive?)", "Skills Development Levy", "Tax due",
                                "Net salary(take-home)", "Total cost to company R", "(plus a \"once-off\" cost of R"})
        EXPECT_TRUE(monthly.out.contains(caption)) << caption << '\n' << monthly.out.toStdString();
    EXPECT_TRUE(monthly.out.contains(" 200 000.00\n")) << monthly.out.toStdString();

    // No car: the once-off line stays hidden, as on the screen; no box shows the search amount.
    const CalcRun annual = RevoraCalc({"grossup", "--net", "200000", DataDirArg()});
    ASSERT_EQ(annual.exitCode, 0) << annual.err.toStdString();
    EXPECT_TRUE(annual.out.contains("Gross salary")) << annual.out.toStdString();
    EXPECT_TRUE(annual.out.contains("Skills levy")) << annual.out.toStdString();
    EXPECT_FALSE(annual.out.contains("once-off")) << annual.out.toStdString();
    EXPECT_EQ(annual.out.count('\n'), 14) << annual.out.toStdString();
}

class PackageRefusalTest : public RevoraCalcTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(PackageRefusalTest, ExitWith2TheOneLineAndNothingWritten)
{
    ExpectRefused(GetParam());
}

const RefusalCase PackageRefusalCases[] = {
    // Refused by the calculation itself, after the settings are read.
    {"fringe benefits larger than the net",
     {"grossup", "--net", "50000", "--travel", "40000", "--other-benefits", "15000"},
     "Fringe benefits more than salary required!"},
    {"other deductions larger than the monthly net",
     {"grossup", "--monthly", "--net", "1000", "--other", "Loan:1500"},
     "Fringe benefits more than salary required!"},
    // The provident contribution is taxed: 60 % of each rand added and 41 % tax at the top
    // rate leave less than nothing. (A 60 % pension is not taxed and leaves 23.6 cents.)
    {"provident 60 percent and a large net",
     {"grossup", "--net", "2000000", "--provident-pct", "60"},
     "No gross salary gives this net salary with these settings: together they take a rand or more of every rand "
     "added to the salary."},
    {"pension 100 percent",
     {"grossup", "--monthly", "--net", "20000", "--pension-pct", "100"},
     "No gross salary gives this net salary with these settings: together they take a rand or more of every rand "
     "added to the salary."},
    {"a package beyond the box", {"netpay", "--net", "1.79e308"}, "--net: '1.79e308' must be 0 to 999 999 999 999.99"},
    {"grossup net 0", {"grossup", "--net", "0"}, "--net: the net salary required must not be 0"},
    {"netpay package 0", {"netpay", "--monthly", "--net", "0"}, "--net: the total package amount must not be 0"},
    // Refused with the other arguments.
    {"no net", {"netpay", "--age", "40"}, "--net: missing value"},
    {"directive maybe", {"grossup", "--net", "1000", "--directive", "maybe"}, "--directive: 'maybe' must be yes or no"},
    {"maintenance plan 1",
     {"netpay", "--net", "1000", "--maintenance-plan", "1"},
     "--maintenance-plan: '1' must be yes or no"},
    {"a fifth other deduction",
     {"grossup", "--net", "90000", "--other", "A:1", "--other", "B:2", "--other", "C:3", "--other", "D:4", "--other",
      "E:5"},
     "--other: at most 4 other deductions"},
    {"an other deduction without an amount",
     {"grossup", "--net", "1000", "--other", "Loan"},
     "--other: 'Loan' must be DESCRIPTION:AMOUNT[:COST-TO-COMPANY]"},
    {"an other deduction with a word for its cost",
     {"grossup", "--net", "1000", "--other", "Loan:100:lots"},
     "--other: 'lots' is not a number"},
    {"travel inclusion 0.5",
     {"grossup", "--net", "1000", "--travel-inclusion", "0.5"},
     "--travel-inclusion: '0.5' must be 0.8 or 0.2"},
    {"car inclusion 0.5",
     {"netpay", "--net", "1000", "--car-inclusion", "0.5"},
     "--car-inclusion: '0.5' must be 0.8 or 0.2"},
    {"a 51 character name",
     {"netpay", "--net", "1000", "--name", QString(51, 'x')},
     "--name: the name is longer than 50 characters"},
    {"members below 0", {"netpay", "--net", "1000", "--members", "-1"}, "--members: '-1' is below 0"},
    {"a travel allowance below 0", {"grossup", "--net", "1000", "--travel", "-5"}, "--travel: '-5' is below 0"},
    {"a reference search forward",
     {"netpay", "--net", "1000", "--reference-search"},
     "--reference-search: unknown option"},
};
INSTANTIATE_TEST_SUITE_P(Refused, PackageRefusalTest, ::testing::ValuesIn(PackageRefusalCases), testing::RowName{});

TEST_F(RevoraCalcTest, ARefusalKeepsASettingsFileThatWasThere)
{
    ASSERT_EQ(RevoraCalc({"netpay", "--net", "1000", DataDirArg()}).exitCode, 0);
    ASSERT_TRUE(FilesInDataDir().contains("Settings.db"));
    const CalcRun refused = RevoraCalc({"grossup", "--net", "1000", "--travel", "2000", DataDirArg()});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(FilesInDataDir(), QStringList{"Settings.db"});
}

struct PackagePrintoutCase {
    const char* name;
    QStringList arguments;
    QStringList texts;
};

class PackagePrintoutTest : public RevoraCalcTest, public ::testing::WithParamInterface<PackagePrintoutCase> {};

TEST_P(PackagePrintoutTest, ReportWritesAPdfWithTheHeadingAndTheLines)
{
    const PackagePrintoutCase& c = GetParam();
    const QString pdf = QDir(dataDir.path()).filePath("F.pdf");
    const CalcRun run =
        RevoraCalc(QStringList(c.arguments) << "--name" << "Thandi Mokoena" << "--report" << pdf << DataDirArg());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(QDir(dataDir.path()).filePath("Crysprin.db")));
    // A heading may wrap within its cell; the words are what is checked.
    const QString text = PdfText(pdf).simplified();
    for (const QString& expected : c.texts + QStringList{"Thandi Mokoena"})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << '\n' << text.toStdString();
}

const PackagePrintoutCase PackagePrintoutCases[] = {
    {"grossup annual with other deductions",
     {"grossup", "--net", "200000", "--other", "Union fees:1000:1200", "--other", "Loan:250"},
     {"Revora Salary Package Calculation : Annual", "Other Expenses :", "Union fees", "1 200.00", "Loan"}},
    {"grossup monthly", {"grossup", "--monthly", "--net", "20000"}, {"Revora Salary Package Calculation : Monthly"}},
    {"netpay annual", {"netpay", "--net", "300000"}, {"Avanta Salary Package Calculation : Annual"}},
    {"netpay monthly with a car",
     {"netpay", "--monthly", "--net", "30000", "--car", "200000"},
     {"Avanta Salary Package Calculation : Monthly", "cost of R 200000 for the company car"}},
};
INSTANTIATE_TEST_SUITE_P(Package, PackagePrintoutTest, ::testing::ValuesIn(PackagePrintoutCases), testing::RowName{});

TEST_F(RevoraCalcTest, HelpListsThePackageCalculatorsAndTheirOptions)
{
    const CalcRun run = RevoraCalc({"--help"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    for (const char* text : {"grossup:", "netpay:", "--reference-search", "--other", "--pension-pct",
                             "--maintenance-plan", "--additional-beneficiaries"})
        EXPECT_TRUE(run.out.contains(text)) << text;
}

} // namespace
} // namespace revora
