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

// Which rule settled the split, so that its working names it.
enum class SplitRule { BusinessMaximum, PrivateMinimum, MinimumAboveTotal, UnderPrivateYear, PartYearMaximum, Entered };

// Private km = the pro rata private minimum, but never more than the whole distance.
SplitRule PrivateAtLeastMinimum(DistanceSplit& split, double days) noexcept
{
    split.PrivateKm = Trunc2(days * PrivateKmAYear / DaysInYear);
    if (split.PrivateKm > split.TotalKm) {
        split.BusinessKm = 0.0;
        split.PrivateKm = split.TotalKm;
        return SplitRule::MinimumAboveTotal;
    }
    split.BusinessKm = split.TotalKm - split.PrivateKm;
    return SplitRule::PrivateMinimum;
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

// The steps of the split: total, business, private, whichever rule decided them.
struct SplitSteps {
    int Total = 0;
    int Business = 0;
};

SplitSteps RecordSplit(Working& w, const TravelAllowanceInputs& in, const DistanceSplit& s, SplitRule rule)
{
    SplitSteps steps;
    steps.Total = w.Add({"Total distance"}, {"Total km, close km reading less open km reading"}, "{1} \u2212 {2}",
                        {Amount(in.CloseKm), Amount(in.OpenKm)}, s.TotalKm);
    const WorkedFigure days = Count(in.PeriodDays);
    const Phrase business{"Business distance"};
    const Phrase privateKm{"Private distance"};
    switch (rule) {
    case SplitRule::Entered:
        steps.Business = w.Add(business, {"Business km as entered"}, {}, s.BusinessKm);
        w.Add(privateKm, {"Private km, total less business km"}, "{1} \u2212 {2}", {w.Step(steps.Total), w.Step(steps.Business)},
              s.PrivateKm);
        break;
    case SplitRule::BusinessMaximum:
        steps.Business = w.Add(business, {"Business km, at most 14 000 a year for {1} days"}, "{1} \u00d7 {2} \u00f7 365",
                               {days, Amount(BusinessKmAYear)}, s.BusinessKm);
        w.Add(privateKm, {"Private km, {1} less {2}, cut to the hundredth"}, {w.Step(steps.Total), w.Step(steps.Business)},
              s.PrivateKm);
        break;
    case SplitRule::PrivateMinimum:
        steps.Business = w.Add(business, {"Business km, total less the private minimum"}, "{1} \u2212 {2}",
                               {w.Step(steps.Total), Amount(s.PrivateKm)}, s.BusinessKm);
        w.Add(privateKm, {"Private km, at least 18 000 a year for {1} days, cut to the hundredth"}, {days}, s.PrivateKm);
        break;
    case SplitRule::MinimumAboveTotal:
        steps.Business = w.Add(business, {"No business km: the total is below the private minimum of 18 000 km a year for {1} days"},
                               {days}, s.BusinessKm);
        w.Add(privateKm, {"Private km, all of the total distance"}, {}, s.PrivateKm);
        break;
    case SplitRule::UnderPrivateYear:
        steps.Business = w.Add(business, {"No business km under 18 000 km in all"}, {}, s.BusinessKm);
        w.Add(privateKm, {"Private km, all of the total distance"}, {}, s.PrivateKm);
        break;
    case SplitRule::PartYearMaximum:
        steps.Business = w.Add(business, {"Business km, {1} days' share of 32 000 km less their share of 18 000 km, cut to the hundredth"},
                               {days}, s.BusinessKm);
        w.Add(privateKm, {"Private km, total less business km"}, "{1} \u2212 {2}", {w.Step(steps.Total), w.Step(steps.Business)},
              s.PrivateKm);
        break;
    }
    return steps;
}

DistanceSplit Split(const TravelAllowanceInputs& in, Working* working, SplitSteps* steps)
{
    const double days = in.PeriodDays;
    DistanceSplit split;
    SplitRule rule;
    split.TotalKm = in.CloseKm - in.OpenKm;
    if (split.TotalKm > MostKmAYear) {
        split.BusinessKm = days * BusinessKmAYear / DaysInYear;
        split.PrivateKm = Trunc2(split.TotalKm - split.BusinessKm);
        rule = SplitRule::BusinessMaximum;
    } else {
        rule = PrivateAtLeastMinimum(split, days);
    }
    if (split.TotalKm < PrivateKmAYear) {
        split.BusinessKm = 0.0;
        split.PrivateKm = split.TotalKm;
        rule = SplitRule::UnderPrivateYear;
    }
    if (days < DaysInYear && split.TotalKm < MostKmAYear + 1.0) {
        const double limit = days * MostKmAYear / DaysInYear;
        if (split.TotalKm > limit) {
            split.BusinessKm = Trunc2(limit - days * PrivateKmAYear / DaysInYear);
            split.PrivateKm = split.TotalKm - split.BusinessKm;
            rule = SplitRule::PartYearMaximum;
        } else {
            rule = PrivateAtLeastMinimum(split, days);
        }
    }
    if (in.BusinessKmEntered > 0.0) {
        split.BusinessKm = in.BusinessKmEntered;
        split.PrivateKm = split.TotalKm - in.BusinessKmEntered;
        rule = SplitRule::Entered;
    }
    if (working) {
        const SplitSteps recorded = RecordSplit(*working, in, split, rule);
        if (steps)
            *steps = recorded;
    }
    return split;
}

// The claim's last step: the cap, when the allowance received is below the claim.
void RecordCap(Working& w, double claim, const TravelAllowanceResults& r)
{
    if (r.DeductionClaim != claim)
        w.Add({"Deduction claim"}, {"Deduction claim, no more than the allowance received"}, {}, r.DeductionClaim);
}

// A rate of the table in cents a km, or 0 when its box is not ticked.
int RecordCentsPerKm(Working& w, Phrase label, std::int16_t included, Phrase notIncluded, Phrase fromTable,
                     double rate, double cents)
{
    if (included == 0)
        return w.Add(label, notIncluded, {}, cents, FigureKind::Factor);
    return w.Add(label, fromTable, "{1} \u00d7 100", {Factor(rate)}, cents, FigureKind::Factor);
}

void RecordDeemedCosts(Working& w, const TravelAllowanceInputs& in, const TravelAllowanceResults& r, double fuelRate,
                       double maintRate, double claim)
{
    const int fixed = w.Add({"Fixed cost"}, {"Fixed cost a year for a vehicle of {1}, from the table"}, {Rand(in.VehicleValue)},
                            r.FixedCost);
    const Phrase fixedLabel{"Fixed cost cents/km"};
    int fixedCents = 0;
    if (r.TotalKm < 1.0)
        fixedCents = w.Add(fixedLabel, {"No fixed cost a km: less than 1 km to spread it over"}, {}, r.FixedCentsPerKm,
                           FigureKind::Factor);
    else if (in.PeriodDays > 0.0 && in.PeriodDays < DaysInYear)
        fixedCents = w.Add(fixedLabel, {"Fixed cost a km, {1} \u00f7 {2} km \u00d7 {3} \u00f7 365 days, cut to six decimals of a rand, in cents"},
                           {w.Step(fixed), Amount(r.TotalKm), Count(in.PeriodDays)}, r.FixedCentsPerKm,
                           FigureKind::Factor);
    else
        fixedCents = w.Add(fixedLabel, {"Fixed cost a km, {1} \u00f7 {2} km, cut to six decimals of a rand, in cents"},
                           {w.Step(fixed), Amount(r.TotalKm)}, r.FixedCentsPerKm, FigureKind::Factor);
    const int fuel = RecordCentsPerKm(w, {"Fuel costs cents/km"}, in.IncludeFuel, {"Fuel costs not included"},
                                      {"Fuel at R {1} a km from the table, in cents"}, fuelRate, r.FuelCentsPerKm);
    const int maint = RecordCentsPerKm(w, {"Maintenance costs cents/km"}, in.IncludeMaintenance,
                                       {"Maintenance costs not included"},
                                       {"Maintenance at R {1} a km from the table, in cents"}, maintRate,
                                       r.MaintCentsPerKm);
    const int total = w.Add({"Total costs cents/km"}, {"Total cents a km, fixed, fuel and maintenance, shown to one decimal as {4}"},
                            "{1} + {2} + {3}",
                            {w.Step(fixedCents), w.Step(fuel), w.Step(maint), Factor(r.TotalCentsPerKm)},
                            r.TotalCentsPerKmExact, FigureKind::Factor);
    w.Add({"Deduction claim"}, {"Deduction claim, {1} cents a km for {2} business km, in rand"}, "{1} \u00d7 {2} \u00f7 100",
          {w.Step(total), Amount(r.BusinessKm)}, claim);
    RecordCap(w, claim, r);
}

} // namespace

