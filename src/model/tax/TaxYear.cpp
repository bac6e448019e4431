#include "tax/TaxYear.h"

#include <cmath>

#include "common/AmountFormat.h"
#include "common/DayDate.h"

namespace revora {
namespace {

// A published figure worked from others is rounded to the rand; a hair more than half a rand
// allows for the binary fractions of the rates.
constexpr double HalfARand = 0.5 + 1e-6;

// The retirement-fund reform of 1 March 2016: one deduction, capped, from the year 2017 on.
constexpr int FirstYearOfOneDeduction = 2017;

std::string Indexed(const char* field, std::size_t index)
{
    return std::string(field) + '[' + std::to_string(index) + ']';
}

// The faults found so far, each "<field>: <what is wrong>".
struct Faults {
    std::vector<std::string> Found;

    void add(const std::string& field, const std::string& problem) { Found.push_back(field + ": " + problem); }

    void rate(const std::string& field, double rate)
    {
        if (!(rate >= 0.0 && rate <= 1.0))
            add(field, FormatFullPrecision(rate) + " is not a share between 0 and 1");
    }

    // An amount above 0 and below `most`.
    void amount(const std::string& field, double amount, double most = LargestTaxYearAmount)
    {
        if (!(amount > 0.0 && amount < most))
            add(field, FormatFullPrecision(amount) + " is not above 0 and below " + FormatAmount(most, 0));
    }

    void worked(const std::string& field, double published, double worked, const std::string& from)
    {
        if (!(std::abs(published - worked) <= HalfARand))
            add(field, FormatAmount(published, 2) + " differs by more than half a rand from " + from + ", " +
                           FormatAmount(worked, 2));
    }

    // Dated values in date order, the first from the year's first day, all inside the year.
    void dated(const char* field, const std::vector<DatedAmount>& values, const TaxYear& year)
    {
        for (std::size_t i = 0; i < values.size(); ++i) {
            const std::string name = Indexed(field, i) + ".from";
            const int from = values[i].From;
            if (from < year.Start || from > year.End)
                add(name, FormatDayDate(from) + " is outside the year, " + FormatDayDate(year.Start) + " to " +
                              FormatDayDate(year.End));
            else if (i == 0 && from != year.Start)
                add(name, "the first must be from the year's first day, " + FormatDayDate(year.Start));
            else if (i > 0 && from <= values[i - 1].From)
                add(name, FormatDayDate(from) + " is not after the one before");
        }
    }
};

void CheckBrackets(Faults& faults, const std::vector<TaxYearBracket>& brackets)
{
    if (brackets.empty()) {
        faults.add("brackets", "the table has no brackets");
        return;
    }
    if (brackets[0].Over != 0.0 || brackets[0].Base != 0.0)
        faults.add(Indexed("brackets", 0), "the first bracket must be over 0 with base 0");
    for (std::size_t i = 0; i < brackets.size(); ++i) {
        faults.rate(Indexed("brackets", i) + ".rate", brackets[i].Rate);
        if (i == 0)
            continue;
        const TaxYearBracket& below = brackets[i - 1];
        const std::string name = Indexed("brackets", i);
        faults.amount(name + ".over", brackets[i].Over);
        faults.amount(name + ".base", brackets[i].Base);
        // A table whose rates fall or stand still is no progressive table: a damaged rate.
        if (!(brackets[i].Rate > below.Rate))
            faults.add(name + ".rate", FormatFullPrecision(brackets[i].Rate) + " is not above the rate of the bracket below");
        if (!(brackets[i].Over > below.Over)) {
            faults.add(name + ".over", FormatAmount(brackets[i].Over, 2) + " is not above the bracket below");
            continue;
        }
        faults.worked(name + ".base", brackets[i].Base,
                      below.Base + below.Rate * (brackets[i].Over - below.Over), "the base the bracket below gives");
    }
}

void CheckThresholds(Faults& faults, const TaxYear& year)
{
    if (year.Brackets.empty() || !(year.Brackets[0].Rate > 0.0))
        return;
    const double rate = year.Brackets[0].Rate;
    const TaxYearRebates& r = year.Rebates;
    faults.amount("rebates.primary", r.Primary);
    faults.amount("rebates.secondary", r.Secondary);
    faults.amount("rebates.tertiary", r.Tertiary);
    faults.amount("thresholds.under_65", year.Thresholds.Under65);
    faults.amount("thresholds.65_to_74", year.Thresholds.From65To74);
    faults.amount("thresholds.75_plus", year.Thresholds.From75);
    const char* from = "the rebates divided by the first bracket's rate";
    faults.worked("thresholds.under_65", year.Thresholds.Under65, r.Primary / rate, from);
    faults.worked("thresholds.65_to_74", year.Thresholds.From65To74, (r.Primary + r.Secondary) / rate, from);
    faults.worked("thresholds.75_plus", year.Thresholds.From75, (r.Primary + r.Secondary + r.Tertiary) / rate, from);
}

void CheckDeemedCosts(Faults& faults, const std::vector<DeemedCostBand>& bands)
{
    const char* field = "travel.deemed_cost_table";
    if (bands.empty() || bands.back().ValueUpTo)
        faults.add(field, "the last band must be open (value_up_to null)");
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const std::string name = Indexed(field, i);
        if (bands[i].ValueUpTo)
            faults.amount(name + ".value_up_to", *bands[i].ValueUpTo);
        faults.amount(name + ".fixed_cost", bands[i].FixedCost);
        faults.amount(name + ".fuel_cents_per_km", bands[i].FuelCentsPerKm);
        faults.amount(name + ".maintenance_cents_per_km", bands[i].MaintenanceCentsPerKm);
    }
    for (std::size_t i = 0; i + 1 < bands.size(); ++i) {
        if (!bands[i].ValueUpTo)
            faults.add(Indexed(field, i) + ".value_up_to", "only the last band may be open");
        else if (i > 0 && bands[i - 1].ValueUpTo && !(*bands[i].ValueUpTo > *bands[i - 1].ValueUpTo))
            faults.add(Indexed(field, i) + ".value_up_to", "is not above the band before");
    }
}

} // namespace

