// revora-calc grossup and netpay: the salary package screens' figures, annual or monthly, on
// the employer's stored settings or on settings given for this run.

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <iostream>
#include <tuple>

#include "CalcCommand.h"
#include "CalcOutput.h"
#include "SettingsOverrides.h"
#include "common/AmountFormat.h"
#include "common/InputNumbers.h"
#include "package/SalaryPackage.h"
#include "payroll/PublishedLevies.h"
#include "SetupSettings.h"

namespace revora::cli {

namespace {

constexpr const char* OtherShape = "DESCRIPTION:AMOUNT[:COST-TO-COMPANY]";

// --- the options ----------------------------------------------------------------------------

const OptionDef Monthly{"monthly", OptionKind::Flag,
                        "the monthly screen: every amount is for a month (default: a year)"};
const OptionDef NetRequired{"net", OptionKind::Amount,
                            "net salary required for the year, or the month with --monthly (required)"};
const OptionDef PackageAmount{"net", OptionKind::Amount,
                              "total package amount for the year, or the month with --monthly (required)"};
const OptionDef CarValue{"car", OptionKind::Amount, "company car value"};
const OptionDef CarCost{"car-cost", OptionKind::Amount, "employer's cost of the company car for the period"};
const OptionDef TravelAllowance{"travel", OptionKind::Amount, "travel allowance"};
const OptionDef EmployeeMedical{"employee-medical", OptionKind::Amount,
                                "medical aid fund contributions paid by the employee"};
const OptionDef EmployerMedical{"employer-medical", OptionKind::Amount,
                                "medical aid fund contributions paid by the employer"};
const OptionDef Members{"members", OptionKind::Whole,
                        "medical aid fund beneficiaries: member-months a year, or persons with --monthly"};
const OptionDef OtherBenefits{"other-benefits", OptionKind::Amount, "other taxable fringe benefits"};
const OptionDef MedDeduction{"med-deduction", OptionKind::Amount, "medical deductions (from age 65)"};
const OptionDef RADeduction{"ra", OptionKind::Amount, "R/A deduction wanted; the R/A allowed is shown"};
const OptionDef Directive = YesNoOption("directive", "the R/A deduction is covered by a directive (default no)");
// As many as the package has other deductions.
const OptionDef OtherDeductionOption{.name = "other",
                                     .kind = OptionKind::Text,
                                     .help = "another deduction; up to four times; the cost to company is the amount "
                                             "unless given",
                                     .most = std::tuple_size_v<decltype(PackageInputs::Other)>,
                                     .placeholder = OtherShape,
                                     .repeatable = true};
const OptionDef OtherExpenseOption{.name = "other",
                                   .kind = OptionKind::Text,
                                   .help = "another expense, printout only; up to four times; the cost to company is "
                                           "the amount unless given",
                                   .most = std::tuple_size_v<decltype(PackageInputs::Other)>,
                                   .placeholder = OtherShape,
                                   .repeatable = true};
const OptionDef AdditionalBeneficiaries{"additional-beneficiaries", OptionKind::Whole,
                                        "number of additional beneficiaries (printout only)"};
const OptionDef Taxpayer{.name = "name",
                         .kind = OptionKind::Text,
                         .help = "the taxpayer's name on the printout (at most {most} characters)",
                         .most = TaxpayerNameLength,
                         .placeholder = "NAME"};
const OptionDef ReferenceSearch{"reference-search", OptionKind::Flag,
                                "search rand by rand instead of the fast search (for checks)"};

// The options that differ between the two directions.
struct Direction {
    const OptionDef& amount;
    const OptionDef& other;
};
const Direction GrossingUp{NetRequired, OtherDeductionOption};
const Direction RunningForwards{PackageAmount, OtherExpenseOption};

Options PackageOptions(bool grossUp)
{
    const Direction& direction = grossUp ? GrossingUp : RunningForwards;
    Options own{&Monthly, &direction.amount, &AgeOption, &CarValue, &CarCost, &TravelAllowance,
                &EmployeeMedical, &EmployerMedical, &Members, &OtherBenefits, &MedDeduction, &RADeduction,
                &Directive, &direction.other, &AdditionalBeneficiaries, &Taxpayer, &PensionPct,
                &EmployerPensionPct, &ProvidentPct, &EmployerProvidentPct};
    const Options settings = PayrollSettingOptions();
    own.insert(own.end(), settings.begin(), settings.end());
    own.insert(own.end(), {&CarInclusion, &MaintenancePlan});
    if (grossUp)
        own.push_back(&ReferenceSearch);
    own.push_back(&YearOption);
    own.push_back(&ExplainOption);
    return WithCommon(std::move(own));
}

// The description runs to the first colon; the cost to company is the amount unless given, as
// the cost-to-company box copies what is typed beside it.
OtherDeduction ReadOther(const OptionDef& option, const std::string& text)
{
    const auto first = text.find(':');
    if (first == std::string::npos)
        throw UsageError("--" + option.name + ": '" + text + "' must be " + OtherShape);
    const auto second = text.find(':', first + 1);
    OtherDeduction other;
    other.Description = text.substr(0, first);
    other.Amount = NumberFromText(option.name, text.substr(first + 1, second - (first + 1)));
    other.CostToCompany =
        second == std::string::npos ? other.Amount : NumberFromText(option.name, text.substr(second + 1));
    if (other.Amount < 0.0 || other.CostToCompany < 0.0)
        throw UsageError("--" + option.name + ": '" + text + "' has an amount below 0");
    if (other.Amount > LargestTypedAmount || other.CostToCompany > LargestTypedAmount)
        throw UsageError("--" + option.name + ": '" + text + "' has an amount above " +
                         FormatAmount(LargestTypedAmount, 2));
    return other;
}

PackageInputs ReadInputs(const ParsedOptions& options, const Direction& direction)
{
    PackageInputs in;
    in.Age = options.count(AgeOption, 0);
    // No amount of a package is below 0, as the screens' boxes take it.
    options.requiredNumber(direction.amount);
    in.Amount = NonNegativeNumber(options, direction.amount);
    in.CarValue = NonNegativeNumber(options, CarValue);
    in.CarCostToCompany = NonNegativeNumber(options, CarCost);
    in.TravelAllowance = NonNegativeNumber(options, TravelAllowance);
    in.EmployeeMedical = NonNegativeNumber(options, EmployeeMedical);
    in.EmployerMedical = NonNegativeNumber(options, EmployerMedical);
    if (const auto members = options.value(Members))
        in.Members = NonNegativeCount(Members.name, *members);
    in.OtherFringeBenefits = NonNegativeNumber(options, OtherBenefits);
    in.MedicalDeduction = NonNegativeNumber(options, MedDeduction);
    in.RADeduction = NonNegativeNumber(options, RADeduction);
    in.RADirective = options.yesNoIfGiven(Directive).value_or(false);
    const std::vector<std::string> others = options.values(direction.other);
    if (others.size() > in.Other.size())
        throw UsageError("--" + direction.other.name + ": at most " + std::to_string(in.Other.size())
                         + " other deductions");
    for (std::size_t i = 0; i < others.size(); ++i)
        in.Other[i] = ReadOther(direction.other, others[i]);
    if (const auto count = options.value(AdditionalBeneficiaries))
        in.AdditionalBeneficiaries = NonNegativeCount(AdditionalBeneficiaries.name, *count);
    // The cost-to-company column's mirror boxes copy what is typed beside them.
    in.AmountCostToCompany = in.Amount;
    in.TravelAllowanceCostToCompany = in.TravelAllowance;
    in.OtherFringeBenefitsCostToCompany = in.OtherFringeBenefits;
    return in;
}

// Why a calculation did not run, as one line.
std::string Refusal(PackageOutcome outcome, PackageKind kind, double amount)
{
    switch (outcome) {
    case PackageOutcome::NoAmount:
        // The calculation also stops short of figures too large for a double.
        if (amount != 0.0)
            return "the amounts are too large to work with";
        return IsGrossUp(kind) ? "--net: the net salary required must not be 0"
                                 : "--net: the total package amount must not be 0";
    case PackageOutcome::FringeBenefitsTooLarge:
        return FringeBenefitsMessage;
    case PackageOutcome::NoGrossSalary:
        return NoGrossSalaryMessage;
    case PackageOutcome::AmountTooLarge:
        return AmountTooLargeMessage;
    case PackageOutcome::Done:
        break;
    }
    return {};
}

std::vector<Figure> Figures(PackageKind kind, const PackageInputs& in, const PackageResult& r, bool json)
{
    std::vector<Figure> figures{
        {"PensionDeducted", "Pension deducted", r.EmployeePension, 2},
        {"EmployerPension", "Employer's pension", r.EmployerPension, 2},
        {"ProvidentFund", "Provident fund", r.EmployeeProvident, 2},
        {"EmployerProvident", "Employer's provident", r.EmployerProvident, 2},
        {"RADeduction", "R/A ded. (directive?)", r.RAAllowed, 2},
        {"MedicalDeduction", "Medical deductions", in.MedicalDeduction, 2},
        {"UIFContribution", "UIF contribution", r.EmployeeUIF, 2},
        {"EmployerUIF", "Employer's UIF", r.EmployerUIF, 2},
        {"SkillsLevy", kind == PackageKind::AvantaMonthly ? "Skills Development Levy" : "Skills levy", r.SDL, 2},
        {"TaxDue", "Tax due", r.TaxDue, 2},
        {"TaxCredit", "Tax credit", r.TaxCredit, 2},
        {"TaxDeduction", "Tax deduction", r.TaxDeduction, 2},
        IsGrossUp(kind) ? Figure{"GrossSalary", "Gross salary", r.Salary, 2}
                          : Figure{"NetSalary", "Net salary(take-home)", r.Salary, 2},
        {"TotalCostToCompany", "Total cost to company R", r.TotalCostToCompany, 2},
    };
    // The screen shows the once-off line only when there is a once-off cost; no box shows the
    // search amount.
    if (json || r.OnceOff > 0)
        figures.push_back({"OnceOff", "(plus a \"once-off\" cost of R", r.OnceOff, 2});
    if (json && IsGrossUp(kind))
        figures.push_back({"SearchAmount", "", r.SearchAmount, 2});
    return figures;
}

int RunPackage(const ParsedOptions& options, bool grossUp)
{
    const bool monthly = options.has(Monthly);
    const PackageKind kind = grossUp ? (monthly ? PackageKind::RevoraMonthly : PackageKind::RevoraAnnual)
                                         : (monthly ? PackageKind::AvantaMonthly : PackageKind::AvantaAnnual);
    PackageInputs inputs = ReadInputs(options, grossUp ? GrossingUp : RunningForwards);
    const std::string taxpayer = NameUpTo(options, Taxpayer);
    const SettingsOverrides<PackageSettings> overrides = PackageOverrides(options);
    const TaxYear year = ChosenTaxYear(options);
    CheckReportFile(options);

    AppState state = MakeState(options);
    MakeDatabaseFolder(state.Paths.SettingsDbPath);
    const bool settingsFileExisted = QFileInfo::exists(state.Paths.SettingsDbPath);
    PackageSettings stored = ReadPackageSettings(state.Paths);
    // With --year, stored UIF and SDL that are published figures follow the year, as of its last
    // day for a year's package and its March for a month's.
    const int payDay = monthly ? year.Start + 30 : year.End;
    stored = WithPayrollPart(stored, StoredForYear(options, PayrollPart(stored), year, payDay));
    const PackageSettings settings = overrides.appliedTo(stored);
    const auto calculate = !grossUp ? SalPackForwardInYear
                                    : (options.has(ReferenceSearch) ? SalPackGrossUpReferenceInYear
                                                                    : SalPackGrossUpInYear);
    PackageResult result;
    Working working;
    Working* const explained = Explaining(options, working);
    const PackageOutcome outcome
        = calculate(kind, inputs, settings, year, result, state.Tax.TaxBracketResult, explained);
    if (outcome != PackageOutcome::Done) {
        // Only the calculation could tell, and it needs the settings; a refused run leaves the
        // data folder as it found it, so the settings file it made from the seed goes again.
        if (!settingsFileExisted)
            QFile::remove(state.Paths.SettingsDbPath);
        throw UsageError(Refusal(outcome, kind, inputs.Amount));
    }
    const bool json = options.has(JsonOption);
    PrintFigures(std::cout, Figures(kind, inputs, result, json), json, explained);
    return Output(state, options,
                  {QStringLiteral("SalPackage"), QString::fromUtf8(PackageLayout(kind)),
                   QString::fromUtf8(PackageTitle(kind)) + ExportHint},
                  SalPackageReportRow(kind, inputs, result, taxpayer, year), {explained});
}

} // namespace

std::vector<Subcommand> PackageCommands()
{
    return {
        {"grossup", "the gross salary and total cost to company that give a required net salary",
         PackageOptions(true),
         [](const ParsedOptions& options) { return RunPackage(options, true); }},
        {"netpay", "the net take-home salary and total cost to company of a total package",
         PackageOptions(false),
         [](const ParsedOptions& options) { return RunPackage(options, false); }},
    };
}

} // namespace revora::cli
