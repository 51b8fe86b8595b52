#include "productlabels/ProductLabelLines.h"

#include "MemoryProductQueue.h"
#include "components/Big5.h"
#include "components/TextHelpers.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
using namespace ProductQueueTable;

QByteArray big5(const char *utf8)
{
    return Big5::fromUtf8Literal(utf8);
}

QByteArray blanks(int count)
{
    return QByteArray(count, ' ');
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

MemoryRow productRow(const QByteArray &barcode, const QByteArray &name, double price, double member,
                     std::optional<double> quantity)
{
    return MemoryRow()
        .text(BARCODE, barcode)
        .text(ITEM_NAME, name)
        .number(PRICE, price)
        .number(MEMBER, member)
        .number(QUAN, quantity);
}

// The three output settings the export reads.
struct TextSettings {
    bool fixedWidth = false;
    bool oneLinePerLabel = false;
    QList<QByteArray> columns;

    ProductOutputSettings output() const
    {
        ProductOutputSettings settings;
        settings.fixedWidth = fixedWidth;
        settings.oneLinePerLabel = oneLinePerLabel;
        settings.columns = columns;
        return settings;
    }
};

const QDate today(2026, 3, 1);
} // namespace

TEST(ProductLabelLines, writesTheWorkedExampleAndItsVariantsByteForByte)
{
    const QByteArray shirt = big5("棉T恤");
    const QByteArray trousers = big5("長褲");
    const QByteArray barcodeEntry = big5("產品條碼(20C)");
    const QByteArray nameEntry = big5("品名(42C)");
    const QByteArray specialOrList = big5("特價(沒有依牌價)");
    const QByteArray specialOnly = big5("特價(8C)");
    const QList<QByteArray> example{barcodeEntry, nameEntry, specialOrList, "#NT"};
    const QList<MemoryRow> exampleRows{productRow("A0001", shirt, 590, 0, 2),
                                       productRow("A0002", trousers, 990, 790, 1)};
    const QByteArray sixtyBytes = QByteArray(30, 'N') + big5("長褲長褲長褲長褲長褲長褲長褲長");
    const QByteArray fortyOne(41, 'x');

    struct Case {
        const char *name;
        TextSettings settings;
        QList<MemoryRow> rows;
        QByteArray expected;
    } cases[] = {
        {"worked example",
         {false, false, example},
         exampleRows,
         "A0001," + shirt + ",$590,NT,2\r\nA0002," + trousers + ",$790,NT,1\r\n"},
        {"one line per label",
         {false, true, example},
         exampleRows,
         "A0001," + shirt + ",$590,NT,1\r\nA0001," + shirt + ",$590,NT,1\r\nA0002," + trousers + ",$790,NT,1\r\n"},
        {"fixed width",
         {true, false, example},
         exampleRows,
         "A0001" + blanks(15) + shirt + blanks(37) + "$590" + blanks(4) + "NT2\r\n" + "A0002" + blanks(15) + trousers +
             blanks(38) + "$790" + blanks(4) + "NT1\r\n"},
        {"empty barcode writes nothing",
         {false, false, example},
         {productRow("", shirt, 590, 100, 2), productRow("A0002", trousers, 990, 790, 1)},
         "A0002," + trousers + ",$790,NT,1\r\n"},
        {"60-byte name, comma: whole",
         {false, false, {nameEntry}},
         {productRow("A1", sixtyBytes, 0, 0, 1)},
         sixtyBytes + ",1\r\n"},
        {"60-byte name, fixed: first 42 bytes",
         {true, false, {nameEntry}},
         {productRow("A1", sixtyBytes, 0, 0, 1)},
         sixtyBytes.left(42) + "1\r\n"},
        {"one line per label: 0 and empty write nothing, 2.5 twice, 3.5 four times",
         {false, true, {barcodeEntry}},
         {productRow("Q0", "", 0, 0, 0), productRow("QE", "", 0, 0, std::nullopt), productRow("Q25", "", 0, 0, 2.5),
          productRow("Q35", "", 0, 0, 3.5)},
         "Q25,1\r\nQ25,1\r\nQ35,1\r\nQ35,1\r\nQ35,1\r\nQ35,1\r\n"},
        {"quantity 2.5, comma", {false, false, {barcodeEntry}}, {productRow("A1", "", 0, 0, 2.5)}, "A1,2.5\r\n"},
        {"quantity 2.5, fixed",
         {true, false, {barcodeEntry}},
         {productRow("A1", "", 0, 0, 2.5)},
         "A1" + blanks(18) + "2.5\r\n"},
        {"quantity 0 and empty without one line per label",
         {false, false, {barcodeEntry}},
         {productRow("A1", "", 0, 0, 0), productRow("A2", "", 0, 0, std::nullopt)},
         "A1,0\r\nA2,\r\n"},
        {"special price 0: only the comma",
         {false, false, {specialOnly, barcodeEntry}},
         {productRow("A1", "", 590, 0, 1), productRow("A2", "", 990, 790, 1)},
         ",A1,1\r\n$790,A2,1\r\n"},
        {"special price 0: eight blanks",
         {true, false, {specialOnly}},
         {productRow("A1", "", 590, 0, 1)},
         blanks(8) + "1\r\n"},
        {"special price counts when it rounds to a whole number other than 0",
         {false, false, {specialOrList, specialOnly}},
         {productRow("A1", "", 590, 0.5, 1), productRow("A2", "", 590, 1.5, 1), productRow("A3", "", 590, -0.6, 1)},
         "$590,,1\r\n$1.5,$1.5,1\r\n$-0.6,$-0.6,1\r\n"},
        {"empty column list: only the quantity", {false, false, {}}, exampleRows, "2\r\n1\r\n"},
        {"empty column list, fixed width", {true, false, {}}, exampleRows, "2\r\n1\r\n"},
        {"custom text over 40 bytes, fixed",
         {true, false, {"#" + fortyOne, barcodeEntry}},
         {productRow("A1", "", 0, 0, 1)},
         fortyOne.left(40) + "A1" + blanks(18) + "1\r\n"},
        {"entries that match no rule write nothing, not even a comma",
         {false, false, {"XYZ", big5("最後進貨日X"), barcodeEntry, big5("價格")}},
         {productRow("A1", "", 0, 0, 1)},
         "A1,1\r\n"},
        {"commas inside values stay plain",
         {false, false, {nameEntry}},
         {productRow("A1", "a,b", 0, 0, 1)},
         "a,b,1\r\n"},
        // Found by fuzzing: a break inside a queue value or a custom text started another label line.
        {"line breaks in values and custom texts become blanks, one line per label",
         {false, true, {nameEntry, "#x\ry"}},
         {productRow("A1", "a\nb\r\nc", 0, 0, 2)},
         "a b  c,x y,1\r\na b  c,x y,1\r\n"},
        {"line breaks in values become blanks, fixed width",
         {true, false, {nameEntry, barcodeEntry}},
         {productRow("A\r1", "a\nb", 0, 0, 1)},
         "a b" + blanks(39) + "A 1" + blanks(17) + "1\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Bars.txt"));
        MemoryProductQueue queue;
        queue.rows = c.rows;
        const LabelTextFileResult result = writeProductLabelTextFile(queue, c.settings.output(), path, today);
        EXPECT_TRUE(result.ok()) << result.error.toStdString();
        EXPECT_EQ(readAll(path), c.expected);
    }
}

