#pragma once
// The check every model's working passes: the last step's amount is the headline figure,
// a figure taken from an earlier step is that step's amount, and each step's formula,
// evaluated over its figures at full precision, gives the step's amount.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

#include "common/Working.h"

namespace revora::testing {

// Plain arithmetic over a step's figures: + − × ÷ "of" ^ and brackets, as the working writes it.
class FormulaValue {
public:
    FormulaValue(std::string_view formula, const std::vector<WorkedFigure>& figures)
        : text_(formula), figures_(figures) {}

    double Evaluate()
    {
        const double value = Sum();
        Skip();
        if (at_ != text_.size())
            throw std::invalid_argument("unexpected '" + std::string(text_.substr(at_)) + "'");
        return value;
    }

private:
    void Skip()
    {
        while (at_ < text_.size() && text_[at_] == ' ')
            ++at_;
    }
    bool Take(std::string_view token)
    {
        Skip();
        if (text_.substr(at_, token.size()) != token)
            return false;
        at_ += token.size();
        return true;
    }
    double Sum()
    {
        double value = Product();
        for (;;) {
            if (Take("+"))
                value += Product();
            else if (Take("\u2212") || Take("-"))
                value -= Product();
            else
                return value;
        }
    }
    double Product()
    {
        double value = Power();
        for (;;) {
            if (Take("\u00d7") || Take("*") || Take("of "))
                value *= Power();
            else if (Take("\u00f7") || Take("/"))
                value /= Power();
            else
                return value;
        }
    }
    double Power()
    {
        const double base = Operand();
        return Take("^") ? std::pow(base, Power()) : base;
    }
    double Operand()
    {
        if (Take("(")) {
            const double value = Sum();
            if (!Take(")"))
                throw std::invalid_argument("a bracket is not closed");
            return value;
        }
        if (Take("\u2212") || Take("-"))
            return -Operand();
        if (Take("{")) {
            const std::size_t close = text_.find('}', at_);
            const std::size_t number = std::stoul(std::string(text_.substr(at_, close - at_)));
            at_ = close + 1;
            const WorkedFigure& figure = figures_.at(number - 1);
            return figure.Kind == FigureKind::Percent ? figure.Value / 100.0 : figure.Value;
        }
        Skip();
        const std::size_t start = at_;
        while (at_ < text_.size() && (std::isdigit(static_cast<unsigned char>(text_[at_])) || text_[at_] == '.'))
            ++at_;
        if (start == at_)
            throw std::invalid_argument("no number at '" + std::string(text_.substr(start)) + "'");
        return std::strtod(std::string(text_.substr(start, at_ - start)).c_str(), nullptr);
    }

    std::string_view text_;
    const std::vector<WorkedFigure>& figures_;
    std::size_t at_ = 0;
};

inline void ExpectReconciles(const Working& working, double headline)
{
    ASSERT_FALSE(working.Empty());
    EXPECT_TRUE(working.AllFinite());
    EXPECT_DOUBLE_EQ(working.Steps().back().Amount, headline) << "the last step is not the headline figure";
    const auto& steps = working.Steps();
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const WorkingStep& step = steps[i];
        SCOPED_TRACE("step " + std::to_string(i + 1) + ": " + step.LabelText() + " - " + step.Text());
        EXPECT_FALSE(std::string_view(step.Label.English).empty());
        for (const WorkedFigure& figure : step.Figures)
            if (figure.FromStep > 0) {
                ASSERT_LT(static_cast<std::size_t>(figure.FromStep), i + 1) << "refers to a later step";
                EXPECT_EQ(figure.Value, steps[figure.FromStep - 1].Amount);
            }
        if (*step.Formula == '\0')
            continue;
        double value = 0.0;
        try {
            value = FormulaValue(step.Formula, step.Figures).Evaluate();
        } catch (const std::exception& e) {
            ADD_FAILURE() << "formula '" << step.Formula << "': " << e.what();
            continue;
        }
        const double amount = step.AmountKind == FigureKind::Percent ? step.Amount / 100.0 : step.Amount;
        EXPECT_NEAR(value, amount, 1e-9 * std::max(1.0, std::fabs(amount))) << "formula " << step.Formula;
    }
}

} // namespace revora::testing
