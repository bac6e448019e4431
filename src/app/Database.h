#pragma once
// The program's database files: SQLite through Qt Sql. Each use opens a connection, works and
// closes it again; nothing stays open between user actions.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace revora {

// A database or layout file that cannot be opened, read or written. The message names the
// file and is fit to show the user as it stands.
class StorageError : public std::runtime_error {
public:
    StorageError(const QString& file, const QString& problem);
    QString file() const { return file_; }
    QString message() const { return message_; }

private:
    QString file_;
    QString message_;
};

// An open connection to one database file. A missing file, or a missing table, is created
// from the seed scripts of the folder seeds/<file base name>/ (one <table>.sql each, creating
// the table and its row); of an existing table only the columns its seed adds by a later
// ALTER TABLE ... ADD COLUMN are added when it lacks them (a file from an earlier version), its
// rows kept; an unreadable or damaged file is reported and left as it is.
class DatabaseConnection {
public:
    DatabaseConnection(const QString& path, const QString& seedFolder);
    ~DatabaseConnection();
    DatabaseConnection(const DatabaseConnection&) = delete;
    DatabaseConnection& operator=(const DatabaseConnection&) = delete;

    QSqlDatabase& database() { return db_; }
    const QString& path() const { return path_; }

    // Raise StorageError naming the file when the statement failed. The query or database is
    // asked for its error only here, after the statement has run: read as another argument of
    // the same call, it could be read before the statement ran and say nothing.
    void check(bool ok, const QString& what, const QString& driverText) const;
    void check(bool ok, const QString& what, const QSqlQuery& query) const;
    void check(bool ok, const QString& what, const QSqlDatabase& database) const;

private:
    // A table's statements still to run, and the work they do as a message names it.
    struct SeedWork {
        QString what;
        QStringList statements;
    };
    void seedMissingTables(const QString& seedFolder);
    // What the seeds of the folder still have to create or add, as the file holds it now.
    QList<SeedWork> missingSeedWork(const QString& folder);
    QStringList laterColumnsMissing(const QString& table, const QStringList& statements);

    QString path_;
    QString connectionName_;
    QSqlDatabase db_;
};

// A transaction that changes the file. It takes the file's write lock at once (BEGIN
// IMMEDIATE), so what is read inside it is what its changes are made on: another program or
// another run of this one that is changing the file is waited for (the connection's busy
// timeout) and then comes after it, never in between. Everything done in it is undone unless
// commit() is reached; a failure to start or to commit raises StorageError naming the file.
class WriteTransaction {
public:
    WriteTransaction(DatabaseConnection& connection, const QString& what);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;
    void commit();

private:
    DatabaseConnection& connection_;
    QString what_; // the work, as the messages name it: "save the settings"
    bool open_ = false;
};

// Quotes a table or field name for SQL; names come from the program, never from the user.
QString QuoteIdentifier(const QString& name);

} // namespace revora
