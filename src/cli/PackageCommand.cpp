// revora-calc grossup and netpay: the salary package screens' figures, annual or monthly, on
// the employer's stored settings or on settings given for this run.

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <iostream>

#include "CalcCommand.h"
#include "CalcOutput.h"
#include "SettingsOverrides.h"
#include "package/SalaryPackage.h"
#include "SetupSettings.h"

namespace revora::cli {

namespace {

// The print panel's name box takes 50 characters.
constexpr int TaxpayerNameLength = 50;

constexpr const char* OtherShape = "DESCRIPTION:AMOUNT[:COST-TO-COMPANY]";

std::vector<OptionDef> PackageOptions(const char* amountHelp, bool grossUp)
{
    std::vector<OptionDef> own{
        {"monthly", false, "the monthly screen: every amount is for a month (default: a year)"},
        {"net", true, amountHelp},
        {"age", true, "YEARS  age in whole years, rounded half to even (default 0)"},
        {"car", true, "RAND  company car value"},
        {"car-cost", true, "RAND  employer's cost of the company car for the period"},
        {"travel", true, "RAND  travel allowance"},
        {"employee-medical", true, "RAND  medical aid fund contributions paid by the employee"},
        {"employer-medical", true, "RAND  medical aid fund contributions paid by the employer"},
        {"members", true, "N  medical aid fund beneficiaries: member-months a year, or persons with --monthly"},
        {"other-benefits", true, "RAND  other taxable fringe benefits"},
        {"med-deduction", true, "RAND  medical deductions (from age 65)"},
        {"ra", true, "RAND  R/A deduction wanted; the R/A allowed is shown"},
        {"directive", true, "yes|no  the R/A deduction is covered by a directive (default no)"},
        {"other", true,
         std::string(OtherShape) + (grossUp ? "  another deduction" : "  another expense, printout only")
             + "; up to four times; the cost to company is the amount unless given",
         true},
        {"additional-beneficiaries", true, "N  number of additional beneficiaries (printout only)"},
        {"name", true, "NAME  the taxpayer's name on the printout (at most 50 characters)"},
        {"pension-pct", true, "PERCENT  employee pension contribution, for this run only"},
        {"employer-pension-pct", true, "PERCENT  employer's pension contribution, for this run only"},
        {"provident-pct", true, "PERCENT  employee provident contribution, for this run only"},
        {"employer-provident-pct", true, "PERCENT  employer's provident contribution, for this run only"},
    };
    for (OptionDef& def : PayrollSettingOptions())
        own.push_back(std::move(def));
    own.insert(own.end(),
               {
                   {"car-inclusion", true, "0.8|0.2  company car fringe benefit rate, for this run only"},
                   {"maintenance-plan", true, "yes|no  the company car has a maintenance plan, for this run only"},
               });
    if (grossUp)
        own.push_back({"reference-search", false, "search rand by rand instead of the fast search (for checks)"});
    return WithCommon(std::move(own));
}

// The description runs to the first colon; the cost to company is the amount unless given, as
// the cost-to-company box copies what is typed beside it.
OtherDeduction ReadOther(const std::string& text)
{
    const auto first = text.find(':');
    if (first == std::string::npos)
        throw UsageError("--other: '" + text + "' must be " + OtherShape);
    const auto second = text.find(':', first + 1);
    OtherDeduction other;
    other.Description = text.substr(0, first);
    other.Amount = NumberFromText("other", text.substr(first + 1, second - (first + 1)));
    other.CostToCompany = second == std::string::npos ? other.Amount : NumberFromText("other", text.substr(second + 1));
    if (other.Amount < 0.0 || other.CostToCompany < 0.0)
        throw UsageError("--other: '" + text + "' has an amount below 0");
    return other;
}

PackageInputs ReadInputs(const ParsedOptions& options)
{
    PackageInputs in;
    in.Age = options.count("age", 0);
    // No amount of a package is below 0, as the screens' boxes take it.
    options.requiredNumber("net");
    in.Amount = NonNegativeNumber(options, "net");
    in.CarValue = NonNegativeNumber(options, "car");
    in.CarCostToCompany = NonNegativeNumber(options, "car-cost");
    in.TravelAllowance = NonNegativeNumber(options, "travel");
    in.EmployeeMedical = NonNegativeNumber(options, "employee-medical");
    in.EmployerMedical = NonNegativeNumber(options, "employer-medical");
    if (const auto members = options.value("members"))
        in.Members = NonNegativeCount("members", *members);
    in.OtherFringeBenefits = NonNegativeNumber(options, "other-benefits");
    in.MedicalDeduction = NonNegativeNumber(options, "med-deduction");
    in.RADeduction = NonNegativeNumber(options, "ra");
    in.RADirective = options.yesNoIfGiven("directive").value_or(false);
    const std::vector<std::string> others = options.values("other");
    if (others.size() > in.Other.size())
        throw UsageError("--other: at most " + std::to_string(in.Other.size()) + " other deductions");
    for (std::size_t i = 0; i < others.size(); ++i)
        in.Other[i] = ReadOther(others[i]);
    if (const auto count = options.value("additional-beneficiaries"))
        in.AdditionalBeneficiaries = NonNegativeCount("additional-beneficiaries", *count);
    // The cost-to-company column's mirror boxes copy what is typed beside them.
    in.AmountCostToCompany = in.Amount;
    in.TravelAllowanceCostToCompany = in.TravelAllowance;
    in.OtherFringeBenefitsCostToCompany = in.OtherFringeBenefits;
    return in;
}

SettingsOverrides<PackageSettings> ReadOverrides(const ParsedOptions& options)
{
    auto overrides = PayrollOverrides<PackageSettings>(options);
    overrides.number(options, "pension-pct", &PackageSettings::PensionCont)
        .number(options, "employer-pension-pct", &PackageSettings::EmployerPenCont)
        .number(options, "provident-pct", &PackageSettings::ProvCont)
        .number(options, "employer-provident-pct", &PackageSettings::EmployerProvCont)
        .inclusionRate(options, "car-inclusion", &PackageSettings::CompCarFBRate8020)
        .yesNo(options, "maintenance-plan", &PackageSettings::CompCarMPYesNo);
    return overrides;
}

// Why a calculation did not run, as one line.
std::string Refusal(PackageOutcome outcome, PackageScreen screen, double amount)
{
    switch (outcome) {
    case PackageOutcome::NoAmount:
        // The calculation also stops short of figures too large for a double.
        if (amount != 0.0)
            return "the amounts are too large to work with";
        return IsGrossUp(screen) ? "--net: the net salary required must not be 0"
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

std::vector<Figure> Figures(PackageScreen screen, const PackageInputs& in, const PackageResult& r, bool json)
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
        {"SkillsLevy", screen == PackageScreen::AvantaMonthly ? "Skills Development Levy" : "Skills levy", r.SDL, 2},
        {"TaxDue", "Tax due", r.TaxDue, 2},
        {"TaxCredit", "Tax credit", r.TaxCredit, 2},
        {"TaxDeduction", "Tax deduction", r.TaxDeduction, 2},
        IsGrossUp(screen) ? Figure{"GrossSalary", "Gross salary", r.Salary, 2}
                          : Figure{"NetSalary", "Net salary(take-home)", r.Salary, 2},
        {"TotalCostToCompany", "Total cost to company R", r.TotalCostToCompany, 2},
    };
    // The screen shows the once-off line only when there is a once-off cost; no box shows the
    // search amount.
    if (json || r.OnceOff > 0)
        figures.push_back({"OnceOff", "(plus a \"once-off\" cost of R", r.OnceOff, 2});
    if (json && IsGrossUp(screen))
        figures.push_back({"SearchAmount", "", r.SearchAmount, 2});
    return figures;
}

int RunPackage(const ParsedOptions& options, bool grossUp)
{
    const bool monthly = options.has("monthly");
    const PackageScreen screen = grossUp ? (monthly ? PackageScreen::RevoraMonthly : PackageScreen::RevoraAnnual)
                                         : (monthly ? PackageScreen::AvantaMonthly : PackageScreen::AvantaAnnual);
    PackageInputs inputs = ReadInputs(options);
    const std::string taxpayer = NameUpTo(options, "name", TaxpayerNameLength);
    const SettingsOverrides<PackageSettings> overrides = ReadOverrides(options);
    CheckReportFile(options);

    AppState state = MakeState(options);
    MakeDatabaseFolder(state.Paths.SettingsDbPath);
    const bool settingsFileExisted = QFileInfo::exists(state.Paths.SettingsDbPath);
    const PackageSettings settings = overrides.appliedTo(ReadPackageSettings(state.Paths));
    const auto calculate =
        !grossUp ? SalPackForward : (options.has("reference-search") ? SalPackGrossUpReference : SalPackGrossUp);
    PackageResult result;
    const PackageOutcome outcome = calculate(screen, inputs, settings, result, state.Tax.TaxBracketResult);
    if (outcome != PackageOutcome::Done) {
        // Only the calculation could tell, and it needs the settings; a refused run leaves the
        // data folder as it found it, so the settings file it made from the seed goes again.
        if (!settingsFileExisted)
            QFile::remove(state.Paths.SettingsDbPath);
        throw UsageError(Refusal(outcome, screen, inputs.Amount));
    }
    const bool json = options.has("json");
    PrintFigures(std::cout, Figures(screen, inputs, result, json), json);
    return Output(state, options,
                  {QStringLiteral("SalPackage"), QString::fromUtf8(PackageLayout(screen)),
                   QString::fromUtf8(PackageTitle(screen)) + ExportHint},
                  SalPackageReportRow(screen, inputs, result, taxpayer));
}

} // namespace

std::vector<Subcommand> PackageCommands()
{
    return {
        {"grossup", "the gross salary and total cost to company that give a required net salary",
         PackageOptions("RAND  net salary required for the year, or the month with --monthly (required)", true),
         [](const ParsedOptions& options) { return RunPackage(options, true); }},
        {"netpay", "the net take-home salary and total cost to company of a total package",
         PackageOptions("RAND  total package amount for the year, or the month with --monthly (required)", false),
         [](const ParsedOptions& options) { return RunPackage(options, false); }},
    };
}

} // namespace revora::cli
