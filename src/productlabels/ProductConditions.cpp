#include "productlabels/ProductConditions.h"

#include "app/BranchList.h"

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

void addKey(QByteArray &request, const char *key, const QByteArray &value)
{
    if (!value.isEmpty()) {
        request.append(key).append(value);
    }
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
    addKey(request, "&item1=", conditions.item1);
    addKey(request, "&sitem=", conditions.sitem);
    addKey(request, "&eitem=", conditions.eitem);
    addKey(request, "&barcode=", conditions.barcode);
    addKey(request, "&cate_no=", conditions.cate_no);
    addKey(request, "&kind_no=", conditions.kind_no);
    addKey(request, "&supp_no=", conditions.supp_no);
    if (conditions.isquan) {
        request.append("&isquan=Y");
    }
    addKey(request, "&color=", conditions.color);
    addKey(request, "&sizes=", conditions.sizes);
    return request + expansion.requestText();
}
