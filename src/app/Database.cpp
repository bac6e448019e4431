#include "Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlRecord>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <atomic>

namespace revora {
namespace {

QString NextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("revora-%1").arg(++counter);
}

// Seed scripts hold plain statements ended by ";" at a line end.
QStringList SplitStatements(const QString& script)
{
    QStringList statements;
    QString current;
    for (const QString& line : script.split('\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith("--"))
            continue;
        current += line + '\n';
        if (trimmed.endsWith(';')) {
            if (!current.trimmed().isEmpty())
                statements << current.trimmed();
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}

// What went wrong in words a user can act on, with SQLite's own text for whoever helps them.
QString PlainReason(const QSqlError& error)
{
    bool known = false;
    const int code = error.nativeErrorCode().toInt(&known) & 0xff; // the primary of an extended code
    QString reason;
    if (known) {
        switch (code) {
        case 5: // SQLITE_BUSY
        case 6: // SQLITE_LOCKED
            reason = QStringLiteral("another program is using the file; close it and try again");
            break;
        case 8: // SQLITE_READONLY
            reason = QStringLiteral("the file or its folder is read-only");
            break;
        case 10: // SQLITE_IOERR
            reason = QStringLiteral("the disk could not be read or written");
            break;
        case 11: // SQLITE_CORRUPT
        case 26: // SQLITE_NOTADB
            reason = QStringLiteral("the file is damaged or is not a database");
            break;
        case 13: // SQLITE_FULL
            reason = QStringLiteral("the disk is full");
            break;
        case 14: // SQLITE_CANTOPEN
            reason = QStringLiteral("the file could not be opened");
            break;
        default:
            break;
        }
    }
    const QString detail = error.databaseText().isEmpty() ? error.text().trimmed() : error.databaseText();
    if (reason.isEmpty())
        return (detail.isEmpty() ? QStringLiteral("no reason was given") : detail) + '.';
    return detail.isEmpty() ? reason + '.' : QStringLiteral("%1 (%2).").arg(reason, detail);
}

} // namespace

StorageError::StorageError(const QString& file, const QString& problem)
    : std::runtime_error((file + ": " + problem).toStdString()),
      file_(file),
      message_(QStringLiteral("The file %1 could not be used: %2").arg(QDir::toNativeSeparators(file), problem))
{
}

QString QuoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace('"', QStringLiteral("\"\""));
    return '"' + quoted + '"';
}

DatabaseConnection::DatabaseConnection(const QString& path, const QString& seedFolder)
    : path_(path), connectionName_(NextConnectionName())
{
    const QFileInfo info(path);
    if (info.exists() && (!info.isFile() || !info.isReadable()))
        throw StorageError(path, QStringLiteral("it is not a readable file."));
    if (!info.exists() && !QFileInfo(info.absolutePath()).isDir())
        throw StorageError(path, QStringLiteral("it is missing and its folder does not exist."));
    if (!info.exists() && !QFileInfo(info.absolutePath()).isWritable())
        throw StorageError(path, QStringLiteral("it is missing and its folder is not writable."));

    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    db_.setDatabaseName(path);
    // A file locked by another program is waited for briefly, then reported.
    db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    if (!db_.open())
        throw StorageError(path, PlainReason(db_.lastError()));
    try {
        // SQLite opens lazily; reading the schema is what finds a damaged file.
        QSqlQuery probe(db_);
        check(probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")), QStringLiteral("read"),
              probe);
        // A read left open would keep its lock on the file, and two runs each holding one while
        // waiting to write would each wait on the other.
        probe.finish();
        seedMissingTables(seedFolder);
    } catch (...) {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName_);
        throw;
    }
}

DatabaseConnection::~DatabaseConnection()
{
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connectionName_);
}

void DatabaseConnection::check(bool ok, const QString& what, const QString& driverText) const
{
    if (!ok)
        throw StorageError(path_, QStringLiteral("could not %1 (%2).").arg(what, driverText));
}

