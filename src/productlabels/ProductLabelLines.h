#pragma once

#include "labelqueue/LabelTextRules.h"
#include "labelqueue/LabelTextWriter.h"
#include "labelqueue/QueueRowSource.h"
#include "productlabels/ProductColumns.h"
#include "settings/ProductOutputSettings.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

#include <optional>
#include <vector>

// The lines of "Bars.txt" for the product queue: per row with a BARCODE, the
// value of every recognised column entry in list order, then the quantity and
// CR LF; in one-label-per-line mode as many identical lines as the rounded
// quantity, each ending in 1.
class ProductLabelLines
{
public:
    // Takes the layout, one-label-per-line and the column list of settings.
    ProductLabelLines(const ProductOutputSettings &settings, const QDate &today);

    // How many times line() is written for the current row of rows: 0 for a
    // row without BARCODE or, in one-label-per-line mode, a quantity below 1.
    qint64 repeatCount(const QueueRowSource &rows) const;
    // The current row's count as the table holds it.
    std::optional<double> count(const QueueRowSource &rows) const;
    // The current row's line, CR LF included, replacing the text of line.
    void build(QByteArray &line, const QueueRowSource &rows) const;

    const std::vector<ProductColumn> &columns() const { return columns_; }
    LabelTextRules::Layout layout() const { return layout_; }
    const QByteArray &today() const { return today_; }
    bool oneLinePerLabel() const { return oneLinePerLabel_; }

    // One column of the current row by these settings (see productColumnValue
    // and appendProductColumn).
    QByteArrayView columnValue(QByteArray &scratch, const ProductColumn &column, const QueueRowSource &rows) const
    {
        return productColumnValue(scratch, column, rows, today_);
    }
    void appendColumn(QByteArray &line, const ProductColumn &column, const QueueRowSource &rows) const
    {
        appendProductColumn(line, column, rows, layout_, today_);
    }
    static bool recognises(const QByteArray &entry) { return recogniseProductColumn(entry).has_value(); }

private:
    std::vector<ProductColumn> columns_;
    LabelTextRules::Layout layout_;
    bool oneLinePerLabel_;
    QByteArray today_;
};

// Writes the product label text file at path (see writeLabelTextFile).
LabelTextFileResult writeProductLabelTextFile(QueueRowSource &rows, const ProductOutputSettings &settings,
                                              const QString &path, const QDate &today);
