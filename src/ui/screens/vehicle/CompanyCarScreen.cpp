#include "vehicle/CompanyCarScreen.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <string_view>
#include <utility>

#include "DateBox.h"
#include "FormKit.h"
#include "NumberBox.h"
#include "PrintPanel.h"
#include "ResultWidth.h"
#include "tax/TaxYearRules.h"
#include "vehicle/CompanyCarPrintout.h"
#include "vehicle/CompanyCarRegister.h"
#include "vehicle/DeemedCostTable.h"
#include "vehicle/VehicleLimits.h"

namespace revora {

namespace {

constexpr int BoxWidth = 88;
constexpr int CaptionWidth = 200;

const QString IncorrectDate = QStringLiteral("Incorrect Date");

// The widest figures each result can reach, with every amount and distance at most
// MostVehicleNumber (M), at most 366 days and readings that never run backwards:
constexpr double M = MostVehicleNumber;
constexpr double MostInclusion = M * 0.035 * 12.0; // the whole year's benefit
constexpr double MostExpenses = 3.0 * M;           // insurance, licence and maintenance borne
// The fuel at the dearest band's rate over M km, less up to M reimbursed.
double MostFuel() { return M * FuelComponentRate(M); }
double MostFuelExp() { return MostFuel() + MostExpenses; }
// The inclusion less fuel and expenses as low as -M; never below minus the code 3802 total.
constexpr double MostAdjust = MostInclusion + M;
// Minus a whole code 3802 share and the most fuel and expenses.
double LeastSarsClaim() { return -(M + MostFuelExp()); }
constexpr double Cars = MaxCompanyCars;

QGridLayout* GroupGrid(QGroupBox* group)
{
    auto* grid = new QGridLayout(group);
    grid->setColumnStretch(0, 1);
    grid->setVerticalSpacing(2);
    return grid;
}

} // namespace

CompanyCarScreen::CompanyCarScreen(AppState& state, QWidget* parent) : CalculatorWindow(state, parent)
{
    buildForm();
    watchDates();
    orderTabs();

    const CompCarRun run = cars().Open();
    lastRun_ = run;
    keptFuel_.reset(); // another car, or the register renumbered: the set-aside amount is no one's
    showVehicle();
    showResults(run);
    clearWhatBackwardReadingsSpoil();
    applyControls(ControlsOnOpen(hasRegistrationNumber(), cars().CMVMaxNum));
    cmdOK_->setEnabled(true);
    updateTitle();
}

// ---- building the form ----------------------------------------------------------------------

QLabel* CompanyCarScreen::caption(QGridLayout* grid, int row, const QString& text, QWidget* buddy, const QString& unit)
{
    auto* label = new QLabel(text, this);
    label->setBuddy(buddy);
    // Long captions take two lines, so that three columns fit a laptop screen.
    if (label->sizeHint().width() > CaptionWidth) {
        label->setWordWrap(true);
        label->setFixedWidth(CaptionWidth);
    }
    grid->addWidget(label, row, 0);
    grid->addWidget(buddy, row, 1);
    governed_ << label;
    if (!unit.isEmpty()) {
        auto* units = new QLabel(unit, this);
        grid->addWidget(units, row, 2);
        governed_ << units;
    }
    return label;
}

QLineEdit* CompanyCarScreen::textField(QGridLayout* grid, const char* name, const QString& text,
                                       std::string CompanyCarRecord::*field)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    box->setFixedWidth(BoxWidth + 24);
    caption(grid, grid->rowCount(), text, box);
    texts_.push_back({box, field});
    typed_ << box;
    governed_ << box;
    connect(box, &QLineEdit::textChanged, this, [this, field](const QString& value) {
        if (!filling_)
            car().*field = value.toStdString();
    });
    return box;
}

NumberBox* CompanyCarScreen::amountField(QGridLayout* grid, const char* name, const QString& text,
                                         double CompanyCarRecord::*field, const QString& unit)
{
    auto* box = new NumberBox(NumberBox::Kind::Whole, 0, this);
    box->setObjectName(name);
    limitToVehicleNumbers(box, 0);
    caption(grid, grid->rowCount(), text, box, unit);
    amounts_.push_back({box, field});
    typed_ << box;
    governed_ << box;
    connect(box, &NumberBox::valueEdited, this, [this, field](double value) {
        if (!filling_)
            car().*field = value;
    });
    return box;
}

