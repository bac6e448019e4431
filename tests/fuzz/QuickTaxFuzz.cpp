// The quick tax on any income and age, then "&Initialise All" and its printout row.

#include <cmath>

#include "FuzzInput.h"
#include "tax/QuickTax.h"

using namespace revora;
using namespace revora::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    QuickTaxState state;
    state.Age = in.Count(0, 120);
    TaxBracketResult record;
    record.TaxableIncome = in.Amount(LargestTypedAmount, true, {181900.0, 284100.0, 393200.0, 550100.0, 701300.0});

    QuickTaxCalculate(state, record);
    // Incomes beyond any box overflow near the largest double; revora-calc refuses them
    // ("the amounts are too large to work with") and nothing of them is printed or stored.
    if (!std::isfinite(state.TotalTax) && std::fabs(record.TaxableIncome) > LargestTypedAmount)
        return 0;
    FiniteNotNegative(state.TotalRebate, "rebate");
    Finite(state.TotalTax, "tax before rebates");
    FiniteNotNegative(state.TaxCommitment, "tax commitment");
    FiniteNotNegative(state.AverageRate, "average rate");
    FiniteNotNegative(state.AverageRateAfterRebates, "average rate after rebates");
    Require(state.AverageRate <= 41.0 + 1e-9, "an average rate above the top marginal rate");
    Require(state.TaxCommitment <= state.TotalTax || state.TaxCommitment == 0.0, "rebate raised the tax");
    FiniteRow(QuickTaxReportRow(state, record), "quick tax printout");

    QuickTaxInitialise(state);
    FiniteRow(QuickTaxReportRow(state, record), "quick tax printout after initialise");
    return 0;
}
