#include "finance/InflationScreen.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "BusyCursor.h"
#include "Database.h"
#include "FormKit.h"
#include "NumberBox.h"
#include "PrintPanel.h"
#include "SpinnerStep.h"
#include "finance/FinanceAmountBox.h"

namespace revora {

namespace {

const QString Table = QStringLiteral("Inflation");
constexpr int RateDecimals = 3;

} // namespace

InflationScreen::InflationScreen(FinanceState& state, ProgramValues& program, QWidget* parent)
    : CalculatorWindow(program, parent), state_(state)
{
    setWindowTitle(QStringLiteral("Inflation"));
    setObjectName("InflationScreen");
    InflationState& values = this->state().Inflation;

    using Kind = NumberBox::Kind;
    presentCost_ = MakeNumberBox(this, {.name = "numPresCost", .kind = Kind::Whole, .decimals = 0,
                                        .store = Into(values.PresentCost), .accepts = FinanceAmountLimit(),
                                        .refusal = FinanceAmountRefusal(), .minimumWidth = 110,
                                        .tidy = Tidy::Plain});
    period_ = MakeNumberBox(this, {.name = "numPeriod", .kind = Kind::Whole, .decimals = 0,
                                   .store = Into(values.Period), .accepts = AtMost(MostInflationYears),
                                   .refusal = {InflationPeriodTitle, InflationPeriodMessage},
                                   .minimumWidth = 110, .tidy = Tidy::Plain});
    rate_ = MakeNumberBox(this, {.name = "numInflaRate", .decimals = RateDecimals, .store = Into(values.Rate),
                                 .accepts = [](double v) { return v >= LeastInflationRate && v <= MostInflationRate; },
                                 .refusal = {InflationRateTitle, InflationRateMessage}, .negative = true,
                                 .minimumWidth = 110, .tidy = Tidy::Plain});
    periodSpinner_ = new SpinnerStep(this);
    periodSpinner_->setObjectName("spPeriod");
    rateSpinner_ = new SpinnerStep(this);
    rateSpinner_->setObjectName("spInflation");
    futureValue_ = MakeNumberBox(this, {.name = "numAns1", .kind = Kind::Whole, .decimals = 0, .minimumWidth = 110,
                                        .tidy = Tidy::Plain});
    futureValue_->setOutput(true);
    buyingPower_ = MakeNumberBox(this, {.name = "numAns2", .kind = Kind::Whole, .decimals = 0, .minimumWidth = 110,
                                        .tidy = Tidy::Plain});
    buyingPower_->setOutput(true);
    tooLarge_ = new QLabel(Text(TooLargeText), this);
    tooLarge_->setObjectName("Label2_12");
    tooLarge_->hide();

    auto* grid = new QGridLayout;
    AddGridRowAt(grid, 0, this, "Present cost", presentCost_);
    AddGridRowAt(grid, 1, this, "Period", period_, "year/s.");
    grid->addWidget(periodSpinner_, 1, 3);
    grid->addWidget(MakeLabel(this, "Period"), 1, 4);
    AddGridRowAt(grid, 2, this, "Inflation rate", rate_, "% p.a.");
    grid->addWidget(rateSpinner_, 2, 3);
    grid->addWidget(MakeLabel(this, "Inflation rate"), 2, 4);
    grid->addWidget(MakeLabel(this, "Future value/cost"), 3, 0);
    // The label takes the box's place when the value does not fit it.
    grid->addWidget(futureValue_, 3, 1);
    grid->addWidget(tooLarge_, 3, 1, 1, 4);
    grid->addWidget(MakeLabel(this, "Buying power"), 4, 0);
    grid->addWidget(buyingPower_, 4, 1);
    formLayout()->addLayout(grid);

    QPushButton* okButton = endForm(
        6, false, {presentCost_, period_, rate_},
        {Table, QStringLiteral("Inflatin.rpt"), QStringLiteral("Inflation") + ExportHint},
        [this]() -> std::optional<ReportRow> {
            if (!InflationPrintable(this->state().Inflation))
                return std::nullopt;
            return InflationReportRow(this->state().Inflation);
        }).ok;

    const auto recalculate = [this] { calculate(); };
    BindSpinner(periodSpinner_, period_, {InflationPeriodSpin(), 0, Into(values.Period), recalculate, okButton});
    BindSpinner(rateSpinner_, rate_, {InflationRateSpin(), RateDecimals, Into(values.Rate), recalculate, okButton});

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
    Working working;
    InflationCalc(values, &working);
    const bool tooLarge = FutureValueTooLarge(values);
    tooLarge_->setVisible(tooLarge);
    futureValue_->setVisible(!tooLarge);
    if (!tooLarge)
        ShowPlain(futureValue_, values.FutureValue, 0);
    ShowPlain(buyingPower_, values.BuyingPower, 0);
    setWorking(std::move(working));
    return true;
}

void InflationScreen::printReport() { printRow(); }

} // namespace revora
