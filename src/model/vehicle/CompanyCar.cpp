#include "vehicle/CompanyCar.h"

#include <cmath>
#include <cstddef>
#include <limits>

#include "vehicle/CompanyCarRegister.h"
#include "vehicle/DeemedCostTable.h"

namespace revora {

namespace {

constexpr double DaysInYear = 366.0;

double Round(double value) noexcept { return std::nearbyint(value); }

// A step whose arithmetic fails leaves its target as it was.
void Store(double& target, double value) noexcept
{
    if (std::isfinite(value))
        target = value;
}

// A share of no distance at all is no share: 0 rather than 0/0.
double Proportion(double part, double totalDistance) noexcept
{
    return totalDistance == 0.0 ? 0.0 : part / totalDistance;
}

long long DaysHeld(const CompanyCarRecord& car) noexcept
{
    return static_cast<long long>(car.CCEndDate) - car.CCStartDate + 1;
}

void StoreDays(std::int16_t& target, long long days) noexcept
{
    if (days >= std::numeric_limits<std::int16_t>::min() && days <= std::numeric_limits<std::int16_t>::max())
        target = static_cast<std::int16_t>(days);
}

void DeriveDaysAndDistance(CompanyCarRecord& car, CompanyCarResult& result) noexcept
{
    StoreDays(result.Days, DaysHeld(car));
    if (car.EndMileage > 0.0)
        Store(car.TotalDistance, car.EndMileage - car.StartMileage);
}

bool HasNoDistanceAndNoValue(const CompanyCarRecord& car) noexcept
{
    return car.TotalDistance == 0.0 && car.CCPrice == 0.0;
}

struct SplitOf3802 {
    bool Auto;
    long long TotalDays;
    double Actual3802;
};

// From the business-distance cap to the SARS claim, for one car.
void ComputeClaims(CompanyCarRecord& car, CompanyCarResult& result, const SplitOf3802& split) noexcept
{
    if (car.BusDistance > car.TotalDistance)
        car.BusDistance = car.TotalDistance;
    // Readings that run backwards give a total below 0, and capping to it would store a business
    // distance below 0: the private share would then leave 0..1 (a true inclusion above the
    // whole benefit, or below 0 once the readings are mended). No business km is what such
    // readings can show.
    if (car.BusDistance < 0.0)
        car.BusDistance = 0.0;
    Store(result.PrivateDistance, car.TotalDistance - car.BusDistance);
    const double privateShare = Proportion(result.PrivateDistance, car.TotalDistance);

    if (split.Auto) {
        if (car.TotalDistance != 0.0 || car.CCPrice != 0.0) {
            if (split.TotalDays != 0)
                Store(car.FB3802ThisCar, result.Days / static_cast<double>(split.TotalDays) * split.Actual3802);
        } else {
            car.FB3802ThisCar = 0.0;
        }
    }

    const double monthlyPercent = car.MaintIncluded == 0 ? 3.5 : 3.25;
    const double inclusion = car.CCPrice * (monthlyPercent * 12.0 / 36600.0) * result.Days;
    Store(result.TrueInclusion, Round(car.BussMilage == 1 ? inclusion * privateShare : inclusion));

    if (car.SARSTable == 1) {
        Store(car.FuelComponent, Round(car.TotalDistance * FuelComponentRate(car.CCPrice)));
        Store(result.FuelClaim, Round((car.FuelComponent - car.FuelReimbEmployer) * privateShare));
    } else {
        car.FuelComponent = 0.0;
        Store(result.FuelClaim, Round((car.ActualExpEmployee - car.FuelReimbEmployer) * privateShare));
    }

    Store(result.TotAddExpense,
          Round((car.EmpPaidInsurance + car.EmpPaidLicence + car.EmpPaidMaintenance) * privateShare));
    if (car.BusDistance > 0.0)
        Store(result.FuelExp, Round(result.FuelClaim + result.TotAddExpense));

    Store(car.AdjustTaxableInc, Round(result.TrueInclusion - result.FuelExp - car.FB3802ThisCar));
    if (-split.Actual3802 > car.AdjustTaxableInc)
        Store(car.AdjustTaxableInc, -split.Actual3802);

    if (car.BusDistance > 0.0 && car.TotalDistance > 0.0 && car.BussMilage != 0)
        Store(result.AdjustTaxableIncSARS,
              -(Proportion(car.BusDistance, car.TotalDistance) * car.FB3802ThisCar + result.FuelExp));
}

void ComputePeriodicAmounts(const CompanyCarRecord& car, CompanyCarResult& result) noexcept
{
    const double monthly = car.CCPrice * (car.MaintIncluded == 0 ? 0.035 : 0.0325);
    Store(result.IRP53802, Round(monthly * 12.0 * (result.Days / DaysInYear)));
    Store(result.MonFB80, Round(monthly * 0.8));
    Store(result.MonFB20, Round(monthly * 0.2));
    const double fortnightly = Round(monthly * 12.0 / 26.0);
    Store(result.FortFB80, fortnightly * 0.8);
    Store(result.FortFB20, fortnightly * 0.2);
    const double weekly = Round(monthly * 12.0 / 52.0);
    Store(result.WeekFB80, weekly * 0.8);
    Store(result.WeekFB20, weekly * 0.2);
}

SplitOf3802 SplitFor(const CompanyCarRegister& cars) noexcept
{
    SplitOf3802 split{cars.AutoCalc3802 == 1, 0, cars.Actual3802};
    for (std::size_t i = 1; i < cars.Records.size(); ++i)
        split.TotalDays += DaysHeld(cars.Records[i]);
    return split;
}

CompCarRun StartRun(const CompanyCarRegister& cars)
{
    CompCarRun run;
    run.Results.resize(cars.Records.size());
    return run;
}

void Totals(const CompanyCarRegister& cars, CompCarRun& run) noexcept
{
    double adjust = 0.0;
    double sars = 0.0;
    for (std::size_t i = 1; i < cars.Records.size(); ++i) {
        adjust += cars.Records[i].AdjustTaxableInc;
        sars += run.Results[i].AdjustTaxableIncSARS;
    }
    Store(run.TotAdjustTaxableInc, adjust);
    Store(run.TotAdjustTaxableIncSARS, sars);
}

} // namespace

CompCarRun CompCarCalc(CompanyCarRegister& cars)
{
    CompCarRun run = StartRun(cars);
    const auto current = static_cast<std::size_t>(cars.CurrentVehicle);
    const bool currentValid = cars.CurrentVehicle >= 0 && current < cars.Records.size();
    const SplitOf3802 split = SplitFor(cars);

    for (std::size_t i = 1; i < cars.Records.size(); ++i) {
        CompanyCarRecord& car = cars.Records[i];
        CompanyCarResult& result = run.Results[i];
        DeriveDaysAndDistance(car, result);
        if (currentValid && HasNoDistanceAndNoValue(cars.Records[current])) {
            CompanyCarRecord& shown = cars.Records[current];
            shown.TotalDistance = 0.0;
            shown.BusDistance = 0.0;
            shown.FB3802ThisCar = 0.0;
            run.EndedEarly = true;
            Totals(cars, run);
            return run;
        }
        ComputeClaims(car, result, split);
        ComputePeriodicAmounts(car, result);
    }

    if (currentValid && cars.Records[current].CCPrice == 0.0)
        cars.Records[current].AdjustTaxableInc = run.Results[current].AdjustTaxableIncSARS;
    Totals(cars, run);
    return run;
}

bool ReadingsRunBackwards(const CompanyCarRecord& car) noexcept
{
    return car.EndMileage > 0.0 && car.EndMileage < car.StartMileage;
}

std::optional<ReadingsRefusal> CheckReadings(const CompanyCarRegister& cars)
{
    for (std::size_t i = 1; i < cars.Records.size(); ++i)
        if (ReadingsRunBackwards(cars.Records[i]))
            return ReadingsRefusal{static_cast<std::int16_t>(i), "The end mileage of vehicle number " + std::to_string(i)
                                                                   + " may not be below its start mileage"};
    return std::nullopt;
}

CompCarRun CompCarCalculateCommand(CompanyCarRegister& cars)
{
    if (cars.CarCount == 1)
        cars.Current().FB3802ThisCar = cars.Actual3802;
    CompCarCalc(cars);
    return CompCarCalc(cars);
}

CompCarRun PrintCalc(CompanyCarRegister& cars, const CompCarRun& last)
{
    CompCarRun run = StartRun(cars);
    const SplitOf3802 split = SplitFor(cars);
    for (std::size_t i = 1; i < cars.Records.size(); ++i) {
        CompanyCarRecord& car = cars.Records[i];
        CompanyCarResult& result = run.Results[i];
        DeriveDaysAndDistance(car, result);
        if (!HasNoDistanceAndNoValue(car))
            ComputeClaims(car, result, split);
        if (i < last.Results.size()) {
            const CompanyCarResult& before = last.Results[i];
            result.IRP53802 = before.IRP53802;
            result.MonFB80 = before.MonFB80;
            result.MonFB20 = before.MonFB20;
            result.FortFB80 = before.FortFB80;
            result.FortFB20 = before.FortFB20;
            result.WeekFB80 = before.WeekFB80;
            result.WeekFB20 = before.WeekFB20;
        }
    }
    Totals(cars, run);
    return run;
}

} // namespace revora
