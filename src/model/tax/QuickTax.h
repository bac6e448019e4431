#pragma once
// The quick tax calculation: the annual tax on a taxable income for an age, broken down.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/ReportRow.h"
#include "common/InputNumbers.h"
#include "tax/TaxEngine.h"
#include "tax/TaxYearRules.h"

namespace revora {

// The largest taxable income the screen takes: the most any amount box takes. The result boxes
// are as wide as the figures of this income.
inline constexpr double MostQuickTaxIncome = LargestTypedAmount;

// The quick tax screen's own program-wide values; they outlive the screen.
struct QuickTaxState {
    double IncomeCopy = 0.0; // the income as last typed or calculated here
    std::int16_t Age = 0;
    double PrimaryRebate = 0.0;
    double AgePart = 0.0;
    double TotalRebate = 0.0;
    double TotalTax = 0.0;
    double TaxCommitment = 0.0;
    double AverageRate = 0.0;
    double AverageRateAfterRebates = 0.0;
};

// NEWCALC on record.TaxableIncome and state.Age, in the year:
//   PrimaryRebate  = the year's primary rebate
//   AgePart        = the secondary and tertiary rebates above 74, the secondary above 64, else 0
//   TotalRebate    = floor(PrimaryRebate + AgePart)
//   TotalTax       = TaxBeforeRebates of TaxFromTable in the year
//   TaxCommitment  = max(TotalTax - TotalRebate, 0)
//   AverageRate    = TaxBeforeRebates / TaxableIncome x 100 when the tax is above 0, else
//                    the marginal rate (an income of 0 shows the first bracket's, 18)
//   AverageRateAfterRebates = max((TaxBeforeRebates - TotalRebate) / TaxableIncome x 100, 0)
//                    when the tax is above 0, else 0
// Example (2016): 500 000 at age 40 gives bracket 4, tax 131 583, rebate 13 257, commitment
// 118 326; at 75 the age part is 9 873.
// `working`, when given, receives the steps; the last is the tax commitment.
void QuickTaxCalculate(QuickTaxState& state, TaxBracketResult& record, const TaxYear& year,
                       Working* working = nullptr);

// The same in the year 2016 (TaxYear2016()).
void QuickTaxCalculate(QuickTaxState& state, TaxBracketResult& record, Working* working = nullptr);

// What quick tax shows beside "Taxable Income" for the screen that last passed the income to
// the engine ("Fortnightly"): "from Fortnightly's last calculation". Empty for an income typed
// in quick tax itself, or one nothing has set.
std::string QuickTaxIncomeNote(std::string_view from);

// What "&Initialise All" resets; the age, the income copy, the rebate total, the age part
// and the average after rebates keep their values.
void QuickTaxInitialise(QuickTaxState& state) noexcept;

// The row of the "kwiktax" report table, fields in the order written.
ReportRow QuickTaxReportRow(const QuickTaxState& state, const TaxBracketResult& record);

} // namespace revora
