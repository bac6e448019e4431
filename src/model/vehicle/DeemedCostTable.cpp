#include "vehicle/DeemedCostTable.h"

#include <array>
#include <cmath>

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

// Cents a km as rand a km: whole ten-thousandths of a cent over 10^6, a quotient of two whole
// numbers and so the double nearest the decimal rate.
double RandFromCents(double cents) noexcept { return std::round(cents * 1e4) / 1e6; }

std::string NoTableLead(const TaxYear& year)
{
    return "The tax year " + year.Label + " has no deemed-cost travel table: ";
}

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

std::optional<DeemedCost> DeemedCostFor(double vehicleValue, const TaxYear& year) noexcept
{
    if (!year.DeemedCostTable || year.DeemedCostTable->empty())
        return std::nullopt;
    const std::vector<DeemedCostBand>& bands = *year.DeemedCostTable;
    const DeemedCostBand* found = &bands.back();
    for (const DeemedCostBand& band : bands)
        if (!band.ValueUpTo || vehicleValue <= *band.ValueUpTo) {
            found = &band;
            break;
        }
    return DeemedCost{found->FixedCost, RandFromCents(found->FuelCentsPerKm),
                      RandFromCents(found->MaintenanceCentsPerKm)};
}

std::optional<double> FuelComponentRate(double vehicleValue, const TaxYear& year) noexcept
{
    if (const auto cost = DeemedCostFor(vehicleValue, year))
        return cost->FuelRate;
    return std::nullopt;
}

std::string NoTravelTableMessage(const TaxYear& year)
{
    return NoTableLead(year) + "the travel allowance cannot be worked for it";
}

std::string NoFuelTableMessage(const TaxYear& year, int vehicle)
{
    return NoTableLead(year) + "the fuel of vehicle number " + std::to_string(vehicle) +
           " cannot be valued from SARS's cents/km fuel table for it";
}

} // namespace revora
