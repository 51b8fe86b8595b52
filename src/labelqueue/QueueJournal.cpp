#include "labelqueue/QueueJournal.h"

#include "components/NumberText.h"
#include "labelqueue/DbfTable.h"
#include "labelqueue/SqliteFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

enum State { Pending = 0, Done = 1, Undone = 2 };

const char schema[] = R"(
CREATE TABLE IF NOT EXISTS changes(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    queue TEXT NOT NULL,
    what TEXT NOT NULL,
    rows INTEGER NOT NULL,
    state INTEGER NOT NULL,
    made TEXT NOT NULL,
    appends INTEGER NOT NULL,
    header_before BLOB, tail_before BLOB, count_before INTEGER NOT NULL,
    header_after BLOB, tail_after BLOB, count_after INTEGER);
CREATE INDEX IF NOT EXISTS changes_of_queue ON changes(queue, state, id);
CREATE TABLE IF NOT EXISTS images(
    change INTEGER NOT NULL REFERENCES changes(id) ON DELETE CASCADE,
    first INTEGER NOT NULL,
    rows INTEGER NOT NULL,
    before BLOB,
    after BLOB,
    PRIMARY KEY(change, first));
)";

// Label rows are mostly blank padding: compressed, a change of 100,000 rows takes a few megabytes.
QByteArray pack(const QByteArray &records)
{
    return records.isEmpty() ? QByteArray() : qCompress(records, 1);
}

QByteArray unpack(const QByteArray &stored)
{
    return stored.isEmpty() ? QByteArray() : qUncompress(stored);
}

QString queueKey(const DbfTable &table)
{
    return QFileInfo(table.path()).fileName();
}

// Runs of consecutive records, about a megabyte each.
std::vector<std::pair<int, int>> runsOf(const std::vector<int> &records, int recordLength)
{
    const int most = std::max(1, (1 << 20) / std::max(1, recordLength));
    std::vector<std::pair<int, int>> runs;
    for (const int record : records) {
        if (!runs.empty() && runs.back().first + runs.back().second == record && runs.back().second < most) {
            ++runs.back().second;
        } else {
            runs.emplace_back(record, 1);
        }
    }
    return runs;
}

// As stored: before and after are packed.
struct Image {
    int first = 0;
    int rows = 0;
    QByteArray before;
    QByteArray after;
};

struct Entry {
    JournalStep step;
    bool appends = false;
    DbfTableFrame before;
    DbfTableFrame after;
    std::vector<Image> images;
};

std::optional<Entry> readEntry(SqliteFile &db, qint64 id, bool withImages)
{
    SqliteStatement select = db.prepare("SELECT what, rows, state, made, appends, header_before, tail_before, "
                                        "count_before, header_after, tail_after, count_after FROM changes WHERE id=?");
    select.bind(1, id);
    if (!select.next()) {
        return std::nullopt;
    }
    Entry entry;
    entry.step = {id, select.text(0), int(select.integer(1)), QDateTime::fromString(select.text(3), Qt::ISODateWithMs),
                  select.integer(2) == Undone};
    entry.appends = select.integer(4) != 0;
    entry.before = {select.blob(5), int(select.integer(7)), select.blob(6)};
    entry.after = {select.blob(8), int(select.integer(10)), select.blob(9)};
    if (withImages) {
        SqliteStatement images =
            db.prepare("SELECT first, rows, before, after FROM images WHERE change=? ORDER BY first");
        images.bind(1, id);
        while (images.next()) {
            entry.images.push_back({int(images.integer(0)), int(images.integer(1)), images.blob(2), images.blob(3)});
        }
    }
    return entry;
}

std::optional<qint64> entryId(SqliteFile &db, const QString &queue, const char *sql)
{
    SqliteStatement select = db.prepare(sql);
    select.bind(1, queue);
    return select.next() ? std::optional<qint64>(select.integer(0)) : std::nullopt;
}

// The records whose bytes differ from expected (each image's before or after
// part); a record past the table's end differs too.
DbfResult<std::vector<int>> differingRecords(const DbfTable &table, const std::vector<Image> &images, bool before)
{
    std::vector<int> differing;
    const int length = table.recordLength();
    QByteArray current;
    for (const Image &image : images) {
        const QByteArray expected = unpack(before ? image.before : image.after);
        const int rows = int(expected.size() / length);
        if (rows == 0) {
            continue;
        }
        const int present = std::clamp(table.recordCount() - image.first, 0, rows);
        if (present > 0) {
            const DbfStatus read = table.readRecords(image.first, present, current);
            if (!read.ok()) {
                return DbfResult<std::vector<int>>::failure(read.error());
            }
        }
        for (int row = 0; row < rows; ++row) {
            if (row >= present || QByteArrayView(current).sliced(qsizetype(row) * length, length) !=
                                      QByteArrayView(expected).sliced(qsizetype(row) * length, length)) {
                differing.push_back(image.first + row);
            }
        }
    }
    return differing;
}

