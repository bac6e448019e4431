// The net salary from a package on the two Avanta screens, and its printout.

#include "PackageFuzzInput.h"

using namespace revora;
using namespace revora::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const PackageKind screen = in.Flag() ? PackageKind::AvantaMonthly : PackageKind::AvantaAnnual;
    const PackageSettings settings = ReadPackageSettings(in);
    const double package = in.Amount(LargestTypedAmount, in.Flag(), {181900.0, 284100.0, 701300.0});
    PackageInputs inputs = ReadPackageInputs(in, package, in.Flag() ? 100'000.0 : LargestTypedAmount);
    const std::string taxpayer = in.Text(50);

    PackageResult result;
    TaxBracketResult record;
    const PackageOutcome outcome = SalPackForward(screen, inputs, settings, result, record);
    Require(outcome == PackageOutcome::Done || outcome == PackageOutcome::NoAmount,
            "the forward calculation refuses only for want of an amount");
    CheckPackageResult(result);
    CheckPackagePrintout(screen, inputs, result, taxpayer);
    return 0;
}
