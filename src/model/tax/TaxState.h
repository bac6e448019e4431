#pragma once
// The tax values the program keeps while it runs: the bracket result of the last tax worked
// out (its taxable income is shared by the PAYE, package and quick tax screens), who set that
// income, and the quick tax values.

#include <string>

#include "tax/QuickTax.h"
#include "tax/TaxEngine.h"

namespace revora {

struct TaxState {
    revora::TaxBracketResult TaxBracketResult;
    // The screen whose calculation last passed the taxable income above to the engine, by its
    // caption ("Fortnightly"); empty when the income was typed in quick tax, or nothing has set
    // it yet. Quick tax takes that income each time it comes to the front and says where it
    // came from (QuickTaxIncomeNote). A screen that passes the income sets this with it.
    std::string IncomeFrom;
    QuickTaxState QuickTax;

    // "&Initialise All": the tax before rebates and the marginal rate back to 0 and the quick
    // tax values reset (QuickTaxInitialise); the taxable income is kept, and with it who set it.
    void Reset() noexcept
    {
        TaxBracketResult.TaxBeforeRebates = 0.0;
        TaxBracketResult.MarginalRate = 0.0;
        QuickTaxInitialise(QuickTax);
    }
};

} // namespace revora
