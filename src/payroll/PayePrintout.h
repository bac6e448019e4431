#pragma once
// The one-row printouts of the five employees' tax screens, in English or Afrikaans: each row
// pairs a label field (the printed text in the chosen language) with a value field.

#include <string>

#include "payroll/AnnualPaye.h"
#include "payroll/MonthlyPaye.h"
#include "payroll/WeeklyPaye.h"
#include "tax/ReportRow.h"

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

ReportRow MonthlyPayeReportRow(const PayeInputs& inputs, const MonthlyPeriod& period, const PeriodicPayeResult& result,
                               const std::string& employee, PrintLanguage language);
ReportRow WeekPayeReportRow(WeekKind kind, const PayeInputs& inputs, const WeekPeriod& period,
                            const PeriodicPayeResult& result, const std::string& employee, PrintLanguage language);
ReportRow DailyPayeReportRow(const PayeInputs& inputs, const PeriodicPayeResult& result, const std::string& employee,
                             PrintLanguage language);
ReportRow AnnualPayeReportRow(const AnnualPayeInputs& inputs, const AnnualPayeResult& result,
                              const std::string& employee, PrintLanguage language);

} // namespace revora
