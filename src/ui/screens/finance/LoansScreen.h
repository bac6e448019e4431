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

    OverlayPanel* gridPanel() const { return fraGrid_; }
    QTableWidget* grid() const { return grid_; }
    // Made by the first "Annual &Graph" and kept for the next; null before.
    LoanGraphWindow* graphWindow() const { return graph_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    FinanceState& state() { return state_; }
    FinanceState& state_; // the domain's values, kept by the program beyond the screen

    LoanState& loan() { return state().Loans; }

    NumberBox* inputBox(const char* name, int decimals, double LoanState::*field);
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

    NumberBox* numPrinAmount_ = nullptr;
    NumberBox* numPeriod_ = nullptr;
    NumberBox* numIntRate_ = nullptr;
    NumberBox* numMonRePay_ = nullptr;
    NumberBox* numAns1_ = nullptr;
    NumberBox* numAns2_ = nullptr;
    QLabel* lblAns1_ = nullptr;
    QLabel* lblAns2_ = nullptr;
    QLabel* lblMode_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QList<QRadioButton*> modes_;

    QPushButton* cmdCalculate_ = nullptr;
    QPushButton* cmdFinCharge_ = nullptr;
    QPushButton* cmdMonAmort_ = nullptr;
    QPushButton* cmdAnnAmort_ = nullptr;
    QPushButton* cmdLoanGraph_ = nullptr;
    QPushButton* cmdPrint_ = nullptr;
    QPushButton* cmdOk_ = nullptr;

    OverlayPanel* fraGrid_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QPushButton* cmdGridClose_ = nullptr;

    PrintPanel* fraPrint_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QGroupBox* fraAmort_ = nullptr;
    QRadioButton* optAnnual_ = nullptr;
    QRadioButton* optMonthly_ = nullptr;

    LoanGraphWindow* graph_ = nullptr;
};

} // namespace revora
