#include "productlabels/ProductLabelLines.h"

#include "components/TextHelpers.h"
#include "productlabels/ProductQueueTable.h"

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

qint64 ProductLabelLines::repeatCount(const QueueRowSource &rows) const
{
    if (rows.text(ProductQueueTable::BARCODE).isEmpty()) {
        return 0;
    }
    return LabelTextRules::labelCount(rows.number(ProductQueueTable::QUAN), oneLinePerLabel_);
}

std::optional<double> ProductLabelLines::count(const QueueRowSource &rows) const
{
    return rows.number(ProductQueueTable::QUAN);
}

void ProductLabelLines::build(QByteArray &line, const QueueRowSource &rows) const
{
    line.clear();
    for (const ProductColumn &column : columns_) {
        appendColumn(line, column, rows);
    }
    line.append(LabelTextRules::quantityText(rows.number(ProductQueueTable::QUAN), oneLinePerLabel_));
    line.append(LabelTextRules::lineEnd);
}

LabelTextFileResult writeProductLabelTextFile(QueueRowSource &rows, const ProductOutputSettings &settings,
                                              const QString &path, const QDate &today)
{
    return writeLabelTextFile(rows, ProductLabelLines(settings, today), ProductQueueTable::BARCODE, path);
}
