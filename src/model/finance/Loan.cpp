#include "finance/Loan.h"

#include <algorithm>
#include <cmath>
#include <limits>

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
    const int rate = RecordMonthlyRate(w, loan.Rate);
    w.Add({"First month's interest"}, {}, "{1} \u00d7 {2}", {Amount(loan.Principal), w.Step(rate)}, Bounded(interest));
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

} // namespace

std::string LoanRefusalMessage(const LoanState& loan, LoanSolve outcome)
{
    if (outcome == LoanSolve::RepaymentBelowInterest)
        return "The monthly repayment never repays the loan: it must be more than the first month's interest of R " +
               FormatAmount(FirstMonthInterest(loan.Principal, loan.Rate));
    if (outcome == LoanSolve::RepaymentTooSmall)
        return "The monthly repayment does not repay the loan within " + FormatAmount(MostLoanMonths, 0) +
               " months: it must be at least R " + FormatAmount(LeastRepaymentInLongest(loan.Principal, loan.Rate));
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
                                                       "{1} \u2212 {2}", {Amount(loan.Repayment), Amount(0.01)}, counted)
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
    return Bounded(loan.Repayment * loan.Months);
}

double LoanTotalInterest(const LoanState& loan) noexcept
{
    return Bounded(LoanTotalRepayments(loan) - loan.Principal);
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
    const int months = ScheduleMonths(loan.Months);
    if (months == 0)
        return lines;
    const double n = loan.Months;
    const double j = MonthlyRate(loan.Rate);
    const double repayment = AnnuityRepayment(loan.Principal, n, loan.Rate);
    lines.reserve(static_cast<std::size_t>(months));
    double balance = loan.Principal;
    for (int i = 1; i <= months; ++i) {
        const double capital = Bounded(repayment * std::pow(1.0 + j, i - n - 1.0));
        balance = Bounded(std::fabs(balance - capital));
        lines.push_back({i, capital, Bounded(repayment - capital), balance});
    }
    return lines;
}

AnnualSchedule CalcAnnAmort(const LoanState& loan)
{
    AnnualSchedule annual;
    const std::vector<ScheduleLine> months = MonthlySchedule(loan);
    double capitalSum = 0.0;
    double interestSum = 0.0;
    ScheduleLine year;
    for (const ScheduleLine& month : months) {
        year.Capital += month.Capital;
        year.Interest += month.Interest;
        if (month.Period % 12 == 0) {
            year.Period = month.Period / 12;
            year.Capital = Bounded(year.Capital);
            year.Interest = Bounded(year.Interest);
            year.Balance = month.Balance;
            annual.Years.push_back(year);
            capitalSum = Bounded(capitalSum + year.Capital);
            interestSum = Bounded(interestSum + year.Interest);
            year = ScheduleLine{};
        }
    }
    annual.FullYears = static_cast<int>(annual.Years.size());
    annual.Flag = 1;
    if (months.size() % 12 != 0) {
        const double repayment = AnnuityRepayment(loan.Principal, loan.Months, loan.Rate);
        const double charges = Bounded(Bounded(repayment * loan.Months) - loan.Principal);
        annual.Flag = 2;
        annual.Years.push_back({annual.FullYears + 1, Bounded(loan.Principal - capitalSum),
                                Bounded(charges - interestSum), 0.0});
    }
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
