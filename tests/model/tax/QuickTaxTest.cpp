// The quick tax calculation: bracket breakdown, rebate by age, tax commitment, average rates,
// the reset of "&Initialise All" and the printed row.

#include <gtest/gtest.h>

#include <variant>

#include "TestSupport.h"
#include "common/InputNumbers.h"
#include "model/WorkingCheck.h"
#include "tax/QuickTax.h"
#include "tax/TaxState.h"

namespace revora {
namespace {

// The quick tax values after "&Calculate" on an income and an age.
struct Calculated {
    Calculated(double income, std::int16_t age)
    {
        record.TaxableIncome = income;
        state.Age = age;
        QuickTaxCalculate(state, record, &working);
    }
    TaxBracketResult record;
    QuickTaxState state;
    Working working;
};

struct QuickTaxCase {
    const char* name;
    double income;
    std::int16_t age;
    double baseTax;
    double marginalRate;
    double portionTax;
    double totalTax;
    double totalRebate;
    double taxCommitment;
    double averageRate;
    double averageRateAfterRebates;
};

class QuickTaxCalculateTest : public ::testing::TestWithParam<QuickTaxCase> {};

TEST_P(QuickTaxCalculateTest, BreaksTheTaxDown)
{
    const QuickTaxCase& c = GetParam();
    const auto [record, state, working] = Calculated(c.income, c.age);
    testing::ExpectReconciles(working, state.TaxCommitment);

    EXPECT_EQ(state.IncomeCopy, c.income);
    EXPECT_EQ(record.BaseTax, c.baseTax);
    EXPECT_EQ(record.MarginalRate, c.marginalRate);
    EXPECT_NEAR(record.PortionTax, c.portionTax, 1e-6);
    EXPECT_NEAR(state.TotalTax, c.totalTax, 1e-6);
    EXPECT_EQ(state.TotalRebate, c.totalRebate);
    EXPECT_NEAR(state.TaxCommitment, c.taxCommitment, 1e-6);
    EXPECT_NEAR(state.AverageRate, c.averageRate, 1e-9);
    EXPECT_NEAR(state.AverageRateAfterRebates, c.averageRateAfterRebates, 1e-9);
}

const QuickTaxCase RebateCases[] = {
    {"500 000 at 40 gets the primary rebate", 500000, 40, 93135, 36, 38448, 131583, 13257, 118326, 26.3166, 23.6652},
    {"500 000 at 64 still gets the primary rebate", 500000, 64, 93135, 36, 38448, 131583, 13257, 118326, 26.3166,
     23.6652},
    {"500 000 at 65 adds 7 407", 500000, 65, 93135, 36, 38448, 131583, 20664, 110919, 26.3166, 22.1838},
    {"500 000 at 74 still adds 7 407", 500000, 74, 93135, 36, 38448, 131583, 20664, 110919, 26.3166, 22.1838},
    {"500 000 at 75 adds 9 873", 500000, 75, 93135, 36, 38448, 131583, 23130, 108453, 26.3166, 21.6906},
};
INSTANTIATE_TEST_SUITE_P(Rebates, QuickTaxCalculateTest, ::testing::ValuesIn(RebateCases), testing::RowName{});

const QuickTaxCase FloorCases[] = {
    {"50 000 at 30 owes nothing after rebates", 50000, 30, 0, 18, 9000, 9000, 13257, 0, 18, 0},
    {"73 650 at 40 is taxed exactly the rebate", 73650, 40, 0, 18, 13257, 13257, 13257, 0, 18, 0},
    {"one rand more owes 18 cents", 73651, 40, 0, 18, 13257.18, 13257.18, 13257, 0.18, 18, 0.18 / 73651 * 100},
    // No tax before rebates: the average shows the marginal rate rather than dividing by 0.
    {"no income shows the marginal rate as average", 0, 40, 0, 18, 0, 0, 13257, 0, 18, 0},
    {"a loss shows the marginal rate and owes nothing", -10000, 40, 0, 18, -1800, -1800, 13257, 0, 18, 0},
    {"exactly 181 900 at 40", 181900, 40, 0, 18, 32742, 32742, 13257, 19485, 18, 19485.0 / 181900 * 100},
};
INSTANTIATE_TEST_SUITE_P(Floors, QuickTaxCalculateTest, ::testing::ValuesIn(FloorCases), testing::RowName{});

TEST(QuickTaxCalculate, ExplainsTheTableTaxWithTheFiguresFilledIn)
{
    const Working working = Calculated(240000, 40).working;
    EXPECT_EQ(working.Steps()[1].Text(),
              "Tax on R 240 000.00 from the table: 32 742.00 + 26 % of (240 000.00 \u2212 181 900.00) = 47 848.00");
    EXPECT_EQ(working.Steps()[1].Text(PrintLanguage::Afrikaans),
              "Belasting op R 240 000.00 volgens die tabel: 32 742.00 + 26 % van (240 000.00 \u2212 181 900.00) = 47 848.00");
}

struct TypedAgeCase {
    const char* name;
    const char* typedAge;
    std::int16_t age;
    double totalRebate;
};

class QuickTaxTypedAgeTest : public ::testing::TestWithParam<TypedAgeCase> {};

TEST_P(QuickTaxTypedAgeTest, RoundsTheAgeHalfToEvenBeforeTheRebate)
{
    const auto age = RoundHalfEvenToInt16(ReadTypedNumber(GetParam().typedAge, false).value);
    ASSERT_TRUE(age.has_value());
    EXPECT_EQ(*age, GetParam().age);

    EXPECT_EQ(Calculated(500000, *age).state.TotalRebate, GetParam().totalRebate);
}

const TypedAgeCase TypedAgeCases[] = {
    {"64.5 rounds down to 64 and gets the primary rebate", "64.5", 64, 13257},
    {"64.6 rounds up to 65 and adds 7 407", "64.6", 65, 20664},
    {"65.5 rounds up to 66", "65.5", 66, 20664},
    {"74.5 rounds down to 74", "74.5", 74, 20664},
    {"75.5 rounds up to 76 and adds 9 873", "75.5", 76, 23130},
};
INSTANTIATE_TEST_SUITE_P(TypedAges, QuickTaxTypedAgeTest, ::testing::ValuesIn(TypedAgeCases), testing::RowName{});

TEST(QuickTaxCalculate, LowerIncomeAfterHigherLeavesNothingStale)
{
    auto [record, state, working] = Calculated(1000000, 80);
    state.Age = 40;
    record.TaxableIncome = 0;
    QuickTaxCalculate(state, record);

    EXPECT_EQ(state.IncomeCopy, 0);
    EXPECT_EQ(state.AgePart, 0);
    EXPECT_EQ(state.TotalRebate, 13257);
    EXPECT_EQ(state.TotalTax, 0);
    EXPECT_EQ(state.TaxCommitment, 0);
    EXPECT_EQ(state.AverageRate, 18);
    EXPECT_EQ(state.AverageRateAfterRebates, 0);
}

TEST(QuickTaxCalculate, UsesTheIncomeAnotherScreenLeftInTheRecord)
{
    // The screen opens on whatever income the last tax screen passed to the engine.
    TaxBracketResult record;
    record.TaxableIncome = 200000;
    TaxFromTable(record);
    QuickTaxState state;
    state.IncomeCopy = 12345;
    QuickTaxCalculate(state, record);
    EXPECT_EQ(state.IncomeCopy, 200000);
    EXPECT_EQ(state.TotalTax, 37448);
    // The screen says whose income it is; one typed here has no note.
    EXPECT_EQ(QuickTaxIncomeNote("Fortnightly"), "from Fortnightly's last calculation");
    EXPECT_EQ(QuickTaxIncomeNote(""), "");
    // "&Initialise All" keeps the income, and so who set it.
    TaxState tax;
    tax.TaxBracketResult.TaxableIncome = 200000;
    tax.IncomeFrom = "Monthly";
    tax.Reset();
    EXPECT_EQ(tax.IncomeFrom, "Monthly");
}

TEST(QuickTaxInitialise, ResetsOnlyTheFourValuesAndRecalculationRestoresThem)
{
    auto [record, state, working] = Calculated(500000, 65);
    const QuickTaxState before = state;

    QuickTaxInitialise(state);
    EXPECT_EQ(state.TotalTax, 0);
    EXPECT_EQ(state.TaxCommitment, 0);
    EXPECT_EQ(state.PrimaryRebate, 0);
    EXPECT_EQ(state.AverageRate, 0);
    EXPECT_EQ(state.Age, 65);
    EXPECT_EQ(state.IncomeCopy, 500000);
    EXPECT_EQ(state.TotalRebate, 20664);
    EXPECT_EQ(state.AgePart, 7407);
    EXPECT_EQ(state.AverageRateAfterRebates, before.AverageRateAfterRebates);

    QuickTaxCalculate(state, record);
    EXPECT_EQ(state.TotalTax, before.TotalTax);
    EXPECT_EQ(state.TaxCommitment, before.TaxCommitment);
    EXPECT_EQ(state.PrimaryRebate, 13257);
    EXPECT_EQ(state.AverageRate, before.AverageRate);
}

TEST(QuickTaxReportRow, WritesTheElevenFieldsInOrder)
{
    const auto [record, state, working] = Calculated(500000, 40);
    const ReportRow row = QuickTaxReportRow(state, record);

    struct Expected {
        const char* name;
        double value;
    };
    const Expected expected[] = {
        {"AGE", 40},        {"TAXINCOME", 500000}, {"TAXTOPAY", 93135},     {"MARGRATE", 36},
        {"PORTION", 38448}, {"TOTTAX", 131583},    {"REBATE", 13257},       {"TAXCOM4", 118326},
        {"AVRATE", 26.3166}, {"AVRATEAFT", 23.6652}, {"TAXCOM4/2", 9860.5},
    };
    ASSERT_EQ(row.size(), std::size(expected));
    for (std::size_t i = 0; i < row.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(row[i].name, expected[i].name);
        if (i == 0) {
            // The age is the only 16-bit field; the rest are doubles.
            ASSERT_TRUE(std::holds_alternative<std::int16_t>(row[i].value));
            EXPECT_EQ(std::get<std::int16_t>(row[i].value), 40);
        } else {
            ASSERT_TRUE(std::holds_alternative<double>(row[i].value));
            EXPECT_NEAR(std::get<double>(row[i].value), expected[i].value, 1e-9);
        }
    }
}

TEST(QuickTaxReportRow, PrintsTheIncomeCopyNotTheRecordsLaterIncome)
{
    // Another screen may have moved TaxableIncome on since the quick tax calculation.
    auto [record, state, working] = Calculated(500000, 40);
    record.TaxableIncome = 1;
    const ReportRow row = QuickTaxReportRow(state, record);
    EXPECT_EQ(std::get<double>(row[1].value), 500000);
}

} // namespace
} // namespace revora
