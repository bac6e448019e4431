// revora-calc's vehicle calculators from the outside: company car figures over a file of
// vehicles and travel allowance claims worked by hand, their refusals and their printouts.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "cli/RevoraCalc.h"

namespace revora {
namespace {

const QStringList VehicleKeys{"Days",          "TotalDistance", "BusDistance",      "PrivateDistance",
                              "TrueInclusion", "FuelComponent", "FuelClaim",        "TotAddExpense",
                              "FuelExp",       "AdjustTaxableInc", "AdjustTaxableIncSARS", "FB3802ThisCar",
                              "IRP53802",      "MonFB80",       "MonFB20",          "FortFB80",
                              "FortFB20",      "WeekFB80",      "WeekFB20"};
const QStringList CompanyCarKeys{"vehicles", "TotAdjustTaxableInc", "TotAdjustTaxableIncSARS"};
const QStringList TravelKeys{"PeriodDays",      "TotalKm",         "BusinessKm",     "PrivateKm",
                             "FixedCost",       "FixedCentsPerKm", "FuelCentsPerKm", "MaintCentsPerKm",
                             "TotalCentsPerKm", "TotalCosts",      "PrivateUse",     "DeductionClaim"};

// The vehicles files live apart from the data folder, which a refusal must leave empty.
class VehicleCliTest : public RevoraCalcTest {
protected:
    QString VehiclesFile(const QString& text) const
    {
        const QString path = QDir(files.path()).filePath("cars.json");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
        return path;
    }

