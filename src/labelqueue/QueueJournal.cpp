#include "labelqueue/QueueJournal.h"

#include "components/NumberText.h"
#include "labelqueue/DbfHeader.h"
#include "labelqueue/DbfTable.h"
#include "labelqueue/KeptTableFiles.h"
#include "labelqueue/Packing.h"
#include "labelqueue/RecordDigest.h"
#include "labelqueue/SqliteFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <functional>
#include <numeric>

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
CREATE TABLE IF NOT EXISTS digests(
    change INTEGER NOT NULL REFERENCES changes(id) ON DELETE CASCADE,
    first INTEGER NOT NULL,
    rows INTEGER NOT NULL,
    sums BLOB NOT NULL,
    PRIMARY KEY(change, first));
CREATE TABLE IF NOT EXISTS kept_tables(
    change INTEGER PRIMARY KEY REFERENCES changes(id) ON DELETE CASCADE,
    file TEXT NOT NULL);
)";

// Label rows are mostly blank padding: packed, a change of 100,000 rows takes a few megabytes.
QByteArray pack(const QByteArray &records)
{
    return records.isEmpty() ? QByteArray() : Packing::pack(records);
}

// Records an earlier version stored read too; damaged ones read as none.
QByteArray unpack(const QByteArray &stored)
{
    return stored.isEmpty() ? QByteArray() : Packing::unpack(stored).value_or(QByteArray());
}

QString queueKey(const DbfTable &table)
{
    return QFileInfo(table.path()).fileName();
}

// Runs of up to a megabyte of the records [from, to), each handed to take as it is read.
DbfStatus forEachRun(const DbfTable &table, int from, int to,
                     const std::function<void(int first, const QByteArray &records)> &take)
{
    const int most = std::max(1, (1 << 20) / std::max(1, table.recordLength()));
    QByteArray records;
    for (int first = from; first < to; first += most) {
        const DbfStatus read = table.readRecords(first, std::min(most, to - first), records);
        if (!read.ok()) {
            return read;
        }
        take(first, records);
    }
    return DbfStatus::success();
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

// The digests of rows an import added, eight bytes a row.
struct Digests {
    int first = 0;
    int rows = 0;
    QByteArray sums;
};

struct Entry {
    JournalStep step;
    bool appends = false;
    DbfTableFrame before;
    DbfTableFrame after;
    std::vector<Image> images;
    std::vector<Digests> digests;
    QString keptTable; // the emptied table's file name in the kept tables' folder
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
        SqliteStatement digests = db.prepare("SELECT first, rows, sums FROM digests WHERE change=? ORDER BY first");
        digests.bind(1, id);
        while (digests.next()) {
            entry.digests.push_back({int(digests.integer(0)), int(digests.integer(1)), digests.blob(2)});
        }
    }
    SqliteStatement kept = db.prepare("SELECT file FROM kept_tables WHERE change=?");
    kept.bind(1, id);
    if (kept.next()) {
        entry.keptTable = kept.text(0);
    }
    return entry;
}

// The kept table files of the queue's entries.
QStringList keptFiles(SqliteFile &db, const QString &queue)
{
    QStringList files;
    SqliteStatement select =
        db.prepare("SELECT k.file FROM kept_tables k JOIN changes c ON c.id = k.change WHERE c.queue=?");
    select.bind(1, queue);
    while (select.next()) {
        files.append(select.text(0));
    }
    return files;
}

// The delete-all's table file under a second name of the journal's: the
// empty table then takes the table's name, so these bytes stay with the
// journal and nothing writes to them again, a before-image without a copy.
// Empty where no hard link can be made; the caller then keeps the records.
QString keepTableFile(SqliteFile &db, const DbfTable &table, const QString &folder, qint64 id)
{
    const QString name = KeptTableFiles::nameFor(id, queueKey(table));
    const QString kept = KeptTableFiles::link(table.path(), folder, name);
    if (!kept.isEmpty()) {
        db.prepare("INSERT INTO kept_tables(change, file) VALUES(?,?)").bind(1, id).bind(2, name).run();
    }
    return kept;
}

