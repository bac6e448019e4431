#include "ReportDatabase.h"

#include <QSqlError>
#include <QSqlRecord>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <type_traits>

#include "Database.h"

namespace revora {
namespace {

QVariant ToVariant(const ReportValue& value)
{
    return std::visit(
        [](const auto& v) -> QVariant {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::string>)
                return QString::fromStdString(v);
            else if constexpr (std::is_same_v<T, std::int16_t>)
                return QVariant(static_cast<int>(v));
            else
                return QVariant(v);
        },
        value);
}

void BindRow(QSqlQuery& query, const ReportRow& row)
{
    for (const ReportField& field : row)
        query.addBindValue(ToVariant(field.value));
}

QString InsertStatement(const QString& table, const ReportRow& row)
{
    QStringList names;
    QStringList marks;
    for (const ReportField& field : row) {
        names << QuoteIdentifier(QString::fromStdString(field.name));
        marks << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(QuoteIdentifier(table), names.join(", "), marks.join(", "));
}

// The table must exist and hold every field of the row; a file edited by another tool is told
// apart by name here rather than by the driver's bare refusal.
void CheckColumns(DatabaseConnection& connection, const QString& table, const ReportRow* row)
{
    const QSqlRecord columns = connection.database().record(table);
    if (columns.isEmpty())
        throw StorageError(connection.path(), QStringLiteral("it has no table %1.").arg(table));
    if (!row)
        return;
    QStringList missing;
    for (const ReportField& field : *row)
        if (!columns.contains(QString::fromStdString(field.name)))
            missing << QString::fromStdString(field.name);
    if (!missing.isEmpty())
        throw StorageError(connection.path(),
                           QStringLiteral("table %1 has no column %2.").arg(table, missing.join(", ")));
}

// Runs the work in one transaction so a failure part-way leaves the table as it was. A
// savepoint is a transaction of its own, or a part of one the caller holds (many writes
// committed at once), undone alone when the work fails.
template <typename Work>
void InTransaction(DatabaseConnection& connection, const QString& table, Work work)
{
    const QString what = QStringLiteral("write table %1").arg(table);
    QSqlQuery savepoint(connection.database());
    connection.check(savepoint.exec(QStringLiteral("SAVEPOINT report_write")), what, savepoint);
    try {
        work();
    } catch (...) {
        QSqlQuery undo(connection.database());
        undo.exec(QStringLiteral("ROLLBACK TO report_write"));
        undo.exec(QStringLiteral("RELEASE report_write"));
        throw;
    }
    QSqlQuery release(connection.database());
    connection.check(release.exec(QStringLiteral("RELEASE report_write")), what, release);
}

} // namespace

void WriteOneRowTable(DatabaseConnection& connection, const QString& table, const ReportRow& row)
{
    CheckColumns(connection, table, &row);
    InTransaction(connection, table, [&] {
        QStringList assignments;
        for (const ReportField& field : row)
            assignments << QuoteIdentifier(QString::fromStdString(field.name)) + QStringLiteral(" = ?");
        QSqlQuery update(connection.database());
        const QString quoted = QuoteIdentifier(table);
        connection.check(update.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = (SELECT min(rowid) FROM %1)")
                                            .arg(quoted, assignments.join(", "))),
                         QStringLiteral("prepare the write of table %1").arg(table), update);
        BindRow(update, row);
        connection.check(update.exec(), QStringLiteral("write table %1").arg(table), update);
        if (update.numRowsAffected() > 0)
            return;
        QSqlQuery insert(connection.database());
        connection.check(insert.prepare(InsertStatement(table, row)),
                         QStringLiteral("prepare the write of table %1").arg(table), insert);
        BindRow(insert, row);
        connection.check(insert.exec(), QStringLiteral("write table %1").arg(table), insert);
    });
}

void WriteMultiRowTable(DatabaseConnection& connection, const QString& table, const std::vector<ReportRow>& rows)
{
    CheckColumns(connection, table, rows.empty() ? nullptr : &rows.front());
    InTransaction(connection, table, [&] {
        QSqlQuery empty(connection.database());
        connection.check(empty.exec(QStringLiteral("DELETE FROM %1").arg(QuoteIdentifier(table))),
                         QStringLiteral("empty table %1").arg(table), empty);
        for (const ReportRow& row : rows) {
            QSqlQuery insert(connection.database());
            connection.check(insert.prepare(InsertStatement(table, row)),
                             QStringLiteral("prepare the write of table %1").arg(table), insert);
            BindRow(insert, row);
            connection.check(insert.exec(), QStringLiteral("write table %1").arg(table), insert);
        }
    });
}

bool ReportTableExists(DatabaseConnection& connection, const QString& table)
{
    return !connection.database().record(table).isEmpty();
}

QList<QSqlRecord> ReadReportTable(DatabaseConnection& connection, const QString& table)
{
    QSqlQuery query(connection.database());
    connection.check(query.exec(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(QuoteIdentifier(table))),
                     QStringLiteral("read table %1").arg(table), query);
    QList<QSqlRecord> rows;
    while (query.next())
        rows << query.record();
    return rows;
}

void WriteOneRowTable(const AppPaths& paths, const QString& table, const ReportRow& row)
{
    DatabaseConnection connection(paths.ReportDbPath, paths.SeedFolder());
    WriteOneRowTable(connection, table, row);
}

void WriteMultiRowTable(const AppPaths& paths, const QString& table, const std::vector<ReportRow>& rows)
{
    DatabaseConnection connection(paths.ReportDbPath, paths.SeedFolder());
    WriteMultiRowTable(connection, table, rows);
}

QList<QSqlRecord> ReadReportTable(const AppPaths& paths, const QString& table)
{
    DatabaseConnection connection(paths.ReportDbPath, paths.SeedFolder());
    return ReadReportTable(connection, table);
}

} // namespace revora
