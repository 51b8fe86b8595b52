#include "labelqueue/DbfTable.h"

#include "components/CaseInsensitivePath.h"
#include "labelqueue/DbfCodePage.h"
#include "labelqueue/DbfFileHooks.h"
#include "labelqueue/DbfTableIo.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

thread_local std::function<void(const QString &)> DbfTable::headerReadProbe;

namespace {

void stampToday(DBFHandle handle, const Clock &clock)
{
    const QDate today = clock.today();
    DBFSetLastModifiedDate(handle, today.year() - 1900, today.month(), today.day());
}

DbfStatus checkSpecs(const QList<DbfFieldSpec> &fields)
{
    for (const DbfFieldSpec &wanted : fields) {
        const QString name = QString::fromLatin1(wanted.name);
        const bool plainName =
            !wanted.name.isEmpty() && wanted.name.size() <= 10 &&
            std::all_of(wanted.name.begin(), wanted.name.end(), [](char c) { return c > ' ' && c < 127; });
        if (!plainName) {
            return DbfStatus::failure(QStringLiteral("欄位名稱「%1」不能用在 dBase 表格。").arg(name));
        }
        const bool numeric = wanted.type == DbfFieldType::Numeric;
        const bool fits =
            wanted.width >= 1 && wanted.width <= 254 &&
            (numeric ? wanted.decimals >= 0 && (wanted.decimals == 0 || wanted.decimals <= wanted.width - 2)
                     : wanted.decimals == 0);
        if (!fits) {
            return DbfStatus::failure(
                QStringLiteral("欄位 %1 的寬度 %2、小數 %3 不合理。").arg(name).arg(wanted.width).arg(wanted.decimals));
        }
    }
    return DbfStatus::success();
}

// An import of many rows hands them to the disk in pieces of this size while it
// goes on, rather than all at its final sync.
constexpr qint64 writebackBytes = qint64(8) << 20;

// A name beside path for a table being built, hidden and unlikely to be taken.
QString temporaryNameFor(const QString &path)
{
    const QFileInfo info(path);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.') +
           QString::number(QRandomGenerator::global()->generate(), 16) + QStringLiteral(".tmp");
}

bool readAt(int fd, char *buffer, qint64 size, qint64 offset)
{
    while (size > 0) {
        const ssize_t n = ::pread(fd, buffer, size_t(size), off_t(offset));
        if (n <= 0) {
            return false;
        }
        buffer += n;
        size -= n;
        offset += n;
    }
    return true;
}

bool writeAt(int fd, const char *buffer, qint64 size, qint64 offset)
{
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, buffer, size_t(size), off_t(offset));
        if (n <= 0) {
            return false;
        }
        buffer += n;
        size -= n;
        offset += n;
    }
    return true;
}

} // namespace

// One change: the exclusive lock (unless a batch holds it already) and, at
// the end, its release with the sync.
class DbfTable::ChangeScope
{
public:
    explicit ChangeScope(DbfTable &table)
        : table_(table)
        , status_(table.lock(TableFileLock::Mode::Exclusive))
    {}
    ~ChangeScope()
    {
        if (status_.ok() && !finished_) {
            table_.unlock();
        }
    }
    ChangeScope(const ChangeScope &) = delete;
    ChangeScope &operator=(const ChangeScope &) = delete;

    const DbfStatus &status() const { return status_; }
    // The change's own outcome, or the failed sync of a change that was written.
    DbfStatus finish(DbfStatus outcome)
    {
        finished_ = true;
        const DbfStatus released = table_.unlock();
        return outcome.ok() ? released : outcome;
    }

private:
    DbfTable &table_;
    DbfStatus status_;
    bool finished_ = false;
};

DbfTable::DbfTable(QString path, QList<DbfFieldSpec> fields, Access access)
    : path_(std::move(path))
    , fields_(std::move(fields))
    , access_(access)
{}

DbfTable::~DbfTable()
{
    close();
}

void DbfTable::setClock(const Clock &clock)
{
    clock_ = &clock;
    if (io_ && io_->handle) {
        stampToday(io_->handle, clock);
    }
}

