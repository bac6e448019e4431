// revora-calc: the calculators without a window, for scripts and checks.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <iomanip>
#include <iostream>

#include "Version.h"
#include "cli/CalcCommand.h"
#include "shell/AppFolders.h"
#include "shell/AppState.h"
#include "shell/Database.h"
#include "shell/ReportJob.h"
#include "shell/ReportRenderer.h"
#include "tax/InputNumbers.h"
#include "tax/QuickTax.h"

namespace {

using namespace revora;
using namespace revora::cli;

struct Subcommand {
    std::string name;
    std::string summary;
    std::vector<OptionDef> options;
};

std::vector<OptionDef> WithCommon(std::vector<OptionDef> own)
{
    for (OptionDef& def : CommonOptions())
        own.push_back(std::move(def));
    return own;
}

const std::vector<Subcommand>& Subcommands()
{
    static const std::vector<Subcommand> list{
        {"quicktax", "annual income tax on a taxable income for an age",
         WithCommon({{"income", true, "RAND  annual taxable income (required)"},
                     {"age", true, "YEARS  age in whole years, rounded half to even (default 0)"}})},
    };
    return list;
}

void PrintHelp(std::ostream& out)
{
    out << "revora-calc " << VersionMajor << '.' << VersionMinor << '.' << VersionRevision
        << ": Revora 2016 calculations for the tax year 1 March 2015 to 29 February 2016\n\n"
        << "usage: revora-calc CALCULATOR [OPTIONS]\n       revora-calc --help\n";
    for (const Subcommand& sub : Subcommands()) {
        out << "\n" << sub.name << ": " << sub.summary << "\n";
        for (const OptionDef& def : sub.options)
            out << "  --" << std::left << std::setw(10) << def.name << ' ' << def.help << '\n';
    }
    out << "\nBad arguments print one line naming the option and exit with status 2.\n";
}

// What --report and --print do, the same for every calculator: the layout is checked
// before the row is written, as the screens do it.
int Output(AppState& state, const ParsedOptions& options, const ReportRequest& request, const ReportRow& row)
{
    if (!options.has("report") && !options.has("print"))
        return 0;
    // A --data-dir that does not exist yet is made, as a first run makes the user's data
    // folder; one that cannot be made is named by the database that cannot be created in it.
    QDir().mkpath(QFileInfo(state.Paths.ReportDbPath).absolutePath());
    const RenderedReport report = WriteAndRenderOneRowReport(state, request, row);
    if (const auto file = options.value("report"))
        ExportReport(report.html, QString::fromStdString(*file));
    if (options.has("print"))
        PrintReport(report.html, QString(), report.documentName());
    return 0;
}

void CheckReportFile(const ParsedOptions& options)
{
    const auto file = options.value("report");
    if (!file)
        return;
    if (ExportFormatFor(QString::fromStdString(*file)) == ExportFormat::Unknown)
        throw UsageError("--report: '" + *file + "' must end in .pdf, .odt or .html");
}

AppState MakeState(const ParsedOptions& options)
{
    AppState state;
    QString folder = DefaultApplicationFolder();
    if (const auto dir = options.value("data-dir"))
        folder = QString::fromStdString(*dir);
    state.Paths = MakeAppPaths(folder, InstallFolder());
    state.InitialiseAll();
    return state;
}

int QuickTax(const ParsedOptions& options)
{
    const double income = options.requiredNumber("income");
    const auto age = RoundHalfEvenToInt16(options.number("age", 0.0));
    if (!age)
        throw UsageError("--age: '" + options.value("age").value_or("") + "' is outside -32768 to 32767");
    CheckReportFile(options);

    AppState state = MakeState(options);
    state.TaxBracketResult.TaxableIncome = income;
    state.QuickTax.Age = *age;
    QuickTaxCalculate(state.QuickTax, state.TaxBracketResult);
    const TaxBracketResult& r = state.TaxBracketResult;
    const QuickTaxState& q = state.QuickTax;
    PrintFigures(std::cout,
                 {{"TaxableIncome", "Taxable Income", r.TaxableIncome, 2},
                  {"Age", "Age", static_cast<double>(q.Age), 0},
                  {"BaseTax", "Tax on taxable income", r.BaseTax, 2},
                  {"MarginalRate", "Marginal rate (%)", r.MarginalRate, 2},
                  {"PortionTax", "+ Portion @ M/Rate", r.PortionTax, 2},
                  {"TotalTax", "Total tax", q.TotalTax, 2},
                  {"TotalRebate", "Less rebates", q.TotalRebate, 2},
                  {"TaxCommitment", "Tax commitment", q.TaxCommitment, 2},
                  {"AverageRate", "Average rate before rebates", q.AverageRate, 4},
                  {"AverageRateAfterRebates", "Average rate after rebates", q.AverageRateAfterRebates, 4}},
                 options.has("json"));
    return Output(state,
                  options,
                  {"kwiktax", "kwiktep.rpt", QStringLiteral("QuickTax") + ExportHint},
                  QuickTaxReportRow(state.QuickTax, state.TaxBracketResult));
}

int Run(const std::vector<std::string>& args)
{
    if (args.empty())
        throw UsageError("no calculator named; try revora-calc --help");
    if (args[0] == "--help" || args[0] == "-h") {
        PrintHelp(std::cout);
        return 0;
    }
    for (const Subcommand& sub : Subcommands()) {
        if (sub.name != args[0])
            continue;
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        for (const std::string& arg : rest)
            if (arg == "--help") {
                PrintHelp(std::cout);
                return 0;
            }
        const ParsedOptions options(sub.options, rest);
        if (sub.name == "quicktax")
            return QuickTax(options);
    }
    throw UsageError("'" + args[0] + "': unknown calculator; try revora-calc --help");
}

} // namespace

int main(int argc, char** argv)
{
    // Qt's own notices (a missing runtime folder and the like) are not this tool's output;
    // its errors are the one line it prints itself.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << text.toStdString() << '\n';
    });
    // No window is ever shown; the report layout only needs fonts and a paint device.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName("Revora2016");
    QCoreApplication::setOrganizationName("Revora");

    std::vector<std::string> args;
    for (const QString& arg : app.arguments().mid(1))
        args.push_back(arg.toStdString());
    try {
        return Run(args);
    } catch (const UsageError& e) {
        std::cerr << "revora-calc: " << e.what() << '\n';
        return 2;
    } catch (const StorageError& e) {
        std::cerr << "revora-calc: " << e.message().toStdString() << '\n';
        return 1;
    } catch (const PrintError& e) {
        std::cerr << "revora-calc: " << e.message().toStdString() << '\n';
        return 1;
    }
}
