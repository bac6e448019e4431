// The steps both package directions record: the fixed blocks, the fund contributions, the R/A
// limits, the tax due, UIF and SDL, each where it applies, from the figures the calculation
// worked.

#include "package/PackageSteps.h"

namespace revora::package {

namespace {

// The formula of a sum of `plus` terms added and `minus` taken off, over figures {1}, {2}, …
// in that order: "{1} + {2} − {3}". Made once, when the program is built, for every count: a
// step keeps a pointer to its formula.
struct SumFormula {
    char text[112];
};

constexpr SumFormula MakeSumFormula(int plus, int minus)
{
    SumFormula formula{};
    int at = 0;
    const auto put = [&](const char* part) {
        while (*part)
            formula.text[at++] = *part++;
    };
    for (int term = 1; term <= plus + minus; ++term) {
        if (term > 1)
            put(term <= plus ? " + " : " \u2212 ");
        else if (plus == 0)
            put("\u2212");
        put("{");
        if (term >= 10)
            formula.text[at++] = static_cast<char>('0' + term / 10);
        formula.text[at++] = static_cast<char>('0' + term % 10);
        put("}");
    }
    return formula;
}

constexpr int Most = SignedSum::MostTerms;
constexpr auto SumFormulas = [] {
    std::array<std::array<SumFormula, Most + 1>, Most + 1> table{};
    for (int plus = 0; plus <= Most; ++plus)
        for (int minus = 0; plus + minus <= Most; ++minus)
            table[static_cast<std::size_t>(plus)][static_cast<std::size_t>(minus)] = MakeSumFormula(plus, minus);
    return table;
}();

bool Monthly(const PeriodRules& rules) noexcept { return rules.PeriodsInYear != 1.0; }

} // namespace

int SignedSum::Record(Working& working, Phrase label, Phrase words, double amount) const
{
    std::array<WorkedFigure, MostTerms> f{};
    std::copy_n(plus_.begin(), plusCount_, f.begin());
    std::copy_n(minus_.begin(), minusCount_, f.begin() + plusCount_);
    // A single term added is the amount itself: no formula to show.
    const char* formula = plusCount_ + minusCount_ == 0 || (plusCount_ == 1 && minusCount_ == 0)
        ? ""
        : SumFormulas[static_cast<std::size_t>(plusCount_)][static_cast<std::size_t>(minusCount_)].text;
    return working.Add(label, words, formula,
                       {f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10], f[11]}, amount);
}

WorkedFigure StepOr(const Working& working, int step, double value)
{
    return step > 0 ? working.Step(step) : Amount(value);
}

FixedSteps RecordFixedBlocks(Working& w, const PeriodRules& rules, const PackageInputs& in, const PackageSettings& s,
                             const TaxYear& year, const PackageResult& r, double taxableTravel,
                             bool otherDeductionsCount)
{
    FixedSteps steps;
    if (r.CompanyCarBenefit != 0.0)
        steps.car = w.Add({"Company car benefit"}, {},
                          Monthly(rules) ? "{1} \u00d7 {2} \u00d7 {3}" : "{1} \u00d7 {2} \u00d7 {3} \u00d7 12",
                          {Rand(in.CarValue), Percent(CarBenefitMonthlyRate(s, year) * 100.0),
                           Percent(s.CompCarFBRate8020 * 100.0)},
                          r.CompanyCarBenefit);
    steps.rebate = w.Add({"Rebate for age"}, {"Rebate for age {1}"}, {Count(in.Age)}, r.Rebate);
    if (r.MedicalCredit != 0.0) {
        steps.credits = w.Add({"Medical scheme fees credit"},
                              rules.CountsMemberMonths ? Phrase{"Medical scheme fees credit for {1} member-months"}
                                                       : Phrase{"Medical scheme fees credit for {1} members"},
                              {Count(in.Members)}, r.MedicalCredit);
        if (r.AdditionalMedicalCredit != 0.0) {
            const int additional =
                w.Add({"Additional medical credit"}, {"Additional medical credit from age 65"},
                      "{1} of ({2} + {3} \u2212 3 \u00d7 {4})",
                      {Percent(AdditionalCreditShare * 100.0), Amount(in.EmployerMedical),
                       Amount(in.EmployeeMedical), w.Step(steps.credits)},
                      r.AdditionalMedicalCredit);
            steps.credits = w.Add({"Medical tax credits"}, {}, "{1} + {2}",
                                  {w.Step(steps.credits), w.Step(additional)},
                                  r.MedicalCredit + r.AdditionalMedicalCredit);
        }
    }
    if (in.TravelAllowance != 0.0)
        steps.taxableTravel = w.Add({"Taxable travel allowance"}, {}, "{1} of {2}",
                                    {Percent(s.TAIncRate8020 * 100.0), Amount(in.TravelAllowance)}, taxableTravel);
    if (otherDeductionsCount && in.OtherDeductionsTotal() != 0.0) {
        SignedSum lines;
        for (const OtherDeduction& line : in.Other)
            lines.Plus(Amount(line.Amount));
        steps.otherDeductions = lines.Record(w, {"Other deductions"}, {}, in.OtherDeductionsTotal());
    }
    return steps;
}

