#pragma once
// The loans screen: of principal, period, rate and monthly repayment one is solved from the
// other three. The four values and the mode are the program's (state().Loans), so they
// outlive the screen; the screen also shows the totals, the monthly or annual schedule in a
// grid, the annual graph, and prints.

#include <QList>

#include "finance/Loan.h"
#include "CalculatorWindow.h"
#include "finance/FinanceState.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace revora {

class LoanGraphWindow;
class NumberBox;
class OverlayPanel;

class LoansScreen : public CalculatorWindow {
    Q_OBJECT
public:
    LoansScreen(FinanceState& state, ProgramValues& program, QWidget* parent = nullptr);

    void activated() override;
    bool calculate() override;
    void printReport() override;

    OverlayPanel* gridPanel() const { return schedulePanel_; }
    QTableWidget* grid() const { return grid_; }
    // Made by the first "Annual &Graph" and kept for the next; null before.
    LoanGraphWindow* graphWindow() const { return graph_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    FinanceState& state() { return state_; }
    FinanceState& state_; // the domain's values, kept by the program beyond the screen

    LoanState& loan() { return state().Loans; }

    // An amount box (`amount`) takes at most the amount limit of the small calculators.
    NumberBox* inputBox(const char* name, int decimals, double LoanState::*field, bool amount = false);
    void buildForm();
    QLayout* buildValues();
    QLayout* buildModes();
    void buildPrintPanel();
    void buildGridPanel();
    void orderTabs();

    // Shows the mode's solved box as a result and the others as inputs.
    void applyMode(LoanMode mode, bool moveFocus);
    void showValues();
    void showTotals();
    // After a solve with no answer: the result boxes empty, "   Error" over a solved rate.
    void showUnsolved();
    void setTotalsVisible(bool shown);
    // The schedules, the graph and the printout are offered only while the loan has an answer:
    // after a solve with none they wait, greyed, until a calculation finds one.
    void offerSchedules();

    void modeChosen(LoanMode mode);
    void toggleTotals();
    void showMonthly();
    void showAnnual();
    // The schedule in the grid panel when the loan has one, else the focus on the principal.
    void showSchedule(bool available, const QStringList& headers,
                      const std::function<std::vector<ScheduleLine>()>& lines);
    void showGraph();
    void closeGrid();
    void fillGrid(const QStringList& headers, const std::vector<ScheduleLine>& lines);
    void refuseRate();
    void refusePeriod();

    NumberBox* principal_ = nullptr;
    NumberBox* months_ = nullptr;
    NumberBox* rate_ = nullptr;
    NumberBox* repayment_ = nullptr;
    NumberBox* totalInterest_ = nullptr;
    NumberBox* totalRepayments_ = nullptr;
    QLabel* totalInterestCaption_ = nullptr;
    QLabel* totalRepaymentsCaption_ = nullptr;
    QLabel* modeShown_ = nullptr;
    QLineEdit* rateError_ = nullptr;
    QList<QRadioButton*> modes_;

    QPushButton* calculateButton_ = nullptr;
    QPushButton* financeChargesButton_ = nullptr;
    QPushButton* monthlyScheduleButton_ = nullptr;
    QPushButton* annualScheduleButton_ = nullptr;
    QPushButton* graphButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* okButton_ = nullptr;

    OverlayPanel* schedulePanel_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QPushButton* closeScheduleButton_ = nullptr;

    PrintPanel* printOptions_ = nullptr;
    QCheckBox* includeSchedule_ = nullptr;
    QGroupBox* scheduleKinds_ = nullptr;
    QRadioButton* annualSchedule_ = nullptr;
    QRadioButton* monthlySchedule_ = nullptr;

    LoanGraphWindow* graph_ = nullptr;
};

} // namespace revora
