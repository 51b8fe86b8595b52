#include "components/ProfileFile.h"

#include "components/Big5.h"
#include "components/CaseInsensitivePath.h"
#include "components/IniText.h"
#include "components/RegularFile.h"

#include <QDebug>
#include <QFileInfo>
#include <QSaveFile>

#include <cctype>
#include <limits>
#include <optional>

const QByteArray ProfileFile::missingString = QByteArrayLiteral("__@#!%$^");
const QString ProfileFile::parameterErrorText = QStringLiteral("FileName or Section 參數錯誤");

namespace {

// Far above any settings file the program writes; a larger one is not ours.
constexpr qint64 settingsSizeLimit = qint64(1) << 20;

bool allOf(const QByteArray &text, qsizetype from, bool (*accept)(char))
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (!accept(text[i])) {
            return false;
        }
    }
    return from < text.size();
}

// Decimal, or hexadecimal after "0x"/"0X" (a 32-bit pattern, so 0xFFFFFFFF is
// -1); anything else is no integer.
std::optional<int> parseInteger(const QByteArray &text)
{
    bool ok = false;
    if (text.size() > 2 && (text.startsWith("0x") || text.startsWith("0X"))) {
        const auto isHex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
        const qulonglong value = allOf(text, 2, isHex) ? text.mid(2).toULongLong(&ok, 16) : 0;
        return ok && value <= 0xFFFFFFFFULL ? std::optional<int>(static_cast<qint32>(static_cast<quint32>(value)))
                                            : std::nullopt;
    }
    const qsizetype digitsFrom = text.startsWith('-') || text.startsWith('+') ? 1 : 0;
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const qlonglong value = allOf(text, digitsFrom, isDigit) ? text.toLongLong(&ok, 10) : 0;
    return ok && value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max()
               ? std::optional<int>(int(value))
               : std::nullopt;
}

const QByteArray utf8ByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

// Notepad and many editors save settings as UTF-8 behind a byte-order mark;
// the program's settings are Big5. A character Big5 cannot hold reads as '?'.
QByteArray readableAsBig5(const QByteArray &stored)
{
    if (!stored.startsWith(utf8ByteOrderMark)) {
        return stored;
    }
    const QString text = QString::fromUtf8(stored.mid(utf8ByteOrderMark.size()));
    QByteArray big5;
    big5.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const Big5::Encoding one = Big5::encode(QStringView(text).mid(i, length));
        big5 += one.ok() ? one.bytes : QByteArrayLiteral("?");
        i += length;
    }
    return big5;
}

int storedInteger(const std::optional<QByteArray> &stored, int fallback)
{
    const std::optional<int> number = stored ? parseInteger(*stored) : std::nullopt;
    return number.value_or(fallback);
}

std::optional<int> integerOf(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        bool ok = false;
        const int number = value.toInt(&ok);
        return ok && value.toLongLong() == number ? std::optional<int>(number) : std::nullopt;
    }
    case QMetaType::QByteArray:
        return parseInteger(value.toByteArray().trimmed());
    case QMetaType::QString:
        return parseInteger(value.toString().trimmed().toLatin1());
    default:
        return std::nullopt;
    }
}

std::optional<bool> booleanOf(const QVariant &value)
{
    if (value.typeId() == QMetaType::QByteArray || value.typeId() == QMetaType::QString) {
        const QByteArray text = value.toByteArray().trimmed().toLower();
        if (text == "true" || text == "false") {
            return text == "true";
        }
    }
    const std::optional<int> number = integerOf(value);
    return number ? std::optional<bool>(*number != 0) : std::nullopt;
}

// The bytes to store for value as type, or the reason it cannot be stored.
std::optional<QByteArray> storedText(ProfileValueType type, const QVariant &value, QString &reason)
{
    if (type == ProfileValueType::Boolean) {
        const std::optional<bool> flag = booleanOf(value);
        if (flag) {
            return QByteArray(*flag ? "1" : "0");
        }
    } else if (type == ProfileValueType::Integer) {
        const std::optional<int> number = integerOf(value);
        if (number) {
            return QByteArray::number(*number);
        }
    } else if (value.typeId() == QMetaType::QByteArray) {
        return value.toByteArray();
    } else if (value.typeId() == QMetaType::QString) {
        const Big5::Encoding encoded = Big5::encode(value.toString());
        if (encoded.ok()) {
            return encoded.bytes;
        }
        reason = encoded.errorText();
        return std::nullopt;
    } else if (value.typeId() == QMetaType::Bool) {
        return QByteArray(value.toBool() ? "1" : "0");
    } else if (const std::optional<int> number = integerOf(value)) {
        return QByteArray::number(*number);
    }
    static const char *const typeNames[] = {"布林值", "整數", "文字"};
    const QString shown =
        value.typeId() == QMetaType::QByteArray ? Big5::decode(value.toByteArray()) : value.toString();
    reason = QStringLiteral("設定值 %1 無法存成%2").arg(shown, QString::fromUtf8(typeNames[int(type)]));
    return std::nullopt;
}

} // namespace

