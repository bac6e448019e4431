// revora-calc payroll: a whole pay period for every employee of a CSV file, each worked by the
// period's own calculation on the employer's stored settings, and the totals the employer
// declares for the month (EMP201).

#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <new>
#include <sstream>

#include "CalcCommand.h"
#include "CalcOutput.h"
#include "PayeFigures.h"
#include "PayrollCsv.h"
#include "PayrollFile.h"
#include "SetupSettings.h"
#include "common/AmountFormat.h"
#include "common/DayDate.h"
#include "payroll/PayrollRun.h"
#include "payroll/PublishedLevies.h"
#include "tax/TaxYearRules.h"

namespace revora::cli {

namespace {

const std::vector<std::string> PeriodNames = [] {
    std::vector<std::string> names;
    for (const auto period : {PayPeriod::Monthly, PayPeriod::Weekly, PayPeriod::Fortnightly, PayPeriod::Daily})
        names.push_back(LowerPayPeriodName(period));
    return names;
}();
const OptionDef PeriodOption{.name = "period", .kind = OptionKind::Choice,
                             .help = "the pay period of the run (required with --csv)", .choices = PeriodNames};
const OptionDef CsvOption{"csv", OptionKind::File, "the employees, one a line under a header line of column names"};
const OptionDef TemplateOption{.name = "template", .kind = OptionKind::Choice,
                               .help = "print the header line of a period's file and stop", .choices = PeriodNames};
const OptionDef RunEnd{"end", OptionKind::Date,
                       "end date of the monthly rows without one (default " + FormatDayDate(MonthlyPeriod{}.EndDate)
                           + ")"};

// The file a name leads to: the name made absolute, every link followed, even one to a file
// not yet written (a run's first), and its folders' links resolved.
std::filesystem::path FileBehind(const std::string& name)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path path = fs::absolute(name, error);
    // As the system follows links: at most 40 in a row.
    for (int links = 0; links < 40 && fs::is_symlink(path, error); ++links)
        path = path.parent_path() / fs::read_symlink(path, error);
    const fs::path resolved = fs::weakly_canonical(path, error);
    return error || resolved.empty() ? path.lexically_normal() : resolved;
}

// The run's printouts: --report and --print give its summary, --payslips every payslip.
void CheckPrintouts(const ParsedOptions& options)
{
    CheckReportFile(options);
    CheckReportFile(options, PayslipsOption);
    if (options.has(LanguageOption) && !options.has(PayslipsOption))
        throw UsageError("--language: the payslips' language, given with --payslips");
    const auto report = options.value(ReportOption);
    const auto payslips = options.value(PayslipsOption);
    // One would be written over the other, by the same name or through a link.
    if (report && payslips && FileBehind(*report) == FileBehind(*payslips))
        throw UsageError("--payslips: '" + *payslips + "' is the file of --report as well");
}

std::string Money(std::int64_t cents) { return FormatAmount(static_cast<double>(cents) / 100.0); }
double Rand(std::int64_t cents) { return static_cast<double>(cents) / 100.0; }

// The first `most` characters of a UTF-8 text (code points, so no character is cut in two),
// padded with blanks to `width` characters.
std::string Column(std::string_view text, std::size_t most, std::size_t width)
{
    const auto continues = [&](std::size_t at) { return (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80; };
    std::size_t end = 0;
    std::size_t kept = 0;
    for (; end < text.size() && kept < most; ++kept)
        for (++end; end < text.size() && continues(end); ++end) {
        }
    return std::string(text.substr(0, end)) + std::string(width - std::min(width, kept), ' ');
}

// The run a line an employee: the name cut to 29 characters in a column of 30, then the five
// amounts right-aligned, each column at least as wide as before and two blanks wider than its
// widest amount: the figures group their digits with one blank, so two keep the columns
// apart however large the amounts.
void PrintRun(const std::vector<PayrollEmployee>& employees, const PayrollRun& run)
{
    const std::vector<std::pair<const char*, std::int64_t PayrollLine::*>> amounts{
        {"Gross", &PayrollLine::GrossCents},          {"PAYE", &PayrollLine::PAYECents},
        {"UIF (ee)", &PayrollLine::UIFEmployeeCents}, {"UIF (er)", &PayrollLine::UIFEmployerCents},
        {"SDL", &PayrollLine::SDLCents}};
    std::vector<std::size_t> widths{16, 14, 12, 12, 12};
    for (const PayrollLine& line : run.Lines)
        for (std::size_t c = 0; c < amounts.size(); ++c)
            widths[c] = std::max(widths[c], Money(line.*amounts[c].second).size() + 2);
    std::cout << Column("Employee", 30, 30) << std::right;
    for (std::size_t c = 0; c < amounts.size(); ++c)
        std::cout << std::setw(static_cast<int>(widths[c])) << amounts[c].first;
    std::cout << '\n';
    for (std::size_t i = 0; i < run.Lines.size(); ++i) {
        std::cout << Column(employees[i].Employee, 29, 30);
        for (std::size_t c = 0; c < amounts.size(); ++c)
            std::cout << std::setw(static_cast<int>(widths[c])) << Money(run.Lines[i].*amounts[c].second);
        std::cout << '\n';
    }
    std::cout << '\n';
    const PayrollTotals& t = run.Totals;
    PrintLine("Employees", std::to_string(t.Employees));
    PrintLine("PAYE", Money(t.PAYECents));
    PrintLine("UIF (employee and employer)", Money(t.UIFCents));
    PrintLine("SDL", Money(t.SDLCents));
    PrintLine("EMP201 total", Money(t.EMP201Cents()));
}

std::string Compact(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

// One object, written an employee at a time: a run of a hundred thousand employees is never
// held as one JSON document.
void PrintRunJson(PayPeriod period, const std::vector<PayrollEmployee>& employees, const PayrollRun& run)
{
    std::cout << "{\"Employees\":[";
    for (std::size_t i = 0; i < run.Lines.size(); ++i) {
        const PeriodicPayeResult& r = run.Lines[i].Result;
        QJsonObject line{{"Employee", QString::fromStdString(employees[i].Employee)}};
        if (period == PayPeriod::Monthly)
            line.insert("TaxableTravelAllowance", r.TaxableTravelAllowance);
        for (const Figure& figure : PeriodicFigures(r))
            line.insert(QString::fromStdString(figure.key), figure.value);
        std::cout << (i ? "," : "") << Compact(line);
    }
    const PayrollTotals& t = run.Totals;
    std::cout << "],\"Totals\":"
              << Compact({{"Employees", static_cast<double>(t.Employees)},
                          {"PAYE", Rand(t.PAYECents)},
                          {"UIF", Rand(t.UIFCents)},
                          {"SDL", Rand(t.SDLCents)},
                          {"EMP201Total", Rand(t.EMP201Cents())}})
              << "}\n";
}

// The whole file is refused: each line at fault (the first ten) and how many more; exit 2.
int Refused(const PayrollCsv& csv)
{
    std::istringstream lines(PayrollCsvRefusalText(csv));
    for (std::string line; std::getline(lines, line);)
        std::cerr << "revora-calc: " << line << '\n';
    return 2;
}

int Payroll(const ParsedOptions& options)
{
    if (const auto period = options.choiceIfGiven(TemplateOption)) {
        if (options.has(CsvOption) || options.has(PeriodOption) || options.has(ReportOption)
            || options.has(PrintOption) || options.has(PayslipsOption) || options.has(LanguageOption))
            throw UsageError("--template: prints the header line alone, without --csv, --period or a printout");
        std::cout << PayrollCsvHeader(static_cast<PayPeriod>(*period)) << '\n';
        return 0;
    }
    const auto chosen = options.choiceIfGiven(PeriodOption);
    if (!chosen)
        throw UsageError("--period: required, one of " + OneOf(PeriodNames));
    const auto file = options.value(CsvOption);
    if (!file)
        throw UsageError("--csv: required: the file of employees");
    CheckPrintouts(options);
    const TaxYear year = ChosenTaxYear(options);
    const PayPeriod period = static_cast<PayPeriod>(*chosen);
    // Only a month's rows carry dates; a week's, a fortnight's and a day's carry day counts.
    if (period != PayPeriod::Monthly && (options.has(StartOption) || options.has(RunEnd)))
        throw UsageError("--" + (options.has(StartOption) ? StartOption.name : RunEnd.name)
                         + ": only a monthly run has dates");
    // The rows without dates are paid in the year's March unless the run says otherwise.
    MonthlyPeriod month = FirstMonthOf(year);
    month.StartDate = TaxYearDate(options, StartOption, month.StartDate, OutsideYearMessage(year), year);
    month.EndDate =
        TaxYearDate(options, RunEnd, month.EndDate, EndBeforeStartMessage(FormatDayDate(month.StartDate), year), year);
    if (const auto refusal = CheckMonthlyPeriod(month, year))
        throw UsageError("--" + (refusal->focus == PayeFocus::EndDate ? RunEnd.name : StartOption.name) + ": "
                         + refusal->message);

    const PayrollFileBytes bytes = ReadPayrollFile(*file, *file);
    if (!bytes.refusal.empty())
        throw UsageError("--" + CsvOption.name + ": " + bytes.refusal);
    // The file and its employees are held whole until the file is streamed: a file within the
    // limit whose employees still do not fit in the memory there is, is named with its size.
    PayrollCsv csv;
    try {
        csv = ReadPayrollCsv(*file, bytes.bytes, period, month, year);
    } catch (const std::bad_alloc&) {
        const std::string size = FormatAmount(static_cast<double>(bytes.bytes.size()), 0);
        throw UsageError("--" + CsvOption.name + ": " + *file + ": " + size +
                         " bytes hold more employees than there is memory for");
    }
    if (!csv.Refusals.empty())
        return Refused(csv);
    AppState state = MakeState(options);
    MakeDatabaseFolder(state.Paths.SettingsDbPath);
    // A row's travel allowance counts toward its income at the stored inclusion rate.
    const PayeSettings stored = ReadPayeSettings(state.Paths);
    CheckPayrollContributions(csv, *file, stored.TAIncRate8020);
    if (!csv.Refusals.empty())
        return Refused(csv);
    // A monthly run's levies are those in force in its month; a week's, a fortnight's or a
    // day's run has no date.
    const PayeSettings settings = StoredForYear(options, stored, year, RunPayDay(period, csv.Employees, year));
    const PayrollRun run = RunPayroll(period, csv.Employees, settings, year);
    if (run.TooLarge)
        throw UsageError("--csv: " + *file + ": the run's totals are too large to add up");
    if (options.has(JsonOption))
        PrintRunJson(period, csv.Employees, run);
    else
        PrintRun(csv.Employees, run);
    return OutputPayroll(state, options, {period, csv.Employees, run, settings, ReadLanguage(options)});
}

} // namespace

const OptionDef PayslipsOption{"payslips", OptionKind::File,
                               "write every employee's payslip, one a page, to a .pdf, .odt or .html file"};

std::vector<Subcommand> PayrollCommands()
{
    return {
        {"payroll", "a whole pay period for every employee of a CSV file, and the EMP201 totals",
         {&PeriodOption, &CsvOption, &StartOption, &RunEnd, &YearOption, &TemplateOption, &JsonOption, &ReportOption,
          &PrintOption, &PayslipsOption, &LanguageOption, &DataDirOption},
         Payroll},
    };
}

} // namespace revora::cli
