#include "payroll/PayeScreen.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <limits>

#include "payroll/PayePrintout.h"
#include "payroll/PublishedLevies.h"
#include "Database.h"
#include "DateBox.h"
#include "FormKit.h"
#include "OverlayPanel.h"
#include "PrintPanel.h"
#include "ResultWidth.h"
#include "SetupPanel.h"
#include "SetupSettings.h"
#include "common/InputNumbers.h"
#include "tax/TaxYearRules.h"

namespace revora {

PayeScreen::PayeScreen(TaxState& state, ProgramValues& program, const QString& caption, QWidget* parent)
    : CalculatorWindow(program, parent), state_(state), years_(program.Year)
{
    setWindowTitle(caption);

    period_ = new QGridLayout;
    period_->setColumnStretch(2, 1); // the period's boxes keep their width, on the left
    inputs_ = new QGridLayout;
    results_ = new QGridLayout;
    auto* columns = new QHBoxLayout;
    columns->addLayout(inputs_);
    columns->addSpacing(24);
    columns->addLayout(results_);
    columns->setAlignment(results_, Qt::AlignTop);
    columns->setAlignment(inputs_, Qt::AlignTop);

    auto* calculateButton = MakeCalculateButton(this);
    calculateButton_ = calculateButton;
    auto* okButton = MakeButton(this, "cmdOk", QStringLiteral("&OK"));
    auto* settingsButton = MakeButton(this, "cmdSettings", QStringLiteral("&Settings"));
    auto* printButton = MakeButton(this, "cmdPrint", QStringLiteral("&Print"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {calculateButton, okButton, settingsButton, printButton})
        buttons->addWidget(button);

    formLayout()->addLayout(period_);
    formLayout()->addLayout(columns);
    formLayout()->addSpacing(8);
    formLayout()->addLayout(buttons);

    settingsPanel_ = new SetupPanel(this, SetupPanel::Columns::Payroll);
    connect(settingsPanel_, &SetupPanel::confirmed, this, &PayeScreen::saveSettings);
    // However the panel goes ("O&K", "&Cancel", Esc), the buttons it held off come back.
    connect(settingsPanel_, &OverlayPanel::hidden, this, [this] { setMainButtonsEnabled(true); });
    buildPrintPanel();

    connect(calculateButton, &QPushButton::clicked, this, &PayeScreen::calculate);
    connect(okButton, &QPushButton::clicked, this, &CalculatorWindow::closeScreen);
    connect(settingsButton, &QPushButton::clicked, this, &PayeScreen::showSettingsPanel);
    setUpPrinting(printButton, printOptions_);
}

NumberBox* PayeScreen::addAmount(QGridLayout* grid, const PayeBoxSpec& field, double& target)
{
    // No amount of pay, contribution or allowance is below 0: the box refuses a minus sign. A
    // box of whole rands still takes cents, as the payroll file and revora-calc do.
    auto* box = MakeNumberBox(this, {.name = field.name,
                                     .kind = NumberBox::Kind::Decimal,
                                     .decimals = field.decimals,
                                     .store = Into(target),
                                     .minimumWidth = 120,
                                     .tidy = Tidy::Own});
    box->setValue(target);
    AddGridRow(grid, this, field.caption, box);
    typed_ << box;
    return box;
}

NumberBox* PayeScreen::addCount(QGridLayout* grid, const PayeBoxSpec& field, std::int16_t& target, std::int16_t most,
                                const std::optional<PayeRefusal>& tooMany)
{
    auto* box = MakeNumberBox(this, {.name = field.name,
                                     .kind = NumberBox::Kind::Whole,
                                     .decimals = 0,
                                     .store = [&target](double value) {
                                         target = RoundHalfEvenToInt16(value).value_or(target);
                                     },
                                     .accepts = CountAtMost(most),
                                     .minimumWidth = 60,
                                     .tidy = Tidy::Own});
    box->setValue(target);
    AddGridRow(grid, this, field.caption, box);
    typed_ << box;
    if (tooMany)
        connect(box, &NumberBox::refused, this, [this, refusal = *tooMany] {
            QMessageBox::warning(this, QString::fromStdString(refusal.title), QString::fromStdString(refusal.message));
        });
    return box;
}

NumberBox* PayeScreen::addAge(QGridLayout* grid, const PayeBoxSpec& field, std::int16_t& target)
{
    return addCount(grid, field, target, MostAge,
                    PayeRefusal{std::string(AgeLimitTitle), std::string(AgeLimitMessage), PayeFocus::Calculate});
}

PayeRefusal PayeScreen::tooManyBeneficiaries(std::int16_t most) const
{
    return {windowTitle().toStdString(), TooManyBeneficiariesMessage(most), PayeFocus::Beneficiaries};
}

NumberBox* PayeScreen::addResult(QGridLayout* grid, const char* name, const char* caption)
{
    NumberBox* box = MakeResultBox(this, QString::fromUtf8(name), 2, LargestResult, 120);
    AddGridRow(grid, this, caption, box);
    return box;
}

DateBox* PayeScreen::addDate(QGridLayout* grid, const char* name, const char* caption, int& target)
{
    auto* box = new DateBox(this);
    box->setObjectName(name);
    box->setMaximumWidth(120);
    box->setDate(target);
    AddGridRow(grid, this, caption, box);
    typed_ << box;
    dates_.append({box, &target});
    connect(box, &DateBox::dateEdited, this, [&target](int day) { target = day; });
    return box;
}

void PayeScreen::orderTabs(const QList<QWidget*>& first)
{
    QList<QWidget*> order = first;
    for (QWidget* box : typed_)
        if (!order.contains(box))
            order << box;
    order << calculateButton_;
    ChainTabOrder(order);
}

void WatchPayeDates(QWidget* screen, DateBox* start, DateBox* end, const TaxYearChoice& years)
{
    const auto refuseStart = [screen, start, &years] {
        QMessageBox::critical(screen, QStringLiteral("Incorrect Date"),
                              QString::fromStdString(OutsideYearMessage(years.Current())));
        start->setFocus();
    };
    const auto refuseEnd = [screen, start, end, &years] {
        QMessageBox::critical(
            screen, QStringLiteral("Incorrect Date"),
            QString::fromStdString(EndBeforeStartMessage(start->text().toStdString(), years.Current())));
        end->setFocus();
    };
    // A text that is no date ("31/04/2015") is said to be none: a range message would send the
    // user looking for a date inside the range already.
    const auto notADate = [screen, &years](DateBox* box, const QString& typed) {
        QMessageBox::critical(screen, QStringLiteral("Incorrect Date"),
                              QString::fromStdString(NotADateMessage(typed.toStdString(), years.Current())));
        box->setFocus();
    };
    QObject::connect(start, &DateBox::invalidDateRejected, screen,
                     [notADate, start](const QString& typed) { notADate(start, typed); });
    QObject::connect(start, &DateBox::outOfRangeRejected, screen, refuseStart);
    QObject::connect(end, &DateBox::invalidDateRejected, screen,
                     [notADate, end](const QString& typed) { notADate(end, typed); });
    QObject::connect(end, &DateBox::outOfRangeRejected, screen, refuseEnd);
}

void BoundPayeDates(DateBox* start, DateBox* end, const TaxYear& year)
{
    start->setBounds(year.Start, year.End);
    end->setBounds(year.Start, year.End);
}

void PayeScreen::watchDates(DateBox* start, DateBox* end)
{
    startDate_ = start;
    endDate_ = end;
    WatchPayeDates(this, start, end, years_);
    BoundPayeDates(start, end, year());
}

PayeSettings PayeScreen::settingsOn(int payDay) const
{
    // Only the year's own published figures follow its pay dates (the ceiling that changed on
    // 1 June 2021); the main window makes stored published figures follow a change of year, and
    // a figure the user typed stands, even one another year published.
    return LeviesForYear(settings_, year(), payDay, std::span<const TaxYear>(&year(), 1));
}

void PayeScreen::yearChanged()
{
    // The dates are the one thing typed that a change of year alters: kept, they would lie
    // outside the bounds of their own boxes, and no calculation could take them.
    for (const auto& [box, day] : dates_) {
        *day = MoveIntoTaxYear(box->date(), year());
        box->setDate(*day);
    }
    if (startDate_)
        BoundPayeDates(startDate_, endDate_, year());
    // Figures shown always come with their working.
    if (!working().Empty())
        calculate();
    else
        clearResults();
}

void PayeScreen::buildPrintPanel()
{
    printOptions_ = new PrintPanel(this);
    printOptions_->setObjectName("fraPrint");
    employeeName_ = AddNameRow(printOptions_->contentLayout(), this, "Text1", "Employee name : ", EmployeeNameLength);
    englishPrint_ = new QRadioButton(QStringLiteral("&English print"), this);
    englishPrint_->setObjectName("Option1");
    englishPrint_->setChecked(true);
    afrikaansPrint_ = new QRadioButton(QStringLiteral("&Afrikaans print"), this);
    afrikaansPrint_->setObjectName("Option2");
    auto* languages = new QHBoxLayout;
    languages->addWidget(englishPrint_);
    languages->addWidget(afrikaansPrint_);
    languages->addStretch();
    printOptions_->contentLayout()->addLayout(languages);
    // The working follows the printout's language.
    connect(afrikaansPrint_, &QRadioButton::toggled, this, &CalculatorWindow::workingChanged);
}

PrintLanguage PayeScreen::printLanguage() const
{
    return afrikaansPrint_->isChecked() ? PrintLanguage::Afrikaans : PrintLanguage::English;
}

QString PayeScreen::employeeName() const { return employeeName_->text(); }

void PayeScreen::open()
{
    readSettings();
    settingsPanel_->setSettings(WithPayrollPart(PackageSettings{}, settings_));
    calculate();
}

void PayeScreen::readSettings()
{
    try {
        settings_ = PayrollPart(inForce_.read(program().Paths));
        settingsUnreadable_ = false;
    } catch (const StorageError& e) {
        // The screen still works, on the rates it had (the usual ones at first), and the user
        // knows which file failed; a message at every calculation would tell nothing new.
        if (!settingsUnreadable_)
            showError(QStringLiteral("Settings"), e.message());
        settingsUnreadable_ = true;
    }
}

void PayeScreen::setMainButtonsEnabled(bool enabled)
{
    for (const char* name : {"cmdOk", "cmdCalculate", "cmdSettings", "cmdPrint"})
        findChild<QPushButton*>(name)->setEnabled(enabled);
}

void PayeScreen::showSettingsPanel()
{
    // The panel shows the row as stored now, whoever saved it last.
    readSettings();
    settingsPanel_->setSettings(WithPayrollPart(PackageSettings{}, settings_));
    setMainButtonsEnabled(false);
    settingsPanel_->open();
}

void PayeScreen::saveSettings()
{
    settings_ = PayrollPart(settingsPanel_->edit().over(WithPayrollPart(PackageSettings{}, settings_)));
    settingsPanel_->saveEdit(inForce_, program().Paths);
    calculate();
}

QWidget* PayeScreen::focusFor(PayeFocus focus) const
{
    switch (focus) {
    case PayeFocus::Calculate:
        return calculateButton_;
    case PayeFocus::StartDate:
        return startDate_;
    case PayeFocus::EndDate:
        return endDate_;
    case PayeFocus::Pension:
        return pensionBox_;
    default:
        return nullptr;
    }
}

void PayeScreen::refuse(const PayeRefusal& refusal)
{
    clearResults();
    QMessageBox::critical(this, QString::fromStdString(refusal.title), QString::fromStdString(refusal.message));
    if (QWidget* target = focusFor(refusal.focus))
        target->setFocus(Qt::OtherFocusReason);
}

bool PayeScreen::refusedContributions(const PayeInputs& inputs)
{
    const auto refusal = CheckContributions(inputs, settings_.TAIncRate8020);
    if (refusal)
        refuse(*refusal);
    return refusal.has_value();
}

void PayeScreen::printRow(const char* table, const char* layout, const char* title, const ReportRow& row)
{
    printOneRowReport({QString::fromUtf8(table), QString::fromUtf8(layout), QString::fromUtf8(title) + ExportHint},
                      row);
}

} // namespace revora
