#include "payroll/PublishedLevies.h"

#include <cmath>

#include "tax/TaxYearRules.h"

namespace revora {

namespace {

bool Same(double a, double b) noexcept
{
    return std::fabs(a - b) < 1e-6;
}

bool PublishedIn(const PayeSettings& s, const TaxYear& year) noexcept
{
    if (!Same(s.EmployeeUIF, year.Uif.EmployeeRate * 100.0) || !Same(s.EmployerUIF, year.Uif.EmployerRate * 100.0))
        return false;
    bool sdl = Same(s.SkillLevy, year.SdlRate * 100.0);
    for (const DatedAmount& period : year.SdlRatePeriods)
        sdl = sdl || Same(s.SkillLevy, period.Amount * 100.0);
    bool ceiling = false;
    for (const DatedAmount& from : year.Uif.MonthlyCeilings)
        ceiling = ceiling || Same(s.UIFLimit, from.Amount);
    return sdl && ceiling;
}

} // namespace

PayeSettings PublishedLevies(const TaxYear& year, int payDay, const PayeSettings& keep)
{
    PayeSettings published = keep;
    published.EmployeeUIF = year.Uif.EmployeeRate * 100.0;
    published.EmployerUIF = year.Uif.EmployerRate * 100.0;
    published.SkillLevy = SdlRateOn(year, payDay) * 100.0;
    published.UIFLimit = UifCeilingOn(year, payDay);
    return published;
}

bool ArePublishedLevies(const PayeSettings& settings, std::span<const TaxYear> years) noexcept
{
    for (const TaxYear& year : years)
        if (PublishedIn(settings, year))
            return true;
    return false;
}

PayeSettings LeviesForYear(const PayeSettings& stored, const TaxYear& year, int payDay,
                           std::span<const TaxYear> years)
{
    return ArePublishedLevies(stored, years) ? PublishedLevies(year, payDay, stored) : stored;
}

} // namespace revora
