#pragma once
// The annual employees' tax screen: the tax year, or the part of it worked, with the medical
// credit counted from the members on the scheme in each month.

#include <array>

#include "payroll/AnnualPaye.h"
#include "payroll/PayeScreen.h"

namespace revora {

class AnnualScreen : public PayeScreen {
    Q_OBJECT
public:
    explicit AnnualScreen(TaxState& state, ProgramValues& program, QWidget* parent = nullptr);

    bool calculate() override;
    void printReport() override;

    // What was typed; the last calculation worked (and printed) a copy, whose months outside
    // the period it may have cleared.
    const AnnualPayeInputs& inputs() const { return inputs_; }
    const AnnualPayeResult& result() const { return result_; }

private:
    QWidget* buildMonths();
    // A month's count above 24 is brought down to 24, with the message.
    void limitMonth(int month);
    void showMostMembers();
    // Every month of the period takes the count, and its box shows it.
    void fillPeriod(std::int16_t members);
    void duplicateMarch();
    // The month boxes show `members` by calendar month - 1, over the counts typed.
    void showMonths(const std::array<std::int16_t, 12>& members);

    AnnualPayeInputs inputs_;
    AnnualPayeInputs worked_;
    AnnualPayeResult result_;
    DateBox* start_;
    DateBox* end_;
    NumberBox* beneficiaries_;
    std::array<NumberBox*, 12> months_{}; // by calendar month - 1
    NumberBox* taxLiability_;
    NumberBox* beneficiaryCredits_;
    NumberBox* contributionCredits_;
    NumberBox* totalTax_;
    std::array<NumberBox*, 3> taxBySystem_{}; // SITE, PAYE, Total
};

} // namespace revora
