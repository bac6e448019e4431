#include "CalcCommand.h"

#include <QString>
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <iomanip>

#include "ArgumentCheck.h"
#include "common/AmountFormat.h"
#include "common/DayDate.h"
#include "common/InputNumbers.h"
#include "common/TextEscape.h"
#include "tax/TaxYearRules.h"

namespace revora::cli {

namespace {

std::string Placeholder(const OptionDef& def)
{
    if (!def.placeholder.empty())
        return def.placeholder;
    switch (def.kind) {
    case OptionKind::Amount:
        return "RAND";
    case OptionKind::Number:
    case OptionKind::Whole:
        return "N";
    case OptionKind::Percentage:
        return "PERCENT";
    case OptionKind::Date:
        return "dd/mm/yyyy";
    case OptionKind::Choice: {
        std::string listed;
        for (const std::string& choice : def.choices)
            listed += (listed.empty() ? "" : "|") + choice;
        return listed;
    }
    case OptionKind::File:
        return "FILE";
    case OptionKind::Text:
        return "TEXT";
    case OptionKind::Flag:
        break;
    }
    return {};
}

// A limit as the help and a refusal write it: grouped, with cents only when it has them.
std::string LimitText(double limit)
{
    return FormatAmount(limit, limit == std::floor(limit) ? 0 : 2);
}

// The help with `field` ("{most}") replaced by the limit.
std::string WithLimit(std::string help, const std::string& field, const std::optional<double>& limit)
{
    for (auto at = help.find(field); at != std::string::npos && limit; at = help.find(field))
        help.replace(at, field.size(), LimitText(*limit));
    return help;
}

bool IsNumeric(OptionKind kind)
{
    return kind == OptionKind::Amount || kind == OptionKind::Number || kind == OptionKind::Whole ||
           kind == OptionKind::Percentage;
}

// A value the option's box would refuse: below 0 where no minus sign is taken, else beyond the
// limits, in the box's own words when it has them.
void CheckLimits(const OptionDef& option, double value, const std::string& asGiven)
{
    const auto least = option.lowest();
    const auto most = option.highest();
    const std::string quoted = "'" + asGiven + "'";
    if (least && *least == 0.0 && value < 0.0)
        throw UsageError("--" + option.name + ": " + quoted + " is below 0");
    if ((!least || value >= *least) && (!most || value <= *most))
        return;
    if (!option.refusal.empty())
        throw UsageError("--" + option.name + ": " + option.refusal);
    if (!least)
        throw UsageError("--" + option.name + ": " + quoted + " is above " + LimitText(*most));
    if (!most)
        throw UsageError("--" + option.name + ": " + quoted + " is below " + LimitText(*least));
    throw UsageError("--" + option.name + ": " + quoted + " must be " + LimitText(*least) + " to " +
                     LimitText(*most));
}

[[noreturn]] void Misdeclared(const std::string& where, const std::string& why)
{
    throw std::logic_error("revora-calc " + where + ": " + why);
}

} // namespace

std::optional<double> OptionDef::lowest() const
{
    if (least || (kind != OptionKind::Amount && kind != OptionKind::Percentage))
        return least;
    return 0.0;
}

std::optional<double> OptionDef::highest() const
{
    if (most || (kind != OptionKind::Amount && kind != OptionKind::Percentage))
        return most;
    return kind == OptionKind::Amount ? LargestTypedAmount : MostPercent;
}

std::string OptionDef::helpText() const
{
    std::string text = WithLimit(WithLimit(help, "{least}", lowest()), "{most}", highest());
    // A number's limits are named, in its help's own words or after them.
    const bool named = help.find("{least}") != std::string::npos || help.find("{most}") != std::string::npos;
    if (IsNumeric(kind) && !named && lowest() && highest())
        text += " (" + LimitText(*lowest()) + " to " + LimitText(*highest()) + ")";
    const std::string shown = Placeholder(*this);
    return shown.empty() ? text : shown + "  " + text;
}

void CheckDeclaration(const Subcommand& subcommand)
{
    std::set<std::string> names;
    for (const OptionDef* def : subcommand.options) {
        const std::string where = subcommand.name + " --" + def->name;
        if (def->name.empty() || !names.insert(def->name).second)
            Misdeclared(where, "declared twice or without a name");
        if (def->help.empty())
            Misdeclared(where, "no help");
        if ((def->kind == OptionKind::Choice) == def->choices.empty())
            Misdeclared(where, "a choice needs its values, and only a choice has them");
        if (def->least && def->most && *def->least > *def->most)
            Misdeclared(where, "the least value is above the most");
        if (def->helpText().find('{') != std::string::npos)
            Misdeclared(where, "the help names a limit the option does not have");
    }
}

ParsedOptions::ParsedOptions(Options defs, const std::vector<std::string>& args)
    : defs_(std::move(defs))
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0)
            throw UsageError("unexpected argument '" + arg + "'");
        std::string name = arg.substr(2);
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        const OptionDef* def = nullptr;
        for (const OptionDef* s : defs_)
            if (s->name == name)
                def = s;
        if (!def)
            throw UsageError("--" + name + ": unknown option");
        if (!def->takesValue()) {
            if (inlineValue)
                throw UsageError("--" + name + ": takes no value");
            flags_.insert(def);
            continue;
        }
        if (!inlineValue && i + 1 >= args.size())
            throw UsageError("--" + name + ": missing value");
        std::vector<std::string>& given = values_[def];
        if (!def->repeatable)
            given.clear();
        given.push_back(inlineValue ? *inlineValue : args[++i]);
    }
}

