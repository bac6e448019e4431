// The loan calculator: each mode solved from the other three values, the totals and the
// monthly and annual schedules of the repayment shown.

#include <gtest/gtest.h>

#include <cmath>

#include "TestSupport.h"
#include "finance/Annuity.h"
#include "finance/Loan.h"
#include "model/finance/ShownArithmetic.h"

namespace revora {
namespace {

constexpr double Cent = 0.005; // shown to the cent
constexpr double Exact = 1e-9;

LoanState Loan(double principal, double period, double rate, double repayment, LoanMode mode)
{
    LoanState loan;
    loan.Principal = principal;
    loan.Months = period;
    loan.Rate = rate;
    loan.Repayment = repayment;
    loan.Mode = mode;
    return loan;
}

// A loan as "Monthly repayment" solves it: the annuity's own repayment.
LoanState Solved(double principal, double period, double rate)
{
    return Loan(principal, period, rate, AnnuityRepayment(principal, period, rate), LoanMode::MonthlyRepayment);
}

// ---------------------------------------------------------------------------------------------
// LoanCalc, by mode: the four values afterwards and whether the solve found no answer.

struct CalcRow {
    const char* name;
    LoanState in;
    double principal;
    double period;
    double rate;
    double repayment;
    bool unsolved;
};

class LoanCalcTest : public ::testing::TestWithParam<CalcRow> {};

TEST_P(LoanCalcTest, SolvesTheModesValue)
{
    const CalcRow& row = GetParam();
    LoanState loan = row.in;
    Working working;
    EXPECT_EQ(LoanCalc(loan, &working) != LoanSolve::Solved, row.unsolved);
    EXPECT_EQ(loan.Unsolved, row.unsolved);
    EXPECT_NEAR(loan.Principal, row.principal, 1e-6);
    EXPECT_EQ(loan.Months, row.period);
    EXPECT_NEAR(loan.Rate, row.rate, Exact);
    EXPECT_NEAR(loan.Repayment, row.repayment, 1e-6);
    // The working ends on the value solved for, in the order of the modes.
    constexpr double LoanState::*Solved[] = {&LoanState::Repayment, &LoanState::Principal, &LoanState::Months,
                                             &LoanState::Rate};
    testing::ExpectWorkingChecksOut(working, loan.*Solved[static_cast<int>(loan.Mode)]);
}

constexpr auto Repayment = LoanMode::MonthlyRepayment;
constexpr auto Principal = LoanMode::PrincipalAmount;
constexpr auto Period = LoanMode::RepaymentPeriod;
constexpr auto Rate = LoanMode::InterestRate;

const CalcRow CalcRows[] = {
    // repayment
    {"repayment of 100 000 over 240 months at 12 percent", Loan(100000, 240, 12, 0, Repayment), 100000, 240, 12,
     1101.08613356961, false},
    {"repayment at 0 percent is the principal over the months", Loan(120000, 240, 0, 55, Repayment), 120000, 240, 0,
     500, false},
    // 11.47 % / 12 is 0.009558333..., which six decimals do not show: the working carries the rate
    {"repayment at a monthly rate of more than six decimals", Loan(600000, 180, 11.47, 0, Repayment), 600000, 180,
     11.47, 6997.699647532684, false},
    // principal
    {"principal of 1 101.0861336 over 240 months at 12 percent", Loan(0, 240, 12, 1101.08613356961, Principal), 100000,
     240, 12, 1101.08613356961, false},
    {"principal without a period is 0", Loan(5, 0, 12, 1000, Principal), 0, 0, 12, 1000, false},
    {"principal at a monthly rate of more than six decimals", Loan(0, 180, 11.47, 7000, Principal),
     600197.2378852923, 180, 11.47, 7000, false},
    // rate: the largest rate on the 0.01 grid whose repayment does not exceed the one typed
    {"a repayment of 1 101.09 solves to 12.000", Loan(100000, 240, 0, 1101.09, Rate), 100000, 240, 12, 1101.09, false},
    {"a repayment of 1 101.08 solves to 11.990", Loan(100000, 240, 0, 1101.08, Rate), 100000, 240, 11.99, 1101.08,
     false},
    // 100 000 / 240 = 416.67 is the repayment at no interest: less repays the loan at no rate
    {"a repayment below the interest free one has no rate", Loan(100000, 240, 7, 400, Rate), 100000, 240, 0, 400,
     true},
    {"the interest free repayment solves to 0 percent", Loan(120000, 240, 7, 500, Rate), 120000, 240, 0, 500, false},
    {"a rate without a repayment is 0", Loan(100000, 240, 7, 0, Rate), 100000, 240, 0, 0, false},
    // 100 000 over 12 months at 50 percent asks 10 758.51 a month; 15 000 would be 125.37 %:
    // no rate is left behind for the other modes, the schedules or the printout
    {"a solved rate above 50 is no answer", Loan(100000, 12, 9, 15000, Rate), 100000, 12, 0, 15000, true},
    {"the rate search gives up at 1 000 percent", Loan(100000, 240, 0, 1e9, Rate), 100000, 240, 0, 1e9, true},
    {"a negative principal never asks too much and gives up", Loan(-100000, 240, 0, 1000, Rate), -100000, 240, 0,
     1000, true},
    // period: the repayment is first taken 0.01 lower
    {"300 on 1 000 at 12 percent is 3 months raised to 340.03", Loan(1000, 99, 12, 300, Period), 1000, 3, 12, 340.03,
     false},
    // 600 months of 1 000.99 repay 99 843.37: no answer, and the repayment stays as typed
    {"no period up to 600 months is no answer", Loan(100000, 99, 12, 1001, Period), 100000, 0, 12, 1001, true},
    {"a period without a repayment is 0", Loan(1000, 99, 12, 0, Period), 1000, 0, 12, 0, false},
    // 20 000.00 a month repays 120 000 in exactly 6 months at 0 %: no cent is added
    {"an exact period at 0 percent", Loan(120000, 99, 0, 20000.01, Period), 120000, 6, 0, 20000, false},
    // the first month's interest is 875: the typed values stay, the period has no answer
    {"500 on 100 000 at 10.5 percent never repays", Loan(100000, 99, 10.5, 500, Period), 100000, 0, 10.5, 500, true},
    {"a repayment beyond the principal is one month", Loan(1000, 99, 12, 5000, Period), 1000, 1, 12, 4999.99, false},
    {"a period at 0 percent counts equal parts", Loan(1000, 99, 0, 300, Period), 1000, 3, 0, 333.34, false},
    // 6 999.99 falls short over 179 months at 11.47 %, passes over 180; raised to 7 012.46
    {"a period at a monthly rate of more than six decimals", Loan(600000, 99, 11.47, 7000, Period), 600000, 179,
     11.47, 7012.46, false},
    // the first month's interest, 100 000 x 11.47 % / 12 = 955.83, is more than 899.99
    {"a repayment below the first month's interest at 11.47 percent", Loan(100000, 99, 11.47, 900, Period), 100000,
     0, 11.47, 900, true},
};
INSTANTIATE_TEST_SUITE_P(Rule, LoanCalcTest, ::testing::ValuesIn(CalcRows), testing::RowName{});

TEST(LoanCalcTest, TheWorkingFillsInTheAnnuityFormulaAndTheRateSearchsLastBracket)
{
    LoanState loan = Loan(100000, 240, 12, 0, Repayment);
    Working working;
    LoanCalc(loan, &working);
    EXPECT_EQ(working.Steps().back().Text(),
              "Monthly repayment over 240 months: 100 000.00 \u00d7 12 % \u00f7 12 \u00f7 (1 \u2212 (1 + 12 % \u00f7 12)^\u2212240) "
              "= 1 101.09");
    loan = Loan(100000, 240, 0, 1101.08, Rate);
    working.Clear();
    LoanCalc(loan, &working);
    EXPECT_EQ(working.Steps().back().Text(), "The largest rate, to 0.01 %, whose repayment is not above R 1 101.08 "
                                             "(11.99 % asks 1 100.39, 12 % asks 1 101.09): 11.99 %");
}

TEST(LoanCalcTest, TheSolvedRateIsOnTheHundredthGrid)
{
    for (const double repayment : {1234.56, 1500.0, 2718.28, 1101.0}) {
        LoanState loan = Loan(100000, 240, 0, repayment, Rate);
        LoanCalc(loan);
        EXPECT_EQ(loan.Rate, std::round(loan.Rate * 100.0) / 100.0) << repayment;
    }
}

// ---------------------------------------------------------------------------------------------
// Totals and initialising.

// After a solve the schedule pays the repayment shown every month but the last, which pays
// off what is left; the totals are its sums.
struct AccountRow {
    const char* name;
    LoanState in;
    std::size_t lines;
    double lastPayment;
    double totalInterest;
};

class LoanTotalsTest : public ::testing::TestWithParam<AccountRow> {};

TEST_P(LoanTotalsTest, AreTheSumsOfTheScheduleOfTheRepaymentShown)
{
    const AccountRow& row = GetParam();
    LoanState loan = row.in;
    ASSERT_EQ(LoanCalc(loan), LoanSolve::Solved);
    const std::vector<ScheduleLine> lines = MonthlySchedule(loan);
    ASSERT_EQ(lines.size(), row.lines);
    double capital = 0.0;
    double interest = 0.0;
    for (const ScheduleLine& line : lines) {
        if (&line != &lines.back()) {
            EXPECT_NEAR(line.Capital + line.Interest, loan.Repayment, Exact) << line.Period;
        }
        capital += line.Capital;
        interest += line.Interest;
    }
    EXPECT_EQ(lines.back().Balance, 0.0);
    EXPECT_NEAR(lines.back().Capital + lines.back().Interest, row.lastPayment, Cent);
    EXPECT_NEAR(capital, loan.Principal, 1e-6);
    EXPECT_NEAR(LoanTotalInterest(loan), interest, 1e-6);
    EXPECT_NEAR(LoanTotalInterest(loan), row.totalInterest, Cent);
    EXPECT_NEAR(LoanTotalRepayments(loan), loan.Principal + row.totalInterest, Cent);
}

const AccountRow AccountRows[] = {
    // 240 x 1 101.086 = 264 260.67
    {"the annuity's own repayment is repayment times period", Loan(100000, 240, 12, 0, Repayment), 240, 1101.09,
     164260.67},
    // 11.47 % asks 6 997.70: the 2.30 a month more repays sooner
    {"a solved rate pays the repayment typed and less at the end", Loan(600000, 180, 0, 7000, Rate), 180, 5906.94,
     658906.94},
    {"a solved period pays its raised repayment and less at the end", Loan(1000, 99, 12, 300, Period), 3, 340.01,
     20.07},
    // 50 % over 600 months asks 4 166.67: 4 167 pays the loan off in month 232
    {"a repayment well above the annuity ends when the loan is paid off", Loan(100000, 600, 0, 4167, Rate), 232,
     382.99, 862959.99},
    {"a month never pays more than is owed", Loan(1000, 99, 12, 5000, Period), 1, 1010, 10},
};
INSTANTIATE_TEST_SUITE_P(Rule, LoanTotalsTest, ::testing::ValuesIn(AccountRows), testing::RowName{});

TEST(LoanInitialiseTest, KeepsOnlyThePrincipal)
{
    LoanState loan = Loan(100000, 240, 12, 1101.09, Rate);
    loan.TotalsShown = true;
    LoanInitialise(loan);
    EXPECT_EQ(loan.Principal, 100000);
    EXPECT_EQ(loan.Months, 0);
    EXPECT_EQ(loan.Rate, 0);
    EXPECT_EQ(loan.Repayment, 0);
    EXPECT_EQ(loan.Mode, LoanMode::MonthlyRepayment);
    EXPECT_FALSE(loan.TotalsShown);
}

// ---------------------------------------------------------------------------------------------
// When the schedules may be shown.

struct AvailableRow {
    const char* name;
    LoanState loan;
    bool monthly;
    bool annual;
};

class ScheduleAvailableTest : public ::testing::TestWithParam<AvailableRow> {};

TEST_P(ScheduleAvailableTest, NeedsTheValuesNonZero)
{
    const AvailableRow& row = GetParam();
    EXPECT_EQ(MonthlyScheduleAvailable(row.loan), row.monthly);
    EXPECT_EQ(AnnualScheduleAvailable(row.loan), row.annual);
}

const AvailableRow AvailableRows[] = {
    {"all four values give both schedules", Loan(1000, 24, 12, 50, Repayment), true, true},
    {"13 months give the annual schedule", Loan(1000, 13, 12, 50, Repayment), true, true},
    {"12 months give only the monthly schedule", Loan(1000, 12, 12, 50, Repayment), true, false},
    {"no principal gives neither", Loan(0, 24, 12, 50, Repayment), false, false},
    {"0 percent gives both", Loan(1000, 24, 0, 50, Repayment), true, true},
    {"an unsolved loan gives neither", [] { auto l = Loan(1000, 24, 12, 50, Rate); l.Unsolved = true; return l; }(),
     false, false},
    {"no repayment gives neither", Loan(1000, 24, 12, 0, Repayment), false, false},
    {"no period gives neither", Loan(1000, 0, 12, 50, Repayment), false, false},
};
INSTANTIATE_TEST_SUITE_P(Rule, ScheduleAvailableTest, ::testing::ValuesIn(AvailableRows), testing::RowName{});

// ---------------------------------------------------------------------------------------------
// The monthly schedule.

struct MonthlyRow {
    const char* name;
    double principal;
    double period;
    double rate;
};

class MonthlyScheduleTest : public ::testing::TestWithParam<MonthlyRow> {};

TEST_P(MonthlyScheduleTest, RepaysThePrincipalAndNeverGoesNegative)
{
    const MonthlyRow& row = GetParam();
    const LoanState loan = Solved(row.principal, row.period, row.rate);
    const double repayment = loan.Repayment;
    const std::vector<ScheduleLine> lines = MonthlySchedule(loan);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(row.period));
    double capital = 0.0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].Period, static_cast<int>(i) + 1);
        EXPECT_NEAR(lines[i].Capital + lines[i].Interest, repayment, 1e-6);
        EXPECT_GE(lines[i].Balance, 0.0);
        capital += lines[i].Capital;
    }
    EXPECT_NEAR(capital, row.principal, row.principal * 1e-9);
    EXPECT_GE(lines.back().Balance, 0.0);
    EXPECT_LT(lines.back().Balance, row.principal * 1e-9);
}

