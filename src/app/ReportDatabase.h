#pragma once
// The report database: one table per printout, filled by the print routines and read by the
// report layouts.

#include <QList>
#include <QSqlRecord>
#include <QString>
#include <vector>

#include "AppFolders.h"
#include "common/ReportRow.h"

namespace revora {

class DatabaseConnection;

// Overwrites the one row of a one-row table in place, field by field in the order given;
// a table that has lost its row gets it back. The whole write succeeds or nothing changes;
// a missing table or column is named in the StorageError.
void WriteOneRowTable(DatabaseConnection& reports, const QString& table, const ReportRow& row);

// Empties a line-per-row table and adds one row per printed line, in one transaction.
void WriteMultiRowTable(DatabaseConnection& reports, const QString& table, const std::vector<ReportRow>& rows);

// Whether the report database holds the table.
bool ReportTableExists(DatabaseConnection& reports, const QString& table);

// Every row of a table, in stored order, for the report renderer.
QList<QSqlRecord> ReadReportTable(DatabaseConnection& reports, const QString& table);

// The same, each on its own connection to the report database (opened, and seeded when new,
// first), for work that touches one table.
void WriteOneRowTable(const AppPaths& paths, const QString& table, const ReportRow& row);
QList<QSqlRecord> ReadReportTable(const AppPaths& paths, const QString& table);
void WriteMultiRowTable(const AppPaths& paths, const QString& table, const std::vector<ReportRow>& rows);

} // namespace revora
