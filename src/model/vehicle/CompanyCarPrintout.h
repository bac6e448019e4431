#pragma once
// The company car printout: one row of the "compcar" table per car of the register.

#include <vector>

#include "common/ReportRow.h"
#include "vehicle/CompanyCar.h"

namespace revora {

inline constexpr const char* CompCarTable = "compcar";
inline constexpr const char* CompCarLayout = "compcar.rpt";
inline constexpr const char* CompCarTitle = "Full use of Company Car"; // the export hint follows it

// The rows for cars 1..CarCount, in the order the layout reads them ("CarNum" .. "WeekFB20", then
// the totals).
// Runs PrintCalc first, so the records and the claims are recomputed; `last` is the last
// CompCarCalc run (the print button calculates just before), which supplies the annual and
// periodic amounts. A car with no value prints its SARS claim as its adjustment and no true
// inclusion; dates print as "dd/mm/yyyy" text. Every row ends with the two totals the screen
// shows ("TotAdjustTaxableInc", "TotAdjustTaxableIncSARS"): the sums over all cars of the
// printed adjustments and SARS claims.
// `year` is the tax year `last` was worked in (2016 without it).
std::vector<ReportRow> CompCarReportRows(CompanyCarRegister& cars, const CompCarRun& last, const TaxYear& year);
std::vector<ReportRow> CompCarReportRows(CompanyCarRegister& cars, const CompCarRun& last);

} // namespace revora
