#include "components/DbfTable.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <shapefil.h>

namespace {

// What the file hooks saw. The first failed write, flush or seek is kept and
// every later write is refused, so shapelib can never stamp a record count on
// rows that did not land (it rewrites the header when a handle is closed).
struct IoState {
    QString failure;
    int openErrno = 0;

    bool failed() const { return !failure.isEmpty(); }
    void fail(const QString &why)
    {
        if (failure.isEmpty()) {
            failure = why;
        }
    }
};

struct HookFile {
    FILE *fp = nullptr;
    std::shared_ptr<IoState> state;
};

// shapelib derives file names itself (it swaps the extension for ".dbf", then
// ".DBF", and looks for ".cpg" files); the hooks open exactly the file meant.
// SAHooks carries no context pointer, hence the thread-local target.
struct OpenTarget {
    QByteArray path;
    std::shared_ptr<IoState> state;
};

thread_local const OpenTarget *currentTarget = nullptr;
thread_local QByteArray libraryMessage;

class TargetScope
{
public:
    explicit TargetScope(const OpenTarget &target) { currentTarget = &target; }
    ~TargetScope() { currentTarget = nullptr; }
    TargetScope(const TargetScope &) = delete;
    TargetScope &operator=(const TargetScope &) = delete;
};

HookFile *hookFile(SAFile file)
{
    return reinterpret_cast<HookFile *>(file);
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

SAFile openHook(const char *name, const char *access)
{
    if (!currentTarget || !QByteArray(name).toLower().endsWith(".dbf")) {
        return nullptr;
    }
    // shapelib creates with "wb", which would empty a file already there; "x" makes that fail instead.
    QByteArray mode(access);
    if (mode.startsWith('w')) {
        mode += 'x';
    }
    FILE *fp = std::fopen(currentTarget->path.constData(), mode.constData());
    if (!fp) {
        currentTarget->state->openErrno = errno;
        return nullptr;
    }
    // Unbuffered: a write either reaches the system or fails right there.
    std::setvbuf(fp, nullptr, _IONBF, 0);
    return reinterpret_cast<SAFile>(new HookFile{fp, currentTarget->state});
}

SAOffset readHook(void *buffer, SAOffset size, SAOffset count, SAFile file)
{
    return std::fread(buffer, size, count, hookFile(file)->fp);
}

SAOffset writeHook(void *buffer, SAOffset size, SAOffset count, SAFile file)
{
    HookFile *f = hookFile(file);
    if (f->state->failed()) {
        return 0;
    }
    const SAOffset written = std::fwrite(buffer, size, count, f->fp);
    if (written != count) {
        f->state->fail(systemError(errno));
    }
    return written;
}

SAOffset seekHook(SAFile file, SAOffset offset, int whence)
{
    HookFile *f = hookFile(file);
    if (std::fseek(f->fp, long(offset), whence) != 0) {
        // A write after a failed seek would land in the wrong place.
        f->state->fail(systemError(errno));
        return SAOffset(-1);
    }
    return 0;
}

SAOffset tellHook(SAFile file)
{
    return SAOffset(std::ftell(hookFile(file)->fp));
}

int flushHook(SAFile file)
{
    HookFile *f = hookFile(file);
    const int result = std::fflush(f->fp);
    if (result != 0) {
        f->state->fail(systemError(errno));
    }
    return result;
}

int closeHook(SAFile file)
{
    HookFile *f = hookFile(file);
    const int result = std::fclose(f->fp);
    if (result != 0) {
        f->state->fail(systemError(errno));
    }
    delete f;
    return result;
}

// shapelib removes ".cpg" files beside tables it creates; nothing of ours is its to remove.
int removeHook(const char *)
{
    return 0;
}

void errorHook(const char *message)
{
    libraryMessage = message;
}

double atofHook(const char *text)
{
    return QByteArray(text).trimmed().toDouble();
}

SAHooks tableHooks()
{
    SAHooks hooks;
    SASetupDefaultHooks(&hooks);
    hooks.FOpen = openHook;
    hooks.FRead = readHook;
    hooks.FWrite = writeHook;
    hooks.FSeek = seekHook;
    hooks.FTell = tellHook;
    hooks.FFlush = flushHook;
    hooks.FClose = closeHook;
    hooks.Remove = removeHook;
    hooks.Error = errorHook;
    hooks.Atof = atofHook;
    return hooks;
}

void stampToday(DBFHandle handle)
{
    const QDate today = QDate::currentDate();
    DBFSetLastModifiedDate(handle, today.year() - 1900, today.month(), today.day());
}

QString reasonOf(const IoState &state)
{
    if (state.failed()) {
        return state.failure;
    }
    if (!libraryMessage.isEmpty()) {
        return QString::fromLocal8Bit(libraryMessage);
    }
    return state.openErrno != 0 ? systemError(state.openErrno) : QStringLiteral("原因不明");
}

DbfStatus checkSpecs(const QList<DbfFieldSpec> &fields)
{
    for (const DbfFieldSpec &spec : fields) {
        const QString name = QString::fromLatin1(spec.name);
        const bool plainName =
            !spec.name.isEmpty() && spec.name.size() <= 10 &&
            std::all_of(spec.name.begin(), spec.name.end(), [](char c) { return c > ' ' && c < 127; });
        if (!plainName) {
            return DbfStatus::failure(QStringLiteral("欄位名稱「%1」不能用在 dBase 表格。").arg(name));
        }
        const bool numeric = spec.type == DbfFieldType::Numeric;
        const bool fits = spec.width >= 1 && spec.width <= 254 &&
                          (numeric ? spec.decimals >= 0 && (spec.decimals == 0 || spec.decimals <= spec.width - 2)
                                   : spec.decimals == 0);
        if (!fits) {
            return DbfStatus::failure(
                QStringLiteral("欄位 %1 的寬度 %2、小數 %3 不合理。").arg(name).arg(spec.width).arg(spec.decimals));
        }
    }
    return DbfStatus::success();
}

} // namespace

struct DbfTable::Io {
    DBFHandle handle = nullptr;
    std::shared_ptr<IoState> state;
};

DbfTable::DbfTable(QString path, QList<DbfFieldSpec> fields)
    : path_(std::move(path))
    , fields_(std::move(fields))
{}

DbfTable::~DbfTable()
{
    close();
}

bool DbfTable::isOpen() const
{
    return io_ != nullptr;
}

QString DbfTable::displayName() const
{
    return path_;
}

DbfResult<std::unique_ptr<DbfTable>> DbfTable::open(const QString &path, const QList<DbfFieldSpec> &fields)
{
    std::unique_ptr<DbfTable> table(new DbfTable(path, fields));
    const DbfStatus opened = table->openHandle();
    if (!opened.ok()) {
        return DbfResult<std::unique_ptr<DbfTable>>::failure(opened.error());
    }
    return DbfResult<std::unique_ptr<DbfTable>>(std::move(table));
}

DbfStatus DbfTable::openHandle()
{
    QFile file(path_);
    if (!file.exists()) {
        return DbfStatus::failure(QStringLiteral("找不到表格「%1」。").arg(displayName()));
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return DbfStatus::failure(QStringLiteral("無法開啟「%1」：%2").arg(displayName(), file.errorString()));
    }
    DbfResult<DbfHeader> header = readDbfHeader(file, displayName());
    file.close();
    if (!header.ok()) {
        return header.status();
    }
    const auto layout = DbfLayout::resolve(header.value(), fields_, displayName());
    if (!layout.ok()) {
        return layout.status();
    }

    auto io = std::make_unique<Io>();
    io->state = std::make_shared<IoState>();
    const OpenTarget target{QFile::encodeName(path_), io->state};
    libraryMessage.clear();
    {
        const TargetScope scope(target);
        SAHooks hooks = tableHooks();
        io->handle = DBFOpenLL(target.path.constData(), "rb+", &hooks);
    }
    if (!io->handle) {
        return DbfStatus::failure(
            QStringLiteral("無法以讀寫方式開啟「%1」：%2").arg(displayName(), reasonOf(*io->state)));
    }
    const DbfHeader &checked = header.value();
    if (DBFGetRecordCount(io->handle) != checked.recordCount || DBFGetFieldCount(io->handle) != checked.fields.size() ||
        io->handle->nRecordLength != checked.recordLength || io->handle->nHeaderLength != checked.headerLength) {
        io->state->fail(QStringLiteral("檔頭不一致"));
        DBFClose(io->handle);
        return DbfStatus::failure(QStringLiteral("「%1」的檔頭無法一致地讀出。").arg(displayName()));
    }
    stampToday(io->handle);
    header_ = header.value();
    layout_ = layout.value();
    recordCount_ = checked.recordCount;
    io_ = std::move(io);
    return DbfStatus::success();
}

DbfStatus DbfTable::close()
{
    if (!io_) {
        return DbfStatus::success();
    }
    DBFClose(io_->handle);
    const std::shared_ptr<IoState> state = io_->state;
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
    libraryMessage.clear();
    const char *raw = DBFReadTuple(io_->handle, recordNumber);
    if (!raw) {
        return Result::failure(QStringLiteral("讀取「%1」第 %2 筆資料失敗：%3")
                                   .arg(displayName())
                                   .arg(recordNumber + 1)
                                   .arg(reasonOf(*io_->state)));
    }
    // The tuple lives in shapelib's one record buffer: copy it before anything else reads.
    return Result(DbfRecord(layout_, QByteArray(raw, header_.recordLength)));
}

DbfResult<std::vector<int>> DbfTable::liveRecordNumbers() const
{
    using Result = DbfResult<std::vector<int>>;
    if (!io_) {
        return Result::failure(QStringLiteral("表格「%1」沒有開啟。").arg(displayName()));
    }
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(header_.headerLength)) {
        return Result::failure(QStringLiteral("無法讀取「%1」：%2").arg(displayName(), file.errorString()));
    }
    // Only the deletion flags are wanted; reading big runs of rows beats a seek per row.
    const int length = header_.recordLength;
    const int rowsPerChunk = std::max(1, (1 << 20) / length);
    std::vector<int> live;
    live.reserve(size_t(recordCount_));
    for (int first = 0; first < recordCount_; first += rowsPerChunk) {
        const int rows = std::min(rowsPerChunk, recordCount_ - first);
        const QByteArray chunk = file.read(qint64(rows) * length);
        if (chunk.size() != qint64(rows) * length) {
            return Result::failure(QStringLiteral("讀取「%1」失敗：檔案比檔頭記載的短。").arg(displayName()));
        }
        for (int i = 0; i < rows; ++i) {
            if (chunk.at(qsizetype(i) * length) != '*') {
                live.push_back(first + i);
            }
        }
    }
    return Result(std::move(live));
}

