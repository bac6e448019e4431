// The "compcar" rows: one per car, every field in the layout's order, dates as text.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "CompanyCarTestSupport.h"
#include "vehicle/CompanyCarPrintout.h"

namespace revora {
namespace {

using testing::Car200000;
using testing::NoValueWithBusinessKm;
using testing::RegisterOf;

// A field the row does not write throws out of at(), failing the test.
ReportValue Field(const ReportRow& row, const std::string& name)
{
    std::map<std::string, ReportValue> byName;
    for (const ReportField& f : row)
        byName.emplace(f.name, f.value);
    return byName.at(name);
}
double Number(const ReportRow& row, const std::string& name) { return std::get<double>(Field(row, name)); }
std::string Text(const ReportRow& row, const std::string& name) { return std::get<std::string>(Field(row, name)); }
std::int16_t Count(const ReportRow& row, const std::string& name) { return std::get<std::int16_t>(Field(row, name)); }

// Car 3 has no value and a SARS claim of -2 400.
CompanyCarRegister ThreeCars()
{
    CompanyCarRecord planned = Car200000();
    planned.MaintIncluded = 1;
    planned.CCEndDate = 42246;
    return RegisterOf({Car200000(), planned, NoValueWithBusinessKm()}, 1, 90000.0);
}

TEST(CompCarPrintout, OneRowPerCarNumberedOneToThree)
{
    CompanyCarRegister reg = ThreeCars();
    const CompCarRun last = CompCarCalculateCommand(reg);
    const std::vector<ReportRow> rows = CompCarReportRows(reg, last);
    ASSERT_EQ(rows.size(), 3u);
    for (std::int16_t i = 0; i < 3; ++i) {
        EXPECT_EQ(Count(rows[static_cast<std::size_t>(i)], "CarNum"), i + 1);
        EXPECT_EQ(Count(rows[static_cast<std::size_t>(i)], "CMVMaxNum"), 3);
        EXPECT_EQ(Number(rows[static_cast<std::size_t>(i)], "Actual3802"), 90000.0);
    }
}

TEST(CompCarPrintout, WritesEveryFieldInTheLayoutOrder)
{
    CompanyCarRegister reg = RegisterOf({Car200000()});
    const std::vector<ReportRow> rows = CompCarReportRows(reg, CompCarCalc(reg));
    ASSERT_EQ(rows.size(), 1u);
    std::vector<std::string> names;
    for (const ReportField& f : rows[0])
        names.push_back(f.name);
    const std::vector<std::string> expected = {"CarNum", "CMVMaxNum", "CCRegNumber", "CCMake", "CCModel", "CCPrice",
        "MaintIncluded", "CCMonths", "EndMileage", "StartMileage", "TotalDistance", "BusDistance",
        "ActualExpEmployee", "SARSTable", "FuelReimbEmployer", "EmpPaidInsurance", "EmpPaidLicence",
        "EmpPaidMaintenance", "Actual3802", "FB3802ThisCar", "AdjustTaxableInc", "SARSDeductionClaim",
        "TrueInclusion", "PrivateDistance", "FuelComponent", "Arr_FuelClaim", "TotAddExpense", "FuelExp",
        "BussMilage", "YearOfManfact", "CCStartDate", "CCEndDate", "IRP53802", "MonFB80", "MonFB20", "FortFB80",
        "FortFB20", "WeekFB80", "WeekFB20", "TotAdjustTaxableInc", "TotAdjustTaxableIncSARS"};
    EXPECT_EQ(names, expected);
}

TEST(CompCarPrintout, DatesFlagsAndDaysPrintAsText)
{
    CompanyCarRegister reg = ThreeCars();
    const std::vector<ReportRow> rows = CompCarReportRows(reg, CompCarCalculateCommand(reg));
    EXPECT_EQ(Text(rows[0], "CCStartDate"), "01/03/2015");
    EXPECT_EQ(Text(rows[0], "CCEndDate"), "29/02/2016");
    EXPECT_EQ(Text(rows[1], "CCEndDate"), "30/08/2015");
    EXPECT_EQ(Number(rows[1], "CCMonths"), 183.0);
    EXPECT_EQ(Text(rows[0], "MaintIncluded"), "No");
    EXPECT_EQ(Text(rows[1], "MaintIncluded"), "Yes");
    EXPECT_EQ(Text(rows[2], "BussMilage"), "Yes");
    EXPECT_EQ(Text(rows[2], "SARSTable"), "No");
}

TEST(CompCarPrintout, CarWithNoValuePrintsItsSarsClaimAsTheAdjustment)
{
    CompanyCarRegister reg = ThreeCars();
    const std::vector<ReportRow> rows = CompCarReportRows(reg, CompCarCalculateCommand(reg));
    EXPECT_EQ(Number(rows[2], "TrueInclusion"), 0.0);
    EXPECT_DOUBLE_EQ(Number(rows[2], "SARSDeductionClaim"), -2400.0);
    EXPECT_DOUBLE_EQ(Number(rows[2], "AdjustTaxableInc"), -2400.0);
}

TEST(CompCarPrintout, EveryRowCarriesTheTotalsOfThePrintedLines)
{
    CompanyCarRegister reg = ThreeCars();
    const CompCarRun last = CompCarCalculateCommand(reg);
    const std::vector<ReportRow> rows = CompCarReportRows(reg, last);
    double adjustments = 0.0;
    double claims = 0.0;
    for (const ReportRow& row : rows) {
        adjustments += Number(row, "AdjustTaxableInc"); // car 3's is its SARS claim
        claims += Number(row, "SARSDeductionClaim");
    }
    for (const ReportRow& row : rows) {
        EXPECT_DOUBLE_EQ(Number(row, "TotAdjustTaxableInc"), adjustments);
        EXPECT_DOUBLE_EQ(Number(row, "TotAdjustTaxableIncSARS"), claims);
    }
    EXPECT_DOUBLE_EQ(claims, last.TotAdjustTaxableIncSARS); // as the screen shows it
}

TEST(CompCarPrintout, PeriodicAmountsComeFromTheLastCalculation)
{
    // Car 2 (R 200 000 at 3.25 %, 183 days): 6 500 x 12 x 183 / 366 = 39 000; 5 200 a month.
    CompanyCarRegister reg = ThreeCars();
    const std::vector<ReportRow> rows = CompCarReportRows(reg, CompCarCalculateCommand(reg));
    EXPECT_DOUBLE_EQ(Number(rows[1], "IRP53802"), 39000.0);
    EXPECT_DOUBLE_EQ(Number(rows[1], "MonFB80"), 5200.0);
    EXPECT_DOUBLE_EQ(Number(rows[1], "TrueInclusion"), 39000.0);
}

} // namespace
} // namespace revora
