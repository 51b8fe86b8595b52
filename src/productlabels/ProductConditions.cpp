#include "productlabels/ProductConditions.h"

#include "app/BranchList.h"
#include "app/RequestPieces.h"

namespace {
// Blanks as the dialog's fields know them: spaces and control characters.
QByteArray trimmedBlanks(const QByteArray &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && quint8(text.at(begin)) <= ' ') {
        ++begin;
    }
    while (end > begin && quint8(text.at(end - 1)) <= ' ') {
        --end;
    }
    return text.sliced(begin, end - begin);
}

} // namespace

ProductConditionsCheck checkProductConditions(ProductConditions &conditions)
{
    QByteArray *const fields[] = {&conditions.item1,   &conditions.sitem,   &conditions.eitem,
                                  &conditions.barcode, &conditions.cate_no, &conditions.kind_no,
                                  &conditions.supp_no, &conditions.color,   &conditions.sizes};
    bool any = false;
    for (QByteArray *field : fields) {
        *field = trimmedBlanks(*field);
        any = any || !field->isEmpty();
    }
    return any ? ProductConditionsCheck::Accept : ProductConditionsCheck::AskImportAll;
}

QByteArray productImportRequest(const ProductConditions &conditions, const LinkSettings &link,
                                const ExpansionValues &expansion)
{
    QByteArray request = BranchRequest::productImport(link, conditions.priceBranch);
    appendCondition(request, "&item1=", conditions.item1);
    appendCondition(request, "&sitem=", conditions.sitem);
    appendCondition(request, "&eitem=", conditions.eitem);
    appendCondition(request, "&barcode=", conditions.barcode);
    appendCondition(request, "&cate_no=", conditions.cate_no);
    appendCondition(request, "&kind_no=", conditions.kind_no);
    appendCondition(request, "&supp_no=", conditions.supp_no);
    if (conditions.isquan) {
        request.append("&isquan=Y");
    }
    appendCondition(request, "&color=", conditions.color);
    appendCondition(request, "&sizes=", conditions.sizes);
    return request + expansion.requestText();
}
