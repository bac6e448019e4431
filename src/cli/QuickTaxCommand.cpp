// revora-calc quicktax: the quick tax screen's figures for a taxable income and an age.

#include <cmath>
#include <iostream>

#include "CalcCommand.h"
#include "CalcOutput.h"
#include "tax/QuickTax.h"

namespace revora::cli {

namespace {

const OptionDef Income{.name = "income", .kind = OptionKind::Amount, .help = "annual taxable income (required)",
                       .most = MostQuickTaxIncome};

int QuickTax(const ParsedOptions& options)
{
    const double income = options.requiredNumber(Income);
    const std::int16_t age = options.count(AgeOption, 0);
    const TaxYear year = ChosenTaxYear(options);
    CheckReportFile(options);

    AppState state = MakeState(options);
    state.Tax.TaxBracketResult.TaxableIncome = income;
    state.Tax.QuickTax.Age = age;
    Working working;
    QuickTaxCalculate(state.Tax.QuickTax, state.Tax.TaxBracketResult, year, Explaining(options, working));
    const TaxBracketResult& r = state.Tax.TaxBracketResult;
    const QuickTaxState& q = state.Tax.QuickTax;
    const std::vector<Figure> figures{
                  {"TaxableIncome", "Taxable Income", r.TaxableIncome, 2},
                  {"Age", "Age", static_cast<double>(q.Age), 0},
                  {"BaseTax", "Tax on taxable income", r.BaseTax, 2},
                  {"MarginalRate", "Marginal rate (%)", r.MarginalRate, 2},
                  {"PortionTax", "+ Portion @ M/Rate", r.PortionTax, 2},
                  {"TotalTax", "Total tax", q.TotalTax, 2},
                  {"TotalRebate", "Less rebates", q.TotalRebate, 2},
                  {"TaxCommitment", "Tax commitment", q.TaxCommitment, 2},
                  {"AverageRate", "Average rate before rebates", q.AverageRate, 4},
                  {"AverageRateAfterRebates", "Average rate after rebates", q.AverageRateAfterRebates, 4}};
    // An income near the largest number a double holds overflows on the way; no box takes one
    // that large, and no figure of infinity may be printed or stored.
    for (const Figure& figure : figures)
        if (!std::isfinite(figure.value))
            throw UsageError("--" + Income.name + ": the amounts are too large to work with");
    const Working* explained = Explaining(options, working);
    PrintFigures(std::cout, figures, options.has(JsonOption), explained);
    return Output(state,
                  options,
                  {"kwiktax", "kwiktep.rpt", QStringLiteral("QuickTax") + ExportHint},
                  QuickTaxReportRow(state.Tax.QuickTax, state.Tax.TaxBracketResult),
                  {explained});
}

} // namespace

std::vector<Subcommand> QuickTaxCommands()
{
    return {
        {"quicktax", "annual income tax on a taxable income for an age",
         WithCommon({&Income, &AgeOption, &YearOption, &ExplainOption}),
         QuickTax},
    };
}

} // namespace revora::cli
