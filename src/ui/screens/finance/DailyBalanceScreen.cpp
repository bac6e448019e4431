#include "finance/DailyBalanceScreen.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "BusyCursor.h"
#include "Database.h"
#include "DateBox.h"
#include "FormKit.h"
#include "NumberBox.h"
#include "ResultWidth.h"
#include "PrintPanel.h"
#include "SpinnerStep.h"
#include "common/DayDate.h"
#include "finance/FinanceAmountBox.h"
#include "tax/TaxYearRules.h"

namespace revora {

namespace {

// Dates from this day on are real dates; the day before DateNotSet+2 still reads as "not set".
constexpr int FirstSetDate = DateNotSet + 2;
const QString Table = QStringLiteral("DailyBal");

int LastDate() { return DayNumberFromCivil({9999, 12, 31}); }

} // namespace

DailyBalanceScreen::DailyBalanceScreen(FinanceState& state, ProgramValues& program, QWidget* parent)
    : CalculatorWindow(program, parent), state_(state)
{
    setWindowTitle(QStringLiteral("Daily Balance"));
    setObjectName("DailyBalanceScreen");
    DailyBalanceState& values = this->state().DailyBalance;

    capital_ = MakeNumberBox(this, {.name = "numCapAmount", .store = Into(values.Capital),
                                    .accepts = FinanceAmountLimit(), .refusal = FinanceAmountRefusal(),
                                    .tidy = Tidy::Plain});
    startDate_ = new DateBox(this);
    startDate_->setObjectName("dtStartDate");
    endDate_ = new DateBox(this);
    endDate_->setObjectName("dtEndDate");
    for (DateBox* box : {startDate_, endDate_}) {
        box->setBounds(FirstSetDate, LastDate());
        box->setDate(DateNotSet);
        box->setEmptyAllowed(DateNotSet);
        box->setMaximumWidth(110);
    }
    rate_ = MakeNumberBox(this, {.name = "numIntRate", .decimals = 3, .store = Into(values.Rate),
                                 .accepts = AtMost(MostDailyBalanceRate),
                                 .refusal = {DailyBalanceRateTitle, DailyBalanceRateMessage}, .tidy = Tidy::Plain});
    dateSpinner_ = new SpinnerStep(this);
    dateSpinner_->setObjectName("spDate");
    rateSpinner_ = new SpinnerStep(this);
    rateSpinner_->setObjectName("spRate");
    interest_ = MakeNumberBox(this, {.name = "numAnsDB1"});
    interest_->setOutput(true);
    days_ = MakeNumberBox(this, {.name = "numAnsDB2", .kind = NumberBox::Kind::Whole, .decimals = 0});
    days_->setOutput(true);
    for (NumberBox* box : {capital_, rate_, interest_, days_})
        box->setMinimumWidth(110);
    FitToFigures(*interest_, 2, {LargestResult}, 110);

    auto* grid = new QGridLayout;
    AddGridRowAt(grid, 0, this, "Capital amount", capital_);
    grid->addWidget(MakeLabel(this, "Start date", startDate_), 1, 0);
    grid->addWidget(startDate_, 1, 1, Qt::AlignLeft);
    grid->addWidget(MakeLabel(this, "End date", endDate_), 2, 0);
    grid->addWidget(endDate_, 2, 1, Qt::AlignLeft);
    grid->addWidget(dateSpinner_, 2, 3);
    grid->addWidget(MakeLabel(this, "Date"), 2, 4);
    AddGridRowAt(grid, 3, this, "Interest rate", rate_, "% p.a.");
    grid->addWidget(rateSpinner_, 3, 3);
    grid->addWidget(MakeLabel(this, "Interest rate"), 3, 4);
    grid->addWidget(MakeLabel(this, "Interest accrued"), 4, 0);
    grid->addWidget(interest_, 4, 1);
    grid->addWidget(MakeLabel(this, "Number of days"), 5, 0);
    grid->addWidget(days_, 5, 1);
    grid->setColumnMinimumWidth(2, 40);
    formLayout()->addLayout(grid);

    QPushButton* okButton = endForm(
        6, false, {capital_, startDate_, endDate_, rate_},
        {Table, QStringLiteral("DayBal.rpt"), QStringLiteral("Daily Balance Calculation")},
        [this]() -> std::optional<ReportRow> {
            if (!DailyBalancePrintable(result_))
                return std::nullopt;
            return DailyBalanceReportRow(this->state().DailyBalance, result_);
        },
        [this] {
            if (bothDatesSet())
                calculate();
        }).ok;

    watchDates();
    connect(dateSpinner_, &SpinnerStep::stepped, this, &DailyBalanceScreen::stepEndDate);
    dateSpinner_->stepFromKeysIn(endDate_);
    BindSpinner(rateSpinner_, rate_,
                {DailyBalanceRateSpin(values.RateStep), 3, Into(values.Rate), [this] { calculate(); }, okButton});

    activated();
}

void DailyBalanceScreen::watchDates()
{
    // Each date keeps within 10 960 days of the other, on its own side of it.
    connect(endDate_, &DateBox::entering, this, [this] {
        if (startDate_->isUnset())
            endDate_->setBounds(FirstSetDate, LastDate());
        else
            endDate_->setBounds(startDate_->date(), startDate_->date() + DailyBalanceSpan);
    });
    connect(startDate_, &DateBox::entering, this, [this] {
        if (endDate_->isUnset())
            startDate_->setBounds(FirstSetDate, LastDate());
        else
            startDate_->setBounds(endDate_->date() - DailyBalanceSpan, endDate_->date() - 1);
    });
    connect(startDate_, &DateBox::dateEdited, this, [this](int day) { state().DailyBalance.StartDate = day; });
    connect(endDate_, &DateBox::dateEdited, this, [this](int day) { state().DailyBalance.EndDate = day; });

    // A text that is no date ("31/04/2015") is said to be invalid, not out of range.
    const auto invalid = [this](DateBox* box) {
        showError(Text(InvalidDateTitle), Text(InvalidDateMessage));
        box->setFocus(Qt::OtherFocusReason);
    };
    connect(startDate_, &DateBox::invalidDateRejected, this, [this, invalid] { invalid(startDate_); });
    connect(endDate_, &DateBox::invalidDateRejected, this, [this, invalid] { invalid(endDate_); });
    // The box shows its last date again before it reports a date out of range; the text typed
    // tells on which side of the other date it fell.
    for (DateBox* box : {startDate_, endDate_})
        connect(box, &QLineEdit::textEdited, this, [box](const QString& text) { box->setProperty("typed", text); });
    const auto typedDay = [](DateBox* box) {
        return ParseDayDate(box->property("typed").toString().toStdString()).value_or(box->date());
    };
    const auto outOfRange = [this](DateBox* box, const std::string& message) {
        showError(Text(DateOutOfRangeTitle), QString::fromStdString(message));
        box->setFocus(Qt::OtherFocusReason);
    };
    // Out of range against the other date; with the other date empty the only bounds are
    // those of the calendar, and such a date reads as invalid.
    connect(startDate_, &DateBox::outOfRangeRejected, this, [this, typedDay, outOfRange] {
        if (endDate_->isUnset()) {
            showError(Text(InvalidDateTitle), Text(InvalidDateMessage));
            return startDate_->setFocus(Qt::OtherFocusReason);
        }
        const std::string end = endDate_->text().toStdString();
        outOfRange(startDate_, typedDay(startDate_) >= endDate_->date() ? StartDateNotBeforeEndMessage(end)
                                                                        : StartDateTooEarlyMessage(end));
    });
    connect(endDate_, &DateBox::outOfRangeRejected, this, [this, typedDay, outOfRange] {
        if (startDate_->isUnset()) {
            showError(Text(InvalidDateTitle), Text(InvalidDateMessage));
            return endDate_->setFocus(Qt::OtherFocusReason);
        }
        const std::string start = startDate_->text().toStdString();
        outOfRange(endDate_, typedDay(endDate_) < startDate_->date() ? EndDateBeforeStartMessage(start)
                                                                     : EndDateTooLateMessage(start));
    });
}

bool DailyBalanceScreen::bothDatesSet() const { return !startDate_->isUnset() && !endDate_->isUnset(); }

void DailyBalanceScreen::activated()
{
    const DailyBalanceState& values = state().DailyBalance;
    ShowPlain(capital_, values.Capital, 2);
    ShowPlain(rate_, values.Rate, 3);
    // A date still at its "not set" value leaves the box as it is.
    if (values.StartDate >= FirstSetDate)
        startDate_->setDate(values.StartDate);
    if (values.EndDate >= FirstSetDate)
        endDate_->setDate(values.EndDate);
    calculate();
}

bool DailyBalanceScreen::calculate()
{
    BusyCursor busy;
    const DailyBalanceState& values = state().DailyBalance;
    // A date not set has no day count: the interest up to 01/01/1800 means nothing, nor has
    // its 0 any working.
    Working working;
    if (values.StartDate >= FirstSetDate && values.EndDate >= FirstSetDate)
        result_ = DailyBalanceCalc(values, &working);
    else
        result_ = DailyBalanceResult{};
    ShowPlain(interest_, result_.Interest, 2);
    ShowPlain(days_, result_.Days, 0);
    setWorking(std::move(working));
    return true;
}

void DailyBalanceScreen::stepEndDate(int direction)
{
    if (startDate_->isUnset())
        return;
    DailyBalanceState& values = state().DailyBalance;
    const EndDateStep step = StepEndDate(values, direction);
    if (step.Stopped) {
        dateSpinner_->beep();
        return;
    }
    endDate_->setDate(step.EndDate);
    values.EndDate = step.EndDate;
    calculate();
}

void DailyBalanceScreen::printReport() { printRow(); }

} // namespace revora
