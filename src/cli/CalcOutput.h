#pragma once
// What every revora-calc subcommand does around its calculation: the program's state over the
// data folder, and the report that --report and --print ask for.

#include <QJsonObject>
#include <QString>
#include <functional>
#include <vector>

#include "CalcCommand.h"
#include "AppState.h"
#include "common/ReportRow.h"
#include "common/Working.h"
#include "finance/Loan.h"
#include "payroll/PayrollRun.h"

namespace revora::cli {

// The object as one line of compact JSON on standard output.
void PrintJson(const QJsonObject& object);

// Where the calculation records its working: `working` when --explain is given, else null.
Working* Explaining(const ParsedOptions& options, Working& working);
// After the figures: the working as numbered lines under a heading, in text; in JSON the
// object gains "Explanation": [{"Step", "Working", "Amount"}, ...], the amounts at full
// precision. Nothing when `working` is null.
void PrintExplanation(std::ostream& out, const Working* working, PrintLanguage language = PrintLanguage::English);
void AddExplanation(QJsonObject& object, const Working* working, PrintLanguage language = PrintLanguage::English);
// PrintFigures followed by the working, as above.
void PrintFigures(std::ostream& out, const std::vector<Figure>& figures, bool json, const Working* working);

// The whole of the vehicles file an option names, read as ReadOutsideFile reads it; UsageError
// "--vehicles: cars.json: cannot be read (...)", and likewise for a pipe, a device or a file of
// more than MostPayrollFileBytes.
std::string ReadVehiclesFile(const OptionDef& option, const std::string& file);

// The shared values over the data folder of --data-dir (or the program's own).
AppState MakeState(const ParsedOptions& options);

// A --data-dir that does not exist yet is made, as a first run makes the user's data folder;
// one that cannot be made is named by the database that cannot be created in it.
void MakeDatabaseFolder(const QString& databasePath);

// A printout: the report table its rows go to, its layout and the title it is printed under.
struct PrintoutRequest {
    QString table;
    QString layoutName; // file name under layouts/, "kwiktep.rpt"
    QString title;
};

// Figures, JSON and settings need only the core application; writing or printing a report
// needs the report writer (fonts, paint devices, printing), a program of its own,
// revora-calc-report, which revora-calc hands such a command line to before anything is done.
// The two are one source: these are defined by the report writer, and in revora-calc as what
// can never be reached.

// Refuses a file of --report (or of another option that names a report's file) whose kind is
// unknown, before anything is written.
void CheckReportFile(const ParsedOptions& options, const OptionDef& option = ReportOption);

// What --report and --print do, the same for every calculator: the layout is checked
// before the row is written, as the screens do it.
// A `working` (given with --explain) follows the figures as the printout's second section.
struct ExplainedIn {
    const Working* working = nullptr;
    PrintLanguage language = PrintLanguage::English;
};
int Output(AppState& state, const ParsedOptions& options, const PrintoutRequest& request, const ReportRow& row,
           ExplainedIn explained = {});
// The same for a printout of one row per line.
int Output(AppState& state, const ParsedOptions& options, const PrintoutRequest& request,
           const std::vector<ReportRow>& rows, ExplainedIn explained = {});
// The loan printout: the loan's row, and its schedule's lines when it has one.
int OutputLoan(AppState& state, const ParsedOptions& options, const LoanPrintout& printout, const QString& title,
               ExplainedIn explained = {});

// A payroll run's printouts: its summary for --report and --print, and for --payslips every
// employee's payslip, one a page, in the period's layout and the language given.
struct PayrollPrintouts {
    PayPeriod period;
    const std::vector<PayrollEmployee>& employees;
    const PayrollRun& run;
    const PayeSettings& settings;
    PrintLanguage language;
};
int OutputPayroll(AppState& state, const ParsedOptions& options, const PayrollPrintouts& printouts);

} // namespace revora::cli
