#include "labelqueue/RowMatcher.h"

#include "components/Big5.h"

#include <QStringList>

#include <algorithm>

namespace {

using Code = unsigned;

// A byte from 0x81 on leads a two-byte character.
inline bool isLead(unsigned char byte)
{
    return byte >= 0x81 && byte != 0xFF;
}

inline Code foldAscii(unsigned char byte)
{
    return byte >= 'A' && byte <= 'Z' ? Code(byte - 'A' + 'a') : Code(byte);
}

// Big5 puts full-width 0-9 at A2AF-A2B8, A-Z at A2CF-A2E8, a-v at A2E9-A2FE
// and w-z at A340-A343.
inline Code foldWide(unsigned char lead, unsigned char trail)
{
    const Code code = Code(lead) << 8 | trail;
    if (code >= 0xA2AF && code <= 0xA2B8) {
        return '0' + (code - 0xA2AF);
    }
    if (code >= 0xA2CF && code <= 0xA2E8) {
        return 'a' + (code - 0xA2CF);
    }
    if (code >= 0xA2E9 && code <= 0xA2FE) {
        return 'a' + (code - 0xA2E9);
    }
    if (code >= 0xA340 && code <= 0xA343) {
        return 'w' + (code - 0xA340);
    }
    return code;
}

// The character at data[at] (at most end) and how many bytes it takes.
inline Code codeAt(const unsigned char *data, qsizetype at, qsizetype end, int &length)
{
    const unsigned char byte = data[at];
    if (isLead(byte) && at + 1 < end) {
        length = 2;
        return foldWide(byte, data[at + 1]);
    }
    length = 1;
    return foldAscii(byte);
}

} // namespace

RowMatcher::RowMatcher(QStringView text)
{
    const QString simplified = text.toString().simplified();
    if (simplified.isEmpty()) {
        return;
    }
    for (const QString &word : simplified.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const Big5::Encoding encoded = Big5::encode(word);
        if (!encoded.ok()) {
            words_.clear();
            problem_ = encoded.errorText();
            return;
        }
        words_.push_back(codes(encoded.bytes));
    }
}

std::vector<Code> RowMatcher::codes(QByteArrayView bytes)
{
    std::vector<Code> out;
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    for (qsizetype at = 0; at < bytes.size();) {
        int length = 1;
        out.push_back(codeAt(data, at, bytes.size(), length));
        at += length;
    }
    return out;
}

bool RowMatcher::contains(QByteArrayView value, int word) const
{
    const std::vector<Code> &needle = words_[size_t(word)];
    const auto *data = reinterpret_cast<const unsigned char *>(value.data());
    const qsizetype end = value.size();
    const Code first = needle.front();
    // Walked a character at a time, so a match can only begin where one does.
    for (qsizetype at = 0; at < end;) {
        int length = 1;
        const Code code = codeAt(data, at, end, length);
        if (code == first) {
            qsizetype next = at + length;
            size_t matched = 1;
            while (matched < needle.size() && next < end) {
                int step = 1;
                if (codeAt(data, next, end, step) != needle[matched]) {
                    break;
                }
                next += step;
                ++matched;
            }
            if (matched == needle.size()) {
                return true;
            }
        }
        at += length;
    }
    return false;
}

bool RowMatcher::holds(const std::vector<Code> &haystack, const std::vector<Code> &needle)
{
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) != haystack.end();
}

bool RowMatcher::narrows(const RowMatcher &broader) const
{
    if (!problem_.isEmpty() || !broader.problem_.isEmpty()) {
        return false;
    }
    // Each broader word lies inside one of ours, so a row holding all of ours holds all of its.
    return std::all_of(broader.words_.begin(), broader.words_.end(), [this](const std::vector<Code> &theirs) {
        return std::any_of(words_.begin(), words_.end(),
                           [&theirs](const std::vector<Code> &ours) { return holds(ours, theirs); });
    });
}
