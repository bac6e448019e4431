#pragma once
// The quick tax screen: the tax on an annual taxable income for an age, and its breakdown.

#include <array>

#include "CalculatorWindow.h"
#include "tax/TaxState.h"

class QGridLayout;
class QLabel;
class QPushButton;

namespace revora {

class NumberBox;
class PrintPanel;

class QuickTaxScreen : public CalculatorWindow {
    Q_OBJECT
public:
    explicit QuickTaxScreen(TaxState& state, ProgramValues& program, QWidget* parent = nullptr);

    void activated() override { calculate(); }
    // The screen always shows the figures of its inputs: worked again in the new year.
    void yearChanged() override { calculate(); }
    bool calculate() override;
    void printReport() override;

    NumberBox* box(int index) const { return boxes_[index]; }
    // Beside "Taxable Income": which screen's calculation the income came from, empty for an
    // income typed here.
    QLabel* incomeNote() const { return incomeNote_; }

private:
    TaxState& state() { return state_; }
    TaxState& state_; // the domain's values, kept by the program beyond the screen
    // The ten boxes, each as wide as its largest figure; the income and the age are typed.
    void makeBoxes();
    QGridLayout* layOutBoxes();

    std::array<NumberBox*, 10> boxes_{};
    QLabel* incomeNote_ = nullptr;
    PrintPanel* printOptions_;
};

} // namespace revora
