#include "payroll/AnnualScreen.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "payroll/PayePrintout.h"
#include "DateBox.h"
#include "common/InputNumbers.h"
#include "tax/TaxYearRules.h"

namespace revora {

namespace {

// The months of the tax year in screen order, as calendar month numbers.
constexpr std::array<int, 12> TaxYearMonths{3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2};
constexpr std::array<const char*, 12> MonthCaptions{"Mar", "Apr", "May", "Jun", "Jul", "Aug",
                                                     "Sep", "Oct", "Nov", "Dec", "Jan", "Feb"};

} // namespace

AnnualScreen::AnnualScreen(TaxState& state, ProgramValues& program, QWidget* parent)
    : PayeScreen(state, program, QStringLiteral("Annual"), parent)
{
    // The whole year at first.
    inputs_.StartDate = year().Start;
    inputs_.EndDate = year().End;
    start_ = addDate(periodGrid(), "dtStartDate", "Start date", inputs_.StartDate);
    end_ = addDate(periodGrid(), "dtEndDate", "End date", inputs_.EndDate);
    watchDates(start_, end_);
    // Each box's range keeps the start on or before the end; a date of the year before (the year
    // has changed since it was typed) holds neither box to it.
    connect(start_, &DateBox::entering, this, [this] {
        start_->setBounds(year().Start, InTaxYear(end_->date(), year()) ? end_->date() : year().End);
    });
    connect(end_, &DateBox::entering, this, [this] {
        end_->setBounds(InTaxYear(start_->date(), year()) ? start_->date() : year().Start, year().End);
    });

    PayeInputs& a = inputs_.Amounts;
    QGridLayout* in = inputGrid();
    addAge(in, {"silgEdit1", "Age"}, a.Age);
    addAmount(in, {"silgEdit2", "Salary/remuneration"}, a.Salary);
    addAmount(in, {"numEmpERMedAidCont", "Employer's med aid contrib."}, a.EmployerMedical);
    addAmount(in, {"numEmpEEMedAidCont", "Employee's med aid contrib."}, a.EmployeeMedical);
    addAmount(in, {"numDirFees", "Commissions"}, a.Commission);
    addAmount(in, {"silgEdit4", "Bonus"}, a.Bonus);
    addAmount(in, {"silgEdit8", "Travel allowance received"}, a.TravelAllowance);
    setPensionBox(addAmount(in, {"silgEdit6", "Allowable pension contributions"}, a.Pension));
    addAmount(in, {"silgEdit7", "Allowable R/A contributions"}, a.RetirementAnnuity);
    // The members typed here are on the scheme in every month of the period: the month boxes
    // of the period take the count, and the months' limit applies to it as to them.
    beneficiaries_ = addCount(in, {"numMedAidBens", "Medical aid fund beneficiaries"}, a.Beneficiaries,
                              MostAnnualMembersInAMonth, tooManyBeneficiaries(MostAnnualMembersInAMonth));
    connect(beneficiaries_, &NumberBox::valueEdited, this, [this] { fillPeriod(inputs_.Amounts.Beneficiaries); });
    connect(beneficiaries_, &QLineEdit::editingFinished, this, [this] {
        if (inputs_.Amounts.Beneficiaries > MostMembersInAMonth) {
            showMostMembers();
            beneficiaries_->setValue(MostMembersInAMonth);
            fillPeriod(MostMembersInAMonth);
        }
    });
    addAmount(in, {"silgEdit15", "Med Aid contribution deduction"}, a.MedDeduction);

    QGridLayout* out = resultGrid();
    taxLiability_ = addResult(out, "numMAns", "Tax liability");
    beneficiaryCredits_ = addResult(out, "numTaxCredit", "Tax credits for beneficiaries");
    contributionCredits_ = addResult(out, "numMTCForContri", "Tax credits for contributions");
    totalTax_ = addResult(out, "numTaxLiability", "Total tax deduction");
    out->setRowMinimumHeight(out->rowCount(), 12);
    taxBySystem_[1] = addResult(out, "numAns_1", "PAYE");
    taxBySystem_[0] = addResult(out, "numAns_0", "SITE");
    taxBySystem_[2] = addResult(out, "numAns_2", "Total");

    // The months run under the inputs and results, above the buttons.
    formLayout()->insertWidget(formLayout()->count() - 2, buildMonths());

    QList<QWidget*> first{start_, end_};
    orderTabs(first);
    open();
}

QWidget* AnnualScreen::buildMonths()
{
    auto* frame = new QGroupBox(QStringLiteral("Number of Medical Aid Beneficiaries"), this);
    auto* grid = new QGridLayout(frame);
    for (std::size_t i = 0; i < TaxYearMonths.size(); ++i) {
        const int month = TaxYearMonths[i];
        auto* box = new NumberBox(NumberBox::Kind::Whole, 0, this);
        box->setObjectName(QStringLiteral("numAnnCalcBens_%1").arg(month));
        box->setMaximumWidth(48);
        std::int16_t& held = inputs_.MembersByMonth[static_cast<std::size_t>(month - 1)];
        box->setAcceptor([](double value) {
            const auto count = RoundHalfEvenToInt16(value);
            return count && *count <= MostAnnualMembersInAMonth;
        });
        connect(box, &NumberBox::valueEdited, this,
                [&held](double value) { held = RoundHalfEvenToInt16(value).value_or(held); });
        connect(box, &NumberBox::refused, this, [this] {
            QMessageBox::warning(this, windowTitle(),
                                 QString::fromStdString(TooManyBeneficiariesMessage(MostAnnualMembersInAMonth)));
        });
        connect(box, &QLineEdit::editingFinished, this, [this, month] { limitMonth(month); });
        auto* caption = new QLabel(QString::fromUtf8(MonthCaptions[i]), this);
        caption->setAlignment(Qt::AlignCenter);
        grid->addWidget(caption, 0, static_cast<int>(i));
        grid->addWidget(box, 1, static_cast<int>(i));
        months_[static_cast<std::size_t>(month - 1)] = box;
    }
    auto* duplicateButton = new QPushButton(QStringLiteral("Duplicate March to all 12 months "), this);
    duplicateButton->setObjectName("cmdDuplicate");
    grid->addWidget(duplicateButton, 2, 0, 1, 6, Qt::AlignLeft);
    connect(duplicateButton, &QPushButton::clicked, this, &AnnualScreen::duplicateMarch);
    return frame;
}

void AnnualScreen::showMostMembers()
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Revora 2016"), QString::fromUtf8(MostMembersMessage),
                    QMessageBox::Ok, this);
    box.exec();
}

