// The forward package: from the total package the employer spends, one pass to the take-home
// pay and the total cost to company.

#include "package/PackageSteps.h"

namespace revora {

using namespace package;

PackageOutcome SalPackForward(PackageKind kind, PackageInputs& inputs, const PackageSettings& settings,
                              PackageResult& result, TaxBracketResult& record) noexcept
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
    FixedBlocks(in, settings, rules, work);
    const double package = in.Amount;
    const double car = work.CompanyCarBenefit;
    // The fund percentages apply to the package less what is not salary.
    FundContributions(package - in.TravelAllowance - in.OtherFringeBenefits - in.EmployerMedical, settings, false,
                      work);
    work.RALimitA = RALimitA(work.EmployeePension, rules);
    work.RALimitB = RALimitB(rules);
    work.NonRetirementIncome = AnyFund(settings) ? car + in.TravelAllowance + in.OtherFringeBenefits : package;
    work.RALimitC = 0.15 * work.NonRetirementIncome;
    // One pass: with no directive, the smaller of the entered amount and the maximum.
    work.RAAllowed = AllowedRA(in.RADirective, in.RADeduction, RAMaximum(work.RALimitA, work.RALimitB, work.RALimitC),
                               in.RADeduction);
    // The employer's medical contributions are inside the package already; the credits only
    // reduce the tax deduction shown.
    const double taxableTravel = in.TravelAllowance * settings.TAIncRate8020;
    const double taxable =
        package - in.TravelAllowance + taxableTravel + car - work.EmployeePension - work.RAAllowed;
    work.TaxDue = TaxDue(taxable, work.Rebate, rules, engine);
    UifAndSdl(package - in.TravelAllowance + taxableTravel + car, settings, rules, work);
    if (!AllFinite(work))
        return refuse();

    return Finished(kind, inputs, result, record, in, work, engine);
}

} // namespace revora
