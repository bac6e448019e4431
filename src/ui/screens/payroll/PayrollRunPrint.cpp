// The payroll run screen's printing: its print panel, and the summary or every payslip of the
// run shown, the payslips with their progress.

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRadioButton>

#include "PayrollPrintout.h"
#include "PrintPanel.h"
#include "payroll/PayrollRunScreen.h"

namespace revora {

void PayrollRunScreen::buildPrintPanel()
{
    auto* panel = new PrintPanel(this);
    panel->setObjectName("fraPrint");
    // The printouts have no working of their own to add.
    panel->workingBox()->hide();
    summary_ = new QRadioButton(QStringLiteral("The &summary and EMP201 totals"), panel);
    summary_->setObjectName("optSummary");
    summary_->setChecked(true);
    payslips_ = new QRadioButton(QStringLiteral("Every employee's pa&yslip"), panel);
    payslips_->setObjectName("optPayslips");
    english_ = new QRadioButton(QStringLiteral("&English print"), panel);
    english_->setObjectName("Option1");
    english_->setChecked(true);
    afrikaans_ = new QRadioButton(QStringLiteral("&Afrikaans print"), panel);
    afrikaans_->setObjectName("Option2");
    auto* what = new QButtonGroup(panel);
    what->addButton(summary_);
    what->addButton(payslips_);
    auto* language = new QButtonGroup(panel);
    language->addButton(english_);
    language->addButton(afrikaans_);
    auto* languages = new QHBoxLayout;
    languages->addSpacing(20);
    languages->addWidget(english_);
    languages->addWidget(afrikaans_);
    languages->addStretch();
    panel->contentLayout()->addWidget(summary_);
    panel->contentLayout()->addWidget(payslips_);
    panel->contentLayout()->addLayout(languages);
    // The payslips are printed in either language; the summary in English.
    const auto choose = [this] {
        english_->setEnabled(payslips_->isChecked());
        afrikaans_->setEnabled(payslips_->isChecked());
    };
    connect(payslips_, &QRadioButton::toggled, this, choose);
    choose();
    setUpPrinting(print_, panel);
}

void PayrollRunScreen::printReport()
{
    // Never while a run works: its end replaces the employees a printout is made from.
    if (!hasRun_ || job_)
        return;
    if (!payslips_->isChecked()) {
        deliver([this] { return RenderPayrollSummary(program(), runPeriod_, employees_, run_); });
        return;
    }
    // Every employee's payslip, a page each: a long list shows its progress and can be
    // stopped. The window answers (the bar, "&Cancel", Esc) between payslips; nothing else can
    // be started or closed meanwhile.
    printing_ = true;
    payslipsCancelled_ = false;
    setInputsEnabled(false);
    const QString shownBefore = status_->text();
    status_->setText(QStringLiteral("Writing every employee's payslip…"));
    setCursor(Qt::BusyCursor);
    elapsed_->start();
    RenderedReport report;
    QString failure;
    try {
        report = RenderPayslips(program(), runPeriod_, employees_, run_, runSettings_, workingLanguage(),
                                [this](std::size_t done) {
                                    if (elapsed_->elapsed() >= ProgressDelayMs)
                                        showBar(employees_.size(), done, !payslipsCancelled_);
                                    QCoreApplication::processEvents();
                                    return !payslipsCancelled_;
                                });
    } catch (const StorageError& e) {
        failure = e.message();
    }
    printing_ = false;
    hideBar();
    setInputsEnabled(true);
    status_->setText(shownBefore);
    if (!failure.isEmpty()) {
        showError(QStringLiteral("Report"), failure);
    } else if (payslipsCancelled_ || report.html.isEmpty()) {
        status_->setText(QStringLiteral("The payslips were cancelled: nothing was printed."));
    } else {
        deliver([&report] { return report; });
    }
    // The year changed while the payslips were written: they were stopped, and now the run goes
    // the way of any run of the year before.
    if (yearPending_) {
        yearPending_ = false;
        yearChanged();
    }
}

} // namespace revora
