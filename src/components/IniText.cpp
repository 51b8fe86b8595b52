#include "components/IniText.h"

#include "components/Big5.h"

#include <cstring>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool isLeadByte(char c)
{
    return static_cast<unsigned char>(c) >= 0x81;
}

char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// [begin, end) without the blanks at either side.
void trim(const QByteArray &text, qsizetype &begin, qsizetype &end)
{
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
}

QByteArray trimmed(const QByteArray &text, qsizetype begin, qsizetype end)
{
    trim(text, begin, end);
    return text.mid(begin, end - begin);
}

// Index of c within [begin, end) of text, or -1; kept inside one line so a
// large file is read in one pass.
qsizetype indexIn(const QByteArray &text, char c, qsizetype begin, qsizetype end)
{
    const void *hit = std::memchr(text.constData() + begin, c, size_t(end - begin));
    return hit ? static_cast<const char *>(hit) - text.constData() : -1;
}

qsizetype lastIndexIn(const QByteArray &text, char c, qsizetype begin, qsizetype end)
{
    for (qsizetype i = end - 1; i >= begin; --i) {
        if (text[i] == c) {
            return i;
        }
    }
    return -1;
}

struct Position {
    // The key's line: where its value starts (after the blanks that follow '=')
    // and where the line ends (before its line end).
    qsizetype valueBegin = -1;
    qsizetype lineEnd = -1;
    // Just after the last non-blank line of the section's first occurrence.
    qsizetype sectionTail = -1;
};

Position find(const QByteArray &text, const QByteArray &section, const QByteArray &key)
{
    Position found;
    bool inSection = false;
    bool inFirstOccurrence = false;
    for (qsizetype lineBegin = 0; lineBegin < text.size();) {
        const qsizetype newline = indexIn(text, '\n', lineBegin, text.size());
        const qsizetype next = newline < 0 ? text.size() : newline + 1;
        qsizetype lineEnd = newline < 0 ? text.size() : newline;
        if (lineEnd > lineBegin && text[lineEnd - 1] == '\r') {
            --lineEnd;
        }
        qsizetype begin = lineBegin;
        qsizetype end = lineEnd;
        trim(text, begin, end);
        const qsizetype closing = begin < end && text[begin] == '[' ? lastIndexIn(text, ']', begin, end) : -1;
        if (closing > begin) {
            inSection = IniText::sameName(trimmed(text, begin + 1, closing), section);
            inFirstOccurrence = inSection && found.sectionTail < 0;
            if (inFirstOccurrence) {
                found.sectionTail = next;
            }
        } else if (inSection && begin < end) {
            if (inFirstOccurrence) {
                found.sectionTail = next;
            }
            const qsizetype equals = indexIn(text, '=', begin, end);
            if (text[begin] != ';' && equals >= 0 && IniText::sameName(trimmed(text, begin, equals), key)) {
                qsizetype valueBegin = equals + 1;
                qsizetype valueEnd = end;
                trim(text, valueBegin, valueEnd);
                found.valueBegin = valueBegin;
                found.lineEnd = lineEnd;
                return found;
            }
        }
        lineBegin = next;
    }
    return found;
}

} // namespace

namespace IniText {

bool sameName(const QByteArray &a, const QByteArray &b)
{
    QByteArray left = a.trimmed();
    QByteArray right = b.trimmed();
    if (left.size() != right.size()) {
        return false;
    }
    for (qsizetype i = 0; i < left.size(); ++i) {
        if (isLeadByte(left[i]) && i + 1 < left.size()) {
            if (left[i] != right[i] || left[i + 1] != right[i + 1]) {
                return false;
            }
            ++i;
        } else if (asciiUpper(left[i]) != asciiUpper(right[i])) {
            return false;
        }
    }
    return true;
}

std::optional<QByteArray> lookup(const QByteArray &text, const QByteArray &section, const QByteArray &key)
{
    const Position found = find(text, section, key);
    if (found.valueBegin < 0) {
        return std::nullopt;
    }
    qsizetype begin = found.valueBegin;
    qsizetype end = found.lineEnd;
    trim(text, begin, end);
    if (end - begin > MaxValueBytes) {
        end = begin + MaxValueBytes;
        // Do not hand back half of a double-byte character.
        for (qsizetype i = begin; i < end; ++i) {
            if (isLeadByte(text[i]) && ++i == end) {
                --end;
            }
        }
    }
    return text.mid(begin, end - begin);
}

QString entryProblem(const QByteArray &section, const QByteArray &key, const QByteArray &value)
{
    const auto breaksLine = [](const QByteArray &bytes) {
        return bytes.contains('\r') || bytes.contains('\n') || bytes.contains('\0');
    };
    if (breaksLine(section) || breaksLine(key) || breaksLine(value)) {
        return QStringLiteral("設定值含有換行字元, 無法寫入");
    }
    if (section.trimmed().isEmpty() || key.trimmed().isEmpty()) {
        return QStringLiteral("設定的區段或名稱是空的");
    }
    const QByteArray name = key.trimmed();
    if (name.contains('=') || name.startsWith('[') || name.startsWith(';')) {
        return QStringLiteral("設定名稱 %1 不可含 = 或以 [ ; 開頭").arg(Big5::decode(name));
    }
    return QString();
}

QByteArray assign(const QByteArray &text, const QByteArray &section, const QByteArray &key, const QByteArray &value)
{
    const Position found = find(text, section, key);
    QByteArray result = text;
    if (found.valueBegin >= 0) {
        return result.replace(found.valueBegin, found.lineEnd - found.valueBegin, value);
    }
    const QByteArray keyLine = key.trimmed() + '=' + value + "\r\n";
    qsizetype at = found.sectionTail >= 0 ? found.sectionTail : text.size();
    QByteArray insertion;
    if (at == text.size() && !text.isEmpty() && !text.endsWith('\n')) {
        insertion += "\r\n";
    }
    if (found.sectionTail < 0) {
        insertion += '[' + section.trimmed() + "]\r\n";
    }
    insertion += keyLine;
    return result.insert(at, insertion);
}

} // namespace IniText
