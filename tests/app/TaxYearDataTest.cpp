// The tax years' data files: every year reads back with figures that hold together, the 2016
// file is the year the calculations know today, a damaged file is refused, naming the file and
// the field, rather than worked with, and a year the user adds takes the place of the shipped
// one, marked.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "Database.h"
#include "TaxYearData.h"
#include "TestSupport.h"
#include "common/DayDate.h"
#include "model/package/GrossUpComparison.h"
#include "model/WorkingCheck.h"
#include "payroll/MonthlyPaye.h"
#include "payroll/PayeCommon.h"
#include "payroll/PublishedLevies.h"
#include "tax/QuickTax.h"
#include "tax/TaxYearRules.h"
#include "vehicle/CompanyCarRegister.h"
#include "vehicle/DeemedCostTable.h"
#include "vehicle/TravelAllowance.h"

namespace revora {
namespace {

const QString Folder = QStringLiteral(REVORA_TEST_INSTALL_DIR "/tax-years");

// The shipped years, none refused.
std::vector<TaxYear> ShippedYears()
{
    TaxYearFiles read = ReadTaxYears(Folder, Folder);
    for (const RefusedTaxYear& refused : read.Refused)
        ADD_FAILURE() << refused.Error.message().toStdString();
    return std::move(read.Years);
}

QString TextOf(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
}

void WriteText(const QString& path, const QString& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(text.toUtf8()), text.toUtf8().size());
}

const TaxYear* YearOf(const std::vector<TaxYear>& years, int year)
{
    const auto found = std::find_if(years.begin(), years.end(), [year](const TaxYear& y) { return y.Year == year; });
    return found == years.end() ? nullptr : &*found;
}

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
    const std::vector<TaxYear> years = ShippedYears();
    ASSERT_EQ(years.size(), 13u);
    for (std::size_t i = 0; i < years.size(); ++i) {
        EXPECT_EQ(years[i].Year, 2027 - static_cast<int>(i));
        EXPECT_FALSE(years[i].AddedHere);
    }
}

