#include "common/Working.h"

#include <charconv>
#include <cmath>

#include "common/AmountFormat.h"
#include "common/DayDate.h"

namespace revora {
namespace {

// Fixed decimals, written without the C locale, whose decimal mark may be a comma.
std::string Fixed(double value, int decimals)
{
    char digits[400];
    const auto written = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
    return std::string(digits, written.ptr);
}

// Up to `decimals` decimals, trailing zeros (and a bare point) dropped: "26", "0.8333".
std::string Trimmed(double value, int decimals)
{
    std::string text = Fixed(value, decimals);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    if (text == "-0")
        text = "0";
    return text;
}

// The figures put in for {1}, {2}, …; "of" becomes "van" in Afrikaans.
std::string FillIn(std::string_view pattern, const std::vector<WorkedFigure>& figures, PrintLanguage language)
{
    std::string text;
    for (std::size_t at = 0; at < pattern.size();) {
        if (pattern[at] == '{') {
            const std::size_t close = pattern.find('}', at);
            int number = 0;
            if (close != std::string_view::npos)
                std::from_chars(pattern.data() + at + 1, pattern.data() + close, number);
            if (number >= 1 && static_cast<std::size_t>(number) <= figures.size()) {
                text += FormatFigure(figures[number - 1]);
                at = close + 1;
                continue;
            }
        }
        if (language == PrintLanguage::Afrikaans && pattern.substr(at, 4) == " of ") {
            text += " van ";
            at += 4;
            continue;
        }
        text += pattern[at++];
    }
    return text;
}

} // namespace

std::string FormatFigure(const WorkedFigure& figure)
{
    if (!std::isfinite(figure.Value))
        return {};
    switch (figure.Kind) {
    case FigureKind::Amount:
        return FormatAmount(figure.Value);
    case FigureKind::Rand:
        return "R " + FormatAmount(figure.Value);
    case FigureKind::Percent:
        return Trimmed(figure.Value, 4) + " %";
    case FigureKind::Count:
        return Trimmed(figure.Value, 0);
    case FigureKind::Date:
        return FormatDayDate(static_cast<int>(figure.Value));
    case FigureKind::Factor:
        return Trimmed(figure.Value, 6);
    }
    return {};
}

std::string WorkingStep::LabelText(PrintLanguage language) const
{
    return Prefix + std::string(Label.In(language));
}

std::string WorkingStep::ShownAmount() const
{
    return FormatFigure({Amount, AmountKind});
}

std::string WorkingStep::Worked(PrintLanguage language) const
{
    const std::string words = FillIn(Words.In(language), Figures, language);
    const std::string formula = FillIn(Formula, Figures, language);
    return words + (words.empty() || formula.empty() ? "" : ": ") + formula;
}

std::string WorkingStep::Text(PrintLanguage language) const
{
    // Without words of its own a step is introduced by its label; the words of a step added
    // under a prefix ("Vehicle 2: ") carry the prefix too.
    std::string text = *Words.English ? Prefix + FillIn(Words.In(language), Figures, language) : LabelText(language);
    const std::string formula = FillIn(Formula, Figures, language);
    if (!formula.empty())
        text += ": " + formula + " =";
    else
        text += ":";
    return text + " " + ShownAmount();
}

int Working::Add(Phrase label, Phrase words, const char* formula, std::initializer_list<WorkedFigure> figures,
                 double amount, FigureKind amountKind)
{
    steps_.push_back({label, words, formula ? formula : "", figures, amount, amountKind, {}});
    return static_cast<int>(steps_.size());
}

WorkedFigure Working::Step(int number) const
{
    const WorkingStep& step = steps_.at(static_cast<std::size_t>(number - 1));
    return {step.Amount, step.AmountKind, number};
}

void Working::Append(const Working& other, std::string_view prefix)
{
    const int offset = static_cast<int>(steps_.size());
    for (WorkingStep step : other.steps_) {
        for (WorkedFigure& figure : step.Figures)
            if (figure.FromStep > 0)
                figure.FromStep += offset;
        step.Prefix = std::string(prefix) + step.Prefix;
        steps_.push_back(std::move(step));
    }
}

bool Working::AllFinite() const noexcept
{
    for (const WorkingStep& step : steps_) {
        if (!std::isfinite(step.Amount))
            return false;
        for (const WorkedFigure& figure : step.Figures)
            if (!std::isfinite(figure.Value))
                return false;
    }
    return true;
}

} // namespace revora
