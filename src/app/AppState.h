#pragma once
// The program's state while it runs, owned by the main window: the program-wide values, and
// each domain's own part, handed to that domain's screens.

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "AppFolders.h"
#include "finance/FinanceState.h"
#include "tax/TaxState.h"
#include "tax/TaxYear.h"
#include "vehicle/VehicleState.h"

namespace revora {

// The tax years of the data, newest first, and the one chosen. Current() is the chosen year, or
// 2016 (TaxYear2016()) while the data holds no such year: the program works in 2016 until the
// data is read, and whenever it cannot be.
struct TaxYearChoice {
    std::vector<TaxYear> Years;
    int Chosen = 2016;
    const TaxYear& Current() const;
};

// What every calculator window works with besides its own domain's values: where the program's
// files are, and the print choices kept between prints.
struct ProgramValues {
    AppPaths Paths;
    std::int16_t PrintDirect = 0; // 1: straight to the printer; 0: the report window
    QString ReportWindowTitle;    // kept between prints, as the one report control keeps it
    QString PrinterName;          // chosen in "&Printer Setup"; empty means the default printer
    TaxYearChoice Year;           // the tax year every calculation works in
};

struct AppState : ProgramValues {
    std::optional<bool> ViewAbout; // as read from the start-up database; empty when unreadable
    TaxState Tax;                  // the bracket result and quick tax: tax, payroll and package screens
    VehicleState Vehicle;          // the company cars and the travel allowance inputs
    FinanceState Finance;          // the small calculators' values

    // Every domain's values back to their start values (each part's Reset); the paths, the
    // print choices and ViewAbout are kept.
    void InitialiseAll();
};

} // namespace revora
