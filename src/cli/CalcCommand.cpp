#include "CalcCommand.h"

#include <QString>
#include <charconv>
#include <cmath>
#include <iomanip>

#include "AmountFormat.h"
#include "common/InputNumbers.h"

namespace revora::cli {

ParsedOptions::ParsedOptions(const std::vector<OptionDef>& defs, const std::vector<std::string>& args)
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
        for (const OptionDef& s : defs)
            if (s.name == name)
                def = &s;
        if (!def)
            throw UsageError("--" + name + ": unknown option");
        if (!def->takesValue) {
            if (inlineValue)
                throw UsageError("--" + name + ": takes no value");
            flags_.insert(name);
            continue;
        }
        if (!inlineValue && i + 1 >= args.size())
            throw UsageError("--" + name + ": missing value");
        std::vector<std::string>& given = values_[name];
        if (!def->repeatable)
            given.clear();
        given.push_back(inlineValue ? *inlineValue : args[++i]);
    }
}

bool ParsedOptions::has(const std::string& name) const { return flags_.count(name) > 0 || values_.count(name) > 0; }

std::optional<std::string> ParsedOptions::value(const std::string& name) const
{
    const auto it = values_.find(name);
    if (it == values_.end())
        return std::nullopt;
    return it->second.back();
}

std::vector<std::string> ParsedOptions::values(const std::string& name) const
{
    const auto it = values_.find(name);
    return it == values_.end() ? std::vector<std::string>{} : it->second;
}

double ParsedOptions::number(const std::string& name, double fallback) const
{
    return numberIfGiven(name).value_or(fallback);
}

std::optional<double> ParsedOptions::numberIfGiven(const std::string& name) const
{
    const auto text = value(name);
    if (!text)
        return std::nullopt;
    return NumberFromText(name, *text);
}

double ParsedOptions::requiredNumber(const std::string& name) const
{
    if (!value(name))
        throw UsageError("--" + name + ": missing value");
    return number(name, 0.0);
}

std::int16_t ParsedOptions::count(const std::string& name, std::int16_t fallback) const
{
    const auto text = value(name);
    return text ? CountFromText(name, *text) : fallback;
}

std::optional<bool> ParsedOptions::yesNoIfGiven(const std::string& name) const
{
    const auto text = value(name);
    if (!text)
        return std::nullopt;
    if (*text != "yes" && *text != "no")
        throw UsageError("--" + name + ": '" + *text + "' must be yes or no");
    return *text == "yes";
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
        throw UsageError("--" + name + ": '" + text + "' is outside -32768 to 32767");
    return *count;
}

double NonNegativeNumber(const ParsedOptions& options, const std::string& name, double fallback)
{
    const double number = options.number(name, fallback);
    if (number < 0.0)
        throw UsageError("--" + name + ": '" + *options.value(name) + "' is below 0");
    return number;
}

std::int16_t NonNegativeCount(const std::string& name, const std::string& text)
{
    const std::int16_t count = CountFromText(name, text);
    if (count < 0)
        throw UsageError("--" + name + ": '" + text + "' is below 0");
    return count;
}

std::string NameUpTo(const ParsedOptions& options, const std::string& name, int most)
{
    std::string text = options.value(name).value_or("");
    // Counted as the name box counts its characters.
    if (QString::fromStdString(text).size() > most)
        throw UsageError("--" + name + ": the name is longer than " + std::to_string(most) + " characters");
    return text;
}

std::vector<OptionDef> CommonOptions()
{
    return {
        {"json", false, "print one JSON object instead of the captioned figures"},
        {"report", true, "FILE  write the report row and render the report to FILE (.pdf, .odt or .html)"},
        {"print", false, "send the report to the default printer"},
        {"data-dir", true, "DIR  the folder of the databases (default: the program's folder, or the user's data folder)"},
    };
}

std::vector<OptionDef> WithCommon(std::vector<OptionDef> own)
{
    for (OptionDef& def : CommonOptions())
        own.push_back(std::move(def));
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
        out << std::left << std::setw(30) << figure.caption << std::right << std::setw(20)
            << FormatAmount(figure.value, figure.decimals) << '\n';
}

} // namespace revora::cli
