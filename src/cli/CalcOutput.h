#pragma once
// What every revora-calc subcommand does around its calculation: the program's state over the
// data folder, and the report that --report and --print ask for.

#include <QString>
#include <functional>
#include <vector>

#include "CalcCommand.h"
#include "AppState.h"
#include "ReportJob.h"
#include "common/ReportRow.h"

namespace revora::cli {

// The shared values over the data folder of --data-dir (or the program's own).
AppState MakeState(const ParsedOptions& options);

// A --data-dir that does not exist yet is made, as a first run makes the user's data folder;
// one that cannot be made is named by the database that cannot be created in it.
void MakeDatabaseFolder(const QString& databasePath);

// Refuses a --report file whose kind is unknown, before anything is written.
void CheckReportFile(const ParsedOptions& options);

// What --report and --print do, the same for every calculator: the layout is checked
// before the row is written, as the screens do it.
int Output(AppState& state, const ParsedOptions& options, const ReportRequest& request, const ReportRow& row);
// The same for a printout of one row per line.
int Output(AppState& state, const ParsedOptions& options, const ReportRequest& request,
           const std::vector<ReportRow>& rows);
// The same for a printout that writes its own tables and renders its layout over them.
int Output(AppState& state, const ParsedOptions& options, const std::function<RenderedReport()>& writeAndRender);

} // namespace revora::cli
