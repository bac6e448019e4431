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
    explicit AnnualScreen(AppState& state, QWidget* parent = nullptr);

    bool calculate() override;
    void printReport() override;

    const AnnualPayeInputs& inputs() const { return inputs_; }
    const AnnualPayeResult& result() const { return result_; }

private:
    QWidget* buildMonths();
    // A month's count above 24 is brought down to 24, with the message.
    void limitMonth(int month);
    void duplicateMarch();

    AnnualPayeInputs inputs_;
    AnnualPayeResult result_;
    double heldBeneficiaries_ = 0.0; // shown and kept, used by nothing
    DateBox* start_;
    DateBox* end_;
    std::array<NumberBox*, 12> months_{}; // by calendar month - 1
    NumberBox* numMAns_;
    NumberBox* numTaxCredit_;
    NumberBox* numMTCForContri_;
    NumberBox* numTaxLiability_;
    std::array<NumberBox*, 3> numAns_{}; // SITE, PAYE, Total
};

} // namespace revora
