#include "productlabels/ProductConditions.h"

#include "exchange/RequestText.h"
#include "productlabels/RequestStart.h"

using RequestText::addWhenNotEmpty;
using RequestText::trimmedBlanks;

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
    QByteArray request = RequestStart::productImport(link, conditions.priceBranch);
    addWhenNotEmpty(request, "&item1=", conditions.item1);
    addWhenNotEmpty(request, "&sitem=", conditions.sitem);
    addWhenNotEmpty(request, "&eitem=", conditions.eitem);
    addWhenNotEmpty(request, "&barcode=", conditions.barcode);
    addWhenNotEmpty(request, "&cate_no=", conditions.cate_no);
    addWhenNotEmpty(request, "&kind_no=", conditions.kind_no);
    addWhenNotEmpty(request, "&supp_no=", conditions.supp_no);
    if (conditions.isquan) {
        request.append("&isquan=Y");
    }
    addWhenNotEmpty(request, "&color=", conditions.color);
    addWhenNotEmpty(request, "&sizes=", conditions.sizes);
    return request + expansion.requestText();
}
