// The screens' search against the rand-by-rand search it stands for: the same outcome, the
// same searchAmount, every working value, the same boxes and the same engine record, bit for
// bit, over generated packages on both gross-up screens.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "package/SalaryPackage.h"

namespace revora {
namespace {

struct Package {
    PackageKind screen;
    PackageInputs in;
    PackageSettings settings;
};

// A fixed sequence of picks that depends on no library distribution.
class Picker {
public:
    explicit Picker(std::uint32_t seed) : engine_(seed) {}
    // A whole number in [lo, hi].
    int Whole(int lo, int hi) { return lo + static_cast<int>(engine_() % static_cast<std::uint32_t>(hi - lo + 1)); }
    bool Chance(int percent) { return Whole(1, 100) <= percent; }
    template <typename T, std::size_t N>
    T OneOf(const T (&choices)[N])
    {
        return choices[Whole(0, static_cast<int>(N) - 1)];
    }

private:
    std::mt19937 engine_;
};

// An R/A amount below, at or above one of the limits, or between the maximum at the start of
// a search with a pension and the maximum later (which it is then cut to).
double RAAmount(Picker& pick, double perYear)
{
    const double annual[] = {0, 1000, 1749, 1750, 1751, 3000, 3200, 3499, 3500, 3501, 5000, 20000};
    const double amount = pick.Chance(70) ? pick.OneOf(annual) : pick.Whole(0, 8000);
    return amount / perYear;
}

Package Generate(Picker& pick)
{
    Package p;
    const bool monthly = pick.Chance(50);
    p.screen = monthly ? PackageKind::RevoraMonthly : PackageKind::RevoraAnnual;
    const double perYear = monthly ? 12.0 : 1.0;
    PackageSettings& s = p.settings;
    s.PensionCont = pick.Chance(40) ? pick.OneOf({5.0, 7.5, 15.0, 27.5}) : 0.0;
    s.EmployerPenCont = pick.Chance(30) ? 10.0 : 0.0;
    s.ProvCont = pick.Chance(25) ? pick.OneOf({2.5, 10.0, 20.0}) : 0.0;
    s.EmployerProvCont = pick.Chance(25) ? 5.0 : 0.0;
    s.EmployeeUIF = pick.OneOf({0.0, 1.0, 1.0, 2.0});
    s.EmployerUIF = pick.OneOf({0.0, 1.0});
    s.SkillLevy = pick.OneOf({0.0, 1.0});
    s.UIFLimit = pick.OneOf({14872.0, 14872.0, 1500.0});
    s.TAIncRate8020 = pick.OneOf({0.8, 0.2});
    s.CompCarFBRate8020 = pick.OneOf({0.8, 0.2});
    s.CompCarMPYesNo = pick.Chance(50);

    PackageInputs& in = p.in;
    in.Age = static_cast<std::int16_t>(pick.OneOf({30, 64, 65, 74, 75}));
    // Small enough that the rand-by-rand search stays quick; a third reach the taxed brackets.
    in.Amount = pick.Chance(65) ? pick.Whole(1, 6000) : pick.Whole(6000, monthly ? 30000 : 90000);
    if (pick.Chance(30))
        in.CarValue = pick.Whole(50, 400) * 1000.0;
    if (pick.Chance(20))
        in.CarCostToCompany = 500.0 / perYear;
    if (pick.Chance(30))
        in.TravelAllowance = pick.Whole(0, static_cast<int>(in.Amount / 2));
    if (pick.Chance(50))
        in.EmployeeMedical = pick.Whole(0, 24000) / perYear;
    if (pick.Chance(50))
        in.EmployerMedical = pick.Whole(0, 36000) / perYear;
    in.Members = monthly ? pick.OneOf({0, 1, 2, 3, 5}) : pick.OneOf({0, 12, 24, 25, 36});
    if (pick.Chance(20))
        in.OtherFringeBenefits = pick.Whole(0, 6000) / perYear;
    if (pick.Chance(30))
        in.MedicalDeduction = pick.Whole(0, 20000) / perYear;
    if (pick.Chance(25)) {
        in.Other[1].Amount = pick.Whole(0, 3000) / perYear;
        in.Other[3].Amount = pick.Whole(-500, 500) / perYear;
    }
    in.RADirective = pick.Chance(25);
    in.RADeduction = RAAmount(pick, perYear);
    return p;
}

// Working values a screen holds from an earlier calculation, so "left as they were" shows.
PackageResult Held()
{
    PackageResult r;
    r.EmployeePension = 11.11;
    r.TaxDue = 2222.22;
    r.MedicalCredit = 333.0;
    r.SearchAmount = 4444;
    return r;
}

struct Calculation {
    PackageOutcome outcome;
    PackageInputs in;
    PackageResult result;
    TaxBracketResult record;
    Working working;
};

Calculation RunWith(PackageOutcome (*routine)(PackageKind, PackageInputs&, const PackageSettings&, PackageResult&,
                                       TaxBracketResult&, Working*),
            const Package& p)
{
    Calculation run{PackageOutcome::Done, p.in, Held(), {}, {}};
    run.record.TaxableIncome = 5555;
    run.outcome = routine(p.screen, run.in, p.settings, run.result, run.record, &run.working);
    return run;
}

// Every field, exactly.
void ExpectSame(const Calculation& fast, const Calculation& plain)
{
    EXPECT_EQ(fast.outcome, plain.outcome);
    const PackageResult& f = fast.result;
    const PackageResult& r = plain.result;
    const double PackageResult::*fields[] = {
        &PackageResult::CompanyCarBenefit, &PackageResult::Rebate, &PackageResult::MedicalCredit,
        &PackageResult::AdditionalMedicalCredit, &PackageResult::EmployeePension, &PackageResult::EmployerPension,
        &PackageResult::EmployeeProvident, &PackageResult::EmployerProvident, &PackageResult::RALimitA,
        &PackageResult::RALimitB, &PackageResult::RALimitC, &PackageResult::NonRetirementIncome,
        &PackageResult::RAAllowed, &PackageResult::TaxDue, &PackageResult::EmployeeUIF, &PackageResult::EmployerUIF,
        &PackageResult::SDL, &PackageResult::SearchAmount, &PackageResult::TaxCredit, &PackageResult::TaxDeduction,
        &PackageResult::Salary, &PackageResult::TotalCostToCompany, &PackageResult::OnceOff,
    };
    for (std::size_t i = 0; i < std::size(fields); ++i)
        EXPECT_EQ(f.*fields[i], r.*fields[i]) << "result field " << i;
    EXPECT_EQ(f.CalcError, r.CalcError);
    EXPECT_EQ(fast.in.RADeduction, plain.in.RADeduction);
    EXPECT_EQ(fast.in.MedicalDeduction, plain.in.MedicalDeduction);
    EXPECT_EQ(fast.in.Members, plain.in.Members);
    const double TaxBracketResult::*engine[] = {
        &TaxBracketResult::TaxableIncome, &TaxBracketResult::MarginalRate, &TaxBracketResult::BracketFloor,
        &TaxBracketResult::BracketCeiling, &TaxBracketResult::PortionTax, &TaxBracketResult::BaseTax,
        &TaxBracketResult::TaxBeforeRebates,
    };
    for (std::size_t i = 0; i < std::size(engine); ++i)
        EXPECT_EQ(fast.record.*engine[i], plain.record.*engine[i]) << "engine field " << i;
    // The same working too, the rand below the one found included.
    ASSERT_EQ(fast.working.Steps().size(), plain.working.Steps().size());
    for (std::size_t i = 0; i < fast.working.Steps().size(); ++i)
        EXPECT_EQ(fast.working.Steps()[i].Text(), plain.working.Steps()[i].Text());
}

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
