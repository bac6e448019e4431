#pragma once
// The inflation screen: a present cost carried forward over a number of years at a steady
// rate, giving what it will cost then and what the present amount will then buy.

#include "finance/Inflation.h"
#include "CalculatorWindow.h"
#include "finance/FinanceState.h"

class QLabel;

namespace revora {

class NumberBox;
class SpinnerStep;

class InflationScreen : public CalculatorWindow {
    Q_OBJECT
public:
    explicit InflationScreen(FinanceState& state, ProgramValues& program, QWidget* parent = nullptr);

    void activated() override;
    bool calculate() override;
    void printReport() override;


private:
    FinanceState& state() { return state_; }
    FinanceState& state_; // the domain's values, kept by the program beyond the screen

    // "&Print": the row written and the panel shown, only for a future value worth printing.

    NumberBox* presentCost_ = nullptr;
    NumberBox* period_ = nullptr;
    NumberBox* rate_ = nullptr;
    SpinnerStep* periodSpinner_ = nullptr;
    SpinnerStep* rateSpinner_ = nullptr;
    NumberBox* futureValue_ = nullptr;
    NumberBox* buyingPower_ = nullptr;
    QLabel* tooLarge_ = nullptr;
};

} // namespace revora
