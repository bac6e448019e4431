// A tax year's file of any bytes, read as the data folder's 2024.json: it is refused with a
// StorageError, or the year it gives holds together and taxes every income within the table,
// from nothing to the whole income.

#include <QByteArray>
#include <QString>

#include "Database.h"
#include "FuzzInput.h"
#include "TaxYearData.h"
#include "tax/TaxEngine.h"

using namespace revora;
using namespace revora::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray json(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TaxYear year;
    try {
        year = TaxYearFromJson(json, QStringLiteral("tax-years/2024.json"));
    } catch (const StorageError& e) {
        Require(!e.message().isEmpty(), "a refusal without a reason");
        return 0;
    }
    Require(year.Year == 2024, "a year other than the file's name");
    Require(TaxYearFaults(year).empty(), "a year with faults was taken");
    for (const double income : {0.0, 1.0, 250000.0, 1e6, LargestTaxYearAmount, 1e12}) {
        TaxBracketResult record{.TaxableIncome = income};
        TaxFromTable(record, year);
        FiniteNotNegative(record.TaxBeforeRebates, "tax before rebates");
        // Each base continues from the bracket below to within half a rand, a rand a bracket.
        Require(record.TaxBeforeRebates <= income + static_cast<double>(year.Brackets.size()),
                "a tax above the income");
        FiniteNotNegative(RebateForAge(80, year), "rebate");
    }
    return 0;
}
