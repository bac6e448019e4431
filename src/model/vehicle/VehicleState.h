#pragma once
// The vehicle values the program keeps while it runs: the company car register and the travel
// allowance screen's inputs.

#include "vehicle/CompanyCarRegister.h"
#include "vehicle/TravelAllowance.h"

namespace revora {

struct VehicleState {
    CompanyCarRegister CompanyCars;
    TravelAllowanceInputs TravelAllowance;

    // "&Initialise All": the register emptied and the travel allowance inputs back to no record
    // kept, no amounts and both costs included.
    void Reset()
    {
        CompanyCars.Reset();
        TravelAllowance = TravelAllowanceInputs{};
    }
};

} // namespace revora
