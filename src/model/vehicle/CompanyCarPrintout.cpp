#include "vehicle/CompanyCarPrintout.h"

#include <cstddef>
#include <string>
#include <utility>

#include "common/DayDate.h"
#include "vehicle/CompanyCarRegister.h"

namespace revora {

namespace {

std::string YesNo(std::int16_t flag) { return flag == 1 ? "Yes" : "No"; }

} // namespace

std::vector<ReportRow> CompCarReportRows(CompanyCarRegister& cars, const CompCarRun& last)
{
    return CompCarReportRows(cars, last, TaxYear2016());
}

std::vector<ReportRow> CompCarReportRows(CompanyCarRegister& cars, const CompCarRun& last, const TaxYear& year)
{
    const CompCarRun run = PrintCalc(cars, last, year);
    // A car with no value prints its SARS claim as its adjustment.
    const auto printedAdjustment = [&](std::size_t i) {
        return cars.Records[i].CCPrice == 0.0 ? run.Results[i].AdjustTaxableIncSARS : cars.Records[i].AdjustTaxableInc;
    };
    // The totals are the sums of the lines printed above them, so the page adds up.
    double totalAdjustment = 0.0;
    double totalSars = 0.0;
    for (std::size_t i = 1; i < cars.Records.size(); ++i) {
        totalAdjustment += printedAdjustment(i);
        totalSars += run.Results[i].AdjustTaxableIncSARS;
    }
    std::vector<ReportRow> rows;
    for (std::size_t i = 1; i < cars.Records.size(); ++i) {
        const CompanyCarRecord& car = cars.Records[i];
        const CompanyCarResult& result = run.Results[i];
        const bool noValue = car.CCPrice == 0.0;
        ReportRow row;
        const auto add = [&row](std::string name, ReportValue value) {
            row.push_back({std::move(name), std::move(value)});
        };
        add("CarNum", static_cast<std::int16_t>(i));
        add("CMVMaxNum", cars.CarCount);
        add("CCRegNumber", car.CCRegNumber);
        add("CCMake", car.CCMake);
        add("CCModel", car.CCModel);
        add("CCPrice", car.CCPrice);
        add("MaintIncluded", YesNo(car.MaintIncluded));
        add("CCMonths", static_cast<double>(car.CCEndDate) - car.CCStartDate + 1.0);
        add("EndMileage", car.EndMileage);
        add("StartMileage", car.StartMileage);
        add("TotalDistance", car.TotalDistance);
        add("BusDistance", car.BusDistance);
        add("ActualExpEmployee", car.ActualExpEmployee);
        add("SARSTable", YesNo(car.SARSTable));
        add("FuelReimbEmployer", car.FuelReimbEmployer);
        add("EmpPaidInsurance", car.EmpPaidInsurance);
        add("EmpPaidLicence", car.EmpPaidLicence);
        add("EmpPaidMaintenance", car.EmpPaidMaintenance);
        add("Actual3802", cars.Actual3802);
        add("FB3802ThisCar", car.FB3802ThisCar);
        add("AdjustTaxableInc", printedAdjustment(i));
        add("SARSDeductionClaim", result.AdjustTaxableIncSARS);
        add("TrueInclusion", noValue ? 0.0 : result.TrueInclusion);
        add("PrivateDistance", result.PrivateDistance);
        add("FuelComponent", car.FuelComponent);
        add("Arr_FuelClaim", result.FuelClaim);
        add("TotAddExpense", result.TotAddExpense);
        add("FuelExp", result.FuelExp);
        add("BussMilage", YesNo(car.BussMilage));
        add("YearOfManfact", car.YearOfManfact);
        add("CCStartDate", FormatDayDate(car.CCStartDate));
        add("CCEndDate", FormatDayDate(car.CCEndDate));
        add("IRP53802", result.IRP53802);
        add("MonFB80", result.MonFB80);
        add("MonFB20", result.MonFB20);
        add("FortFB80", result.FortFB80);
        add("FortFB20", result.FortFB20);
        add("WeekFB80", result.WeekFB80);
        add("WeekFB20", result.WeekFB20);
        add("TotAdjustTaxableInc", totalAdjustment);
        add("TotAdjustTaxableIncSARS", totalSars);
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace revora