const MonthlyRow MonthlyRows[] = {
    {"20 years at 12 percent", 100000, 240, 12},
    {"30 months at 12 percent", 100000, 30, 12},
    {"600 months at 50 percent", 2500000, 600, 50},
    {"one month", 1000, 1, 12},
    {"a tiny rate", 123456.78, 360, 0.001},
    {"an odd principal at an odd rate", 987654.32, 337, 17.375},
    {"0 percent repays in equal parts", 120000, 120, 0},
};
INSTANTIATE_TEST_SUITE_P(Rule, MonthlyScheduleTest, ::testing::ValuesIn(MonthlyRows), testing::RowName{});

TEST(MonthlyScheduleTest, TheFirstMonthsInterestIsAMonthsRateOnThePrincipal)
{
    const std::vector<ScheduleLine> lines = MonthlySchedule(Solved(100000, 240, 12));
    EXPECT_NEAR(lines.front().Interest, 1000, 1e-6);
    EXPECT_NEAR(lines.front().Balance, 100000 - 101.0861334, 1e-6);
}

TEST(MonthlyScheduleTest, IsEmptyWithoutAPeriod)
{
    EXPECT_TRUE(MonthlySchedule(Loan(1000, 0, 12, 1, Repayment)).empty());
    EXPECT_TRUE(MonthlySchedule(Loan(1000, -12, 12, 1, Repayment)).empty());
    EXPECT_TRUE(MonthlySchedule(Loan(1000, 0.5, 12, 1, Repayment)).empty());
}

