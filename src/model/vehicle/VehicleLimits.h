#pragma once
// What the vehicle screens' boxes and revora-calc take for an amount or a distance: a whole
// number from 0 to ten digits. Ten digits keep every product and sum the vehicle calculations
// form (a value times a rate, a distance times a rate, a share of the costs) whole and exact in
// a double, and every figure they give fits the screens' result boxes.

#include <string_view>

namespace revora {

inline constexpr double MostVehicleNumber = 9'999'999'999.0;

// A box refuses a number above MostVehicleNumber with this message and keeps what it held.
inline constexpr std::string_view VehicleNumberTitle = "Incorrect Number";
inline constexpr std::string_view VehicleNumberMessage = "Please enter a number of at most 9 999 999 999 (ten digits)";

} // namespace revora
