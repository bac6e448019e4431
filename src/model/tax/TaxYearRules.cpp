#include "tax/TaxYearRules.h"

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
    if (age >= 75)
        return PrimaryRebateAmount + TertiaryRebatePart;
    if (age >= 65)
        return PrimaryRebateAmount + SecondaryRebatePart;
    return PrimaryRebateAmount;
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
