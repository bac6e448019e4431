// No model hands a screen NaN or infinity, whatever finite values the boxes hold: huge and
// tiny amounts, rates of 0 and far beyond the boxes' limits, no period, negative values.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "finance/Annuity.h"
#include "finance/DailyBalance.h"
#include "finance/Inflation.h"
#include "finance/Loan.h"
#include "finance/LoanBuster.h"
#include "finance/LoanComparison.h"

namespace revora {
namespace {

constexpr double Huge = 1e308;
const double Amounts[] = {0, 1e-300, 0.01, 100000, -100000, 1e15, Huge, -Huge};
const double Rates[] = {0, 1e-14, 0.01, 12, 50, -5, -1200, -2400, 1e6, Huge, -Huge};
const double Periods[] = {0, 1, 13, 600, 601, -240, 2.5, 1e9, Huge};

bool Finite(const ScheduleLine& line)
{
    return std::isfinite(line.Capital) && std::isfinite(line.Interest) && std::isfinite(line.Balance);
}

TEST(FiniteResultsTest, Annuity)
{
    for (const double a : Amounts)
        for (const double rate : Rates)
            for (const double n : Periods) {
                EXPECT_TRUE(std::isfinite(AnnuityRepayment(a, n, rate))) << a << ' ' << n << ' ' << rate;
                EXPECT_TRUE(std::isfinite(AnnuityPrincipal(n, rate, a))) << a << ' ' << n << ' ' << rate;
            }
    for (const double p : Amounts)
        for (const double rate : Rates)
            for (const double r : Amounts) {
                const PeriodCount count = CountPeriod(p, rate, r);
                EXPECT_TRUE(std::isfinite(count.months) && std::isfinite(count.repayment))
                    << p << ' ' << rate << ' ' << r;
                EXPECT_LE(count.months, MostLoanMonths);
            }
}

TEST(FiniteResultsTest, LoanCalcInEveryMode)
{
    for (const double p : Amounts)
        for (const double rate : Rates)
            for (const double n : Periods)
                for (const double r : {0.0, 0.01, 1101.09, -300.0, Huge})
                    for (const LoanMode mode : {LoanMode::MonthlyRepayment, LoanMode::PrincipalAmount,
                                                LoanMode::RepaymentPeriod, LoanMode::InterestRate}) {
                        LoanState loan{p, n, rate, r, mode, true};
                        Working working;
                        LoanCalc(loan, &working);
                        const bool finite = working.AllFinite() && std::isfinite(loan.Principal) && std::isfinite(loan.Months) &&
                                            std::isfinite(loan.Rate) && std::isfinite(loan.Repayment) &&
                                            std::isfinite(LoanTotalInterest(loan)) &&
                                            std::isfinite(LoanTotalRepayments(loan));
                        EXPECT_TRUE(finite) << p << ' ' << n << ' ' << rate << ' ' << r << ' '
                                            << static_cast<int>(mode);
                    }
}

TEST(FiniteResultsTest, Schedules)
{
    for (const double p : Amounts)
        for (const double rate : Rates)
            for (const double n : Periods) {
                const LoanState loan{p, n, rate, 1, LoanMode::MonthlyRepayment, false};
                const AnnualSchedule annual = CalcAnnAmort(loan);
                bool finite = true;
                for (const ScheduleLine& line : annual.Years)
                    finite = finite && Finite(line);
                for (const ScheduleLine& line : MonthlySchedule(loan))
                    finite = finite && Finite(line) && line.Balance >= 0.0;
                EXPECT_TRUE(finite) << p << ' ' << n << ' ' << rate;
            }
}

TEST(FiniteResultsTest, LoanBusterAndComparison)
{
    for (const double p : Amounts)
        for (const float rate : {0.0F, 12.0F, 50.0F, -5.0F, -1200.0F, 1e30F, std::numeric_limits<float>::max()})
            for (const std::int16_t n : {std::int16_t{0}, std::int16_t{1}, std::int16_t{600}, std::int16_t{-240},
                                         std::numeric_limits<std::int16_t>::max()})
                for (const double extra : {0.0, 100.0, -100.0, Huge, -Huge}) {
                    LoanBusterState state{p, rate, extra};
                    Working working;
                    const LoanBusterResult r = BBCalc(state, n, &working);
                    CompareLoans({p, rate}, &working);
                    EXPECT_TRUE(working.AllFinite()) << p << ' ' << rate << ' ' << n << ' ' << extra;
                    const double values[] = {r.Repayment,       r.TotalInterest,      r.TotalRepayments,
                                             r.NewPeriod,       r.NewRepayment,       r.NewTotalInterest,
                                             r.NewTotalRepayments, r.Saving,          state.Extra};
                    for (const double v : values)
                        EXPECT_TRUE(std::isfinite(v)) << p << ' ' << rate << ' ' << n << ' ' << extra;
                    for (const ComparisonRow& term : CompareLoans({p, rate}))
                        EXPECT_TRUE(std::isfinite(term.Repayment) && std::isfinite(term.TotalInterest) &&
                                    std::isfinite(term.TotalPaid))
                            << p << ' ' << rate;
                }
}

TEST(FiniteResultsTest, DailyBalance)
{
    const float big = std::numeric_limits<float>::max();
    for (const float capital : {0.0F, 100000.0F, -100000.0F, big, -big})
        for (const float rate : {0.0F, 10.0F, -10.0F, big})
            for (const std::int32_t days : {0, 1, -1, 10960, std::numeric_limits<std::int32_t>::max()}) {
                Working working;
                const DailyBalanceResult result = DailyBalanceCalc({capital, rate, 0, days}, &working);
                EXPECT_TRUE(std::isfinite(result.Interest) && working.AllFinite()) << capital << ' ' << rate << ' ' << days;
            }
}

TEST(FiniteResultsTest, Inflation)
{
    for (const double cost : Amounts)
        for (const double rate : {0.0, 6.0, -5.0, 40.0, -99.0, -100.0, -150.0, 1e6, Huge, -Huge})
            for (const double period : {0.0, 1.0, 40.0, -3.0, 1e6, Huge}) {
                InflationState state{cost, period, rate};
                Working working;
                InflationCalc(state, &working);
                EXPECT_TRUE(working.AllFinite() && std::isfinite(state.FutureValue) && std::isfinite(state.BuyingPower))
                    << cost << ' ' << rate << ' ' << period;
            }
}

} // namespace
} // namespace revora
