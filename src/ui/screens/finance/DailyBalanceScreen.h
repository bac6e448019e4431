#pragma once
// The daily balance screen: the simple interest a capital earns between two dates at a
// yearly rate, with spinners that step the end date by a day and the rate by a quarter.

#include "finance/DailyBalance.h"
#include "CalculatorWindow.h"
#include "finance/FinanceState.h"


namespace revora {

class DateBox;
class NumberBox;
class SpinnerStep;

class DailyBalanceScreen : public CalculatorWindow {
    Q_OBJECT
public:
    explicit DailyBalanceScreen(FinanceState& state, ProgramValues& program, QWidget* parent = nullptr);

    void activated() override;
    bool calculate() override;
    void printReport() override;

    const DailyBalanceResult& result() const { return result_; }

private:
    FinanceState& state() { return state_; }
    FinanceState& state_; // the domain's values, kept by the program beyond the screen

    void watchDates();
    void stepEndDate(int direction);
    // "&Print": the row written and the panel shown, only for a result worth printing.
    bool bothDatesSet() const;

    DailyBalanceResult result_;
    NumberBox* capital_ = nullptr;
    DateBox* startDate_ = nullptr;
    DateBox* endDate_ = nullptr;
    NumberBox* rate_ = nullptr;
    SpinnerStep* dateSpinner_ = nullptr;
    SpinnerStep* rateSpinner_ = nullptr;
    NumberBox* interest_ = nullptr;
    NumberBox* days_ = nullptr;
};

} // namespace revora
