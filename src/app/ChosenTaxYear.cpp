#include "ChosenTaxYear.h"

#include <QSqlQuery>
#include <QVariant>
#include <cmath>

#include "Database.h"
#include "tax/TaxYearRules.h"

namespace revora {

int ReadChosenTaxYear(const AppPaths& paths)
{
    DatabaseConnection connection(paths.SettingsDbPath, paths.SeedFolder());
    QSqlQuery query(connection.database());
    connection.check(query.exec(QStringLiteral("SELECT Year FROM TaxYear ORDER BY rowid LIMIT 1")),
                     QStringLiteral("read the tax year"), query);
    if (!query.next())
        return TaxYear2016().Year;
    // A row edited outside the program may hold text, a fraction or a number no year has: no
    // year is guessed from it.
    bool isNumber = false;
    const double year = query.value(0).toDouble(&isNumber);
    if (!isNumber || !(year >= 1.0 && year <= 9999.0) || year != std::trunc(year))
        throw StorageError(connection.path(), QStringLiteral("column Year of table TaxYear does not hold a year."));
    return static_cast<int>(year);
}

void WriteChosenTaxYear(const AppPaths& paths, int year)
{
    DatabaseConnection connection(paths.SettingsDbPath, paths.SeedFolder());
    // One statement: the first row takes the year, or a table that has lost its row gets it back.
    QSqlQuery write(connection.database());
    connection.check(write.prepare(QStringLiteral("INSERT INTO TaxYear (rowid, Year) "
                                                  "VALUES (coalesce((SELECT min(rowid) FROM TaxYear), 1), ?) "
                                                  "ON CONFLICT (rowid) DO UPDATE SET Year = excluded.Year")),
                     QStringLiteral("prepare the write of the tax year"), write);
    write.addBindValue(year);
    connection.check(write.exec(), QStringLiteral("save the tax year"), write);
}

} // namespace revora