DbfStatus DbfTable::checkWritable(const DbfRecord *record) const
{
    if (!io_) {
        return DbfStatus::failure(QStringLiteral("表格「%1」沒有開啟。").arg(displayName()));
    }
    if (record && (!record->layout() || !(*record->layout() == *layout_))) {
        return DbfStatus::failure(QStringLiteral("這筆資料不屬於表格「%1」。").arg(displayName()));
    }
    return DbfStatus::success();
}

DbfResult<int> DbfTable::append(const DbfRecord &record)
{
    const DbfStatus writable = checkWritable(&record);
    if (!writable.ok()) {
        return DbfResult<int>::failure(writable.error());
    }
    const int recordNumber = recordCount_;
    QByteArray bytes = record.bytes();
    bytes[0] = ' ';
    libraryMessage.clear();
    if (!DBFWriteTuple(io_->handle, recordNumber, bytes.data())) {
        return DbfResult<int>::failure(writeFailed(QStringLiteral("寫入"), reasonOf(*io_->state)).error());
    }
    const DbfStatus committed = commit(QStringLiteral("寫入"));
    if (!committed.ok()) {
        return DbfResult<int>::failure(committed.error());
    }
    ++recordCount_;
    return recordNumber;
}

DbfStatus DbfTable::update(int recordNumber, const DbfRecord &record)
{
    const DbfStatus writable = checkWritable(&record);
    if (!writable.ok()) {
        return writable;
    }
    if (recordNumber < 0 || recordNumber >= recordCount_) {
        return DbfStatus::failure(QStringLiteral("「%1」沒有第 %2 筆資料。").arg(displayName()).arg(recordNumber + 1));
    }
    QByteArray bytes = record.bytes();
    libraryMessage.clear();
    if (!DBFWriteTuple(io_->handle, recordNumber, bytes.data())) {
        return writeFailed(QStringLiteral("寫入"), reasonOf(*io_->state));
    }
    return commit(QStringLiteral("寫入"));
}

