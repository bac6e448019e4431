#include "shell/ReportJob.h"

#include <QDate>

#include "shell/ReportDatabase.h"
#include "shell/ReportRenderer.h"

namespace revora {

RenderedReport WriteAndRenderOneRowReport(AppState& state, const ReportRequest& request, const ReportRow& row)
{
    LoadReportLayout(state.Paths.LayoutPath(request.layoutName));
    WriteOneRowTable(state.Paths, request.table, row);
    return RenderReport(state, request.layoutName, request.title);
}

RenderedReport WriteAndRenderMultiRowReport(AppState& state, const ReportRequest& request,
                                            const std::vector<ReportRow>& rows)
{
    LoadReportLayout(state.Paths.LayoutPath(request.layoutName));
    WriteMultiRowTable(state.Paths, request.table, rows);
    return RenderReport(state, request.layoutName, request.title);
}

RenderedReport RenderReport(const AppState& state, const QString& layoutName, const QString& title)
{
    const ReportLayout layout = LoadReportLayout(state.Paths.LayoutPath(layoutName));
    const QList<QSqlRecord> rows = ReadReportTable(state.Paths, layout.table);
    const QString html = layout.rowsTable.isEmpty()
                             ? RenderReportHtml(layout, rows, QDate::currentDate())
                             : RenderReportHtml(layout, rows, ReadReportTable(state.Paths, layout.rowsTable),
                                                QDate::currentDate());
    return {title, html};
}

} // namespace revora
