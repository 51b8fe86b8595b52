#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <memory>

// A received reply body, read-only and shared by its copies: either bytes in
// memory or a private read-only mapping of the spool file it was received in.
class ReplyBytes
{
public:
    ReplyBytes() = default;
    explicit ReplyBytes(QByteArray bytes);
    // Takes over a mapping of size bytes; unmapped when the last copy goes.
    static ReplyBytes mapped(const char *data, qint64 size);

    const char *data() const { return data_; }
    qint64 size() const { return size_; }
    QByteArrayView view() const { return QByteArrayView(data_, size_); }
    bool isMapped() const;

    // The bytes from `from` to `to` will not be read again soon: a mapping gives
    // their whole pages back to the page cache, so walking a huge reply keeps
    // memory flat. Reading them later is still correct, only slower.
    void forget(qint64 from, qint64 to) const;

private:
    struct Storage;
    std::shared_ptr<const Storage> storage_;
    const char *data_ = "";
    qint64 size_ = 0;
};
