#pragma once
// The payroll file: a spreadsheet saved as CSV, one employee a line, read into a run's
// employees. The file is taken whole or not at all: one bad value refuses it, with messages
// that name the line and the column at fault, so nothing is worked on half a payroll.
//
// The file: UTF-8 with or without a byte-order mark, comma separated, quoted values may hold
// commas, quotation marks (doubled) and line breaks. Line 1 names the columns, in any order and
// in any case; every further line that is not blank is an employee. The columns are those of
// revora-calc's options for the period (PayrollColumns); `employee`, `age` and `salary` are
// required, each with a value on every line; a missing or empty amount reads as 0, missing
// dates as the run's month and missing day counts as the period's full count. Values are read
// as the screens' boxes read them, within the same limits.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "payroll/PayrollRun.h"

namespace revora {

struct PayrollCsv {
    std::vector<PayrollEmployee> Employees; // in the file's order; empty when refused
    // Each names the file, the line and the column; non-empty means the file is refused.
    // At most MostListedRefusals lines are listed; MoreRefusals counts the lines beyond them.
    std::vector<std::string> Refusals;
    std::size_t MoreRefusals = 0;
    std::vector<std::size_t> Lines; // the line each employee's row begins on
};

// Once the run's settings are read: a row whose pension and R/A are more than its income
// (CheckContributions, the travel allowance at the settings' `inclusionRate`) refuses the file,
// naming the line and the pension column as the reader's refusals do.
void CheckPayrollContributions(PayrollCsv& csv, const std::string& shownName, double inclusionRate);

// A clerk fixes a file from the first messages; a listing of hundreds would hide them.
inline constexpr std::size_t MostListedRefusals = 10;

// `shownName` names the file in the messages ("june.csv"); `defaultMonth` is the period of a
// monthly row without dates. A row's dates are of `year`, refused with its date messages, and a
// monthly run's rows all lie in the month of the first one (CheckInRunMonth).
PayrollCsv ReadPayrollCsv(const std::string& shownName, std::string_view bytes, PayPeriod period,
                          const MonthlyPeriod& defaultMonth, const TaxYear& year);
// The same in the year 2016.
PayrollCsv ReadPayrollCsv(const std::string& shownName, std::string_view bytes, PayPeriod period,
                          const MonthlyPeriod& defaultMonth);

// The refusals as one text, one a line, ending "... and 3 more lines with errors" when some
// were left out; the control characters of a value quoted are spelt out (EscapeControls).
std::string PayrollCsvRefusalText(const PayrollCsv& csv);

// The columns a run of the period reads, in the template's order.
std::vector<std::string> PayrollColumns(PayPeriod period);
// The template's header line, without a line break: the columns comma separated.
std::string PayrollCsvHeader(PayPeriod period);

} // namespace revora
