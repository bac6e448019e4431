#include "finance/LoanBusterScreen.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "finance/Annuity.h"
#include "finance/FinanceAmountBox.h"
#include "finance/Loan.h"
#include "common/AmountFormat.h"
#include "BusyCursor.h"
#include "Database.h"
#include "FormKit.h"
#include "NumberBox.h"
#include "ResultWidth.h"
#include "PrintPanel.h"
#include "common/InputNumbers.h"

namespace revora {

namespace {

const ReportRequest BusterReport{QStringLiteral("BondBust"), QStringLiteral("loanbuster.rpt"),
                                 QStringLiteral("Loan Buster")};

NumberBox* ResultBox(QWidget* parent, const QString& name, int decimals = 2)
{
    return MakeResultBox(parent, name, decimals, LargestResult, 120);
}

} // namespace

LoanBusterScreen::LoanBusterScreen(FinanceState& state, ProgramValues& program, QWidget* parent)
    : CalculatorWindow(program, parent), state_(state)
{
    setWindowTitle(QStringLiteral("Loan Buster"));
    setObjectName("LoanBusterScreen");
    LoanBusterState& loan = this->state().LoanBuster;

    principal_ = MakeNumberBox(this, {.name = "numPrinAmount", .store = Into(loan.Principal),
                                      .accepts = FinanceAmountLimit(), .refusal = FinanceAmountRefusal(),
                                      .minimumWidth = 120});
    periodBox_ = MakeNumberBox(this, {.name = "numPeriod", .kind = NumberBox::Kind::Whole, .decimals = 0,
                                      .store = [this](double value) {
                                          period_ = RoundHalfEvenToInt16(value).value_or(period_);
                                      },
                                      .accepts = [](double value) {
                                          const auto months = RoundHalfEvenToInt16(value);
                                          return months && *months <= MostLoanMonths;
                                      },
                                      .refusal = {LoanPeriodTitle, LoanPeriodMessage}, .minimumWidth = 120});
    rate_ = MakeNumberBox(this, {.name = "numIntRate", .store = Into(loan.Rate), .accepts = AtMost(MostLoanRate),
                                       .refusal = {LoanRateTitle, LoanRateMessage}, .minimumWidth = 120});
    extra_ = MakeNumberBox(this, {.name = "numXtraPay", .store = Into(loan.Extra), .accepts = FinanceAmountLimit(),
                                  .refusal = FinanceAmountRefusal(), .minimumWidth = 120});
    auto* left = new QGridLayout;
    AddGridRow(left, this, "Principal amount", principal_);
    AddGridRow(left, this, "Period", periodBox_, "months");
    AddGridRow(left, this, "Interest rate", rate_, "% p.a.");
    AddGridRow(left, this, "Extra voluntary payments", extra_);
    left->setRowMinimumHeight(left->rowCount(), 12);
    repayment_ = ResultBox(this, QStringLiteral("numMonRePay"));
    for (std::size_t i = 0; i < figures_.size(); ++i)
        figures_[i] = ResultBox(this, QStringLiteral("numAns1_%1").arg(i), i == 3 ? 3 : 2);
    newPeriod_ = ResultBox(this, QStringLiteral("numAns2"), 0);
    AddGridRow(left, this, "Monthly repayment", repayment_);
    AddGridRow(left, this, "Total interest", figures_[0]);
    AddGridRow(left, this, "Total repayments", figures_[1]);

    // The loan as it runs with the extra payment.
    auto* right = new QGridLayout;
    AddGridRow(right, this, "Principal amount", figures_[2]);
    AddGridRow(right, this, "Period", newPeriod_, "months");
    AddGridRow(right, this, "Interest rate", figures_[3], "% p.a.");
    AddGridRow(right, this, "Monthly repayment", figures_[4]);
    AddGridRow(right, this, "Total interest", figures_[5]);
    AddGridRow(right, this, "Total repayments", figures_[6]);
    AddGridRow(right, this, "Total saving", figures_[7]);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addSpacing(32);
    columns->addLayout(right);
    columns->setAlignment(left, Qt::AlignTop);
    columns->setAlignment(right, Qt::AlignTop);
    formLayout()->addLayout(columns);

    endForm(8, true, {principal_, periodBox_, rate_, extra_}, BusterReport,
            [this]() -> std::optional<ReportRow> {
                if (this->state().LoanBuster.Principal <= 0.0 || result_.ExtraRefused)
                    return std::nullopt;
                return LoanBusterReportRow(this->state().LoanBuster, period_, result_);
            });

    load();
}

void LoanBusterScreen::activated() { load(); }

void LoanBusterScreen::load()
{
    const LoanBusterState& loan = state().LoanBuster;
    principal_->setValue(loan.Principal);
    periodBox_->setValue(period_);
    rate_->setValue(loan.Rate);
    extra_->setValue(loan.Extra);
}

bool LoanBusterScreen::calculate()
{
    Working working;
    {
        BusyCursor busy;
        result_ = BBCalc(state().LoanBuster, period_, &working);
    }
    showResult();
    // A refused extra payment keeps the first column, and its working says why the second is empty.
    setWorking(std::move(working));
    if (!result_.ExtraRefused)
        return true;
    // The second column would be the figures of another extra payment: it stays empty.
    for (std::size_t i = 2; i < figures_.size(); ++i)
        figures_[i]->clearValue();
    newPeriod_->clearValue();
    const double most = MostExtraRepayments * result_.Repayment;
    showError(Text(ExtraPaymentTitle), Text(ExtraTooLargeMessage(FormatAmount(most))));
    extra_->setFocus(Qt::OtherFocusReason);
    return false;
}

void LoanBusterScreen::showResult()
{
    const LoanBusterState& loan = state().LoanBuster;
    extra_->setValue(loan.Extra);
    repayment_->setValue(result_.Repayment);
    const double shown[] = {result_.TotalInterest,    result_.TotalRepayments, loan.Principal,
                            loan.Rate,                result_.NewRepayment,    result_.NewTotalInterest,
                            result_.NewTotalRepayments, result_.Saving};
    for (std::size_t i = 0; i < figures_.size(); ++i)
        figures_[i]->setValue(shown[i]);
    newPeriod_->setValue(result_.NewPeriod);
}

void LoanBusterScreen::printReport() { printRow(); }

} // namespace revora
