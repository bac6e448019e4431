// The "traveldeduction" row: the fields every print writes, then only those of the method in
// force, so the stored row keeps the other method's fields; and the layout of each method.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "vehicle/TravelAllowancePrintout.h"

namespace revora {
namespace {

// Every value distinct, so a field written from the wrong value shows.
TravelAllowanceInputs SampleInputs(std::int16_t recordKept, std::int16_t fuel, std::int16_t maintenance)
{
    return {.CarDescription = "Polo 1.4", .RecordKept = recordKept, .VehicleValue = 150000,
            .AllowanceReceived = 40000, .CloseKm = 60000, .OpenKm = 30000, .BusinessKmEntered = 20000, .FuelOil = 1,
            .RepairsMaint = 2, .InsuranceLicence = 3, .OtherExpenses = 4, .WearAndTear = 5, .LeasePayments = 6,
            .PeriodDays = 100, .IncludeFuel = fuel, .IncludeMaintenance = maintenance};
}

const TravelAllowanceResults SampleResults{.TotalKm = 30000, .BusinessKm = 20000, .PrivateKm = 10000,
    .FixedCost = 46505, .FixedCentsPerKm = 155.0166, .FuelCentsPerKm = 87.9, .MaintCentsPerKm = 36.7,
    .TotalCentsPerKmExact = 279.6166, .TotalCentsPerKm = 279.6, .TotalCosts = 21, .PrivateUse = 7,
    .DeductionClaim = 14};

const TravelAllowancePeriod SamplePeriod{42064, 42163}; // 01/03/2015 to 08/06/2015

std::vector<std::string> Names(const ReportRow& row)
{
    std::vector<std::string> names;
    for (const ReportField& f : row)
        names.push_back(f.name);
    return names;
}

const std::vector<std::string> AlwaysWritten = {"TPName", "CARNO", "mta01", "mta04", "mta05", "mta06", "mta07",
                                                "tadeduction", "MTD", "MBD", "mpd"};

struct MethodRow {
    const char* name;
    std::int16_t recordKept;
    std::int16_t fuel;
    std::int16_t maintenance;
    std::vector<std::string> methodFields;
    std::vector<ReportValue> methodValues;
    const char* layout;
};

class TravelDeductionRowTest : public ::testing::TestWithParam<MethodRow> {};

TEST_P(TravelDeductionRowTest, WritesTheCommonFieldsThenOnlyThoseOfTheMethod)
{
    const MethodRow& m = GetParam();
    const ReportRow row = TravelDeductionReportRow(SampleInputs(m.recordKept, m.fuel, m.maintenance), SamplePeriod,
                                                    SampleResults, "A Mokoena");

    std::vector<std::string> expected = AlwaysWritten;
    expected.insert(expected.end(), m.methodFields.begin(), m.methodFields.end());
    ASSERT_EQ(Names(row), expected);

    const std::vector<ReportValue> always = {std::string("A Mokoena"), std::int16_t{1}, std::string("Polo 1.4"),
                                             40000.0, 60000.0, 30000.0, 20000.0, 14.0, 30000.0, 20000.0, 10000.0};
    for (std::size_t i = 0; i < always.size(); ++i)
        EXPECT_EQ(row[i].value, always[i]) << row[i].name;
    for (std::size_t i = 0; i < m.methodValues.size(); ++i)
        EXPECT_EQ(row[always.size() + i].value, m.methodValues[i]) << row[always.size() + i].name;

    EXPECT_STREQ(TravelAllowanceLayout(m.recordKept), m.layout);
}

const std::vector<std::string> DeemedFields = {"mta03", "mta14", "cv", "fce", "fc", "mc", "tatc", "FCDet", "MCDet",
                                                "DateStart", "DateEnd"};

const MethodRow MethodRows[] = {
    {"record kept writes the costs",
     1, 1, 1,
     {"mta08", "mta09", "mta10", "mta11", "mta12", "mta13", "totcost", "pu"},
     {1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 21.0, 7.0},
     "caeprk.rpt"},
    {"no record kept writes the deemed rates and the dates",
     0, 1, 1,
     DeemedFields,
     {150000.0, 100.0, 46505.0, 155.0166, 87.9, 36.7, 279.6, std::string("Fuel costs"),
      std::string("Maintenance costs"), std::string("01/03/2015"), std::string("08/06/2015")},
     "caepnrk.rpt"},
    {"no record kept names the costs left out",
     0, 0, 0,
     DeemedFields,
     {150000.0, 100.0, 46505.0, 155.0166, 87.9, 36.7, 279.6, std::string("Fuel costs not included"),
      std::string("Maintenance costs not included"), std::string("01/03/2015"), std::string("08/06/2015")},
     "caepnrk.rpt"},
};
INSTANTIATE_TEST_SUITE_P(Method, TravelDeductionRowTest, ::testing::ValuesIn(MethodRows), testing::RowName{});

} // namespace
} // namespace revora
