#pragma once
// The figures of a periodic employees' tax calculation as revora-calc prints them, and the
// printout's language: the monthly, weekly, fortnightly and daily commands, and each employee
// of a payroll run.

#include <string>
#include <vector>

#include "CalcCommand.h"
#include "payroll/PayeCommon.h"

namespace revora::cli {

// UIF employee and employer, SDL, tax liability, both credits and the total deduction, under
// their JSON keys and the screen's captions.
std::vector<Figure> PeriodicFigures(const PeriodicPayeResult& r);

// The printout's language, English or Afrikaans: a single employee's printout, and the
// payslips of a payroll run.
extern const OptionDef LanguageOption;
// The language given, English when none is.
PrintLanguage ReadLanguage(const ParsedOptions& options);


} // namespace revora::cli
