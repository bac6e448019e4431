#pragma once
// The deemed cost of running a vehicle, by its determined value (VAT included): a fixed cost
// a year and a fuel and a maintenance rate a kilometre. The company car values its fuel from
// this table and the travel allowance values all three columns, so both read this one table.

namespace revora {

struct DeemedCost {
    double FixedCost;       // rand a year
    double FuelRate;        // rand a kilometre
    double MaintenanceRate; // rand a kilometre
};

// The row of the band that holds vehicleValue. A band's lower bound is exclusive and its upper
// bound inclusive (80 000 is in the first band, 80 000.01 in the second); every value above
// 480 000 takes the last row, and every value up to 80 000, 0 and below included, the first.
const DeemedCost& DeemedCostFor(double vehicleValue) noexcept;

// FUEL_COMPONENT_TABLE: the fuel rate (rand a km) for a vehicle of this value.
double FuelComponentRate(double vehicleValue) noexcept;

} // namespace revora