NumberBox* CompanyCarScreen::resultBox(const char* name, int decimals, std::initializer_list<double> widest)
{
    auto* box = new NumberBox(NumberBox::Kind::Decimal, decimals, this);
    box->setObjectName(name);
    box->setOutput(true);
    // Only the claims, the adjustments and their totals may go below 0.
    box->setAllowsNegative(std::any_of(widest.begin(), widest.end(), [](double figure) { return figure < 0.0; }));
    FitToFigures(*box, decimals, widest, BoxWidth);
    governed_ << box;
    return box;
}

void CompanyCarScreen::limitToVehicleNumbers(NumberBox* box, int decimals)
{
    FitToFigures(*box, decimals, {MostVehicleNumber}, BoxWidth);
    box->setAcceptor([](double value) { return value <= MostVehicleNumber; });
    connect(box, &NumberBox::refused, this, [this](double value) {
        if (value > MostVehicleNumber)
            QMessageBox::critical(this, Text(VehicleNumberTitle), Text(VehicleNumberMessage));
    });
}

QCheckBox* CompanyCarScreen::flagField(const char* name, const QString& text, std::int16_t CompanyCarRecord::*field)
{
    auto* box = new QCheckBox(text, this);
    box->setObjectName(name);
    flags_.push_back({box, field});
    typed_ << box;
    governed_ << box;
    connect(box, &QCheckBox::toggled, this, [this, field](bool ticked) {
        if (!filling_)
            car().*field = ticked ? 1 : 0;
    });
    return box;
}

DateBox* CompanyCarScreen::dateField(QGridLayout* grid, const char* name, const QString& text,
                                     int CompanyCarRecord::*field)
{
    auto* box = new DateBox(this);
    box->setObjectName(name);
    box->setFixedWidth(BoxWidth);
    caption(grid, grid->rowCount(), text, box);
    dates_.push_back({box, field});
    typed_ << box;
    governed_ << box;
    connect(box, &DateBox::dateEdited, this, [this, field](int day) {
        if (!filling_)
            car().*field = day;
    });
    return box;
}

void CompanyCarScreen::buildForm()
{
    // Left: the car and its period, then the code 3802 amounts.
    QGroupBox* vehicle = buildVehicle();
    QGroupBox* code3802 = buildCode3802();
    auto* left = new QVBoxLayout;
    left->addWidget(vehicle);
    left->addWidget(code3802);

    // Middle: the distances and what the employee bore.
    QGroupBox* distances = buildDistances();
    auto* right = new QVBoxLayout;
    right->addWidget(distances);

    // Under the distances the adjustment they lead to; under the car its payroll amounts. Two
    // columns keep the screen within the width the main window takes for it.
    QGroupBox* adjustment = buildAdjustment();
    QGroupBox* payroll = buildPayroll();
    right->addWidget(adjustment);
    right->addStretch();
    left->addWidget(payroll);
    left->addStretch();

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);

    // The register's commands on the left, the screen's own on the right.
    cmdAdd_ = MakeButton(this, "cmdAdd", QStringLiteral("&Add"));
    cmdDelete_ = MakeButton(this, "cmdDelete", QStringLiteral("&Delete"));
    cmdBack_ = MakeButton(this, "cmdBack", QStringLiteral("&Back"));
    cmdForward_ = MakeButton(this, "cmdForward", QStringLiteral("&Forward"));
    cmdCalculate_ = MakeButton(this, "cmdCalculate", QStringLiteral("&Calculate"));
    cmdCalculate_->setDefault(true);
    cmdOK_ = MakeButton(this, "cmdOK", QStringLiteral("&OK"));
    cmdPrint_ = MakeButton(this, "cmdPrint", QStringLiteral("&Print"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdAdd_, cmdDelete_, cmdBack_, cmdForward_})
        buttons->addWidget(b);
    buttons->addStretch();
    for (QPushButton* b : {cmdCalculate_, cmdOK_, cmdPrint_})
        buttons->addWidget(b);

    formLayout()->addLayout(columns);
    formLayout()->addSpacing(6);
    formLayout()->addLayout(buttons);

    frame1_ = new PrintPanel(this);
    frame1_->setObjectName("Frame1");

    connect(txtCCRegNumber_, &QLineEdit::textChanged, this, &CompanyCarScreen::registrationChanged);
    connect(cmdAdd_, &QPushButton::clicked, this, &CompanyCarScreen::addVehicle);
    connect(cmdDelete_, &QPushButton::clicked, this, &CompanyCarScreen::deleteVehicle);
    connect(cmdBack_, &QPushButton::clicked, this, &CompanyCarScreen::back);
    connect(cmdForward_, &QPushButton::clicked, this, &CompanyCarScreen::forward);
    connect(cmdCalculate_, &QPushButton::clicked, this, &CompanyCarScreen::calculate);
    connect(cmdOK_, &QPushButton::clicked, this, &CalculatorWindow::closeScreen);
    // The printout holds the figures of a fresh calculation, and inputs the calculation refuses
    // leave nothing to print.
    setUpPrinting(frame1_);
    connect(cmdPrint_, &QPushButton::clicked, this, [this] {
        if (calculate())
            frame1_->showPanel();
    });
}

