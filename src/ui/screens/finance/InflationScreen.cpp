#include "finance/InflationScreen.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "BusyCursor.h"
#include "Database.h"
#include "NumberBox.h"
#include "PrintPanel.h"
#include "SpinnerStep.h"

namespace revora {

namespace {

const QString Table = QStringLiteral("Inflation");
constexpr int RateDecimals = 3;

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

NumberBox* Box(QWidget* parent, const char* name, NumberBox::Kind kind, int decimals)
{
    auto* box = new NumberBox(kind, decimals, parent);
    box->setObjectName(name);
    box->setMinimumWidth(110);
    TidyPlainOnLeave(box, decimals);
    return box;
}

} // namespace

InflationScreen::InflationScreen(FinanceState& state, ProgramValues& program, QWidget* parent)
    : CalculatorWindow(program, parent), state_(state)
{
    setWindowTitle(QStringLiteral("Inflation"));
    setObjectName("InflationScreen");
    InflationState& values = this->state().Inflation;

    presentCost_ = Box(this, "numPresCost", NumberBox::Kind::Whole, 0);
    period_ = Box(this, "numPeriod", NumberBox::Kind::Whole, 0);
    period_->setAcceptor([](double v) { return v <= MostInflationYears; });
    rate_ = Box(this, "numInflaRate", NumberBox::Kind::Decimal, RateDecimals);
    rate_->setAllowsNegative(true);
    rate_->setAcceptor([](double v) { return v >= LeastInflationRate && v <= MostInflationRate; });
    spPeriod_ = new SpinnerStep(this);
    spPeriod_->setObjectName("spPeriod");
    spInflation_ = new SpinnerStep(this);
    spInflation_->setObjectName("spInflation");
    futureValue_ = Box(this, "numAns1", NumberBox::Kind::Whole, 0);
    futureValue_->setOutput(true);
    buyingPower_ = Box(this, "numAns2", NumberBox::Kind::Whole, 0);
    buyingPower_->setOutput(true);
    tooLarge_ = new QLabel(Text(TooLargeText), this);
    tooLarge_->setObjectName("Label2_12");
    tooLarge_->hide();

    auto* grid = new QGridLayout;
    const auto label = [this](const char* text, QWidget* buddy = nullptr) {
        auto* l = new QLabel(QString::fromUtf8(text), this);
        if (buddy)
            l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label("Present cost", presentCost_), 0, 0);
    grid->addWidget(presentCost_, 0, 1);
    grid->addWidget(label("Period", period_), 1, 0);
    grid->addWidget(period_, 1, 1);
    grid->addWidget(label("year/s."), 1, 2);
    grid->addWidget(spPeriod_, 1, 3);
    grid->addWidget(label("Period"), 1, 4);
    grid->addWidget(label("Inflation rate", rate_), 2, 0);
    grid->addWidget(rate_, 2, 1);
    grid->addWidget(label("% p.a."), 2, 2);
    grid->addWidget(spInflation_, 2, 3);
    grid->addWidget(label("Inflation rate"), 2, 4);
    grid->addWidget(label("Future value/cost"), 3, 0);
    // The label takes the box's place when the value does not fit it.
    grid->addWidget(futureValue_, 3, 1);
    grid->addWidget(tooLarge_, 3, 1, 1, 4);
    grid->addWidget(label("Buying power"), 4, 0);
    grid->addWidget(buyingPower_, 4, 1);

    const CommandRow commands = makeCommandRow(false);
    QPushButton* cmdCalculate = commands.calculate;
    cmdOK_ = commands.ok;
    QPushButton* cmdPrint = commands.print;

    formLayout()->addLayout(grid);
    formLayout()->addSpacing(6);
    formLayout()->addLayout(commands.layout);

    fraPrint_ = new PrintPanel(this, QStringLiteral("C&ancel"));
    fraPrint_->setObjectName("fraPrint");
    fraPrint_->cancelButton()->setObjectName("cmdPrintCancel");

    const QList<QWidget*> order{presentCost_, period_, rate_, cmdCalculate, cmdOK_, cmdPrint};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(presentCost_, &NumberBox::valueEdited, this, [&values](double v) { values.PresentCost = v; });
    connect(period_, &NumberBox::valueEdited, this, [&values](double v) { values.Period = v; });
    connect(rate_, &NumberBox::valueEdited, this, [&values](double v) { values.Rate = v; });
    connect(period_, &NumberBox::refused, this, [this] {
        showError(Text(InflationPeriodTitle), Text(InflationPeriodMessage));
        period_->setFocus(Qt::OtherFocusReason);
    });
    connect(rate_, &NumberBox::refused, this, [this] {
        showError(Text(InflationRateTitle), Text(InflationRateMessage));
        rate_->setFocus(Qt::OtherFocusReason);
    });
    const auto recalculate = [this] { calculate(); };
    BindSpinner(spPeriod_, period_,
                {InflationPeriodSpin(), 0, [&values](double v) { values.Period = v; }, recalculate, cmdOK_});
    BindSpinner(spInflation_, rate_,
                {InflationRateSpin(), RateDecimals, [&values](double v) { values.Rate = v; }, recalculate, cmdOK_});

    connect(cmdCalculate, &QPushButton::clicked, this, &InflationScreen::calculate);
    setUpRowPrinting(cmdPrint, fraPrint_,
                     {{Table, QStringLiteral("Inflatin.rpt"), QStringLiteral("Inflation") + ExportHint},
                      [this]() -> std::optional<ReportRow> {
                          if (!InflationPrintable(this->state().Inflation))
                              return std::nullopt;
                          return InflationReportRow(this->state().Inflation);
                      },
                      cmdOK_});

    activated();
}

void InflationScreen::activated()
{
    const InflationState& values = state().Inflation;
    ShowPlain(presentCost_, values.PresentCost, 0);
    ShowPlain(period_, values.Period, 0);
    ShowPlain(rate_, values.Rate, RateDecimals);
    calculate();
}

bool InflationScreen::calculate()
{
    BusyCursor busy;
    InflationState& values = state().Inflation;
    InflationCalc(values);
    const bool tooLarge = FutureValueTooLarge(values);
    tooLarge_->setVisible(tooLarge);
    futureValue_->setVisible(!tooLarge);
    if (!tooLarge)
        ShowPlain(futureValue_, values.FutureValue, 0);
    ShowPlain(buyingPower_, values.BuyingPower, 0);
    return true;
}

void InflationScreen::printReport() { printRow(); }

} // namespace revora
