// The inflation projection: future value and buying power year by year, the too-large limit,
// when it prints and the "Inflation" row.

#include <gtest/gtest.h>

#include <cmath>

#include "TestSupport.h"
#include "finance/Inflation.h"
#include "model/finance/ShownArithmetic.h"

namespace revora {
namespace {

struct InflationRow {
    const char* name;
    double cost;
    double period;
    double rate;
    double future;
    double power;
    bool tooLarge;
    bool printable;
};

class InflationCalcTest : public ::testing::TestWithParam<InflationRow> {};

TEST_P(InflationCalcTest, ProjectsYearByYear)
{
    const InflationRow& row = GetParam();
    InflationState state{row.cost, row.period, row.rate};
    Working working;
    InflationCalc(state, &working);
    testing::ExpectWorkingChecksOut(working, state.FutureValue);
    EXPECT_NEAR(state.FutureValue, row.future, row.future * 1e-9 + 0.005);
    EXPECT_NEAR(state.BuyingPower, row.power, 0.005);
    EXPECT_EQ(FutureValueTooLarge(state), row.tooLarge);
    EXPECT_EQ(InflationPrintable(state), row.printable);
    EXPECT_EQ(state.PresentCost, row.cost);
    EXPECT_EQ(state.Period, row.period);
    EXPECT_EQ(state.Rate, row.rate);
}

const InflationRow InflationRows[] = {
    {"100 000 at 6 percent for 10 years", 100000, 10, 6, 179084.77, 55839.48, false, true},
    {"period 0 keeps the present cost", 100000, 0, 6, 100000, 100000, false, true},
    {"a fractional period counts its whole years", 100000, 10.9, 6, 179084.77, 55839.48, false, true},
    {"a period under a year keeps the present cost", 100000, 0.5, 6, 100000, 100000, false, true},
    {"minus 5 percent for 10 years", 100000, 10, -5, 59873.69, 167018.26, false, true},
    {"1 000 at 40 percent for 40 years is shown", 1000, 40, 40, 700037696.59, 0.0014, false, true},
    {"20 000 at 40 percent for 40 years is too large", 20000, 40, 40, 14000753931.82, 0.0286, true, false},
    {"no present cost has nothing to print", 0, 10, 6, 0, 0, false, false},
    {"rate 0 keeps the present cost", 5000, 40, 0, 5000, 5000, false, true},
};
INSTANTIATE_TEST_SUITE_P(Rule, InflationCalcTest, ::testing::ValuesIn(InflationRows), testing::RowName{});

TEST(FutureValueTooLargeTest, TheLimitItselfStillFits)
{
    InflationState state;
    state.FutureValue = LargestShownFutureValue;
    EXPECT_FALSE(FutureValueTooLarge(state));
    state.FutureValue = 10000000000.0;
    EXPECT_TRUE(FutureValueTooLarge(state));
}

TEST(InflationCalcTest, MinusOneHundredPercentDoesNotDivideByZero)
{
    InflationState state{1000, 5, -100};
    InflationCalc(state);
    EXPECT_TRUE(std::isfinite(state.FutureValue));
    EXPECT_TRUE(std::isfinite(state.BuyingPower));
}

TEST(InflationCalcTest, AHugePeriodEnds)
{
    InflationState state{1000, 1e300, 0.25};
    InflationCalc(state);
    EXPECT_TRUE(std::isfinite(state.FutureValue));
    EXPECT_TRUE(FutureValueTooLarge(state));
}

TEST(InflationReportRowTest, WritesTheFiveFields)
{
    InflationState state{100000, 10, 6};
    InflationCalc(state);
    const ReportRow row = InflationReportRow(state);
    const char* names[] = {"PresCost", "Period", "InflaRate", "Ans1", "ANS2"};
    const double values[] = {100000, 10, 6, state.FutureValue, state.BuyingPower};
    ASSERT_EQ(row.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(row[i].name, names[i]);
        EXPECT_EQ(std::get<double>(row[i].value), values[i]);
    }
}

} // namespace
} // namespace revora
