// The forward package: one pass from the total package to the take-home pay and the total
// cost to company. Figures by hand; 12 x 14 872 = 178 464 caps annual UIF at 1 784.64.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "model/WorkingCheck.h"
#include "package/SalaryPackage.h"

namespace revora {
namespace {

constexpr auto Annual = PackageKind::AvantaAnnual;
constexpr auto Monthly = PackageKind::AvantaMonthly;

struct ForwardCase {
    const char* name;
    PackageKind screen;
    PackageInputs in;
    PackageSettings settings;
    double raAllowed;
    double raLimitC;
    double taxDue;
    double taxCredit;
    double taxDeduction;
    double takeHome;
    double totalCost;
};

class ForwardPackageTest : public ::testing::TestWithParam<ForwardCase> {};

TEST_P(ForwardPackageTest, WorksThePackageDownToTheTakeHomePay)
{
    const ForwardCase& c = GetParam();
    PackageInputs in = c.in;
    PackageResult r;
    TaxBracketResult record;
    Working working;
    ASSERT_EQ(SalPackForward(c.screen, in, c.settings, r, record, &working), PackageOutcome::Done);
    EXPECT_NEAR(r.RAAllowed, c.raAllowed, 1e-9);
    EXPECT_NEAR(in.RADeduction, c.raAllowed, 1e-9);
    EXPECT_NEAR(r.RALimitC, c.raLimitC, 1e-9);
    EXPECT_NEAR(r.TaxDue, c.taxDue, 1e-9);
    EXPECT_NEAR(r.TaxCredit, c.taxCredit, 1e-9);
    EXPECT_NEAR(r.TaxDeduction, c.taxDeduction, 1e-9);
    EXPECT_NEAR(r.Salary, c.takeHome, 1e-9);
    EXPECT_NEAR(r.TotalCostToCompany, c.totalCost, 1e-9);
    EXPECT_EQ(r.CalcError, 0);
    testing::ExpectReconciles(working, r.Salary);
}

const PackageSettings Pension7{.PensionCont = 7.5};
const PackageSettings Travel20{.TAIncRate8020 = 0.2};

const ForwardCase RACases[] = {
    // Pension 22 500: A = -19 000, B 1 750, C 0 (nothing outside the funds): maximum 1 750.
    // Taxable 300 000 - 22 500 - 1 750 = 275 750: 32 742 + 93 850 x 26 % - 13 257 = 43 886.
    // SDL (300 000 - 24 250) x 1 % = 2 757.50.
    {"a 7.5 percent pension leaves B as the maximum", Annual, {.Age = 40, .Amount = 300000, .RADeduction = 5000},
     Pension7, 1750, 0, 43886, 0, 43886, 300000 - 22500 - 1784.64 - 43886, 300000 + 1784.64 + 2757.50},
    // No funds: C = 15 % of the package. 300 000: 59 314 + 15 900 x 31 % - 13 257 = 50 986.
    {"no funds make C 15 percent of the package", Annual, {.Age = 40, .Amount = 300000}, {}, 0, 45000, 50986, 0, 50986,
     300000 - 1784.64 - 50986, 300000 + 1784.64 + 3000},
    // (3 500 - 1 500) / 12 = 166.67 above B 145.83. Taxable 20 000 - 1 500 - 166.67 = 18 333.33,
    // 220 000 a year: 32 742 + 38 100 x 26 % - 13 257 = 29 391, / 12 = 2 449.25. SDL 183.33.
    {"the monthly forward screen takes the monthly pension off 3 500", Monthly,
     {.Age = 40, .Amount = 20000, .RADeduction = 1000}, Pension7, 2000.0 / 12, 0, 2449.25, 0, 2449.25,
     20000 - 1500 - 148.72 - 2449.25, 20000 + 148.72 + 183.33},
    {"a directive keeps the amount entered", Annual,
     {.Age = 40, .Amount = 300000, .RADeduction = 5000, .RADirective = true}, Pension7, 5000, 0,
     // 272 500: 32 742 + 90 600 x 26 % - 13 257 = 43 041; SDL (300 000 - 27 500) x 1 %.
     43041, 0, 43041, 300000 - 22500 - 1784.64 - 43041, 300000 + 1784.64 + 2725},
};
INSTANTIATE_TEST_SUITE_P(RA, ForwardPackageTest, ::testing::ValuesIn(RACases), testing::RowName{});

const ForwardCase TravelCases[] = {
    // Taxable 300 000 - 50 000 + 40 000 = 290 000: 59 314 + 5 900 x 31 % - 13 257 = 47 886;
    // the allowance stays in the take-home pay.
    {"80 percent of the travel allowance is taxed", Annual,
     {.Age = 40, .Amount = 300000, .TravelAllowance = 50000}, {}, 0, 45000, 47886, 0, 47886,
     300000 - 1784.64 - 47886, 300000 + 1784.64 + 2900},
    // 260 000: 32 742 + 78 100 x 26 % - 13 257 = 39 791.
    {"20 percent of the travel allowance is taxed", Annual,
     {.Age = 40, .Amount = 300000, .TravelAllowance = 50000}, Travel20, 0, 45000, 39791, 0, 39791,
     300000 - 1784.64 - 39791, 300000 + 1784.64 + 2600},
};
INSTANTIATE_TEST_SUITE_P(Travel, ForwardPackageTest, ::testing::ValuesIn(TravelCases), testing::RowName{});

const ForwardCase CreditCases[] = {
    // Credit 6 480; more (36 000 - 19 440) x 0.333 = 5 514.48. Tax 64 243 - 20 664 = 43 579.
    {"age 67 annual gets both credits off the tax", Annual,
     {.Age = 67, .Amount = 300000, .EmployeeMedical = 12000, .EmployerMedical = 24000, .Members = 24}, {}, 0,
     45000, 43579, 11994.48, 31584.52, 300000 - 12000 - 1784.64 - 31584.52 - 24000, 300000 + 1784.64 + 3000},
    // Credit 540; more (3 000 - 1 620) x 0.333 = 459.54. Tax 43 579 / 12 = 3 631.583...,
    // less 999.54 = 2 632.04 as shown.
    {"age 67 monthly gets both credits off the tax", Monthly,
     {.Age = 67, .Amount = 25000, .EmployeeMedical = 1000, .EmployerMedical = 2000, .Members = 2}, {}, 0,
     0.15 * 25000, 43579.0 / 12, 999.54, 2632.04, 25000 - 1000 - 148.72 - 2632.04 - 2000,
     25000 + 148.72 + 250},
};
INSTANTIATE_TEST_SUITE_P(Credits, ForwardPackageTest, ::testing::ValuesIn(CreditCases), testing::RowName{});

TEST(ForwardPackageRefusal, NoPackageRunsNothingAndKeepsTheBoxes)
{
    PackageInputs in{.Age = 40, .CarValue = 100000, .RADeduction = 900};
    PackageResult r;
    r.EmployeePension = 55;
    TaxBracketResult record;
    EXPECT_EQ(SalPackForward(Annual, in, {}, r, record), PackageOutcome::NoAmount);
    EXPECT_EQ(r.CalcError, 1);
    EXPECT_EQ(r.EmployeePension, 55);
    EXPECT_EQ(r.Salary, -55); // the take-home worked from the boxes as they are
    EXPECT_EQ(r.OnceOff, 0);
    EXPECT_EQ(in.RADeduction, 900);
}

} // namespace
} // namespace revora
