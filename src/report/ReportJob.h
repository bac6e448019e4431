#pragma once
// One print of a screen: write its row, render its layout over the report table, and hand
// the result to the report window or the printer.

#include <QString>
#include <functional>
#include <vector>

#include "AppState.h"
#include "Database.h"
#include "ReportRenderer.h"
#include "common/ReportRow.h"

namespace revora {

struct ReportRequest {
    QString table;
    QString layoutName; // file name under layouts/, "kwiktep.rpt"
    QString title;      // the report window's title
};

struct RenderedReport {
    QString title;
    QString html;

    // The name of the print job: the title without the export hint ("QuickTax").
    QString documentName() const { return title.section(QStringLiteral(" - "), 0, 0); }
};

// One print's work on the report database, through one connection: the layout is loaded and
// its tables checked first, so a missing or damaged layout changes nothing; then the print's
// rows are written, and read back to render the layout over them. StorageError naming the
// file on failure.
// The report is of the state's tax year (Year.Current(), as the job began): its printout names
// that year.
class ReportJob {
public:
    ReportJob(const ProgramValues& state, const QString& layoutName);

    // Overwrites a one-row table's row.
    void writeRow(const QString& table, const ReportRow& row);
    // Empties a line-per-row table and adds one row per line, in one transaction.
    void writeRows(const QString& table, const std::vector<ReportRow>& rows);
    // Runs `work` (rows written and rendered in turn) in one transaction: many rows written
    // one after another are committed once, not once each. A failure undoes all its writes.
    void together(const std::function<void()>& work);
    // The layout rendered over its tables as they now stand.
    RenderedReport render(const QString& title);

private:
    ReportLayout layout_; // loaded before the database is opened: a missing layout is told first
    TaxYear year_;        // the year the printout names, however the state's year changes later
    DatabaseConnection reports_;
};

RenderedReport WriteAndRenderOneRowReport(ProgramValues& state, const ReportRequest& request, const ReportRow& row);
RenderedReport WriteAndRenderMultiRowReport(ProgramValues& state, const ReportRequest& request,
                                            const std::vector<ReportRow>& rows);

// RunReport: renders the layout over the rows as they stand.
RenderedReport RenderReport(const ProgramValues& state, const QString& layoutName, const QString& title);

} // namespace revora