// Stores the bytes of records before a change, compressed, in runs of about a megabyte.
DbfStatus storeBeforeImages(SqliteFile &db, qint64 id, const std::vector<int> &records, int recordLength,
                            const std::function<DbfStatus(int first, int rows, QByteArray &into)> &read)
{
    // A kept table's entry may hold after-images already: rows written after its delete-all, before a crash.
    SqliteStatement image = db.prepare("INSERT INTO images(change, first, rows, before) VALUES(?,?,?,?) "
                                       "ON CONFLICT(change, first) DO UPDATE SET rows=excluded.rows, "
                                       "before=excluded.before");
    QByteArray bytes;
    for (const auto &[first, rows] : runsOf(records, recordLength)) {
        if (!db.ok()) {
            break;
        }
        const DbfStatus readStatus = read(first, rows, bytes);
        if (!readStatus.ok()) {
            return readStatus;
        }
        const QByteArray packed = pack(bytes);
        image.bind(1, id).bind(2, qint64(first)).bind(3, qint64(rows)).bindBlob(4, packed);
        image.run();
    }
    return DbfStatus::success();
}

// Stores the records of a delete-all's kept table file in its entry, as
// where no link could be made, and removes the file. Any failure leaves the
// entry and the file as they were, for the next change to try again.
bool storeKeptTable(const QString &journalPath, const QString &folder, qint64 id)
{
    SqliteFile db(journalPath, schema);
    db.exec("BEGIN IMMEDIATE");
    const std::optional<Entry> entry = readEntry(db, id, false);
    // Gone past the kept changes, or stored by another process meanwhile.
    if (!entry || entry->keptTable.isEmpty()) {
        db.exec("ROLLBACK");
        return db.ok();
    }
    QFile file(QDir(folder).filePath(entry->keptTable));
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    // A damaged file, unlike the table the entry recorded, stays for what it can still do.
    const DbfResult<DbfHeader> header = readDbfHeader(file, file.fileName());
    if (!header.ok() || header.value().bytes != entry->before.header) {
        return false;
    }
    const int length = header.value().recordLength;
    // As the delete-all lists them: every record, deleted ones too.
    std::vector<int> records(size_t(entry->before.recordCount));
    std::iota(records.begin(), records.end(), 0);
    const DbfStatus stored = storeBeforeImages(db, id, records, length, [&](int first, int rows, QByteArray &into) {
        const qint64 size = qint64(rows) * length;
        into = file.seek(header.value().headerLength + qint64(first) * length) ? file.read(size) : QByteArray();
        return into.size() == size ? DbfStatus::success() : DbfStatus::failure(file.errorString());
    });
    db.prepare("DELETE FROM kept_tables WHERE change=?").bind(1, id).run();
    // Closing the journal rolls back what a failure left begun.
    if (!stored.ok() || !db.exec("COMMIT")) {
        return false;
    }
    file.close();
    file.remove();
    return true;
}

// Commits what settling wrote, then removes the kept tables of the
// entries it deleted: only after the commit, so that a failed one keeps them.
DbfStatus commitRemovingFiles(SqliteFile &db, const QString &folder, const QString &queue, const QStringList &before)
{
    const QStringList after = keptFiles(db, queue);
    if (!db.exec("COMMIT")) {
        return DbfStatus::failure(db.failure());
    }
    QStringList dropped;
    for (const QString &file : before) {
        if (!after.contains(file)) {
            dropped.append(file);
        }
    }
    KeptTableFiles::remove(folder, dropped);
    return DbfStatus::success();
}

// Files of the queue that no entry names: a crash came between making one and committing its entry, or after
// the entry went and before its file did, or the journal was removed by hand. Only under the table's lock, so no
// other process is between the two for this queue.
void removeUnnamedKeptFiles(SqliteFile *db, const QString &folder, const QString &queue)
{
    const QStringList named = db ? keptFiles(*db, queue) : QStringList();
    if (!db || db->ok()) {
        KeptTableFiles::removeAllBut(folder, queue, named);
    }
}

std::optional<qint64> entryId(SqliteFile &db, const QString &queue, const char *sql)
{
    SqliteStatement select = db.prepare(sql);
    select.bind(1, queue);
    return select.next() ? std::optional<qint64>(select.integer(0)) : std::nullopt;
}

