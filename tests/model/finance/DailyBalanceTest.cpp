// Daily balance interest: simple interest between two day numbers in single precision, when
// it prints, the "DailyBal" row and the date messages.

#include <gtest/gtest.h>

#include <limits>

#include "TestSupport.h"
#include "finance/DailyBalance.h"
#include "model/finance/ShownArithmetic.h"

namespace revora {
namespace {

constexpr std::int32_t March1st2015 = 42064; // days from 30/12/1899

struct InterestRow {
    const char* name;
    float capital;
    float rate;
    std::int32_t start;
    std::int32_t end;
    std::int32_t days;
    double interest;
    bool printable;
    bool saysSinglePrecision = false; // the working says the interest is not the full one
};

class DailyBalanceCalcTest : public ::testing::TestWithParam<InterestRow> {};

TEST_P(DailyBalanceCalcTest, EarnsSimpleInterestByTheDay)
{
    const InterestRow& row = GetParam();
    const DailyBalanceState state{row.capital, row.rate, row.start, row.end};
    Working working;
    const DailyBalanceResult result = DailyBalanceCalc(state, &working);
    testing::ExpectWorkingChecksOut(working, result.Interest);
    EXPECT_EQ(result.Days, row.days);
    EXPECT_NEAR(result.Interest, row.interest, 0.005);
    EXPECT_EQ(DailyBalancePrintable(result), row.printable);
    EXPECT_EQ(working.Steps().back().Text().find("single precision") != std::string::npos, row.saysSinglePrecision);
}

const InterestRow InterestRows[] = {
    // 100 000 x 10 / 100 x 30 / 365 = 821.9178
    {"100 000 at 10 percent for March 2015", 100000, 10, March1st2015, March1st2015 + 30, 30, 821.92, true},
    {"the same date twice earns nothing", 100000, 10, March1st2015, March1st2015, 0, 0, false},
    {"an end before the start gives negative days and interest", 100000, 10, March1st2015, March1st2015 - 30, -30,
     -821.92, false},
    {"no rate earns nothing and does not print", 100000, 0, March1st2015, March1st2015 + 30, 30, 0, false},
    {"one day", 36500, 1, March1st2015, March1st2015 + 1, 1, 1, true},
    // 10 960 days: 1 000 x 40 / 100 x 10 960 / 365 = 12 010.96
    {"the longest span at the highest rate", 1000, 40, March1st2015, March1st2015 + DailyBalanceSpan, 10960, 12010.96,
     true},
    // in full 120 109 577.03; single precision holds 120 109 576
    {"an interest beyond seven figures says it is held to them", 9999999, 40, March1st2015,
     March1st2015 + DailyBalanceSpan, 10960, 120109576, true, true},
};
INSTANTIATE_TEST_SUITE_P(Rule, DailyBalanceCalcTest, ::testing::ValuesIn(InterestRows), testing::RowName{});

TEST(DailyBalanceCalcTest, WorksInSinglePrecision)
{
    const DailyBalanceResult result = DailyBalanceCalc({100000, 10, March1st2015, March1st2015 + 30});
    const float daysWorth = 100000.0F * 10.0F / 100.0F * 30.0F;
    EXPECT_EQ(result.Interest, static_cast<float>(static_cast<double>(daysWorth) / 365.0));
}

TEST(DailyBalanceCalcTest, DatesNotSetGiveNoDays)
{
    EXPECT_EQ(DailyBalanceCalc(DailyBalanceState{}).Days, 0);
    EXPECT_EQ(DailyBalanceCalc(DailyBalanceState{}).Interest, 0.0F);
}

TEST(DailyBalanceCalcTest, ExtremeDayNumbersDoNotOverflow)
{
    const auto lowest = std::numeric_limits<std::int32_t>::min();
    const auto highest = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(DailyBalanceCalc({1, 1, lowest, highest}).Days, highest);
    EXPECT_EQ(DailyBalanceCalc({1, 1, highest, lowest}).Days, lowest);
}

TEST(DailyBalanceReportRowTest, WritesTheSixFields)
{
    const DailyBalanceState state{100000, 10.5F, March1st2015, March1st2015 + 30};
    const DailyBalanceResult result = DailyBalanceCalc(state);
    const ReportRow row = DailyBalanceReportRow(state, result);
    ASSERT_EQ(row.size(), 6u);
    EXPECT_EQ(row[0].name, "CapAmount");
    EXPECT_EQ(std::get<double>(row[0].value), 100000.0);
    EXPECT_EQ(row[1].name, "StartDate");
    EXPECT_EQ(std::get<std::int32_t>(row[1].value), March1st2015);
    EXPECT_EQ(row[2].name, "EndDate");
    EXPECT_EQ(std::get<std::int32_t>(row[2].value), March1st2015 + 30);
    EXPECT_EQ(row[3].name, "IntRate");
    EXPECT_EQ(std::get<double>(row[3].value), 10.5);
    EXPECT_EQ(row[4].name, "ANS1");
    EXPECT_EQ(std::get<double>(row[4].value), static_cast<double>(result.Interest));
    EXPECT_EQ(row[5].name, "ANS2");
    EXPECT_EQ(std::get<std::int32_t>(row[5].value), 30);
}

struct StepRow {
    const char* name;
    std::int32_t end;
    int direction;
    EndDateStep step;
};

class StepEndDateTest : public ::testing::TestWithParam<StepRow> {};

TEST_P(StepEndDateTest, KeepsWithinTheSpan)
{
    const StepRow& row = GetParam();
    const EndDateStep step = StepEndDate({1, 1, March1st2015, row.end}, row.direction);
    EXPECT_EQ(step.EndDate, row.step.EndDate);
    EXPECT_EQ(step.Stopped, row.step.Stopped);
}

const StepRow StepRows[] = {
    {"an end not set steps up from the start", DateNotSet, 1, {March1st2015 + 1, false}},
    {"down to the start", March1st2015 + 1, -1, {March1st2015, false}},
    {"down below the start is stopped", March1st2015, -1, {March1st2015, true}},
    {"an end not set does not step below the start", DateNotSet, -1, {DateNotSet, true}},
    {"up past the span is stopped", March1st2015 + DailyBalanceSpan, 1, {March1st2015 + DailyBalanceSpan, true}},
};
INSTANTIATE_TEST_SUITE_P(Rule, StepEndDateTest, ::testing::ValuesIn(StepRows), testing::RowName{});

TEST(DailyBalanceMessagesTest, NameTheOtherDate)
{
    EXPECT_EQ(EndDateTooLateMessage("01/03/2015"),
              "The date entered is more than 30 years(360 months) after 01/03/2015.");
    EXPECT_EQ(StartDateTooEarlyMessage("31/03/2015"),
              "The date entered is more than 30 years(360 months) before 31/03/2015.");
}

} // namespace
} // namespace revora
