#pragma once
// The monthly employees' tax screen: one calendar month, or part of it, between two dates.

#include "payroll/MonthlyPaye.h"
#include "payroll/PeriodicPayeScreen.h"

namespace revora {

class DateBox;

class MonthlyScreen : public PeriodicPayeScreen {
    Q_OBJECT
public:
    explicit MonthlyScreen(TaxState& state, ProgramValues& program, QWidget* parent = nullptr);

    const MonthlyPeriod& period() const { return period_; }

protected:
    std::optional<PayeRefusal> check() const override { return CheckMonthlyPeriod(period_, year()); }
    int payDay() const override { return period_.EndDate; }
    PeriodicPayeResult compute(TaxBracketResult& record, Working* working) const override;
    ReportRow reportRow(const std::string& employee, PrintLanguage language) const override;
    const PayePrintoutTarget& printout() const override { return MonthlyPrintout; }
    void showOwnResults() override;

private:
    MonthlyPeriod period_;
    DateBox* start_;
    DateBox* end_;
    NumberBox* taxableTravel_;
};

} // namespace revora
