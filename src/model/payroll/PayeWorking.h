#pragma once
// The steps of the employees' tax calculations' working that the periods share, each with its
// English and Afrikaans text (the payslips are printed in both). Used only by the payroll .cpp
// files, which call these after they have worked their figures, with the very values they
// worked: nothing here computes a figure.

#include "payroll/PayeCommon.h"
#include "payroll/PayeSteps.h"
#include "tax/TaxEngine.h"

namespace revora::paye {

// The figures of a week's, a fortnight's or a day's tax, as the calculation worked them, for
// its working.
struct PeriodTax {
    double taxable;
    double annual; // the annual equivalent, before the retirement-fund cap
    const TaxBracketResult& withBonus;
    const TaxBracketResult& withoutBonus;
    double rebate;
    double bonusTax;
    double regular;
    const RetirementCap& cap;
};

// "Taxable travel allowance" (when there is an allowance) and the period's taxable income:
// taxable travel + salary + commission - pension - R/A + employer's medical, or the salary alone
// when nothing else is in it.
struct IncomeSteps {
    int travel = 0; // 0: no allowance
    int taxable = 0;
};
IncomeSteps RecordTaxableIncome(Working& w, Phrase label, const PayeInputs& in, double inclusionRate,
                                double taxableTravel, double taxable);

// When the retirement-fund cap bites (RetirementCap), the contributions a year, the deduction
// allowed (27.5 % of the annual remuneration, or the year's cap) and the annual equivalent less
// it; returns the step the table's tax is worked on: `annualStep` when the cap does not bite.
int RecordRetirementCap(Working& w, int annualStep, const RetirementCap& cap, const TaxYear& year);

// The income with the bonus (when there is one) and "Tax from the table" for it, then for the
// income without it. `withBonus` is the engine's record as the call with the bonus left it.
struct TableSteps {
    int withBonus = 0; // 0: no bonus
    int withoutBonus = 0;
};
TableSteps RecordTableTaxes(Working& w, int annualStep, double bonus, const TaxBracketResult& withBonus,
                            const TaxBracketResult& withoutBonus);

// The rebate for the age in the year: primary, with the secondary from 65, with the tertiary
// from 75.
int RecordRebate(Working& w, std::int16_t age, double rebate, const TaxYear& year);

// An annual tax less the rebate, never below 0: `value` is what the calculation kept.
int RecordLessRebate(Working& w, Phrase label, int tableStep, int rebateStep, double value);

// The regular tax's label: without a bonus the regular tax is the liability, unless below 0.
Phrase RegularLabel(double bonus, double regular, Phrase label);
// The tax liability: the tax on the bonus plus the regular tax, never below 0. Without a bonus
// the regular tax's own step is the liability unless it was below 0. Returns the liability's step.
int RecordLiability(Working& w, int bonusStep, int regularStep, double regular, double liability);

// How a period's medical scheme fees credit comes from the monthly one: the words and the
// formulas for up to two members and for more. The 2016 formulas carry that year's credits as
// written; the year's formulas take them as figures: {2} the credit of one member, {3} of two,
// {4} of each further one (every year gives the first dependant the main member's credit).
struct CreditRule {
    Phrase words;          // with {1} the members on the scheme
    const char* upToTwo;   // over {1} the members
    const char* aboveTwo;
    const char* yearUpToTwo;
    const char* yearAboveTwo;
};
inline constexpr CreditRule MonthCredit{
    {"Medical scheme fees credit, {1} on the scheme", "Mediese skemageldekrediet, {1} op die skema"},
    "{1} \u00d7 270", "540 + ({1} \u2212 2) \u00d7 181", "{1} \u00d7 {2}", "{3} + ({1} \u2212 2) \u00d7 {4}"};

// UIF base, limit and contributions, the SDL, the credits and the total deduction: the steps
// after the period's tax. `periodsPerYear` 0: the monthly limit is the period's own; else the
// period's limit is the monthly limit x 12 / periods a year. `levyBase` and `uifOn` are the
// remuneration the UIF is worked on and the part of it up to the limit.
struct PeriodEnd {
    const PayeInputs& in;
    const PayeSettings& settings;
    const PeriodicPayeResult& result;
    CreditRule credit;
    int travelStep;   // the taxable travel allowance's step, 0 for none
    int liabilityStep;
    double levyBase;
    double uifOn;
    double deduction; // the period's retirement-fund deduction, as the SDL subtracts it
    bool capped;      // the deduction is the cap brought back to the period
    double periodLimit;
    int periodsPerYear;
    const TaxYear& year; // whose medical credits the credit step names
};
void RecordPeriodEnd(Working& w, const PeriodEnd& end);

// The medical credits and the total: shared with the annual calculation, whose credit is
// recorded month by month. `creditStep` 0: no credit step.
// The additional credit, recorded only when one is given. Returns its step, 0 for none.
int RecordAdditionalCredit(Working& w, const PayeInputs& in, int creditStep, double additional);
void RecordTotal(Working& w, int liabilityStep, int creditStep, int additionalStep, double liability, double total);

// The working goes to `working` only when the figures were worked (`worked`) and every figure
// of `steps` is finite; otherwise (amounts too large to work with, which the result gives as
// zeros) one step says so.
void HandOver(Working* working, Working&& steps, bool worked, double total);

} // namespace revora::paye
