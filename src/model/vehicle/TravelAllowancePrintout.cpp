#include "vehicle/TravelAllowancePrintout.h"

#include "common/DayDate.h"

namespace revora {

const char* TravelAllowanceLayout(std::int16_t recordKept) noexcept
{
    return recordKept != 0 ? "caeprk.rpt" : "caepnrk.rpt";
}

ReportRow TravelDeductionReportRow(const TravelAllowanceInputs& in, const TravelAllowancePeriod& period,
                                   const TravelAllowanceResults& r, const std::string& employee)
{
    ReportRow row;
    const auto add = [&row](const char* name, ReportValue value) { row.push_back({name, std::move(value)}); };
    add("TPName", employee);
    add("CARNO", std::int16_t{1});
    add("mta01", in.CarDescription);
    add("mta04", in.AllowanceReceived);
    add("mta05", in.CloseKm);
    add("mta06", in.OpenKm);
    add("mta07", in.BusinessKmEntered);
    add("tadeduction", r.DeductionClaim);
    add("MTD", r.TotalKm);
    add("MBD", r.BusinessKm);
    add("mpd", r.PrivateKm);
    if (in.RecordKept != 0) {
        add("mta08", in.FuelOil);
        add("mta09", in.RepairsMaint);
        add("mta10", in.InsuranceLicence);
        add("mta11", in.OtherExpenses);
        add("mta12", in.WearAndTear);
        add("mta13", in.LeasePayments);
        add("totcost", r.TotalCosts);
        add("pu", r.PrivateUse);
        return row;
    }
    add("mta03", in.VehicleValue);
    add("mta14", in.PeriodDays);
    add("cv", r.FixedCost);
    add("fce", r.FixedCentsPerKm);
    add("fc", r.FuelCentsPerKm);
    add("mc", r.MaintCentsPerKm);
    add("tatc", r.TotalCentsPerKm);
    add("FCDet", std::string(in.IncludeFuel != 0 ? "Fuel costs" : "Fuel costs not included"));
    add("MCDet", std::string(in.IncludeMaintenance != 0 ? "Maintenance costs" : "Maintenance costs not included"));
    add("DateStart", FormatDayDate(period.StartDate));
    add("DateEnd", FormatDayDate(period.EndDate));
    return row;
}

} // namespace revora