    QTemporaryDir files;
};

struct CarFigure {
    int vehicle; // 1-based
    const char* key;
    double value;
};

struct CompanyCarCase {
    const char* name;
    const char* vehicles;
    QStringList arguments;
    std::vector<CarFigure> figures;
    std::vector<Expected> totals;
};

class CompanyCarFiguresTest : public VehicleCliTest, public ::testing::WithParamInterface<CompanyCarCase> {};

TEST_P(CompanyCarFiguresTest, JsonHoldsEveryVehicleAndTheFiguresWorkedByHand)
{
    const CompanyCarCase& c = GetParam();
    const CalcRun run = RevoraCalc(QStringList{"companycar", "--vehicles", VehiclesFile(c.vehicles)} + c.arguments
                                   + QStringList{"--json", DataDirArg()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject all = JsonOf(run);
    ExpectFigures(all, CompanyCarKeys, c.totals);
    const QJsonArray vehicles = all.value("vehicles").toArray();
    for (qsizetype i = 0; i < vehicles.size(); ++i)
        ExpectFigures(vehicles.at(i).toObject(), VehicleKeys, {});
    for (const CarFigure& figure : c.figures) {
        SCOPED_TRACE(figure.vehicle);
        ASSERT_LT(figure.vehicle - 1, vehicles.size());
        ExpectFigures(vehicles.at(figure.vehicle - 1).toObject(), {}, {{figure.key, figure.value}});
    }
}

// Monthly rate 3.5 %, 3.25 % with a maintenance plan; 366 days in the year. A full year's
// true inclusion of R 200 000 is 200 000 x 0.035 x 12 = 84 000.
const CompanyCarCase CompanyCarCases[] = {
    // Fortnight Round(7 000 x 12 / 26 = 3 230.77) x 0.8; week Round(1 615.38) x 0.2.
    {"one car R 200 000 a full year without a plan or a log book",
     R"([{"CCRegNumber": "CA 123-456", "CCPrice": 200000}])",
     {},
     {{1, "Days", 366.0},
      {1, "TrueInclusion", 84000.0},
      {1, "IRP53802", 84000.0},
      {1, "MonFB80", 5600.0},
      {1, "MonFB20", 1400.0},
      {1, "FortFB80", 2584.8},
      {1, "WeekFB20", 323.0},
      {1, "AdjustTaxableInc", 84000.0}},
     {{"TotAdjustTaxableInc", 84000.0}, {"TotAdjustTaxableIncSARS", 0.0}}},
    {"the same car on a maintenance plan",
     R"([{"CCRegNumber": "CA 123-456", "CCPrice": 200000, "MaintIncluded": 1}])",
     {},
     {{1, "MonFB80", 5200.0}, {1, "TrueInclusion", 78000.0}},
     {}},
    // 01/03-08/06/2015 is 100 days, 09/06/2015-29/02/2016 266. Inclusions Round(22 950.8) and
    // Round(61 049.2), less the shares.
    {"two cars held 100 and 266 days split the code 3802 total",
     R"([{"CCRegNumber": "A", "CCPrice": 200000, "CCEndDate": "08/06/2015"},
         {"CCRegNumber": "B", "CCPrice": 200000, "CCStartDate": "09/06/2015"}])",
     {"--actual-3802", "36600"},
     {{1, "Days", 100.0},
      {2, "Days", 266.0},
      {1, "FB3802ThisCar", 10000.0},
      {2, "FB3802ThisCar", 26600.0},
      {1, "AdjustTaxableInc", 12951.0},
      {2, "AdjustTaxableInc", 34449.0}},
     {{"TotAdjustTaxableInc", 47400.0}}},
    {"two cars without the split keep the shares typed",
     R"([{"CCRegNumber": "A", "CCPrice": 200000, "CCEndDate": "08/06/2015", "FB3802ThisCar": 5000},
         {"CCRegNumber": "B", "CCPrice": 200000, "CCStartDate": "09/06/2015", "FB3802ThisCar": 7000}])",
     {"--actual-3802", "36600", "--auto-split", "no"},
     {{1, "FB3802ThisCar", 5000.0}, {2, "FB3802ThisCar", 7000.0}, {1, "AdjustTaxableInc", 17951.0}},
     {{"TotAdjustTaxableInc", 17951.0 + 54049.0}}},
    // Three quarters of 84 000 private; the SARS claim is the business quarter of the 20 000
    // the single car carries.
    {"a log book with 5 000 business km of 20 000",
     R"([{"CCRegNumber": "A", "CCPrice": 200000, "TotalDistance": 20000, "BusDistance": 5000, "BussMilage": true}])",
     {"--actual-3802", "20000"},
     {{1, "PrivateDistance", 15000.0},
      {1, "TrueInclusion", 63000.0},
      {1, "FB3802ThisCar", 20000.0},
      {1, "AdjustTaxableInc", 43000.0},
      {1, "AdjustTaxableIncSARS", -5000.0}},
     {{"TotAdjustTaxableInc", 43000.0}, {"TotAdjustTaxableIncSARS", -5000.0}}},
    {"readings give the total and the business km are cut to it",
     R"([{"CCRegNumber": "A", "CCPrice": 200000, "StartMileage": 10000, "EndMileage": 35000,
          "TotalDistance": 1, "BusDistance": 40000}])",
     {},
     {{1, "TotalDistance", 25000.0}, {1, "BusDistance", 25000.0}, {1, "PrivateDistance", 0.0}},
     {}},
    // Fuel 20 000 km x R 0.955 = 19 100, three quarters private 14 325; insurance 4 000 x 0.75.
    {"fuel from the table and insurance paid by the employee",
     R"([{"CCRegNumber": "A", "CCPrice": 200000, "TotalDistance": 20000, "BusDistance": 5000,
          "SARSTable": 1, "EmpPaidInsurance": 4000}])",
     {},
     {{1, "FuelComponent", 19100.0},
      {1, "FuelClaim", 14325.0},
      {1, "TotAddExpense", 3000.0},
      {1, "FuelExp", 17325.0},
      {1, "AdjustTaxableInc", 66675.0}},
     {}},
    // 4 200 - 50 000 fuel - 50 000 code 3802 = -95 800, no lower than -50 000.
    {"the adjustment goes no lower than minus the code 3802 total",
     R"([{"CCRegNumber": "A", "CCPrice": 10000, "TotalDistance": 10000, "BusDistance": 5000,
          "ActualExpEmployee": 100000}])",
     {"--actual-3802", "50000"},
     {{1, "TrueInclusion", 4200.0}, {1, "FuelExp", 50000.0}, {1, "AdjustTaxableInc", -50000.0}},
     {{"TotAdjustTaxableInc", -50000.0}}},
};
INSTANTIATE_TEST_SUITE_P(Vehicle, CompanyCarFiguresTest, ::testing::ValuesIn(CompanyCarCases), testing::RowName{});

