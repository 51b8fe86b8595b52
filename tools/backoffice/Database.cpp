#include "Database.h"

namespace {

[[noreturn]] void fail(sqlite3 *db, std::string_view what)
{
    throw DatabaseError(std::string(what) + ": " + sqlite3_errmsg(db));
}

} // namespace

Statement::Statement(sqlite3 *db, std::string_view sql)
    : db_(db)
{
    if (sqlite3_prepare_v2(db_, sql.data(), int(sql.size()), &stmt_, nullptr) != SQLITE_OK) {
        fail(db_, "SQL prepare");
    }
}

Statement::~Statement()
{
    sqlite3_finalize(stmt_);
}

void Statement::bind(int index, std::string_view text)
{
    if (sqlite3_bind_text(stmt_, index, text.data(), int(text.size()), SQLITE_TRANSIENT) != SQLITE_OK) {
        fail(db_, "SQL bind");
    }
}

void Statement::bind(int index, double value)
{
    if (sqlite3_bind_double(stmt_, index, value) != SQLITE_OK) {
        fail(db_, "SQL bind");
    }
}

void Statement::bindAll(const std::vector<std::string> &texts)
{
    for (size_t i = 0; i < texts.size(); ++i) {
        bind(int(i) + 1, texts[i]);
    }
}

void Statement::reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

bool Statement::step()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc != SQLITE_DONE) {
        fail(db_, "SQL step");
    }
    return false;
}

std::string_view Statement::text(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, column));
    if (!data) {
        return {};
    }
    return std::string_view(data, size_t(sqlite3_column_bytes(stmt_, column)));
}

double Statement::number(int column) const
{
    return sqlite3_column_double(stmt_, column);
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

int Statement::columnCount() const
{
    return sqlite3_column_count(stmt_);
}

Database::Database(const std::string &path)
{
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        const std::string message = std::string("cannot open database ") + path + ": " + sqlite3_errmsg(db_);
        sqlite3_close(db_);
        throw DatabaseError(message);
    }
}

Database::~Database()
{
    sqlite3_close(db_);
}

void Database::execScript(const char *sql)
{
    char *error = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = std::string("SQL script: ") + (error ? error : "unknown error");
        sqlite3_free(error);
        throw DatabaseError(message);
    }
}

bool Database::hasTable(std::string_view name)
{
    Statement statement = prepare("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?");
    statement.bind(1, name);
    return statement.step();
}
