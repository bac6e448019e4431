// revora-calc loan, loanbuster, loancompare, dailybalance and inflation: the small financial
// calculators' figures, worked as their screens work them, with the same box limits.

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <iomanip>
#include <iostream>

#include "CalcCommand.h"
#include "CalcOutput.h"
#include "finance/Annuity.h"
#include "finance/DailyBalance.h"
#include "finance/Inflation.h"
#include "finance/Loan.h"
#include "finance/LoanBuster.h"
#include "finance/LoanComparison.h"
#include "common/AmountFormat.h"
#include "common/DayDate.h"

namespace revora::cli {

namespace {

// --- the options -----------------------------------------------------------------------------

const OptionDef Solve{.name = "solve",
                      .kind = OptionKind::Choice,
                      .help = "the quantity to solve for (default repayment)",
                      .choices = {"repayment", "principal", "period", "rate"}};
// In the order of Solve's choices.
constexpr LoanMode SolvedFor[] = {LoanMode::MonthlyRepayment, LoanMode::PrincipalAmount, LoanMode::RepaymentPeriod,
                                  LoanMode::InterestRate};
// The amounts are held to the limit of the screens' amount boxes, in their words.
const OptionDef Principal{.name = "principal", .kind = OptionKind::Amount, .help = "principal amount",
                          .most = MostFinanceAmount, .refusal = FinanceAmountMessage()};
const OptionDef LoanMonths{.name = "months", .kind = OptionKind::Whole,
                           .help = "period in whole months, at most {most}", .least = 0.0, .most = MostLoanMonths,
                           .refusal = std::string(LoanPeriodMessage)};
const OptionDef BusterMonths{.name = "months", .kind = OptionKind::Whole, .help = "period in months, at most {most}",
                             .least = 0.0, .most = MostLoanMonths, .refusal = std::string(LoanPeriodMessage)};
const OptionDef LoanRate{.name = "rate", .kind = OptionKind::Percentage, .help = "interest rate a year, at most {most}",
                         .most = MostLoanRate, .refusal = std::string(LoanRateMessage)};
const OptionDef Repayment{.name = "repayment", .kind = OptionKind::Amount, .help = "monthly repayment",
                          .most = MostFinanceAmount, .refusal = FinanceAmountMessage()};
const OptionDef Totals{"totals", OptionKind::Flag, "show the total interest and total repayments, and print them"};
const OptionDef Schedule{.name = "schedule",
                         .kind = OptionKind::Choice,
                         .help = "the amortisation schedule, shown and printed",
                         .choices = {"monthly", "annual"}};
const OptionDef Extra{.name = "extra", .kind = OptionKind::Amount, .help = "extra voluntary payment a month",
                      .most = MostFinanceAmount, .refusal = FinanceAmountMessage()};
const OptionDef BondAmount{.name = "amount", .kind = OptionKind::Amount, .help = "bond amount",
                           .most = MostFinanceAmount, .refusal = FinanceAmountMessage()};
const OptionDef Capital{.name = "capital", .kind = OptionKind::Amount, .help = "capital amount",
                        .most = MostFinanceAmount, .refusal = FinanceAmountMessage()};
const OptionDef DailyRate{.name = "rate", .kind = OptionKind::Percentage,
                          .help = "interest rate a year, at most {most}", .most = MostDailyBalanceRate,
                          .refusal = std::string(DailyBalanceRateMessage)};
const OptionDef StartDate{"start", OptionKind::Date, "start date (required)"};
const OptionDef EndDate{.name = "end", .kind = OptionKind::Date,
                        .help = "end date, at most {most} days after the start (required)",
                        .most = DailyBalanceSpan};
// The inflation screen's cost and period boxes take whole numbers, a fraction rounded half to
// even; read so here, the figures are the screen's.
const OptionDef Cost{.name = "cost", .kind = OptionKind::Amount,
                     .help = "present cost in whole rand, a fraction rounded half to even", .most = MostFinanceAmount,
                     .refusal = FinanceAmountMessage()};
const OptionDef InflationRate{.name = "rate", .kind = OptionKind::Percentage,
                              .help = "inflation rate a year, {least} to {most}", .least = LeastInflationRate,
                              .most = MostInflationRate, .refusal = std::string(InflationRateMessage)};
const OptionDef Years{.name = "years", .kind = OptionKind::Number,
                      .help = "period in whole years, at most {most}, a fraction rounded half to even",
                      .least = 0.0, .most = MostInflationYears, .refusal = std::string(InflationPeriodMessage)};

// --- reading the options --------------------------------------------------------------------

[[noreturn]] void Refuse(const OptionDef& option, std::string_view why)
{
    throw UsageError("--" + option.name + ": " + std::string(why));
}

// Every number is held to its box's limits as it is read (ParsedOptions): no minus sign, and
// above the maximum the screen's own message.

// The loan screen's period box: whole months.
double LoanMonthsOption(const ParsedOptions& options)
{
    const double value = options.number(LoanMonths, 0.0);
    if (value != std::floor(value))
        Refuse(LoanMonths, "'" + *options.value(LoanMonths) + "' must be a whole number");
    return value;
}

// The loan buster's period box keeps the typed number rounded half to even in 16 bits.
std::int16_t BusterMonthsOption(const ParsedOptions& options)
{
    options.number(BusterMonths, 0.0); // 600.5 is beyond 600 months, though it rounds to 600
    return options.count(BusterMonths, 0);
}

std::int32_t DateOption(const ParsedOptions& options, const OptionDef& option)
{
    const auto text = options.value(option);
    if (!text)
        Refuse(option, "missing value");
    const auto day = ParseDayDate(*text);
    if (!day)
        Refuse(option, InvalidDateMessage);
    return *day;
}

// --report and --print refused before anything is written; the line names whichever was given.
void RefuseOutput(const ParsedOptions& options, std::string_view why)
{
    Refuse(options.has(ReportOption) ? ReportOption : PrintOption, why);
}

bool OutputAsked(const ParsedOptions& options) { return options.has(ReportOption) || options.has(PrintOption); }

// What --report and --print ask for, over the settings; the printout's row is made only then.
// The working, given with --explain, follows the figures in the printout.
template <typename MakeRow>
int OutputIfAsked(const ParsedOptions& options, const PrintoutRequest& request, MakeRow makeRow,
                  const Working* explained)
{
    if (!OutputAsked(options))
        return 0;
    AppState state = MakeState(options);
    return Output(state, options, request, makeRow(), {explained});
}

// --- writing the figures --------------------------------------------------------------------

// A figure for the JSON object: minus nothing is written as 0, and a figure that is not finite
// (which the limits above rule out) as null rather than a token JSON does not have.
QJsonValue JsonNumber(double value)
{
    if (!std::isfinite(value))
        return QJsonValue();
    return value == 0.0 ? 0.0 : value;
}

// A single-precision result as the shortest decimal that reads back as the same float, so
// 821.91779 is written rather than 821.917785644531.
double FromSingle(float value)
{
    char text[32];
    const auto written = std::to_chars(std::begin(text), std::end(text), value);
    double result = 0.0;
    std::from_chars(std::begin(text), written.ptr, result);
    return result;
}

// A grid as the screens draw it: each column as wide as its header, the figures to the right.
void PrintGrid(const std::vector<std::string>& headers, const std::vector<std::vector<std::string>>& rows)
{
    std::vector<std::size_t> widths;
    for (const std::string& header : headers)
        widths.push_back(header.size());
    for (const auto& row : rows)
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    for (std::size_t c = 0; c < headers.size(); ++c)
        std::cout << (c ? "  " : "") << std::left << std::setw(static_cast<int>(widths[c])) << headers[c];
    std::cout << '\n';
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c)
            std::cout << (c ? "  " : "") << std::right << std::setw(static_cast<int>(widths[c])) << row[c];
        std::cout << '\n';
    }
}