// Adds to differing the records from first on whose bytes differ from
// expected (whole records); a record past the table's end differs too.
DbfStatus compareRecords(const DbfTable &table, int first, QByteArrayView expected, QByteArray &current,
                         std::vector<int> &differing)
{
    const int length = table.recordLength();
    const int rows = int(expected.size() / length);
    const int present = std::clamp(table.recordCount() - first, 0, rows);
    if (present > 0) {
        const DbfStatus read = table.readRecords(first, present, current);
        if (!read.ok()) {
            return read;
        }
    }
    for (int row = 0; row < rows; ++row) {
        if (row >= present || QByteArrayView(current).sliced(qsizetype(row) * length, length) !=
                                  expected.sliced(qsizetype(row) * length, length)) {
            differing.push_back(first + row);
        }
    }
    return DbfStatus::success();
}

// The records whose bytes differ from expected (each image's before or after part).
DbfResult<std::vector<int>> differingRecords(const DbfTable &table, const std::vector<Image> &images, bool before)
{
    std::vector<int> differing;
    QByteArray current;
    for (const Image &image : images) {
        const QByteArray expected = unpack(before ? image.before : image.after);
        const DbfStatus compared = compareRecords(table, image.first, expected, current, differing);
        if (!compared.ok()) {
            return DbfResult<std::vector<int>>::failure(compared.error());
        }
    }
    return differing;
}

// The records that differ from those of the kept table file, whose header is as long as frame's.
DbfResult<std::vector<int>> differingFromKept(const DbfTable &table, const QString &kept, const DbfTableFrame &frame)
{
    using Result = DbfResult<std::vector<int>>;
    QFile file(kept);
    if (!file.open(QIODevice::ReadOnly)) {
        return Result::failure(
            QStringLiteral("無法讀取「%1」（%2）。").arg(QDir::toNativeSeparators(kept), file.errorString()));
    }
    std::vector<int> differing;
    const int length = table.recordLength();
    const int most = std::max(1, (1 << 20) / length);
    QByteArray current;
    for (int first = 0; first < frame.recordCount; first += most) {
        const qint64 size = qint64(std::min(most, frame.recordCount - first)) * length;
        const QByteArray expected =
            file.seek(frame.header.size() + qint64(first) * length) ? file.read(size) : QByteArray();
        if (expected.size() != size) {
            return Result::failure(QStringLiteral("「%1」不完整，無法查對。").arg(QDir::toNativeSeparators(kept)));
        }
        const DbfStatus compared = compareRecords(table, first, expected, current, differing);
        if (!compared.ok()) {
            return Result::failure(compared.error());
        }
    }
    return differing;
}

// The added rows whose digests differ from those the import left. With
// captured, when none differs, also the rows' bytes, packed, for a redo.
DbfResult<std::vector<int>> differingFromDigests(const DbfTable &table, const std::vector<Digests> &digests,
                                                 std::vector<Image> *captured)
{
    std::vector<int> differing;
    const int length = table.recordLength();
    QByteArray current;
    for (const Digests &run : digests) {
        const int present = std::clamp(table.recordCount() - run.first, 0, run.rows);
        if (present > 0) {
            const DbfStatus read = table.readRecords(run.first, present, current);
            if (!read.ok()) {
                return DbfResult<std::vector<int>>::failure(read.error());
            }
        }
        for (int row = 0; row < run.rows; ++row) {
            if (row >= present || run.sums.size() < 8 * (row + 1) ||
                storedDigest(run.sums, row) != recordDigest(current.constData() + qsizetype(row) * length, length)) {
                differing.push_back(run.first + row);
            }
        }
        if (captured && differing.empty()) {
            captured->push_back({run.first, run.rows, {}, pack(current)});
        }
    }
    return differing;
}