bool AnyContribution(const PackageResult& r) noexcept
{
    return r.EmployeePension != 0.0 || r.EmployerPension != 0.0 || r.EmployeeProvident != 0.0
        || r.EmployerProvident != 0.0;
}

FundSteps RecordFunds(Working& w, int baseStep, const PackageSettings& s, const PackageResult& r)
{
    const auto contribution = [&](Phrase label, double percent, double amount) {
        return amount != 0.0 ? w.Add(label, {}, "{1} of {2}", {Percent(percent), w.Step(baseStep)}, amount) : 0;
    };
    FundSteps steps;
    steps.pension = contribution({"Pension deducted"}, s.PensionCont, r.EmployeePension);
    contribution({"Employer's pension"}, s.EmployerPenCont, r.EmployerPension);
    steps.provident = contribution({"Provident fund"}, s.ProvCont, r.EmployeeProvident);
    contribution({"Employer's provident"}, s.EmployerProvCont, r.EmployerProvident);
    return steps;
}

bool RALimitsDecide(const PackageInputs& in, double allowed) noexcept
{
    return !in.RADirective && (in.RADeduction != 0.0 || allowed != 0.0);
}

int RecordRALimits(Working& w, const PeriodRules& rules, int pensionStep, int incomeStep, const PackageResult& r,
                   double maximum)
{
    const WorkedFigure yearA = Amount(RAYearLimitA);
    int a = 0;
    if (pensionStep == 0)
        a = Monthly(rules) ? w.Add({"R/A limit A"}, {}, "{1} \u00f7 12", {yearA}, r.RALimitA)
                           : w.Add({"R/A limit A"}, {}, {}, r.RALimitA);
    else if (!Monthly(rules))
        a = w.Add({"R/A limit A"}, {"R/A limit A, R 3 500 less the pension"}, "{1} \u2212 {2}",
                  {yearA, w.Step(pensionStep)}, r.RALimitA);
    else if (rules.PensionYearFactor == 12.0)
        a = w.Add({"R/A limit A"}, {"R/A limit A, R 3 500 less the year's pension, a month"},
                  "({1} \u2212 12 \u00d7 {2}) \u00f7 12", {yearA, w.Step(pensionStep)}, r.RALimitA);
    else
        a = w.Add({"R/A limit A"}, {"R/A limit A, R 3 500 less the pension, a month"}, "({1} \u2212 {2}) \u00f7 12",
                  {yearA, w.Step(pensionStep)}, r.RALimitA);
    const int b = Monthly(rules) ? w.Add({"R/A limit B"}, {}, "{1} \u00f7 12", {Amount(RAYearLimitB)}, r.RALimitB)
                                 : w.Add({"R/A limit B"}, {}, {}, r.RALimitB);
    const int c
        = w.Add({"R/A limit C"}, {}, "{1} of {2}", {Percent(RAIncomeShare * 100.0), w.Step(incomeStep)}, r.RALimitC);
    return w.Add({"Most R/A allowed"}, {"Most R/A allowed, the greatest of A ({1}), B ({2}) and C ({3})"},
                 {w.Step(a), w.Step(b), w.Step(c)}, maximum);
}

