#pragma once
// What every window of the program shares, whoever opens it.

#include <QIcon>

namespace revora {

// A length in twips at a screen's logical resolution.
int TwipsToPixels(int twips, int dotsPerInch);

// The program's icon, which every window carries.
QIcon ProgramIcon();

} // namespace revora
