#include "StartupSettings.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "Database.h"

namespace revora {

bool ReadViewAbout(const AppPaths& paths)
{
    DatabaseConnection connection(paths.StartupDbPath, paths.SeedFolder());
    QSqlQuery query(connection.database());
    connection.check(query.exec(QStringLiteral("SELECT ViewAbout FROM Startup ORDER BY rowid LIMIT 1")),
                     QStringLiteral("read the start-up choice"), query);
    // A table that has lost its row reads as the seed's choice: show the About window.
    return !query.next() || query.value(0).toBool();
}

void WriteViewAbout(const AppPaths& paths, bool viewAbout)
{
    DatabaseConnection connection(paths.StartupDbPath, paths.SeedFolder());
    QSqlQuery update(connection.database());
    update.prepare(QStringLiteral("UPDATE Startup SET ViewAbout = ? WHERE rowid = (SELECT min(rowid) FROM Startup)"));
    update.addBindValue(viewAbout ? 1 : 0);
    connection.check(update.exec(), QStringLiteral("save the start-up choice"), update);
    if (update.numRowsAffected() > 0)
        return;
    QSqlQuery insert(connection.database());
    insert.prepare(QStringLiteral("INSERT INTO Startup (ViewAbout) VALUES (?)"));
    insert.addBindValue(viewAbout ? 1 : 0);
    connection.check(insert.exec(), QStringLiteral("save the start-up choice"), insert);
}

} // namespace revora