// The 2016 file and the year the calculations know (built from their constants) may not drift
// apart, figure by figure.
TEST(TaxYearData, The2016FileIsTheYearTheCalculationsKnow)
{
    const TaxYear file = ReadTaxYear(Folder + "/2016.json");
    const TaxYear& known = TaxYear2016();
    EXPECT_EQ(file.Start, known.Start);
    EXPECT_EQ(file.End, known.End);
    ASSERT_EQ(file.Brackets.size(), known.Brackets.size());
    for (std::size_t i = 0; i < known.Brackets.size(); ++i) {
        EXPECT_EQ(file.Brackets[i].Over, known.Brackets[i].Over) << i;
        EXPECT_EQ(file.Brackets[i].Base, known.Brackets[i].Base) << i;
        EXPECT_DOUBLE_EQ(file.Brackets[i].Rate, known.Brackets[i].Rate) << i;
    }
    EXPECT_EQ(file.Rebates.Primary, known.Rebates.Primary);
    EXPECT_EQ(file.Rebates.Secondary, known.Rebates.Secondary);
    EXPECT_EQ(file.Rebates.Tertiary, known.Rebates.Tertiary);
    EXPECT_EQ(file.Thresholds.Under65, known.Thresholds.Under65);
    EXPECT_EQ(file.MedicalCredits.FirstDependant, known.MedicalCredits.FirstDependant);
    EXPECT_EQ(file.MedicalCredits.EachAdditional, known.MedicalCredits.EachAdditional);
    for (std::int16_t members = 0; members <= 5; ++members)
        EXPECT_EQ(MedicalCreditPerMonth(members, file), MedicalCreditPerMonth(members)) << members;
    for (int months : {0, 12, 24, 25, 40})
        EXPECT_EQ(MedicalCreditForMemberMonths(months, file), 270.0 * std::min(months, 24) + 181.0 * std::max(months - 24, 0))
            << months;

    // The settings' seed is the year's published UIF and SDL.
    const PayeSettings seed;
    const PayeSettings published = PublishedLevies(file, file.Start, seed);
    EXPECT_EQ(published.UIFLimit, seed.UIFLimit);
    EXPECT_EQ(published.EmployeeUIF, seed.EmployeeUIF);
    EXPECT_EQ(published.EmployerUIF, seed.EmployerUIF);
    EXPECT_EQ(published.SkillLevy, seed.SkillLevy);
    EXPECT_EQ(UifCeilingOn(known, known.End), seed.UIFLimit);
    EXPECT_EQ(SdlRateOn(known, known.Start), file.SdlRate);

    ASSERT_TRUE(file.DeemedCostTable && known.DeemedCostTable);
    for (const DeemedCostBand& band : *file.DeemedCostTable) {
        const DeemedCost& cost = DeemedCostFor(band.ValueUpTo.value_or(1e12));
        EXPECT_EQ(band.FixedCost, cost.FixedCost);
        EXPECT_DOUBLE_EQ(band.FuelCentsPerKm / 100.0, cost.FuelRate);
        EXPECT_DOUBLE_EQ(band.MaintenanceCentsPerKm / 100.0, cost.MaintenanceRate);
    }
    for (const DeemedCostBand& band : *known.DeemedCostTable)
        EXPECT_EQ(band.FixedCost, DeemedCostFor(band.ValueUpTo.value_or(1e12)).FixedCost);
    EXPECT_EQ(file.RatePerKmCents, known.RatePerKmCents);
    EXPECT_EQ(file.CompanyCar.RatePerMonth, known.CompanyCar.RatePerMonth);
    EXPECT_EQ(file.CompanyCar.RateWithMaintenancePlan, known.CompanyCar.RateWithMaintenancePlan);
    EXPECT_EQ(file.CompanyCar.PayeInclusion, known.CompanyCar.PayeInclusion);
    EXPECT_EQ(file.CompanyCar.PayeInclusionBusinessUse, known.CompanyCar.PayeInclusionBusinessUse);
    EXPECT_EQ(file.Retirement.Regime, known.Retirement.Regime);
    EXPECT_EQ(OutsideYearMessage(file), DateOutsideYearMessage);
    EXPECT_EQ(PairOutsideYearMessage(file), DatePairOutsideYearMessage);
    EXPECT_EQ(NotADateMessage("x", file), NotADateMessage("x"));
}

// The figures in force on a pay date, and the settings a calculation of a year works with: the
// year's published ones while the stored settings are published figures, the stored ones once
// the user has changed them.
struct DatedLevyCase {
    const char* name;
    int year;
    const char* payDay;
    PayeSettings stored;
    PayeSettings used; // both UIF rates, SDL, the ceiling
};

class DatedLevyTest : public ::testing::TestWithParam<DatedLevyCase> {};

TEST_P(DatedLevyTest, FollowTheYearUnlessChanged)
{
    const DatedLevyCase& c = GetParam();
    const std::vector<TaxYear> years = ShippedYears();
    const TaxYear& year = *YearOf(years, c.year);
    const PayeSettings used = LeviesForYear(c.stored, year, *ParseDayDate(c.payDay), years);
    EXPECT_EQ(used.EmployeeUIF, c.used.EmployeeUIF);
    EXPECT_EQ(used.EmployerUIF, c.used.EmployerUIF);
    EXPECT_EQ(used.SkillLevy, c.used.SkillLevy);
    EXPECT_EQ(used.UIFLimit, c.used.UIFLimit);
    EXPECT_EQ(used.TAIncRate8020, c.stored.TAIncRate8020);
}

