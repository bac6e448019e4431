#pragma once
// What the monthly, weekly, fortnightly and daily screens share besides the frame: the same
// inputs under each screen's own box names, the same results, and the calculate and print
// steps around each screen's own check, calculation and printout row.

#include "payroll/PayePrintout.h"
#include "payroll/PayeScreen.h"

namespace revora {

// The object names and formats of a periodic screen's input boxes.
struct PeriodicBoxes {
    PayeBoxSpec age;
    PayeBoxSpec salary;
    PayeBoxSpec employerMedical;
    PayeBoxSpec employeeMedical;
    PayeBoxSpec commission;
    PayeBoxSpec bonus;
    PayeBoxSpec travel;
    PayeBoxSpec beneficiaries;
    PayeBoxSpec pension;
    PayeBoxSpec retirementAnnuity;
    PayeBoxSpec medDeduction;
    const char* taxDeduction; // the result box repeating the tax, below the others; nullptr for none
};

// The weekly, fortnightly and daily screens take rands and cents; their boxes differ only in
// the names of these.
PeriodicBoxes CentsBoxes(const char* age, const char* salary, const char* pension, const char* retirementAnnuity,
                         const char* taxDeduction);

class PeriodicPayeScreen : public PayeScreen {
    Q_OBJECT
public:
    PeriodicPayeScreen(TaxState& state, ProgramValues& program, const QString& caption, const PeriodicBoxes& boxes,
                       std::int16_t mostBeneficiaries, QWidget* parent = nullptr);

    bool calculate() override;
    void printReport() override;

    const PayeInputs& inputs() const { return inputs_; }
    const PeriodicPayeResult& result() const { return result_; }

protected:
    virtual std::optional<PayeRefusal> check() const = 0;
    // The day the period is paid, whose UIF and SDL it is worked with: a period of days only
    // (a week, a fortnight, a day) is paid on no date of its own (UndatedPayDay).
    virtual int payDay() const;
    // The settings the period is worked and printed with.
    PayeSettings periodSettings() const { return settingsOn(payDay()); }
    // The screen's calculation, recording its working into `working`.
    virtual PeriodicPayeResult compute(TaxBracketResult& record, Working* working) const = 0;
    virtual ReportRow reportRow(const std::string& employee, PrintLanguage language) const = 0;
    virtual const PayePrintoutTarget& printout() const = 0;
    // A screen's own result boxes besides the common ones.
    virtual void showOwnResults() {}

    NumberBox* travelBox() const { return travel_; }

    PayeInputs inputs_;
    PeriodicPayeResult result_;

private:
    NumberBox* travel_;
    NumberBox* uifEmployee_;
    NumberBox* uifEmployer_;
    NumberBox* skillsLevy_;
    NumberBox* taxLiability_;
    NumberBox* beneficiaryCredits_;
    NumberBox* contributionCredits_;
    NumberBox* totalTax_;
    NumberBox* taxDeduction_ = nullptr;
};

} // namespace revora
