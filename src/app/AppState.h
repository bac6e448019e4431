#pragma once
// The program-wide shared values, owned by the main window and handed to the screens.

#include <QString>
#include <cstdint>
#include <optional>

#include "AppFolders.h"
#include "finance/DailyBalance.h"
#include "finance/Inflation.h"
#include "finance/Loan.h"
#include "finance/LoanBuster.h"
#include "finance/LoanComparison.h"
#include "tax/QuickTax.h"
#include "tax/TaxEngine.h"
#include "vehicle/CompanyCarRegister.h"
#include "vehicle/TravelAllowance.h"

namespace revora {

struct AppState {
    AppPaths Paths;
    revora::TaxBracketResult TaxBracketResult;
    QuickTaxState QuickTax;
    std::int16_t PrintDirect = 0; // 1: straight to the printer; 0: the report window
    std::optional<bool> ViewAbout; // as read from the start-up database; empty when unreadable
    QString ReportWindowTitle;     // kept between prints, as the one report control keeps it
    QString PrinterName;           // chosen in "&Printer Setup"; empty means the default printer
    CompanyCarRegister CompanyCars; // the company cars, kept while the program runs
    TravelAllowanceInputs TravelAllowance; // the travel allowance screen's inputs, kept likewise
    LoanState Loans;                    // the small calculators' values, kept likewise
    LoanBusterState LoanBuster;
    LoanComparisonState LoanComparison;
    DailyBalanceState DailyBalance;
    InflationState Inflation;

    // Start values of the shared values: the company car register emptied and the travel
    // allowance inputs back to no record kept, no amounts and both costs included; the loan
    // values but its principal, the loan buster's, the comparison's, the daily balance's (dates
    // not set) and the inflation's back to their start values. The taxable income, the quick
    // tax age and income copy and the paths are kept.
    void InitialiseAll();
};

} // namespace revora
