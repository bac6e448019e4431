#pragma once
// Employees' tax, UIF, SDL and medical credits for a week or a fortnight: one design with
// two sets of constants.

#include <optional>

#include "payroll/PayeCommon.h"
#include "tax/TaxEngine.h"

namespace revora {

enum class WeekKind { Weekly, Fortnightly };

// The constants of each kind: periods in a year (52 or 26), the divisor of the monthly
// medical credit (4 or 2), the default day counts (7 or 14), which are also the most days the
// period has, the period check's message, and the message for a count beyond the period.
struct WeekKindRules {
    int PeriodsPerYear;
    int CreditDivisor;
    std::int16_t DefaultDays;
    const char* TooManyDaysMessage;
    const char* DaysBeyondPeriodMessage;
};
const WeekKindRules& RulesFor(WeekKind kind) noexcept;
inline constexpr const char* IncorrectNumberOfDays = "Incorrect Number of Days";

struct WeekPeriod {
    std::int16_t NormalDays = 7; // working days of a normal pay period
    std::int16_t ThisDays = 7;   // working days of this pay period
};

// This period's days above the normal days: the kind's message, title "Incorrect Number of
// Days", focus on "&Calculate". Normal days beyond the period (a week of more than 7 days, a
// fortnight of more than 14): the kind's DaysBeyondPeriodMessage, same title, focus on the
// normal days. A day count below 1 would divide by zero: "The number of days must be 1 or
// more.", same title, focus on the box at fault.
std::optional<PayeRefusal> CheckWeekPeriod(WeekKind kind, const WeekPeriod& period);

// The weekly or fortnightly calculation in a year, P periods a year (the period must have
// passed CheckWeekPeriod):
//   taxable  = travel x inclusion rate + salary + commission - pension - R/A + employer's medical
//   annual A = taxable x (P x (normal days / this period's days))
//   from 2016/17 the retirement-fund cap on the annual figures as for the month (annualised
//   by P x (normal / this days), brought back by / P x this / normal days)
//   with = TaxBeforeRebates(A + bonus); without = TaxBeforeRebates(A)   (neither floored)
//   regular  = ((without - rebate) / P) x this days / normal days   (may be negative)
//   tax of the period = max((with - without) + regular, 0)
//   rebate = the year's RebateForAge; TaxBeforeRebates from the year's table
//   credit = the year's monthly credit / 4 (weekly) or / 2 (fortnightly); UIF limit = monthly limit x 12 / P
// UIF, SDL, additional credit and total deduction as for the month, and an annual income too
// large to tax gives zeros. `working`, when given, gets the steps as for the month: the
// annual equivalent grosses a short period up by its normal days, the rebate comes off the tax
// without the bonus before it is brought back to the period, and the UIF limit of the period
// is a step of its own when it bites.
PeriodicPayeResult WeekPayeCalculate(WeekKind kind, const PayeInputs& inputs, const PayeSettings& settings,
                                     const TaxYear& year, const WeekPeriod& period, TaxBracketResult& record,
                                     Working* working = nullptr);
// The same in the year 2016 (TaxYear2016()).
PeriodicPayeResult WeekPayeCalculate(WeekKind kind, const PayeInputs& inputs, const PayeSettings& settings,
                                     const WeekPeriod& period, TaxBracketResult& record, Working* working = nullptr);

} // namespace revora