void AnnualScreen::limitMonth(int month)
{
    std::int16_t& held = inputs_.MembersByMonth[static_cast<std::size_t>(month - 1)];
    if (held <= MostMembersInAMonth)
        return;
    showMostMembers();
    held = MostMembersInAMonth;
    months_[static_cast<std::size_t>(month - 1)]->setValue(held);
}

void AnnualScreen::fillPeriod(std::int16_t members)
{
    SetMembersInPeriod(inputs_, members);
    for (std::size_t i = 0; i < months_.size(); ++i)
        months_[i]->setValue(inputs_.MembersByMonth[i]);
}

void AnnualScreen::duplicateMarch()
{
    for (int month = 1; month <= 12; ++month)
        limitMonth(month);
    const std::int16_t march = inputs_.MembersByMonth[2];
    for (const int month : TaxYearMonths) {
        inputs_.MembersByMonth[static_cast<std::size_t>(month - 1)] = march;
        months_[static_cast<std::size_t>(month - 1)]->setValue(march);
    }
}

void AnnualScreen::showMonths(const std::array<std::int16_t, 12>& members)
{
    for (std::size_t i = 0; i < months_.size(); ++i)
        months_[i]->showFigure(members[i]);
}

bool AnnualScreen::calculate()
{
    // A refused calculation shows the months as typed: no count it did not work stands there.
    if (const auto refusal = CheckAnnualPeriod(inputs_.StartDate, inputs_.EndDate, year())) {
        result_ = {};
        showMonths(inputs_.MembersByMonth);
        refuse(*refusal);
        return false;
    }
    readSettings();
    if (refusedContributions(inputs_.Amounts)) {
        result_ = {};
        showMonths(inputs_.MembersByMonth);
        return false;
    }
    // The calculation may clear the months outside the period: it works on a copy, so the next
    // one (a print's, a new year's, one over a longer period) starts from the counts typed.
    worked_ = inputs_;
    Working working;
    state().IncomeFrom = windowTitle().toStdString(); // quick tax says whose income it shows
    result_ = AnnualPayeCalculate(worked_, settingsOn(worked_.EndDate), year(), state().TaxBracketResult, &working);
    showMonths(worked_.MembersByMonth);
    taxLiability_->setValue(result_.TaxLiability);
    beneficiaryCredits_->setValue(result_.MedicalCredit);
    contributionCredits_->setValue(result_.AdditionalMedicalCredit);
    totalTax_->setValue(result_.TotalTaxDeduction);
    taxBySystem_[0]->setValue(result_.SITE);
    taxBySystem_[1]->setValue(result_.PAYE);
    taxBySystem_[2]->setValue(result_.Total);
    setWorking(std::move(working));
    return true;
}

void AnnualScreen::printReport()
{
    printRow(AnnualPrintout.Table, AnnualPrintout.Layout, AnnualPrintout.Title,
             AnnualPayeReportRow(worked_, settingsOn(worked_.EndDate), result_, employeeName().toStdString(),
                                 printLanguage()));
}

} // namespace revora