bool DbfTable::isOpen() const
{
    return io_ != nullptr;
}

QString DbfTable::displayName() const
{
    return path_;
}

DbfResult<std::unique_ptr<DbfTable>> DbfTable::open(const QString &path, const QList<DbfFieldSpec> &fields,
                                                    Access access)
{
    // Other tools write "bar2.dbf" for "bar2.DBF": the name as spelled first, then any case.
    std::unique_ptr<DbfTable> table(new DbfTable(resolveCaseInsensitive(path), fields, access));
    const DbfStatus opened = table->openHandle();
    if (!opened.ok()) {
        return DbfResult<std::unique_ptr<DbfTable>>::failure(opened.error());
    }
    return DbfResult<std::unique_ptr<DbfTable>>(std::move(table));
}

DbfStatus DbfTable::openHandle()
{
    if (!QFileInfo(path_).exists() && !QFileInfo(path_).isSymLink()) {
        return DbfStatus::failure(QStringLiteral("找不到表格「%1」。").arg(displayName()));
    }
    // Opening takes no lock, so another program may be adding rows meanwhile:
    // a header read while the file changed is read again, never called damaged.
    // The lock taken before any change checks the count once more.
    constexpr int attempts = 40;
    for (int attempt = 1;; ++attempt) {
        bool fileChanged = false;
        const DbfStatus opened = openHandleOnce(fileChanged);
        if (opened.ok() || !fileChanged) {
            return opened;
        }
        if (attempt == attempts) {
            return DbfStatus::failure(
                QStringLiteral("表格「%1」正由其他視窗或程式寫入，請等它完成後再試。").arg(displayName()));
        }
        QThread::usleep(250UL * ulong(attempt));
    }
}