// The records no longer as the change (undoing) or its undo left them, in
// file order. The rows an import added are checked by their digests; the
// first undo also reads their bytes into captured, before they go, so that a
// redo has them.
DbfResult<std::vector<int>> differingFromLeft(const DbfTable &table, const Entry &entry, const QString &kept,
                                              bool undoing, std::vector<Image> &captured)
{
    using Result = DbfResult<std::vector<int>>;
    std::vector<Image> checked;
    bool addedRowsRead = false;
    for (const Image &image : entry.images) {
        const bool addedRow = !entry.digests.empty() && image.first >= entry.before.recordCount;
        addedRowsRead = addedRowsRead || addedRow;
        if (!addedRow) {
            checked.push_back(image);
        }
    }
    const Result changed = differingRecords(table, checked, !undoing);
    if (!changed.ok()) {
        return changed;
    }
    std::vector<int> differing = changed.value();
    Result more = std::vector<int>();
    if (undoing && !entry.digests.empty()) {
        more = differingFromDigests(table, entry.digests, addedRowsRead ? nullptr : &captured);
    } else if (!undoing && !kept.isEmpty()) {
        more = differingFromKept(table, kept, entry.before);
    }
    if (!more.ok()) {
        return more;
    }
    differing.insert(differing.end(), more.value().begin(), more.value().end());
    std::sort(differing.begin(), differing.end());
    differing.erase(std::unique(differing.begin(), differing.end()), differing.end());
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

QString QueueJournal::keptTablesPath() const
{
    return QFileInfo(path_).absoluteDir().filePath(QString::fromLatin1(keptTablesFolderName));
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
    // A delete-all keeps the table file itself where it can, any other change the records it touches.
    const QString kept = change.empties && db.ok() ? keepTableFile(db, table, keptTablesPath(), id) : QString();
    if (kept.isEmpty()) {
        const DbfStatus stored = storeBeforeImages(
            db, id, change.records, table.recordLength(),
            [&table](int first, int rows, QByteArray &into) { return table.readRecords(first, rows, into); });
        if (!stored.ok()) {
            db.exec("ROLLBACK");
            return stored;
        }
    }
    if (!db.exec("COMMIT")) {
        if (!kept.isEmpty()) {
            QFile::remove(kept);
        }
        return DbfStatus::failure(db.failure() + QStringLiteral("\n佇列沒有變更。"));
    }
    pending_ = id;
    return DbfStatus::success();
}

namespace {

// Done with what the table now holds, or dropped when the change left it as
// it was. dropped tells which.
DbfStatus settle(SqliteFile &db, DbfTable &table, const QString &folder, qint64 id, bool &dropped)
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
    const QString kept = entry->keptTable.isEmpty() ? QString() : QDir(folder).filePath(entry->keptTable);
    // Rows added or removed, or a new header, are a change: only otherwise are the records compared.
    bool unchanged =
        frame.value().recordCount == entry->before.recordCount && frame.value().header == entry->before.header;
    // The delete-all never put the empty table in place.
    if (!kept.isEmpty() && KeptTableFiles::isStillTheTable(kept, table.path())) {
        unchanged = true;
    } else if (unchanged) {
        DbfResult<std::vector<int>> changed = differingRecords(table, entry->images, true);
        if (changed.ok() && changed.value().empty() && !kept.isEmpty()) {
            changed = differingFromKept(table, kept, entry->before);
        }
        if (!changed.ok()) {
            return changed.status();
        }
        unchanged = changed.value().empty();
    }
    const QString queue = queueKey(table);
    db.exec("BEGIN IMMEDIATE");
    const QStringList keptBefore = keptFiles(db, queue);
    if (unchanged) {
        dropped = true;
        db.prepare("DELETE FROM changes WHERE id=?").bind(1, id).run();
        return commitRemovingFiles(db, folder, queue, keptBefore);
    }
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
        // Bound, not copied: the bytes must outlive run().
        const QByteArray packed = pack(records);
        after.bindBlob(1, packed).bind(2, id).bind(3, qint64(image.first));
        after.run();
    }
    if (!kept.isEmpty()) {
        // Rows written since the delete-all (before a crash) are checked before its undo like any others.
        SqliteStatement afterRows = db.prepare("INSERT INTO images(change, first, rows, after) VALUES(?,?,?,?)");
        const DbfStatus read =
            forEachRun(table, 0, std::min(count, entry->before.recordCount), [&](int first, const QByteArray &records) {
                const QByteArray packed = pack(records);
                afterRows.bind(1, id)
                    .bind(2, qint64(first))
                    .bind(3, qint64(records.size() / table.recordLength()))
                    .bindBlob(4, packed);
                afterRows.run();
            });
        if (!read.ok()) {
            return read;
        }
    }
    int rows = entry->step.rows;
    if (entry->appends) {
        // Only a digest of each added row: its bytes are read when the import is undone, which is rarer.
        rows = std::max(0, count - entry->before.recordCount);
        SqliteStatement added = db.prepare("INSERT INTO digests(change, first, rows, sums) VALUES(?,?,?,?)");
        const DbfStatus read =
            forEachRun(table, entry->before.recordCount, count, [&](int first, const QByteArray &records) {
                const QByteArray sums = recordDigests(records, table.recordLength());
                added.bind(1, id).bind(2, qint64(first)).bind(3, qint64(sums.size() / 8)).bindBlob(4, sums);
                added.run();
            });
        if (!read.ok()) {
            return read;
        }
    }
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
    return commitRemovingFiles(db, folder, queue, keptBefore);
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
    const DbfStatus settled = settle(db, table, keptTablesPath(), id, dropped);
    if (settled.ok()) {
        keepKeptTablesWithinBudget();
    }
    return settled;
}

