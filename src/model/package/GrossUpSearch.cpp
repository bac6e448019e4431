// The gross-up: the smallest whole-rand searchAmount whose take-home pay exceeds the net
// salary required, found one rand at a time (the reference) or by bisection over the same
// step, or by leaps where bisection cannot be relied on (the screens' search), with identical
// results.

#include <cmath>
#include <cstdint>

#include "package/PackageSteps.h"

namespace revora {
namespace {

using namespace package;

// A search beyond R 2^40 (about R 1.1 million million) is refused: the counter and every
// amount stay exact to far below a cent, and no amount that large is a salary.
constexpr std::int64_t MostSearchSteps = std::int64_t{1} << 40;

// A fund or UIF rate beyond 1 000 000 % is no fund's and no UIF's, and across the search's
// range it carries the working values past what a double holds, where they stop meaning
// anything: an overflowed tax can come back finite a rand later and pass for an answer. Such
// rates are refused before either search, like any other search that cannot end.
constexpr double MostSearchRate = 1'000'000.0;

// In a year of one deduction the employer's rates are taxed as well, and bounded alike.
bool RatesWithinReach(const PackageSettings& s, const TaxYear& year) noexcept
{
    if (OneDeductionYear(year)
        && !(std::fabs(s.EmployerPenCont) <= MostSearchRate && std::fabs(s.EmployerProvCont) <= MostSearchRate))
        return false;
    return std::fabs(s.PensionCont) <= MostSearchRate && std::fabs(s.ProvCont) <= MostSearchRate
        && std::fabs(s.EmployeeUIF) <= MostSearchRate;
}

// What stays fixed while searchAmount k moves.
struct Search {
    const PackageInputs& in; // after the fixed blocks cleared what they clear
    const PackageSettings& s;
    const TaxYear& year;
    PeriodRules rules;
    double carBenefit;
    double rebate;
    double credits;           // medicalCredit + additionalMedicalCredit
    double taxableTravel;     // travel allowance x inclusion rate
    double otherDeductions;   // the other-deductions total
    double nonRetirementBase; // car benefit + travel + other fringe benefits + other deductions
    bool anyFund;
    bool oneDeduction; // the year's retirement rule (SalaryPackage.h)
    bool bisectable;   // the separate limits on a table TakeHomeRisesSteadily holds for
};

// Whether the bisection's premise holds for the year's table: every bracket's base continues
// from the one below to a thousandth of a rand (a published base rounded to the rand makes the
// tax jump at the bracket's floor, and take-home pay fall there), and no rate is above 41 %.
// Other years are leapt through (FirstPayingByLeaps), which needs no such premise.
bool TableBisectable(const TaxYear& year) noexcept
{
    const std::vector<TaxYearBracket>& b = year.Brackets;
    for (std::size_t i = 0; i < b.size(); ++i) {
        if (b[i].Rate > 0.41)
            return false;
        if (i > 0 && std::fabs(b[i - 1].Base + b[i - 1].Rate * (b[i].Over - b[i - 1].Over) - b[i].Base) > 0.001)
            return false;
    }
    return true;
}

// The figures of step k that no working value holds; the working of the step found is recorded
// from them. The search's trials keep none: their code is made apart (Keep false), as it was
// before any figure was kept, since the search runs it dozens or millions of times.
struct StepFigures {
    double fundBase = 0.0;
    double maximum = 0.0; // the most R/A allowed
    double taxable = 0.0;
    double remunerationBase = 0.0;
    double takeHome = 0.0;
    double taxableBefore = 0.0; // one deduction: before it, with the employer's contributions
    double remuneration = 0.0;  // one deduction: the remuneration base with them
};

// The remuneration base of step k, for UIF and SDL:
//   car + k + taxable travel + other f/benefits + other deductions + employer's + employee's
//   medical - credits
inline double RemunerationAt(const Search& s, double k) noexcept
{
    const PackageInputs& in = s.in;
    return s.carBenefit + k + s.taxableTravel + in.OtherFringeBenefits + s.otherDeductions + in.EmployerMedical
        + in.EmployeeMedical - s.credits;
}

// The taxable income of step k before any retirement deduction (the employer's contributions,
// a fringe benefit in a year of one deduction, are the caller's to add):
//   car + k + taxable travel + other f/benefits + other deductions - medical deduction
//   + employee's + employer's medical - credits
inline double TaxableBeforeAt(const Search& s, double k) noexcept
{
    const PackageInputs& in = s.in;
    return s.carBenefit + k + s.taxableTravel + in.OtherFringeBenefits + s.otherDeductions - in.MedicalDeduction
        + in.EmployeeMedical + in.EmployerMedical - s.credits;
}

// The first half of step k: the fund contributions on
//   retirementFundBase = k - credits + employee's medical contributions,
// the three R/A limits (C = 0.15 x (nonRetirementBase, + k when no fund percentage is above
// 0)), and their maximum, returned.
// In a year of one deduction, the contributions on the same base, the one deduction's limit and
// funds' part, and the room it leaves for the R/A, returned.
template <bool Keep = false>
double LimitsAt(const Search& s, double k, PackageResult& r, StepFigures* f = nullptr) noexcept
{
    const double fundBase = k - s.credits + s.in.EmployeeMedical;
    FundContributions(fundBase, s.s, true, r);
    if (s.oneDeduction) {
        const double benefit = r.EmployerPension + r.EmployerProvident;
        const double remuneration = RemunerationAt(s, k) + benefit;
        const double before = TaxableBeforeAt(s, k) + benefit;
        const double room = OneDeductionRoom(remuneration, before, s.year, s.rules, r);
        if constexpr (Keep) {
            f->fundBase = fundBase;
            f->maximum = room;
            f->taxableBefore = before;
            f->remuneration = remuneration;
        }
        return room;
    }
    r.RALimitA = RALimitA(r.EmployeePension, s.rules);
    r.RALimitB = RALimitB(s.rules);
    r.NonRetirementIncome = s.anyFund ? s.nonRetirementBase : s.nonRetirementBase + k;
    r.RALimitC = RALimitC(r.NonRetirementIncome);
    const double maximum = RAMaximum(r.RALimitA, r.RALimitB, r.RALimitC);
    if constexpr (Keep) {
        f->fundBase = fundBase;
        f->maximum = maximum;
    }
    return maximum;
}

// The rest of step k with the allowed R/A decided:
//   taxable  = car + k + taxable travel + other f/benefits + other deductions - pension
//              - allowed R/A - medical deduction + employee's + employer's medical - credits
//   base     = car + k + taxable travel + other f/benefits + other deductions
//              + employer's + employee's medical - credits          (UIF and SDL)
//   take-home = k + travel - pension - medical deduction - tax due - employee UIF - provident
// In a year of one deduction the taxable income is instead
//   taxable before + employer's pension and provident - funds deducted - allowed R/A.
// Returns the take-home pay.
template <bool Keep = false>
double FinishStep(const Search& s, double k, double allowed, PackageResult& r, TaxBracketResult& record,
                  StepFigures* f = nullptr) noexcept
{
    const PackageInputs& in = s.in;
    r.SearchAmount = k;
    r.RAAllowed = allowed;
    const double taxable = s.oneDeduction
        ? TaxableBeforeAt(s, k) + (r.EmployerPension + r.EmployerProvident) - r.FundDeduction - allowed
        : s.carBenefit + k + s.taxableTravel + in.OtherFringeBenefits + s.otherDeductions - r.EmployeePension
            - allowed - in.MedicalDeduction + in.EmployeeMedical + in.EmployerMedical - s.credits;
    r.TaxDue = TaxDue(taxable, s.rebate, s.rules, s.year, record);
    const double base = s.carBenefit + k + s.taxableTravel + in.OtherFringeBenefits + s.otherDeductions
        + in.EmployerMedical + in.EmployeeMedical - s.credits;
    UifAndSdl(base, s.s, s.rules, r);
    const double takeHome = k + in.TravelAllowance - r.EmployeePension - in.MedicalDeduction - r.TaxDue
        - r.EmployeeUIF - r.EmployeeProvident;
    if constexpr (Keep) {
        f->taxable = taxable;
        f->remunerationBase = base;
        f->takeHome = takeHome;
    }
    return takeHome;
}

// Where a search settled: the figures of the step found, and the take-home pay of the step
// below it (the search's first step has none).
struct Settled {
    StepFigures at;
    double takeHomeBelow = 0.0;
};

// The last step either search may take: 1 000 000 + 20 x every amount that can move the
// answer. Take-home pay that rises by so little per rand that this is not enough is pay the
// settings eat; 0 refuses the search.
std::int64_t LastStep(const Search& s) noexcept
{
    const PackageInputs& in = s.in;
    const double amounts = std::fabs(in.Amount) + std::fabs(s.carBenefit) + std::fabs(in.TravelAllowance)
        + std::fabs(in.OtherFringeBenefits) + std::fabs(s.otherDeductions) + std::fabs(in.EmployeeMedical)
        + std::fabs(in.EmployerMedical) + std::fabs(in.MedicalDeduction) + std::fabs(in.RADeduction);
    const double last = std::floor(1'000'000.0 + 20.0 * amounts);
    if (!(last <= static_cast<double>(MostSearchSteps))) // also a NaN
        return 0;
    return static_cast<std::int64_t>(last);
}

// One rand at a time from R 1; under separate limits the allowed R/A carries over from step to
// step (in a year of one deduction each step starts again from the amount entered). With `explain`
// the step found is evaluated once more, as it was, for its figures.
bool StepByStep(const Search& s, std::int64_t last, PackageResult& r, TaxBracketResult& record, Settled& settled,
                bool explain) noexcept
{
    const double entered = s.in.RADeduction;
    double allowed = entered;
    double takeHomeBelow = 0.0;
    for (std::int64_t step = 1; step <= last; ++step) {
        const double k = static_cast<double>(step);
        allowed = AllowedRA(s.in.RADirective, entered, LimitsAt(s, k, r), s.oneDeduction ? entered : allowed);
        const double takeHome = FinishStep(s, k, allowed, r, record);
        if (takeHome > s.in.Amount) {
            if (explain) {
                LimitsAt<true>(s, k, r, &settled.at);
                FinishStep<true>(s, k, allowed, r, record, &settled.at);
                settled.takeHomeBelow = takeHomeBelow;
            }
            return true;
        }
        takeHomeBelow = takeHome;
    }
    return false;
}

// The first step in [from, to] at which `holds` is true, for a `holds` that is false up to a
// point and true from it on; to + 1 when it never holds.
template <typename Predicate>
std::int64_t FirstHolding(std::int64_t from, std::int64_t to, Predicate holds) noexcept
{
    if (from > to || !holds(to))
        return to + 1;
    while (from < to) {
        const std::int64_t mid = from + (to - from) / 2;
        if (holds(mid))
            to = mid;
        else
            from = mid + 1;
    }
    return from;
}

// Take-home pay rises by at least 1 - (pension + provident + UIF rates) - 0.41 per rand: the
// taxable income rises by at most a rand per rand, also where the allowed R/A is cut (it then
// falls by no more than the maximum fell in that step, which is the pension's share of the
// rand). Below half a rand taken by the three rates it rises by 0.09 or more, far above any
// rounding, so "pays more than the net" turns true once and stays true: it can be bisected.
bool TakeHomeRisesSteadily(const PackageSettings& s) noexcept
{
    return AtLeastZero(s.PensionCont) + AtLeastZero(s.ProvCont) + AtLeastZero(s.EmployeeUIF) < 50.0;
}

// The most take-home pay can rise from one rand to the next. Per rand the salary adds a rand,
// the fund contributions and UIF move by their rates, the allowed R/A by at most the pension's
// rate + 15 %, so the taxable income by at most 1.15 + twice the pension's rate, and the tax by
// 41 % of that. Every rate is taken as its size, so negative ones are covered too; the bound is
// rounded up generously, as it only has to be no smaller than the truth.
//
// In a year of one deduction the employer's contributions are taxed too, so the taxable income
// before the deduction moves by up to 1 + e per rand (e the employer's two rates), the limit by
// up to that (its rate is at most 1), the funds' part and the room for the R/A by up to that
// and the four rates f together; the taxable income so by at most 3 + 3e + 2f <= 3 + 5f. The
// tax moves by the top rate (at most 1) of that, and by up to half a rand more where a
// bracket's published base is rounded; the take-home pay adds the rand, the employee's rates
// and UIF. 6 + 6 x (every rate) covers it all.
double MostRisePerRand(const Search& search) noexcept
{
    const PackageSettings& s = search.s;
    if (search.oneDeduction)
        return 6.0
            + 6.0
            * (std::fabs(s.PensionCont) + std::fabs(s.ProvCont) + std::fabs(s.EmployerPenCont)
               + std::fabs(s.EmployerProvCont) + std::fabs(s.EmployeeUIF))
            / 100.0;
    // A table leapt through for a rounded base or a rate above 41 %: with a rate up to 1 the tax
    // moves by up to 1.15 + twice the pension's rate, and half a rand more at a rounded base.
    const double factor = search.bisectable ? 2.0 : 3.0;
    return factor + factor * (std::fabs(s.PensionCont) + std::fabs(s.ProvCont) + std::fabs(s.EmployeeUIF)) / 100.0;
}

// The step-by-step answer for take-home pay that need not rise steadily: every step is still
// judged exactly, but a step short of the net salary by D rand can reach it no sooner than
// D / MostRisePerRand steps on, so the walk leaps there. Far from the answer the leaps are long;
// near it they shrink to single rands.
template <typename Evaluate>
std::int64_t FirstPayingByLeaps(const Search& s, std::int64_t last, Evaluate evaluate) noexcept
{
    const double bound = MostRisePerRand(s);
    std::int64_t step = 1;
    while (step <= last) {
        const double shortBy = s.in.Amount - evaluate(step);
        if (shortBy < 0.0)
            return step;
        // A take-home pay that is not a number leaps one step, as the rand-by-rand walk does.
        const double leap = shortBy >= 0.0 ? std::floor(shortBy / bound) + 1.0 : 1.0;
        if (!(leap <= static_cast<double>(last - step)))
            return last + 1;
        step += static_cast<std::int64_t>(leap);
    }
    return last + 1;
}

// The step-by-step answer without walking every step. Without a directive the only value
// carried between steps is the allowed R/A, and "entered > maximum(k)" turns over at most once:
// - with an employee pension, limit A falls as k rises and C is fixed, so the maximum falls:
//   the entered amount stands until the first cut, and every step from it on is cut;
// - with no fund percentage, C rises with k and A and B are fixed, so the maximum rises:
//   steps are cut up to the last cut and keep that cut's maximum after it;
// - otherwise the maximum is fixed and every step is cut or none is.
// Only the second case keeps a value other than the entered amount, so with that one value
// known the allowed R/A of any step follows from the step alone.
// In a year of one deduction nothing carries over, but the limit, the funds and the employer's
// fringe benefit move the taxable income by more than a rand per rand, and the room for the
// R/A rises and then falls: the search leaps (FirstPayingByLeaps), which needs only a bound on
// how fast take-home pay can rise. So it does on a table with a rounded base or a rate above
// 41 % (TableBisectable).
// With `explain`, the step below the one found is evaluated once more for its take-home pay.
bool Bisection(const Search& s, std::int64_t last, PackageResult& r, TaxBracketResult& record, Settled& settled,
               bool explain) noexcept
{
    const double entered = s.in.RADeduction;
    const bool directive = s.in.RADirective;
    PackageResult scratch = r;

    // The value a step keeps when it is not cut.
    double held = entered;
    if (!directive && !s.anyFund && !s.oneDeduction) {
        const auto uncut = [&](std::int64_t step) {
            return !(entered > LimitsAt(s, static_cast<double>(step), scratch));
        };
        const std::int64_t lastCut = FirstHolding(1, last, uncut) - 1;
        if (lastCut > 0)
            held = LimitsAt(s, static_cast<double>(lastCut), scratch);
    }

    const auto evaluate = [&](std::int64_t step, PackageResult& into) {
        const double k = static_cast<double>(step);
        const double allowed = AllowedRA(directive, entered, LimitsAt(s, k, into), held);
        return FinishStep(s, k, allowed, into, record);
    };
    const auto pays = [&](std::int64_t step) { return evaluate(step, scratch) > s.in.Amount; };

    std::int64_t found = 1;
    if (!s.bisectable) {
        found = FirstPayingByLeaps(s, last, [&](std::int64_t step) { return evaluate(step, scratch); });
    } else if (TakeHomeRisesSteadily(s.s)) {
        found = FirstHolding(1, last, pays);
    } else if (AtLeastZero(s.s.PensionCont) + AtLeastZero(s.s.ProvCont) < 50.0) {
        // Past the UIF ceiling the employee's UIF stops growing and the take-home pay rises
        // steadily again: the steps up to two past the one whose base reaches the ceiling
        // (clear of any rounding there) are walked, the rest bisected.
        const double ceiling = s.rules.MonthsInPeriod * s.s.UIFLimit;
        const double baseWithoutSalary = s.carBenefit + s.taxableTravel + s.in.OtherFringeBenefits
            + s.otherDeductions + s.in.EmployerMedical + s.in.EmployeeMedical - s.credits;
        const double past = std::ceil(ceiling - baseWithoutSalary) + 2.0;
        if (past < static_cast<double>(last)) {
            const std::int64_t firstSteady = past < 1.0 ? 1 : static_cast<std::int64_t>(past);
            while (found < firstSteady && !pays(found))
                ++found;
            if (found == firstSteady)
                found = FirstHolding(firstSteady, last, pays);
        } else {
            found = FirstPayingByLeaps(s, last, [&](std::int64_t step) { return evaluate(step, scratch); });
        }
    } else {
        // Funds that take half of every rand or more: once a very large net salary took
        // minutes to walk to, rand by rand.
        found = FirstPayingByLeaps(s, last, [&](std::int64_t step) { return evaluate(step, scratch); });
    }
    if (found > last)
        return false;
    if (explain && found > 1)
        settled.takeHomeBelow = evaluate(found - 1, scratch);
    // Evaluated last, so the engine's record too ends as the step-by-step search leaves it.
    const double k = static_cast<double>(found);
    const double allowed = AllowedRA(directive, entered, LimitsAt<true>(s, k, r, &settled.at), held);
    FinishStep<true>(s, k, allowed, r, record, &settled.at);
    return true;
}

// A search: true when it found a step, whose working values are then in the result and whose
// figures are in `settled` when `explain` asks for them, with the take-home pay of the step below.
using Finder
    = bool (*)(const Search&, std::int64_t, PackageResult&, TaxBracketResult&, Settled&, bool explain) noexcept;

// The separate limits A, B and C, the R/A they allow and the taxable income they leave.
DeductionSteps RecordSeparateLimits(Working& w, const Search& s, const Settled& settled, const PackageResult& r,
                                    int salary, FundSteps funds, WorkedFigure car, WorkedFigure credits,
                                    WorkedFigure taxableTravel, WorkedFigure otherDeductions)
{
    const PackageInputs& in = s.in;
    const StepFigures& f = settled.at;
    int maximum = 0;
    if (RALimitsDecide(in, r.RAAllowed)) {
        SignedSum income;
        income.Plus(car).Plus(Amount(in.TravelAllowance)).Plus(Amount(in.OtherFringeBenefits)).Plus(otherDeductions);
        if (!s.anyFund)
            income.Plus(w.Step(salary));
        const int incomeStep
            = income.Record(w, {"Non-retirement-funding income"},
                            s.anyFund ? Phrase{}
                                      : Phrase{"Non-retirement-funding income, with the salary as no fund is "
                                               "paid into"},
                            r.NonRetirementIncome);
        maximum = RecordRALimits(w, s.rules, funds.pension, incomeStep, r, f.maximum);
    }
    const int allowed = RecordRAAllowed(w, in, r.RAAllowed, maximum);
    const WorkedFigure pension = StepOr(w, funds.pension, r.EmployeePension);
    const WorkedFigure allowedFigure = StepOr(w, allowed, r.RAAllowed);
    const int taxable = SignedSum()
                            .Plus(w.Step(salary))
                            .Plus(car)
                            .Plus(taxableTravel)
                            .Plus(Amount(in.OtherFringeBenefits))
                            .Plus(otherDeductions)
                            .Plus(Amount(in.EmployeeMedical))
                            .Plus(Amount(in.EmployerMedical))
                            .Minus(pension)
                            .Minus(allowedFigure)
                            .Minus(Amount(in.MedicalDeduction))
                            .Minus(credits)
                            .Record(w, {"Taxable income"}, {}, f.taxable);
    return {taxable, allowed};
}

// The working of the search's answer: the fixed blocks, which salary was found and that the
// rand below it does not pay enough, then the evaluation of that salary as it ran, down to its
// take-home pay. Returns what the figures worked from the boxes take from it.
Explaining RecordSearch(Working& w, const Search& s, const Settled& settled, const PackageResult& r,
                        const TaxBracketResult& engine)
{
    const PackageInputs& in = s.in;
    const StepFigures& f = settled.at;
    const FixedSteps fixed = RecordFixedBlocks(w, s.rules, in, s.s, s.year, r, s.taxableTravel, true);
    const double k = r.SearchAmount;
    const int salary = k > 1.0
        ? w.Add({"Salary searched for"},
                {"Salary searched for, the first whole rand whose take-home pay (R {1}) is above the net required "
                 "(R {2}); R {3} gives R {4}"},
                {Amount(f.takeHome), Amount(in.Amount), Amount(k - 1.0), Amount(settled.takeHomeBelow)}, k)
        : w.Add({"Salary searched for"},
                {"Salary searched for, the search's first rand, whose take-home pay (R {1}) is above the net required "
                 "(R {2})"},
                {Amount(f.takeHome), Amount(in.Amount)}, k);
    const WorkedFigure car = StepOr(w, fixed.car, s.carBenefit);
    const WorkedFigure credits = StepOr(w, fixed.credits, s.credits);
    const WorkedFigure taxableTravel = StepOr(w, fixed.taxableTravel, s.taxableTravel);
    const WorkedFigure otherDeductions = StepOr(w, fixed.otherDeductions, s.otherDeductions);

    FundSteps funds;
    if (AnyContribution(r)) {
        const int base = SignedSum()
                             .Plus(w.Step(salary))
                             .Plus(Amount(in.EmployeeMedical))
                             .Minus(credits)
                             .Record(w, {"Retirement-fund base"}, {}, f.fundBase);
        funds = RecordFunds(w, base, s.s, r);
    }
    DeductionSteps deduction;
    if (s.oneDeduction) {
        const int before = SignedSum()
                               .Plus(w.Step(salary))
                               .Plus(car)
                               .Plus(taxableTravel)
                               .Plus(Amount(in.OtherFringeBenefits))
                               .Plus(otherDeductions)
                               .Plus(Amount(in.EmployeeMedical))
                               .Plus(Amount(in.EmployerMedical))
                               .Plus(Amount(r.EmployerPension))
                               .Plus(Amount(r.EmployerProvident))
                               .Minus(Amount(in.MedicalDeduction))
                               .Minus(credits)
                               .Record(w, {"Taxable income before the retirement deduction"}, {}, f.taxableBefore);
        deduction = RecordOneDeduction(w, s.rules, s.year, in, r, before, f.remuneration, f.taxableBefore, f.taxable);
    } else {
        deduction = RecordSeparateLimits(w, s, settled, r, salary, funds, car, credits, taxableTravel, otherDeductions);
    }
    const int taxable = deduction.taxable;
    const WorkedFigure pension = StepOr(w, funds.pension, r.EmployeePension);
    const WorkedFigure allowedFigure = StepOr(w, deduction.allowed, r.RAAllowed);
    const int taxDue = RecordTaxDue(w, s.rules, taxable, fixed.rebate, engine, r.TaxDue);
    int uif = 0;
    if (r.EmployeeUIF != 0.0 || r.EmployerUIF != 0.0 || r.SDL != 0.0) {
        const int base = SignedSum()
                             .Plus(w.Step(salary))
                             .Plus(car)
                             .Plus(taxableTravel)
                             .Plus(Amount(in.OtherFringeBenefits))
                             .Plus(otherDeductions)
                             .Plus(Amount(in.EmployerMedical))
                             .Plus(Amount(in.EmployeeMedical))
                             .Minus(credits)
                             .Record(w, {"Remuneration base"}, {"Remuneration base, for UIF and the skills levy"},
                                     f.remunerationBase);
        uif = RecordUifAndSdl(w, s.rules, s.s, base, pension, allowedFigure, r);
    }
    SignedSum()
        .Plus(w.Step(salary))
        .Plus(Amount(in.TravelAllowance))
        .Minus(pension)
        .Minus(Amount(in.MedicalDeduction))
        .Minus(w.Step(taxDue))
        .Minus(StepOr(w, uif, r.EmployeeUIF))
        .Minus(StepOr(w, funds.provident, r.EmployeeProvident))
        .Record(w, {"Take-home pay"}, {}, f.takeHome);
    return {&w, taxDue, fixed.credits};
}

// The routine around either search: the two refusals, the fixed blocks, the search, and the
// figures worked from the boxes. Inputs, working values and the engine's record change only
// when a gross salary is found.
PackageOutcome GrossUp(PackageKind kind, PackageInputs& inputs, const PackageSettings& settings, const TaxYear& year,
                       PackageResult& result, TaxBracketResult& record, Finder find, Working* working)
{
    result.AdditionalMedicalCredit = 0.0;
    const auto refuse = [&](PackageOutcome outcome) { return Refused(kind, inputs, result, outcome); };
    if (inputs.Amount == 0.0)
        return refuse(PackageOutcome::NoAmount);
    if (inputs.TravelAllowance + inputs.OtherFringeBenefits + inputs.OtherDeductionsTotal() - inputs.RADeduction
        > inputs.Amount)
        return refuse(PackageOutcome::FringeBenefitsTooLarge);
    if (!AllFinite(inputs, settings) || !RatesWithinReach(settings, year))
        return refuse(PackageOutcome::NoGrossSalary);

    PackageInputs in = inputs;
    PackageResult work = result;
    TaxBracketResult engine = record;
    work.SearchAmount = 0.0;
    const PeriodRules rules = RulesFor(kind);
    FixedBlocks(in, settings, year, rules, work);
    const double otherDeductions = in.OtherDeductionsTotal();
    const double taxableTravel = in.TravelAllowance * settings.TAIncRate8020;
    const Search search{in,
                        settings,
                        year,
                        rules,
                        work.CompanyCarBenefit,
                        work.Rebate,
                        work.MedicalCredit + work.AdditionalMedicalCredit,
                        taxableTravel,
                        otherDeductions,
                        work.CompanyCarBenefit + in.TravelAllowance + in.OtherFringeBenefits + otherDeductions,
                        AnyFund(settings),
                        OneDeductionYear(year),
                        !OneDeductionYear(year) && TableBisectable(year)};
    if (!AllFinite(work))
        return refuse(PackageOutcome::NoGrossSalary);
    const std::int64_t last = LastStep(search);
    if (last == 0)
        return refuse(PackageOutcome::AmountTooLarge);
    Settled settled;
    if (!find(search, last, work, engine, settled, working != nullptr) || !AllFinite(work))
        return refuse(PackageOutcome::NoGrossSalary);

    Explaining explaining;
    if (working)
        explaining = RecordSearch(*working, search, settled, work, engine);
    return Finished(kind, inputs, result, record, in, work, engine, explaining);
}

} // namespace

PackageOutcome SalPackGrossUpReference(PackageKind kind, PackageInputs& inputs, const PackageSettings& settings,
                                       PackageResult& result, TaxBracketResult& record, Working* working)
{
    return GrossUp(kind, inputs, settings, TaxYear2016(), result, record, StepByStep, working);
}

PackageOutcome SalPackGrossUp(PackageKind kind, PackageInputs& inputs, const PackageSettings& settings,
                              PackageResult& result, TaxBracketResult& record, Working* working)
{
    return GrossUp(kind, inputs, settings, TaxYear2016(), result, record, Bisection, working);
}

PackageOutcome SalPackGrossUpReferenceInYear(PackageKind kind, PackageInputs& inputs,
                                             const PackageSettings& settings, const TaxYear& year,
                                             PackageResult& result, TaxBracketResult& record, Working* working)
{
    return GrossUp(kind, inputs, settings, year, result, record, StepByStep, working);
}

PackageOutcome SalPackGrossUpInYear(PackageKind kind, PackageInputs& inputs, const PackageSettings& settings,
                                    const TaxYear& year, PackageResult& result, TaxBracketResult& record,
                                    Working* working)
{
    return GrossUp(kind, inputs, settings, year, result, record, Bisection, working);
}

} // namespace revora
