#pragma once
// The loan calculator: of a loan's principal, period (months), annual rate and monthly
// repayment, one is solved from the other three; the totals, the monthly and annual
// amortisation schedules and the printout follow from the four.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/ReportRow.h"
#include "common/Working.h"

namespace revora {

enum class LoanMode : int { MonthlyRepayment = 0, PrincipalAmount = 1, RepaymentPeriod = 2, InterestRate = 3 };

// "Monthly repayment", "Principal amount", "Repayment period", "Interest rate".
std::string_view LoanModeText(LoanMode mode) noexcept;

// The box limits and their messages.
inline constexpr double MostLoanRate = 50.0;
inline constexpr std::string_view LoanRateTitle = "Incorrect Interest Rate!";
inline constexpr std::string_view LoanRateMessage = "The maximum interest rate allowed is 50%";
inline constexpr std::string_view LoanPeriodTitle = "Incorrect Period!";
inline constexpr std::string_view LoanPeriodMessage = "The maximum period  allowed is 600 months";
// Shown over a solved rate above 50.
inline constexpr std::string_view LoanRateErrorText = "   Error";
// The title of every solve refused for the repayment typed (LoanRefusalMessage).
inline constexpr std::string_view LoanRepaymentTitle = "Incorrect Monthly Repayment!";

// The program-wide loan values; they outlive the screen.
struct LoanState {
    double Principal = 0.0;
    double Months = 0.0; // whole months, at most 600
    double Rate = 0.0;   // percent a year, at most 50 as typed
    double Repayment = 0.0;
    LoanMode Mode = LoanMode::MonthlyRepayment;
    bool TotalsShown = false; // "DOWN": the total interest and total repayments are shown
    // The last calculation found no answer: until one does, there is no schedule, graph or
    // printout, so nothing is drawn or printed from a figure that does not belong to the inputs.
    bool Unsolved = false;
};

// "&Initialise All": period, rate and repayment 0, mode "Monthly repayment", totals hidden;
// the principal is kept.
void LoanInitialise(LoanState& loan) noexcept;

enum class LoanSolve {
    Solved,
    RateOutOfReach,         // no rate from 0 to 50 % gives the repayment ("   Error" over the rate)
    RepaymentBelowInterest, // the repayment does not cover the first month's interest
    RepaymentTooSmall,      // it does, but no period up to 600 months repays the loan
};

// Why a solve found no answer, under LoanRepaymentTitle, with the figure the repayment must
// pass or keep within. A period solve (RepaymentBelowInterest, RepaymentTooSmall):
//   "The monthly repayment never repays the loan: it must be more than the first month's
//    interest of R 875.00"
//   "The monthly repayment does not repay the loan within 600 months: it must be at least
//    R 1 002.58" (the least whole-cent repayment that, less its cent, 600 months repay).
// A rate solve (RateOutOfReach), by which side of the rates 0 to 50 % the repayment lies:
//   "The interest rate would pass 50 %: at 50 % a year the monthly repayment is R 10 758.51"
//    (100 000 over 12 months)
//   "The monthly repayment does not repay the loan within 240 months, even at 0 %: it must be
//    at least R 416.67" (the principal over the period, up to the cent).
// Empty for a solve with an answer.
std::string LoanRefusalMessage(const LoanState& loan, LoanSolve outcome);

// LoanCalc, by the mode:
//   Monthly repayment: RPAYMENT.
//   Principal amount: PAMOUNT.
//   Repayment period: period 0, repayment less 0.01, then PER (CountPeriod), which sets the
//     period and may raise the repayment. A repayment that, less 0.01, does not pay more than
//     the first month's interest P x j never repays the loan, and one that 600 months of do
//     not repay does not within the longest period: each refused, the typed values kept.
//     Without a principal or a repayment the period is 0, the repayment as typed.
//   Interest rate: the largest rate on the 0.01 grid whose repayment does not exceed the one
//     typed, searched in steps of 5, 1, 0.1 and 0.01 (rate = whole hundredths, so the steps
//     do not drift); 0 unless principal, period and repayment are all non-zero. A rate above
//     50, or a repayment below P / n (which not even 0 % repays), has no answer.
// When there is no answer the solved value becomes 0 and Unsolved is set, so the other modes,
// the schedules and the printout find nothing of it; the three typed values are kept.
// Example: 100 000 over 240 months at 12 %: repayment 1 101.086...; a repayment of 1 101.09
// solves to 12.000 and 1 101.08 to 11.990; 1 000 at 12 % paying 300 solves to 3 months with
// the repayment raised from 299.99 to 340.03; at 0 % 120 000 over 240 months is 500 a month;
// 1 001 a month on 100 000 at 12 % is refused: it must be at least 1 002.58.
// `working`, when given, receives the steps of the solve; the last is the value solved for:
//   repayment and principal: the monthly rate and the annuity formula filled in;
//   period: the repayment less a cent, then the count (the values of the months either side of
//     the principal, the raise in whole cents) or the first month's interest it does not pass;
//   rate: only the search's outcome, with its last bracket (the rate found and 0.01 % more, and
//     the repayment each asks) as figures, not every rate tried.
// A solve with no answer ends on 0 with the reason in words.
LoanSolve LoanCalc(LoanState& loan, Working* working = nullptr);

// The schedule's sums: total interest = the interest of every month of the monthly schedule,
// total repayments = the principal and that interest. A loan without a schedule (no answer,
// or a principal, period or repayment of 0) keeps repayment x period and that less the
// principal. At the annuity's own repayment the total repayments are repayment x period
// (100 000 over 240 months at 12 %: 264 260.67, interest 164 260.67); a repayment above it pays
// less in the last month (600 000 over 180 months at 11.47 % paying 7 000: 1 258 906.94,
// interest 658 906.94, not 7 000 x 180 = 1 260 000).
double LoanTotalRepayments(const LoanState& loan) noexcept;
double LoanTotalInterest(const LoanState& loan) noexcept;

struct ScheduleLine {
    int Period = 0; // month or year number, from 1
    double Capital = 0.0;
    double Interest = 0.0;
    double Balance = 0.0;
};

// "Mo&nthly Amort." needs the principal, the period and the repayment non-zero; "&Annual
// Amort.", "Annual &Graph" and the annual printout need the principal and the repayment
// non-zero and at least 13 months. The rate may be 0; an unsolved loan has neither.
bool MonthlyScheduleAvailable(const LoanState& loan) noexcept;
bool AnnualScheduleAvailable(const LoanState& loan) noexcept;

// Every month pays the loan's repayment R at its rate (a solved rate with the repayment typed,
// a solved period with its raised repayment), and the last month pays off what is left: the
// balance and its month's interest. So the rows, the totals, the graph and the printout are
// one account of the repayment shown. With A = RPAYMENT of the principal and the period n
// (the repayment that leaves exactly 0 after n months) and e = R - A, month i = 1..n:
//   capital = A x (1 + j)^(i - n - 1) + e x (1 + j)^(i - 1); interest = R - capital;
//   balance = A x (1 - (1 + j)^-(n - i)) / j - e x ((1 + j)^i - 1) / j;
// worked in that closed form, not month from month, so that no rounding compounds at high
// rates over long periods; at e = 0 it is the annuity's own schedule. A balance paid off before
// month n (a repayment well above A) ends the schedule in the month that pays it off. Empty
// when the period is below 1; at 0 % every month repays R of capital.
std::vector<ScheduleLine> MonthlySchedule(const LoanState& loan);

struct AnnualSchedule {
    std::vector<ScheduleLine> Years; // the full years, then the part year when there is one
    int FullYears = 0;
    int Flag = 1; // 1: a whole number of years; 2: a part year ends the schedule
};

// CalcAnnAmort: the monthly schedule summed by twelves; year k's balance is the balance after
// month 12k. Months beyond the last twelve make a part year (Flag 2), balance 0. A 30-month
// loan gives three lines, a 24-month one two.
AnnualSchedule CalcAnnAmort(const LoanState& loan);

enum class AmortKind { None, Annual, Monthly };

struct LoanPrintout {
    ReportRow Loans;              // the one row of "Loans"
    bool WritesAmort = false;     // "Amort" is emptied and refilled only with a schedule
    std::vector<ReportRow> Amort; // Year, Capital, Interest, Required (the balance)
    std::string Layout;           // "Lonrepa.rpt" ... "LonInRtA.rpt"
    std::string Title;            // empty without a schedule: the report window keeps its title
};

// LoanPrint: Heading (the mode's text), Num1..Num4; FinText1 "Total Interest", FinText1A
// ": R", FinNum1, FinText2 "Total Repayments", FinNum2 when the totals are shown, else empty
// texts and 0; YearMon "Year" or "Month" with a schedule. The layout and title by the mode and
// the schedule kind.
LoanPrintout LoanPrint(const LoanState& loan, AmortKind amort);

} // namespace revora
