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
    {"Medical scheme fees credit, {1} on the scheme, a year's credit over 260 working days",
     "Mediese skemageldekrediet, {1} op die skema, 'n jaar se krediet oor 260 werksdae"},
    "{1} \u00d7 270 \u00d7 12 \u00f7 260", "(540 + ({1} \u2212 2) \u00d7 181) \u00d7 12 \u00f7 260",
    "{1} \u00d7 {2} \u00d7 12 \u00f7 260", "({3} + ({1} \u2212 2) \u00d7 {4}) \u00d7 12 \u00f7 260"};

// Kept out of line, so the calculation without a working runs as lean as it did before it
// could record one.
[[gnu::noinline]] void RecordDay(Working& working, const PayeInputs& inputs, const PayeSettings& settings,
                   const TaxYear& year, const PeriodicPayeResult& r, const paye::PeriodLevies& levies,
                   const paye::PeriodTax& t, double dayLimit)
{
    using namespace paye;
    Working w;
    const IncomeSteps income = RecordTaxableIncome(w, {"Taxable income of the day", "Belasbare inkomste vir die dag"},
                                                   inputs, settings.TAIncRate8020, r.TaxableTravelAllowance, t.taxable);
    const int annualStep = w.Add({"Annual equivalent", "Jaarlikse ekwivalent"},
                                 {"Annual equivalent of a day's pay, 260 working days a year",
                                  "Jaarlikse ekwivalent van 'n dag se besoldiging, 260 werksdae per jaar"},
                                 "{1} \u00d7 260", {w.Step(income.taxable)}, t.annual);
    const TableSteps table =
        RecordTableTaxes(w, RecordRetirementCap(w, annualStep, t.cap, year), inputs.Bonus, t.withBonus, t.withoutBonus);
    int bonusStep = 0;
    if (table.withBonus)
        bonusStep = w.Add({"Tax on the bonus", "Belasting op die bonus"}, {}, "{1} \u2212 {2}",
                          {w.Step(table.withBonus), w.Step(table.withoutBonus)}, t.bonusTax);
    const int rebateStep = RecordRebate(w, inputs.Age, t.rebate, year);
    const int regularStep =
        w.Add(RegularLabel(inputs.Bonus, t.regular, {"Regular tax of the day", "Gewone belasting vir die dag"}),
              {"Annual tax less the rebate, brought back to the day",
               "Jaarlikse belasting min die korting, teruggebring na die dag"},
              "({1} \u2212 {2}) \u00f7 260", {w.Step(table.withoutBonus), w.Step(rebateStep)}, t.regular);
    const int liability = RecordLiability(w, bonusStep, regularStep, t.regular, r.TaxLiability);
    RecordPeriodEnd(w, {inputs, settings, r, DayCredit, income.travel, liability, levies.base, levies.uifOn,
                        levies.deduction, t.cap.bites, dayLimit, static_cast<int>(WorkingDays), year});
    HandOver(&working, std::move(w), levies.worked, r.TotalTaxDeduction);
}

} // namespace

PeriodicPayeResult DailyPayeCalculate(const PayeInputs& inputs, const PayeSettings& settings,
                                      TaxBracketResult& record, Working* working)
{
    return DailyPayeCalculate(inputs, settings, TaxYear2016(), record, working);
}

PeriodicPayeResult DailyPayeCalculate(const PayeInputs& inputs, const PayeSettings& settings, const TaxYear& year,
                                      TaxBracketResult& record, Working* working)
{
    using namespace paye;

    PeriodicPayeResult r;
    r.TaxableTravelAllowance = inputs.TravelAllowance * settings.TAIncRate8020;

    // (n x 270 x 12) / 260, or (6 480 + (n - 2) x 181 x 12) / 260: twelve times the monthly
    // credit, a whole number, divided once, as the printed tables have it.
    r.MedicalCredit = Contributes(inputs.EmployerMedical, inputs.EmployeeMedical)
        ? MedicalCreditPerMonth(inputs.Beneficiaries, year) * 12.0 / WorkingDays
        : 0.0;

    // The day's tax: neither annual tax is floored; only the sum is.
    // The retirement-fund cap is applied to the annual figure and brought back the same way.
    const double taxable = PeriodTaxable(inputs, r.TaxableTravelAllowance);
    const auto annualise = [](double amount) { return amount * WorkingDays; };
    const RetirementCap cap = CapRetirement(inputs, r.TaxableTravelAllowance, annualise, year);
    const double annualEquivalent = annualise(taxable);
    const double annual = cap.bites ? cap.Taxable() : annualEquivalent;
    const double deduction = cap.bites ? cap.limit / WorkingDays : inputs.Pension + inputs.RetirementAnnuity;
    const double withBonus = TaxBeforeRebatesFor(record, annual + inputs.Bonus, year);
    const TaxBracketResult recordWith = record; // the engine's record with the bonus, for the working
    const double withoutBonus = TaxBeforeRebatesFor(record, annual, year);
    const double rebate = RebateForAge(inputs.Age, year);
    const double bonusTax = withBonus - withoutBonus;
    const double regular = (withoutBonus - rebate) / WorkingDays;
    r.TaxLiability = AtLeastZero(bonusTax + regular);

    PeriodLevies levies;
    const double dayLimit = settings.UIFLimit * 12.0 / WorkingDays;
    FinishPeriod(r, inputs, settings, dayLimit, deduction, std::isfinite(bonusTax), levies);
    if (working)
        RecordDay(*working, inputs, settings, year, r, levies,
                  {taxable, annualEquivalent, recordWith, record, rebate, bonusTax, regular, cap}, dayLimit);
    return r;
}

} // namespace revora