const DatedLevyCase DatedLevyCases[] = {
    {"2022 before the new ceiling", 2022, "31/05/2021", {}, {1, 1, 1, 14872}},
    {"2022 from the new ceiling of 1 June 2021", 2022, "01/06/2021", {}, {1, 1, 1, 17712}},
    {"the 2024 ceiling stored, worked in 2016", 2016, "15/06/2015", {1, 1, 1, 17712, 0.2}, {1, 1, 1, 14872}},
    {"2021 in the SDL holiday", 2021, "31/08/2020", {}, {1, 1, 0, 14872}},
    {"2021 after the SDL holiday", 2021, "01/09/2020", {}, {1, 1, 1, 14872}},
    {"a ceiling the user changed is kept", 2024, "01/03/2023", {1, 1, 1, 15000}, {1, 1, 1, 15000}},
    {"a UIF rate the user changed keeps the ceiling too", 2022, "01/06/2021", {2, 1, 1, 14872}, {2, 1, 1, 14872}},
};
INSTANTIATE_TEST_SUITE_P(PayDates, DatedLevyTest, ::testing::ValuesIn(DatedLevyCases), testing::RowName{});

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

// The screens' gross-up search against the rand-by-rand search in every year but 2016 (whose
// model test compares them on every package), on a twentieth as many generated packages.
TEST(GrossUpSearch, AgreesWithTheRandByRandSearchInEveryYear)
{
    for (const TaxYear& year : ShippedYears()) {
        if (year.Year == 2016)
            continue;
        SCOPED_TRACE(year.Year);
        const auto inYear = [&year](auto routine) {
            return [&year, routine](PackageKind kind, PackageInputs& in, const PackageSettings& settings,
                                    PackageResult& result, TaxBracketResult& record, Working* working) {
                return routine(kind, in, settings, year, result, record, working);
            };
        };
        Picker pick(static_cast<std::uint32_t>(year.Year));
        int done = 0;
        for (int i = 0; i < 120 && !::testing::Test::HasFailure(); ++i) {
            const Package p = Generate(pick);
            const Calculation plain = RunWith(inYear(SalPackGrossUpReferenceInYear), p);
            ExpectSame(RunWith(inYear(SalPackGrossUpInYear), p), plain);
            done += plain.outcome == PackageOutcome::Done;
        }
        EXPECT_GT(done, 80);
    }
}

// The travel allowance's deemed costs from the year's table, worked by hand: R 150 000 (or as
// named), 20 000 business km of 30 000 over the whole year; the fixed cost over 30 000 km cut to
// six decimals of a rand, plus the band's fuel and maintenance cents, times 20 000 km.
struct YearTravelCase {
    const char* name;
    int year;
    double value;
    double fixedCents;
    double claim;
};

class YearTravelTest : public ::testing::TestWithParam<YearTravelCase> {};

TEST_P(YearTravelTest, TakesTheBandOfTheYearsTable)
{
    const YearTravelCase& c = GetParam();
    const TaxYear year = ReadTaxYear(QStringLiteral("%1/%2.json").arg(Folder).arg(c.year));
    TravelAllowanceInputs in{.VehicleValue = c.value, .CloseKm = 60000, .OpenKm = 30000, .BusinessKmEntered = 20000};
    const TravelAllowanceResults r = CalcTravelAllowance(in, TravelAllowancePeriod::WholeYear(year), year);
    EXPECT_NEAR(r.FixedCentsPerKm, c.fixedCents, 1e-9);
    EXPECT_NEAR(r.DeductionClaim, c.claim, 1e-6);
}

const YearTravelCase YearTravelCases[] = {
    {"2017, 365 days: 158.8133 + 92.0 + 38.6 cents", 2017, 150000, 158.8133, 57882.66},   // 47 644 / 30 000
    {"2024, 366 days: 201.0966 + 158.0 + 54.8 cents", 2024, 150000, 201.0966, 82779.32},  // 60 329 / 30 000
    {"2024, R 100 000 is the top of the first band", 2024, 100000, 112.5333, 59566.66},   // 33 760; 141.5 + 43.8
    {"2025, 365 days: 205.9 + 169.4 + 57.6 cents", 2025, 150000, 205.9, 86580.0},         // 61 770 / 30 000
};
INSTANTIATE_TEST_SUITE_P(Years, YearTravelTest, ::testing::ValuesIn(YearTravelCases), testing::RowName{});

