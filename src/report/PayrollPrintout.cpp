#include "PayrollPrintout.h"

#include <algorithm>

#include "payroll/PayrollPrintout.h"

namespace revora {
namespace {

QString Title(const PayePrintoutTarget& target) { return QString::fromUtf8(target.Title) + QLatin1String(ExportHint); }

} // namespace

RenderedReport RenderPayrollSummary(ProgramValues& state, PayPeriod period,
                                    const std::vector<PayrollEmployee>& employees, const PayrollRun& run)
{
    ReportJob job(state, QString::fromUtf8(PayrollSummaryPrintout.Layout));
    job.writeRow(QString::fromUtf8(PayrollSummaryPrintout.Table), PayrollSummaryRow(period, employees, run));
    job.writeRows(QString::fromUtf8(PayrollSummaryLinesTable), PayrollSummaryLines(employees, run));
    return job.render(Title(PayrollSummaryPrintout));
}

RenderedReport RenderPayslips(ProgramValues& state, PayPeriod period, const std::vector<PayrollEmployee>& employees,
                              const PayrollRun& run, const PayeSettings& settings, PrintLanguage language,
                              const std::function<bool(std::size_t)>& progress)
{
    const PayePrintoutTarget& target = PayslipPrintout(period);
    const QString title = Title(target);
    const QString table = QString::fromUtf8(target.Table);
    // One job for the whole run: the layout is read and its table checked once, and each
    // payslip is its row written and the layout rendered over it in turn.
    ReportJob job(state, QString::fromUtf8(target.Layout));
    ReportPages pages;
    const std::size_t count = std::min(employees.size(), run.Lines.size());
    bool cancelled = false;
    job.together([&] {
        for (std::size_t i = 0; i < count && !cancelled; ++i) {
            job.writeRow(table, PayslipRow(period, employees[i], run.Lines[i], settings, language));
            pages.add(job.render(title).html);
            const std::size_t done = i + 1;
            cancelled = progress && done % PayrollProgressEvery == 0 && done < count && !progress(done);
        }
    });
    if (cancelled)
        return {title, QString()};
    if (progress)
        progress(count);
    return {title, pages.html()};
}

} // namespace revora
