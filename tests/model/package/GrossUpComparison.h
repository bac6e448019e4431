#pragma once
// Generated gross-up packages, and the screens' search compared with the rand-by-rand one.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

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

// `routine` is called as SalPackGrossUp is.
template <typename Routine>
Calculation RunWith(Routine routine, const Package& p)
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
        &PackageResult::RetirementIncome, &PackageResult::RetirementLimit, &PackageResult::FundDeduction,
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

} // namespace
} // namespace revora