void QueueJournal::keepKeptTablesWithinBudget()
{
    struct Kept {
        qint64 entry;
        qint64 bytes;
        bool pending;
    };
    std::vector<Kept> kept;
    qint64 total = 0;
    {
        SqliteFile db(path_, schema);
        SqliteStatement select = db.prepare(
            "SELECT k.change, k.file, c.state FROM kept_tables k JOIN changes c ON c.id = k.change ORDER BY k.change");
        while (select.next()) {
            const qint64 bytes = QFileInfo(QDir(keptTablesPath()).filePath(select.text(1))).size();
            kept.push_back({select.integer(0), bytes, select.integer(2) == Pending});
            total += bytes;
        }
    }
    // Oldest first; the newest stays a file, and a pending delete-all's file may still be its table.
    for (size_t at = 0; at + 1 < kept.size() && total > keptTablesBudget_; ++at) {
        if (kept[at].pending) {
            continue;
        }
        // Said to nobody: the change itself went well, and the next one tries again.
        if (!storeKeptTable(path_, keptTablesPath(), kept[at].entry)) {
            return;
        }
        total -= kept[at].bytes;
    }
}

QStringList QueueJournal::recover(DbfTable &table)
{
    QStringList notes;
    if (!QFileInfo::exists(path_)) {
        removeUnnamedKeptFiles(nullptr, keptTablesPath(), queueKey(table));
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
        const DbfStatus settled = settle(db, table, keptTablesPath(), id, dropped);
        if (!settled.ok()) {
            notes.append(QStringLiteral("上次沒有做完的「%1」無法查對：%2").arg(what, settled.error()));
        } else if (dropped) {
            notes.append(QStringLiteral("上次沒有做完的「%1」沒有改變佇列，已從復原記錄捨去。").arg(what));
        } else {
            notes.append(QStringLiteral("上次沒有做完的「%1」已照佇列現況記下，可以復原。").arg(what));
        }
    }
    removeUnnamedKeptFiles(&db, keptTablesPath(), queueKey(table));
    if (!db.ok() && notes.isEmpty()) {
        notes.append(db.failure());
    } else if (db.ok()) {
        keepKeptTablesWithinBudget();
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
    const QString kept = entry->keptTable.isEmpty() ? QString() : QDir(keptTablesPath()).filePath(entry->keptTable);
    std::vector<Image> captured;
    const DbfResult<std::vector<int>> changed = differingFromLeft(table, *entry, kept, undoing, captured);
    if (!changed.ok()) {
        return Result::failure(changed.error());
    }
    if (!changed.value().empty()) {
        return Result::failure(QStringLiteral("%1在「%2」之後又被改過（其他視窗或命令列），沒有%3，佇列沒有變更。")
                                   .arg(rowNames(table, changed.value()), entry->step.what, action));
    }
    if (!captured.empty()) {
        db.exec("BEGIN IMMEDIATE");
        SqliteStatement insert = db.prepare("INSERT INTO images(change, first, rows, after) VALUES(?,?,?,?)");
        for (const Image &image : captured) {
            insert.bind(1, *id).bind(2, qint64(image.first)).bind(3, qint64(image.rows)).bindBlob(4, image.after);
            insert.run();
        }
        if (!db.exec("COMMIT")) {
            return Result::failure(db.failure() + QStringLiteral("\n佇列沒有變更。"));
        }
        entry->images.insert(entry->images.end(), captured.begin(), captured.end());
    }
    DbfStatus restored = DbfStatus::success();
    if (undoing && !kept.isEmpty()) {
        restored = table.restore(target, kept);
    } else {
        std::vector<DbfRecordRun> runs;
        for (Image &image : entry->images) {
            QByteArray bytes = unpack(undoing ? image.before : image.after);
            if (!bytes.isEmpty()) {
                runs.push_back({image.first, std::move(bytes)});
            }
        }
        restored = table.restore(target, runs);
    }
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
