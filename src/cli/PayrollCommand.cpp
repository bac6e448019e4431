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

// The run's printouts: --report and --print give its summary, --payslips every payslip.
void CheckPrintouts(const ParsedOptions& options)
{
    CheckReportFile(options);
    CheckReportFile(options, PayslipsOption);
    if (options.has(LanguageOption) && !options.has(PayslipsOption))
        throw UsageError("--language: the payslips' language, given with --payslips");
    const auto report = options.value(ReportOption);
    const auto payslips = options.value(PayslipsOption);
    // One would be written over the other.
    if (report && payslips
        && std::filesystem::absolute(*report).lexically_normal() == std::filesystem::absolute(*payslips).lexically_normal())
        throw UsageError("--payslips: '" + *payslips + "' is the file of --report as well");
}

std::string Money(std::int64_t cents) { return FormatAmount(static_cast<double>(cents) / 100.0); }
double Rand(std::int64_t cents) { return static_cast<double>(cents) / 100.0; }

void PrintRun(const std::vector<PayrollEmployee>& employees, const PayrollRun& run)
{
    std::cout << std::left << std::setw(30) << "Employee" << std::right << std::setw(16) << "Gross"
              << std::setw(14) << "PAYE" << std::setw(12) << "UIF (ee)" << std::setw(12) << "UIF (er)"
              << std::setw(12) << "SDL" << '\n';
    for (std::size_t i = 0; i < run.Lines.size(); ++i) {
        const PayrollLine& line = run.Lines[i];
        std::string name = employees[i].Employee.substr(0, 29);
        std::cout << std::left << std::setw(30) << name << std::right << std::setw(16) << Money(line.GrossCents)
                  << std::setw(14) << Money(line.PAYECents) << std::setw(12) << Money(line.UIFEmployeeCents)
                  << std::setw(12) << Money(line.UIFEmployerCents) << std::setw(12) << Money(line.SDLCents) << '\n';
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
    if (!csv.Refusals.empty()) {
        // The whole file is refused: each line at fault (the first ten) and how many more.
        std::istringstream lines(PayrollCsvRefusalText(csv));
        for (std::string line; std::getline(lines, line);)
            std::cerr << "revora-calc: " << line << '\n';
        return 2;
    }
    AppState state = MakeState(options);
    MakeDatabaseFolder(state.Paths.SettingsDbPath);
    // The run's levies are those of its month's pay date; a week's, a fortnight's or a day's run
    // has no date.
    const int payDay = period == PayPeriod::Monthly ? month.EndDate : UndatedPayDay(year);
    const PayeSettings settings = StoredForYear(options, ReadPayeSettings(state.Paths), year, payDay);
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
