// The company car screen's form: its groups of boxes, each box bound to a field of the car's
// record, and its commands.
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
    addButton_ = MakeButton(this, "cmdAdd", QStringLiteral("&Add"));
    deleteButton_ = MakeButton(this, "cmdDelete", QStringLiteral("&Delete"));
    backButton_ = MakeButton(this, "cmdBack", QStringLiteral("&Back"));
    forwardButton_ = MakeButton(this, "cmdForward", QStringLiteral("&Forward"));
    calculateButton_ = MakeCalculateButton(this);
    okButton_ = MakeButton(this, "cmdOK", QStringLiteral("&OK"));
    printButton_ = MakeButton(this, "cmdPrint", QStringLiteral("&Print"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {addButton_, deleteButton_, backButton_, forwardButton_})
        buttons->addWidget(b);
    buttons->addStretch();
    for (QPushButton* b : {calculateButton_, okButton_, printButton_})
        buttons->addWidget(b);

    formLayout()->addLayout(columns);
    formLayout()->addSpacing(6);
    formLayout()->addLayout(buttons);

    printOptions_ = new PrintPanel(this);
    printOptions_->setObjectName("Frame1");

    connect(registration_, &QLineEdit::textChanged, this, &CompanyCarScreen::registrationChanged);
    connect(addButton_, &QPushButton::clicked, this, &CompanyCarScreen::addVehicle);
    connect(deleteButton_, &QPushButton::clicked, this, &CompanyCarScreen::deleteVehicle);
    connect(backButton_, &QPushButton::clicked, this, &CompanyCarScreen::back);
    connect(forwardButton_, &QPushButton::clicked, this, &CompanyCarScreen::forward);
    connect(calculateButton_, &QPushButton::clicked, this, &CompanyCarScreen::calculate);
    connect(okButton_, &QPushButton::clicked, this, &CalculatorWindow::closeScreen);
    // The printout holds the figures of a fresh calculation, and inputs the calculation refuses
    // leave nothing to print.
    setUpPrinting(printOptions_);
    connect(printButton_, &QPushButton::clicked, this, [this] {
        if (calculate())
            printOptions_->showPanel();
    });
}

QGroupBox* CompanyCarScreen::buildVehicle()
{
    auto* vehicle = new QGroupBox(QStringLiteral("Vehicle"), this);
    QGridLayout* grid = GroupGrid(vehicle);
    registration_ =
        textField(grid, "txtCCRegNumber", QStringLiteral("Vehicle registration &number"), &CompanyCarRecord::CCRegNumber);
    registrationCaption_ = qobject_cast<QLabel*>(grid->itemAtPosition(grid->rowCount() - 1, 0)->widget());
    governed_.removeAll(registrationCaption_);
    governed_.removeAll(registration_);
    textField(grid, "txtCCMake", QStringLiteral("Car &Make"), &CompanyCarRecord::CCMake);
    textField(grid, "txtCCModel", QStringLiteral("Car Mode&l"), &CompanyCarRecord::CCModel);
    textField(grid, "txtYearOfManfact", QStringLiteral("&Year of manufacture"), &CompanyCarRecord::YearOfManfact);
    amountField(grid, "numCCPrice", QStringLiteral("Pr&ice of vehicle (incl VAT)"), &CompanyCarRecord::CCPrice);
    grid->addWidget(
        flagField("chkMaintIncluded", QStringLiteral("Maint. plan incl&uded?   "), &CompanyCarRecord::MaintIncluded),
        grid->rowCount(), 0, 1, 2);
    startDate_ = dateField(grid, "dtCCStartDate", QStringLiteral("Start da&te "), &CompanyCarRecord::CCStartDate);
    endDate_ = dateField(grid, "dtCCEndDate", QStringLiteral("&End date"), &CompanyCarRecord::CCEndDate);
    days_ = resultBox("numCCMonths", 0, {366});
    caption(grid, grid->rowCount(), QStringLiteral("No of days "), days_);
    trueInclusion_ = resultBox("numTrueInclusion", 0, {MostInclusion});
    caption(grid, grid->rowCount(), QStringLiteral("True inclusion amount"), trueInclusion_);
    return vehicle;
}

