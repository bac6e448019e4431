// How typed box text becomes a number: the leading number of the text, and 16-bit counts
// rounded half to even.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "TestSupport.h"
#include "tax/InputNumbers.h"

namespace revora {
namespace {

struct LeadingCase {
    const char* name;
    std::string text;
    double value;
};

class LeadingNumberTest : public ::testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumberTest, ReadsTheNumberAtTheStart)
{
    const double value = LeadingNumber(GetParam().text);
    EXPECT_NEAR(value, GetParam().value, 1e-9 * std::max(1.0, std::abs(GetParam().value)));
}

const LeadingCase LeadingCases[] = {
    // Text after the number is ignored; text with no number reads as 0.
    {"digits then letters read as the digits", "12abc", 12},
    {"letters alone read as 0", "abc", 0},
    {"an empty box reads as 0", "", 0},
    {"blanks alone read as 0", "   ", 0},
    {"a point alone reads as 0", ".", 0},
    {"a sign alone reads as 0", "-", 0},
    {"a sign before letters reads as 0", "-abc", 0},
    {"a second sign ends the text", "--5", 0},
    {"a minus inside ends the number", "12-3", 12},
    {"a second point ends the number", "3.5.6", 3.5},
    // Shown amounts read back as typed ones.
    {"a shown amount with blanks reads back whole", "500 000.00", 500000},
    {"a shown negative amount reads back", "-1 800.50", -1800.5},
    {"leading blanks are skipped", "  42", 42},
    {"a plus sign is accepted", "+7", 7},
    {"a minus sign is kept", "-10000", -10000},
    {"a blank after the sign is skipped", "- 5", -5},
    {"a leading point starts a fraction", ".5", 0.5},
    {"cents are kept", "0.005", 0.005},
    {"a digit run longer than kept is scaled, not cut", "1" + std::string(80, '0'), 1e80},
    {"leading zeros before a long number do not swallow it", std::string(70, '0') + "1", 1},
    {"a long run of zeros reads as 0", std::string(400, '0'), 0},
};
INSTANTIATE_TEST_SUITE_P(Texts, LeadingNumberTest, ::testing::ValuesIn(LeadingCases), testing::RowName{});

TEST(LeadingNumber, DigitsTooManyForADoubleGiveInfinity)
{
    // Callers range-check; what matters is that no NaN escapes.
    EXPECT_EQ(LeadingNumber("1" + std::string(400, '0')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumber("-1" + std::string(400, '0')), -std::numeric_limits<double>::infinity());
}

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
