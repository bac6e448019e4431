#include "ScreenRegistry.h"
#include "finance/DailyBalanceScreen.h"
#include "finance/InflationScreen.h"
#include "finance/LoanBusterScreen.h"
#include "finance/LoanComparisonScreen.h"
#include "finance/LoansScreen.h"

namespace revora {

// The small calculators of "Bu&siness Calculations".
std::vector<ScreenEntry> FinanceScreens()
{
    return {
        {"mnuBusinessCalcs", "mnuInflationProject", "Inflation Projections", "frmInflation",
         MakeScreen<InflationScreen, &AppState::Finance>},
        {"mnuBusinessCalcs", "mnuLoans", "Loans", "frmLoans", MakeScreen<LoansScreen, &AppState::Finance>},
        {"mnuBusinessCalcs", "mnuLoansBuster", "Loan buster", "frmLoanBuster",
         MakeScreen<LoanBusterScreen, &AppState::Finance>},
        {"mnuBusinessCalcs", "mnuLoansComparison", "Loan comparison", "frmLoanComp",
         MakeScreen<LoanComparisonScreen, &AppState::Finance>},
        {"mnuBusinessCalcs", "mnuDailyBalance", "Daily balance", "frmDayBal",
         MakeScreen<DailyBalanceScreen, &AppState::Finance>},
    };
}

} // namespace revora
