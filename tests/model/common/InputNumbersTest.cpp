// How typed box text becomes a number, and 16-bit counts rounded half to even.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "TestSupport.h"
#include "common/InputNumbers.h"

namespace revora {
namespace {

using Reading = TypedNumber::Reading;

struct TypedCase {
    const char* name;
    std::string text;
    Reading reading;
    double value = 0;         // when read as a number
    bool negativeAllowed = true;
};

class ReadTypedNumberTest : public ::testing::TestWithParam<TypedCase> {};

TEST_P(ReadTypedNumberTest, ReadsTheNumberMeantOrSaysWhyNot)
{
    const TypedCase& row = GetParam();
    const TypedNumber read = ReadTypedNumber(row.text, row.negativeAllowed);
    ASSERT_EQ(read.reading, row.reading) << read.problem;
    if (read.reading == Reading::Number)
        EXPECT_NEAR(read.value, row.value, 1e-9 * std::max(1.0, std::abs(row.value)));
    else
        EXPECT_FALSE(read.problem.empty());
}

const TypedCase TypedCases[] = {
    {"an empty box is 0", "", Reading::Number, 0},
    {"blanks alone are 0", "   ", Reading::Number, 0},
    {"plain digits", "14500", Reading::Number, 14500},
    {"a decimal point is never dropped", "14500.75", Reading::Number, 14500.75},
    {"a shown amount reads back", "1 250 000.50", Reading::Number, 1250000.5},
    {"commas group thousands before a point", "15,000.50", Reading::Number, 15000.5},
    {"a pasted amount", "3,500.50", Reading::Number, 3500.5},
    {"rand sign, blank groups and a decimal comma", "R 15 000,50", Reading::Number, 15000.5},
    {"a decimal comma", "1,5", Reading::Number, 1.5},
    {"a lone comma before three digits groups thousands", "1,500", Reading::Number, 1500},
    {"a comma after four digits is decimal", "1234,567", Reading::Number, 1234.567},
    {"several comma groups", "1,250,000", Reading::Number, 1250000},
    {"a lower-case r and no blank", "r500", Reading::Number, 500},
    {"minus before the rand sign", "-R 1 800.50", Reading::Number, -1800.5},
    {"minus after the rand sign", "R -500", Reading::Number, -500},
    {"a typographic minus and a non-breaking blank", "\u2212" "1\u00A0000", Reading::Number, -1000},
    {"a thin blank groups thousands", "12\u2009345", Reading::Number, 12345},
    {"a leading point starts a fraction", ".5", Reading::Number, 0.5},
    {"a trailing point", "12.", Reading::Number, 12},
    {"a plus sign", "+7", Reading::Number, 7},
    {"many zeros before a digit are still 0", "0." + std::string(400, '0') + "1", Reading::Number, 0},
    // Not yet a number, but typing on may make one.
    {"the rand sign alone", "R", Reading::Unfinished},
    {"a sign alone", "-", Reading::Unfinished},
    {"a point alone", ".", Reading::Unfinished},
    {"a group still being typed", "1 23", Reading::Unfinished},
    {"a comma group still being typed", "1,000,", Reading::Unfinished},
    // Never a number.
    {"a minus where amounts cannot be negative", "-14500", Reading::Refused, 0, false},
    {"a sign alone where amounts cannot be negative", "-", Reading::Refused, 0, false},
    {"letters after digits", "12abc", Reading::Refused},
    {"letters alone", "abc", Reading::Refused},
    {"two signs", "--5", Reading::Refused},
    {"a minus inside", "12-3", Reading::Refused},
    {"two decimal points", "3.5.6", Reading::Refused},
    {"a group of two", "1,50,000", Reading::Refused},
    {"a group of four", "12 3456", Reading::Refused},
    {"a first group of four", "1234 567", Reading::Refused},
    {"a short group before the decimals", "1 23.5", Reading::Refused},
    {"a comma among the decimals", "1.500,25", Reading::Refused},
    {"a blank among the decimals", "1.5 0", Reading::Refused},
    {"a rand sign after the digits", "500R", Reading::Refused},
    {"a digit run too long for a double", "1" + std::string(400, '0'), Reading::Refused},
};
INSTANTIATE_TEST_SUITE_P(Texts, ReadTypedNumberTest, ::testing::ValuesIn(TypedCases), testing::RowName{});

struct RoundCase {
    const char* name;
    double value;
    std::optional<std::int16_t> rounded;
};

class RoundHalfEvenToInt16Test : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfEvenToInt16Test, RoundsHalvesToEvenWithinRange)
{
    EXPECT_EQ(RoundHalfEvenToInt16(GetParam().value), GetParam().rounded);
}

constexpr double Infinity = std::numeric_limits<double>::infinity();

const RoundCase RoundCases[] = {
    {"64.5 becomes 64", 64.5, 64},
    {"65.5 becomes 66", 65.5, 66},
    {"0.5 becomes 0", 0.5, 0},
    {"1.5 becomes 2", 1.5, 2},
    {"minus 0.5 becomes 0", -0.5, 0},
    {"minus 1.5 becomes minus 2", -1.5, -2},
    {"just below a half rounds down", 2.4999, 2},
    {"just above a half rounds up", 2.5001, 3},
    {"the largest value is kept", 32767, 32767},
    {"just under a half above the largest rounds back into range", 32767.4, 32767},
    {"a half above the largest rounds out of range", 32767.5, std::nullopt},
    {"one above the largest is out of range", 32768, std::nullopt},
    {"an age of 40 000 is out of range", 40000, std::nullopt},
    {"the smallest value is kept", -32768, -32768},
    {"a half below the smallest rounds to the even smallest", -32768.5, -32768},
    {"one below the smallest is out of range", -32769, std::nullopt},
    {"not a number is rejected", std::numeric_limits<double>::quiet_NaN(), std::nullopt},
    {"infinity is rejected", Infinity, std::nullopt},
    {"minus infinity is rejected", -Infinity, std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(Values, RoundHalfEvenToInt16Test, ::testing::ValuesIn(RoundCases), testing::RowName{});

} // namespace
} // namespace revora
