#include "components/Big5.h"

#include <QtGlobal>

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace Big5 {
namespace {

// iconv_open is costly next to a short conversion; each thread keeps one
// descriptor per direction and resets it before use.
class Converter
{
public:
    Converter(const char *to, const char *from)
        : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            qFatal("iconv cannot convert %s to %s", from, to);
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    iconv_t reset()
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        return cd_;
    }

private:
    iconv_t cd_;
};

iconv_t toBig5()
{
    thread_local Converter converter("CP950", "UTF-16LE");
    return converter.reset();
}

iconv_t fromBig5()
{
    thread_local Converter converter("UTF-16LE", "CP950");
    return converter.reset();
}

} // namespace

QString Encoding::errorText() const
{
    if (ok()) {
        return {};
    }
    return QStringLiteral("「%1」無法以 Big5 表示").arg(badCharacter);
}

Encoding encode(QStringView text)
{
    Encoding result;
    if (text.isEmpty()) {
        return result;
    }
    iconv_t cd = toBig5();
    // A Big5 character never takes more bytes than its UTF-16 form.
    result.bytes.resize(text.size() * 2);
    char *in = reinterpret_cast<char *>(const_cast<QChar *>(text.data()));
    size_t inLeft = size_t(text.size()) * 2;
    char *out = result.bytes.data();
    size_t outLeft = size_t(result.bytes.size());
    if (iconv(cd, &in, &inLeft, &out, &outLeft) == size_t(-1)) {
        const qsizetype index = text.size() - qsizetype(inLeft / 2);
        const bool pair = index + 1 < text.size() && text.at(index).isHighSurrogate();
        result.badIndex = index;
        result.badCharacter = text.mid(index, pair ? 2 : 1).toString();
        result.bytes.clear();
        return result;
    }
    result.bytes.truncate(result.bytes.size() - qsizetype(outLeft));
    return result;
}

bool canEncode(QStringView text)
{
    return encode(text).ok();
}

QByteArray fromUtf8Literal(const char *utf8)
{
    const Encoding encoded = encode(QString::fromUtf8(utf8));
    Q_ASSERT_X(encoded.ok(), "Big5::fromUtf8Literal", utf8);
    return encoded.bytes;
}

QString decode(const char *data, qsizetype size)
{
    QString result;
    if (size <= 0) {
        return result;
    }
    iconv_t cd = fromBig5();
    result.resize(size);
    char *in = const_cast<char *>(data);
    size_t inLeft = size_t(size);
    char *outStart = reinterpret_cast<char *>(result.data());
    char *out = outStart;
    size_t outLeft = size_t(size) * 2;
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &out, &outLeft) != size_t(-1)) {
            break;
        }
        if (errno != EILSEQ && errno != EINVAL) {
            break;
        }
        // Each undecodable byte becomes one replacement character; the two
        // bytes of the replacement fit because the byte itself was counted.
        const char16_t replacement = 0xFFFD;
        memcpy(out, &replacement, 2);
        out += 2;
        outLeft -= 2;
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    result.truncate(qsizetype(out - outStart) / 2);
    return result;
}

QString decode(const QByteArray &bytes)
{
    return decode(bytes.constData(), bytes.size());
}

} // namespace Big5
