#include "vehicle/CompanyCar.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>

#include "vehicle/CompanyCarRegister.h"
#include "vehicle/DeemedCostTable.h"

namespace revora {

namespace {

// The days of the year the benefit is spread over: 366 in 2016, 365 in most years.
double YearDays(const TaxYear& year) noexcept { return static_cast<double>(year.End) - year.Start + 1.0; }

// A share as the percent it was published as (0.035 -> 3.5): whole millionths over 10^4, a
// quotient of whole numbers, so 3.5 is 3.5 to the last bit, as the percent written out is.
double PercentOf(double share) noexcept { return std::round(share * 1e6) / 1e4; }

// The monthly rate of the car's value: less with a maintenance plan.
double MonthlyRate(const CompanyCarRecord& car, const TaxYear& year) noexcept
{
    return car.MaintIncluded == 0 ? year.CompanyCar.RatePerMonth : year.CompanyCar.RateWithMaintenancePlan;
}

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
    bool OnlyCar; // "&Calculate" gives the only car the whole total
    long long TotalDays;
    double Actual3802;
};

// Every car's working begins with its days, which later steps refer to.
constexpr int DaysStep = 1;

// One car's working while the run goes on, and the steps the totals add up.
struct CarSteps {
    Working Steps;
    int Adjustment = 0; // the step whose amount is the adjustment kept with the record; 0: none yet
    int Sars = 0;       // the step of the SARS claim; 0: none
};

// Days and distances, up to the private share; returns the share's step.
int RecordDistances(Working& w, const CompanyCarRecord& car, const CompanyCarResult& result,
                    double typedBusiness, double privateShare, int& business, int& total)
{
    w.Add({"No of days"}, {"Held from {1} to {2}, both days counted"}, {Date(car.CCStartDate), Date(car.CCEndDate)},
          result.Days, FigureKind::Count);
    total = car.EndMileage > 0.0
                ? w.Add({"Total distance"}, {"End mileage less start mileage"}, "{1} \u2212 {2}",
                        {Amount(car.EndMileage), Amount(car.StartMileage)}, car.TotalDistance)
                : w.Add({"Total distance"}, {"Total distance as entered"}, {}, car.TotalDistance);
    business = w.Add({"Business distance"},
                     {car.BusDistance == typedBusiness      ? "Business distance as entered"
                      : car.BusDistance == car.TotalDistance ? "Business distance cut to the total distance"
                                                             : "No business distance below 0"},
                     {}, car.BusDistance);
    const int privateKm = w.Add({"Private distance"}, {"Total less business distance"}, "{1} \u2212 {2}",
                                {w.Step(total), w.Step(business)}, result.PrivateDistance);
    if (car.TotalDistance == 0.0)
        return w.Add({"Private share"}, {"No distance, so no private share"}, {}, privateShare, FigureKind::Factor);
    return w.Add({"Private share"}, {"Private share: private distance over total distance"}, "{1} \u00f7 {2}",
                 {w.Step(privateKm), w.Step(total)}, privateShare, FigureKind::Factor);
}

// The car's share of the code 3802 total on the IRP5s, split by days of use or as entered.
int Record3802Share(Working& w, const CompanyCarRecord& car, const SplitOf3802& split, bool shared, int days)
{
    const Phrase label{"Code 3802 f/benefit for this car"};
    if (!split.Auto && split.OnlyCar && car.FB3802ThisCar == split.Actual3802)
        return w.Add(label, {"The whole code 3802 total on the IRP5s, for the only car"}, {}, car.FB3802ThisCar);
    if (!split.Auto)
        return w.Add(label, {"Code 3802 f/benefit as entered for this car"}, {}, car.FB3802ThisCar);
    if (!shared)
        return w.Add(label, {"No distance and no value, so no share of the code 3802 total"}, {}, car.FB3802ThisCar);
    if (split.TotalDays == 0)
        return w.Add(label, {"No days of use to split the code 3802 total over: as entered"}, {}, car.FB3802ThisCar);
    return w.Add(label, {"Share of the code 3802 total by days of use, of all the cars' {2} days"},
                 "{1} \u00f7 {2} \u00d7 {3}",
                 {w.Step(days), Count(static_cast<double>(split.TotalDays)), Rand(split.Actual3802)},
                 car.FB3802ThisCar);
}

// From the business-distance cap to the SARS claim, for one car.
void ComputeClaims(CompanyCarRecord& car, CompanyCarResult& result, const SplitOf3802& split, const TaxYear& year,
                   CarSteps* worked)
{
    const double typedBusiness = car.BusDistance;
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
    Working* w = worked ? &worked->Steps : nullptr;
    int business = 0;
    int total = 0;
    const int share =
        w ? RecordDistances(*w, car, result, typedBusiness, privateShare, business, total) : 0;

    const bool shared = car.TotalDistance != 0.0 || car.CCPrice != 0.0;
    if (split.Auto) {
        if (shared) {
            if (split.TotalDays != 0)
                Store(car.FB3802ThisCar, result.Days / static_cast<double>(split.TotalDays) * split.Actual3802);
        } else {
            car.FB3802ThisCar = 0.0;
        }
    }
    const int share3802 = w ? Record3802Share(*w, car, split, shared, DaysStep) : 0;

    const double monthlyPercent = PercentOf(MonthlyRate(car, year));
    const double yearDays = YearDays(year);
    const double inclusion = car.CCPrice * (monthlyPercent * 12.0 / (yearDays * 100.0)) * result.Days;
    Store(result.TrueInclusion, Round(car.BussMilage == 1 ? inclusion * privateShare : inclusion));
    const Phrase inclusionLabel{"True inclusion amount"};
    const WorkedFigure price = Rand(car.CCPrice);
    const WorkedFigure rate = Percent(monthlyPercent);
    const int included =
        !w ? 0
        : car.BussMilage == 1
            ? w->Add(inclusionLabel, {"True inclusion, {1} at {2} a month, 12 months, for {3} of {5} days, times the private "
                                      "share {4}, to the rand"},
                     {price, rate, w->Step(DaysStep), w->Step(share), Count(yearDays)}, result.TrueInclusion)
            : w->Add(inclusionLabel, {"True inclusion, {1} at {2} a month, 12 months, for {3} of {4} days, to the rand"},
                     {price, rate, w->Step(DaysStep), Count(yearDays)}, result.TrueInclusion);

    int fuelClaim = 0;
    const std::optional<double> tableRate = FuelComponentRate(car.CCPrice, year);
    if (car.SARSTable == 1 && !tableRate) {
        // No table, no rate: nothing is valued, rather than valued at another year's rate.
        car.FuelComponent = 0.0;
        if (w) {
            w->Add({"Fuel component"}, {"No fuel component: the tax year {1} to {2} has no deemed-cost travel table"},
                   {Date(year.Start), Date(year.End)}, car.FuelComponent);
            fuelClaim = w->Add({"Fuel claim (adjusted for mileage)"}, {"No fuel claim without the fuel table"}, {},
                               result.FuelClaim);
        }
    } else if (car.SARSTable == 1) {
        const double fuelRate = *tableRate;
        Store(car.FuelComponent, Round(car.TotalDistance * fuelRate));
        Store(result.FuelClaim, Round((car.FuelComponent - car.FuelReimbEmployer) * privateShare));
        if (w) {
            const int component = w->Add({"Fuel component"}, {"Fuel component, {1} km at R {2} a km from the fuel table, to the rand"},
                                         {w->Step(total), Factor(fuelRate)}, car.FuelComponent);
            fuelClaim = w->Add({"Fuel claim (adjusted for mileage)"},
                               {"Fuel claim, (fuel component {1} less {2} reimbursed) times the private share {3}, to the rand"},
                               {w->Step(component), Amount(car.FuelReimbEmployer), w->Step(share)}, result.FuelClaim);
        }
    } else {
        car.FuelComponent = 0.0;
        Store(result.FuelClaim, Round((car.ActualExpEmployee - car.FuelReimbEmployer) * privateShare));
        if (w)
            fuelClaim = w->Add({"Fuel claim (adjusted for mileage)"},
                               {"Fuel claim, (fuel paid {1} less {2} reimbursed) times the private share {3}, to the rand"},
                               {Amount(car.ActualExpEmployee), Amount(car.FuelReimbEmployer), w->Step(share)},
                               result.FuelClaim);
    }

    Store(result.TotAddExpense,
          Round((car.EmpPaidInsurance + car.EmpPaidLicence + car.EmpPaidMaintenance) * privateShare));
    const int expenses =
        w ? w->Add({"Total additional expenses (adjusted for mileage)"},
                   {"Additional expenses, (insurance {1} + licence {2} + maintenance {3}) times the private share "
                    "{4}, to the rand"},
                   {Amount(car.EmpPaidInsurance), Amount(car.EmpPaidLicence), Amount(car.EmpPaidMaintenance),
                    w->Step(share)},
                   result.TotAddExpense)
          : 0;
    if (car.BusDistance > 0.0)
        Store(result.FuelExp, Round(result.FuelClaim + result.TotAddExpense));
    // Both are whole rands, so their sum needs no rounding to explain it.
    const int borne = !w ? 0
                      : car.BusDistance > 0.0
                          ? w->Add({"Less fuel & expenses"}, {"Fuel and expenses set off, the fuel claim and additional expenses"}, "{1} + {2}",
                                   {w->Step(fuelClaim), w->Step(expenses)}, result.FuelExp)
                          : w->Add({"Less fuel & expenses"}, {"No business distance, so no fuel or expenses are set off"}, {},
                                   result.FuelExp);

    Store(car.AdjustTaxableInc, Round(result.TrueInclusion - result.FuelExp - car.FB3802ThisCar));
    if (w)
        worked->Adjustment = w->Add({"Adjustment to taxable income"},
                                    {"Adjustment to taxable income, true inclusion {1} less fuel and expenses {2} less code "
                                     "3802 {3}, to the rand"},
                                    {w->Step(included), w->Step(borne), w->Step(share3802)}, car.AdjustTaxableInc);
    if (-split.Actual3802 > car.AdjustTaxableInc) {
        Store(car.AdjustTaxableInc, -split.Actual3802);
        if (w)
            worked->Adjustment = w->Add({"Adjustment to taxable income"},
                                        {"Adjustment to taxable income, not below minus the code 3802 total on the IRP5s, {1}"},
                                        {Rand(split.Actual3802)}, car.AdjustTaxableInc);
    }

    const bool claimed = car.BusDistance > 0.0 && car.TotalDistance > 0.0 && car.BussMilage != 0;
    if (claimed)
        Store(result.AdjustTaxableIncSARS,
              -(Proportion(car.BusDistance, car.TotalDistance) * car.FB3802ThisCar + result.FuelExp));
    if (w)
        worked->Sars = claimed ? w->Add({"(SARS's claim awarded against taxable income)"},
                                        {"SARS's claim, the business share of the code 3802 f/benefit and the fuel and expenses"},
                                        "\u2212({1} \u00f7 {2} \u00d7 {3} + {4})",
                                        {w->Step(business), w->Step(total), w->Step(share3802), w->Step(borne)},
                                        result.AdjustTaxableIncSARS)
                               : w->Add({"(SARS's claim awarded against taxable income)"},
                                        {"No SARS claim without a log book and business distance"}, {},
                                        result.AdjustTaxableIncSARS);
}

// A periodic amount at 80 % or 20 % of the amount for the period.
void RecordShares(Working& w, Phrase label80, Phrase label20, int period, WorkedFigure percent80,
                  WorkedFigure percent20, double at80, double at20)
{
    w.Add(label80, {}, "{1} \u00d7 {2}", {w.Step(period), percent80}, at80);
    w.Add(label20, {}, "{1} \u00d7 {2}", {w.Step(period), percent20}, at20);
}

void ComputePeriodicAmounts(const CompanyCarRecord& car, CompanyCarResult& result, const TaxYear& year, Working* w)
{
    const double rate = MonthlyRate(car, year);
    const double at80 = year.CompanyCar.PayeInclusion;
    const double at20 = year.CompanyCar.PayeInclusionBusinessUse;
    const double yearDays = YearDays(year);
    const double monthly = car.CCPrice * rate;
    Store(result.IRP53802, Round(monthly * 12.0 * (result.Days / yearDays)));
    Store(result.MonFB80, Round(monthly * at80));
    Store(result.MonFB20, Round(monthly * at20));
    const double fortnightly = Round(monthly * 12.0 / 26.0);
    Store(result.FortFB80, fortnightly * at80);
    Store(result.FortFB20, fortnightly * at20);
    const double weekly = Round(monthly * 12.0 / 52.0);
    Store(result.WeekFB80, weekly * at80);
    Store(result.WeekFB20, weekly * at20);
    if (!w)
        return;
    const WorkedFigure price = Rand(car.CCPrice);
    const WorkedFigure percent = Percent(rate * 100.0);
    const WorkedFigure percent80 = Percent(PercentOf(at80));
    const WorkedFigure percent20 = Percent(PercentOf(at20));
    w->Add({"IRP5 code 3802 amount for this car"},
           {"IRP5 code 3802 amount, {1} at {2} a month, 12 months, for {3} of {4} days, to the rand"},
           {price, percent, w->Step(DaysStep), Count(yearDays)}, result.IRP53802);
    w->Add({"Monthly f/benefit amount for this car 80%"}, {"Monthly f/benefit, {3} of {1} at {2} a month, to the rand"},
           {price, percent, percent80}, result.MonFB80);
    w->Add({"Monthly f/benefit amount for this car 20%"}, {"Monthly f/benefit, {3} of {1} at {2} a month, to the rand"},
           {price, percent, percent20}, result.MonFB20);
    if (std::isfinite(fortnightly)) {
        const int fortnight = w->Add({"Fortnightly f/benefit amount"}, {"Fortnightly f/benefit, {1} at {2} a month, 12 months "
                                                                        "over 26 fortnights, to the rand"},
                                     {price, percent}, fortnightly);
        RecordShares(*w, {"Fortnightly f/benefit amount for this car 80%"},
                     {"Fortnightly f/benefit amount for this car 20%"}, fortnight, percent80, percent20, result.FortFB80,
                     result.FortFB20);
    }
    if (std::isfinite(weekly)) {
        const int week = w->Add({"Weekly f/benefit amount"}, {"Weekly f/benefit, {1} at {2} a month, 12 months over 52 weeks, to the rand"},
                                {price, percent}, weekly);
        RecordShares(*w, {"Weekly f/benefit amount for this car 80%"}, {"Weekly f/benefit amount for this car 20%"},
                     week, percent80, percent20, result.WeekFB80, result.WeekFB20);
    }
}

SplitOf3802 SplitFor(const CompanyCarRegister& cars) noexcept
{
    SplitOf3802 split{cars.AutoCalc3802 == 1, cars.CarCount == 1, 0, cars.Actual3802};
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

// The totals' working: each car's steps under its number, then the claims and the adjustments
// added up car by car (the adjustments last, the screen's total). A car this run did not work
// out adds the adjustment it keeps from before.
void RecordTotals(Working& w, const CompanyCarRegister& cars, const CompCarRun& run, std::vector<CarSteps>& worked)
{
    const std::size_t count = cars.Records.size() - 1;
    std::vector<WorkedFigure> adjustments(count + 1);
    std::vector<WorkedFigure> claims(count + 1);
    for (std::size_t i = 1; i <= count; ++i) {
        CarSteps& car = worked[i];
        if (car.Adjustment == 0)
            car.Adjustment = car.Steps.Add({"Adjustment to taxable income"}, {"As worked out before"}, {},
                                           cars.Records[i].AdjustTaxableInc);
        const int offset = static_cast<int>(w.Steps().size());
        w.Append(car.Steps, "Vehicle " + std::to_string(i) + ": ");
        adjustments[i] = w.Step(offset + car.Adjustment);
        claims[i] = car.Sars ? w.Step(offset + car.Sars) : Amount(run.Results[i].AdjustTaxableIncSARS);
    }
    struct Total {
        Phrase Label;
        Phrase Words;
        const std::vector<WorkedFigure>& Figures;
        double Shown;
    };
    const Total totals[] = {
        {{"Total (SARS's claim awarded against taxable income)"}, {"SARS's claims of vehicles 1 to {3}"}, claims,
         run.TotAdjustTaxableIncSARS},
        {{"Total Adjustment to taxable income"}, {"Adjustments to taxable income of vehicles 1 to {3}"}, adjustments,
         run.TotAdjustTaxableInc},
    };
    for (const Total& total : totals) {
        if (count == 0) {
            w.Add(total.Label, {}, {}, total.Shown);
            continue;
        }
        if (count == 1) {
            w.Add(total.Label, {}, {}, total.Shown);
            continue;
        }
        // Added in the same order as the total itself, so each running sum is the one it made.
        double sum = total.Figures[1].Value;
        WorkedFigure runningSum = total.Figures[1];
        for (std::size_t i = 2; i <= count && std::isfinite(sum); ++i) {
            sum += total.Figures[i].Value;
            if (!std::isfinite(sum))
                break;
            const int step = w.Add(total.Label, total.Words, "{1} + {2}",
                                   {runningSum, total.Figures[i], Count(static_cast<double>(i))}, sum);
            runningSum = w.Step(step);
        }
        if (!std::isfinite(sum))
            w.Add(total.Label, {}, {}, total.Shown);
    }
}

void Totals(const CompanyCarRegister& cars, CompCarRun& run, Working* working, std::vector<CarSteps>& worked)
{
    double adjust = 0.0;
    double sars = 0.0;
    for (std::size_t i = 1; i < cars.Records.size(); ++i) {
        adjust += cars.Records[i].AdjustTaxableInc;
        sars += run.Results[i].AdjustTaxableIncSARS;
    }
    Store(run.TotAdjustTaxableInc, adjust);
    Store(run.TotAdjustTaxableIncSARS, sars);
    if (working)
        RecordTotals(*working, cars, run, worked);
}

} // namespace

CompCarRun CompCarCalc(CompanyCarRegister& cars, Working* working)
{
    return CompCarCalc(cars, TaxYear2016(), working);
}

CompCarRun CompCarCalc(CompanyCarRegister& cars, const TaxYear& year, Working* working)
{
    CompCarRun run = StartRun(cars);
    const auto current = static_cast<std::size_t>(cars.CurrentVehicle);
    const bool currentValid = cars.CurrentVehicle >= 0 && current < cars.Records.size();
    const SplitOf3802 split = SplitFor(cars);
    std::vector<CarSteps> worked(working ? cars.Records.size() : 0);

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
            if (working)
                worked[current].Steps.Add({"Total distance"},
                                          {"No distance and no value: every figure of this vehicle reads 0 and "
                                           "nothing further is worked out"},
                                          {}, shown.TotalDistance);
            Totals(cars, run, working, worked);
            return run;
        }
        ComputeClaims(car, result, split, year, working ? &worked[i] : nullptr);
        ComputePeriodicAmounts(car, result, year, working ? &worked[i].Steps : nullptr);
    }

    if (currentValid && cars.Records[current].CCPrice == 0.0) {
        cars.Records[current].AdjustTaxableInc = run.Results[current].AdjustTaxableIncSARS;
        if (working && current > 0) {
            CarSteps& car = worked[current];
            car.Adjustment = car.Steps.Add({"Adjustment to taxable income"},
                                           {"Adjustment to taxable income: with no value, the SARS claim {1}"},
                                           {car.Steps.Step(car.Sars)}, cars.Records[current].AdjustTaxableInc);
        }
    }
    Totals(cars, run, working, worked);
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

