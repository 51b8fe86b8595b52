#include "labelqueue/PrintHistory.h"

#include "labelqueue/Packing.h"
#include "labelqueue/ReplacingFile.h"
#include "labelqueue/SqliteFile.h"

#include <QFileInfo>

namespace {

const char schema[] = R"(
CREATE TABLE IF NOT EXISTS exports(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    queue TEXT NOT NULL,
    made TEXT NOT NULL,
    rows INTEGER NOT NULL,
    lines INTEGER NOT NULL,
    labels INTEGER NOT NULL,
    label_file TEXT NOT NULL,
    first_names TEXT NOT NULL,
    bytes BLOB NOT NULL);
CREATE INDEX IF NOT EXISTS exports_of_queue ON exports(queue, id);
CREATE TABLE IF NOT EXISTS export_rows(
    export INTEGER PRIMARY KEY REFERENCES exports(id) ON DELETE CASCADE,
    rows BLOB NOT NULL);
CREATE TABLE IF NOT EXISTS printed(
    queue TEXT PRIMARY KEY,
    marks BLOB);
)";

PrintedExport exportAt(const SqliteStatement &row)
{
    return {row.integer(0),      QDateTime::fromString(row.text(1), Qt::ISODateWithMs),
            int(row.integer(2)), row.integer(3),
            row.integer(4),      row.text(5),
            row.text(6)};
}

} // namespace

template <typename Read>
auto PrintHistory::withExport(const QString &queue, qint64 id, const char *sql, Read read) const
    -> decltype(read(std::declval<const SqliteStatement &>()))
{
    using Result = decltype(read(std::declval<const SqliteStatement &>()));
    const QString missing = QStringLiteral("列印記錄沒有第 %1 次轉出。").arg(id);
    if (!QFileInfo::exists(path_)) {
        return Result::failure(missing);
    }
    SqliteFile db(path_, schema);
    SqliteStatement select = db.prepare(sql);
    select.bind(1, queue).bind(2, id);
    if (!select.next()) {
        return Result::failure(db.ok() ? missing : db.failure());
    }
    return read(select);
}

PrintHistory::PrintHistory(QString path)
    : path_(std::move(path))
{}

DbfResult<QString> PrintHistory::record(const QString &queue, const PrintedExport &printed,
                                        const QByteArray &packedBytes, const QByteArray &packedRows,
                                        const PrintedMarks &marks)
{
    SqliteFile db(path_, schema);
    db.exec("BEGIN IMMEDIATE");
    db.prepare("INSERT INTO exports(queue, made, rows, lines, labels, label_file, first_names, bytes) "
               "VALUES(?,?,?,?,?,?,?,?)")
        .bind(1, queue)
        .bind(2, printed.made.toString(Qt::ISODateWithMs))
        .bind(3, qint64(printed.rows))
        .bind(4, printed.lines)
        .bind(5, printed.labels)
        .bind(6, printed.labelFile)
        .bind(7, printed.firstNames)
        .bindBlob(8, packedBytes)
        .run();
    db.prepare("INSERT INTO export_rows(export, rows) VALUES(?,?)")
        .bind(1, db.lastInsertId())
        .bindBlob(2, packedRows)
        .run();
    SqliteStatement earlier = db.prepare("SELECT marks FROM printed WHERE queue=?");
    earlier.bind(1, queue);
    PrintedMarks all = earlier.next() ? PrintedMarks::fromPacked(earlier.blob(0)) : PrintedMarks();
    all.merge(marks);
    const QByteArray packedMarks = all.packed();
    db.prepare("INSERT OR REPLACE INTO printed(queue, marks) VALUES(?,?)")
        .bind(1, queue)
        .bindBlob(2, packedMarks)
        .run();
    const QString oldest = printed.made.addDays(-keptDays).toString(Qt::ISODateWithMs);
    SqliteStatement drop = db.prepare("DELETE FROM exports WHERE queue=? AND made<? AND id NOT IN "
                                      "(SELECT id FROM exports WHERE queue=? ORDER BY id DESC LIMIT ?)");
    drop.bind(1, queue).bind(2, oldest).bind(3, queue).bind(4, qint64(keptExports)).run();
    SqliteStatement dropped = db.prepare("SELECT changes()");
    const qint64 count = dropped.next() ? dropped.integer(0) : 0;
    if (!db.exec("COMMIT")) {
        return DbfResult<QString>::failure(db.failure());
    }
    return count > 0 ? QStringLiteral("列印記錄已刪去 %1 次較舊的轉出（保留最近 %2 次或 %3 天內的）。")
                           .arg(count)
                           .arg(keptExports)
                           .arg(keptDays)
                     : QString();
}