void DatabaseConnection::check(bool ok, const QString& what, const QSqlQuery& query) const
{
    if (!ok)
        throw StorageError(path_, QStringLiteral("could not %1: %2").arg(what, PlainReason(query.lastError())));
}

void DatabaseConnection::check(bool ok, const QString& what, const QSqlDatabase& database) const
{
    if (!ok)
        throw StorageError(path_, QStringLiteral("could not %1: %2").arg(what, PlainReason(database.lastError())));
}

void DatabaseConnection::seedMissingTables(const QString& seedFolder)
{
    // A file that cannot be written (a read-only folder or medium) is read as it is: a table a
    // later version of the program added is not created there, and what reads that table reports
    // the file then. Refusing the whole file for it would stop everything else being read.
    const QFileInfo file(path_);
    if (!file.isWritable() || !QFileInfo(file.absolutePath()).isWritable())
        return;
    const QString folder = seedFolder + '/' + file.completeBaseName();
    if (missingSeedWork(folder).isEmpty())
        return;
    // What is missing is looked at again under the write lock: another run may have created it
    // in the meantime, and creating it twice would fail. All of it is created, or none.
    WriteTransaction transaction(*this, QStringLiteral("set up the tables of the file"));
    for (const SeedWork& work : missingSeedWork(folder))
        for (const QString& statement : work.statements) {
            QSqlQuery query(db_);
            check(query.exec(statement), work.what, query);
        }
    transaction.commit();
}

QList<DatabaseConnection::SeedWork> DatabaseConnection::missingSeedWork(const QString& folder)
{
    const QStringList existing = db_.tables();
    const QStringList seeds = QDir(folder).entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
    QList<SeedWork> work;
    for (const QString& seedName : seeds) {
        const QString table = QFileInfo(seedName).completeBaseName();
        QFile seed(folder + '/' + seedName);
        if (!seed.open(QIODevice::ReadOnly | QIODevice::Text))
            throw StorageError(seed.fileName(), QStringLiteral("the seed script cannot be read."));
        const QStringList statements = SplitStatements(QString::fromUtf8(seed.readAll()));
        if (!existing.contains(table, Qt::CaseInsensitive))
            work.append({QStringLiteral("create table %1").arg(table), statements});
        else if (const QStringList missing = laterColumnsMissing(table, statements); !missing.isEmpty())
            work.append({QStringLiteral("add a column to table %1").arg(table), missing});
    }
    return work;
}

QStringList DatabaseConnection::laterColumnsMissing(const QString& table, const QStringList& statements)
{
    // Only the columns a seed adds with ALTER TABLE are added: a column of the table's first
    // form that is missing was taken away by another tool, and stays reported by name.
    static const QRegularExpression addColumn(
        QStringLiteral(R"re(^ALTER\s+TABLE\s+\S+\s+ADD\s+COLUMN\s+"([^"]+)")re"),
        QRegularExpression::CaseInsensitiveOption);
    const QSqlRecord columns = db_.record(table);
    QStringList missing;
    for (const QString& statement : statements) {
        const auto match = addColumn.match(statement);
        if (match.hasMatch() && !columns.contains(match.captured(1)))
            missing << statement;
    }
    return missing;
}

WriteTransaction::WriteTransaction(DatabaseConnection& connection, const QString& what)
    : connection_(connection), what_(what)
{
    QSqlQuery begin(connection_.database());
    connection_.check(begin.exec(QStringLiteral("BEGIN IMMEDIATE")), what_, begin);
    open_ = true;
}

WriteTransaction::~WriteTransaction()
{
    if (open_)
        QSqlQuery(connection_.database()).exec(QStringLiteral("ROLLBACK"));
}

void WriteTransaction::commit()
{
    QSqlQuery commit(connection_.database());
    const bool committed = commit.exec(QStringLiteral("COMMIT"));
    if (committed)
        open_ = false;
    connection_.check(committed, what_, commit);
}

} // namespace revora
