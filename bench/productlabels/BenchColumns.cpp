#include "BenchColumns.h"

#include "components/Big5.h"

const QList<BenchColumn> &benchColumns()
{
    static const QList<BenchColumn> columns = {
        {"產品條碼(20C)", BenchColumn::Text, "BARCODE", 20},
        {"產品貨號(20C)", BenchColumn::Text, "ITEM_NO", 20},
        {"品名(42C)", BenchColumn::Text, "ITEM_NAME", 42},
        {"顏色(8C)", BenchColumn::Text, "COLOR", 20},
        {"尺寸(8C)", BenchColumn::Text, "SIZES", 20},
        {"單位(4C)", BenchColumn::Text, "UNIT", 4},
        {"備註(30C)", BenchColumn::Text, "NOTES", 30},
        {"牌價(8C)", BenchColumn::Number, "PRICE", 8},
        {"特價(沒有依牌價)", BenchColumn::SpecialOrListPrice, "MEMBER", 8},
        {"特價(8C)", BenchColumn::SpecialPrice, "MEMBER", 8},
        {"廠商簡稱(8C)", BenchColumn::Text, "CUST_ABBR", 8},
        {"群組號碼(20C)", BenchColumn::Text, "ITEM1", 8},
        {"最後進貨日(5C月日)", BenchColumn::Text, "BUYDAT", 5},
        {"最後進貨日(年月日)", BenchColumn::Text, "BUYDAT2", 8},
        {"最後進貨日", BenchColumn::Text, "BUYDAT1", 10},
        {"系統日期(10C)", BenchColumn::Today, "", 10},
        {"品牌名稱(20C)", BenchColumn::Text, "KIND_NAME", 30},
        {"分類名稱(20C)", BenchColumn::Text, "CATE_NAME", 30},
        {"洗標備註一(30C)", BenchColumn::Text, "NOTEA1", 50},
        {"參考價(8C)", BenchColumn::Number, "LPRICE", 8},
        {"批價(8C)", BenchColumn::Number, "CASH1", 8},
        {"英文品名(100C)", BenchColumn::Text, "ENG_NAME", 100},
        {"廠商名稱(50C)", BenchColumn::Text, "SUPP_NAME", 50},
        {"件數(8C)", BenchColumn::Number, "UNIT_Q", 8},
        {"#NT$", BenchColumn::Custom, "", 0},
    };
    return columns;
}

QList<QByteArray> benchColumnEntries()
{
    QList<QByteArray> entries;
    for (const BenchColumn &column : benchColumns()) {
        entries.append(Big5::fromUtf8Literal(column.entry));
    }
    return entries;
}
