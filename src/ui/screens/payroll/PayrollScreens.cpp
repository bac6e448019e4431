#include "ScreenRegistry.h"
#include "payroll/AnnualScreen.h"
#include "payroll/DailyScreen.h"
#include "payroll/MonthlyScreen.h"
#include "payroll/PayrollRunScreen.h"
#include "payroll/WeekScreen.h"

namespace revora {

// The employees' tax screens of "&TaxCalcs" and the payroll run of them all; "&Initialise All"
// leaves the fortnightly one open.
std::vector<ScreenEntry> PayrollScreens()
{
    return {
        {"mnuTaxCalc", "mnuAnnual", "&Annual", "frmAnnual", MakeScreen<AnnualScreen, &AppState::Tax>},
        {"mnuTaxCalc", "mnuMonthly", "&Monthly", "frmMonthly", MakeScreen<MonthlyScreen, &AppState::Tax>},
        {"mnuTaxCalc", "mnuFortNight", "&FortNightly", "frmFortNight",
         MakeScreen<WeekScreen, &AppState::Tax, WeekKind::Fortnightly>, false},
        {"mnuTaxCalc", "mnuWeekly", "&Weekly", "frmWeekly", MakeScreen<WeekScreen, &AppState::Tax, WeekKind::Weekly>},
        {"mnuTaxCalc", "mnuDaily", "&Daily", "frmDaily", MakeScreen<DailyScreen, &AppState::Tax>},
        // The run reads the program's settings and files alone: no domain's values.
        {"mnuTaxCalc", "mnuPayrollRun", "Payroll &run", "frmPayrollRun",
         [](AppState& state) -> CalculatorWindow* { return new PayrollRunScreen(state); }},
    };
}

} // namespace revora
