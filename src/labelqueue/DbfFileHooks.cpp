#include "labelqueue/DbfFileHooks.h"

#include "components/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

struct HookFile {
    FILE *fp = nullptr;
    std::shared_ptr<DbfIoState> state;
};

thread_local const DbfOpenScope *currentScope = nullptr;
thread_local QByteArray libraryMessage;

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
    if (!currentScope || !QByteArray(name).toLower().endsWith(".dbf")) {
        return nullptr;
    }
    // shapelib creates with "wb", which would empty a file already there; creating
    // only where nothing is makes that fail instead.
    const QByteArray mode(access);
    const bool update = mode.contains('+');
    const int flags =
        mode.startsWith('w') ? (update ? O_RDWR : O_WRONLY) | O_CREAT | O_EXCL : (update ? O_RDWR : O_RDONLY);
    const OpenedFile opened = openRegularFile(currentScope->fileName(), flags);
    if (!opened.ok()) {
        currentScope->state()->openFailure = opened.error;
        return nullptr;
    }
    FILE *fp = ::fdopen(opened.fd, mode.constData());
    if (!fp) {
        currentScope->state()->openFailure = systemError(errno);
        ::close(opened.fd);
        return nullptr;
    }
    // Unbuffered: a write either reaches the system or fails right there.
    std::setvbuf(fp, nullptr, _IONBF, 0);
    return reinterpret_cast<SAFile>(new HookFile{fp, currentScope->state()});
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

} // namespace

DbfOpenScope::DbfOpenScope(const QString &path, std::shared_ptr<DbfIoState> state)
    : fileName_(path)
    , path_(QFile::encodeName(path))
    , state_(std::move(state))
{
    SASetupDefaultHooks(&hooks_);
    hooks_.FOpen = openHook;
    hooks_.FRead = readHook;
    hooks_.FWrite = writeHook;
    hooks_.FSeek = seekHook;
    hooks_.FTell = tellHook;
    hooks_.FFlush = flushHook;
    hooks_.FClose = closeHook;
    hooks_.Remove = removeHook;
    hooks_.Error = errorHook;
    hooks_.Atof = atofHook;
    currentScope = this;
}

DbfOpenScope::~DbfOpenScope()
{
    currentScope = nullptr;
}

void clearDbfLibraryMessage()
{
    libraryMessage.clear();
}

int dbfFileDescriptor(DBFHandle handle)
{
    return handle ? ::fileno(hookFile(handle->fp)->fp) : -1;
}

void startDbfWriteback(DBFHandle handle)
{
    startFileWriteback(::fileno(hookFile(handle->fp)->fp));
}

void startFileWriteback(int fd)
{
#ifdef __linux__
    ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
#else
    Q_UNUSED(fd);
#endif
}

QString syncDbfFile(DBFHandle handle)
{
    HookFile *f = hookFile(handle->fp);
    if (std::fflush(f->fp) != 0 || ::fsync(::fileno(f->fp)) != 0) {
        const QString error = systemError(errno);
        f->state->fail(error);
        return error;
    }
    return QString();
}

QString dbfFailureReason(const DbfIoState &state)
{
    if (state.failed()) {
        return state.failure;
    }
    if (!state.openFailure.isEmpty()) {
        return state.openFailure;
    }
    if (!libraryMessage.isEmpty()) {
        return QString::fromLocal8Bit(libraryMessage);
    }
    return QStringLiteral("原因不明");
}
