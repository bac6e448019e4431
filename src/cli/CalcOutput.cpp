#include "CalcOutput.h"

#include <QDir>
#include <QFileInfo>
#include <functional>

#include "AppFolders.h"
#include "ReportRenderer.h"

namespace revora::cli {

AppState MakeState(const ParsedOptions& options)
{
    AppState state;
    QString folder = DefaultApplicationFolder();
    if (const auto dir = options.value(DataDirOption))
        folder = QString::fromStdString(*dir);
    state.Paths = MakeAppPaths(folder, InstallFolder());
    state.InitialiseAll();
    return state;
}

void MakeDatabaseFolder(const QString& databasePath)
{
    QDir().mkpath(QFileInfo(databasePath).absolutePath());
}

void CheckReportFile(const ParsedOptions& options)
{
    const auto file = options.value(ReportOption);
    if (!file)
        return;
    if (ExportFormatFor(QString::fromStdString(*file)) == ExportFormat::Unknown)
        throw UsageError("--report: '" + *file + "' must end in .pdf, .odt or .html");
}

namespace {

int Deliver(AppState& state, const ParsedOptions& options, const std::function<RenderedReport()>& writeAndRender)
{
    if (!options.has(ReportOption) && !options.has(PrintOption))
        return 0;
    MakeDatabaseFolder(state.Paths.ReportDbPath);
    const RenderedReport report = writeAndRender();
    if (const auto file = options.value(ReportOption))
        ExportReport(report.html, QString::fromStdString(*file));
    if (options.has(PrintOption))
        PrintReport(report.html, QString(), report.documentName());
    return 0;
}

} // namespace

int Output(AppState& state, const ParsedOptions& options, const ReportRequest& request, const ReportRow& row)
{
    return Deliver(state, options, [&] { return WriteAndRenderOneRowReport(state, request, row); });
}

int Output(AppState& state, const ParsedOptions& options, const ReportRequest& request,
           const std::vector<ReportRow>& rows)
{
    return Deliver(state, options, [&] { return WriteAndRenderMultiRowReport(state, request, rows); });
}

int Output(AppState& state, const ParsedOptions& options, const std::function<RenderedReport()>& writeAndRender)
{
    return Deliver(state, options, writeAndRender);
}

} // namespace revora::cli
