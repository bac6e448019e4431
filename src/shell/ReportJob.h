#pragma once
// One print of a screen: write its row, render its layout over the report table, and hand
// the result to the report window or the printer.

#include <QString>
#include <vector>

#include "shell/AppState.h"
#include "tax/ReportRow.h"

namespace revora {

// Appended to most report window titles.
inline constexpr const char* ExportHint = " - To export printout click on the suitcase button or goto Help";

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

// Loads the layout first, so a missing or damaged layout changes nothing, then writes the
// one-row table and renders the layout over it. StorageError naming the file on failure.
RenderedReport WriteAndRenderOneRowReport(AppState& state, const ReportRequest& request, const ReportRow& row);

// The same for a line-per-row table: emptied, then one row per line, in one transaction.
RenderedReport WriteAndRenderMultiRowReport(AppState& state, const ReportRequest& request,
                                            const std::vector<ReportRow>& rows);

// RunReport: renders the layout over the rows as they stand.
RenderedReport RenderReport(const AppState& state, const QString& layoutName, const QString& title);

} // namespace revora
