#pragma once
// The travel allowance screen: what may be claimed against a travel allowance for business
// travel in the tax year, by deemed costs (no accurate record kept) or by actual costs.

#include <QList>
#include <array>

#include "CalculatorWindow.h"
#include "vehicle/VehicleState.h"
#include "vehicle/TravelAllowance.h"

class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QCheckBox;
class QStackedWidget;
class QGroupBox;

namespace revora {

class DateBox;
class NumberBox;
class PrintPanel;

class TravelAllowanceScreen : public CalculatorWindow {
    Q_OBJECT
public:
    explicit TravelAllowanceScreen(VehicleState& state, ProgramValues& program, QWidget* parent = nullptr);

    bool calculate() override;
    void printReport() override;
    // Dates inside the new year: the figures are worked again in it; otherwise they are cleared.
    void yearChanged() override;

    const TravelAllowancePeriod& period() const { return period_; }
    const TravelAllowanceResults& results() const { return results_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    VehicleState& state() { return state_; }
    VehicleState& state_; // the domain's values, kept by the program beyond the screen
    // The tax year chosen in the program, which the claim and the dates follow.
    const TaxYear& year() { return program().Year.Current(); }
    // calculate(), saying why it refuses only when `tell` (and the screen is visible).
    bool work(bool tell);

    // One typed amount or distance: its caption, the box, and the rand or km label beside it.
    struct InputRow {
        QWidget* caption = nullptr;
        NumberBox* box = nullptr;
        QWidget* unit = nullptr;
        double* target = nullptr; // where typing stores the value
    };

    QHBoxLayout* buildCarAndMethod();
    void buildInputs(QGridLayout* vehicle, QGridLayout* costs);
    void buildDates(QGridLayout* vehicle);
    void connectCommands(QPushButton* calculateButton, QPushButton* printButton);
    QWidget* buildDeemedPanel();
    QWidget* buildActualPanel();
    void buildPrintPanel();
    void watchDates();
    void watchSinglePayment(NumberBox* box, double& target);
    void load();
    void setRecordKept(bool kept);
    // Which fields are open for each method, and which panel shows its working.
    void applyMethod();
    // The fuel and maintenance boxes, enabled only where they count.
    void enableIncludeChoices();
    void showDeemed(const TravelAllowanceResults& r);
    void clearDeemed();
    void showActual(const TravelAllowanceResults& r);
    bool isInputField(QWidget* widget) const;

    TravelAllowancePeriod period_;
    TravelAllowanceResults results_;

    QLineEdit* carName_ = nullptr;
    QRadioButton* recordKept_ = nullptr;   // "&Yes"
    QRadioButton* noRecordKept_ = nullptr; // "&No"
    QList<InputRow> inputs_;               // silgEdit1 .. silgEdit11, in that order
    NumberBox* periodDays_ = nullptr;
    QCheckBox* includeFuel_ = nullptr;
    QCheckBox* includeMaintenance_ = nullptr;
    DateBox* startDate_ = nullptr;
    DateBox* endDate_ = nullptr;
    QList<QWidget*> dateWidgets_; // the date boxes with their captions
    QStackedWidget* panels_ = nullptr;
    QGroupBox* deemedPanel_ = nullptr;
    QGroupBox* actualPanel_ = nullptr;
    std::array<NumberBox*, 5> deemedKm_{};    // sidbEdit3_0 .. _4
    std::array<NumberBox*, 2> deemedDays_{};  // silgEdit13_4, silgEdit13_6
    std::array<NumberBox*, 5> deemedCents_{}; // sidbEdit1_0 .. _4
    std::array<NumberBox*, 7> actual_{};      // sidbEdit2_0 .. _6
    QPushButton* okButton_ = nullptr;
    PrintPanel* printOptions_ = nullptr;
    QLineEdit* employeeName_ = nullptr;
};

} // namespace revora
