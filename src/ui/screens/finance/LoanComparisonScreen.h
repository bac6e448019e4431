#pragma once
// The loan comparison screen: one amount at one rate repaid over 5, 10, 15, 20, 25 and 30
// years, side by side in a grid.

#include <array>

#include "finance/LoanComparison.h"
#include "CalculatorWindow.h"
#include "finance/FinanceState.h"

class QTableWidget;

namespace revora {

class NumberBox;

class LoanComparisonScreen : public CalculatorWindow {
    Q_OBJECT
public:
    explicit LoanComparisonScreen(FinanceState& state, ProgramValues& program, QWidget* parent = nullptr);

    // The stored amount and rate, and the grid worked out from them.
    void activated() override;
    bool calculate() override;
    void printReport() override;

    const std::array<ComparisonRow, 6>& rows() const { return rows_; }

private:
    FinanceState& state() { return state_; }
    FinanceState& state_; // the domain's values, kept by the program beyond the screen

    void load();
    void showComparison();
    // The print button: the grid of the inputs shown, then the row and the panel, but only
    // for an amount and a rate.

    std::array<ComparisonRow, 6> rows_{};

    NumberBox* amount_ = nullptr;
    NumberBox* rate_ = nullptr;
    QTableWidget* grid_ = nullptr;
};

} // namespace revora
