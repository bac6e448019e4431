// The "### ### ##0.00" amount format of the screens and printouts.

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "TestSupport.h"
#include "common/AmountFormat.h"

namespace revora {
namespace {

struct AmountCase {
    const char* name;
    double value;
    int decimals;
    const char* text;
};

class FormatAmountTest : public ::testing::TestWithParam<AmountCase> {};

TEST_P(FormatAmountTest, GroupsThousandsWithBlanks)
{
    EXPECT_EQ(FormatAmount(GetParam().value, GetParam().decimals), GetParam().text);
}

constexpr double Infinity = std::numeric_limits<double>::infinity();

const AmountCase AmountCases[] = {
    {"zero shows its whole digit", 0, 2, "0.00"},
    {"three whole digits need no blank", 100, 2, "100.00"},
    {"four whole digits take one blank", 1000, 2, "1 000.00"},
    {"500 000", 500000, 2, "500 000.00"},
    {"a negative amount keeps its sign before the groups", -1800, 2, "-1 800.00"},
    {"a negative of three digits has no blank after the sign", -100, 2, "-100.00"},
    {"seven whole digits take two blanks", 1234567.891, 2, "1 234 567.89"},
    {"the shown ceiling of the tax table", 9999999999, 2, "9 999 999 999.00"},
    {"half a cent rounds up", 0.005, 2, "0.01"},
    {"rounding carries into a new group", 999.999, 2, "1 000.00"},
    {"a negative rounded to nothing shows no sign", -0.004, 2, "0.00"},
    {"a negative half cent keeps its sign", -0.005, 2, "-0.01"},
    {"no decimals has no point", 1083, 0, "1 083"},
    {"four decimals for the average rates", 26.3166, 4, "26.3166"},
    {"infinity shows nothing", Infinity, 2, ""},
    {"minus infinity shows nothing", -Infinity, 2, ""},
    {"not a number shows nothing", std::numeric_limits<double>::quiet_NaN(), 2, ""},
};
INSTANTIATE_TEST_SUITE_P(Amounts, FormatAmountTest, ::testing::ValuesIn(AmountCases), testing::RowName{});

TEST(FormatFullPrecision, ReadsBackAsTheSameDouble)
{
    for (const double value : {26.3166, 23.6652, 0.1 + 0.2, 131583.0, -1800.0, 1e-7, 4099921053.59, 1e300}) {
        SCOPED_TRACE(value);
        EXPECT_EQ(std::stod(FormatFullPrecision(value)), value);
    }
    EXPECT_EQ(FormatFullPrecision(500000), "500000");
    EXPECT_EQ(FormatFullPrecision(std::numeric_limits<double>::quiet_NaN()), "");
}

} // namespace
} // namespace revora
