#pragma once
// The annuity arithmetic the loan screens share: a loan repaid in equal monthly instalments at
// a nominal annual rate compounded monthly, j = rate / 12 / 100.
//
// Each takes a `Working*`; given, it records its steps from the values it works with: the
// monthly rate j as a factor ("12 % ÷ 12 = 0.01"), then its result with the annuity formula
// filled in ("100 000.00 × 12 % ÷ 12 ÷ (1 − (1 + 12 % ÷ 12)^−240) = 1 101.09"). The formulas
// carry the annual rate over 12 rather than j, whose six decimals shown (11.47 % ÷ 12 =
// 0.009558) would not give the result on a calculator. The last step is the result.

#include <string>
#include <string_view>

#include "common/Working.h"

namespace revora {

// The longest loan the period boxes take, in months.
inline constexpr double MostLoanMonths = 600.0;

// The most an amount box of the financial calculators takes: ten whole digits. Bounding the
// amounts keeps every product the annuity formulas and the yearly compounding form finite.
// The same limit holds each amount box of these screens and each amount option of revora-calc.
inline constexpr double MostFinanceAmount = 9'999'999'999.99;
inline constexpr std::string_view FinanceAmountTitle = "Incorrect Amount!";
// "The maximum amount allowed is R 9 999 999 999.99": what an amount box says of a larger one.
std::string FinanceAmountMessage();

inline double MonthlyRate(double annualRatePercent) noexcept { return annualRatePercent / 12.0 / 100.0; }

// A figure of a working as the arithmetic used it, so that each step checks out on a
// calculator: to the cent when it is a whole number of cents, else with its decimals (up to a
// millionth: 240 x 9644.675012 = 2 314 722.00, where 240 x 9 644.68 would be 2 314 723.20).
// `fromStep` is the step whose amount it is, 0 for none.
WorkedFigure AsUsed(double value, int fromStep = 0) noexcept;

// RPAYMENT: R = j x P / (1 - (1 + j)^-n); 0 unless the principal and the months are non-zero.
// At 0 % a loan is repaid in equal parts, R = P / n: the limit of the formula as j goes to 0,
// where the formula itself would divide 0 by 0.
// Recorded: "Monthly rate", "Monthly repayment".
double AnnuityRepayment(double principal, double months, double annualRatePercent, Working* working = nullptr);

// PAMOUNT: P = (1 - (1 + j)^-n) x R / j; 0 unless the months and the repayment are non-zero.
// At 0 %, P = n x R.
// Recorded: "Monthly rate", "Principal amount".
double AnnuityPrincipal(double months, double annualRatePercent, double repayment, Working* working = nullptr);

// The interest of the first month, P x j: a repayment that does not pay more than this never
// brings the balance down.
inline double FirstMonthInterest(double principal, double annualRatePercent) noexcept
{
    return principal * MonthlyRate(annualRatePercent);
}

struct PeriodCount {
    double months = 0.0;    // whole months; 0 when no period up to 600 repays the loan
    double repayment = 0.0; // the repayment, raised to the cent at which `months` covers the loan
};

// PER: counts n = 1, 2, ... while the present value of n repayments stays below the principal.
//   n passes 600: 0 months, repayment as given;
//   the present value equals the principal: n months;
//   it passes the principal: n - 1 months, and the repayment is raised 0.01 at a time (given
//     + k x 0.01, so the additions do not drift) until n - 1 months cover the principal.
// "Equals" and "covers" allow for the noise of the arithmetic (a hundred-billionth of the
// principal, at most a tenth of a cent): at 0 %, 6 repayments of 19 999.99 + 0.01 repay
// 120 000 exactly, with no cent added. A repayment of whole cents comes back as exactly that
// many cents (20 000, not 19 999.999999999996), so its totals are exact.
// A single repayment that already passes the principal would leave no month to raise the
// repayment over; the count stops there with 1 month and the repayment as given.
// 0 months and the repayment as given unless the principal and the repayment are non-zero; at
// 0 % the present value of n repayments is n x R.
// Recorded: the monthly rate; the values of n - 1 and n repayments, the count's last bracket
// (not every month tried); the raised repayment as given + k x 0.01; last, the months.
PeriodCount CountPeriod(double principal, double annualRatePercent, double repayment, Working* working = nullptr);

// The step "Monthly rate" at this annual rate: the one last recorded when it is at the same
// rate (a loan buster's repayment and its count share one), else a new one.
int RecordMonthlyRate(Working& working, double annualRatePercent);

} // namespace revora