// "第 3、17 筆" as the queue numbers its rows now; a record deleted since is named by its place in the file.
QString rowNames(const DbfTable &table, const std::vector<int> &records)
{
    const DbfResult<std::vector<int>> live = table.liveRecordNumbers();
    QStringList names;
    for (const int record : records) {
        if (names.size() == 10) {
            names.append(QStringLiteral("……共 %1 筆").arg(records.size()));
            break;
        }
        const auto at = live.ok() ? std::lower_bound(live.value().begin(), live.value().end(), record)
                                  : std::vector<int>::const_iterator();
        if (live.ok() && at != live.value().end() && *at == record) {
            names.append(QStringLiteral("第 %1 筆").arg(at - live.value().begin() + 1));
        } else {
            names.append(QStringLiteral("第 %1 筆記錄（已刪除）").arg(record + 1));
        }
    }
    return names.join(QStringLiteral("、"));
}

} // namespace

QString JournalStep::description() const
{
    return QStringLiteral("%1 (%2 筆)").arg(what, QString::fromLatin1(groupedWholeNumberText(rows)));
}

QueueJournal::QueueJournal(QString path)
    : path_(std::move(path))
{}

QString QueueJournal::pathBeside(const QString &tablePath)
{
    return QFileInfo(tablePath).absoluteDir().filePath(QString::fromLatin1(fileName));
}

DbfStatus QueueJournal::begin(DbfTable &table, const QueueChange &change)
{
    const DbfResult<DbfTableFrame> frame = table.readFrame();
    if (!frame.ok()) {
        return frame.status();
    }
    SqliteFile db(path_, schema);
    db.exec("BEGIN IMMEDIATE");
    SqliteStatement insert = db.prepare("INSERT INTO changes(queue, what, rows, state, made, appends, header_before, "
                                        "tail_before, count_before) VALUES(?,?,?,?,?,?,?,?,?)");
    insert.bind(1, queueKey(table))
        .bind(2, change.what)
        .bind(3, qint64(change.rows))
        .bind(4, qint64(Pending))
        .bind(5, QDateTime::currentDateTime().toString(Qt::ISODateWithMs))
        .bind(6, qint64(change.appends ? 1 : 0))
        .bindBlob(7, frame.value().header)
        .bindBlob(8, frame.value().tail)
        .bind(9, qint64(frame.value().recordCount));
    insert.run();
    const qint64 id = db.lastInsertId();
    SqliteStatement image = db.prepare("INSERT INTO images(change, first, rows, before) VALUES(?,?,?,?)");
    QByteArray records;
    for (const auto &[first, rows] : runsOf(change.records, table.recordLength())) {
        if (!db.ok()) {
            break;
        }
        const DbfStatus read = table.readRecords(first, rows, records);
        if (!read.ok()) {
            db.exec("ROLLBACK");
            return read;
        }
        const QByteArray packed = pack(records);
        image.bind(1, id).bind(2, qint64(first)).bind(3, qint64(rows)).bindBlob(4, packed);
        image.run();
    }
    if (!db.exec("COMMIT")) {
        return DbfStatus::failure(db.failure() + QStringLiteral("\n佇列沒有變更。"));
    }
    pending_ = id;
    return DbfStatus::success();
}

