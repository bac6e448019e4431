#include "payroll/WeeklyPaye.h"

#include <cmath>

#include "payroll/PayeSteps.h"
#include "payroll/PayeWorking.h"
#include "tax/TaxYearRules.h"

namespace revora {
namespace {

constexpr WeekKindRules WeeklyRules{
    52, 4, 7, "The number of 'Normal work-week' days must be = to or larger than 'This work-week'.",
    "The number of days in a work week can be at most 7."};
constexpr WeekKindRules FortnightlyRules{
    26, 2, 14, "The number of 'Normal fortnight' days must be = to or larger than 'This fortnight'.",
    "The number of days in a fortnight can be at most 14."};

// The words of each kind: the week's or the fortnight's.
struct WeekWords {
    Phrase taxable;
    Phrase annualFull;
    Phrase annualPart;
    Phrase regular;
    Phrase broughtBack;
    Phrase broughtBackPart;
    paye::CreditRule credit;
};

const WeekWords WeeklyWords{
    {"Taxable income of the week", "Belasbare inkomste vir die week"},
    {"Annual equivalent of a week's pay", "Jaarlikse ekwivalent van 'n week se besoldiging"},
    {"Annual equivalent of {4} days' pay in a normal work week of {3} days",
     "Jaarlikse ekwivalent van {4} dae se besoldiging in 'n normale werk week van {3} dae"},
    {"Regular tax of the week", "Gewone belasting vir die week"},
    {"Annual tax less the rebate, brought back to the week",
     "Jaarlikse belasting min die korting, teruggebring na die week"},
    {"Annual tax less the rebate, brought back to {4} days of a normal work week of {5} days",
     "Jaarlikse belasting min die korting, teruggebring na {4} dae van 'n normale werk week van {5} dae"},
    {{"Medical scheme fees credit, {1} on the scheme, a quarter of the month's",
      "Mediese skemageldekrediet, {1} op die skema, 'n kwart van die maand s'n"},
     "{1} \u00d7 270 \u00f7 4", "(540 + ({1} \u2212 2) \u00d7 181) \u00f7 4", "{1} \u00d7 {2} \u00f7 4",
     "({3} + ({1} \u2212 2) \u00d7 {4}) \u00f7 4"}};

const WeekWords FortnightlyWords{
    {"Taxable income of the fortnight", "Belasbare inkomste vir die twee weke"},
    {"Annual equivalent of a fortnight's pay", "Jaarlikse ekwivalent van twee weke se besoldiging"},
    {"Annual equivalent of {4} days' pay in a normal fortnight of {3} days",
     "Jaarlikse ekwivalent van {4} dae se besoldiging in normale twee weke van {3} dae"},
    {"Regular tax of the fortnight", "Gewone belasting vir die twee weke"},
    {"Annual tax less the rebate, brought back to the fortnight",
     "Jaarlikse belasting min die korting, teruggebring na die twee weke"},
    {"Annual tax less the rebate, brought back to {4} days of a normal fortnight of {5} days",
     "Jaarlikse belasting min die korting, teruggebring na {4} dae van normale twee weke van {5} dae"},
    {{"Medical scheme fees credit, {1} on the scheme, half the month's",
      "Mediese skemageldekrediet, {1} op die skema, die helfte van die maand s'n"},
     "{1} \u00d7 270 \u00f7 2", "(540 + ({1} \u2212 2) \u00d7 181) \u00f7 2", "{1} \u00d7 {2} \u00f7 2",
     "({3} + ({1} \u2212 2) \u00d7 {4}) \u00f7 2"}};

// Kept out of line, so the calculation without a working runs as lean as it did before it
// could record one.
[[gnu::noinline]] void RecordWeek(Working& working, WeekKind kind, const PayeInputs& in, const PayeSettings& settings,
                const TaxYear& year, const PeriodicPayeResult& r, const paye::PeriodLevies& levies,
                const paye::PeriodTax& tax, const WeekPeriod& period, double periodLimit)
{
    using namespace paye;
    const WeekWords& words = kind == WeekKind::Weekly ? WeeklyWords : FortnightlyWords;
    const WorkedFigure periods = Count(RulesFor(kind).PeriodsPerYear);
    const bool partPeriod = period.ThisDays != period.NormalDays;
    Working w;
    const IncomeSteps income =
        RecordTaxableIncome(w, words.taxable, in, settings.TAIncRate8020, r.TaxableTravelAllowance, tax.taxable);
    const int annual = partPeriod
        ? w.Add({"Annual equivalent", "Jaarlikse ekwivalent"}, words.annualPart,
                "{1} \u00d7 ({2} \u00d7 ({3} \u00f7 {4}))",
                {w.Step(income.taxable), periods, Count(period.NormalDays), Count(period.ThisDays)}, tax.annual)
        : w.Add({"Annual equivalent", "Jaarlikse ekwivalent"}, words.annualFull, "{1} \u00d7 {2}",
                {w.Step(income.taxable), periods}, tax.annual);
    const TableSteps table =
        RecordTableTaxes(w, RecordRetirementCap(w, annual, tax.cap, year), in.Bonus, tax.withBonus, tax.withoutBonus);
    int bonus = 0;
    if (table.withBonus)
        bonus = w.Add({"Tax on the bonus", "Belasting op die bonus"}, {}, "{1} \u2212 {2}",
                      {w.Step(table.withBonus), w.Step(table.withoutBonus)}, tax.bonusTax);
    const int rebate = RecordRebate(w, in.Age, tax.rebate, year);
    const Phrase label = RegularLabel(in.Bonus, tax.regular, words.regular);
    const int regular = partPeriod
        ? w.Add(label, words.broughtBackPart, "({1} \u2212 {2}) \u00f7 {3} \u00d7 {4} \u00f7 {5}",
                {w.Step(table.withoutBonus), w.Step(rebate), periods, Count(period.ThisDays), Count(period.NormalDays)},
                tax.regular)
        : w.Add(label, words.broughtBack, "({1} \u2212 {2}) \u00f7 {3}",
                {w.Step(table.withoutBonus), w.Step(rebate), periods}, tax.regular);
    const int liability = RecordLiability(w, bonus, regular, tax.regular, r.TaxLiability);
    RecordPeriodEnd(w, {in, settings, r, words.credit, income.travel, liability, levies.base, levies.uifOn,
                        levies.deduction, tax.cap.bites, periodLimit, RulesFor(kind).PeriodsPerYear, year});
    HandOver(&working, std::move(w), levies.worked, r.TotalTaxDeduction);
}

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
                                     const WeekPeriod& period, TaxBracketResult& record, Working* working)
{
    return WeekPayeCalculate(kind, inputs, settings, TaxYear2016(), period, record, working);
}

PeriodicPayeResult WeekPayeCalculate(WeekKind kind, const PayeInputs& inputs, const PayeSettings& settings,
                                     const TaxYear& year, const WeekPeriod& period, TaxBracketResult& record,
                                     Working* working)
{
    using namespace paye;
    // Only without the period check: no ratio of days to gross up by, all zeros.
    PeriodicPayeResult r;
    if (period.NormalDays < 1 || period.ThisDays < 1)
        return r;
    const WeekKindRules& rules = RulesFor(kind);
    const double periods = rules.PeriodsPerYear;
    const double normalDays = period.NormalDays;
    const double thisDays = period.ThisDays;

    r.TaxableTravelAllowance = inputs.TravelAllowance * settings.TAIncRate8020;

    // The monthly credit over 4 (weekly) or 2 (fortnightly); both divisions are exact.
    r.MedicalCredit = Contributes(inputs.EmployerMedical, inputs.EmployeeMedical)
        ? MedicalCreditPerMonth(inputs.Beneficiaries, year) / rules.CreditDivisor
        : 0.0;

    // The period's tax: neither annual tax is floored; the rebate comes off the regular part,
    // which may be negative and is set off against the tax on the bonus. The retirement-fund cap
    // is applied to the annual figure and brought back the same way.
    const double taxable = PeriodTaxable(inputs, r.TaxableTravelAllowance);
    const auto annualise = [&](double amount) { return amount * (periods * (normalDays / thisDays)); };
    const RetirementCap cap = CapRetirement(inputs, r.TaxableTravelAllowance, annualise, year);
    const double annualEquivalent = annualise(taxable);
    const double annual = cap.bites ? cap.Taxable() : annualEquivalent;
    const double deduction =
        cap.bites ? (cap.limit / periods) * thisDays / normalDays : inputs.Pension + inputs.RetirementAnnuity;
    const double withBonus = TaxBeforeRebatesFor(record, annual + inputs.Bonus, year);
    const TaxBracketResult recordWith = record; // the engine's record with the bonus, for the working
    const double withoutBonus = TaxBeforeRebatesFor(record, annual, year);
    const double rebate = RebateForAge(inputs.Age, year);
    const double bonusTax = withBonus - withoutBonus;
    const double regular = ((withoutBonus - rebate) / periods) * thisDays / normalDays;
    r.TaxLiability = AtLeastZero(bonusTax + regular);

    PeriodLevies levies;
    const double periodLimit = settings.UIFLimit * 12.0 / periods;
    FinishPeriod(r, inputs, settings, periodLimit, deduction, std::isfinite(bonusTax), levies);
    if (working)
        RecordWeek(*working, kind, inputs, settings, year, r, levies,
                   {taxable, annualEquivalent, recordWith, record, rebate, bonusTax, regular, cap},
                   period, periodLimit);
    return r;
}

} // namespace revora
