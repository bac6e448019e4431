#include "finance/LoanComparisonScreen.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "finance/FinanceAmountBox.h"
#include "finance/Loan.h"
#include "common/AmountFormat.h"
#include "Database.h"
#include "FormKit.h"
#include "NumberBox.h"
#include "PrintPanel.h"

namespace revora {

namespace {

const ReportRequest ComparisonReport{QStringLiteral("BondComp"), QStringLiteral("LoanComparison.rpt"),
                                     QStringLiteral("Loan Comparison")};

// "# ### ### ##0.00 ": grouped, two decimals, a blank after.
QString GridAmount(double value) { return QString::fromStdString(FormatAmount(value)) + QLatin1Char(' '); }

} // namespace

LoanComparisonScreen::LoanComparisonScreen(FinanceState& state, ProgramValues& program, QWidget* parent)
    : CalculatorWindow(program, parent), state_(state)
{
    setWindowTitle(QStringLiteral("Loan Comparison"));
    setObjectName("LoanComparisonScreen");
    LoanComparisonState& loan = this->state().LoanComparison;

    amount_ = MakeNumberBox(this, {.name = "numBAmt", .store = Into(loan.Amount), .accepts = FinanceAmountLimit(),
                                   .refusal = FinanceAmountRefusal(), .minimumWidth = 120});
    rate_ = MakeNumberBox(this, {.name = "numIntRate", .store = Into(loan.Rate), .accepts = AtMost(MostLoanRate),
                                       .refusal = {LoanRateTitle, LoanRateMessage}, .minimumWidth = 120});
    auto* inputs = new QGridLayout;
    AddGridRow(inputs, this, "Bond amount", amount_);
    AddGridRow(inputs, this, "Interest rate", rate_, "%p.a.");
    inputs->setColumnStretch(3, 1);

    // The header row is the table's own header; the six terms follow it.
    grid_ = new QTableWidget(static_cast<int>(rows_.size()), 4, this);
    grid_->setObjectName("grdComparison");
    grid_->setHorizontalHeaderLabels(
        {QStringLiteral(" Period "), QStringLiteral("Monthly repayment"), QStringLiteral("   Total Interest   "),
         QStringLiteral("  Total Paid    ")});
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setFocusPolicy(Qt::NoFocus);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int r = 0; r < grid_->rowCount(); ++r)
        for (int c = 0; c < grid_->columnCount(); ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(c == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
            grid_->setItem(r, c, item);
        }

    formLayout()->addLayout(inputs);
    formLayout()->addSpacing(8);
    formLayout()->addWidget(grid_);

    endForm(8, true, {amount_, rate_}, ComparisonReport, [this]() -> std::optional<ReportRow> {
        const LoanComparisonState& loan = this->state().LoanComparison;
        // 0 % is a loan too: repaid in equal parts.
        if (loan.Amount <= 0.0)
            return std::nullopt;
        return LoanComparisonReportRow(loan, rows_);
    });

    activated();
    grid_->resizeColumnsToContents();
    // The whole grid shows, with no scroll bars.
    int width = grid_->frameWidth() * 2;
    for (int c = 0; c < grid_->columnCount(); ++c)
        width += grid_->columnWidth(c);
    grid_->setFixedSize(width, grid_->frameWidth() * 2 + grid_->horizontalHeader()->sizeHint().height() +
                                   grid_->rowCount() * grid_->rowHeight(0));
}

void LoanComparisonScreen::activated()
{
    load();
    calculate();
}

void LoanComparisonScreen::load()
{
    const LoanComparisonState& loan = this->state().LoanComparison;
    amount_->setValue(loan.Amount);
    rate_->setValue(loan.Rate);
}

bool LoanComparisonScreen::calculate()
{
    Working working;
    rows_ = CompareLoans(state().LoanComparison, &working);
    showComparison();
    setWorking(std::move(working));
    return true;
}

void LoanComparisonScreen::showComparison()
{
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const ComparisonRow& row = rows_[i];
        const int r = static_cast<int>(i);
        grid_->item(r, 0)->setText(QString::fromStdString(row.Label));
        grid_->item(r, 1)->setText(GridAmount(row.Repayment));
        grid_->item(r, 2)->setText(GridAmount(row.TotalInterest));
        grid_->item(r, 3)->setText(GridAmount(row.TotalPaid));
    }
}

void LoanComparisonScreen::printReport() { printRow(); }

} // namespace revora
