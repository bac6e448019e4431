// revora-calc: the calculators without a window, for scripts and checks.

// Built twice: as revora-calc, which needs only Qt's core and SQL libraries and so starts
// quickly, and as its report writer, revora-calc-report (REVORA_CALC_REPORT_WRITER), which
// revora-calc hands every command line that asks for a report.

#include <algorithm>
#include <iomanip>
#include <iostream>
#include <memory>
#include <new>
#include <string_view>

#include "ArgumentCheck.h"
#include "Version.h"
#include "CalcCommand.h"
#include "Database.h"
#include "common/TextEscape.h"

#ifdef REVORA_CALC_REPORT_WRITER
#include <QGuiApplication>

#include "ReportRenderer.h"
#else
#include <QCoreApplication>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <unistd.h>
#endif

namespace {

using namespace revora;
using namespace revora::cli;

// Every calculator of revora-calc, family by family, in the order --help lists them; each
// declaration checked as the program starts.
const std::vector<Subcommand>& Subcommands()
{
    static const std::vector<Subcommand> list = [] {
        std::vector<Subcommand> all;
        for (std::vector<Subcommand> family :
             {QuickTaxCommands(), PayeCommands(), PackageCommands(), VehicleCommands(), FinanceCommands(),
              PayrollCommands(), YearsCommands(), SettingsCommands()})
            for (Subcommand& sub : family) {
                CheckDeclaration(sub);
                all.push_back(std::move(sub));
            }
        return all;
    }();
    return list;
}

// One calculator's summary and options, each read from the declaration its parser uses, the
// names lined up in a column as wide as the calculator's longest name.
void PrintCalculator(std::ostream& out, const Subcommand& sub)
{
    std::size_t width = 10;
    for (const OptionDef* def : sub.options)
        width = std::max(width, def->name.size());
    out << sub.name << ": " << sub.summary << "\n";
    for (const OptionDef* def : sub.options)
        out << "  --" << std::left << std::setw(static_cast<int>(width)) << def->name << ' ' << def->helpText() << '\n';
}

void PrintHeading(std::ostream& out)
{
    out << "revora-calc " << VersionText()
        << ": Revora 2016 calculations for the tax year 1 March 2015 to 29 February 2016, or the year --year\n"
           "names (revora-calc years lists them)\n\n";
}

const char* const ExitNote = "\nBad arguments print one line naming the option and exit with status 2.\n";

void PrintHelp(std::ostream& out)
{
    PrintHeading(out);
    out << "usage: revora-calc CALCULATOR [OPTIONS]\n       revora-calc CALCULATOR --help\n       revora-calc --help\n"
           "       revora-calc --version\n";
    for (const Subcommand& sub : Subcommands()) {
        out << "\n";
        PrintCalculator(out, sub);
    }
    out << ExitNote;
}

// CALCULATOR --help: that calculator's options alone.
void PrintCalculatorHelp(std::ostream& out, const Subcommand& sub)
{
    PrintHeading(out);
    out << "usage: revora-calc " << sub.name << " [OPTIONS]\n\n";
    PrintCalculator(out, sub);
    out << ExitNote;
}

int Run(const std::vector<std::string>& args)
{
    if (args.empty())
        throw UsageError("no calculator named; try revora-calc --help");
    if (args[0] == "--help" || args[0] == "-h") {
        PrintHelp(std::cout);
        return 0;
    }
    if (args[0] == "--version") {
        std::cout << VersionLine() << '\n';
        return 0;
    }
    for (const Subcommand& sub : Subcommands()) {
        if (sub.name != args[0])
            continue;
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        for (const std::string& arg : rest)
            if (arg == "--help") {
                PrintCalculatorHelp(std::cout, sub);
                return 0;
            }
        return sub.run(ParsedOptions(sub.options, rest));
    }
    throw UsageError("'" + args[0] + "': unknown calculator; try revora-calc --help");
}

// Whether the command line asks for a report to be written or printed (a payroll run's
// payslips among them).
bool AsksForReport(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg == "--print" || arg.starts_with("--report") || arg.starts_with("--payslips"))
            return true;
    }
    return false;
}

#ifndef REVORA_CALC_REPORT_WRITER
// The report writer: beside this program in a build tree, else where it is installed.
std::filesystem::path ReportWriter()
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    const std::filesystem::path beside = folder / "revora-calc-report";
    if (access(beside.c_str(), X_OK) == 0)
        return beside;
    return (folder / REVORA_CALC_REPORT_WRITER_FROM_BIN).lexically_normal();
}
#endif

// A message as the terminal gets it: a control character from an option or a file, quoted in
// it, is spelt out rather than obeyed.
void SayError(const std::string& message)
{
    std::cerr << "revora-calc: " << EscapeControls(message) << '\n';
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
    // Laying a report out needs fonts and a paint device, so a GUI application (never a window:
    // the offscreen platform), in the report writer. Figures, JSON and settings need only the
    // core application, which starts several times faster.
    std::unique_ptr<QCoreApplication> app;
    if (AsksForReport(argc, argv)) {
#ifdef REVORA_CALC_REPORT_WRITER
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
#else
        const std::filesystem::path writer = ReportWriter();
        execv(writer.c_str(), argv);
        std::cerr << "revora-calc: the report writer " << writer.string()
                  << " cannot be started: " << std::strerror(errno) << '\n';
        return 1;
#endif
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName("Revora2016");
    QCoreApplication::setOrganizationName("Revora");

    std::vector<std::string> args;
    for (const QString& arg : QCoreApplication::arguments().mid(1))
        args.push_back(arg.toStdString());
    try {
        if (const std::string refusal = ArgumentRefusal(argc, argv); !refusal.empty())
            throw UsageError(refusal);
        return Run(args);
    } catch (const UsageError& e) {
        SayError(e.what());
        return 2;
    } catch (const StorageError& e) {
        SayError(e.message().toStdString());
        return 1;
#ifdef REVORA_CALC_REPORT_WRITER
    } catch (const PrintError& e) {
        SayError(e.message().toStdString());
        return 1;
#endif
    } catch (const std::bad_alloc&) {
        // Input too large for the memory there is: said in one line, never an abort.
        std::cerr << "revora-calc: not enough memory to finish: the input is too large\n";
        return 1;
    } catch (const std::logic_error& e) {
        // A declaration that does not hold, or an option read that was never declared: a
        // fault in this program, which no command line can cause.
        SayError(std::string("internal error: ") + e.what());
        return 70;
    }
}
