#pragma once
// The loan buster screen: what a fixed extra monthly payment does to a loan, how many months
// sooner it is paid off, the new repayment and totals, and the total saving.

#include <array>
#include <cstdint>

#include "finance/LoanBuster.h"
#include "CalculatorWindow.h"
#include "finance/FinanceState.h"


namespace revora {

class NumberBox;

class LoanBusterScreen : public CalculatorWindow {
    Q_OBJECT
public:
    explicit LoanBusterScreen(FinanceState& state, ProgramValues& program, QWidget* parent = nullptr);

    void activated() override;
    bool calculate() override;
    void printReport() override;

    std::int16_t period() const { return period_; }
    const LoanBusterResult& result() const { return result_; }

private:
    FinanceState& state() { return state_; }
    FinanceState& state_; // the domain's values, kept by the program beyond the screen

    NumberBox* addInput(const char* name, const char* caption, const char* unit, NumberBox* box);
    void load();
    void showResult();
    // The print button: the figures of the inputs shown, then the row and the panel, but only
    // for a loan with a principal.

    std::int16_t period_ = 0; // the screen's own: 0 each time it opens
    LoanBusterResult result_;

    NumberBox* principal_ = nullptr;
    NumberBox* periodBox_ = nullptr;
    NumberBox* rate_ = nullptr;
    NumberBox* extra_ = nullptr;
    NumberBox* repayment_ = nullptr;
    NumberBox* newPeriod_ = nullptr;
    std::array<NumberBox*, 8> figures_{};
};

} // namespace revora
