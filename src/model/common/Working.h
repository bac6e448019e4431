#pragma once
// The working behind a calculation's figures: the steps a model records as it calculates, so
// that the explanation is made by the same arithmetic that made the figures and can never
// drift from them. A model takes a `Working*`; null (the default everywhere) records nothing
// and costs one test of a pointer per step.
//
// A step has a short label ("Annual equivalent"), its working in words with the figures
// filled in ("R 20 000.00 for the whole month"), an optional formula over its figures
// ("{1} × 12"), and its amount. The text of a step reads
//     words: formula = amount        e.g. "Tax on R 240 000.00 from the table: 32 742.00 +
//                                           26 % of (240 000.00 − 181 900.00) = 47 848.00"
//     words: amount                  when there is no formula
// and a step without words of its own is introduced by its label.
// A formula is plain arithmetic over its figures and whole numbers: + − × ÷, "of" (times, as
// in "26 % of"), "^" (a power) and brackets. A percentage figure counts as its hundredth part
// in a formula, so "26 % of (…)" is 0.26 × (…). The tests evaluate every formula over the
// figures at full precision and compare it with the step's amount.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace revora {

// The language of a printout; the employees' tax printouts come in both.
enum class PrintLanguage { English, Afrikaans };

// A text in English and, where a printout in Afrikaans shows it, in Afrikaans too (null:
// the English serves). Both are string literals: recording a step copies no text.
struct Phrase {
    const char* English = "";
    const char* Afrikaans = nullptr;
    std::string_view In(PrintLanguage language) const noexcept
    {
        return language == PrintLanguage::Afrikaans && Afrikaans ? Afrikaans : English;
    }
};

// How a figure is shown: "240 000.00", "R 240 000.00", "26 %", "31", "01/03/2015", "1.083333".
enum class FigureKind { Amount, Rand, Percent, Count, Date, Factor };

struct WorkedFigure {
    double Value = 0.0;
    FigureKind Kind = FigureKind::Amount;
    int FromStep = 0; // the number (from 1) of the step whose amount this is; 0: none
};

inline WorkedFigure Amount(double value) noexcept { return {value, FigureKind::Amount}; }
inline WorkedFigure Rand(double value) noexcept { return {value, FigureKind::Rand}; }
inline WorkedFigure Percent(double value) noexcept { return {value, FigureKind::Percent}; }
inline WorkedFigure Count(double value) noexcept { return {value, FigureKind::Count}; }
inline WorkedFigure Date(int dayNumber) noexcept { return {static_cast<double>(dayNumber), FigureKind::Date}; }
inline WorkedFigure Factor(double value) noexcept { return {value, FigureKind::Factor}; }

struct WorkingStep {
    Phrase Label;
    Phrase Words;                // may hold {1}, {2}, … for the figures; may be empty
    const char* Formula = "";    // may be empty
    std::vector<WorkedFigure> Figures;
    double Amount = 0.0;
    FigureKind AmountKind = FigureKind::Amount;
    std::string Prefix; // before the label, as Working::Append gives it ("Vehicle 2: ")

    std::string LabelText(PrintLanguage language = PrintLanguage::English) const;
    // The working with the figures filled in, as the step's text reads (see above).
    std::string Text(PrintLanguage language = PrintLanguage::English) const;
    // Only the words and the formula with the figures filled in, without the label and the
    // amount: what a list that shows those in columns of their own puts between them.
    std::string Worked(PrintLanguage language = PrintLanguage::English) const;
    // The amount as the step shows it.
    std::string ShownAmount() const;
};

class Working {
public:
    // Records a step and returns its number (from 1), for later steps to refer to it.
    int Add(Phrase label, Phrase words, const char* formula, std::initializer_list<WorkedFigure> figures,
            double amount, FigureKind amountKind = FigureKind::Amount);
    // A step without a formula: "label", "words: amount".
    int Add(Phrase label, Phrase words, std::initializer_list<WorkedFigure> figures, double amount,
            FigureKind amountKind = FigureKind::Amount)
    {
        return Add(label, words, "", figures, amount, amountKind);
    }
    // The amount of step `number` as a figure of a later step, shown as that step shows it.
    WorkedFigure Step(int number) const;

    const std::vector<WorkingStep>& Steps() const noexcept { return steps_; }
    bool Empty() const noexcept { return steps_.empty(); }
    void Clear() noexcept { steps_.clear(); }
    // Every step of `other` after these, their references renumbered ("Vehicle 2: …" after
    // vehicle 1's steps); `prefix` goes before each label.
    void Append(const Working& other, std::string_view prefix = {});
    // True when no amount or figure is infinite or not a number.
    bool AllFinite() const noexcept;

private:
    std::vector<WorkingStep> steps_;
};

// A figure as its kind shows it.
std::string FormatFigure(const WorkedFigure& figure);

} // namespace revora
