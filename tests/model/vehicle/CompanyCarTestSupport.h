#pragma once
// Registers built straight from their records, so that a test states only the cars it needs.

#include <utility>
#include <vector>

#include "vehicle/CompanyCarRegister.h"

namespace revora::testing {

// A full-year car of value R 200 000, no maintenance plan, no log book, no distance.
inline CompanyCarRecord Car200000()
{
    CompanyCarRecord car;
    car.CCRegNumber = "CA 200-000";
    car.CCPrice = 200000.0;
    return car;
}

// No value; 10 000 km, 4 000 of them business in a log book; a code 3802 share of 6 000.
// Nothing borne, so its SARS claim is -(4 000 / 10 000 x 6 000 + 0) = -2 400.
inline CompanyCarRecord NoValueWithBusinessKm()
{
    CompanyCarRecord car;
    car.CCRegNumber = "ND 1";
    car.TotalDistance = 10000.0;
    car.BusDistance = 4000.0;
    car.BussMilage = 1;
    car.FB3802ThisCar = 6000.0;
    return car;
}

// Cars 1..n from `cars`, record 0 blank, `current` on screen and shown.
inline CompanyCarRegister RegisterOf(std::vector<CompanyCarRecord> cars, std::int16_t current = 1,
                                     double actual3802 = 0.0, std::int16_t autoCalc3802 = 0)
{
    CompanyCarRegister reg;
    reg.CarCount = static_cast<std::int16_t>(cars.size());
    for (CompanyCarRecord& car : cars)
        reg.Records.push_back(std::move(car));
    reg.CurrentVehicle = current;
    reg.ShownVehicleNo = current;
    reg.Actual3802 = actual3802;
    reg.AutoCalc3802 = autoCalc3802;
    return reg;
}

} // namespace revora::testing