std::vector<std::string> TaxYearFaults(const TaxYear& year)
{
    Faults faults;
    if (year.Start != DayNumberFromCivil({year.Year - 1, 3, 1}))
        faults.add("start", FormatDayDate(year.Start) + " is not 1 March " + std::to_string(year.Year - 1));
    if (year.End != DayNumberFromCivil({year.Year, 3, 1}) - 1)
        faults.add("end", FormatDayDate(year.End) + " is not the last day of February " + std::to_string(year.Year));

    CheckBrackets(faults, year.Brackets);
    CheckThresholds(faults, year);

    const char* medical = "medical_credit_per_month.";
    faults.amount(medical + std::string("main_member"), year.MedicalCredits.MainMember, LargestMedicalCreditPerMonth);
    faults.amount(medical + std::string("first_dependant"), year.MedicalCredits.FirstDependant,
                  LargestMedicalCreditPerMonth);
    faults.amount(medical + std::string("each_additional_dependant"), year.MedicalCredits.EachAdditional,
                  LargestMedicalCreditPerMonth);

    faults.rate("uif.employee_rate", year.Uif.EmployeeRate);
    faults.rate("uif.employer_rate", year.Uif.EmployerRate);
    if (year.Uif.MonthlyCeilings.empty())
        faults.add("uif.monthly_ceiling", "the year has no UIF ceiling");
    faults.dated("uif.monthly_ceiling", year.Uif.MonthlyCeilings, year);
    for (std::size_t i = 0; i < year.Uif.MonthlyCeilings.size(); ++i)
        faults.amount(Indexed("uif.monthly_ceiling", i) + ".amount", year.Uif.MonthlyCeilings[i].Amount);
    faults.rate("sdl_rate", year.SdlRate);
    faults.dated("sdl_rate_periods", year.SdlRatePeriods, year);
    for (std::size_t i = 0; i < year.SdlRatePeriods.size(); ++i)
        faults.rate(Indexed("sdl_rate_periods", i) + ".rate", year.SdlRatePeriods[i].Amount);

    if (year.DeemedCostTable)
        CheckDeemedCosts(faults, *year.DeemedCostTable);
    if (year.RatePerKmCents)
        faults.amount("travel.rate_per_km_cents", *year.RatePerKmCents);

    faults.rate("company_car.rate_per_month", year.CompanyCar.RatePerMonth);
    faults.rate("company_car.rate_with_maintenance_plan", year.CompanyCar.RateWithMaintenancePlan);
    faults.rate("company_car.paye_inclusion", year.CompanyCar.PayeInclusion);
    faults.rate("company_car.paye_inclusion_business_use", year.CompanyCar.PayeInclusionBusinessUse);

    if (year.Retirement.Regime == RetirementRegime::OneDeduction) {
        faults.rate("retirement.rate", year.Retirement.Rate);
        faults.amount("retirement.annual_cap", year.Retirement.AnnualCap);
    } else if (year.Year >= FirstYearOfOneDeduction) {
        faults.add("retirement.regime", "from " + std::to_string(FirstYearOfOneDeduction) +
                                            " the one deduction applies, with its rate and annual_cap");
    }
    return faults.Found;
}

std::string AddedHereMark(const TaxYear& year) { return year.AddedHere ? " (added here)" : ""; }

std::vector<std::string> TaxYearMissing(const TaxYear& year)
{
    std::vector<std::string> missing;
    if (!year.DeemedCostTable)
        missing.emplace_back("no deemed-cost travel table");
    if (!year.RatePerKmCents)
        missing.emplace_back("no prescribed rate per km");
    for (const std::string& figure : year.Checked.Missing)
        missing.push_back(figure);
    return missing;
}

} // namespace revora
