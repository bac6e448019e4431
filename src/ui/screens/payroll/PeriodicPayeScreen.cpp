#include "payroll/PeriodicPayeScreen.h"

#include <QGridLayout>

#include "payroll/PublishedLevies.h"

namespace revora {

PeriodicBoxes CentsBoxes(const char* age, const char* salary, const char* pension, const char* retirementAnnuity,
                         const char* taxDeduction)
{
    return {
        {age, "Age"},
        {salary, "Salary/remuneration", 2},
        {"numEmpERMedAidCont", "Employer's med aid contrib.", 2},
        {"numEmpEEMedAidCont", "Employee's med aid contrib.", 2},
        {"numComm", "Commissions", 2},
        {"sidbEdit4", "Bonus", 2},
        {"sidbEdit6", "Travel allowance received", 2},
        {"numMedAidBens", "Medical aid fund beneficiaries"},
        {pension, "Allowable pension contributions"},
        {retirementAnnuity, "Allowable R/A contributions"},
        {"silgEdit15", "Med Aid contribution deduction"},
        taxDeduction,
    };
}

PeriodicPayeScreen::PeriodicPayeScreen(TaxState& state, ProgramValues& program, const QString& caption,
                                       const PeriodicBoxes& boxes, std::int16_t mostBeneficiaries, QWidget* parent)
    : PayeScreen(state, program, caption, parent)
{
    QGridLayout* in = inputGrid();
    addAge(in, boxes.age, inputs_.Age);
    addAmount(in, boxes.salary, inputs_.Salary);
    addAmount(in, boxes.employerMedical, inputs_.EmployerMedical);
    addAmount(in, boxes.employeeMedical, inputs_.EmployeeMedical);
    addAmount(in, boxes.commission, inputs_.Commission);
    addAmount(in, boxes.bonus, inputs_.Bonus);
    travel_ = addAmount(in, boxes.travel, inputs_.TravelAllowance);
    addCount(in, boxes.beneficiaries, inputs_.Beneficiaries, mostBeneficiaries,
             tooManyBeneficiaries(mostBeneficiaries));
    setPensionBox(addAmount(in, boxes.pension, inputs_.Pension));
    addAmount(in, boxes.retirementAnnuity, inputs_.RetirementAnnuity);
    addAmount(in, boxes.medDeduction, inputs_.MedDeduction);

    QGridLayout* out = resultGrid();
    uifEmployee_ = addResult(out, "numMAns1", "UIF contribution Employee");
    uifEmployer_ = addResult(out, "numMAns2", "UIF contribution Employer");
    skillsLevy_ = addResult(out, "numMAns3", "S.D.L.");
    taxLiability_ = addResult(out, "numMAns", "Tax liability");
    beneficiaryCredits_ = addResult(out, "numTaxCredit", "Tax credits for beneficiaries");
    contributionCredits_ = addResult(out, "numMTCForContri", "Tax credits for contributions");
    totalTax_ = addResult(out, "numTaxLiability", "Total tax deduction");
    if (boxes.taxDeduction) {
        out->setRowMinimumHeight(out->rowCount(), 12);
        taxDeduction_ = addResult(out, boxes.taxDeduction, "Tax deduction");
    }
}

int PeriodicPayeScreen::payDay() const
{
    return UndatedPayDay(year());
}

bool PeriodicPayeScreen::calculate()
{
    if (const auto refusal = check()) {
        result_ = {};
        refuse(*refusal);
        return false;
    }
    readSettings();
    if (refusedContributions(inputs_)) {
        result_ = {};
        return false;
    }
    Working working;
    state().IncomeFrom = windowTitle().toStdString(); // quick tax says whose income it shows
    result_ = compute(state().TaxBracketResult, &working);
    uifEmployee_->setValue(result_.UIFEmployee);
    uifEmployer_->setValue(result_.UIFEmployer);
    skillsLevy_->setValue(result_.SDL);
    taxLiability_->setValue(result_.TaxLiability);
    beneficiaryCredits_->setValue(result_.MedicalCredit);
    contributionCredits_->setValue(result_.AdditionalMedicalCredit);
    totalTax_->setValue(result_.TotalTaxDeduction);
    if (taxDeduction_)
        taxDeduction_->setValue(result_.TaxLiability);
    showOwnResults();
    setWorking(std::move(working));
    return true;
}

void PeriodicPayeScreen::printReport()
{
    const PayePrintoutTarget& target = printout();
    printRow(target.Table, target.Layout, target.Title, reportRow(employeeName().toStdString(), printLanguage()));
}

} // namespace revora
