#include "labelqueue/ExportedRows.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

constexpr char magic[] = "BLR1";
constexpr unsigned char longValue = 255;

// Writes a length and the bytes at out, which has room for them; returns the end.
char *putText(char *out, QByteArrayView text)
{
    const qsizetype size = text.size();
    if (size < longValue) {
        *out++ = char(size);
    } else {
        *out++ = char(longValue);
        qToLittleEndian(quint32(size), out);
        out += 4;
    }
    if (size > 0) {
        std::memcpy(out, text.data(), size_t(size));
    }
    return out + size;
}

// Reads packed values front to back; any read past the end leaves it failed.
class Reader
{
public:
    explicit Reader(QByteArrayView bytes)
        : bytes_(bytes)
    {}
    bool failed() const { return failed_; }
    bool atEnd() const { return at_ == bytes_.size(); }
    qsizetype at() const { return at_; }

    quint32 number()
    {
        if (!take(4)) {
            return 0;
        }
        return qFromLittleEndian<quint32>(bytes_.data() + at_ - 4);
    }
    qsizetype length()
    {
        if (!take(1)) {
            return 0;
        }
        const auto first = static_cast<unsigned char>(bytes_[at_ - 1]);
        return first < longValue ? first : qsizetype(number());
    }
    QByteArrayView text()
    {
        const qsizetype size = length();
        return take(size) ? bytes_.sliced(at_ - size, size) : QByteArrayView();
    }

private:
    bool take(qsizetype size)
    {
        if (failed_ || size > bytes_.size() - at_) {
            failed_ = true;
            return false;
        }
        at_ += size;
        return true;
    }

    QByteArrayView bytes_;
    qsizetype at_ = 0;
    bool failed_ = false;
};

} // namespace

QByteArrayView ExportedRows::value(int row, int field) const
{
    Reader reader(QByteArrayView(rows_).sliced(rowStarts_[size_t(row)]));
    for (int skipped = 0; skipped < field; ++skipped) {
        reader.text();
    }
    return reader.text();
}

std::optional<ExportedRows> ExportedRows::fromPacked(const QByteArray &packed)
{
    if (!packed.startsWith(QByteArrayView(magic, 4))) {
        return std::nullopt;
    }
    Reader reader(QByteArrayView(packed).sliced(4));
    ExportedRows rows;
    rows.settings_ = reader.text().toByteArray();
    const quint32 fields = reader.number();
    for (quint32 field = 0; field < fields && !reader.failed(); ++field) {
        rows.fieldNames_.append(reader.text().toByteArray());
    }
    const qsizetype rowsStart = 4 + reader.at();
    while (fields > 0 && !reader.failed() && !reader.atEnd()) {
        rows.rowStarts_.push_back(4 + reader.at() - rowsStart);
        for (quint32 field = 0; field < fields; ++field) {
            reader.text();
        }
    }
    if (reader.failed() || !reader.atEnd()) {
        return std::nullopt;
    }
    rows.rows_ = packed.sliced(rowsStart);
    return rows;
}

ExportedRowsPacker::ExportedRowsPacker(const QList<QByteArray> &fieldNames, const QByteArray &settings)
    : fields_(int(fieldNames.size()))
    , staging_(flushAt + 65536, Qt::Uninitialized)
{
    QByteArray head(4 + settings.size() + 5 + 4, Qt::Uninitialized);
    std::memcpy(head.data(), magic, 4);
    char *end = putText(head.data() + 4, settings);
    qToLittleEndian(quint32(fieldNames.size()), end);
    head.resize(end + 4 - head.data());
    for (const QByteArray &name : fieldNames) {
        const qsizetype at = head.size();
        head.resize(at + name.size() + 5);
        head.resize(putText(head.data() + at, name) - head.data());
    }
    packer_.add(head);
}

void ExportedRowsPacker::appendValue(QByteArrayView value)
{
    const qsizetype needed = value.size() + 5;
    if (staging_.size() - used_ < needed) {
        flush();
        if (staging_.size() < needed) {
            staging_.resize(needed);
        }
    }
    used_ = putText(staging_.data() + used_, value) - staging_.data();
}

void ExportedRowsPacker::flush()
{
    packer_.add(QByteArrayView(staging_).first(used_));
    used_ = 0;
}

QByteArray ExportedRowsPacker::finish()
{
    flush();
    return packer_.finish();
}
