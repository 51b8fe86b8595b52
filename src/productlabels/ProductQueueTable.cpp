#include "productlabels/ProductQueueTable.h"

namespace ProductQueueTable {
namespace {

DbfFieldSpec text(const char *name, int width, bool required = true)
{
    return {name, DbfFieldType::Text, width, 0, required};
}

// The widths of the number fields are this program's choice: whole prices up
// to 999,999,999.99 and label counts or units with two decimals.
DbfFieldSpec number(const char *name, int width)
{
    return {name, DbfFieldType::Numeric, width, 2, true};
}

// Grouped: the "###,##0" the prices of the list and the special offer have;
// Thousands: the other prices, grouped alike but with their decimals.
enum Look { Plain = 0, ReadOnly = 1, Grouped = 2, LeftTitle = 4, Highlighted = 8, Thousands = 16 };

QueueColumn column(Field field, const char *title, int width, int look)
{
    QueueColumn c;
    c.field = field;
    c.title = QString::fromUtf8(title);
    c.width = width;
    c.titleCentred = !(look & LeftTitle);
    c.readOnly = look & ReadOnly;
    c.numberFormat = (look & Grouped)     ? QueueColumn::NumberFormat::GroupedWhole
                     : (look & Thousands) ? QueueColumn::NumberFormat::Grouped
                                          : QueueColumn::NumberFormat::General;
    c.titleHighlighted = look & Highlighted;
    return c;
}

} // namespace

QString fileName()
{
    return QStringLiteral("bar1.dbf");
}

const QList<DbfFieldSpec> &fields()
{
    static const QList<DbfFieldSpec> all = {
        number("QUAN", 10),       text("ITEM_NO", 20),       text("BARCODE", 20),   text("ITEM_NAME", 60),
        text("COLOR", 10),        text("SIZES", 10),         text("UNIT", 4),       number("PRICE", 12),
        number("MEMBER", 12),     text("SUPP_NO", 20),       text("CUST_ABBR", 8),  text("ITEM1", 20),
        text("NOTES", 30),        text("BUYDAT", 5),         text("BUYDAT1", 10),   text("BUYDAT2", 8),
        text("NOTE2", 30, false), text("SYSDAT", 10, false), text("C_ITEM", 100),   text("S_ITEM", 100),
        text("KIND_NAME", 30),    text("CATE_NAME", 30),     text("NOTEA1", 50),    text("NOTEA2", 50),
        text("NOTEA3", 50),       text("NOTEA4", 50),        text("NOTEA5", 50),    text("NOTEA6", 50),
        text("NOTEA7", 50),       text("NOTEA8", 50),        text("NOTEA9", 50),    text("NOTEA10", 50),
        number("LPRICE", 12),     number("CASH1", 12),       text("ENG_COLOR", 20), text("ENG_NAME", 100),
        text("SUPP_INO", 20),     text("SUPP_NAME", 50),     number("UNIT_Q", 10),
    };
    return all;
}

const QueueSide &side()
{
    static const QueueSide product{
        fileName(),
        fields(),
        {QUAN,      ITEM_NO, BARCODE,   ITEM_NAME, COLOR,    SIZES,     UNIT,   PRICE,  MEMBER,    SUPP_NO,
         CUST_ABBR, ITEM1,   NOTES,     BUYDAT,    BUYDAT1,  BUYDAT2,   C_ITEM, S_ITEM, KIND_NAME, CATE_NAME,
         NOTEA1,    NOTEA2,  NOTEA3,    NOTEA4,    NOTEA5,   NOTEA6,    NOTEA7, NOTEA8, NOTEA9,    NOTEA10,
         LPRICE,    CASH1,   ENG_COLOR, ENG_NAME,  SUPP_INO, SUPP_NAME, UNIT_Q},
        QStringLiteral("產品資料"),
        ITEM_NAME,
    };
    return product;
}

const QList<QueueColumn> &columns()
{
    static const QList<QueueColumn> all = [] {
        QList<QueueColumn> c = {
            column(QUAN, "列印張數", 70, Highlighted),
            column(ITEM_NO, "產品貨號/條碼", 0, ReadOnly),
            column(BARCODE, "產品條碼", 0, ReadOnly),
            column(ITEM_NAME, "品名", 300, Plain),
            column(COLOR, "顏色", 0, Plain),
            column(SIZES, "尺寸", 0, Plain),
            column(UNIT, "單位", 0, ReadOnly),
            column(PRICE, "牌價", 73, ReadOnly | Grouped),
            column(MEMBER, "特價", 72, ReadOnly | Grouped),
            column(CASH1, "批價", 0, ReadOnly | Thousands),
            column(LPRICE, "參考價", 0, Thousands),
            column(SUPP_NO, "廠商代號", 0, ReadOnly),
            column(CUST_ABBR, "廠商簡稱", 0, ReadOnly),
            column(ITEM1, "群組號碼", 0, Plain),
            column(NOTES, "備註", 0, Plain),
            column(BUYDAT, "最後進貨日", 0, Plain),
            column(BUYDAT1, "最後進貨日1", 0, Plain),
            column(BUYDAT2, "最後進貨日2", 0, Plain),
            column(C_ITEM, "顏色群", 200, LeftTitle),
            column(S_ITEM, "尺寸群", 200, LeftTitle),
            column(KIND_NAME, "品牌名稱", 0, LeftTitle),
            column(CATE_NAME, "分類名稱", 0, LeftTitle),
        };
        for (int i = 0; i < 10; ++i) {
            const QByteArray title = QByteArray("洗標/成份") + QByteArray::number(i + 1);
            c.append(column(Field(NOTEA1 + i), title.constData(), 200, LeftTitle));
        }
        c.append({
            column(ENG_COLOR, "顏色(英文)", 120, LeftTitle),
            column(ENG_NAME, "品名(英文)", 180, LeftTitle),
            column(SUPP_INO, "廠商貨號", 0, Plain),
            column(SUPP_NAME, "廠商名稱", 200, Plain),
            column(UNIT_Q, "單位數", 0, LeftTitle),
        });
        return c;
    }();
    return all;
}

int cash1Column()
{
    return 9;
}

} // namespace ProductQueueTable
