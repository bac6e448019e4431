#pragma once
// The daily employees' tax screen: one day's pay, annualised over 260 working days.

#include "payroll/DailyPaye.h"
#include "payroll/PeriodicPayeScreen.h"

namespace revora {

class DailyScreen : public PeriodicPayeScreen {
    Q_OBJECT
public:
    explicit DailyScreen(TaxState& state, ProgramValues& program, QWidget* parent = nullptr);

protected:
    std::optional<PayeRefusal> check() const override { return std::nullopt; }
    PeriodicPayeResult compute(TaxBracketResult& record, Working* working) const override;
    ReportRow reportRow(const std::string& employee, PrintLanguage language) const override;
    const PayePrintoutTarget& printout() const override { return DailyPrintout; }
};

} // namespace revora
