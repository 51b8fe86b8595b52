#include "labelqueue/DbfHeader.h"

#include <QIODevice>

#include <climits>

namespace {

constexpr int FileHeaderSize = 32;
constexpr int DescriptorSize = 32;
constexpr char DescriptorTerminator = 0x0D;
constexpr int VisualFoxProBackLinkSize = 263;

// dBase III/IV (with or without memo, SQL tables), FoxBASE, FoxPro and Visual
// FoxPro all keep the 32-byte descriptors that shapelib reads; dBase 7 does not.
bool knownVersion(quint8 version)
{
    switch (version) {
    case 0x03:
    case 0x83:
    case 0x8B:
    case 0x43:
    case 0x63:
    case 0xCB:
    case 0xF5:
    case 0xFB:
    case 0x30:
    case 0x31:
    case 0x32:
        return true;
    default:
        return false;
    }
}

bool isVisualFoxPro(quint8 version)
{
    return version == 0x30 || version == 0x31 || version == 0x32;
}

quint32 littleEndian(const QByteArray &bytes, int at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | quint8(bytes.at(at + i));
    }
    return value;
}

QByteArray fieldName(const QByteArray &descriptor)
{
    QByteArray name = descriptor.left(11);
    const qsizetype end = name.indexOf('\0');
    if (end >= 0) {
        name.truncate(end);
    }
    return name.trimmed();
}

} // namespace

DbfResult<DbfHeader> readDbfHeader(QIODevice &file, const QString &displayName)
{
    const auto damaged = [&](const QString &why) {
        return DbfResult<DbfHeader>::failure(QStringLiteral("「%1」已損壞：%2").arg(displayName, why));
    };
    const qint64 fileSize = file.size();
    if (!file.seek(0)) {
        return DbfResult<DbfHeader>::failure(QStringLiteral("無法讀取「%1」：%2").arg(displayName, file.errorString()));
    }
    const QByteArray start = file.read(FileHeaderSize);
    if (start.size() < FileHeaderSize) {
        return DbfResult<DbfHeader>::failure(
            QStringLiteral("「%1」不是 dBase 表格：檔案只有 %2 位元組。").arg(displayName).arg(fileSize));
    }

    DbfHeader header;
    header.version = quint8(start.at(0));
    if (!knownVersion(header.version)) {
        return DbfResult<DbfHeader>::failure(QStringLiteral("「%1」不是可用的 dBase 表格（版本位元組 0x%2）。")
                                                 .arg(displayName)
                                                 .arg(uint(header.version), 2, 16, QLatin1Char('0')));
    }
    const quint32 recordCount = littleEndian(start, 4, 4);
    header.headerLength = int(littleEndian(start, 8, 2));
    header.recordLength = int(littleEndian(start, 10, 2));
    header.languageDriver = quint8(start.at(29));
    header.unfinishedImport = start.at(DbfUnfinishedFlagOffset) != 0;

    if (header.headerLength < FileHeaderSize + 1 || header.headerLength > fileSize) {
        return damaged(
            QStringLiteral("檔頭長度 %1 不合理（檔案共 %2 位元組）。").arg(header.headerLength).arg(fileSize));
    }
    header.bytes = start + file.read(header.headerLength - FileHeaderSize);
    if (header.bytes.size() != header.headerLength) {
        return damaged(QStringLiteral("讀不到完整的檔頭。"));
    }

    int position = FileHeaderSize;
    int offset = 1;
    for (;;) {
        if (position < header.headerLength && header.bytes.at(position) == DescriptorTerminator) {
            break;
        }
        if (position + DescriptorSize > header.headerLength) {
            return damaged(QStringLiteral("欄位定義沒有結束記號（0x0D），或檔頭長度 %1 與欄位定義不符。")
                               .arg(header.headerLength));
        }
        const QByteArray descriptor = header.bytes.mid(position, DescriptorSize);
        DbfFileField field;
        field.name = fieldName(descriptor);
        field.type = descriptor.at(11);
        field.width = quint8(descriptor.at(16));
        field.decimals = quint8(descriptor.at(17));
        field.offset = offset;
        if (field.name.isEmpty()) {
            return damaged(QStringLiteral("第 %1 個欄位沒有名稱。").arg(header.fields.size() + 1));
        }
        if (field.width == 0) {
            return damaged(QStringLiteral("欄位 %1 的寬度為 0。").arg(QString::fromLatin1(field.name)));
        }
        offset += field.width;
        header.fields.append(field);
        position += DescriptorSize;
    }
    if (header.fields.isEmpty()) {
        return damaged(QStringLiteral("表格沒有任何欄位。"));
    }
    // The rows start where the header length says. Only Visual FoxPro's
    // back-link area or zero padding may lie between the terminator and there;
    // anything else is a header length that would shift every row.
    const QByteArray afterTerminator = header.bytes.mid(position + 1);
    const bool backLink = isVisualFoxPro(header.version) && afterTerminator.size() == VisualFoxProBackLinkSize;
    if (!backLink && afterTerminator.count('\0') != afterTerminator.size()) {
        return damaged(QStringLiteral("欄位定義的結束記號（0x0D）在第 %1 位元組，檔頭長度卻是 %2。")
                           .arg(position + 1)
                           .arg(header.headerLength));
    }
    if (header.recordLength != offset) {
        return damaged(QStringLiteral("檔頭記載每筆 %1 位元組，欄位寬度加刪除記號卻是 %2 位元組。")
                           .arg(header.recordLength)
                           .arg(offset));
    }
    if (recordCount > quint32(INT_MAX)) {
        return damaged(QStringLiteral("檔頭記載的筆數 %1 不合理。").arg(recordCount));
    }
    header.recordCount = int(recordCount);

    const qint64 expected = qint64(header.headerLength) + qint64(header.recordCount) * header.recordLength;
    if (fileSize < expected) {
        return damaged(
            QStringLiteral("檔頭記載 %1 筆資料，需要 %2 位元組，檔案卻只有 %3 位元組（檔案被截斷或檔頭有誤）。")
                .arg(header.recordCount)
                .arg(expected)
                .arg(fileSize));
    }
    if (header.recordCount > 0 && file.seek(header.headerLength)) {
        const QByteArray flag = file.read(1);
        if (flag.size() == 1 && !isDeletionFlag(flag.at(0))) {
            return damaged(QStringLiteral("第 1 筆資料的刪除記號是 0x%1，不是空白或 *（檔頭長度可能有誤）。")
                               .arg(uint(quint8(flag.at(0))), 2, 16, QLatin1Char('0')));
        }
    }
    if (fileSize > expected) {
        // One whole row past the count (with or without the end mark) is a commit that a
        // crash cut short before the header was updated: the row never counted, and the
        // next append overwrites it. Anything else means the header cannot be trusted.
        const qint64 extra = fileSize - expected;
        bool endMarkOnly = false;
        if ((extra == 1 || extra == header.recordLength + 1) && file.seek(fileSize - 1)) {
            endMarkOnly = file.read(1) == QByteArray(1, DbfEndOfFile);
        }
        const bool unfinishedCommit = extra == header.recordLength || (extra == header.recordLength + 1 && endMarkOnly);
        if (!endMarkOnly && !unfinishedCommit && !header.unfinishedImport) {
            return damaged(QStringLiteral("檔頭記載 %1 筆資料（%2 位元組），檔案卻有 %3 位元組。")
                               .arg(header.recordCount)
                               .arg(expected)
                               .arg(fileSize));
        }
    }
    return header;
}
