#include "tax/QuickTax.h"

#include <cmath>

#include "tax/TaxYearRules.h"

namespace revora {

void QuickTaxCalculate(QuickTaxState& state, TaxBracketResult& record) noexcept
{
    state.IncomeCopy = record.TaxableIncome;
    state.PrimaryRebate = PrimaryRebateAmount;
    if (state.Age > 74)
        state.AgePart = TertiaryRebatePart;
    else if (state.Age > 64)
        state.AgePart = SecondaryRebatePart;
    else
        state.AgePart = 0.0;
    state.TotalRebate = std::floor(state.PrimaryRebate + state.AgePart);

    record.TaxBeforeRebates = 0.0;
    state.TotalTax = 0.0;
    state.TaxCommitment = 0.0;
    TaxFromTable(record);

    const bool taxed = record.TaxBeforeRebates > 0.0;
    state.AverageRate = taxed ? record.TaxBeforeRebates / record.TaxableIncome * 100.0 : record.MarginalRate;
    state.TotalTax = record.TaxBeforeRebates;
    state.TaxCommitment = state.TotalTax - state.TotalRebate;
    if (state.TaxCommitment < 0.0)
        state.TaxCommitment = 0.0;
    state.AverageRateAfterRebates =
        taxed ? (record.TaxBeforeRebates - state.TotalRebate) / record.TaxableIncome * 100.0 : 0.0;
    if (state.AverageRateAfterRebates < 0.0)
        state.AverageRateAfterRebates = 0.0;
}

void QuickTaxInitialise(QuickTaxState& state) noexcept
{
    state.TotalTax = 0.0;
    state.TaxCommitment = 0.0;
    state.PrimaryRebate = 0.0;
    state.AverageRate = 0.0;
}

ReportRow QuickTaxReportRow(const QuickTaxState& state, const TaxBracketResult& record)
{
    return {
        {"AGE", state.Age},
        {"TAXINCOME", state.IncomeCopy},
        {"TAXTOPAY", record.BaseTax},
        {"MARGRATE", record.MarginalRate},
        {"PORTION", record.PortionTax},
        {"TOTTAX", state.TotalTax},
        {"REBATE", state.TotalRebate},
        {"TAXCOM4", state.TaxCommitment},
        {"AVRATE", state.AverageRate},
        {"AVRATEAFT", state.AverageRateAfterRebates},
        {"TAXCOM4/2", state.TaxCommitment / 12.0},
    };
}

} // namespace revora
