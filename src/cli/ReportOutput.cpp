// The report writer's side of revora-calc: the printouts written, exported and printed.

#include <functional>
#include <utility>

#include "CalcOutput.h"
#include "PayrollPrintout.h"
#include "ReportJob.h"
#include "ReportRenderer.h"
#include "WorkingSection.h"

namespace revora::cli {

void CheckReportFile(const ParsedOptions& options, const OptionDef& option)
{
    const auto file = options.value(option);
    if (!file)
        return;
    if (ExportFormatFor(QString::fromStdString(*file)) == ExportFormat::Unknown)
        throw UsageError("--" + option.name + ": '" + *file + "' must end in .pdf, .odt or .html");
}

namespace {

ReportRequest Request(const PrintoutRequest& printout)
{
    return {printout.table, printout.layoutName, printout.title};
}

// A printout names the tax year its figures were worked in: the year of --year (2016 without
// it), and 2016 for a calculator that takes no --year.
void UseChosenYear(AppState& state, const ParsedOptions& options)
{
    if (!options.declares(YearOption))
        return;
    TaxYear year = ChosenTaxYear(options);
    state.Year.Chosen = year.Year;
    state.Year.Years = {std::move(year)};
}

// `alongside`: a report written together with this one, both files or neither (a payroll
// run's payslips beside its summary).
int Deliver(AppState& state, const ParsedOptions& options, const std::function<RenderedReport()>& writeAndRender,
            ExplainedIn explained, const std::function<ReportFile()>& alongside = {})
{
    const bool summary = options.has(ReportOption) || options.has(PrintOption);
    if (!summary && !alongside)
        return 0;
    UseChosenYear(state, options);
    MakeDatabaseFolder(state.Paths.ReportDbPath);
    RenderedReport report;
    std::vector<ReportFile> files;
    if (summary) {
        report = writeAndRender();
        if (explained.working)
            report.html = WithWorking(report.html, *explained.working, explained.language);
        if (const auto file = options.value(ReportOption))
            files.push_back({report.html, QString::fromStdString(*file)});
    }
    if (alongside)
        files.push_back(alongside());
    ExportReports(files);
    if (options.has(PrintOption))
        PrintReport(report.html, QString(), report.documentName());
    return 0;
}

} // namespace

int Output(AppState& state, const ParsedOptions& options, const PrintoutRequest& request, const ReportRow& row,
           ExplainedIn explained)
{
    return Deliver(
        state, options, [&] { return WriteAndRenderOneRowReport(state, Request(request), row); }, explained);
}

int Output(AppState& state, const ParsedOptions& options, const PrintoutRequest& request,
           const std::vector<ReportRow>& rows, ExplainedIn explained)
{
    return Deliver(
        state, options, [&] { return WriteAndRenderMultiRowReport(state, Request(request), rows); }, explained);
}

int OutputLoan(AppState& state, const ParsedOptions& options, const LoanPrintout& printout, const QString& title,
               ExplainedIn explained)
{
    return Deliver(state, options, [&] {
        // The layout is read and its tables checked first, so a missing one leaves both
        // tables as they were.
        ReportJob job(state, QString::fromStdString(printout.Layout));
        job.writeRow(QStringLiteral("Loans"), printout.Loans);
        if (printout.WritesAmort)
            job.writeRows(QStringLiteral("Amort"), printout.Amort);
        return job.render(title);
    }, explained);
}

int OutputPayroll(AppState& state, const ParsedOptions& options, const PayrollPrintouts& printouts)
{
    const auto& [period, employees, run, settings, language] = printouts;
    const auto payslips = options.value(PayslipsOption);
    std::function<ReportFile()> slips;
    if (payslips)
        slips = [&] {
            return ReportFile{RenderPayslips(state, period, employees, run, settings, language).html,
                              QString::fromStdString(*payslips)};
        };
    return Deliver(state, options, [&] { return RenderPayrollSummary(state, period, employees, run); }, {}, slips);
}

} // namespace revora::cli