struct TravelCase {
    const char* name;
    QStringList arguments;
    std::vector<Expected> figures;
};

class TravelFiguresTest : public RevoraCalcTest, public ::testing::WithParamInterface<TravelCase> {};

TEST_P(TravelFiguresTest, JsonHoldsTheKeysAndTheFiguresWorkedByHand)
{
    const TravelCase& c = GetParam();
    const CalcRun run = RevoraCalc(QStringList{"travel"} + c.arguments + QStringList{"--json", DataDirArg()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    ExpectFigures(JsonOf(run), TravelKeys, c.figures);
}

const QStringList DeemedCase{"--value", "150000", "--close-km", "60000", "--open-km", "30000", "--business-km",
                             "20000"};

const TravelCase TravelCases[] = {
    // Fixed R 46 505 over 30 000 km: 155.0166 cents; fuel 87.9, maintenance 36.7.
    {"deemed costs R 150 000 and 20 000 business km of 30 000",
     DeemedCase,
     {{"PeriodDays", 366.0},
      {"TotalKm", 30000.0},
      {"BusinessKm", 20000.0},
      {"PrivateKm", 10000.0},
      {"FixedCost", 46505.0},
      {"FixedCentsPerKm", 155.0166},
      {"FuelCentsPerKm", 87.9},
      {"MaintCentsPerKm", 36.7},
      {"TotalCentsPerKm", 279.6},
      {"DeductionClaim", 55923.32},
      {"TotalCosts", 0.0}}},
    {"deemed costs without fuel", DeemedCase + QStringList{"--include-fuel", "no"},
     {{"FuelCentsPerKm", 0.0}, {"DeductionClaim", 55923.32 - 17580.0}}},
    {"deemed costs capped at the allowance", DeemedCase + QStringList{"--allowance", "40000"},
     {{"DeductionClaim", 40000.0}}},
    {"deemed costs without business km read 0",
     {"--value", "150000", "--close-km", "60000", "--open-km", "30000"},
     {{"FixedCost", 0.0}, {"TotalCentsPerKm", 0.0}, {"DeductionClaim", 0.0}}},
    {"actual costs 60 000 with 25 000 business km of 40 000",
     {"--record-kept", "yes", "--close-km", "40000", "--business-km", "25000", "--fuel-oil", "30000", "--repairs",
      "10000", "--insurance", "12000", "--other-expenses", "3000", "--wear-and-tear", "5000"},
     {{"TotalCosts", 60000.0}, {"DeductionClaim", 37500.0}, {"PrivateUse", 22500.0}, {"FixedCost", 0.0}}},
    {"actual costs with lease payments instead of wear and tear",
     {"--record-kept", "yes", "--close-km", "40000", "--business-km", "25000", "--fuel-oil", "55000", "--lease",
      "5000"},
     {{"TotalCosts", 60000.0}, {"DeductionClaim", 37500.0}}},
    // Without business km at least 18 000 km a year are private: Trunc2(366 x 18 000 / 365).
    {"actual costs 25 000 km without business km",
     {"--record-kept", "yes", "--close-km", "25000", "--fuel-oil", "25000"},
     {{"PrivateKm", 18049.31}, {"BusinessKm", 25000.0 - 18049.31}, {"DeductionClaim", 25000.0 - 18049.31}}},
    {"a part year counts its days",
     DeemedCase + QStringList{"--start", "01/06/2015", "--end", "30/11/2015"},
     {{"PeriodDays", 183.0}}},
    // The 2024 table: 60 329 over 30 000 km, fuel 158.0 and maintenance 54.8 cents.
    {"deemed costs in 2024, its whole year by default", DeemedCase + QStringList{"--year", "2024"},
     {{"PeriodDays", 366.0}, {"FixedCentsPerKm", 201.0966}, {"DeductionClaim", 82779.32}}},
};
INSTANTIATE_TEST_SUITE_P(Vehicle, TravelFiguresTest, ::testing::ValuesIn(TravelCases), testing::RowName{});

TEST_F(VehicleCliTest, VehicleLinesCarryTheScreensCaptions)
{
    const CalcRun car = RevoraCalc({"companycar", "--vehicles",
                                    VehiclesFile(R"([{"CCRegNumber": "CA 123-456", "CCPrice": 200000}])"),
                                    DataDirArg()});
    ASSERT_EQ(car.exitCode, 0) << car.err.toStdString();
    for (const char* text : {"Vehicle number 1 of 1  CA 123-456", "True inclusion amount", "Less fuel & expenses",
                             "IRP5 code 3802 amount for this car", "Total Adjustment to taxable income",
                             " 84 000.00\n", " 2 584.80\n"})
        EXPECT_TRUE(car.out.contains(text)) << text << '\n' << car.out.toStdString();

    const CalcRun deemed = RevoraCalc(QStringList{"travel"} + DeemedCase + QStringList{DataDirArg()});
    ASSERT_EQ(deemed.exitCode, 0) << deemed.err.toStdString();
    for (const char* text : {"Total costs cents/km", " 279.6\n", "Deduction claim R", " 55 923.32\n"})
        EXPECT_TRUE(deemed.out.contains(text)) << text << '\n' << deemed.out.toStdString();
    EXPECT_FALSE(deemed.out.contains("Less private use")) << deemed.out.toStdString();

    const CalcRun actual = RevoraCalc({"travel", "--record-kept", "yes", "--close-km", "40000", "--business-km",
                                       "25000", "--fuel-oil", "60000", DataDirArg()});
    ASSERT_EQ(actual.exitCode, 0) << actual.err.toStdString();
    for (const char* text : {"Business Km's", "Less private use", " 22 500.00\n", "Travel expenses", " 37 500.00\n"})
        EXPECT_TRUE(actual.out.contains(text)) << text << '\n' << actual.out.toStdString();
    EXPECT_FALSE(actual.out.contains("cents/km")) << actual.out.toStdString();
}

// FILE in the arguments and the line stands for the vehicles file, written from `vehicles`
// unless that is null.
struct VehicleRefusalCase {
    const char* name;
    QString vehicles;
    QStringList arguments;
    QString line;
};

class VehicleRefusalTest : public VehicleCliTest, public ::testing::WithParamInterface<VehicleRefusalCase> {};

TEST_P(VehicleRefusalTest, ExitWith2TheOneLineAndNothingWritten)
{
    const VehicleRefusalCase& c = GetParam();
    const QString path = c.vehicles.isNull() ? QDir(files.path()).filePath("cars.json") : VehiclesFile(c.vehicles);
    QStringList arguments = c.arguments;
    arguments.replaceInStrings("FILE", path);
    const QByteArray line = QString(c.line).replace("FILE", path).toUtf8();
    ExpectRefused({c.name, arguments, line.constData()});
}

const QString Car = R"("CCRegNumber": "A", "CCPrice": 200000)";
const QStringList WithFile{"companycar", "--vehicles", "FILE"};
const QString DateRefusal = "The date entered is not correct please enter a date between 01/03/2015 and 29/02/2016";

QString OneCar(const QString& more) { return "[{" + Car + ", " + more + "}]"; }

const VehicleRefusalCase VehicleRefusalCases[] = {
    // The file as a whole.
    {"a file that is not there", QString(), WithFile,
     "--vehicles: FILE: cannot be read (No such file or directory)"},
    {"a device that never ends", QString(), {"companycar", "--vehicles", "/dev/zero"},
     "--vehicles: /dev/zero: is not a file but a device or socket; a vehicles file is a JSON array of the cars"},
    {"a file that is not JSON", R"([{"CCPrice" 200000}])", WithFile,
     "--vehicles: FILE: not valid JSON (missing name separator at offset 13)"},
    {"a number beyond a double", R"([{"CCPrice": 1e400}])", WithFile,
     "--vehicles: FILE: not valid JSON (illegal number at offset 18)"},
    {"an object instead of an array", "{" + Car + "}", WithFile,
     "--vehicles: FILE: must hold a JSON array of vehicle objects"},
    {"an empty array", "[]", WithFile, "--vehicles: FILE: holds no vehicles"},
    {"more than 32 767 vehicles", "[" + QStringList(32768, "{}").join(',') + "]", WithFile,
     "--vehicles: FILE: holds 32768 vehicles; the register holds at most 32767"},
    {"a number among the vehicles", "[{" + Car + "}, 7]", WithFile,
     "--vehicles: FILE, vehicle 2: must be a JSON object"},
    // One key of one vehicle.
    {"an unknown key on the second vehicle", "[{" + Car + "}, {\"CCColour\": \"red\"}]", WithFile,
     "--vehicles: FILE, vehicle 2, CCColour: unknown key"},
    {"a result given as an input", OneCar(R"("FuelComponent": 100)"), WithFile,
     "--vehicles: FILE, vehicle 1, FuelComponent: unknown key"},
    {"a price in quotes", R"([{"CCPrice": "200000"}])", WithFile,
     "--vehicles: FILE, vehicle 1, CCPrice: must be a number"},
    {"a price with cents", R"([{"CCPrice": 200000.5}])", WithFile,
     "--vehicles: FILE, vehicle 1, CCPrice: '200000.5' must be a whole number"},
    {"a negative business distance", OneCar(R"("BusDistance": -5)"), WithFile,
     "--vehicles: FILE, vehicle 1, BusDistance: '-5' is below 0"},
    {"an eleven digit price", R"([{"CCPrice": 12345678901}])", WithFile,
     "--vehicles: FILE, vehicle 1, CCPrice: '12345678901' has more than ten digits"},
    {"readings that run backwards", OneCar(R"("StartMileage": 30000, "EndMileage": 20000)"), WithFile,
     "--vehicles: FILE, vehicle 1, EndMileage: must not be below StartMileage (readings that run backwards)"},
    {"a flag of 2", OneCar(R"("MaintIncluded": 2)"), WithFile,
     "--vehicles: FILE, vehicle 1, MaintIncluded: must be 0 or 1"},
    {"a registration number as a number", R"([{"CCRegNumber": 123}])", WithFile,
     "--vehicles: FILE, vehicle 1, CCRegNumber: must be text"},
    {"a start date before the year", OneCar(R"("CCStartDate": "28/02/2015")"), WithFile,
     "--vehicles: FILE, vehicle 1, CCStartDate: " + DateRefusal},
    {"an end date after the year", OneCar(R"("CCEndDate": "01/03/2016")"), WithFile,
     "--vehicles: FILE, vehicle 1, CCEndDate: " + DateRefusal},
    {"an end date before the start date", OneCar(R"("CCStartDate": "01/06/2015", "CCEndDate": "31/05/2015")"),
     WithFile,
     "--vehicles: FILE, vehicle 1, CCEndDate: The date entered is not correct please enter a date between "
     "01/06/2015 and 29/02/2016"},
    {"a date as a day number", OneCar(R"("CCStartDate": 42064)"), WithFile,
     "--vehicles: FILE, vehicle 1, CCStartDate: must be a date written dd/mm/yyyy"},
    {"actual fuel with the fuel table", OneCar(R"("SARSTable": 1, "ActualExpEmployee": 900)"), WithFile,
     "--vehicles: FILE, vehicle 1, ActualExpEmployee: must be 0 when SARSTable is 1 (the fuel is valued from the "
     "table)"},
    // The options.
    {"no vehicles file", QString(), {"companycar", "--actual-3802", "100"}, "--vehicles: missing value"},
    {"auto split maybe", "[{" + Car + "}]", WithFile + QStringList{"--auto-split", "maybe"},
     "--auto-split: 'maybe' must be yes or no"},
    {"a code 3802 total with cents", "[{" + Car + "}]", WithFile + QStringList{"--actual-3802", "100.5"},
     "--actual-3802: '100.5' must be a whole number"},
    {"wear and tear with lease payments", QString(),
     {"travel", "--record-kept", "yes", "--wear-and-tear", "5000", "--lease", "3000"},
     "--lease: Only one amount for either Wear & Tear or Lease payments will be accepted"},
    {"record kept maybe", QString(), {"travel", "--record-kept", "maybe"}, "--record-kept: 'maybe' must be yes or no"},
    {"include fuel 1", QString(), {"travel", "--include-fuel", "1"}, "--include-fuel: '1' must be yes or no"},
    {"a value with cents", QString(), {"travel", "--value", "150000.50"},
     "--value: '150000.50' must be a whole number"},
    {"negative business km", QString(), {"travel", "--business-km", "-1"}, "--business-km: '-1' is below 0"},
    {"an eleven digit close reading", QString(), {"travel", "--close-km", "12345678901"},
     "--close-km: '12345678901' has more than ten digits"},
    {"an open reading above the close one", QString(), {"travel", "--close-km", "20000", "--open-km", "30000"},
     "--open-km: The open km reading may not be above the close km reading"},
    {"business km above the total", QString(), {"travel", "--close-km", "25000", "--business-km", "35000"},
     "--business-km: The business km may not be more than the total km (the close km reading less the open km "
     "reading)"},
    {"a travel start before the year", QString(), {"travel", "--start", "28/02/2015"}, "--start: " + DateRefusal},
    {"a travel end before the start", QString(), {"travel", "--start", "01/06/2015", "--end", "31/05/2015"},
     "--end: The date entered is not correct please enter a date between 01/06/2015 and 29/02/2016"},
    {"a travel date outside the year 2024", QString(), {"travel", "--year", "2024", "--start", "28/02/2023"},
     "--start: The date entered is not correct please enter a date between 01/03/2023 and 29/02/2024"},
    {"a 51 character name", QString(), {"travel", "--name", QString(51, 'x')},
     "--name: the name is longer than 50 characters"},
};
INSTANTIATE_TEST_SUITE_P(Refused, VehicleRefusalTest, ::testing::ValuesIn(VehicleRefusalCases), testing::RowName{});

struct VehiclePrintoutCase {
    const char* name;
    const char* vehicles; // companycar when given
    QStringList arguments;
    QStringList texts;
};

class VehiclePrintoutTest : public VehicleCliTest, public ::testing::WithParamInterface<VehiclePrintoutCase> {};

TEST_P(VehiclePrintoutTest, ReportWritesAPdfWithTheLines)
{
    const VehiclePrintoutCase& c = GetParam();
    QStringList arguments = c.arguments;
    if (c.vehicles)
        arguments = QStringList{"companycar", "--vehicles", VehiclesFile(c.vehicles)} + arguments;
    const QString pdf = QDir(dataDir.path()).filePath("F.pdf");
    const CalcRun run = RevoraCalc(arguments << "--report" << pdf << DataDirArg());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(QDir(dataDir.path()).filePath("Crysprin.db")));
    const QString text = PdfText(pdf).simplified();
    for (const QString& expected : c.texts)
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << '\n' << text.toStdString();
}

const VehiclePrintoutCase VehiclePrintoutCases[] = {
    {"company car with two vehicles",
     R"([{"CCRegNumber": "CA 123-456", "CCPrice": 200000, "CCEndDate": "08/06/2015"},
         {"CCRegNumber": "GP 987-654", "CCPrice": 200000, "CCStartDate": "09/06/2015"}])",
     {"--actual-3802", "36600"},
     {"CA 123-456", "GP 987-654", "01/03/2015", "09/06/2015"}},
    {"travel deemed costs", nullptr, QStringList{"travel"} + DeemedCase + QStringList{"--name", "Thandi Mokoena"},
     {"Thandi Mokoena", "55 923.32"}},
    {"travel actual costs", nullptr,
     {"travel", "--record-kept", "yes", "--close-km", "40000", "--business-km", "25000", "--fuel-oil", "60000",
      "--name", "Thandi Mokoena"},
     {"Thandi Mokoena", "37 500.00"}},
};
INSTANTIATE_TEST_SUITE_P(Vehicle, VehiclePrintoutTest, ::testing::ValuesIn(VehiclePrintoutCases), testing::RowName{});

TEST_F(RevoraCalcTest, HelpListsTheVehicleCalculatorsAndTheirOptions)
{
    const CalcRun run = RevoraCalc({"--help"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    for (const char* text : {"companycar:", "travel:", "--vehicles", "--actual-3802", "--auto-split", "--record-kept",
                             "--wear-and-tear", "--include-maintenance"})
        EXPECT_TRUE(run.out.contains(text)) << text;
}

} // namespace
} // namespace revora
