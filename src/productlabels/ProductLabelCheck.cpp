#include "productlabels/ProductLabelCheck.h"

#include "productlabels/ProductReplyFields.h"
#include "productlabels/ProductRowSource.h"

namespace {
const LabelRowKeys productKeys{ProductReplyFields::BARCODE, "BARCODE", ProductReplyFields::QUAN, "QUAN"};
} // namespace

LabelCheckReport checkProductQueue(ProductRowSource &rows, const ProductOutputSettings &settings, const QDate &today)
{
    return checkLabelLines(rows, ProductLabelLines(settings, today), settings.columns, productKeys);
}

ProductLabelCards::ProductLabelCards(ProductRowSource &rows, const ProductOutputSettings &settings, const QDate &today)
    : LabelLinesCards(rows, ProductLabelLines(settings, today), settings.columns, productKeys)
{}
