#include "tax/QuickTax.h"

#include <cmath>

#include "tax/TaxYearRules.h"

namespace revora {

namespace {

// Out of line, so the calculation without a working stays as lean as it was.
[[gnu::noinline]] void RecordQuickTax(Working& w, const QuickTaxState& state, const TaxBracketResult& record)
{
    const int income = w.Add({"Taxable income"}, {}, {}, record.TaxableIncome);
    const int tax = RecordTableTax(w, record, w.Step(income));
    const int primary = w.Add({"Primary rebate"}, {}, {}, state.PrimaryRebate);
    int rebates = primary;
    if (state.AgePart > 0.0) {
        const int age = w.Add({"Rebate for age"},
                              {state.Age > 74 ? "Secondary and tertiary rebates, age {1}" : "Secondary rebate, age {1}"},
                              {Count(state.Age)}, state.AgePart);
        rebates = w.Add({"Total rebates"}, {}, "{1} + {2}", {w.Step(primary), w.Step(age)}, state.TotalRebate);
    }
    if (record.TaxBeforeRebates > 0.0) {
        w.Add({"Average rate before rebates"}, {}, "{1} \u00f7 {2}", {w.Step(tax), w.Step(income)},
              state.AverageRate, FigureKind::Percent);
        if (state.AverageRateAfterRebates > 0.0)
            w.Add({"Average rate after rebates"}, {}, "({1} \u2212 {2}) \u00f7 {3}",
                  {w.Step(tax), w.Step(rebates), w.Step(income)}, state.AverageRateAfterRebates, FigureKind::Percent);
    }
    if (state.TaxCommitment > 0.0)
        w.Add({"Tax commitment"}, {"Tax less rebates"}, "{1} \u2212 {2}", {w.Step(tax), w.Step(rebates)},
              state.TaxCommitment);
    else
        w.Add({"Tax commitment"}, {"The rebates cover the tax"}, {}, state.TaxCommitment);
}

} // namespace

void QuickTaxCalculate(QuickTaxState& state, TaxBracketResult& record, const TaxYear& year, Working* working)
{
    const TaxYearRebates& rebates = year.Rebates;
    state.IncomeCopy = record.TaxableIncome;
    state.PrimaryRebate = rebates.Primary;
    if (state.Age > 74)
        state.AgePart = rebates.Secondary + rebates.Tertiary;
    else if (state.Age > 64)
        state.AgePart = rebates.Secondary;
    else
        state.AgePart = 0.0;
    state.TotalRebate = std::floor(state.PrimaryRebate + state.AgePart);

    record.TaxBeforeRebates = 0.0;
    state.TotalTax = 0.0;
    state.TaxCommitment = 0.0;
    TaxFromTable(record, year);

    const bool taxed = record.TaxBeforeRebates > 0.0;
    state.AverageRate = taxed ? record.TaxBeforeRebates / record.TaxableIncome * 100.0 : record.MarginalRate;
    state.TotalTax = record.TaxBeforeRebates;
    state.TaxCommitment = state.TotalTax - state.TotalRebate;
    if (state.TaxCommitment < 0.0)
        state.TaxCommitment = 0.0;
    state.AverageRateAfterRebates =
        taxed ? (record.TaxBeforeRebates - state.TotalRebate) / record.TaxableIncome * 100.0 : 0.0;
    if (state.AverageRateAfterRebates < 0.0)
        state.AverageRateAfterRebates = 0.0;
    if (working) [[unlikely]]
        RecordQuickTax(*working, state, record);
}

void QuickTaxCalculate(QuickTaxState& state, TaxBracketResult& record, Working* working)
{
    QuickTaxCalculate(state, record, TaxYear2016(), working);
}

std::string QuickTaxIncomeNote(std::string_view from)
{
    if (from.empty())
        return {};
    return "from " + std::string(from) + "'s last calculation";
}

void QuickTaxInitialise(QuickTaxState& state) noexcept
{
    state.TotalTax = 0.0;
    state.TaxCommitment = 0.0;
    state.PrimaryRebate = 0.0;
    state.AverageRate = 0.0;
}

ReportRow QuickTaxReportRow(const QuickTaxState& state, const TaxBracketResult& record)
{
    return {
        {"AGE", state.Age},
        {"TAXINCOME", state.IncomeCopy},
        {"TAXTOPAY", record.BaseTax},
        {"MARGRATE", record.MarginalRate},
        {"PORTION", record.PortionTax},
        {"TOTTAX", state.TotalTax},
        {"REBATE", state.TotalRebate},
        {"TAXCOM4", state.TaxCommitment},
        {"AVRATE", state.AverageRate},
        {"AVRATEAFT", state.AverageRateAfterRebates},
        {"TAXCOM4/2", state.TaxCommitment / 12.0},
    };
}

} // namespace revora
