#include "ProductRecords.h"

#include "Database.h"
#include "Refusal.h"
#include "ReplyWriter.h"
#include "RequestFields.h"
#include "SqlQuery.h"

#include <unordered_map>

namespace {

enum Column {
    Quantity,
    ItemNo,
    Barcode,
    ItemName,
    Colour,
    Size,
    Unit,
    Price,
    Member,
    SupplierNo,
    SupplierAbbr,
    GroupNo,
    Notes,
    LastPurchase,
    BrandName,
    CategoryName,
    CareLine1,
    ReferencePrice = CareLine1 + 10,
    WholesalePrice,
    EnglishColour,
    EnglishName,
    SupplierItemNo,
    SupplierName,
    UnitsPerItem,
};

const char *const kColumns = ", p.item_no, p.barcode, g.item_name, co.color, p.sizes, g.unit,"
                             " COALESCE(bp.price, g.price), COALESCE(bp.member, g.member),"
                             " g.supp_no, s.cust_abbr, g.item1, g.notes,"
                             " (SELECT MAX(d2.dat) FROM document_line l2 JOIN document d2"
                             " ON d2.kind = l2.kind AND d2.doc_no = l2.doc_no"
                             " WHERE l2.item_no = p.item_no AND l2.kind = 'purchase'),"
                             " k.kind_name, c.cate_name,"
                             " g.notea1, g.notea2, g.notea3, g.notea4, g.notea5,"
                             " g.notea6, g.notea7, g.notea8, g.notea9, g.notea10,"
                             " g.lprice, COALESCE(bp.cash1, g.cash1), co.eng_color, g.eng_name, g.supp_ino,"
                             " s.supp_name, g.unit_q FROM ";

const char *const kJoins = " JOIN item_group g ON g.item1 = p.item1"
                           " LEFT JOIN colour co ON co.color_no = p.color_no"
                           " LEFT JOIN supplier s ON s.supp_no = g.supp_no"
                           " LEFT JOIN brand k ON k.kind_no = g.kind_no"
                           " LEFT JOIN category c ON c.cate_no = g.cate_no"
                           " LEFT JOIN branch_price bp ON bp.item1 = g.item1 AND bp.bran_no = ";

// "Y": the group's colours (or sizes) joined by the separator; "C": the item's
// own value first, then that list in parentheses, as in 紅色(紅色/白色/黑色).
class GroupExpansion
{
public:
    GroupExpansion(const RequestFields &fields, const std::string &modeKey, const std::string &separatorKey)
        : mode_(fields.raw(modeKey))
        , separator_(fields.raw(separatorKey))
    {
        if (mode_ != "" && mode_ != "Y" && mode_ != "C") {
            throw Refusal(QStringLiteral("展開參數錯誤 : ") + QString::fromStdString(modeKey) + QLatin1Char('=') +
                          QString::fromStdString(mode_));
        }
    }

    bool wanted() const { return !mode_.empty(); }

    // Rows of (group, value) in display order.
    void load(Database &db, const char *sql)
    {
        Statement statement = db.prepare(sql);
        while (statement.step()) {
            std::string &list = lists_[std::string(statement.text(0))];
            if (!list.empty()) {
                list.append(separator_);
            }
            list.append(statement.text(1));
        }
    }

    std::string_view expand(std::string_view group, std::string_view own)
    {
        key_.assign(group);
        const auto found = lists_.find(key_);
        const std::string_view list = found == lists_.end() ? std::string_view() : std::string_view(found->second);
        if (mode_ == "Y") {
            return list;
        }
        result_.assign(own).append("(").append(list).append(")");
        return result_;
    }

private:
    std::string mode_;
    std::string separator_;
    std::unordered_map<std::string, std::string> lists_;
    std::string key_;
    std::string result_;
};

void writePurchaseDates(ReplyWriter &reply, std::string_view date)
{
    if (date.size() != 10) {
        reply.value({});
        reply.value({});
        reply.value({});
        return;
    }
    const std::string monthDay(date.substr(5, 5));
    const std::string digits =
        std::string(date.substr(0, 4)) + std::string(date.substr(5, 2)) + std::string(date.substr(8, 2));
    reply.value(monthDay);
    reply.value(date);
    reply.value(digits);
}

} // namespace

namespace ProductRecords {

void beginSelect(SqlQuery &query, const char *quantity)
{
    query.sql("SELECT ").sql(quantity).sql(kColumns);
}

void joinDetails(SqlQuery &query, const std::string &priceBranch)
{
    query.sql(kJoins).param(priceBranch).sql(" WHERE 1 = 1");
}

void joinDetailsPricedBy(SqlQuery &query, const char *branchColumn)
{
    query.sql(kJoins).sql(branchColumn).sql(" WHERE 1 = 1");
}

std::string write(Database &db, const SqlQuery &query, const RequestFields &fields)
{
    GroupExpansion colours(fields, "c14", "c14a");
    GroupExpansion sizes(fields, "s14", "s14a");
    if (colours.wanted()) {
        colours.load(db, "SELECT DISTINCT p.item1, co.color, co.sort_order FROM product p"
                         " JOIN colour co ON co.color_no = p.color_no ORDER BY p.item1, co.sort_order, co.color");
    }
    if (sizes.wanted()) {
        sizes.load(db, "SELECT DISTINCT p.item1, p.sizes, z.sort_order FROM product p"
                       " LEFT JOIN size z ON z.sizes = p.sizes ORDER BY p.item1, z.sort_order, p.sizes");
    }

    Statement rows = db.prepare(query.text());
    rows.bindAll(query.params());
    ReplyWriter reply;
    while (rows.step()) {
        reply.number(rows.number(Quantity));
        for (int column = ItemNo; column <= Unit; ++column) {
            reply.value(rows.text(column));
        }
        reply.number(rows.number(Price));
        reply.number(rows.number(Member));
        reply.value(rows.text(SupplierNo));
        reply.value(rows.text(SupplierAbbr));
        reply.value(rows.text(GroupNo));
        reply.value(rows.text(Notes));
        writePurchaseDates(reply, rows.text(LastPurchase));
        reply.value(colours.wanted() ? colours.expand(rows.text(GroupNo), rows.text(Colour)) : std::string_view());
        reply.value(sizes.wanted() ? sizes.expand(rows.text(GroupNo), rows.text(Size)) : std::string_view());
        reply.value(rows.text(BrandName));
        reply.value(rows.text(CategoryName));
        for (int line = 0; line < 10; ++line) {
            reply.value(rows.text(CareLine1 + line));
        }
        reply.number(rows.number(ReferencePrice));
        reply.number(rows.number(WholesalePrice));
        reply.value(rows.text(EnglishColour));
        reply.value(rows.text(EnglishName));
        reply.value(rows.text(SupplierItemNo));
        reply.value(rows.text(SupplierName));
        reply.number(rows.number(UnitsPerItem));
        reply.endRecord();
    }
    return reply.finish();
}

} // namespace ProductRecords