// 2025 has 365 days: a car held all of them carries the whole year's benefit, R 200 000 x 3.5 %
// x 12 = 84 000 (not 365/366 of it), one held 100 days Round(84 000 x 100 / 365 = 23 013.70);
// its fuel on the table at 169.4 cents a km. Added cars are held the whole year.
TEST(TaxYearData, TheCompanyCarCountsTheDaysOfItsYear)
{
    const TaxYear year = ReadTaxYear(Folder + "/2025.json");
    CompanyCarRegister cars;
    cars.Open(year);
    cars.Records[0].CCRegNumber = "A";
    cars.Records[0].CCPrice = 200000;
    cars.Add(year);
    cars.Add(year);
    cars.Records[1].SARSTable = 1;
    cars.Records[1].TotalDistance = 20000;
    EXPECT_EQ(cars.Records[2].CCStartDate, year.Start);
    cars.Records[2].CCEndDate = year.Start + 99;
    const CompCarRun run = CompCarCalc(cars, year);
    EXPECT_EQ(run.Results[1].Days, 365);
    EXPECT_EQ(run.Results[1].TrueInclusion, 84000.0);
    EXPECT_EQ(run.Results[1].IRP53802, 84000.0);
    EXPECT_EQ(run.Results[1].MonFB80, 5600.0);
    EXPECT_EQ(cars.Records[1].FuelComponent, 33880.0);
    EXPECT_EQ(run.Results[2].TrueInclusion, 23014.0);
    EXPECT_EQ(run.Results[2].IRP53802, 23014.0);
}

// Each year's PAYE on a plain salary for a whole month at one age, worked by hand from the
// year's published table: (tax on 12 x salary - rebate) / 12, the tax as the comment shows; the
// UIF on the ceiling in force on the pay date, the published settings following the year.
struct YearPayeCase {
    const char* name;
    int year;
    double salary;
    std::int16_t age;
    double paye; // before credits
    double uif;  // each side
    std::int16_t members = 0; // on the medical scheme, with a contribution of 1 000
    double credit = 0.0;
    const char* start = nullptr; // the year's March unless given
    const char* end = nullptr;
};

class YearPayeTest : public ::testing::TestWithParam<YearPayeCase> {};

TEST_P(YearPayeTest, IsTheYearsTableLessTheRebateOverTwelve)
{
    const YearPayeCase& c = GetParam();
    const std::vector<TaxYear> years = ShippedYears();
    const TaxYear& year = *YearOf(years, c.year);
    MonthlyPeriod month = FirstMonthOf(year);
    if (c.start)
        month = {*ParseDayDate(c.start), *ParseDayDate(c.end)};
    ASSERT_FALSE(CheckMonthlyPeriod(month, year));
    const PayeInputs in{.Age = c.age, .Salary = c.salary, .EmployeeMedical = c.members ? 1000.0 : 0.0,
                        .Beneficiaries = c.members};
    TaxBracketResult record;
    Working working;
    const PeriodicPayeResult r =
        MonthlyPayeCalculate(in, LeviesForYear({}, year, month.EndDate, years), year, month, record, &working);
    EXPECT_NEAR(r.TaxLiability, c.paye, 1e-6);
    EXPECT_NEAR(r.UIFEmployee, c.uif, 1e-9);
    EXPECT_EQ(r.MedicalCredit, c.credit);
    testing::ExpectReconciles(working, r.TotalTaxDeduction);
}

