#pragma once
// The shape every revora-calc subcommand shares: named options, a strict parse that names the
// option at fault, and the common --json, --report, --print and --data-dir handling.

#include <cstdint>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "payroll/PayeCommon.h"
#include "tax/TaxYear.h"

namespace revora::cli {

// A bad command line; the message is printed as one line and the program exits with 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What an option's value is, as the box it stands for takes it: an amount of money, another
// number, a whole number, a percentage, a date, one of a few words, a file or folder, free
// text, or nothing at all (a flag). The kind gives the help's placeholder.
enum class OptionKind { Amount, Number, Whole, Percentage, Date, Choice, File, Text, Flag };

// One option as a subcommand declares it. The declaration is the option's handle: readers ask
// ParsedOptions for a value by the declaration itself, never by its name, and its limits are
// the model's own constants, read both by the help text and by the check of a value.
struct OptionDef {
    std::string name; // without the leading "--"
    OptionKind kind;
    // The help after the placeholder; "{least}" and "{most}" stand for the limits as written.
    std::string help;
    std::optional<double> least = std::nullopt;
    std::optional<double> most = std::nullopt;
    std::vector<std::string> choices = {}; // Choice: the values taken, in the order the help lists them
    std::string placeholder = {};          // instead of the kind's own ("YEARS", "KM")
    bool repeatable = false; // each value kept, in order; otherwise a later value replaces an earlier one
    // The box's own message for a value beyond the limits; empty: the limits are named.
    std::string refusal = {};

    bool takesValue() const { return kind != OptionKind::Flag; }
    // The limits a value is held to: the option's own, else those of its kind, as the boxes
    // take them: an amount from 0 to the most a box holds, a percentage from 0 to 100.
    std::optional<double> lowest() const;
    std::optional<double> highest() const;
    // The placeholder and the help with the limits written in, as --help lists them.
    std::string helpText() const;
};

using Options = std::vector<const OptionDef*>;

class ParsedOptions {
public:
    ParsedOptions(Options defs, const std::vector<std::string>& args);

    // Whether the subcommand declares the option; any other question about an option it does
    // not declare is a fault (below).
    bool declares(const OptionDef& option) const;
    bool has(const OptionDef& option) const;
    std::optional<std::string> value(const OptionDef& option) const;
    // Every value of a repeatable option, in the order given.
    std::vector<std::string> values(const OptionDef& option) const;
    // A finite number written out in full ("500000", "-10.5", "1e6") within the option's limits
    // (lowest, highest); UsageError otherwise.
    double number(const OptionDef& option, double fallback) const;
    std::optional<double> numberIfGiven(const OptionDef& option) const;
    double requiredNumber(const OptionDef& option) const;
    // A count or an age as the screens hold it (see CountFromText), within the option's limits.
    std::int16_t count(const OptionDef& option, std::int16_t fallback) const;
    // The position of the given value among the option's choices; UsageError for any other.
    std::optional<std::size_t> choiceIfGiven(const OptionDef& option) const;
    // A choice of "yes" or "no".
    std::optional<bool> yesNoIfGiven(const OptionDef& option) const;

private:
    // Asking for an option the subcommand did not declare is a fault in the program, not in
    // the command line: std::logic_error.
    const OptionDef& declared(const OptionDef& option) const;

