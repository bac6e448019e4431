#pragma once
// The weekly and fortnightly employees' tax screens: one screen, two sets of constants.

#include "payroll/PeriodicPayeScreen.h"
#include "payroll/WeeklyPaye.h"

namespace revora {

class WeekScreen : public PeriodicPayeScreen {
    Q_OBJECT
public:
    WeekScreen(TaxState& state, ProgramValues& program, WeekKind kind, QWidget* parent = nullptr);

    const WeekPeriod& period() const { return period_; }

protected:
    std::optional<PayeRefusal> check() const override { return CheckWeekPeriod(kind_, period_); }
    PeriodicPayeResult compute(TaxBracketResult& record, Working* working) const override;
    ReportRow reportRow(const std::string& employee, PrintLanguage language) const override;
    const PayePrintoutTarget& printout() const override;
    QWidget* focusFor(PayeFocus focus) const override;

private:
    WeekKind kind_;
    WeekPeriod period_;
    NumberBox* normalDays_;
    NumberBox* thisDays_;
};

} // namespace revora
