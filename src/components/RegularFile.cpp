#include "components/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

FileStamp stampFrom(const struct stat &info)
{
    return FileStamp{info.st_dev, info.st_ino, info.st_size,
                     qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

QString notRegular(mode_t mode)
{
    return QStringLiteral("不是一般檔案，而是%1").arg(fileKindText(mode));
}

} // namespace

QString fileKindText(mode_t mode)
{
    if (S_ISDIR(mode)) {
        return QStringLiteral("目錄");
    }
    if (S_ISFIFO(mode)) {
        return QStringLiteral("具名管道（FIFO）");
    }
    if (S_ISCHR(mode)) {
        return QStringLiteral("字元裝置");
    }
    if (S_ISBLK(mode)) {
        return QStringLiteral("區塊裝置");
    }
    if (S_ISSOCK(mode)) {
        return QStringLiteral("通訊端（socket）");
    }
    return S_ISREG(mode) ? QStringLiteral("一般檔案") : QStringLiteral("特殊檔案");
}

OpenedFile openRegularFile(const QString &path, int flags)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info;
    // Looking first spares a device the open; a FIFO would hold a plain open until a writer came.
    if (::stat(native.constData(), &info) == 0 && !S_ISREG(info.st_mode)) {
        return OpenedFile{-1, notRegular(info.st_mode)};
    }
    const int fd = ::open(native.constData(), flags | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) {
        return OpenedFile{-1, systemError(errno)};
    }
    // The name may have been given to something else between the look and the open.
    if (::fstat(fd, &info) != 0) {
        const QString error = systemError(errno);
        ::close(fd);
        return OpenedFile{-1, error};
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return OpenedFile{-1, notRegular(info.st_mode)};
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return OpenedFile{fd, QString()};
}

bool stampOf(int fd, FileStamp &stamp)
{
    struct stat info;
    if (::fstat(fd, &info) != 0) {
        return false;
    }
    stamp = stampFrom(info);
    return true;
}

bool stampAt(const QString &path, FileStamp &stamp)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return false;
    }
    stamp = stampFrom(info);
    return true;
}

bool syncDirectoryOf(const QString &path)
{
    const QByteArray directory = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

namespace {

// Reads the file's first bytes, the whole of it when it holds no more than
// sizeLimit bytes (or the first `count` when count is not negative).
RegularFileBytes readOpened(const QString &path, qint64 sizeLimit, qsizetype count)
{
    RegularFileBytes result;
    const OpenedFile opened = openRegularFile(path, O_RDONLY);
    if (!opened.ok()) {
        result.missing = !QFileInfo::exists(path) && !QFileInfo(path).isSymLink();
        result.error = opened.error;
        return result;
    }
    struct stat info;
    if (::fstat(opened.fd, &info) != 0) {
        result.error = systemError(errno);
    } else if (count < 0 && info.st_size > sizeLimit) {
        result.error = QStringLiteral("檔案有 %1 位元組，超過上限 %2").arg(info.st_size).arg(sizeLimit);
    } else {
        result.bytes.resize(count < 0 ? qsizetype(info.st_size) : std::min<qsizetype>(count, info.st_size));
        qsizetype done = 0;
        while (done < result.bytes.size()) {
            const ssize_t got = ::read(opened.fd, result.bytes.data() + done, size_t(result.bytes.size() - done));
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                result.error = got < 0 ? systemError(errno) : QStringLiteral("讀取時檔案變短");
                break;
            }
            done += got;
        }
    }
    ::close(opened.fd);
    if (!result.ok()) {
        result.bytes.clear();
    }
    return result;
}

} // namespace

RegularFileBytes readRegularFile(const QString &path, qint64 sizeLimit)
{
    return readOpened(path, sizeLimit, -1);
}

RegularFileBytes readRegularFileStart(const QString &path, qsizetype count)
{
    return readOpened(path, 0, count);
}

QString writeWholeFile(QSaveFile &file, QByteArrayView bytes)
{
    // The bytes go to the system in one call with no buffer of Qt's own, so a
    // short write on a full disk is seen here and not lost in a flush at close.
    errno = 0;
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        const QString error = errno != 0 ? systemError(errno) : file.errorString();
        file.cancelWriting();
        file.commit();
        return error;
    }
    if (::fsync(file.handle()) != 0) {
        const QString error = systemError(errno);
        file.cancelWriting();
        file.commit();
        return error;
    }
    if (!file.commit()) {
        return file.errorString();
    }
    syncDirectoryOf(file.fileName());
    return QString();
}
