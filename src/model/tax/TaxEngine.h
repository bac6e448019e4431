#pragma once
// The one income-tax operation every tax screen uses.

#include "common/Working.h"

namespace revora {

// The shared income-tax record: the caller sets TaxableIncome, calls TaxFromTable and reads
// the outputs before the next call. It keeps its values between calls and between screens.
struct TaxBracketResult {
    double TaxableIncome = 0.0;    // input: annual taxable income in rand
    double MarginalRate = 0.0;     // percent of the chosen bracket
    double BracketFloor = 0.0;
    double BracketCeiling = 0.0;
    double PortionTax = 0.0;       // tax on the part above the floor
    double BaseTax = 0.0;          // tax up to the floor
    double TaxBeforeRebates = 0.0; // BaseTax + PortionTax
};

// Chooses the bracket with floor < TaxableIncome <= ceiling (bracket 1 also takes every
// income at or below 0, and bracket 6 every income above 701 300), then
//   PortionTax       = (TaxableIncome - BracketFloor) x MarginalRate / 100
//   TaxBeforeRebates = BaseTax + PortionTax
// Nothing is rounded or floored: -10 000 gives -1 800. Pure arithmetic, no allocation.
void TaxFromTable(TaxBracketResult& record) noexcept;

// The step "Tax from the table" for the record as TaxFromTable left it:
//   "Tax on R 240 000.00 from the table: 32 742.00 + 26 % of (240 000.00 − 181 900.00) = 47 848.00"
// `income` is the taxable income as a figure (an earlier step's amount, where there is one).
// Returns the step's number.
int RecordTableTax(Working& working, const TaxBracketResult& record, WorkedFigure income);

} // namespace revora