// --- loan -----------------------------------------------------------------------------------

AmortKind ScheduleOption(const ParsedOptions& options)
{
    const auto kind = options.choiceIfGiven(Schedule);
    if (!kind)
        return AmortKind::None;
    return *kind == 0 ? AmortKind::Monthly : AmortKind::Annual;
}

std::vector<ScheduleLine> ScheduleLines(const LoanState& loan, AmortKind kind)
{
    if (kind == AmortKind::Monthly)
        return MonthlySchedule(loan);
    if (kind == AmortKind::Annual)
        return CalcAnnAmort(loan).Years;
    return {};
}

// `rateError` is why a rate solve found no answer, empty when it did.
void PrintLoan(const LoanState& loan, const std::string& rateError, AmortKind kind,
               const std::vector<ScheduleLine>& schedule, bool json, const Working* explained)
{
    const bool rateTooHigh = !rateError.empty();
    if (json) {
        QJsonObject object{{"Principal", JsonNumber(loan.Principal)},
                           {"Months", JsonNumber(loan.Months)},
                           {"Rate", JsonNumber(loan.Rate)},
                           {"Repayment", JsonNumber(loan.Repayment)},
                           {"TotalInterest", JsonNumber(LoanTotalInterest(loan))},
                           {"TotalRepayments", JsonNumber(LoanTotalRepayments(loan))},
                           {"RateTooHigh", rateTooHigh},
                           {"RateError", QString::fromStdString(rateError)}};
        if (kind != AmortKind::None) {
            QJsonArray lines;
            for (const ScheduleLine& line : schedule)
                lines.append(QJsonObject{{"Period", line.Period},
                                         {"Capital", JsonNumber(line.Capital)},
                                         {"Interest", JsonNumber(line.Interest)},
                                         {"Balance", JsonNumber(line.Balance)}});
            object.insert("Schedule", lines);
        }
        AddExplanation(object, explained);
        PrintJson(object);
        return;
    }
    PrintLine("Calculate mode", std::string(LoanModeText(loan.Mode)));
    PrintLine("Principal amount", FormatAmount(loan.Principal, 2));
    PrintLine("Period", FormatAmount(loan.Months, 0) + " months.");
    // The screen lays "   Error" over a solved rate above 50.
    PrintLine("Interest rate", rateTooHigh ? std::string(LoanRateErrorText) : FormatAmount(loan.Rate, 3) + " % p.a.");
    PrintLine("Monthly repayment", FormatAmount(loan.Repayment, 2));
    if (loan.TotalsShown) {
        PrintLine("Total Interest", FormatAmount(LoanTotalInterest(loan), 2));
        PrintLine("Total Repayments", FormatAmount(LoanTotalRepayments(loan), 2));
    }
    if (rateTooHigh)
        std::cout << '\n' << rateError << '\n';
    if (kind == AmortKind::None)
        return PrintExplanation(std::cout, explained);
    std::vector<std::vector<std::string>> rows;
    for (const ScheduleLine& line : schedule)
        rows.push_back({std::to_string(line.Period), FormatAmount(line.Capital, 2), FormatAmount(line.Interest, 2),
                        FormatAmount(line.Balance, 2)});
    std::cout << '\n';
    if (kind == AmortKind::Monthly)
        PrintGrid({" Month   ", "Capital payment ", "Interest payment", "    Balance    "}, rows);
    else
        PrintGrid({" Year ", "Capital payments", "Interest payment", "    Balance      "}, rows);
    PrintExplanation(std::cout, explained);
}

