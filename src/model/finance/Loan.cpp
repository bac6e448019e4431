#include "finance/Loan.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "common/AmountFormat.h"
#include "common/Bounded.h"
#include "finance/Annuity.h"

namespace revora {
namespace {

// The schedules keep at most this many lines, whatever the period holds.
constexpr int MostScheduleLines = 1000;

// The rate search works in hundredths of a percent so that its steps add exactly.
constexpr long long RateSearchLimit = 100000; // 1 000 % a year

// Where the rate search ends: the rate found and the repayments of its last bracket, the rate
// itself (when the search tried it) and 0.01 % above it.
struct RateSearch {
    double rate = 0.0;
    bool limitReached = false;
    bool triedRate = false;
    double atRate = 0.0;
    double aboveRate = 0.0;
    double above = 0.0;
};

RateSearch SolveRate(double principal, double months, double repayment) noexcept
{
    RateSearch search;
    if (principal == 0.0 || months == 0.0 || repayment == 0.0)
        return search;
    long long hundredths = 0;
    for (const long long step : {500LL, 100LL, 10LL, 1LL}) {
        for (;;) {
            hundredths += step;
            if (hundredths >= RateSearchLimit) {
                search.rate = RateSearchLimit / 100.0;
                search.limitReached = true;
                return search;
            }
            const double asked = AnnuityRepayment(principal, months, hundredths / 100.0);
            if (asked > repayment) {
                search.aboveRate = hundredths / 100.0;
                search.above = asked;
                break;
            }
            // The rates that fit only grow: the last one tried is the rate found.
            search.atRate = asked;
            search.triedRate = true;
        }
        hundredths -= step;
    }
    search.rate = hundredths / 100.0;
    return search;
}

// The rate solve's outcome: the bracket the search narrowed to, or why there is no rate.
// `atZero` is the repayment at 0 %, worked out only when the search ends at 0.
void RecordRate(Working& w, const LoanState& loan, const RateSearch& search, double atZero)
{
    constexpr Phrase label{"Interest rate"};
    const auto none = [&](Phrase words, std::initializer_list<WorkedFigure> figures) {
        w.Add(label, words, figures, loan.Rate, FigureKind::Percent);
    };
    if (loan.Principal == 0.0 || loan.Months == 0.0 || loan.Repayment == 0.0)
        return none({"No rate without a principal, a period and a repayment"}, {});
    if (search.limitReached)
        return none({"No rate: even at {1} a year the repayment does not come to {2}"},
                    {Percent(search.rate), Rand(loan.Repayment)});
    if (search.rate == 0.0 && atZero > loan.Repayment)
        return none({"No rate: even at 0 % the repayment is {1}, more than {2}"},
                    {Rand(atZero), Rand(loan.Repayment)});
    w.Add(label, {"The largest rate, to 0.01 %, whose repayment is not above {1} ({2} asks {3}, {4} asks {5})"},
          {Rand(loan.Repayment), Percent(search.rate), Amount(search.triedRate ? search.atRate : atZero),
           Percent(search.aboveRate), Amount(search.above)},
          search.rate, FigureKind::Percent);
    if (search.rate > MostLoanRate)
        none({"No rate: {1} is above the most allowed, {2}"}, {Percent(search.rate), Percent(MostLoanRate)});
}

// The period solve refused: the repayment less a cent never passes the first month's interest.
void RecordNeverRepaid(Working& w, const LoanState& loan, int counted, double interest)
{
    RecordMonthlyRate(w, loan.Rate);
    w.Add({"First month's interest"}, {}, "{1} \u00d7 {2} \u00f7 12", {AsUsed(loan.Principal), Percent(loan.Rate)},
          Bounded(interest));
    w.Add({"Repayment period"}, {"{1} a month is not more than the first month's interest: the loan is never repaid"},
          {w.Step(counted)}, loan.Months, FigureKind::Count);
}

// Whole months of the schedule: the period's whole part, capped at the schedule's size.
int ScheduleMonths(double period) noexcept
{
    if (!(period >= 1.0))
        return 0;
    return static_cast<int>(std::min(std::floor(period), static_cast<double>(MostScheduleLines)));
}

// Compounding at the monthly rate j, through log1p and expm1 so that a tiny rate keeps its
// digits: (1 + j)^k, the value of 1 a month for m months, (1 - (1 + j)^-m) / j, and what 1 a
// month grows to in i months, ((1 + j)^i - 1) / j. At no interest: 1, m and i.
struct Compounding {
    double j;
    double log;
    explicit Compounding(double annualRatePercent) noexcept
        : j(MonthlyRate(annualRatePercent)), log(std::log1p(j))
    {
    }
    double power(double k) const noexcept { return std::exp(k * log); }
    double value(double m) const noexcept { return j == 0.0 ? m : -std::expm1(-m * log) / j; }
    double grown(double i) const noexcept { return j == 0.0 ? i : std::expm1(i * log) / j; }
};

// The monthly schedule, line by line (MonthlySchedule gives the rule).
template <typename OnLine>
void WalkSchedule(const LoanState& loan, OnLine&& onLine) noexcept
{
    const int months = ScheduleMonths(loan.Months);
    if (months == 0)
        return;
    const double n = months;
    const Compounding c(loan.Rate);
    const double annuity = AnnuityRepayment(loan.Principal, n, loan.Rate);
    const double excess = Bounded(loan.Repayment - annuity);
    // Only a repayment beside the annuity's carries the excess's terms, which a rate beyond
    // any the boxes take could turn into 0 x infinity.
    const auto withExcess = [excess](double factor) { return excess == 0.0 ? 0.0 : excess * factor; };
    double balance = loan.Principal;
    for (int i = 1; i <= months; ++i) {
        const double left = Bounded(annuity * c.value(n - i) - withExcess(c.grown(i)));
        if (i == months || !(left > 0.0)) {
            // What is left is paid off, with its month's interest, and the loan ends.
            onLine(ScheduleLine{i, balance, Bounded(balance * c.j), 0.0});
            return;
        }
        const double capital = Bounded(annuity * c.power(i - n - 1.0) + withExcess(c.power(i - 1.0)));
        onLine(ScheduleLine{i, capital, Bounded(loan.Repayment - capital), left});
        balance = left;
    }
}

// The interest the schedule pays, its sum; none when the loan has no schedule (no answer, or a
// principal, period or repayment of 0).
std::optional<double> ScheduleInterest(const LoanState& loan) noexcept
{
    if (!MonthlyScheduleAvailable(loan) || ScheduleMonths(loan.Months) == 0)
        return std::nullopt;
    double interest = 0.0;
    WalkSchedule(loan, [&interest](const ScheduleLine& line) { interest += line.Interest; });
    return Bounded(interest);
}

// The least whole-cent repayment whose period solve finds a period: the one that, less its
// cent, the longest period repays; found from the repayment of the longest period and checked
// by the count itself.
double LeastRepaymentInLongest(double principal, double rate)
{
    const auto repays = [&](double cents) { return CountPeriod(principal, rate, (cents - 1.0) / 100.0).months > 0.0; };
    double cents = std::ceil(AnnuityRepayment(principal, MostLoanMonths, rate) * 100.0) + 1.0;
    for (int tries = 0; tries < 8 && !repays(cents); ++tries)
        cents += 1.0;
    for (int tries = 0; tries < 8 && repays(cents - 1.0); ++tries)
        cents -= 1.0;
    return cents / 100.0;
}

// The least whole number of cents not below `amount`; an amount of whole cents but for the
// noise of its arithmetic (500.0000000001) is that amount.
double LeastWholeCents(double amount) noexcept
{
    double cents = std::ceil(amount * 100.0);
    if ((cents - 1.0) / 100.0 >= amount * (1.0 - 1e-14))
        cents -= 1.0;
    return cents / 100.0;
}

} // namespace

std::string LoanRefusalMessage(const LoanState& loan, LoanSolve outcome)
{
    if (outcome == LoanSolve::RepaymentBelowInterest)
        return "The monthly repayment never repays the loan: it must be more than the first month's interest of R " +
               FormatAmount(FirstMonthInterest(loan.Principal, loan.Rate));
    if (outcome == LoanSolve::RepaymentTooSmall)
        return "The monthly repayment does not repay the loan within " + FormatAmount(MostLoanMonths, 0) +
               " months: it must be at least R " + FormatAmount(LeastRepaymentInLongest(loan.Principal, loan.Rate));
    if (outcome == LoanSolve::RateOutOfReach) {
        const double atZero = AnnuityRepayment(loan.Principal, loan.Months, 0.0);
        if (loan.Repayment < atZero)
            return "The monthly repayment does not repay the loan within " + FormatAmount(loan.Months, 0) +
                   " months, even at 0 %: it must be at least R " + FormatAmount(LeastWholeCents(atZero));
        return "The interest rate would pass " + FormatAmount(MostLoanRate, 0) + " %: at " +
               FormatAmount(MostLoanRate, 0) + " % a year the monthly repayment is R " +
               FormatAmount(AnnuityRepayment(loan.Principal, loan.Months, MostLoanRate));
    }
    return {};
}

std::string_view LoanModeText(LoanMode mode) noexcept
{
    switch (mode) {
    case LoanMode::PrincipalAmount:
        return "Principal amount";
    case LoanMode::RepaymentPeriod:
        return "Repayment period";
    case LoanMode::InterestRate:
        return "Interest rate";
    case LoanMode::MonthlyRepayment:
        break;
    }
    return "Monthly repayment";
}

void LoanInitialise(LoanState& loan) noexcept
{
    const double principal = loan.Principal;
    loan = LoanState{};
    loan.Principal = principal;
}

LoanSolve LoanCalc(LoanState& loan, Working* working)
{
    LoanSolve outcome = LoanSolve::Solved;
    switch (loan.Mode) {
    case LoanMode::MonthlyRepayment:
        loan.Repayment = AnnuityRepayment(loan.Principal, loan.Months, loan.Rate, working);
        break;
    case LoanMode::PrincipalAmount:
        loan.Principal = AnnuityPrincipal(loan.Months, loan.Rate, loan.Repayment, working);
        break;
    case LoanMode::RepaymentPeriod: {
        if (loan.Principal == 0.0 || loan.Repayment == 0.0) {
            // Nothing to count: the count records why and gives 0 months.
            loan.Months = CountPeriod(loan.Principal, loan.Rate, loan.Repayment, working).months;
            break;
        }
        const double counted = Bounded(loan.Repayment - 0.01);
        const int countedStep = working ? working->Add({"Repayment counted"}, {"The repayment less a cent"},
                                                       "{1} \u2212 {2}", {AsUsed(loan.Repayment), Amount(0.01)}, counted)
                                        : 0;
        const double interest = FirstMonthInterest(loan.Principal, loan.Rate);
        if (loan.Principal > 0.0 && loan.Repayment > 0.0 && counted <= interest) {
            loan.Months = 0.0;
            outcome = LoanSolve::RepaymentBelowInterest;
            if (working)
                RecordNeverRepaid(*working, loan, countedStep, interest);
            break;
        }
        const PeriodCount count = CountPeriod(loan.Principal, loan.Rate, counted, working);
        if (count.months == 0.0) {
            // Not within the longest period: the repayment stays as typed, not a cent lower.
            loan.Months = 0.0;
            outcome = LoanSolve::RepaymentTooSmall;
            break;
        }
        loan.Months = count.months;
        loan.Repayment = count.repayment;
        break;
    }
    case LoanMode::InterestRate: {
        const RateSearch search = SolveRate(loan.Principal, loan.Months, loan.Repayment);
        loan.Rate = search.rate;
        const double atZero =
            loan.Rate == 0.0 && loan.Repayment != 0.0 ? AnnuityRepayment(loan.Principal, loan.Months, 0.0) : 0.0;
        if (loan.Rate > MostLoanRate || (loan.Rate == 0.0 && loan.Repayment != 0.0 && atZero > loan.Repayment)) {
            loan.Rate = 0.0;
            outcome = LoanSolve::RateOutOfReach;
        }
        if (working)
            RecordRate(*working, loan, search, atZero);
        break;
    }
    }
    loan.Unsolved = outcome != LoanSolve::Solved;
    return outcome;
}

double LoanTotalRepayments(const LoanState& loan) noexcept
{
    const std::optional<double> interest = ScheduleInterest(loan);
    return Bounded(interest ? loan.Principal + *interest : loan.Repayment * loan.Months);
}

double LoanTotalInterest(const LoanState& loan) noexcept
{
    const std::optional<double> interest = ScheduleInterest(loan);
    return Bounded(interest ? *interest : Bounded(loan.Repayment * loan.Months) - loan.Principal);
}

bool MonthlyScheduleAvailable(const LoanState& loan) noexcept
{
    return !loan.Unsolved && loan.Principal != 0.0 && loan.Months != 0.0 && loan.Repayment != 0.0;
}

bool AnnualScheduleAvailable(const LoanState& loan) noexcept
{
    return !loan.Unsolved && loan.Principal != 0.0 && loan.Repayment != 0.0 && loan.Months >= 13.0;
}

std::vector<ScheduleLine> MonthlySchedule(const LoanState& loan)
{
    std::vector<ScheduleLine> lines;
    lines.reserve(static_cast<std::size_t>(ScheduleMonths(loan.Months)));
    WalkSchedule(loan, [&lines](const ScheduleLine& line) { lines.push_back(line); });
    return lines;
}

AnnualSchedule CalcAnnAmort(const LoanState& loan)
{
    AnnualSchedule annual;
    const std::vector<ScheduleLine> months = MonthlySchedule(loan);
    ScheduleLine year;
    for (std::size_t i = 0; i < months.size(); ++i) {
        year.Capital += months[i].Capital;
        year.Interest += months[i].Interest;
        if ((i + 1) % 12 == 0 || i + 1 == months.size()) {
            year.Period = static_cast<int>(annual.Years.size()) + 1;
            year.Capital = Bounded(year.Capital);
            year.Interest = Bounded(year.Interest);
            year.Balance = months[i].Balance;
            annual.Years.push_back(year);
            year = ScheduleLine{};
        }
    }
    annual.FullYears = static_cast<int>(months.size() / 12);
    annual.Flag = months.size() % 12 == 0 ? 1 : 2;
    return annual;
}

LoanPrintout LoanPrint(const LoanState& loan, AmortKind amort)
{
    LoanPrintout out;
    ReportRow& row = out.Loans;
    const auto add = [&row](const char* name, ReportValue value) { row.push_back({name, std::move(value)}); };
    add("Heading", std::string(LoanModeText(loan.Mode)));
    add("Num1", loan.Principal);
    add("Num2", loan.Months);
    add("Num3", loan.Rate);
    add("Num4", loan.Repayment);
    if (loan.TotalsShown) {
        add("FinText1", std::string("Total Interest"));
        add("FinText1A", std::string(": R"));
        add("FinNum1", LoanTotalInterest(loan));
        add("FinText2", std::string("Total Repayments"));
        add("FinNum2", LoanTotalRepayments(loan));
    } else {
        add("FinText1", std::string());
        add("FinText1A", std::string());
        add("FinNum1", 0.0);
        add("FinText2", std::string());
        add("FinNum2", 0.0);
    }

    struct ModeTexts {
        const char* layout;
        const char* layoutWithSchedule;
        const char* annualTitle;
        const char* monthlyTitle;
    };
    static constexpr ModeTexts Texts[] = {
        {"Lonrepa.rpt", "LonrepaA.rpt", "Annual repayment of Loan with Amortisation",
         "Annual repayment of Loan with Monthly Amortisation"},
        {"LonPrAm.rpt", "LonPrAmA.rpt", "Principal calculation of Loan with Annual Amortisation",
         "Principal calculation of Loan with Monthly Amortisation"},
        {"LonRPer.rpt", "LonRPerA.rpt", "Repayment period calculation of Loan with Annual Amortisation",
         "Repayment period calculation of Loan with Monthly Amortisation"},
        {"LonInRt.rpt", "LonInRtA.rpt", "Interest rate calculation of Loan with Annual Amortisation",
         "Interest rate calculation of Loan with Monthly Amortisation"},
    };
    const int index = static_cast<int>(loan.Mode);
    const ModeTexts& texts = Texts[index >= 0 && index <= 3 ? index : 0];

    if (amort == AmortKind::None) {
        out.Layout = texts.layout;
        return out;
    }
    add("YearMon", std::string(amort == AmortKind::Annual ? "Year" : "Month"));
    out.WritesAmort = true;
    out.Layout = texts.layoutWithSchedule;
    out.Title = std::string(amort == AmortKind::Annual ? texts.annualTitle : texts.monthlyTitle) + ExportHint;
    const std::vector<ScheduleLine> lines = amort == AmortKind::Annual ? CalcAnnAmort(loan).Years : MonthlySchedule(loan);
    out.Amort.reserve(lines.size());
    for (const ScheduleLine& line : lines) {
        out.Amort.push_back({{"Year", static_cast<std::int16_t>(line.Period)},
                             {"Capital", line.Capital},
                             {"Interest", line.Interest},
                             {"Required", line.Balance}});
    }
    return out;
}

} // namespace revora