QGroupBox* CompanyCarScreen::buildVehicle()
{
    auto* vehicle = new QGroupBox(QStringLiteral("Vehicle"), this);
    QGridLayout* grid = GroupGrid(vehicle);
    txtCCRegNumber_ =
        textField(grid, "txtCCRegNumber", QStringLiteral("Vehicle registration &number"), &CompanyCarRecord::CCRegNumber);
    regCaption_ = qobject_cast<QLabel*>(grid->itemAtPosition(grid->rowCount() - 1, 0)->widget());
    governed_.removeAll(regCaption_);
    governed_.removeAll(txtCCRegNumber_);
    textField(grid, "txtCCMake", QStringLiteral("Car &Make"), &CompanyCarRecord::CCMake);
    textField(grid, "txtCCModel", QStringLiteral("Car Mode&l"), &CompanyCarRecord::CCModel);
    textField(grid, "txtYearOfManfact", QStringLiteral("&Year of manufacture"), &CompanyCarRecord::YearOfManfact);
    amountField(grid, "numCCPrice", QStringLiteral("Pr&ice of vehicle (incl VAT)"), &CompanyCarRecord::CCPrice);
    grid->addWidget(
        flagField("chkMaintIncluded", QStringLiteral("Maint. plan incl&uded?   "), &CompanyCarRecord::MaintIncluded),
        grid->rowCount(), 0, 1, 2);
    dtCCStartDate_ = dateField(grid, "dtCCStartDate", QStringLiteral("Start da&te "), &CompanyCarRecord::CCStartDate);
    dtCCEndDate_ = dateField(grid, "dtCCEndDate", QStringLiteral("&End date"), &CompanyCarRecord::CCEndDate);
    numCCMonths_ = resultBox("numCCMonths", 0, {366});
    caption(grid, grid->rowCount(), QStringLiteral("No of days "), numCCMonths_);
    numTrueInclusion_ = resultBox("numTrueInclusion", 0, {MostInclusion});
    caption(grid, grid->rowCount(), QStringLiteral("True inclusion amount"), numTrueInclusion_);
    return vehicle;
}

