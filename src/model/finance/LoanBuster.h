#pragma once
// The loan buster: what a fixed extra monthly payment does to a loan, how many months sooner
// it is paid off, the new repayment and totals, and the saving.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/ReportRow.h"
#include "common/Working.h"

namespace revora {

// The program-wide values; the period belongs to the screen.
struct LoanBusterState {
    double Principal = 0.0;
    float Rate = 0.0F; // held in single precision, as typed
    double Extra = 0.0; // the extra payment a month; BBCalc writes back the extra actually needed
};

struct LoanBusterResult {
    double Repayment = 0.0;
    double TotalInterest = 0.0;
    double TotalRepayments = 0.0;
    double NewPeriod = 0.0;
    double NewRepayment = 0.0;
    double NewTotalInterest = 0.0;
    double NewTotalRepayments = 0.0;
    double Saving = 0.0;
    // The extra is more than ten repayments: not applied, the second column left empty.
    bool ExtraRefused = false;
};

inline constexpr double MostExtraRepayments = 10.0; // the extra may be at most 10 x R
inline constexpr std::string_view ExtraPaymentTitle = "Incorrect Extra Payment!";
// The extra refused; the largest extra allowed (10 x R) as shown.
std::string ExtraTooLargeMessage(std::string_view mostAsShown);

// BBCalc. R = RPAYMENT over the period; totals R x period - principal and period x R (0 when
// negative). When 10 x R >= X (the extra): X less 0.01, PER on R + X gives n' and R'' (raised
// to the cent); X = R'' - R when the extra typed is not 0, else 0; new totals R'' x n' -
// principal and n' x R'' (0 when negative), saving = period x R - n' x R''. With X 0 the
// second column is the loan as it stands: n' = period, R'' = R, the same totals, saving 0.
// When 10 x R < X the extra is refused: X stays as typed and the second column is empty (0),
// so no figure of an earlier extra stands beside this one. X is written back into state.Extra.
// At 0 %, R = principal / period, and with an extra payment the new totals are no interest and the
// principal (the last month pays what is left), so the saving is 0.
// Example: 100 000, 240 months, 12 %, extra 100: R 1 101.09, n' 179, R'' 1 202.58, extra
// afterwards 101.49, saving 48 999.54.
// `working`, when given, receives the steps in the screen's order: R with the annuity formula,
// the two totals, then with an extra payment R + X less a cent, the count (see CountPeriod),
// the extra payment needed, the new totals; the last step is the total saving, 0 with the
// reason in words when no extra payment is applied.
LoanBusterResult BBCalc(LoanBusterState& state, std::int16_t period, Working* working = nullptr);

// The one row of "BondBust": PAmt, Period, IntRate, MonRep, TotIntPaid, TotRep, XtraPay, Xper,
// XMonRep, XTotIntPaid, XTotRep, XTotSavings.
ReportRow LoanBusterReportRow(const LoanBusterState& state, std::int16_t period, const LoanBusterResult& result);

} // namespace revora
