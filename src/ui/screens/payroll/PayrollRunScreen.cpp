#include "payroll/PayrollRunScreen.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QPointer>
#include <QProgressBar>
#include <QRadioButton>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <QTableView>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <climits>
#include <new>

#include "DateBox.h"
#include "FormKit.h"
#include "PayrollCsv.h"
#include "PayrollFile.h"
#include "PayrollPrintout.h"
#include "PrintPanel.h"
#include "SetupSettings.h"
#include "WholeFile.h"
#include "common/AmountFormat.h"
#include "payroll/PayeScreen.h"
#include "payroll/PayrollGridModel.h"
#include "payroll/PublishedLevies.h"
#include "tax/TaxYearRules.h"

namespace revora {

namespace {

constexpr int ProgressTickMs = 50;

// What the file dialogs look for.
const QString CsvFilter = QStringLiteral("Payroll files (*.csv);;All files (*)");

// A file's messages quote its values and its name as they are: shown as text, never as markup,
// with their control characters spelt out (`spelt` when the text has them spelt out already,
// one message a line).
void Warn(QWidget* parent, const QString& title, const QString& text, bool spelt = false)
{
    QMessageBox box(QMessageBox::Warning, title, spelt ? text : MessageText(text), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool IsCsv(const QString& path) { return path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive); }

} // namespace

// One run's work, shared by the window and the thread that does it. The thread alone writes
// the results; the window reads them once the thread has finished. The counts and the cancel
// flag cross between the two while it runs.
struct PayrollRunScreen::Job {
    QString path;
    std::string shownName;
    PayPeriod period = PayPeriod::Monthly;
    MonthlyPeriod month;
    TaxYear year; // its own copy: the program's years may be read again while it works
    PayeSettings settings; // the stored ones, then the run's: a monthly run's levies are its month's
    bool clearFirst = false; // a new period's or new dates' run: the grid was emptied for it

    std::atomic<bool> cancel{false};
    std::atomic<std::size_t> total{0}; // the file's employees, once read
    std::atomic<std::size_t> done{0};

    QString failure; // the file could not be read: the message
    PayrollCsv csv;
    PayrollRun run;

