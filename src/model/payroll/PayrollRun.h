#pragma once
// A payroll run: one pay period's employees' tax, UIF and SDL for every employee of a list,
// each worked by the period's own calculation, and the totals the employer declares for the
// month (EMP201): PAYE, UIF (employee and employer) and SDL.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "payroll/MonthlyPaye.h"
#include "payroll/PayeCommon.h"
#include "payroll/WeeklyPaye.h"

namespace revora {

enum class PayPeriod { Monthly, Weekly, Fortnightly, Daily };

// The periods' names, in PayPeriod's order, as the screen and the printouts show them; the
// file's messages and revora-calc's choices write them in small letters.
inline constexpr const char* PayPeriodNames[] = {"Monthly", "Weekly", "Fortnightly", "Daily"};
inline const char* PayPeriodName(PayPeriod period) { return PayPeriodNames[static_cast<int>(period)]; }
std::string LowerPayPeriodName(PayPeriod period);

// One employee of a run: the name on the payslip and the inputs of the period's screen.
struct PayrollEmployee {
    std::string Employee;
    PayeInputs Inputs;
    MonthlyPeriod Month; // the monthly run's dates
    WeekPeriod Days;     // the weekly and fortnightly runs' day counts
};

// An employee's results as the period's calculation gives them, and the deductions as the
// payslip prints them, in cents: each figure is the payslip's own, rounded to the cent as the
// payslip writes it (the nearest cent of the exact value), so the cents are what it shows.
// The gross is the sum of the payslip's printed pay lines: remuneration/salary, commissions,
// bonus and travel allowance (the employer's medical contribution is a benefit, not pay).
// PAYE is the payslip's "Total tax deduction"; UIF and SDL are its two-decimal figures.
struct PayrollLine {
    PeriodicPayeResult Result;
    std::int64_t GrossCents = 0;
    std::int64_t PAYECents = 0;
    std::int64_t UIFEmployeeCents = 0;
    std::int64_t UIFEmployerCents = 0;
    std::int64_t SDLCents = 0;
};

// The run's totals: sums of the printed cents, never of unrounded figures.
struct PayrollTotals {
    std::int64_t Employees = 0;
    std::int64_t PAYECents = 0;
    std::int64_t UIFCents = 0; // employee and employer
    std::int64_t SDLCents = 0;
    std::int64_t EMP201Cents() const noexcept { return PAYECents + UIFCents + SDLCents; }
};

struct PayrollRun {
    std::vector<PayrollLine> Lines; // in the order of the employees
    PayrollTotals Totals;
    bool Cancelled = false;
    // The totals (the EMP201 total among them) would not fit in a count of cents (amounts far
    // beyond any payroll's): the run stops before that employee, as a cancelled run does, and
    // its totals are not to be declared.
    bool TooLarge = false;
};

// A monthly run is one calendar month: the month of the first employee's start date, from its
// first day to its last. Every row's dates lie in it, and the run's UIF ceiling and SDL rate are
// those in force in it (the ceiling rose on 1 June 2021; no SDL was paid from May to August
// 2020), so one run is never worked at another month's levies.
MonthlyPeriod RunMonthOf(const MonthlyPeriod& firstRow) noexcept;
// A row whose dates are not in the run's month: "<start> to <end> is not in the run's month,
// <first> to <last> (the month of the first employee's start date)", title "Incorrect Date",
// focus on the start date.
std::optional<PayeRefusal> CheckInRunMonth(const MonthlyPeriod& row, const MonthlyPeriod& runMonth);
// The pay day whose levies a run works with: a monthly run's, the last day of its month (the
// first employee's); a week's, a fortnight's or a day's run has none (UndatedPayDay).
int RunPayDay(PayPeriod period, const std::vector<PayrollEmployee>& employees, const TaxYear& year) noexcept;

// How many employees the run works between two calls of its progress callback.
inline constexpr std::size_t PayrollProgressEvery = 256;

// A figure in cents as a payslip prints it: the nearest cent of its exact value (an exact
// half cent to the even cent), as the two-decimal print writes it; a figure that is not
// finite prints nothing and counts 0. False when the cents do not fit.
bool PrintedCents(double value, std::int64_t& cents) noexcept;

// Works every employee with the period's calculation (monthly, weekly, fortnightly or daily)
// in the year, on the settings the run uses. Every employee's period must have passed the
// period's check in that year.
// `progress`, when given, is told how many employees are done after every
// PayrollProgressEvery of them and once at the end; it returns false to cancel the run, which
// then returns the employees done so far and their totals, with Cancelled set (a false
// answer to the last call cancels nothing: the run is whole).
// Every line's cents are added to the totals as they are printed:
//   Employees = number of lines;  PAYE = sum of PAYECents
//   UIF = sum of (UIFEmployeeCents + UIFEmployerCents);  SDL = sum of SDLCents
//   EMP201 total = PAYE + UIF + SDL
PayrollRun RunPayroll(PayPeriod period, const std::vector<PayrollEmployee>& employees, const PayeSettings& settings,
                      const TaxYear& year, const std::function<bool(std::size_t done)>& progress = {});
// The same in the year 2016 (TaxYear2016()).
PayrollRun RunPayroll(PayPeriod period, const std::vector<PayrollEmployee>& employees, const PayeSettings& settings,
                      const std::function<bool(std::size_t done)>& progress = {});

} // namespace revora
