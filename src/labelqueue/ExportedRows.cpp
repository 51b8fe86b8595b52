#include "labelqueue/ExportedRows.h"

#include <QtEndian>

namespace {

constexpr char magic[] = "BLR1";
constexpr unsigned char longValue = 255;

void appendLength(QByteArray &out, qsizetype length)
{
    if (length < longValue) {
        out.append(char(length));
        return;
    }
    char wide[4];
    qToLittleEndian(quint32(length), wide);
    out.append(char(longValue));
    out.append(wide, 4);
}

void appendText(QByteArray &out, QByteArrayView text)
{
    appendLength(out, text.size());
    out.append(text);
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

ExportedRows::ExportedRows(QList<QByteArray> fieldNames, QByteArray settings)
    : fieldNames_(std::move(fieldNames))
    , settings_(std::move(settings))
{}

void ExportedRows::appendValue(QByteArrayView value)
{
    appendText(rows_, value);
}

QByteArrayView ExportedRows::value(int row, int field) const
{
    Reader reader(QByteArrayView(rows_).sliced(rowStarts_[size_t(row)]));
    for (int skipped = 0; skipped < field; ++skipped) {
        reader.text();
    }
    return reader.text();
}

QByteArray ExportedRows::packed() const
{
    QByteArray out(magic, 4);
    appendText(out, settings_);
    char number[4];
    qToLittleEndian(quint32(fieldNames_.size()), number);
    out.append(number, 4);
    for (const QByteArray &name : fieldNames_) {
        appendText(out, name);
    }
    qToLittleEndian(quint32(rowStarts_.size()), number);
    out.append(number, 4);
    out.append(rows_);
    return out;
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
    const quint32 count = reader.number();
    if (fields == 0 && count > 0) {
        return std::nullopt;
    }
    const qsizetype rowsStart = 4 + reader.at();
    for (quint32 row = 0; row < count && !reader.failed(); ++row) {
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