const YearPayeCase YearPayeCases[] = {
    {"2015, SARS: R 20 000 at 40", 2015, 20000, 40, (47781.5 - 12726) / 12, 148.72}, // 31 419 + 25 % of 65 450
    {"2016, SARS: R 20 000 at 40", 2016, 20000, 40, (47848.0 - 13257) / 12, 148.72}, // 32 742 + 26 % of 58 100
    {"2017, SARS: R 25 000 at 40", 2017, 25000, 40, (63280.0 - 13500) / 12, 148.72}, // 61 296 + 31 % of 6 400
    {"2018, SARS: R 10 000 at 70", 2018, 10000, 70, (21600.0 - 21114) / 12, 100},    // 18 % of 120 000
    {"2019, SARS: R 50 000 at 40", 2019, 50000, 40, (165207.0 - 14067) / 12, 148.72}, // 147 891 + 39 % of 44 400
    {"2020, SARS: R 15 000 at 40", 2020, 15000, 40, (32400.0 - 14220) / 12, 148.72}, // 18 % of 180 000
    {"2021, SARS: R 35 000 at 80", 2021, 35000, 80, (97648.0 - 25893) / 12, 148.72}, // 67 144 + 31 % of 98 400
    // 70 532 + 31 % of 22 200 = 77 414; UIF on 14 872 until 31 May 2021, on 17 712 from 1 June.
    {"2022, SARS: R 30 000 in March 2021 at 40", 2022, 30000, 40, (77414.0 - 15714) / 12, 148.72},
    {"2022, SARS: R 30 000 in June 2021 at 40", 2022, 30000, 40, (77414.0 - 15714) / 12, 177.12, 0, 0, "01/06/2021",
     "30/06/2021"},
    {"2023, SARS: R 40 000 at 40", 2023, 40000, 40, (113065.0 - 16425) / 12, 177.12}, // 73 726 + 31 % of 126 900
    // 42 678 + 26 % of 122 900; three on the scheme: 364 + 364 + 246.
    {"2024, SARS: R 30 000 at 40", 2024, 30000, 40, (74632.0 - 17235) / 12, 177.12, 3, 974},
    {"2025, SARS: R 100 000 at 66", 2025, 1e5, 66, (391519.0 - 26679) / 12, 177.12}, // 251 258 + 41 % of 342 100
    {"2026, SARS: R 20 000 at 40", 2026, 20000, 40, (43432.0 - 17235) / 12, 177.12}, // 42 678 + 26 % of 2 900
    // 185 215 + 39 % of 24 200
    {"2027, the 2026 Budget: R 60 000 at 40", 2027, 60000, 40, (194653.0 - 17820) / 12, 177.12},
};
INSTANTIATE_TEST_SUITE_P(EveryYear, YearPayeTest, ::testing::ValuesIn(YearPayeCases), testing::RowName{});

// A year may lack a travel table (not yet published): it says so, is sound otherwise, and what
// needs the table refuses, naming the year; no other year's table stands in.
TEST(TaxYearData, AYearWithoutATravelTableSaysSo)
{
    TaxYear year = ReadTaxYear(Folder + "/2025.json");
    year.DeemedCostTable.reset();
    EXPECT_TRUE(TaxYearFaults(year).empty());
    EXPECT_EQ(TaxYearMissing(year), std::vector<std::string>{"no deemed-cost travel table"});

    TravelAllowanceInputs in{.VehicleValue = 150000, .CloseKm = 30000, .BusinessKmEntered = 20000};
    const auto period = TravelAllowancePeriod::WholeYear(year);
    EXPECT_EQ(CheckDeemedCostTable(in, period, year).value_or(""),
              "The tax year 2024/25 has no deemed-cost travel table: the travel allowance cannot be worked for it");
    in.RecordKept = 1; // actual costs need no table
    EXPECT_FALSE(CheckDeemedCostTable(in, period, year));

    CompanyCarRegister cars;
    cars.Open(year);
    cars.Records[0].CCRegNumber = "A";
    cars.Records[0].CCPrice = 200000;
    cars.Add(year);
    cars.Records[1].TotalDistance = 20000;
    cars.Records[1].SARSTable = 1;
    EXPECT_EQ(CheckFuelTable(cars, year)->Message, "The tax year 2024/25 has no deemed-cost travel table: the fuel "
                                                   "of vehicle number 1 cannot be valued from SARS's cents/km fuel "
                                                   "table for it");
    CompCarCalc(cars, year);
    EXPECT_EQ(cars.Records[1].FuelComponent, 0.0);
}

// A year's file changed in one place and put in the data folder's tax-years/: that year is
// refused, naming the file and the field, and every other year is read.
struct DamagedCase {
    const char* name;
    int year; // the shipped file changed
    const char* from;
    const char* to;
    const char* named; // what the message names besides the file
    const char* file = nullptr; // the name it is saved under, if not its own
};

