#pragma once
// The travel allowance printout: the one row of "traveldeduction", overwritten in place by
// every print, and the layout that shows it.

#include <cstdint>
#include <string>

#include "common/ReportRow.h"
#include "vehicle/TravelAllowance.h"

namespace revora {

inline constexpr const char* TravelAllowanceTable = "traveldeduction";
// The report window's title, before the export hint.
inline constexpr const char* TravelAllowanceTitle = "Car Allowance";

// The most characters the employee's name on the printout takes.
inline constexpr int TravelNameLength = 50;

// "caeprk.rpt" with a record kept (actual costs), "caepnrk.rpt" without (deemed costs).
const char* TravelAllowanceLayout(std::int16_t recordKept) noexcept;

// The fields in the order written: first those every print writes (TPName, CARNO 1, mta01,
// mta04 to mta07, tadeduction, MTD, MBD, mpd), then those of the method in force. With a
// record kept: mta08 to mta13, totcost, pu; without: mta03, mta14, cv, fce, fc, mc, tatc (to
// one decimal), FCDet, MCDet, DateStart, DateEnd. The other method's fields are left out, so
// the stored row keeps what an earlier print put there.
ReportRow TravelDeductionReportRow(const TravelAllowanceInputs& inputs, const TravelAllowancePeriod& period,
                                   const TravelAllowanceResults& results, const std::string& employee);

} // namespace revora