int Loan(const ParsedOptions& options)
{
    LoanState loan;
    loan.Mode = SolvedFor[options.choiceIfGiven(Solve).value_or(0)];
    loan.Principal = options.number(Principal, 0.0);
    loan.Months = LoanMonthsOption(options);
    loan.Rate = options.number(LoanRate, 0.0);
    loan.Repayment = options.number(Repayment, 0.0);
    loan.TotalsShown = options.has(Totals);
    const AmortKind kind = ScheduleOption(options);
    CheckReportFile(options);

    Working working;
    Working* const explained = Explaining(options, working);
    const LoanSolve outcome = LoanCalc(loan, explained);
    // A period with no answer is refused; a rate with none is shown as the screen shows it,
    // "   Error" and why.
    const bool rateTooHigh = outcome == LoanSolve::RateOutOfReach;
    const std::string refusal = LoanRefusalMessage(loan, outcome);
    if (!refusal.empty() && !rateTooHigh)
        Refuse(Repayment, refusal);
    // A rate with no answer leaves nothing to draw up or print.
    if (rateTooHigh && kind != AmortKind::None)
        Refuse(Schedule, "there is no schedule of a rate that could not be solved. " + refusal);
    if (rateTooHigh && OutputAsked(options))
        RefuseOutput(options, "there is no printout of a rate that could not be solved. " + refusal);
    if (kind == AmortKind::Monthly && !MonthlyScheduleAvailable(loan))
        Refuse(Schedule, "the monthly schedule needs the principal, the period and the repayment all above 0");
    if (kind == AmortKind::Annual && !AnnualScheduleAvailable(loan))
        Refuse(Schedule, "the annual schedule needs the principal and the repayment above 0 and a period of at "
                           "least 13 months");
    if (OutputAsked(options) && (loan.Principal == 0.0 || loan.Months == 0.0 || loan.Repayment == 0.0))
        RefuseOutput(options, "the loan printout needs the principal, the period and the repayment all above 0");

    PrintLoan(loan, rateTooHigh ? refusal : std::string(), kind, ScheduleLines(loan, kind), options.has(JsonOption),
              explained);
    if (!OutputAsked(options))
        return 0;
    AppState state = MakeState(options);
    const LoanPrintout printout = LoanPrint(loan, kind);
    // Without a schedule the screen leaves the report window's title as it was; its caption
    // names the print job here.
    const QString title = printout.Title.empty() ? QStringLiteral("Loans") : QString::fromStdString(printout.Title);
    return OutputLoan(state, options, printout, title, {explained});
}

