#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>

struct sqlite3;
struct sqlite3_stmt;

// One SQL statement of a SqliteFile, stepped row by row. A failure is kept
// by the file it came from.
class SqliteStatement
{
public:
    SqliteStatement(SqliteStatement &&other) noexcept;
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    SqliteStatement &bind(int at, qint64 value);
    SqliteStatement &bind(int at, const QString &text);
    // An empty blob is stored as NULL.
    SqliteStatement &bindBlob(int at, QByteArrayView bytes);
    // True while a row is there to read; false at the end or on failure.
    bool next();
    // Runs a statement that returns no rows, ready to run again; false on failure.
    bool run();
    qint64 integer(int column) const;
    QString text(int column) const;
    QByteArray blob(int column) const;
    bool isNull(int column) const;

private:
    friend class SqliteFile;
    SqliteStatement(class SqliteFile &file, sqlite3_stmt *statement);

    SqliteFile *file_;
    sqlite3_stmt *statement_;
};

// A small SQLite database file of the program's own, opened for a short
// while: another program holding it is waited for a moment, then refused.
// The first failure is kept with a text saying what the user can do.
class SqliteFile
{
public:
    // Creates the file when nothing is there and runs schema (statements
    // that create what is missing).
    SqliteFile(const QString &path, const char *schema);
    ~SqliteFile();
    SqliteFile(const SqliteFile &) = delete;
    SqliteFile &operator=(const SqliteFile &) = delete;

    const QString &path() const { return path_; }
    bool ok() const { return failure_.isEmpty(); }
    // Why the file could not be used and what to do, naming the file; empty when it can.
    const QString &failure() const { return failure_; }

    bool exec(const char *sql);
    SqliteStatement prepare(const char *sql);
    qint64 lastInsertId() const;
    // Keeps the failure of the last call, if it was one.
    bool check(int code);

private:
    QString path_;
    sqlite3 *db_ = nullptr;
    QString failure_;
};
