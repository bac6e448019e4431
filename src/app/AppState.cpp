#include "AppState.h"

#include "tax/TaxYearRules.h"

namespace revora {

const TaxYear& TaxYearChoice::Current() const
{
    for (const TaxYear& year : Years)
        if (year.Year == Chosen)
            return year;
    return TaxYear2016();
}

void AppState::InitialiseAll()
{
    Tax.Reset();
    Vehicle.Reset();
    Finance.Reset();
}

} // namespace revora
