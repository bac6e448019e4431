#pragma once
// The small calculators' values, kept while the program runs so they outlive their screens:
// the loan, the loan buster, the loan comparison, the daily balance and the inflation.

#include "finance/DailyBalance.h"
#include "finance/Inflation.h"
#include "finance/Loan.h"
#include "finance/LoanBuster.h"
#include "finance/LoanComparison.h"

namespace revora {

struct FinanceState {
    LoanState Loans;
    LoanBusterState LoanBuster;
    LoanComparisonState LoanComparison;
    DailyBalanceState DailyBalance;
    InflationState Inflation;

    // "&Initialise All": the loan's values but its principal, and every other calculator's
    // values, back to their start values (the daily balance's dates as not set).
    void Reset() noexcept
    {
        LoanInitialise(Loans);
        LoanBuster = LoanBusterState{};
        LoanComparison = LoanComparisonState{};
        DailyBalance = DailyBalanceState{};
        Inflation = InflationState{};
    }
};

} // namespace revora
