#include "labelqueue/Packing.h"

#include <algorithm>
#include <zstd.h>

namespace {

bool isZstdFrame(const QByteArray &stored)
{
    return stored.size() >= 4 && static_cast<unsigned char>(stored[0]) == 0x28 &&
           static_cast<unsigned char>(stored[1]) == 0xB5 && static_cast<unsigned char>(stored[2]) == 0x2F &&
           static_cast<unsigned char>(stored[3]) == 0xFD;
}

std::optional<QByteArray> unpackZstd(const QByteArray &stored)
{
    ZSTD_DCtx *context = ZSTD_createDCtx();
    if (!context) {
        return std::nullopt;
    }
    QByteArray bytes;
    qsizetype used = 0;
    ZSTD_inBuffer in{stored.constData(), size_t(stored.size()), 0};
    size_t left = 1;
    while (left != 0) {
        if (bytes.size() - used < qsizetype(ZSTD_DStreamOutSize())) {
            bytes.resize(std::max(2 * bytes.size(), used + qsizetype(ZSTD_DStreamOutSize())));
        }
        ZSTD_outBuffer out{bytes.data() + used, size_t(bytes.size() - used), 0};
        left = ZSTD_decompressStream(context, &out, &in);
        used += qsizetype(out.pos);
        // Damaged: an error, or input ended inside the frame.
        if (ZSTD_isError(left) || (left != 0 && in.pos == in.size && out.pos < out.size)) {
            ZSTD_freeDCtx(context);
            return std::nullopt;
        }
    }
    ZSTD_freeDCtx(context);
    bytes.resize(used);
    return bytes;
}

} // namespace

namespace Packing {

Packer::Packer()
    : context_(ZSTD_createCCtx())
    , failed_(context_ == nullptr)
{
    if (context_) {
        ZSTD_CCtx_setParameter(context_, ZSTD_c_compressionLevel, 1);
    }
}

Packer::~Packer()
{
    ZSTD_freeCCtx(context_);
}

void Packer::run(QByteArrayView bytes, bool end)
{
    ZSTD_inBuffer in{bytes.data(), size_t(bytes.size()), 0};
    size_t left = 1;
    while (!failed_ && (in.pos < in.size || (end && left != 0))) {
        if (packed_.size() - used_ < qsizetype(ZSTD_CStreamOutSize())) {
            packed_.resize(std::max(2 * packed_.size(), used_ + qsizetype(ZSTD_CStreamOutSize())));
        }
        ZSTD_outBuffer out{packed_.data() + used_, size_t(packed_.size() - used_), 0};
        left = ZSTD_compressStream2(context_, &out, &in, end ? ZSTD_e_end : ZSTD_e_continue);
        used_ += qsizetype(out.pos);
        failed_ = ZSTD_isError(left);
    }
}

void Packer::add(QByteArrayView bytes)
{
    run(bytes, false);
}

QByteArray Packer::finish()
{
    run({}, true);
    if (failed_) {
        return {};
    }
    packed_.resize(used_);
    return std::move(packed_);
}

QByteArray pack(QByteArrayView bytes)
{
    Packer packer;
    packer.add(bytes);
    return packer.finish();
}

std::optional<QByteArray> unpack(const QByteArray &stored)
{
    if (isZstdFrame(stored)) {
        if (std::optional<QByteArray> bytes = unpackZstd(stored)) {
            return bytes;
        }
    }
    // Kept by an earlier version; a damaged one reads as empty.
    QByteArray bytes = qUncompress(stored);
    if (bytes.isEmpty() && !stored.isEmpty()) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace Packing
