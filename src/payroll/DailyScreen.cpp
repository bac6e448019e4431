#include "payroll/DailyScreen.h"

namespace revora {

namespace {

const PeriodicBoxes DailyBoxes{
    {"silgEdit23", "Age"},
    {"sidbEdit1", "Salary/remuneration", 2, true},
    {"numEmpERMedAidCont", "Employer's med aid contrib.", 2},
    {"numEmpEEMedAidCont", "Employee's med aid contrib.", 2},
    {"numComm", "Commissions", 2, true},
    {"sidbEdit4", "Bonus", 2, true},
    {"sidbEdit6", "Travel allowance received", 2, true},
    {"numMedAidBens", "Medical aid fund beneficiaries"},
    {"silgEdit25", "Allowable pension contributions"},
    {"silgEdit26", "Allowable R/A contributions"},
    {"silgEdit15", "Med Aid contribution deduction"},
    "sidbEdit2",
};

} // namespace

DailyScreen::DailyScreen(AppState& state, QWidget* parent)
    : PeriodicPayeScreen(state, QStringLiteral("Daily"), DailyBoxes, MostDailyBeneficiaries, parent)
{
    orderTabs();
    open();
}

PeriodicPayeResult DailyScreen::compute(TaxBracketResult& record) const
{
    return DailyPayeCalculate(inputs_, settings(), record);
}

ReportRow DailyScreen::reportRow(const std::string& employee, PrintLanguage language) const
{
    return DailyPayeReportRow(inputs_, result_, employee, language);
}

} // namespace revora