// --- loanbuster -----------------------------------------------------------------------------

int LoanBuster(const ParsedOptions& options)
{
    LoanBusterState buster;
    buster.Principal = options.number(Principal, 0.0);
    const std::int16_t period = BusterMonthsOption(options);
    buster.Rate = static_cast<float>(options.number(LoanRate, 0.0));
    buster.Extra = options.number(Extra, 0.0);
    CheckReportFile(options);
    if (OutputAsked(options) && buster.Principal <= 0.0)
        RefuseOutput(options, "the loan buster printout needs a principal above 0");

    Working working;
    Working* const explained = Explaining(options, working);
    const LoanBusterResult r = BBCalc(buster, period, explained);
    if (r.ExtraRefused)
        Refuse(Extra, ExtraTooLargeMessage(FormatAmount(MostExtraRepayments * r.Repayment)));
    if (options.has(JsonOption)) {
        QJsonObject object{{"Repayment", JsonNumber(r.Repayment)},
                   {"TotalInterest", JsonNumber(r.TotalInterest)},
                   {"TotalRepayments", JsonNumber(r.TotalRepayments)},
                   {"NewPeriod", JsonNumber(r.NewPeriod)},
                   {"NewRepayment", JsonNumber(r.NewRepayment)},
                   {"NewTotalInterest", JsonNumber(r.NewTotalInterest)},
                   {"NewTotalRepayments", JsonNumber(r.NewTotalRepayments)},
                   {"Saving", JsonNumber(r.Saving)},
                   {"Extra", JsonNumber(buster.Extra)}};
        AddExplanation(object, explained);
        PrintJson(object);
    } else {
        PrintLine("Monthly repayment", FormatAmount(r.Repayment, 2));
        PrintLine("Total interest", FormatAmount(r.TotalInterest, 2));
        PrintLine("Total repayments", FormatAmount(r.TotalRepayments, 2));
        PrintLine("Extra voluntary payments", FormatAmount(buster.Extra, 2));
        std::cout << "\nWith the extra payments\n";
        PrintLine("Principal amount", FormatAmount(buster.Principal, 2));
        PrintLine("Period", FormatAmount(r.NewPeriod, 0) + " months");
        PrintLine("Interest rate", FormatAmount(buster.Rate, 3) + " % p.a.");
        PrintLine("Monthly repayment", FormatAmount(r.NewRepayment, 2));
        PrintLine("Total interest", FormatAmount(r.NewTotalInterest, 2));
        PrintLine("Total repayments", FormatAmount(r.NewTotalRepayments, 2));
        PrintLine("Total saving", FormatAmount(r.Saving, 2));
        PrintExplanation(std::cout, explained);
    }
    return OutputIfAsked(options,
                         {QStringLiteral("BondBust"), QStringLiteral("loanbuster.rpt"), QStringLiteral("Loan Buster")},
                         [&] { return LoanBusterReportRow(buster, period, r); }, explained);
}

