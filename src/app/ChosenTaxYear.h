#pragma once
// The tax year the program works in, kept in the settings database (table TaxYear, one row: the
// calendar year in which the tax year ends), so that the program starts in the year last
// chosen. The database is opened and closed around each read or write.

#include "AppFolders.h"

namespace revora {

// The stored year; a table that has lost its row reads as the seed's 2016. StorageError naming
// the file when it cannot be read, or when the row holds no whole number.
int ReadChosenTaxYear(const AppPaths& paths);

// StorageError naming the file when it cannot be written; nothing is changed then.
void WriteChosenTaxYear(const AppPaths& paths, int year);

} // namespace revora
