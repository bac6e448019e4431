#pragma once
// The taxable benefit of the private use of employer-owned cars over a tax year (1 March 2015
// to 29 February 2016, 366 days, unless another year is handed in): one record per car, one
// calculation over all the cars of the register, and the results of that calculation for each
// car.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Working.h"
#include "tax/TaxYearRules.h"
#include "vehicle/VehicleLimits.h"

namespace revora {

struct CompanyCarRegister;

// One car as typed. Amounts are rand, distances km (whole numbers, 0 to MostVehicleNumber);
// flags hold 0 or 1; dates are day numbers.
struct CompanyCarRecord {
    std::string CCRegNumber; // empty marks a car not yet filled in
    std::string CCMake;
    std::string CCModel;
    std::string YearOfManfact;
    double CCPrice = 0.0; // determined value, VAT included
    std::int16_t MaintIncluded = 0; // a maintenance plan came with the car
    int CCStartDate = TaxYearStart;
    int CCEndDate = TaxYearEnd;
    double StartMileage = 0.0;
    double EndMileage = 0.0;
    double TotalDistance = 0.0; // derived from the readings by each calculation when EndMileage > 0
    double BusDistance = 0.0;
    std::int16_t BussMilage = 0; // a log book of business km was kept
    std::int16_t SARSTable = 0;  // fuel valued at the deemed rate, not the actual cost
    double ActualExpEmployee = 0.0;
    double FuelReimbEmployer = 0.0;
    double EmpPaidInsurance = 0.0;
    double EmpPaidLicence = 0.0;
    double EmpPaidMaintenance = 0.0;
    double FB3802ThisCar = 0.0; // this car's share of the IRP5 code 3802 amount; typed or split
    double FuelComponent = 0.0;    // kept with the record by each calculation
    double AdjustTaxableInc = 0.0; // kept with the record by each calculation
};

// One car's results of one calculation; every run starts them at 0.
struct CompanyCarResult {
    std::int16_t Days = 0;
    double PrivateDistance = 0.0;
    double TrueInclusion = 0.0;
    double FuelClaim = 0.0;
    double TotAddExpense = 0.0;
    double FuelExp = 0.0; // fuel and expenses borne by the employee
    double AdjustTaxableIncSARS = 0.0;
    double IRP53802 = 0.0;
    double MonFB80 = 0.0;
    double MonFB20 = 0.0;
    double FortFB80 = 0.0;
    double FortFB20 = 0.0;
    double WeekFB80 = 0.0;
    double WeekFB20 = 0.0;
};

// What one run of CompCarCalc gives. Results[k] belongs to car k; Results[0] belongs to the blank
// record and stays 0.
struct CompCarRun {
    std::vector<CompanyCarResult> Results;
    double TotAdjustTaxableInc = 0.0;
    double TotAdjustTaxableIncSARS = 0.0;
    // The car on screen had no distance and no value: the screen shows 0 in every result box.
    bool EndedEarly = false;
};

// CompCarCalc: every car of the register, in order, then the car on screen and the totals, in
// the tax year handed in. N is the year's days, End - Start + 1 (366 in 2016, 365 in most
// years); m is the year's CompanyCar.RatePerMonth, or RateWithMaintenancePlan with a
// maintenance plan (0.035 and 0.0325 in 2016), and r = m in percent; i80 and i20 are its
// PayeInclusion and PayeInclusionBusinessUse (0.8 and 0.2). Round is to a whole rand with
// halves to even; p/total is PrivateDistance / TotalDistance and
// b/total is BusDistance / TotalDistance, each 0 when TotalDistance is 0 (a proportion of no
// distance is no proportion). For each car i:
//   Days = CCEndDate - CCStartDate + 1
//   TotalDistance = EndMileage - StartMileage, when EndMileage > 0 (stored)
//   when the car on screen has TotalDistance 0 and CCPrice 0 the run ends here: that car's
//     TotalDistance, BusDistance and FB3802ThisCar are cleared and the totals are formed
//     from what is held (EndedEarly)
//   BusDistance = min(BusDistance, TotalDistance), and 0 when that is below 0 (stored);
//     PrivateDistance = TotalDistance - BusDistance
//   AutoCalc3802: FB3802ThisCar = Days / sum of all cars' days x Actual3802, or 0 for a car with
//     no distance and no value (stored)
//   TrueInclusion = Round(CCPrice x (r x 12 / (N x 100)) x Days [x p/total with a log book])
//     (36 600 = 366 x 100 in 2016)
//   SARSTable: FuelComponent = Round(TotalDistance x fuel rate of the year's table) (stored),
//     FuelClaim = Round((FuelComponent - FuelReimbEmployer) x p/total);
//   else FuelComponent = 0, FuelClaim = Round((ActualExpEmployee - FuelReimbEmployer) x p/total)
//   TotAddExpense = Round((EmpPaidInsurance + EmpPaidLicence + EmpPaidMaintenance) x p/total)
//   FuelExp = Round(FuelClaim + TotAddExpense) when BusDistance > 0, else 0
//   AdjustTaxableInc = max(Round(TrueInclusion - FuelExp - FB3802ThisCar), -Actual3802) (stored)
//   AdjustTaxableIncSARS = -(b/total x FB3802ThisCar + FuelExp) with a log book, BusDistance > 0
//     and TotalDistance > 0; else 0
//   IRP53802 = Round(CCPrice x m x 12 x (Days / N))
//   MonFB80/20 = Round(CCPrice x m x i80 / i20)
//   FortFB80/20 = Round(CCPrice x m x 12 / 26) x i80 / i20; WeekFB80/20 the same over 52
// Then, for the car on screen with CCPrice 0: AdjustTaxableInc = AdjustTaxableIncSARS (stored).
// TotAdjustTaxableInc sums the stored AdjustTaxableInc of cars 1..CarCount,
// TotAdjustTaxableIncSARS the results' AdjustTaxableIncSARS.
// A step whose arithmetic fails (days beyond 16 bits, no days to split over, a value beyond a
// double) leaves its target as it was, so nothing stored is ever NaN or infinite. In a year
// without a table a car on the fuel table gets no fuel component and no fuel claim
// (CheckFuelTable refuses before that); no other year's rate stands in.
// A `working` records each car's steps in the order above, labelled "Vehicle k: " (days,
// distances, private share, code 3802 share, true inclusion, fuel, expenses, the adjustment and
// the SARS claim, then the IRP5 and periodic amounts), then the SARS claims and the adjustments
// added up car by car; the last step is TotAdjustTaxableInc. A car the run did not reach adds
// the adjustment it keeps from before.
CompCarRun CompCarCalc(CompanyCarRegister& cars, const TaxYear& year, Working* working = nullptr);
// In 2016 (TaxYear2016()).
CompCarRun CompCarCalc(CompanyCarRegister& cars, Working* working = nullptr);

// Readings that run backwards: an end mileage above 0 (0 means none was read, and the total is
// as typed) but below the start mileage. The total distance worked from them would be below 0,
// and every share of it (the private use, the fuel at the table's rate) a benefit of travel that
// never happened, so such a car is not calculated.
bool ReadingsRunBackwards(const CompanyCarRecord& car) noexcept;

inline constexpr std::string_view ReadingsBackwardsTitle = "Incorrect Mileage";
struct ReadingsRefusal {
    std::int16_t Vehicle; // the first car, from 1, at fault (here: whose readings run backwards)
    std::string Message;  // "The end mileage of vehicle number 2 may not be below its start mileage"
};
// Checked before "&Calculate" over every car of the register.
std::optional<ReadingsRefusal> CheckReadings(const CompanyCarRegister& cars);

// Also checked before "&Calculate", in the year worked in: the first car whose dates leave the
// year (left from another year; PairOutsideYearMessage), then the first car on the fuel table in
// a year without a deemed-cost table (NoFuelTableMessage). A year's benefit is worked over that
// year's days from that year's table, or not at all.
std::optional<ReadingsRefusal> CheckDatesInYear(const CompanyCarRegister& cars, const TaxYear& year);
std::optional<ReadingsRefusal> CheckFuelTable(const CompanyCarRegister& cars, const TaxYear& year);

// "&Calculate": with one car, that car carries the whole Actual3802 as its FB3802ThisCar; then
// two runs, so that the second starts from the code 3802 split the first made. The second run
// records the working.
CompCarRun CompCarCalculateCommand(CompanyCarRegister& cars, const TaxYear& year, Working* working = nullptr);
CompCarRun CompCarCalculateCommand(CompanyCarRegister& cars, Working* working = nullptr); // in 2016

// The printout's own pass over every car: the steps of CompCarCalc from Days to
// AdjustTaxableIncSARS, where a car with TotalDistance 0 and CCPrice 0 keeps zero results
// and the pass goes on with the next car. The annual and periodic amounts (IRP53802 to
// WeekFB20) are taken from `last`, the last CompCarCalc run.
CompCarRun PrintCalc(CompanyCarRegister& cars, const CompCarRun& last, const TaxYear& year);
CompCarRun PrintCalc(CompanyCarRegister& cars, const CompCarRun& last); // in 2016

} // namespace revora