QGroupBox* CompanyCarScreen::buildCode3802()
{
    auto* code3802 = new QGroupBox(QStringLiteral("IRP5 code 3802"), this);
    QGridLayout* grid = GroupGrid(code3802);
    numActual3802_ = new NumberBox(NumberBox::Kind::Whole, 0, this);
    numActual3802_->setObjectName("numActual3802");
    limitToVehicleNumbers(numActual3802_, 0);
    caption(grid, 0, QStringLiteral("Total code 3&802 f/benefits on IRP5's"), numActual3802_);
    typed_ << numActual3802_;
    governed_ << numActual3802_;
    connect(numActual3802_, &NumberBox::valueEdited, this, [this](double value) {
        if (!filling_)
            cars().Actual3802 = value;
    });
    chkAutoCalc3802_ = new QCheckBox(QStringLiteral("Auto-calculate f/benefit splits"), this);
    chkAutoCalc3802_->setObjectName("chkAutoCalc3802");
    grid->addWidget(chkAutoCalc3802_, 1, 0, 1, 2);
    typed_ << chkAutoCalc3802_;
    governed_ << chkAutoCalc3802_;
    connect(chkAutoCalc3802_, &QCheckBox::toggled, this, &CompanyCarScreen::autoCalcToggled);
    // The split can leave cents in a share, so the share shows them.
    numFB3802ThisCar_ = new NumberBox(NumberBox::Kind::Decimal, 2, this);
    numFB3802ThisCar_->setObjectName("numFB3802ThisCar");
    limitToVehicleNumbers(numFB3802ThisCar_, 2);
    numFB3802ThisCar_->setTidyOnLeave(true);
    caption(grid, 2, QStringLiteral("Code 3802 f/benefit for t&his car"), numFB3802ThisCar_);
    amounts_.push_back({numFB3802ThisCar_, &CompanyCarRecord::FB3802ThisCar});
    typed_ << numFB3802ThisCar_;
    governed_ << numFB3802ThisCar_;
    connect(numFB3802ThisCar_, &NumberBox::valueEdited, this, [this](double value) {
        if (!filling_)
            car().FB3802ThisCar = value;
    });
    return code3802;
}

QGroupBox* CompanyCarScreen::buildDistances()
{
    auto* distances = new QGroupBox(QStringLiteral("Distances and expenses"), this);
    QGridLayout* grid = GroupGrid(distances);
    const QString kms = QStringLiteral("kms");
    amountField(grid, "numStartMileage", QStringLiteral("&Start mileage"), &CompanyCarRecord::StartMileage, kms);
    numEndMileage_ = amountField(grid, "numEndMileage", QStringLiteral("End milea&ge"), &CompanyCarRecord::EndMileage, kms);
    amountField(grid, "numTotalDistance", QStringLiteral("Total distance"), &CompanyCarRecord::TotalDistance, kms);
    amountField(grid, "numBusDistance", QStringLiteral("Business distance"), &CompanyCarRecord::BusDistance, kms);
    numPrivateDistance_ = resultBox("numPrivateDistance", 0, {M});
    caption(grid, grid->rowCount(), QStringLiteral("Private distance"), numPrivateDistance_, kms);
    auto* logBook = flagField("chkBussMilage", QStringLiteral("Did you keep a log boo&k detailing business mileage?"),
                              &CompanyCarRecord::BussMilage);
    grid->addWidget(logBook, grid->rowCount(), 0, 1, 3);
    chkSARSTable_ =
        flagField("chkSARSTable", QStringLiteral("Or use SARS's cents/km fuel table? "), &CompanyCarRecord::SARSTable);
    grid->addWidget(chkSARSTable_, grid->rowCount(), 0, 1, 3);
    connect(chkSARSTable_, &QCheckBox::toggled, this, &CompanyCarScreen::sarsTableToggled);
    numActualExpEmployee_ =
        amountField(grid, "numActualExpEmployee", QStringLiteral("Actual fuel e&xpenses paid by the employee"),
                    &CompanyCarRecord::ActualExpEmployee);
    amountField(grid, "numFuelReimbEmployer", QStringLiteral("Fuel expenses reimbursed by the employer"),
                &CompanyCarRecord::FuelReimbEmployer);
    amountField(grid, "numEmpPaidInsurance", QStringLiteral("Employee paid ALL insurance costs"),
                &CompanyCarRecord::EmpPaidInsurance);
    amountField(grid, "numEmpPaidLicence", QStringLiteral("Employee paid ALL licensing fees"),
                &CompanyCarRecord::EmpPaidLicence);
    amountField(grid, "numEmpPaidMaintenance", QStringLiteral("Employee paid ALL maintenance costs"),
                &CompanyCarRecord::EmpPaidMaintenance);
    // Kept with the record by each calculation: shown, not typed.
    numFuelComponent_ = resultBox("numFuelComponent", 0, {MostFuel()});
    caption(grid, grid->rowCount(), QStringLiteral("Fuel component"), numFuelComponent_);
    return distances;
}

