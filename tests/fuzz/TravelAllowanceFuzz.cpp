// The travel allowance claim by either method over any period in the tax year, and its
// printout. The claim is never negative and never more than an allowance that is entered.

#include "FuzzInput.h"
#include "vehicle/TravelAllowance.h"
#include "vehicle/TravelAllowancePrintout.h"

using namespace revora;
using namespace revora::fuzz;

namespace {

// The whole-number boxes hold at most a long integer and take no minus sign;
constexpr double LargestLong = 2147483647.0;
// revora-calc takes up to ten digits.
constexpr double MostWholeNumber = 9'999'999'999.0;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const double most = in.Pick({500'000.0, LargestLong, MostWholeNumber});
    TravelAllowanceInputs inputs;
    inputs.CarDescription = in.Text(40);
    inputs.RecordKept = in.Flag();
    inputs.VehicleValue = in.WholeAmount(most, {80000.0, 160000.0, 240000.0, 320000.0, 400000.0, 480000.0});
    inputs.AllowanceReceived = in.WholeAmount(most);
    inputs.OpenKm = in.WholeAmount(most);
    inputs.CloseKm = in.Flag() ? inputs.OpenKm + in.WholeAmount(60'000.0, {18000.0, 32000.0, 32001.0})
                               : in.WholeAmount(most);
    inputs.BusinessKmEntered = in.WholeAmount(most, {14000.0});
    inputs.FuelOil = in.WholeAmount(most);
    inputs.RepairsMaint = in.WholeAmount(most);
    inputs.InsuranceLicence = in.WholeAmount(most);
    inputs.OtherExpenses = in.WholeAmount(most);
    const double wear = in.WholeAmount(most);
    if (MayStoreWearOrLease(wear))
        inputs.WearAndTear = wear;
    const double lease = in.WholeAmount(most);
    if (MayStoreWearOrLease(lease))
        inputs.LeasePayments = lease;
    if (CheckSinglePayment(inputs))
        inputs.LeasePayments = 0.0; // the screen clears the amount just typed
    inputs.IncludeFuel = in.Flag();
    inputs.IncludeMaintenance = in.Flag();
    TravelAllowancePeriod period;
    period.StartDate = static_cast<int>(in.Int(TaxYearStart, TaxYearEnd));
    period.EndDate = static_cast<int>(in.Int(period.StartDate, TaxYearEnd));
    const std::string employee = in.Text(50);

    const TravelAllowanceResults r = CalcTravelAllowance(inputs, period);
    const double values[] = {r.TotalKm, r.BusinessKm, r.PrivateKm, r.FixedCost, r.FixedCentsPerKm,
                             r.FuelCentsPerKm, r.MaintCentsPerKm, r.TotalCentsPerKmExact, r.TotalCentsPerKm,
                             r.TotalCosts, r.PrivateUse, r.DeductionClaim, inputs.PeriodDays};
    for (const double v : values)
        Finite(v, "travel allowance result");
    NotNegative(r.DeductionClaim, "travel allowance claim");
    NotNegative(r.TotalCentsPerKm, "cents a km");
    NotNegative(r.TotalCosts, "recorded costs");
    if (inputs.AllowanceReceived > 0.0)
        Require(r.DeductionClaim <= inputs.AllowanceReceived, "claim above the allowance");
    FiniteRow(TravelDeductionReportRow(inputs, period, r, employee), "travel allowance printout");

    // Each method on its own, as revora-calc and the screen's switch reach them.
    const TravelAllowanceResults deemed = DeemedCostClaim(inputs);
    const TravelAllowanceResults actual = ActualCostClaim(inputs);
    FiniteNotNegative(deemed.DeductionClaim, "deemed claim");
    FiniteNotNegative(actual.DeductionClaim, "actual claim");
    Finite(deemed.TotalCentsPerKmExact, "deemed cents a km");
    Finite(actual.PrivateUse, "private use");
    const DistanceSplit split = SplitDistance(inputs);
    Finite(split.TotalKm, "total km");
    Finite(split.BusinessKm, "business km");
    Finite(split.PrivateKm, "private km");
    return 0;
}
