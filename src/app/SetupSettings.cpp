#include "SetupSettings.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QStringList>
#include <cmath>
#include <vector>

#include "Database.h"

namespace revora {

namespace {

// Reads the named columns of the first row, in order; a table that has lost its row gets it
// back with the table's own defaults, which are the values a new settings file starts with.
std::vector<double> ReadColumns(const AppPaths& paths, const QStringList& columns)
{
    DatabaseConnection connection(paths.SettingsDbPath, paths.SeedFolder());
    const QString select = QStringLiteral("SELECT %1 FROM Setup ORDER BY rowid LIMIT 1").arg(columns.join(", "));
    QSqlQuery query(connection.database());
    auto selectFirstRow = [&] {
        connection.check(query.exec(select), QStringLiteral("read the settings"), query);
        return query.next();
    };
    if (!selectFirstRow()) {
        QSqlQuery putBack(connection.database());
        connection.check(putBack.exec(QStringLiteral("INSERT INTO Setup DEFAULT VALUES")),
                         QStringLiteral("put back the row of table Setup"), putBack);
        connection.check(selectFirstRow(), QStringLiteral("read the settings"), QStringLiteral("table Setup has no row"));
    }
    std::vector<double> values;
    for (int i = 0; i < columns.size(); ++i) {
        const QVariant stored = query.value(i);
        bool isNumber = false;
        const double value = stored.isNull() ? 0.0 : stored.toDouble(&isNumber);
        // A row edited outside the program may hold text, an empty field or an infinity; no
        // rate is guessed for it, and none of it may reach a calculation.
        if (!isNumber || !std::isfinite(value))
            throw StorageError(connection.path(),
                               QStringLiteral("column %1 of table Setup does not hold a number.").arg(columns[i]));
        values.push_back(value);
    }
    return values;
}

// Writes the named columns of the first row in one statement, so the row is either written
// whole or not at all; its other columns stay as they are. A table that has lost its row gets
// a new one, whose other columns take the table's defaults.
void WriteColumns(const AppPaths& paths, const QStringList& columns, const std::vector<double>& values)
{
    DatabaseConnection connection(paths.SettingsDbPath, paths.SeedFolder());
    QStringList updates;
    for (const QString& column : columns)
        updates << QStringLiteral("%1 = excluded.%1").arg(column);
    QSqlQuery write(connection.database());
    connection.check(write.prepare(QStringLiteral("INSERT INTO Setup (rowid, %1) "
                                                  "VALUES (coalesce((SELECT min(rowid) FROM Setup), 1)%2) "
                                                  "ON CONFLICT (rowid) DO UPDATE SET %3")
                                       .arg(columns.join(", "), QStringLiteral(", ?").repeated(columns.size()),
                                            updates.join(", "))),
                     QStringLiteral("prepare the write of the settings"), write);
    for (const double value : values)
        write.addBindValue(value);
    connection.check(write.exec(), QStringLiteral("save the settings"), write);
}

const QStringList PayrollColumns{"EmployeeUIF", "EmployerUIF", "SkillLevy", "UIFLimit", "TAIncRate8020"};

const QStringList PackageColumns{"PensionCont", "EmployerPenCont", "ProvCont",      "EmployerProvCont",
                                 "EmployeeUIF", "EmployerUIF",     "SkillLevy",     "UIFLimit",
                                 "TAIncRate8020", "CompCarFBRate8020", "CompCarMPYesNo"};

} // namespace

PayeSettings ReadPayeSettings(const AppPaths& paths)
{
    const std::vector<double> v = ReadColumns(paths, PayrollColumns);
    return {v[0], v[1], v[2], v[3], v[4]};
}

void WritePayeSettings(const AppPaths& paths, const PayeSettings& s)
{
    WriteColumns(paths, PayrollColumns, {s.EmployeeUIF, s.EmployerUIF, s.SkillLevy, s.UIFLimit, s.TAIncRate8020});
}

PackageSettings ReadPackageSettings(const AppPaths& paths)
{
    const std::vector<double> v = ReadColumns(paths, PackageColumns);
    return {v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10] != 0.0};
}

namespace {

// The eleven columns' values, in the order of PackageColumns. The maintenance-plan flag is
// stored as true = -1, as the file has always held it.
std::vector<double> PackageValues(const PackageSettings& s)
{
    return {s.PensionCont, s.EmployerPenCont, s.ProvCont,      s.EmployerProvCont,  s.EmployeeUIF,
            s.EmployerUIF, s.SkillLevy,       s.UIFLimit,      s.TAIncRate8020,     s.CompCarFBRate8020,
            s.CompCarMPYesNo ? -1.0 : 0.0};
}

} // namespace

void WritePackageSettings(const AppPaths& paths, const PackageSettings& s)
{
    WriteColumns(paths, PackageColumns, PackageValues(s));
}

void WriteSettingsEdit(const AppPaths& paths, const SettingsEdit& edit)
{
    const std::vector<double> opened = PackageValues(edit.opened);
    const std::vector<double> edited = PackageValues(edit.edited);
    QStringList columns;
    std::vector<double> values;
    for (std::size_t i = 0; i < edited.size(); ++i)
        if (edited[i] != opened[i]) {
            columns << PackageColumns[static_cast<qsizetype>(i)];
            values.push_back(edited[i]);
        }
    if (!columns.isEmpty())
        WriteColumns(paths, columns, values);
}

PackageSettings SettingsInForce::read(const AppPaths& paths) const
{
    // A payroll screen reads only its own columns, so a damaged package column leaves it be.
    const PackageSettings stored = columns_ == Columns::Payroll
        ? WithPayrollPart(PackageSettings{}, ReadPayeSettings(paths))
        : ReadPackageSettings(paths);
    return unsaved_ ? unsaved_->over(stored) : stored;
}

void SettingsInForce::save(const AppPaths& paths, const SettingsEdit& edit)
{
    const SettingsEdit all = unsaved_ ? unsaved_->then(edit) : edit;
    try {
        WriteSettingsEdit(paths, all);
    } catch (const StorageError&) {
        unsaved_ = all;
        throw;
    }
    unsaved_.reset();
}

} // namespace revora
