// Parse, set a key, write, parse again: the key reads back as written and
// every other line of the settings text survives byte for byte.
#include "FuzzCheck.h"
#include "FuzzScratch.h"
#include "components/IniText.h"
#include "components/ProfileFile.h"

#include <QFile>
#include <QList>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <utility>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

QByteArray blankTrimmed(const QByteArray &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin))) {
        ++begin;
    }
    while (end > begin && isBlank(text.at(end - 1))) {
        --end;
    }
    return text.mid(begin, end - begin);
}

// Every section and key name the text holds, read the plain way: a line
// starting with '[' and holding a later ']' names a section; a line in a
// section that is no comment and holds '=' names a key.
QList<std::pair<QByteArray, QByteArray>> keysOf(const QByteArray &text)
{
    QList<std::pair<QByteArray, QByteArray>> keys;
    std::optional<QByteArray> section;
    for (const QByteArray &rawLine : text.split('\n')) {
        const QByteArray line = blankTrimmed(rawLine);
        const qsizetype closing = line.lastIndexOf(']');
        if (line.startsWith('[') && closing > 0) {
            section = line.mid(1, closing - 1);
        } else if (section && !line.isEmpty() && !line.startsWith(';') && line.contains('=')) {
            keys.append({*section, line.left(line.indexOf('='))});
        }
    }
    return keys;
}

void checkReadBack(const QByteArray &stored, const QByteArray &value, const QByteArray &context)
{
    const QByteArray expected = blankTrimmed(value);
    if (expected.size() <= IniText::MaxValueBytes) {
        FUZZ_CHECK(stored == expected, hexOf(context));
    } else {
        FUZZ_CHECK(expected.startsWith(stored) && stored.size() >= IniText::MaxValueBytes - 1, hexOf(context));
    }
}

void checkFile(const QByteArray &text, const QByteArray &section, const QByteArray &key, const QByteArray &value,
               const QByteArray &expected)
{
    const QString path = fuzzScratchPath(QStringLiteral("FUZZ.INI"));
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size(), path);
    file.close();

    ProfileFile ini;
    ini.setNotifier({});
    ini.setFileName(path);
    ini.setSection(section);
    ini.setIdent(key);
    ini.setDataType(DsString);
    ini.setValue(value);
    const bool stored = ini.WriteValue();
    FUZZ_CHECK(stored == !expected.isNull(), ini.errorString());
    FUZZ_CHECK(file.open(QIODevice::ReadOnly), path);
    const QByteArray written = file.readAll();
    FUZZ_CHECK(written == (stored ? expected : text), hexOf(written));
    if (stored) {
        ini.setValue(QVariant());
        // A stored text equal to the missing-value sentinel reads as missing, by design.
        FUZZ_CHECK(ini.ReadValue() == (blankTrimmed(value) != ProfileFile::MissingString),
                   hexOf(section) + QStringLiteral(" / ") + hexOf(key));
        checkReadBack(ini.Value().toByteArray(), value, key);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const QByteArray section = QByteArray::fromStdString(input.ConsumeRandomLengthString(24));
    const QByteArray key = QByteArray::fromStdString(input.ConsumeRandomLengthString(24));
    const QByteArray value = QByteArray::fromStdString(input.ConsumeRandomLengthString(4096));
    const QByteArray text = QByteArray::fromStdString(input.ConsumeRemainingBytesAsString());

    QList<std::pair<QByteArray, std::optional<QByteArray>>> before;
    for (const auto &[otherSection, otherKey] : keysOf(text)) {
        const bool same = IniText::sameName(otherSection, section) && IniText::sameName(otherKey, key);
        if (!same) {
            before.append({otherSection + '\n' + otherKey, IniText::lookup(text, otherSection, otherKey)});
        }
    }
    const bool storable = IniText::entryProblem(section, key, value).isEmpty();
    if (!storable) {
        checkFile(text, section, key, value, QByteArray());
        return 0;
    }
    const QByteArray after = IniText::assign(text, section, key, value);

    const std::optional<QByteArray> stored = IniText::lookup(after, section, key);
    FUZZ_CHECK(stored.has_value(), hexOf(after));
    checkReadBack(*stored, value, after);

    // One stretch of one line changed, or lines were added: the bytes before
    // and after it are the old text's.
    const qsizetype shorter = std::min(text.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && text.at(prefix) == after.at(prefix)) {
        ++prefix;
    }
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && text.at(text.size() - 1 - suffix) == after.at(after.size() - 1 - suffix)) {
        ++suffix;
    }
    FUZZ_CHECK(!text.mid(prefix, text.size() - prefix - suffix).contains('\n'), hexOf(after));

    for (const auto &[names, old] : before) {
        const QList<QByteArray> parts = names.split('\n');
        FUZZ_CHECK(IniText::lookup(after, parts.at(0), parts.at(1)) == old,
                   hexOf(names) + QStringLiteral(" in ") + hexOf(after));
    }
    checkFile(text, section, key, value, after);
    return 0;
}
