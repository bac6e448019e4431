#include "payroll/AnnualPaye.h"

#include <cmath>

#include "payroll/PayeSteps.h"
#include "common/DayDate.h"
#include "tax/TaxYearRules.h"

namespace revora {
namespace {

constexpr const char* IncorrectDate = "Incorrect Date";

bool InTaxYear(int day) noexcept { return day >= TaxYearStart && day <= TaxYearEnd; }

// A calendar month's place in the tax year: March 0 ... February 11.
int PlaceInTaxYear(int month) noexcept { return (month + 9) % 12; }

} // namespace

std::optional<PayeRefusal> CheckAnnualPeriod(int startDate, int endDate)
{
    if (!InTaxYear(startDate))
        return PayeRefusal{IncorrectDate, std::string(DateOutsideYearMessage), PayeFocus::StartDate};
    if (!InTaxYear(endDate))
        return PayeRefusal{IncorrectDate, std::string(DateOutsideYearMessage), PayeFocus::EndDate};
    if (endDate < startDate)
        return PayeRefusal{IncorrectDate, EndBeforeStartMessage(FormatDayDate(startDate)), PayeFocus::EndDate};
    return std::nullopt;
}

bool MonthInPeriod(const AnnualPayeInputs& inputs, int month) noexcept
{
    const int place = PlaceInTaxYear(month);
    return place >= PlaceInTaxYear(CivilFromDayNumber(inputs.StartDate).month)
        && place <= PlaceInTaxYear(CivilFromDayNumber(inputs.EndDate).month);
}

void SetMembersInPeriod(AnnualPayeInputs& inputs, std::int16_t members) noexcept
{
    inputs.Amounts.Beneficiaries = members;
    for (int month = 1; month <= 12; ++month)
        if (MonthInPeriod(inputs, month))
            inputs.MembersByMonth[static_cast<std::size_t>(month - 1)] = members;
}

AnnualPayeResult AnnualPayeCalculate(AnnualPayeInputs& inputs, const PayeSettings& settings,
                                     TaxBracketResult& record) noexcept
{
    using namespace paye;
    const PayeInputs& in = inputs.Amounts;
    // Fewer than 1 day only without the period check: nothing to scale by, all zeros.
    const int days = inputs.EndDate - inputs.StartDate + 1;
    if (days < 1)
        return {};

    AnnualPayeResult r;

    // The year's medical credit, month by month. Without a contribution there is none and the
    // counts are left as they are; with one, the months outside the period are cleared.
    if (Contributes(in.EmployerMedical, in.EmployeeMedical)) {
        for (int month = 1; month <= 12; ++month) {
            std::int16_t& members = inputs.MembersByMonth[static_cast<std::size_t>(month - 1)];
            if (MonthInPeriod(inputs, month))
                r.MedicalCredit += MedicalCreditPerMonth(members);
            else
                members = 0;
        }
    }

    // The total tax. The whole-rand cut and the travel allowance belong together: both only
    // when travel allowance + commission is above 0.
    const double rebate = RebateForAge(in.Age);
    const bool travelOrCommission = in.TravelAllowance + in.Commission > 0.0;
    double year = travelOrCommission
        ? in.TravelAllowance * settings.TAIncRate8020 + in.Salary + in.Commission - in.Pension
            - in.RetirementAnnuity + in.EmployerMedical
        : in.Salary - in.Pension - in.RetirementAnnuity + in.EmployerMedical;
    const bool partYear = days < 365;
    if (partYear)
        year = year * 365.0 / days;
    // With the bonus first, so the shared record keeps the income without it.
    double withBonus = TaxBeforeRebatesFor(record, year + in.Bonus) - rebate;
    double withoutBonus = TaxBeforeRebatesFor(record, year) - rebate;
    if (travelOrCommission) {
        withBonus = std::floor(withBonus);
        withoutBonus = std::floor(withoutBonus);
    }
    withBonus = AtLeastZero(withBonus);
    withoutBonus = AtLeastZero(withoutBonus);
    const double bonusTax = withBonus - withoutBonus;
    const double regular = partYear ? withoutBonus * days / 365.0 : withoutBonus;
    const double total = AtLeastZero(regular + bonusTax);

    r.TaxLiability = total;
    r.AdditionalMedicalCredit =
        AdditionalMedicalCredit(in.EmployerMedical, in.EmployeeMedical, r.MedicalCredit, in.Age);
    r.TotalTaxDeduction = NetOfCredits(total, r.MedicalCredit, r.AdditionalMedicalCredit);
    r.SITE = 0.0;                 // no SITE in this tax year: the PAYE part is the whole tax
    const double payePart = total;
    r.PAYE = NetOfCredits(payePart, r.MedicalCredit, r.AdditionalMedicalCredit);
    r.Total = total;

    const bool finite = std::isfinite(r.TaxLiability) && std::isfinite(r.MedicalCredit)
        && std::isfinite(r.AdditionalMedicalCredit) && std::isfinite(r.TotalTaxDeduction) && std::isfinite(r.PAYE);
    return finite ? r : AnnualPayeResult{};
}

} // namespace revora
