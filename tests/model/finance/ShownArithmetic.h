#pragma once
// The check a clerk makes with a calculator: each step's formula, worked over its figures as
// the working shows them, gives the step's amount as shown, to its last place. (The working's
// own check works over the figures at full precision; a figure shown rounded passes that one
// and fails this.)

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/WorkingCheck.h"

namespace revora::testing {

// A figure's value as its text reads, for a calculator: "R 1 101.09" is 1101.09.
inline double AsShown(const WorkedFigure& figure)
{
    if (figure.Kind == FigureKind::Date)
        return figure.Value; // dates are taken apart as day numbers
    std::string digits;
    for (const char c : FormatFigure(figure))
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-')
            digits += c;
    return std::stod(digits);
}

// One unit of the last place a figure of this kind shows (in percent for a percentage).
inline double LastPlace(FigureKind kind)
{
    switch (kind) {
    case FigureKind::Amount:
    case FigureKind::Rand:
        return 0.01;
    case FigureKind::Percent:
        return 1e-4;
    case FigureKind::Factor:
        return 1e-6;
    case FigureKind::Count:
    case FigureKind::Date:
        break;
    }
    return 1.0;
}

inline void ExpectChecksOutAsShown(const Working& working)
{
    const auto& steps = working.Steps();
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const WorkingStep& step = steps[i];
        if (*step.Formula == '\0')
            continue;
        SCOPED_TRACE("step " + std::to_string(i + 1) + ": " + step.Text());
        std::vector<WorkedFigure> shown = step.Figures;
        for (WorkedFigure& figure : shown)
            figure.Value = AsShown(figure);
        double value = 0.0;
        try {
            value = FormulaValue(step.Formula, shown).Evaluate();
        } catch (const std::exception& e) {
            ADD_FAILURE() << "formula '" << step.Formula << "': " << e.what();
            continue;
        }
        const bool percent = step.AmountKind == FigureKind::Percent;
        const double amount = AsShown({step.Amount, step.AmountKind}) / (percent ? 100.0 : 1.0);
        const double place = LastPlace(step.AmountKind) / (percent ? 100.0 : 1.0);
        // Rounded to the places shown, the calculator's figure is the one shown.
        EXPECT_LE(std::fabs(value - amount), place / 2.0 + 1e-9 * std::max(1.0, std::fabs(amount)))
            << "a calculator gives " << std::to_string(value);
    }
}

// Both checks: at full precision, and as shown.
inline void ExpectWorkingChecksOut(const Working& working, double headline)
{
    ExpectReconciles(working, headline);
    ExpectChecksOutAsShown(working);
}

} // namespace revora::testing
