#include "labelqueue/SqliteFile.h"

#include <QDir>

#include <sqlite3.h>

namespace {

// Another window or the command line holds the file only for one change.
constexpr int busyWaitMs = 3000;

QString adviceFor(int code)
{
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("它正被其他程式使用；請等它做完或關閉那個程式後再試。");
    case SQLITE_FULL:
        return QStringLiteral("磁碟已滿；請清出磁碟空間後再試。");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("它已損壞；請把它移到別處或刪除後再試（刪除會失去復原和列印記錄）。");
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
        return QStringLiteral("無法寫入；請確認程式目錄可以寫入後再試。");
    default:
        return QStringLiteral("請確認磁碟正常後再試；仍不行時把它移到別處或刪除。");
    }
}

} // namespace

SqliteStatement::SqliteStatement(SqliteFile &file, sqlite3_stmt *statement)
    : file_(&file)
    , statement_(statement)
{}

SqliteStatement::SqliteStatement(SqliteStatement &&other) noexcept
    : file_(other.file_)
    , statement_(other.statement_)
{
    other.statement_ = nullptr;
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(statement_);
}

SqliteStatement &SqliteStatement::bind(int at, qint64 value)
{
    sqlite3_bind_int64(statement_, at, value);
    return *this;
}

SqliteStatement &SqliteStatement::bind(int at, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(statement_, at, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    return *this;
}

SqliteStatement &SqliteStatement::bindBlob(int at, QByteArrayView bytes)
{
    if (bytes.isEmpty()) {
        sqlite3_bind_null(statement_, at);
    } else {
        sqlite3_bind_blob64(statement_, at, bytes.data(), sqlite3_uint64(bytes.size()), SQLITE_STATIC);
    }
    return *this;
}

bool SqliteStatement::next()
{
    if (!statement_) {
        return false;
    }
    const int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW) {
        return true;
    }
    file_->check(code == SQLITE_DONE ? SQLITE_OK : code);
    return false;
}

bool SqliteStatement::run()
{
    if (!statement_) {
        return false;
    }
    const int code = sqlite3_step(statement_);
    // Ready to run again with new values.
    sqlite3_reset(statement_);
    return file_->check(code == SQLITE_DONE || code == SQLITE_ROW ? SQLITE_OK : code);
}

qint64 SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(statement_, column);
}

QString SqliteStatement::text(int column) const
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(statement_, column));
    return QString::fromUtf8(bytes, sqlite3_column_bytes(statement_, column));
}

QByteArray SqliteStatement::blob(int column) const
{
    const auto *bytes = static_cast<const char *>(sqlite3_column_blob(statement_, column));
    return QByteArray(bytes, sqlite3_column_bytes(statement_, column));
}

bool SqliteStatement::isNull(int column) const
{
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

SqliteFile::SqliteFile(const QString &path, const char *schema)
    : path_(path)
{
    const QByteArray name = QDir::toNativeSeparators(path).toLocal8Bit();
    if (!check(sqlite3_open_v2(name.constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr))) {
        return;
    }
    sqlite3_busy_timeout(db_, busyWaitMs);
    sqlite3_extended_result_codes(db_, 1);
    // Each change is one transaction put on the disk before the table is touched.
    exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA foreign_keys=ON; "
         "PRAGMA journal_size_limit=8388608;") &&
        exec(schema);
}

SqliteFile::~SqliteFile()
{
    sqlite3_close_v2(db_);
}

bool SqliteFile::exec(const char *sql)
{
    return ok() && check(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr));
}

SqliteStatement SqliteFile::prepare(const char *sql)
{
    sqlite3_stmt *statement = nullptr;
    if (ok()) {
        check(sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr));
    }
    return SqliteStatement(*this, statement);
}

qint64 SqliteFile::lastInsertId() const
{
    return sqlite3_last_insert_rowid(db_);
}

bool SqliteFile::check(int code)
{
    if (code == SQLITE_OK || !failure_.isEmpty()) {
        return code == SQLITE_OK && failure_.isEmpty();
    }
    const QString reason = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString::fromUtf8(sqlite3_errstr(code));
    failure_ = QStringLiteral("「%1」無法使用（%2）。%3").arg(QDir::toNativeSeparators(path_), reason, adviceFor(code));
    return false;
}
