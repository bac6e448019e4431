#include "tax/QuickTaxScreen.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "FormKit.h"
#include "NumberBox.h"
#include "PrintPanel.h"
#include "ResultWidth.h"
#include "common/InputNumbers.h"
#include "tax/QuickTax.h"
#include "tax/TaxYearRules.h"

namespace revora {

QuickTaxScreen::QuickTaxScreen(TaxState& state, ProgramValues& program, QWidget* parent)
    : CalculatorWindow(program, parent), state_(state)
{
    setWindowTitle(QStringLiteral("QuickTax"));
    setObjectName("QuickTaxScreen");

    makeBoxes();
    QGridLayout* grid = layOutBoxes();

    auto* calculateButton = MakeCalculateButton(this);
    auto* okButton = MakeButton(this, "cmdOk", QStringLiteral("&OK"));
    auto* cmPrint = MakeButton(this, "cmPrint", QStringLiteral("&Print"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(calculateButton);
    buttons->addWidget(okButton);
    buttons->addWidget(cmPrint);

    QVBoxLayout* layout = formLayout();
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    printOptions_ = new PrintPanel(this);
    printOptions_->setObjectName("Frame1");
    setUpPrinting(cmPrint, printOptions_);

    ChainTabOrder({boxes_[0], boxes_[1], calculateButton, okButton, cmPrint});

    connect(boxes_[0], &NumberBox::valueEdited, this, [this](double income) {
        TaxState& s = this->state();
        // An income typed here is no longer the one another screen passed.
        if (income != s.TaxBracketResult.TaxableIncome) {
            s.IncomeFrom.clear();
            incomeNote_->clear();
        }
        s.QuickTax.IncomeCopy = income;
        s.TaxBracketResult.TaxableIncome = income;
    });
    connect(boxes_[1], &NumberBox::valueEdited, this, [this](double age) {
        this->state().QuickTax.Age = RoundHalfEvenToInt16(age).value_or(this->state().QuickTax.Age);
    });
    connect(calculateButton, &QPushButton::clicked, this, &QuickTaxScreen::calculate);
    connect(okButton, &QPushButton::clicked, this, &CalculatorWindow::closeScreen);
}

void QuickTaxScreen::makeBoxes()
{
    // Every box is as wide as its figure for the largest income, at the oldest age (the largest
    // rebate), in whichever year of the data gives the widest; the rates stay below 100.
    std::array<double, 10> widest{};
    auto widen = [&widest](const TaxYear& year) {
        QuickTaxState most;
        most.Age = MostAge;
        TaxBracketResult top;
        top.TaxableIncome = MostQuickTaxIncome;
        QuickTaxCalculate(most, top, year);
        const double figures[10] = {top.TaxableIncome, static_cast<double>(most.Age), top.BaseTax, 100.0,
                                    top.PortionTax, most.TotalTax, most.TotalRebate, most.TaxCommitment, 100.0, 100.0};
        for (int i = 0; i < 10; ++i)
            widest[i] = std::max(widest[i], figures[i]);
    };
    widen(TaxYear2016());
    for (const TaxYear& year : program().Year.Years)
        widen(year);
    for (int i = 0; i < 10; ++i) {
        // The age shows whole years; every other box rands or percent with two decimals.
        const int decimals = i == 1 ? 0 : 2;
        boxes_[i] = new NumberBox(NumberBox::Kind::Decimal, decimals, this);
        boxes_[i]->setObjectName(QStringLiteral("sidbEdit1_%1").arg(i));
        boxes_[i]->setOutput(i >= 2);
        boxes_[i]->setMinimumWidth(std::max(130, WidthToShow(*boxes_[i], decimals, {widest[i]})));
    }
    boxes_[3]->setMinimumWidth(std::max(60, WidthToShow(*boxes_[3], 2, {widest[3]})));
    boxes_[3]->setMaximumWidth(boxes_[3]->minimumWidth() + 10);
    boxes_[1]->setAcceptor(CountAtMost(MostAge));
    connect(boxes_[1], &NumberBox::refused, this, [this](double age) {
        if (age > 0.0)
            QMessageBox::critical(this, Text(AgeLimitTitle), Text(AgeLimitMessage));
    });
}

QGridLayout* QuickTaxScreen::layOutBoxes()
{
    auto* grid = new QGridLayout;
    auto caption = [this](const char* text, int boxIndex) { return MakeLabel(this, text, boxes_[boxIndex]); };
    int row = 0;
    grid->addWidget(caption("Taxable Income", 0), row, 0);
    grid->addWidget(boxes_[0], row++, 3);
    // Under the income, ending where the box ends; its line is kept while it is empty, so the
    // boxes below do not move when a note comes or goes.
    incomeNote_ = new QLabel(this);
    incomeNote_->setObjectName("lblIncomeFrom");
    incomeNote_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    incomeNote_->setWordWrap(true);
    incomeNote_->setMinimumHeight(incomeNote_->fontMetrics().height());
    QFont noteFont = incomeNote_->font();
    noteFont.setItalic(true);
    incomeNote_->setFont(noteFont);
    grid->addWidget(incomeNote_, row++, 0, 1, 4);
    grid->addWidget(caption("Age", 1), row, 0);
    grid->addWidget(boxes_[1], row++, 3);
    grid->addWidget(caption("Tax on taxable income", 2), row, 0);
    grid->addWidget(boxes_[2], row++, 3);
    auto* portion = new QHBoxLayout;
    portion->addWidget(caption("+ Portion @ M/Rate (", 3));
    portion->addWidget(boxes_[3]);
    portion->addWidget(MakeLabel(this, "%) R"));
    portion->addStretch();
    grid->addLayout(portion, row, 0, 1, 3);
    grid->addWidget(boxes_[4], row++, 3);
    const std::pair<const char*, int> rest[] = {{"Total tax", 5},
                                                {"Less rebates", 6},
                                                {"Tax commitment", 7},
                                                {"Average rate before rebates", 8},
                                                {"Average rate after rebates", 9}};
    for (const auto& [text, index] : rest) {
        grid->addWidget(caption(text, index), row, 0, 1, 3);
        grid->addWidget(boxes_[index], row++, 3);
    }
    grid->setColumnStretch(2, 1);
    return grid;
}

bool QuickTaxScreen::calculate()
{
    TaxState& s = state();
    Working working;
    QuickTaxCalculate(s.QuickTax, s.TaxBracketResult, program().Year.Current(), &working);
    const TaxBracketResult& r = s.TaxBracketResult;
    const QuickTaxState& q = s.QuickTax;
    const double shown[10] = {r.TaxableIncome, static_cast<double>(q.Age), r.BaseTax, r.MarginalRate, r.PortionTax,
                              q.TotalTax, q.TotalRebate, q.TaxCommitment, q.AverageRate, q.AverageRateAfterRebates};
    for (int i = 0; i < 10; ++i)
        boxes_[i]->setValue(shown[i]);
    incomeNote_->setText(QString::fromStdString(QuickTaxIncomeNote(s.IncomeFrom)));
    setWorking(std::move(working));
    return true;
}

// KwikTaxPrint
void QuickTaxScreen::printReport()
{
    printOneRowReport({QStringLiteral("kwiktax"), QStringLiteral("kwiktep.rpt"), QStringLiteral("QuickTax") + ExportHint},
                      QuickTaxReportRow(state().QuickTax, state().TaxBracketResult));
}

} // namespace revora
