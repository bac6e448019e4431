#include "vehicle/TravelAllowance.h"

#include <cmath>

#include "vehicle/DeemedCostTable.h"

namespace revora {

namespace {

constexpr double DaysInYear = 365.0;
constexpr double PrivateKmAYear = 18000.0;
constexpr double BusinessKmAYear = 14000.0;
constexpr double MostKmAYear = 32000.0; // PrivateKmAYear + BusinessKmAYear

// Decimal figures such as 0.9301 have no exact binary form, so a product that should land on
// a whole number of cents (or millionths, or a half) can come out a few units of the last
// place off. Counting anything this close as on the mark keeps the cuts and ties decimal.
bool NearlyAt(double scaled, double target) noexcept
{
    return std::fabs(scaled - target) <= 1e-12 * std::fmax(1.0, std::fabs(scaled));
}

// value cut to `decimals` decimals toward minus infinity (-1.234 -> -1.24).
double TruncDecimals(double value, int decimals) noexcept
{
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    const double nearest = std::nearbyint(scaled);
    return (NearlyAt(scaled, nearest) ? nearest : std::floor(scaled)) / scale;
}

// value to `decimals` decimals, a half going to the even neighbour (6 634.25 -> 6 634.2).
double RoundHalfEvenDecimals(double value, int decimals) noexcept
{
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    const double below = std::floor(scaled);
    if (NearlyAt(scaled, below + 0.5))
        return (std::fmod(below, 2.0) == 0.0 ? below : below + 1.0) / scale;
    return std::nearbyint(scaled) / scale;
}

double Trunc2(double value) noexcept { return TruncDecimals(value, 2); }

// Private km = the pro rata private minimum, but never more than the whole distance.
void PrivateAtLeastMinimum(DistanceSplit& split, double days) noexcept
{
    split.PrivateKm = Trunc2(days * PrivateKmAYear / DaysInYear);
    if (split.PrivateKm > split.TotalKm) {
        split.BusinessKm = 0.0;
        split.PrivateKm = split.TotalKm;
    } else {
        split.BusinessKm = split.TotalKm - split.PrivateKm;
    }
}

// The claim never exceeds an allowance that was entered; 0 means none was.
double CappedClaim(double claim, double allowance) noexcept
{
    return (allowance != 0.0 && claim > allowance) ? allowance : claim;
}

bool NoDistanceKnown(const TravelAllowanceInputs& in) noexcept
{
    return in.CloseKm == 0.0 && in.OpenKm == 0.0 && in.BusinessKmEntered == 0.0;
}

} // namespace

DistanceSplit SplitDistance(const TravelAllowanceInputs& in) noexcept
{
    const double days = in.PeriodDays;
    DistanceSplit split;
    split.TotalKm = in.CloseKm - in.OpenKm;
    if (split.TotalKm > MostKmAYear) {
        split.BusinessKm = days * BusinessKmAYear / DaysInYear;
        split.PrivateKm = Trunc2(split.TotalKm - split.BusinessKm);
    } else {
        PrivateAtLeastMinimum(split, days);
    }
    if (split.TotalKm < PrivateKmAYear) {
        split.BusinessKm = 0.0;
        split.PrivateKm = split.TotalKm;
    }
    if (days < DaysInYear && split.TotalKm < MostKmAYear + 1.0) {
        const double limit = days * MostKmAYear / DaysInYear;
        if (split.TotalKm > limit) {
            split.BusinessKm = Trunc2(limit - days * PrivateKmAYear / DaysInYear);
            split.PrivateKm = split.TotalKm - split.BusinessKm;
        } else {
            PrivateAtLeastMinimum(split, days);
        }
    }
    if (in.BusinessKmEntered > 0.0) {
        split.BusinessKm = in.BusinessKmEntered;
        split.PrivateKm = split.TotalKm - in.BusinessKmEntered;
    }
    return split;
}

TravelAllowanceResults DeemedCostClaim(const TravelAllowanceInputs& in) noexcept
{
    const DistanceSplit split = SplitDistance(in);
    const DeemedCost& cost = DeemedCostFor(in.VehicleValue);
    const double fuelRate = in.IncludeFuel == 0 ? 0.0 : cost.FuelRate;
    const double maintRate = in.IncludeMaintenance == 0 ? 0.0 : cost.MaintenanceRate;
    double fixedRate = split.TotalKm >= 1.0 ? cost.FixedCost / split.TotalKm : 0.0;
    if (in.PeriodDays > 0.0 && in.PeriodDays < DaysInYear)
        fixedRate *= in.PeriodDays / DaysInYear;

    TravelAllowanceResults r;
    r.TotalKm = split.TotalKm;
    r.BusinessKm = split.BusinessKm;
    r.PrivateKm = split.PrivateKm;
    r.FixedCost = cost.FixedCost;
    r.FixedCentsPerKm = TruncDecimals(fixedRate, 6) * 100.0;
    r.FuelCentsPerKm = fuelRate * 100.0;
    r.MaintCentsPerKm = maintRate * 100.0;
    r.TotalCentsPerKmExact = r.FixedCentsPerKm + r.FuelCentsPerKm + r.MaintCentsPerKm;
    r.TotalCentsPerKm = RoundHalfEvenDecimals(r.TotalCentsPerKmExact, 1);
    r.DeductionClaim = CappedClaim(r.TotalCentsPerKmExact * r.BusinessKm / 100.0, in.AllowanceReceived);
    return r;
}

TravelAllowanceResults ActualCostClaim(const TravelAllowanceInputs& in) noexcept
{
    const DistanceSplit split = SplitDistance(in);
    TravelAllowanceResults r;
    r.TotalKm = split.TotalKm;
    r.BusinessKm = split.BusinessKm;
    r.PrivateKm = split.PrivateKm;
    r.TotalCosts =
        in.FuelOil + in.RepairsMaint + in.InsuranceLicence + in.OtherExpenses + in.WearAndTear + in.LeasePayments;

    if (NoDistanceKnown(in)) {
        // Private use valued as a share of the vehicle's value a year, pro rata to the days.
        const double yearShare = in.PeriodDays / DaysInYear * 12.0;
        double privateUse = in.VehicleValue * 0.025 * yearShare;
        if (in.VehicleValue > 0.0) {
            if (in.IncludeFuel != 0)
                privateUse -= in.VehicleValue * 0.0022 * yearShare;
            if (in.IncludeMaintenance != 0)
                privateUse -= in.VehicleValue * 0.0018 * yearShare;
        }
        r.PrivateUse = privateUse > r.TotalCosts ? 0.0 : privateUse;
        r.DeductionClaim = CappedClaim(std::fmax(r.TotalCosts - privateUse, 0.0), in.AllowanceReceived);
        return r;
    }

    const double claim = in.CloseKm - in.OpenKm > 1.0 ? r.TotalCosts * r.BusinessKm / r.TotalKm : 0.0;
    r.PrivateUse = r.TotalCosts - claim;
    r.DeductionClaim = CappedClaim(claim, in.AllowanceReceived);
    return r;
}

bool IncludeChoicesCount(const TravelAllowanceInputs& inputs) noexcept
{
    return inputs.RecordKept == 0 || NoDistanceKnown(inputs);
}

TravelAllowanceResults CalcTravelAllowance(TravelAllowanceInputs& inputs, const TravelAllowancePeriod& period) noexcept
{
    inputs.PeriodDays = static_cast<double>(period.EndDate) - period.StartDate + 1.0;
    if (inputs.RecordKept != 0)
        return ActualCostClaim(inputs);
    const bool deemedCanRun =
        inputs.VehicleValue != 0.0 && inputs.PeriodDays != 0.0 && inputs.BusinessKmEntered != 0.0;
    return deemedCanRun ? DeemedCostClaim(inputs) : TravelAllowanceResults{};
}

std::optional<TravelAllowanceRefusal> CheckSinglePayment(const TravelAllowanceInputs& inputs) noexcept
{
    if (inputs.WearAndTear > 0.0 && inputs.LeasePayments > 0.0)
        return SinglePaymentRefusal;
    return std::nullopt;
}

std::optional<TravelDistanceRefusal> CheckDistances(const TravelAllowanceInputs& inputs) noexcept
{
    if (inputs.OpenKm > inputs.CloseKm)
        return TravelDistanceRefusal{ReadingsBackwardsRefusal, TravelDistanceBox::OpenKm};
    if (inputs.BusinessKmEntered > inputs.CloseKm - inputs.OpenKm)
        return TravelDistanceRefusal{BusinessAboveTotalRefusal, TravelDistanceBox::BusinessKm};
    return std::nullopt;
}

bool MayStoreWearOrLease(double typed) noexcept { return typed >= 0.0; }

} // namespace revora
