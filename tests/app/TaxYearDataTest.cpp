// The tax years' data files: every year reads back with figures that hold together, the 2016
// file is the year the calculations know today, and a damaged file is refused, naming the file
// and the field, rather than worked with.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "Database.h"
#include "TaxYearData.h"
#include "TestSupport.h"
#include "payroll/PayeCommon.h"
#include "tax/QuickTax.h"
#include "tax/TaxYearRules.h"
#include "vehicle/DeemedCostTable.h"

namespace revora {
namespace {

const QString Folder = QStringLiteral(REVORA_TEST_INSTALL_DIR "/tax-years");

// Reading a year checks its arithmetic (TaxYearFaults): a published figure that fails it is
// named here with its year and field.
class TaxYearFileTest : public ::testing::TestWithParam<int> {};

TEST_P(TaxYearFileTest, ReadsBackWithFiguresThatHoldTogether)
{
    const int year = GetParam();
    try {
        const TaxYear read = ReadTaxYear(QStringLiteral("%1/%2.json").arg(Folder).arg(year));
        EXPECT_EQ(read.Year, year);
        EXPECT_EQ(read.Label, QStringLiteral("%1/%2").arg(year - 1).arg(year % 100, 2, 10, QChar('0')).toStdString());
        EXPECT_TRUE(TaxYearFaults(read).empty());
    } catch (const StorageError& e) {
        ADD_FAILURE() << e.message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(EveryYear, TaxYearFileTest, ::testing::Range(2015, 2028),
                         [](const ::testing::TestParamInfo<int>& info) { return std::to_string(info.param); });

TEST(TaxYearData, TheFolderGivesTheThirteenYearsNewestFirst)
{
    const std::vector<TaxYear> years = ReadTaxYears(Folder);
    ASSERT_EQ(years.size(), 13u);
    for (std::size_t i = 0; i < years.size(); ++i)
        EXPECT_EQ(years[i].Year, 2027 - static_cast<int>(i));
}

// The 2016 file and the constants the calculations read today may not drift apart.
TEST(TaxYearData, The2016FileIsTheYearTheCalculationsKnow)
{
    const TaxYear year = ReadTaxYear(Folder + "/2016.json");
    EXPECT_EQ(year.Start, TaxYearStart);
    EXPECT_EQ(year.End, TaxYearEnd);
    ASSERT_EQ(year.Brackets.size(), TaxTable.size());
    for (std::size_t i = 0; i < TaxTable.size(); ++i) {
        EXPECT_EQ(year.Brackets[i].Over, TaxTable[i].floor) << i;
        EXPECT_EQ(year.Brackets[i].Base, TaxTable[i].baseTax) << i;
        EXPECT_DOUBLE_EQ(year.Brackets[i].Rate * 100.0, TaxTable[i].rate) << i;
    }
    EXPECT_EQ(year.Rebates.Primary, PrimaryRebateAmount);
    EXPECT_EQ(year.Rebates.Secondary, SecondaryRebatePart);
    EXPECT_EQ(year.Rebates.Secondary + year.Rebates.Tertiary, TertiaryRebatePart); // all that is added from 75
    EXPECT_EQ(year.MedicalCredits.MainMember, MedicalCreditPerMonth(1));
    EXPECT_EQ(year.MedicalCredits.MainMember + year.MedicalCredits.FirstDependant, MedicalCreditPerMonth(2));
    EXPECT_EQ(year.MedicalCredits.EachAdditional, MedicalCreditPerMonth(3) - MedicalCreditPerMonth(2));

    const PayeSettings seed;
    ASSERT_EQ(year.Uif.MonthlyCeilings.size(), 1u);
    EXPECT_EQ(year.Uif.MonthlyCeilings[0].Amount, seed.UIFLimit);
    EXPECT_DOUBLE_EQ(year.Uif.EmployeeRate * 100.0, seed.EmployeeUIF);
    EXPECT_DOUBLE_EQ(year.Uif.EmployerRate * 100.0, seed.EmployerUIF);
    EXPECT_DOUBLE_EQ(year.SdlRate * 100.0, seed.SkillLevy);
    ASSERT_TRUE(year.DeemedCostTable);
    for (const DeemedCostBand& band : *year.DeemedCostTable) {
        const DeemedCost& known = DeemedCostFor(band.ValueUpTo.value_or(1e12));
        EXPECT_EQ(band.FixedCost, known.FixedCost);
        EXPECT_DOUBLE_EQ(band.FuelCentsPerKm / 100.0, known.FuelRate);
        EXPECT_DOUBLE_EQ(band.MaintenanceCentsPerKm / 100.0, known.MaintenanceRate);
    }
}

// Each year's tax on an income and its rebates at 40, 70 and 80, worked by hand from the year's
// published table: base + rate x the part above the bracket's floor, as the comment shows.
struct YearTaxCase {
    const char* name;
    int year;
    double income;
    double tax;        // before rebates
    double rebates[3]; // at 40, 70 and 80
};

class YearTaxTest : public ::testing::TestWithParam<YearTaxCase> {};

TEST_P(YearTaxTest, IsTheTableLessTheRebatesOfTheAge)
{
    const YearTaxCase& c = GetParam();
    const TaxYear year = ReadTaxYear(QStringLiteral("%1/%2.json").arg(Folder).arg(c.year));
    const std::int16_t ages[] = {40, 70, 80};
    for (int i = 0; i < 3; ++i) {
        QuickTaxState state{.Age = ages[i]};
        TaxBracketResult record{.TaxableIncome = c.income};
        QuickTaxCalculate(state, record, year);
        EXPECT_NEAR(record.TaxBeforeRebates, c.tax, 1e-6);
        EXPECT_EQ(RebateForAge(ages[i], year), c.rebates[i]) << ages[i];
        EXPECT_NEAR(state.TaxCommitment, std::max(c.tax - c.rebates[i], 0.0), 1e-6) << ages[i];
    }
}

const YearTaxCase YearTaxCases[] = {
    {"2015, SARS rates table: R 250 000", 2015, 250000, 50281.5, {12726, 19836, 22203}}, // 31 419 + 25 % of 75 450
    {"2016, SARS rates table: R 500 000", 2016, 500000, 131583, {13257, 20664, 23130}}, // 93 135 + 36 % of 106 800
    {"2017, SARS rates table: R 700 000", 2017, 700000, 206457, {13500, 20907, 23373}}, // 147 996 + 39 % of 149 900
    {"2018, SARS rates table: R 2 000 000", 2018, 2e6, 758625, {13635, 21114, 23607}},   // 533 625 + 45 % of 500 000
    {"2019, SARS rates table: R 100 000", 2019, 100000, 18000, {14067, 21780, 24354}},   // 18 % of 100 000
    {"2020, SARS rates table: R 400 000", 2020, 400000, 93039.5, {14220, 22014, 24615}}, // 63 853 + 31 % of 94 150
    {"2021, SARS rates table: R 600 000", 2021, 600000, 161667, {14958, 23157, 25893}},  // 155 505 + 39 % of 15 800
    {"2022, SARS rates table: R 300 000", 2022, 300000, 60704, {15714, 24327, 27198}},   // 38 916 + 26 % of 83 800
    {"2023, SARS rates table: R 1 000 000", 2023, 1e6, 314236, {16425, 25425, 28422}},   // 239 452 + 41 % of 182 400
    {"2024, SARS rates table: R 500 000", 2024, 500000, 117507, {17235, 26679, 29824}},  // 77 362 + 31 % of 129 500
    // Either side of the first bracket's top: 18 % of 237 100, then 42 678 + 26 % of 1
    {"2024, SARS rates table: R 237 100", 2024, 237100, 42678, {17235, 26679, 29824}},
    {"2024, SARS rates table: R 237 101", 2024, 237101, 42678.26, {17235, 26679, 29824}},
    {"2025, SARS rates table: R 800 000", 2025, 800000, 228677, {17235, 26679, 29824}},  // 179 147 + 39 % of 127 000
    {"2026, SARS rates table: R 150 000", 2026, 150000, 27000, {17235, 26679, 29824}},   // 18 % of 150 000
    {"2027, the 2026 Budget: R 500 000", 2027, 500000, 116237, {17820, 27585, 30834}},   // 79 998 + 31 % of 116 900
};
INSTANTIATE_TEST_SUITE_P(EveryYear, YearTaxTest, ::testing::ValuesIn(YearTaxCases), testing::RowName{});

// A year may lack a travel table (not yet published): it says so, and is sound otherwise.
TEST(TaxYearData, AYearWithoutATravelTableSaysSo)
{
    TaxYear year = ReadTaxYear(Folder + "/2025.json");
    year.DeemedCostTable.reset();
    EXPECT_TRUE(TaxYearFaults(year).empty());
    EXPECT_EQ(TaxYearMissing(year), std::vector<std::string>{"no deemed-cost travel table"});
}

// The 2016 file changed in one place, beside a sound 2015 file: the folder is refused whole.
struct DamagedCase {
    const char* name;
    const char* from; // the text of the 2016 file replaced
    const char* to;
    const char* named; // what the message names besides the file
    const char* file = "2016.json";
};

class DamagedTaxYearTest : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedTaxYearTest, IsRefusedNamingTheFileAndTheField)
{
    const DamagedCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(Folder + "/2015.json", dir.filePath("2015.json")));
    QFile sound(Folder + "/2016.json");
    ASSERT_TRUE(sound.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(sound.readAll());
    ASSERT_TRUE(text.contains(c.from)) << c.from;
    QFile damaged(dir.filePath(c.file));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(text.replace(c.from, c.to).toUtf8());
    damaged.close();
    try {
        ReadTaxYears(dir.path());
        ADD_FAILURE() << "not refused";
    } catch (const StorageError& e) {
        EXPECT_TRUE(e.message().contains(damaged.fileName())) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(c.named)) << e.message().toStdString();
    }
}

const DamagedCase DamagedCases[] = {
    {"a base that does not continue from the bracket below", "\"base\": 59314", "\"base\": 59315",
     "brackets[2].base: 59 315.00 differs by more than half a rand from the base the bracket below gives, 59 314.00"},
    {"a threshold that is not the rebates over the first rate", "\"under_65\": 73650", "\"under_65\": 73660",
     "thresholds.under_65"},
    {"a missing figure", "\"sdl_rate\": 0.01,", "", "sdl_rate is missing"},
    {"a figure of the wrong kind", "\"primary\": 13257", "\"primary\": \"13257\"", "rebates.primary should be a number"},
    {"a UIF ceiling from outside the year", "\"from\": \"2015-03-01\"", "\"from\": \"2016-03-01\"",
     "uif.monthly_ceiling[0].from: 01/03/2016 is outside the year"},
    {"not JSON", "\"label\"", "label", "it is not JSON"},
    {"a file named for another year", "\"label\"", "\"label\"", "the file is named 2017.json", "2017.json"},
};
INSTANTIATE_TEST_SUITE_P(Refused, DamagedTaxYearTest, ::testing::ValuesIn(DamagedCases), testing::RowName{});

} // namespace
} // namespace revora
