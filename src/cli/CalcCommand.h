#pragma once
// The shape every revora-calc subcommand shares: named options, a strict parse that names the
// option at fault, and the common --json, --report, --print and --data-dir handling.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace revora::cli {

// A bad command line; the message is printed as one line and the program exits with 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct OptionDef {
    std::string name;     // without the leading "--"
    bool takesValue;
    std::string help;
    bool repeatable = false; // each value kept, in order; otherwise a later value replaces an earlier one
};

class ParsedOptions {
public:
    ParsedOptions(const std::vector<OptionDef>& defs, const std::vector<std::string>& args);

    bool has(const std::string& name) const;
    std::optional<std::string> value(const std::string& name) const;
    // Every value of a repeatable option, in the order given.
    std::vector<std::string> values(const std::string& name) const;
    // A finite number written out in full ("500000", "-10.5", "1e6"); UsageError otherwise.
    double number(const std::string& name, double fallback) const;
    std::optional<double> numberIfGiven(const std::string& name) const;
    double requiredNumber(const std::string& name) const;
    // A count or an age as the screens hold it (see CountFromText).
    std::int16_t count(const std::string& name, std::int16_t fallback) const;
    // "yes" or "no"; UsageError otherwise.
    std::optional<bool> yesNoIfGiven(const std::string& name) const;

private:
    std::map<std::string, std::vector<std::string>> values_;
    std::set<std::string> flags_;
};

// The text of an option's value read as the option reads it; UsageError naming the option.
double NumberFromText(const std::string& name, const std::string& text);
// Rounded half to even into 16 bits, as a screen's count box holds it.
std::int16_t CountFromText(const std::string& name, const std::string& text);
// A count as a count box takes it: no minus sign.
std::int16_t NonNegativeCount(const std::string& name, const std::string& text);
// An amount as an amount box that takes no minus sign takes it; `fallback` when not given.
double NonNegativeNumber(const ParsedOptions& options, const std::string& name, double fallback = 0.0);
// A name for the printout, at most `most` characters as its box counts them.
std::string NameUpTo(const ParsedOptions& options, const std::string& name, int most);

// The options every subcommand takes besides its own.
std::vector<OptionDef> CommonOptions();
// A subcommand's own options followed by the common ones.
std::vector<OptionDef> WithCommon(std::vector<OptionDef> own);

struct Subcommand {
    std::string name;
    std::string summary;
    std::vector<OptionDef> options; // common ones included
    std::function<int(const ParsedOptions&)> run;
};

// Each calculator family's subcommands, from its own file; main.cpp lists them in one table.
std::vector<Subcommand> QuickTaxCommands();
std::vector<Subcommand> PayeCommands();
std::vector<Subcommand> PackageCommands();
std::vector<Subcommand> VehicleCommands();
std::vector<Subcommand> FinanceCommands();
std::vector<Subcommand> SettingsCommands();

struct Figure {
    std::string key;     // JSON key
    std::string caption; // as on the screen
    double value;
    int decimals;
};

void PrintFigures(std::ostream& out, const std::vector<Figure>& figures, bool json);

} // namespace revora::cli
