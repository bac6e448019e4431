#include "finance/LoanBusterScreen.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "finance/Annuity.h"
#include "finance/Loan.h"
#include "AmountFormat.h"
#include "BusyCursor.h"
#include "Database.h"
#include "NumberBox.h"
#include "ResultWidth.h"
#include "PrintPanel.h"
#include "common/InputNumbers.h"

namespace revora {

namespace {

const ReportRequest BusterReport{QStringLiteral("BondBust"), QStringLiteral("loanbuster.rpt"),
                                 QStringLiteral("Loan Buster")};

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

NumberBox* ResultBox(QWidget* parent, const QString& name, int decimals = 2)
{
    auto* box = new NumberBox(NumberBox::Kind::Decimal, decimals, parent);
    box->setObjectName(name);
    box->setOutput(true);
    FitToFigures(*box, decimals, {LargestResult}, 120);
    return box;
}

// A caption, its box and the unit after it, on the next row of the grid.
void AddRow(QGridLayout* grid, QWidget* parent, const char* caption, QWidget* box, const char* unit = nullptr)
{
    const int row = grid->rowCount();
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setBuddy(box);
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row, 1);
    if (unit)
        grid->addWidget(new QLabel(QString::fromUtf8(unit), parent), row, 2);
}

} // namespace

LoanBusterScreen::LoanBusterScreen(FinanceState& state, ProgramValues& program, QWidget* parent)
    : CalculatorWindow(program, parent), state_(state)
{
    setWindowTitle(QStringLiteral("Loan Buster"));
    setObjectName("LoanBusterScreen");
    LoanBusterState& loan = this->state().LoanBuster;

    auto* left = new QGridLayout;
    numPrinAmount_ = new NumberBox(NumberBox::Kind::Decimal, 2, this);
    numPeriod_ = new NumberBox(NumberBox::Kind::Whole, 0, this);
    numIntRate_ = new NumberBox(NumberBox::Kind::Decimal, 2, this);
    numXtraPay_ = new NumberBox(NumberBox::Kind::Decimal, 2, this);
    const struct {
        NumberBox* box;
        const char* name;
        const char* caption;
        const char* unit;
    } inputs[] = {
        {numPrinAmount_, "numPrinAmount", "Principal amount", nullptr},
        {numPeriod_, "numPeriod", "Period", "months"},
        {numIntRate_, "numIntRate", "Interest rate", "% p.a."},
        {numXtraPay_, "numXtraPay", "Extra voluntary payments", nullptr},
    };
    for (const auto& input : inputs) {
        input.box->setObjectName(input.name);
        input.box->setMinimumWidth(120);
        AddRow(left, this, input.caption, input.box, input.unit);
    }
    left->setRowMinimumHeight(left->rowCount(), 12);
    numMonRePay_ = ResultBox(this, QStringLiteral("numMonRePay"));
    for (std::size_t i = 0; i < numAns1_.size(); ++i)
        numAns1_[i] = ResultBox(this, QStringLiteral("numAns1_%1").arg(i), i == 3 ? 3 : 2);
    numAns2_ = ResultBox(this, QStringLiteral("numAns2"), 0);
    AddRow(left, this, "Monthly repayment", numMonRePay_);
    AddRow(left, this, "Total interest", numAns1_[0]);
    AddRow(left, this, "Total repayments", numAns1_[1]);

    // The loan as it runs with the extra payment.
    auto* right = new QGridLayout;
    AddRow(right, this, "Principal amount", numAns1_[2]);
    AddRow(right, this, "Period", numAns2_, "months");
    AddRow(right, this, "Interest rate", numAns1_[3], "% p.a.");
    AddRow(right, this, "Monthly repayment", numAns1_[4]);
    AddRow(right, this, "Total interest", numAns1_[5]);
    AddRow(right, this, "Total repayments", numAns1_[6]);
    AddRow(right, this, "Total saving", numAns1_[7]);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addSpacing(32);
    columns->addLayout(right);
    columns->setAlignment(left, Qt::AlignTop);
    columns->setAlignment(right, Qt::AlignTop);

    const CommandRow commands = makeCommandRow(true);
    QPushButton* cmdCalculate = commands.calculate;
    cmdOK_ = commands.ok;
    QPushButton* cmdPrint = commands.print;

    formLayout()->addLayout(columns);
    formLayout()->addSpacing(8);
    formLayout()->addLayout(commands.layout);

    fraPrint_ = new PrintPanel(this, QStringLiteral("C&ancel"));
    fraPrint_->setObjectName("fraPrint");
    fraPrint_->cancelButton()->setObjectName("cmdPrintCancel");

    const QList<QWidget*> order{numPrinAmount_, numPeriod_, numIntRate_, numXtraPay_, cmdCalculate, cmdOK_, cmdPrint};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(numPrinAmount_, &NumberBox::valueEdited, this, [&loan](double value) { loan.Principal = value; });
    connect(numXtraPay_, &NumberBox::valueEdited, this, [&loan](double value) { loan.Extra = value; });
    numIntRate_->setAcceptor([](double value) { return value <= MostLoanRate; });
    connect(numIntRate_, &NumberBox::valueEdited, this,
            [&loan](double value) { loan.Rate = static_cast<float>(value); });
    connect(numIntRate_, &NumberBox::refused, this, [this] {
        showError(Text(LoanRateTitle), Text(LoanRateMessage));
        numIntRate_->setFocus(Qt::OtherFocusReason);
    });
    numPeriod_->setAcceptor([](double value) {
        const auto months = RoundHalfEvenToInt16(value);
        return months && *months <= MostLoanMonths;
    });
    connect(numPeriod_, &NumberBox::valueEdited, this,
            [this](double value) { period_ = RoundHalfEvenToInt16(value).value_or(period_); });
    connect(numPeriod_, &NumberBox::refused, this, [this] {
        showError(Text(LoanPeriodTitle), Text(LoanPeriodMessage));
        numPeriod_->setFocus(Qt::OtherFocusReason);
    });

    connect(cmdCalculate, &QPushButton::clicked, this, &LoanBusterScreen::calculate);
    setUpRowPrinting(cmdPrint, fraPrint_, {BusterReport, [this]() -> std::optional<ReportRow> {
                                               if (this->state().LoanBuster.Principal <= 0.0 || result_.ExtraRefused)
                                                   return std::nullopt;
                                               return LoanBusterReportRow(this->state().LoanBuster, period_, result_);
                                           },
                                           cmdOK_});

    load();
}

