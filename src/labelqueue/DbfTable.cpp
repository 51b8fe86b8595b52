#include "labelqueue/DbfTable.h"

#include "labelqueue/DbfFileHooks.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <algorithm>

namespace {

void stampToday(DBFHandle handle)
{
    const QDate today = QDate::currentDate();
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

} // namespace

struct DbfTable::Io {
    DBFHandle handle = nullptr;
    std::shared_ptr<DbfIoState> state;
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
    io->state = std::make_shared<DbfIoState>();
    clearDbfLibraryMessage();
    {
        DbfOpenScope scope(path_, io->state);
        io->handle = DBFOpenLL(scope.path(), "rb+", scope.hooks());
    }
    if (!io->handle) {
        return DbfStatus::failure(
            QStringLiteral("無法以讀寫方式開啟「%1」：%2").arg(displayName(), dbfFailureReason(*io->state)));
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
    clearDbfLibraryMessage();
    if (!DBFWriteTuple(io_->handle, recordNumber, bytes.data())) {
        return DbfResult<int>::failure(writeFailed(QStringLiteral("寫入"), dbfFailureReason(*io_->state)).error());
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
    clearDbfLibraryMessage();
    if (!DBFWriteTuple(io_->handle, recordNumber, bytes.data())) {
        return writeFailed(QStringLiteral("寫入"), dbfFailureReason(*io_->state));
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
    clearDbfLibraryMessage();
    if (!DBFMarkRecordDeleted(io_->handle, recordNumber, 1)) {
        return writeFailed(QStringLiteral("刪除"), dbfFailureReason(*io_->state));
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

DbfStatus DbfTable::writeFailed(const QString &what, QString reason)
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
    stampToday(handle);
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