std::optional<ReadingsRefusal> CheckDatesInYear(const CompanyCarRegister& cars, const TaxYear& year)
{
    for (std::size_t i = 1; i < cars.Records.size(); ++i)
        if (!InTaxYear(cars.Records[i].CCStartDate, year) || !InTaxYear(cars.Records[i].CCEndDate, year))
            return ReadingsRefusal{static_cast<std::int16_t>(i), PairOutsideYearMessage(year)};
    return std::nullopt;
}

std::optional<ReadingsRefusal> CheckFuelTable(const CompanyCarRegister& cars, const TaxYear& year)
{
    if (year.DeemedCostTable && !year.DeemedCostTable->empty())
        return std::nullopt;
    for (std::size_t i = 1; i < cars.Records.size(); ++i)
        if (cars.Records[i].SARSTable == 1)
            return ReadingsRefusal{static_cast<std::int16_t>(i), NoFuelTableMessage(year, static_cast<int>(i))};
    return std::nullopt;
}

CompCarRun CompCarCalculateCommand(CompanyCarRegister& cars, Working* working)
{
    return CompCarCalculateCommand(cars, TaxYear2016(), working);
}

CompCarRun CompCarCalculateCommand(CompanyCarRegister& cars, const TaxYear& year, Working* working)
{
    if (cars.CarCount == 1)
        cars.Current().FB3802ThisCar = cars.Actual3802;
    CompCarCalc(cars, year);
    return CompCarCalc(cars, year, working);
}

CompCarRun PrintCalc(CompanyCarRegister& cars, const CompCarRun& last)
{
    return PrintCalc(cars, last, TaxYear2016());
}

CompCarRun PrintCalc(CompanyCarRegister& cars, const CompCarRun& last, const TaxYear& year)
{
    CompCarRun run = StartRun(cars);
    const SplitOf3802 split = SplitFor(cars);
    for (std::size_t i = 1; i < cars.Records.size(); ++i) {
        CompanyCarRecord& car = cars.Records[i];
        CompanyCarResult& result = run.Results[i];
        DeriveDaysAndDistance(car, result);
        if (!HasNoDistanceAndNoValue(car))
            ComputeClaims(car, result, split, year, nullptr);
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
    std::vector<CarSteps> none;
    Totals(cars, run, nullptr, none);
    return run;
}

} // namespace revora
