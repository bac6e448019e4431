#include "vehicle/DeemedCostTable.h"

#include <array>

namespace revora {

namespace {

struct Band {
    double UpperBound; // inclusive; the lower bound is the previous band's upper bound, exclusive
    DeemedCost Cost;
};

constexpr std::array<Band, 6> kBoundedBands{{
    {80000.0, {26105.0, 0.787, 0.293}},
    {160000.0, {46505.0, 0.879, 0.367}},
    {240000.0, {66976.0, 0.955, 0.404}},
    {320000.0, {84945.0, 1.027, 0.441}},
    {400000.0, {102974.0, 1.099, 0.518}},
    {480000.0, {121886.0, 1.261, 0.608}},
}};

constexpr DeemedCost kAbove480000{140797.0, 1.304, 0.756};

} // namespace

const DeemedCost& DeemedCostFor(double vehicleValue) noexcept
{
    for (const Band& band : kBoundedBands)
        if (vehicleValue <= band.UpperBound)
            return band.Cost;
    // Also reached by NaN, which no comparison admits to a band.
    return kAbove480000;
}

double FuelComponentRate(double vehicleValue) noexcept
{
    return DeemedCostFor(vehicleValue).FuelRate;
}

} // namespace revora
