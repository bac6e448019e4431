#include "AppState.h"

namespace revora {

void AppState::InitialiseAll()
{
    Tax.Reset();
    Vehicle.Reset();
    Finance.Reset();
}

} // namespace revora
