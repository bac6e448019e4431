#include "shell/ReportDatabase.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <type_traits>

#include "shell/Database.h"

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

// Runs the work in one transaction so a failure part-way leaves the table as it was.
template <typename Work>
void InTransaction(DatabaseConnection& connection, const QString& table, Work work)
{
    QSqlDatabase& db = connection.database();
    connection.check(db.transaction(), QStringLiteral("write table %1").arg(table), db.lastError().text());
    try {
        work();
    } catch (...) {
        db.rollback();
        throw;
    }
    connection.check(db.commit(), QStringLiteral("write table %1").arg(table), db.lastError().text());
}

} // namespace

void WriteOneRowTable(const AppPaths& paths, const QString& table, const ReportRow& row)
{
    DatabaseConnection connection(paths.ReportDbPath, paths.SeedFolder());
    InTransaction(connection, table, [&] {
        QStringList assignments;
        for (const ReportField& field : row)
            assignments << QuoteIdentifier(QString::fromStdString(field.name)) + QStringLiteral(" = ?");
        QSqlQuery update(connection.database());
        const QString quoted = QuoteIdentifier(table);
        connection.check(update.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = (SELECT min(rowid) FROM %1)")
                                            .arg(quoted, assignments.join(", "))),
                         QStringLiteral("prepare the write of table %1").arg(table), update.lastError().text());
        BindRow(update, row);
        connection.check(update.exec(), QStringLiteral("write table %1").arg(table), update.lastError().text());
        if (update.numRowsAffected() > 0)
            return;
        QSqlQuery insert(connection.database());
        connection.check(insert.prepare(InsertStatement(table, row)),
                         QStringLiteral("prepare the write of table %1").arg(table), insert.lastError().text());
        BindRow(insert, row);
        connection.check(insert.exec(), QStringLiteral("write table %1").arg(table), insert.lastError().text());
    });
}

void WriteMultiRowTable(const AppPaths& paths, const QString& table, const std::vector<ReportRow>& rows)
{
    DatabaseConnection connection(paths.ReportDbPath, paths.SeedFolder());
    InTransaction(connection, table, [&] {
        QSqlQuery empty(connection.database());
        connection.check(empty.exec(QStringLiteral("DELETE FROM %1").arg(QuoteIdentifier(table))),
                         QStringLiteral("empty table %1").arg(table), empty.lastError().text());
        for (const ReportRow& row : rows) {
            QSqlQuery insert(connection.database());
            connection.check(insert.prepare(InsertStatement(table, row)),
                             QStringLiteral("prepare the write of table %1").arg(table), insert.lastError().text());
            BindRow(insert, row);
            connection.check(insert.exec(), QStringLiteral("write table %1").arg(table), insert.lastError().text());
        }
    });
}

QList<QSqlRecord> ReadReportTable(const AppPaths& paths, const QString& table)
{
    DatabaseConnection connection(paths.ReportDbPath, paths.SeedFolder());
    QSqlQuery query(connection.database());
    connection.check(query.exec(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(QuoteIdentifier(table))),
                     QStringLiteral("read table %1").arg(table), query.lastError().text());
    QList<QSqlRecord> rows;
    while (query.next())
        rows << query.record();
    return rows;
}

} // namespace revora