void LoanBusterScreen::activated() { load(); }

void LoanBusterScreen::load()
{
    const LoanBusterState& loan = state().LoanBuster;
    numPrinAmount_->setValue(loan.Principal);
    numPeriod_->setValue(period_);
    numIntRate_->setValue(loan.Rate);
    numXtraPay_->setValue(loan.Extra);
}

bool LoanBusterScreen::calculate()
{
    {
        BusyCursor busy;
        result_ = BBCalc(state().LoanBuster, period_);
    }
    showResult();
    if (!result_.ExtraRefused)
        return true;
    // The second column would be the figures of another extra payment: it stays empty.
    for (std::size_t i = 2; i < numAns1_.size(); ++i)
        numAns1_[i]->clearValue();
    numAns2_->clearValue();
    const double most = MostExtraRepayments * result_.Repayment;
    showError(Text(ExtraPaymentTitle), Text(ExtraTooLargeMessage(FormatAmount(most))));
    numXtraPay_->setFocus(Qt::OtherFocusReason);
    return false;
}

void LoanBusterScreen::showResult()
{
    const LoanBusterState& loan = state().LoanBuster;
    numXtraPay_->setValue(loan.Extra);
    numMonRePay_->setValue(result_.Repayment);
    const double shown[] = {result_.TotalInterest,    result_.TotalRepayments, loan.Principal,
                            loan.Rate,                result_.NewRepayment,    result_.NewTotalInterest,
                            result_.NewTotalRepayments, result_.Saving};
    for (std::size_t i = 0; i < numAns1_.size(); ++i)
        numAns1_[i]->setValue(shown[i]);
    numAns2_->setValue(result_.NewPeriod);
}

void LoanBusterScreen::printReport() { printRow(); }

} // namespace revora