bool ParsedOptions::declares(const OptionDef& option) const
{
    return std::find(defs_.begin(), defs_.end(), &option) != defs_.end();
}

const OptionDef& ParsedOptions::declared(const OptionDef& option) const
{
    if (!declares(option))
        throw std::logic_error("--" + option.name + ": read, but not declared by this calculator");
    return option;
}

bool ParsedOptions::has(const OptionDef& option) const
{
    return flags_.count(&declared(option)) > 0 || values_.count(&option) > 0;
}

std::optional<std::string> ParsedOptions::value(const OptionDef& option) const
{
    const auto it = values_.find(&declared(option));
    if (it == values_.end())
        return std::nullopt;
    return it->second.back();
}

std::vector<std::string> ParsedOptions::values(const OptionDef& option) const
{
    const auto it = values_.find(&declared(option));
    return it == values_.end() ? std::vector<std::string>{} : it->second;
}

double ParsedOptions::number(const OptionDef& option, double fallback) const
{
    return numberIfGiven(option).value_or(fallback);
}

std::optional<double> ParsedOptions::numberIfGiven(const OptionDef& option) const
{
    const auto text = value(option);
    if (!text)
        return std::nullopt;
    const double number = NumberFromText(option.name, *text);
    CheckLimits(option, number, *text);
    return number;
}

double ParsedOptions::requiredNumber(const OptionDef& option) const
{
    if (!value(option))
        throw UsageError("--" + option.name + ": missing value");
    return number(option, 0.0);
}

std::int16_t ParsedOptions::count(const OptionDef& option, std::int16_t fallback) const
{
    const auto text = value(option);
    if (!text)
        return fallback;
    // Held to the limits as the box holds the count: rounded half to even (the default
    // rounding of nearbyint).
    CheckLimits(option, std::nearbyint(NumberFromText(option.name, *text)), *text);
    return CountFromText(option.name, *text);
}

std::optional<std::size_t> ParsedOptions::choiceIfGiven(const OptionDef& option) const
{
    const auto text = value(option);
    if (!text)
        return std::nullopt;
    const auto found = std::find(option.choices.begin(), option.choices.end(), *text);
    if (found == option.choices.end())
        throw UsageError("--" + option.name + ": '" + *text + "' must be " + OneOf(option.choices));
    return static_cast<std::size_t>(found - option.choices.begin());
}

std::optional<bool> ParsedOptions::yesNoIfGiven(const OptionDef& option) const
{
    const auto chosen = choiceIfGiven(option);
    if (!chosen)
        return std::nullopt;
    return option.choices[*chosen] == "yes";
}

std::string OneOf(const std::vector<std::string>& choices)
{
    std::string listed;
    for (std::size_t i = 0; i < choices.size(); ++i)
        listed += (i == 0 ? "" : i + 1 == choices.size() ? " or " : ", ") + choices[i];
    return listed;
}

double NumberFromText(const std::string& name, const std::string& text)
{
    double parsed = 0.0;
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+')
        ++begin;
    const auto result = std::from_chars(begin, end, parsed);
    if (text.empty() || result.ec != std::errc() || result.ptr != end || !std::isfinite(parsed))
        throw UsageError("--" + name + ": '" + text + "' is not a number");
    return parsed;
}