TEST(ProductLabelLines, eachCatalogueEntryWritesItsFieldInItsOwnWidth)
{
    MemoryRow row;
    for (int field = 1; field < FieldCount; ++field) {
        row.texts[field] = fields()[field].name;
    }
    row.number(QUAN, 1)
        .number(PRICE, 590)
        .number(MEMBER, 790)
        .number(LPRICE, 1200.5)
        .number(CASH1, 450)
        .number(UNIT_Q, 12);
    struct Case {
        const char *entry;
        QByteArray value;
        int width;
    } cases[] = {
        {"產品條碼(20C)", "BARCODE", 20},    {"產品貨號(20C)", "ITEM_NO", 20},
        {"品名(42C)", "ITEM_NAME", 42},      {"顏色(8C)", "COLOR", 20},
        {"尺寸(8C)", "SIZES", 20},           {"單位(4C)", "UNIT", 4},
        {"備註(30C)", "NOTES", 30},          {"牌價(8C)", "590", 8},
        {"特價(沒有依牌價)", "$790", 8},     {"特價(8C)", "$790", 8},
        {"廠商簡稱(8C)", "CUST_ABBR", 8},    {"群組號碼(20C)", "ITEM1", 8},
        {"最後進貨日(5C月日)", "BUYDAT", 5}, {"最後進貨日(年月日)", "BUYDAT2", 8},
        {"最後進貨日", "BUYDAT1", 10},       {"系統日期(10C)", "2026/03/01", 10},
        {"品牌名稱(20C)", "KIND_NAME", 30},  {"分類名稱(20C)", "CATE_NAME", 30},
        {"洗標備註一(30C)", "NOTEA1", 50},   {"洗標備註二(30C)", "NOTEA2", 50},
        {"洗標備註三(30C)", "NOTEA3", 50},   {"洗標備註四(30C)", "NOTEA4", 50},
        {"洗標備註五(30C)", "NOTEA5", 50},   {"洗標備註六(30C)", "NOTEA6", 50},
        {"洗標備註七(30C)", "NOTEA7", 50},   {"洗標備註八(30C)", "NOTEA8", 50},
        {"洗標備註九(30C)", "NOTEA9", 50},   {"洗標備註十(30C)", "NOTEA10", 50},
        {"參考價(8C)", "1200.5", 8},         {"批價(8C)", "450", 8},
        {"英文顏色(20C)", "ENG_COLOR", 20},  {"英文品名(100C)", "ENG_NAME", 100},
        {"廠商貨號(20C)", "SUPP_INO", 20},   {"廠商代號(20C)", "SUPP_NO", 20},
        {"群組顏色", "C_ITEM", 20},          {"群組尺寸", "S_ITEM", 20},
        {"廠商名稱(50C)", "SUPP_NAME", 50},  {"件數(8C)", "12", 8},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.entry);
        for (const bool fixedWidth : {false, true}) {
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("Bars.txt"));
            MemoryProductQueue queue;
            queue.rows = {row};
            writeProductLabelTextFile(queue, TextSettings{fixedWidth, false, {big5(c.entry)}}.output(), path, today);
            const QByteArray value = fixedWidth ? PadText(c.value, c.width) : c.value + ",";
            EXPECT_EQ(readAll(path), value + "1\r\n");
        }
    }
}
