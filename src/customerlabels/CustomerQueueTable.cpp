#include "customerlabels/CustomerQueueTable.h"

namespace CustomerQueueTable {
namespace {

DbfFieldSpec text(const char *name, int width)
{
    return {name, DbfFieldType::Text, width, 0, true};
}

QueueColumn column(Field field, const char *title, int width, bool titleCentred = true)
{
    QueueColumn c;
    c.field = field;
    c.title = QString::fromUtf8(title);
    c.width = width;
    c.titleCentred = titleCentred;
    return c;
}

} // namespace

QString fileName()
{
    return QStringLiteral("bar2.DBF");
}

const QList<DbfFieldSpec> &fields()
{
    // The label count keeps two decimals, as the product queue's does.
    static const QList<DbfFieldSpec> all = {
        {"QUAN", DbfFieldType::Numeric, 10, 2, true},
        text("CUST_NO", 20),
        text("CUST_NAME", 50),
        text("CUST_COM", 100),
        text("CUST_TEL", 20),
        text("MOBILE", 24),
        text("CLUB_NO", 8),
        text("CLUB_NAME", 20),
        text("POSTAL", 8),
        text("ADDRESS", 100),
        text("CARD_NO", 20),
        text("BAR_NO", 20),
    };
    return all;
}

const QList<QueueColumn> &columns()
{
    static const QList<QueueColumn> all = [] {
        QueueColumn quan = column(QUAN, "張數", 70);
        quan.titleHighlighted = true;
        return QList<QueueColumn>{
            quan,
            column(BAR_NO, "條碼", 0),
            column(CUST_NO, "客戶代號", 0),
            column(CUST_NAME, "姓名", 120),
            column(CUST_COM, "公司名稱", 300),
            column(CUST_TEL, "電話", 120),
            column(MOBILE, "行動", 132),
            column(CLUB_NO, "會員種類", 0),
            column(CLUB_NAME, "種類名稱", 0),
            column(POSTAL, "郵遞區號", 0, false),
            column(ADDRESS, "地址", 415),
            column(CARD_NO, "會員卡號", 0),
        };
    }();
    return all;
}

const QueueSide &side()
{
    static const QueueSide customer{
        fileName(),
        fields(),
        {QUAN, CUST_NO, CUST_NAME, CUST_COM, CUST_TEL, MOBILE, CLUB_NO, CLUB_NAME, POSTAL, ADDRESS, CARD_NO, BAR_NO},
        QStringLiteral("客戶資料"),
        CUST_NAME,
    };
    return customer;
}

} // namespace CustomerQueueTable
