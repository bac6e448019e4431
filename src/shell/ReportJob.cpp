#include "shell/ReportJob.h"

#include <QDate>
#include <QDir>

#include "shell/Database.h"
#include "shell/ReportDatabase.h"
#include "shell/ReportRenderer.h"

namespace revora {

namespace {

// A layout whose tables the report database does not hold is named before anything is
// written, as a missing layout is.
ReportLayout CheckedLayout(const AppPaths& paths, const QString& layoutName)
{
    ReportLayout layout = LoadReportLayout(paths.LayoutPath(layoutName));
    for (const QString& table : {layout.table, layout.rowsTable})
        if (!table.isEmpty() && !ReportTableExists(paths, table))
            throw StorageError(layout.path, QStringLiteral("it names table %1, which %2 does not hold.")
                                                .arg(table, QDir::toNativeSeparators(paths.ReportDbPath)));
    return layout;
}

} // namespace

RenderedReport WriteAndRenderOneRowReport(AppState& state, const ReportRequest& request, const ReportRow& row)
{
    CheckedLayout(state.Paths, request.layoutName);
    WriteOneRowTable(state.Paths, request.table, row);
    return RenderReport(state, request.layoutName, request.title);
}

RenderedReport WriteAndRenderMultiRowReport(AppState& state, const ReportRequest& request,
                                            const std::vector<ReportRow>& rows)
{
    CheckedLayout(state.Paths, request.layoutName);
    WriteMultiRowTable(state.Paths, request.table, rows);
    return RenderReport(state, request.layoutName, request.title);
}

RenderedReport RenderReport(const AppState& state, const QString& layoutName, const QString& title)
{
    const ReportLayout layout = CheckedLayout(state.Paths, layoutName);
    const QList<QSqlRecord> rows = ReadReportTable(state.Paths, layout.table);
    const QString html = layout.rowsTable.isEmpty()
                             ? RenderReportHtml(layout, rows, QDate::currentDate())
                             : RenderReportHtml(layout, rows, ReadReportTable(state.Paths, layout.rowsTable),
                                                QDate::currentDate());
    return {title, html};
}

} // namespace revora
