#include "SetupSettings.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QStringList>
#include <cmath>
#include <vector>

#include "Database.h"
#include "common/AmountFormat.h"

namespace revora {

namespace {

using Columns = std::vector<const SetupColumn*>;

QString NameOf(const SetupColumn& column)
{
    return QString::fromUtf8(column.name.data(), static_cast<qsizetype>(column.name.size()));
}

Columns Named(std::initializer_list<std::string_view> names)
{
    Columns columns;
    for (const std::string_view name : names)
        columns.push_back(&SetupColumnNamed(name));
    return columns;
}

const Columns PayrollColumns = Named({"EmployeeUIF", "EmployerUIF", "SkillLevy", "UIFLimit", "TAIncRate8020"});

Columns AllColumns()
{
    Columns columns;
    for (const SetupColumn& column : SetupColumns)
        columns.push_back(&column);
    return columns;
}

// The maintenance-plan flag is stored as true = -1, as the file has always held it; 1, the
// true of other tools, reads as yes as well. Any other number is no answer at all.
double StoredValue(const SetupColumn& column, double value)
{
    return column.kind == SetupKind::YesNo && value != 0.0 ? -1.0 : value;
}
double ValueOfStored(const SetupColumn& column, double stored)
{
    if (column.kind != SetupKind::YesNo)
        return stored;
    return stored == -1.0 || stored == 1.0 ? 1.0 : stored == 0.0 ? 0.0 : NAN;
}
QString StoredLimitText(const SetupColumn& column)
{
    return column.kind == SetupKind::YesNo ? QStringLiteral("0 (no) or -1 (yes)")
                                           : QString::fromStdString(SetupLimitText(column));
}

// Reads the columns of the first row, in order, each checked against its limit; a table that
// has lost its row gets it back with the table's own defaults, which are the values a new
// settings file starts with.
std::vector<double> ReadRow(DatabaseConnection& connection, const Columns& columns)
{
    QStringList names;
    for (const SetupColumn* column : columns)
        names << NameOf(*column);
    const QString select = QStringLiteral("SELECT %1 FROM Setup ORDER BY rowid LIMIT 1").arg(names.join(", "));
    QSqlQuery query(connection.database());
    auto selectFirstRow = [&] {
        connection.check(query.exec(select), QStringLiteral("read the settings"), query);
        return query.next();
    };
    if (!selectFirstRow()) {
        // Only when the table is still empty: another run may have put it back meanwhile.
        QSqlQuery putBack(connection.database());
        connection.check(
            putBack.exec(QStringLiteral("INSERT INTO Setup (rowid) SELECT 1 WHERE NOT EXISTS (SELECT 1 FROM Setup)")),
            QStringLiteral("put back the row of table Setup"), putBack);
        connection.check(selectFirstRow(), QStringLiteral("read the settings"), QStringLiteral("table Setup has no row"));
    }
    std::vector<double> values;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const SetupColumn& column = *columns[i];
        const QVariant stored = query.value(static_cast<int>(i));
        bool isNumber = false;
        const double number = stored.isNull() ? 0.0 : stored.toDouble(&isNumber);
        // A row edited outside the program may hold text, an empty field, an infinity or a
        // number no box of the panel takes (a levy of -2 %, a UIF limit of 0); no rate is
        // guessed for it, and none of it may reach a calculation.
        if (!isNumber || !std::isfinite(number))
            throw StorageError(connection.path(),
                               QStringLiteral("column %1 of table Setup does not hold a number.").arg(NameOf(column)));
        const double value = ValueOfStored(column, number);
        if (!SetupAllows(column, value))
            throw StorageError(connection.path(), QStringLiteral("column %1 of table Setup holds %2; it must be %3.")
                                                      .arg(NameOf(column),
                                                           QString::fromStdString(FormatFullPrecision(number)),
                                                           StoredLimitText(column)));
        values.push_back(value);
    }
    return values;
}

// Writes the changed columns of the first row in one statement, its other columns as they
// are. A table that has lost its row gets a new one, whose other columns take the table's
// defaults. Every value is checked first, so a refused one writes nothing; a column changed
// twice takes the later value.
void WriteChanges(DatabaseConnection& connection, const std::vector<SettingsChange>& changes)
{
    QStringList names;
    QStringList updates;
    std::vector<double> values;
    for (const SettingsChange& change : changes) {
        if (!SetupAllows(*change.column, change.value))
            throw StorageError(connection.path(), QStringLiteral("the settings were not saved: %1")
                                                      .arg(QString::fromStdString(SetupRefusal(*change.column))));
        const QString name = NameOf(*change.column);
        if (const qsizetype earlier = names.indexOf(name); earlier >= 0) {
            values[static_cast<std::size_t>(earlier)] = StoredValue(*change.column, change.value);
            continue;
        }
        names << name;
        updates << QStringLiteral("%1 = excluded.%1").arg(name);
        values.push_back(StoredValue(*change.column, change.value));
    }
    QSqlQuery write(connection.database());
    connection.check(write.prepare(QStringLiteral("INSERT INTO Setup (rowid, %1) "
                                                  "VALUES (coalesce((SELECT min(rowid) FROM Setup), 1)%2) "
                                                  "ON CONFLICT (rowid) DO UPDATE SET %3")
                                       .arg(names.join(", "), QStringLiteral(", ?").repeated(names.size()),
                                            updates.join(", "))),
                     QStringLiteral("prepare the write of the settings"), write);
    for (const double value : values)
        write.addBindValue(value);
    connection.check(write.exec(), QStringLiteral("save the settings"), write);
}

const QString Saving = QStringLiteral("save the settings");

void SaveChanges(const AppPaths& paths, const std::vector<SettingsChange>& changes)
{
    if (changes.empty())
        return;
    DatabaseConnection connection(paths.SettingsDbPath, paths.SeedFolder());
    WriteTransaction transaction(connection, Saving);
    WriteChanges(connection, changes);
    transaction.commit();
}

PackageSettings SettingsOf(const Columns& columns, const std::vector<double>& values)
{
    PackageSettings settings;
    for (std::size_t i = 0; i < columns.size(); ++i)
        SetSetupValue(*columns[i], settings, values[i]);
    return settings;
}

std::vector<double> ReadColumns(const AppPaths& paths, const Columns& columns)
{
    DatabaseConnection connection(paths.SettingsDbPath, paths.SeedFolder());
    return ReadRow(connection, columns);
}

} // namespace