int RecordRAAllowed(Working& w, const PackageInputs& in, double allowed, int maximumStep)
{
    const Phrase label{"R/A deduction allowed"};
    const double entered = in.RADeduction;
    if (in.RADirective)
        return entered != 0.0 || allowed != 0.0
            ? w.Add(label, {"R/A deduction allowed, the amount entered, as a directive covers it"}, {}, allowed)
            : 0;
    if (maximumStep == 0)
        return 0;
    const double maximum = w.Steps()[static_cast<std::size_t>(maximumStep - 1)].Amount;
    if (entered > maximum)
        return w.Add(label, {"R/A deduction allowed, as R {1} entered is above the most allowed"}, {Amount(entered)},
                     allowed);
    if (allowed == entered)
        return w.Add(label, {"R/A deduction allowed, the R {1} entered being within the most allowed"},
                     {Amount(entered)}, allowed);
    // The gross-up carries a cut from step to step: the most allowed at a lower salary.
    return w.Add(label,
                 {"R/A deduction allowed, R {1} entered cut to the most allowed at a lower salary in the search"},
                 {Amount(entered)}, allowed);
}

DeductionSteps RecordOneDeduction(Working& w, const PeriodRules& rules, const TaxYear& year, const PackageInputs& in,
                                  const PackageResult& r, int beforeStep, double remuneration, double taxableBefore,
                                  double taxable)
{
    const double cap = year.Retirement.AnnualCap / rules.PeriodsInYear;
    const int limit = w.Add({"Retirement deduction limit"},
                            Monthly(rules)
                                ? Phrase{"Retirement deduction limit, {1} of the greater of remuneration (R {2}) and "
                                         "taxable income (R {3}), at most R {4} a month"}
                                : Phrase{"Retirement deduction limit, {1} of the greater of remuneration (R {2}) and "
                                         "taxable income (R {3}), at most R {4} a year"},
                            {Percent(year.Retirement.Rate * 100.0), Amount(remuneration), Amount(taxableBefore),
                             Amount(cap)},
                            r.RetirementLimit);
    // The four contributions, added as the calculation adds them.
    const double contributions = r.EmployeePension + r.EmployerPension + r.EmployeeProvident + r.EmployerProvident;
    int funds = 0;
    if (AnyContribution(r) && contributions <= r.RetirementLimit)
        funds = SignedSum()
                    .Plus(Amount(r.EmployeePension))
                    .Plus(Amount(r.EmployerPension))
                    .Plus(Amount(r.EmployeeProvident))
                    .Plus(Amount(r.EmployerProvident))
                    .Record(w, {"Retirement funds deducted"}, {}, r.FundDeduction);
    else if (AnyContribution(r))
        funds = w.Add({"Retirement funds deducted"},
                      {"Retirement funds deducted, the limit, as the contributions (R {1}) are above it"},
                      {Amount(contributions)}, r.FundDeduction);
    int room = 0;
    if (RALimitsDecide(in, r.RAAllowed))
        room = w.Add({"Most R/A allowed"}, {"Most R/A allowed, what the funds leave of the limit"},
                     funds > 0 ? "{1} \u2212 {2}" : "", {w.Step(limit), StepOr(w, funds, 0.0)},
                     AtLeastZero(r.RetirementLimit - contributions));
    const int allowed = RecordRAAllowed(w, in, r.RAAllowed, room);
    const int taxableStep = SignedSum()
                                .Plus(w.Step(beforeStep))
                                .Minus(StepOr(w, funds, r.FundDeduction))
                                .Minus(StepOr(w, allowed, r.RAAllowed))
                                .Record(w, {"Taxable income"}, {}, taxable);
    return {taxableStep, allowed};
}

