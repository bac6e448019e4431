#include "payroll/DailyPaye.h"

#include <cmath>

#include "payroll/PayeSteps.h"
#include "payroll/PayeWorking.h"
#include "tax/TaxYearRules.h"

namespace revora {

namespace {

// A year's pay days: the day's pay is annualised over them.
constexpr double WorkingDays = 260.0;

constexpr paye::CreditRule DayCredit{
    {"Medical scheme fees credit, {1} on the scheme: a year's credit over 260 working days",
     "Mediese skemageldekrediet, {1} op die skema: 'n jaar se krediet oor 260 werksdae"},
    "{1} \u00d7 270 \u00d7 12 \u00f7 260", "(540 + ({1} \u2212 2) \u00d7 181) \u00d7 12 \u00f7 260"};

} // namespace

PeriodicPayeResult DailyPayeCalculate(const PayeInputs& inputs, const PayeSettings& settings,
                                      TaxBracketResult& record, Working* working)
{
    using namespace paye;

    PeriodicPayeResult r;
    r.TaxableTravelAllowance = inputs.TravelAllowance * settings.TAIncRate8020;

    // (n x 270 x 12) / 260, or (6 480 + (n - 2) x 181 x 12) / 260: twelve times the monthly
    // credit, a whole number, divided once, as the printed tables have it.
    r.MedicalCredit = Contributes(inputs.EmployerMedical, inputs.EmployeeMedical)
        ? MedicalCreditPerMonth(inputs.Beneficiaries) * 12.0 / WorkingDays
        : 0.0;

    // The day's tax: neither annual tax is floored; only the sum is.
    const double taxable = PeriodTaxable(inputs, r.TaxableTravelAllowance);
    const double annual = taxable * WorkingDays;
    const double withBonus = TaxBeforeRebatesFor(record, annual + inputs.Bonus);
    TaxBracketResult recordWith;
    if (working)
        recordWith = record;
    const double withoutBonus = TaxBeforeRebatesFor(record, annual);
    const double rebate = RebateForAge(inputs.Age);
    const double bonusTax = withBonus - withoutBonus;
    const double regular = (withoutBonus - rebate) / WorkingDays;
    r.TaxLiability = AtLeastZero(bonusTax + regular);

    PeriodLevies levies;
    const double dayLimit = settings.UIFLimit * 12.0 / WorkingDays;
    r = FinishPeriod(r, inputs, settings, dayLimit, std::isfinite(bonusTax), levies);
    if (!working)
        return r;

    Working w;
    const IncomeSteps income = RecordTaxableIncome(w, {"Taxable income of the day", "Belasbare inkomste vir die dag"},
                                                   inputs, settings.TAIncRate8020, r.TaxableTravelAllowance, taxable);
    const int annualStep = w.Add({"Annual equivalent", "Jaarlikse ekwivalent"},
                                 {"Annual equivalent of a day's pay, 260 working days a year",
                                  "Jaarlikse ekwivalent van 'n dag se besoldiging, 260 werksdae per jaar"},
                                 "{1} \u00d7 260", {w.Step(income.taxable)}, annual);
    const TableSteps table = RecordTableTaxes(w, annualStep, inputs.Bonus, recordWith, record);
    int bonusStep = 0;
    if (table.withBonus)
        bonusStep = w.Add({"Tax on the bonus", "Belasting op die bonus"}, {}, "{1} \u2212 {2}",
                          {w.Step(table.withBonus), w.Step(table.withoutBonus)}, bonusTax);
    const int rebateStep = RecordRebate(w, inputs.Age, rebate);
    const int regularStep =
        w.Add(RegularLabel(inputs.Bonus, regular, {"Regular tax of the day", "Gewone belasting vir die dag"}),
              {"Annual tax less the rebate, brought back to the day",
               "Jaarlikse belasting min die korting, teruggebring na die dag"},
              "({1} \u2212 {2}) \u00f7 260", {w.Step(table.withoutBonus), w.Step(rebateStep)}, regular);
    const int liability = RecordLiability(w, bonusStep, regularStep, regular, r.TaxLiability);
    RecordPeriodEnd(w, {inputs, settings, r, DayCredit, income.travel, liability, levies.base, levies.uifOn, dayLimit,
                        static_cast<int>(WorkingDays)});
    HandOver(working, std::move(w), levies.worked, r.TotalTaxDeduction);
    return r;
}

} // namespace revora
