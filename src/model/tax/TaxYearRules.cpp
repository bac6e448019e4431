#include "tax/TaxYearRules.h"

#include <cmath>

#include "common/DayDate.h"
#include "tax/TaxEngine.h"
#include "vehicle/DeemedCostTable.h"

namespace revora {

std::string EndBeforeStartMessage(std::string_view startAsTyped)
{
    return EndBeforeStartMessage(startAsTyped, TaxYear2016());
}

std::string NotADateMessage(std::string_view typed)
{
    return NotADateMessage(typed, TaxYear2016());
}

double RebateForAge(std::int16_t age) noexcept
{
    return RebateForAge(age, TaxYear2016());
}

const TaxYear& TaxYear2016()
{
    static const TaxYear year = [] {
        TaxYear built;
        built.Year = 2016;
        built.Label = "2015/16";
        built.Start = TaxYearStart;
        built.End = TaxYearEnd;
        for (const TaxBracket& bracket : TaxTable)
            built.Brackets.push_back({bracket.floor, bracket.baseTax, bracket.rate / 100.0});
        built.Rebates = {PrimaryRebateAmount, SecondaryRebatePart, TertiaryRebatePart - SecondaryRebatePart};
        const double firstRate = built.Brackets.front().Rate;
        built.Thresholds = {std::round(RebateForAge(0, built) / firstRate),
                            std::round(RebateForAge(65, built) / firstRate),
                            std::round(RebateForAge(75, built) / firstRate)};
        built.MedicalCredits = {MedicalCreditPerMonth(1), MedicalCreditPerMonth(2) - MedicalCreditPerMonth(1),
                                MedicalCreditPerMonth(3) - MedicalCreditPerMonth(2)};
        built.Uif = {0.01, 0.01, {{TaxYearStart, 14872.0}}};
        built.SdlRate = 0.01;
        // The vehicles' table, band by band: its upper bounds, then the open band above them.
        std::vector<DeemedCostBand> table;
        for (double upTo : {80000.0, 160000.0, 240000.0, 320000.0, 400000.0, 480000.0}) {
            const DeemedCost& cost = DeemedCostFor(upTo);
            table.push_back({upTo, cost.FixedCost, cost.FuelRate * 100.0, cost.MaintenanceRate * 100.0});
        }
        const DeemedCost& top = DeemedCostFor(TopBracketCeiling);
        table.push_back({std::nullopt, top.FixedCost, top.FuelRate * 100.0, top.MaintenanceRate * 100.0});
        built.DeemedCostTable = std::move(table);
        built.RatePerKmCents = 318.0;
        built.CompanyCar = {0.035, 0.0325, 0.8, 0.2};
        built.Retirement = {RetirementRegime::SeparateLimits, 0.0, 0.0};
        built.Checked.SingleSourced = {"prescribed km rate"};
        return built;
    }();
    return year;
}

double MedicalCreditPerMonth(std::int16_t members) noexcept
{
    if (members <= 2)
        return 270.0 * members;
    return 540.0 + 181.0 * (members - 2);
}

double MedicalCreditForMemberMonths(int memberMonths) noexcept
{
    return MedicalCreditForMemberMonths(memberMonths, TaxYear2016());
}

bool InTaxYear(int day, const TaxYear& year) noexcept
{
    return day >= year.Start && day <= year.End;
}

int MoveIntoTaxYear(int day, const TaxYear& year) noexcept
{
    if (InTaxYear(day, year))
        return day;
    const CivilDate first = CivilFromDayNumber(year.Start);
    CivilDate moved = CivilFromDayNumber(day);
    moved.year = moved.month >= first.month ? first.year : first.year + 1;
    if (!IsValidCivilDate(moved))
        moved.day = 28; // 29 February in a year without one
    return DayNumberFromCivil(moved);
}

namespace {

std::string Between(const char* lead, const TaxYear& year)
{
    std::string message = lead;
    message += FormatDayDate(year.Start);
    message += " and ";
    message += FormatDayDate(year.End);
    return message;
}

} // namespace

std::string OutsideYearMessage(const TaxYear& year)
{
    return Between("The date entered is not correct please enter a date between ", year);
}

std::string PairOutsideYearMessage(const TaxYear& year)
{
    return Between("The dates entered are not correct please enter a dates between ", year);
}

std::string EndBeforeStartMessage(std::string_view startAsTyped, const TaxYear& year)
{
    std::string message = "The date entered is not correct please enter a date between ";
    message += startAsTyped;
    message += " and ";
    message += FormatDayDate(year.End);
    return message;
}

std::string NotADateMessage(std::string_view typed, const TaxYear& year)
{
    const std::string example = FormatDayDate(year.Start);
    if (typed.empty())
        return "Please enter a date as dd/mm/yyyy, such as " + example;
    std::string message = "\"";
    message += typed;
    message += "\" is not a date: please enter a date as dd/mm/yyyy, such as " + example;
    return message;
}

double MedicalCreditPerMonth(std::int16_t members, const TaxYear& year) noexcept
{
    const TaxYearMedicalCredits& c = year.MedicalCredits;
    if (members <= 1)
        return c.MainMember * members;
    return c.MainMember + c.FirstDependant + c.EachAdditional * (members - 2);
}

double MedicalCreditForMemberMonths(int memberMonths, const TaxYear& year) noexcept
{
    const TaxYearMedicalCredits& c = year.MedicalCredits;
    if (memberMonths <= 12)
        return c.MainMember * memberMonths;
    if (memberMonths <= 24)
        return 12.0 * c.MainMember + c.FirstDependant * (memberMonths - 12);
    return 12.0 * (c.MainMember + c.FirstDependant) + c.EachAdditional * (memberMonths - 24);
}

namespace {

double InForceOn(const std::vector<DatedAmount>& dated, int day, double otherwise) noexcept
{
    double amount = dated.empty() ? otherwise : dated.front().Amount;
    for (const DatedAmount& from : dated)
        if (from.From <= day)
            amount = from.Amount;
    return amount;
}

} // namespace

double UifCeilingOn(const TaxYear& year, int day) noexcept
{
    return InForceOn(year.Uif.MonthlyCeilings, day, 0.0);
}

double SdlRateOn(const TaxYear& year, int day) noexcept
{
    return InForceOn(year.SdlRatePeriods, day, year.SdlRate);
}

double AdditionalMedicalCredit(double employerContribution, double employeeContribution, double periodCredit,
                               std::int16_t age) noexcept
{
    const bool contributes = employerContribution > 0.0 || employeeContribution > 0.0;
    if (!(periodCredit > 0.0 && contributes && age >= 65))
        return 0.0;
    const double credit = (employerContribution + employeeContribution - 3.0 * periodCredit) * AdditionalCreditShare;
    return credit < 0.0 ? 0.0 : credit;
}

} // namespace revora
