#pragma once
// The Setup row of the settings database: the employer's rates that the payroll and salary
// package screens read when they open and write from their settings panel. The database is
// opened and closed around each read or write.

#include "package/SalaryPackage.h"
#include "payroll/PayeCommon.h"
#include "shell/AppFolders.h"

namespace revora {

// The five payroll columns (EmployeeUIF, EmployerUIF, SkillLevy, UIFLimit, TAIncRate8020)
// of the first row; a table that has lost its row gets it back with the table's defaults.
// StorageError naming the file when it cannot be read, and naming the column as well when one
// of the five does not hold a finite number, so that none reaches a calculation.
PayeSettings ReadPayeSettings(const AppPaths& paths);

// Writes the five columns into the row, leaving the others as they are; a table that has
// lost its row gets it back. StorageError naming the file when it cannot be written, and then
// nothing changes.
void WritePayeSettings(const AppPaths& paths, const PayeSettings& settings);

// All eleven columns, for the salary package screens; the same rules.
PackageSettings ReadPackageSettings(const AppPaths& paths);
void WritePackageSettings(const AppPaths& paths, const PackageSettings& settings);

} // namespace revora