PayeSettings ReadPayeSettings(const AppPaths& paths)
{
    return PayrollPart(SettingsOf(PayrollColumns, ReadColumns(paths, PayrollColumns)));
}

void WritePayeSettings(const AppPaths& paths, const PayeSettings& s)
{
    const PackageSettings all = WithPayrollPart(PackageSettings{}, s);
    std::vector<SettingsChange> changes;
    for (const SetupColumn* column : PayrollColumns)
        changes.push_back({column, SetupValue(*column, all)});
    SaveChanges(paths, changes);
}

PackageSettings ReadPackageSettings(const AppPaths& paths)
{
    const Columns all = AllColumns();
    return SettingsOf(all, ReadColumns(paths, all));
}

void WriteSettingsEdit(const AppPaths& paths, const SettingsEdit& edit)
{
    std::vector<SettingsChange> changes;
    for (const SetupColumn& column : SetupColumns)
        if (SetupValue(column, edit.edited) != SetupValue(column, edit.opened))
            changes.push_back({&column, SetupValue(column, edit.edited)});
    SaveChanges(paths, changes);
}

PackageSettings ChangeSettings(const AppPaths& paths, const std::vector<SettingsChange>& changes)
{
    DatabaseConnection connection(paths.SettingsDbPath, paths.SeedFolder());
    WriteTransaction transaction(connection, Saving);
    if (!changes.empty())
        WriteChanges(connection, changes);
    const Columns all = AllColumns();
    const PackageSettings settings = SettingsOf(all, ReadRow(connection, all));
    transaction.commit();
    return settings;
}

PackageSettings SettingsInForce::read(const AppPaths& paths)
{
    unreadable_ = true;
    // A payroll screen reads only its own columns, so a damaged package column leaves it be.
    const PackageSettings stored = columns_ == Columns::Payroll
        ? WithPayrollPart(PackageSettings{}, ReadPayeSettings(paths))
        : ReadPackageSettings(paths);
    unreadable_ = false;
    return unsaved_ ? unsaved_->over(stored) : stored;
}

void SettingsInForce::save(const AppPaths& paths, const SettingsEdit& edit)
{
    const SettingsEdit all = unsaved_ ? unsaved_->then(edit) : edit;
    try {
        if (unreadable_) {
            std::vector<SettingsChange> whole;
            for (const SetupColumn* column : columns_ == Columns::Payroll ? PayrollColumns : AllColumns())
                whole.push_back({column, SetupValue(*column, all.edited)});
            SaveChanges(paths, whole);
        } else {
            WriteSettingsEdit(paths, all);
        }
    } catch (const StorageError&) {
        unsaved_ = all;
        throw;
    }
    unsaved_.reset();
    unreadable_ = false;
}

} // namespace revora
