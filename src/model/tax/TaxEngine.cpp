#include "tax/TaxEngine.h"

#include <cmath>

#include "tax/TaxYearRules.h"

namespace revora {

namespace {

// The record holds a bracket's rate as percent; the year holds it as a share. Rounded to four
// decimals of a percent so that a share such as 0.29 gives 29 exactly, not 28.999999999999996,
// and the portion is worked as it always was.
double PercentOf(double share) noexcept
{
    return std::round(share * 1e6) / 1e4;
}

} // namespace

void TaxFromTable(TaxBracketResult& record, const TaxYear& year) noexcept
{
    const std::vector<TaxYearBracket>& brackets = year.Brackets;
    const double income = record.TaxableIncome;
    // The first bracket takes every income up to the second one's Over; the rest are tested
    // upward, and the top bracket takes whatever remains (also a NaN, which then shows as the
    // top bracket).
    std::size_t chosen = brackets.size() - 1;
    for (std::size_t i = 0; i < chosen; ++i) {
        if (income <= brackets[i + 1].Over) {
            chosen = i;
            break;
        }
    }
    const TaxYearBracket& bracket = brackets[chosen];
    record.MarginalRate = PercentOf(bracket.Rate);
    record.BracketFloor = bracket.Over;
    record.BracketCeiling = chosen + 1 < brackets.size() ? brackets[chosen + 1].Over : TopBracketCeiling;
    record.BaseTax = bracket.Base;
    record.PortionTax = (income - record.BracketFloor) * record.MarginalRate / 100.0;
    record.TaxBeforeRebates = record.BaseTax + record.PortionTax;
}

void TaxFromTable(TaxBracketResult& record) noexcept
{
    TaxFromTable(record, TaxYear2016());
}

double RebateForAge(std::int16_t age, const TaxYear& year) noexcept
{
    const TaxYearRebates& rebates = year.Rebates;
    if (age >= 75)
        return rebates.Primary + rebates.Secondary + rebates.Tertiary;
    if (age >= 65)
        return rebates.Primary + rebates.Secondary;
    return rebates.Primary;
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
