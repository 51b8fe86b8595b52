#include "BranchAccess.h"
#include "ProductRecords.h"
#include "RequestFields.h"
#include "Scripts.h"
#include "SqlQuery.h"

namespace Scripts {

// "bran_no" is the branch whose prices (and, with isquan=Y, whose stock) the labels carry.
std::string products(Database &db, const RequestFields &fields)
{
    const BranchAccess access = BranchAccess::authenticate(db, fields);
    const bool inStockOnly = fields.trimmed("isquan") == "Y";

    SqlQuery query;
    ProductRecords::beginSelect(query, inStockOnly ? "st.quan" : "1");
    query.sql("product p");
    if (inStockOnly) {
        query.sql(" JOIN stock st ON st.item_no = p.item_no AND st.quan > 0 AND st.bran_no = ").param(access.branch());
    }
    ProductRecords::joinDetails(query, access.branch());
    query.equals("g.item1", fields.trimmed("item1"));
    query.codeRange("p.item_no", fields.trimmed("sitem"), fields.trimmed("eitem"));
    query.equals("p.barcode", fields.trimmed("barcode"));
    query.equals("g.cate_no", fields.trimmed("cate_no"));
    query.equals("g.kind_no", fields.trimmed("kind_no"));
    query.equals("g.supp_no", fields.trimmed("supp_no"));
    const std::string colour = fields.trimmed("color");
    if (!colour.empty()) {
        query.sql(" AND (co.color = ").param(colour).sql(" OR p.color_no = ").param(colour).sql(")");
    }
    query.equals("p.sizes", fields.trimmed("sizes"));
    query.sql(" ORDER BY p.item_no");
    return ProductRecords::write(db, query, fields);
}

} // namespace Scripts
