#pragma once
// The printout's second section, "How these figures were worked out": the steps the
// calculation recorded, numbered, each with its label, its working and its amount.

#include <QString>

#include "common/Working.h"

namespace revora {

// The section's heading in the printout's language.
QString WorkingHeading(PrintLanguage language);

// The rendered report with the section added at the end of its body; the report unchanged
// when the working is empty.
QString WithWorking(const QString& html, const Working& working, PrintLanguage language);

// The working as plain text, one numbered step a line, under its heading (for the clipboard).
QString WorkingText(const Working& working, PrintLanguage language);

} // namespace revora
