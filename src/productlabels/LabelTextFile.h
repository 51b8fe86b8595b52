#pragma once

#include "labelqueue/LabelTextRules.h"
#include "productlabels/ProductColumns.h"
#include "settings/ProductOutputSettings.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

#include <vector>

class LabelRowSource;

// The lines of a label text file ("Bars.txt"): per row whose key field is not
// empty, the value of every recognised column entry in list order, then the
// quantity (position 0) and CR LF; in one-label-per-line mode as many
// identical lines as the rounded quantity, each ending in 1. Each label side
// supplies its column entries.
class LabelLines
{
public:
    LabelLines(int keyPosition, bool fixedWidth, bool oneLinePerLabel);
    virtual ~LabelLines() = default;

    // How many times line() is written for the current row of rows: 0 for a
    // row without key or, in one-label-per-line mode, a quantity below 1.
    qint64 repeatCount(const LabelRowSource &rows) const;
    // The current row's line, CR LF included, replacing the text of line.
    void build(QByteArray &line, const LabelRowSource &rows) const;

    LabelTextRules::Layout layout() const { return layout_; }
    bool oneLinePerLabel() const { return oneLinePerLabel_; }

protected:
    virtual void appendColumns(QByteArray &line, const LabelRowSource &rows) const = 0;

private:
    int keyPosition_;
    LabelTextRules::Layout layout_;
    bool oneLinePerLabel_;
};

// The product lines: key BARCODE, the product column entries.
class ProductLabelLines : public LabelLines
{
public:
    // Takes the layout, one-label-per-line and the column list of settings.
    ProductLabelLines(const ProductOutputSettings &settings, const QDate &today);

    const std::vector<ProductColumn> &columns() const { return columns_; }
    const QByteArray &today() const { return today_; }

protected:
    void appendColumns(QByteArray &line, const LabelRowSource &rows) const override;

private:
    std::vector<ProductColumn> columns_;
    QByteArray today_;
};

struct LabelTextFileResult {
    QString error; // empty when the new file is in place
    qint64 lines = 0;
    bool ok() const { return error.isEmpty(); }
};

// Writes a label text file at path. The new file replaces the old one only
// when it is complete; when anything fails (a row cannot be read, the
// directory cannot take the file, a write or the disk fails, the old file
// cannot be replaced) the old file stays as it was and error says why.
LabelTextFileResult writeLabelTextFile(LabelRowSource &rows, const LabelLines &lines, const QString &path);

LabelTextFileResult writeProductLabelTextFile(LabelRowSource &rows, const ProductOutputSettings &settings,
                                              const QString &path, const QDate &today);
