// The company car benefit: the amounts by value and days, the private share of a log book, the
// floor under the adjustment, the code 3802 split, the car on screen with no value, and the
// arithmetic that must not fail.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "CompanyCarTestSupport.h"
#include "TestSupport.h"
#include "model/WorkingCheck.h"
#include "vehicle/CompanyCar.h"

namespace revora {
namespace {

using testing::Car200000;
using testing::NoValueWithBusinessKm;
using testing::RegisterOf;

// Every amount of a car's results, Days aside.
std::vector<double> Amounts(const CompanyCarResult& r)
{
    return {r.PrivateDistance, r.TrueInclusion, r.FuelClaim, r.TotAddExpense, r.FuelExp, r.AdjustTaxableIncSARS,
            r.IRP53802, r.MonFB80, r.MonFB20, r.FortFB80, r.FortFB20, r.WeekFB80, r.WeekFB20};
}

// ---- The inclusion and the IRP5 and periodic amounts, by value, plan and days --------------

struct BenefitCase {
    const char* name;
    std::int16_t maintIncluded;
    int endDate;
    std::int16_t days;
    double trueInclusion, irp53802, monFB80, monFB20, fortFB80, fortFB20, weekFB80, weekFB20;
};

class CompCarBenefit : public ::testing::TestWithParam<BenefitCase> {};

TEST_P(CompCarBenefit, FollowsTheMonthlyRate)
{
    const BenefitCase& c = GetParam();
    CompanyCarRecord car = Car200000();
    car.MaintIncluded = c.maintIncluded;
    car.CCEndDate = c.endDate;
    CompanyCarRegister reg = RegisterOf({car});
    Working working;
    const CompCarRun run = CompCarCalc(reg, &working);
    const CompanyCarResult& r = run.Results[1];
    testing::ExpectReconciles(working, run.TotAdjustTaxableInc);
    EXPECT_EQ(r.Days, c.days);
    EXPECT_DOUBLE_EQ(r.TrueInclusion, c.trueInclusion);
    EXPECT_DOUBLE_EQ(r.IRP53802, c.irp53802);
    EXPECT_DOUBLE_EQ(r.MonFB80, c.monFB80);
    EXPECT_DOUBLE_EQ(r.MonFB20, c.monFB20);
    EXPECT_DOUBLE_EQ(r.FortFB80, c.fortFB80);
    EXPECT_DOUBLE_EQ(r.FortFB20, c.fortFB20);
    EXPECT_DOUBLE_EQ(r.WeekFB80, c.weekFB80);
    EXPECT_DOUBLE_EQ(r.WeekFB20, c.weekFB20);
}

// 3.5 %: 200 000 x 0.035 = 7 000 a month, 84 000 a year; 84 000 / 26 = 3 230.77 -> 3 231,
// x 0.8 = 2 584.8, x 0.2 = 646.2; 84 000 / 52 = 1 615.38 -> 1 615, x 0.8 = 1 292, x 0.2 = 323.
// 3.25 %: 6 500 a month, 78 000 a year; / 26 = 3 000; / 52 = 1 500.
// 183 days (01/03/2015 to 30/08/2015, day 42246): 200 000 x 42 / 36 600 x 183 = 42 000; the
// periodic amounts do not depend on the days.
INSTANTIATE_TEST_SUITE_P(ValueAndDays, CompCarBenefit,
    ::testing::Values(
        BenefitCase{"R 200 000 for the whole year without a plan", 0, TaxYearEnd, 366,
                    84000, 84000, 5600, 1400, 2584.8, 646.2, 1292, 323},
        BenefitCase{"R 200 000 for the whole year with a maintenance plan", 1, TaxYearEnd, 366,
                    78000, 78000, 5200, 1300, 2400, 600, 1200, 300},
        BenefitCase{"R 200 000 for half the year", 0, 42246, 183,
                    42000, 42000, 5600, 1400, 2584.8, 646.2, 1292, 323}),
    testing::RowName{});

// ---- Private use: the log book, the fuel, the expenses and the SARS claim ---------------------

struct PrivateUseCase {
    const char* name;
    std::int16_t logBook;
    std::int16_t sarsTable;
    double startMileage, endMileage, totalDistance, busDistance;
    // expected
    double storedBusDistance, privateDistance, trueInclusion, fuelComponent, fuelClaim, totAddExpense, fuelExp,
        adjustTaxableInc, adjustTaxableIncSARS;
};

class CompCarPrivateUse : public ::testing::TestWithParam<PrivateUseCase> {};

// Car: R 200 000, whole year (inclusion 84 000 before the private share); fuel 12 000 paid,
// 2 000 reimbursed; insurance 4 000 + licence 400 + maintenance 3 600 = 8 000; code 3802 of
// 84 000 on the IRP5 and all of it on this car.
TEST_P(CompCarPrivateUse, SharesByPrivateDistance)
{
    const PrivateUseCase& c = GetParam();
    CompanyCarRecord car = Car200000();
    car.BussMilage = c.logBook;
    car.SARSTable = c.sarsTable;
    car.ActualExpEmployee = c.sarsTable == 1 ? 0.0 : 12000.0;
    car.FuelReimbEmployer = 2000.0;
    car.EmpPaidInsurance = 4000.0;
    car.EmpPaidLicence = 400.0;
    car.EmpPaidMaintenance = 3600.0;
    car.StartMileage = c.startMileage;
    car.EndMileage = c.endMileage;
    car.TotalDistance = c.totalDistance;
    car.BusDistance = c.busDistance;
    car.FB3802ThisCar = 84000.0;
    CompanyCarRegister reg = RegisterOf({car}, 1, 84000.0);
    Working working;
    const CompCarRun run = CompCarCalc(reg, &working);
    testing::ExpectReconciles(working, run.TotAdjustTaxableInc);
    const CompanyCarResult& r = run.Results[1];
    const CompanyCarRecord& kept = reg.Records[1];
    EXPECT_DOUBLE_EQ(kept.BusDistance, c.storedBusDistance);
    EXPECT_DOUBLE_EQ(r.PrivateDistance, c.privateDistance);
    EXPECT_DOUBLE_EQ(r.TrueInclusion, c.trueInclusion);
    EXPECT_DOUBLE_EQ(kept.FuelComponent, c.fuelComponent);
    EXPECT_DOUBLE_EQ(r.FuelClaim, c.fuelClaim);
    EXPECT_DOUBLE_EQ(r.TotAddExpense, c.totAddExpense);
    EXPECT_DOUBLE_EQ(r.FuelExp, c.fuelExp);
    EXPECT_DOUBLE_EQ(kept.AdjustTaxableInc, c.adjustTaxableInc);
    EXPECT_DOUBLE_EQ(r.AdjustTaxableIncSARS, c.adjustTaxableIncSARS);
    EXPECT_DOUBLE_EQ(run.TotAdjustTaxableInc, c.adjustTaxableInc);
    EXPECT_DOUBLE_EQ(run.TotAdjustTaxableIncSARS, c.adjustTaxableIncSARS);
}

INSTANTIATE_TEST_SUITE_P(LogBook, CompCarPrivateUse,
    ::testing::Values(
        // private 15 000 / 20 000 = 0.75: 84 000 x 0.75 = 63 000; fuel (12 000 - 2 000) x 0.75
        // = 7 500; expenses 8 000 x 0.75 = 6 000; 13 500 borne; 63 000 - 13 500 - 84 000 =
        // -34 500; SARS -(0.25 x 84 000 + 13 500) = -34 500.
        PrivateUseCase{"log book 20 000 km with 5 000 business", 1, 0, 0, 0, 20000, 5000,
                       5000, 15000, 63000, 0, 7500, 6000, 13500, -34500, -34500},
        // The inclusion stays 84 000: 84 000 - 13 500 - 84 000 = -13 500, and no SARS claim.
        PrivateUseCase{"no log book: business km leave the inclusion whole", 0, 0, 0, 0, 20000, 5000,
                       5000, 15000, 84000, 0, 7500, 6000, 13500, -13500, 0},
        PrivateUseCase{"readings 10 000 to 30 000 replace the typed distance", 1, 0, 10000, 30000, 999, 5000,
                       5000, 15000, 63000, 0, 7500, 6000, 13500, -34500, -34500},
        // 20 000 x 0.955 = 19 100; (19 100 - 2 000) x 0.75 = 12 825; 12 825 + 6 000 = 18 825;
        // 63 000 - 18 825 - 84 000 = -39 825; SARS -(21 000 + 18 825) = -39 825.
        PrivateUseCase{"deemed fuel at 0.955 a km for a R 200 000 car", 1, 1, 0, 0, 20000, 5000,
                       5000, 15000, 63000, 19100, 12825, 6000, 18825, -39825, -39825},
        // Private 0: nothing included or claimed; 0 - 0 - 84 000 sits on the floor of -84 000;
        // SARS -(1 x 84 000 + 0).
        PrivateUseCase{"business above the total is cut to the total", 1, 0, 0, 0, 20000, 25000,
                       20000, 0, 0, 0, 0, 0, 0, -84000, -84000},
        // A share of no distance counts as 0: the same zeros, never NaN.
        PrivateUseCase{"log book with no distance gives zeros", 1, 0, 0, 0, 0, 5000,
                       0, 0, 0, 0, 0, 0, 0, -84000, 0},
        // All private: fuel 10 000 and expenses 8 000 are claimed only against business km.
        PrivateUseCase{"no business km: nothing borne is set off", 1, 0, 0, 0, 20000, 0,
                       0, 20000, 84000, 0, 10000, 8000, 0, 0, 0},
        // Readings 30 000 to 10 000 give -20 000 km. Business km were once cut to -20 000 and
        // kept, so the private share was 0 and the benefit vanished; now none are business:
        // the share is -20 000 / -20 000 = 1 and the whole 84 000 is included.
        PrivateUseCase{"readings running backwards count no business km", 1, 0, 30000, 10000, 999, 5000,
                       0, -20000, 84000, 0, 10000, 8000, 0, 0, 0},
        // A business distance kept below 0 from such readings made private 25 000 of 20 000:
        // 105 000 included, more than the whole benefit.
        PrivateUseCase{"business km kept below 0 count as none", 1, 0, 0, 0, 20000, -5000,
                       0, 20000, 84000, 0, 10000, 8000, 0, 0, 0},
        // ... and with the readings still backwards a share of 30 000 / -20 000 made the
        // benefit -126 000.
        PrivateUseCase{"business km below 0 with readings running backwards count as none", 1, 0, 30000, 10000,
                       0, -50000, 0, -20000, 84000, 0, 10000, 8000, 0, 0, 0}),
    testing::RowName{});

// ---- The adjustment never goes below minus the whole code 3802 amount ------------------------

struct FloorCase {
    const char* name;
    double fb3802ThisCar;
    double adjustTaxableInc;
};

class CompCar3802Floor : public ::testing::TestWithParam<FloorCase> {};

// Inclusion 84 000 and nothing borne, Actual3802 50 000: the adjustment is 84 000 - share.
TEST_P(CompCar3802Floor, StopsAtMinusActual3802)
{
    CompanyCarRecord car = Car200000();
    car.FB3802ThisCar = GetParam().fb3802ThisCar;
    CompanyCarRegister reg = RegisterOf({car}, 1, 50000.0);
    Working working;
    testing::ExpectReconciles(working, CompCarCalc(reg, &working).TotAdjustTaxableInc);
    EXPECT_DOUBLE_EQ(reg.Records[1].AdjustTaxableInc, GetParam().adjustTaxableInc);
}

INSTANTIATE_TEST_SUITE_P(Edges, CompCar3802Floor,
    ::testing::Values(FloorCase{"-70 000 is lifted to -50 000", 154000, -50000},
                      FloorCase{"-50 001 is lifted to -50 000", 134001, -50000},
                      FloorCase{"exactly -50 000 stays", 134000, -50000},
                      FloorCase{"-49 999 is above the floor", 133999, -49999}),
    testing::RowName{});

// ---- The code 3802 split by days of use ------------------------------------------------------

TEST(CompCarSplit, SharesActual3802ByDaysUnrounded)
{
    // 100 days (42064..42163) and 266 days (42164..42429): 100 / 366 x 36 600 = 10 000 and
    // 266 / 366 x 36 600 = 26 600.
    CompanyCarRecord first = Car200000();
    first.CCEndDate = 42163;
    CompanyCarRecord second = Car200000();
    second.CCStartDate = 42164;
    CompanyCarRegister reg = RegisterOf({first, second}, 1, 36600.0, 1);
    Working working;
    testing::ExpectReconciles(working, CompCarCalc(reg, &working).TotAdjustTaxableInc);
    EXPECT_DOUBLE_EQ(reg.Records[1].FB3802ThisCar, 10000.0);
    EXPECT_DOUBLE_EQ(reg.Records[2].FB3802ThisCar, 26600.0);
    const auto share = std::find_if(working.Steps().rbegin(), working.Steps().rend(), [](const WorkingStep& step) {
        return step.LabelText() == "Vehicle 2: Code 3802 f/benefit for this car";
    });
    ASSERT_NE(share, working.Steps().rend());
    EXPECT_EQ(share->Text(), "Vehicle 2: Share of the code 3802 total by days of use, of all the cars' 366 days: "
                             "266 \u00f7 366 \u00d7 R 36 600.00 = 26 600.00");
}

TEST(CompCarSplit, CarWithNoDistanceAndNoValueGetsNoShareButItsDaysCount)
{
    // 366 + 366 days: car 1 takes 366 / 732 x 10 000 = 5 000; car 2 (no value, no km) 0.
    CompanyCarRecord idle;
    idle.FB3802ThisCar = 999.0;
    CompanyCarRegister reg = RegisterOf({Car200000(), idle}, 1, 10000.0, 1);
    CompCarCalc(reg);
    EXPECT_DOUBLE_EQ(reg.Records[1].FB3802ThisCar, 5000.0);
    EXPECT_DOUBLE_EQ(reg.Records[2].FB3802ThisCar, 0.0);
}

TEST(CompCarSplit, NoDaysToSplitOverKeepsTheTypedShares)
{
    // 1 day and -1 day (end two days before the start) sum to 0: no division, shares kept.
    CompanyCarRecord first = Car200000();
    first.CCEndDate = first.CCStartDate;
    first.FB3802ThisCar = 1234.0;
    CompanyCarRecord second = Car200000();
    second.CCEndDate = second.CCStartDate - 2;
    second.FB3802ThisCar = 4321.0;
    CompanyCarRegister reg = RegisterOf({first, second}, 1, 36600.0, 1);
    CompCarCalc(reg);
    EXPECT_DOUBLE_EQ(reg.Records[1].FB3802ThisCar, 1234.0);
    EXPECT_DOUBLE_EQ(reg.Records[2].FB3802ThisCar, 4321.0);
}

// ---- "&Calculate" ----------------------------------------------------------------------------

TEST(CompCarCalculate, OneCarCarriesTheWholeCode3802)
{
    // 84 000 - 0 - 84 000 = 0.
    CompanyCarRegister reg = RegisterOf({Car200000()}, 1, 84000.0);
    const CompCarRun run = CompCarCalculateCommand(reg);
    EXPECT_DOUBLE_EQ(reg.Records[1].FB3802ThisCar, 84000.0);
    EXPECT_DOUBLE_EQ(run.TotAdjustTaxableInc, 0.0);
}

TEST(CompCarCalculate, TwoCarsKeepTheirOwnShares)
{
    CompanyCarRecord first = Car200000();
    first.FB3802ThisCar = 30000.0;
    CompanyCarRegister reg = RegisterOf({first, Car200000()}, 1, 84000.0);
    CompCarCalculateCommand(reg);
    EXPECT_DOUBLE_EQ(reg.Records[1].FB3802ThisCar, 30000.0);
    EXPECT_DOUBLE_EQ(reg.Records[2].FB3802ThisCar, 0.0);
}

// ---- The car on screen with no value ---------------------------------------------------------

TEST(CompCarNoValue, AdjustmentOfTheCarOnScreenBecomesItsSarsClaim)
{
    // The adjustment 0 - 0 - 6 000 = -6 000 is replaced by the SARS claim of -2 400.
    CompanyCarRegister reg = RegisterOf({NoValueWithBusinessKm()}, 1, 6000.0);
    Working working;
    const CompCarRun run = CompCarCalc(reg, &working);
    testing::ExpectReconciles(working, run.TotAdjustTaxableInc);
    EXPECT_DOUBLE_EQ(run.Results[1].AdjustTaxableIncSARS, -2400.0);
    EXPECT_DOUBLE_EQ(reg.Records[1].AdjustTaxableInc, -2400.0);
    EXPECT_DOUBLE_EQ(run.TotAdjustTaxableInc, -2400.0);
    EXPECT_FALSE(run.EndedEarly);
}

TEST(CompCarNoValue, NoDistanceEitherEndsTheRunWithTheScreenCleared)
{
    // Readings 5 000 to 5 000 give no distance; the car keeps no business km or share.
    CompanyCarRecord car;
    car.StartMileage = 5000.0;
    car.EndMileage = 5000.0;
    car.TotalDistance = 300.0;
    car.BusDistance = 500.0;
    car.FB3802ThisCar = 1000.0;
    CompanyCarRegister reg = RegisterOf({car}, 1, 1000.0);
    const CompCarRun run = CompCarCalc(reg);
    EXPECT_TRUE(run.EndedEarly);
    EXPECT_EQ(reg.Records[1].TotalDistance, 0.0);
    EXPECT_EQ(reg.Records[1].BusDistance, 0.0);
    EXPECT_EQ(reg.Records[1].FB3802ThisCar, 0.0);
    const CompanyCarResult& r = run.Results[1];
    EXPECT_EQ(r.Days, 366); // counted before the run ends; the days box is not cleared
    for (double v : Amounts(r))
        EXPECT_EQ(v, 0.0);
}

TEST(CompCarNoValue, EarlyEndTotalsTheAdjustmentsAsHeld)
{
    // Car 2 on screen is empty, so the run ends at car 1 before computing it: the totals are
    // the held 777 + 5 = 782 and no SARS claim.
    CompanyCarRecord first = Car200000();
    first.AdjustTaxableInc = 777.0;
    CompanyCarRecord second;
    second.AdjustTaxableInc = 5.0;
    CompanyCarRegister reg = RegisterOf({first, second}, 2);
    Working working;
    const CompCarRun run = CompCarCalc(reg, &working);
    testing::ExpectReconciles(working, run.TotAdjustTaxableInc);
    EXPECT_TRUE(run.EndedEarly);
    EXPECT_EQ(run.Results[1].TrueInclusion, 0.0);
    EXPECT_DOUBLE_EQ(run.TotAdjustTaxableInc, 782.0);
    EXPECT_DOUBLE_EQ(run.TotAdjustTaxableIncSARS, 0.0);
}

TEST(CompCarReadings, EndBelowStartIsRefusedNamingTheCar)
{
    CompanyCarRecord backwards = Car200000();
    backwards.StartMileage = 30000.0;
    backwards.EndMileage = 20000.0;
    CompanyCarRecord unread = Car200000(); // no end reading: the total is as typed
    unread.StartMileage = 30000.0;
    EXPECT_FALSE(CheckReadings(RegisterOf({Car200000(), unread})));
    const auto refusal = CheckReadings(RegisterOf({unread, backwards, backwards}));
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->Vehicle, 2);
    EXPECT_EQ(refusal->Message, "The end mileage of vehicle number 2 may not be below its start mileage");
}

// ---- Arithmetic that cannot be done leaves its target as it was ------------------------------

TEST(CompCarArithmetic, DaysBeyondSixteenBitsStayZero)
{
    // Day 0 to day 40 000 is 40 001 days: not a 16-bit count, so no days and no inclusion.
    CompanyCarRecord car = Car200000();
    car.CCStartDate = 0;
    car.CCEndDate = 40000;
    CompanyCarRegister reg = RegisterOf({car});
    const CompanyCarResult r = CompCarCalc(reg).Results[1];
    EXPECT_EQ(r.Days, 0);
    EXPECT_EQ(r.TrueInclusion, 0.0);
    EXPECT_EQ(r.IRP53802, 0.0);
}

TEST(CompCarArithmetic, ValueBeyondADoubleStoresNoInfinity)
{
    CompanyCarRecord car = Car200000();
    car.CCPrice = 1e308;
    car.SARSTable = 1;
    car.TotalDistance = 1e308;
    car.BusDistance = 1.0;
    car.BussMilage = 1;
    CompanyCarRegister reg = RegisterOf({car}, 1, 1e308, 1);
    Working working;
    const CompCarRun run = CompCarCalc(reg, &working);
    EXPECT_TRUE(working.AllFinite());
    const CompanyCarResult& r = run.Results[1];
    const CompanyCarRecord& kept = reg.Records[1];
    std::vector<double> stored = Amounts(r);
    stored.insert(stored.end(), {kept.FuelComponent, kept.AdjustTaxableInc, kept.FB3802ThisCar,
                                 run.TotAdjustTaxableInc, run.TotAdjustTaxableIncSARS});
    for (double v : stored)
        EXPECT_TRUE(std::isfinite(v)) << v;
}

} // namespace
} // namespace revora
