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

// A date of `year` as the date boxes of that year take it: `fallback` when not given, and
// `refusal`, the box's own message, for any other date.
int DateOfYear(const ParsedOptions& options, const OptionDef& option, int fallback, const std::string& refusal,
               const TaxYear& year);
// The stored settings a calculation in `year` paid on `payDay` starts from: with --year, the UIF
// and SDL settings follow the year while they are published figures (LeviesForYear); without
// it, the stored ones as they are. The settings given for the run are laid over them after.
PayeSettings StoredForYear(const ParsedOptions& options, const PayeSettings& stored, const TaxYear& year, int payDay);

} // namespace revora::cli
