// The forward package: from the total package the employer spends, one pass to the take-home
// pay and the total cost to company.

#include "package/PackageSteps.h"

namespace revora {

using namespace package;

namespace {

// The figures of the pass that no working value holds.
struct PassFigures {
    double fundBase;
    double maximum;
    double taxableTravel;
    double taxable;
    double remunerationBase;
    double taxableBefore = 0.0; // a year of one deduction: before it, with the employer's contributions
    double remuneration = 0.0;  // the same: the remuneration base with them
};

// The separate limits A, B and C, the R/A they allow and the taxable income they leave.
DeductionSteps RecordSeparateLimits(Working& w, const PeriodRules& rules, const PackageInputs& in,
                                    const PackageSettings& s, const PackageResult& r, const PassFigures& f,
                                    WorkedFigure package, WorkedFigure car, WorkedFigure taxableTravel,
                                    FundSteps funds)
{
    int maximum = 0;
    if (RALimitsDecide(in, r.RAAllowed)) {
        const int income = AnyFund(s)
            ? SignedSum()
                  .Plus(car)
                  .Plus(Amount(in.TravelAllowance))
                  .Plus(Amount(in.OtherFringeBenefits))
                  .Record(w, {"Non-retirement-funding income"}, {}, r.NonRetirementIncome)
            : w.Add({"Non-retirement-funding income"},
                    {"Non-retirement-funding income, the whole package as no fund is paid into"}, {},
                    r.NonRetirementIncome);
        maximum = RecordRALimits(w, rules, funds.pension, income, r, f.maximum);
    }
    const int allowed = RecordRAAllowed(w, in, r.RAAllowed, maximum);
    const int taxable = SignedSum()
                            .Plus(package)
                            .Plus(taxableTravel)
                            .Plus(car)
                            .Minus(Amount(in.TravelAllowance))
                            .Minus(StepOr(w, funds.pension, r.EmployeePension))
                            .Minus(StepOr(w, allowed, r.RAAllowed))
                            .Record(w, {"Taxable income"}, {}, f.taxable);
    return {taxable, allowed};
}

// The working of the pass, in its order, down to the tax due; returns what the figures worked
// from the boxes take from it.
Explaining RecordPass(Working& w, const PeriodRules& rules, const PackageInputs& in, const PackageSettings& s,
                      const TaxYear& year, const PackageResult& r, const TaxBracketResult& engine,
                      const PassFigures& f)
{
    const FixedSteps fixed = RecordFixedBlocks(w, rules, in, s, year, r, f.taxableTravel, false);
    const WorkedFigure package = Amount(in.Amount);
    const WorkedFigure car = StepOr(w, fixed.car, r.CompanyCarBenefit);
    FundSteps funds;
    if (AnyContribution(r)) {
        const int base = SignedSum()
                             .Plus(package)
                             .Minus(Amount(in.TravelAllowance))
                             .Minus(Amount(in.OtherFringeBenefits))
                             .Minus(Amount(in.EmployerMedical))
                             .Record(w, {"Retirement-fund base"}, {}, f.fundBase);
        funds = RecordFunds(w, base, s, r);
    }
    const WorkedFigure taxableTravel = StepOr(w, fixed.taxableTravel, f.taxableTravel);
    DeductionSteps deduction;
    if (OneDeductionYear(year)) {
        const int before = SignedSum()
                               .Plus(package)
                               .Plus(taxableTravel)
                               .Plus(car)
                               .Plus(Amount(r.EmployerPension))
                               .Plus(Amount(r.EmployerProvident))
                               .Minus(Amount(in.TravelAllowance))
                               .Record(w, {"Taxable income before the retirement deduction"}, {}, f.taxableBefore);
        deduction = RecordOneDeduction(w, rules, year, in, r, before, f.remuneration, f.taxableBefore, f.taxable);
    } else {
        deduction = RecordSeparateLimits(w, rules, in, s, r, f, package, car, taxableTravel, funds);
    }
    const int taxDue = RecordTaxDue(w, rules, deduction.taxable, fixed.rebate, engine, r.TaxDue);
    if (r.EmployeeUIF != 0.0 || r.EmployerUIF != 0.0 || r.SDL != 0.0) {
        const int base = SignedSum()
                             .Plus(package)
                             .Plus(taxableTravel)
                             .Plus(car)
                             .Minus(Amount(in.TravelAllowance))
                             .Record(w, {"Remuneration base"}, {"Remuneration base, for UIF and the skills levy"},
                                     f.remunerationBase);
        RecordUifAndSdl(w, rules, s, base, StepOr(w, funds.pension, r.EmployeePension),
                        StepOr(w, deduction.allowed, r.RAAllowed), r);
    }
    return {&w, taxDue, fixed.credits};
}

} // namespace

PackageOutcome SalPackForward(PackageKind kind, PackageInputs& inputs, const PackageSettings& settings,
                              PackageResult& result, TaxBracketResult& record, Working* working)
{
    return SalPackForwardInYear(kind, inputs, settings, TaxYear2016(), result, record, working);
}

PackageOutcome SalPackForwardInYear(PackageKind kind, PackageInputs& inputs, const PackageSettings& settings,
                                    const TaxYear& year, PackageResult& result, TaxBracketResult& record,
                                    Working* working)
{
    result.AdditionalMedicalCredit = 0.0;
    const auto refuse = [&] { return Refused(kind, inputs, result, PackageOutcome::NoAmount); };
    // An amount no box can show is no amount to work with.
    if (inputs.Amount == 0.0 || !AllFinite(inputs, settings))
        return refuse();

    PackageInputs in = inputs;
    PackageResult work = result;
    TaxBracketResult engine = record;
    const PeriodRules rules = RulesFor(kind);
    FixedBlocks(in, settings, year, rules, work);
    const double package = in.Amount;
    const double car = work.CompanyCarBenefit;
    PassFigures f;
    // The fund percentages apply to the package less what is not salary.
    f.fundBase = package - in.TravelAllowance - in.OtherFringeBenefits - in.EmployerMedical;
    FundContributions(f.fundBase, settings, false, work);
    f.taxableTravel = in.TravelAllowance * settings.TAIncRate8020;
    f.remunerationBase = package - in.TravelAllowance + f.taxableTravel + car;
    if (OneDeductionYear(year)) {
        // The employer's contributions are inside the package already, and a fringe benefit.
        const double benefit = work.EmployerPension + work.EmployerProvident;
        f.remuneration = f.remunerationBase + benefit;
        f.taxableBefore = package - in.TravelAllowance + f.taxableTravel + car + benefit;
        f.maximum = OneDeductionRoom(f.remuneration, f.taxableBefore, year, rules, work);
        work.RAAllowed = AllowedRA(in.RADirective, in.RADeduction, f.maximum, in.RADeduction);
        f.taxable = f.taxableBefore - work.FundDeduction - work.RAAllowed;
    } else {
        work.RALimitA = RALimitA(work.EmployeePension, rules);
        work.RALimitB = RALimitB(rules);
        work.NonRetirementIncome = AnyFund(settings) ? car + in.TravelAllowance + in.OtherFringeBenefits : package;
        work.RALimitC = RALimitC(work.NonRetirementIncome);
        // One pass: with no directive, the smaller of the entered amount and the maximum.
        f.maximum = RAMaximum(work.RALimitA, work.RALimitB, work.RALimitC);
        work.RAAllowed = AllowedRA(in.RADirective, in.RADeduction, f.maximum, in.RADeduction);
        // The employer's medical contributions are inside the package already; the credits only
        // reduce the tax deduction shown.
        f.taxable = package - in.TravelAllowance + f.taxableTravel + car - work.EmployeePension - work.RAAllowed;
    }
    work.TaxDue = TaxDue(f.taxable, work.Rebate, rules, year, engine);
    UifAndSdl(f.remunerationBase, settings, rules, work);
    if (!AllFinite(work))
        return refuse();

    Explaining explaining;
    if (working)
        explaining = RecordPass(*working, rules, in, settings, year, work, engine, f);
    return Finished(kind, inputs, result, record, in, work, engine, explaining);
}

} // namespace revora
