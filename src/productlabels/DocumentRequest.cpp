#include "productlabels/DocumentRequest.h"

#include "components/DateFieldText.h"
#include "exchange/RequestText.h"
#include "productlabels/RequestStart.h"

#include <vector>

using RequestText::addWhenNotEmpty;

namespace {

enum class Piece { Dates, Numbers, Supplier, Register, LastReceipt, Expansion, Source };

using StartBuilder = QByteArray (*)(const LinkSettings &, const DocumentConditions &);

struct RequestLayout {
    StartBuilder start;
    std::vector<Piece> pieces;
};

QByteArray kindKey(DocumentKind kind)
{
    return QByteArrayLiteral("&kind=") + documentKindTraits(kind).code;
}

const RequestLayout &layoutOf(DocumentImport import)
{
    static const RequestLayout layouts[] = {
        {[](const LinkSettings &link, const DocumentConditions &c) {
             return RequestStart::purchaseImport(link, c.mbran, c.cbran);
         },
         {Piece::Dates, Piece::Numbers, Piece::Supplier, Piece::Expansion, Piece::Source}},
        {[](const LinkSettings &link, const DocumentConditions &c) {
             return RequestStart::stockTakeImport(link, c.mbran);
         },
         {Piece::Dates, Piece::Numbers, Piece::Expansion}},
        {[](const LinkSettings &link, const DocumentConditions &c) {
             return RequestStart::transferOutImport(link, c.mbran, c.cbran);
         },
         {Piece::Dates, Piece::Numbers, Piece::Expansion}},
        {[](const LinkSettings &link, const DocumentConditions &c) {
             return RequestStart::documentImport(link, kindKey(c.kind), c.mbran, c.cbran);
         },
         {Piece::Dates, Piece::Numbers, Piece::Register, Piece::LastReceipt, Piece::Expansion}},
    };
    return layouts[int(import)];
}

void addDate(QByteArray &request, const char *key, const QByteArray &date)
{
    if (!DateFieldText::isBlank(date)) {
        request.append(key).append(date);
    }
}

} // namespace

QByteArray documentImportRequest(DocumentImport import, const DocumentConditions &conditions, const LinkSettings &link,
                                 const ExpansionValues &expansion)
{
    const RequestLayout &layout = layoutOf(import);
    QByteArray request = layout.start(link, conditions);
    for (const Piece piece : layout.pieces) {
        switch (piece) {
        case Piece::Dates:
            addDate(request, "&sdat=", conditions.sdat);
            addDate(request, "&edat=", conditions.edat);
            break;
        case Piece::Numbers:
            addWhenNotEmpty(request, "&sb_no=", conditions.sb_no);
            addWhenNotEmpty(request, "&eb_no=", conditions.eb_no);
            break;
        case Piece::Supplier:
            addWhenNotEmpty(request, "&cust_no=", conditions.cust_no);
            break;
        case Piece::Register:
            addWhenNotEmpty(request, "&mach_no=", conditions.mach_no);
            break;
        case Piece::LastReceipt:
            request.append(conditions.lastReceipt ? "&is_last=Y" : "&is_last=N");
            break;
        case Piece::Expansion:
            request.append(expansion.requestText());
            break;
        case Piece::Source:
            request.append(conditions.consignment ? "&is_buyc=Y" : "&is_buyc=N");
            break;
        }
    }
    return request;
}
