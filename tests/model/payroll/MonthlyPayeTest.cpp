// The monthly employees' tax: the period check, the gross-up of a part month and
// February, the floors before the bonus difference, UIF and SDL, the medical credits and the
// rebates by age. Expected figures are worked by hand; the tax table's brackets used are
// (bracket 2: 32 742 + 26 % above 181 900; bracket 3: 59 314 + 31 % above 284 100;
// bracket 4: 93 135 + 36 % above 393 200).

#include <gtest/gtest.h>

#include <cmath>

#include "PayeTestSupport.h"
#include "TestSupport.h"
#include "model/WorkingCheck.h"
#include "payroll/MonthlyPaye.h"

namespace revora {
namespace {

using testing::Date;
using testing::Settings;

MonthlyPeriod Period(int startDay, int endDay, int month, int year)
{
    return {Date(startDay, month, year), Date(endDay, month, year)};
}
MonthlyPeriod March() { return Period(1, 31, 3, 2015); }

// ---- The period check ------------------------------------------------------------------

struct PeriodCheckCase {
    const char* name;
    int start;
    int end;
    bool refused;
    const char* message;
    PayeFocus focus;
};

class MonthlyPeriodCheckTest : public ::testing::TestWithParam<PeriodCheckCase> {};

TEST_P(MonthlyPeriodCheckTest, RefusesOnlyPeriodsOutsideOneMonthInOrder)
{
    const PeriodCheckCase& c = GetParam();
    const auto refusal = CheckMonthlyPeriod({c.start, c.end});
    ASSERT_EQ(refusal.has_value(), c.refused);
    if (!c.refused)
        return;
    EXPECT_EQ(refusal->title, "Incorrect Date");
    EXPECT_EQ(refusal->message, c.message);
    EXPECT_EQ(refusal->focus, c.focus);
}

constexpr const char* SameMonth = "The Start and End dates entered must be for the same Month";
constexpr const char* StartBeforeEnd = "The Start date entered must be before the End date";
constexpr const char* OutsideYear =
    "The date entered is not correct please enter a date between 01/03/2015 and 29/02/2016";

const PeriodCheckCase PeriodCheckCases[] = {
    {"the whole of March is accepted", Date(1, 3, 2015), Date(31, 3, 2015), false, "", PayeFocus::EndDate},
    {"a one-day period is accepted", Date(10, 3, 2015), Date(10, 3, 2015), false, "", PayeFocus::EndDate},
    {"1 to 29 February is accepted", Date(1, 2, 2016), Date(29, 2, 2016), false, "", PayeFocus::EndDate},
    {"start 10 March end 5 March is refused at the start date", Date(10, 3, 2015), Date(5, 3, 2015), true,
     StartBeforeEnd, PayeFocus::StartDate},
    {"start 11 March end 10 March is refused", Date(11, 3, 2015), Date(10, 3, 2015), true, StartBeforeEnd,
     PayeFocus::StartDate},
    {"start 31 March end 1 April is refused at the end date", Date(31, 3, 2015), Date(1, 4, 2015), true, SameMonth,
     PayeFocus::EndDate},
    {"start 1 April end 31 March names the month first", Date(1, 4, 2015), Date(31, 3, 2015), true, SameMonth,
     PayeFocus::EndDate},
    // Not reachable from the screen, whose date boxes take only dates of the tax year.
    {"a start the day before the tax year is refused", Date(28, 2, 2015), Date(28, 2, 2015), true, OutsideYear,
     PayeFocus::StartDate},
    {"both dates the day after the tax year are refused at the start", Date(1, 3, 2016), Date(1, 3, 2016), true,
     OutsideYear, PayeFocus::StartDate},
    {"an end after the tax year with a start inside is refused at the end", Date(1, 2, 2016), Date(1, 3, 2016), true,
     OutsideYear, PayeFocus::EndDate},
};
INSTANTIATE_TEST_SUITE_P(Periods, MonthlyPeriodCheckTest, ::testing::ValuesIn(PeriodCheckCases),
                         testing::RowName{});

// ---- The month's tax -------------------------------------------------------------------

struct TaxCase {
    const char* name;
    PayeInputs in;
    MonthlyPeriod period;
    double inclusionRate;
    double tax;          // the month's tax before credits
    double annualIncome; // what the engine's record keeps: the annual income without the bonus
    double cap = 0;      // the one deduction's cap a year (YearWithCap)
};

class MonthlyTaxTest : public ::testing::TestWithParam<TaxCase> {};

TEST_P(MonthlyTaxTest, AnnualisesTheMonthAndBringsTheTaxBack)
{
    const TaxCase& c = GetParam();
    TaxBracketResult record;
    Working working;
    const PeriodicPayeResult r =
        MonthlyPayeCalculate(c.in, Settings(14872, c.inclusionRate), testing::YearWithCap(c.cap), c.period, record,
                             &working);
    EXPECT_NEAR(r.TaxLiability, c.tax, 1e-6);
    EXPECT_NEAR(record.TaxableIncome, c.annualIncome, 1e-6);
    testing::ExpectReconciles(working, r.TotalTaxDeduction);
}

const TaxCase FullMonthCases[] = {
    // 20 000 x 12 = 240 000: 32 742 + 58 100 x 26 % = 47 848; (47 848 - 13 257) / 12.
    {"a full March is 12 times the month", {.Age = 40, .Salary = 20000}, March(), 0.8, 34591.0 / 12, 240000},
    {"1 to 29 February is a full month", {.Age = 40, .Salary = 20000}, Period(1, 29, 2, 2016), 0.8, 34591.0 / 12,
     240000},
    // 5 000 x 12 = 60 000: 10 800, less than the rebate.
    {"a salary below the tax threshold owes nothing", {.Age = 40, .Salary = 5000}, March(), 0.8, 0, 60000},
    {"no income owes nothing", {.Age = 40}, March(), 0.8, 0, 0},
};
INSTANTIATE_TEST_SUITE_P(FullMonths, MonthlyTaxTest, ::testing::ValuesIn(FullMonthCases), testing::RowName{});

const TaxCase PartMonthCases[] = {
    // 10 000 x 31/15 x 12 = 248 000: 32 742 + 66 100 x 26 % = 49 928, less 13 257 = 36 671;
    // brought back: 36 671 / 12 x 15 / 31 = 1 478.669...
    {"1 to 15 March is grossed up by 31/15 and brought back", {.Age = 40, .Salary = 10000}, Period(1, 15, 3, 2015),
     0.8, 36671.0 / 12 * 15 / 31, 248000},
    // April has 30 days: 10 000 x 30/15 x 12 = 240 000; 34 591 / 12 x 15 / 30.
    {"1 to 15 April uses a 30-day month", {.Age = 40, .Salary = 10000}, Period(1, 15, 4, 2015), 0.8,
     34591.0 / 12 * 15 / 30, 240000},
    // February has 29 days: 28 000 x 29/28 x 12 = 348 000: 59 314 + 63 900 x 31 % = 79 123,
    // less 13 257 = 65 866; brought back 65 866 / 12 x 28 / 29.
    {"1 to 28 February is part of a 29-day month", {.Age = 40, .Salary = 28000}, Period(1, 28, 2, 2016), 0.8,
     65866.0 / 12 * 28 / 29, 348000},
    // 1 000 x 31 x 12 = 372 000: 59 314 + 87 900 x 31 % = 86 563, less 13 257 = 73 306; / 12 / 31.
    {"a one-day period is grossed up by the whole month", {.Age = 40, .Salary = 1000}, Period(10, 10, 3, 2015), 0.8,
     73306.0 / 12 / 31, 372000},
};
INSTANTIATE_TEST_SUITE_P(PartMonths, MonthlyTaxTest, ::testing::ValuesIn(PartMonthCases), testing::RowName{});

const TaxCase BonusCases[] = {
    // Without: 240 000 -> 34 591. With: 250 000 -> 32 742 + 68 100 x 26 % = 50 448, less the
    // rebate 37 191. Bonus tax 2 600 plus 34 591 / 12.
    {"a bonus adds the difference of the two annual taxes", {.Age = 40, .Salary = 20000, .Bonus = 10000}, March(),
     0.8, 2600 + 34591.0 / 12, 240000},
    // Each annual tax is floored at 0 first: without 60 000 -> 0; with 90 000 -> 16 200 - 13 257
    // = 2 943, all of it deducted this month.
    {"a bonus on a salary below the threshold is taxed only above the rebate",
     {.Age = 40, .Salary = 5000, .Bonus = 30000}, March(), 0.8, 2943, 60000},
    // With 61 000 -> 10 980, still under the rebate: nothing.
    {"a small bonus on a salary below the threshold owes nothing", {.Age = 40, .Salary = 5000, .Bonus = 1000},
     March(), 0.8, 0, 60000},
    // 248 000 -> 36 671; 258 000 -> 32 742 + 76 100 x 26 % = 52 528 - 13 257 = 39 271. The
    // bonus tax 2 600 is added in full, the regular part is brought back x 15/31 / 12.
    {"a bonus in a part month is not spread over the part", {.Age = 40, .Salary = 10000, .Bonus = 10000},
     Period(1, 15, 3, 2015), 0.8, 2600 + 36671.0 / 12 * 15 / 31, 248000},
};
INSTANTIATE_TEST_SUITE_P(Bonus, MonthlyTaxTest, ::testing::ValuesIn(BonusCases), testing::RowName{});

const TaxCase TaxableIncomeCases[] = {
    // 800 + 10 000 + 2 000 - 500 - 300 + 800 = 12 800; x 12 = 153 600 x 18 % = 27 648;
    // (27 648 - 13 257) / 12. The employee's own medical and the printout-only amount take no part.
    {"80 % travel, commission and employer's medical in, pension and R/A out",
     {.Age = 40, .Salary = 10000, .EmployerMedical = 800, .EmployeeMedical = 400, .Commission = 2000,
      .TravelAllowance = 1000, .Pension = 500, .RetirementAnnuity = 300, .MedDeduction = 999},
     March(), 0.8, 14391.0 / 12, 153600},
    // 200 + ... = 12 200; x 12 = 146 400 x 18 % = 26 352; (26 352 - 13 257) / 12.
    {"20 % of the travel allowance with the 20 % choice",
     {.Age = 40, .Salary = 10000, .EmployerMedical = 800, .EmployeeMedical = 400, .Commission = 2000,
      .TravelAllowance = 1000, .Pension = 500, .RetirementAnnuity = 300},
     March(), 0.2, 13095.0 / 12, 146400},
};
INSTANTIATE_TEST_SUITE_P(TaxableIncome, MonthlyTaxTest, ::testing::ValuesIn(TaxableIncomeCases),
                         testing::RowName{});

// Pension and R/A are deducted up to 27.5 % of the annual remuneration, at most the cap. 20 000
// a month: 240 000 a year, 27.5 % of it 66 000.
const TaxCase RetirementCases[] = {
    // 240 000 - 60 000 = 180 000: 32 400 - 13 257 = 19 143.
    {"below 27.5 percent the contributions stand", {.Age = 40, .Salary = 20000, .Pension = 5000}, March(), 0.8,
     19143.0 / 12, 180000, 350000},
    // 84 000 a year is cut to 66 000: 174 000 gives 31 320 - 13 257 = 18 063.
    {"above 27.5 percent only 27.5 percent is deducted",
     {.Age = 40, .Salary = 20000, .Pension = 6000, .RetirementAnnuity = 1000}, March(), 0.8, 18063.0 / 12, 174000,
     350000},
    // 2 400 000 - 350 000 = 2 050 000: 208 587 + 41 % of 1 348 700 = 761 554, less 13 257.
    {"above the cap the cap is deducted", {.Age = 40, .Salary = 200000, .Pension = 50000}, March(), 0.8,
     748297.0 / 12, 2050000, 350000},
    // 248 000 a year, 27.5 % of it 68 200 against 99 200: 179 800 gives 32 364 - 13 257 = 19 107.
    {"a part month is capped on its annual equivalent", {.Age = 40, .Salary = 10000, .Pension = 4000},
     Period(1, 15, 3, 2015), 0.8, 19107.0 / 12 * 15 / 31, 179800, 350000},
    // Without the bonus 174 000 -> 18 063; with it 184 000 -> 32 742 + 26 % of 2 100 - 13 257 =
    // 20 031: the same deduction off both, bonus tax 1 968.
    {"the bonus takes the same deduction as the month", {.Age = 40, .Salary = 20000, .Bonus = 10000, .Pension = 7000},
     March(), 0.8, 1968 + 18063.0 / 12, 174000, 350000},
};
INSTANTIATE_TEST_SUITE_P(Retirement, MonthlyTaxTest, ::testing::ValuesIn(RetirementCases), testing::RowName{});

TEST(MonthlyPaye, ShowsTheTaxableTravelAllowanceUnrounded)
{
    TaxBracketResult record;
    const auto r = MonthlyPayeCalculate({.TravelAllowance = 1001}, Settings(), March(), record);
    EXPECT_NEAR(r.TaxableTravelAllowance, 800.8, 1e-9);
}

// ---- Rebates and medical credits ---------------------------------------------------------

struct CreditCase {
    const char* name;
    PayeInputs in;
    double tax;
    double credit;
    double additional;
    double total;
};

class MonthlyCreditTest : public ::testing::TestWithParam<CreditCase> {};

TEST_P(MonthlyCreditTest, TakesTheCreditsOffTheTax)
{
    const CreditCase& c = GetParam();
    TaxBracketResult record;
    Working working;
    const PeriodicPayeResult r = MonthlyPayeCalculate(c.in, Settings(), March(), record, &working);
    EXPECT_NEAR(r.TaxLiability, c.tax, 1e-6);
    EXPECT_EQ(r.MedicalCredit, c.credit);
    EXPECT_NEAR(r.AdditionalMedicalCredit, c.additional, 1e-9);
    EXPECT_NEAR(r.TotalTaxDeduction, c.total, 1e-6);
    testing::ExpectReconciles(working, r.TotalTaxDeduction);
}

// Salary 20 000 and employer's medical 1 000: 252 000 a year, 32 742 + 70 100 x 26 % = 50 968,
// less 13 257 = 37 711, / 12 = 3 142.58...
constexpr double TaxOn21000 = 37711.0 / 12;
PayeInputs WithMembers(std::int16_t n)
{
    return {.Age = 40, .Salary = 20000, .EmployerMedical = 1000, .Beneficiaries = n};
}

const CreditCase BeneficiaryCases[] = {
    {"no beneficiaries no credit", WithMembers(0), TaxOn21000, 0, 0, TaxOn21000},
    {"one beneficiary 270", WithMembers(1), TaxOn21000, 270, 0, TaxOn21000 - 270},
    {"two beneficiaries 540", WithMembers(2), TaxOn21000, 540, 0, TaxOn21000 - 540},
    {"three beneficiaries 721", WithMembers(3), TaxOn21000, 721, 0, TaxOn21000 - 721},
    {"four beneficiaries 902", WithMembers(4), TaxOn21000, 902, 0, TaxOn21000 - 902},
    // The most a screen takes: 540 + 181 x 181 = 33 301, the exact sum; it exceeds the tax.
    {"183 beneficiaries 33 301 and a deduction of 0", WithMembers(MostBeneficiaries), TaxOn21000, 33301, 0, 0},
    // No contribution: no credit whatever the count (240 000 a year: 34 591 / 12).
    {"beneficiaries without contributions no credit", {.Age = 40, .Salary = 20000, .Beneficiaries = 4},
     34591.0 / 12, 0, 0, 34591.0 / 12},
    // The employee's own contribution gives the credit but is not taxable.
    {"the employee's contribution alone gives the credit",
     {.Age = 40, .Salary = 20000, .EmployeeMedical = 1000, .Beneficiaries = 2}, 34591.0 / 12, 540, 0,
     34591.0 / 12 - 540},
};
INSTANTIATE_TEST_SUITE_P(Beneficiaries, MonthlyCreditTest, ::testing::ValuesIn(BeneficiaryCases),
                         testing::RowName{});

// Salary 30 000, contributions 3 000 + 1 000, 2 beneficiaries: (30 000 + 3 000) x 12 = 396 000,
// 93 135 + 2 800 x 36 % = 94 143 before rebates. The credit is 540; from 65 the additional
// credit is (4 000 - 3 x 540) x 0.333 = 792.54.
PayeInputs Aged(std::int16_t age, std::int16_t n = 2)
{
    return {.Age = age, .Salary = 30000, .EmployerMedical = 3000, .EmployeeMedical = 1000, .Beneficiaries = n};
}

const CreditCase AgeCases[] = {
    {"64 gets the primary rebate and no additional credit", Aged(64), (94143.0 - 13257) / 12, 540, 0,
     (94143.0 - 13257) / 12 - 540},
    {"65 gets 20 664 and the additional credit", Aged(65), (94143.0 - 20664) / 12, 540, 792.54,
     (94143.0 - 20664) / 12 - (540 + 792.54)},
    {"70 with 3 000 and 1 000 and 2 beneficiaries gets 792.54", Aged(70), (94143.0 - 20664) / 12, 540, 792.54,
     (94143.0 - 20664) / 12 - (540 + 792.54)},
    {"74 still gets 20 664", Aged(74), (94143.0 - 20664) / 12, 540, 792.54, (94143.0 - 20664) / 12 - (540 + 792.54)},
    {"75 gets 23 130", Aged(75), (94143.0 - 23130) / 12, 540, 792.54, (94143.0 - 23130) / 12 - (540 + 792.54)},
    {"65 without beneficiaries has no credit and no additional credit", Aged(65, 0), (94143.0 - 20664) / 12, 0, 0,
     (94143.0 - 20664) / 12},
    // (1 000 + 500 - 1 620) x 0.333 is negative: 0. 31 000 x 12 = 372 000 -> 86 563.
    {"contributions below three credits give no additional credit",
     {.Age = 65, .Salary = 30000, .EmployerMedical = 1000, .EmployeeMedical = 500, .Beneficiaries = 2},
     (86563.0 - 20664) / 12, 540, 0, (86563.0 - 20664) / 12 - 540},
};
INSTANTIATE_TEST_SUITE_P(Ages, MonthlyCreditTest, ::testing::ValuesIn(AgeCases), testing::RowName{});

// ---- UIF and SDL -------------------------------------------------------------------------

struct LevyCase {
    const char* name;
    PayeInputs in;
    double uifEmployee; // at 1 %
    double uifEmployer; // at 2 %
    double sdl;         // at 1 %
    double cap = 0;     // the one deduction's cap a year (YearWithCap)
};

class MonthlyLevyTest : public ::testing::TestWithParam<LevyCase> {};

TEST_P(MonthlyLevyTest, WorksUifUpToTheLimitAndSdlWithout)
{
    const LevyCase& c = GetParam();
    TaxBracketResult record;
    Working working;
    const auto r = MonthlyPayeCalculate(c.in, Settings(14872, 0.8, 1, 2, 1), testing::YearWithCap(c.cap), March(),
                                        record, &working);
    EXPECT_NEAR(r.UIFEmployee, c.uifEmployee, 1e-9);
    EXPECT_NEAR(r.UIFEmployer, c.uifEmployer, 1e-9);
    EXPECT_NEAR(r.SDL, c.sdl, 1e-9);
    testing::ExpectReconciles(working, r.TotalTaxDeduction);
}

const LevyCase LevyCases[] = {
    {"a base below the limit", {.Salary = 10000}, 100, 200, 100},
    {"a base at the limit", {.Salary = 14872}, 148.72, 297.44, 148.72},
    {"a base above the limit is held to the limit, SDL is not", {.Salary = 20000}, 148.72, 297.44, 200},
    // 10 000 + 1 000 + 2 000 + 80 % of 1 000 = 13 800.
    {"employer's medical, bonus and taxable travel are in the base",
     {.Salary = 10000, .EmployerMedical = 1000, .Bonus = 2000, .TravelAllowance = 1000}, 138, 276, 138},
    {"the employee's own medical is in neither", {.Salary = 10000, .EmployeeMedical = 3000}, 100, 200, 100},
    {"commission raises the SDL but not the UIF", {.Salary = 10000, .Commission = 5000}, 100, 200, 150},
    // (10 000 - 1 500) x 1 %.
    {"pension and R/A lower the SDL but not the UIF", {.Salary = 10000, .Pension = 1000, .RetirementAnnuity = 500},
     100, 200, 85},
    // 1 000 - 5 000 is below 0: nothing is levied.
    {"the SDL is never below 0", {.Salary = 1000, .Pension = 5000}, 10, 20, 0},
    // 7 000 a month is cut to 66 000 / 12 = 5 500: (20 000 - 5 500) x 1 %.
    {"the SDL subtracts the deduction allowed, not the one typed", {.Salary = 20000, .Pension = 7000}, 148.72, 297.44,
     145, 350000},
};
INSTANTIATE_TEST_SUITE_P(Levies, MonthlyLevyTest, ::testing::ValuesIn(LevyCases), testing::RowName{});

// ---- Whole results -----------------------------------------------------------------------

TEST(MonthlyPaye, AllZeroInputsGiveAllZeros)
{
    TaxBracketResult record;
    const auto r = MonthlyPayeCalculate({}, Settings(), {}, record);
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

// A month's pay that annualises past the largest number: no tax of 0 beside levies worked on it.
TEST(MonthlyPaye, AnIncomeTooLargeToTaxGivesZerosAndSaysSo)
{
    TaxBracketResult record;
    Working working;
    const auto r = MonthlyPayeCalculate({.Salary = 1e307}, Settings(), March(), record, &working);
    EXPECT_EQ(r.SDL, 0);
    EXPECT_EQ(r.UIFEmployee, 0);
    testing::ExpectReconciles(working, 0);
    EXPECT_EQ(working.Steps().back().Text(), "The amounts are too large to work with: 0.00");
}

TEST(MonthlyPaye, TheWorkingBringsTheTaxBackToTheMonthInTheLanguageOfThePrintout)
{
    TaxBracketResult record;
    Working working;
    MonthlyPayeCalculate({.Age = 40, .Salary = 20000}, Settings(), March(), record, &working);
    const WorkingStep& step = working.Steps().at(5);
    EXPECT_EQ(step.Text(), "Annual tax brought back to the month: 34 591.00 \u00f7 12 = 2 882.58");
    EXPECT_EQ(step.LabelText(PrintLanguage::Afrikaans), "Belasting verpligting");
}

TEST(MonthlyPaye, AnEndBeforeTheStartWithoutTheCheckGivesZerosNotInfinity)
{
    TaxBracketResult record;
    record.TaxableIncome = 123;
    const auto r = MonthlyPayeCalculate({.Age = 40, .Salary = 20000, .Bonus = 5000}, Settings(),
                                        Period(10, 5, 3, 2015), record);
    EXPECT_EQ(r.TaxLiability, 0);
    EXPECT_EQ(r.UIFEmployee, 0);
    EXPECT_EQ(r.SDL, 0);
    EXPECT_EQ(r.TotalTaxDeduction, 0);
    EXPECT_EQ(record.TaxableIncome, 123);
}

} // namespace
} // namespace revora
