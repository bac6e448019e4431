// The daily employees' tax: 260 working days a year, no period check, the
// unfloored annual taxes, the UIF limit of a day and the credits of a day. Figures worked by
// hand.

#include <gtest/gtest.h>

#include "PayeTestSupport.h"
#include "TestSupport.h"
#include "model/WorkingCheck.h"
#include "payroll/DailyPaye.h"

namespace revora {
namespace {

using testing::Settings;

struct TaxCase {
    const char* name;
    PayeInputs in;
    double tax;
    double annualIncome; // the engine's record keeps the income without the bonus
    double cap = 0;      // the one deduction's cap a year (YearWithCap)
};

class DailyTaxTest : public ::testing::TestWithParam<TaxCase> {};

TEST_P(DailyTaxTest, AnnualisesOver260Days)
{
    const TaxCase& c = GetParam();
    TaxBracketResult record;
    Working working;
    const auto r = DailyPayeCalculate(c.in, Settings(), testing::YearWithCap(c.cap), record, &working);
    EXPECT_NEAR(r.TaxLiability, c.tax, 1e-6);
    EXPECT_NEAR(record.TaxableIncome, c.annualIncome, 1e-6);
    testing::ExpectReconciles(working, r.TotalTaxDeduction);
}

// 1 000 a day: 260 000 a year, 53 048 before rebates (32 742 + 78 100 x 26 %).
const TaxCase TaxCases[] = {
    {"1 000 a day at 40", {.Age = 40, .Salary = 1000}, (53048.0 - 13257) / 260, 260000},
    {"1 000 a day at 64", {.Age = 64, .Salary = 1000}, (53048.0 - 13257) / 260, 260000},
    {"1 000 a day at 65", {.Age = 65, .Salary = 1000}, (53048.0 - 20664) / 260, 260000},
    {"1 000 a day at 74", {.Age = 74, .Salary = 1000}, (53048.0 - 20664) / 260, 260000},
    {"1 000 a day at 75", {.Age = 75, .Salary = 1000}, (53048.0 - 23130) / 260, 260000},
    // 80 + 500 + 100 - 20 - 10 + 50 = 700 a day: 182 000 a year, 32 742 + 100 x 26 % = 32 768.
    {"80 % travel, commission and employer's medical in, pension and R/A out",
     {.Age = 40, .Salary = 500, .EmployerMedical = 50, .EmployeeMedical = 70, .Commission = 100,
      .TravelAllowance = 100, .Pension = 20, .RetirementAnnuity = 10},
     (32768.0 - 13257) / 260, 182000},
    // 200 a day: 52 000 a year, 9 360, below the rebate.
    {"a day below the threshold owes nothing", {.Age = 40, .Salary = 200}, 0, 52000},
    // With a bonus of 30 000: 82 000 gives 14 760, bonus tax 5 400, less (13 257 - 9 360) / 260.
    {"a bonus on a day below the threshold is set off against the negative regular part",
     {.Age = 40, .Salary = 200, .Bonus = 30000}, 5400 - 3897.0 / 260, 52000},
    // 52 050 gives 9 369: bonus tax 9, less 14.99: floored at 0.
    {"a small bonus does not cover the negative regular part", {.Age = 40, .Salary = 200, .Bonus = 50}, 0, 52000},
    {"a bonus on a taxed day is added in full", {.Age = 40, .Salary = 1000, .Bonus = 10000},
     2600 + (53048.0 - 13257) / 260, 260000},
    // 260 000 a year, 27.5 % of it 71 500 against 104 000: 188 500 gives 34 458.
    {"a day's contributions are capped on its annual equivalent", {.Age = 40, .Salary = 1000, .Pension = 400},
     (34458.0 - 13257) / 260, 188500, 350000},
};
INSTANTIATE_TEST_SUITE_P(Tax, DailyTaxTest, ::testing::ValuesIn(TaxCases), testing::RowName{});

struct LevyCase {
    const char* name;
    PayeInputs in;
    double uifEmployee; // at 1 %
    double uifEmployer; // at 2 %
    double sdl;         // at 1 %
    double cap = 0;     // the one deduction's cap a year (YearWithCap)
};

class DailyLevyTest : public ::testing::TestWithParam<LevyCase> {};

TEST_P(DailyLevyTest, HoldsTheUifToADaysShareOfTheMonthlyLimit)
{
    const LevyCase& c = GetParam();
    TaxBracketResult record;
    Working working;
    // 13 000 x 12 / 260 = 600 a day.
    const auto r =
        DailyPayeCalculate(c.in, Settings(13000, 0.8, 1, 2, 1), testing::YearWithCap(c.cap), record, &working);
    EXPECT_NEAR(r.UIFEmployee, c.uifEmployee, 1e-9);
    EXPECT_NEAR(r.UIFEmployer, c.uifEmployer, 1e-9);
    EXPECT_NEAR(r.SDL, c.sdl, 1e-9);
    testing::ExpectReconciles(working, r.TotalTaxDeduction);
}

const LevyCase LevyCases[] = {
    {"a day below the day's limit", {.Salary = 500}, 5, 10, 5},
    {"a day at the day's limit of 600", {.Salary = 600}, 6, 12, 6},
    {"a day above the limit is held to 600", {.Salary = 700}, 6, 12, 7},
    // (500 - 50 + 100) x 1 %.
    {"commission raises and pension lowers the SDL only", {.Salary = 500, .Commission = 100, .Pension = 50}, 5, 10,
     5.5},
    // 71 500 a year allowed, 275 a day: (1 000 - 275) x 1 %.
    {"the SDL subtracts the day's share of the deduction allowed", {.Salary = 1000, .Pension = 400}, 6, 12, 7.25,
     350000},
};
INSTANTIATE_TEST_SUITE_P(Levies, DailyLevyTest, ::testing::ValuesIn(LevyCases), testing::RowName{});

struct CreditCase {
    const char* name;
    PayeInputs in;
    double credit;
    double shown; // as the two-decimal box shows it
    double additional;
};

class DailyCreditTest : public ::testing::TestWithParam<CreditCase> {};

TEST_P(DailyCreditTest, TwelveMonthlyCreditsOver260Days)
{
    const CreditCase& c = GetParam();
    TaxBracketResult record;
    Working working;
    const auto r = DailyPayeCalculate(c.in, Settings(), record, &working);
    EXPECT_NEAR(r.MedicalCredit, c.credit, 1e-9);
    EXPECT_EQ(AsShownTwoDecimals(r.MedicalCredit), c.shown);
    EXPECT_NEAR(r.AdditionalMedicalCredit, c.additional, 1e-9);
    testing::ExpectReconciles(working, r.TotalTaxDeduction);
}

PayeInputs Members(std::int16_t n) { return {.Age = 40, .EmployerMedical = 100, .Beneficiaries = n}; }

const CreditCase CreditCases[] = {
    {"no beneficiaries", Members(0), 0, 0, 0},
    {"one beneficiary 3 240 / 260", Members(1), 3240.0 / 260, 12.46, 0},
    {"two beneficiaries 6 480 / 260", Members(2), 6480.0 / 260, 24.92, 0},
    // 6 480 + 181 x 12 = 8 652.
    {"three beneficiaries 8 652 / 260", Members(3), 8652.0 / 260, 33.28, 0},
    // 6 480 + 15 x 2 172 = 39 060: the most a day takes.
    {"17 beneficiaries 39 060 / 260", Members(MostDailyBeneficiaries), 39060.0 / 260, 150.23, 0},
    {"beneficiaries without contributions", {.Age = 40, .Beneficiaries = 3}, 0, 0, 0},
    // (100 + 50 - 3 x 3 240 / 260) x 0.333.
    {"at 65 the additional credit uses the day's amounts",
     {.Age = 65, .EmployerMedical = 100, .EmployeeMedical = 50, .Beneficiaries = 1}, 3240.0 / 260, 12.46,
     (150 - 3 * 3240.0 / 260) * 0.333},
    {"at 64 no additional credit", {.Age = 64, .EmployerMedical = 100, .EmployeeMedical = 50, .Beneficiaries = 1},
     3240.0 / 260, 12.46, 0},
};
INSTANTIATE_TEST_SUITE_P(Credits, DailyCreditTest, ::testing::ValuesIn(CreditCases), testing::RowName{});

TEST(DailyPaye, TheDeductionIsTheTaxLessBothCreditsAndNeverBelow0)
{
    TaxBracketResult record;
    // 1 000 a day, the employee's contribution not taxable: tax 39 791 / 260 = 153.04, credit 24.92.
    auto r = DailyPayeCalculate({.Age = 40, .Salary = 1000, .EmployeeMedical = 50, .Beneficiaries = 2}, Settings(),
                                record);
    EXPECT_NEAR(r.TotalTaxDeduction, 39791.0 / 260 - 6480.0 / 260, 1e-9);
    // 200 a day owes nothing; the credit cannot make the deduction negative.
    r = DailyPayeCalculate({.Age = 40, .Salary = 200, .EmployeeMedical = 50, .Beneficiaries = 2}, Settings(), record);
    EXPECT_EQ(r.TaxLiability, 0);
    EXPECT_EQ(r.TotalTaxDeduction, 0);
}

TEST(DailyPaye, AllZeroInputsGiveAllZeros)
{
    TaxBracketResult record;
    const auto r = DailyPayeCalculate({}, Settings(), record);
    EXPECT_EQ(r.TaxableTravelAllowance, 0);
    EXPECT_EQ(r.UIFEmployee, 0);
    EXPECT_EQ(r.UIFEmployer, 0);
    EXPECT_EQ(r.SDL, 0);
    EXPECT_EQ(r.TaxLiability, 0);
    EXPECT_EQ(r.MedicalCredit, 0);
    EXPECT_EQ(r.AdditionalMedicalCredit, 0);
    EXPECT_EQ(r.TotalTaxDeduction, 0);
    EXPECT_EQ(record.TaxableIncome, 0);
}

} // namespace
} // namespace revora
