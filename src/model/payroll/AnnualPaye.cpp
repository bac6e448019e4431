#include "payroll/AnnualPaye.h"

#include <cmath>

#include "payroll/PayeSteps.h"
#include "payroll/PayeWorking.h"
#include "common/DayDate.h"
#include "tax/TaxYearRules.h"

namespace revora {
namespace {

constexpr const char* IncorrectDate = "Incorrect Date";

// A calendar month's place in the tax year: March 0 ... February 11.
int PlaceInTaxYear(int month) noexcept { return (month + 9) % 12; }

// The places in the tax year of the period's first and last months: a month is in the period
// when its place lies between them.
struct PeriodPlaces {
    int first;
    int last;
    bool Holds(int place) const noexcept { return place >= first && place <= last; }
};
PeriodPlaces PlacesOf(const AnnualPayeInputs& inputs) noexcept
{
    return {PlaceInTaxYear(CivilFromDayNumber(inputs.StartDate).month),
            PlaceInTaxYear(CivilFromDayNumber(inputs.EndDate).month)};
}

// Months in a row of the period with the same members on the medical scheme, and the year's
// credit once they are counted.
struct CreditRun {
    std::int16_t members;
    int months;
    double monthCredit;
    double total;
};

constexpr Phrase CreditLabel{"Tax credits for beneficiaries", "Belastingkrediete vir begunstigdes"};

} // namespace

std::optional<PayeRefusal> CheckAnnualPeriod(int startDate, int endDate)
{
    return CheckAnnualPeriod(startDate, endDate, TaxYear2016());
}

std::optional<PayeRefusal> CheckAnnualPeriod(int startDate, int endDate, const TaxYear& year)
{
    if (!InTaxYear(startDate, year))
        return PayeRefusal{IncorrectDate, OutsideYearMessage(year), PayeFocus::StartDate};
    if (!InTaxYear(endDate, year))
        return PayeRefusal{IncorrectDate, OutsideYearMessage(year), PayeFocus::EndDate};
    if (endDate < startDate)
        return PayeRefusal{IncorrectDate, EndBeforeStartMessage(FormatDayDate(startDate), year), PayeFocus::EndDate};
    return std::nullopt;
}

bool MonthInPeriod(const AnnualPayeInputs& inputs, int month) noexcept
{
    return PlacesOf(inputs).Holds(PlaceInTaxYear(month));
}

void SetMembersInPeriod(AnnualPayeInputs& inputs, std::int16_t members) noexcept
{
    inputs.Amounts.Beneficiaries = members;
    for (int month = 1; month <= 12; ++month)
        if (MonthInPeriod(inputs, month))
            inputs.MembersByMonth[static_cast<std::size_t>(month - 1)] = members;
}

AnnualPayeResult AnnualPayeCalculate(AnnualPayeInputs& inputs, const PayeSettings& settings,
                                     TaxBracketResult& record, Working* working)
{
    return AnnualPayeCalculate(inputs, settings, TaxYear2016(), record, working);
}

AnnualPayeResult AnnualPayeCalculate(AnnualPayeInputs& inputs, const PayeSettings& settings, const TaxYear& taxYear,
                                     TaxBracketResult& record, Working* working)
{
    using namespace paye;
    const PayeInputs& in = inputs.Amounts;
    // Fewer than 1 day only without the period check: nothing to scale by, all zeros.
    const int days = inputs.EndDate - inputs.StartDate + 1;
    if (days < 1)
        return {};

    AnnualPayeResult r;

    // The total tax. The whole-rand cut and the travel allowance belong together: both only
    // when travel allowance + commission is above 0.
    const double rebate = RebateForAge(in.Age, taxYear);
    const bool travelOrCommission = in.TravelAllowance + in.Commission > 0.0;
    const double taxableTravel = in.TravelAllowance * settings.TAIncRate8020;
    PayeInputs counted = in; // without travel allowance or commission neither is in the income
    if (!travelOrCommission)
        counted.TravelAllowance = counted.Commission = 0.0;
    const double countedTravel = travelOrCommission ? taxableTravel : 0.0;
    const double taxable = PeriodTaxable(counted, countedTravel);
    const bool partYear = days < 365;
    // The retirement-fund cap is applied to the year's figure, annualised for a part year.
    const auto annualise = [&](double amount) { return partYear ? amount * 365.0 / days : amount; };
    const RetirementCap cap = CapRetirement(counted, countedTravel, annualise, taxYear);
    const double year = cap.bites ? cap.Taxable() : annualise(taxable);
    // With the bonus first, so the shared record keeps the income without it.
    const double taxedWith = TaxBeforeRebatesFor(record, year + in.Bonus, taxYear) - rebate;
    TaxBracketResult recordWith;
    if (working)
        recordWith = record;
    const double taxedWithout = TaxBeforeRebatesFor(record, year, taxYear) - rebate;
    const double withBonus = AtLeastZero(travelOrCommission ? std::floor(taxedWith) : taxedWith);
    const double withoutBonus = AtLeastZero(travelOrCommission ? std::floor(taxedWithout) : taxedWithout);
    const double bonusTax = withBonus - withoutBonus;
    const double regular = partYear ? withoutBonus * days / 365.0 : withoutBonus;
    const double total = AtLeastZero(regular + bonusTax);

    // The year's medical credit, month by month from March. Without a contribution there is
    // none and the counts are left as they are; with one, the months outside the period are
    // cleared. The working counts the months in runs of the same members.
    std::array<CreditRun, 12> runs; // filled only when recording
    int runCount = 0;
    if (Contributes(in.EmployerMedical, in.EmployeeMedical)) {
        const PeriodPlaces period = PlacesOf(inputs);
        for (int place = 0; place < 12; ++place) {
            const int month = (place + 2) % 12 + 1;
            std::int16_t& members = inputs.MembersByMonth[static_cast<std::size_t>(month - 1)];
            if (!period.Holds(place)) {
                members = 0;
                continue;
            }
            const double monthCredit = MedicalCreditPerMonth(members, taxYear);
            r.MedicalCredit += monthCredit;
            if (!working)
                continue;
            if (runCount > 0 && runs[runCount - 1].members == members)
                ++runs[runCount - 1].months;
            else
                runs[runCount++] = {members, 1, monthCredit, 0.0};
            runs[runCount - 1].total = r.MedicalCredit;
        }
    }

    r.TaxLiability = total;
    r.AdditionalMedicalCredit =
        AdditionalMedicalCredit(in.EmployerMedical, in.EmployeeMedical, r.MedicalCredit, in.Age);
    r.TotalTaxDeduction = NetOfCredits(total, r.MedicalCredit, r.AdditionalMedicalCredit);
    r.SITE = 0.0;                 // no SITE in any year held: the PAYE part is the whole tax
    const double payePart = total;
    r.PAYE = NetOfCredits(payePart, r.MedicalCredit, r.AdditionalMedicalCredit);
    r.Total = total;

    // A tax that could not be worked (an income too large for a number) gives zeros too.
    const bool finite = std::isfinite(bonusTax) && std::isfinite(r.TaxLiability) && std::isfinite(r.MedicalCredit)
        && std::isfinite(r.AdditionalMedicalCredit) && std::isfinite(r.TotalTaxDeduction) && std::isfinite(r.PAYE);
    if (!finite)
        r = {};
    if (!working)
        return r;

    Working w;
    const IncomeSteps income = RecordTaxableIncome(w, {"Taxable income of the year", "Belasbare inkomste vir die jaar"},
                                                   counted, settings.TAIncRate8020, taxableTravel, taxable);
    int annual = income.taxable;
    if (partYear)
        annual = w.Add({"Annual equivalent", "Jaarlikse ekwivalent"},
                       {"Annual equivalent of {2} days' pay", "Jaarlikse ekwivalent van {2} dae se besoldiging"},
                       "{1} \u00d7 365 \u00f7 {2}", {w.Step(income.taxable), Count(days)}, annualise(taxable));
    annual = RecordRetirementCap(w, annual, cap, taxYear);
    const TableSteps table = RecordTableTaxes(w, annual, in.Bonus, recordWith, record);
    const int rebateStep = RecordRebate(w, in.Age, rebate, taxYear);
    // An annual tax less the rebate, cut to whole rands with travel allowance or commission.
    const auto lessRebate = [&](Phrase label, Phrase cut, int tableStep, double taxed, double kept) {
        if (kept > 0.0 && kept != taxed)
            return w.Add(label, cut, {w.Step(tableStep), w.Step(rebateStep)}, kept);
        return RecordLessRebate(w, label, tableStep, rebateStep, kept);
    };
    int bonusStep = 0;
    int without = 0;
    if (table.withBonus) {
        const int with = lessRebate({"Annual tax with the bonus", "Jaarlikse belasting met die bonus"},
                                    {"Annual tax with the bonus, {1} less {2} cut to whole rands",
                                     "Jaarlikse belasting met die bonus, {1} min {2} afgekap tot heel rande"},
                                    table.withBonus, taxedWith, withBonus);
        without = lessRebate({"Annual tax without the bonus", "Jaarlikse belasting sonder die bonus"},
                             {"Annual tax without the bonus, {1} less {2} cut to whole rands",
                              "Jaarlikse belasting sonder die bonus, {1} min {2} afgekap tot heel rande"},
                             table.withoutBonus, taxedWithout, withoutBonus);
        bonusStep = w.Add({"Tax on the bonus", "Belasting op die bonus"}, {}, "{1} \u2212 {2}",
                          {w.Step(with), w.Step(without)}, bonusTax);
    } else {
        without = lessRebate(partYear ? Phrase{"Annual tax less the rebate", "Jaarlikse belasting min die korting"}
                                      : Phrase{"Tax liability", "Belasting verpligting"},
                             {"Annual tax less the rebate, {1} less {2} cut to whole rands",
                              "Jaarlikse belasting min die korting, {1} min {2} afgekap tot heel rande"},
                             table.withoutBonus, taxedWithout, withoutBonus);
    }
    int regularStep = without;
    if (partYear)
        regularStep = w.Add(RegularLabel(in.Bonus, regular,
                                         {"Tax for the days worked", "Belasting vir die dae gewerk"}),
                            {"Annual tax for {2} days of 365", "Jaarlikse belasting vir {2} dae van 365"},
                            "{1} \u00d7 {2} \u00f7 365", {w.Step(without), Count(days)}, regular);
    const int liability = RecordLiability(w, bonusStep, regularStep, regular, r.TaxLiability);

    int credit = 0;
    for (int i = 0; i < runCount; ++i) {
        const CreditRun& run = runs[static_cast<std::size_t>(i)];
        if (run.members == 0)
            continue;
        credit = credit
            ? w.Add(CreditLabel,
                    {"Plus {3} on the scheme in {2} of the months", "Plus {3} op die skema in {2} van die maande"},
                    "{1} + {2} \u00d7 {4}",
                    {w.Step(credit), Count(run.months), Count(run.members), Amount(run.monthCredit)},
                    run.total)
            : w.Add(CreditLabel,
                    {"Medical scheme fees credit, {2} on the scheme in {1} of the months",
                     "Mediese skemageldekrediet, {2} op die skema in {1} van die maande"},
                    "{1} \u00d7 {3}", {Count(run.months), Count(run.members), Amount(run.monthCredit)}, run.total);
    }
    if (!credit && (runCount > 0 || in.Beneficiaries != 0))
        credit = w.Add(CreditLabel,
                       runCount > 0 ? Phrase{"No members on the scheme in the period",
                                             "Geen lede op die skema in die tydperk nie"}
                                    : Phrase{"No medical scheme contribution, so no credit",
                                             "Geen bydrae tot 'n mediese skema nie, dus geen krediet nie"},
                       {}, r.MedicalCredit);
    const int additional = RecordAdditionalCredit(w, in, credit, r.AdditionalMedicalCredit);
    RecordTotal(w, liability, credit, additional, r.TaxLiability, r.TotalTaxDeduction);
    HandOver(working, std::move(w), finite, r.TotalTaxDeduction);
    return r;
}

} // namespace revora