DbfStatus DbfTable::openHandleOnce(bool &fileChanged)
{
    const OpenedFile opened = openRegularFile(path_, O_RDONLY);
    QFile file;
    if (!opened.ok() || !file.open(opened.fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        return DbfStatus::failure(
            QStringLiteral("無法開啟「%1」：%2").arg(displayName(), opened.ok() ? file.errorString() : opened.error));
    }
    // The stamp before the header: whatever is written after it makes the next
    // lock read the table again.
    FileStamp before;
    FileStamp after;
    stampOf(opened.fd, before);
    DbfResult<DbfHeader> header = readDbfHeader(file, displayName());
    stampOf(opened.fd, after);
    file.close();
    if (!header.ok()) {
        fileChanged = before != after;
        return header.status();
    }
    const auto layout = DbfLayout::resolve(header.value(), fields_, displayName());
    if (!layout.ok()) {
        return layout.status();
    }
    if (const DbfStatus declared = checkDeclaredCodePage(path_, header.value().languageDriver, displayName());
        !declared.ok()) {
        return declared;
    }

    auto io = std::make_unique<Io>();
    io->state = std::make_shared<DbfIoState>();
    clearDbfLibraryMessage();
    {
        DbfOpenScope scope(path_, io->state);
        io->handle = DBFOpenLL(scope.path(), access_ == Access::ReadWrite ? "rb+" : "rb", scope.hooks());
    }
    if (!io->handle) {
        return DbfStatus::failure(
            QStringLiteral("無法以%1方式開啟「%2」：%3")
                .arg(access_ == Access::ReadWrite ? QStringLiteral("讀寫") : QStringLiteral("唯讀"), displayName(),
                     dbfFailureReason(*io->state)));
    }
    const DbfHeader &checked = header.value();
    FileStamp handled;
    stampOf(dbfFileDescriptor(io->handle), handled);
    // Rows added since the header was read are another writer's; the next lock
    // finds them by the count and reads the table again before any change.
    const bool sameCount = DBFGetRecordCount(io->handle) == checked.recordCount || handled.sameFile(before);
    if (!sameCount || DBFGetFieldCount(io->handle) != checked.fields.size() ||
        io->handle->nRecordLength != checked.recordLength || io->handle->nHeaderLength != checked.headerLength) {
        fileChanged = !handled.sameFile(before);
        io->state->fail(QStringLiteral("檔頭不一致"));
        DBFClose(io->handle);
        return DbfStatus::failure(QStringLiteral("「%1」的檔頭無法一致地讀出。").arg(displayName()));
    }
    if (headerReadProbe) {
        headerReadProbe(path_);
    }
    stampToday(io->handle, *clock_);
    stamp_ = before;
    header_ = header.value();
    layout_ = layout.value();
    recordCount_ = checked.recordCount;
    io_ = std::move(io);
    return DbfStatus::success();
}

bool DbfTable::isLocked() const
{
    return lockDepth_ > 0;
}

DbfStatus DbfTable::lock(TableFileLock::Mode mode)
{
    using Mode = TableFileLock::Mode;
    if (!io_) {
        return DbfStatus::failure(QStringLiteral("表格「%1」沒有開啟。").arg(displayName()));
    }
    if (lockDepth_ > 0) {
        if (mode == Mode::Exclusive && lock_.mode() == Mode::Shared) {
            return DbfStatus::failure(QStringLiteral("「%1」正在轉出，不能同時變更。").arg(displayName()));
        }
        ++lockDepth_;
        return DbfStatus::success();
    }
    if (mode == Mode::Exclusive && access_ == Access::ReadOnly) {
        return DbfStatus::failure(QStringLiteral("「%1」以唯讀方式開啟，不能變更。").arg(displayName()));
    }
    // An emptied table is a new file under the old name: lock the one the name holds.
    for (int attempt = 0;; ++attempt) {
        switch (lock_.lock(path_, mode)) {
        case TableFileLock::Outcome::Busy:
            return DbfStatus::failure(
                mode == Mode::Exclusive
                    ? QStringLiteral("表格「%1」正由其他視窗或程式使用中（引入、修改、刪除或轉出），請稍後再試。")
                          .arg(displayName())
                    : QStringLiteral("表格「%1」正由其他視窗或程式使用中（引入、修改或刪除），請等它完成後再轉出。")
                          .arg(displayName()));
        case TableFileLock::Outcome::Failed:
            return DbfStatus::failure(QStringLiteral("無法鎖定表格「%1」：%2").arg(displayName(), lock_.errorString()));
        case TableFileLock::Outcome::Locked:
            break;
        }
        FileStamp locked;
        FileStamp named;
        if (lock_.stamp(locked) && stampAt(path_, named) && locked.sameFile(named)) {
            break;
        }
        lock_.unlock();
        if (attempt == 2) {
            return DbfStatus::failure(QStringLiteral("表格「%1」一再被其他程式換掉，無法鎖定。").arg(displayName()));
        }
    }
    lockDepth_ = 1;
    written_ = false;
    const DbfStatus caughtUp = catchUp();
    if (!caughtUp.ok()) {
        lockDepth_ = 0;
        lock_.unlock();
    }
    return caughtUp;
}

// Another program wrote to the table, or emptied it (a new file under the
// name), since this one last read or wrote it: read it again, so rows are
// added after theirs and no change is based on what is no longer there.
DbfStatus DbfTable::catchUp()
{
    FileStamp now;
    if (!lock_.stamp(now)) {
        return DbfStatus::failure(QStringLiteral("無法讀取「%1」的檔案資訊。").arg(displayName()));
    }
    // A stamp may miss a change made within the clock's last tick; the count
    // in the header, read under the lock, cannot.
    if (now == stamp_ && storedRecordCount() == recordCount_) {
        return DbfStatus::success();
    }
    return readAgain();
}

int DbfTable::storedRecordCount() const
{
    unsigned char count[4];
    if (!readAt(dbfFileDescriptor(io_->handle), reinterpret_cast<char *>(count), sizeof count, 4)) {
        return -1;
    }
    return int(quint32(count[0]) | quint32(count[1]) << 8 | quint32(count[2]) << 16 | quint32(count[3]) << 24);
}

DbfStatus DbfTable::readAgain()
{
    DBFClose(io_->handle);
    io_.reset();
    ++generation_;
    return openHandle();
}

DbfStatus DbfTable::unlock()
{
    if (lockDepth_ == 0 || --lockDepth_ > 0) {
        return DbfStatus::success();
    }
    const DbfStatus counted = io_ ? countHeldRows(true) : DbfStatus::success();
    const DbfStatus synced = !counted.ok() ? counted : written_ && io_ ? sync() : DbfStatus::success();
    written_ = false;
    unsyncedBytes_ = 0;
    // Our own writes are not another program's: the next lock starts from here.
    if (io_) {
        stampOf(dbfFileDescriptor(io_->handle), stamp_);
    }
    lock_.unlock();
    return synced;
}

DbfStatus DbfTable::sync()
{
    const QString error = syncDbfFile(io_->handle);
    if (!error.isEmpty()) {
        return DbfStatus::failure(
            QStringLiteral("「%1」的資料無法確實存到磁碟（%2），斷電時可能遺失。").arg(displayName(), error));
    }
    return DbfStatus::success();
}

DbfStatus DbfTable::close()
{
    lockDepth_ = 0;
    written_ = false;
    lock_.unlock();
    if (!io_) {
        return DbfStatus::success();
    }
    DBFClose(io_->handle);
    const std::shared_ptr<DbfIoState> state = io_->state;
    io_.reset();
    if (state->failed()) {
        return DbfStatus::failure(QStringLiteral("關閉「%1」時寫入失敗：%2").arg(displayName(), state->failure));
    }
    return DbfStatus::success();
}

DbfResult<DbfRecord> DbfTable::read(int recordNumber) const
{
    using Result = DbfResult<DbfRecord>;
    if (!io_) {
        return Result::failure(QStringLiteral("表格「%1」沒有開啟。").arg(displayName()));
    }
    if (recordNumber < 0 || recordNumber >= recordCount_) {
        return Result::failure(QStringLiteral("「%1」沒有第 %2 筆資料。").arg(displayName()).arg(recordNumber + 1));
    }
    clearDbfLibraryMessage();
    const char *raw = DBFReadTuple(io_->handle, recordNumber);
    if (!raw) {
        return Result::failure(QStringLiteral("讀取「%1」第 %2 筆資料失敗：%3")
                                   .arg(displayName())
                                   .arg(recordNumber + 1)
                                   .arg(dbfFailureReason(*io_->state)));
    }
    if (!isDeletionFlag(raw[0])) {
        return Result::failure(badFlag(recordNumber, raw[0]));
    }
    // The tuple lives in shapelib's one record buffer: copy it before anything else reads.
    return Result(DbfRecord(layout_, QByteArray(raw, header_.recordLength)));
}

DbfResult<QByteArray> DbfTable::readRecords(int recordNumber, int count) const
{
    QByteArray bytes;
    const DbfStatus read = readRecords(recordNumber, count, bytes);
    return read.ok() ? DbfResult<QByteArray>(std::move(bytes)) : DbfResult<QByteArray>::failure(read.error());
}

DbfStatus DbfTable::readRecords(int recordNumber, int count, QByteArray &into) const
{
    if (!io_) {
        return DbfStatus::failure(QStringLiteral("表格「%1」沒有開啟。").arg(displayName()));
    }
    if (recordNumber < 0 || count < 1 || recordNumber > recordCount_ - count) {
        return DbfStatus::failure(QStringLiteral("「%1」沒有第 %2 到 %3 筆資料。")
                                      .arg(displayName())
                                      .arg(recordNumber + 1)
                                      .arg(recordNumber + count));
    }
    // From the file itself, past shapelib, as liveRecordNumbers reads it; the
    // memory of the last run is reused, never faulted in afresh.
    into.resize(qsizetype(count) * header_.recordLength);
    if (!readAt(dbfFileDescriptor(io_->handle), into.data(), into.size(),
                header_.headerLength + qint64(recordNumber) * header_.recordLength)) {
        return DbfStatus::failure(QStringLiteral("讀取「%1」失敗：檔案比檔頭記載的短。").arg(displayName()));
    }
    for (int i = 0; i < count; ++i) {
        const char flag = into.at(qsizetype(i) * header_.recordLength);
        if (!isDeletionFlag(flag)) {
            return DbfStatus::failure(badFlag(recordNumber + i, flag));
        }
    }
    return DbfStatus::success();
}

DbfResult<std::vector<int>> DbfTable::liveRecordNumbers() const
{
    using Result = DbfResult<std::vector<int>>;
    if (!io_) {
        return Result::failure(QStringLiteral("表格「%1」沒有開啟。").arg(displayName()));
    }
    // Only the deletion flags are wanted; reading big runs of rows beats a seek
    // per row. The rows are read from the open file, whatever the name holds now.
    const int fd = dbfFileDescriptor(io_->handle);
    const int length = header_.recordLength;
    const int rowsPerChunk = std::max(1, (1 << 20) / length);
    std::vector<int> live;
    live.reserve(size_t(recordCount_));
    QByteArray chunk;
    for (int first = 0; first < recordCount_; first += rowsPerChunk) {
        const int rows = std::min(rowsPerChunk, recordCount_ - first);
        chunk.resize(qsizetype(rows) * length);
        if (!readAt(fd, chunk.data(), chunk.size(), header_.headerLength + qint64(first) * length)) {
            return Result::failure(QStringLiteral("讀取「%1」失敗：檔案比檔頭記載的短。").arg(displayName()));
        }
        for (int i = 0; i < rows; ++i) {
            const char flag = chunk.at(qsizetype(i) * length);
            if (!isDeletionFlag(flag)) {
                return Result::failure(badFlag(first + i, flag));
            }
            if (flag != '*') {
                live.push_back(first + i);
            }
        }
    }
    return Result(std::move(live));
}

QString DbfTable::badFlag(int recordNumber, char flag) const
{
    return QStringLiteral("「%1」已損壞：第 %2 筆資料的刪除記號是 0x%3，不是空白或 *。")
        .arg(displayName())
        .arg(recordNumber + 1)
        .arg(uint(quint8(flag)), 2, 16, QLatin1Char('0'));
}

DbfStatus DbfTable::checkWritable(const DbfRecord *record) const
{
    if (!io_) {
        return DbfStatus::failure(QStringLiteral("表格「%1」沒有開啟。").arg(displayName()));
    }
    if (record && record->layout() != layout_ && (!record->layout() || !(*record->layout() == *layout_))) {
        return DbfStatus::failure(QStringLiteral("這筆資料不屬於表格「%1」。").arg(displayName()));
    }
    return DbfStatus::success();
}

DbfStatus DbfTable::checkSeen(int recordNumber, const DbfRecord &seen)
{
    // From the file itself, past shapelib's copy of the row it read last.
    QByteArray stored(header_.recordLength, '\0');
    const bool present = recordNumber >= 0 && recordNumber < recordCount_ &&
                         readAt(dbfFileDescriptor(io_->handle), stored.data(), stored.size(),
                                header_.headerLength + qint64(recordNumber) * header_.recordLength);
    if (!present || stored != seen.bytes()) {
        // A file stamp cannot tell every change of a moment ago: the caller gets the table as it is now.
        readAgain();
        return DbfStatus::failure(
            QStringLiteral("「%1」的第 %2 筆在讀入後已被其他程式修改或刪除，這次的變更沒有存入；請看過現在的內容再試。")
                .arg(displayName())
                .arg(recordNumber + 1));
    }
    return DbfStatus::success();
}

DbfResult<int> DbfTable::append(const DbfRecord &record)
{
    if (lockDepth_ > 0 && lock_.mode() == TableFileLock::Mode::Exclusive) {
        return appendHeld(record);
    }
    ChangeScope change(*this);
    const DbfStatus writable = change.status().ok() ? checkWritable(&record) : change.status();
    if (!writable.ok()) {
        return DbfResult<int>::failure(writable.error());
    }
    const int recordNumber = recordCount_;
    QByteArray bytes = record.bytes();
    bytes[0] = ' ';
    clearDbfLibraryMessage();
    DbfStatus committed = DBFWriteTuple(io_->handle, recordNumber, bytes.data())
                              ? commit(QStringLiteral("寫入"))
                              : writeFailed(QStringLiteral("寫入"), dbfFailureReason(*io_->state));
    if (committed.ok()) {
        ++recordCount_;
        unsyncedBytes_ += header_.recordLength;
        if (unsyncedBytes_ >= writebackBytes) {
            startDbfWriteback(io_->handle);
            unsyncedBytes_ = 0;
        }
    }
    committed = change.finish(committed);
    if (!committed.ok()) {
        return DbfResult<int>::failure(committed.error());
    }
    return recordNumber;
}

DbfResult<int> DbfTable::appendHeld(const DbfRecord &record)
{
    const DbfStatus writable = checkWritable(&record);
    if (!writable.ok()) {
        return DbfResult<int>::failure(writable.error());
    }
    const int recordNumber = recordCount_;
    QByteArray bytes = record.bytes();
    bytes[0] = ' ';
    const qint64 offset = header_.headerLength + qint64(recordNumber) * header_.recordLength;
    written_ = true;
    const int fd = dbfFileDescriptor(io_->handle);
    if (!unfinishedFlagSet_) {
        // Before any row the header does not count.
        const char unfinished = 1;
        if (!writeAt(fd, &unfinished, 1, DbfUnfinishedFlagOffset)) {
            return DbfResult<int>::failure(
                writeFailed(QStringLiteral("寫入"), QString::fromLocal8Bit(std::strerror(errno))).error());
        }
        unfinishedFlagSet_ = true;
    }
    if (!writeAt(fd, bytes.constData(), bytes.size(), offset)) {
        return DbfResult<int>::failure(
            writeFailed(QStringLiteral("寫入"), QString::fromLocal8Bit(std::strerror(errno))).error());
    }
    ++recordCount_;
    uncounted_ = true;
    // Reads and other changes through the library see the row at once.
    io_->handle->nRecords = recordCount_;
    unsyncedBytes_ += header_.recordLength;
    if (unsyncedBytes_ >= writebackBytes) {
        const DbfStatus counted = countHeldRows(false);
        if (!counted.ok()) {
            return DbfResult<int>::failure(counted.error());
        }
        startDbfWriteback(io_->handle);
        unsyncedBytes_ = 0;
    }
    return recordNumber;
}

DbfStatus DbfTable::countHeldRows(bool finished)
{
    if (!uncounted_ && !(finished && unfinishedFlagSet_)) {
        return DbfStatus::success();
    }
    if (uncounted_) {
        uncounted_ = false;
        clearDbfLibraryMessage();
        const DbfStatus committed = commit(QStringLiteral("寫入"));
        if (!committed.ok()) {
            return committed;
        }
    }
    // The end mark the library writes after a row of its own; at the end
    // whatever a cut-short import left past it goes, and the flag with it.
    const int fd = dbfFileDescriptor(io_->handle);
    const qint64 end = header_.headerLength + qint64(recordCount_) * header_.recordLength;
    const char finishedFlag = 0;
    const bool written =
        writeAt(fd, &DbfEndOfFile, 1, end) &&
        (!finished || (::ftruncate(fd, off_t(end + 1)) == 0 && writeAt(fd, &finishedFlag, 1, DbfUnfinishedFlagOffset)));
    if (!written) {
        return writeFailed(QStringLiteral("寫入"), QString::fromLocal8Bit(std::strerror(errno)));
    }
    if (finished) {
        unfinishedFlagSet_ = false;
    }
    return DbfStatus::success();
}

DbfStatus DbfTable::update(int recordNumber, const DbfRecord &record, const DbfRecord &seen)
{
    ChangeScope change(*this);
    DbfStatus checked = change.status().ok() ? checkWritable(&record) : change.status();
    checked = checked.ok() ? checkSeen(recordNumber, seen) : checked;
    if (!checked.ok()) {
        return checked;
    }
    QByteArray bytes = record.bytes();
    clearDbfLibraryMessage();
    return change.finish(DBFWriteTuple(io_->handle, recordNumber, bytes.data())
                             ? commit(QStringLiteral("寫入"))
                             : writeFailed(QStringLiteral("寫入"), dbfFailureReason(*io_->state)));
}

DbfStatus DbfTable::markDeleted(int recordNumber, const DbfRecord &seen)
{
    ChangeScope change(*this);
    DbfStatus checked = change.status().ok() ? checkWritable(nullptr) : change.status();
    checked = checked.ok() ? checkSeen(recordNumber, seen) : checked;
    if (!checked.ok()) {
        return checked;
    }
    clearDbfLibraryMessage();
    return change.finish(DBFMarkRecordDeleted(io_->handle, recordNumber, 1)
                             ? commit(QStringLiteral("刪除"))
                             : writeFailed(QStringLiteral("刪除"), dbfFailureReason(*io_->state)));
}

DbfStatus DbfTable::commit(const QString &what)
{
    written_ = true;
    DBFUpdateHeader(io_->handle);
    // The header is written: closing the handle must not write it again, or a
    // handle closed after another program added rows would count only its own.
    io_->handle->bUpdated = 0;
    if (io_->state->failed()) {
        return writeFailed(what, io_->state->failure);
    }
    return DbfStatus::success();
}

DbfStatus DbfTable::writeFailed(const QString &what, QString reason)
{
    // Refuse every further write through this handle, close it, and cut off
    // whatever part of the row got past the last committed one, so the file
    // holds whole committed rows only and opens again. Rows a held import
    // wrote before are counted first: the count is rewritten in place, which
    // a full disk still allows.
    if (uncounted_) {
        uncounted_ = false;
        const unsigned char count[4] = {uchar(recordCount_), uchar(recordCount_ >> 8), uchar(recordCount_ >> 16),
                                        uchar(recordCount_ >> 24)};
        writeAt(dbfFileDescriptor(io_->handle), reinterpret_cast<const char *>(count), sizeof count, 4);
    }
    io_->state->fail(reason);
    DBFClose(io_->handle);
    io_.reset();
    const qint64 committedSize = qint64(header_.headerLength) + qint64(recordCount_) * header_.recordLength;
    QFile file(path_);
    if (file.size() > committedSize) {
        file.resize(committedSize);
    }
    QString message =
        QStringLiteral("%1「%2」失敗（%3），這筆資料沒有存入；之前存入的資料都還在。").arg(what, displayName(), reason);
    const DbfStatus reopened = openHandle();
    if (!reopened.ok()) {
        message += QStringLiteral("表格已關閉：") + reopened.error();
    }
    return DbfStatus::failure(message);
}

DbfStatus DbfTable::makeEmpty()
{
    ChangeScope change(*this);
    const DbfStatus writable = change.status().ok() ? checkWritable(nullptr) : change.status();
    if (!writable.ok()) {
        return writable;
    }
    QByteArray empty = header_.bytes;
    const QDate today = clock_->today();
    empty[1] = char(today.year() - 1900);
    empty[2] = char(today.month());
    empty[3] = char(today.day());
    std::fill(empty.begin() + 4, empty.begin() + 8, '\0');
    empty.append(DbfEndOfFile);

    // Built beside the table, on the disk and locked before it takes the name:
    // a crash or a full disk leaves the old table whole, and no other writer
    // can slip into the new one before this one lets go.
    const QString temporary = temporaryNameFor(path_);
    const OpenedFile out = openRegularFile(temporary, O_RDWR | O_CREAT | O_EXCL);
    QString failure = out.error;
    TableFileLock emptied;
    if (out.ok()) {
        const bool written = ::write(out.fd, empty.constData(), size_t(empty.size())) == empty.size();
        failure = written && ::fsync(out.fd) == 0 ? QString() : QString::fromLocal8Bit(std::strerror(errno));
        if (!failure.isEmpty()) {
            ::close(out.fd);
        } else if (emptied.lock(out.fd, TableFileLock::Mode::Exclusive) != TableFileLock::Outcome::Locked) {
            failure = emptied.errorString();
        } else if (::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path_).constData()) != 0) {
            failure = QString::fromLocal8Bit(std::strerror(errno));
        }
    }
    if (!failure.isEmpty()) {
        QFile::remove(temporary);
        return DbfStatus::failure(QStringLiteral("無法清空「%1」（%2），資料都還在。").arg(displayName(), failure));
    }
    syncDirectoryOf(path_);
    lock_ = std::move(emptied);

    DBFClose(io_->handle);
    io_.reset();
    const DbfStatus reopened = openHandle();
    if (!reopened.ok()) {
        return change.finish(DbfStatus::failure(
            QStringLiteral("「%1」已清空，但無法重新開啟：%2").arg(displayName(), reopened.error())));
    }
    return change.finish(DbfStatus::success());
}