QGroupBox* CompanyCarScreen::buildAdjustment()
{
    auto* adjustment = new QGroupBox(QStringLiteral("Adjustment to taxable income"), this);
    QGridLayout* grid = GroupGrid(adjustment);
    numTrueInclusion1_ = resultBox("numTrueInclusion_1", 0, {MostInclusion});
    caption(grid, 0, QStringLiteral("True inclusion amount"), numTrueInclusion1_);
    numFuelClaim_ = resultBox("numFuelClaim", 0, {MostFuel(), -M});
    caption(grid, 1, QStringLiteral("Fuel claim (adjusted for mileage)"), numFuelClaim_);
    numTotAddExpense_ = resultBox("numTotAddExpense", 0, {MostExpenses});
    caption(grid, 2, QStringLiteral("Total additional expenses (adjusted for mileage)"), numTotAddExpense_);
    numFuelExp_ = resultBox("numFuelExp", 0, {MostFuelExp(), -M});
    caption(grid, 3, QStringLiteral("Less fuel && expenses"), numFuelExp_);
    numAdjustTaxableInc_ = resultBox("numAdjustTaxableInc", 2, {MostAdjust, LeastSarsClaim()});
    numAdjustTaxableIncSARS_ = resultBox("numAdjustTaxableIncSARS", 2, {M, LeastSarsClaim()});
    numTotAdjustTaxableInc_ = resultBox("numTotAdjustTaxableInc", 2, {Cars * MostAdjust, Cars * LeastSarsClaim()});
    numTotAdjustTaxableIncSARS_ = resultBox("numTotAdjustTaxableIncSARS", 2, {Cars * M, Cars * LeastSarsClaim()});
    // The SARS claim stands under the adjustment, and each total under its figure: side by side
    // the boxes, wide enough for their largest figures, would not fit the main window's width.
    caption(grid, 4, QStringLiteral("Adjustment to taxable income"), numAdjustTaxableInc_);
    caption(grid, 5, QStringLiteral("(SARS's claim awarded against taxable income)"), numAdjustTaxableIncSARS_);
    caption(grid, 6, QStringLiteral("Total Adjustment to taxable income"), numTotAdjustTaxableInc_);
    caption(grid, 7, QStringLiteral("Total (SARS's claim awarded against taxable income)"), numTotAdjustTaxableIncSARS_);
    return adjustment;
}

QGroupBox* CompanyCarScreen::buildPayroll()
{
    auto* payroll = new QGroupBox(QStringLiteral("Fringe benefit for the payroll"), this);
    QGridLayout* grid = GroupGrid(payroll);
    numIRP53802_ = resultBox("numIRP53802", 0, {MostInclusion});
    caption(grid, 0, QStringLiteral("IRP5 code 3802 amount for this car"), numIRP53802_);
    for (const auto& [column, share] : {std::pair{1, "80%"}, std::pair{2, "20%"}}) {
        auto* header = new QLabel(QString::fromLatin1(share), this);
        header->setAlignment(Qt::AlignCenter);
        governed_ << header;
        grid->addWidget(header, 1, column);
    }
    // The monthly amounts are whole rand; the fortnightly and weekly ones may carry cents.
    numMonFB80_ = resultBox("numMonFB80", 0, {MostInclusion / 12.0});
    numMonFB20_ = resultBox("numMonFB20", 0, {MostInclusion / 12.0});
    numFortFB80_ = resultBox("numFortFB80", 2, {MostInclusion / 26.0});
    numFortFB20_ = resultBox("numFortFB20", 2, {MostInclusion / 26.0});
    numWeekFB80_ = resultBox("numWeekFB80", 2, {MostInclusion / 52.0});
    numWeekFB20_ = resultBox("numWeekFB20", 2, {MostInclusion / 52.0});
    caption(grid, 2, QStringLiteral("Monthly f/benefit amount for this car"), numMonFB80_);
    grid->addWidget(numMonFB20_, 2, 2);
    caption(grid, 3, QStringLiteral("Fortnightly f/benefit amount for this car "), numFortFB80_);
    grid->addWidget(numFortFB20_, 3, 2);
    caption(grid, 4, QStringLiteral("Weekly f/benefit amount for this car"), numWeekFB80_);
    grid->addWidget(numWeekFB20_, 4, 2);
    return payroll;
}

