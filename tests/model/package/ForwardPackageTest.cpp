// The forward package: one pass from the total package to the take-home pay and the total
// cost to company. Figures by hand; 12 x 14 872 = 178 464 caps annual UIF at 1 784.64.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "model/WorkingCheck.h"
#include "package/SalaryPackage.h"
#include "tax/TaxYearRules.h"

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

// The one retirement deduction of 2017 on, in the 2016 year: the employer's 10 % is a fringe
// benefit, deducted with the employee's 7.5 % up to 27.5 %, at most the cap a year.
struct OneDeductionCase {
    const char* name;
    PackageKind screen;
    double cap;
    PackageInputs in;
    double limit, funds, raAllowed, annualTaxable; // funds: the contributions deducted
};

class OneDeductionTest : public ::testing::TestWithParam<OneDeductionCase> {};

TEST_P(OneDeductionTest, DeductsTheFundsAndTheRAUpToTheLimit)
{
    const OneDeductionCase& c = GetParam();
    TaxYear year = TaxYear2016();
    year.Retirement = {RetirementRegime::OneDeduction, 0.275, c.cap};
    PackageInputs in = c.in;
    PackageResult r;
    TaxBracketResult record;
    Working working;
    ASSERT_EQ(SalPackForwardInYear(c.screen, in, {.PensionCont = 7.5, .EmployerPenCont = 10}, year, r, record,
                                   &working),
              PackageOutcome::Done);
    EXPECT_NEAR(r.RetirementLimit, c.limit, 1e-6);
    EXPECT_NEAR(r.FundDeduction, c.funds, 1e-6);
    EXPECT_NEAR(r.RAAllowed, c.raAllowed, 1e-6);
    EXPECT_NEAR(record.TaxableIncome, c.annualTaxable, 1e-6);
    testing::ExpectReconciles(working, r.Salary);
}

// 400 000: 30 000 + the employer's 40 000; remuneration and taxable income 440 000; 27.5 % of
// it 121 000, of which the funds leave 51 000 for the R/A.
const OneDeductionCase OneDeductionCases[] = {
    {"below 27.5 percent the R/A entered stands", Annual, 350000,
     {.Age = 40, .Amount = 400000, .RADeduction = 10000}, 121000, 70000, 10000, 440000 - 80000},
    {"an R/A beyond it is cut to 27.5 percent in all", Annual, 350000,
     {.Age = 40, .Amount = 400000, .RADeduction = 80000}, 121000, 70000, 51000, 440000 - 121000},
    // 2 500 000: 187 500 + 250 000 above the cap (27.5 % of 2 750 000 is 756 250): no R/A.
    {"at the cap the funds take it all", Annual, 350000, {.Age = 40, .Amount = 2500000, .RADeduction = 1000},
     350000, 350000, 0, 2750000 - 350000},
    // 200 000 a month: 15 000 + 20 000 within a twelfth of a 430 000 cap, 35 833.33.
    {"a month has a twelfth of the cap", Monthly, 430000, {.Age = 40, .Amount = 200000, .RADeduction = 1000},
     430000.0 / 12, 35000, 430000.0 / 12 - 35000, 12 * 220000 - 430000},
};
INSTANTIATE_TEST_SUITE_P(Retirement, OneDeductionTest, ::testing::ValuesIn(OneDeductionCases), testing::RowName{});

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
