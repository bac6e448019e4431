#pragma once
// The quick tax screen: the tax on an annual taxable income for an age, and its breakdown.

#include <array>

#include "CalculatorWindow.h"
#include "tax/TaxState.h"

class QPushButton;

namespace revora {

class NumberBox;
class PrintPanel;

class QuickTaxScreen : public CalculatorWindow {
    Q_OBJECT
public:
    explicit QuickTaxScreen(TaxState& state, ProgramValues& program, QWidget* parent = nullptr);

    void activated() override { calculate(); }
    bool calculate() override;
    void printReport() override;

    NumberBox* box(int index) const { return boxes_[index]; }
    PrintPanel* printPanel() const { return frame1_; }

private:
    TaxState& state() { return state_; }
    TaxState& state_; // the domain's values, kept by the program beyond the screen

    std::array<NumberBox*, 10> boxes_{};
    PrintPanel* frame1_;
};

} // namespace revora
