#pragma once
// The program-wide shared values, owned by the main window and handed to the screens.

#include <QString>
#include <cstdint>
#include <optional>

#include "shell/AppFolders.h"
#include "tax/QuickTax.h"
#include "tax/TaxEngine.h"

namespace revora {

struct AppState {
    AppPaths Paths;
    revora::TaxBracketResult TaxBracketResult;
    QuickTaxState QuickTax;
    std::int16_t PrintDirect = 0; // 1: straight to the printer; 0: the report window
    std::optional<bool> ViewAbout; // as read from the start-up database; empty when unreadable
    QString ReportWindowTitle;     // kept between prints, as the one report control keeps it
    QString PrinterName;           // chosen in "&Printer Setup"; empty means the default printer

    // Start values of the shared values. The taxable income, the quick tax age and income
    // copy and the paths are kept.
    void InitialiseAll();
};

} // namespace revora
