#pragma once
// The Setup row of the settings database: the employer's rates that the payroll and salary
// package screens read when they open and write from their settings panel. The database is
// opened and closed around each read or write.

#include <optional>
#include <vector>

#include "package/SalaryPackage.h"
#include "package/SetupColumns.h"
#include "payroll/PayeCommon.h"
#include "AppFolders.h"

namespace revora {

// The five payroll columns (EmployeeUIF, EmployerUIF, SkillLevy, UIFLimit, TAIncRate8020)
// of the first row; a table that has lost its row gets it back with the table's defaults.
// StorageError naming the file when it cannot be read, and naming the column as well when one
// of the five does not hold a number its box on the "Setup" panel takes (SetupAllows), so that
// none reaches a calculation.
PayeSettings ReadPayeSettings(const AppPaths& paths);

// Writes the five columns into the row, leaving the others as they are; a table that has
// lost its row gets it back. StorageError naming the file when it cannot be written, or when
// a value is one the panel does not take, and then nothing changes.
void WritePayeSettings(const AppPaths& paths, const PayeSettings& settings);

// All eleven columns, for the salary package screens; the same rules.
PackageSettings ReadPackageSettings(const AppPaths& paths);

// What a "Setup" panel changed, and nothing else: the columns it did not change keep what the
// file holds, whoever saved it. Nothing changed, nothing written. The same rules.
void WriteSettingsEdit(const AppPaths& paths, const SettingsEdit& edit);

// One column given a value; the maintenance plan's is 1 (yes) or 0 (no).
struct SettingsChange {
    const SetupColumn* column;
    double value;
};
// Gives the columns their values and reads all eleven back, in one transaction: a change made
// at the same moment by another program or another run waits for this one and comes after
// it, and so neither loses the other's columns. A value the panel does not take, or a row
// that read back still holds one (a column damaged outside the program and not among the
// changes), is StorageError naming the file and the column, and nothing changes.
PackageSettings ChangeSettings(const AppPaths& paths, const std::vector<SettingsChange>& changes);

// The settings a screen works with: the stored row, read afresh for every calculation and
// every opening of the "Setup" panel (another screen may have saved new rates since), with
// the changes this screen made that the file would not take laid over it.
class SettingsInForce {
public:
    enum class Columns { Payroll, Package }; // the five payroll columns, or all eleven
    explicit SettingsInForce(Columns columns) : columns_(columns) {}

    // StorageError when the file cannot be read, as ReadPayeSettings; the columns a screen
    // does not use hold their defaults.
    PackageSettings read(const AppPaths& paths);
    // Writes what the panel changed, with any changes the file would not take before. When it
    // still will not take them they are kept for this screen and StorageError is thrown.
    // After a reading that failed, the panel showed the screen's own rates, not the row's:
    // all of the screen's columns are written from it then, so that a row damaged outside the
    // program is mended whole by "O&K" rather than kept where the panel changed nothing.
    void save(const AppPaths& paths, const SettingsEdit& edit);

private:
    Columns columns_;
    std::optional<SettingsEdit> unsaved_;
    bool unreadable_ = false; // the last reading failed
};

} // namespace revora