namespace {

// Done with what the table now holds, or dropped when the change left it as
// it was. dropped tells which.
DbfStatus settle(SqliteFile &db, DbfTable &table, qint64 id, bool &dropped)
{
    dropped = false;
    const DbfResult<DbfTableFrame> frame = table.readFrame();
    if (!frame.ok()) {
        return frame.status();
    }
    std::optional<Entry> entry = readEntry(db, id, true);
    if (!entry) {
        return DbfStatus::failure(db.ok() ? QString() : db.failure());
    }
    // Rows added or removed, or a new header, are a change: only otherwise are the records compared.
    bool unchanged =
        frame.value().recordCount == entry->before.recordCount && frame.value().header == entry->before.header;
    if (unchanged) {
        const DbfResult<std::vector<int>> changed = differingRecords(table, entry->images, true);
        if (!changed.ok()) {
            return changed.status();
        }
        unchanged = changed.value().empty();
    }
    db.exec("BEGIN IMMEDIATE");
    if (unchanged) {
        dropped = true;
        db.prepare("DELETE FROM changes WHERE id=?").bind(1, id).run();
        return db.exec("COMMIT") ? DbfStatus::success() : DbfStatus::failure(db.failure());
    }
    const int length = table.recordLength();
    const int count = frame.value().recordCount;
    QByteArray records;
    SqliteStatement after = db.prepare("UPDATE images SET after=? WHERE change=? AND first=?");
    for (const Image &image : entry->images) {
        const int present = std::clamp(count - image.first, 0, image.rows);
        if (present == 0 || !db.ok()) {
            continue;
        }
        const DbfStatus read = table.readRecords(image.first, present, records);
        if (!read.ok()) {
            return read;
        }
        const QByteArray packed = pack(records);
        after.bindBlob(1, packed).bind(2, id).bind(3, qint64(image.first));
        after.run();
    }
    int rows = entry->step.rows;
    if (entry->appends) {
        rows = std::max(0, count - entry->before.recordCount);
        SqliteStatement added = db.prepare("INSERT INTO images(change, first, rows, after) VALUES(?,?,?,?)");
        const int most = std::max(1, (1 << 20) / length);
        for (int first = entry->before.recordCount; first < count && db.ok(); first += most) {
            const int run = std::min(most, count - first);
            const DbfStatus read = table.readRecords(first, run, records);
            if (!read.ok()) {
                return read;
            }
            const QByteArray packed = pack(records);
            added.bind(1, id).bind(2, qint64(first)).bind(3, qint64(run)).bindBlob(4, packed);
            added.run();
        }
    }
    const QString queue = queueKey(table);
    db.prepare("UPDATE changes SET state=?, rows=?, header_after=?, tail_after=?, count_after=? WHERE id=?")
        .bind(1, qint64(Done))
        .bind(2, qint64(rows))
        .bindBlob(3, frame.value().header)
        .bindBlob(4, frame.value().tail)
        .bind(5, qint64(count))
        .bind(6, id)
        .run();
    // A new change ends what could be redone; the oldest go beyond the kept number.
    db.prepare("DELETE FROM changes WHERE queue=? AND state=? AND id<?")
        .bind(1, queue)
        .bind(2, Undone)
        .bind(3, id)
        .run();
    db.prepare("DELETE FROM changes WHERE queue=? AND state<>? AND id NOT IN "
               "(SELECT id FROM changes WHERE queue=? AND state<>? ORDER BY id DESC LIMIT ?)")
        .bind(1, queue)
        .bind(2, qint64(Pending))
        .bind(3, queue)
        .bind(4, qint64(Pending))
        .bind(5, qint64(QueueJournal::keptChanges))
        .run();
    return db.exec("COMMIT") ? DbfStatus::success() : DbfStatus::failure(db.failure());
}

} // namespace

DbfStatus QueueJournal::finish(DbfTable &table)
{
    const qint64 id = std::exchange(pending_, 0);
    if (id == 0) {
        return DbfStatus::success();
    }
    SqliteFile db(path_, schema);
    bool dropped = false;
    return settle(db, table, id, dropped);
}

QStringList QueueJournal::recover(DbfTable &table)
{
    QStringList notes;
    if (!QFileInfo::exists(path_)) {
        return notes;
    }
    SqliteFile db(path_, schema);
    std::vector<std::pair<qint64, QString>> pending;
    SqliteStatement select = db.prepare("SELECT id, what FROM changes WHERE queue=? AND state=? ORDER BY id");
    select.bind(1, queueKey(table)).bind(2, qint64(Pending));
    while (select.next()) {
        pending.emplace_back(select.integer(0), select.text(1));
    }
    for (const auto &[id, what] : pending) {
        bool dropped = false;
        const DbfStatus settled = settle(db, table, id, dropped);
        if (!settled.ok()) {
            notes.append(QStringLiteral("上次沒有做完的「%1」無法查對：%2").arg(what, settled.error()));
        } else if (dropped) {
            notes.append(QStringLiteral("上次沒有做完的「%1」沒有改變佇列，已從復原記錄捨去。").arg(what));
        } else {
            notes.append(QStringLiteral("上次沒有做完的「%1」已照佇列現況記下，可以復原。").arg(what));
        }
    }
    if (!db.ok() && notes.isEmpty()) {
        notes.append(db.failure());
    }
    return notes;
}

