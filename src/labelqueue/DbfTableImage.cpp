#include "labelqueue/DbfFileHooks.h"
#include "labelqueue/DbfTable.h"
#include "labelqueue/DbfTableIo.h"

#include <QDir>
#include <QFile>
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

// False at a failure or a short file (errno 0).
bool readAt(int fd, QByteArray &into, qint64 offset)
{
    qint64 done = 0;
    while (done < into.size()) {
        errno = 0;
        const ssize_t n = ::pread(fd, into.data() + done, size_t(into.size() - done), off_t(offset + done));
        if (n <= 0) {
            return false;
        }
        done += n;
    }
    return true;
}

} // namespace

DbfResult<DbfTableFrame> DbfTable::readFrame()
{
    using Result = DbfResult<DbfTableFrame>;
    if (!io_ || lockDepth_ == 0 || lock_.mode() != TableFileLock::Mode::Exclusive) {
        return Result::failure(QStringLiteral("「%1」沒有鎖定，無法讀取。").arg(displayName()));
    }
    const DbfStatus counted = countHeldRows(true);
    if (!counted.ok()) {
        return Result::failure(counted.error());
    }
    const int fd = dbfFileDescriptor(io_->handle);
    struct stat file;
    if (::fstat(fd, &file) != 0) {
        return Result::failure(QStringLiteral("無法讀取「%1」（%2）。").arg(displayName(), systemError()));
    }
    DbfTableFrame frame;
    frame.recordCount = recordCount_;
    const qint64 rowsEnd = header_.headerLength + qint64(recordCount_) * header_.recordLength;
    frame.header.resize(header_.headerLength);
    frame.tail.resize(std::max<qint64>(0, qint64(file.st_size) - rowsEnd));
    if (!readAt(fd, frame.header, 0) || !readAt(fd, frame.tail, rowsEnd)) {
        return Result::failure(QStringLiteral("無法讀取「%1」（%2）。").arg(displayName(), systemError()));
    }
    return frame;
}

DbfStatus DbfTable::restore(const DbfTableFrame &frame, const std::vector<DbfRecordRun> &runs)
{
    const int length = header_.recordLength;
    auto run = runs.begin();
    return restoreRows(frame, [&](int first, int rows, QByteArray &chunk) {
        const int fromTable = std::clamp(recordCount_ - first, 0, rows);
        if (fromTable > 0) {
            const DbfStatus read = readRecords(first, fromTable, chunk);
            if (!read.ok()) {
                return read;
            }
        }
        chunk.resize(qsizetype(rows) * length);
        int covered = fromTable;
        // Every run reaching into this chunk; one may go on into the next.
        for (auto each = run; each != runs.end() && each->firstRecord < first + rows; ++each) {
            const int runRows = int(each->bytes.size() / length);
            const int from = std::max(first, each->firstRecord);
            const int to = std::min(first + rows, each->firstRecord + runRows);
            if (from < to) {
                std::copy_n(each->bytes.constData() + qsizetype(from - each->firstRecord) * length,
                            qsizetype(to - from) * length, chunk.data() + qsizetype(from - first) * length);
                if (from <= first + covered) {
                    covered = std::max(covered, to - first);
                }
            }
            if (each->firstRecord + runRows <= first + rows) {
                run = each + 1;
            }
        }
        if (covered < rows) {
            return DbfStatus::failure(QStringLiteral("無法寫入「%1」（沒有第 %2 筆的內容），表格沒有改變。")
                                          .arg(displayName())
                                          .arg(first + covered + 1));
        }
        return DbfStatus::success();
    });
}

DbfStatus DbfTable::restore(const DbfTableFrame &frame, const QString &recordsFile)
{
    const OpenedFile kept = openRegularFile(recordsFile, O_RDONLY);
    if (!kept.ok()) {
        return DbfStatus::failure(QStringLiteral("無法讀取「%1」（%2），「%3」沒有改變。")
                                      .arg(QDir::toNativeSeparators(recordsFile), kept.error, displayName()));
    }
    const int length = header_.recordLength;
    const DbfStatus restored = restoreRows(frame, [&](int first, int rows, QByteArray &chunk) {
        chunk.resize(qsizetype(rows) * length);
        if (!readAt(kept.fd, chunk, frame.header.size() + qint64(first) * length)) {
            const QString why = errno != 0 ? systemError() : QStringLiteral("檔案不完整");
            return DbfStatus::failure(QStringLiteral("無法讀取「%1」（%2），「%3」沒有改變。")
                                          .arg(QDir::toNativeSeparators(recordsFile), why, displayName()));
        }
        return DbfStatus::success();
    });
    ::close(kept.fd);
    return restored;
}

DbfStatus DbfTable::restoreRows(const DbfTableFrame &frame,
                                const std::function<DbfStatus(int first, int rows, QByteArray &chunk)> &fill)
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
    if (frame.header.size() != header_.headerLength) {
        return finish(DbfStatus::failure(QStringLiteral("「%1」的表頭已和記錄的不同，沒有寫入。").arg(displayName())));
    }

    QTemporaryFile beside;
    const auto failed = [&](const QString &why) {
        return finish(
            DbfStatus::failure(QStringLiteral("無法寫入「%1」（%2），表格沒有改變。").arg(displayName(), why)));
    };
    const QString notOpened = openBeside(beside);
    if (!notOpened.isEmpty()) {
        return failed(notOpened);
    }
    if (beside.write(frame.header) != frame.header.size()) {
        return failed(beside.errorString());
    }
    const int rowsPerChunk = std::max(1, (1 << 20) / length);
    QByteArray chunk;
    for (int first = 0; first < frame.recordCount; first += rowsPerChunk) {
        const int rows = std::min(rowsPerChunk, frame.recordCount - first);
        const DbfStatus filled = fill(first, rows, chunk);
        if (!filled.ok()) {
            return finish(filled);
        }
        if (beside.write(chunk) != chunk.size()) {
            return failed(beside.errorString());
        }
        if (first / rowsPerChunk % 8 == 7 && beside.flush()) {
            startFileWriteback(beside.handle());
        }
    }
    if (beside.write(frame.tail) != frame.tail.size() || !beside.flush()) {
        return failed(beside.errorString());
    }
    const QString notPlaced = putInPlace(beside);
    if (!notPlaced.isEmpty()) {
        return failed(notPlaced);
    }
    return finish(reopenReplaced());
}
