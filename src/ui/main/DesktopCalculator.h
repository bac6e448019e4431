#pragma once

#include <QStringList>

namespace revora {

// The desktop calculators tried in turn, the first that starts wins.
QStringList DesktopCalculatorPrograms();

// Starts the first calculator that can be started, without a shell; false when none can.
bool StartDesktopCalculator(const QStringList& programs = DesktopCalculatorPrograms());

inline constexpr const char* CalculatorMissingMessage =
    "The Microsoft Calculator is not installed or in the Windows directory";

} // namespace revora