DbfResult<std::vector<PrintedExport>> PrintHistory::exports(const QString &queue) const
{
    std::vector<PrintedExport> all;
    if (!QFileInfo::exists(path_)) {
        return all;
    }
    SqliteFile db(path_, schema);
    SqliteStatement select =
        db.prepare("SELECT id, made, rows, lines, labels, label_file, first_names FROM exports WHERE queue=? "
                   "ORDER BY id DESC");
    select.bind(1, queue);
    while (select.next()) {
        all.push_back(exportAt(select));
    }
    if (!db.ok()) {
        return DbfResult<std::vector<PrintedExport>>::failure(db.failure());
    }
    return all;
}

DbfResult<PrintedExport> PrintHistory::writeAgain(const QString &queue, qint64 id) const
{
    const char *sql = "SELECT id, made, rows, lines, labels, label_file, first_names, bytes FROM exports WHERE "
                      "queue=? AND id=?";
    return withExport(queue, id, sql, [&](const SqliteStatement &select) -> DbfResult<PrintedExport> {
        const PrintedExport printed = exportAt(select);
        const std::optional<QByteArray> bytes = Packing::unpack(select.blob(7));
        if (!bytes) {
            return DbfResult<PrintedExport>::failure(
                QStringLiteral("列印記錄「%1」裡第 %2 次轉出的內容已損壞。").arg(path_).arg(id));
        }
        ReplacingFile file(printed.labelFile);
        if (file.open()) {
            file.write(*bytes);
        }
        if (!file.commit()) {
            return DbfResult<PrintedExport>::failure(
                QStringLiteral("無法寫入「%1」：%2").arg(printed.labelFile, file.errorString()));
        }
        return printed;
    });
}

DbfResult<ExportedRows> PrintHistory::rowsOf(const QString &queue, qint64 id) const
{
    const char *sql = "SELECT export_rows.rows IS NOT NULL, export_rows.rows FROM exports LEFT JOIN export_rows ON "
                      "export_rows.export=exports.id WHERE queue=? AND id=?";
    return withExport(queue, id, sql, [&](const SqliteStatement &select) -> DbfResult<ExportedRows> {
        if (select.integer(0) == 0) {
            return DbfResult<ExportedRows>::failure(
                QStringLiteral("第 %1 次轉出是在記下資料列之前做的，只能再轉出。").arg(id));
        }
        const std::optional<QByteArray> unpacked = Packing::unpack(select.blob(1));
        std::optional<ExportedRows> rows = unpacked ? ExportedRows::fromPacked(*unpacked) : std::nullopt;
        if (!rows) {
            return DbfResult<ExportedRows>::failure(
                QStringLiteral("列印記錄「%1」裡第 %2 次轉出的資料列已損壞。").arg(path_).arg(id));
        }
        return std::move(*rows);
    });
}

DbfResult<PrintedMarks> PrintHistory::printedMarks(const QString &queue) const
{
    if (!QFileInfo::exists(path_)) {
        return PrintedMarks();
    }
    SqliteFile db(path_, schema);
    SqliteStatement select = db.prepare("SELECT marks FROM printed WHERE queue=?");
    select.bind(1, queue);
    PrintedMarks marks = select.next() ? PrintedMarks::fromPacked(select.blob(0)) : PrintedMarks();
    if (!db.ok()) {
        return DbfResult<PrintedMarks>::failure(db.failure());
    }
    return marks;
}

DbfStatus PrintHistory::forgetPrinted(const QString &queue)
{
    if (!QFileInfo::exists(path_)) {
        return DbfStatus::success();
    }
    SqliteFile db(path_, schema);
    db.prepare("DELETE FROM printed WHERE queue=?").bind(1, queue).run();
    return db.ok() ? DbfStatus::success() : DbfStatus::failure(db.failure());
}
