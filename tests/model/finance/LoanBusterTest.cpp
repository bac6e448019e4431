// The loan buster: the extra payment's new period, repayment and saving, the 10 x R limit and
// the "BondBust" row.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "finance/Annuity.h"
#include "finance/LoanBuster.h"
#include "model/finance/ShownArithmetic.h"

namespace revora {
namespace {

constexpr double Cent = 0.005;

struct BusterRow {
    const char* name;
    double principal;
    float rate;
    std::int16_t period;
    double extra;
    double repayment;
    double newPeriod;
    double newRepayment;
    double extraAfter;
    double saving;
};

class BBCalcTest : public ::testing::TestWithParam<BusterRow> {};

TEST_P(BBCalcTest, AppliesTheExtraPayment)
{
    const BusterRow& row = GetParam();
    LoanBusterState state{row.principal, row.rate, row.extra};
    Working working;
    const LoanBusterResult r = BBCalc(state, row.period, &working);
    testing::ExpectWorkingChecksOut(working, r.Saving);
    EXPECT_NEAR(r.Repayment, row.repayment, Cent);
    EXPECT_EQ(r.NewPeriod, row.newPeriod);
    EXPECT_NEAR(r.NewRepayment, row.newRepayment, Cent);
    EXPECT_NEAR(state.Extra, row.extraAfter, 1e-6);
    EXPECT_NEAR(r.Saving, row.saving, Cent);
}

const BusterRow BusterRows[] = {
    // 1 101.09 + 99.99 = 1 201.08 falls short over 179 months; raised to 1 202.58;
    // 240 x 1 101.0861 - 179 x 1 202.5761 = 264 260.67 - 215 261.13
    {"extra 100 on 100 000 over 240 months at 12 percent", 100000, 12.0F, 240, 100, 1101.09, 179, 1202.58, 101.49,
     48999.54},
    {"extra 0 keeps the normal figures", 100000, 12.0F, 240, 0, 1101.09, 240, 1101.09, 0, 0},
    // R = 9 644.675053: 240 x R = 2 314 722.01, and 180 x 10 649.015053 = 1 916 822.71, neither
    // the product of the repayment to the cent
    {"extra 1 000 on a repayment of fractions of a cent", 950000, 10.75F, 240, 1000, 9644.68, 180, 10649.02,
     1004.34, 397899.30},
    {"extra 0 keeps the repayment to the cent", 31889, 2.56F, 460, 0, 108.88, 460, 108.88, 0, 0},
    // 120 000 / 240 = 500; 200 months of 600 repay it, and at no interest nothing is saved
    {"extra 100 at 0 percent", 120000, 0.0F, 240, 100, 500, 200, 600, 100, 0},
    // 10 000 + 9 999.99 falls short over 6 months by 0.06; a cent more, 20 000, repays it exactly
    {"extra 10 000 at 0 percent pays off exactly in 6 months", 120000, 0.0F, 12, 10000, 10000, 6, 20000, 10000, 0},
    // R + X = 11 009.99 alone is worth more than the loan: the count stops at one month
    {"a payment beyond the whole loan stops at one month", 1000, 12.0F, 1, 10000, 1010, 1, 11009.99, 9999.99,
     -9999.99},
    {"no principal repays nothing", 0, 12.0F, 240, 0, 0, 240, 0, 0, 0},
    // 193 x 518.14 passes 100 000 by cents; at no interest the last month pays what is left
    {"extra 100 at 0 percent where the raised repayment passes the principal", 100000, 0.0F, 240, 100, 416.67, 193,
     518.14, 101.47, 0},
};
INSTANTIATE_TEST_SUITE_P(Rule, BBCalcTest, ::testing::ValuesIn(BusterRows), testing::RowName{});

TEST(BBCalcTest, TheTotalsOfTheExample)
{
    LoanBusterState state{100000, 12.0F, 100};
    const LoanBusterResult r = BBCalc(state, 240);
    EXPECT_NEAR(r.TotalInterest, 164260.67, Cent);
    EXPECT_NEAR(r.TotalRepayments, 264260.67, Cent);
    EXPECT_NEAR(r.NewTotalInterest, 115261.13, Cent);
    EXPECT_NEAR(r.NewTotalRepayments, 215261.13, Cent);
}

TEST(BBCalcTest, ExtraZeroCopiesTheNormalTotals)
{
    LoanBusterState state{100000, 12.0F, 0};
    const LoanBusterResult r = BBCalc(state, 240);
    EXPECT_EQ(r.NewTotalInterest, r.TotalInterest);
    EXPECT_EQ(r.NewTotalRepayments, r.TotalRepayments);
}

// ---------------------------------------------------------------------------------------------
// The 10 x R limit (R unrounded).

struct LimitRow {
    const char* name;
    double timesR;  // the extra as a multiple of R ...
    double plus;    // ... plus this
    bool applied;
};

class TenTimesRTest : public ::testing::TestWithParam<LimitRow> {};

TEST_P(TenTimesRTest, AppliesOnlyUpToTenTimesTheRepayment)
{
    const LimitRow& row = GetParam();
    const double r = AnnuityRepayment(100000, 240, 12.0);
    const double extra = row.timesR * r + row.plus;
    LoanBusterState state{100000, 12.0F, extra};
    Working working;
    const LoanBusterResult out = BBCalc(state, 240, &working);
    testing::ExpectWorkingChecksOut(working, out.Saving);
    EXPECT_EQ(out.ExtraRefused, !row.applied);
    if (row.applied) {
        EXPECT_LT(out.NewPeriod, 240);
        EXPECT_NEAR(state.Extra, out.NewRepayment - r, 1e-9);
    } else { // refused: nothing of any extra is left in the second column
        EXPECT_EQ(state.Extra, extra);
        EXPECT_EQ(out.NewPeriod + out.NewRepayment + out.NewTotalInterest + out.NewTotalRepayments + out.Saving, 0.0);
    }
    EXPECT_NEAR(out.Repayment, r, 1e-9);
}

const LimitRow LimitRows[] = {
    {"10 x R exactly is applied", 10, 0, true},
    {"just under 10 x R is applied", 10, -0.01, true},
    {"a cent above 10 x R is not applied", 10, 0.01, false},
    {"20 x R is not applied", 20, 0, false},
};
INSTANTIATE_TEST_SUITE_P(Rule, TenTimesRTest, ::testing::ValuesIn(LimitRows), testing::RowName{});

TEST(BBCalcTest, TheRateIsHeldInSinglePrecision)
{
    LoanBusterState state{100000, 10.3F, 0};
    const LoanBusterResult r = BBCalc(state, 240);
    EXPECT_DOUBLE_EQ(r.Repayment, AnnuityRepayment(100000, 240, static_cast<double>(10.3F)));
    EXPECT_NE(r.Repayment, AnnuityRepayment(100000, 240, 10.3));
}

TEST(BBCalcTest, TotalsAreNeverNegative)
{
    LoanBusterState state{-50000, 12.0F, 0};
    const LoanBusterResult r = BBCalc(state, 240);
    EXPECT_EQ(r.TotalRepayments, 0.0);
    EXPECT_GE(r.TotalInterest, 0.0);
}

// ---------------------------------------------------------------------------------------------
// The "BondBust" row.

TEST(LoanBusterReportRowTest, WritesTheTwelveFieldsInOrder)
{
    LoanBusterState state{100000, 12.0F, 100};
    const LoanBusterResult r = BBCalc(state, 240);
    const ReportRow row = LoanBusterReportRow(state, 240, r);
    const std::vector<std::string> names{"PAmt",    "Period",  "IntRate",     "MonRep",  "TotIntPaid", "TotRep",
                                         "XtraPay", "Xper",    "XMonRep",     "XTotIntPaid", "XTotRep", "XTotSavings"};
    ASSERT_EQ(row.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(row[i].name, names[i]);
    EXPECT_EQ(std::get<double>(row[0].value), 100000);
    EXPECT_EQ(std::get<std::int16_t>(row[1].value), 240);
    EXPECT_EQ(std::get<double>(row[2].value), 12.0);
    EXPECT_EQ(std::get<double>(row[3].value), r.Repayment);
    EXPECT_EQ(std::get<double>(row[6].value), state.Extra);
    EXPECT_EQ(std::get<double>(row[7].value), 179);
    EXPECT_EQ(std::get<double>(row[11].value), r.Saving);
}

} // namespace
} // namespace revora
