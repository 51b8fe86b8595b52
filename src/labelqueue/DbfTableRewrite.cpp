#include "components/RegularFile.h"
#include "labelqueue/DbfFileHooks.h"
#include "labelqueue/DbfTable.h"
#include "labelqueue/DbfTableIo.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

void putLittleEndian(QByteArray &bytes, int at, quint32 value)
{
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = char(value >> (8 * i));
    }
}

} // namespace

DbfStatus DbfTable::rewrite(const std::vector<DbfRecordPatch> &patches)
{
    const DbfStatus locked = lock(TableFileLock::Mode::Exclusive);
    if (!locked.ok()) {
        return locked;
    }
    const auto finish = [this](DbfStatus outcome) {
        const DbfStatus released = unlock();
        return outcome.ok() ? released : outcome;
    };
    const DbfStatus writable = checkWritable(nullptr);
    if (!writable.ok()) {
        return finish(writable);
    }
    const int length = header_.recordLength;
    int previous = -1;
    for (const DbfRecordPatch &patch : patches) {
        if (patch.recordNumber <= previous || patch.recordNumber >= recordCount_ || patch.offset < 1 ||
            patch.offset + patch.bytes.size() > length) {
            return finish(DbfStatus::failure(QStringLiteral("「%1」沒有第 %2 筆的這個欄位，沒有寫入。")
                                                 .arg(displayName())
                                                 .arg(patch.recordNumber + 1)));
        }
        previous = patch.recordNumber;
    }

    QTemporaryFile beside;
    const auto failed = [&](const QString &why) {
        return finish(
            DbfStatus::failure(QStringLiteral("無法寫入「%1」（%2），沒有任何一筆被改變。").arg(displayName(), why)));
    };
    const QString notOpened = openBeside(beside);
    if (!notOpened.isEmpty()) {
        return failed(notOpened);
    }

    QByteArray header = header_.bytes;
    const QDate today = clock_->today();
    header[1] = char(today.year() - 1900);
    header[2] = char(today.month());
    header[3] = char(today.day());
    putLittleEndian(header, 4, quint32(recordCount_));
    if (beside.write(header) != header.size()) {
        return failed(beside.errorString());
    }
    const int rowsPerChunk = std::max(1, (1 << 20) / length);
    auto patch = patches.begin();
    QByteArray chunk;
    for (int first = 0; first < recordCount_; first += rowsPerChunk) {
        const int rows = std::min(rowsPerChunk, recordCount_ - first);
        const DbfStatus read = readRecords(first, rows, chunk);
        if (!read.ok()) {
            return finish(read);
        }
        for (; patch != patches.end() && patch->recordNumber < first + rows; ++patch) {
            std::copy(patch->bytes.begin(), patch->bytes.end(),
                      chunk.begin() + qsizetype(patch->recordNumber - first) * length + patch->offset);
        }
        if (beside.write(chunk) != chunk.size()) {
            return failed(beside.errorString());
        }
        // The disk takes the copy while it is written, so the sync at the end finds little left.
        if (first / rowsPerChunk % 8 == 7 && beside.flush()) {
            startFileWriteback(beside.handle());
        }
    }
    if (beside.write(QByteArray(1, DbfEndOfFile)) != 1 || !beside.flush()) {
        return failed(beside.errorString());
    }
    const QString notPlaced = putInPlace(beside);
    if (!notPlaced.isEmpty()) {
        return failed(notPlaced);
    }
    return finish(reopenReplaced());
}

QString DbfTable::openBeside(QTemporaryFile &beside) const
{
    const QFileInfo info(path_);
    beside.setFileTemplate(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                           QStringLiteral(".XXXXXX.tmp"));
    if (!beside.open()) {
        return beside.errorString();
    }
    // The copy takes the name: it keeps who may read and write the table.
    struct stat original;
    if (::fstat(dbfFileDescriptor(io_->handle), &original) != 0 ||
        ::fchmod(beside.handle(), original.st_mode & 07777) != 0) {
        return systemError();
    }
    return {};
}

QString DbfTable::putInPlace(QTemporaryFile &beside)
{
    if (!beside.flush() || ::fsync(beside.handle()) != 0) {
        return systemError();
    }
    // Locked before it takes the name, so no other writer slips in between.
    TableFileLock replaced;
    const int lockHandle = ::dup(beside.handle());
    if (lockHandle < 0) {
        return systemError();
    }
    if (replaced.lock(lockHandle, TableFileLock::Mode::Exclusive) != TableFileLock::Outcome::Locked) {
        return replaced.errorString();
    }
    if (::rename(QFile::encodeName(beside.fileName()).constData(), QFile::encodeName(path_).constData()) != 0) {
        return systemError();
    }
    beside.setAutoRemove(false);
    syncDirectoryOf(path_);
    lock_ = std::move(replaced);
    return {};
}

DbfStatus DbfTable::reopenReplaced()
{
    DBFClose(io_->handle);
    io_.reset();
    const DbfStatus reopened = openHandle();
    if (!reopened.ok()) {
        return DbfStatus::failure(
            QStringLiteral("「%1」已寫入，但無法重新開啟：%2").arg(displayName(), reopened.error()));
    }
    return DbfStatus::success();
}