QGroupBox* CompanyCarScreen::buildCode3802()
{
    auto* code3802 = new QGroupBox(QStringLiteral("IRP5 code 3802"), this);
    QGridLayout* grid = GroupGrid(code3802);
    benefitsOnIrp5_ = new NumberBox(NumberBox::Kind::Whole, 0, this);
    benefitsOnIrp5_->setObjectName("numActual3802");
    limitToVehicleNumbers(benefitsOnIrp5_, 0);
    caption(grid, 0, QStringLiteral("Total code 3&802 f/benefits on IRP5's"), benefitsOnIrp5_);
    typed_ << benefitsOnIrp5_;
    governed_ << benefitsOnIrp5_;
    connect(benefitsOnIrp5_, &NumberBox::valueEdited, this, [this](double value) {
        if (!filling_)
            cars().Actual3802 = value;
    });
    autoSplitBenefits_ = new QCheckBox(QStringLiteral("Auto-calculate f/benefit splits"), this);
    autoSplitBenefits_->setObjectName("chkAutoCalc3802");
    grid->addWidget(autoSplitBenefits_, 1, 0, 1, 2);
    typed_ << autoSplitBenefits_;
    governed_ << autoSplitBenefits_;
    connect(autoSplitBenefits_, &QCheckBox::toggled, this, &CompanyCarScreen::autoCalcToggled);
    // The split can leave cents in a share, so the share shows them.
    benefitThisCar_ = new NumberBox(NumberBox::Kind::Decimal, 2, this);
    benefitThisCar_->setObjectName("numFB3802ThisCar");
    limitToVehicleNumbers(benefitThisCar_, 2);
    benefitThisCar_->setTidyOnLeave(true);
    caption(grid, 2, QStringLiteral("Code 3802 f/benefit for t&his car"), benefitThisCar_);
    amounts_.push_back({benefitThisCar_, &CompanyCarRecord::FB3802ThisCar});
    typed_ << benefitThisCar_;
    governed_ << benefitThisCar_;
    connect(benefitThisCar_, &NumberBox::valueEdited, this, [this](double value) {
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
    endMileage_ = amountField(grid, "numEndMileage", QStringLiteral("End milea&ge"), &CompanyCarRecord::EndMileage, kms);
    amountField(grid, "numTotalDistance", QStringLiteral("Total distance"), &CompanyCarRecord::TotalDistance, kms);
    amountField(grid, "numBusDistance", QStringLiteral("Business distance"), &CompanyCarRecord::BusDistance, kms);
    privateDistance_ = resultBox("numPrivateDistance", 0, {M});
    caption(grid, grid->rowCount(), QStringLiteral("Private distance"), privateDistance_, kms);
    auto* logBook = flagField("chkBussMilage", QStringLiteral("Did you keep a log boo&k detailing business mileage?"),
                              &CompanyCarRecord::BussMilage);
    grid->addWidget(logBook, grid->rowCount(), 0, 1, 3);
    sarsFuelTable_ =
        flagField("chkSARSTable", QStringLiteral("Or use SARS's cents/km fuel table? "), &CompanyCarRecord::SARSTable);
    grid->addWidget(sarsFuelTable_, grid->rowCount(), 0, 1, 3);
    connect(sarsFuelTable_, &QCheckBox::toggled, this, &CompanyCarScreen::sarsTableToggled);
    employeeFuelPaid_ =
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
    fuelComponent_ = resultBox("numFuelComponent", 0, {MostFuel()});
    caption(grid, grid->rowCount(), QStringLiteral("Fuel component"), fuelComponent_);
    return distances;
}

QGroupBox* CompanyCarScreen::buildAdjustment()
{
    auto* adjustment = new QGroupBox(QStringLiteral("Adjustment to taxable income"), this);
    QGridLayout* grid = GroupGrid(adjustment);
    trueInclusionInResults_ = resultBox("numTrueInclusion_1", 0, {MostInclusion});
    caption(grid, 0, QStringLiteral("True inclusion amount"), trueInclusionInResults_);
    fuelClaim_ = resultBox("numFuelClaim", 0, {MostFuel(), -M});
    caption(grid, 1, QStringLiteral("Fuel claim (adjusted for mileage)"), fuelClaim_);
    addedExpenses_ = resultBox("numTotAddExpense", 0, {MostExpenses});
    caption(grid, 2, QStringLiteral("Total additional expenses (adjusted for mileage)"), addedExpenses_);
    fuelAndExpenses_ = resultBox("numFuelExp", 0, {MostFuelExp(), -M});
    caption(grid, 3, QStringLiteral("Less fuel && expenses"), fuelAndExpenses_);
    adjustment_ = resultBox("numAdjustTaxableInc", 2, {MostAdjust, LeastSarsClaim()});
    sarsAdjustment_ = resultBox("numAdjustTaxableIncSARS", 2, {M, LeastSarsClaim()});
    totalAdjustment_ = resultBox("numTotAdjustTaxableInc", 2, {Cars * MostAdjust, Cars * LeastSarsClaim()});
    totalSarsAdjustment_ = resultBox("numTotAdjustTaxableIncSARS", 2, {Cars * M, Cars * LeastSarsClaim()});
    // The SARS claim stands under the adjustment, and each total under its figure: side by side
    // the boxes, wide enough for their largest figures, would not fit the main window's width.
    caption(grid, 4, QStringLiteral("Adjustment to taxable income"), adjustment_);
    caption(grid, 5, QStringLiteral("(SARS's claim awarded against taxable income)"), sarsAdjustment_);
    caption(grid, 6, QStringLiteral("Total Adjustment to taxable income"), totalAdjustment_);
    caption(grid, 7, QStringLiteral("Total (SARS's claim awarded against taxable income)"), totalSarsAdjustment_);
    return adjustment;
}

QGroupBox* CompanyCarScreen::buildPayroll()
{
    auto* payroll = new QGroupBox(QStringLiteral("Fringe benefit for the payroll"), this);
    QGridLayout* grid = GroupGrid(payroll);
    irp5Amount_ = resultBox("numIRP53802", 0, {MostInclusion});
    caption(grid, 0, QStringLiteral("IRP5 code 3802 amount for this car"), irp5Amount_);
    for (const auto& [column, share] : {std::pair{1, "80%"}, std::pair{2, "20%"}}) {
        auto* header = new QLabel(QString::fromLatin1(share), this);
        header->setAlignment(Qt::AlignCenter);
        governed_ << header;
        grid->addWidget(header, 1, column);
    }
    // The monthly amounts are whole rand; the fortnightly and weekly ones may carry cents.
    monthly80_ = resultBox("numMonFB80", 0, {MostInclusion / 12.0});
    monthly20_ = resultBox("numMonFB20", 0, {MostInclusion / 12.0});
    fortnightly80_ = resultBox("numFortFB80", 2, {MostInclusion / 26.0});
    fortnightly20_ = resultBox("numFortFB20", 2, {MostInclusion / 26.0});
    weekly80_ = resultBox("numWeekFB80", 2, {MostInclusion / 52.0});
    weekly20_ = resultBox("numWeekFB20", 2, {MostInclusion / 52.0});
    caption(grid, 2, QStringLiteral("Monthly f/benefit amount for this car"), monthly80_);
    grid->addWidget(monthly20_, 2, 2);
    caption(grid, 3, QStringLiteral("Fortnightly f/benefit amount for this car "), fortnightly80_);
    grid->addWidget(fortnightly20_, 3, 2);
    caption(grid, 4, QStringLiteral("Weekly f/benefit amount for this car"), weekly80_);
    grid->addWidget(weekly20_, 4, 2);
    return payroll;
}

} // namespace revora