    void work()
    {
        try {
            const PayrollFileBytes file =
                ReadPayrollFile(QFile::encodeName(path).toStdString(), QDir::toNativeSeparators(path).toStdString());
            failure = QString::fromStdString(file.refusal);
            if (!failure.isEmpty())
                return;
            csv = ReadPayrollCsv(shownName, file.bytes, period, month, year);
            CheckPayrollContributions(csv, shownName, settings.TAIncRate8020);
            if (!csv.Refusals.empty() || cancel)
                return;
            settings = LeviesForYear(settings, year, RunPayDay(period, csv.Employees, year), {&year, 1});
            total = csv.Employees.size();
            run = RunPayroll(period, csv.Employees, settings, year, [this](std::size_t employees) {
                done = employees;
                return !cancel;
            });
        } catch (const std::bad_alloc&) {
            failure = QStringLiteral("%1: too large to be read into memory").arg(QDir::toNativeSeparators(path));
        } catch (const std::exception& e) {
            // Nothing may escape a thread: the program would end.
            failure = QStringLiteral("%1: cannot be read (%2)").arg(QDir::toNativeSeparators(path), e.what());
        }
    }
};

PayrollRunScreen::PayrollRunScreen(ProgramValues& program, QWidget* parent)
    : CalculatorWindow(program, parent), elapsed_(std::make_unique<QElapsedTimer>())
{
    setObjectName("frmPayrollRun");
    setWindowTitle(QStringLiteral("Payroll run"));
    setAcceptDrops(true);
    fillWindow();
    buildForm();
    buildPrintPanel();

    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(ProgressTickMs);
    connect(progressTimer_, &QTimer::timeout, this, &PayrollRunScreen::showProgress);
    setInputsEnabled(true);
}

PayrollRunScreen::~PayrollRunScreen()
{
    // A run under way stops at its next count (a few hundred employees at most) and is waited
    // for: its thread reads the job this window owns a share of, and must not outlive it.
    if (thread_) {
        job_->cancel = true;
        thread_->disconnect(this);
        thread_->wait();
        delete thread_;
    }
}

void PayrollRunScreen::buildForm()
{
    period_ = new QComboBox(this);
    period_->setObjectName("cboPeriod");
    for (const char* caption : PayPeriodNames) // in the order of PayPeriod
        period_->addItem(QString::fromUtf8(caption));
    month_ = FirstMonthOf(program().Year.Current());
    start_ = new DateBox(this);
    start_->setObjectName("dtMStartDate");
    start_->setDate(month_.StartDate);
    start_->setMaximumWidth(120);
    end_ = new DateBox(this);
    end_->setObjectName("dtMEndDate");
    end_->setDate(month_.EndDate);
    end_->setMaximumWidth(120);
    WatchPayeDates(this, start_, end_, program().Year);
    BoundPayeDates(start_, end_, program().Year.Current());
    auto* choices = new QHBoxLayout;
    choices->addWidget(MakeLabel(this, "Pa&y period", period_));
    choices->addWidget(period_);
    choices->addSpacing(16);
    startLabel_ = MakeLabel(this, "&Start date", start_);
    endLabel_ = MakeLabel(this, "&End date", end_);
    for (QWidget* widget : {static_cast<QWidget*>(startLabel_), static_cast<QWidget*>(start_),
                            static_cast<QWidget*>(endLabel_), static_cast<QWidget*>(end_)})
        choices->addWidget(widget);
    choices->addStretch();

    model_ = new PayrollGridModel(this);
    auto* sorted = new QSortFilterProxyModel(this);
    sorted->setSourceModel(model_);
    sorted->setSortRole(Qt::UserRole);
    grid_ = new QTableView(this);
    grid_->setObjectName("tvwPayroll");
    grid_->setModel(sorted);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setAlternatingRowColors(true);
    grid_->setWordWrap(false);
    // The file's order until a column is clicked; the row numbers stay the employees' own.
    grid_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    grid_->setSortingEnabled(true);
    grid_->horizontalHeader()->setSectionResizeMode(PayrollGridModel::Employee, QHeaderView::Stretch);
    grid_->horizontalHeader()->setMinimumSectionSize(60);
    const int moneyWidth = grid_->fontMetrics().horizontalAdvance(QStringLiteral("99 999 999.99")) + 24;
    for (int column = PayrollGridModel::Gross; column < PayrollGridModel::Columns; ++column)
        grid_->setColumnWidth(column, moneyWidth);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 8);
    grid_->setMinimumSize(480, 160);

    // The totals, captions above figures, under the grid's figures; never sorted among them.
    auto* totals = new QGridLayout;
    totals->setColumnStretch(0, 1);
    const auto addTotal = [this, totals, moneyWidth](int column, const char* name, const char* caption) {
        auto* box = new QLineEdit(this);
        box->setObjectName(name);
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::ClickFocus);
        box->setAlignment(Qt::AlignRight);
        box->setMinimumWidth(moneyWidth);
        auto* label = new QLabel(QString::fromUtf8(caption), this);
        totals->addWidget(label, 0, column, Qt::AlignRight | Qt::AlignBottom);
        totals->addWidget(box, 1, column);
        return box;
    };
    employeesTotal_ = addTotal(1, "txtEmployees", "Employees");
    employeesTotal_->setMinimumWidth(grid_->fontMetrics().horizontalAdvance(QStringLiteral("999 999")) + 16);
    payeTotal_ = addTotal(2, "txtPAYE", "PAYE");
    uifTotal_ = addTotal(3, "txtUIF", "UIF (employee and employer)");
    sdlTotal_ = addTotal(4, "txtSDL", "SDL");
    emp201Total_ = addTotal(5, "txtEMP201", "EMP201 total");
    QFont bold = emp201Total_->font();
    bold.setBold(true);
    emp201Total_->setFont(bold);

    status_ = new QLabel(QStringLiteral("Open a CSV file of the period's employees, or drop one here."), this);
    status_->setObjectName("lblStatus");
    status_->setTextFormat(Qt::PlainText);
    progress_ = new QProgressBar(this);
    progress_->setObjectName("prgRun");
    progress_->setMaximumWidth(240);
    progress_->hide();
    cancel_ = MakeButton(this, "cmdCancelRun", QStringLiteral("&Cancel"));
    cancel_->setCursor(Qt::ArrowCursor); // the one control to reach while the run works
    cancel_->hide();
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(status_, 1);
    statusRow->addWidget(progress_);
    statusRow->addWidget(cancel_);

