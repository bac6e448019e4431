#pragma once
// The four salary package screens in one: Revora grosses up from the take-home pay required,
// Avanta runs forwards from the total package, each for a year or a month. The employee's side
// of the package on the left, the employer's ("Cost to company") beside it.

#include <array>

#include "package/SalaryPackage.h"
#include "CalculatorWindow.h"
#include "tax/TaxState.h"
#include "NumberBox.h"
#include "SetupSettings.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace revora {

class OverlayPanel;
class PrintPanel;
class SetupPanel;

class SalaryPackageScreen : public CalculatorWindow {
    Q_OBJECT
public:
    SalaryPackageScreen(TaxState& state, ProgramValues& program, PackageKind kind, QWidget* parent = nullptr);

    bool calculate() override;
    void printReport() override;
    // Figures on show are worked again in the new year; a screen showing none stays as it is.
    void yearChanged() override;

    PackageKind kind() const { return kind_; }
    // What was typed; the last calculation worked (and printed) a copy, with the R/A allowed.
    const PackageInputs& inputs() const { return inputs_; }
    const PackageInputs& worked() const { return worked_; }
    const PackageResult& result() const { return result_; }
    const PackageSettings& settings() const { return settings_; }
    SetupPanel* settingsPanel() const { return settingsPanel_; }
    OverlayPanel* raPanel() const { return raPanel_; }

private:
    TaxState& state() { return state_; }
    TaxState& state_; // the domain's values, kept by the program beyond the screen

    // A caption, the employee's box and, where the line has one, the employer's box.
    NumberBox* addLine(const char* caption, const char* name, double& target, const char* ccName = nullptr,
                       double* ccTarget = nullptr, NumberBox::Kind kind = NumberBox::Kind::Decimal);
    NumberBox* addResult(const char* caption, const char* name, const char* ccName = nullptr);
    void buildInputs();
    void buildResults();
    void connectCommands();
    void buildOtherExpenses();
    void buildPanels();
    void showResults();
    void showRAExplained();
    void saveSettings();
    // The settings in force, read afresh; the screen keeps the rates it had when the file
    // cannot be read, and says so once.
    void readSettings();
    // A calculation that did not run: no result box keeps a figure of older inputs.
    void clearAllResults();
    void setButtonsEnabled(const QList<const char*>& names, bool enabled);

    PackageKind kind_;
    PackageInputs inputs_;
    PackageInputs worked_;
    PackageResult result_;
    PackageSettings settings_;
    SettingsInForce inForce_{SettingsInForce::Columns::Package};
    bool settingsUnreadable_ = false;
    bool showsResults_ = false; // the result boxes hold the last calculation's figures
    double ageTyped_ = 0.0;
    double membersTyped_ = 0.0;
    double additionalTyped_ = 0.0;

    QGridLayout* grid_;    // the inputs
    QGridLayout* results_; // the results, beside them
    NumberBox* age_;
    NumberBox* amount_; // numNetMonSalReq
    NumberBox* members_;
    NumberBox* medicalDeduction_;
    NumberBox* raDeduction_;
    QRadioButton* directiveYes_;
    QRadioButton* directiveNo_;
    std::array<QLineEdit*, 4> otherDetails_{};
    NumberBox* pension_;
    NumberBox* employerPension_;
    NumberBox* provident_;
    NumberBox* employerProvident_;
    NumberBox* uif_;
    NumberBox* employerUif_;
    NumberBox* skillsLevy_;
    NumberBox* taxDue_;
    NumberBox* taxCredit_;
    NumberBox* taxDeduction_;
    NumberBox* salary_;
    NumberBox* costToCompany_;
    NumberBox* onceOff_;
    QList<QWidget*> onceOffLine_;
    SetupPanel* settingsPanel_;
    PrintPanel* printOptions_;
    QLineEdit* taxpayerName_;
    OverlayPanel* raPanel_;
    QLabel* lineA_;
    QLabel* lineC_;
    QWidget* separateLimits_; // the panel's lines for a year of separate limits
    QLabel* oneDeduction_;    // its lines for a year of one deduction
};

} // namespace revora
