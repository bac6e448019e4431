#pragma once
// The loan comparison: one amount at one rate repaid over 5, 10, 15, 20, 25 and 30 years.

#include <array>
#include <string>

#include "common/ReportRow.h"
#include "common/Working.h"

namespace revora {

struct LoanComparisonState {
    double Amount = 0.0;
    float Rate = 0.0F; // single precision, as typed
};

struct ComparisonRow {
    int Months = 0;
    std::string Label; // "5 yrs." ... "30 yrs."
    double Repayment = 0.0;
    double TotalInterest = 0.0; // months x repayment - amount (-amount when nothing is repaid)
    double TotalPaid = 0.0;
};

// CompareLoans: for n = 60, 120, ... 360 months, R = RPAYMENT(amount, n, rate).
// Example: 100 000 at 12 %: 20 years 1 101.09 a month, 264 260.67 in all; 5 years 2 224.44.
// `working`, when given, receives the monthly rate once and then, term by term as the grid
// reads, the repayment with the annuity formula, the total interest and the total paid; the
// last step is the 30-year term's total paid, the grid's last figure.
std::array<ComparisonRow, 6> CompareLoans(const LoanComparisonState& state, Working* working = nullptr);

// The one row of "BondComp": PAmt, IntRate, then MonRep1, IntPaid1, Total1 ... MonRep6,
// IntPaid6, Total6.
ReportRow LoanComparisonReportRow(const LoanComparisonState& state, const std::array<ComparisonRow, 6>& rows);

} // namespace revora
