#include "payroll/DailyPaye.h"

#include "payroll/PayeSteps.h"
#include "tax/TaxYearRules.h"

namespace revora {

PeriodicPayeResult DailyPayeCalculate(const PayeInputs& inputs, const PayeSettings& settings,
                                      TaxBracketResult& record) noexcept
{
    using namespace paye;
    constexpr double WorkingDays = 260.0;

    PeriodicPayeResult r;
    r.TaxableTravelAllowance = inputs.TravelAllowance * settings.TAIncRate8020;

    // (n x 270 x 12) / 260, or (6 480 + (n - 2) x 181 x 12) / 260: twelve times the monthly
    // credit, a whole number, divided once, as the printed tables have it.
    r.MedicalCredit = Contributes(inputs.EmployerMedical, inputs.EmployeeMedical)
        ? MedicalCreditPerMonth(inputs.Beneficiaries) * 12.0 / WorkingDays
        : 0.0;

    // The day's tax: neither annual tax is floored; only the sum is.
    const double annual = PeriodTaxable(inputs, r.TaxableTravelAllowance) * WorkingDays;
    const double withBonus = TaxBeforeRebatesFor(record, annual + inputs.Bonus);
    const double withoutBonus = TaxBeforeRebatesFor(record, annual);
    const double rebate = RebateForAge(inputs.Age);
    r.TaxLiability = AtLeastZero((withBonus - withoutBonus) + (withoutBonus - rebate) / WorkingDays);

    return FinishPeriod(r, inputs, settings, settings.UIFLimit * 12.0 / WorkingDays);
}

} // namespace revora
