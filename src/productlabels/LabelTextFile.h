#pragma once

#include "labelqueue/LabelTextRules.h"
#include "labelqueue/LabelTextWriter.h"
#include "productlabels/ProductColumns.h"
#include "productlabels/ProductRowSource.h"
#include "settings/ProductOutputSettings.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

#include <optional>
#include <vector>

class ProductRowSource;

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
    qint64 repeatCount(const ProductRowSource &rows) const;
    // The current row's count as the table holds it.
    std::optional<double> count(const ProductRowSource &rows) const;
    // The current row's line, CR LF included, replacing the text of line.
    void build(QByteArray &line, const ProductRowSource &rows) const;

    const std::vector<ProductColumn> &columns() const { return columns_; }
    LabelTextRules::Layout layout() const { return layout_; }
    const QByteArray &today() const { return today_; }
    bool oneLinePerLabel() const { return oneLinePerLabel_; }

    // One column of the current row by these settings (see productColumnValue
    // and appendProductColumn).
    QByteArrayView columnValue(QByteArray &scratch, const ProductColumn &column, const ProductRowSource &rows) const
    {
        return productColumnValue(scratch, column, rows, today_);
    }
    void appendColumn(QByteArray &line, const ProductColumn &column, const ProductRowSource &rows) const
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

// Writes the product label text file at path. The new file replaces the old
// one only when it is complete and holds a line; when no row gives a line, or
// anything fails (a row cannot be read, the directory cannot take the file, a
// write or the disk fails, the old file cannot be replaced) the old file stays
// as it was and error says why.
LabelTextFileResult writeProductLabelTextFile(ProductRowSource &rows, const ProductOutputSettings &settings,
                                              const QString &path, const QDate &today);

// Both exports' file: for each row whose key field is filled, lines.build()
// written lines.repeatCount() times. The file's rules are those above.
template <class Lines>
LabelTextFileResult writeLabelTextFile(ProductRowSource &rows, const Lines &lines, int keyPosition, const QString &path)
{
    LabelTextWriter file(path);
    if (!file.open()) {
        return file.commit();
    }
    QByteArray line;
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QString readError = rows.read(row);
        if (!readError.isEmpty()) {
            return file.abandon(QStringLiteral("第 %1 筆讀不出來: %2").arg(row + 1).arg(readError));
        }
        if (rows.text(keyPosition).isEmpty()) {
            continue;
        }
        const QString refused = LabelTextRules::countRefusal(lines.count(rows));
        if (!refused.isEmpty()) {
            return file.abandon(QStringLiteral("第 %1 筆的%2").arg(row + 1).arg(refused));
        }
        const qint64 repeat = lines.repeatCount(rows);
        const QString tooManyLines = LabelTextRules::lineTotalRefusal(file.lines() + repeat);
        if (!tooManyLines.isEmpty()) {
            return file.abandon(tooManyLines);
        }
        if (repeat > 0) {
            lines.build(line, rows);
        }
        file.writeRow(line, repeat);
    }
    return file.commit();
}
