// The company car register worked as the screen works it: cars typed in, added, deleted and
// stepped through in any order, calculated and printed. The register keeps its shape and no
// run, stored record or printed row holds NaN or infinity.

#include "FuzzInput.h"
#include "vehicle/CompanyCar.h"
#include "vehicle/CompanyCarControls.h"
#include "vehicle/CompanyCarPrintout.h"
#include "vehicle/CompanyCarRegister.h"

using namespace revora;
using namespace revora::fuzz;

namespace {

// Enough cars to split the code 3802 amount many ways, few enough to stay quick.
constexpr std::int16_t MostCars = 12;
constexpr std::size_t MostOperations = 48;
// Whole amounts of at most ten digits, as the boxes and revora-calc take them.
constexpr double MostWholeNumber = 9'999'999'999.0;

// The boxes of the car on screen take whole, non-negative amounts and dates in the tax year,
// the end not before the start; now and then a value from revora-calc's wider range.
void TypeInto(FuzzInput& in, CompanyCarRecord& car)
{
    const double most = in.Flag() ? 2'000'000.0 : MostWholeNumber;
    switch (in.Byte() % 12) {
    case 0:
    case 1:
        car.CCPrice = in.WholeAmount(most, {80000.0, 480000.0});
        break;
    case 2:
        car.MaintIncluded = in.Flag();
        break;
    case 3: {
        car.CCStartDate = static_cast<int>(in.Int(TaxYearStart, TaxYearEnd));
        car.CCEndDate = static_cast<int>(in.Int(car.CCStartDate, TaxYearEnd));
        break;
    }
    case 4:
        car.StartMileage = in.WholeAmount(most);
        car.EndMileage = in.WholeAmount(most);
        break;
    case 5:
        car.BusDistance = in.WholeAmount(most);
        break;
    case 6:
        car.BussMilage = in.Flag();
        break;
    case 7:
        car.SARSTable = in.Flag();
        break;
    case 8:
        car.ActualExpEmployee = in.WholeAmount(most);
        car.FuelReimbEmployer = in.WholeAmount(most);
        break;
    case 9:
        car.EmpPaidInsurance = in.WholeAmount(most);
        car.EmpPaidLicence = in.WholeAmount(most);
        car.EmpPaidMaintenance = in.WholeAmount(most);
        break;
    case 10:
        car.FB3802ThisCar = in.WholeAmount(most);
        break;
    default:
        car.TotalDistance = in.WholeAmount(most);
        break;
    }
}

void CheckRegister(const CompanyCarRegister& cars)
{
    Require(cars.CarCount >= 0, "vehicle count not below 0");
    Require(cars.Records.size() == static_cast<std::size_t>(cars.CarCount) + 1, "one record per car and the blank");
    Require(cars.CurrentVehicle >= 0 && cars.CurrentVehicle <= cars.CarCount, "the car on screen is in the register");
    Require(cars.ShownVehicleNo >= 0 && cars.ShownVehicleNo <= cars.CarCount, "the title's number is in the register");
    Finite(cars.Actual3802, "code 3802 total");
    for (const CompanyCarRecord& car : cars.Records) {
        Finite(car.TotalDistance, "stored total distance");
        Finite(car.BusDistance, "stored business distance");
        Finite(car.FB3802ThisCar, "stored code 3802 share");
        Finite(car.FuelComponent, "stored fuel component");
        Finite(car.AdjustTaxableInc, "stored adjustment");
    }
}

void CheckRun(const CompanyCarRegister& cars, const CompCarRun& run)
{
    Finite(run.TotAdjustTaxableInc, "total adjustment");
    Finite(run.TotAdjustTaxableIncSARS, "total SARS adjustment");
    for (std::size_t i = 0; i < run.Results.size(); ++i) {
        const CompanyCarResult& r = run.Results[i];
        const double values[] = {r.PrivateDistance, r.TrueInclusion, r.FuelClaim, r.TotAddExpense, r.FuelExp,
                                 r.AdjustTaxableIncSARS, r.IRP53802, r.MonFB80, r.MonFB20, r.FortFB80,
                                 r.FortFB20, r.WeekFB80, r.WeekFB20};
        for (const double v : values)
            Finite(v, "car result");
        // Prices are typed without a minus sign: the benefits of a car held for days are not negative.
        if (i < cars.Records.size() && r.Days >= 0) {
            NotNegative(r.TrueInclusion, "true inclusion");
            NotNegative(r.IRP53802, "code 3802 amount");
            NotNegative(r.MonFB80, "monthly benefit");
            NotNegative(r.WeekFB20, "weekly benefit");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    CompanyCarRegister cars;
    CompCarRun last = cars.Open();
    const auto named = [&] { return !cars.Current().CCRegNumber.empty(); };
    // Only what the screen lets the user press: its controls follow every event.
    CompCarControls controls = ControlsOnOpen(named(), cars.CarCount);
    for (std::size_t op = 0; op < MostOperations && in.Remaining() > 0; ++op) {
        switch (in.Byte() % 9) {
        case 0:
            if (controls.Add && cars.CarCount < MostCars) {
                const AddResult added = cars.Add();
                if (added.Outcome == AddOutcome::Added) {
                    last = added.Run;
                    controls = ControlsAfterAdd();
                }
            }
            break;
        case 1:
            if (controls.Delete) {
                last = cars.Delete();
                controls = ControlsAfterDelete(named(), cars.CarCount);
            }
            break;
        case 2:
        case 3:
            if (controls.Back || controls.Forward) {
                last = in.Flag() ? cars.Back() : cars.Forward();
                controls = ControlsAfterNavigation(named(), cars.CarCount);
            }
            break;
        case 4:
        case 5:
            if (in.Flag()) {
                cars.Current().CCRegNumber = in.Text(3);
                controls = ControlsAfterRegistrationChange(named(), cars.CarCount);
            } else if (controls.All) {
                TypeInto(in, cars.Current());
            }
            break;
        case 6:
            if (controls.Calculate)
                last = CompCarCalculateCommand(cars);
            break;
        case 7:
            if (controls.All) {
                cars.Actual3802 = in.WholeAmount(in.Flag() ? 500'000.0 : MostWholeNumber);
                cars.AutoCalc3802 = cars.AutoCalcBoxShown() ? in.Flag() : 0;
            }
            break;
        default:
            if (controls.Print) {
                last = CompCarCalculateCommand(cars);
                FiniteRows(CompCarReportRows(cars, last), "company car printout");
            }
            break;
        }
        CheckRegister(cars);
        CheckRun(cars, last);
        (void)cars.Title();
    }
    last = CompCarCalculateCommand(cars);
    CheckRun(cars, last);
    FiniteRows(CompCarReportRows(cars, last), "company car printout");
    CheckRegister(cars);
    return 0;
}
