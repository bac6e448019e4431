#include "ScreenRegistry.h"
#include "vehicle/CompanyCarScreen.h"
#include "vehicle/TravelAllowanceScreen.h"

namespace revora {

// "&Car Calculations": both screens cascade with the open windows, the wide company car screen
// widening the main window first.
std::vector<ScreenEntry> VehicleScreens()
{
    return {
        {"mnuCarCalcs", "mnuCompCar", "&Company car", "frmCompCar",
         MakeScreen<CompanyCarScreen, &AppState::Vehicle>, true, ScreenPlacement::WidenedThenCascaded},
        {"mnuCarCalcs", "mnuCarAll1", "Car Allowance", "frmCarAll1",
         MakeScreen<TravelAllowanceScreen, &AppState::Vehicle>, true, ScreenPlacement::Cascaded},
    };
}

} // namespace revora
