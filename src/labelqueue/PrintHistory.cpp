#include "labelqueue/PrintHistory.h"

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
)";

PrintedExport exportAt(const SqliteStatement &row)
{
    return {row.integer(0),      QDateTime::fromString(row.text(1), Qt::ISODateWithMs),
            int(row.integer(2)), row.integer(3),
            row.integer(4),      row.text(5),
            row.text(6)};
}

} // namespace

PrintHistory::PrintHistory(QString path)
    : path_(std::move(path))
{}

DbfResult<QString> PrintHistory::record(const QString &queue, const PrintedExport &printed, const QByteArray &bytes)
{
    SqliteFile db(path_, schema);
    db.exec("BEGIN IMMEDIATE");
    const QByteArray packed = qCompress(bytes, 1);
    db.prepare("INSERT INTO exports(queue, made, rows, lines, labels, label_file, first_names, bytes) "
               "VALUES(?,?,?,?,?,?,?,?)")
        .bind(1, queue)
        .bind(2, printed.made.toString(Qt::ISODateWithMs))
        .bind(3, qint64(printed.rows))
        .bind(4, printed.lines)
        .bind(5, printed.labels)
        .bind(6, printed.labelFile)
        .bind(7, printed.firstNames)
        .bindBlob(8, packed)
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
    using Result = DbfResult<PrintedExport>;
    const QString missing = QStringLiteral("列印記錄沒有第 %1 次轉出。").arg(id);
    if (!QFileInfo::exists(path_)) {
        return Result::failure(missing);
    }
    SqliteFile db(path_, schema);
    SqliteStatement select =
        db.prepare("SELECT id, made, rows, lines, labels, label_file, first_names, bytes FROM exports WHERE queue=? "
                   "AND id=?");
    select.bind(1, queue).bind(2, id);
    if (!select.next()) {
        return Result::failure(db.ok() ? missing : db.failure());
    }
    const PrintedExport printed = exportAt(select);
    const QByteArray bytes = qUncompress(select.blob(7));
    ReplacingFile file(printed.labelFile);
    if (file.open()) {
        file.write(bytes);
    }
    if (!file.commit()) {
        return Result::failure(QStringLiteral("無法寫入「%1」：%2").arg(printed.labelFile, file.errorString()));
    }
    return printed;
}
