#pragma once
// Employees' tax, UIF, SDL and medical credits for one day's pay.

#include "payroll/PayeCommon.h"
#include "tax/TaxEngine.h"

namespace revora {

// The daily calculation in a year, 260 working days a year, no period check:
//   taxable  = travel x inclusion rate + salary + commission - pension - R/A + employer's medical
//   annual A = taxable x 260
//   from 2016/17 the retirement-fund cap on the annual figures as for the month (x 260, / 260)
//   with = TaxBeforeRebates(A + bonus); without = TaxBeforeRebates(A)   (neither floored)
//   tax of the day = max((with - without) + (without - rebate) / 260, 0)
//   rebate = the year's RebateForAge; TaxBeforeRebates from the year's table
//   credit = the year's monthly credit x 12 / 260: in 2016 (n x 270 x 12) / 260 for n <= 2,
//            (6 480 + (n - 2) x 181 x 12) / 260 above
//   UIF limit = monthly limit x 12 / 260
// Example (2016): 1 000 a day at age 40: (TaxBeforeRebates(260 000) - 13 257) / 260.
// An annual income too large to tax gives zeros. `working`, when given, gets the steps as for
// the month, the day's pay annualised over 260 days and the rebate taken off before the tax is
// brought back to the day.
PeriodicPayeResult DailyPayeCalculate(const PayeInputs& inputs, const PayeSettings& settings, const TaxYear& year,
                                      TaxBracketResult& record, Working* working = nullptr);
// The same in the year 2016 (TaxYear2016()).
PeriodicPayeResult DailyPayeCalculate(const PayeInputs& inputs, const PayeSettings& settings,
                                      TaxBracketResult& record, Working* working = nullptr);

} // namespace revora