// --- loancompare ----------------------------------------------------------------------------

int LoanCompare(const ParsedOptions& options)
{
    LoanComparisonState compare;
    compare.Amount = options.number(BondAmount, 0.0);
    compare.Rate = static_cast<float>(options.number(LoanRate, 0.0));
    CheckReportFile(options);
    if (OutputAsked(options) && compare.Amount <= 0.0)
        RefuseOutput(options, "the loan comparison printout needs an amount above 0");

    Working working;
    Working* const explained = Explaining(options, working);
    const std::array<ComparisonRow, 6> rows = CompareLoans(compare, explained);
    if (options.has(JsonOption)) {
        QJsonArray array;
        for (const ComparisonRow& row : rows)
            array.append(QJsonObject{{"Label", QString::fromStdString(row.Label)},
                                     {"Repayment", JsonNumber(row.Repayment)},
                                     {"TotalInterest", JsonNumber(row.TotalInterest)},
                                     {"TotalPaid", JsonNumber(row.TotalPaid)}});
        QJsonObject object{{"Rows", array}};
        AddExplanation(object, explained);
        PrintJson(object);
    } else {
        std::vector<std::vector<std::string>> lines;
        for (const ComparisonRow& row : rows)
            lines.push_back({row.Label, FormatAmount(row.Repayment, 2), FormatAmount(row.TotalInterest, 2),
                             FormatAmount(row.TotalPaid, 2)});
        PrintGrid({" Period ", "Monthly repayment", "   Total Interest   ", "  Total Paid    "}, lines);
        PrintExplanation(std::cout, explained);
    }
    return OutputIfAsked(
        options, {QStringLiteral("BondComp"), QStringLiteral("LoanComparison.rpt"), QStringLiteral("Loan Comparison")},
        [&] { return LoanComparisonReportRow(compare, rows); }, explained);
}

// --- dailybalance ---------------------------------------------------------------------------

