#include "vehicle/TravelAllowanceScreen.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <utility>

#include "DateBox.h"
#include "FormKit.h"
#include "NumberBox.h"
#include "PrintPanel.h"
#include "ResultWidth.h"
#include "tax/TaxYearRules.h"
#include "vehicle/DeemedCostTable.h"
#include "vehicle/TravelAllowancePrintout.h"
#include "vehicle/VehicleLimits.h"

namespace revora {

namespace {

// silgEdit6 (fuel/oil) onwards are the recorded costs, used only with an accurate record.
constexpr int FirstCostField = 5;

bool IsPlainEnter(const QKeyEvent& event)
{
    return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
           (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Wide enough for the largest figure the box can show, and no wider, so that the fixed cost's
// working fits on one line within the width the main window takes for the vehicle screens.
NumberBox* ResultBox(QWidget* parent, const QString& name, int decimals, double largest)
{
    return MakeResultBox(parent, name, decimals, largest, 40);
}

// The largest figures the results can reach with every input at most MostVehicleNumber, no
// total below 0 and no more business km than the total (CheckDistances).
constexpr double MostKm = MostVehicleNumber;
constexpr double MostCosts = 6.0 * MostVehicleNumber; // the six recorded costs

} // namespace

TravelAllowanceScreen::TravelAllowanceScreen(VehicleState& state, ProgramValues& program, QWidget* parent)
    : CalculatorWindow(program, parent), state_(state)
{
    setWindowTitle(QStringLiteral("Travel Allowance"));
    setObjectName("TravelAllowanceScreen");

    QHBoxLayout* top = buildCarAndMethod();
    // The vehicle, the distances and the period on the left, the recorded costs on the right.
    auto* vehicle = new QGridLayout;
    auto* costs = new QGridLayout;
    buildInputs(vehicle, costs);
    buildDates(vehicle);

    includeFuel_ = new QCheckBox(QStringLiteral("Include Fuel Costs"), this);
    includeFuel_->setObjectName("Check1");
    includeMaintenance_ = new QCheckBox(QStringLiteral("Include Maintenance Costs"), this);
    includeMaintenance_->setObjectName("Check2");
    // Left-aligned at their own size: only the box and its caption answer a click.
    costs->addWidget(includeFuel_, costs->rowCount(), 0, 1, 3, Qt::AlignLeft);
    costs->addWidget(includeMaintenance_, costs->rowCount(), 0, 1, 3, Qt::AlignLeft);
    costs->setRowStretch(costs->rowCount(), 1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(vehicle);
    columns->addSpacing(32);
    columns->addLayout(costs);
    columns->setAlignment(vehicle, Qt::AlignTop);
    columns->setAlignment(costs, Qt::AlignTop);
    columns->addStretch();

    // The working of the method in force; both panels take the same room, so switching
    // leaves the rest of the screen where it was.
    panels_ = new QStackedWidget(this);
    panels_->addWidget(buildDeemedPanel());
    panels_->addWidget(buildActualPanel());

    auto* calculateButton = MakeButton(this, "cmdCalculate", QStringLiteral("&Calculate"));
    okButton_ = MakeButton(this, "cmdOK", QStringLiteral("&OK"));
    auto* printButton = MakeButton(this, "cmdPrint", QStringLiteral("&Print"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {calculateButton, okButton_, printButton})
        buttons->addWidget(button);
    buttons->addStretch();

    QVBoxLayout* layout = formLayout();
    layout->addLayout(top);
    layout->addLayout(columns);
    layout->addWidget(panels_);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    buildPrintPanel();

    QList<QWidget*> order{carName_, recordKept_, noRecordKept_};
    for (const InputRow& row : inputs_)
        order << row.box;
    order << startDate_ << endDate_ << includeFuel_ << includeMaintenance_ << calculateButton << okButton_ << printButton;
    ChainTabOrder(order);
    connectCommands(calculateButton, printButton);
    load();
}

QHBoxLayout* TravelAllowanceScreen::buildCarAndMethod()
{
    carName_ = new QLineEdit(this);
    carName_->setObjectName("Text1");
    carName_->setMinimumWidth(260);
    auto* carLabel = MakeLabel(this, "Car :", carName_);
    recordKept_ = new QRadioButton(QStringLiteral("&Yes"), this);
    recordKept_->setObjectName("Option4");
    noRecordKept_ = new QRadioButton(QStringLiteral("&No"), this);
    noRecordKept_->setObjectName("Option3");
    auto* record = new QGroupBox(QStringLiteral("Accurate record kept"), this);
    auto* recordLayout = new QHBoxLayout(record);
    recordLayout->addWidget(recordKept_);
    recordLayout->addWidget(noRecordKept_);
    auto* top = new QHBoxLayout;
    top->addWidget(carLabel);
    top->addWidget(carName_);
    top->addSpacing(24);
    top->addWidget(record);
    top->addStretch();
    return top;
}

void TravelAllowanceScreen::buildInputs(QGridLayout* vehicle, QGridLayout* costs)
{
    TravelAllowanceInputs& in = this->state().TravelAllowance;
    const struct {
        QGridLayout* grid;
        const char* name;
        const char* caption;
        const char* unit;
        double* target;
    } fields[] = {
        {vehicle, "silgEdit1", "Ori&ginal value of vehicle", "R", &in.VehicleValue},
        {vehicle, "silgEdit2", "&Allowance received", "R", &in.AllowanceReceived},
        {vehicle, "silgEdit3", "Close km reading", "km", &in.CloseKm},
        {vehicle, "silgEdit4", "Open km reading", "km", &in.OpenKm},
        {vehicle, "silgEdit5", "Business km", "km", &in.BusinessKmEntered},
        {costs, "silgEdit6", "&Fuel/oil", "R", &in.FuelOil},
        {costs, "silgEdit7", "Repairs/&maintenance", "R", &in.RepairsMaint},
        {costs, "silgEdit8", "&Insurance/licence", "R", &in.InsuranceLicence},
        {costs, "silgEdit9", "O&ther expenses", "R", &in.OtherExpenses},
        {costs, "silgEdit10", "&Wear and tear", "R", &in.WearAndTear},
        {costs, "silgEdit11", "&Lease payments", "R", &in.LeasePayments},
    };
    for (const auto& field : fields) {
        InputRow row;
        row.target = field.target;
        row.box = MakeNumberBox(this, {.name = field.name, .kind = NumberBox::Kind::Whole, .decimals = 0,
                                       .accepts = AtMost(MostVehicleNumber)});
        FitToFigures(*row.box, 0, {MostVehicleNumber}, 120);
        connect(row.box, &NumberBox::refused, this, [this](double value) {
            if (value > MostVehicleNumber)
                QMessageBox::critical(this, Text(VehicleNumberTitle), Text(VehicleNumberMessage));
        });
        row.caption = MakeLabel(this, field.caption, row.box);
        row.unit = MakeLabel(this, field.unit);
        const int r = field.grid->rowCount();
        field.grid->addWidget(row.caption, r, 0);
        // Rand labels stand before the amount, km after the distance, as on a claim form.
        const bool rand = field.unit[0] == 'R';
        field.grid->addWidget(row.unit, r, rand ? 1 : 3);
        field.grid->addWidget(row.box, r, 2);
        inputs_ << row;
    }
    for (int i = 0; i < inputs_.size(); ++i) {
        double& target = *inputs_[i].target;
        if (i == 9 || i == 10) {
            watchSinglePayment(inputs_[i].box, target);
            continue;
        }
        connect(inputs_[i].box, &NumberBox::valueEdited, this, [this, &target](double value) {
            target = value;
            enableIncludeChoices();
        });
    }
}

void TravelAllowanceScreen::buildDates(QGridLayout* vehicle)
{
    startDate_ = new DateBox(this);
    startDate_->setObjectName("dtCarAlStartDate");
    endDate_ = new DateBox(this);
    endDate_->setObjectName("dtCarAlEndDate");
    periodDays_ = new NumberBox(NumberBox::Kind::Whole, 0, this);
    periodDays_->setObjectName("silgEdit12");
    periodDays_->setOutput(true);
    periodDays_->setMaximumWidth(80);
    for (const auto& [caption, box] : {std::pair<const char*, QWidget*>{"Start Date", startDate_},
                                       {"End Date", endDate_}, {"Period (number of days)", periodDays_}}) {
        auto* label = MakeLabel(this, caption, box);
        const int r = vehicle->rowCount();
        vehicle->addWidget(label, r, 0);
        vehicle->addWidget(box, r, 2, Qt::AlignLeft);
        if (box != periodDays_) {
            box->setMaximumWidth(120);
            dateWidgets_ << label << box;
        }
    }
    watchDates();
}

void TravelAllowanceScreen::connectCommands(QPushButton* calculateButton, QPushButton* printButton)
{
    connect(carName_, &QLineEdit::textEdited, this,
            [this](const QString& text) { this->state().TravelAllowance.CarDescription = text.toStdString(); });
    connect(recordKept_, &QRadioButton::toggled, this, &TravelAllowanceScreen::setRecordKept);
    connect(includeFuel_, &QCheckBox::toggled, this, [this](bool ticked) {
        this->state().TravelAllowance.IncludeFuel = ticked ? 1 : 0;
        calculate();
    });
    connect(includeMaintenance_, &QCheckBox::toggled, this, [this](bool ticked) {
        this->state().TravelAllowance.IncludeMaintenance = ticked ? 1 : 0;
        calculate();
    });
    connect(calculateButton, &QPushButton::clicked, this, &TravelAllowanceScreen::calculate);
    // Refused inputs keep the screen open on the box to mend.
    connect(okButton_, &QPushButton::clicked, this, [this] {
        if (calculate())
            closeScreen();
    });
    // The figures are worked out before the panel shows; the panel then offers the printer.
    // Inputs the calculation refuses leave nothing to print.
    setUpPrinting(printOptions_);
    connect(printButton, &QPushButton::clicked, this, [this] {
        if (!calculate())
            return;
        printOptions_->showPanel();
        printOptions_->directButton()->setFocus(Qt::OtherFocusReason);
    });
}

QWidget* TravelAllowanceScreen::buildDeemedPanel()
{
    deemedPanel_ = new QGroupBox(QStringLiteral("Deemed costs"), this);
    deemedPanel_->setObjectName("fraDeemed");
    auto* grid = new QGridLayout(deemedPanel_);
    const auto label = [this](const char* text) { return new QLabel(QString::fromUtf8(text), this); };
    // The dearest band's fixed cost over a total of 1 km is the highest rate a km; the claim is
    // at most that whole fixed cost with fuel and maintenance over the most business km.
    const DeemedCost& dearest = DeemedCostFor(MostVehicleNumber);
    const double mostFixedCents = dearest.FixedCost * 100.0;
    const double mostTotalCents = mostFixedCents + (dearest.FuelRate + dearest.MaintenanceRate) * 100.0;
    const double mostClaim = dearest.FixedCost + (dearest.FuelRate + dearest.MaintenanceRate) * MostKm;
    const double km[] = {MostKm, MostKm, MostKm, dearest.FixedCost, MostKm};
    for (int i = 0; i < 5; ++i)
        deemedKm_[i] = ResultBox(this, QStringLiteral("sidbEdit3_%1").arg(i), 2, km[i]);
    const int decimals[] = {4, 2, 2, 1, 2};
    const double cents[] = {mostFixedCents, mostTotalCents, mostTotalCents, mostTotalCents, mostClaim};
    for (int i = 0; i < 5; ++i)
        deemedCents_[i] = ResultBox(this, QStringLiteral("sidbEdit1_%1").arg(i), decimals[i], cents[i]);
    deemedDays_[0] = ResultBox(this, QStringLiteral("silgEdit13_4"), 0, 366);
    deemedDays_[1] = ResultBox(this, QStringLiteral("silgEdit13_6"), 0, 366);

    // Columns: caption, R, amount, then the fixed cost's working, then the cents a km.
    const char* distances[] = {"Business distance", "Private distance", "Total distance"};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(label(distances[i]), i, 0);
        grid->addWidget(deemedKm_[i], i, 2);
        grid->addWidget(label("Kms."), i, 3);
    }
    grid->addWidget(label("Fixed cost"), 3, 0);
    grid->addWidget(label("R"), 3, 1);
    grid->addWidget(deemedKm_[3], 3, 2);
    grid->addWidget(label("x"), 3, 3, Qt::AlignCenter);
    grid->addWidget(deemedDays_[0], 3, 4);
    grid->addWidget(label("days /"), 3, 5);
    grid->addWidget(deemedDays_[1], 3, 6);
    grid->addWidget(label("days /"), 3, 7);
    grid->addWidget(deemedKm_[4], 3, 8);
    grid->addWidget(label("Kms. ="), 3, 9);
    const char* rates[] = {"Fuel costs", "Maintenance costs", "Total costs"};
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            grid->addWidget(label(rates[i - 1]), 3 + i, 0);
        grid->addWidget(deemedCents_[i], 3 + i, 10);
        grid->addWidget(label("cents/km"), 3 + i, 11);
    }
    grid->addWidget(label("Deduction claim"), 7, 0);
    grid->addWidget(label("R"), 7, 9, Qt::AlignRight);
    grid->addWidget(deemedCents_[4], 7, 10);
    return deemedPanel_;
}

QWidget* TravelAllowanceScreen::buildActualPanel()
{
    actualPanel_ = new QGroupBox(QStringLiteral("Actual costs"), this);
    actualPanel_->setObjectName("fraActual");
    auto* grid = new QGridLayout(actualPanel_);
    const char* captions[] = {"Business Km's",   "Private Km's",    "Total Km's",     "Total costs",
                              "Less private use", "Travel expenses", "Deduction claim"};
    for (int i = 0; i < 7; ++i) {
        actual_[i] = ResultBox(this, QStringLiteral("sidbEdit2_%1").arg(i), 2, i < 3 ? MostKm : MostCosts);
        grid->addWidget(new QLabel(QString::fromUtf8(captions[i]), this), i, 0);
        if (i < 3)
            grid->addWidget(new QLabel(QStringLiteral("Kms."), this), i, 3);
        else
            grid->addWidget(new QLabel(QStringLiteral("R"), this), i, 1);
        grid->addWidget(actual_[i], i, 2);
    }
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(7, 1);
    return actualPanel_;
}

void TravelAllowanceScreen::buildPrintPanel()
{
    printOptions_ = new PrintPanel(this);
    printOptions_->setObjectName("Frame1");
    employeeName_ = AddNameRow(printOptions_->contentLayout(), this, "Text3", "Employee name :", TravelNameLength);
}

void TravelAllowanceScreen::watchDates()
{
    // Each box keeps to the tax year and to its side of the other date.
    connect(startDate_, &DateBox::entering, this, [this] { startDate_->setBounds(year().Start, endDate_->date()); });
    connect(endDate_, &DateBox::entering, this, [this] { endDate_->setBounds(startDate_->date(), year().End); });
    connect(startDate_, &DateBox::dateEdited, this, [this](int day) { period_.StartDate = day; });
    connect(endDate_, &DateBox::dateEdited, this, [this](int day) { period_.EndDate = day; });

    // A date outside its range gets the range message; a date that does not exist (31/04/2015)
    // is named as no date at all.
    const auto refuse = [this](DateBox* box, int fallback, int& target, const QString& message) {
        if (!isVisible()) {
            box->setDate(fallback);
            target = fallback;
            return;
        }
        QMessageBox::critical(this, QStringLiteral("Incorrect Date"), message);
        box->setFocus(Qt::OtherFocusReason);
    };
    const auto notADate = [this](const QString& typed) {
        return QString::fromStdString(NotADateMessage(typed.toStdString(), year()));
    };
    connect(startDate_, &DateBox::invalidDateRejected, this, [this, refuse, notADate](const QString& typed) {
        refuse(startDate_, year().Start, period_.StartDate, notADate(typed));
    });
    connect(startDate_, &DateBox::outOfRangeRejected, this, [this, refuse] {
        refuse(startDate_, year().Start, period_.StartDate, QString::fromStdString(OutsideYearMessage(year())));
    });
    connect(endDate_, &DateBox::invalidDateRejected, this, [this, refuse, notADate](const QString& typed) {
        refuse(endDate_, year().End, period_.EndDate, notADate(typed));
    });
    connect(endDate_, &DateBox::outOfRangeRejected, this, [this, refuse] {
        refuse(endDate_, year().End, period_.EndDate,
               QString::fromStdString(EndBeforeStartMessage(startDate_->text().toStdString(), year())));
    });
}

void TravelAllowanceScreen::watchSinglePayment(NumberBox* box, double& target)
{
    connect(box, &NumberBox::valueEdited, this, [this, box, &target](double value) {
        if (!MayStoreWearOrLease(value))
            return;
        target = value;
        if (const auto refusal = CheckSinglePayment(state().TravelAllowance)) {
            QMessageBox::critical(this, Text(refusal->title), Text(refusal->message));
            target = 0.0;
            box->setValue(0.0);
            box->setFocus(Qt::OtherFocusReason);
        }
    });
}

void TravelAllowanceScreen::load()
{
    const TravelAllowanceInputs& in = state().TravelAllowance;
    carName_->setText(QString::fromStdString(in.CarDescription));
    for (const InputRow& row : inputs_)
        row.box->setValue(*row.target);
    {
        // Showing the stored flags is not the user choosing them.
        const QSignalBlocker blockYes(recordKept_);
        const QSignalBlocker blockFuel(includeFuel_);
        const QSignalBlocker blockMaint(includeMaintenance_);
        (in.RecordKept != 0 ? recordKept_ : noRecordKept_)->setChecked(true);
        includeFuel_->setChecked(in.IncludeFuel != 0);
        includeMaintenance_->setChecked(in.IncludeMaintenance != 0);
    }
    period_ = TravelAllowancePeriod::WholeYear(year());
    startDate_->setDate(period_.StartDate);
    endDate_->setDate(period_.EndDate);
    applyMethod();
    calculate();
}

void TravelAllowanceScreen::setRecordKept(bool kept)
{
    state().TravelAllowance.RecordKept = kept ? 1 : 0;
    applyMethod();
}

void TravelAllowanceScreen::applyMethod()
{
    // With a record kept the recorded costs count and the period stays as it is; without one
    // the deemed costs come from the table, over a period the user may shorten. The vehicle's
    // value, the allowance and the distances count either way.
    const bool kept = state().TravelAllowance.RecordKept != 0;
    for (int i = 0; i < inputs_.size(); ++i) {
        const bool open = i < FirstCostField || kept;
        for (QWidget* widget : {inputs_[i].caption, static_cast<QWidget*>(inputs_[i].box), inputs_[i].unit})
            widget->setEnabled(open);
    }
    for (QWidget* widget : dateWidgets_)
        widget->setEnabled(!kept);
    panels_->setCurrentWidget(kept ? actualPanel_ : deemedPanel_);
    enableIncludeChoices();
}

void TravelAllowanceScreen::enableIncludeChoices()
{
    // A choice that cannot change the claim is not offered.
    const bool count = IncludeChoicesCount(state().TravelAllowance);
    includeFuel_->setEnabled(count);
    includeMaintenance_->setEnabled(count);
}

bool TravelAllowanceScreen::calculate() { return work(true); }

void TravelAllowanceScreen::yearChanged()
{
    if (CheckPeriodInYear(period_, year())) {
        results_ = {};
        clearResults();
        return;
    }
    work(false);
}

bool TravelAllowanceScreen::work(bool tell)
{
    TravelAllowanceInputs& in = state().TravelAllowance;
    // No figure worked from other inputs, or in another year, stays beside these, and nothing
    // prints.
    const auto refuse = [this, tell](const QString& title, const QString& message, QWidget* mend) {
        results_ = {};
        clearResults();
        if (tell && isVisible()) {
            QMessageBox::critical(this, title, message);
            mend->setFocus(Qt::OtherFocusReason);
        }
        return false;
    };
    if (const auto refused = CheckDistances(in))
        return refuse(Text(refused->refusal.title), Text(refused->refusal.message),
                      inputs_[refused->box == TravelDistanceBox::OpenKm ? 3 : 4].box);
    if (const auto refused = CheckPeriodInYear(period_, year()))
        return refuse(QStringLiteral("Incorrect Date"), QString::fromStdString(*refused), startDate_);
    if (const auto refused = CheckDeemedCostTable(in, period_, year()))
        return refuse(QString::fromUtf8(NoDeemedCostTableTitle), QString::fromStdString(*refused), inputs_[0].box);
    Working working;
    results_ = CalcTravelAllowance(in, period_, year(), &working);
    periodDays_->setValue(in.PeriodDays);
    const bool kept = in.RecordKept != 0;
    // The deemed costs need a value, a period and a business distance; without one of them
    // their working reads 0 throughout.
    if (!DeemedCostsRun(in))
        clearDeemed();
    else if (!kept)
        showDeemed(results_);
    if (kept)
        showActual(results_);
    setWorking(std::move(working));
    return true;
}

void TravelAllowanceScreen::showDeemed(const TravelAllowanceResults& r)
{
    const double km[] = {r.BusinessKm, r.PrivateKm, r.TotalKm, r.FixedCost, r.TotalKm};
    for (std::size_t i = 0; i < deemedKm_.size(); ++i)
        deemedKm_[i]->setValue(km[i]);
    deemedDays_[0]->setValue(state().TravelAllowance.PeriodDays);
    deemedDays_[1]->setValue(365.0);
    const double cents[] = {r.FixedCentsPerKm, r.FuelCentsPerKm, r.MaintCentsPerKm, r.TotalCentsPerKm,
                            r.DeductionClaim};
    for (std::size_t i = 0; i < deemedCents_.size(); ++i)
        deemedCents_[i]->setValue(cents[i]);
}

void TravelAllowanceScreen::clearDeemed()
{
    for (auto* group : {deemedKm_.data(), deemedCents_.data()})
        for (std::size_t i = 0; i < 5; ++i)
            group[i]->setValue(0.0);
    for (NumberBox* box : deemedDays_)
        box->setValue(0.0);
}

void TravelAllowanceScreen::showActual(const TravelAllowanceResults& r)
{
    const double shown[] = {r.BusinessKm, r.PrivateKm,      r.TotalKm,       r.TotalCosts,
                            r.PrivateUse, r.DeductionClaim, r.DeductionClaim};
    for (std::size_t i = 0; i < actual_.size(); ++i)
        actual_[i]->setValue(shown[i]);
}

void TravelAllowanceScreen::printReport()
{
    const TravelAllowanceInputs& in = state().TravelAllowance;
    printOneRowReport({QString::fromUtf8(TravelAllowanceTable), QString::fromUtf8(TravelAllowanceLayout(in.RecordKept)),
                       QString::fromUtf8(TravelAllowanceTitle) + ExportHint},
                      TravelDeductionReportRow(in, period_, results_, employeeName_->text().toStdString()));
}

bool TravelAllowanceScreen::isInputField(QWidget* widget) const
{
    auto* edit = qobject_cast<QLineEdit*>(widget);
    return edit && !edit->isReadOnly() && isAncestorOf(edit) && !printOptions_->isAncestorOf(edit);
}

void TravelAllowanceScreen::keyPressEvent(QKeyEvent* event)
{
    // While the print panel is up, Enter and Esc are its own, as on every screen.
    if (!printOptions_->isVisible()) {
        QWidget* focused = QApplication::focusWidget();
        // Enter works the figures out and offers "&OK"; a button that has the focus is
        // pressed instead, so Enter on "&OK" closes as the user expects.
        if (IsPlainEnter(*event) && !(qobject_cast<QPushButton*>(focused) && isAncestorOf(focused))) {
            if (calculate())
                okButton_->setFocus(Qt::OtherFocusReason);
            return;
        }
        // Esc in a field leaves the user in it, value and all; it never closes the screen.
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
            if (isInputField(focused))
                focused->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    CalculatorWindow::keyPressEvent(event);
}

void TravelAllowanceScreen::closeEvent(QCloseEvent* event)
{
    // However the screen goes, the stored figures match its inputs; inputs it would refuse are
    // kept as typed, to be mended when it opens again, and nothing is said while it goes.
    if (!CheckDistances(state().TravelAllowance))
        work(false);
    CalculatorWindow::closeEvent(event);
}

} // namespace revora
