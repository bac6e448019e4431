#include "vehicle/CompanyCarControls.h"

namespace revora {

namespace {

// Rows by (registration number present, more than one car).
struct ControlsTable {
    CompCarControls NamedOneOrNone;
    CompCarControls NamedSeveral;
    CompCarControls UnnamedOneOrNone;
    CompCarControls UnnamedSeveral;

    const CompCarControls& Row(bool named, std::int16_t vehicles) const noexcept
    {
        const bool several = vehicles > 1;
        if (named)
            return several ? NamedSeveral : NamedOneOrNone;
        return several ? UnnamedSeveral : UnnamedOneOrNone;
    }
};

//                                   All    Add    OK     Delete Back   Fwd    Calc   Print  Focus
constexpr CompCarControls kAllButSteps{true, true, true, true, false, false, true, true, false};
constexpr CompCarControls kEverything{true, true, true, true, true, true, true, true, false};
constexpr CompCarControls kOkAndAdd{false, true, true, false, false, false, false, false, false};

constexpr ControlsTable kAfterRegistrationChange{
    kAllButSteps,
    kEverything,
    {false, true, true, false, false, false, false, false, true},
    {false, false, false, true, false, false, false, false, false},
};

constexpr ControlsTable kAfterNavigation{
    kAllButSteps,
    kEverything,
    kOkAndAdd,
    {false, true, true, true, true, true, false, false, false},
};

constexpr CompCarControls kAfterAdd{false, true, true, true, false, false, false, false, true};
constexpr CompCarControls kEmptyAfterDelete{false, true, true, false, false, false, true, true, false};

} // namespace

CompCarControls ControlsAfterRegistrationChange(bool hasRegistrationNumber, std::int16_t vehicles) noexcept
{
    return kAfterRegistrationChange.Row(hasRegistrationNumber, vehicles);
}

CompCarControls ControlsAfterNavigation(bool hasRegistrationNumber, std::int16_t vehicles) noexcept
{
    return kAfterNavigation.Row(hasRegistrationNumber, vehicles);
}

CompCarControls ControlsAfterAdd() noexcept { return kAfterAdd; }

CompCarControls ControlsAfterDelete(bool hasRegistrationNumber, std::int16_t vehiclesLeft) noexcept
{
    if (vehiclesLeft < 1)
        return kEmptyAfterDelete;
    return ControlsAfterRegistrationChange(hasRegistrationNumber, vehiclesLeft);
}

CompCarControls ControlsOnOpen(bool hasRegistrationNumber, std::int16_t vehicles) noexcept
{
    CompCarControls controls = ControlsAfterRegistrationChange(hasRegistrationNumber, vehicles);
    controls.Calculate = true;
    return controls;
}

} // namespace revora
