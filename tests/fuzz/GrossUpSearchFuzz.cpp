// The gross-up on the two Revora screens: the screens' quick search must give exactly what
// the plain rand-by-rand search gives, wherever the plain one is cheap enough to run.

#include <cmath>
#include <cstring>

#include "PackageFuzzInput.h"

using namespace revora;
using namespace revora::fuzz;

namespace {

// The plain search takes one step per rand of the answer; beyond this it is too slow to run
// on every input.
constexpr double MostPlainSteps = 300'000.0;

// Settings under which the quick search, too, must walk rand by rand (see below) may walk up
// to the search's bound, 1 000 000 + 20 x the amounts: kept to inputs whose bound is short.
constexpr double MostWalkedSteps = 3'000'000.0;

double Positive(double v) { return v > 0.0 ? v : 0.0; }

// Fund rates taking half of every rand or more let the take-home pay fall as the salary rises,
// so the quick search cannot bisect: it leaps by how far each step falls short, which is quick
// far from the answer, but where the take-home pay levels off just short of the net the leaps
// shrink towards single rands up to the search's bound. So does a UIF rate that takes half
// below a ceiling set far up.
bool WalkedStepByStep(PackageKind screen, const PackageSettings& s)
{
    const double funds = Positive(s.PensionCont) + Positive(s.ProvCont);
    const double ceiling = (screen == PackageKind::RevoraAnnual ? 12.0 : 1.0) * s.UIFLimit;
    return funds >= 50.0 || (funds + Positive(s.EmployeeUIF) >= 50.0 && !(ceiling < 2'000'000.0));
}

double StepBound(const PackageInputs& p)
{
    return 1'000'000.0
        + 20.0 * (std::fabs(p.Amount) + std::fabs(p.CarValue) * 0.42 + std::fabs(p.TravelAllowance)
                  + std::fabs(p.OtherFringeBenefits) + std::fabs(p.OtherDeductionsTotal())
                  + std::fabs(p.EmployeeMedical) + std::fabs(p.EmployerMedical) + std::fabs(p.MedicalDeduction)
                  + std::fabs(p.RADeduction));
}

bool Same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void RequireSame(const PackageInputs& a, const PackageInputs& b)
{
    Require(a.Age == b.Age && a.Members == b.Members && Same(a.MedicalDeduction, b.MedicalDeduction)
                && Same(a.RADeduction, b.RADeduction),
            "quick and plain gross-up leave different boxes");
}

void RequireSame(const PackageResult& a, const PackageResult& b)
{
    const double pairs[][2] = {
        {a.CompanyCarBenefit, b.CompanyCarBenefit}, {a.Rebate, b.Rebate},
        {a.MedicalCredit, b.MedicalCredit}, {a.AdditionalMedicalCredit, b.AdditionalMedicalCredit},
        {a.EmployeePension, b.EmployeePension}, {a.EmployerPension, b.EmployerPension},
        {a.EmployeeProvident, b.EmployeeProvident}, {a.EmployerProvident, b.EmployerProvident},
        {a.RALimitA, b.RALimitA}, {a.RALimitB, b.RALimitB}, {a.RALimitC, b.RALimitC},
        {a.NonRetirementIncome, b.NonRetirementIncome}, {a.RAAllowed, b.RAAllowed}, {a.TaxDue, b.TaxDue},
        {a.EmployeeUIF, b.EmployeeUIF}, {a.EmployerUIF, b.EmployerUIF}, {a.SDL, b.SDL},
        {a.SearchAmount, b.SearchAmount}, {a.TaxCredit, b.TaxCredit}, {a.TaxDeduction, b.TaxDeduction},
        {a.Salary, b.Salary}, {a.TotalCostToCompany, b.TotalCostToCompany}, {a.OnceOff, b.OnceOff},
    };
    for (const auto& pair : pairs)
        if (!Same(pair[0], pair[1])) {
            std::fprintf(stderr, "quick %.17g, plain %.17g\n", pair[0], pair[1]);
            Fail("quick and plain gross-up differ", pair[0] - pair[1]);
        }
    Require(a.CalcError == b.CalcError, "quick and plain gross-up differ in the error flag");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const PackageKind screen = in.Flag() ? PackageKind::RevoraMonthly : PackageKind::RevoraAnnual;
    const PackageSettings settings = ReadPackageSettings(in);
    // The net salary required: mostly small enough for the plain search, sometimes anything.
    const double net = in.Flag() ? in.Amount(LargestTypedAmount, true, {181900.0, 284100.0})
                                 : in.Amount(200'000.0, false, {15'000.0, 150'000.0});
    const PackageInputs typed = ReadPackageInputs(in, net, in.Scale(50'000.0));
    const bool plainEvenIfRefused = (in.Byte() & 31) == 0;
    if (WalkedStepByStep(screen, settings) && StepBound(typed) > MostWalkedSteps)
        return 0;
    const std::string taxpayer = in.Text(50);

    PackageInputs quickIn = typed;
    PackageResult quick;
    TaxBracketResult quickRecord;
    const PackageOutcome outcome = SalPackGrossUp(screen, quickIn, settings, quick, quickRecord);
    CheckPackageResult(quick);
    Require(outcome == PackageOutcome::Done ? quick.CalcError == 0 : quick.CalcError == 1,
            "the error flag matches the outcome");
    if (outcome == PackageOutcome::Done) {
        // The search stops at the first step that pays more than the net salary required.
        Require(quick.SearchAmount >= 1.0, "a gross salary of at least R 1");
    }
    CheckPackagePrintout(screen, quickIn, quick, taxpayer);

    const bool plainCheap = (outcome == PackageOutcome::Done && quick.SearchAmount <= MostPlainSteps)
        || outcome == PackageOutcome::NoAmount || outcome == PackageOutcome::FringeBenefitsTooLarge
        || (outcome == PackageOutcome::NoGrossSalary && plainEvenIfRefused && StepBound(typed) <= MostWalkedSteps);
    if (!plainCheap)
        return 0;
    PackageInputs plainIn = typed;
    PackageResult plain;
    TaxBracketResult plainRecord;
    const PackageOutcome plainOutcome = SalPackGrossUpReference(screen, plainIn, settings, plain, plainRecord);
    Require(plainOutcome == outcome, "quick and plain gross-up differ in outcome");
    RequireSame(quickIn, plainIn);
    RequireSame(quick, plain);
    Require(Same(quickRecord.TaxableIncome, plainRecord.TaxableIncome)
                && Same(quickRecord.TaxBeforeRebates, plainRecord.TaxBeforeRebates),
            "quick and plain gross-up leave the engine's record differently");
    return 0;
}
