#pragma once
// The travel allowance: what a taxpayer paid an allowance for their own car may claim against
// it for business travel. Without an accurate record of costs the claim is the business
// distance at a deemed rate in cents a km; with one it is the recorded costs times the
// business share of the distance. Either way the claim never exceeds the allowance, when one
// is entered.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/Working.h"
#include "tax/TaxYearRules.h"
#include "vehicle/VehicleLimits.h"

namespace revora {

// The screen's inputs, kept program-wide so they survive closing the screen. The values here
// are the start values that "&Initialise All" gives. Amounts are rand, distances km, as the
// whole-number boxes hold them (0 to MostVehicleNumber), which keeps every product finite.
struct TravelAllowanceInputs {
    std::string CarDescription{};
    std::int16_t RecordKept = 0; // 1: accurate record kept (actual costs); 0: deemed costs
    double VehicleValue = 0.0;   // original value of the vehicle
    double AllowanceReceived = 0.0; // 0: no cap on the claim
    double CloseKm = 0.0;
    double OpenKm = 0.0;
    double BusinessKmEntered = 0.0; // above 0 it overrides the business distance worked out
    double FuelOil = 0.0;
    double RepairsMaint = 0.0;
    double InsuranceLicence = 0.0;
    double OtherExpenses = 0.0;
    double WearAndTear = 0.0;   // at most one of these two is above 0 (CheckSinglePayment)
    double LeasePayments = 0.0;
    double PeriodDays = 0.0;    // written by every calculation from the period
    std::int16_t IncludeFuel = 1;
    std::int16_t IncludeMaintenance = 1;
};

// The screen's own dates (day numbers); every load starts them at the whole tax year.
struct TravelAllowancePeriod {
    int StartDate = TaxYearStart;
    int EndDate = TaxYearEnd;