class DamagedTaxYearTest : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedTaxYearTest, IsRefusedAloneNamingTheFileAndTheField)
{
    const DamagedCase& c = GetParam();
    QTemporaryDir data;
    ASSERT_TRUE(QDir(data.path()).mkdir("tax-years"));
    QString text = TextOf(QStringLiteral("%1/%2.json").arg(Folder).arg(c.year));
    ASSERT_TRUE(text.contains(c.from)) << c.from;
    const QString file = c.file ? QString(c.file) : QStringLiteral("%1.json").arg(c.year);
    const QString damaged = data.filePath("tax-years/" + file);
    WriteText(damaged, text.replace(c.from, c.to));

    const TaxYearFiles read = ReadTaxYears(Folder, data.filePath("tax-years"));
    ASSERT_EQ(read.Refused.size(), 1u);
    EXPECT_EQ(read.Refused[0].Year, file.left(4).toInt());
    const QString message = read.Refused[0].Error.message();
    EXPECT_TRUE(message.contains(damaged)) << message.toStdString();
    EXPECT_TRUE(message.contains(c.named)) << message.toStdString();
    EXPECT_EQ(read.Years.size(), c.file ? 13u : 12u); // a year not shipped takes no shipped year's place
    EXPECT_FALSE(YearOf(read.Years, file.left(4).toInt()));
}

const DamagedCase DamagedCases[] = {
    {"a base that does not continue from the bracket below", 2016, "\"base\": 59314", "\"base\": 59315",
     "brackets[2].base: 59 315.00 differs by more than half a rand from the base the bracket below gives, 59 314.00"},
    {"a threshold that is not the rebates over the first rate", 2016, "\"under_65\": 73650", "\"under_65\": 73660",
     "thresholds.under_65"},
    {"a negative rebate", 2016, "\"primary\": 13257", "\"primary\": -13257",
     "rebates.primary: -13257 is not above 0 and below 100 000 000"},
    {"a top rate above 100 %", 2024, "\"rate\": 0.45", "\"rate\": 4.5",
     "brackets[6].rate: 4.5 is not a share between 0 and 1"},
    {"a top rate below the one under it", 2024, "\"rate\": 0.45", "\"rate\": 0.40",
     "brackets[6].rate: 0.4 is not above the rate of the bracket below"},
    {"a negative medical credit", 2016, "\"main_member\": 270", "\"main_member\": -270",
     "medical_credit_per_month.main_member: -270 is not above 0 and below 10 000"},
    {"a medical credit of 1e300", 2016, "\"each_additional_dependant\": 181", "\"each_additional_dependant\": 1e300",
     "medical_credit_per_month.each_additional_dependant: 1e+300 is not above 0"},
    {"a negative UIF ceiling", 2016, "\"amount\": 14872", "\"amount\": -14872",
     "uif.monthly_ceiling[0].amount: -14872 is not above 0"},
    {"a negative fixed cost in the travel table", 2016, "\"fixed_cost\": 26105", "\"fixed_cost\": -26105",
     "travel.deemed_cost_table[0].fixed_cost: -26105 is not above 0"},
    {"a retirement cap of 1e300", 2024, "\"annual_cap\": 350000", "\"annual_cap\": 1e300",
     "retirement.annual_cap: 1e+300 is not above 0"},
    {"no cap from 2016/17", 2024, "\"regime\": \"one deduction\"", "\"regime\": \"separate limits\"",
     "retirement.regime: from 2017 the one deduction applies"},
    // A JSON reader keeps one of two keys alone: the scan of the text finds the other.
    {"a key given twice", 2024, "\"sdl_rate\": 0.01,", "\"sdl_rate\": 0.01, \"sdl_rate\": 0.5,",
     "sdl_rate is given twice"},
    {"a key given twice inside a list", 2016, "\"base\": 59314", "\"base\": 59314, \"b\\u0061se\": 59314",
     "brackets[2].base is given twice"},
    {"a missing figure", 2016, "\"sdl_rate\": 0.01,", "", "sdl_rate is missing"},
    {"a figure of the wrong kind", 2016, "\"primary\": 13257", "\"primary\": \"13257\"",
     "rebates.primary should be a number"},
    {"a UIF ceiling from outside the year", 2016, "\"from\": \"2015-03-01\"", "\"from\": \"2016-03-01\"",
     "uif.monthly_ceiling[0].from: 01/03/2016 is outside the year"},
    {"not JSON", 2016, "\"label\"", "label", "it is not JSON"},
    {"a file named for another year", 2016, "\"label\"", "\"label\"", "the file is named 2028.json", "2028.json"},
};
INSTANTIATE_TEST_SUITE_P(Refused, DamagedTaxYearTest, ::testing::ValuesIn(DamagedCases), testing::RowName{});

