// The fixed rules of the tax year: rebates by age, medical scheme fees credits and the date
// messages the screens show.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "common/DayDate.h"
#include "tax/TaxYearRules.h"

namespace revora {
namespace {

struct RebateCase {
    const char* name;
    std::int16_t age;
    double rebate;
};

class RebateForAgeTest : public ::testing::TestWithParam<RebateCase> {};

TEST_P(RebateForAgeTest, GivesAnnualTotal)
{
    EXPECT_EQ(RebateForAge(GetParam().age), GetParam().rebate);
}

const RebateCase RebateCases[] = {
    {"a newborn gets the primary rebate", 0, 13257},
    {"64 still gets only the primary rebate", 64, 13257},
    {"65 adds the secondary rebate", 65, 20664},
    {"74 still gets the secondary rebate", 74, 20664},
    {"75 adds the tertiary rebate", 75, 23130},
    {"the oldest age a box holds gets the tertiary rebate", 32767, 23130},
    {"a negative age gets the primary rebate", -1, 13257},
};
INSTANTIATE_TEST_SUITE_P(Ages, RebateForAgeTest, ::testing::ValuesIn(RebateCases), testing::RowName{});

struct MemberCase {
    const char* name;
    std::int16_t members;
    double monthlyCredit;
};

class MedicalCreditPerMonthTest : public ::testing::TestWithParam<MemberCase> {};

TEST_P(MedicalCreditPerMonthTest, Gives270ForTheFirstTwoAnd181After)
{
    EXPECT_EQ(MedicalCreditPerMonth(GetParam().members), GetParam().monthlyCredit);
}

const MemberCase MemberCases[] = {
    {"no members no credit", 0, 0},
    {"the principal member alone gets 270", 1, 270},
    {"two members get 540", 2, 540},
    {"a third member adds 181", 3, 721},
    {"five members get 1 083", 5, 1083},
};
INSTANTIATE_TEST_SUITE_P(Members, MedicalCreditPerMonthTest, ::testing::ValuesIn(MemberCases), testing::RowName{});

struct MemberMonthsCase {
    const char* name;
    int memberMonths;
    double annualCredit;
};

class MedicalCreditForMemberMonthsTest : public ::testing::TestWithParam<MemberMonthsCase> {};

TEST_P(MedicalCreditForMemberMonthsTest, Gives270UpTo24And181After)
{
    EXPECT_EQ(MedicalCreditForMemberMonths(GetParam().memberMonths), GetParam().annualCredit);
}

const MemberMonthsCase MemberMonthsCases[] = {
    {"no member months no credit", 0, 0},
    {"one member for a year gets 3 240", 12, 3240},
    {"exactly 24 member months are all at 270", 24, 6480},
    {"the 25th member month is at 181", 25, 6661},
    {"three members for a year get 8 652", 36, 8652},
};
INSTANTIATE_TEST_SUITE_P(MemberMonths, MedicalCreditForMemberMonthsTest, ::testing::ValuesIn(MemberMonthsCases),
                         testing::RowName{});

struct AdditionalCreditCase {
    const char* name;
    double employerContribution;
    double employeeContribution;
    double periodCredit;
    std::int16_t age;
    double additionalCredit;
};

class AdditionalMedicalCreditTest : public ::testing::TestWithParam<AdditionalCreditCase> {};

TEST_P(AdditionalMedicalCreditTest, GivesAThirdOfTheExcessFrom65)
{
    const AdditionalCreditCase& c = GetParam();
    EXPECT_NEAR(AdditionalMedicalCredit(c.employerContribution, c.employeeContribution, c.periodCredit, c.age),
                c.additionalCredit, 1e-9);
}

const AdditionalCreditCase AdditionalCreditCases[] = {
    // (3 000 - 3 x 540) x 0.333; the factor is 0.333, not a third (which would give 460).
    {"70 with 3 000 a month and a 540 credit gets 459.54", 0, 3000, 540, 70, 459.54},
    {"the employer's contribution counts the same", 3000, 0, 540, 70, 459.54},
    {"the two contributions are added", 1000, 2000, 540, 70, 459.54},
    {"exactly 65 qualifies", 0, 3000, 540, 65, 459.54},
    {"64 gets nothing", 0, 3000, 540, 64, 0},
    {"no contributions give nothing even with a credit", 0, 0, 540, 70, 0},
    {"no credit gives nothing even with contributions", 0, 3000, 0, 70, 0},
    {"contributions below three credits give nothing, not a negative", 0, 1000, 540, 70, 0},
    {"contributions of exactly three credits give nothing", 0, 1620, 540, 70, 0},
};
INSTANTIATE_TEST_SUITE_P(Ages, AdditionalMedicalCreditTest, ::testing::ValuesIn(AdditionalCreditCases),
                         testing::RowName{});

TEST(TaxYearDates, RunFromFirstMarch2015To29February2016)
{
    EXPECT_EQ(FormatDayDate(TaxYearStart), "01/03/2015");
    EXPECT_EQ(FormatDayDate(TaxYearEnd), "29/02/2016");
    EXPECT_EQ(TaxYearEnd - TaxYearStart + 1, 366) << "a leap year";
}

// A change of tax year moves each date to the same day and month of the new year.
struct MovedDateCase {
    const char* name;
    const char* date;
    int yearEnding;
    const char* moved;
};
const MovedDateCase MovedDateCases[] = {
    {"MarchKeepsItsDay", "01/03/2015", 2025, "01/03/2024"},
    {"DecemberInTheFirstCalendarYear", "31/12/2015", 2025, "31/12/2024"},
    {"JanuaryInTheSecond", "15/01/2016", 2025, "15/01/2025"},
    {"LeapDayToTheTwentyEighth", "29/02/2016", 2025, "28/02/2025"},
    {"IntoALeapYearFromTheTwentyEighth", "28/02/2025", 2016, "28/02/2016"},
    {"BackwardsOverYears", "30/06/2026", 2015, "30/06/2014"},
    {"ADateOfTheYearStays", "10/10/2015", 2016, "10/10/2015"},
};
class MoveIntoTaxYearTest : public ::testing::TestWithParam<MovedDateCase> {};
TEST_P(MoveIntoTaxYearTest, KeepsDayAndMonth)
{
    TaxYear year = TaxYear2016();
    year.Start = DayNumberFromCivil({GetParam().yearEnding - 1, 3, 1});
    year.End = DayNumberFromCivil({GetParam().yearEnding, 3, 1}) - 1;
    EXPECT_EQ(FormatDayDate(MoveIntoTaxYear(*ParseDayDate(GetParam().date), year)), GetParam().moved);
}
INSTANTIATE_TEST_SUITE_P(Dates, MoveIntoTaxYearTest, ::testing::ValuesIn(MovedDateCases), testing::RowName{});

TEST(DateMessages, AreTheTextsTheScreensShow)
{
    EXPECT_EQ(DateOutsideYearMessage,
              "The date entered is not correct please enter a date between 01/03/2015 and 29/02/2016");
    EXPECT_EQ(DatePairOutsideYearMessage,
              "The dates entered are not correct please enter a dates between 01/03/2015 and 29/02/2016");
}

TEST(DateMessages, EndBeforeStartQuotesTheStartAsTyped)
{
    EXPECT_EQ(EndBeforeStartMessage("15/03/2015"),
              "The date entered is not correct please enter a date between 15/03/2015 and 29/02/2016");
    // As typed, not reformatted: a one-digit day stays one digit.
    EXPECT_EQ(EndBeforeStartMessage("1/4/2015"),
              "The date entered is not correct please enter a date between 1/4/2015 and 29/02/2016");
}

} // namespace
} // namespace revora
