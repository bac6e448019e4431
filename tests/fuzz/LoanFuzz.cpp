// The loan calculator in all four solve modes, then its totals, both schedules and every
// printout. A loan the boxes allow solves to finite values, and the schedules' balances are
// finite and not negative, down to 0 in the last line.

#include "FuzzInput.h"
#include "finance/Annuity.h"
#include "finance/Loan.h"

using namespace revora;
using namespace revora::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const double most = in.Scale();
    LoanState loan;
    loan.Mode = static_cast<LoanMode>(in.Int(0, 3));
    loan.Principal = in.Amount(most, false, {100000.0, 1000000.0});
    loan.Months = static_cast<double>(in.Pick<std::int64_t>({0, 1, 12, 13, 240, 600, in.Int(0, 600)}));
    loan.Rate = in.Rate(MostLoanRate, {0.0, 0.001, 12.0, 50.0});
    loan.Repayment = in.Amount(most, false, {1101.09, 1101.08, 300.0});
    loan.TotalsShown = in.Flag();

    const LoanSolve outcome = LoanCalc(loan);
    Finite(loan.Principal, "principal");
    Finite(loan.Repayment, "repayment");
    FiniteNotNegative(loan.Months, "period");
    FiniteNotNegative(loan.Rate, "rate");
    Require(loan.Months <= MostLoanMonths, "a period beyond 600 months");
    Require(loan.Months == std::floor(loan.Months), "a period of whole months");
    Require(loan.Rate <= MostLoanRate || loan.Mode != LoanMode::InterestRate,
            "a solved rate beyond what the rate box takes");
    Require(loan.Unsolved == (outcome != LoanSolve::Solved), "an unsolved loan is marked");
    Finite(LoanTotalRepayments(loan), "total repayments");
    Finite(LoanTotalInterest(loan), "total interest");

    if (MonthlyScheduleAvailable(loan)) {
        const std::vector<ScheduleLine> lines = MonthlySchedule(loan);
        // One line a month, until the month that pays the loan off.
        Require(!lines.empty() && lines.size() <= static_cast<std::size_t>(loan.Months), "at most one line a month");
        Require(lines.back().Balance == 0.0, "the last line pays the loan off");
        for (const ScheduleLine& line : lines) {
            Finite(line.Capital, "monthly capital");
            Finite(line.Interest, "monthly interest");
            FiniteNotNegative(line.Balance, "monthly balance");
        }
    }
    if (AnnualScheduleAvailable(loan)) {
        const AnnualSchedule annual = CalcAnnAmort(loan);
        Require(annual.Flag == 1 || annual.Flag == 2, "the part-year flag is 1 or 2");
        Require(annual.Years.size() == static_cast<std::size_t>(annual.FullYears) + (annual.Flag == 2 ? 1 : 0),
                "one line a year and one for a part year");
        for (const ScheduleLine& line : annual.Years) {
            Finite(line.Capital, "annual capital");
            Finite(line.Interest, "annual interest");
            FiniteNotNegative(line.Balance, "annual balance");
        }
    }
    for (const AmortKind kind : {AmortKind::None, AmortKind::Annual, AmortKind::Monthly}) {
        if ((kind == AmortKind::Annual && !AnnualScheduleAvailable(loan))
            || (kind == AmortKind::Monthly && !MonthlyScheduleAvailable(loan)))
            continue;
        const LoanPrintout printout = LoanPrint(loan, kind);
        FiniteRow(printout.Loans, "loan printout");
        FiniteRows(printout.Amort, "amortisation printout");
    }
    LoanInitialise(loan);
    return 0;
}
