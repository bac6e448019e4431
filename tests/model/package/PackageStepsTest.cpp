// The package building blocks: car benefit, rebate and medical deduction, medical credits,
// R/A limits and the allowed deduction, tax due, UIF and SDL, on annual and monthly screens.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "package/PackageSteps.h"

namespace revora {
namespace {

using package::RulesFor;
constexpr auto Annual = PackageKind::RevoraAnnual;
constexpr auto Monthly = PackageKind::RevoraMonthly;
constexpr auto AvantaMonthly = PackageKind::AvantaMonthly;

// ---- Car benefit, rebate, medical credits ------------------------------------------------

struct FixedCase {
    const char* name;
    PackageKind screen;
    PackageInputs in;
    PackageSettings settings;
    double car;
    double rebate;
    double credit;
    double additional;
    double medicalDeductionAfter;
    int membersAfter;
};

class FixedBlocksTest : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FixedBlocksTest, WorksTheFixedFiguresAndClearsTheirBoxes)
{
    const FixedCase& c = GetParam();
    PackageInputs in = c.in;
    PackageResult r;
    package::FixedBlocks(in, c.settings, RulesFor(c.screen), r);
    EXPECT_NEAR(r.CompanyCarBenefit, c.car, 1e-9);
    EXPECT_EQ(r.Rebate, c.rebate);
    EXPECT_NEAR(r.MedicalCredit, c.credit, 1e-9);
    EXPECT_NEAR(r.AdditionalMedicalCredit, c.additional, 1e-9);
    EXPECT_EQ(in.MedicalDeduction, c.medicalDeductionAfter);
    EXPECT_EQ(in.Members, c.membersAfter);
}

const PackageSettings WithPlan{.CompCarMPYesNo = true};
const PackageSettings TwentyPercentCar{.CompCarFBRate8020 = 0.2};

const FixedCase CarCases[] = {
    // 200 000 x 0.0325 x 0.8 x 12 = 62 400.
    {"annual car with a maintenance plan at 3.25 percent", Annual, {.Age = 40, .CarValue = 200000}, WithPlan, 62400,
     13257, 0, 0, 0, 0},
    // 200 000 x 0.035 x 0.2 x 12 = 16 800.
    {"annual car without a plan at 20 percent inclusion", Annual, {.Age = 40, .CarValue = 200000}, TwentyPercentCar,
     16800, 13257, 0, 0, 0, 0},
    // 200 000 x 0.035 x 0.8 = 5 600: no x 12 on a monthly screen.
    {"monthly car is not multiplied by 12", Monthly, {.Age = 40, .CarValue = 200000}, {}, 5600, 13257, 0, 0, 0, 0},
};
INSTANTIATE_TEST_SUITE_P(Car, FixedBlocksTest, ::testing::ValuesIn(CarCases), testing::RowName{});

const FixedCase RebateCases[] = {
    {"age 64 gets the primary rebate and loses the medical deduction", Annual, {.Age = 64, .MedicalDeduction = 5000},
     {}, 0, 13257, 0, 0, 0, 0},
    {"age 65 gets 20 664 and keeps the medical deduction", Annual, {.Age = 65, .MedicalDeduction = 5000}, {}, 0,
     20664, 0, 0, 5000, 0},
    {"age 74 still gets 20 664", Annual, {.Age = 74}, {}, 0, 20664, 0, 0, 0, 0},
    {"age 75 gets 23 130", Annual, {.Age = 75}, {}, 0, 23130, 0, 0, 0, 0},
};
INSTANTIATE_TEST_SUITE_P(Rebate, FixedBlocksTest, ::testing::ValuesIn(RebateCases), testing::RowName{});

const FixedCase CreditCases[] = {
    {"24 member-months give 24 x 270", Annual, {.Age = 40, .EmployeeMedical = 100, .Members = 24}, {}, 0, 13257,
     6480, 0, 0, 24},
    // 6 480 + 12 x 181 = 8 652.
    {"36 member-months give 8 652", Annual, {.Age = 40, .EmployeeMedical = 100, .Members = 36}, {}, 0, 13257, 8652,
     0, 0, 36},
    {"2 persons on a monthly screen give 540", Monthly, {.Age = 40, .EmployerMedical = 100, .Members = 2}, {}, 0,
     13257, 540, 0, 0, 2},
    // 540 + 181 = 721.
    {"3 persons on a monthly screen give 721", Monthly, {.Age = 40, .EmployerMedical = 100, .Members = 3}, {}, 0,
     13257, 721, 0, 0, 3},
    {"3 member-months on an annual screen are not persons", Annual, {.Age = 40, .EmployerMedical = 100, .Members = 3},
     {}, 0, 13257, 810, 0, 0, 3},
    {"no contribution gives no credit and clears the beneficiaries", Annual, {.Age = 70, .Members = 24}, {}, 0, 20664,
     0, 0, 0, 0},
    {"negative contributions count as none", Monthly, {.Age = 40, .EmployeeMedical = -5, .Members = 2}, {}, 0, 13257,
     0, 0, 0, 0},
    // 12 member-months: 3 240; (6 000 + 4 000 - 9 720) x 0.333 = 93.24.
    {"age 70 with 10 000 of contributions gets 93.24 more", Annual,
     {.Age = 70, .EmployeeMedical = 6000, .EmployerMedical = 4000, .Members = 12}, {}, 0, 20664, 3240, 93.24, 0, 12},
    {"age 70 with contributions below three credits gets nothing more", Annual,
     {.Age = 70, .EmployeeMedical = 5000, .EmployerMedical = 4000, .Members = 12}, {}, 0, 20664, 3240, 0, 0, 12},
    {"age 64 with the same contributions gets nothing more", Annual,
     {.Age = 64, .EmployeeMedical = 6000, .EmployerMedical = 4000, .Members = 12}, {}, 0, 13257, 3240, 0, 0, 12},
    {"a count beyond 16 bits is held at the largest count", Monthly,
     {.Age = 40, .EmployeeMedical = 100, .Members = 40000}, {}, 0, 13257, 540 + 181.0 * 32765, 0, 0, 40000},
};
INSTANTIATE_TEST_SUITE_P(Credits, FixedBlocksTest, ::testing::ValuesIn(CreditCases), testing::RowName{});

// ---- R/A limits and the allowed deduction --------------------------------------------------

struct LimitCase {
    const char* name;
    PackageKind screen;
    double pension;
    double limitA;
    double limitB;
};

class RALimitTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(RALimitTest, TakesThePensionOffThe3500OfTheYear)
{
    const LimitCase& c = GetParam();
    EXPECT_NEAR(package::RALimitA(c.pension, RulesFor(c.screen)), c.limitA, 1e-9);
    EXPECT_NEAR(package::RALimitB(RulesFor(c.screen)), c.limitB, 1e-9);
}

const LimitCase LimitCases[] = {
    {"annual pension 200 leaves 3 300", Annual, 200, 3300, 1750},
    {"annual pension 22 500 leaves a negative A", PackageKind::AvantaAnnual, 22500, -19000, 1750},
    // (3 500 - 2 400) / 12 = 91.67; 1 750 / 12 = 145.83.
    {"monthly gross-up pension 200 is made annual", Monthly, 200, 1100.0 / 12, 1750.0 / 12},
    // (3 500 - 200) / 12 = 275: this screen does not make the pension annual.
    {"monthly forward pension 200 is taken off as it is", AvantaMonthly, 200, 275, 1750.0 / 12},
};
INSTANTIATE_TEST_SUITE_P(Limits, RALimitTest, ::testing::ValuesIn(LimitCases), testing::RowName{});

struct AllowedCase {
    const char* name;
    double a, b, c;
    bool directive;
    double entered;
    double held;
    double allowed;
};

class AllowedRATest : public ::testing::TestWithParam<AllowedCase> {};

TEST_P(AllowedRATest, CutsOnlyWithoutADirectiveAndAboveTheMaximum)
{
    const AllowedCase& c = GetParam();
    const double maximum = package::RAMaximum(c.a, c.b, c.c);
    EXPECT_EQ(package::AllowedRA(c.directive, c.entered, maximum, c.held), c.allowed);
}

const AllowedCase AllowedCases[] = {
    {"A the greatest", 3300, 1750, 100, false, 9000, 9000, 3300},
    {"B above a negative A", -19000, 1750, 0, false, 9000, 9000, 1750},
    {"C above A and B", 3500, 1750, 7575.9, false, 9000, 9000, 7575.9},
    {"a directive keeps any amount", 3500, 1750, 0, true, 20000, 1, 20000},
    {"one rand above the maximum is cut", 3500, 1750, 0, false, 3501, 3501, 3500},
    {"an amount at the maximum keeps the held value", 3500, 1750, 0, false, 3500, 1234, 1234},
    {"an amount below the maximum keeps the held value", 3500, 1750, 0, false, 3000, 3000, 3000},
};
INSTANTIATE_TEST_SUITE_P(Allowed, AllowedRATest, ::testing::ValuesIn(AllowedCases), testing::RowName{});

// ---- Tax due, UIF and SDL ------------------------------------------------------------------

// One amount of the period, taken both as the taxable income and as the remuneration base
// (pension 1 000 and R/A 500 taken off it for SDL at 1 %; employee UIF 1 %, employer 2 %).
struct PeriodCase {
    const char* name;
    PackageKind screen;
    double amount;
    double tax;
    double engineIncome;
    double uif;
    double sdl;
};

class PackagePeriodFiguresTest : public ::testing::TestWithParam<PeriodCase> {};

TEST_P(PackagePeriodFiguresTest, TaxesTheYearAndCapsUifAtThePeriodsLimit)
{
    const PeriodCase& c = GetParam();
    TaxBracketResult record;
    EXPECT_NEAR(package::TaxDue(c.amount, 13257, RulesFor(c.screen), record), c.tax, 1e-9);
    EXPECT_EQ(record.TaxableIncome, c.engineIncome);
    PackageResult r;
    r.EmployeePension = 1000;
    r.RAAllowed = 500;
    package::UifAndSdl(c.amount, PackageSettings{.EmployerUIF = 2.0}, RulesFor(c.screen), r);
    EXPECT_NEAR(r.EmployeeUIF, c.uif, 1e-9);
    EXPECT_NEAR(r.EmployerUIF, 2 * c.uif, 1e-9);
    EXPECT_NEAR(r.SDL, c.sdl, 1e-9);
}

const PeriodCase PeriodCases[] = {
    // 32 742 + 58 100 x 26 % = 47 848, less 13 257; UIF on 12 x 14 872 = 178 464.
    {"annual 240 000 is above the UIF ceiling", Annual, 240000, 34591, 240000, 1784.64, 2385},
    {"monthly 20 000 is taxed as 240 000 and divided by 12", Monthly, 20000, 34591.0 / 12, 240000, 148.72, 185},
    // 178 464 x 18 % = 32 123.52, less 13 257 = 18 866.52.
    {"annual at 12 UIF limits is taken whole", Annual, 178464, 18866.52, 178464, 1784.64, 1769.64},
    {"monthly at the UIF limit is taken whole", Monthly, 14872, 18866.52 / 12, 178464, 148.72, 133.72},
    // 178 476 x 18 % = 32 125.68, less 13 257 = 18 868.68.
    {"monthly one rand above the UIF limit is capped", Monthly, 14873, 18868.68 / 12, 178476, 148.72, 133.73},
    {"below the rebate no tax", Annual, 73000, 0, 73000, 730, 715},
    {"a negative amount goes into the engine as 0 but UIF is not floored", Annual, -5000, 0, 0, -50, -65},
};
INSTANTIATE_TEST_SUITE_P(Period, PackagePeriodFiguresTest, ::testing::ValuesIn(PeriodCases), testing::RowName{});

// ---- What a "Setup" panel changed -------------------------------------------------------------

TEST(SettingsEdit, LaysOnlyTheChangedColumnsOverTheRowAsStoredNow)
{
    const PackageSettings shown;
    PackageSettings typed = shown;
    typed.UIFLimit = 17712;
    const SettingsEdit first{shown, typed};
    PackageSettings savedElsewhere = shown;
    savedElsewhere.SkillLevy = 2;
    const PackageSettings laid = first.over(savedElsewhere);
    EXPECT_EQ(laid.UIFLimit, 17712);
    EXPECT_EQ(laid.SkillLevy, 2);
    // A second edit on top of a first the file would not take keeps both changes, and no other.
    PackageSettings more = laid;
    more.CompCarMPYesNo = true;
    const PackageSettings both = first.then({laid, more}).over(PackageSettings{});
    EXPECT_EQ(both.UIFLimit, 17712);
    EXPECT_TRUE(both.CompCarMPYesNo);
    EXPECT_EQ(both.SkillLevy, 1);
}

} // namespace
} // namespace revora
