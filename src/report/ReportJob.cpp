#include "ReportJob.h"

#include <QDate>
#include <QDir>

#include "ReportDatabase.h"

namespace revora {

ReportJob::ReportJob(const ProgramValues& state, const QString& layoutName)
    : layout_(LoadReportLayout(state.Paths.LayoutPath(layoutName))), year_(state.Year.Current()),
      reports_(state.Paths.ReportDbPath, state.Paths.SeedFolder())
{
    // A layout whose tables the report database does not hold is named before anything is
    // written, as a missing layout is.
    for (const QString& table : {layout_.table, layout_.rowsTable})
        if (!table.isEmpty() && !ReportTableExists(reports_, table))
            throw StorageError(layout_.path, QStringLiteral("it names table %1, which %2 does not hold.")
                                                 .arg(table, QDir::toNativeSeparators(reports_.path())));
}

void ReportJob::writeRow(const QString& table, const ReportRow& row)
{
    WriteOneRowTable(reports_, table, row);
}

void ReportJob::writeRows(const QString& table, const std::vector<ReportRow>& rows)
{
    WriteMultiRowTable(reports_, table, rows);
}

void ReportJob::together(const std::function<void()>& work)
{
    QSqlDatabase& db = reports_.database();
    const QString what = QStringLiteral("write the report's rows");
    reports_.check(db.transaction(), what, db);
    try {
        work();
    } catch (...) {
        db.rollback();
        throw;
    }
    reports_.check(db.commit(), what, db);
}

RenderedReport ReportJob::render(const QString& title)
{
    const QList<QSqlRecord> rows = ReadReportTable(reports_, layout_.table);
    const QString html = layout_.rowsTable.isEmpty()
                             ? RenderReportHtml(layout_, rows, QDate::currentDate(), year_)
                             : RenderReportHtml(layout_, rows, ReadReportTable(reports_, layout_.rowsTable),
                                                QDate::currentDate(), year_);
    return {title, html};
}

RenderedReport WriteAndRenderOneRowReport(ProgramValues& state, const ReportRequest& request, const ReportRow& row)
{
    ReportJob job(state, request.layoutName);
    job.writeRow(request.table, row);
    return job.render(request.title);
}

RenderedReport WriteAndRenderMultiRowReport(ProgramValues& state, const ReportRequest& request,
                                            const std::vector<ReportRow>& rows)
{
    ReportJob job(state, request.layoutName);
    job.writeRows(request.table, rows);
    return job.render(request.title);
}

RenderedReport RenderReport(const ProgramValues& state, const QString& layoutName, const QString& title)
{
    return ReportJob(state, layoutName).render(title);
}

} // namespace revora