    open_ = MakeButton(this, "cmdOpen", QStringLiteral("&Open…"));
    rerun_ = MakeButton(this, "cmdRun", QStringLiteral("&Run"));
    rerun_->setToolTip(QStringLiteral("Reads the file again and works it on the choices shown"));
    template_ = MakeButton(this, "cmdTemplate", QStringLiteral("Save &template…"));
    print_ = MakeButton(this, "cmdPrint", QStringLiteral("&Print"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {open_, rerun_, template_, print_})
        buttons->addWidget(button);
    buttons->addStretch();

    formLayout()->addLayout(choices);
    formLayout()->addWidget(grid_, 1);
    formLayout()->addLayout(totals);
    formLayout()->addLayout(statusRow);
    formLayout()->addLayout(buttons);
    ChainTabOrder({period_, start_, end_, open_, rerun_, template_, print_, grid_, cancel_});

    connect(period_, &QComboBox::currentIndexChanged, this, [this] {
        const bool monthly = period() == PayPeriod::Monthly;
        for (QWidget* widget : {static_cast<QWidget*>(startLabel_), static_cast<QWidget*>(start_),
                                static_cast<QWidget*>(endLabel_), static_cast<QWidget*>(end_)})
            widget->setVisible(monthly);
        rerun();
    });
    const auto datesEdited = [this] {
        month_ = {start_->date(), end_->date()};
        // A monthly run's rows without dates were worked on the dates before.
        if (hasRun_) {
            clearRun();
            status_->setText(QStringLiteral("The dates have changed: Run works the file on them."));
        }
    };
    connect(start_, &DateBox::dateEdited, this, datesEdited);
    connect(end_, &DateBox::dateEdited, this, datesEdited);
    connect(open_, &QPushButton::clicked, this, &PayrollRunScreen::chooseFile);
    connect(rerun_, &QPushButton::clicked, this, [this] { start(path_, false); });
    connect(template_, &QPushButton::clicked, this, &PayrollRunScreen::chooseTemplateFile);
    connect(cancel_, &QPushButton::clicked, this, &PayrollRunScreen::cancelRun);
}

QSize PayrollRunScreen::sizeHint() const
{
    // Room for every column of the grid and a dozen rows; the window then grows with the grid.
    const QSize least = CalculatorWindow::sizeHint();
    int columns = grid_->verticalHeader()->sizeHint().width() + grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int column = PayrollGridModel::Gross; column < PayrollGridModel::Columns; ++column)
        columns += grid_->columnWidth(column);
    columns += 240; // the employee's name
    return {std::max(least.width(), columns + 24), std::max(least.height(), 600)};
}

PayPeriod PayrollRunScreen::period() const { return static_cast<PayPeriod>(period_->currentIndex()); }

PrintLanguage PayrollRunScreen::workingLanguage() const
{
    return afrikaans_->isChecked() ? PrintLanguage::Afrikaans : PrintLanguage::English;
}

void PayrollRunScreen::setInputsEnabled(bool enabled)
{
    for (QWidget* input : {static_cast<QWidget*>(period_), static_cast<QWidget*>(start_),
                           static_cast<QWidget*>(end_), static_cast<QWidget*>(open_)})
        input->setEnabled(enabled);
    rerun_->setEnabled(enabled && !path_.isEmpty());
    print_->setEnabled(enabled && hasRun_);
    // A template may be saved while a file is worked, but no dialog opens in the middle of the
    // payslips.
    template_->setEnabled(!printing_);
    // Enter works the open file again, or opens one when there is none.
    rerun_->setDefault(!path_.isEmpty());
    open_->setDefault(path_.isEmpty());
}

void PayrollRunScreen::chooseFile()
{
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Open a payroll file"), folder_, CsvFilter);
    if (!path.isEmpty())
        openFile(path);
}

void PayrollRunScreen::openFile(const QString& path) { start(path, false); }

void PayrollRunScreen::rerun()
{
    // Never a grid of one period's run under another period's choice: it goes first, and the
    // file is worked again under the new choice (its rows may now be refused).
    clearRun();
    if (!path_.isEmpty())
        start(path_, true);
}

