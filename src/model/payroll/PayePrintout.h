#pragma once
// The one-row printouts of the five employees' tax screens, in English or Afrikaans: each row
// pairs a label field (the printed text in the chosen language) with a value field. Each row
// ends with the settings its figures were worked with (the periodic screens: both UIF
// percentages, the UIF monthly limit, the SDL percentage and the travel allowance's inclusion
// rate as a percentage; the annual screen: the inclusion rate), so a payslip can be checked.

#include <string>

#include "payroll/AnnualPaye.h"
#include "payroll/MonthlyPaye.h"
#include "payroll/WeeklyPaye.h"
#include "common/ReportRow.h"

namespace revora {

// Report table, layout file and window title of each screen.
struct PayePrintoutTarget {
    const char* Table;  // "IRP5Mon"
    const char* Layout; // "Monthly.rpt"
    const char* Title;  // "Monthly" + the export hint
};
inline constexpr PayePrintoutTarget MonthlyPrintout{"IRP5Mon", "Monthly.rpt", "Monthly"};
inline constexpr PayePrintoutTarget WeeklyPrintout{"IRP5Week", "Weekly.rpt", "Weekly"};
inline constexpr PayePrintoutTarget FortnightlyPrintout{"IRP5Week", "FortNightly.rpt", "FortNightly"};
inline constexpr PayePrintoutTarget DailyPrintout{"IRP5Day", "Daily.rpt", "Daily"};
inline constexpr PayePrintoutTarget AnnualPrintout{"IRP5Ann", "Annual.rpt", "Annual"};

// The employee's name is at most 50 characters.
inline constexpr int EmployeeNameLength = 50;

ReportRow MonthlyPayeReportRow(const PayeInputs& inputs, const PayeSettings& settings, const MonthlyPeriod& period,
                               const PeriodicPayeResult& result, const std::string& employee, PrintLanguage language);
ReportRow WeekPayeReportRow(WeekKind kind, const PayeInputs& inputs, const PayeSettings& settings,
                            const WeekPeriod& period, const PeriodicPayeResult& result, const std::string& employee,
                            PrintLanguage language);
ReportRow DailyPayeReportRow(const PayeInputs& inputs, const PayeSettings& settings, const PeriodicPayeResult& result,
                             const std::string& employee, PrintLanguage language);
ReportRow AnnualPayeReportRow(const AnnualPayeInputs& inputs, const PayeSettings& settings,
                              const AnnualPayeResult& result, const std::string& employee, PrintLanguage language);

} // namespace revora
