// The loan comparison over six periods on any amount and rate the boxes allow, and its
// printout.

#include "FuzzInput.h"
#include "finance/LoanComparison.h"

using namespace revora;
using namespace revora::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    LoanComparisonState state;
    state.Amount = in.AmountUpTo(in.Scale(), {100000.0});
    state.Rate = static_cast<float>(in.Rate(50.0, {0.0, 0.01, 12.0, 50.0}));

    const std::array<ComparisonRow, 6> rows = CompareLoans(state);
    int months = 0;
    for (const ComparisonRow& row : rows) {
        months += 60;
        Require(row.Months == months, "five years more on each line");
        FiniteNotNegative(row.Repayment, "comparison repayment");
        FiniteNotNegative(row.TotalPaid, "comparison total paid");
        Finite(row.TotalInterest, "comparison total interest");
    }
    FiniteRow(LoanComparisonReportRow(state, rows), "loan comparison printout");
    return 0;
}
