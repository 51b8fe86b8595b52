#include "BranchAccess.h"
#include "ProductRecords.h"
#include "Refusal.h"
#include "RequestFields.h"
#include "Scripts.h"
#include "SqlQuery.h"

namespace {

// The lines of one kind of document, each with its document quantity. "mbran" is
// the branch that issued the documents; a store may name only itself, and without
// it a store still reads only its own documents.
class DocumentLines
{
public:
    DocumentLines(const RequestFields &fields, const BranchAccess &access, const char *kind)
        : fields_(fields)
        , issuer_(access.scope(fields.trimmed("mbran")))
        , from_(requestDate(fields, "sdat"))
        , to_(requestDate(fields, "edat"))
        , kind_(kind)
    {
        ProductRecords::beginSelect(query_, "l.quan");
        // CROSS JOIN keeps the documents outermost, read in date order from their index,
        // so only each document's lines are sorted.
        query_.sql("document d CROSS JOIN document_line l ON l.kind = d.kind AND l.doc_no = d.doc_no"
                   " JOIN product p ON p.item_no = l.item_no");
    }

    // Prices of "cbran"; without it the chain's list prices.
    void pricedByRequest(const BranchAccess &access)
    {
        const std::string priceBranch = fields_.trimmed("cbran");
        access.checkMayRead(priceBranch);
        ProductRecords::joinDetails(query_, priceBranch);
        addCommonConditions();
    }

    // Prices of the branch that issued each document.
    void pricedByIssuer()
    {
        ProductRecords::joinDetailsPricedBy(query_, "d.bran_no");
        addCommonConditions();
    }

    void numberRange() { query_.codeRange("d.doc_no", fields_.trimmed("sb_no"), fields_.trimmed("eb_no")); }

    SqlQuery &query() { return query_; }
    const std::string &from() const { return from_; }
    const std::string &to() const { return to_; }

    std::string reply(Database &db)
    {
        query_.sql(" ORDER BY d.dat, d.doc_no, l.line_no");
        return ProductRecords::write(db, query_, fields_);
    }

private:
    void addCommonConditions()
    {
        query_.equals("d.kind", kind_);
        query_.equals("d.bran_no", issuer_);
        query_.dateRange("d.dat", from_, to_);
    }

    const RequestFields &fields_;
    std::string issuer_;
    std::string from_;
    std::string to_;
    std::string kind_;
    SqlQuery query_;
};

const char *documentKind(const std::string &code)
{
    if (code == "A") {
        return "order";
    }
    if (code == "B") {
        return "wholesale";
    }
    if (code == "C") {
        return "consignment";
    }
    if (code == "D") {
        return "sale";
    }
    throw Refusal(QStringLiteral("單據種類錯誤 : kind=") + QString::fromStdString(code));
}

} // namespace

namespace Scripts {

std::string purchases(Database &db, const RequestFields &fields)
{
    const BranchAccess access = BranchAccess::authenticate(db, fields);
    DocumentLines lines(fields, access, "purchase");
    lines.pricedByRequest(access);
    lines.numberRange();
    lines.query().equals("d.supp_no", fields.trimmed("cust_no"));
    const std::string consignment = fields.trimmed("is_buyc");
    if (consignment == "Y" || consignment == "N") {
        lines.query().equals("d.is_buyc", consignment);
    }
    return lines.reply(db);
}

std::string stockTakes(Database &db, const RequestFields &fields)
{
    const BranchAccess access = BranchAccess::authenticate(db, fields);
    DocumentLines lines(fields, access, "stocktake");
    lines.pricedByIssuer();
    lines.numberRange();
    return lines.reply(db);
}

std::string transfersOut(Database &db, const RequestFields &fields)
{
    const BranchAccess access = BranchAccess::authenticate(db, fields);
    DocumentLines lines(fields, access, "transfer");
    lines.pricedByRequest(access);
    lines.numberRange();
    return lines.reply(db);
}

// Register numbers belong to store sales only; for the other kinds "mach_no" is ignored.
std::string documents(Database &db, const RequestFields &fields)
{
    const BranchAccess access = BranchAccess::authenticate(db, fields);
    const std::string kindCode = fields.trimmed("kind");
    const char *kind = documentKind(kindCode);
    const bool storeSale = kindCode == "D";
    const std::string cashRegister = fields.trimmed("mach_no");
    const bool lastReceipt = fields.trimmed("is_last") == "Y";
    if (lastReceipt && !storeSale) {
        throw Refusal(QStringLiteral("若要取最後單號,請點選門市銷售單"));
    }
    if (lastReceipt && cashRegister.empty()) {
        throw Refusal(QStringLiteral("取最後單號必需輸入機台"));
    }

    DocumentLines lines(fields, access, kind);
    lines.pricedByRequest(access);
    if (storeSale) {
        lines.query().equals("d.mach_no", cashRegister);
    }
    if (lastReceipt) {
        // The register's latest receipt (within the dates, when given) instead of a number range.
        SqlQuery &query = lines.query();
        query.sql(" AND d.doc_no = (SELECT d2.doc_no FROM document d2 WHERE d2.kind = d.kind"
                  " AND d2.bran_no = d.bran_no AND d2.mach_no = d.mach_no");
        query.dateRange("d2.dat", lines.from(), lines.to());
        query.sql(" ORDER BY d2.dat DESC, d2.doc_no DESC LIMIT 1)");
    } else {
        lines.numberRange();
    }
    return lines.reply(db);
}

} // namespace Scripts