TEST(MonthlyScheduleTest, HoldsAtMostAThousandLines)
{
    EXPECT_EQ(MonthlySchedule(Loan(1000, 1e12, 12, 1, Repayment)).size(), 1000u);
}

// ---------------------------------------------------------------------------------------------
// The annual schedule.

struct AnnualRow {
    const char* name;
    double period;
    std::size_t lines;
    int fullYears;
    int flag;
};

class AnnualScheduleTest : public ::testing::TestWithParam<AnnualRow> {};

TEST_P(AnnualScheduleTest, SumsTheMonthsByTwelves)
{
    const AnnualRow& row = GetParam();
    const LoanState loan = Solved(100000, row.period, 12);
    const AnnualSchedule annual = CalcAnnAmort(loan);
    const std::vector<ScheduleLine> months = MonthlySchedule(loan);
    ASSERT_EQ(annual.Years.size(), row.lines);
    EXPECT_EQ(annual.FullYears, row.fullYears);
    EXPECT_EQ(annual.Flag, row.flag);
    double capital = 0.0;
    double interest = 0.0;
    for (std::size_t k = 0; k < annual.Years.size(); ++k) {
        const ScheduleLine& year = annual.Years[k];
        EXPECT_EQ(year.Period, static_cast<int>(k) + 1);
        double monthCapital = 0.0;
        double monthInterest = 0.0;
        for (std::size_t i = 12 * k; i < std::min(12 * k + 12, months.size()); ++i) {
            monthCapital += months[i].Capital;
            monthInterest += months[i].Interest;
        }
        EXPECT_NEAR(year.Capital, monthCapital, 1e-6);
        EXPECT_NEAR(year.Interest, monthInterest, 1e-6);
        if (static_cast<int>(k) < annual.FullYears) {
            EXPECT_EQ(year.Balance, months[12 * k + 11].Balance);
        }
        capital += year.Capital;
        interest += year.Interest;
    }
    if (annual.Flag == 2) {
        EXPECT_EQ(annual.Years.back().Balance, 0.0);
    }
    EXPECT_NEAR(capital, 100000, 1e-6);
    EXPECT_NEAR(interest, AnnuityRepayment(100000, row.period, 12) * row.period - 100000, 1e-6);
}

