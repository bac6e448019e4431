#include "ScreenRegistry.h"
#include "tax/QuickTaxScreen.h"

namespace revora {

// The quick tax screen ends "&TaxCalcs"; "&Initialise All" leaves it open.
std::vector<ScreenEntry> TaxScreens()
{
    return {
        {"mnuTaxCalc", "QuickTax", "QuickTax", "frmKwikTax", MakeScreen<QuickTaxScreen, &AppState::Tax>, false},
    };
}

} // namespace revora
