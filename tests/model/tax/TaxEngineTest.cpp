// The income-tax engine on annual taxable incomes either side of every bracket threshold.

#include <gtest/gtest.h>

#include <cmath>

#include "TestSupport.h"
#include "tax/TaxEngine.h"
#include "tax/TaxYearRules.h"

namespace revora {
namespace {

// The six brackets as the tax table states them, written out here so that a wrong constant
// in the program shows up as a failure rather than agreeing with itself.
struct ExpectedBracket {
    double rate;
    double floor;
    double ceiling;
};
constexpr ExpectedBracket Brackets[] = {
    {18, 0, 181900},      {26, 181900, 284100}, {31, 284100, 393200},
    {36, 393200, 550100}, {39, 550100, 701300}, {41, 701300, 9999999999},
};

struct TaxCase {
    const char* name;
    double income;
    int bracket; // 1..6
    double baseTax;
    double portionTax;
    double taxBeforeRebates;
};

class TaxFromTableTest : public ::testing::TestWithParam<TaxCase> {};

TEST_P(TaxFromTableTest, ChoosesBracketAndTaxes)
{
    const TaxCase& c = GetParam();
    TaxBracketResult record;
    record.TaxableIncome = c.income;
    TaxFromTable(record);

    const ExpectedBracket& bracket = Brackets[c.bracket - 1];
    EXPECT_EQ(record.MarginalRate, bracket.rate);
    EXPECT_EQ(record.BracketFloor, bracket.floor);
    EXPECT_EQ(record.BracketCeiling, bracket.ceiling);
    EXPECT_EQ(record.BaseTax, c.baseTax);
    // A millionth of a rand, widened for the incomes in the billions.
    const double tolerance = 1e-6 + 1e-12 * std::abs(c.taxBeforeRebates);
    EXPECT_NEAR(record.PortionTax, c.portionTax, tolerance);
    EXPECT_NEAR(record.TaxBeforeRebates, c.taxBeforeRebates, tolerance);
    EXPECT_EQ(record.TaxableIncome, c.income) << "the input is left as the caller set it";
}

const TaxCase BracketCases[] = {
    // Bracket 1 takes everything up to 181 900, zero and losses included.
    {"a loss of 10 000 is bracket 1 and gives minus 1 800", -10000, 1, 0, -1800, -1800},
    {"no income is bracket 1 with no tax", 0, 1, 0, 0, 0},
    {"one cent is bracket 1", 0.01, 1, 0, 0.0018, 0.0018},
    {"exactly 181 900 stays in bracket 1", 181900, 1, 0, 32742, 32742},
    {"one cent above 181 900 moves to bracket 2", 181900.01, 2, 32742, 0.0026, 32742.0026},
    {"200 000 is bracket 2", 200000, 2, 32742, 4706, 37448},
    {"exactly 284 100 stays in bracket 2", 284100, 2, 32742, 26572, 59314},
    {"one cent above 284 100 moves to bracket 3", 284100.01, 3, 59314, 0.0031, 59314.0031},
    {"exactly 393 200 stays in bracket 3", 393200, 3, 59314, 33821, 93135},
    {"one cent above 393 200 moves to bracket 4", 393200.01, 4, 93135, 0.0036, 93135.0036},
    {"500 000 is bracket 4", 500000, 4, 93135, 38448, 131583},
    {"exactly 550 100 stays in bracket 4", 550100, 4, 93135, 56484, 149619},
    {"one cent above 550 100 moves to bracket 5", 550100.01, 5, 149619, 0.0039, 149619.0039},
    {"exactly 701 300 stays in bracket 5", 701300, 5, 149619, 58968, 208587},
    {"one rand above 701 300 moves to bracket 6", 701301, 6, 208587, 0.41, 208587.41},
    {"1 000 000 is bracket 6", 1000000, 6, 208587, 122467, 331054},
    {"the shown ceiling of bracket 6 is still bracket 6", 9999999999, 6, 208587, 4099712466.59, 4099921053.59},
    {"an income above the shown ceiling stays in bracket 6", 20000000000, 6, 208587, 8199712467, 8199921054},
};
INSTANTIATE_TEST_SUITE_P(Brackets, TaxFromTableTest, ::testing::ValuesIn(BracketCases), testing::RowName{});

TEST(TaxFromTable, IncomeTaxedExactlyThePrimaryRebateLeavesExactlyNothing)
{
    // Compared exactly: a stray fraction of a cent here would show as tax owed after rebates.
    TaxBracketResult record;
    record.TaxableIncome = 73650;
    TaxFromTable(record);
    EXPECT_EQ(record.TaxBeforeRebates, 13257.0);
    EXPECT_EQ(record.TaxBeforeRebates - RebateForAge(40), 0.0);
}

TEST(TaxFromTable, LaterCallOverwritesEveryOutput)
{
    TaxBracketResult record;
    record.TaxableIncome = 1000000;
    TaxFromTable(record);
    record.TaxableIncome = 50000;
    TaxFromTable(record);
    EXPECT_EQ(record.MarginalRate, 18);
    EXPECT_EQ(record.BracketFloor, 0);
    EXPECT_EQ(record.BracketCeiling, 181900);
    EXPECT_EQ(record.BaseTax, 0);
    EXPECT_EQ(record.PortionTax, 9000);
    EXPECT_EQ(record.TaxBeforeRebates, 9000);
}

TEST(TaxTable, EachBaseTaxIsThePreviousBracketFilled)
{
    // The base taxes are stored, not derived; this keeps them in step with rates and floors.
    for (std::size_t i = 1; i < TaxTable.size(); ++i) {
        SCOPED_TRACE(::testing::Message() << "bracket " << i + 1);
        const TaxBracket& previous = TaxTable[i - 1];
        EXPECT_EQ(TaxTable[i].floor, previous.ceiling);
        EXPECT_EQ(TaxTable[i].baseTax, previous.baseTax + (previous.ceiling - previous.floor) * previous.rate / 100);
    }
}

} // namespace
} // namespace revora
