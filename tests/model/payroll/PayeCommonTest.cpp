// What the employees' tax screens share: the value a two-decimal box shows, the message for
// too many beneficiaries, and the most a UIF or SDL rate may be.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TestSupport.h"
#include "payroll/PayeCommon.h"

namespace revora {
namespace {

struct ShownCase {
    const char* name;
    double value;
    double shown;
};

class AsShownTwoDecimalsTest : public ::testing::TestWithParam<ShownCase> {};

TEST_P(AsShownTwoDecimalsTest, ReadsBackTheTwoDecimalsABoxShows)
{
    const double shown = AsShownTwoDecimals(GetParam().value);
    EXPECT_EQ(shown, GetParam().shown);
    EXPECT_FALSE(std::signbit(shown) && shown == 0) << "shown as -0";
}

const ShownCase ShownCases[] = {
    {"a whole amount stays", 148, 148},
    {"two decimals stay", 148.72, 148.72},
    {"a third decimal below 5 rounds down", 12.344, 12.34},
    {"a third decimal above 5 rounds up", 12.34567, 12.35},
    // 2.675 is held as 2.67499999...; the box shows what the double is, not what was typed.
    {"2.675 held just below the half shows 2.67", 2.675, 2.67},
    // 0.125 is exact: a tie, shown to the even cent as printf shows it.
    {"an exact half cent 0.125 shows 0.12", 0.125, 0.12},
    {"an exact half cent 0.375 shows 0.38", 0.375, 0.38},
    {"daily credit of one beneficiary 12.46", 3240.0 / 260, 12.46},
    {"a negative amount", -40.006, -40.01},
    {"a tiny negative shows 0.00, not -0.00", -0.001, 0},
    {"a large amount", 123456789.125, 123456789.12},
    {"infinity shows nothing, read as 0", std::numeric_limits<double>::infinity(), 0},
    {"NaN shows nothing, read as 0", std::numeric_limits<double>::quiet_NaN(), 0},
};
INSTANTIATE_TEST_SUITE_P(Values, AsShownTwoDecimalsTest, ::testing::ValuesIn(ShownCases), testing::RowName{});

TEST(TooManyBeneficiariesMessage, NamesTheMostAllowed)
{
    EXPECT_EQ(TooManyBeneficiariesMessage(MostBeneficiaries),
              "The number of medical aid beneficiaries can be at most 183.");
    EXPECT_EQ(TooManyBeneficiariesMessage(MostDailyBeneficiaries),
              "The number of medical aid beneficiaries can be at most 17.");
    EXPECT_EQ(TooManyBeneficiariesMessage(MostAnnualMembersInAMonth),
              "The number of medical aid beneficiaries can be at most 180.");
}

// Pension and R/A may be the whole of the period's income, no more: salary, commission,
// bonus, the taxable part of the travel allowance and the employer's medical contribution.
struct ContributionsCase {
    const char* name;
    PayeInputs in;
    double inclusionRate;
    const char* named; // the figures the refusal names; nullptr: accepted
};
class CheckContributionsTest : public ::testing::TestWithParam<ContributionsCase> {};

TEST_P(CheckContributionsTest, RefusesContributionsAboveTheIncomeNamingBoth)
{
    const ContributionsCase& c = GetParam();
    const auto refusal = CheckContributions(c.in, c.inclusionRate);
    ASSERT_EQ(refusal.has_value(), c.named != nullptr);
    if (refusal)
        EXPECT_NE(refusal->message.find(c.named), std::string::npos) << refusal->message;
}
const ContributionsCase ContributionsCases[] = {
    {"the whole income is accepted",
     {.Salary = 1000, .EmployerMedical = 100, .Commission = 200, .Bonus = 300, .TravelAllowance = 500,
      .Pension = 1600, .RetirementAnnuity = 400},
     0.8, nullptr},
    {"a cent more is refused", {.Salary = 1000, .Pension = 600, .RetirementAnnuity = 400.01}, 0.8,
     "contributions, 1 000.01, are more than the period's income, 1 000.00 ("},
    {"only the taxable part of the travel allowance counts", {.Salary = 1000, .TravelAllowance = 1000, .Pension = 1500},
     0.2, "1 500.00, are more than the period's income, 1 200.00 ("},
    {"the employee's own medical contribution does not count",
     {.Salary = 1000, .EmployeeMedical = 5000, .Pension = 5000}, 0.8, "income, 1 000.00 ("},
};
INSTANTIATE_TEST_SUITE_P(Contributions, CheckContributionsTest, ::testing::ValuesIn(ContributionsCases),
                         testing::RowName{});

TEST(LevyPercent, IsAPartOfThePayNoMore)
{
    EXPECT_TRUE(IsLevyPercentAllowed(100));
    EXPECT_FALSE(IsLevyPercentAllowed(100.001));
    EXPECT_FALSE(IsLevyPercentAllowed(-1));
    EXPECT_EQ(LevyPercentTooLargeMessage("Employee UIF portion"), "Employee UIF portion can be at most 100 %.");
}

TEST(BeneficiaryLimits, AreTheLargestCountsWhose16BitProductsFit)
{
    // (n - 2) x 181, (n - 2) x 181 x 12 and 540 + (n - 2) x 181 at most 32 767.
    EXPECT_LE((MostBeneficiaries - 2) * 181, 32767);
    EXPECT_GT((MostBeneficiaries + 1 - 2) * 181, 32767);
    EXPECT_LE((MostDailyBeneficiaries - 2) * 181 * 12, 32767);
    EXPECT_GT((MostDailyBeneficiaries + 1 - 2) * 181 * 12, 32767);
    EXPECT_LE(540 + (MostAnnualMembersInAMonth - 2) * 181, 32767);
    EXPECT_GT(540 + (MostAnnualMembersInAMonth + 1 - 2) * 181, 32767);
}

} // namespace
} // namespace revora
