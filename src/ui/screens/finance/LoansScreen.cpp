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
#include "finance/LoanGraphWindow.h"
#include "AmountFormat.h"
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

NumberBox* LoansScreen::inputBox(const char* name, int decimals, double LoanState::*field)
{
    // Stored as typed: the other routines read the program-wide values, not the boxes.
    auto* box = MakeNumberBox(this, {.name = name,
                                     .kind = decimals == 0 ? NumberBox::Kind::Whole : NumberBox::Kind::Decimal,
                                     .decimals = decimals,
                                     .store = [this, field](double value) { loan().*field = value; },
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

    cmdCalculate_ = MakeCalculateButton(this);
    cmdFinCharge_ = MakeButton(this, "cmdFinCharge", QStringLiteral("&Fin. charges"));
    cmdMonAmort_ = MakeButton(this, "cmdMonAmort", QStringLiteral("Mo&nthly Amort."));
    cmdAnnAmort_ = MakeButton(this, "cmdAnnAmort", QStringLiteral("&Annual Amort."));
    cmdLoanGraph_ = MakeButton(this, "cmdLoanGraph", QStringLiteral("Annual &Graph"));
    cmdPrint_ = MakeButton(this, "cmdPrint", QStringLiteral("&Print"));
    cmdOk_ = MakeButton(this, "cmdOk", QStringLiteral("&OK"));
    auto* schedule = new QHBoxLayout;
    for (QPushButton* b : {cmdFinCharge_, cmdMonAmort_, cmdAnnAmort_, cmdLoanGraph_})
        schedule->addWidget(b);
    schedule->addStretch();
    auto* commands = new QHBoxLayout;
    for (QPushButton* b : {cmdCalculate_, cmdPrint_, cmdOk_})
        commands->addWidget(b);
    commands->addStretch();

    formLayout()->addLayout(columns);
    formLayout()->addSpacing(8);
    formLayout()->addLayout(schedule);
    formLayout()->addLayout(commands);

    connect(cmdCalculate_, &QPushButton::clicked, this, &LoansScreen::calculate);
    connect(cmdFinCharge_, &QPushButton::clicked, this, &LoansScreen::toggleTotals);
    connect(cmdMonAmort_, &QPushButton::clicked, this, &LoansScreen::showMonthly);
    connect(cmdAnnAmort_, &QPushButton::clicked, this, &LoansScreen::showAnnual);
    connect(cmdLoanGraph_, &QPushButton::clicked, this, &LoansScreen::showGraph);
    connect(cmdOk_, &QPushButton::clicked, this, &CalculatorWindow::closeScreen);
}

QLayout* LoansScreen::buildValues()
{
    numPrinAmount_ = inputBox("numPrinAmount", 2, &LoanState::loanPrincipal);
    numPeriod_ = inputBox("numPeriod", 0, &LoanState::loanPeriod);
    numPeriod_->setAcceptor(AtMost(MostLoanMonths));
    connect(numPeriod_, &NumberBox::refused, this, &LoansScreen::refusePeriod);
    numIntRate_ = inputBox("numIntRate", 3, &LoanState::loanRate);
    numIntRate_->setAcceptor(AtMost(MostLoanRate));
    connect(numIntRate_, &NumberBox::refused, this, &LoansScreen::refuseRate);
    numMonRePay_ = inputBox("numMonRePay", 2, &LoanState::loanRepayment);

    // Covers the rate when a solved rate is beyond what the rate box takes.
    text1_ = new QLineEdit(Text(LoanRateErrorText), numIntRate_);
    text1_->setObjectName("Text1");
    text1_->setReadOnly(true);
    text1_->setFocusPolicy(Qt::NoFocus);
    QPalette alarm = text1_->palette();
    alarm.setColor(QPalette::Text, QColor(Qt::red));
    text1_->setPalette(alarm);
    text1_->hide();

    auto* values = new QGridLayout;
    values->setVerticalSpacing(6);
    AddGridRowAt(values, 0, this, "Princ&ipal amount", numPrinAmount_, "R");
    AddGridRowAt(values, 1, this, "P&eriod", numPeriod_, "months.");
    AddGridRowAt(values, 2, this, "In&terest rate", numIntRate_, "% p.a.");
    AddGridRowAt(values, 3, this, "Monthly repa&yment", numMonRePay_, "R");
    numAns1_ = new NumberBox(NumberBox::Kind::Decimal, 2, this);
    numAns1_->setObjectName("numAns1");
    numAns2_ = new NumberBox(NumberBox::Kind::Decimal, 2, this);
    numAns2_->setObjectName("numAns2");
    lblAns1_ = new QLabel(QStringLiteral("Total Interest"), this);
    lblAns1_->setObjectName("lblAns1");
    lblAns2_ = new QLabel(QStringLiteral("Total Repayments"), this);
    lblAns2_->setObjectName("lblAns2");
    for (NumberBox* box : {numAns1_, numAns2_}) {
        box->setOutput(true);
        box->setAllowsNegative(true);
        FitToFigures(*box, 2, {LargestResult}, BoxWidth);
        box->setAlignment(Qt::AlignRight);
    }
    values->addWidget(lblAns1_, 4, 0);
    values->addWidget(numAns1_, 4, 1);
    values->addWidget(lblAns2_, 5, 0);
    values->addWidget(numAns2_, 5, 1);
    // The rows keep their place whether the totals show or not.
    for (QWidget* w : {static_cast<QWidget*>(numAns1_), static_cast<QWidget*>(numAns2_),
                       static_cast<QWidget*>(lblAns1_), static_cast<QWidget*>(lblAns2_)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    return values;
}

QLayout* LoansScreen::buildModes()
{
    auto* optLoanCalc = new QGroupBox(QStringLiteral("Calculate Mode"), this);
    optLoanCalc->setObjectName("optLoanCalc");
    auto* modeLayout = new QVBoxLayout(optLoanCalc);
    for (std::size_t i = 0; i < Modes.size(); ++i) {
        auto* option = new QRadioButton(Text(LoanModeText(Modes[i])), optLoanCalc);
        option->setObjectName(QStringLiteral("optLoanCalc_%1").arg(i));
        modeLayout->addWidget(option);
        modes_ << option;
        const LoanMode mode = Modes[i];
        // Clicked, not toggled: choosing the mode already chosen still puts the focus back.
        connect(option, &QRadioButton::clicked, this, [this, mode] { modeChosen(mode); });
    }
    auto* modeCaption = new QLabel(QStringLiteral("Calculate mode"), this);
    lblMode_ = new QLabel(this);
    lblMode_->setObjectName("lblCalcMode");
    lblMode_->setFrameShape(QFrame::Panel);
    lblMode_->setFrameShadow(QFrame::Sunken);
    lblMode_->setMinimumWidth(140);
    auto* modeLine = new QHBoxLayout;
    modeLine->addWidget(modeCaption);
    modeLine->addWidget(lblMode_);
    modeLine->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(optLoanCalc);
    right->addLayout(modeLine);
    right->addStretch();
    return right;
}

void LoansScreen::buildGridPanel()
{
    fraGrid_ = new OverlayPanel(this);
    fraGrid_->setObjectName("fraGrid");
    grid_ = new QTableWidget(fraGrid_);
    grid_->setObjectName("grdAmort");
    grid_->setColumnCount(4);
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    cmdGridClose_ = MakeButton(fraGrid_, "cmdGridClose", QStringLiteral("C&lose"));
    auto* layout = new QVBoxLayout(fraGrid_);
    layout->addWidget(grid_);
    layout->addWidget(cmdGridClose_, 0, Qt::AlignRight);
    connect(cmdGridClose_, &QPushButton::clicked, this, &LoansScreen::closeGrid);

    // The form is at least as tall as the grid panel at its full ten rows, so the panel is
    // never cut off by the screen's edge.
    fillGrid(MonthlyHeaders, std::vector<ScheduleLine>(GridRowsShown));
    const int need = fraGrid_->sizeHint().height() + 8;
    grid_->setRowCount(0);
    const int have = formLayout()->sizeHint().height();
    if (have < need)
        formLayout()->addSpacing(need - have);
}

void LoansScreen::buildPrintPanel()
{
    fraPrint_ = new PrintPanel(this, QStringLiteral("C&ancel"));
    fraPrint_->setObjectName("fraPrint");
    fraPrint_->cancelButton()->setObjectName("cmdPrintCancel");
    check1_ = new QCheckBox(QStringLiteral("Include A&mortization"), fraPrint_);
    check1_->setObjectName("Check1");
    fraAmort_ = new QGroupBox(fraPrint_);
    fraAmort_->setObjectName("Option1");
    optAnnual_ = new QRadioButton(QStringLiteral("Annual"), fraAmort_);
    optAnnual_->setObjectName("Option1_0");
    optMonthly_ = new QRadioButton(QStringLiteral("Monthly"), fraAmort_);
    optMonthly_->setObjectName("Option1_1");
    auto* kinds = new QHBoxLayout(fraAmort_);
    kinds->addWidget(optAnnual_);
    kinds->addWidget(optMonthly_);
    fraAmort_->setEnabled(false);
    fraPrint_->contentLayout()->addWidget(check1_);
    fraPrint_->contentLayout()->addWidget(fraAmort_);
    connect(check1_, &QCheckBox::toggled, this, [this](bool ticked) {
        fraAmort_->setEnabled(ticked);
        if (ticked)
            optAnnual_->setChecked(true);
    });
    setUpPrinting(cmdPrint_, fraPrint_);
}

void LoansScreen::orderTabs()
{
    QList<QWidget*> order{numPrinAmount_, numPeriod_, numIntRate_, numMonRePay_};
    for (QRadioButton* option : modes_)
        order << option;
    order << cmdCalculate_ << cmdFinCharge_ << cmdMonAmort_ << cmdAnnAmort_ << cmdLoanGraph_ << cmdPrint_ << cmdOk_;
    ChainTabOrder(order);
}

// ---- showing ------------------------------------------------------------------------------

void LoansScreen::activated()
{
    const LoanMode mode = loan().loanCalcMode;
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
}

void LoansScreen::showUnsolved()
{
    clearResults();
    if (loan().loanCalcMode != LoanMode::InterestRate)
        return;
    text1_->setGeometry(numIntRate_->rect());
    text1_->show();
    text1_->raise();
}

void LoansScreen::applyMode(LoanMode mode, bool moveFocus)
{
    lblMode_->setText(Text(LoanModeText(mode)));
    const struct {
        NumberBox* box;
        LoanMode solvedIn;
    } boxes[] = {
        {numPrinAmount_, LoanMode::PrincipalAmount},
        {numPeriod_, LoanMode::RepaymentPeriod},
        {numIntRate_, LoanMode::InterestRate},
        {numMonRePay_, LoanMode::MonthlyRepayment},
    };
    for (const auto& b : boxes)
        ShowAsResult(b.box, b.solvedIn == mode);
    if (moveFocus)
        (mode == LoanMode::PrincipalAmount ? numPeriod_ : numPrinAmount_)->setFocus(Qt::OtherFocusReason);
}

void LoansScreen::showValues()
{
    numPrinAmount_->setValue(loan().loanPrincipal);
    numPeriod_->setValue(loan().loanPeriod);
    numIntRate_->setValue(loan().loanRate);
    numMonRePay_->setValue(loan().loanRepayment);
}

void LoansScreen::showTotals()
{
    // An unsolved loan has no totals: its solved value is no figure to multiply.
    if (loan().Unsolved) {
        numAns1_->clearValue();
        numAns2_->clearValue();
        return;
    }
    numAns1_->setValue(LoanTotalInterest(loan()));
    numAns2_->setValue(LoanTotalRepayments(loan()));
}

void LoansScreen::setTotalsVisible(bool shown)
{
    for (QWidget* w : {static_cast<QWidget*>(lblAns1_), static_cast<QWidget*>(numAns1_),
                       static_cast<QWidget*>(lblAns2_), static_cast<QWidget*>(numAns2_)})
        w->setVisible(shown);
}

// ---- commands -----------------------------------------------------------------------------

void LoansScreen::modeChosen(LoanMode mode)
{
    // "   Error" belongs to a solved rate; in another mode the rate box is an input.
    if (mode != LoanMode::InterestRate)
        text1_->hide();
    loan().loanCalcMode = mode;
    applyMode(mode, true);
}

bool LoansScreen::calculate()
{
    text1_->hide();
    LoanSolve outcome = LoanSolve::Solved;
    {
        BusyCursor busy;
        outcome = LoanCalc(loan());
    }
    showValues();
    if (loan().TotalsShown)
        showTotals();
    if (outcome == LoanSolve::Solved)
        return true;

    // No answer: no figure of it, nor of an earlier answer, is left to show, draw or print.
    showUnsolved();
    if (fraGrid_->isVisible())
        closeGrid();
    if (graph_)
        graph_->close();
    if (outcome == LoanSolve::RepaymentBelowInterest) {
        const double interest = FirstMonthInterest(loan().loanPrincipal, loan().loanRate);
        showError(Text(LoanRepaymentTitle), Text(RepaymentBelowInterestMessage(FormatAmount(interest))));
        numMonRePay_->setFocus(Qt::OtherFocusReason);
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
        numPrinAmount_->setFocus(Qt::OtherFocusReason);
        return;
    }
    {
        BusyCursor busy;
        fillGrid(headers, lines());
    }
    fraGrid_->showOnTop();
    grid_->setFocus(Qt::OtherFocusReason);
}

void LoansScreen::closeGrid()
{
    grid_->setRowCount(0);
    fraGrid_->hide();
    cmdOk_->setFocus(Qt::OtherFocusReason);
}

void LoansScreen::showGraph()
{
    if (!AnnualScheduleAvailable(loan())) {
        cmdOk_->setFocus(Qt::OtherFocusReason);
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
    numIntRate_->setFocus(Qt::OtherFocusReason);
}

void LoansScreen::refusePeriod()
{
    if (!isVisible())
        return;
    QMessageBox::critical(this, Text(LoanPeriodTitle), Text(LoanPeriodMessage));
    numPeriod_->setFocus(Qt::OtherFocusReason);
}

// ---- printing -----------------------------------------------------------------------------

void LoansScreen::printReport()
{
    const LoanState& values = loan();
    // The rate may be 0; the other three are needed, and an answer.
    if (values.Unsolved || values.loanPrincipal == 0.0 || values.loanPeriod == 0.0 || values.loanRepayment == 0.0)
        return;
    const AmortKind kind =
        !check1_->isChecked() ? AmortKind::None : (optMonthly_->isChecked() ? AmortKind::Monthly : AmortKind::Annual);
    const LoanPrintout printout = LoanPrint(values, kind);
    const QString layout = QString::fromStdString(printout.Layout);
    // Without a schedule the report window keeps the title it last showed.
    const QString title =
        printout.Title.empty() ? program().ReportWindowTitle : QString::fromStdString(printout.Title);
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
