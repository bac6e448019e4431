#pragma once
// The deemed cost of running a vehicle, by its determined value (VAT included): a fixed cost
// a year and a fuel and a maintenance rate a kilometre. The company car values its fuel from
// this table and the travel allowance values all three columns, so both read this one table.
// Each tax year publishes its own table (TaxYear::DeemedCostTable); a year without one cannot
// value anything from it, and no other year's table stands in.

#include <optional>
#include <string>

#include "tax/TaxYear.h"

namespace revora {

struct DeemedCost {
    double FixedCost;       // rand a year
    double FuelRate;        // rand a kilometre
    double MaintenanceRate; // rand a kilometre
};

// The 2016 table: the row of the band that holds vehicleValue. A band's lower bound is
// exclusive and its upper bound inclusive (80 000 is in the first band, 80 000.01 in the
// second); every value above 480 000 takes the last row, and every value up to 80 000, 0 and
// below included, the first. TaxYear2016()'s table is built from these rows.
const DeemedCost& DeemedCostFor(double vehicleValue) noexcept;

// FUEL_COMPONENT_TABLE: the 2016 fuel rate (rand a km) for a vehicle of this value.
double FuelComponentRate(double vehicleValue) noexcept;

// The row of the year's table for vehicleValue: the first band whose ValueUpTo (inclusive) is
// not below the value, else the open last band (which also takes a value no comparison admits).
// The table's rates are published in cents a km; a rand rate is cents / 100, taken to the
// ten-thousandth of a cent the figures are published within, so that 36.7 cents is R 0.367 to
// the last bit, as a rate written in rand would be. Empty when the year has no table.
std::optional<DeemedCost> DeemedCostFor(double vehicleValue, const TaxYear& year) noexcept;
std::optional<double> FuelComponentRate(double vehicleValue, const TaxYear& year) noexcept;

// What cannot be worked for a year without a table, said plainly:
//   "The tax year 2024/25 has no deemed-cost travel table: the travel allowance cannot be
//    worked for it"
//   "The tax year 2024/25 has no deemed-cost travel table: the fuel of vehicle number 2 cannot
//    be valued from SARS's cents/km fuel table for it"
inline constexpr const char* NoDeemedCostTableTitle = "No Travel Table";
std::string NoTravelTableMessage(const TaxYear& year);
std::string NoFuelTableMessage(const TaxYear& year, int vehicle);

} // namespace revora
