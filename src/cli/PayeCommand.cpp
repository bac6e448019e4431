// revora-calc monthly, weekly, fortnightly, daily and annual: the employees' tax screens'
// figures for one employee, on the employer's stored settings or on rates given for this run.

#include <QString>
#include <array>
#include <iostream>
#include <sstream>

#include "CalcCommand.h"
#include "CalcOutput.h"
#include "SettingsOverrides.h"
#include "payroll/AnnualPaye.h"
#include "payroll/DailyPaye.h"
#include "payroll/MonthlyPaye.h"
#include "payroll/PayePrintout.h"
#include "payroll/WeeklyPaye.h"
#include "SetupSettings.h"
#include "common/DayDate.h"
#include "tax/TaxYearRules.h"

namespace revora::cli {

namespace {

// The employee's amounts, the printout's choices and the settings for this run, as every
// screen takes them; `beneficiaries` is false for the annual screen, which counts members
// month by month instead.
std::vector<OptionDef> PayeOptions(std::vector<OptionDef> period, bool beneficiaries)
{
    std::vector<OptionDef> own{
        {"age", true, "YEARS  age in whole years, rounded half to even (default 0)"},
        {"salary", true, "RAND  salary/remuneration for the period"},
        {"employer-medical", true, "RAND  employer's medical aid contribution"},
        {"employee-medical", true, "RAND  employee's medical aid contribution"},
        {"commission", true, "RAND  commissions"},
        {"bonus", true, "RAND  bonus or other irregular amount paid in the period"},
        {"travel", true, "RAND  travel allowance"},
    };
    if (beneficiaries)
        own.push_back({"beneficiaries", true, "N  medical aid fund beneficiaries"});
    own.insert(own.end(),
               {
                   {"pension", true, "RAND  allowable pension contributions"},
                   {"ra", true, "RAND  allowable R/A contributions"},
                   {"med-deduction", true, "RAND  Med Aid contribution deduction (printout only)"},
               });
    for (OptionDef& def : period)
        own.push_back(std::move(def));
    own.insert(own.end(),
               {
                   {"employee", true, "NAME  the employee's name on the printout (at most 50 characters)"},
                   {"language", true, "en|af  the printout's language (default en)"},
               });
    for (OptionDef& def : PayrollSettingOptions())
        own.push_back(std::move(def));
    return WithCommon(std::move(own));
}

std::vector<OptionDef> DateOptions(const char* endDefault)
{
    return {{"start", true, "dd/mm/yyyy  start date (default 01/03/2015)"},
            {"end", true, std::string("dd/mm/yyyy  end date (default ") + endDefault + ")"}};
}

// A count no larger than the model can hold.
std::int16_t CountUpTo(const std::string& name, const std::string& text, std::int16_t most, const std::string& tooMany)
{
    const std::int16_t count = NonNegativeCount(name, text);
    if (count > most)
        throw UsageError("--" + name + ": " + tooMany);
    return count;
}

PayeInputs ReadInputs(const ParsedOptions& options, std::int16_t mostBeneficiaries)
{
    PayeInputs in;
    in.Age = options.count("age", 0);
    // No amount of pay, contribution or allowance is below 0, as the screens' boxes take it.
    in.Salary = NonNegativeNumber(options, "salary");
    in.EmployerMedical = NonNegativeNumber(options, "employer-medical");
    in.EmployeeMedical = NonNegativeNumber(options, "employee-medical");
    in.Commission = NonNegativeNumber(options, "commission");
    in.Bonus = NonNegativeNumber(options, "bonus");
    in.TravelAllowance = NonNegativeNumber(options, "travel");
    if (const auto text = options.value("beneficiaries"))
        in.Beneficiaries =
            CountUpTo("beneficiaries", *text, mostBeneficiaries, TooManyBeneficiariesMessage(mostBeneficiaries));
    in.Pension = NonNegativeNumber(options, "pension");
    in.RetirementAnnuity = NonNegativeNumber(options, "ra");
    in.MedDeduction = NonNegativeNumber(options, "med-deduction");
    return in;
}

struct PrintChoice {
    std::string employee;
    PrintLanguage language = PrintLanguage::English;
};

PrintChoice ReadPrintChoice(const ParsedOptions& options)
{
    PrintChoice choice;
    choice.employee = NameUpTo(options, "employee", EmployeeNameLength);
    const std::string language = options.value("language").value_or("en");
    if (language == "af")
        choice.language = PrintLanguage::Afrikaans;
    else if (language != "en")
        throw UsageError("--language: '" + language + "' must be en or af");
    return choice;
}

// A date as the date boxes take it: a date of the tax year, else the box's own message.
int ReadDate(const ParsedOptions& options, const std::string& name, int fallback, const std::string& refusal)
{
    const auto text = options.value(name);
    if (!text)
        return fallback;
    const auto day = ParseDayDate(*text);
    if (!day || *day < TaxYearStart || *day > TaxYearEnd)
        throw UsageError("--" + name + ": " + refusal);
    return *day;
}

struct DatedPeriod {
    int start;
    int end;
};

DatedPeriod ReadDates(const ParsedOptions& options, int defaultStart, int defaultEnd)
{
    const int start = ReadDate(options, "start", defaultStart, std::string(DateOutsideYearMessage));
    // The end box's message quotes the start date as its box shows it.
    const int end = ReadDate(options, "end", defaultEnd, EndBeforeStartMessage(FormatDayDate(start)));
    return {start, end};
}

std::array<std::int16_t, 12> ReadMembersByMonth(const ParsedOptions& options)
{
    std::array<std::int16_t, 12> byCalendarMonth{};
    const auto text = options.value("members-by-month");
    if (!text)
        return byCalendarMonth;
    std::vector<std::string> counts;
    std::istringstream pieces(*text);
    for (std::string piece; std::getline(pieces, piece, ',');)
        counts.push_back(piece);
    if (!text->empty() && text->back() == ',')
        counts.emplace_back();
    if (counts.size() != 1 && counts.size() != 12)
        throw UsageError("--members-by-month: '" + *text + "' must be one count, or twelve from March to February");
    // Given from March, the tax year's first month, to February; held by calendar month.
    for (std::size_t i = 0; i < 12; ++i)
        byCalendarMonth[(i + 2) % 12] =
            CountUpTo("members-by-month", counts[counts.size() == 1 ? 0 : i], MostMembersInAMonth, MostMembersMessage);
    return byCalendarMonth;
}

std::vector<Figure> PeriodicFigures(const PeriodicPayeResult& r)
{
    return {{"UIFEmployee", "UIF contribution Employee", r.UIFEmployee, 2},
            {"UIFEmployer", "UIF contribution Employer", r.UIFEmployer, 2},
            {"SDL", "S.D.L.", r.SDL, 2},
            {"TaxLiability", "Tax liability", r.TaxLiability, 2},
            {"MedicalCredit", "Tax credits for beneficiaries", r.MedicalCredit, 2},
            {"AdditionalMedicalCredit", "Tax credits for contributions", r.AdditionalMedicalCredit, 2},
            {"TotalTaxDeduction", "Total tax deduction", r.TotalTaxDeduction, 2}};
}

struct PayeOutcome {
    std::vector<Figure> figures;
    PayePrintoutTarget printout;
    ReportRow row;
};

// Every argument has been read by now; a refused period stops the run before the settings
// database is opened. `calculate` works the figures and the printout row on the settings.
template <typename Calculate>
int RunPaye(const ParsedOptions& options, const std::optional<PayeRefusal>& refusal, Calculate calculate)
{
    if (refusal)
        throw UsageError(refusal->message);
    const auto overrides = PayrollOverrides<PayeSettings>(options);
    CheckReportFile(options);

    AppState state = MakeState(options);
    MakeDatabaseFolder(state.Paths.SettingsDbPath);
    const PayeSettings settings = overrides.appliedTo(ReadPayeSettings(state.Paths));
    const PayeOutcome outcome = calculate(settings, state.Tax.TaxBracketResult);
    PrintFigures(std::cout, outcome.figures, options.has("json"));
    const PayePrintoutTarget& target = outcome.printout;
    return Output(state, options,
                  {QString::fromUtf8(target.Table), QString::fromUtf8(target.Layout),
                   QString::fromUtf8(target.Title) + ExportHint},
                  outcome.row);
}

int Monthly(const ParsedOptions& options)
{
    const PayeInputs inputs = ReadInputs(options, MostBeneficiaries);
    const PrintChoice print = ReadPrintChoice(options);
    const DatedPeriod dates = ReadDates(options, MonthlyPeriod{}.StartDate, MonthlyPeriod{}.EndDate);
    const MonthlyPeriod period{dates.start, dates.end};
    return RunPaye(options, CheckMonthlyPeriod(period), [&](const PayeSettings& settings, TaxBracketResult& record) {
        const PeriodicPayeResult r = MonthlyPayeCalculate(inputs, settings, period, record);
        std::vector<Figure> figures = PeriodicFigures(r);
        // Shown in whole rands beside the allowance, as the screen shows it.
        figures.insert(figures.begin(),
                       {"TaxableTravelAllowance", "Travel Allowance R (taxable)", r.TaxableTravelAllowance, 0});
        return PayeOutcome{figures, MonthlyPrintout,
                           MonthlyPayeReportRow(inputs, settings, period, r, print.employee, print.language)};
    });
}

int Week(WeekKind kind, const ParsedOptions& options)
{
    const PayeInputs inputs = ReadInputs(options, MostBeneficiaries);
    const PrintChoice print = ReadPrintChoice(options);
    const std::int16_t days = RulesFor(kind).DefaultDays;
    const WeekPeriod period{options.count("normal-days", days), options.count("this-days", days)};
    return RunPaye(options, CheckWeekPeriod(kind, period), [&](const PayeSettings& settings, TaxBracketResult& record) {
        const PeriodicPayeResult r = WeekPayeCalculate(kind, inputs, settings, period, record);
        return PayeOutcome{PeriodicFigures(r), kind == WeekKind::Weekly ? WeeklyPrintout : FortnightlyPrintout,
                           WeekPayeReportRow(kind, inputs, settings, period, r, print.employee, print.language)};
    });
}

int Daily(const ParsedOptions& options)
{
    const PayeInputs inputs = ReadInputs(options, MostDailyBeneficiaries);
    const PrintChoice print = ReadPrintChoice(options);
    return RunPaye(options, std::nullopt, [&](const PayeSettings& settings, TaxBracketResult& record) {
        const PeriodicPayeResult r = DailyPayeCalculate(inputs, settings, record);
        return PayeOutcome{PeriodicFigures(r), DailyPrintout,
                           DailyPayeReportRow(inputs, settings, r, print.employee, print.language)};
    });
}

int Annual(const ParsedOptions& options)
{
    AnnualPayeInputs inputs;
    inputs.Amounts = ReadInputs(options, MostBeneficiaries);
    const PrintChoice print = ReadPrintChoice(options);
    const DatedPeriod dates = ReadDates(options, inputs.StartDate, inputs.EndDate);
    inputs.StartDate = dates.start;
    inputs.EndDate = dates.end;
    inputs.MembersByMonth = ReadMembersByMonth(options);
    return RunPaye(options, CheckAnnualPeriod(inputs.StartDate, inputs.EndDate),
                   [&](const PayeSettings& settings, TaxBracketResult& record) {
                       const AnnualPayeResult r = AnnualPayeCalculate(inputs, settings, record);
                       return PayeOutcome{{{"TaxLiability", "Tax liability", r.TaxLiability, 2},
                                           {"MedicalCredit", "Tax credits for beneficiaries", r.MedicalCredit, 2},
                                           {"AdditionalMedicalCredit", "Tax credits for contributions",
                                            r.AdditionalMedicalCredit, 2},
                                           {"TotalTaxDeduction", "Total tax deduction", r.TotalTaxDeduction, 2},
                                           {"PAYE", "PAYE", r.PAYE, 2},
                                           {"SITE", "SITE", r.SITE, 2},
                                           {"Total", "Total", r.Total, 2}},
                                          AnnualPrintout,
                                          AnnualPayeReportRow(inputs, settings, r, print.employee, print.language)};
                   });
}

std::vector<OptionDef> WeekOptions(WeekKind kind)
{
    const std::string days = std::to_string(RulesFor(kind).DefaultDays);
    return PayeOptions({{"normal-days", true, "N  working days of a normal pay period (default " + days + ")"},
                        {"this-days", true, "N  working days of this pay period (default " + days + ")"}},
                       true);
}

} // namespace

std::vector<Subcommand> PayeCommands()
{
    std::vector<OptionDef> annualPeriod = DateOptions("29/02/2016");
    annualPeriod.push_back({"members-by-month", true,
                            "N or N,...  medical aid members in every month, or in each month March to February"});
    return {
        {"monthly", "employees' tax, UIF and SDL for one calendar month or part of it",
         PayeOptions(DateOptions("31/03/2015"), true), Monthly},
        {"weekly", "employees' tax, UIF and SDL for one week", WeekOptions(WeekKind::Weekly),
         [](const ParsedOptions& options) { return Week(WeekKind::Weekly, options); }},
        {"fortnightly", "employees' tax, UIF and SDL for one fortnight", WeekOptions(WeekKind::Fortnightly),
         [](const ParsedOptions& options) { return Week(WeekKind::Fortnightly, options); }},
        {"daily", "employees' tax, UIF and SDL for one day's pay", PayeOptions({}, true), Daily},
        {"annual", "an employee's tax for the tax year or the part of it worked", PayeOptions(annualPeriod, false),
         Annual},
    };
}

} // namespace revora::cli
