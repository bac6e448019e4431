// The register: adding from record 0, deleting with renumbering, stepping round the cars, the
// title, starting anew, and which controls each event leaves enabled.

#include <gtest/gtest.h>

#include <string>

#include "CompanyCarTestSupport.h"
#include "TestSupport.h"
#include "vehicle/CompanyCarControls.h"
#include "vehicle/CompanyCarRegister.h"

namespace revora {
namespace {

using testing::Car200000;
using testing::RegisterOf;

CompanyCarRecord Named(const char* registration)
{
    CompanyCarRecord car = Car200000();
    car.CCRegNumber = registration;
    return car;
}

// ---- Add ---------------------------------------------------------------------------------

TEST(CarRegisterAdd, FirstCarTakesRecordZeroWithLogBookYearAndDatesAfresh)
{
    CompanyCarRegister reg;
    reg.Open();
    CompanyCarRecord& typed = reg.Records[0];
    typed.CCRegNumber = "CA 1";
    typed.CCMake = "Toyota";
    typed.CCPrice = 150000.0;
    typed.SARSTable = 1;
    typed.BussMilage = 1;
    typed.YearOfManfact = "2014";
    typed.CCStartDate = 42100;
    typed.CCEndDate = 42200;
    typed.EmpPaidLicence = 400.0;

    const AddResult added = reg.Add();
    ASSERT_EQ(added.Outcome, AddOutcome::Added);
    EXPECT_EQ(reg.CarCount, 1);
    EXPECT_EQ(reg.CurrentVehicle, 1);
    EXPECT_EQ(reg.ShownVehicleNo, 1);
    EXPECT_EQ(reg.AutoCalc3802, 0);
    const CompanyCarRecord& car = reg.Records[1];
    EXPECT_EQ(car.CCRegNumber, "CA 1");
    EXPECT_EQ(car.CCMake, "Toyota");
    EXPECT_EQ(car.CCPrice, 150000.0);
    EXPECT_EQ(car.EmpPaidLicence, 400.0);
    EXPECT_EQ(car.SARSTable, 0);
    EXPECT_EQ(car.BussMilage, 0);
    EXPECT_EQ(car.YearOfManfact, "");
    EXPECT_EQ(car.CCStartDate, TaxYearStart);
    EXPECT_EQ(car.CCEndDate, TaxYearEnd);
    // Record 0 keeps what was typed, its fuel box cleared, for the next car to start from.
    EXPECT_EQ(reg.Records[0].CCMake, "Toyota");
    EXPECT_EQ(reg.Records[0].SARSTable, 0);
    ASSERT_EQ(added.Run.Results.size(), 2u);
    EXPECT_EQ(added.Run.Results[1].Days, 366);
}

TEST(CarRegisterAdd, SecondCarTurnsTheSplitOnAndShowsItsBox)
{
    CompanyCarRegister reg = RegisterOf({Named("A")});
    EXPECT_FALSE(reg.AutoCalcBoxShown());
    ASSERT_EQ(reg.Add().Outcome, AddOutcome::Added);
    EXPECT_EQ(reg.CarCount, 2);
    EXPECT_EQ(reg.CurrentVehicle, 2);
    EXPECT_EQ(reg.AutoCalc3802, 1);
    EXPECT_TRUE(reg.AutoCalcBoxShown());
}

TEST(CarRegisterAdd, UnnamedCarOnScreenBlocksAdding)
{
    CompanyCarRegister reg = RegisterOf({Named("")});
    const AddResult refused = reg.Add();
    EXPECT_EQ(refused.Outcome, AddOutcome::NeedsRegistrationNumber);
    EXPECT_EQ(reg.CarCount, 1);
    EXPECT_EQ(reg.Records.size(), 2u);
}

TEST(CarRegisterAdd, LastCountTheRegisterHoldsIsAddedAndOneMoreRefused)
{
    CompanyCarRegister reg = RegisterOf(std::vector<CompanyCarRecord>(MaxCompanyCars - 1, Named("X")),
                                        static_cast<std::int16_t>(MaxCompanyCars - 1));
    ASSERT_EQ(reg.Add().Outcome, AddOutcome::Added);
    EXPECT_EQ(reg.CarCount, MaxCompanyCars);
    reg.Current().CCRegNumber = "LAST";
    const AddResult refused = reg.Add();
    EXPECT_EQ(refused.Outcome, AddOutcome::RegisterFull);
    EXPECT_EQ(reg.CarCount, 32767);
    EXPECT_EQ(reg.Records.size(), 32768u);
    EXPECT_EQ(reg.CurrentVehicle, 32767);
}

// ---- Delete ------------------------------------------------------------------------------

TEST(CarRegisterDelete, LaterCarsMoveDownAndCarOneIsShown)
{
    CompanyCarRegister reg = RegisterOf({Named("A"), Named("B"), Named("C")}, 2);
    reg.Records[0].CCMake = "typed before the first car";
    reg.Delete();
    ASSERT_EQ(reg.CarCount, 2);
    ASSERT_EQ(reg.Records.size(), 3u);
    EXPECT_EQ(reg.Records[1].CCRegNumber, "A");
    EXPECT_EQ(reg.Records[2].CCRegNumber, "C");
    EXPECT_EQ(reg.Records[0].CCMake, "");
    EXPECT_EQ(reg.CurrentVehicle, 1);
    EXPECT_EQ(reg.Title(), "Full use of Company Car :  Vehicle number 1 of 2");
}

TEST(CarRegisterDelete, BackToOneCarHidesTheSplitBoxButKeepsTheSetting)
{
    CompanyCarRegister reg = RegisterOf({Named("A"), Named("B")}, 2, 0.0, 1);
    reg.Delete();
    EXPECT_FALSE(reg.AutoCalcBoxShown());
    EXPECT_EQ(reg.AutoCalc3802, 1);
}

TEST(CarRegisterDelete, LastCarLeavesAnEmptyRegisterAndNoCode3802)
{
    CompanyCarRegister reg = RegisterOf({Named("A")}, 1, 84000.0);
    const CompCarRun run = reg.Delete();
    EXPECT_EQ(reg.CarCount, 0);
    EXPECT_EQ(reg.Records.size(), 1u);
    EXPECT_EQ(reg.CurrentVehicle, 0);
    EXPECT_EQ(reg.ShownVehicleNo, 0);
    EXPECT_EQ(reg.Actual3802, 0.0);
    EXPECT_EQ(run.TotAdjustTaxableInc, 0.0);
    EXPECT_EQ(reg.Title(), "Full use of Company Car :  Vehicle number 0 of 0");
}

// ---- Back and Forward --------------------------------------------------------------------

struct StepCase {
    const char* name;
    std::int16_t from;
    bool forward;
    std::int16_t to;
};

class CarRegisterStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(CarRegisterStep, WrapsRoundTheCars)
{
    const StepCase& c = GetParam();
    CompanyCarRegister reg = RegisterOf({Named("A"), Named("B"), Named("C")}, c.from);
    const CompCarRun run = c.forward ? reg.Forward() : reg.Back();
    EXPECT_EQ(reg.ShownVehicleNo, c.to);
    EXPECT_EQ(reg.CurrentVehicle, c.to);
    EXPECT_EQ(reg.Title(), "Full use of Company Car :  Vehicle number " + std::to_string(c.to) + " of 3");
    EXPECT_EQ(run.Results.size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(ThreeCars, CarRegisterStep,
    ::testing::Values(StepCase{"back from 1 of 3 wraps to 3", 1, false, 3},
                      StepCase{"back from 2 of 3 goes to 1", 2, false, 1},
                      StepCase{"forward from 2 of 3 goes to 3", 2, true, 3},
                      StepCase{"forward from 3 of 3 wraps to 1", 3, true, 1}),
    testing::RowName{});

TEST(CarRegisterStepping, ShownCarBringsTheFuelBoxRuleIntoItsRecord)
{
    CompanyCarRecord deemed = Named("B");
    deemed.SARSTable = 1;
    deemed.ActualExpEmployee = 5000.0;
    CompanyCarRegister reg = RegisterOf({Named("A"), deemed}, 1);
    reg.Forward();
    EXPECT_EQ(reg.Records[2].ActualExpEmployee, 0.0);
}

// ---- Opening and starting anew ---------------------------------------------------------------

TEST(CarRegisterLifecycle, ResetEmptiesTheRegisterAndOpensOnRecordZero)
{
    CompanyCarRegister reg = RegisterOf({Named("A"), Named("B")}, 2, 5000.0, 1);
    reg.Records[0].CCMake = "typed";
    reg.Reset();
    EXPECT_EQ(reg.CarCount, 0);
    EXPECT_EQ(reg.CurrentVehicle, 0);
    EXPECT_EQ(reg.ShownVehicleNo, 0);
    EXPECT_EQ(reg.Actual3802, 0.0);
    EXPECT_EQ(reg.AutoCalc3802, 0);
    ASSERT_EQ(reg.Records.size(), 1u);
    EXPECT_EQ(reg.Records[0].CCMake, "");
    EXPECT_TRUE(reg.Open().Results.empty());
    EXPECT_EQ(reg.Title(), "Full use of Company Car :  Vehicle number 0 of 0");
}

TEST(CarRegisterLifecycle, OpeningWithCarsShowsAndCalculatesCarOne)
{
    CompanyCarRegister reg = RegisterOf({Named("A"), Named("B")}, 2);
    reg.ShownVehicleNo = 0;
    const CompCarRun run = reg.Open();
    EXPECT_EQ(reg.CurrentVehicle, 1);
    EXPECT_EQ(reg.ShownVehicleNo, 1);
    EXPECT_DOUBLE_EQ(run.Results[1].TrueInclusion, 84000.0);
}

// ---- Enabling tables -------------------------------------------------------------------------

enum class Event { RegistrationChange, Navigation, Delete, Open };

struct ControlsCase {
    const char* name;
    Event event;
    bool named;
    std::int16_t vehicles;
    CompCarControls expected;
};

CompCarControls ControlsFor(Event event, bool named, std::int16_t vehicles)
{
    switch (event) {
    case Event::RegistrationChange: return ControlsAfterRegistrationChange(named, vehicles);
    case Event::Navigation: return ControlsAfterNavigation(named, vehicles);
    case Event::Delete: return ControlsAfterDelete(named, vehicles);
    case Event::Open: return ControlsOnOpen(named, vehicles);
    }
    return {};
}

class CompCarEnabling : public ::testing::TestWithParam<ControlsCase> {};

TEST_P(CompCarEnabling, FollowsTheTable)
{
    const ControlsCase& c = GetParam();
    EXPECT_EQ(ControlsFor(c.event, c.named, c.vehicles), c.expected);
}

//                 All    Add    OK     Delete Back   Fwd    Calc   Print  Focus
constexpr CompCarControls kAllButSteps{true, true, true, true, false, false, true, true, false};
constexpr CompCarControls kEverything{true, true, true, true, true, true, true, true, false};

INSTANTIATE_TEST_SUITE_P(Events, CompCarEnabling,
    ::testing::Values(
        ControlsCase{"named, one car: all but back and forward", Event::RegistrationChange, true, 1, kAllButSteps},
        ControlsCase{"named, two cars: everything", Event::RegistrationChange, true, 2, kEverything},
        ControlsCase{"unnamed, one car: OK and Add with the focus on the number", Event::RegistrationChange,
                     false, 1, {false, true, true, false, false, false, false, false, true}},
        ControlsCase{"unnamed among two: only Delete", Event::RegistrationChange, false, 2,
                     {false, false, false, true, false, false, false, false, false}},
        ControlsCase{"stepping to a named car of one", Event::Navigation, true, 1, kAllButSteps},
        ControlsCase{"stepping to a named car of two", Event::Navigation, true, 2, kEverything},
        ControlsCase{"stepping to an unnamed car of one: OK and Add", Event::Navigation, false, 1,
                     {false, true, true, false, false, false, false, false, false}},
        ControlsCase{"stepping to an unnamed car of two: the register commands", Event::Navigation, false, 2,
                     {false, true, true, true, true, true, false, false, false}},
        ControlsCase{"deleting the last car: Add, OK, Calculate and Print", Event::Delete, false, 0,
                     {false, true, true, false, false, false, true, true, false}},
        ControlsCase{"deleting down to one named car", Event::Delete, true, 1, kAllButSteps},
        ControlsCase{"opening an empty register: OK, Add and Calculate", Event::Open, false, 0,
                     {false, true, true, false, false, false, true, false, true}},
        ControlsCase{"opening on a named car of three", Event::Open, true, 3, kEverything}),
    testing::RowName{});

TEST(CompCarEnablingAdd, OnlyAddOkAndDeleteUntilTheNewCarIsNamed)
{
    const CompCarControls expected{false, true, true, true, false, false, false, false, true};
    EXPECT_EQ(ControlsAfterAdd(), expected);
}

} // namespace
} // namespace revora
