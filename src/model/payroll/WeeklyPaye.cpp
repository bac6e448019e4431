#include "payroll/WeeklyPaye.h"

#include "payroll/PayeSteps.h"
#include "tax/TaxYearRules.h"

namespace revora {
namespace {

constexpr WeekKindRules WeeklyRules{
    52, 4, 7, "The number of 'Normal work-week' days must be = to or larger than 'This work-week'.",
    "The number of days in a work week can be at most 7."};
constexpr WeekKindRules FortnightlyRules{
    26, 2, 14, "The number of 'Normal fortnight' days must be = to or larger than 'This fortnight'.",
    "The number of days in a fortnight can be at most 14."};

} // namespace

const WeekKindRules& RulesFor(WeekKind kind) noexcept
{
    return kind == WeekKind::Fortnightly ? FortnightlyRules : WeeklyRules;
}

std::optional<PayeRefusal> CheckWeekPeriod(WeekKind kind, const WeekPeriod& period)
{
    if (period.ThisDays > period.NormalDays)
        return PayeRefusal{IncorrectNumberOfDays, RulesFor(kind).TooManyDaysMessage, PayeFocus::Calculate};
    // A week has 7 days and a fortnight 14: more would gross the pay up past the period.
    if (period.NormalDays > RulesFor(kind).DefaultDays)
        return PayeRefusal{IncorrectNumberOfDays, RulesFor(kind).DaysBeyondPeriodMessage, PayeFocus::NormalDays};
    // A day count of 0 would divide by zero in the gross-up.
    constexpr const char* TooFewDays = "The number of days must be 1 or more.";
    if (period.NormalDays < 1)
        return PayeRefusal{IncorrectNumberOfDays, TooFewDays, PayeFocus::NormalDays};
    if (period.ThisDays < 1)
        return PayeRefusal{IncorrectNumberOfDays, TooFewDays, PayeFocus::ThisDays};
    return std::nullopt;
}

PeriodicPayeResult WeekPayeCalculate(WeekKind kind, const PayeInputs& inputs, const PayeSettings& settings,
                                     const WeekPeriod& period, TaxBracketResult& record) noexcept
{
    using namespace paye;
    // Only without the period check: no ratio of days to gross up by, all zeros.
    if (period.NormalDays < 1 || period.ThisDays < 1)
        return {};
    const WeekKindRules& rules = RulesFor(kind);
    const double periods = rules.PeriodsPerYear;
    const double normalDays = period.NormalDays;
    const double thisDays = period.ThisDays;

    PeriodicPayeResult r;
    r.TaxableTravelAllowance = inputs.TravelAllowance * settings.TAIncRate8020;

    // The monthly credit over 4 (weekly) or 2 (fortnightly); both divisions are exact.
    r.MedicalCredit = Contributes(inputs.EmployerMedical, inputs.EmployeeMedical)
        ? MedicalCreditPerMonth(inputs.Beneficiaries) / rules.CreditDivisor
        : 0.0;

    // The period's tax: neither annual tax is floored; the rebate comes off the regular part,
    // which may be negative and is set off against the tax on the bonus.
    const double taxable = PeriodTaxable(inputs, r.TaxableTravelAllowance);
    const double annual = taxable * (periods * (normalDays / thisDays));
    const double withBonus = TaxBeforeRebatesFor(record, annual + inputs.Bonus);
    const double withoutBonus = TaxBeforeRebatesFor(record, annual);
    const double rebate = RebateForAge(inputs.Age);
    const double regular = ((withoutBonus - rebate) / periods) * thisDays / normalDays;
    r.TaxLiability = AtLeastZero((withBonus - withoutBonus) + regular);

    return FinishPeriod(r, inputs, settings, settings.UIFLimit * 12.0 / periods);
}

} // namespace revora
