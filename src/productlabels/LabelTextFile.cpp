#include "productlabels/LabelTextFile.h"

#include "components/TextHelpers.h"
#include "labelqueue/ReplacingFile.h"
#include "productlabels/ProductReplyFields.h"
#include "productlabels/ProductRowSource.h"

ProductLabelLines::ProductLabelLines(const ProductOutputSettings &settings, const QDate &today)
    : layout_(settings.fixedWidth ? LabelTextRules::Layout::FixedWidth : LabelTextRules::Layout::Comma)
    , oneLinePerLabel_(settings.oneLinePerLabel)
    , today_(DateToSlashedText(today))
{
    for (const QByteArray &entry : settings.columns) {
        if (std::optional<ProductColumn> column = recogniseProductColumn(entry)) {
            columns_.push_back(std::move(*column));
        }
    }
}

qint64 ProductLabelLines::repeatCount(const ProductRowSource &rows) const
{
    if (rows.text(ProductReplyFields::BARCODE).isEmpty()) {
        return 0;
    }
    return LabelTextRules::labelCount(rows.number(ProductReplyFields::QUAN), oneLinePerLabel_);
}

std::optional<double> ProductLabelLines::count(const ProductRowSource &rows) const
{
    return rows.number(ProductReplyFields::QUAN);
}

void ProductLabelLines::build(QByteArray &line, const ProductRowSource &rows) const
{
    line.clear();
    for (const ProductColumn &column : columns_) {
        appendColumn(line, column, rows);
    }
    line.append(LabelTextRules::quantityText(rows.number(ProductReplyFields::QUAN), oneLinePerLabel_));
    line.append(LabelTextRules::lineEnd);
}

LabelTextFileResult writeProductLabelTextFile(ProductRowSource &rows, const ProductOutputSettings &settings,
                                              const QString &path, const QDate &today)
{
    return writeLabelTextFile(rows, ProductLabelLines(settings, today), ProductReplyFields::BARCODE, path);
}
