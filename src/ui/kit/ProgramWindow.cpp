#include "ProgramWindow.h"

#include <cmath>

namespace revora {

int TwipsToPixels(int twips, int dotsPerInch)
{
    // 1 440 twips to the inch.
    return static_cast<int>(std::lround(static_cast<double>(twips) * dotsPerInch / 1440.0));
}

QIcon ProgramIcon() { return QIcon(QStringLiteral(":/revora.svg")); }

} // namespace revora