DbfStatus DbfTable::markDeleted(int recordNumber)
{
    const DbfStatus writable = checkWritable(nullptr);
    if (!writable.ok()) {
        return writable;
    }
    if (recordNumber < 0 || recordNumber >= recordCount_) {
        return DbfStatus::failure(QStringLiteral("「%1」沒有第 %2 筆資料。").arg(displayName()).arg(recordNumber + 1));
    }
    libraryMessage.clear();
    if (!DBFMarkRecordDeleted(io_->handle, recordNumber, 1)) {
        return writeFailed(QStringLiteral("刪除"), reasonOf(*io_->state));
    }
    return commit(QStringLiteral("刪除"));
}

DbfStatus DbfTable::commit(const QString &what)
{
    DBFUpdateHeader(io_->handle);
    if (io_->state->failed()) {
        return writeFailed(what, io_->state->failure);
    }
    return DbfStatus::success();
}

DbfStatus DbfTable::writeFailed(const QString &what, const QString &reason)
{
    // Refuse every further write through this handle, close it, and cut off
    // whatever part of the row got past the last committed one, so the file
    // holds whole committed rows only and opens again.
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
    const DbfStatus writable = checkWritable(nullptr);
    if (!writable.ok()) {
        return writable;
    }
    QByteArray empty = header_.bytes;
    const QDate today = QDate::currentDate();
    empty[1] = char(today.year() - 1900);
    empty[2] = char(today.month());
    empty[3] = char(today.day());
    std::fill(empty.begin() + 4, empty.begin() + 8, '\0');
    empty.append(DbfEndOfFile);

    const DbfStatus closed = close();
    if (!closed.ok()) {
        const DbfStatus reopened = openHandle();
        return DbfStatus::failure(closed.error() +
                                  (reopened.ok() ? QString() : QStringLiteral(" ") + reopened.error()));
    }
    // Built beside the table and renamed over it: a crash or a full disk leaves the old table whole.
    QSaveFile out(path_);
    QString failure;
    if (!out.open(QIODevice::WriteOnly)) {
        failure = out.errorString();
    } else if (out.write(empty) != empty.size()) {
        failure = out.errorString();
        out.cancelWriting();
    } else if (!out.commit()) {
        failure = out.errorString();
    }
    const DbfStatus reopened = openHandle();
    if (!failure.isEmpty()) {
        QString message = QStringLiteral("無法清空「%1」（%2），資料都還在。").arg(displayName(), failure);
        if (!reopened.ok()) {
            message += QStringLiteral("表格已關閉：") + reopened.error();
        }
        return DbfStatus::failure(message);
    }
    if (!reopened.ok()) {
        return DbfStatus::failure(
            QStringLiteral("「%1」已清空，但無法重新開啟：%2").arg(displayName(), reopened.error()));
    }
    return DbfStatus::success();
}

