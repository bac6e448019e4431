#pragma once
// A payroll run: one pay period's employees' tax, UIF and SDL for every employee of a list,
// each worked by the period's own calculation, and the totals the employer declares for the
// month (EMP201): PAYE, UIF (employee and employer) and SDL.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "payroll/MonthlyPaye.h"
#include "payroll/PayeCommon.h"
#include "payroll/WeeklyPaye.h"

namespace revora {

enum class PayPeriod { Monthly, Weekly, Fortnightly, Daily };

// One employee of a run: the name on the payslip and the inputs of the period's screen.
struct PayrollEmployee {
    std::string Employee;
    PayeInputs Inputs;
    MonthlyPeriod Month; // the monthly run's dates
    WeekPeriod Days;     // the weekly and fortnightly runs' day counts
};

// An employee's results as the period's calculation gives them, and the deductions as the
// payslip prints them, in cents.
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
};

// Works every employee with the period's calculation (monthly, weekly, fortnightly or daily)
// and the program's settings. Every employee's period must have passed the period's check.
// `progress`, when given, is told how many employees are done now and then; it returns false
// to cancel the run, which then returns what it has with Cancelled set.
PayrollRun RunPayroll(PayPeriod period, const std::vector<PayrollEmployee>& employees, const PayeSettings& settings,
                      const std::function<bool(std::size_t done)>& progress = {});

} // namespace revora
