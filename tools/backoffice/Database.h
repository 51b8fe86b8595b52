#pragma once

#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Thin RAII layer over the SQLite C API. Failures throw DatabaseError carrying
// SQLite's own message, so a request handler can turn them into one refusal line.
// A connection is used by one thread at a time (the server serialises requests),
// so SQLite's own per-call locking is off.
class DatabaseError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class Statement
{
public:
    Statement(sqlite3 *db, std::string_view sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    // Parameters are numbered from 1, as in SQLite.
    void bind(int index, std::string_view text);
    void bind(int index, double value);
    void bindAll(const std::vector<std::string> &texts);
    void reset();

    // True while a row is available.
    bool step();

    std::string_view text(int column) const;
    double number(int column) const;
    bool isNull(int column) const;
    int columnCount() const;

private:
    sqlite3 *db_;
    sqlite3_stmt *stmt_ = nullptr;
};

class Database
{
public:
    // ":memory:" for a private in-memory database; a file is created when missing.
    explicit Database(const std::string &path);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    void execScript(const char *sql);
    bool hasTable(std::string_view name);
    Statement prepare(std::string_view sql) { return Statement(db_, sql); }

private:
    sqlite3 *db_ = nullptr;
};
