// revora-calc settings: the employer's stored settings, the one row of table Setup, shown and
// changed with the checks the settings panel makes, so scripts can read and set them.

#include <QJsonObject>
#include <iomanip>
#include <iostream>

#include "CalcCommand.h"
#include "CalcOutput.h"
#include "common/AmountFormat.h"
#include "package/SetupColumns.h"
#include "SetupSettings.h"

namespace revora::cli {

namespace {

const OptionDef Set{.name = "set",
                   .kind = OptionKind::Text,
                   .help = "change one column (repeatable); all are written together",
                   .placeholder = "COLUMN=VALUE",
                   .repeatable = true};

[[noreturn]] void RefuseSet(const std::string& why) { throw UsageError("--" + Set.name + ": " + why); }

// One --set COLUMN=VALUE, checked as the panel checks what is typed or chosen.
SettingsChange ReadChange(const std::string& assignment)
{
    const std::size_t equals = assignment.find('=');
    if (equals == std::string::npos)
        RefuseSet("'" + assignment + "' must be COLUMN=VALUE");
    const std::string name = assignment.substr(0, equals);
    const std::string text = assignment.substr(equals + 1);
    const SetupColumn* column = FindSetupColumn(name);
    if (!column) {
        std::string names;
        for (const SetupColumn& each : SetupColumns)
            names += (names.empty() ? "" : ", ") + std::string(each.name);
        RefuseSet("'" + name + "' is not a column of the settings; the columns are " + names);
    }
    if (column->kind == SetupKind::YesNo && text != "yes" && text != "no")
        RefuseSet(name + "='" + text + "' must be " + SetupLimitText(*column));
    const double value = column->kind == SetupKind::YesNo ? (text == "yes" ? 1.0 : 0.0) : NumberFromText(Set.name, text);
    if (!SetupAllows(*column, value))
        RefuseSet(name + "='" + text + "' must be " + SetupLimitText(*column));
    return {column, value};
}

void PrintSettings(const PackageSettings& settings, bool json)
{
    if (json) {
        QJsonObject object;
        for (const SetupColumn& column : SetupColumns) {
            const QString name = QString::fromUtf8(column.name.data(), static_cast<qsizetype>(column.name.size()));
            if (column.kind == SetupKind::YesNo)
                object.insert(name, settings.CompCarMPYesNo);
            else
                object.insert(name, SetupValue(column, settings));
        }
        PrintJson(object);
        return;
    }
    for (const SetupColumn& column : SetupColumns) {
        const std::string label = std::string(column.caption) + " (" + std::string(column.name) + ")";
        const std::string value = column.kind == SetupKind::YesNo
                                      ? std::string(settings.CompCarMPYesNo ? "Yes" : "No")
                                      : FormatAmount(SetupValue(column, settings), column.decimals);
        std::cout << std::left << std::setw(54) << label << std::right << std::setw(14) << value << '\n';
    }
}

int Settings(const ParsedOptions& options)
{
    // Every --set is checked before the file is opened, so a refused run changes nothing.
    std::vector<SettingsChange> changes;
    for (const std::string& assignment : options.values(Set))
        changes.push_back(ReadChange(assignment));

    const AppState state = MakeState(options);
    MakeDatabaseFolder(state.Paths.SettingsDbPath);
    // The changes and the row shown after them are one transaction: another run changing
    // other columns at the same moment keeps its changes, and the row shown holds both.
    const PackageSettings settings =
        changes.empty() ? ReadPackageSettings(state.Paths) : ChangeSettings(state.Paths, changes);
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
