#include "finance/LoanComparison.h"

#include <cmath>
#include <limits>

#include "common/Bounded.h"
#include "finance/Annuity.h"

namespace revora {

std::array<ComparisonRow, 6> CompareLoans(const LoanComparisonState& state, Working* working)
{
    std::array<ComparisonRow, 6> rows;
    for (int k = 0; k < 6; ++k) {
        ComparisonRow& row = rows[static_cast<std::size_t>(k)];
        row.Months = 60 * (k + 1);
        row.Label = std::to_string(row.Months / 12) + " yrs.";
        row.Repayment = AnnuityRepayment(state.Amount, row.Months, static_cast<double>(state.Rate), working);
        row.TotalPaid = Bounded(row.Months * row.Repayment);
        row.TotalInterest = Bounded(row.TotalPaid - state.Amount);
        if (working) {
            // The repayment as it was multiplied, not to the cent: 60 x 27 647.90 is not the
            // total of 60 x 27 647.901...
            const WorkedFigure repayment = AsUsed(row.Repayment, static_cast<int>(working->Steps().size()));
            working->Add({"Total interest"}, {"Interest over {1} months"}, "{1} \u00d7 {2} \u2212 {3}",
                         {Count(row.Months), repayment, AsUsed(state.Amount)}, row.TotalInterest);
            working->Add({"Total paid"}, {"Total paid over {1} months"}, "{1} \u00d7 {2}", {Count(row.Months), repayment},
                         row.TotalPaid);
        }
    }
    return rows;
}

ReportRow LoanComparisonReportRow(const LoanComparisonState& state, const std::array<ComparisonRow, 6>& rows)
{
    ReportRow row{{"PAmt", state.Amount}, {"IntRate", static_cast<double>(state.Rate)}};
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const std::string number = std::to_string(k + 1);
        row.push_back({"MonRep" + number, rows[k].Repayment});
        row.push_back({"IntPaid" + number, rows[k].TotalInterest});
        row.push_back({"Total" + number, rows[k].TotalPaid});
    }
    return row;
}

} // namespace revora