DbfResult<DbfTable::Creation> DbfTable::create(const QString &path, const QList<DbfFieldSpec> &fields,
                                               const Clock &clock)
{
    using Result = DbfResult<Creation>;
    // Never a second, empty table beside one another tool named in another case.
    const QFileInfo info(resolveCaseInsensitive(path));
    if (info.exists() || info.isSymLink()) {
        return Creation::AlreadyExisted;
    }
    const DbfStatus specsOk = checkSpecs(fields);
    if (!specsOk.ok()) {
        return Result::failure(specsOk.error());
    }
    const QString temporary = temporaryNameFor(path);
    const auto failed = [&](const QString &why) {
        QFile::remove(temporary);
        return Result::failure(QStringLiteral("無法建立「%1」：%2").arg(path, why));
    };

    auto state = std::make_shared<DbfIoState>();
    clearDbfLibraryMessage();
    DBFHandle handle = nullptr;
    {
        DbfOpenScope scope(temporary, state);
        handle = DBFCreateLL(scope.path(), "LDID/120", scope.hooks());
    }
    if (!handle) {
        return failed(dbfFailureReason(*state));
    }
    stampToday(handle, clock);
    for (const DbfFieldSpec &wanted : fields) {
        const char type = wanted.type == DbfFieldType::Text ? 'C' : 'N';
        if (DBFAddNativeFieldType(handle, wanted.name.constData(), type, wanted.width, wanted.decimals) < 0) {
            state->fail(dbfFailureReason(*state));
            DBFClose(handle);
            return failed(
                QStringLiteral("無法加入欄位 %1（%2）").arg(QString::fromLatin1(wanted.name), state->failure));
        }
    }
    DBFClose(handle);
    if (state->failed()) {
        return failed(state->failure);
    }

    // Read back what was written exactly as an open would, and put it on the
    // disk, before it gets its name.
    const OpenedFile written = openRegularFile(temporary, O_RDONLY);
    QFile check;
    if (!written.ok() || !check.open(written.fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        return failed(written.ok() ? check.errorString() : written.error);
    }
    if (::fsync(written.fd) != 0) {
        return failed(QString::fromLocal8Bit(std::strerror(errno)));
    }
    const DbfResult<DbfHeader> header = readDbfHeader(check, path);
    check.close();
    if (!header.ok()) {
        return failed(header.error());
    }
    const auto layout = DbfLayout::resolve(header.value(), fields, path);
    if (!layout.ok() || header.value().languageDriver != DbfCodePageCp950) {
        return failed(layout.ok() ? QStringLiteral("代碼頁不是 CP950") : layout.error());
    }
    if (!QFile::rename(temporary, path)) {
        const bool existed = QFileInfo::exists(path);
        QFile::remove(temporary);
        if (existed) {
            return Creation::AlreadyExisted;
        }
        return Result::failure(QStringLiteral("無法建立「%1」：無法命名新表格。").arg(path));
    }
    syncDirectoryOf(path);
    return Creation::Created;
}
