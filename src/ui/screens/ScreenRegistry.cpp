#include "ScreenRegistry.h"

namespace revora {

const std::vector<ScreenMenu>& ScreenMenus()
{
    static const std::vector<ScreenMenu> menus{
        {"mnuRevx", "&Revora"},
        {"mnuAvx", "A&vanta"},
        {"mnuTaxCalc", "&TaxCalcs"},
        {"mnuCarCalcs", "&Car Calculations"},
        {"mnuBusinessCalcs", "Bu&siness Calculations"},
    };
    return menus;
}

const std::vector<ScreenEntry>& AllScreens()
{
    static const std::vector<ScreenEntry> screens = [] {
        std::vector<ScreenEntry> all;
        for (const auto& domain : {PayrollScreens(), TaxScreens(), VehicleScreens(), FinanceScreens(), PackageScreens()})
            all.insert(all.end(), domain.begin(), domain.end());
        return all;
    }();
    return screens;
}

} // namespace revora
