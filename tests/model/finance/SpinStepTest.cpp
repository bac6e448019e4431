// The spinners: one step up or down, the wraps at the ends of the range and the beeps at 0.

#include <gtest/gtest.h>

#include <cmath>

#include "TestSupport.h"
#include "finance/SpinStep.h"

namespace revora {
namespace {

enum class Spinner { DailyBalanceRate, InflationRate, InflationPeriod };

SpinRule RuleOf(Spinner spinner)
{
    switch (spinner) {
    case Spinner::DailyBalanceRate:
        return DailyBalanceRateSpin();
    case Spinner::InflationRate:
        return InflationRateSpin();
    case Spinner::InflationPeriod:
        break;
    }
    return InflationPeriodSpin();
}

constexpr int Up = 1;
constexpr int Down = -1;

struct SpinRow {
    const char* name;
    Spinner spinner;
    double value;
    int direction;
    bool stepped;
    double result;
    bool beep;
};

class SpinTest : public ::testing::TestWithParam<SpinRow> {};

TEST_P(SpinTest, StepsWrapsAndBeeps)
{
    const SpinRow& row = GetParam();
    const SpinOutcome out = Spin(RuleOf(row.spinner), row.value, row.direction);
    EXPECT_EQ(out.stepped, row.stepped);
    EXPECT_EQ(out.value, row.result);
    EXPECT_EQ(out.beep, row.beep);
}

using enum Spinner;

const SpinRow SpinRows[] = {
    // daily balance rate
    {"rate up a quarter", DailyBalanceRate, 10, Up, true, 10.25, false},
    {"rate down a quarter", DailyBalanceRate, 10, Down, true, 9.75, false},
    {"rate down from 0.25 beeps and wraps to 50", DailyBalanceRate, 0.25, Down, true, 50, true},
    {"rate up from 50 wraps to 0.25", DailyBalanceRate, 50, Up, true, 0.25, false},
    {"rate up to exactly 50 stays", DailyBalanceRate, 49.75, Up, true, 50, false},
    {"rate up from minus 0.25 beeps at 0", DailyBalanceRate, -0.25, Up, true, 0, true},
    {"rate 0 does not step up", DailyBalanceRate, 0, Up, false, 0, false},
    {"rate 0 does not step down", DailyBalanceRate, 0, Down, false, 0, false},
    {"rate off the quarter grid keeps its own steps", DailyBalanceRate, 0.1, Down, true, -0.15, false},
    // inflation rate
    {"inflation up from 30 wraps to minus 5", InflationRate, 30, Up, true, -5, false},
    {"inflation down from minus 5 wraps to 30", InflationRate, -5, Down, true, 30, false},
    {"inflation up from minus 0.25 beeps at 0", InflationRate, -0.25, Up, true, 0, true},
    {"inflation down to 0 does not beep", InflationRate, 0.25, Down, true, 0, false},
    {"inflation 0 steps up", InflationRate, 0, Up, true, 0.25, false},
    {"inflation up to exactly 30 stays", InflationRate, 29.75, Up, true, 30, false},
    {"inflation down to exactly minus 5 stays", InflationRate, -4.75, Down, true, -5, false},
    // inflation period
    {"period down from 1 beeps and wraps to 40", InflationPeriod, 1, Down, true, 40, true},
    {"period up from 40 wraps to 1", InflationPeriod, 40, Up, true, 1, false},
    {"period up from minus 1 beeps at 0", InflationPeriod, -1, Up, true, 0, true},
    {"period up a year", InflationPeriod, 10, Up, true, 11, false},
    {"period 0 does not step", InflationPeriod, 0, Up, false, 0, false},
};
INSTANTIATE_TEST_SUITE_P(Rule, SpinTest, ::testing::ValuesIn(SpinRows), testing::RowName{});

TEST(SpinTest, RepeatedQuarterStepsStayOnTheGrid)
{
    const SpinRule rule = InflationRateSpin();
    double value = -5;
    for (int i = 0; i < 140; ++i)
        value = Spin(rule, value, Up).value;
    EXPECT_EQ(value, 30.0);
    for (int i = 0; i < 20; ++i)
        value = Spin(rule, value, Down).value;
    EXPECT_EQ(value, 25.0);
}

TEST(SpinTest, TheDailyBalanceStepCanBeChanged)
{
    EXPECT_EQ(Spin(DailyBalanceRateSpin(0.5), 10, Up).value, 10.5);
}

TEST(SpinTest, HugeValuesStayFinite)
{
    const SpinOutcome out = Spin(InflationRateSpin(), -1.7e308, Down);
    EXPECT_TRUE(std::isfinite(out.value));
}

} // namespace
} // namespace revora
