#include "shell/SetupSettings.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <array>
#include <cmath>

#include "shell/Database.h"

namespace revora {

namespace {

struct PayrollColumn {
    const char* name;
    double PayeSettings::*member;
};

// The order of the columns in the statements below.
constexpr std::array<PayrollColumn, 5> PayrollColumns{{
    {"EmployeeUIF", &PayeSettings::EmployeeUIF},
    {"EmployerUIF", &PayeSettings::EmployerUIF},
    {"SkillLevy", &PayeSettings::SkillLevy},
    {"UIFLimit", &PayeSettings::UIFLimit},
    {"TAIncRate8020", &PayeSettings::TAIncRate8020},
}};

// Selects the five columns of the first row; false when the table has no row.
bool SelectFirstRow(DatabaseConnection& connection, QSqlQuery& query)
{
    connection.check(query.exec(QStringLiteral("SELECT EmployeeUIF, EmployerUIF, SkillLevy, UIFLimit, TAIncRate8020 "
                                               "FROM Setup ORDER BY rowid LIMIT 1")),
                     QStringLiteral("read the payroll settings"), query.lastError().text());
    return query.next();
}

} // namespace

PayeSettings ReadPayeSettings(const AppPaths& paths)
{
    DatabaseConnection connection(paths.SettingsDbPath, paths.SeedFolder());
    QSqlQuery query(connection.database());
    if (!SelectFirstRow(connection, query)) {
        // A table that has lost its row gets it back with the table's own defaults, which are
        // the values a new settings file starts with.
        QSqlQuery putBack(connection.database());
        connection.check(putBack.exec(QStringLiteral("INSERT INTO Setup DEFAULT VALUES")),
                         QStringLiteral("put back the row of table Setup"), putBack.lastError().text());
        connection.check(SelectFirstRow(connection, query), QStringLiteral("read the payroll settings"),
                         QStringLiteral("table Setup has no row"));
    }
    PayeSettings settings;
    for (int i = 0; i < static_cast<int>(PayrollColumns.size()); ++i) {
        const QVariant stored = query.value(i);
        bool isNumber = false;
        const double value = stored.isNull() ? 0.0 : stored.toDouble(&isNumber);
        // A row edited outside the program may hold text, an empty field or an infinity; no
        // rate is guessed for it, and none of it may reach a calculation.
        if (!isNumber || !std::isfinite(value))
            throw StorageError(connection.path(), QStringLiteral("column %1 of table Setup does not hold a number.")
                                                      .arg(QLatin1String(PayrollColumns[i].name)));
        settings.*PayrollColumns[i].member = value;
    }
    return settings;
}

void WritePayeSettings(const AppPaths& paths, const PayeSettings& settings)
{
    DatabaseConnection connection(paths.SettingsDbPath, paths.SeedFolder());
    // One statement, so the row is either written whole or not at all. It updates the first
    // row and leaves its other columns as they are; a table that has lost its row gets a new
    // one, whose other columns take the table's defaults.
    QSqlQuery write(connection.database());
    connection.check(
        write.prepare(QStringLiteral(
            "INSERT INTO Setup (rowid, EmployeeUIF, EmployerUIF, SkillLevy, UIFLimit, TAIncRate8020) "
            "VALUES (coalesce((SELECT min(rowid) FROM Setup), 1), ?, ?, ?, ?, ?) "
            "ON CONFLICT (rowid) DO UPDATE SET EmployeeUIF = excluded.EmployeeUIF, "
            "EmployerUIF = excluded.EmployerUIF, SkillLevy = excluded.SkillLevy, UIFLimit = excluded.UIFLimit, "
            "TAIncRate8020 = excluded.TAIncRate8020")),
        QStringLiteral("prepare the write of the payroll settings"), write.lastError().text());
    for (const PayrollColumn& column : PayrollColumns)
        write.addBindValue(settings.*column.member);
    connection.check(write.exec(), QStringLiteral("save the payroll settings"), write.lastError().text());
}

} // namespace revora
