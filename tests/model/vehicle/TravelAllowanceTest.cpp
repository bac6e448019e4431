// The travel allowance: the split of the distance, the deemed-cost and actual-cost claims with
// the decimal cuts at their edges, and the wear-and-tear or lease rule. Every expected figure is
// worked by hand in the row's comment.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "common/DayDate.h"
#include "model/WorkingCheck.h"
#include "vehicle/TravelAllowance.h"

namespace revora {
namespace {

constexpr double Km = 1e-9;    // distances are cut to 0.01 km: any miss is far larger
constexpr double Cents = 1e-6; // the same for rand and cents per km

// A period of `days` days from 1 March 2015 (0 days: the end is the day before the start).
TravelAllowancePeriod FromMarch(int days) { return {TaxYearStart, TaxYearStart + days - 1}; }

TravelAllowanceInputs Readings(double close, double open, double business, double days)
{
    return {.CloseKm = close, .OpenKm = open, .BusinessKmEntered = business, .PeriodDays = days};
}

// ---------------------------------------------------------------------------------------------
// The distance split, the same for both methods.

struct SplitRow {
    const char* name;
    TravelAllowanceInputs in;
    double business;
    double privateKm;
};

class SplitDistanceTest : public ::testing::TestWithParam<SplitRow> {};

TEST_P(SplitDistanceTest, SplitsTheTotalIntoBusinessAndPrivate)
{
    const SplitRow& row = GetParam();
    Working working;
    const DistanceSplit split = SplitDistance(row.in, &working);
    EXPECT_NEAR(split.TotalKm, row.in.CloseKm - row.in.OpenKm, Km);
    EXPECT_NEAR(split.BusinessKm, row.business, Km);
    EXPECT_NEAR(split.PrivateKm, row.privateKm, Km);
    testing::ExpectReconciles(working, split.PrivateKm);
}

const SplitRow SplitRows[] = {
    // 366 x 18 000 / 365 = 18 049.3150... -> 18 049.31; 25 000 - 18 049.31 = 6 950.69
    {"whole year 25 000 km keeps 18 049.31 km private", Readings(25000, 0, 0, 366), 6950.69, 18049.31},
    // above 32 000: business 366 x 14 000 / 365 = 14 038.3561643835..., uncut;
    // private Trunc2(40 000 - 14 038.356164...) = Trunc2(25 961.643835...) = 25 961.64
    {"whole year 40 000 km takes the business maximum", Readings(40000, 0, 0, 366), 5124000.0 / 365.0, 25961.64},
    {"whole year 17 999 km is all private", Readings(17999, 0, 0, 366), 0, 17999},
    // 18 000 is not below 18 000, but the 366-day minimum 18 049.31 exceeds it
    {"whole year exactly 18 000 km is all private", Readings(18000, 0, 0, 366), 0, 18000},
    // 32 000 is not above 32 000: 32 000 - 18 049.31 = 13 950.69
    {"whole year exactly 32 000 km keeps the private minimum", Readings(32000, 0, 0, 366), 13950.69, 18049.31},
    // 32 001 - 14 038.356164... = 17 962.643835... -> 17 962.64
    {"whole year 32 001 km switches to the business maximum", Readings(32001, 0, 0, 366), 5124000.0 / 365.0,
     17962.64},
    // D = 365 is a whole year: 365 x 18 000 / 365 = 18 000 private, 7 000 business
    {"a 365 day period is a whole year", Readings(25000, 0, 0, 365), 7000, 18000},
    // D = 100: L = 3 200 000 / 365 = 8 767.12...; 10 000 > L:
    // business Trunc2(8 767.123287... - 4 931.506849...) = Trunc2(3 835.616438...) = 3 835.61
    {"part year above the pro rata limit takes the business maximum", Readings(10000, 0, 0, 100), 3835.61, 6164.39},
    // 6 000 <= L: private Trunc2(1 800 000 / 365 = 4 931.5068...) = 4 931.50, business 1 068.50
    {"part year below the pro rata limit keeps the private minimum", Readings(6000, 0, 0, 100), 1068.50, 4931.50},
    // 4 000 < 4 931.50: all private
    {"part year below the private minimum is all private", Readings(4000, 0, 0, 100), 0, 4000},
    // 40 000 >= 32 001 leaves the pro rata step out: business 100 x 14 000 / 365 uncut,
    // private Trunc2(40 000 - 3 835.616438...) = 36 164.38
    {"part year above 32 000 km takes the pro rata maximum uncut", Readings(40000, 0, 0, 100), 1400000.0 / 365.0,
     36164.38},
    // D = 219 (0.6 of a year): L = 19 200, 30 000 > L: business Trunc2(19 200 - 10 800) = 8 400
    {"part year of 219 days", Readings(30000, 0, 0, 219), 8400, 21600},
    {"business km entered win over the minimum", Readings(25000, 0, 5000, 366), 5000, 20000},
    {"business km entered win in a part year", Readings(10000, 0, 2000, 100), 2000, 8000},
    // not clipped: 25 000 - 30 000
    {"business km above the total leave a negative private distance", Readings(25000, 0, 30000, 366), 30000, -5000},
};
INSTANTIATE_TEST_SUITE_P(Rule, SplitDistanceTest, ::testing::ValuesIn(SplitRows), testing::RowName{});

// ---------------------------------------------------------------------------------------------
// The deemed-cost method (no record kept), through the screen's calculation.

struct DeemedRow {
    const char* name;
    TravelAllowanceInputs in;
    int days;
    double business;
    double privateKm;
    double fixedCost;
    double fixedCents;
    double fuelCents;
    double maintCents;
    double totalExact;
    double totalShown;
    double claim;
};

TravelAllowanceInputs Deemed(double value, double close, double business, double allowance = 0,
                             std::int16_t fuel = 1, std::int16_t maintenance = 1)
{
    return {.VehicleValue = value, .AllowanceReceived = allowance, .CloseKm = close, .BusinessKmEntered = business,
            .IncludeFuel = fuel, .IncludeMaintenance = maintenance};
}

class DeemedCostTest : public ::testing::TestWithParam<DeemedRow> {};

TEST_P(DeemedCostTest, WorksTheRatePerKmAndTheClaim)
{
    const DeemedRow& row = GetParam();
    TravelAllowanceInputs in = row.in;
    Working working;
    const TravelAllowanceResults r = CalcTravelAllowance(in, FromMarch(row.days), &working);
    EXPECT_EQ(in.PeriodDays, row.days);
    EXPECT_NEAR(r.BusinessKm, row.business, Km);
    EXPECT_NEAR(r.PrivateKm, row.privateKm, Km);
    EXPECT_EQ(r.FixedCost, row.fixedCost);
    EXPECT_NEAR(r.FixedCentsPerKm, row.fixedCents, Cents);
    EXPECT_NEAR(r.FuelCentsPerKm, row.fuelCents, Cents);
    EXPECT_NEAR(r.MaintCentsPerKm, row.maintCents, Cents);
    EXPECT_NEAR(r.TotalCentsPerKmExact, row.totalExact, Cents);
    EXPECT_DOUBLE_EQ(r.TotalCentsPerKm, row.totalShown);
    EXPECT_NEAR(r.DeductionClaim, row.claim, Cents);
    EXPECT_EQ(r.TotalCosts, 0.0);
    EXPECT_EQ(r.PrivateUse, 0.0);
    testing::ExpectReconciles(working, r.DeductionClaim);
}

const DeemedRow DeemedRows[] = {
    // 46 505 / 30 000 = 1.5501666... -> 1.550166 -> 155.0166; + 87.9 + 36.7 = 279.6166;
    // claim 279.6166 x 20 000 / 100 = 55 923.32
    {"R 150 000 over 30 000 km with 20 000 business", Deemed(150000, 30000, 20000), 366, 20000, 10000, 46505,
     155.0166, 87.9, 36.7, 279.6166, 279.6, 55923.32},
    // 87.9 x 20 000 / 100 = 17 580 less: 38 343.32
    {"fuel left out lowers the claim by 17 580", Deemed(150000, 30000, 20000, 0, 0), 366, 20000, 10000, 46505,
     155.0166, 0, 36.7, 191.7166, 191.7, 38343.32},
    {"an allowance of 40 000 caps the claim", Deemed(150000, 30000, 20000, 40000), 366, 20000, 10000, 46505,
     155.0166, 87.9, 36.7, 279.6166, 279.6, 40000},
    {"an allowance above the claim leaves it", Deemed(150000, 30000, 20000, 60000), 366, 20000, 10000, 46505,
     155.0166, 87.9, 36.7, 279.6166, 279.6, 55923.32},
    // first band: 26 105 / 20 000 = 1.30525 -> 130.525; + 78.7 + 29.3 = 238.525; x 100 = 23 852.50
    {"R 80 000 is in the first band", Deemed(80000, 20000, 10000), 366, 10000, 10000, 26105, 130.525, 78.7, 29.3,
     238.525, 238.5, 23852.50},
    // second band: 46 505 / 20 000 = 2.32525 -> 232.525; + 87.9 + 36.7 = 357.125; x 100 = 35 712.50
    {"R 80 001 is in the second band", Deemed(80001, 20000, 10000), 366, 10000, 10000, 46505, 232.525, 87.9, 36.7,
     357.125, 357.1, 35712.50},
    // 219 days: split 8 400 / 21 600, then 10 000 entered wins; 46 505 / 30 000 x 219 / 365 =
    // 0.9301 exactly (held as 0.93009999...): 93.01, not 93.0099; 93.01 + 124.6 = 217.61; x 100
    {"a rate exactly on six decimals is not cut below itself", Deemed(150000, 30000, 10000), 219, 10000, 20000,
     46505, 93.01, 87.9, 36.7, 217.61, 217.6, 21761},
    // 100 days: 4.6505 x 100 / 365 = 1.2741095... -> 1.274109 -> 127.4109; + 124.6 = 252.0109;
    // x 5 000 / 100 = 12 600.545
    {"part year scales the fixed rate by the days", Deemed(150000, 10000, 5000), 100, 5000, 5000, 46505, 127.4109,
     87.9, 36.7, 252.0109, 252.0, 12600.545},
    // 26 105 / 400 = 65.2625 -> 6 526.25; + 78.7 + 29.3 = 6 634.25, a tie: the even tenth 6 634.2
    {"a half tenth goes to the even neighbour", Deemed(50000, 400, 100), 366, 100, 300, 26105, 6526.25, 78.7, 29.3,
     6634.25, 6634.2, 6634.25},
    // 26 105 / 2 169 = 12.0355002... -> 1 203.55; + 78.7 = 1 282.25, a tie the sum holds a hair
    // above: still the even tenth 1 282.2
    {"a half tenth held above itself goes down to even", Deemed(50000, 2169, 100, 0, 1, 0), 366, 100, 2069, 26105,
     1203.55, 78.7, 0, 1282.25, 1282.2, 1282.25},
    // 26 105 / 8 741 = 2.9865004... -> 298.65; + 78.7 = 377.35, a tie the sum holds a hair
    // below: still the even tenth 377.4
    {"a half tenth held below itself goes up to even", Deemed(50000, 8741, 100, 0, 1, 0), 366, 100, 8641, 26105,
     298.65, 78.7, 0, 377.35, 377.4, 377.35},
    // no readings: no fixed share (and no division by 0), fuel and maintenance only: 124.6 x 1
    {"no km readings leave only fuel and maintenance", Deemed(150000, 0, 100), 366, 100, -100, 46505, 0, 87.9, 36.7,
     124.6, 124.6, 124.6},
    {"business km 0 zeroes the whole panel", Deemed(150000, 30000, 0), 366, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {"a value of 0 zeroes the whole panel", Deemed(0, 30000, 20000), 366, 0, 0, 0, 0, 0, 0, 0, 0, 0},
};
INSTANTIATE_TEST_SUITE_P(Rule, DeemedCostTest, ::testing::ValuesIn(DeemedRows), testing::RowName{});

// ---------------------------------------------------------------------------------------------
// The actual-cost method (record kept), through the screen's calculation.

struct ActualRow {
    const char* name;
    TravelAllowanceInputs in;
    double totalCosts;
    double privateUse;
    double claim;
};

// Costs of 60 000 (or `fuelOil` + 40 000) with the readings and business km given.
TravelAllowanceInputs Actual(double close, double open, double business, double value = 0, double allowance = 0,
                             double fuelOil = 20000, std::int16_t fuel = 1)
{
    return {.RecordKept = 1, .VehicleValue = value, .AllowanceReceived = allowance, .CloseKm = close, .OpenKm = open,
            .BusinessKmEntered = business, .FuelOil = fuelOil, .RepairsMaint = 10000, .InsuranceLicence = 15000,
            .OtherExpenses = 5000, .WearAndTear = 10000, .IncludeFuel = fuel};
}

class ActualCostTest : public ::testing::TestWithParam<ActualRow> {};

TEST_P(ActualCostTest, ClaimsTheBusinessShareOfTheCosts)
{
    const ActualRow& row = GetParam();
    TravelAllowanceInputs in = row.in;
    Working working;
    const TravelAllowanceResults r = CalcTravelAllowance(in, FromMarch(366), &working);
    EXPECT_EQ(r.TotalCosts, row.totalCosts);
    EXPECT_NEAR(r.PrivateUse, row.privateUse, Cents);
    EXPECT_NEAR(r.DeductionClaim, row.claim, Cents);
    EXPECT_EQ(r.FixedCost, 0.0);
    EXPECT_EQ(r.TotalCentsPerKm, 0.0);
    testing::ExpectReconciles(working, r.DeductionClaim);
}

// r for R 100 000 over 366 days with both boxes ticked:
// 100 000 x (0.025 - 0.0022 - 0.0018) x 12 x 366 / 365 = 25 200 x 366 / 365 = 25 269.0410958904...
constexpr double RBothTicked = 9223200.0 / 365.0;
// fuel not ticked: 100 000 x (0.025 - 0.0018) x 12 x 366 / 365 = 27 840 x 366 / 365 = 27 916.2739726...
constexpr double RFuelLeftOut = 10189440.0 / 365.0;

const ActualRow ActualRows[] = {
    // 60 000 x 25 000 / 40 000 = 37 500
    {"costs of 60 000 with 25 000 of 40 000 km business", Actual(40000, 0, 25000), 60000, 22500, 37500},
    // the cap leaves the private use as it was
    {"an allowance below the claim caps it", Actual(40000, 0, 25000, 0, 30000), 60000, 22500, 30000},
    // no value and no business km: the deemed-cost test does not stop this method;
    // business 14 038.356164... of 40 000: 60 000 x 0.35095890... = 21 057.5342465...
    {"no value and no business km still claim", Actual(40000, 0, 0), 60000, 60000 - 1.5 * 5124000.0 / 365.0,
     1.5 * 5124000.0 / 365.0},
    // readings 1 km apart: no claim, all private
    {"readings 1 km apart claim nothing", Actual(1001, 1000, 1), 60000, 60000, 0},
    // costs 30 000 (fuel/oil -10 000 of the usual): 30 000 - 25 269.041... = 4 730.958...
    {"no readings value the private use from the vehicle value", Actual(0, 0, 0, 100000, 0, -10000), 30000,
     RBothTicked, 30000 - RBothTicked},
    {"no readings with fuel left out", Actual(0, 0, 0, 100000, 0, -10000, 0), 30000, RFuelLeftOut,
     30000 - RFuelLeftOut},
    // costs 20 000 < r: private use 0 and the claim never below 0
    {"no readings with costs below the private use", Actual(0, 0, 0, 100000, 0, -20000), 20000, 0, 0},
    {"no readings and no value claim every cost", Actual(0, 0, 0), 60000, 0, 60000},
    {"no readings with an allowance below the claim", Actual(0, 0, 0, 100000, 10000), 60000, RBothTicked, 10000},
};
INSTANTIATE_TEST_SUITE_P(Rule, ActualCostTest, ::testing::ValuesIn(ActualRows), testing::RowName{});

// ---------------------------------------------------------------------------------------------
// Distances that cannot be are refused before any claim is worked from them.

struct DistanceCheckRow {
    const char* name;
    TravelAllowanceInputs in;
    std::optional<TravelDistanceBox> refused; // the box the refusal names; none: taken
};

class DistanceCheckTest : public ::testing::TestWithParam<DistanceCheckRow> {};

TEST_P(DistanceCheckTest, RefusesABackwardTotalOrMoreBusinessThanTotal)
{
    const DistanceCheckRow& row = GetParam();
    const auto refusal = CheckDistances(row.in);
    EXPECT_EQ(refusal ? std::optional(refusal->box) : std::nullopt, row.refused);
}

const DistanceCheckRow DistanceCheckRows[] = {
    {"no distances at all", Readings(0, 0, 0, 366), std::nullopt},
    {"business km equal to the total", Readings(40000, 30000, 10000, 366), std::nullopt},
    // total -10 000 km: seen as a claim of R 24 920.00
    {"an open reading above the close one", Readings(20000, 30000, 0, 366), TravelDistanceBox::OpenKm},
    {"an open reading with no close reading", Readings(0, 30000, 0, 366), TravelDistanceBox::OpenKm},
    // private -10 000 km
    {"business km above the total", Readings(25000, 0, 35000, 366), TravelDistanceBox::BusinessKm},
    {"business km with no readings", Readings(0, 0, 100, 366), TravelDistanceBox::BusinessKm},
};
INSTANTIATE_TEST_SUITE_P(Rule, DistanceCheckTest, ::testing::ValuesIn(DistanceCheckRows), testing::RowName{});

// ---------------------------------------------------------------------------------------------
// Wear and tear or lease payments: one of them only, and neither below 0.

TEST(SinglePayment, RefusesWearAndTearWithLeasePayments)
{
    EXPECT_FALSE(CheckSinglePayment({.WearAndTear = 5000}));
    EXPECT_FALSE(CheckSinglePayment({.LeasePayments = 5000}));
    const auto refusal = CheckSinglePayment({.WearAndTear = 5000, .LeasePayments = 1});
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->title, "Single Payment");
    EXPECT_EQ(refusal->message, "Only one amount for either Wear & Tear or Lease payments will be accepted");
}

TEST(SinglePayment, StoresOnlyAmountsFromZeroUp)
{
    EXPECT_TRUE(MayStoreWearOrLease(0));
    EXPECT_TRUE(MayStoreWearOrLease(12000));
    EXPECT_FALSE(MayStoreWearOrLease(-1));
}

} // namespace
} // namespace revora
