#include "labelqueue/DbfCodePage.h"

#include "components/CaseInsensitivePath.h"
#include "components/RegularFile.h"
#include "labelqueue/DbfHeader.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The Big5 byte of dBase IV / Visual FoxPro, beside the Windows one tables are created with.
constexpr quint8 big5DosCodePage = 0x4F;
// Enough for any code page name; a larger file is no code page file.
constexpr qint64 cpgSizeLimit = 1024;

// The code pages a header byte names, for the message.
QString codePageOfByte(quint8 byte)
{
    const struct {
        quint8 byte;
        const char *name;
    } known[] = {
        {0x01, "437"},  {0x02, "850"},  {0x03, "1252"}, {0x13, "932"},  {0x4D, "936"},  {0x4E, "949"},
        {0x57, "1252"}, {0x64, "852"},  {0x65, "866"},  {0x7A, "936"},  {0x7B, "932"},  {0x79, "949"},
        {0xC8, "1250"}, {0xC9, "1251"}, {0xCA, "1254"}, {0xCB, "1253"}, {0x7D, "1255"}, {0x7E, "1256"},
    };
    for (const auto &entry : known) {
        if (entry.byte == byte) {
            return QStringLiteral("代碼頁 %1（檔頭位元組 0x%2）")
                .arg(QLatin1String(entry.name),
                     QString::number(byte, 16).toUpper().rightJustified(2, QLatin1Char('0')));
        }
    }
    return QStringLiteral("檔頭位元組 0x%1 的代碼頁")
        .arg(QString::number(byte, 16).toUpper().rightJustified(2, QLatin1Char('0')));
}

bool namesBig5(const QByteArray &declared)
{
    const QByteArray name = declared.trimmed().toLower();
    for (const char *big5 : {"950", "cp950", "ansi 950", "windows-950", "ms950", "big5", "big-5", "big5-hkscs"}) {
        if (name == big5) {
            return true;
        }
    }
    return false;
}

QString refusal(const QString &displayName, const QString &declared)
{
    return QStringLiteral("「%1」宣告的字碼是%2，本程式只讀寫 Big5（代碼頁 950）的表格。").arg(displayName, declared);
}

} // namespace

DbfStatus checkDeclaredCodePage(const QString &tablePath, quint8 codePageByte, const QString &displayName)
{
    if (codePageByte != 0 && codePageByte != DbfCodePageCp950 && codePageByte != big5DosCodePage) {
        return DbfStatus::failure(refusal(displayName, codePageOfByte(codePageByte)));
    }
    const QFileInfo table(tablePath);
    const QString cpgPath =
        resolveCaseInsensitive(table.dir().filePath(table.completeBaseName() + QStringLiteral(".cpg")));
    const RegularFileBytes cpg = readRegularFile(cpgPath, cpgSizeLimit);
    if (cpg.missing) {
        return DbfStatus::success();
    }
    if (!cpg.ok()) {
        return DbfStatus::failure(QStringLiteral("無法讀取「%1」的字碼檔「%2」：%3")
                                      .arg(displayName, QFileInfo(cpgPath).fileName(), cpg.error));
    }
    const QByteArray declared = cpg.bytes.trimmed();
    if (declared.isEmpty() || namesBig5(declared)) {
        return DbfStatus::success();
    }
    // Only printable ASCII of it goes into the message.
    QString shown;
    for (const char c : declared.left(40)) {
        shown += (c >= 0x20 && c < 0x7F) ? QChar::fromLatin1(c) : QChar(u'?');
    }
    return DbfStatus::failure(
        refusal(displayName, QStringLiteral(" %1（%2）").arg(shown, QFileInfo(cpgPath).fileName())));
}
