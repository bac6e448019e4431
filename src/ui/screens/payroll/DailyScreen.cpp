#include "payroll/DailyScreen.h"

namespace revora {

DailyScreen::DailyScreen(TaxState& state, ProgramValues& program, QWidget* parent)
    : PeriodicPayeScreen(state, program, QStringLiteral("Daily"),
                         CentsBoxes("silgEdit23", "sidbEdit1", "silgEdit25", "silgEdit26", "sidbEdit2"),
                         MostDailyBeneficiaries, parent)
{
    orderTabs();
    open();
}

PeriodicPayeResult DailyScreen::compute(TaxBracketResult& record, Working* working) const
{
    return DailyPayeCalculate(inputs_, periodSettings(), year(), record, working);
}

ReportRow DailyScreen::reportRow(const std::string& employee, PrintLanguage language) const
{
    return DailyPayeReportRow(inputs_, periodSettings(), result_, employee, language);
}

} // namespace revora