int RecordTaxDue(Working& w, const PeriodRules& rules, int taxableStep, int rebateStep, const TaxBracketResult& engine,
                 double taxDue)
{
    const double taxable = w.Steps()[static_cast<std::size_t>(taxableStep - 1)].Amount;
    int income = taxableStep;
    if (!(taxable >= 0.0))
        income = w.Add({"Taxable income for the table"}, {"Taxable income for the table, as one below 0 is taxed as 0"},
                       {}, engine.TaxableIncome);
    else if (Monthly(rules))
        income = w.Add({"Annual equivalent"}, {}, "{1} \u00d7 12", {w.Step(taxableStep)}, engine.TaxableIncome);
    const int tax = RecordTableTax(w, engine, w.Step(income));
    const double afterRebate
        = AtLeastZero(engine.TaxBeforeRebates - w.Steps()[static_cast<std::size_t>(rebateStep - 1)].Amount);
    const Phrase label = Monthly(rules) ? Phrase{"Tax for the year"} : Phrase{"Tax due"};
    const int year = afterRebate > 0.0
        ? w.Add(label, {}, "{1} \u2212 {2}", {w.Step(tax), w.Step(rebateStep)}, Monthly(rules) ? afterRebate : taxDue)
        : w.Add(label,
                Monthly(rules) ? Phrase{"Tax for the year, as the rebate covers the tax"}
                               : Phrase{"Tax due, as the rebate covers the tax"},
                {}, Monthly(rules) ? afterRebate : taxDue);
    if (!Monthly(rules))
        return year;
    return w.Add({"Tax due"}, {}, "{1} \u00f7 12", {w.Step(year)}, taxDue);
}

int RecordUifAndSdl(Working& w, const PeriodRules& rules, const PackageSettings& s, int baseStep,
                    WorkedFigure pension, WorkedFigure allowed, const PackageResult& r)
{
    const double base = w.Steps()[static_cast<std::size_t>(baseStep - 1)].Amount;
    int employee = 0;
    if (r.EmployeeUIF != 0.0 || r.EmployerUIF != 0.0) {
        const double ceiling = rules.MonthsInPeriod * s.UIFLimit;
        int on = baseStep;
        if (base > ceiling)
            on = Monthly(rules)
                ? w.Add({"UIF ceiling"}, {"UIF ceiling, the monthly UIF limit"}, {}, ceiling)
                : w.Add({"UIF ceiling"}, {"UIF ceiling, the monthly UIF limit for 12 months"}, "{1} \u00d7 12",
                        {Amount(s.UIFLimit)}, ceiling);
        if (r.EmployeeUIF != 0.0)
            employee = w.Add({"UIF contribution"}, {}, "{1} of {2}", {Percent(s.EmployeeUIF), w.Step(on)},
                             r.EmployeeUIF);
        if (r.EmployerUIF != 0.0)
            w.Add({"Employer's UIF"}, {}, "{1} of {2}", {Percent(s.EmployerUIF), w.Step(on)}, r.EmployerUIF);
    }
    if (r.SDL != 0.0) {
        int levyBase = baseStep;
        if (pension.Value != 0.0 || allowed.Value != 0.0)
            levyBase = SignedSum()
                           .Plus(w.Step(baseStep))
                           .Minus(pension)
                           .Minus(allowed)
                           .Record(w, {"Base for the levy"}, {},
                                   base - (pension.Value + allowed.Value));
        w.Add({"Skills development levy"}, {}, "{1} of {2}", {Percent(s.SkillLevy), w.Step(levyBase)}, r.SDL);
    }
    return employee;
}

} // namespace revora::package