int DailyBalance(const ParsedOptions& options)
{
    DailyBalanceState daily;
    daily.Capital = static_cast<float>(options.number(Capital, 0.0));
    daily.Rate = static_cast<float>(options.number(DailyRate, 0.0));
    daily.StartDate = DateOption(options, StartDate);
    daily.EndDate = DateOption(options, EndDate);
    // The end box takes dates from the start date to 10 960 days after it.
    if (daily.EndDate < daily.StartDate)
        Refuse(EndDate, "the end date is before the start date " + FormatDayDate(daily.StartDate));
    if (daily.EndDate - daily.StartDate > *EndDate.most)
        Refuse(EndDate, EndDateTooLateMessage(FormatDayDate(daily.StartDate)));
    CheckReportFile(options);

    Working working;
    Working* const explained = Explaining(options, working);
    const DailyBalanceResult r = DailyBalanceCalc(daily, explained);
    if (OutputAsked(options) && !DailyBalancePrintable(r))
        RefuseOutput(options, "the daily balance printout needs interest and days above 0");
    if (options.has(JsonOption)) {
        QJsonObject object{{"Days", r.Days}, {"Interest", JsonNumber(FromSingle(r.Interest))}};
        AddExplanation(object, explained);
        PrintJson(object);
    } else {
        PrintLine("Interest accrued", FormatAmount(FromSingle(r.Interest), 2));
        PrintLine("Number of days", std::to_string(r.Days));
        PrintExplanation(std::cout, explained);
    }
    return OutputIfAsked(
        options, {QStringLiteral("DailyBal"), QStringLiteral("DayBal.rpt"), QStringLiteral("Daily Balance Calculation")},
        [&] { return DailyBalanceReportRow(daily, r); }, explained);
}

// --- inflation ------------------------------------------------------------------------------

int Inflation(const ParsedOptions& options)
{
    InflationState inflation;
    inflation.PresentCost = std::nearbyint(options.number(Cost, 0.0));
    if (inflation.PresentCost > *Cost.most) // 9 999 999 999.5 and above round past the limit
        Refuse(Cost, Cost.refusal);
    if (const auto rate = options.numberIfGiven(InflationRate))
        inflation.Rate = *rate;
    inflation.Period = options.count(Years, 0);
    CheckReportFile(options);

    Working working;
    Working* const explained = Explaining(options, working);
    InflationCalc(inflation, explained);
    if (OutputAsked(options) && !InflationPrintable(inflation))
        RefuseOutput(options, "the inflation printout needs a future value that is not 0 and fits its box");
    const bool tooLarge = FutureValueTooLarge(inflation);
    if (options.has(JsonOption)) {
        QJsonObject object{{"FutureValue", JsonNumber(inflation.FutureValue)},
                           {"BuyingPower", JsonNumber(inflation.BuyingPower)},
                           {"TooLarge", tooLarge}};
        AddExplanation(object, explained);
        PrintJson(object);
    } else {
        PrintLine("Future value/cost", tooLarge ? std::string(TooLargeText) : FormatAmount(inflation.FutureValue, 0));
        PrintLine("Buying power", FormatAmount(inflation.BuyingPower, 0));
        PrintExplanation(std::cout, explained);
    }
    return OutputIfAsked(
        options, {QStringLiteral("Inflation"), QStringLiteral("Inflatin.rpt"), QStringLiteral("Inflation") + ExportHint},
        [&] { return InflationReportRow(inflation); }, explained);
}

} // namespace

std::vector<Subcommand> FinanceCommands()
{
    return {
        {"loan", "of a loan's principal, period, rate and monthly repayment, one solved from the other three",
         WithCommon({&Solve, &Principal, &LoanMonths, &LoanRate, &Repayment, &Totals, &Schedule, &ExplainOption}),
         Loan},
        {"loanbuster", "what a fixed extra monthly payment does to a loan",
         WithCommon({&Principal, &BusterMonths, &LoanRate, &Extra, &ExplainOption}), LoanBuster},
        {"loancompare", "one loan repaid over 5, 10, 15, 20, 25 and 30 years",
         WithCommon({&BondAmount, &LoanRate, &ExplainOption}), LoanCompare},
        {"dailybalance", "the simple interest a capital earns between two dates",
         WithCommon({&Capital, &DailyRate, &StartDate, &EndDate, &ExplainOption}), DailyBalance},
        {"inflation", "a present cost carried forward at a constant inflation rate",
         WithCommon({&Cost, &InflationRate, &Years, &ExplainOption}), Inflation},
    };
}

} // namespace revora::cli
