#include "finance/LoansScreen.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <string_view>

#include "finance/Annuity.h"
#include "finance/FinanceAmountBox.h"
#include "finance/LoanGraphWindow.h"
#include "common/AmountFormat.h"
#include "BusyCursor.h"
#include "FormKit.h"
#include "NumberBox.h"
#include "ResultWidth.h"
#include "OverlayPanel.h"
#include "PrintPanel.h"
#include "ReportDatabase.h"
#include "ReportRenderer.h"

namespace revora {

namespace {

constexpr int BoxWidth = 120;
// The grid shows this many rows before it scrolls.
constexpr int GridRowsShown = 10;
constexpr std::array<LoanMode, 4> Modes = {LoanMode::MonthlyRepayment, LoanMode::PrincipalAmount,
                                           LoanMode::RepaymentPeriod, LoanMode::InterestRate};

const QStringList MonthlyHeaders = {QStringLiteral(" Month   "), QStringLiteral("Capital payment "),
                                    QStringLiteral("Interest payment"), QStringLiteral("    Balance    ")};
const QStringList AnnualHeaders = {QStringLiteral(" Year "), QStringLiteral("Capital payments"),
                                   QStringLiteral("Interest payment"), QStringLiteral("    Balance      ")};

// A result box stands out in yellow and cannot be typed in or tabbed to; an input is white.
void ShowAsResult(NumberBox* box, bool result)
{
    box->setOutput(result);
    QPalette shade = box->palette();
    shade.setColor(QPalette::Base, result ? QColor(Qt::yellow) : QColor(Qt::white));
    shade.setColor(QPalette::Text, QColor(Qt::black));
    box->setPalette(shade);
}

} // namespace

LoansScreen::LoansScreen(FinanceState& state, ProgramValues& program, QWidget* parent)
    : CalculatorWindow(program, parent), state_(state)
{
    setObjectName("frmLoans");
    setWindowTitle(QStringLiteral("Loans"));
    buildForm();
    buildGridPanel();
    buildPrintPanel();
    orderTabs();
    activated();
}

// ---- building the form ----------------------------------------------------------------------

NumberBox* LoansScreen::inputBox(const char* name, int decimals, double LoanState::*field, bool amount)
{
    // Stored as typed: the other routines read the program-wide values, not the boxes.
    auto* box = MakeNumberBox(this, {.name = name,
                                     .kind = decimals == 0 ? NumberBox::Kind::Whole : NumberBox::Kind::Decimal,
                                     .decimals = decimals,
                                     .store = [this, field](double value) { loan().*field = value; },
                                     .accepts = amount ? FinanceAmountLimit() : nullptr,
                                     .refusal = amount ? FinanceAmountRefusal() : Refusal{},
                                     .tidy = Tidy::Own});
    box->setFixedWidth(BoxWidth);
    box->setAlignment(Qt::AlignRight);
    return box;
}

void LoansScreen::buildForm()
{
    auto* columns = new QHBoxLayout;
    columns->addLayout(buildValues());
    columns->addSpacing(24);
    columns->addLayout(buildModes());

    calculateButton_ = MakeCalculateButton(this);
    financeChargesButton_ = MakeButton(this, "cmdFinCharge", QStringLiteral("&Fin. charges"));
    monthlyScheduleButton_ = MakeButton(this, "cmdMonAmort", QStringLiteral("Mo&nthly Amort."));
    annualScheduleButton_ = MakeButton(this, "cmdAnnAmort", QStringLiteral("&Annual Amort."));
    graphButton_ = MakeButton(this, "cmdLoanGraph", QStringLiteral("Annual &Graph"));
    printButton_ = MakeButton(this, "cmdPrint", QStringLiteral("&Print"));
    okButton_ = MakeButton(this, "cmdOk", QStringLiteral("&OK"));
    auto* schedule = new QHBoxLayout;
    for (QPushButton* b : {financeChargesButton_, monthlyScheduleButton_, annualScheduleButton_, graphButton_})
        schedule->addWidget(b);
    schedule->addStretch();
    auto* commands = new QHBoxLayout;
    for (QPushButton* b : {calculateButton_, printButton_, okButton_})
        commands->addWidget(b);
    commands->addStretch();

    formLayout()->addLayout(columns);
    formLayout()->addSpacing(8);
    formLayout()->addLayout(schedule);
    formLayout()->addLayout(commands);

    connect(calculateButton_, &QPushButton::clicked, this, &LoansScreen::calculate);
    connect(financeChargesButton_, &QPushButton::clicked, this, &LoansScreen::toggleTotals);
    connect(monthlyScheduleButton_, &QPushButton::clicked, this, &LoansScreen::showMonthly);
    connect(annualScheduleButton_, &QPushButton::clicked, this, &LoansScreen::showAnnual);
    connect(graphButton_, &QPushButton::clicked, this, &LoansScreen::showGraph);
    connect(okButton_, &QPushButton::clicked, this, &CalculatorWindow::closeScreen);
}

QLayout* LoansScreen::buildValues()
{
    principal_ = inputBox("numPrinAmount", 2, &LoanState::Principal, true);
    months_ = inputBox("numPeriod", 0, &LoanState::Months);
    months_->setAcceptor(AtMost(MostLoanMonths));
    connect(months_, &NumberBox::refused, this, &LoansScreen::refusePeriod);
    rate_ = inputBox("numIntRate", 3, &LoanState::Rate);
    rate_->setAcceptor(AtMost(MostLoanRate));
    connect(rate_, &NumberBox::refused, this, &LoansScreen::refuseRate);
    repayment_ = inputBox("numMonRePay", 2, &LoanState::Repayment, true);

    // Covers the rate when a solved rate is beyond what the rate box takes.
    rateError_ = new QLineEdit(Text(LoanRateErrorText), rate_);
    rateError_->setObjectName("Text1");
    rateError_->setReadOnly(true);
    rateError_->setFocusPolicy(Qt::NoFocus);
    QPalette alarm = rateError_->palette();
    alarm.setColor(QPalette::Text, QColor(Qt::red));
    rateError_->setPalette(alarm);
    rateError_->hide();

    auto* values = new QGridLayout;
    values->setVerticalSpacing(6);
    AddGridRowAt(values, 0, this, "Princ&ipal amount", principal_, "R");
    AddGridRowAt(values, 1, this, "P&eriod", months_, "months.");
    AddGridRowAt(values, 2, this, "In&terest rate", rate_, "% p.a.");
    AddGridRowAt(values, 3, this, "Monthly repa&yment", repayment_, "R");
    totalInterest_ = new NumberBox(NumberBox::Kind::Decimal, 2, this);
    totalInterest_->setObjectName("numAns1");
    totalRepayments_ = new NumberBox(NumberBox::Kind::Decimal, 2, this);
    totalRepayments_->setObjectName("numAns2");
    totalInterestCaption_ = new QLabel(QStringLiteral("Total Interest"), this);
    totalInterestCaption_->setObjectName("lblAns1");
    totalRepaymentsCaption_ = new QLabel(QStringLiteral("Total Repayments"), this);
    totalRepaymentsCaption_->setObjectName("lblAns2");
    for (NumberBox* box : {totalInterest_, totalRepayments_}) {
        box->setOutput(true);
        box->setAllowsNegative(true);
        FitToFigures(*box, 2, {LargestResult}, BoxWidth);
        box->setAlignment(Qt::AlignRight);
    }
    values->addWidget(totalInterestCaption_, 4, 0);
    values->addWidget(totalInterest_, 4, 1);
    values->addWidget(totalRepaymentsCaption_, 5, 0);
    values->addWidget(totalRepayments_, 5, 1);
    // The rows keep their place whether the totals show or not.
    for (QWidget* w : {static_cast<QWidget*>(totalInterest_), static_cast<QWidget*>(totalRepayments_),
                       static_cast<QWidget*>(totalInterestCaption_), static_cast<QWidget*>(totalRepaymentsCaption_)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    return values;
}

QLayout* LoansScreen::buildModes()
{
    auto* modeGroup = new QGroupBox(QStringLiteral("Calculate Mode"), this);
    modeGroup->setObjectName("optLoanCalc");
    auto* modeLayout = new QVBoxLayout(modeGroup);
    for (std::size_t i = 0; i < Modes.size(); ++i) {
        auto* option = new QRadioButton(Text(LoanModeText(Modes[i])), modeGroup);
        option->setObjectName(QStringLiteral("optLoanCalc_%1").arg(i));
        modeLayout->addWidget(option);
        modes_ << option;
        const LoanMode mode = Modes[i];
        // Clicked, not toggled: choosing the mode already chosen still puts the focus back.
        connect(option, &QRadioButton::clicked, this, [this, mode] { modeChosen(mode); });
    }
    auto* modeCaption = new QLabel(QStringLiteral("Calculate mode"), this);
    modeShown_ = new QLabel(this);
    modeShown_->setObjectName("lblCalcMode");
    modeShown_->setFrameShape(QFrame::Panel);
    modeShown_->setFrameShadow(QFrame::Sunken);
    modeShown_->setMinimumWidth(140);
    auto* modeLine = new QHBoxLayout;
    modeLine->addWidget(modeCaption);
    modeLine->addWidget(modeShown_);
    modeLine->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(modeGroup);
    right->addLayout(modeLine);
    right->addStretch();
    return right;
}

void LoansScreen::buildGridPanel()
{
    schedulePanel_ = new OverlayPanel(this);
    schedulePanel_->setObjectName("fraGrid");
    grid_ = new QTableWidget(schedulePanel_);
    grid_->setObjectName("grdAmort");
    grid_->setColumnCount(4);
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    closeScheduleButton_ = MakeButton(schedulePanel_, "cmdGridClose", QStringLiteral("C&lose"));
    auto* layout = new QVBoxLayout(schedulePanel_);
    layout->addWidget(grid_);
    layout->addWidget(closeScheduleButton_, 0, Qt::AlignRight);
    connect(closeScheduleButton_, &QPushButton::clicked, this, &LoansScreen::closeGrid);

    // The form is at least as tall as the grid panel at its full ten rows, so the panel is
    // never cut off by the screen's edge.
    fillGrid(MonthlyHeaders, std::vector<ScheduleLine>(GridRowsShown));
    const int need = schedulePanel_->sizeHint().height() + 8;
    grid_->setRowCount(0);
    const int have = formLayout()->sizeHint().height();
    if (have < need)
        formLayout()->addSpacing(need - have);
}

void LoansScreen::buildPrintPanel()
{
    printOptions_ = new PrintPanel(this, QStringLiteral("C&ancel"));
    printOptions_->setObjectName("fraPrint");
    printOptions_->cancelButton()->setObjectName("cmdPrintCancel");
    includeSchedule_ = new QCheckBox(QStringLiteral("Include A&mortization"), printOptions_);
    includeSchedule_->setObjectName("Check1");
    scheduleKinds_ = new QGroupBox(printOptions_);
    scheduleKinds_->setObjectName("Option1");
    annualSchedule_ = new QRadioButton(QStringLiteral("Annual"), scheduleKinds_);
    annualSchedule_->setObjectName("Option1_0");
    monthlySchedule_ = new QRadioButton(QStringLiteral("Monthly"), scheduleKinds_);
    monthlySchedule_->setObjectName("Option1_1");
    auto* kinds = new QHBoxLayout(scheduleKinds_);
    kinds->addWidget(annualSchedule_);
    kinds->addWidget(monthlySchedule_);
    scheduleKinds_->setEnabled(false);
    printOptions_->contentLayout()->addWidget(includeSchedule_);
    printOptions_->contentLayout()->addWidget(scheduleKinds_);
    connect(includeSchedule_, &QCheckBox::toggled, this, [this](bool ticked) {
        scheduleKinds_->setEnabled(ticked);
        if (ticked)
            annualSchedule_->setChecked(true);
    });
    setUpPrinting(printButton_, printOptions_);
}

void LoansScreen::orderTabs()
{
    QList<QWidget*> order{principal_, months_, rate_, repayment_};
    for (QRadioButton* option : modes_)
        order << option;
    order << calculateButton_ << financeChargesButton_ << monthlyScheduleButton_ << annualScheduleButton_ << graphButton_ << printButton_ << okButton_;
    ChainTabOrder(order);
}

// ---- showing ------------------------------------------------------------------------------

void LoansScreen::activated()
{
    const LoanMode mode = loan().Mode;
    for (std::size_t i = 0; i < Modes.size(); ++i) {
        QSignalBlocker quiet(modes_[static_cast<qsizetype>(i)]);
        modes_[static_cast<qsizetype>(i)]->setChecked(Modes[i] == mode);
    }
    showValues();
    applyMode(mode, true);
    setTotalsVisible(loan().TotalsShown);
    if (loan().TotalsShown)
        showTotals();
    // Reopened after a solve with no answer: the solved box is still no figure.
    if (loan().Unsolved)
        showUnsolved();
    offerSchedules();
}

void LoansScreen::offerSchedules()
{
    const bool solved = !loan().Unsolved;
    for (QPushButton* b : {monthlyScheduleButton_, annualScheduleButton_, graphButton_, printButton_})
        b->setEnabled(solved);
}

void LoansScreen::showUnsolved()
{
    clearResults();
    if (loan().Mode != LoanMode::InterestRate)
        return;
    rateError_->setGeometry(rate_->rect());
    rateError_->show();
    rateError_->raise();
}

void LoansScreen::applyMode(LoanMode mode, bool moveFocus)
{
    modeShown_->setText(Text(LoanModeText(mode)));
    const struct {
        NumberBox* box;
        LoanMode solvedIn;
    } boxes[] = {
        {principal_, LoanMode::PrincipalAmount},
        {months_, LoanMode::RepaymentPeriod},
        {rate_, LoanMode::InterestRate},
        {repayment_, LoanMode::MonthlyRepayment},
    };
    for (const auto& b : boxes)
        ShowAsResult(b.box, b.solvedIn == mode);
    if (moveFocus)
        (mode == LoanMode::PrincipalAmount ? months_ : principal_)->setFocus(Qt::OtherFocusReason);
}

void LoansScreen::showValues()
{
    principal_->setValue(loan().Principal);
    months_->setValue(loan().Months);
    rate_->setValue(loan().Rate);
    repayment_->setValue(loan().Repayment);
}

void LoansScreen::showTotals()
{
    // An unsolved loan has no totals: its solved value is no figure to multiply.
    if (loan().Unsolved) {
        totalInterest_->clearValue();
        totalRepayments_->clearValue();
        return;
    }
    totalInterest_->setValue(LoanTotalInterest(loan()));
    totalRepayments_->setValue(LoanTotalRepayments(loan()));
}

void LoansScreen::setTotalsVisible(bool shown)
{
    for (QWidget* w : {static_cast<QWidget*>(totalInterestCaption_), static_cast<QWidget*>(totalInterest_),
                       static_cast<QWidget*>(totalRepaymentsCaption_), static_cast<QWidget*>(totalRepayments_)})
        w->setVisible(shown);
}

// ---- commands -----------------------------------------------------------------------------

void LoansScreen::modeChosen(LoanMode mode)
{
    // "   Error" belongs to a solved rate; in another mode the rate box is an input.
    if (mode != LoanMode::InterestRate)
        rateError_->hide();
    loan().Mode = mode;
    applyMode(mode, true);
}

bool LoansScreen::calculate()
{
    rateError_->hide();
    LoanSolve outcome = LoanSolve::Solved;
    Working working;
    {
        BusyCursor busy;
        outcome = LoanCalc(loan(), &working);
    }
    showValues();
    if (loan().TotalsShown)
        showTotals();
    offerSchedules();
    if (outcome == LoanSolve::Solved) {
        setWorking(std::move(working));
        return true;
    }

    // No answer: no figure of it, nor of an earlier answer, is left to show, draw or print.
    showUnsolved();
    if (schedulePanel_->isVisible())
        closeGrid();
    printOptions_->hide();
    if (graph_)
        graph_->close();
    if (const std::string refusal = LoanRefusalMessage(loan(), outcome); !refusal.empty()) {
        showError(Text(LoanRepaymentTitle), Text(refusal));
        repayment_->setFocus(Qt::OtherFocusReason);
    }
    return false;
}

void LoansScreen::toggleTotals()
{
    const bool shown = !loan().TotalsShown;
    loan().TotalsShown = shown;
    setTotalsVisible(shown);
    if (shown)
        showTotals();
}

void LoansScreen::fillGrid(const QStringList& headers, const std::vector<ScheduleLine>& lines)
{
    grid_->clearContents();
    grid_->setHorizontalHeaderLabels(headers);
    const int rows = static_cast<int>(lines.size());
    grid_->setRowCount(rows);
    const QFontMetrics header = grid_->horizontalHeader()->fontMetrics();
    const QFontMetrics cells = grid_->fontMetrics();
    std::array<int, 4> widths{};
    for (int c = 0; c < 4; ++c)
        widths[static_cast<std::size_t>(c)] = header.horizontalAdvance(headers[c]) + 16;
    for (int r = 0; r < rows; ++r) {
        const ScheduleLine& line = lines[static_cast<std::size_t>(r)];
        const QString texts[] = {QString::number(line.Period), QString::fromStdString(FormatAmount(line.Capital)),
                                 QString::fromStdString(FormatAmount(line.Interest)),
                                 QString::fromStdString(FormatAmount(line.Balance))};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid_->setItem(r, c, item);
            // A large amount is never cut short by a narrow heading.
            auto& width = widths[static_cast<std::size_t>(c)];
            width = std::max(width, cells.horizontalAdvance(texts[c]) + 12);
        }
    }
    int total = 2 * grid_->frameWidth();
    for (int c = 0; c < 4; ++c) {
        grid_->setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
        total += widths[static_cast<std::size_t>(c)];
    }
    if (rows > GridRowsShown)
        total += grid_->verticalScrollBar()->sizeHint().width();
    const int height = 2 * grid_->frameWidth() + grid_->horizontalHeader()->sizeHint().height() +
                       std::min(rows, GridRowsShown) * grid_->verticalHeader()->defaultSectionSize();
    grid_->setFixedSize(total, height);
}

void LoansScreen::showMonthly()
{
    showSchedule(MonthlyScheduleAvailable(loan()), MonthlyHeaders, [this] { return MonthlySchedule(loan()); });
}

void LoansScreen::showAnnual()
{
    showSchedule(AnnualScheduleAvailable(loan()), AnnualHeaders, [this] { return CalcAnnAmort(loan()).Years; });
}

void LoansScreen::showSchedule(bool available, const QStringList& headers,
                               const std::function<std::vector<ScheduleLine>()>& lines)
{
    if (!available) {
        principal_->setFocus(Qt::OtherFocusReason);
        return;
    }
    {
        BusyCursor busy;
        fillGrid(headers, lines());
    }
    schedulePanel_->showOnTop();
    grid_->setFocus(Qt::OtherFocusReason);
}

void LoansScreen::closeGrid()
{
    grid_->setRowCount(0);
    schedulePanel_->hide();
    okButton_->setFocus(Qt::OtherFocusReason);
}

void LoansScreen::showGraph()
{
    if (!AnnualScheduleAvailable(loan())) {
        okButton_->setFocus(Qt::OtherFocusReason);
        return;
    }
    const AnnualSchedule schedule = CalcAnnAmort(loan());
    std::vector<double> capital;
    std::vector<double> interest;
    std::vector<double> balance;
    for (const ScheduleLine& line : schedule.Years) {
        capital.push_back(line.Capital);
        interest.push_back(line.Interest);
        balance.push_back(line.Balance);
    }
    // One chart window, kept for the next request; it goes with the screen.
    if (!graph_)
        graph_ = new LoanGraphWindow(this);
    graph_->LoanAmortGraph(static_cast<int>(schedule.Years.size()), schedule.FullYears, schedule.Flag, capital,
                           interest, balance);
    // At the main window's top left corner, in front of it.
    graph_->move(window()->mapToGlobal(QPoint(0, 0)));
    graph_->show();
    graph_->raise();
    graph_->activateWindow();
}

void LoansScreen::refuseRate()
{
    if (!isVisible())
        return;
    QMessageBox::critical(this, Text(LoanRateTitle), Text(LoanRateMessage));
    rate_->setFocus(Qt::OtherFocusReason);
}

void LoansScreen::refusePeriod()
{
    if (!isVisible())
        return;
    QMessageBox::critical(this, Text(LoanPeriodTitle), Text(LoanPeriodMessage));
    months_->setFocus(Qt::OtherFocusReason);
}

// ---- printing -----------------------------------------------------------------------------

void LoansScreen::printReport()
{
    const LoanState& values = loan();
    // The rate may be 0; the other three are needed, and an answer.
    if (values.Unsolved || values.Principal == 0.0 || values.Months == 0.0 || values.Repayment == 0.0)
        return;
    const AmortKind kind =
        !includeSchedule_->isChecked() ? AmortKind::None : (monthlySchedule_->isChecked() ? AmortKind::Monthly : AmortKind::Annual);
    const LoanPrintout printout = LoanPrint(values, kind);
    const QString layout = QString::fromStdString(printout.Layout);
    const QString title = QString::fromStdString(printout.Title); // empty: the layout's own
    deliver([&] {
        // The layout is read and its tables checked first, so a missing one leaves both
        // tables as they were.
        ReportJob job(program(), layout);
        job.writeRow(QStringLiteral("Loans"), printout.Loans);
        if (printout.WritesAmort)
            job.writeRows(QStringLiteral("Amort"), printout.Amort);
        return job.render(title);
    });
}

void LoansScreen::closeEvent(QCloseEvent* event)
{
    // The graph belongs to the screen: it goes when the screen does.
    if (graph_)
        graph_->close();
    CalculatorWindow::closeEvent(event);
}

} // namespace revora
