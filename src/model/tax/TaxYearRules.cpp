#include "tax/TaxYearRules.h"

#include <cmath>

#include "tax/TaxEngine.h"

namespace revora {

std::string EndBeforeStartMessage(std::string_view startAsTyped)
{
    std::string message = "The date entered is not correct please enter a date between ";
    message += startAsTyped;
    message += " and 29/02/2016";
    return message;
}

std::string NotADateMessage(std::string_view typed)
{
    if (typed.empty())
        return "Please enter a date as dd/mm/yyyy, such as 01/03/2015";
    std::string message = "\"";
    message += typed;
    message += "\" is not a date: please enter a date as dd/mm/yyyy, such as 01/03/2015";
    return message;
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
    if (memberMonths <= 24)
        return 270.0 * memberMonths;
    return 6480.0 + 181.0 * (memberMonths - 24);
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
