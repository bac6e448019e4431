// The annuity arithmetic the loan screens share: the repayment, the present value and the
// month count with its cent-by-cent raise of the repayment.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "finance/Annuity.h"
#include "model/finance/ShownArithmetic.h"

namespace revora {
namespace {

constexpr double Exact = 1e-9;

// ---------------------------------------------------------------------------------------------
// Repayment and present value.

struct AnnuityRow {
    const char* name;
    double principal;
    double months;
    double rate;
    double repayment; // the repayment of the principal, and the repayment whose value is it
};

class AnnuityFormulaTest : public ::testing::TestWithParam<AnnuityRow> {};

TEST_P(AnnuityFormulaTest, RepaymentAndPresentValueAgree)
{
    const AnnuityRow& row = GetParam();
    Working working;
    const double repayment = AnnuityRepayment(row.principal, row.months, row.rate, &working);
    EXPECT_NEAR(repayment, row.repayment, 1e-6);
    testing::ExpectWorkingChecksOut(working, repayment);
    if (row.repayment != 0.0) {
        working.Clear();
        const double principal = AnnuityPrincipal(row.months, row.rate, row.repayment, &working);
        EXPECT_NEAR(principal, row.principal, 1e-6);
        testing::ExpectWorkingChecksOut(working, principal);
    }
}

const AnnuityRow AnnuityRows[] = {
    // j = 0.01: 1 000 / (1 - 1.01^-240) = 11.0108613...
    {"100 000 over 240 months at 12 percent", 100000, 240, 12, 1101.08613356961},
    // one month: the principal plus a month's interest
    {"one month repays the principal and its interest", 1000, 1, 12, 1010},
    {"no principal repays nothing", 0, 240, 12, 0},
    {"no months repay nothing", 100000, 0, 12, 0},
    {"0 percent spreads the principal evenly", 120000, 240, 0, 500},
    {"a monthly rate of more than six decimals", 600000, 180, 11.47, 6997.699647532684},
    {"a principal of fractions of a cent at 0 percent", 1000.005, 3, 0, 333.335},
    // 1 + j rounds to 1: the formula would divide by 0; the limit is principal / months
    {"a rate too small to count spreads the principal evenly", 120000, 240, 1e-14, 500},
};
INSTANTIATE_TEST_SUITE_P(Rule, AnnuityFormulaTest, ::testing::ValuesIn(AnnuityRows), testing::RowName{});

TEST(AnnuityPrincipalTest, IsZeroWhenAnInputIsZero)
{
    EXPECT_EQ(AnnuityPrincipal(0, 12, 1000), 0.0);
    EXPECT_EQ(AnnuityPrincipal(240, 0, 1000), 240000.0); // 0 % is a rate: n x R
    EXPECT_EQ(AnnuityPrincipal(240, 12, 0), 0.0);
}

// ---------------------------------------------------------------------------------------------
// The month count.

struct CountRow {
    const char* name;
    double principal;
    double rate;
    double repayment;
    double months;
    double raisedTo;
};

class CountPeriodTest : public ::testing::TestWithParam<CountRow> {};

TEST_P(CountPeriodTest, CountsMonthsAndRaisesTheRepayment)
{
    const CountRow& row = GetParam();
    Working working;
    const PeriodCount count = CountPeriod(row.principal, row.rate, row.repayment, &working);
    EXPECT_EQ(count.months, row.months);
    EXPECT_NEAR(count.repayment, row.raisedTo, Exact);
    testing::ExpectWorkingChecksOut(working, count.months);
}

const CountRow CountRows[] = {
    // 3 months of 299.99 are worth 882.26, 4 months 1 170.55: 3 months, raised to 1 000 / 2.9409852
    // = 340.022 -> 340.03
    {"three months fall short and four overpay", 1000, 12, 299.99, 3, 340.03},
    // 999.99 x (1 - 1.01^-600) / 0.01 = 99 742.6 < 100 000
    {"no period up to 600 months repays the loan", 100000, 12, 999.99, 0, 999.99},
    {"a single repayment beyond the principal stops at one month", 1000, 12, 2000, 1, 2000},
    {"no principal counts nothing", 0, 12, 300, 0, 300},
    {"0 percent counts equal parts", 1000, 0, 300, 3, 333.34},
    {"no repayment counts nothing", 1000, 12, 0, 0, 0},
    {"a negative repayment never repays", 1000, 12, -300, 0, -300},
};
INSTANTIATE_TEST_SUITE_P(Rule, CountPeriodTest, ::testing::ValuesIn(CountRows), testing::RowName{});

TEST(CountPeriodTest, AnExactMatchKeepsTheCountAndTheRepayment)
{
    const double principal = AnnuityPrincipal(24, 12, 500);
    const PeriodCount count = CountPeriod(principal, 12, 500);
    EXPECT_EQ(count.months, 24);
    EXPECT_EQ(count.repayment, 500);
}

TEST(CountPeriodTest, TheRaiseIsAWholeNumberOfCentsOnTheGivenRepayment)
{
    // 4 004 cents added as one product, not 4 004 additions of 0.01, to exactly 340.03
    EXPECT_EQ(CountPeriod(1000, 12, 299.99).repayment, 340.03);
}

TEST(CountPeriodTest, TheRaiseIsTheSmallestThatCoversTheLoan)
{
    const PeriodCount count = CountPeriod(1000, 12, 299.99);
    EXPECT_GE(AnnuityPrincipal(count.months, 12, count.repayment), 1000);
    EXPECT_LT(AnnuityPrincipal(count.months, 12, count.repayment - 0.01), 1000);
}

TEST(CountPeriodTest, AHugeRaiseIsWorkedOutNotSteppedCentByCent)
{
    // two months overpay, one falls short: the repayment must rise from 6e11 to 1.01e12, some
    // 4 x 10^13 cents; counted a cent at a time this would never finish
    const PeriodCount count = CountPeriod(1e12, 12, 6e11);
    EXPECT_EQ(count.months, 1);
    EXPECT_GE(AnnuityPrincipal(1, 12, count.repayment), 1e12);
    EXPECT_LT(AnnuityPrincipal(1, 12, count.repayment - 0.01), 1e12);
}

} // namespace
} // namespace revora