DbfResult<std::vector<JournalStep>> QueueJournal::steps(const DbfTable &table) const
{
    std::vector<JournalStep> steps;
    if (!QFileInfo::exists(path_)) {
        return steps;
    }
    SqliteFile db(path_, schema);
    SqliteStatement select = db.prepare("SELECT id, what, rows, made, state FROM changes WHERE queue=? AND state<>? "
                                        "ORDER BY state=? DESC, CASE WHEN state=? THEN -id ELSE id END");
    select.bind(1, queueKey(table)).bind(2, qint64(Pending)).bind(3, qint64(Done)).bind(4, qint64(Done));
    while (select.next()) {
        steps.push_back({select.integer(0), select.text(1), int(select.integer(2)),
                         QDateTime::fromString(select.text(3), Qt::ISODateWithMs), select.integer(4) == Undone});
    }
    if (!db.ok()) {
        return DbfResult<std::vector<JournalStep>>::failure(db.failure());
    }
    return steps;
}

std::optional<JournalStep> QueueJournal::nextUndo(const DbfTable &table) const
{
    const DbfResult<std::vector<JournalStep>> all = steps(table);
    if (!all.ok() || all.value().empty() || all.value().front().undone) {
        return std::nullopt;
    }
    return all.value().front();
}

std::optional<JournalStep> QueueJournal::nextRedo(const DbfTable &table) const
{
    const DbfResult<std::vector<JournalStep>> all = steps(table);
    if (!all.ok()) {
        return std::nullopt;
    }
    const auto redo =
        std::find_if(all.value().begin(), all.value().end(), [](const JournalStep &s) { return s.undone; });
    return redo == all.value().end() ? std::nullopt : std::optional<JournalStep>(*redo);
}

DbfResult<JournalStep> QueueJournal::undo(DbfTable &table)
{
    return step(table, true);
}

DbfResult<JournalStep> QueueJournal::redo(DbfTable &table)
{
    return step(table, false);
}

DbfResult<JournalStep> QueueJournal::step(DbfTable &table, bool undoing)
{
    using Result = DbfResult<JournalStep>;
    const QString nothing = undoing ? QStringLiteral("沒有可以復原的變更。") : QStringLiteral("沒有可以重做的變更。");
    if (!QFileInfo::exists(path_)) {
        return Result::failure(nothing);
    }
    SqliteFile db(path_, schema);
    const std::optional<qint64> id =
        undoing
            ? entryId(db, queueKey(table), "SELECT max(id) FROM changes WHERE queue=? AND state=1 HAVING count(*)>0")
            : entryId(db, queueKey(table), "SELECT min(id) FROM changes WHERE queue=? AND state=2 HAVING count(*)>0");
    std::optional<Entry> entry = id ? readEntry(db, *id, true) : std::nullopt;
    if (!entry) {
        return Result::failure(db.ok() ? nothing : db.failure());
    }
    const QString action = undoing ? QStringLiteral("復原") : QStringLiteral("重做");
    const DbfResult<DbfTableFrame> frame = table.readFrame();
    if (!frame.ok()) {
        return Result::failure(frame.error());
    }
    const DbfTableFrame &left = undoing ? entry->after : entry->before;
    const DbfTableFrame &target = undoing ? entry->before : entry->after;
    if (frame.value().recordCount != left.recordCount) {
        return Result::failure(QStringLiteral("「%1」現在有 %2 筆記錄，「%3」之後應有 %4 筆：表格後來被改過，沒有%5。")
                                   .arg(QFileInfo(table.path()).fileName())
                                   .arg(frame.value().recordCount)
                                   .arg(entry->step.what)
                                   .arg(left.recordCount)
                                   .arg(action));
    }
    const DbfResult<std::vector<int>> changed = differingRecords(table, entry->images, !undoing);
    if (!changed.ok()) {
        return Result::failure(changed.error());
    }
    if (!changed.value().empty()) {
        return Result::failure(QStringLiteral("%1在「%2」之後又被改過（其他視窗或命令列），沒有%3，佇列沒有變更。")
                                   .arg(rowNames(table, changed.value()), entry->step.what, action));
    }
    std::vector<DbfRecordRun> runs;
    for (Image &image : entry->images) {
        QByteArray bytes = unpack(undoing ? image.before : image.after);
        if (!bytes.isEmpty()) {
            runs.push_back({image.first, std::move(bytes)});
        }
    }
    const DbfStatus restored = table.restore(target, runs);
    if (!restored.ok()) {
        return Result::failure(restored.error());
    }
    db.prepare("UPDATE changes SET state=? WHERE id=?").bind(1, qint64(undoing ? Undone : Done)).bind(2, *id).run();
    if (!db.ok()) {
        return Result::failure(QStringLiteral("佇列已%1，但復原記錄無法更新：%2").arg(action, db.failure()));
    }
    entry->step.undone = undoing;
    return entry->step;
}
