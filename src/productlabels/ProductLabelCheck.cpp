#include "productlabels/ProductLabelCheck.h"

#include "productlabels/ProductColumns.h"
#include "productlabels/ProductReplyFields.h"
#include "productlabels/ProductRowSource.h"

using namespace ProductReplyFields;

LabelCheckReport checkProductQueue(ProductRowSource &rows, const ProductOutputSettings &settings, const QDate &today)
{
    const ProductLabelLines lines(settings, today);
    LabelChecker checker(lines.layout(), lines.oneLinePerLabel(), rows.rowCount());
    for (const QByteArray &entry : settings.columns) {
        if (!recogniseProductColumn(entry)) {
            checker.unknownEntry(entry);
        } else if (entry.startsWith('#')) {
            checker.checkCustomText(entry);
        }
    }
    QByteArray scratch;
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QString readError = rows.read(row);
        if (!readError.isEmpty()) {
            checker.unreadableRow(row + 1, readError);
            continue;
        }
        if (checker.beginRow(row + 1, "BARCODE", rows.text(BARCODE), "QUAN", rows.number(QUAN)) == 0) {
            continue;
        }
        for (const ProductColumn &column : lines.columns()) {
            if (column.kind != ProductColumn::Kind::CustomText) {
                checker.checkValue(column.entry, productColumnValue(scratch, column, rows, lines.today()),
                                   column.width);
            }
        }
    }
    return checker.finish();
}

ProductLabelCards::ProductLabelCards(ProductRowSource &rows, const ProductOutputSettings &settings, const QDate &today)
    : rows_(rows)
    , lines_(settings, today)
    , report_(checkProductQueue(rows, settings, today))
{}

LabelCard ProductLabelCards::card(qint64 line)
{
    LabelCard card;
    card.row = rowOfLine(report_, line);
    if (card.row < 1 || card.row > rows_.rowCount() || !rows_.read(card.row - 1).isEmpty()) {
        return card;
    }
    card.barcode = rows_.text(BARCODE).toByteArray();
    const bool comma = lines_.layout() == LabelTextRules::Layout::Comma;
    for (const ProductColumn &column : lines_.columns()) {
        QByteArray value;
        appendProductColumn(value, column, rows_, lines_.layout(), lines_.today());
        if (comma) {
            value.chop(1);
        }
        card.columns.emplace_back(column.entry, value);
    }
    card.quantity = LabelTextRules::quantityText(rows_.number(QUAN), lines_.oneLinePerLabel());
    return card;
}
