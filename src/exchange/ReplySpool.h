#pragma once

#include "exchange/ReplyBytes.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Where a reply body is received: in memory while it is small, then in an
// unnamed file of the temporary directory, so that a reply of any size the
// disk holds costs little memory. The file has no name, so nothing is left
// behind when the program ends, however it ends.
class ReplySpool
{
public:
    static constexpr qint64 memoryBytes = qint64(4) * 1024 * 1024;

    // directory: where the file goes once the body outgrows memory.
    explicit ReplySpool(QString directory);
    ~ReplySpool();
    ReplySpool(const ReplySpool &) = delete;
    ReplySpool &operator=(const ReplySpool &) = delete;

    // A size the server announced, so a small body is reserved in one piece.
    void expect(qint64 bytes);
    // False when the bytes could not be stored; error() says why, and the
    // spool then takes nothing more.
    bool append(const char *data, qint64 size);
    qint64 size() const { return size_; }
    QString error() const { return error_; }
    // Everything received, read-only; the spool is empty again. Nothing when
    // the file cannot be read back (error() says why).
    std::optional<ReplyBytes> take();
    void clear();

private:
    bool spill();
    bool flush();
    bool fail(const QString &what, int error);

    QString directory_;
    QByteArray memory_; // the body while small, then what waits for the file
    int file_ = -1;
    qint64 size_ = 0;
    QString error_;
};
