#pragma once
// The frame the five employees' tax screens share: the employer's settings and their panel,
// the print panel with the employee's name and the print language, the four buttons, the
// opening sequence, the boxes bound to the working values, and the messages of a refused
// calculation. A screen adds its own inputs, results and calculation.

#include <QString>
#include <optional>

#include "payroll/PayeCommon.h"
#include "CalculatorWindow.h"
#include "tax/TaxState.h"
#include "NumberBox.h"
#include "SetupSettings.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace revora {

class DateBox;
class SetupPanel;

// One input box of a screen: its object name, caption and the decimals it shows (an amount
// keeps the cents typed whatever it shows).
struct PayeBoxSpec {
    const char* name;
    const char* caption;
    int decimals = 0;
};

// The date boxes' messages, shown over `screen`: the start box names the tax year (the one chosen
// in `years` when the message is shown), the end box the start date, and a text that is no date
// is said to be none; the focus goes back to the box.
void WatchPayeDates(QWidget* screen, DateBox* start, DateBox* end, const TaxYearChoice& years);
// The boxes take the dates of the year.
void BoundPayeDates(DateBox* start, DateBox* end, const TaxYear& year);

class PayeScreen : public CalculatorWindow {
    Q_OBJECT
public:
    PayeScreen(TaxState& state, ProgramValues& program, const QString& caption, QWidget* parent = nullptr);

    const PayeSettings& settings() const { return settings_; }
    // The tax year the screen works in: the one chosen in the program.
    const TaxYear& year() const { return years_.Current(); }
    // The settings a calculation of the year paid on `payDay` works with: the stored ones, whose
    // UIF and SDL follow the pay date while they are the year's own published figures.
    PayeSettings settingsOn(int payDay) const;

    // The period's dates move into the new year on their own days and months, and figures shown
    // are worked again in it (a refused calculation clears them, so none stands beside inputs
    // of another year).
    void yearChanged() override;
    PrintLanguage printLanguage() const;
    QString employeeName() const;
    // The working is shown and printed in the language chosen for the printout.
    PrintLanguage workingLanguage() const override { return printLanguage(); }

    SetupPanel* settingsPanel() const { return settingsPanel_; }

protected:
    TaxState& state() { return state_; }

    // The period's inputs on top, the rows of inputs on the left and of results on the right,
    // then the buttons.
    QGridLayout* periodGrid() const { return period_; }
    QGridLayout* inputGrid() const { return inputs_; }
    QGridLayout* resultGrid() const { return results_; }

    // A caption and box on the next row of the grid; typing stores the value at once, as typed,
    // cents and all; the box shows it grouped when the edit ends.
    NumberBox* addAmount(QGridLayout* grid, const PayeBoxSpec& field, double& target);
    // A 16-bit count, rounded half to even (the box takes no minus sign); counts above `most`
    // are refused with the title and message of `tooMany`.
    NumberBox* addCount(QGridLayout* grid, const PayeBoxSpec& field, std::int16_t& target, std::int16_t most,
                        const std::optional<PayeRefusal>& tooMany = std::nullopt);
    // The age in whole years, refused above MostAge with the age message.
    NumberBox* addAge(QGridLayout* grid, const PayeBoxSpec& field, std::int16_t& target);
    // The refusal of more beneficiaries than `most`, under the screen's title.
    PayeRefusal tooManyBeneficiaries(std::int16_t most) const;
    NumberBox* addResult(QGridLayout* grid, const char* name, const char* caption);
    DateBox* addDate(QGridLayout* grid, const char* name, const char* caption, int& target);

    // Tab runs through the boxes in the order they were added, these first, then on to the
    // buttons.
    void orderTabs(const QList<QWidget*>& first = {});

    // The date boxes' messages: the start box names the tax year, the end box the start date.
    void watchDates(DateBox* start, DateBox* end);

    // Shows the settings in force on the panel and calculates once: the last step of each
    // screen's constructor, after its boxes show their defaults.
    void open();

    // The settings in force, read afresh before every calculation. When the file cannot be
    // read the screen keeps the rates it last had, and says so once.
    void readSettings();

    // Shows a refused calculation's message, empties the results it would have produced and
    // puts the focus where the message says.
    void refuse(const PayeRefusal& refusal);
    // Pension and R/A above the period's income, at the settings' inclusion rate
    // (CheckContributions): refused as above, focus on the pension box; true when refused.
    bool refusedContributions(const PayeInputs& inputs);
    void setPensionBox(QWidget* box) { pensionBox_ = box; }
    virtual QWidget* focusFor(PayeFocus focus) const;

    // Writes the screen's row and runs its layout, as the print panel asked.
    void printRow(const char* table, const char* layout, const char* title, const ReportRow& row);

private:
    TaxState& state_; // the domain's values, kept by the program beyond the screen
    const TaxYearChoice& years_;

    void buildPrintPanel();
    void showSettingsPanel();
    void saveSettings();
    void setMainButtonsEnabled(bool enabled);

    PayeSettings settings_;
    SettingsInForce inForce_{SettingsInForce::Columns::Payroll};
    bool settingsUnreadable_ = false; // the last reading failed and was reported
    QGridLayout* period_;
    QGridLayout* inputs_;
    QGridLayout* results_;
    SetupPanel* settingsPanel_ = nullptr;
    PrintPanel* printOptions_ = nullptr;
    QLineEdit* employeeName_ = nullptr;
    QRadioButton* englishPrint_ = nullptr;
    QRadioButton* afrikaansPrint_ = nullptr;
    QWidget* calculateButton_ = nullptr;
    DateBox* startDate_ = nullptr; // the period's date boxes, where a screen has them
    DateBox* endDate_ = nullptr;
    QWidget* pensionBox_ = nullptr;
    QList<QWidget*> typed_; // the boxes a user types in, in the order added
    QList<std::pair<DateBox*, int*>> dates_; // each date box and the day it stores into
};

} // namespace revora
