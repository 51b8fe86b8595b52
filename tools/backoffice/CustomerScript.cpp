#include "BranchAccess.h"
#include "Database.h"
#include "Refusal.h"
#include "ReplyWriter.h"
#include "RequestFields.h"
#include "Scripts.h"
#include "SqlQuery.h"

namespace {

// A birthday bound as MMDD; the end may run past December as month + 12
// (1309 is 9 January of the next year).
int birthdayBound(const RequestFields &fields, const std::string &key, int lastMonth)
{
    const std::string value = fields.trimmed(key);
    bool valid = value.size() == 4 && value.find_first_not_of("0123456789") == std::string::npos;
    const int month = valid ? std::stoi(value.substr(0, 2)) : 0;
    const int day = valid ? std::stoi(value.substr(2, 2)) : 0;
    valid = valid && month >= 1 && month <= lastMonth && day >= 1 && day <= 31;
    if (!valid) {
        throw Refusal(QStringLiteral("生日區間錯誤 : ") + QString::fromStdString(key) + QLatin1Char('=') +
                      QString::fromStdString(value));
    }
    return month * 100 + day;
}

std::string monthDay(int value)
{
    const std::string digits = std::to_string(value);
    return std::string(4 - std::min<size_t>(4, digits.size()), '0') + digits;
}

void birthdayWindow(SqlQuery &query, const RequestFields &fields)
{
    const bool hasStart = !fields.trimmed("sborn").empty();
    const bool hasEnd = !fields.trimmed("eborn").empty();
    if (!hasStart && !hasEnd) {
        return;
    }
    const int start = hasStart ? birthdayBound(fields, "sborn", 12) : 101;
    int end = hasEnd ? birthdayBound(fields, "eborn", 24) : 1231;
    const char *born = "(substr(c.born, 6, 2) || substr(c.born, 9, 2))";
    query.sql(" AND c.born <> ''");
    if (end > 1231) {
        end -= 1200;
    }
    if (end < start) {
        query.sql(" AND (").sql(born).sql(" >= ").param(monthDay(start));
        query.sql(" OR ").sql(born).sql(" <= ").param(monthDay(end)).sql(")");
    } else {
        query.sql(" AND ").sql(born).sql(" BETWEEN ").param(monthDay(start)).sql(" AND ").param(monthDay(end));
    }
}

} // namespace

namespace Scripts {

// A store reads the customers registered at its own branch; head office reads all.
// The barcode is the customer code, or with mcust=N the member card number.
std::string customers(Database &db, const RequestFields &fields)
{
    const BranchAccess access = BranchAccess::authenticate(db, fields);
    const bool barcodeFromCard = fields.trimmed("mcust") == "N";

    SqlQuery query;
    query.sql("SELECT c.cust_no, c.cust_name, c.cust_com, c.cust_tel, c.mobile, c.club_no, cl.club_name,"
              " c.postal, c.address, c.card_no FROM customer c LEFT JOIN club cl ON cl.club_no = c.club_no"
              " WHERE 1 = 1");
    query.codeRange("c.cust_no", fields.trimmed("scust"), fields.trimmed("ecust"));
    query.contains("c.cust_name", fields.trimmed("cust_name"));
    query.contains("c.cust_tel", fields.trimmed("cust_tel"));
    query.contains("c.mobile", fields.trimmed("mobile"));
    query.equals("c.club_no", fields.trimmed("club_no"));
    query.equals("c.bran_no", access.scope(fields.trimmed("tbran")));
    query.dateRange("c.created", requestDate(fields, "sdat"), requestDate(fields, "edat"));
    birthdayWindow(query, fields);
    query.sql(" ORDER BY c.cust_no");

    Statement rows = db.prepare(query.text());
    rows.bindAll(query.params());
    ReplyWriter reply;
    while (rows.step()) {
        reply.number(1);
        for (int column = 0; column < 10; ++column) {
            reply.value(rows.text(column));
        }
        reply.value(barcodeFromCard ? rows.text(9) : rows.text(0));
        reply.endRecord();
    }
    return reply.finish();
}

} // namespace Scripts
