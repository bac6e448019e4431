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

const QString IncorrectDate = QStringLiteral("Incorrect Date");

} // namespace

CompanyCarScreen::CompanyCarScreen(VehicleState& state, ProgramValues& program, QWidget* parent)
    : CalculatorWindow(program, parent), state_(state)
{
    buildForm();
    watchDates();
    orderTabs();

    Working working;
    const CompCarRun run = cars().Open(year(), &working);
    showAfter(run, ControlsOnOpen(hasRegistrationNumber(), cars().CarCount), std::move(working));
    okButton_->setEnabled(true);
}

void CompanyCarScreen::watchDates()
{
    // Each box is bounded by the other's date from the moment it takes the focus.
    connect(startDate_, &DateBox::entering, this,
            [this] { startDate_->setBounds(year().Start, endDate_->date()); });
    connect(endDate_, &DateBox::entering, this,
            [this] { endDate_->setBounds(startDate_->date(), year().End); });

    // A date outside its range gets the range message; a date that does not exist (31/04/2015)
    // is named as no date at all. Either way the box keeps the date it held.
    const auto refuseStart = [this](const QString& message) {
        if (!isVisible()) {
            car().CCStartDate = year().Start;
            startDate_->setDate(year().Start);
            return;
        }
        QMessageBox::critical(this, IncorrectDate, message);
        startDate_->setFocus(Qt::OtherFocusReason);
    };
    const auto refuseEnd = [this](const QString& message) {
        if (!isVisible()) {
            car().CCEndDate = year().End;
            endDate_->setDate(year().End);
            return;
        }
        endDateInvalid_ = true;
        QMessageBox::critical(this, IncorrectDate, message);
        endDate_->setFocus(Qt::OtherFocusReason);
    };
    const auto notADate = [this](const QString& typed) {
        return QString::fromStdString(NotADateMessage(typed.toStdString(), year()));
    };
    connect(startDate_, &DateBox::invalidDateRejected, this,
            [refuseStart, notADate](const QString& typed) { refuseStart(notADate(typed)); });
    connect(startDate_, &DateBox::outOfRangeRejected, this,
            [this, refuseStart] { refuseStart(QString::fromStdString(OutsideYearMessage(year()))); });
    connect(endDate_, &DateBox::invalidDateRejected, this,
            [refuseEnd, notADate](const QString& typed) { refuseEnd(notADate(typed)); });
    connect(endDate_, &DateBox::outOfRangeRejected, this, [this, refuseEnd] {
        refuseEnd(QString::fromStdString(EndBeforeStartMessage(startDate_->text().toStdString(), year())));
    });
    // Leaving the end date box clears the mark; the box's own check runs after this filter and
    // sets it again when it refuses.
    endDate_->installEventFilter(this);
}

bool CompanyCarScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == endDate_ && event->type() == QEvent::FocusOut) {
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
    order << addButton_ << deleteButton_ << backButton_ << forwardButton_ << calculateButton_ << okButton_
          << printButton_;
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
    fuelComponent_->setValue(shown.FuelComponent);
    adjustment_->setValue(shown.AdjustTaxableInc);
    benefitsOnIrp5_->setValue(cars().Actual3802);
    autoSplitBenefits_->setChecked(cars().AutoCalc3802 == 1);
    // Bounds left from another car must not refuse this car's dates.
    startDate_->setBounds(year().Start, shown.CCEndDate);
    endDate_->setBounds(shown.CCStartDate, year().End);
    filling_ = false;
}

void CompanyCarScreen::showResults(const CompCarRun& run)
{
    const auto index = static_cast<std::size_t>(cars().CurrentVehicle);
    const bool shown = !run.EndedEarly && cars().CurrentVehicle > 0 && index < run.Results.size();
    const CompanyCarResult result = shown ? run.Results[index] : CompanyCarResult{};
    days_->setValue(result.Days);
    privateDistance_->setValue(result.PrivateDistance);
    trueInclusion_->setValue(result.TrueInclusion);
    trueInclusionInResults_->setValue(result.TrueInclusion);
    fuelClaim_->setValue(result.FuelClaim);
    addedExpenses_->setValue(result.TotAddExpense);
    fuelAndExpenses_->setValue(result.FuelExp);
    sarsAdjustment_->setValue(result.AdjustTaxableIncSARS);
    irp5Amount_->setValue(result.IRP53802);
    monthly80_->setValue(result.MonFB80);
    monthly20_->setValue(result.MonFB20);
    fortnightly80_->setValue(result.FortFB80);
    fortnightly20_->setValue(result.FortFB20);
    weekly80_->setValue(result.WeekFB80);
    weekly20_->setValue(result.WeekFB20);
    if (run.EndedEarly) {
        // A car with no distance and no value: every figure of the screen reads 0.
        fuelComponent_->setValue(0.0);
        adjustment_->setValue(0.0);
    }
    totalAdjustment_->setValue(run.TotAdjustTaxableInc);
    totalSarsAdjustment_->setValue(run.TotAdjustTaxableIncSARS);
}

void CompanyCarScreen::showAfter(const CompCarRun& run, const CompCarControls& controls, Working working)
{
    lastRun_ = run;
    keptFuel_.reset(); // another car, or the register renumbered: the set-aside amount is no one's
    showVehicle();
    showResults(run);
    setWorking(std::move(working));
    clearWhatBackwardReadingsSpoil();
    applyControls(controls);
    updateTitle();
}

