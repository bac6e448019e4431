// The screens' search against the rand-by-rand search it stands for: the same outcome, the
// same searchAmount, every working value, the same boxes and the same engine record, bit for
// bit, over generated packages on both gross-up screens.

#include <gtest/gtest.h>

#include <vector>

#include "model/package/GrossUpComparison.h"

namespace revora {
namespace {

TEST(GrossUpSearch, AgreesWithTheRandByRandSearchOnGeneratedPackages)
{
    Picker pick(20160229);
    int done = 0, cut = 0, dropped = 0, refused = 0;
    for (int i = 0; i < 2400; ++i) {
        const Package p = Generate(pick);
        SCOPED_TRACE(i);
        const Calculation plain = RunWith(SalPackGrossUpReference, p);
        const Calculation fast = RunWith(SalPackGrossUp, p);
        ExpectSame(fast, plain);
        if (::testing::Test::HasFailure())
            return;
        if (plain.outcome != PackageOutcome::Done) {
            ++refused;
            continue;
        }
        ++done;
        if (plain.in.RADeduction < p.in.RADeduction) {
            ++cut;
            // Entered below the maximum of the first step, cut later as the maximum fell.
            dropped += p.settings.PensionCont > 0.0 && !p.in.RADirective
                && p.in.RADeduction <= 3500.0 / (p.screen == PackageKind::RevoraMonthly ? 12.0 : 1.0) - 0.1;
        }
    }
    // The generator reaches what it is meant to.
    EXPECT_GT(done, 1800);
    EXPECT_GT(cut, 300);
    EXPECT_GT(dropped, 40);
    EXPECT_GT(refused, 20);
}

// Large annual nets, a monthly one, and settings outside the range the bisection takes on
// (where the screens' search is the rand-by-rand one), including one that never pays enough.
TEST(GrossUpSearch, AgreesOnLargeNetsAndTheSettingsItLeavesToTheStepBySearch)
{
    std::vector<Package> packages;
    const auto annual = [](double net, PackageSettings s, double ra = 0.0) {
        return Package{PackageKind::RevoraAnnual,
                       {.Age = 40, .Amount = net, .EmployeeMedical = 12000, .EmployerMedical = 24000, .Members = 24,
                        .RADeduction = ra},
                       s};
    };
    packages.push_back(annual(250000, {.PensionCont = 7.5}, 3000));
    packages.push_back(annual(800000, {}, 5000));
    packages.push_back(annual(2000000, {.PensionCont = 7.5, .EmployerPenCont = 10}, 2000));
    packages.push_back(annual(2000000, {}, 400000));
    packages.push_back({PackageKind::RevoraMonthly, {.Age = 66, .Amount = 150000, .RADeduction = 250}, {.PensionCont = 10}});
    // 45 % + 5 % + 1 %: above the bisection's range, still solvable.
    packages.push_back(annual(20000, {.PensionCont = 45, .ProvCont = 5}, 3000));
    // A UIF rate of 60 %: walked up to the UIF ceiling (R 178 464 a year), bisected beyond it;
    // one answer lies below the ceiling, one above it, one on a low ceiling.
    packages.push_back(annual(20000, {.EmployeeUIF = 60}));
    packages.push_back(annual(300000, {.PensionCont = 7.5, .EmployeeUIF = 60}, 3000));
    packages.push_back(annual(150000, {.EmployeeUIF = 60, .UIFLimit = 1500}));
    // Funds that take half of every rand or more: leapt through, not bisected.
    packages.push_back(annual(20000, {.PensionCont = 55}));
    packages.push_back(annual(60000, {.PensionCont = 50, .ProvCont = 5}, 3000));
    packages.push_back({PackageKind::RevoraMonthly, {.Age = 70, .Amount = 9000, .RADeduction = 500, .RADirective = true},
                        {.PensionCont = 52.5, .EmployeeUIF = 2}});
    packages.push_back(annual(40000, {.ProvCont = 58}));
    // A UIF rate of 60 % with its ceiling beyond the search's last step: leapt through as well.
    packages.push_back(annual(30000, {.EmployeeUIF = 60, .UIFLimit = 1e9}));
    // 60 % + 40 %: no salary pays enough.
    packages.push_back(annual(3000, {.PensionCont = 60, .ProvCont = 40}));
    for (const Package& p : packages) {
        SCOPED_TRACE(p.in.Amount);
        ExpectSame(RunWith(SalPackGrossUp, p), RunWith(SalPackGrossUpReference, p));
    }
    EXPECT_EQ(RunWith(SalPackGrossUp, packages.back()).outcome, PackageOutcome::NoGrossSalary);
}

// Rates beyond a million percent ran the working values past what a double holds: at a
// pension of 5.49e303 % the tax overflowed up to R 40 765 a month and came back finite at
// R 40 766, which the rand-by-rand search took for an answer while the screens' search,
// leaping from the infinities, found none. Both now refuse such rates before searching.
TEST(GrossUpSearch, RatesBeyondAMillionPercentAreRefusedByBothSearches)
{
    const PackageInputs overflowed{.Age = 0, .Amount = 15000.01, .CarValue = 280, .TravelAllowance = 0.1,
                                   .EmployerMedical = 0.1, .Members = 261, .OtherFringeBenefits = 5,
                                   .MedicalDeduction = 5, .RADeduction = 261, .RADirective = true};
    const std::vector<Package> refused{
        {PackageKind::RevoraMonthly, overflowed,
         {.PensionCont = 5.4914815924300583e+303, .EmployerPenCont = 1, .ProvCont = 7.5, .EmployerProvCont = 8.5,
          .EmployeeUIF = 4.5823070209459952e-246, .TAIncRate8020 = 0.8, .CompCarFBRate8020 = 0.2,
          .CompCarMPYesNo = true}},
        {PackageKind::RevoraAnnual, {.Age = 40, .Amount = 20000}, {.PensionCont = 1'000'000.01}},
        {PackageKind::RevoraAnnual, {.Age = 40, .Amount = 20000}, {.ProvCont = 1e300}},
        {PackageKind::RevoraMonthly, {.Age = 40, .Amount = 20000}, {.EmployeeUIF = 2'000'000}},
    };
    for (const Package& p : refused) {
        SCOPED_TRACE(p.settings.PensionCont + p.settings.ProvCont + p.settings.EmployeeUIF);
        const Calculation fast = RunWith(SalPackGrossUp, p);
        EXPECT_EQ(fast.outcome, PackageOutcome::NoGrossSalary);
        ExpectSame(fast, RunWith(SalPackGrossUpReference, p));
    }
    // A million percent itself is still searched, with the same answer either way.
    const Package atTheLimit{PackageKind::RevoraAnnual, overflowed, {.PensionCont = 1'000'000}};
    ExpectSame(RunWith(SalPackGrossUp, atTheLimit), RunWith(SalPackGrossUpReference, atTheLimit));
}

// A UIF rate above half a rand once made the screens' search walk every rand up to the
// answer: R 1 000 000 000 a month at 125 % took minutes. Past the UIF ceiling the take-home
// pay rises steadily, so the search now walks only up to the ceiling.
TEST(GrossUpSearch, FindsALargeNetQuicklyWhenUifTakesMoreThanHalfBelowItsCeiling)
{
    PackageInputs in{.Age = 40, .Amount = 1'000'000'000};
    PackageResult result;
    TaxBracketResult record;
    EXPECT_EQ(SalPackGrossUp(PackageKind::RevoraMonthly, in, {.EmployeeUIF = 125}, result, record),
              PackageOutcome::Done);
    // Above the ceiling take-home = k - 14 872 x 1.25 - (TaxBeforeRebates(12 k) - 13 257) / 12
    // = 0.59 k - 10 906.42, first above R 1 000 000 000 at k = 1 694 933 740.
    EXPECT_EQ(result.SearchAmount, 1'694'933'740);
}

// Funds that take half of every rand or more once made the screens' search walk every rand:
// R 100 000 000 a month at a 55 % pension took minutes. It now leaps by how far each step
// falls short; the answer is the first step that pays more than the net.
TEST(GrossUpSearch, FindsALargeNetQuicklyWhenTheFundsTakeHalfOfEveryRand)
{
    const PackageSettings settings{.PensionCont = 55};
    PackageInputs in{.Age = 40, .Amount = 100'000'000};
    PackageResult result;
    TaxBracketResult record;
    ASSERT_EQ(SalPackGrossUp(PackageKind::RevoraMonthly, in, settings, result, record), PackageOutcome::Done);
    // Past every threshold take-home = k - 0.55 k - 148.72 UIF - (TaxBeforeRebates(12 x 0.45 k) - 13 257) / 12
    // = 0.2655 k + 7 534.86, first above R 100 000 000 at k = 376 619 455.
    EXPECT_EQ(result.SearchAmount, 376'619'455);
}

} // namespace
} // namespace revora