    static TravelAllowancePeriod WholeYear(const TaxYear& year) noexcept { return {year.Start, year.End}; }
};

struct DistanceSplit {
    double TotalKm = 0.0;
    double BusinessKm = 0.0;
    double PrivateKm = 0.0; // negative when the business km entered exceed the total
};

// One calculation's results. The fields of the method not in force stay 0.
struct TravelAllowanceResults {
    double TotalKm = 0.0;
    double BusinessKm = 0.0;
    double PrivateKm = 0.0;
    // Deemed costs.
    double FixedCost = 0.0; // rand a year
    double FixedCentsPerKm = 0.0;
    double FuelCentsPerKm = 0.0;
    double MaintCentsPerKm = 0.0;
    double TotalCentsPerKmExact = 0.0; // the sum the claim is worked from
    double TotalCentsPerKm = 0.0;      // the sum to one decimal, halves to even: shown and printed
    // Actual costs.
    double TotalCosts = 0.0;
    double PrivateUse = 0.0;
    // Both.
    double DeductionClaim = 0.0;
};

// The split of the total distance that both methods share. With D = period days and
// P = business km entered, Trunc2(x) = x cut to two decimals toward minus infinity:
//   1. total = close - open
//   2. total > 32 000: business = D x 14 000 / 365, private = Trunc2(total - business);
//      else private = Trunc2(D x 18 000 / 365); private > total: business 0, private total;
//      else business = total - private
//   3. total < 18 000: business 0, private total
//   4. D < 365 and total < 32 001, with L = D x 32 000 / 365: total > L: business =
//      Trunc2(L - D x 18 000 / 365), private = total - business; else as the second half of 2
//   5. P > 0: business = P, private = total - P (wins over 2 to 4; private not clipped)
// So without P the private distance is at least 18 000 km a year and the business distance at
// most 14 000 km a year, pro rata to the days; a tax year of 366 days counts as whole.
// Example: 25 000 km over 366 days: private Trunc2(18 049.315...) = 18 049.31, business 6 950.69.
// Here and in the deemed costs, a figure that lies on a step of a cut but is held a hair below
// it (0.9301 as 0.93009999...) counts as on it, and a half held a hair off counts as a half.
// A `working` records the total, the business and then the private distance, each with the
// rule that decided it.
DistanceSplit SplitDistance(const TravelAllowanceInputs& inputs, Working* working = nullptr);

// Deemed costs. SplitDistance, then from the year's DeemedCostTable row of the vehicle value:
//   fuel and maintenance rates (rand a km) are 0 when their include flag is 0
//   fixed rate = FixedCost / total when total >= 1, else 0; x D / 365 when 0 < D < 365
//   FixedCentsPerKm = (fixed rate cut to six decimals toward minus infinity) x 100;
//   fuel and maintenance cents = rate x 100
//   claim = (fixed + fuel + maintenance cents) x business / 100, then capped at the
//   allowance when that is not 0; TotalCentsPerKm = the sum to one decimal, halves to even
// Example: R 150 000, 30 000 km, 20 000 business, 366 days: 46 505 / 30 000 = 1.5501666...
// -> 155.0166 + 87.9 + 36.7 = 279.6166 cents (shown 279.6), claim R 55 923.32.
// Only the table is the year's own: the split's 365 days and 14 000, 18 000 and 32 000 km a
// year, like the actual costs' shares of the value below, are the same rules in every year. A
// year without a table gives no claim (CheckDeemedCostTable refuses before that).
// A `working` records the split, the fixed cost from the table and its cents a km, the fuel
// and maintenance cents, their sum, and the claim (then the cap, when it applies).
TravelAllowanceResults DeemedCostClaim(const TravelAllowanceInputs& inputs, const TaxYear& year,
                                       Working* working = nullptr);
// In 2016 (TaxYear2016()).
TravelAllowanceResults DeemedCostClaim(const TravelAllowanceInputs& inputs, Working* working = nullptr);

// Actual costs. costs = fuel/oil + repairs + insurance/licence + other + wear and tear + lease;
// SplitDistance; then
//   close, open and business km entered all 0 (no distance known):
//     r = value x 0.025 x 12 x D / 365, less (value > 0 only) value x 0.0022 x D / 365 x 12
//     when fuel is included and value x 0.0018 x D / 365 x 12 when maintenance is;
//     private use = r, or 0 when r exceeds the costs; claim = max(costs - r, 0), capped
//   otherwise: claim = costs x business / total when close - open > 1, else 0;
//     private use = costs - claim; then the claim is capped (private use is not recomputed)
// The cap: when the allowance is not 0 and below the claim, the claim is the allowance.
// Example: costs 60 000, 25 000 business km of 40 000: claim 37 500, private use 22 500.
// A `working` records the total costs, the split, the private use (from the value, or what the
// business share leaves) and last the claim, with the cap when it applies.
TravelAllowanceResults ActualCostClaim(const TravelAllowanceInputs& inputs, Working* working = nullptr);

// Whether "Include Fuel Costs" and "Include Maintenance Costs" take part in the claim: always
// without a record kept; with one only while close, open and business km are all 0, where they
// reduce the private use valued from the vehicle's value.
bool IncludeChoicesCount(const TravelAllowanceInputs& inputs) noexcept;

// The screen's calculation in a tax year:
//   1. PeriodDays = end - start + 1 (366 for the whole 2016 year), written into inputs
//   2. value, PeriodDays or business km entered 0: the deemed-cost results are all 0;
//      otherwise, without a record kept, DeemedCostClaim from the year's table
//   3. with a record kept, ActualCostClaim, whatever step 2 found
// A `working` records the period's days and then the method's steps; its last step is the
// deduction claim (0, and why, when the deemed costs cannot run).
TravelAllowanceResults CalcTravelAllowance(TravelAllowanceInputs& inputs, const TravelAllowancePeriod& period,
                                           const TaxYear& year, Working* working = nullptr);
// In 2016 (TaxYear2016()).
TravelAllowanceResults CalcTravelAllowance(TravelAllowanceInputs& inputs, const TravelAllowancePeriod& period,
                                           Working* working = nullptr);

// Whether the deemed costs are worked out (step 2): a value, PeriodDays (as the last calculation
// wrote it) and business km to work from.
bool DeemedCostsRun(const TravelAllowanceInputs& inputs) noexcept;

// The deemed costs of a year without a table cannot be worked: NoTravelTableMessage, checked
// before CalcTravelAllowance. Empty when the year has its table, or when the calculation over
// this period would not read it (a record kept, or no value, period or business km).
std::optional<std::string> CheckDeemedCostTable(const TravelAllowanceInputs& inputs,
                                                const TravelAllowancePeriod& period, const TaxYear& year);

// Period dates outside the year worked in (left from another year): PairOutsideYearMessage of
// the year. The claim is a year's, so its days must lie in that year.
std::optional<std::string> CheckPeriodInYear(const TravelAllowancePeriod& period, const TaxYear& year);

// Wear and tear and lease payments may not both be above 0.
struct TravelAllowanceRefusal {
    std::string_view title;
    std::string_view message;
};
inline constexpr TravelAllowanceRefusal SinglePaymentRefusal{
    "Single Payment", "Only one amount for either Wear & Tear or Lease payments will be accepted"};

// Distances that cannot be: readings that run backwards (the open reading above the close one,
// a total below 0), or more business km than the total (a private distance below 0). Either
// would be worked into a claim for travel that never happened, so the calculation is refused
// before it runs, naming the box to mend: the open reading, or the business km.
enum class TravelDistanceBox { OpenKm, BusinessKm };
struct TravelDistanceRefusal {
    TravelAllowanceRefusal refusal;
    TravelDistanceBox box;
};
inline constexpr TravelAllowanceRefusal ReadingsBackwardsRefusal{
    "Incorrect Km Reading", "The open km reading may not be above the close km reading"};
inline constexpr TravelAllowanceRefusal BusinessAboveTotalRefusal{
    "Incorrect Business Km",
    "The business km may not be more than the total km (the close km reading less the open km reading)"};
std::optional<TravelDistanceRefusal> CheckDistances(const TravelAllowanceInputs& inputs) noexcept;

// Checked after a wear-and-tear or lease amount is stored; on a refusal the screen sets the
// field just typed to 0 and gives it the focus back.
std::optional<TravelAllowanceRefusal> CheckSinglePayment(const TravelAllowanceInputs& inputs) noexcept;

// A typed wear-and-tear or lease amount below 0 is not stored: the value stays as it was.
bool MayStoreWearOrLease(double typed) noexcept;

} // namespace revora
