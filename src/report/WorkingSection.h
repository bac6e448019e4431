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

// A step's working as a list shows it beside the amount, in a column of its own: the text
// without its amount and the sign or colon that leads to it ("13 257.00 + 7 407.00"); empty
// for a step that is only its label and its amount.
QString StepWorking(const WorkingStep& step, PrintLanguage language);

// The text with every figure kept whole on its line: the blanks between the digit groups of
// "240 000.00", after "R" and before "%" made non-breaking.
QString KeepFiguresWhole(QString text);

} // namespace revora