void CompanyCarScreen::watchDates()
{
    // Each box is bounded by the other's date from the moment it takes the focus.
    connect(dtCCStartDate_, &DateBox::entering, this,
            [this] { dtCCStartDate_->setBounds(TaxYearStart, dtCCEndDate_->date()); });
    connect(dtCCEndDate_, &DateBox::entering, this,
            [this] { dtCCEndDate_->setBounds(dtCCStartDate_->date(), TaxYearEnd); });

    // A date outside its range gets the range message; a date that does not exist (31/04/2015)
    // is named as no date at all. Either way the box keeps the date it held.
    const auto refuseStart = [this](const QString& message) {
        if (!isVisible()) {
            car().CCStartDate = TaxYearStart;
            dtCCStartDate_->setDate(TaxYearStart);
            return;
        }
        QMessageBox::critical(this, IncorrectDate, message);
        dtCCStartDate_->setFocus(Qt::OtherFocusReason);
    };
    const auto refuseEnd = [this](const QString& message) {
        if (!isVisible()) {
            car().CCEndDate = TaxYearEnd;
            dtCCEndDate_->setDate(TaxYearEnd);
            return;
        }
        endDateInvalid_ = true;
        QMessageBox::critical(this, IncorrectDate, message);
        dtCCEndDate_->setFocus(Qt::OtherFocusReason);
    };
    const auto notADate = [](const QString& typed) { return QString::fromStdString(NotADateMessage(typed.toStdString())); };
    connect(dtCCStartDate_, &DateBox::invalidDateRejected, this,
            [refuseStart, notADate](const QString& typed) { refuseStart(notADate(typed)); });
    connect(dtCCStartDate_, &DateBox::outOfRangeRejected, this,
            [refuseStart] { refuseStart(Text(DateOutsideYearMessage)); });
    connect(dtCCEndDate_, &DateBox::invalidDateRejected, this,
            [refuseEnd, notADate](const QString& typed) { refuseEnd(notADate(typed)); });
    connect(dtCCEndDate_, &DateBox::outOfRangeRejected, this, [this, refuseEnd] {
        refuseEnd(QString::fromStdString(EndBeforeStartMessage(dtCCStartDate_->text().toStdString())));
    });
    // Leaving the end date box clears the mark; the box's own check runs after this filter and
    // sets it again when it refuses.
    dtCCEndDate_->installEventFilter(this);
}

bool CompanyCarScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == dtCCEndDate_ && event->type() == QEvent::FocusOut) {
        // Another window (the box's own message) or a menu taking the focus is not leaving.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            endDateInvalid_ = false;
    }
    return CalculatorWindow::eventFilter(watched, event);
}

