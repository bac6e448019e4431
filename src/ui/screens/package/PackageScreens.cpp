#include "ScreenRegistry.h"
#include "package/PackageScreen.h"

namespace revora {

// The four salary package screens, one class by kind: "&Revora" grosses up, "A&vanta" runs
// forwards. Each cascades with the open windows.
std::vector<ScreenEntry> PackageScreens()
{
    constexpr auto cascaded = ScreenPlacement::Cascaded;
    return {
        {"mnuRevx", "mnuRevxMon", "&Monthly", "frmRevoraMon",
         MakeScreen<SalaryPackageScreen, &AppState::Tax, PackageKind::RevoraMonthly>, true, cascaded},
        {"mnuRevx", "mnuRevxAnn", "&Annual", "frmRevoraAnn",
         MakeScreen<SalaryPackageScreen, &AppState::Tax, PackageKind::RevoraAnnual>, true, cascaded},
        {"mnuAvx", "mnuAvxMon", "&Monthly", "frmAvxMon",
         MakeScreen<SalaryPackageScreen, &AppState::Tax, PackageKind::AvantaMonthly>, true, cascaded},
        {"mnuAvx", "mnuAvxAnn", "&Annual", "frmAvxAnn",
         MakeScreen<SalaryPackageScreen, &AppState::Tax, PackageKind::AvantaAnnual>, true, cascaded},
    };
}

} // namespace revora
