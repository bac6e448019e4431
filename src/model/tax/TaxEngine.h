#pragma once
// The income tax of a tax year: the table every tax screen uses, and the rebates by age. Each
// takes the year's rules (a sound TaxYear: TaxYearFaults empty); without one, the year 2016.

#include <cstdint>

#include "common/Working.h"
#include "tax/TaxYear.h"

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

// Chooses the year's bracket with Over < TaxableIncome <= the next bracket's Over (the first
// bracket also takes every income at or below 0, and the top one every income above its Over),
// and fills the record from it: BracketFloor = Over, BracketCeiling = the next bracket's Over
// (TopBracketCeiling for the top one), BaseTax = Base, MarginalRate = Rate as percent; then
//   PortionTax       = (TaxableIncome - BracketFloor) x MarginalRate / 100
//   TaxBeforeRebates = BaseTax + PortionTax
// Nothing is rounded or floored: -10 000 gives -1 800 in 2016. Pure arithmetic, no allocation.
void TaxFromTable(TaxBracketResult& record, const TaxYear& year) noexcept;

// The same in the year 2016 (TaxYear2016()): bracket 6 takes every income above 701 300.
void TaxFromTable(TaxBracketResult& record) noexcept;

// The annual rebate of an age in the year: the primary rebate; from 65 the secondary added; from
// 75 the tertiary as well.
double RebateForAge(std::int16_t age, const TaxYear& year) noexcept;

// The step "Tax from the table" for the record as TaxFromTable left it:
//   "Tax on R 240 000.00 from the table: 32 742.00 + 26 % of (240 000.00 − 181 900.00) = 47 848.00"
// `income` is the taxable income as a figure (an earlier step's amount, where there is one).
// Returns the step's number.
int RecordTableTax(Working& working, const TaxBracketResult& record, WorkedFigure income);

} // namespace revora
