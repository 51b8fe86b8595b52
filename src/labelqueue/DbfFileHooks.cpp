#include "labelqueue/DbfFileHooks.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

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
    // shapelib creates with "wb", which would empty a file already there; "x" makes that fail instead.
    QByteArray mode(access);
    if (mode.startsWith('w')) {
        mode += 'x';
    }
    FILE *fp = std::fopen(currentScope->path(), mode.constData());
    if (!fp) {
        currentScope->state()->openErrno = errno;
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
    : path_(QFile::encodeName(path))
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

QString dbfFailureReason(const DbfIoState &state)
{
    if (state.failed()) {
        return state.failure;
    }
    if (!libraryMessage.isEmpty()) {
        return QString::fromLocal8Bit(libraryMessage);
    }
    return state.openErrno != 0 ? systemError(state.openErrno) : QStringLiteral("原因不明");
}