DbfResult<DbfTable::Creation> DbfTable::create(const QString &path, const QList<DbfFieldSpec> &fields)
{
    using Result = DbfResult<Creation>;
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink()) {
        return Creation::AlreadyExisted;
    }
    const DbfStatus specsOk = checkSpecs(fields);
    if (!specsOk.ok()) {
        return Result::failure(specsOk.error());
    }
    const QString temporary = info.absolutePath() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.') +
                              QString::number(QRandomGenerator::global()->generate(), 16) + QStringLiteral(".tmp");
    const auto failed = [&](const QString &why) {
        QFile::remove(temporary);
        return Result::failure(QStringLiteral("無法建立「%1」：%2").arg(path, why));
    };

    auto state = std::make_shared<IoState>();
    const OpenTarget target{QFile::encodeName(temporary), state};
    libraryMessage.clear();
    DBFHandle handle = nullptr;
    {
        const TargetScope scope(target);
        SAHooks hooks = tableHooks();
        handle = DBFCreateLL(target.path.constData(), "LDID/120", &hooks);
    }
    if (!handle) {
        return failed(reasonOf(*state));
    }
    stampToday(handle);
    for (const DbfFieldSpec &spec : fields) {
        const char type = spec.type == DbfFieldType::Text ? 'C' : 'N';
        if (DBFAddNativeFieldType(handle, spec.name.constData(), type, spec.width, spec.decimals) < 0) {
            state->fail(reasonOf(*state));
            DBFClose(handle);
            return failed(QStringLiteral("無法加入欄位 %1（%2）").arg(QString::fromLatin1(spec.name), state->failure));
        }
    }
    DBFClose(handle);
    if (state->failed()) {
        return failed(state->failure);
    }

    // Read back what was written exactly as an open would, before it gets its name.
    QFile check(temporary);
    if (!check.open(QIODevice::ReadOnly)) {
        return failed(check.errorString());
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
    return Creation::Created;
}
