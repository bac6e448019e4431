#pragma once
// The tax values the program keeps while it runs: the bracket result of the last tax worked
// out (its taxable income is shared by the PAYE, package and quick tax screens) and the quick
// tax values.

#include "tax/QuickTax.h"
#include "tax/TaxEngine.h"

namespace revora {

struct TaxState {
    revora::TaxBracketResult TaxBracketResult;
    QuickTaxState QuickTax;

    // "&Initialise All": the tax before rebates and the marginal rate back to 0 and the quick
    // tax values reset (QuickTaxInitialise); the taxable income is kept.
    void Reset() noexcept
    {
        TaxBracketResult.TaxBeforeRebates = 0.0;
        TaxBracketResult.MarginalRate = 0.0;
        QuickTaxInitialise(QuickTax);
    }
};

} // namespace revora
