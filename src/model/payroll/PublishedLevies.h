#pragma once
// The UIF and SDL settings a tax year publishes, and which settings follow the year. The
// settings are the user's to change; while they hold published figures (of any year), a
// calculation in a year works with that year's figures for its pay date, and once changed by
// hand they are used as they stand.

#include <span>

#include "payroll/PayeCommon.h"
#include "tax/TaxYear.h"

namespace revora {

// The year's published figures for a pay date, as percents and rand: each UIF rate x 100, the
// SDL rate in force on the day x 100, the UIF ceiling in force on the day. The travel
// allowance's inclusion rate is not a published levy: it is taken from `keep`.
PayeSettings PublishedLevies(const TaxYear& year, int payDay, const PayeSettings& keep);

// Whether the four levy settings (both UIF rates, SDL, the UIF ceiling) are the published
// figures of one of `years` on one of its dates: each UIF rate that year's, the SDL rate one of
// the year's SDL rates, the ceiling one of the year's ceilings. Compared to a millionth, as the
// settings are stored as typed to the cent.
bool ArePublishedLevies(const PayeSettings& settings, std::span<const TaxYear> years) noexcept;

// The pay date of a period known by its days only (a week, a fortnight, a day): the year's last
// day, so the levies are those the year closes with.
inline int UndatedPayDay(const TaxYear& year) noexcept { return year.End; }

// The settings a calculation in `year` on `payDay` works with: the year's published figures
// when the stored ones are published figures (ArePublishedLevies), else the stored ones.
PayeSettings LeviesForYear(const PayeSettings& stored, const TaxYear& year, int payDay,
                           std::span<const TaxYear> years);

} // namespace revora
