// The annual tax: the period check, the part year scaled both ways below 365 days,
// the whole-rand cut only with a travel allowance or commission, the floors, the medical credit
// month by month with the months outside the period cleared, the additional credit and the
// PAYE split. Figures worked by hand (bracket 2: 32 742 + 26 % above 181 900;
// bracket 3: 59 314 + 31 % above 284 100).

#include <gtest/gtest.h>

#include <array>

#include "PayeTestSupport.h"
#include "TestSupport.h"
#include "model/WorkingCheck.h"
#include "payroll/AnnualPaye.h"

namespace revora {
namespace {

using testing::Date;
using testing::Settings;

// ---- The period check --------------------------------------------------------------------

struct PeriodCheckCase {
    const char* name;
    int start;
    int end;
    const char* message; // nullptr: accepted
    PayeFocus focus;
};

class AnnualPeriodCheckTest : public ::testing::TestWithParam<PeriodCheckCase> {};

TEST_P(AnnualPeriodCheckTest, RefusesDatesOutsideTheYearAndAnEndBeforeTheStart)
{
    const PeriodCheckCase& c = GetParam();
    const auto refusal = CheckAnnualPeriod(c.start, c.end);
    ASSERT_EQ(refusal.has_value(), c.message != nullptr);
    if (!refusal)
        return;
    EXPECT_EQ(refusal->title, "Incorrect Date");
    EXPECT_EQ(refusal->message, c.message);
    EXPECT_EQ(refusal->focus, c.focus);
}

constexpr const char* OutsideYear =
    "The date entered is not correct please enter a date between 01/03/2015 and 29/02/2016";

const PeriodCheckCase PeriodCheckCases[] = {
    {"the whole tax year is accepted", Date(1, 3, 2015), Date(29, 2, 2016), nullptr, PayeFocus::StartDate},
    {"one day is accepted", Date(1, 3, 2015), Date(1, 3, 2015), nullptr, PayeFocus::StartDate},
    {"the last day alone is accepted", Date(29, 2, 2016), Date(29, 2, 2016), nullptr, PayeFocus::StartDate},
    {"a start the day before the year is refused at the start", Date(28, 2, 2015), Date(29, 2, 2016), OutsideYear,
     PayeFocus::StartDate},
    {"an end the day after the year is refused at the end", Date(1, 3, 2015), Date(1, 3, 2016), OutsideYear,
     PayeFocus::EndDate},
    {"both outside is refused at the start first", Date(1, 1, 2015), Date(1, 1, 2017), OutsideYear,
     PayeFocus::StartDate},
    {"an end the day before the start quotes the start", Date(1, 6, 2015), Date(31, 5, 2015),
     "The date entered is not correct please enter a date between 01/06/2015 and 29/02/2016", PayeFocus::EndDate},
};
INSTANTIATE_TEST_SUITE_P(Periods, AnnualPeriodCheckTest, ::testing::ValuesIn(PeriodCheckCases),
                         testing::RowName{});

// ---- The total tax -----------------------------------------------------------------------

AnnualPayeInputs Year(PayeInputs amounts, int start = Date(1, 3, 2015), int end = Date(29, 2, 2016))
{
    AnnualPayeInputs in;
    in.Amounts = amounts;
    in.StartDate = start;
    in.EndDate = end;
    return in;
}

struct TaxCase {
    const char* name;
    AnnualPayeInputs in;
    double total;
    double annualIncome; // the engine's record keeps Y, the income without the bonus
    double cap = 0;      // the one deduction's cap a year (YearWithCap)
};

class AnnualTaxTest : public ::testing::TestWithParam<TaxCase> {};

TEST_P(AnnualTaxTest, TaxesTheYearOrTheAnnualisedPart)
{
    TaxCase c = GetParam();
    TaxBracketResult record;
    Working working;
    const AnnualPayeResult r =
        AnnualPayeCalculate(c.in, Settings(), testing::YearWithCap(c.cap), record, &working);
    EXPECT_NEAR(r.TaxLiability, c.total, 1e-6);
    EXPECT_NEAR(r.Total, c.total, 1e-6);
    EXPECT_NEAR(r.PAYE, c.total, 1e-6); // no credits in these rows
    EXPECT_NEAR(r.TotalTaxDeduction, c.total, 1e-6);
    EXPECT_EQ(r.SITE, 0);
    EXPECT_NEAR(record.TaxableIncome, c.annualIncome, 1e-6);
    testing::ExpectReconciles(working, r.TotalTaxDeduction);
}

// 300 000: 59 314 + 15 900 x 31 % = 64 243; less 13 257 = 50 986.
const TaxCase PeriodCases[] = {
    {"the whole year of 366 days is not scaled", Year({.Age = 40, .Salary = 300000}), 50986, 300000},
    {"365 days are not scaled", Year({.Age = 40, .Salary = 300000}, Date(1, 3, 2015), Date(28, 2, 2016)), 50986,
     300000},
    // Y = 300 000 x 365 / 364 = 27 375 000 / 91; tax 5 869 363 / 91 - 13 257 = 4 662 976 / 91;
    // brought back x 364 / 365: 18 651 904 / 365 = 51 101.107.
    {"364 days are annualised and brought back", Year({.Age = 40, .Salary = 300000}, Date(1, 3, 2015),
                                                       Date(27, 2, 2016)),
     18651904.0 / 365, 300000.0 * 365 / 364},
    // 184 days: Y = 150 000 x 365 / 184 = 6 843 750 / 23; tax 1 460 151.5 / 23 - 13 257 =
    // 1 155 240.5 / 23; x 184 / 365 = 9 241 924 / 365 = 25 320.34.
    {"1 March to 31 August is 184 days annualised and brought back",
     Year({.Age = 40, .Salary = 150000}, Date(1, 3, 2015), Date(31, 8, 2015)), 9241924.0 / 365,
     150000.0 * 365 / 184},
    // The bonus 10 000 stays in bracket 3: 3 100 more tax, added in full.
    {"a bonus in a part year is not scaled",
     Year({.Age = 40, .Salary = 150000, .Bonus = 10000}, Date(1, 3, 2015), Date(31, 8, 2015)),
     9241924.0 / 365 + 3100, 150000.0 * 365 / 184},
    {"one day: 365 times the day, brought back to the day",
     Year({.Age = 40, .Salary = 1000}, Date(1, 3, 2015), Date(1, 3, 2015)),
     // 365 000: 59 314 + 80 900 x 31 % = 84 393; less 13 257 = 71 136; / 365.
     71136.0 / 365, 365000},
};
INSTANTIATE_TEST_SUITE_P(Periods, AnnualTaxTest, ::testing::ValuesIn(PeriodCases), testing::RowName{});

const TaxCase CutCases[] = {
    // 300 000.50: 64 243.155 - 13 257 = 50 986.155, kept.
    {"without travel or commission the tax is not cut", Year({.Age = 40, .Salary = 300000.5}), 50986.155, 300000.5},
    // 300 000 + 0.8: 64 243.248 - 13 257 = 50 986.248, cut to 50 986.
    {"a travel allowance of 1 cuts to whole rands", Year({.Age = 40, .Salary = 300000, .TravelAllowance = 1}), 50986,
     300000.8},
    {"a commission of 0.50 alone cuts to whole rands", Year({.Age = 40, .Salary = 300000, .Commission = 0.5}), 50986,
     300000.5},
    // Travel + commission is not above 0: the commission is left out of Y and nothing is cut.
    {"a negative commission without travel is left out and nothing is cut",
     Year({.Age = 40, .Salary = 300000.5, .Commission = -100}), 50986.155, 300000.5},
    // With: 310 000.8 -> 59 314 + 25 900.8 x 31 % = 67 343.248 - 13 257 = 54 086.248 -> 54 086;
    // without 50 986: bonus tax 3 100, total 54 086.
    {"with a bonus both taxes are cut before the difference",
     Year({.Age = 40, .Salary = 300000, .Bonus = 10000, .TravelAllowance = 1}), 54086, 300000.8},
};
INSTANTIATE_TEST_SUITE_P(WholeRands, AnnualTaxTest, ::testing::ValuesIn(CutCases), testing::RowName{});

const TaxCase IncomeCases[] = {
    // 8 000 + 250 000 + 20 000 - 5 000 - 3 000 + 12 000 = 282 000: 32 742 + 100 100 x 26 % =
    // 58 768; less 13 257 = 45 511. The employee's contribution is not taxable.
    {"80 % travel, commission and employer's medical in, pension and R/A out",
     Year({.Age = 40, .Salary = 250000, .EmployerMedical = 12000, .EmployeeMedical = 6000, .Commission = 20000,
           .TravelAllowance = 10000, .Pension = 5000, .RetirementAnnuity = 3000}),
     45511, 282000},
    {"a salary below the threshold owes nothing", Year({.Age = 40, .Salary = 60000}), 0, 60000},
    // Each tax floored first: without 10 800 - 13 257 -> 0; with 90 000: 16 200 - 13 257 = 2 943.
    {"a bonus on a salary below the threshold is taxed only above the rebate",
     Year({.Age = 40, .Salary = 60000, .Bonus = 30000}), 2943, 60000},
    {"64 takes 13 257 off", Year({.Age = 64, .Salary = 300000}), 64243 - 13257, 300000},
    {"65 takes 20 664 off", Year({.Age = 65, .Salary = 300000}), 64243 - 20664, 300000},
    {"74 takes 20 664 off", Year({.Age = 74, .Salary = 300000}), 64243 - 20664, 300000},
    {"75 takes 23 130 off", Year({.Age = 75, .Salary = 300000}), 64243 - 23130, 300000},
};

// 27.5 % of 600 000 is 165 000: 435 000 gives 93 135 + 36 % of 41 800 = 108 183 - 13 257.
// 27.5 % of 2 000 000 is 550 000, above the cap: 1 650 000 gives 208 587 + 41 % of 948 700.
const TaxCase RetirementCases[] = {
    {"in a year of separate limits the contributions stand",
     Year({.Age = 40, .Salary = 600000, .Pension = 600000}), 0, 0},
    {"contributions of the whole salary are cut to 27.5 percent",
     Year({.Age = 40, .Salary = 600000, .Pension = 600000}), 94926, 435000, 350000},
    {"27.5 percent above the cap leaves the cap", Year({.Age = 40, .Salary = 2000000, .Pension = 600000}),
     597554 - 13257, 1650000, 350000},
    // 184 days: 300 000 x 365 / 184 a year, 27.5 % of it deducted: 217 500 x 365 / 184 is
    // taxed, 93 135 + 36 % of the part above 393 200, less 13 257, brought back x 184 / 365.
    {"a part year is capped on its annual equivalent",
     Year({.Age = 40, .Salary = 300000, .Pension = 100000}, Date(1, 3, 2015), Date(31, 8, 2015)),
     (93135 + 0.36 * (217500.0 * 365 / 184 - 393200) - 13257) * 184 / 365, 217500.0 * 365 / 184, 350000},
};
INSTANTIATE_TEST_SUITE_P(Retirement, AnnualTaxTest, ::testing::ValuesIn(RetirementCases), testing::RowName{});
INSTANTIATE_TEST_SUITE_P(Income, AnnualTaxTest, ::testing::ValuesIn(IncomeCases), testing::RowName{});

// ---- The medical credit, month by month ----------------------------------------------------

using Months = std::array<std::int16_t, 12>; // January first, as MembersByMonth

Months Every(std::int16_t n)
{
    Months months;
    months.fill(n);
    return months;
}

// Counts by calendar month from a list March ... February.
Months MarchToFebruary(std::array<std::int16_t, 12> taxYearOrder)
{
    Months months{};
    for (int place = 0; place < 12; ++place)
        months[(place + 2) % 12] = taxYearOrder[place];
    return months;
}

struct CreditCase {
    const char* name;
    PayeInputs amounts;
    int start;
    int end;
    Months members;
    double credit;
    double additional;
    Months membersAfter;
};

class AnnualCreditTest : public ::testing::TestWithParam<CreditCase> {};

TEST_P(AnnualCreditTest, SumsTheMonthsInThePeriod)
{
    const CreditCase& c = GetParam();
    AnnualPayeInputs in = Year(c.amounts, c.start, c.end);
    in.MembersByMonth = c.members;
    TaxBracketResult record;
    Working working;
    const AnnualPayeResult r = AnnualPayeCalculate(in, Settings(), record, &working);
    EXPECT_EQ(r.MedicalCredit, c.credit);
    EXPECT_NEAR(r.AdditionalMedicalCredit, c.additional, 1e-9);
    EXPECT_EQ(in.MembersByMonth, c.membersAfter);
    testing::ExpectReconciles(working, r.TotalTaxDeduction);
}

const PayeInputs Contributing{.Age = 40, .EmployerMedical = 1000};
const int March1 = Date(1, 3, 2015);
const int February29 = Date(29, 2, 2016);

const CreditCase CreditCases[] = {
    {"2 in every month of the whole year give 12 x 540 = 6 480", Contributing, March1, February29, Every(2), 6480, 0,
     Every(2)},
    {"3 in every month give 12 x 721 = 8 652", Contributing, March1, February29, Every(3), 8652, 0, Every(3)},
    {"different counts each month are summed", Contributing, March1, February29,
     MarchToFebruary({1, 2, 3, 4, 0, 0, 0, 0, 0, 0, 0, 1}), 270 + 540 + 721 + 902 + 270, 0,
     MarchToFebruary({1, 2, 3, 4, 0, 0, 0, 0, 0, 0, 0, 1})},
    // 540 + 178 x 181 = 32 758, the exact sum.
    {"180 in one month give 32 758", Contributing, March1, February29,
     MarchToFebruary({MostAnnualMembersInAMonth, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), 32758, 0,
     MarchToFebruary({MostAnnualMembersInAMonth, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
    {"1 June to 29 February clears March, April and May", Contributing, Date(1, 6, 2015), February29, Every(2),
     9 * 540, 0, MarchToFebruary({0, 0, 0, 2, 2, 2, 2, 2, 2, 2, 2, 2})},
    {"1 to 29 February counts only February", Contributing, Date(1, 2, 2016), February29, Every(1), 270, 0,
     MarchToFebruary({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1})},
    {"1 March to 31 August counts March to August", Contributing, March1, Date(31, 8, 2015), Every(3), 6 * 721, 0,
     MarchToFebruary({3, 3, 3, 3, 3, 3, 0, 0, 0, 0, 0, 0})},
    {"15 June to 10 July counts June and July whole", Contributing, Date(15, 6, 2015), Date(10, 7, 2015), Every(2),
     2 * 540, 0, MarchToFebruary({0, 0, 0, 2, 2, 0, 0, 0, 0, 0, 0, 0})},
    {"without a contribution no credit and the counts are kept", {.Age = 40}, Date(1, 6, 2015), February29,
     Every(2), 0, 0, Every(2)},
    {"the employee's contribution alone gives the credit", {.Age = 40, .EmployeeMedical = 1000}, March1, February29,
     Every(2), 6480, 0, Every(2)},
    // (24 000 + 12 000 - 3 x 6 480) x 0.333 = 16 560 x 0.333.
    {"65 with 24 000 and 12 000 and 6 480 gets 5 514.48",
     {.Age = 65, .EmployerMedical = 24000, .EmployeeMedical = 12000}, March1, February29, Every(2), 6480, 5514.48,
     Every(2)},
    {"64 gets no additional credit", {.Age = 64, .EmployerMedical = 24000, .EmployeeMedical = 12000}, March1,
     February29, Every(2), 6480, 0, Every(2)},
    {"75 gets the additional credit", {.Age = 75, .EmployerMedical = 24000, .EmployeeMedical = 12000}, March1,
     February29, Every(2), 6480, 5514.48, Every(2)},
    // 15 000 - 19 440 is negative.
    {"65 with contributions below three credits gets none",
     {.Age = 65, .EmployerMedical = 10000, .EmployeeMedical = 5000}, March1, February29, Every(2), 6480, 0,
     Every(2)},
    {"65 without members gets no additional credit", {.Age = 65, .EmployerMedical = 24000}, March1, February29,
     Every(0), 0, 0, Every(0)},
};
INSTANTIATE_TEST_SUITE_P(Credits, AnnualCreditTest, ::testing::ValuesIn(CreditCases), testing::RowName{});

TEST(AnnualPaye, TheBeneficiariesBoxFillsOnlyTheMonthsOfThePeriod)
{
    AnnualPayeInputs in = Year(Contributing, Date(15, 6, 2015), February29);
    in.MembersByMonth = Every(5);
    SetMembersInPeriod(in, 2);
    EXPECT_EQ(in.MembersByMonth, MarchToFebruary({5, 5, 5, 2, 2, 2, 2, 2, 2, 2, 2, 2}));
}

// ---- Credits against the tax -----------------------------------------------------------------

TEST(AnnualPaye, PayeAndTheDeductionAreTheTaxLessBothCredits)
{
    // 300 000 + 24 000 = 324 000: 59 314 + 39 900 x 31 % = 71 683; at 65 less 20 664 = 51 019.
    // Credits 6 480 + 5 514.48.
    AnnualPayeInputs in = Year({.Age = 65, .Salary = 300000, .EmployerMedical = 24000, .EmployeeMedical = 12000});
    in.MembersByMonth = Every(2);
    TaxBracketResult record;
    const auto r = AnnualPayeCalculate(in, Settings(), record);
    EXPECT_NEAR(r.TaxLiability, 51019, 1e-6);
    EXPECT_NEAR(r.Total, 51019, 1e-6);
    EXPECT_EQ(r.SITE, 0);
    EXPECT_NEAR(r.PAYE, 51019 - (6480 + 5514.48), 1e-6);
    EXPECT_NEAR(r.TotalTaxDeduction, 51019 - (6480 + 5514.48), 1e-6);
}

TEST(AnnualPaye, CreditsLargerThanTheTaxGive0)
{
    // 60 000 + 1 000 = 61 000: 10 980, under the rebate; the credit 6 480 stays shown.
    AnnualPayeInputs in = Year({.Age = 40, .Salary = 60000, .EmployerMedical = 1000});
    in.MembersByMonth = Every(2);
    TaxBracketResult record;
    const auto r = AnnualPayeCalculate(in, Settings(), record);
    EXPECT_EQ(r.TaxLiability, 0);
    EXPECT_EQ(r.MedicalCredit, 6480);
    EXPECT_EQ(r.PAYE, 0);
    EXPECT_EQ(r.TotalTaxDeduction, 0);
}

TEST(AnnualPaye, AnIncomeTooLargeToAnnualiseGivesZeros)
{
    AnnualPayeInputs in =
        Year({.Age = 40, .Salary = 1e307, .EmployerMedical = 1000}, Date(1, 3, 2015), Date(31, 3, 2015));
    in.MembersByMonth.fill(2); // a credit of 540 beside a tax that could not be worked would be wrong
    TaxBracketResult record;
    Working working;
    const auto r = AnnualPayeCalculate(in, Settings(), record, &working);
    EXPECT_EQ(r.MedicalCredit, 0);
    testing::ExpectReconciles(working, 0);
}

TEST(AnnualPaye, AllZeroInputsGiveAllZeros)
{
    AnnualPayeInputs in;
    TaxBracketResult record;
    const auto r = AnnualPayeCalculate(in, Settings(), record);
    EXPECT_EQ(r.TaxLiability, 0);
    EXPECT_EQ(r.MedicalCredit, 0);
    EXPECT_EQ(r.AdditionalMedicalCredit, 0);
    EXPECT_EQ(r.TotalTaxDeduction, 0);
    EXPECT_EQ(r.PAYE, 0);
    EXPECT_EQ(r.SITE, 0);
    EXPECT_EQ(r.Total, 0);
    EXPECT_EQ(record.TaxableIncome, 0);
}

TEST(AnnualPaye, AnEndBeforeTheStartWithoutTheCheckGivesZerosAndKeepsTheCounts)
{
    AnnualPayeInputs in = Year({.Age = 40, .Salary = 300000, .EmployerMedical = 1000}, Date(1, 6, 2015),
                               Date(31, 5, 2015));
    in.MembersByMonth = Every(2);
    TaxBracketResult record;
    const auto r = AnnualPayeCalculate(in, Settings(), record);
    EXPECT_EQ(r.TaxLiability, 0);
    EXPECT_EQ(r.MedicalCredit, 0);
    EXPECT_EQ(r.TotalTaxDeduction, 0);
    EXPECT_EQ(in.MembersByMonth, Every(2));
}

} // namespace
} // namespace revora
