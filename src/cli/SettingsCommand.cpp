// revora-calc settings: the employer's stored settings, the one row of table Setup, shown and
// changed with the checks the settings panel makes, so scripts can read and set them.

#include <QJsonObject>
#include <iomanip>
#include <iostream>

#include "CalcCommand.h"
#include "CalcOutput.h"
#include "common/AmountFormat.h"
#include "SettingsOverrides.h"
#include "SetupSettings.h"

namespace revora::cli {

namespace {

enum class ColumnKind {
    Rate,          // a percentage or an amount the panel's box takes: no minus sign
    Levy,          // a UIF or SDL percentage: no minus sign, and at most 100
    InclusionRate, // 0.8 or 0.2, the panel's two option buttons
    YesNo,         // the maintenance plan's pair of option buttons
};

struct Column {
    const char* name; // the column of table Setup
    const char* caption; // as the settings panel shows it
    ColumnKind kind;
    int decimals;
    double PackageSettings::*rate = nullptr;
};

const std::vector<Column>& Columns()
{
    static const std::vector<Column> columns{
        {"PensionCont", "Employee pension contribution", ColumnKind::Rate, 2, &PackageSettings::PensionCont},
        {"EmployerPenCont", "Employer's pension contribution", ColumnKind::Rate, 2, &PackageSettings::EmployerPenCont},
        {"ProvCont", "Employee provident contribution", ColumnKind::Rate, 2, &PackageSettings::ProvCont},
        {"EmployerProvCont", "Employer's provident contribution", ColumnKind::Rate, 2,
         &PackageSettings::EmployerProvCont},
        {"EmployeeUIF", "Employee UIF portion", ColumnKind::Levy, 3, &PackageSettings::EmployeeUIF},
        {"EmployerUIF", "Employer UIF portion", ColumnKind::Levy, 3, &PackageSettings::EmployerUIF},
        {"SkillLevy", "Skills levy", ColumnKind::Levy, 3, &PackageSettings::SkillLevy},
        {"UIFLimit", "UIF monthly limit", ColumnKind::Rate, 0, &PackageSettings::UIFLimit},
        {"TAIncRate8020", "Travel allowance inclusion rate", ColumnKind::InclusionRate, 1,
         &PackageSettings::TAIncRate8020},
        {"CompCarFBRate8020", "Company car fringe benefit rate", ColumnKind::InclusionRate, 1,
         &PackageSettings::CompCarFBRate8020},
        {"CompCarMPYesNo", "Company car has maintenance plan", ColumnKind::YesNo, 0},
    };
    return columns;
}

const Column* FindColumn(const std::string& name)
{
    for (const Column& column : Columns())
        if (name == column.name)
            return &column;
    return nullptr;
}

const OptionDef Set{.name = "set",
                   .kind = OptionKind::Text,
                   .help = "change one column (repeatable); all are written together",
                   .placeholder = "COLUMN=VALUE",
                   .repeatable = true};

[[noreturn]] void RefuseSet(const std::string& why) { throw UsageError("--" + Set.name + ": " + why); }

using Change = std::function<void(PackageSettings&)>;

// One --set COLUMN=VALUE, checked as the panel checks what is typed or chosen.
Change ReadChange(const std::string& assignment)
{
    const std::size_t equals = assignment.find('=');
    if (equals == std::string::npos)
        RefuseSet("'" + assignment + "' must be COLUMN=VALUE");
    const std::string name = assignment.substr(0, equals);
    const std::string text = assignment.substr(equals + 1);
    const Column* column = FindColumn(name);
    if (!column) {
        std::string names;
        for (const Column& each : Columns())
            names += (names.empty() ? "" : ", ") + std::string(each.name);
        RefuseSet("'" + name + "' is not a column of the settings; the columns are " + names);
    }
    switch (column->kind) {
    case ColumnKind::YesNo:
        if (text != "yes" && text != "no")
            RefuseSet(name + "='" + text + "' must be yes or no");
        return [yes = text == "yes"](PackageSettings& s) { s.CompCarMPYesNo = yes; };
    case ColumnKind::InclusionRate: {
        const double value = NumberFromText(Set.name, text);
        if (!IsInclusionRate(value))
            RefuseSet(name + "='" + text + "' must be " + OneOf(InclusionRateChoices));
        return [value, rate = column->rate](PackageSettings& s) { s.*rate = value; };
    }
    case ColumnKind::Rate:
    case ColumnKind::Levy: {
        const double value = NumberFromText(Set.name, text);
        if (value < 0.0)
            RefuseSet(name + "='" + text + "' must not be negative");
        if (column->kind == ColumnKind::Levy && !IsLevyPercentAllowed(value))
            RefuseSet(name + "='" + text + "' must be at most " + FormatAmount(MostLevyPercent, 0));
        return [value, rate = column->rate](PackageSettings& s) { s.*rate = value; };
    }
    }
    return {};
}

void PrintSettings(const PackageSettings& settings, bool json)
{
    if (json) {
        QJsonObject object;
        for (const Column& column : Columns())
            if (column.kind == ColumnKind::YesNo)
                object.insert(column.name, settings.CompCarMPYesNo);
            else
                object.insert(column.name, settings.*column.rate);
        PrintJson(object);
        return;
    }
    for (const Column& column : Columns()) {
        const std::string label = std::string(column.caption) + " (" + column.name + ")";
        const std::string value = column.kind == ColumnKind::YesNo
                                      ? std::string(settings.CompCarMPYesNo ? "Yes" : "No")
                                      : FormatAmount(settings.*column.rate, column.decimals);
        std::cout << std::left << std::setw(54) << label << std::right << std::setw(14) << value << '\n';
    }
}

int Settings(const ParsedOptions& options)
{
    // Every --set is checked before the file is opened, so a refused run changes nothing.
    std::vector<Change> changes;
    for (const std::string& assignment : options.values(Set))
        changes.push_back(ReadChange(assignment));

    const AppState state = MakeState(options);
    MakeDatabaseFolder(state.Paths.SettingsDbPath);
    PackageSettings settings = ReadPackageSettings(state.Paths);
    if (!changes.empty()) {
        for (const Change& change : changes)
            change(settings);
        WritePackageSettings(state.Paths, settings);
        settings = ReadPackageSettings(state.Paths);
    }
    PrintSettings(settings, options.has(JsonOption));
    return 0;
}

} // namespace

std::vector<Subcommand> SettingsCommands()
{
    // No report here: of the common options only --json and --data-dir apply.
    const Options options{&Set, &JsonOption, &DataDirOption};
    return {
        {"settings", "show the employer's stored settings, or change them with --set", options, Settings},
    };
}

} // namespace revora::cli