std::int16_t CountFromText(const std::string& name, const std::string& text)
{
    const auto count = RoundHalfEvenToInt16(NumberFromText(name, text));
    if (!count)
        throw UsageError("--" + name + ": '" + text + "' is outside " + std::to_string(INT16_MIN) + " to "
                         + std::to_string(INT16_MAX));
    return *count;
}

double NonNegativeNumber(const ParsedOptions& options, const OptionDef& option, double fallback)
{
    const double number = options.number(option, fallback);
    if (number < 0.0)
        throw UsageError("--" + option.name + ": '" + *options.value(option) + "' is below 0");
    return number;
}

std::int16_t NonNegativeCount(const std::string& name, const std::string& text)
{
    const std::int16_t count = CountFromText(name, text);
    if (count < 0)
        throw UsageError("--" + name + ": '" + text + "' is below 0");
    return count;
}

std::string NameUpTo(const ParsedOptions& options, const OptionDef& option)
{
    std::string text = options.value(option).value_or("");
    if (const auto refusal = NameRefusal(text, static_cast<int>(option.most.value_or(0.0))))
        throw UsageError("--" + option.name + ": " + *refusal);
    return text;
}

int TaxYearDate(const ParsedOptions& options, const OptionDef& option, int fallback, const std::string& refusal)
{
    return TaxYearDate(options, option, fallback, refusal, TaxYear2016());
}

int TaxYearDate(const ParsedOptions& options, const OptionDef& option, int fallback, const std::string& refusal,
                const TaxYear& year)
{
    const auto text = options.value(option);
    if (!text)
        return fallback;
    const auto day = ParseDayDate(*text);
    if (!day || !InTaxYear(*day, year))
        throw UsageError("--" + option.name + ": " + refusal);
    return *day;
}

const OptionDef JsonOption{"json", OptionKind::Flag, "print one JSON object instead of the captioned figures"};
const OptionDef ExplainOption{"explain", OptionKind::Flag,
                              "show the working behind the figures, step by step (also in a printout)"};
const OptionDef ReportOption{"report", OptionKind::File,
                             "write the report row and render the report to FILE (.pdf, .odt or .html)"};
const OptionDef PrintOption{"print", OptionKind::Flag, "send the report to the default printer"};
const OptionDef DataDirOption{
    .name = DataFolderOption, .kind = OptionKind::File, .help = DataFolderHelp, .placeholder = "DIR"};
const OptionDef AgeOption{.name = "age",
                          .kind = OptionKind::Whole,
                          .help = "age in whole years, {least} to {most}, rounded half to even (default 0)",
                          .least = 0.0,
                          .most = MostAge,
                          .placeholder = "YEARS"};
const OptionDef StartOption{"start", OptionKind::Date, "start date (default " + FormatDayDate(TaxYearStart) + ")"};
const OptionDef YearEndOption{"end", OptionKind::Date, "end date (default " + FormatDayDate(TaxYearEnd) + ")"};

const OptionDef YearOption{.name = "year",
                           .kind = OptionKind::Whole,
                           .help = "the tax year, by the year in which it ends (default " +
                                   std::to_string(TaxYear2016().Year) + "; revora-calc years lists them)",
                           .placeholder = "YYYY"};

Options WithCommon(Options own)
{
    own.insert(own.end(), {&JsonOption, &ReportOption, &PrintOption, &DataDirOption});
    return own;
}

void PrintFigures(std::ostream& out, const std::vector<Figure>& figures, bool json)
{
    if (json) {
        out << '{';
        for (std::size_t i = 0; i < figures.size(); ++i) {
            const std::string number = FormatFullPrecision(figures[i].value);
            out << (i ? ", " : "") << '"' << figures[i].key << "\": " << (number.empty() ? "null" : number);
        }
        out << "}\n";
        return;
    }
    for (const Figure& figure : figures)
        PrintLine(figure.caption, FormatAmount(figure.value, figure.decimals), 30, out);
}

void PrintLine(const std::string& caption, const std::string& shown, int width, std::ostream& out)
{
    out << std::left << std::setw(width) << caption << std::right << std::setw(20) << shown << '\n';
}

} // namespace revora::cli