// A shipped file is held to the digest built into the program: a top rate raised from 45 % to
// 55 % leaves a table that holds together, and a missing file leaves a gap; each is refused,
// naming the file, and the other years are read.
TEST(TaxYearData, AShippedFileThatDiffersIsRefusedByItsDigest)
{
    QTemporaryDir install;
    for (const QString& name : QDir(Folder).entryList({"*.json"}))
        ASSERT_TRUE(QFile::copy(Folder + '/' + name, install.filePath(name)));
    QString text = TextOf(install.filePath("2024.json"));
    WriteText(install.filePath("2024.json"), text.replace("\"rate\": 0.45", "\"rate\": 0.55"));
    ASSERT_TRUE(QFile::remove(install.filePath("2019.json")));

    const TaxYearFiles read = ReadTaxYears(install.path(), install.filePath("data/tax-years"));
    ASSERT_EQ(read.Refused.size(), 2u);
    EXPECT_EQ(read.Refused[0].Year, 2024);
    EXPECT_EQ(read.Refused[0].Error.message(),
              "The file " + install.filePath("2024.json") + " could not be used: it is not the file shipped with the "
              "program (its SHA-256 digest differs), and a shipped year is used only as shipped. A corrected year goes "
              "in " + install.filePath("data/tax-years") + ".");
    EXPECT_EQ(read.Refused[1].Year, 2019);
    EXPECT_TRUE(read.Refused[1].Error.message().endsWith("2019.json could not be used: it is missing."));
    EXPECT_EQ(read.Years.size(), 11u);
    EXPECT_TRUE(YearOf(read.Years, 2025) && YearOf(read.Years, 2023));
}

// A year added in the data folder: a correction takes the place of the shipped year of its
// name, and a new Budget's year joins the list; both are marked, the shipped ones are not.
TEST(TaxYearData, AYearAddedHereTakesTheShippedYearsPlaceMarked)
{
    QTemporaryDir data;
    ASSERT_TRUE(QDir(data.path()).mkdir("tax-years"));
    QString corrected = TextOf(Folder + "/2024.json");
    WriteText(data.filePath("tax-years/2024.json"), corrected.replace("\"amount\": 17712", "\"amount\": 18000"));
    QString next = TextOf(Folder + "/2027.json");
    next.replace("2026/27", "2027/28").replace("2026-03-01", "2027-03-01").replace("2027-02-28", "2028-02-29");
    WriteText(data.filePath("tax-years/2028.json"), next);

    const TaxYearFiles read = ReadTaxYears(Folder, data.filePath("tax-years"));
    EXPECT_TRUE(read.Refused.empty()) << read.Refused[0].Error.message().toStdString();
    ASSERT_EQ(read.Years.size(), 14u);
    EXPECT_EQ(read.Years[0].Year, 2028);
    const TaxYear& added = *YearOf(read.Years, 2024);
    EXPECT_EQ(added.Uif.MonthlyCeilings[0].Amount, 18000.0);
    for (const TaxYear& year : read.Years)
        EXPECT_EQ(AddedHereMark(year), year.Year == 2024 || year.Year == 2028 ? " (added here)" : "") << year.Year;
}

} // namespace
} // namespace revora
