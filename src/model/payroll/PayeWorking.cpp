#include "payroll/PayeWorking.h"

#include "payroll/PayeSteps.h"
#include "tax/TaxYearRules.h"

namespace revora::paye {

namespace {

constexpr Phrase TaxLiabilityLabel{"Tax liability", "Belasting verpligting"};
constexpr Phrase CreditLabel{"Tax credits for beneficiaries", "Belastingkrediete vir begunstigdes"};
constexpr Phrase TotalLabel{"Total tax deduction", "Totaal belasting"};
constexpr Phrase UifBaseLabel{"Remuneration for UIF", "Besoldiging vir U.I.F."};

} // namespace

IncomeSteps RecordTaxableIncome(Working& w, Phrase label, const PayeInputs& in, double inclusionRate,
                                double taxableTravel, double taxable)
{
    IncomeSteps steps;
    if (in.TravelAllowance != 0.0)
        steps.travel = w.Add({"Taxable travel allowance", "Reistoelae belasbaar"}, {}, "{1} of {2}",
                             {Percent(inclusionRate * 100.0), Amount(in.TravelAllowance)}, taxableTravel);
    // The travel allowance adds its taxable part, 0 without one: 0 + salary is the salary.
    if (in.Commission == 0.0 && in.Pension == 0.0 && in.RetirementAnnuity == 0.0 && in.EmployerMedical == 0.0
        && !steps.travel)
        steps.taxable = w.Add(label, {}, {}, taxable);
    else if (steps.travel)
        steps.taxable = w.Add(label,
                              {"Taxable income (taxable travel + salary + commission \u2212 pension \u2212 R/A + "
                               "employer's medical)",
                               "Belasbare inkomste (belasbare reistoelae + salaris + kommissie \u2212 pensioen \u2212 "
                               "U/T + werkgewer se mediese bydrae)"},
                              "{1} + {2} + {3} \u2212 {4} \u2212 {5} + {6}",
                              {w.Step(steps.travel), Amount(in.Salary), Amount(in.Commission), Amount(in.Pension),
                               Amount(in.RetirementAnnuity), Amount(in.EmployerMedical)},
                              taxable);
    else
        steps.taxable = w.Add(label,
                              {"Taxable income (salary + commission \u2212 pension \u2212 R/A + employer's medical)",
                               "Belasbare inkomste (salaris + kommissie \u2212 pensioen \u2212 U/T + werkgewer se "
                               "mediese bydrae)"},
                              "{1} + {2} \u2212 {3} \u2212 {4} + {5}",
                              {Amount(in.Salary), Amount(in.Commission), Amount(in.Pension),
                               Amount(in.RetirementAnnuity), Amount(in.EmployerMedical)},
                              taxable);
    return steps;
}

int RecordRetirementCap(Working& w, int annualStep, const RetirementCap& cap, const TaxYear& year)
{
    if (!cap.bites)
        return annualStep;
    const int contributions =
        w.Add({"Pension and R/A a year", "Pensioen en U/T per jaar"},
              {"Pension and R/A contributions on the same annual basis",
               "Pensioen- en U/T-bydraes op dieselfde jaarlikse grondslag"},
              {}, cap.contributions);
    const double share = year.Retirement.Rate * cap.remuneration;
    const Phrase label{"Retirement-fund deduction allowed", "Aftrekking vir uittreefondse toegelaat"};
    const int limit = share < year.Retirement.AnnualCap
        ? w.Add(label,
                {"{1} of the annual remuneration, before pension and R/A",
                 "{1} van die jaarlikse besoldiging, voor pensioen en U/T"},
                "{1} of ({2} + {3})",
                {Percent(year.Retirement.Rate * 100.0), w.Step(annualStep), w.Step(contributions)}, cap.limit)
        : w.Add(label,
                {"The year's cap, less than {1} of the annual remuneration of {2}",
                 "Die jaar se perk, minder as {1} van die jaarlikse besoldiging van {2}"},
                {Percent(year.Retirement.Rate * 100.0), Rand(cap.remuneration)}, cap.limit);
    return w.Add({"Annual taxable income", "Jaarlikse belasbare inkomste"},
                 {"Annual remuneration less the deduction allowed: the contributions above it are not deducted",
                  "Jaarlikse besoldiging min die toegelate aftrekking: die bydraes daarbo word nie afgetrek nie"},
                 "{1} + {2} \u2212 {3}", {w.Step(annualStep), w.Step(contributions), w.Step(limit)}, cap.Taxable());
}

TableSteps RecordTableTaxes(Working& w, int annualStep, double bonus, const TaxBracketResult& withBonus,
                            const TaxBracketResult& withoutBonus)
{
    TableSteps steps;
    if (bonus != 0.0) {
        const int income = w.Add({"Annual income with the bonus", "Jaarlikse inkomste met die bonus"}, {}, "{1} + {2}",
                                 {w.Step(annualStep), Amount(bonus)}, withBonus.TaxableIncome);
        steps.withBonus = RecordTableTax(w, withBonus, w.Step(income));
    }
    steps.withoutBonus = RecordTableTax(w, withoutBonus, w.Step(annualStep));
    return steps;
}

int RecordRebate(Working& w, std::int16_t age, double rebate, const TaxYear& year)
{
    // The words follow the rebate the age was given, so the ages are told in one place.
    const TaxYearRebates& r = year.Rebates;
    Phrase words{"Primary rebate, age {1}", "Primêre korting, ouderdom {1}"};
    if (rebate == r.Primary + r.Secondary)
        words = {"Primary and secondary rebates, age {1}", "Primêre en sekondêre kortings, ouderdom {1}"};
    else if (rebate == r.Primary + r.Secondary + r.Tertiary)
        words = {"Primary, secondary and tertiary rebates, age {1}",
                 "Primêre, sekondêre en tersiêre kortings, ouderdom {1}"};
    return w.Add({"Rebate", "Korting"}, words, {Count(age)}, rebate);
}

int RecordLessRebate(Working& w, Phrase label, int tableStep, int rebateStep, double value)
{
    if (value > 0.0)
        return w.Add(label, {}, "{1} \u2212 {2}", {w.Step(tableStep), w.Step(rebateStep)}, value);
    return w.Add(label, {"The rebate covers the annual tax", "Die korting dek die jaarlikse belasting"}, {}, value);
}

Phrase RegularLabel(double bonus, double regular, Phrase label)
{
    return bonus == 0.0 && regular >= 0.0 ? TaxLiabilityLabel : label;
}

int RecordLiability(Working& w, int bonusStep, int regularStep, double regular, double liability)
{
    if (!bonusStep && regular >= 0.0)
        return regularStep; // 0 + the regular tax: the regular tax is the liability
    if (liability > 0.0)
        return w.Add(TaxLiabilityLabel, {}, "{1} + {2}", {w.Step(bonusStep), w.Step(regularStep)}, liability);
    return w.Add(TaxLiabilityLabel, {"Tax liability, never below 0", "Belasting verpligting, nooit onder 0 nie"}, {},
                 liability);
}

int RecordAdditionalCredit(Working& w, const PayeInputs& in, int creditStep, double additional)
{
    if (!(additional > 0.0) || !creditStep)
        return 0;
    return w.Add({"Tax credits for contributions", "Belastingkrediete vir bydraes"},
                 {"Credit for contributions from age 65", "Krediet vir bydraes vanaf ouderdom 65"},
                 "({1} + {2} \u2212 3 \u00d7 {3}) \u00d7 {4}",
                 {Amount(in.EmployerMedical), Amount(in.EmployeeMedical), w.Step(creditStep),
                  Factor(AdditionalCreditShare)},
                 additional);
}

void RecordTotal(Working& w, int liabilityStep, int creditStep, int additionalStep, double liability, double total)
{
    if (total > 0.0 && additionalStep)
        w.Add(TotalLabel, {}, "{1} \u2212 ({2} + {3})",
              {w.Step(liabilityStep), w.Step(creditStep), w.Step(additionalStep)}, total);
    else if (total > 0.0 && creditStep)
        w.Add(TotalLabel, {}, "{1} \u2212 {2}", {w.Step(liabilityStep), w.Step(creditStep)}, total);
    else if (total > 0.0)
        w.Add(TotalLabel, {"Total tax deduction, no credits", "Totaal belasting, geen krediete nie"}, {}, total);
    else if (liability > 0.0)
        w.Add(TotalLabel,
              {"Total tax deduction, the credits cover the tax", "Totaal belasting, die krediete dek die belasting"}, {},
              total);
    else
        w.Add(TotalLabel, {"Total tax deduction, no tax", "Totaal belasting, geen belasting nie"}, {}, total);
}

void RecordPeriodEnd(Working& w, const PeriodEnd& e)
{
    const PayeInputs& in = e.in;
    const PeriodicPayeResult& r = e.result;

    int credit = 0;
    const TaxYearMedicalCredits& c = e.year.MedicalCredits;
    const TaxYearMedicalCredits& known = TaxYear2016().MedicalCredits;
    const bool upToTwo = in.Beneficiaries <= 2;
    if (Contributes(in.EmployerMedical, in.EmployeeMedical)) {
        // The credits of 2016 are written into its formulas; another year's are figures.
        if (c.MainMember == known.MainMember && c.FirstDependant == known.FirstDependant
            && c.EachAdditional == known.EachAdditional)
            credit = w.Add(CreditLabel, e.credit.words, upToTwo ? e.credit.upToTwo : e.credit.aboveTwo,
                           {Count(in.Beneficiaries)}, r.MedicalCredit);
        else
            credit = w.Add(CreditLabel, e.credit.words, upToTwo ? e.credit.yearUpToTwo : e.credit.yearAboveTwo,
                           {Count(in.Beneficiaries), Factor(c.MainMember), Factor(c.MainMember + c.FirstDependant),
                            Factor(c.EachAdditional)},
                           r.MedicalCredit);
    } else if (in.Beneficiaries != 0) {
        credit = w.Add(CreditLabel,
                       {"No medical scheme contribution, so no credit",
                        "Geen bydrae tot 'n mediese skema nie, dus geen krediet nie"},
                       {}, r.MedicalCredit);
    }
    const int additional = RecordAdditionalCredit(w, in, credit, r.AdditionalMedicalCredit);

    // UIF: salary + employer's medical + bonus + taxable travel, each part 0 when absent.
    int base = 0;
    if (in.EmployerMedical == 0.0 && in.Bonus == 0.0 && !e.travelStep)
        base = w.Add(UifBaseLabel, {}, {}, e.levyBase);
    else
        base = w.Add(UifBaseLabel,
                     {"Remuneration for UIF (salary + employer's medical + bonus + taxable travel)",
                      "Besoldiging vir U.I.F. (salaris + werkgewer se mediese bydrae + bonus + belasbare reistoelae)"},
                     "{1} + {2} + {3} + {4}",
                     {Amount(in.Salary), Amount(in.EmployerMedical), Amount(in.Bonus),
                      e.travelStep ? w.Step(e.travelStep) : Amount(r.TaxableTravelAllowance)},
                     e.levyBase);
    WorkedFigure uifOn = w.Step(base);
    Phrase employeeWords{}, employerWords{};
    if (e.uifOn != e.levyBase) { // held to the limit
        if (e.periodsPerYear) {
            const int limit = w.Add({"UIF limit", "U.I.F. perk"},
                                    {"UIF limit, the monthly limit over {2} pay periods a year",
                                     "U.I.F. perk, die maandelikse perk oor {2} betaaltydperke per jaar"},
                                    "{1} \u00d7 12 \u00f7 {2}",
                                    {Amount(e.settings.UIFLimit), Count(e.periodsPerYear)}, e.periodLimit);
            uifOn = w.Step(limit);
        } else {
            uifOn = Amount(e.periodLimit);
        }
        employeeWords = {"UIF contribution Employee, on the limit", "U.I.F. bydrae werknemer, op die perk"};
        employerWords = {"UIF contribution Employer, on the limit", "U.I.F. bydrae werkgewer, op die perk"};
    }
    w.Add({"UIF contribution Employee", "U.I.F. bydrae werknemer"}, employeeWords, "{1} of {2}",
          {Percent(e.settings.EmployeeUIF), uifOn}, r.UIFEmployee);
    w.Add({"UIF contribution Employer", "U.I.F. bydrae werkgewer"}, employerWords, "{1} of {2}",
          {Percent(e.settings.EmployerUIF), uifOn}, r.UIFEmployer);

    // SDL: the UIF base less the retirement-fund deduction, plus commission, never below 0.
    const Phrase sdlLabel{"S.D.L.", "S.D.L."};
    if (e.levyBase - e.deduction + in.Commission < 0.0)
        w.Add(sdlLabel,
              {"S.D.L., none: the deduction is more than the remuneration",
               "S.D.L., geen: die aftrekking is meer as die besoldiging"},
              {}, r.SDL);
    else if (e.capped)
        w.Add(sdlLabel,
              {"S.D.L. on the remuneration for UIF less the deduction allowed for the period, plus commission",
               "S.D.L. op die besoldiging vir U.I.F. min die toegelate aftrekking vir die tydperk, plus kommissie"},
              "{1} of ({2} \u2212 {3} + {4})",
              {Percent(e.settings.SkillLevy), w.Step(base), Amount(e.deduction), Amount(in.Commission)}, r.SDL);
    else if (in.Pension == 0.0 && in.RetirementAnnuity == 0.0 && in.Commission == 0.0)
        w.Add(sdlLabel, {}, "{1} of {2}", {Percent(e.settings.SkillLevy), w.Step(base)}, r.SDL);
    else
        w.Add(sdlLabel,
              {"S.D.L. on the remuneration for UIF less pension and R/A, plus commission",
               "S.D.L. op die besoldiging vir U.I.F. min pensioen en U/T, plus kommissie"},
              "{1} of ({2} \u2212 ({3} + {4}) + {5})",
              {Percent(e.settings.SkillLevy), w.Step(base), Amount(in.Pension), Amount(in.RetirementAnnuity),
               Amount(in.Commission)},
              r.SDL);

    RecordTotal(w, e.liabilityStep, credit, additional, r.TaxLiability, r.TotalTaxDeduction);
}

void HandOver(Working* working, Working&& steps, bool worked, double total)
{
    if (!worked || !steps.AllFinite()) {
        steps.Clear();
        steps.Add(TotalLabel,
                  {"The amounts are too large to work with", "Die bedrae is te groot om mee te werk"}, {}, total);
    }
    if (working->Empty())
        *working = std::move(steps);
    else
        working->Append(steps);
}

} // namespace revora::paye