void CompanyCarScreen::applyControls(const CompCarControls& controls)
{
    for (QWidget* widget : governed_)
        widget->setEnabled(controls.All);
    // The share is the split's while the split is on.
    benefitThisCar_->setEnabled(controls.All && cars().AutoCalc3802 != 1);
    autoSplitBenefits_->setVisible(cars().AutoCalcBoxShown());
    registrationCaption_->setEnabled(true);
    registration_->setEnabled(true);
    addButton_->setEnabled(controls.Add);
    okButton_->setEnabled(controls.Ok);
    deleteButton_->setEnabled(controls.Delete);
    backButton_->setEnabled(controls.Back);
    forwardButton_->setEnabled(controls.Forward);
    calculateButton_->setEnabled(controls.Calculate);
    printButton_->setEnabled(controls.Print);
    if (controls.FocusRegNumber)
        registration_->setFocus(Qt::OtherFocusReason);
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
    Working working;
    const AddResult added = cars().Add(year(), &working);
    switch (added.Outcome) {
    case AddOutcome::NeedsRegistrationNumber:
        return;
    case AddOutcome::RegisterFull:
        QMessageBox::critical(this, Text(RegisterFullTitle), Text(RegisterFullMessage));
        return;
    case AddOutcome::Added:
        showAfter(added.Run, ControlsAfterAdd(), std::move(working));
        return;
    }
}

void CompanyCarScreen::deleteVehicle()
{
    Working working;
    const CompCarRun run = cars().Delete(year(), &working);
    showAfter(run, ControlsAfterDelete(hasRegistrationNumber(), cars().CarCount), std::move(working));
}

void CompanyCarScreen::back()
{
    Working working;
    const CompCarRun run = cars().Back(year(), &working);
    showAfter(run, ControlsAfterNavigation(hasRegistrationNumber(), cars().CarCount), std::move(working));
}

void CompanyCarScreen::forward()
{
    Working working;
    const CompCarRun run = cars().Forward(year(), &working);
    showAfter(run, ControlsAfterNavigation(hasRegistrationNumber(), cars().CarCount), std::move(working));
}

std::optional<CompanyCarScreen::Refusal> CompanyCarScreen::firstRefusal()
{
    if (auto refused = CheckReadings(cars()))
        return Refusal{std::move(*refused), Text(ReadingsBackwardsTitle), endMileage_};
    if (auto refused = CheckDatesInYear(cars(), year()))
        return Refusal{std::move(*refused), IncorrectDate, startDate_};
    if (auto refused = CheckFuelTable(cars(), year()))
        return Refusal{std::move(*refused), QString::fromUtf8(NoDeemedCostTableTitle), sarsFuelTable_};
    return std::nullopt;
}

void CompanyCarScreen::clearWhatBackwardReadingsSpoil()
{
    const auto found = firstRefusal();
    if (!found)
        return;
    if (found->refusal.Vehicle == cars().CurrentVehicle) {
        clearResults();
        return;
    }
    // Another car's figures reach this car's only through the totals, which the working ends with.
    totalAdjustment_->clearValue();
    totalSarsAdjustment_->clearValue();
    setWorking({});
}

bool CompanyCarScreen::calculate() { return work(true); }

void CompanyCarScreen::yearChanged()
{
    // An empty register's blank record starts afresh over the new year, as on opening.
    if (cars().CarCount < 1) {
        cars().Open(year());
        showVehicle();
        return;
    }
    if (CheckDatesInYear(cars(), year())) {
        clearResults();
        return;
    }
    work(false);
}

bool CompanyCarScreen::work(bool tell)
{
    if (const auto found = firstRefusal()) {
        // Nothing is worked from readings that run backwards, from days of another year or
        // without the year's fuel table, and nothing prints.
        clearResults();
        if (tell && isVisible()) {
            QMessageBox::critical(this, found->title, QString::fromStdString(found->refusal.Message));
            if (found->refusal.Vehicle == cars().CurrentVehicle)
                found->mend->setFocus(Qt::OtherFocusReason);
        }
        return false;
    }
    Working working;
    lastRun_ = CompCarCalculateCommand(cars(), year(), &working);
    // The run stores distances, shares and adjustments in the records: show them as stored.
    showVehicle();
    showResults(lastRun_);
    setWorking(std::move(working));
    applyControls(controls_);
    return true;
}

void CompanyCarScreen::printReport()
{
    const std::vector<ReportRow> rows = CompCarReportRows(cars(), lastRun_, year());
    printMultiRowReport({QString::fromUtf8(CompCarTable), QString::fromUtf8(CompCarLayout),
                         QString::fromUtf8(CompCarTitle) + ExportHint},
                        rows);
}

void CompanyCarScreen::activated() { okButton_->setEnabled(true); }

// ---- field rules --------------------------------------------------------------------------

void CompanyCarScreen::registrationChanged()
{
    if (filling_)
        return;
    applyControls(ControlsAfterRegistrationChange(hasRegistrationNumber(), cars().CarCount));
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
        employeeFuelPaid_->setValue(0.0);
    } else {
        car().FuelComponent = 0.0;
        fuelComponent_->setValue(0.0);
        if (keptFuel_ && keptFuel_->vehicle == cars().CurrentVehicle) {
            car().ActualExpEmployee = keptFuel_->amount;
            employeeFuelPaid_->setValue(keptFuel_->amount);
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
        QMessageBox::critical(this, IncorrectDate, QString::fromStdString(PairOutsideYearMessage(year())));
        startDate_->setFocus(Qt::OtherFocusReason);
        // That leaves the end date box, which clears the mark, also while the window has not
        // yet been given back its activation to send the box its focus-out.
        endDateInvalid_ = false;
        return;
    }
    lastRun_ = CompCarCalc(cars(), year());
    CalculatorWindow::closeEvent(event);
}

} // namespace revora
