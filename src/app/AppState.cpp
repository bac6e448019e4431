#include "AppState.h"

namespace revora {

void AppState::InitialiseAll()
{
    TaxBracketResult.TaxBeforeRebates = 0.0;
    TaxBracketResult.MarginalRate = 0.0;
    QuickTaxInitialise(QuickTax);
    CompanyCars.Reset();
    TravelAllowance = TravelAllowanceInputs{};
    LoanInitialise(Loans);
    LoanBuster = LoanBusterState{};
    LoanComparison = LoanComparisonState{};
    DailyBalance = DailyBalanceState{};
    Inflation = InflationState{};
}

} // namespace revora
