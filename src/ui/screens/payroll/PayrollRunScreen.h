#pragma once
// The payroll run screen: a pay period's employees from a CSV file, every employee's figures
// in a grid and the totals the employer declares for the month (EMP201), worked off the
// window's thread so that a large file never freezes the program, and printed as a summary or
// as every employee's payslip.

#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

#include "CalculatorWindow.h"
#include "payroll/MonthlyPaye.h"
#include "payroll/PayrollRun.h"

class QComboBox;
class QElapsedTimer;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableView;
class QThread;
class QTimer;

namespace revora {

class DateBox;
class PayrollGridModel;

class PayrollRunScreen : public CalculatorWindow {
    Q_OBJECT
public:
    explicit PayrollRunScreen(ProgramValues& program, QWidget* parent = nullptr);
    ~PayrollRunScreen() override;

    // The run shown is the one printed: there is nothing to work again, only whether there is
    // a run to print.
    bool calculate() override { return hasRun_; }
    void printReport() override;
    // A run of the year before is worked again in the new year when its dates lie in it, and
    // cleared otherwise; a run under way stops.
    void yearChanged() override;
    void settingsChanged() override { yearChanged(); } // the run is worked on the Setup rates
    PrintLanguage workingLanguage() const override;
    QSize sizeHint() const override;

    // Reads the file at `path` and works the run of the chosen period; the grid shows it when
    // it is done. A refused file is told in a message and the run shown before stays.
    void openFile(const QString& path);
    bool isRunning() const { return job_ != nullptr; }
    bool busy() const override { return printing_; }
    // "Save template…" to `path`: the chosen period's header line. A failure is told in a
    // message naming the file.
    bool saveTemplate(const QString& path);
    // Stops the run under way, the grid keeping what it showed before the run; or the
    // payslips being rendered, printing none.
    void cancelRun();

    PayPeriod period() const;
    const std::vector<PayrollEmployee>& employees() const { return employees_; }
    const PayrollRun& run() const { return run_; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // A run or a list of payslips that ends within this time shows no progress bar: it would
    // only flicker.
    static constexpr int ProgressDelayMs = 300;

    struct Job;

    void buildForm();
    void buildPrintPanel();
    // Works the file again under the choices now on the screen (the grid was cleared first).
    void rerun();
    void start(const QString& path, bool clearFirst);
    void finish();
    void showProgress();
    void showRun(Job& job);
    void showBar(std::size_t total, std::size_t done, bool cancellable);
    void hideBar();
    void clearRun();
    void setInputsEnabled(bool enabled);
    void chooseFile();
    void chooseTemplateFile();

    std::vector<PayrollEmployee> employees_;
    PayrollRun run_;
    PayPeriod runPeriod_ = PayPeriod::Monthly;
    PayeSettings runSettings_; // the rates the run was worked on, which its payslips print
    bool hasRun_ = false;
    bool printing_ = false;          // the payslips are being rendered
    bool payslipsCancelled_ = false;
    bool yearPending_ = false; // the year changed while the payslips were written
    QString path_;   // the file of the run shown, or last worked under a new period
    QString folder_; // where the file dialogs open

    MonthlyPeriod month_; // the dates of the monthly rows without their own
    QComboBox* period_;
    QLabel* startLabel_;
    DateBox* start_;
    QLabel* endLabel_;
    DateBox* end_;
    QPushButton* open_;
    QPushButton* rerun_;
    QPushButton* template_;
    QPushButton* print_;
    QTableView* grid_;
    PayrollGridModel* model_;
    QLineEdit* employeesTotal_;
    QLineEdit* payeTotal_;
    QLineEdit* uifTotal_;
    QLineEdit* sdlTotal_;
    QLineEdit* emp201Total_;
    QLabel* status_;
    QProgressBar* progress_;
    QPushButton* cancel_;
    QRadioButton* summary_ = nullptr;
    QRadioButton* payslips_ = nullptr;
    QRadioButton* english_ = nullptr;
    QRadioButton* afrikaans_ = nullptr;

    std::shared_ptr<Job> job_; // the run under way, shared with its thread
    QThread* thread_ = nullptr;
    QPointer<QWidget> focusBefore_;
    QTimer* progressTimer_;
    std::unique_ptr<QElapsedTimer> elapsed_;
};

} // namespace revora
