#pragma once
// Employees' tax, UIF, SDL and medical credits for one calendar month (or part of it).

#include <optional>

#include "payroll/PayeCommon.h"
#include "tax/TaxEngine.h"
#include "tax/TaxYear.h"

namespace revora {

struct MonthlyPeriod {
    int StartDate = 42064; // 01/03/2015, day number
    int EndDate = 42094;   // 31/03/2015
};

// The month a monthly calculation opens on in a year: its March, 1 to 31.
MonthlyPeriod FirstMonthOf(const TaxYear& year) noexcept;

// A date outside the year: the year's date message (OutsideYearMessage), focus on that date.
// Start and end in different months: "The Start and End dates entered must be for the same
// Month" (focus on the end date); a start day after the end day: "The Start date entered
// must be before the End date" (focus on the start date); title "Incorrect Date".
std::optional<PayeRefusal> CheckMonthlyPeriod(const MonthlyPeriod& period, const TaxYear& year);
// The same in the year 2016.
std::optional<PayeRefusal> CheckMonthlyPeriod(const MonthlyPeriod& period);

// The monthly calculation in a year (the period must have passed CheckMonthlyPeriod in it):
//   days in month M = 31 or 30 by the start date's month, February's the year's own (28, or 29
//   in a leap year); days worked d = end - start + 1
//   taxable travel  = inclusion rate x travel allowance
//   monthly taxable = taxable travel + salary + commission - pension - R/A + employer's medical
//   annual A        = monthly taxable x (M / d) x 12
//   from 2016/17 (the one deduction) pension + R/A are deducted up to a limit of the annual
//   figures: limit = min(27.5 % x (monthly remuneration x (M / d) x 12), the year's cap), the
//   remuneration being taxable travel + salary + commission + employer's medical, without the
//   bonus; contributions x (M / d) x 12 above it give A = annual remuneration - limit, and
//   the month's deduction is (limit / 12) x d / M (paye::CapRetirement)
//   rebate = the year's RebateForAge; TaxBeforeRebates from the year's table (TaxFromTable)
//   with  = max(TaxBeforeRebates(A + bonus) - rebate, 0); without = max(TaxBeforeRebates(A) - rebate, 0)
//   tax of the month = max((with - without) + (without / 12) x d / M, 0)
//   credit = 0 without contributions, else the year's MedicalCreditPerMonth(n): in 2016
//            n x 270 (n <= 2) or 540 + (n - 2) x 181
//   UIF base = salary + employer's medical + bonus + taxable travel (no commission);
//   each UIF = min(base, monthly limit) x rate / 100 (the limit only when the base exceeds it)
//   SDL = max(UIF base - the month's deduction (pension + R/A, or the capped one) + commission, 0)
//         x SDL rate / 100, no limit
//   total deduction = tax - (credit + additional credit), shown as 0 unless above 0
// The engine is called with A + bonus, then with A, so the shared record keeps A.
// Example (2016): salary 20 000 for all of March, age 40: A = 240 000, tax (47 848 - 13 257) / 12 = 2 882.58.
// An annual income too large to tax gives zeros, as any figure that is not finite does.
// `working`, when given, gets the steps a clerk follows: the taxable income, its annual
// equivalent (the part month grossed up, when the period is part of the month), the
// retirement-fund cap when it bites, the tax from
// the table with and without the bonus, the rebate, the annual taxes after it, the tax on the
// bonus, the tax brought back to the period, the liability, the medical credits, the UIF base
// (and the limit, when it bites), both UIF contributions and the SDL, and last the total
// deduction.
PeriodicPayeResult MonthlyPayeCalculate(const PayeInputs& inputs, const PayeSettings& settings,
                                        const TaxYear& year, const MonthlyPeriod& period, TaxBracketResult& record,
                                        Working* working = nullptr);
// The same in the year 2016 (TaxYear2016()).
PeriodicPayeResult MonthlyPayeCalculate(const PayeInputs& inputs, const PayeSettings& settings,
                                        const MonthlyPeriod& period, TaxBracketResult& record,
                                        Working* working = nullptr);

} // namespace revora
