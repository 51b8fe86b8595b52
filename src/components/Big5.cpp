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

// The end-user-defined areas, which shops use for rare characters in names.
// Windows code page 950 maps them in order onto the private use area; the
// platform's converter may not, so they are mapped here as Windows does.
struct UserArea {
    uchar firstLead;
    uchar lastLead;
    int firstOrdinal; // of the first lead byte's first trail byte
    char16_t firstUnit;
};
constexpr int trailsPerLead = 157;
constexpr UserArea userAreas[] = {
    {0xFA, 0xFE, 0, 0xE000},
    {0x8E, 0xA0, 0, 0xE311},
    {0x81, 0x8D, 0, 0xEEB8},
    {0xC6, 0xC8, 63, 0xF6B1}, // from 0xC6A1: 0xC640-0xC67E are common characters
};

// Trail bytes 0x40-0x7E then 0xA1-0xFE count 0 to 156; -1 for any other byte.
int trailOrdinal(uchar trail)
{
    if (trail >= 0x40 && trail <= 0x7E) {
        return trail - 0x40;
    }
    if (trail >= 0xA1 && trail <= 0xFE) {
        return trail - 0xA1 + 63;
    }
    return -1;
}

char16_t userDefinedUnit(uchar lead, uchar trail)
{
    const int ordinal = trailOrdinal(trail);
    for (const UserArea &area : userAreas) {
        if (ordinal >= 0 && lead >= area.firstLead && lead <= area.lastLead &&
            (lead > area.firstLead || ordinal >= area.firstOrdinal)) {
            return char16_t(area.firstUnit + (lead - area.firstLead) * trailsPerLead + ordinal - area.firstOrdinal);
        }
    }
    return 0;
}

// The two bytes of a private use character in the areas above; empty otherwise.
QByteArray userDefinedBytes(char16_t unit)
{
    for (const UserArea &area : userAreas) {
        const int span = (area.lastLead - area.firstLead + 1) * trailsPerLead - area.firstOrdinal;
        const int offset = int(unit) - int(area.firstUnit);
        if (offset >= 0 && offset < span) {
            const int position = offset + area.firstOrdinal;
            const int ordinal = position % trailsPerLead;
            const char lead = char(area.firstLead + position / trailsPerLead);
            const char trail = char(ordinal < 63 ? 0x40 + ordinal : 0xA1 + ordinal - 63);
            const char pair[] = {lead, trail};
            return QByteArray(pair, 2);
        }
    }
    return {};
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
    while (iconv(cd, &in, &inLeft, &out, &outLeft) == size_t(-1)) {
        const qsizetype index = text.size() - qsizetype(inLeft / 2);
        const QByteArray userDefined = userDefinedBytes(text.at(index).unicode());
        if (!userDefined.isEmpty()) {
            memcpy(out, userDefined.constData(), 2);
            out += 2;
            outLeft -= 2;
            in += 2;
            inLeft -= 2;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            continue;
        }
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
        // A user-defined pair takes two bytes; each other undecodable byte
        // becomes one replacement character. Either fits, as two output bytes
        // were counted for each input byte.
        const char16_t userDefined = inLeft >= 2 ? userDefinedUnit(uchar(in[0]), uchar(in[1])) : 0;
        const char16_t unit = userDefined ? userDefined : char16_t(0xFFFD);
        const size_t used = userDefined ? 2 : 1;
        memcpy(out, &unit, 2);
        out += 2;
        outLeft -= 2;
        in += used;
        inLeft -= used;
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
