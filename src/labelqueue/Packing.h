#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

struct ZSTD_CCtx_s;

// Compression for what the program keeps in its own files: fast enough to
// run beside every export of 100,000 rows, and fed as the bytes come, so a
// large export is never held whole.
namespace Packing {

class Packer
{
public:
    Packer();
    ~Packer();
    Packer(const Packer &) = delete;
    Packer &operator=(const Packer &) = delete;

    void add(QByteArrayView bytes);
    // The packed bytes; empty when packing failed (no memory).
    QByteArray finish();

private:
    void run(QByteArrayView bytes, bool end);

    ZSTD_CCtx_s *context_;
    QByteArray packed_;
    qsizetype used_ = 0;
    bool failed_ = false;
};

QByteArray pack(QByteArrayView bytes);
// Reads what a Packer made, and what earlier versions kept with qCompress; empty when damaged.
std::optional<QByteArray> unpack(const QByteArray &stored);

} // namespace Packing
