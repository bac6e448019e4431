#pragma once
// The payroll run's printouts: the run's summary (a line per employee, then the totals the
// employer declares for the month, EMP201) and each employee's payslip, which is the period's
// own printout of that employee.

#include <vector>

#include "common/ReportRow.h"
#include "payroll/PayePrintout.h"
#include "payroll/PayrollRun.h"

namespace revora {

// The run's summary printout: its report table, layout and title.
inline constexpr PayePrintoutTarget PayrollSummaryPrintout{"PayrollRun", "Payroll.rpt", "Payroll run"};
// The summary's table of lines, one per employee, which the layout lists.
inline constexpr const char* PayrollSummaryLinesTable = "PayrollLines";

// The summary's heading and totals, the one row of its table:
//   Period               "Monthly", "Weekly", "Fortnightly" or "Daily"
//   StartDate, EndDate   a monthly run's earliest start and latest end ("dd/mm/yyyy"); a run
//                        of another period has no dates (both empty)
//   Employees            the number of employees worked
//   PAYE, UIF, SDL       the run's totals in rand (UIF: employee's and employer's together)
//   EMP201Total          PAYE + UIF + SDL, the total payable
// The totals are the run's own, sums of the payslips' printed cents.
ReportRow PayrollSummaryRow(PayPeriod period, const std::vector<PayrollEmployee>& employees,
                            const PayrollRun& run);
// One line per employee worked, in the run's order: Employee (the name), Gross, PAYE,
// UIFEmployee, UIFEmployer and SDL in rand, each as the employee's payslip prints it.
std::vector<ReportRow> PayrollSummaryLines(const std::vector<PayrollEmployee>& employees, const PayrollRun& run);

// An employee's payslip: the period's own printout and row.
const PayePrintoutTarget& PayslipPrintout(PayPeriod period);
ReportRow PayslipRow(PayPeriod period, const PayrollEmployee& employee, const PayrollLine& line,
                     const PayeSettings& settings, PrintLanguage language);

} // namespace revora
