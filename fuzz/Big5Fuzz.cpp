// Decode, encode, compare: bytes that decode come back unchanged, and text
// that encodes decodes to text that encodes to the same bytes again.
#include "FuzzCheck.h"
#include "components/Big5.h"

#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

// Code page 950 gives these ten codes the character of another code, so
// they come back as that code: the same character, which Unicode has only once.
struct SharedCharacter {
    quint16 code;
    quint16 canonical;
};
constexpr SharedCharacter sharedCharacters[] = {
    {0xA2CC, 0xA451}, {0xA2CE, 0xA4CA}, {0xF9E9, 0xA2A5}, {0xF9EA, 0xA2A6}, {0xF9EB, 0xA2A7},
    {0xF9F9, 0xA2A4}, {0xF9FA, 0xA27E}, {0xF9FB, 0xA2A1}, {0xF9FC, 0xA2A2}, {0xF9FD, 0xA2A3},
};

// bytes, which decode without a replacement character, with each shared code as its canonical one.
QByteArray canonicalCodes(const QByteArray &bytes)
{
    QByteArray result = bytes;
    for (qsizetype i = 0; i < result.size(); ++i) {
        const uchar lead = uchar(result.at(i));
        if (lead < 0x81 || lead > 0xFE || i + 1 >= result.size()) {
            continue;
        }
        const quint16 code = quint16(lead << 8 | uchar(result.at(i + 1)));
        for (const SharedCharacter &shared : sharedCharacters) {
            if (shared.code == code) {
                result[i] = char(shared.canonical >> 8);
                result[i + 1] = char(shared.canonical & 0xFF);
            }
        }
        ++i;
    }
    return result;
}

void checkDecodeEncode(const QByteArray &bytes)
{
    const QString text = Big5::decode(bytes);
    FUZZ_CHECK(text.size() <= bytes.size(), hexOf(bytes));
    if (text.contains(QChar::ReplacementCharacter)) {
        return;
    }
    const Big5::Encoding encoded = Big5::encode(text);
    FUZZ_CHECK(encoded.ok(), hexOf(bytes) + QStringLiteral(" -> ") + encoded.errorText());
    FUZZ_CHECK(encoded.bytes == canonicalCodes(bytes), hexOf(bytes) + QStringLiteral(" -> ") + hexOf(encoded.bytes));
}

void checkEncodeDecode(const QByteArray &utf16)
{
    const QString text(reinterpret_cast<const QChar *>(utf16.constData()), utf16.size() / 2);
    const Big5::Encoding encoded = Big5::encode(text);
    if (!encoded.ok()) {
        FUZZ_CHECK(encoded.badIndex >= 0 && encoded.badIndex < text.size(), hexOf(utf16));
        FUZZ_CHECK(Big5::canEncode(QStringView(text).first(encoded.badIndex)), hexOf(utf16));
        FUZZ_CHECK(!Big5::canEncode(encoded.badCharacter), hexOf(utf16));
        FUZZ_CHECK(!encoded.errorText().isEmpty(), hexOf(utf16));
        return;
    }
    const QString decoded = Big5::decode(encoded.bytes);
    FUZZ_CHECK(!decoded.contains(QChar::ReplacementCharacter) || text.contains(QChar::ReplacementCharacter),
               hexOf(utf16));
    const Big5::Encoding again = Big5::encode(decoded);
    FUZZ_CHECK(again.ok() && again.bytes == encoded.bytes, hexOf(utf16));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    checkDecodeEncode(bytes);
    checkEncodeDecode(bytes);
    return 0;
}
