// The "SalPackage" row, its layouts and titles, and the worked lines of the R/A explanation.

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "package/SalaryPackage.h"
#include "tax/TaxYearRules.h"

namespace revora {
namespace {

const ReportValue& Field(const ReportRow& row, const std::string& name)
{
    for (const ReportField& f : row)
        if (f.name == name)
            return f.value;
    static const ReportValue missing = std::string("<missing>");
    ADD_FAILURE() << name << " is not written";
    return missing;
}
std::string Text(const ReportRow& row, const std::string& name) { return std::get<std::string>(Field(row, name)); }
double Number(const ReportRow& row, const std::string& name) { return std::get<double>(Field(row, name)); }

TEST(SalPackageRow, WritesTheColumnsInOrderWithCostToCompanyOnlyOnAvanta)
{
    std::vector<std::string> expected = {"MonAnn", "TPName", "TPAge", "MonAnnSal", "NetMonSal", "CostToComp",
        "CompCar", "CompCarCC", "TravAll", "TravAllCC", "MedAidCont", "MedAidContCC", "PMems", "AddBens",
        "TaxFreeMedPrint", "OtherTaxFB", "OtherTaxFBCC", "PenDeduct", "PenDeductCC", "ProvDeduct", "ProvDeductCC",
        "RADirective", "RADeduct", "MedDeduct", "UIFCont", "UIFContCC", "SkillLevy", "TaxDue", "TaxCredit",
        "TaxDeduct", "PrinMembers", "BenMembers", "OEXPTXT", "ODedTxt0", "ODedTxt1", "ODedTxt2", "ODedTxt3", "ODedR0",
        "ODedR1", "ODedR2", "ODedR3", "ODedNum0", "ODedNum1", "ODedNum2", "ODedNum3", "ODedNumCC0", "ODedNumCC1",
        "ODedNumCC2", "ODedNumCC3", "GSal", "TotCostComp", "PlusCompCar1", "PlusCompCar2"};
    const auto names = [](const ReportRow& row) {
        std::vector<std::string> out;
        for (const ReportField& f : row)
            out.push_back(f.name);
        return out;
    };
    EXPECT_EQ(names(SalPackageReportRow(PackageKind::AvantaMonthly, {}, {}, "", TaxYear2016())), expected);
    expected.erase(expected.begin() + 5);
    EXPECT_EQ(names(SalPackageReportRow(PackageKind::RevoraAnnual, {}, {}, "", TaxYear2016())), expected);
}

// The credits printed beside the members are the year's own, not 2015/16's in every year.
TEST(SalPackageRow, PrintsTheMedicalCreditsOfTheYearWorkedIn)
{
    TaxYear year = TaxYear2016();
    year.MedicalCredits = {364, 364, 246}; // 2024/25
    const ReportRow row = SalPackageReportRow(PackageKind::RevoraAnnual, {}, {}, "", year);
    EXPECT_EQ(Text(row, "PrinMembers"), "(R 364pm each)");
    EXPECT_EQ(Text(row, "BenMembers"), "(R 246pm each)");
}

struct HeadingCase {
    const char* name;
    PackageKind screen;
    const char* heading;
    const char* salaryLabel;
    const char* layout;
    const char* title;
};

class PackageHeadingTest : public ::testing::TestWithParam<HeadingCase> {};

TEST_P(PackageHeadingTest, NamesTheScreenAndItsPeriod)
{
    const HeadingCase& c = GetParam();
    const ReportRow row = SalPackageReportRow(c.screen, {}, {}, "A. Taxpayer", TaxYear2016());
    EXPECT_EQ(Text(row, "MonAnn"), c.heading);
    EXPECT_EQ(Text(row, "TPName"), "A. Taxpayer");
    EXPECT_EQ(Text(row, "MonAnnSal"), c.salaryLabel);
    EXPECT_STREQ(PackageLayout(c.screen), c.layout);
    EXPECT_STREQ(PackageTitle(c.screen), c.title);
    EXPECT_EQ(Text(row, "PrinMembers"), "(R 270pm each)");
    EXPECT_EQ(Text(row, "BenMembers"), "(R 181pm each)");
}

const HeadingCase HeadingCases[] = {
    {"Revora annual", PackageKind::RevoraAnnual, "Revora Salary Package Calculation : Annual",
     "Net annual salary required", "Revora.rpt", "Revora2016 Annual"},
    {"Revora monthly", PackageKind::RevoraMonthly, "Revora Salary Package Calculation : Monthly",
     "Net monthly salary required", "Revora.rpt", "Revora2016 Monthly"},
    {"Avanta annual writes the Revora salary label", PackageKind::AvantaAnnual,
     "Avanta Salary Package Calculation : Annual", "Net annual salary required", "Avntx.rpt", "Avanta2016 Annual"},
    {"Avanta monthly", PackageKind::AvantaMonthly, "Avanta Salary Package Calculation : Monthly",
     "Net monthly salary required", "Avntx.rpt", "Avanta2016 Monthly"},
};
INSTANTIATE_TEST_SUITE_P(Headings, PackageHeadingTest, ::testing::ValuesIn(HeadingCases), testing::RowName{});

// ---- Other deductions ------------------------------------------------------------------------

struct OtherCase {
    const char* name;
    std::array<OtherDeduction, 4> lines;
    const char* heading;
    std::array<const char*, 4> texts;
    std::array<double, 4> amounts;
    std::array<double, 4> costs;
};

class PackageOtherLinesTest : public ::testing::TestWithParam<OtherCase> {};

TEST_P(PackageOtherLinesTest, PrintsOnlyLinesWithAnAmount)
{
    const OtherCase& c = GetParam();
    PackageInputs in;
    in.Other = c.lines;
    const ReportRow row = SalPackageReportRow(PackageKind::RevoraMonthly, in, {}, "", TaxYear2016());
    EXPECT_EQ(Text(row, "OEXPTXT"), c.heading);
    for (int i = 0; i < 4; ++i) {
        const std::string n = std::to_string(i);
        EXPECT_EQ(Text(row, "ODedTxt" + n), c.texts[i]) << i;
        EXPECT_EQ(Text(row, "ODedR" + n), *c.texts[i] ? "R" : "") << i;
        EXPECT_EQ(Number(row, "ODedNum" + n), c.amounts[i]) << i;
        EXPECT_EQ(Number(row, "ODedNumCC" + n), c.costs[i]) << i;
    }
}

const OtherCase OtherCases[] = {
    {"no other deductions empty every line", {}, "", {"", "", "", ""}, {}, {}},
    {"line 2 filled with line 1 empty", {{{}, {"Union", 150, 160}}}, "Other Expenses :", {"", "Union", "", ""},
     {0, 150, 0, 0}, {0, 160, 0, 0}},
    {"a negative line is emptied beside a positive one", {{{"Refund", -50, -50}, {"Union", 150, 150}}},
     "Other Expenses :", {"", "Union", "", ""}, {0, 150, 0, 0}, {0, 150, 0, 0}},
    {"lines that total 0 or less empty everything", {{{"Refund", -200, 0}, {"Union", 150, 150}}}, "",
     {"", "", "", ""}, {}, {}},
};
INSTANTIATE_TEST_SUITE_P(OtherLines, PackageOtherLinesTest, ::testing::ValuesIn(OtherCases), testing::RowName{});

// ---- Directive and once-off texts --------------------------------------------------------------

struct TextCase {
    const char* name;
    bool directive;
    double onceOff;
    const char* directiveText;
    const char* carLine1;
    const char* carLine2;
};

class PackageTextsTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(PackageTextsTest, WritesTheChoiceAndTheOnceOffCost)
{
    const TextCase& c = GetParam();
    PackageInputs in;
    in.RADirective = c.directive;
    PackageResult r;
    r.OnceOff = c.onceOff;
    const ReportRow row = SalPackageReportRow(PackageKind::AvantaAnnual, in, r, "", TaxYear2016());
    EXPECT_EQ(Text(row, "RADirective"), c.directiveText);
    EXPECT_EQ(Text(row, "PlusCompCar1"), c.carLine1);
    EXPECT_EQ(Text(row, "PlusCompCar2"), c.carLine2);
}

constexpr const char* CarLine2 = "for the company car and this does not include fuel, maintenance etc).";
const TextCase TextCases[] = {
    {"no directive and no car", false, 0, "No", "", ""},
    {"a directive", true, 0, "Yes", "", ""},
    {"a whole once-off amount is written plainly", false, 250000, "No", "(plus a 'once-off' cost of R 250000",
     CarLine2},
    {"a once-off amount with cents keeps them", false, 1234.5, "No", "(plus a 'once-off' cost of R 1234.5", CarLine2},
};
INSTANTIATE_TEST_SUITE_P(Texts, PackageTextsTest, ::testing::ValuesIn(TextCases), testing::RowName{});

TEST(SalPackageRow, WritesResultBoxesAsTheyShowAndTypedBoxesAsTyped)
{
    PackageInputs in{.Age = 66, .Amount = std::numeric_limits<double>::infinity(), .Members = 36, .RADeduction = 1750.5};
    PackageResult r;
    r.EmployeePension = 1234.5678;
    r.SDL = 0.004;
    const ReportRow row = SalPackageReportRow(PackageKind::RevoraAnnual, in, r, "", TaxYear2016());
    EXPECT_EQ(std::get<std::int16_t>(Field(row, "TPAge")), 66);
    EXPECT_EQ(std::get<std::int16_t>(Field(row, "PMems")), 36);
    EXPECT_EQ(Number(row, "NetMonSal"), 0); // no infinity reaches the report
    EXPECT_EQ(Number(row, "RADeduct"), 1750.5);
    EXPECT_EQ(Number(row, "PenDeduct"), 1234.57);
    EXPECT_EQ(Number(row, "SkillLevy"), 0);
    EXPECT_EQ(Number(row, "TaxFreeMedPrint"), 0);
}

// ---- R/A explanation ---------------------------------------------------------------------------

struct ExplainCase {
    const char* name;
    PackageKind screen;
    double pension;
    double income;
    double limitC;
    const char* lineA;
    const char* lineC;
};

class ExplainRATest : public ::testing::TestWithParam<ExplainCase> {};

TEST_P(ExplainRATest, WorksTheLinesInAnnualFigures)
{
    const ExplainCase& c = GetParam();
    PackageResult r;
    r.EmployeePension = c.pension;
    r.NonRetirementIncome = c.income;
    r.RALimitC = c.limitC;
    const RAExplanation lines = ExplainRA(c.screen, r);
    EXPECT_EQ(lines.LineA, c.lineA);
    EXPECT_EQ(lines.LineC, c.lineC);
}

const ExplainCase ExplainCases[] = {
    {"annual pension above 3 500 gives a negative A", PackageKind::AvantaAnnual, 22500, 1234567, 185185.05,
     "ie: R 3 500 - R22 500.00 = - R19 000.00", "ie: R 1 234 567.00 X 15% = R185 185.05"},
    {"monthly gross-up pension is shown times 12", PackageKind::RevoraMonthly, 200, 10000, 1500,
     "ie: R 3 500 - R2 400.00 = R1 100.00", "ie: R 120 000.00 X 15% = R18 000.00"},
    {"monthly forward pension is shown as it is", PackageKind::AvantaMonthly, 200, 100, 15,
     "ie: R 3 500 - R200.00 = R3 300.00", "ie: R 1 200.00 X 15% = R180.00"},
    {"no pension and no income", PackageKind::RevoraAnnual, 0, 0, 0, "ie: R 3 500 - R0.00 = R3 500.00",
     "ie: R 0.00 X 15% = R0.00"},
};
INSTANTIATE_TEST_SUITE_P(Lines, ExplainRATest, ::testing::ValuesIn(ExplainCases), testing::RowName{});

// A year of one deduction explains its own rule; a month's figures are shown for the year.
TEST(ExplainRA, WorksTheOneDeductionInAnnualFigures)
{
    TaxYear year = TaxYear2016();
    year.Retirement = {RetirementRegime::OneDeduction, 0.275, 350000};
    const PackageResult r{.EmployeePension = 2500, .EmployerPension = 2500, .RetirementIncome = 40000,
                          .RetirementLimit = 11000};
    const RAExplanation lines = ExplainRA(PackageKind::RevoraMonthly, r, year);
    EXPECT_TRUE(lines.LineA.empty() && lines.LineC.empty());
    ASSERT_EQ(lines.OneDeduction.size(), 5u);
    EXPECT_EQ(lines.OneDeduction[2], "ie: 27.5 % of R 480 000.00 = R 132 000.00, at most R 350 000 a year");
    EXPECT_EQ(lines.OneDeduction[4], "R/A: at most R 132 000.00 - R 60 000.00 = R 72 000.00");
}

} // namespace
} // namespace revora