    Options defs_;
    std::map<const OptionDef*, std::vector<std::string>> values_;
    std::set<const OptionDef*> flags_;
};

// The text of an option's value read as the option reads it; UsageError naming the option.
double NumberFromText(const std::string& name, const std::string& text);
// Rounded half to even into 16 bits, as a screen's count box holds it.
std::int16_t CountFromText(const std::string& name, const std::string& text);
// A count as a count box takes it: no minus sign.
std::int16_t NonNegativeCount(const std::string& name, const std::string& text);
// An amount as an amount box that takes no minus sign takes it; `fallback` when not given.
double NonNegativeNumber(const ParsedOptions& options, const OptionDef& option, double fallback = 0.0);
// A name for the printout, at most the option's `most` characters as its box counts them.
std::string NameUpTo(const ParsedOptions& options, const OptionDef& option);
// A date of the tax year (2016, or `year`) as the date boxes of that year take it; `fallback`
// when not given, and `refusal`, the box's own message, for any other date.
int TaxYearDate(const ParsedOptions& options, const OptionDef& option, int fallback, const std::string& refusal);
int TaxYearDate(const ParsedOptions& options, const OptionDef& option, int fallback, const std::string& refusal,
                const TaxYear& year);
// An option of "yes" or "no", read with yesNoIfGiven.
inline const std::vector<std::string> YesOrNo{"yes", "no"};
inline OptionDef YesNoOption(std::string name, std::string help)
{
    return {.name = std::move(name), .kind = OptionKind::Choice, .help = std::move(help), .choices = YesOrNo};
}
// "a, b or c": the values an option takes, as a refusal lists them.
std::string OneOf(const std::vector<std::string>& choices);

// The options every subcommand takes besides its own.
extern const OptionDef JsonOption;
extern const OptionDef ReportOption;
extern const OptionDef PrintOption;
extern const OptionDef DataDirOption;
// A payroll run's payslips, written to a file by the report writer as --report is.
extern const OptionDef PayslipsOption;
// The working behind the figures: a calculator lists it in its own options.
extern const OptionDef ExplainOption;
// The age, as the tax, employees' tax and package calculators take it.
extern const OptionDef AgeOption;
// The first day of a period of the tax year, and its last when it defaults to the year's end.
extern const OptionDef StartOption;
extern const OptionDef YearEndOption;
// The tax year to work in, by the calendar year in which it ends (default 2016).
extern const OptionDef YearOption;
// A subcommand's own options followed by the common ones.
Options WithCommon(Options own);

// The tax years that can be used, newest first: those shipped and those added in the data
// folder of --data-dir (ReadTaxYears); a damaged year is left out, and revora-calc years and
// --year name it with the reason.
std::vector<TaxYear> InstalledTaxYears(const ParsedOptions& options);
// The year of --year, read from the tax years shipped and those added in the data folder
// (ReadTaxYears); TaxYear2016(), the year the program knows, when none is given, and the year
// 2016 is then read from no file, unless the user added a 2016 in the data folder, which is then
// read and used instead, as the main window uses it. A year refused as damaged is a StorageError naming its file
// (the other years still work); a year the data does not hold is a UsageError listing the years
// it holds. Nothing is written: the settings never change with --year.
TaxYear ChosenTaxYear(const ParsedOptions& options);
// The stored settings a calculation in `year` paid on `payDay` starts from: with --year, the UIF
// and SDL settings follow the year while they are published figures (LeviesForYear); without
// it, the stored ones as they are. The settings given for the run are laid over them after.
PayeSettings StoredForYear(const ParsedOptions& options, const PayeSettings& stored, const TaxYear& year, int payDay);

struct Subcommand {
    std::string name;
    std::string summary;
    Options options; // common ones included
    std::function<int(const ParsedOptions&)> run;
};

// A declaration that could not be read as declared (two options of one name, a choice with
// nothing to choose, limits the wrong way round, a limit the help names but the option lacks)
// is a fault in the program: std::logic_error, raised as revora-calc starts.
void CheckDeclaration(const Subcommand& subcommand);

// Each calculator family's subcommands, from its own file; main.cpp lists them in one table.
std::vector<Subcommand> QuickTaxCommands();
std::vector<Subcommand> PayeCommands();
std::vector<Subcommand> PackageCommands();
std::vector<Subcommand> VehicleCommands();
std::vector<Subcommand> FinanceCommands();
std::vector<Subcommand> SettingsCommands();
std::vector<Subcommand> PayrollCommands();
std::vector<Subcommand> YearsCommands();

struct Figure {
    std::string key;     // JSON key
    std::string caption; // as on the screen
    double value;
    int decimals;
};

void PrintFigures(std::ostream& out, const std::vector<Figure>& figures, bool json);

// A line of figures: the caption left in a column `width` wide, then what is shown,
// right-aligned in 20.
void PrintLine(const std::string& caption, const std::string& shown, int width = 30, std::ostream& out = std::cout);

} // namespace revora::cli
