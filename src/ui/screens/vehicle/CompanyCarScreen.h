#pragma once
// The company car screen: one car of the register at a time, its fields bound to the record
// of CurrentVehicle, the register commands, the results of the last calculation and the
// printout of every car.

#include <optional>
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "CalculatorWindow.h"
#include "vehicle/VehicleState.h"
#include "vehicle/CompanyCar.h"
#include "vehicle/CompanyCarControls.h"

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace revora {

class DateBox;
class NumberBox;

class CompanyCarScreen : public CalculatorWindow {
    Q_OBJECT
public:
    CompanyCarScreen(VehicleState& state, ProgramValues& program, QWidget* parent = nullptr);

    void activated() override;
    bool calculate() override;
    void printReport() override;
    // Every car's dates inside the new year: the figures are worked again in it; otherwise they
    // are cleared.
    void yearChanged() override;

    // The last calculation run, which the printout takes its periodic amounts from.
    const CompCarRun& lastRun() const { return lastRun_; }
    bool endDateInvalid() const { return endDateInvalid_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    VehicleState& state() { return state_; }
    VehicleState& state_; // the domain's values, kept by the program beyond the screen
    // The tax year chosen in the program, which the figures and the dates follow.
    const TaxYear& year() { return program().Year.Current(); }
    // calculate(), saying why it refuses only when `tell` (and the screen is visible).
    bool work(bool tell);

    // What the register holds that cannot be worked: readings that run backwards, dates outside
    // the year, the fuel table in a year without one; the first found, with its title and the box
    // to mend on the car at fault.
    struct Refusal {
        ReadingsRefusal refusal;
        QString title;
        QWidget* mend;
    };
    std::optional<Refusal> firstRefusal();

    CompanyCarRegister& cars() { return state().CompanyCars; }
    // Looked up on every write: Add reallocates the records, so no reference is kept.
    CompanyCarRecord& car() { return state().CompanyCars.Current(); }

    // Building the form.
    QLabel* caption(QGridLayout* grid, int row, const QString& text, QWidget* buddy, const QString& unit = {});
    QLineEdit* textField(QGridLayout* grid, const char* name, const QString& text, std::string CompanyCarRecord::*field);
    NumberBox* amountField(QGridLayout* grid, const char* name, const QString& text, double CompanyCarRecord::*field,
                           const QString& unit = {});
    // A result box as wide as the widest of the figures it can show.
    NumberBox* resultBox(const char* name, int decimals, std::initializer_list<double> widest);
    // A typed amount or distance: at most MostVehicleNumber, refused above it with a message.
    void limitToVehicleNumbers(NumberBox* box, int decimals);
    QCheckBox* flagField(const char* name, const QString& text, std::int16_t CompanyCarRecord::*field);
    DateBox* dateField(QGridLayout* grid, const char* name, const QString& text, int CompanyCarRecord::*field);
    void buildForm();
    QGroupBox* buildVehicle();
    QGroupBox* buildCode3802();
    QGroupBox* buildDistances();
    QGroupBox* buildAdjustment();
    QGroupBox* buildPayroll();
    void watchDates();
    void orderTabs();

    // Showing: the fields exactly as the record holds them, with no write-back while filling.
    void showVehicle();
    void showResults(const CompCarRun& run);
    // After a register command: its run's figures and their working.
    void showAfter(const CompCarRun& run, const CompCarControls& controls, Working working);
    // The one place the enabling tables reach the widgets.
    void applyControls(const CompCarControls& controls);
    void updateTitle();
    // After a register command: a car that cannot be worked (firstRefusal) spoils its own
    // results and the totals of every car; those are emptied (Calculate says why).
    void clearWhatBackwardReadingsSpoil();
    bool hasRegistrationNumber() { return !car().CCRegNumber.empty(); }

    // The register commands.
    void addVehicle();
    void deleteVehicle();
    void back();
    void forward();

    void registrationChanged();
    void sarsTableToggled(bool ticked);
    void autoCalcToggled(bool ticked);

    struct TextBinding {
        QLineEdit* box;
        std::string CompanyCarRecord::*field;
    };
    struct AmountBinding {
        NumberBox* box;
        double CompanyCarRecord::*field;
    };
    struct FlagBinding {
        QCheckBox* box;
        std::int16_t CompanyCarRecord::*field;
    };
    struct DateBinding {
        DateBox* box;
        int CompanyCarRecord::*field;
    };
    std::vector<TextBinding> texts_;
    std::vector<AmountBinding> amounts_;
    std::vector<FlagBinding> flags_;
    std::vector<DateBinding> dates_;
    QList<QWidget*> typed_;    // the inputs in tab order
    QList<QWidget*> governed_; // what CompCarControls::All enables: inputs, captions, results

    QLineEdit* registration_ = nullptr;
    QLabel* registrationCaption_ = nullptr;
    NumberBox* endMileage_ = nullptr;
    NumberBox* employeeFuelPaid_ = nullptr;
    NumberBox* fuelComponent_ = nullptr;
    NumberBox* adjustment_ = nullptr;
    NumberBox* benefitThisCar_ = nullptr;
    NumberBox* benefitsOnIrp5_ = nullptr;
    QCheckBox* sarsFuelTable_ = nullptr;
    QCheckBox* autoSplitBenefits_ = nullptr;
    DateBox* startDate_ = nullptr;
    DateBox* endDate_ = nullptr;

    NumberBox* days_ = nullptr;
    NumberBox* privateDistance_ = nullptr;
    NumberBox* trueInclusion_ = nullptr;
    NumberBox* trueInclusionInResults_ = nullptr;
    NumberBox* fuelClaim_ = nullptr;
    NumberBox* addedExpenses_ = nullptr;
    NumberBox* fuelAndExpenses_ = nullptr;
    NumberBox* sarsAdjustment_ = nullptr;
    NumberBox* totalAdjustment_ = nullptr;
    NumberBox* totalSarsAdjustment_ = nullptr;
    NumberBox* irp5Amount_ = nullptr;
    NumberBox* monthly80_ = nullptr;
    NumberBox* monthly20_ = nullptr;
    NumberBox* fortnightly80_ = nullptr;
    NumberBox* fortnightly20_ = nullptr;
    NumberBox* weekly80_ = nullptr;
    NumberBox* weekly20_ = nullptr;

    QPushButton* addButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QPushButton* forwardButton_ = nullptr;
    QPushButton* calculateButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    PrintPanel* printOptions_ = nullptr;

    CompCarControls controls_{};
    CompCarRun lastRun_;
    bool filling_ = false;        // the fields are being set from a record, not typed
    bool endDateInvalid_ = false; // EndDateInvalid: the end date box refused what was typed
    // The actual fuel typed for a car before its SARS table box was ticked.
    struct KeptFuel {
        std::int16_t vehicle;
        double amount;
    };
    std::optional<KeptFuel> keptFuel_;
};

} // namespace revora