ProfileFile::ProfileFile()
    : notifier_([](const QString &text) { qWarning().noquote() << text; })
{}

void ProfileFile::setFileName(const QString &fileName)
{
    fileName_ = fileName;
    spelledName_ = fileName;
}

QString ProfileFile::open()
{
    if (fileName_.isEmpty() || section_.isEmpty()) {
        error_ = parameterErrorText;
        if (notifier_) {
            notifier_(parameterErrorText);
        }
        return QString();
    }
    const QString extension = QStringLiteral(".INI");
    fileName_ = fileName_.toUpper();
    if (!fileName_.contains(extension)) {
        fileName_ += extension;
    }
    if (!spelledName_.toUpper().contains(extension)) {
        spelledName_ += extension;
    }
    error_.clear();
    return resolveCaseInsensitive(spelledName_);
}

bool ProfileFile::readValue()
{
    const QString path = open();
    if (path.isEmpty()) {
        return false;
    }
    // An unreadable file reads like a missing one: every value takes its default.
    // A pipe or a device in its place is never waited on or read without end.
    const QByteArray text = readableAsBig5(readRegularFile(path, settingsSizeLimit).bytes);
    const std::optional<QByteArray> stored = IniText::lookup(text, section_, ident_);
    switch (dataType_) {
    case ProfileValueType::Boolean:
        value_ = storedInteger(stored, 0) != 0;
        return true;
    case ProfileValueType::Integer:
        value_ = storedInteger(stored, missingInteger);
        return value_.toInt() != missingInteger;
    case ProfileValueType::String:
        value_ = stored.value_or(missingString);
        return value_.toByteArray() != missingString;
    }
    return false;
}

bool ProfileFile::writeValue()
{
    const QString path = open();
    if (path.isEmpty()) {
        return false;
    }
    const auto fail = [&](const QString &reason) {
        error_ = QStringLiteral("無法寫入設定檔 %1: %2").arg(path, reason);
        return false;
    };
    QString reason;
    const std::optional<QByteArray> text = storedText(dataType_, value_, reason);
    if (!text) {
        return fail(reason);
    }
    reason = IniText::entryProblem(section_, ident_, *text);
    if (!reason.isEmpty()) {
        return fail(reason);
    }
    // The new file replaces the old one whole, so the old one must be read in
    // full and its read-only mark kept.
    const RegularFileBytes before = readRegularFile(path, settingsSizeLimit);
    if (!before.ok() && !before.missing) {
        return fail(before.error);
    }
    if (!before.missing && !QFileInfo(path).isWritable()) {
        return fail(QStringLiteral("檔案唯讀"));
    }
    // A UTF-8 file is written back as Big5 whole, unless that would lose a character of it.
    QByteArray oldText = before.bytes;
    const bool fromUtf8 = oldText.startsWith(utf8ByteOrderMark);
    if (fromUtf8) {
        const Big5::Encoding converted = Big5::encode(QString::fromUtf8(oldText.mid(utf8ByteOrderMark.size())));
        if (!converted.ok()) {
            return fail(QStringLiteral("檔案以 UTF-8 儲存，其中%1，無法改存為 Big5").arg(converted.errorText()));
        }
        oldText = converted.bytes;
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return fail(out.errorString());
    }
    const QString error = writeWholeFile(out, IniText::assign(oldText, section_, ident_, *text));
    if (!error.isEmpty()) {
        return fail(error);
    }
    if (fromUtf8 && notifier_) {
        notifier_(QStringLiteral("設定檔 %1 原以 UTF-8 儲存，已改存為 Big5。").arg(path));
    }
    return true;
}
