// Day numbers counted from 30 December 1899 and their "dd/mm/yyyy" texts.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "common/DayDate.h"

namespace revora {
namespace {

struct DateCase {
    const char* name;
    int dayNumber;
    const char* text;
};

class DayDateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(DayDateTest, FormatsAndParsesBothWays)
{
    const DateCase& c = GetParam();
    EXPECT_EQ(FormatDayDate(c.dayNumber), c.text);
    EXPECT_EQ(ParseDayDate(c.text), c.dayNumber);
}

const DateCase DateCases[] = {
    {"day 0 is 30 December 1899", 0, "30/12/1899"},
    {"day 2 is 1 January 1900", 2, "01/01/1900"},
    {"1900 has no 29 February so day 61 is 1 March", 61, "01/03/1900"},
    {"2000 is a leap year", 36585, "29/02/2000"},
    {"the day before the tax year", 42063, "28/02/2015"},
    {"the first day of the tax year", 42064, "01/03/2015"},
    {"the last day of the tax year", 42429, "29/02/2016"},
    {"the day after the tax year", 42430, "01/03/2016"},
    {"the last day a four digit year holds", 2958465, "31/12/9999"},
};
INSTANTIATE_TEST_SUITE_P(Dates, DayDateTest, ::testing::ValuesIn(DateCases), testing::RowName{});

struct TypedCase {
    const char* name;
    const char* text;
    std::optional<int> dayNumber;
};

class ParseDayDateTest : public ::testing::TestWithParam<TypedCase> {};

TEST_P(ParseDayDateTest, AcceptsOnlyRealDates)
{
    EXPECT_EQ(ParseDayDate(GetParam().text), GetParam().dayNumber);
}

const TypedCase TypedCases[] = {
    {"one digit day and month are accepted", "1/3/2015", 42064},
    {"29 February in a year that is not leap", "29/02/2015", std::nullopt},
    {"29 February 1900", "29/02/1900", std::nullopt},
    {"31 April", "31/04/2015", std::nullopt},
    {"day 0", "00/03/2015", std::nullopt},
    {"day 32", "32/01/2015", std::nullopt},
    {"month 0", "01/00/2015", std::nullopt},
    {"month 13", "01/13/2015", std::nullopt},
    {"a two digit year", "01/03/15", std::nullopt},
    {"a five digit year", "01/03/20150", std::nullopt},
    {"a three digit day", "001/03/2015", std::nullopt},
    {"dashes for slashes", "01-03-2015", std::nullopt},
    {"a missing day", "/03/2015", std::nullopt},
    {"a missing year", "01/03/", std::nullopt},
    {"a fourth part", "01/03/2015/1", std::nullopt},
    {"trailing text", "01/03/2015x", std::nullopt},
    {"letters", "aa/bb/cccc", std::nullopt},
    {"an empty box", "", std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(Typed, ParseDayDateTest, ::testing::ValuesIn(TypedCases), testing::RowName{});

TEST(DayDate, EveryDayFrom1900To2100ReadsBackAsItself)
{
    const int first = *ParseDayDate("01/01/1900");
    const int last = *ParseDayDate("31/12/2100");
    for (int day = first; day <= last; ++day) {
        const std::string text = FormatDayDate(day);
        ASSERT_EQ(ParseDayDate(text), day) << text;
        ASSERT_EQ(DayNumberFromCivil(CivilFromDayNumber(day)), day);
    }
}

} // namespace
} // namespace revora