DistanceSplit SplitDistance(const TravelAllowanceInputs& in, Working* working)
{
    return Split(in, working, nullptr);
}

TravelAllowanceResults DeemedCostClaim(const TravelAllowanceInputs& in, Working* working)
{
    return DeemedCostClaim(in, TaxYear2016(), working);
}

TravelAllowanceResults DeemedCostClaim(const TravelAllowanceInputs& in, const TaxYear& year, Working* working)
{
    const std::optional<DeemedCost> found = DeemedCostFor(in.VehicleValue, year);
    if (!found) {
        if (working)
            working->Add({"Deduction claim"}, {"No deemed-cost claim: the tax year {1} to {2} has no deemed-cost travel table"},
                         {Date(year.Start), Date(year.End)}, 0.0);
        return {};
    }
    const DistanceSplit split = SplitDistance(in, working);
    const DeemedCost& cost = *found;
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
    const double claim = r.TotalCentsPerKmExact * r.BusinessKm / 100.0;
    r.DeductionClaim = CappedClaim(claim, in.AllowanceReceived);
    if (working)
        RecordDeemedCosts(*working, in, r, fuelRate, maintRate, claim);
    return r;
}

TravelAllowanceResults ActualCostClaim(const TravelAllowanceInputs& in, Working* working)
{
    TravelAllowanceResults r;
    r.TotalCosts =
        in.FuelOil + in.RepairsMaint + in.InsuranceLicence + in.OtherExpenses + in.WearAndTear + in.LeasePayments;
    int costs = 0;
    if (working)
        costs = working->Add({"Total costs"},
                             {"Total costs, fuel/oil, repairs/maintenance, insurance/licence, other expenses, wear and "
                              "tear and lease payments"},
                             "{1} + {2} + {3} + {4} + {5} + {6}",
                             {Amount(in.FuelOil), Amount(in.RepairsMaint), Amount(in.InsuranceLicence),
                              Amount(in.OtherExpenses), Amount(in.WearAndTear), Amount(in.LeasePayments)},
                             r.TotalCosts);
    SplitSteps split;
    const DistanceSplit distances = Split(in, working, &split);
    r.TotalKm = distances.TotalKm;
    r.BusinessKm = distances.BusinessKm;
    r.PrivateKm = distances.PrivateKm;

    if (NoDistanceKnown(in)) {
        // Private use valued as a share of the vehicle's value a year, pro rata to the days.
        const double yearShare = in.PeriodDays / DaysInYear * 12.0;
        double privateUse = in.VehicleValue * 0.025 * yearShare;
        int step = 0;
        const WorkedFigure value = Rand(in.VehicleValue);
        const WorkedFigure days = Count(in.PeriodDays);
        if (working)
            step = working->Add({"Private use"}, {"Private use with no km known, {2} a month of {1} for {3} days"},
                                "{1} \u00d7 {2} \u00d7 ({3} \u00f7 365 \u00d7 12)", {value, Percent(2.5), days},
                                privateUse);
        if (in.VehicleValue > 0.0) {
            if (in.IncludeFuel != 0) {
                privateUse -= in.VehicleValue * 0.0022 * yearShare;
                if (working)
                    step = working->Add({"Private use"}, {"Private use less fuel at {3} a month of {2}"},
                                        "{1} \u2212 {2} \u00d7 {3} \u00d7 ({4} \u00f7 365 \u00d7 12)",
                                        {working->Step(step), value, Percent(0.22), days}, privateUse);
            }
            if (in.IncludeMaintenance != 0) {
                privateUse -= in.VehicleValue * 0.0018 * yearShare;
                if (working)
                    step = working->Add({"Private use"}, {"Private use less maintenance at {3} a month of {2}"},
                                        "{1} \u2212 {2} \u00d7 {3} \u00d7 ({4} \u00f7 365 \u00d7 12)",
                                        {working->Step(step), value, Percent(0.18), days}, privateUse);
            }
        }
        r.PrivateUse = privateUse > r.TotalCosts ? 0.0 : privateUse;
        const double claim = std::fmax(r.TotalCosts - privateUse, 0.0);
        r.DeductionClaim = CappedClaim(claim, in.AllowanceReceived);
        if (working) {
            Working& w = *working;
            if (privateUse > r.TotalCosts) {
                w.Add({"Less private use"}, {"Private use shown as 0: it is more than the total costs"}, {}, r.PrivateUse);
                w.Add({"Deduction claim"}, {"No deduction claim: the private use exceeds the total costs"}, {}, claim);
            } else {
                w.Add({"Deduction claim"}, {"Deduction claim, total costs less private use"}, "{1} \u2212 {2}",
                      {w.Step(costs), w.Step(step)}, claim);
            }
            RecordCap(w, claim, r);
        }
        return r;
    }

    const double claim = in.CloseKm - in.OpenKm > 1.0 ? r.TotalCosts * r.BusinessKm / r.TotalKm : 0.0;
    r.PrivateUse = r.TotalCosts - claim;
    r.DeductionClaim = CappedClaim(claim, in.AllowanceReceived);
    if (working) {
        Working& w = *working;
        const int expenses =
            in.CloseKm - in.OpenKm > 1.0
                ? w.Add({"Travel expenses"}, {"Travel expenses, the business share of the total costs"}, "{1} \u00d7 {2} \u00f7 {3}",
                        {w.Step(costs), w.Step(split.Business), w.Step(split.Total)}, claim)
                : w.Add({"Travel expenses"}, {"No travel expenses: the readings are not more than 1 km apart"}, {}, claim);
        w.Add({"Less private use"}, {"Private use, total costs less the travel expenses"}, "{1} \u2212 {2}",
              {w.Step(costs), w.Step(expenses)}, r.PrivateUse);
        if (r.DeductionClaim != claim)
            RecordCap(w, claim, r);
        else
            w.Add({"Deduction claim"}, {"Deduction claim, the travel expenses"}, {}, r.DeductionClaim);
    }
    return r;
}