const AnnualRow AnnualRows[] = {
    {"30 months give two years and a part year of months 25 to 30", 30, 3, 2, 2},
    {"24 months give two whole years", 24, 2, 2, 1},
    {"13 months give a year and a part year of one month", 13, 2, 1, 2},
    {"under a year gives only the part year", 7, 1, 0, 2},
    {"240 months give twenty whole years", 240, 20, 20, 1},
    {"600 months give fifty whole years", 600, 50, 50, 1},
};
INSTANTIATE_TEST_SUITE_P(Rule, AnnualScheduleTest, ::testing::ValuesIn(AnnualRows), testing::RowName{});

TEST(AnnualScheduleTest, ThirtyMonthsAtTwelvePercent)
{
    const AnnualSchedule annual = CalcAnnAmort(Solved(100000, 30, 12));
    ASSERT_EQ(annual.Years.size(), 3u);
    EXPECT_NEAR(annual.Years[1].Balance, 22456.38, Cent);
    EXPECT_NEAR(annual.Years[2].Capital, 22456.38, Cent);
    EXPECT_NEAR(annual.Years[2].Interest, 792.49, Cent);
}

TEST(AnnualScheduleTest, IsEmptyWithoutAPeriod)
{
    const AnnualSchedule annual = CalcAnnAmort(Loan(100000, 0, 12, 1, Repayment));
    EXPECT_TRUE(annual.Years.empty());
    EXPECT_EQ(annual.FullYears, 0);
    EXPECT_EQ(annual.Flag, 1);
}

} // namespace
} // namespace revora
