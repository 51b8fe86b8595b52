#include "settings/ProductOutputSettings.h"

#include "components/Big5.h"
#include "components/ProfileFile.h"
#include "components/TextHelpers.h"

#include <array>

namespace {

struct BooleanKey {
    const char *key;
    bool ProductOutputSettings::*field;
};

// The order in which the file has always been read and written.
const std::array<BooleanKey, 6> booleanKeys{{
    {"CHK12", &ProductOutputSettings::oneLinePerLabel},
    {"CHK13", &ProductOutputSettings::fixedWidth},
    {"CHK14", &ProductOutputSettings::colourExpansion},
    {"CHK15", &ProductOutputSettings::sizeExpansion},
    {"CHK16", &ProductOutputSettings::keepOwnSize},
    {"CHK17", &ProductOutputSettings::keepOwnColour},
}};

const QByteArray sizeSeparatorKey = QByteArrayLiteral("EDIT16");
const QByteArray colourSeparatorKey = QByteArrayLiteral("EDIT17");

QByteArray columnKey(int number)
{
    return QByteArrayLiteral("Par") + ZeroPad(2, number);
}

QByteArray readText(ProfileFile &ini, const QByteArray &key, const QByteArray &fallback)
{
    ini.setIdent(key);
    return ini.readValue() ? ini.value().toByteArray() : fallback;
}

bool write(ProfileFile &ini, const QByteArray &key, const QVariant &value)
{
    ini.setIdent(key);
    ini.setValue(value);
    return ini.writeValue();
}

QByteArray expansionFlag(bool expand, bool keepOwn)
{
    if (!expand) {
        return {};
    }
    return keepOwn ? QByteArrayLiteral("C") : QByteArrayLiteral("Y");
}

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

bool ProductOutputSettings::operator==(const ProductOutputSettings &other) const
{
    return fixedWidth == other.fixedWidth && oneLinePerLabel == other.oneLinePerLabel &&
           colourExpansion == other.colourExpansion && keepOwnColour == other.keepOwnColour &&
           colourSeparator == other.colourSeparator && sizeExpansion == other.sizeExpansion &&
           keepOwnSize == other.keepOwnSize && sizeSeparator == other.sizeSeparator && columns == other.columns;
}

QByteArray ExpansionValues::requestText() const
{
    return QByteArrayLiteral("&c14=") + c14 + QByteArrayLiteral("&c14a=") + c14a + QByteArrayLiteral("&s14=") + s14 +
           QByteArrayLiteral("&s14a=") + s14a;
}

ExpansionValues expansionValues(const ProductOutputSettings &settings)
{
    ExpansionValues values;
    values.c14 = expansionFlag(settings.colourExpansion, settings.keepOwnColour);
    values.c14a = settings.colourExpansion ? settings.colourSeparator : QByteArray();
    values.s14 = expansionFlag(settings.sizeExpansion, settings.keepOwnSize);
    values.s14a = settings.sizeExpansion ? settings.sizeSeparator : QByteArray();
    return values;
}

const QList<QByteArray> &productColumnCatalogue()
{
    static const QList<QByteArray> catalogue = [] {
        static const char *const entries[] = {
            "產品條碼(20C)",   "產品貨號(20C)",   "品名(42C)",          "顏色(8C)",           "尺寸(8C)",
            "單位(4C)",        "備註(30C)",       "牌價(8C)",           "特價(沒有依牌價)",   "特價(8C)",
            "廠商簡稱(8C)",    "群組號碼(20C)",   "最後進貨日(5C月日)", "最後進貨日(年月日)", "最後進貨日",
            "系統日期(10C)",   "品牌名稱(20C)",   "分類名稱(20C)",      "洗標備註一(30C)",    "洗標備註二(30C)",
            "洗標備註三(30C)", "洗標備註四(30C)", "洗標備註五(30C)",    "洗標備註六(30C)",    "洗標備註七(30C)",
            "洗標備註八(30C)", "洗標備註九(30C)", "洗標備註十(30C)",    "參考價(8C)",         "批價(8C)",
            "英文顏色(20C)",   "英文品名(100C)",  "廠商貨號(20C)",      "廠商代號(20C)",      "群組顏色",
            "群組尺寸",        "廠商名稱(50C)",   "件數(8C)",
        };
        QList<QByteArray> list;
        for (const char *entry : entries) {
            list.append(Big5::fromUtf8Literal(entry));
        }
        return list;
    }();
    return catalogue;
}

QByteArray customTextEntry(const QByteArray &typed)
{
    // Only single bytes can be blanks: the second byte of a Big5 character is
    // never below 0x40, so trimming bytes never splits a character.
    qsizetype from = 0;
    qsizetype to = typed.size();
    while (from < to && isBlank(typed[from])) {
        ++from;
    }
    while (to > from && isBlank(typed[to - 1])) {
        --to;
    }
    if (from == to) {
        return {};
    }
    return '#' + typed.sliced(from, to - from);
}

QString fixedWidthProblem(const ProductOutputSettings &settings)
{
    if (settings.fixedWidth && settings.colourExpansion) {
        return QStringLiteral("依長度區分不適用顏色展開");
    }
    if (settings.fixedWidth && settings.sizeExpansion) {
        return QStringLiteral("依長度區分不適用尺寸展開");
    }
    return {};
}

QString productOutputSettingsPath(const QString &programDir)
{
    return programDir + QStringLiteral("/BarSet.ini");
}

ProductOutputSettings loadProductOutputSettings(ProfileFile &ini)
{
    ProductOutputSettings settings;
    ini.setDataType(ProfileValueType::String);
    settings.sizeSeparator = readText(ini, sizeSeparatorKey, QByteArrayLiteral("/"));
    settings.colourSeparator = readText(ini, colourSeparatorKey, QByteArrayLiteral("/"));
    ini.setDataType(ProfileValueType::Boolean);
    for (const BooleanKey &entry : booleanKeys) {
        ini.setIdent(entry.key);
        settings.*entry.field = ini.readValue() && ini.value().toBool();
    }
    ini.setDataType(ProfileValueType::String);
    for (int number = 1; number <= ProductOutputSettings::MaxColumns; ++number) {
        const QByteArray entry = readText(ini, columnKey(number), QByteArray());
        if (!entry.isEmpty()) {
            settings.columns.append(entry);
        }
    }
    return settings;
}

QString storeProductOutputSettings(ProfileFile &ini, const ProductOutputSettings &settings)
{
    const auto failed = [&ini] { return ini.errorString(); };
    ini.setDataType(ProfileValueType::String);
    if (!write(ini, sizeSeparatorKey, settings.sizeSeparator) ||
        !write(ini, colourSeparatorKey, settings.colourSeparator)) {
        return failed();
    }
    ini.setDataType(ProfileValueType::Boolean);
    for (const BooleanKey &entry : booleanKeys) {
        if (!write(ini, entry.key, settings.*entry.field)) {
            return failed();
        }
    }
    ini.setDataType(ProfileValueType::String);
    for (int number = 1; number <= ProductOutputSettings::MaxColumns; ++number) {
        const QByteArray entry = number <= settings.columns.size() ? settings.columns.at(number - 1) : QByteArray();
        if (!write(ini, columnKey(number), entry)) {
            return failed();
        }
    }
    return {};
}

QByteArray productSettingsText(const ProductOutputSettings &settings)
{
    QByteArray text;
    const auto line = [&text](const QByteArray &key, const QByteArray &value) { text += key + '=' + value + '\n'; };
    line(sizeSeparatorKey, settings.sizeSeparator);
    line(colourSeparatorKey, settings.colourSeparator);
    for (const BooleanKey &entry : booleanKeys) {
        line(entry.key, settings.*entry.field ? "1" : "0");
    }
    for (int number = 1; number <= settings.columns.size(); ++number) {
        line(columnKey(number), settings.columns.at(number - 1));
    }
    return text;
}
