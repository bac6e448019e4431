#include "tax/TaxEngine.h"

#include "tax/TaxYearRules.h"

namespace revora {

void TaxFromTable(TaxBracketResult& record) noexcept
{
    const double income = record.TaxableIncome;
    // Bracket 1 takes every income up to its ceiling; the rest are tested upward, and the
    // last bracket takes whatever remains (also a NaN, which then shows as bracket 6).
    std::size_t chosen = TaxTable.size() - 1;
    for (std::size_t i = 0; i + 1 < TaxTable.size(); ++i) {
        if (income <= TaxTable[i].ceiling) {
            chosen = i;
            break;
        }
    }
    const TaxBracket& bracket = TaxTable[chosen];
    record.MarginalRate = bracket.rate;
    record.BracketFloor = bracket.floor;
    record.BracketCeiling = bracket.ceiling;
    record.BaseTax = bracket.baseTax;
    record.PortionTax = (income - bracket.floor) * bracket.rate / 100.0;
    record.TaxBeforeRebates = record.BaseTax + record.PortionTax;
}

int RecordTableTax(Working& working, const TaxBracketResult& record, WorkedFigure income)
{
    income.Kind = FigureKind::Amount;
    return working.Add({"Tax from the table", "Belasting volgens die tabel"},
                       {"Tax on {1} from the table", "Belasting op {1} volgens die tabel"},
                       "{2} + {3} of ({4} \u2212 {5})",
                       {Rand(record.TaxableIncome), Amount(record.BaseTax), Percent(record.MarginalRate), income,
                        Amount(record.BracketFloor)},
                       record.TaxBeforeRebates);
}

} // namespace revora