void CompanyCarScreen::orderTabs()
{
    QList<QWidget*> order = typed_;
    order << cmdAdd_ << cmdDelete_ << cmdBack_ << cmdForward_ << cmdCalculate_ << cmdOK_ << cmdPrint_;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// ---- showing ------------------------------------------------------------------------------

void CompanyCarScreen::showVehicle()
{
    // The fields are set from the record itself; nothing they hold while being set may write
    // back into it.
    filling_ = true;
    const CompanyCarRecord shown = car();
    for (const TextBinding& binding : texts_) {
        binding.box->setText(QString::fromStdString(shown.*binding.field));
        binding.box->setCursorPosition(0); // a text longer than its box shows its beginning
    }
    for (const AmountBinding& binding : amounts_)
        binding.box->setValue(shown.*binding.field);
    for (const FlagBinding& binding : flags_)
        binding.box->setChecked(shown.*binding.field == 1);
    for (const DateBinding& binding : dates_)
        binding.box->setDate(shown.*binding.field);
    numFuelComponent_->setValue(shown.FuelComponent);
    numAdjustTaxableInc_->setValue(shown.AdjustTaxableInc);
    numActual3802_->setValue(cars().Actual3802);
    chkAutoCalc3802_->setChecked(cars().AutoCalc3802 == 1);
    // Bounds left from another car must not refuse this car's dates.
    dtCCStartDate_->setBounds(TaxYearStart, shown.CCEndDate);
    dtCCEndDate_->setBounds(shown.CCStartDate, TaxYearEnd);
    filling_ = false;
}

void CompanyCarScreen::showResults(const CompCarRun& run)
{
    const auto index = static_cast<std::size_t>(cars().CurrentVehicle);
    const bool shown = !run.EndedEarly && cars().CurrentVehicle > 0 && index < run.Results.size();
    const CompanyCarResult result = shown ? run.Results[index] : CompanyCarResult{};
    numCCMonths_->setValue(result.Days);
    numPrivateDistance_->setValue(result.PrivateDistance);
    numTrueInclusion_->setValue(result.TrueInclusion);
    numTrueInclusion1_->setValue(result.TrueInclusion);
    numFuelClaim_->setValue(result.FuelClaim);
    numTotAddExpense_->setValue(result.TotAddExpense);
    numFuelExp_->setValue(result.FuelExp);
    numAdjustTaxableIncSARS_->setValue(result.AdjustTaxableIncSARS);
    numIRP53802_->setValue(result.IRP53802);
    numMonFB80_->setValue(result.MonFB80);
    numMonFB20_->setValue(result.MonFB20);
    numFortFB80_->setValue(result.FortFB80);
    numFortFB20_->setValue(result.FortFB20);
    numWeekFB80_->setValue(result.WeekFB80);
    numWeekFB20_->setValue(result.WeekFB20);
    if (run.EndedEarly) {
        // A car with no distance and no value: every figure of the screen reads 0.
        numFuelComponent_->setValue(0.0);
        numAdjustTaxableInc_->setValue(0.0);
    }
    numTotAdjustTaxableInc_->setValue(run.TotAdjustTaxableInc);
    numTotAdjustTaxableIncSARS_->setValue(run.TotAdjustTaxableIncSARS);
}

void CompanyCarScreen::showAfter(const CompCarRun& run, const CompCarControls& controls)
{
    lastRun_ = run;
    keptFuel_.reset(); // another car, or the register renumbered: the set-aside amount is no one's
    showVehicle();
    showResults(run);
    clearWhatBackwardReadingsSpoil();
    applyControls(controls);
    updateTitle();
}

void CompanyCarScreen::applyControls(const CompCarControls& controls)
{
    for (QWidget* widget : governed_)
        widget->setEnabled(controls.All);
    // The share is the split's while the split is on.
    numFB3802ThisCar_->setEnabled(controls.All && cars().AutoCalc3802 != 1);
    chkAutoCalc3802_->setVisible(cars().AutoCalcBoxShown());
    regCaption_->setEnabled(true);
    txtCCRegNumber_->setEnabled(true);
    cmdAdd_->setEnabled(controls.cmdAdd);
    cmdOK_->setEnabled(controls.cmdOK);
    cmdDelete_->setEnabled(controls.cmdDelete);
    cmdBack_->setEnabled(controls.cmdBack);
    cmdForward_->setEnabled(controls.cmdForward);
    cmdCalculate_->setEnabled(controls.cmdCalculate);
    cmdPrint_->setEnabled(controls.cmdPrint);
    if (controls.FocusRegNumber)
        txtCCRegNumber_->setFocus(Qt::OtherFocusReason);
    controls_ = controls;
    controls_.FocusRegNumber = false;
}

void CompanyCarScreen::updateTitle()
{
    const QString title = QString::fromStdString(cars().Title());
    setWindowTitle(title);
    // The child window copied the title when it was made; it shows the one in force.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->setWindowTitle(title);
}

// ---- commands -----------------------------------------------------------------------------

void CompanyCarScreen::addVehicle()
{
    const AddResult added = cars().Add();
    switch (added.Outcome) {
    case AddOutcome::NeedsRegistrationNumber:
        return;
    case AddOutcome::RegisterFull:
        QMessageBox::critical(this, Text(RegisterFullTitle), Text(RegisterFullMessage));
        return;
    case AddOutcome::Added:
        showAfter(added.Run, ControlsAfterAdd());
        return;
    }
}

void CompanyCarScreen::deleteVehicle()
{
    const CompCarRun run = cars().Delete();
    showAfter(run, ControlsAfterDelete(hasRegistrationNumber(), cars().CMVMaxNum));
}

void CompanyCarScreen::back()
{
    const CompCarRun run = cars().Back();
    showAfter(run, ControlsAfterNavigation(hasRegistrationNumber(), cars().CMVMaxNum));
}

void CompanyCarScreen::forward()
{
    const CompCarRun run = cars().Forward();
    showAfter(run, ControlsAfterNavigation(hasRegistrationNumber(), cars().CMVMaxNum));
}

void CompanyCarScreen::clearWhatBackwardReadingsSpoil()
{
    const auto refused = CheckReadings(cars());
    if (!refused)
        return;
    if (refused->Vehicle == cars().CurrentVehicle) {
        clearResults();
        return;
    }
    // Another car's figures reach this car's only through the totals.
    numTotAdjustTaxableInc_->clearValue();
    numTotAdjustTaxableIncSARS_->clearValue();
}

bool CompanyCarScreen::calculate()
{
    if (const auto refused = CheckReadings(cars())) {
        // Nothing is worked from readings that run backwards, and nothing prints.
        clearResults();
        if (isVisible()) {
            QMessageBox::critical(this, Text(ReadingsBackwardsTitle), QString::fromStdString(refused->Message));
            if (refused->Vehicle == cars().CurrentVehicle)
                numEndMileage_->setFocus(Qt::OtherFocusReason);
        }
        return false;
    }
    lastRun_ = CompCarCalculateCommand(cars());
    // The run stores distances, shares and adjustments in the records: show them as stored.
    showVehicle();
    showResults(lastRun_);
    applyControls(controls_);
    return true;
}

void CompanyCarScreen::printReport()
{
    const std::vector<ReportRow> rows = CompCarReportRows(cars(), lastRun_);
    printMultiRowReport({QString::fromUtf8(CompCarTable), QString::fromUtf8(CompCarLayout),
                         QString::fromUtf8(CompCarTitle) + ExportHint},
                        rows);
}

void CompanyCarScreen::activated() { cmdOK_->setEnabled(true); }

// ---- field rules --------------------------------------------------------------------------

void CompanyCarScreen::registrationChanged()
{
    if (filling_)
        return;
    applyControls(ControlsAfterRegistrationChange(hasRegistrationNumber(), cars().CMVMaxNum));
}

void CompanyCarScreen::sarsTableToggled(bool ticked)
{
    if (filling_)
        return;
    // The deemed rate and the actual cost exclude each other. The typed actual fuel is set
    // aside while the table is ticked and comes back when it is cleared, so trying the table
    // loses nothing.
    if (ticked) {
        if (car().ActualExpEmployee != 0.0)
            keptFuel_ = KeptFuel{cars().CurrentVehicle, car().ActualExpEmployee};
        car().ActualExpEmployee = 0.0;
        numActualExpEmployee_->setValue(0.0);
    } else {
        car().FuelComponent = 0.0;
        numFuelComponent_->setValue(0.0);
        if (keptFuel_ && keptFuel_->vehicle == cars().CurrentVehicle) {
            car().ActualExpEmployee = keptFuel_->amount;
            numActualExpEmployee_->setValue(keptFuel_->amount);
        }
        keptFuel_.reset();
    }
}

void CompanyCarScreen::autoCalcToggled(bool ticked)
{
    if (filling_)
        return;
    cars().AutoCalc3802 = ticked ? 1 : 0;
    applyControls(controls_);
}

// ---- closing ------------------------------------------------------------------------------

void CompanyCarScreen::closeEvent(QCloseEvent* event)
{
    if (endDateInvalid_) {
        event->ignore();
        QMessageBox::critical(this, IncorrectDate, Text(DatePairOutsideYearMessage));
        dtCCStartDate_->setFocus(Qt::OtherFocusReason);
        // That leaves the end date box, which clears the mark, also while the window has not
        // yet been given back its activation to send the box its focus-out.
        endDateInvalid_ = false;
        return;
    }
    lastRun_ = CompCarCalc(cars());
    CalculatorWindow::closeEvent(event);
}

} // namespace revora
