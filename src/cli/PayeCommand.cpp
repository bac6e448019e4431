// revora-calc monthly, weekly, fortnightly, daily and annual: the employees' tax screens'
// figures for one employee, on the employer's stored settings or on rates given for this run.

#include <QString>
#include <array>
#include <iostream>
#include <sstream>

#include "CalcCommand.h"
#include "CalcOutput.h"
#include "PayeFigures.h"
#include "SettingsOverrides.h"
#include "payroll/AnnualPaye.h"
#include "payroll/DailyPaye.h"
#include "payroll/MonthlyPaye.h"
#include "payroll/PayePrintout.h"
#include "payroll/PublishedLevies.h"
#include "payroll/WeeklyPaye.h"
#include "SetupSettings.h"
#include "common/DayDate.h"
#include "tax/TaxYearRules.h"

namespace revora::cli {

namespace {

// --- the options ----------------------------------------------------------------------------

const OptionDef Salary{"salary", OptionKind::Amount, "salary/remuneration for the period"};
const OptionDef EmployerMedical{"employer-medical", OptionKind::Amount, "employer's medical aid contribution"};
const OptionDef EmployeeMedical{"employee-medical", OptionKind::Amount, "employee's medical aid contribution"};
const OptionDef Commission{"commission", OptionKind::Amount, "commissions"};
const OptionDef Bonus{"bonus", OptionKind::Amount, "bonus or other irregular amount paid in the period"};
const OptionDef Travel{"travel", OptionKind::Amount, "travel allowance"};
// The most a day's pay period counts is smaller than a month's or a week's.
const OptionDef Beneficiaries{.name = "beneficiaries", .kind = OptionKind::Whole,
                              .help = "medical aid fund beneficiaries", .least = 0.0, .most = MostBeneficiaries};
const OptionDef DailyBeneficiaries{.name = "beneficiaries", .kind = OptionKind::Whole,
                                   .help = "medical aid fund beneficiaries", .least = 0.0,
                                   .most = MostDailyBeneficiaries};
const OptionDef Pension{"pension", OptionKind::Amount, "allowable pension contributions"};
const OptionDef RetirementAnnuity{"ra", OptionKind::Amount, "allowable R/A contributions"};
const OptionDef MedDeduction{"med-deduction", OptionKind::Amount, "Med Aid contribution deduction (printout only)"};
const OptionDef Employee{.name = "employee",
                         .kind = OptionKind::Text,
                         .help = "the employee's name on the printout (at most {most} characters)",
                         .most = EmployeeNameLength,
                         .placeholder = "NAME"};
const OptionDef MonthEnd{"end", OptionKind::Date,
                         "end date (default " + FormatDayDate(MonthlyPeriod{}.EndDate) + ")"};
const OptionDef MembersByMonth{
    .name = "members-by-month",
    .kind = OptionKind::Whole,
    .help = "medical aid members in every month, or in each month March to February",
    .least = 0.0,
    .most = MostMembersInAMonth,
    .placeholder = "N or N,..."};

// The working days of a week's or a fortnight's pay period.
struct DayOptions {
    OptionDef normal;
    OptionDef thisPeriod;
};

const DayOptions& DaysOf(WeekKind kind)
{
    static const auto days = [](WeekKind of) {
        const std::string fallback = std::to_string(RulesFor(of).DefaultDays);
        return DayOptions{
            {"normal-days", OptionKind::Whole, "working days of a normal pay period (default " + fallback + ")"},
            {"this-days", OptionKind::Whole, "working days of this pay period (default " + fallback + ")"}};
    };
    static const DayOptions weekly = days(WeekKind::Weekly);
    static const DayOptions fortnightly = days(WeekKind::Fortnightly);
    return kind == WeekKind::Weekly ? weekly : fortnightly;
}

// The employee's amounts, the printout's choices and the settings for this run, as every
// screen takes them; `beneficiaries` is none for the annual screen, which counts members
// month by month instead.
Options PayeOptions(const Options& period, const OptionDef* beneficiaries)
{
    Options own{&AgeOption, &Salary, &EmployerMedical, &EmployeeMedical, &Commission, &Bonus, &Travel};
    if (beneficiaries)
        own.push_back(beneficiaries);
    own.insert(own.end(), {&Pension, &RetirementAnnuity, &MedDeduction});
    own.insert(own.end(), period.begin(), period.end());
    own.insert(own.end(), {&YearOption, &Employee, &LanguageOption, &ExplainOption});
    const Options settings = PayrollSettingOptions();
    own.insert(own.end(), settings.begin(), settings.end());
    return WithCommon(std::move(own));
}

// A count no larger than the model can hold.
std::int16_t CountUpTo(const std::string& name, const std::string& text, std::int16_t most, const std::string& tooMany)
{
    const std::int16_t count = NonNegativeCount(name, text);
    if (count > most)
        throw UsageError("--" + name + ": " + tooMany);
    return count;
}

// `beneficiaries` is the screen's own count, none for the annual screen.
PayeInputs ReadInputs(const ParsedOptions& options, const OptionDef* beneficiaries)
{
    PayeInputs in;
    in.Age = options.count(AgeOption, 0);
    // No amount of pay, contribution or allowance is below 0, as the screens' boxes take it.
    in.Salary = NonNegativeNumber(options, Salary);
    in.EmployerMedical = NonNegativeNumber(options, EmployerMedical);
    in.EmployeeMedical = NonNegativeNumber(options, EmployeeMedical);
    in.Commission = NonNegativeNumber(options, Commission);
    in.Bonus = NonNegativeNumber(options, Bonus);
    in.TravelAllowance = NonNegativeNumber(options, Travel);
    if (const auto text = beneficiaries ? options.value(*beneficiaries) : std::nullopt) {
        const auto most = static_cast<std::int16_t>(*beneficiaries->most);
        in.Beneficiaries = CountUpTo(beneficiaries->name, *text, most, TooManyBeneficiariesMessage(most));
    }
    in.Pension = NonNegativeNumber(options, Pension);
    in.RetirementAnnuity = NonNegativeNumber(options, RetirementAnnuity);
    in.MedDeduction = NonNegativeNumber(options, MedDeduction);
    return in;
}

struct PrintChoice {
    std::string employee;
    PrintLanguage language = PrintLanguage::English;
};

PrintChoice ReadPrintChoice(const ParsedOptions& options)
{
    PrintChoice choice;
    choice.employee = NameUpTo(options, Employee);
    choice.language = ReadLanguage(options);
    return choice;
}

struct DatedPeriod {
    int start;
    int end;
};

DatedPeriod ReadDates(const ParsedOptions& options, const OptionDef& endOption, int defaultStart, int defaultEnd,
                      const TaxYear& year)
{
    const int start = TaxYearDate(options, StartOption, defaultStart, OutsideYearMessage(year), year);
    // The end box's message quotes the start date as its box shows it.
    const int end = TaxYearDate(options, endOption, defaultEnd, EndBeforeStartMessage(FormatDayDate(start), year), year);
    return {start, end};
}

std::array<std::int16_t, 12> ReadMembersByMonth(const ParsedOptions& options)
{
    std::array<std::int16_t, 12> byCalendarMonth{};
    const auto text = options.value(MembersByMonth);
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
            CountUpTo(MembersByMonth.name, counts[counts.size() == 1 ? 0 : i],
                      static_cast<std::int16_t>(*MembersByMonth.most), MostMembersMessage);
    return byCalendarMonth;
}

struct PayeOutcome {
    std::vector<Figure> figures;
    PayePrintoutTarget printout;
    ReportRow row;
};

// Every argument has been read by now; a refused period stops the run before the settings
// database is opened, and contributions above the income (CheckContributions, at the settings'
// inclusion rate) once the settings are read. `calculate` works the figures and the printout row
// on the settings of the year paid on `payDay`, recording its working where it is given one
// (with --explain). The working follows the figures in English; the printout carries it in the
// printout's language.
template <typename Calculate>
int RunPaye(const ParsedOptions& options, const std::optional<PayeRefusal>& refusal, const PayeInputs& inputs,
            PrintLanguage language, const TaxYear& year, int payDay, Calculate calculate)
{
    if (refusal)
        throw UsageError(refusal->message);
    const auto overrides = PayrollOverrides<PayeSettings>(options);
    CheckReportFile(options);

    AppState state = MakeState(options);
    MakeDatabaseFolder(state.Paths.SettingsDbPath);
    const PayeSettings settings =
        overrides.appliedTo(StoredForYear(options, ReadPayeSettings(state.Paths), year, payDay));
    if (const auto contributions = CheckContributions(inputs, settings.TAIncRate8020))
        throw UsageError("--pension: " + contributions->message);
    Working working;
    Working* explained = Explaining(options, working);
    const PayeOutcome outcome = calculate(settings, state.Tax.TaxBracketResult, explained);
    PrintFigures(std::cout, outcome.figures, options.has(JsonOption), explained);
    const PayePrintoutTarget& target = outcome.printout;
    return Output(state, options,
                  {QString::fromUtf8(target.Table), QString::fromUtf8(target.Layout),
                   QString::fromUtf8(target.Title) + ExportHint},
                  outcome.row, {explained, language});
}

// The year of --year (2016 without it) and whether its printout may be written.
TaxYear ReadYear(const ParsedOptions& options)
{
    TaxYear year = ChosenTaxYear(options);
    return year;
}

int Monthly(const ParsedOptions& options)
{
    const TaxYear year = ReadYear(options);
    const PayeInputs inputs = ReadInputs(options, &Beneficiaries);
    const PrintChoice print = ReadPrintChoice(options);
    const MonthlyPeriod march = FirstMonthOf(year);
    const DatedPeriod dates = ReadDates(options, MonthEnd, march.StartDate, march.EndDate, year);
    const MonthlyPeriod period{dates.start, dates.end};
    return RunPaye(options, CheckMonthlyPeriod(period, year), inputs, print.language, year, period.EndDate,
                   [&](const PayeSettings& settings, TaxBracketResult& record, Working* working) {
        const PeriodicPayeResult r = MonthlyPayeCalculate(inputs, settings, year, period, record, working);
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
    const TaxYear year = ReadYear(options);
    const PayeInputs inputs = ReadInputs(options, &Beneficiaries);
    const PrintChoice print = ReadPrintChoice(options);
    const std::int16_t days = RulesFor(kind).DefaultDays;
    const WeekPeriod period{options.count(DaysOf(kind).normal, days), options.count(DaysOf(kind).thisPeriod, days)};
    return RunPaye(options, CheckWeekPeriod(kind, period), inputs, print.language, year, UndatedPayDay(year),
                   [&](const PayeSettings& settings, TaxBracketResult& record, Working* working) {
        const PeriodicPayeResult r = WeekPayeCalculate(kind, inputs, settings, year, period, record, working);
        return PayeOutcome{PeriodicFigures(r), kind == WeekKind::Weekly ? WeeklyPrintout : FortnightlyPrintout,
                           WeekPayeReportRow(kind, inputs, settings, period, r, print.employee, print.language)};
    });
}

int Daily(const ParsedOptions& options)
{
    const TaxYear year = ReadYear(options);
    const PayeInputs inputs = ReadInputs(options, &DailyBeneficiaries);
    const PrintChoice print = ReadPrintChoice(options);
    return RunPaye(options, std::nullopt, inputs, print.language, year, UndatedPayDay(year),
                   [&](const PayeSettings& settings, TaxBracketResult& record, Working* working) {
        const PeriodicPayeResult r = DailyPayeCalculate(inputs, settings, year, record, working);
        return PayeOutcome{PeriodicFigures(r), DailyPrintout,
                           DailyPayeReportRow(inputs, settings, r, print.employee, print.language)};
    });
}

int Annual(const ParsedOptions& options)
{
    const TaxYear year = ReadYear(options);
    AnnualPayeInputs inputs;
    inputs.Amounts = ReadInputs(options, nullptr);
    const PrintChoice print = ReadPrintChoice(options);
    // The whole year unless told otherwise.
    const DatedPeriod dates = ReadDates(options, YearEndOption, year.Start, year.End, year);
    inputs.StartDate = dates.start;
    inputs.EndDate = dates.end;
    inputs.MembersByMonth = ReadMembersByMonth(options);
    return RunPaye(options, CheckAnnualPeriod(inputs.StartDate, inputs.EndDate, year), inputs.Amounts, print.language,
                   year, inputs.EndDate, [&](const PayeSettings& settings, TaxBracketResult& record, Working* working) {
                       const AnnualPayeResult r = AnnualPayeCalculate(inputs, settings, year, record, working);
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

Options WeekOptions(WeekKind kind)
{
    return PayeOptions({&DaysOf(kind).normal, &DaysOf(kind).thisPeriod}, &Beneficiaries);
}

} // namespace

const OptionDef LanguageOption{.name = "language",
                               .kind = OptionKind::Choice,
                               .help = "the printout's language (default en)",
                               .choices = {"en", "af"}};

PrintLanguage ReadLanguage(const ParsedOptions& options)
{
    // In the order of LanguageOption's choices.
    constexpr PrintLanguage Languages[] = {PrintLanguage::English, PrintLanguage::Afrikaans};
    return Languages[options.choiceIfGiven(LanguageOption).value_or(0)];
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

std::vector<Subcommand> PayeCommands()
{
    return {
        {"monthly", "employees' tax, UIF and SDL for one calendar month or part of it",
         PayeOptions({&StartOption, &MonthEnd}, &Beneficiaries), Monthly},
        {"weekly", "employees' tax, UIF and SDL for one week", WeekOptions(WeekKind::Weekly),
         [](const ParsedOptions& options) { return Week(WeekKind::Weekly, options); }},
        {"fortnightly", "employees' tax, UIF and SDL for one fortnight", WeekOptions(WeekKind::Fortnightly),
         [](const ParsedOptions& options) { return Week(WeekKind::Fortnightly, options); }},
        {"daily", "employees' tax, UIF and SDL for one day's pay", PayeOptions({}, &DailyBeneficiaries), Daily},
        {"annual", "an employee's tax for the tax year or the part of it worked",
         PayeOptions({&StartOption, &YearEndOption, &MembersByMonth}, nullptr), Annual},
    };
}

} // namespace revora::cli
