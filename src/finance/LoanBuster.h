#pragma once
// The loan buster: what a fixed extra monthly payment does to a loan, how many months sooner
// it is paid off, the new repayment and totals, and the saving.

#include <cstdint>

#include "tax/ReportRow.h"

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
};

// BBCalc. R = RPAYMENT over the period; totals R x period - principal and period x R (0 when
// negative). When 10 x R >= X (the extra): X less 0.01, PER on R + X gives n' and R'' (raised
// to the cent); X = R'' - R when the extra typed is not 0, else 0; new totals R'' x n' -
// principal and n' x R'' (0 when negative), saving = period x R - n' x R''; with X 0 the new
// totals equal the old and the saving is 0. When 10 x R < X, the second column keeps
// `previous` and X stays as typed. X is written back into state.Extra.
// Example: 100 000, 240 months, 12 %, extra 100: R 1 101.09, n' 179, R'' 1 202.58, extra
// afterwards 101.49, saving 48 999.54.
LoanBusterResult BBCalc(LoanBusterState& state, std::int16_t period, const LoanBusterResult& previous) noexcept;

// The one row of "BondBust": PAmt, Period, IntRate, MonRep, TotIntPaid, TotRep, XtraPay, Xper,
// XMonRep, XTotIntPaid, XTotRep, XTotSavings.
ReportRow LoanBusterReportRow(const LoanBusterState& state, std::int16_t period, const LoanBusterResult& result);

} // namespace revora