bool IncludeChoicesCount(const TravelAllowanceInputs& inputs) noexcept
{
    return inputs.RecordKept == 0 || NoDistanceKnown(inputs);
}

bool DeemedCostsRun(const TravelAllowanceInputs& inputs) noexcept
{
    return inputs.VehicleValue != 0.0 && inputs.PeriodDays != 0.0 && inputs.BusinessKmEntered != 0.0;
}

std::optional<std::string> CheckDeemedCostTable(const TravelAllowanceInputs& inputs,
                                                const TravelAllowancePeriod& period, const TaxYear& year)
{
    TravelAllowanceInputs over = inputs;
    over.PeriodDays = static_cast<double>(period.EndDate) - period.StartDate + 1.0;
    if (over.RecordKept != 0 || !DeemedCostsRun(over) || DeemedCostFor(over.VehicleValue, year))
        return std::nullopt;
    return NoTravelTableMessage(year);
}

std::optional<std::string> CheckPeriodInYear(const TravelAllowancePeriod& period, const TaxYear& year)
{
    if (InTaxYear(period.StartDate, year) && InTaxYear(period.EndDate, year))
        return std::nullopt;
    return PairOutsideYearMessage(year);
}

TravelAllowanceResults CalcTravelAllowance(TravelAllowanceInputs& inputs, const TravelAllowancePeriod& period,
                                           Working* working)
{
    return CalcTravelAllowance(inputs, period, TaxYear2016(), working);
}

TravelAllowanceResults CalcTravelAllowance(TravelAllowanceInputs& inputs, const TravelAllowancePeriod& period,
                                           const TaxYear& year, Working* working)
{
    inputs.PeriodDays = static_cast<double>(period.EndDate) - period.StartDate + 1.0;
    if (working)
        working->Add({"Period (number of days)"}, {"From {1} to {2}, both days counted"},
                     {Date(period.StartDate), Date(period.EndDate)}, inputs.PeriodDays, FigureKind::Count);
    if (inputs.RecordKept != 0)
        return ActualCostClaim(inputs, working);
    if (DeemedCostsRun(inputs))
        return DeemedCostClaim(inputs, year, working);
    if (working)
        working->Add({"Deduction claim"},
                     {"No deemed-cost claim: it needs a vehicle value, a period and business km"}, {},
                     0.0);
    return {};
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