void PayrollRunScreen::start(const QString& path, bool clearFirst)
{
    // One run at a time, and none while the payslips are rendered from the run shown.
    if (job_ || printing_ || path.isEmpty())
        return;
    folder_ = QFileInfo(path).absolutePath();
    const TaxYear& year = program().Year.Current();
    if (period() == PayPeriod::Monthly) {
        if (const auto refusal = CheckMonthlyPeriod(month_, year)) {
            QMessageBox::critical(this, QString::fromStdString(refusal->title),
                                  QString::fromStdString(refusal->message));
            (refusal->focus == PayeFocus::EndDate ? end_ : start_)->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    auto job = std::make_shared<Job>();
    job->path = path;
    job->shownName = QFileInfo(path).fileName().toStdString();
    job->period = period();
    job->month = month_;
    job->year = year;
    job->clearFirst = clearFirst;
    // The settings database is read here, on the window's thread, whose connection it is.
    try {
        job->settings = ReadPayeSettings(program().Paths);
    } catch (const StorageError& e) {
        showError(QStringLiteral("Settings"), e.message());
        return;
    }

    job_ = job;
    printPanel()->hide();
    // The inputs are disabled while the run works, and the focus would move on to the next
    // button; it comes back where it was.
    focusBefore_ = focusWidget();
    thread_ = QThread::create([job] { job->work(); });
    connect(thread_, &QThread::finished, this, &PayrollRunScreen::finish);
    setInputsEnabled(false);
    setCursor(Qt::BusyCursor);
    status_->setText(QStringLiteral("Working %1…").arg(QFileInfo(path).fileName()));
    elapsed_->start();
    progressTimer_->start();
    thread_->start();
}

void PayrollRunScreen::showProgress()
{
    if (!job_ || elapsed_->elapsed() < ProgressDelayMs)
        return;
    showBar(job_->total, job_->done, !job_->cancel);
}

void PayrollRunScreen::showBar(std::size_t total, std::size_t done, bool cancellable)
{
    // Until the file is read the bar only says that work goes on.
    progress_->setRange(0, total ? static_cast<int>(std::min<std::size_t>(total, INT_MAX)) : 0);
    progress_->setValue(static_cast<int>(std::min<std::size_t>(done, INT_MAX)));
    if (!progress_->isVisible()) {
        progress_->show();
        cancel_->show();
        cancel_->setEnabled(cancellable);
    }
}

void PayrollRunScreen::hideBar()
{
    progress_->hide();
    cancel_->hide();
    unsetCursor();
}

void PayrollRunScreen::cancelRun()
{
    if (printing_)
        payslipsCancelled_ = true;
    else if (job_)
        job_->cancel = true;
    else
        return;
    cancel_->setEnabled(false);
    status_->setText(QStringLiteral("Cancelling…"));
}

void PayrollRunScreen::finish()
{
    thread_->wait();
    thread_->deleteLater();
    thread_ = nullptr;
    const std::shared_ptr<Job> job = std::move(job_);
    progressTimer_->stop();
    hideBar();

    const QString name = QString::fromStdString(job->shownName);
    if (job->cancel || job->run.Cancelled) {
        status_->setText(hasRun_ ? QStringLiteral("The run of %1 was cancelled: the grid shows the run before it.").arg(name)
                                 : QStringLiteral("The run of %1 was cancelled.").arg(name));
    } else if (!job->failure.isEmpty()) {
        status_->setText(QStringLiteral("%1 was not read.").arg(name));
        Warn(this, QStringLiteral("Payroll file"), job->failure);
    } else if (!job->csv.Refusals.empty()) {
        // The whole file is refused, in the words revora-calc uses: the lines at fault and
        // how many more.
        status_->setText(QStringLiteral("%1 was refused.").arg(name));
        Warn(this, QStringLiteral("Payroll file"), Text(PayrollCsvRefusalText(job->csv)), true);
    } else if (job->run.TooLarge) {
        status_->setText(QStringLiteral("%1 was refused.").arg(name));
        Warn(this, QStringLiteral("Payroll file"), QStringLiteral("%1: the run's totals are too large to add up").arg(name));
    } else {
        path_ = job->path;
        showRun(*job);
        status_->setText(QStringLiteral("%1: %2 employees, %3.")
                             .arg(name)
                             .arg(run_.Totals.Employees)
                             .arg(period_->currentText().toLower()));
    }
    // A new period's file stays the open one though refused: the period may be changed back.
    if (job->clearFirst)
        path_ = job->path;
    setInputsEnabled(true);
    if (focusBefore_ && focusBefore_->isEnabled() && focusBefore_->isVisible())
        focusBefore_->setFocus(Qt::OtherFocusReason);
}

void PayrollRunScreen::showRun(Job& job)
{
    employees_ = std::move(job.csv.Employees);
    run_ = std::move(job.run);
    runPeriod_ = job.period;
    runSettings_ = job.settings;
    hasRun_ = true;
    model_->show(&employees_, &run_);
    const PayrollTotals& t = run_.Totals;
    employeesTotal_->setText(Text(FormatAmount(static_cast<double>(t.Employees), 0)));
    payeTotal_->setText(Money(t.PAYECents));
    uifTotal_->setText(Money(t.UIFCents));
    sdlTotal_->setText(Money(t.SDLCents));
    emp201Total_->setText(Money(t.EMP201Cents()));
}

void PayrollRunScreen::clearRun()
{
    model_->show(nullptr, nullptr);
    employees_.clear();
    run_ = {};
    hasRun_ = false;
    for (QLineEdit* box : {employeesTotal_, payeTotal_, uifTotal_, sdlTotal_, emp201Total_})
        box->clear();
    if (printPanel())
        printPanel()->hide();
    setInputsEnabled(!job_);
}

void PayrollRunScreen::chooseTemplateFile()
{
    const QString suggested =
        QDir(folder_).filePath(QStringLiteral("payroll-%1.csv").arg(period_->currentText().toLower()));
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save template"), suggested, CsvFilter);
    if (path.isEmpty())
        return;
    folder_ = QFileInfo(path).absolutePath();
    saveTemplate(path);
}

bool PayrollRunScreen::saveTemplate(const QString& path)
{
    // Written whole or not at all: a file that was there stays as it was on a failure.
    QString why;
    if (WriteWholeFile(path, QByteArray::fromStdString(PayrollCsvHeader(period()) + '\n'), &why))
        return true;
    Warn(this, QStringLiteral("Save template"),
         QStringLiteral("%1 could not be written (%2)").arg(QDir::toNativeSeparators(path), why));
    return false;
}

void PayrollRunScreen::yearChanged()
{
    const TaxYear& year = program().Year.Current();
    BoundPayeDates(start_, end_, year);
    // The payslips are written from the run shown: they stop first, and the run goes after.
    if (printing_) {
        payslipsCancelled_ = yearPending_ = true;
        return;
    }
    // A run of another year never stays beside the choice of this one: a run under way stops,
    // a run shown is worked again when its dates lie in the year, or else goes.
    const bool datesInYear =
        period() != PayPeriod::Monthly || (InTaxYear(month_.StartDate, year) && InTaxYear(month_.EndDate, year));
    if (job_) {
        job_->cancel = true;
        clearRun();
    } else if (hasRun_ && datesInYear) {
        rerun();
    } else if (hasRun_) {
        clearRun();
        status_->setText(QStringLiteral("The tax year has changed: Run works the file on dates of the year."));
    }
}

void PayrollRunScreen::closeEvent(QCloseEvent* event)
{
    // The payslips are rendered on this window's stack: it stays until they are done or stopped.
    if (printing_) {
        cancelRun();
        event->ignore();
        return;
    }
    CalculatorWindow::closeEvent(event);
}

void PayrollRunScreen::keyPressEvent(QKeyEvent* event)
{
    // Esc stops a run or a printout under way, as "&Cancel" does.
    if ((job_ || printing_) && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancelRun();
        return;
    }
    CalculatorWindow::keyPressEvent(event);
}

void PayrollRunScreen::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!job_ && !printing_ && urls.size() == 1 && urls[0].isLocalFile() && IsCsv(urls[0].toLocalFile()))
        event->acceptProposedAction();
}

void PayrollRunScreen::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (job_ || urls.size() != 1 || !urls[0].isLocalFile())
        return;
    event->acceptProposedAction();
    // The file is opened once the drop is over, so that a message it brings is not shown
    // while the dragging application waits for the drop to end.
    const QString path = urls[0].toLocalFile();
    QTimer::singleShot(0, this, [this, path] { openFile(path); });
}

} // namespace revora
