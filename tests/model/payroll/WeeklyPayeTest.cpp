// The weekly and fortnightly employees' tax: one model with two sets of constants.
// The day check, the gross-up by normal days over this period's days, the unfloored annual
// taxes (a negative regular part is set off against the tax on a bonus), the UIF limit of
// the period, and the credits of the period. Figures worked by hand.

#include <gtest/gtest.h>

#include <cmath>

#include "PayeTestSupport.h"
#include "TestSupport.h"
#include "model/WorkingCheck.h"
#include "payroll/WeeklyPaye.h"

namespace revora {
namespace {

using testing::Settings;

TEST(WeekKindRules, WeeklyAndFortnightlyConstants)
{
    const WeekKindRules& weekly = RulesFor(WeekKind::Weekly);
    EXPECT_EQ(weekly.PeriodsPerYear, 52);
    EXPECT_EQ(weekly.CreditDivisor, 4);
    EXPECT_EQ(weekly.DefaultDays, 7);
    EXPECT_STREQ(weekly.TooManyDaysMessage,
                 "The number of 'Normal work-week' days must be = to or larger than 'This work-week'.");
    const WeekKindRules& fortnightly = RulesFor(WeekKind::Fortnightly);
    EXPECT_EQ(fortnightly.PeriodsPerYear, 26);
    EXPECT_EQ(fortnightly.CreditDivisor, 2);
    EXPECT_EQ(fortnightly.DefaultDays, 14);
    EXPECT_STREQ(fortnightly.TooManyDaysMessage,
                 "The number of 'Normal fortnight' days must be = to or larger than 'This fortnight'.");
}

// ---- The day check -----------------------------------------------------------------------

struct DayCheckCase {
    const char* name;
    WeekKind kind;
    std::int16_t normalDays;
    std::int16_t thisDays;
    const char* message; // nullptr: accepted
    PayeFocus focus;
};

class WeekPeriodCheckTest : public ::testing::TestWithParam<DayCheckCase> {};

TEST_P(WeekPeriodCheckTest, RefusesMoreDaysThanNormalAndDaysBelowOne)
{
    const DayCheckCase& c = GetParam();
    const auto refusal = CheckWeekPeriod(c.kind, {c.normalDays, c.thisDays});
    ASSERT_EQ(refusal.has_value(), c.message != nullptr);
    if (!refusal)
        return;
    EXPECT_EQ(refusal->title, "Incorrect Number of Days");
    EXPECT_EQ(refusal->message, c.message);
    EXPECT_EQ(refusal->focus, c.focus);
}

constexpr const char* WeekTooMany =
    "The number of 'Normal work-week' days must be = to or larger than 'This work-week'.";
constexpr const char* FortnightTooMany =
    "The number of 'Normal fortnight' days must be = to or larger than 'This fortnight'.";
constexpr const char* TooFew = "The number of days must be 1 or more.";

const DayCheckCase DayCheckCases[] = {
    {"the default 7 of 7 is accepted", WeekKind::Weekly, 7, 7, nullptr, PayeFocus::Calculate},
    {"the default 14 of 14 is accepted", WeekKind::Fortnightly, 14, 14, nullptr, PayeFocus::Calculate},
    {"equal day counts 5 of 5 are accepted", WeekKind::Weekly, 5, 5, nullptr, PayeFocus::Calculate},
    {"3 days of 5 are accepted", WeekKind::Weekly, 5, 3, nullptr, PayeFocus::Calculate},
    {"one day of one is accepted", WeekKind::Weekly, 1, 1, nullptr, PayeFocus::Calculate},
    {"6 days of a 5-day week are refused with focus on Calculate", WeekKind::Weekly, 5, 6, WeekTooMany,
     PayeFocus::Calculate},
    {"15 days of a 14-day fortnight are refused", WeekKind::Fortnightly, 14, 15, FortnightTooMany,
     PayeFocus::Calculate},
    {"a normal week of 0 days is refused at its box", WeekKind::Weekly, 0, 0, TooFew, PayeFocus::NormalDays},
    {"this week of 0 days is refused at its box", WeekKind::Weekly, 5, 0, TooFew, PayeFocus::ThisDays},
    {"a negative fortnight is refused at its box", WeekKind::Fortnightly, 14, -1, TooFew, PayeFocus::ThisDays},
    {"a normal week of 99 days is refused at its box", WeekKind::Weekly, 99, 7,
     "The number of days in a work week can be at most 7.", PayeFocus::NormalDays},
    {"a normal fortnight of 15 days is refused at its box", WeekKind::Fortnightly, 15, 14,
     "The number of days in a fortnight can be at most 14.", PayeFocus::NormalDays},
    // The "more days than normal" check comes first: 3 days against a normal 0 is more than normal.
    {"3 days of a normal 0 get the more-than-normal message", WeekKind::Weekly, 0, 3, WeekTooMany, PayeFocus::Calculate},
};
INSTANTIATE_TEST_SUITE_P(Days, WeekPeriodCheckTest, ::testing::ValuesIn(DayCheckCases), testing::RowName{});

// ---- The period's tax ----------------------------------------------------------------------

struct TaxCase {
    const char* name;
    WeekKind kind;
    PayeInputs in;
    WeekPeriod period;
    double tax;
    double annualIncome; // the engine's record keeps the income without the bonus
    double cap = 0;      // the one deduction's cap a year (YearWithCap)
};

class WeekTaxTest : public ::testing::TestWithParam<TaxCase> {};

TEST_P(WeekTaxTest, AnnualisesThePeriodAndBringsTheTaxBack)
{
    const TaxCase& c = GetParam();
    TaxBracketResult record;
    Working working;
    const auto r =
        WeekPayeCalculate(c.kind, c.in, Settings(), testing::YearWithCap(c.cap), c.period, record, &working);
    EXPECT_NEAR(r.TaxLiability, c.tax, 1e-6);
    EXPECT_NEAR(record.TaxableIncome, c.annualIncome, 1e-6);
    testing::ExpectReconciles(working, r.TotalTaxDeduction);
}

// 260 000 a year: 32 742 + 78 100 x 26 % = 53 048; less 13 257 = 39 791.
const TaxCase GrossUpCases[] = {
    {"a full week of 5 000 is 52 weeks", WeekKind::Weekly, {.Age = 40, .Salary = 5000}, {7, 7}, 39791.0 / 52, 260000},
    {"a full fortnight of 10 000 is 26 fortnights", WeekKind::Fortnightly, {.Age = 40, .Salary = 10000}, {14, 14},
     39791.0 / 26, 260000},
    // 3 000 x 52 x 5/3 = 260 000; brought back 39 791 / 52 x 3 / 5.
    {"3 days of a 5-day week are grossed up by 5/3", WeekKind::Weekly, {.Age = 40, .Salary = 3000}, {5, 3},
     39791.0 / 52 * 3 / 5, 260000},
    // 5 000 x 26 x 10/5 = 260 000; 39 791 / 26 x 5 / 10.
    {"5 days of a 10-day fortnight are grossed up by 2", WeekKind::Fortnightly, {.Age = 40, .Salary = 5000}, {10, 5},
     39791.0 / 26 * 5 / 10, 260000},
    // 400 + 2 000 + 300 - 100 - 50 + 200 = 2 750; x 52 = 143 000 x 18 % = 25 740; (25 740 - 13 257) / 52.
    {"80 % travel, commission and employer's medical in, pension and R/A out", WeekKind::Weekly,
     {.Age = 40, .Salary = 2000, .EmployerMedical = 200, .EmployeeMedical = 900, .Commission = 300,
      .TravelAllowance = 500, .Pension = 100, .RetirementAnnuity = 50},
     {7, 7}, 12483.0 / 52, 143000},
    // 1 000 x 52 = 52 000: 9 360, below the rebate, and no bonus: the negative part is floored.
    {"a week below the threshold owes nothing", WeekKind::Weekly, {.Age = 40, .Salary = 1000}, {7, 7}, 0, 52000},
    // 260 000 at 65: (53 048 - 20 664) / 52; at 75: (53 048 - 23 130) / 52.
    {"65 takes 20 664 off", WeekKind::Weekly, {.Age = 65, .Salary = 5000}, {7, 7}, 32384.0 / 52, 260000},
    {"74 still takes 20 664 off", WeekKind::Weekly, {.Age = 74, .Salary = 5000}, {7, 7}, 32384.0 / 52, 260000},
    {"75 takes 23 130 off", WeekKind::Fortnightly, {.Age = 75, .Salary = 10000}, {14, 14}, 29918.0 / 26, 260000},
    // 260 000 a year, 27.5 % of it 71 500 against 104 000: 188 500 gives 32 742 + 26 % of 6 600
    // = 34 458, less 13 257 = 21 201.
    {"a week's contributions are capped on its annual equivalent", WeekKind::Weekly,
     {.Age = 40, .Salary = 5000, .Pension = 2000}, {7, 7}, 21201.0 / 52, 188500, 350000},
};
INSTANTIATE_TEST_SUITE_P(GrossUp, WeekTaxTest, ::testing::ValuesIn(GrossUpCases), testing::RowName{});

// A bonus on pay below the threshold: neither annual tax is floored. 52 000 a year gives
// 9 360; with a bonus of 30 000, 82 000 gives 14 760: bonus tax 5 400. The regular part
// (9 360 - 13 257) / P = -3 897 / P is set off against it. (The monthly rule, flooring each
// annual tax first, would give 14 760 - 13 257 = 1 503.)
const TaxCase BonusCases[] = {
    {"weekly: the negative regular part is set off against the bonus tax", WeekKind::Weekly,
     {.Age = 40, .Salary = 1000, .Bonus = 30000}, {7, 7}, 5400 - 3897.0 / 52, 52000},
    {"fortnightly: the negative regular part is set off against the bonus tax", WeekKind::Fortnightly,
     {.Age = 40, .Salary = 2000, .Bonus = 30000}, {14, 14}, 5400 - 3897.0 / 26, 52000},
    // 52 100 gives 9 378: bonus tax 18, less 74.94: floored at 0.
    {"a small bonus does not cover the negative regular part", WeekKind::Weekly,
     {.Age = 40, .Salary = 1000, .Bonus = 100}, {7, 7}, 0, 52000},
    // 260 000 and 270 000: 53 048 and 55 648, bonus tax 2 600 added in full to 39 791 / 52 x 3 / 5.
    {"a bonus in a short week is not scaled", WeekKind::Weekly, {.Age = 40, .Salary = 3000, .Bonus = 10000}, {5, 3},
     2600 + 39791.0 / 52 * 3 / 5, 260000},
};
INSTANTIATE_TEST_SUITE_P(Bonus, WeekTaxTest, ::testing::ValuesIn(BonusCases), testing::RowName{});

// ---- UIF and SDL ---------------------------------------------------------------------------

struct LevyCase {
    const char* name;
    WeekKind kind;
    PayeInputs in;
    double uifEmployee; // at 1 %
    double uifEmployer; // at 2 %
    double sdl;         // at 1 %
    double cap = 0;     // the one deduction's cap a year (YearWithCap)
};

class WeekLevyTest : public ::testing::TestWithParam<LevyCase> {};

TEST_P(WeekLevyTest, HoldsTheUifToThePeriodsShareOfTheMonthlyLimit)
{
    const LevyCase& c = GetParam();
    TaxBracketResult record;
    Working working;
    // A monthly limit of 13 000: 13 000 x 12 / 52 = 3 000 a week, / 26 = 6 000 a fortnight.
    const auto r = WeekPayeCalculate(c.kind, c.in, Settings(13000, 0.8, 1, 2, 1), testing::YearWithCap(c.cap), {},
                                     record, &working);
    EXPECT_NEAR(r.UIFEmployee, c.uifEmployee, 1e-9);
    EXPECT_NEAR(r.UIFEmployer, c.uifEmployer, 1e-9);
    EXPECT_NEAR(r.SDL, c.sdl, 1e-9);
    testing::ExpectReconciles(working, r.TotalTaxDeduction);
}

const LevyCase LevyCases[] = {
    {"a week below the weekly limit", WeekKind::Weekly, {.Salary = 2000}, 20, 40, 20},
    {"a week at the weekly limit of 3 000", WeekKind::Weekly, {.Salary = 3000}, 30, 60, 30},
    {"a week above the weekly limit is held to 3 000", WeekKind::Weekly, {.Salary = 5000}, 30, 60, 50},
    {"a bonus counts toward the base", WeekKind::Weekly, {.Salary = 2000, .Bonus = 2000}, 30, 60, 40},
    {"a fortnight below the fortnightly limit", WeekKind::Fortnightly, {.Salary = 5000}, 50, 100, 50},
    {"a fortnight at the fortnightly limit of 6 000", WeekKind::Fortnightly, {.Salary = 6000}, 60, 120, 60},
    {"a fortnight above the limit is held to 6 000", WeekKind::Fortnightly, {.Salary = 7000}, 60, 120, 70},
    // UIF base 2 000 + 80 % of 500 = 2 400; SDL (2 400 - 200 + 500) x 1 %.
    {"commission and travel in the SDL, pension and R/A out", WeekKind::Weekly,
     {.Salary = 2000, .Commission = 500, .TravelAllowance = 500, .Pension = 100, .RetirementAnnuity = 100}, 24, 48,
     27},
    {"the SDL is never below 0", WeekKind::Fortnightly, {.Salary = 1000, .Pension = 3000}, 10, 20, 0},
    // 71 500 a year allowed, 1 375 a week: (5 000 - 1 375) x 1 %.
    {"the SDL subtracts the week's share of the deduction allowed", WeekKind::Weekly,
     {.Salary = 5000, .Pension = 2000}, 30, 60, 36.25, 350000},
};
INSTANTIATE_TEST_SUITE_P(Levies, WeekLevyTest, ::testing::ValuesIn(LevyCases), testing::RowName{});

// ---- Medical credits -----------------------------------------------------------------------

struct CreditCase {
    const char* name;
    WeekKind kind;
    PayeInputs in;
    double credit;
    double additional;
};

class WeekCreditTest : public ::testing::TestWithParam<CreditCase> {};

TEST_P(WeekCreditTest, DividesTheMonthlyCreditBy4Or2)
{
    const CreditCase& c = GetParam();
    TaxBracketResult record;
    Working working;
    const auto r = WeekPayeCalculate(c.kind, c.in, Settings(), {RulesFor(c.kind).DefaultDays,
                                                                RulesFor(c.kind).DefaultDays}, record, &working);
    EXPECT_EQ(r.MedicalCredit, c.credit);
    EXPECT_NEAR(r.AdditionalMedicalCredit, c.additional, 1e-9);
    testing::ExpectReconciles(working, r.TotalTaxDeduction);
}

PayeInputs Members(std::int16_t n) { return {.Age = 40, .EmployerMedical = 100, .Beneficiaries = n}; }

const CreditCase CreditCases[] = {
    {"weekly, no beneficiaries", WeekKind::Weekly, Members(0), 0, 0},
    {"weekly, one beneficiary 67.50", WeekKind::Weekly, Members(1), 67.5, 0},
    {"weekly, two beneficiaries 135.00", WeekKind::Weekly, Members(2), 135, 0},
    {"weekly, three beneficiaries 180.25", WeekKind::Weekly, Members(3), 180.25, 0},
    {"weekly, four beneficiaries 225.50", WeekKind::Weekly, Members(4), 225.5, 0},
    // (540 + 181 x 181) / 4 = 33 301 / 4.
    {"weekly, 183 beneficiaries 8 325.25", WeekKind::Weekly, Members(MostBeneficiaries), 8325.25, 0},
    {"fortnightly, one beneficiary 135.00", WeekKind::Fortnightly, Members(1), 135, 0},
    {"fortnightly, two beneficiaries 270.00", WeekKind::Fortnightly, Members(2), 270, 0},
    {"fortnightly, three beneficiaries 360.50", WeekKind::Fortnightly, Members(3), 360.5, 0},
    {"fortnightly, 183 beneficiaries 16 650.50", WeekKind::Fortnightly, Members(MostBeneficiaries), 16650.5, 0},
    {"beneficiaries without contributions no credit", WeekKind::Weekly, {.Age = 40, .Beneficiaries = 3}, 0, 0},
    // Weekly at 65: (300 + 100 - 3 x 67.5) x 0.333 = 197.5 x 0.333.
    {"weekly at 65 the additional credit on the week's amounts", WeekKind::Weekly,
     {.Age = 65, .EmployerMedical = 300, .EmployeeMedical = 100, .Beneficiaries = 1}, 67.5, 197.5 * 0.333},
    {"weekly at 64 no additional credit", WeekKind::Weekly,
     {.Age = 64, .EmployerMedical = 300, .EmployeeMedical = 100, .Beneficiaries = 1}, 67.5, 0},
    // (400 - 405) x 0.333 is negative: 0.
    {"weekly at 65 contributions below three credits no additional credit", WeekKind::Weekly,
     {.Age = 65, .EmployerMedical = 300, .EmployeeMedical = 100, .Beneficiaries = 2}, 135, 0},
    // Fortnightly at 75: (600 + 200 - 3 x 135) x 0.333 = 395 x 0.333.
    {"fortnightly at 75 the additional credit on the fortnight's amounts", WeekKind::Fortnightly,
     {.Age = 75, .EmployerMedical = 600, .EmployeeMedical = 200, .Beneficiaries = 1}, 135, 395 * 0.333},
};
INSTANTIATE_TEST_SUITE_P(Credits, WeekCreditTest, ::testing::ValuesIn(CreditCases), testing::RowName{});

TEST(WeekPaye, CreditsLargerThanTheTaxLeaveADeductionOf0)
{
    TaxBracketResult record;
    // 1 000 x 52 + 52 x 100 = 57 200 a year: 10 296, less than the rebate: tax 0.
    const auto r = WeekPayeCalculate(WeekKind::Weekly, {.Age = 40, .Salary = 1000, .EmployerMedical = 100,
                                                        .Beneficiaries = 2},
                                     Settings(), {7, 7}, record);
    EXPECT_EQ(r.TaxLiability, 0);
    EXPECT_EQ(r.MedicalCredit, 135);
    EXPECT_EQ(r.TotalTaxDeduction, 0);
}

TEST(WeekPaye, TheDeductionIsTheTaxLessTheCredit)
{
    TaxBracketResult record;
    // 5 000 a week: 39 791 / 52; the employee's contribution is not taxable; credit 135.
    const auto r = WeekPayeCalculate(WeekKind::Weekly, {.Age = 40, .Salary = 5000, .EmployeeMedical = 100,
                                                        .Beneficiaries = 2},
                                     Settings(), {7, 7}, record);
    EXPECT_NEAR(r.TotalTaxDeduction, 39791.0 / 52 - 135, 1e-6);
}

// ---- Whole results ---------------------------------------------------------------------------

class WeekKindTest : public ::testing::TestWithParam<WeekKind> {};

TEST_P(WeekKindTest, AllZeroInputsGiveAllZeros)
{
    TaxBracketResult record;
    const std::int16_t days = RulesFor(GetParam()).DefaultDays;
    const auto r = WeekPayeCalculate(GetParam(), {}, Settings(), {days, days}, record);
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

TEST_P(WeekKindTest, ZeroDaysWithoutTheCheckGiveZerosNotNaN)
{
    const WeekPeriod periods[] = {{0, 0}, {5, 0}, {0, 3}, {-1, -1}};
    for (const WeekPeriod& period : periods) {
        SCOPED_TRACE(::testing::Message() << period.NormalDays << " normal, " << period.ThisDays << " this");
        TaxBracketResult record;
        const auto r = WeekPayeCalculate(GetParam(), {.Age = 40, .Salary = 5000, .Bonus = 1000}, Settings(), period,
                                         record);
        EXPECT_EQ(r.TaxLiability, 0);
        EXPECT_EQ(r.UIFEmployee, 0);
        EXPECT_EQ(r.SDL, 0);
        EXPECT_EQ(r.TotalTaxDeduction, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, WeekKindTest, ::testing::Values(WeekKind::Weekly, WeekKind::Fortnightly),
                         [](const ::testing::TestParamInfo<WeekKind>& info) {
                             return info.param == WeekKind::Weekly ? std::string("Weekly")
                                                                   : std::string("Fortnightly");
                         });

} // namespace
} // namespace revora
