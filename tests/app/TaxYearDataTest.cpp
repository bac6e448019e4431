// The tax years' data files: every year reads back with figures that hold together, the 2016
// file is the year the calculations know today, and a damaged file is refused, naming the file
// and the field, rather than worked with.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "Database.h"
#include "TaxYearData.h"
#include "TestSupport.h"
#include "payroll/PayeCommon.h"
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
