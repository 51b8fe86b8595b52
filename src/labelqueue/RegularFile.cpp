#include "labelqueue/RegularFile.h"

#include <QFile>
#include <QFileInfo>

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
    return QStringLiteral("不是一般檔案，而是%1，不能當作表格開啟").arg(fileKindText(mode));
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
