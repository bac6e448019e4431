// The gross-up routine: where the search stops, what it allows for the R/A, its refusals, and
// the figures worked from the boxes. Figures are worked by hand; with no funds, age 40 and
// tax below the 13 257 rebate (taxable up to 73 650), take-home = k - 1 % UIF = 0.99 k.

#include <gtest/gtest.h>

#include <limits>

#include "TestSupport.h"
#include "model/WorkingCheck.h"
#include "package/SalaryPackage.h"
#include "tax/TaxYearRules.h"

namespace revora {
namespace {

constexpr auto Annual = PackageKind::RevoraAnnual;
constexpr auto Monthly = PackageKind::RevoraMonthly;

struct GrossUpCase {
    const char* name;
    PackageKind screen;
    PackageInputs in;
    PackageSettings settings;
    PackageOutcome outcome;
    double searchAmount;
    double raAllowed; // also what the R/A box holds afterwards
    double raLimitC;
    double salary;
    double totalCost;
};

class GrossUpTest : public ::testing::TestWithParam<GrossUpCase> {};

TEST_P(GrossUpTest, FindsTheFirstRandThatPaysMoreThanTheNet)
{
    const GrossUpCase& c = GetParam();
    PackageInputs in = c.in;
    PackageResult r;
    TaxBracketResult record;
    Working working;
    ASSERT_EQ(SalPackGrossUp(c.screen, in, c.settings, r, record, &working), c.outcome);
    EXPECT_EQ(r.SearchAmount, c.searchAmount);
    EXPECT_NEAR(r.RAAllowed, c.raAllowed, 1e-9);
    EXPECT_NEAR(in.RADeduction, c.raAllowed, 1e-9);
    EXPECT_NEAR(r.RALimitC, c.raLimitC, 1e-6);
    EXPECT_NEAR(r.Salary, c.salary, 1e-9);
    EXPECT_NEAR(r.TotalCostToCompany, c.totalCost, 1e-9);
    EXPECT_EQ(r.CalcError, 0);
    testing::ExpectReconciles(working, r.TotalCostToCompany);
}

const PackageSettings NoUif{.EmployeeUIF = 0.0, .EmployerUIF = 0.0, .SkillLevy = 0.0};
const PackageSettings EmployerPension5{.EmployerPenCont = 5.0};
const PackageSettings Pension7{.PensionCont = 7.5};

const GrossUpCase StopCases[] = {
    // 0.99 x 50 505 = 49 999.95 does not pay enough; 0.99 x 50 506 = 50 000.94 does (by less
    // than R 1). Gross = 50 000 + UIF 505.06 + tax 0; cost adds employer UIF and SDL, 505.06 each.
    {"no funds the last rand pays less than R 1 over the net", Annual, {.Age = 40, .Amount = 50000}, {},
     PackageOutcome::Done, 50506, 0, 0.15 * 50506, 50505.06, 51515.18},
    // No UIF and no tax: take-home = k, and 1 000 equals the net without exceeding it.
    {"a take-home equal to the net goes one rand further", Annual, {.Age = 40, .Amount = 1000}, NoUif,
     PackageOutcome::Done, 1001, 0, 0.15 * 1001, 1000, 1000},
    // Monthly, taxed on 12 k (bracket 1): tax = (2.16 k - 13 257) / 12 = 0.18 k - 1 104.75, so
    // take-home = 0.81 k + 1 104.75: 10 981 gives 9 999.36, 10 982 gives 10 000.17. Tax
    // 1 976.76 - 1 104.75 = 872.01, UIF 109.82; gross 10 981.83; cost + UIF + SDL 109.82 each.
    {"monthly net taxed on 12 months", Monthly, {.Age = 40, .Amount = 10000}, {}, PackageOutcome::Done, 10982, 0,
     0.15 * 10982, 10981.83, 11201.47},
};
INSTANTIATE_TEST_SUITE_P(Stop, GrossUpTest, ::testing::ValuesIn(StopCases), testing::RowName{});

const GrossUpCase RACases[] = {
    // No funds: max(3 500, 1 750, 0.15 k) = 3 500 for k below 23 334, so every step cuts 5 000
    // to 3 500. Taxable k - 3 500 stays below the threshold: 0.99 k > 10 000 from 10 102.
    {"5 000 without a directive is cut to limit A", Annual, {.Age = 40, .Amount = 10000, .RADeduction = 5000}, {},
     PackageOutcome::Done, 10102, 3500, 0.15 * 10102, 10000 + 101.02, 10000 + 3 * 101.02 - 35},
    {"5 000 with a directive stands", Annual,
     {.Age = 40, .Amount = 10000, .RADeduction = 5000, .RADirective = true}, {}, PackageOutcome::Done, 10102, 5000,
     0.15 * 10102, 10000 + 101.02, 10000 + 3 * 101.02 - 50},
    // An employer fund only: C leaves the salary out, and with no other income it is 0.
    {"a fund percentage leaves the salary out of C", Annual, {.Age = 40, .Amount = 10000}, EmployerPension5,
     PackageOutcome::Done, 10102, 0, 0, 10101.02, 10101.02 + 505.10 + 2 * 101.02},
    // Take-home k + 2 000 - 1 % of (k + 1 600) = 0.99 k + 1 984: from k = 8 097 (10 000.03).
    // UIF 96.97; gross 10 096.97; cost + employer pension 404.85 + UIF and SDL 96.97 each.
    {"with a fund C is 15 percent of the travel allowance", Annual,
     {.Age = 40, .Amount = 10000, .TravelAllowance = 2000}, EmployerPension5, PackageOutcome::Done, 8097, 0, 300,
     10096.97, 10695.76},
};
INSTANTIATE_TEST_SUITE_P(RA, GrossUpTest, ::testing::ValuesIn(RACases), testing::RowName{});

// Pension 7.5 % and 3 000 entered: A = 3 500 - 0.075 k stays above 3 000 until the pension
// passes 500 (k above 6 666.67), then the deduction is cut to the falling maximum, which B
// (1 750) floors: at the end of an annual 100 000 search it is 1 750.
TEST(GrossUpRADrop, AnEnteredAmountTheMaximumFallsBelowIsCutToIt)
{
    PackageInputs in{.Age = 40, .Amount = 100000, .RADeduction = 3000};
    PackageResult r;
    TaxBracketResult record;
    ASSERT_EQ(SalPackGrossUp(Annual, in, Pension7, r, record), PackageOutcome::Done);
    EXPECT_EQ(r.RAAllowed, 1750);
    EXPECT_EQ(in.RADeduction, 1750);
    // A second calculation starts from the cut amount and keeps it.
    ASSERT_EQ(SalPackGrossUp(Annual, in, Pension7, r, record), PackageOutcome::Done);
    EXPECT_EQ(in.RADeduction, 1750);
}

TEST(GrossUpWorking, SaysWhichSalaryWasFoundAndWhatTheRandBelowItPays)
{
    PackageInputs in{.Age = 40, .Amount = 50000};
    PackageResult r;
    TaxBracketResult record;
    Working working;
    ASSERT_EQ(SalPackGrossUp(Annual, in, {}, r, record, &working), PackageOutcome::Done);
    EXPECT_EQ(working.Steps()[1].Text(), "Salary searched for, the first whole rand whose take-home pay (R 50 000.94) "
                                         "is above the net required (R 50 000.00); R 50 505.00 gives R 49 999.95: "
                                         "50 506.00");
}

// ---- Refusals: the boxes keep what they held -------------------------------------------------

struct RefusalCase {
    const char* name;
    PackageInputs in;
    PackageSettings settings;
    PackageOutcome outcome;
};

class GrossUpRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(GrossUpRefusalTest, KeepsTheHeldValuesAndTheTypedBoxes)
{
    const RefusalCase& c = GetParam();
    PackageResult held;
    held.EmployeePension = 123.45;
    held.TaxDue = 1000;
    held.MedicalCredit = 270;
    held.AdditionalMedicalCredit = 99;
    held.RAAllowed = 77;
    PackageInputs in = c.in;
    PackageResult r = held;
    TaxBracketResult record;
    record.TaxableIncome = 4242;
    Working working;
    ASSERT_EQ(SalPackGrossUp(Annual, in, c.settings, r, record, &working), c.outcome);
    EXPECT_TRUE(working.Empty());
    EXPECT_EQ(r.CalcError, 1);
    EXPECT_EQ(r.EmployeePension, 123.45);
    EXPECT_EQ(r.AdditionalMedicalCredit, 0); // the routine's first step
    EXPECT_EQ(r.TaxCredit, 270);
    EXPECT_EQ(r.TaxDeduction, 730);
    EXPECT_EQ(r.OnceOff, 0);
    EXPECT_EQ(in.RADeduction, c.in.RADeduction);
    EXPECT_EQ(in.MedicalDeduction, c.in.MedicalDeduction);
    EXPECT_EQ(record.TaxableIncome, 4242);
}

const RefusalCase RefusalCases[] = {
    {"no net salary", {.Age = 40, .CarValue = 100000, .RADeduction = 900}, {}, PackageOutcome::NoAmount},
    {"a travel allowance above the net with no R/A", {.Age = 40, .Amount = 15000, .TravelAllowance = 20000}, {},
     PackageOutcome::FringeBenefitsTooLarge},
    {"fringe benefits and deductions above the net", {.Age = 40, .Amount = 15000, .OtherFringeBenefits = 9000,
     .Other = {{{"Union", 7000, 0}}}}, {}, PackageOutcome::FringeBenefitsTooLarge},
    // 60 % + 40 % of every rand to the funds: take-home falls as the salary rises.
    {"funds that take every rand find no gross salary", {.Age = 40, .Amount = 5000, .MedicalDeduction = 10},
     {.PensionCont = 60, .ProvCont = 40}, PackageOutcome::NoGrossSalary},
    {"an amount no box can hold finds no gross salary",
     {.Age = 40, .Amount = 5000, .TravelAllowance = -std::numeric_limits<double>::infinity()}, {},
     PackageOutcome::NoGrossSalary},
    {"a net beyond the search's reach is too large", {.Age = 40, .Amount = 1e300}, {},
     PackageOutcome::AmountTooLarge},
    // At the standard rates: the size, not the rates, stops the search.
    {"a net of 999 999 999 999 is too large", {.Age = 40, .Amount = 999'999'999'999}, {.EmployeeUIF = 1,
     .UIFLimit = 14872, .TAIncRate8020 = 0.8}, PackageOutcome::AmountTooLarge},
};
INSTANTIATE_TEST_SUITE_P(Refusals, GrossUpRefusalTest, ::testing::ValuesIn(RefusalCases), testing::RowName{});

TEST(GrossUpTravel, AnRAAmountCanMakeRoomForATravelAllowance)
{
    PackageInputs in{.Age = 40, .Amount = 15000, .TravelAllowance = 20000, .RADeduction = 6000};
    PackageResult r;
    TaxBracketResult record;
    EXPECT_EQ(SalPackGrossUp(Annual, in, {}, r, record), PackageOutcome::Done);
}

// ---- The once-off car cost -------------------------------------------------------------------

struct OnceOffCase {
    const char* name;
    double carValue;
    double carCost;
    double onceOff;
};

class GrossUpOnceOffTest : public ::testing::TestWithParam<OnceOffCase> {};

TEST_P(GrossUpOnceOffTest, ShowsTheCarValueOnlyWithoutAPeriodicCost)
{
    const OnceOffCase& c = GetParam();
    PackageInputs in{.Age = 40, .Amount = 5000, .CarValue = c.carValue, .CarCostToCompany = c.carCost};
    PackageResult r;
    TaxBracketResult record;
    ASSERT_EQ(SalPackGrossUp(Monthly, in, {}, r, record), PackageOutcome::Done);
    EXPECT_EQ(r.OnceOff, c.onceOff);
}

const OnceOffCase OnceOffCases[] = {
    {"a car with no employer cost is a once-off cost", 250000, 0, 250000},
    {"a car with an employer cost is not", 250000, 0.01, 0},
    {"no car no once-off cost", 0, 0, 0},
};
INSTANTIATE_TEST_SUITE_P(OnceOff, GrossUpOnceOffTest, ::testing::ValuesIn(OnceOffCases), testing::RowName{});

// The 2016 tables with the rule of 2017: the employer's 10 % is taxed, and deducted with the
// employee's 7.5 % within 27.5 % of 1.1 k: taxable 0.925 k; take-home 0.925 k - (32 742 + 26 %
// of (0.925 k - 181 900) - 13 257) - 1 784.64 = 0.6845 k + 26 024.36, above 200 000 first at
// k = 254 165 (200 000.30; 254 164 gives 199 999.62).
TEST(GrossUpOneDeduction, TaxesAndDeductsTheEmployersContributions)
{
    TaxYear year = TaxYear2016();
    year.Retirement = {RetirementRegime::OneDeduction, 0.275, 350000};
    PackageInputs in{.Age = 40, .Amount = 200000};
    PackageResult r;
    TaxBracketResult record;
    Working working;
    ASSERT_EQ(SalPackGrossUpInYear(Annual, in, {.PensionCont = 7.5, .EmployerPenCont = 10}, year, r, record, &working),
              PackageOutcome::Done);
    EXPECT_EQ(r.SearchAmount, 254165);
    EXPECT_NEAR(record.TaxableIncome, 0.925 * 254165, 1e-6);
    testing::ExpectReconciles(working, r.TotalCostToCompany);
}

} // namespace
} // namespace revora
