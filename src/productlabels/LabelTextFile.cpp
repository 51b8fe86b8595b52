#include "productlabels/LabelTextFile.h"

#include "components/TextHelpers.h"
#include "labelqueue/ReplacingFile.h"
#include "productlabels/LabelRowSource.h"
#include "productlabels/ProductReplyFields.h"

#include <QDir>

namespace {
// Every reply record starts with the quantity.
constexpr int quantityPosition = 0;
} // namespace

LabelLines::LabelLines(int keyPosition, bool fixedWidth, bool oneLinePerLabel)
    : keyPosition_(keyPosition)
    , layout_(fixedWidth ? LabelTextRules::Layout::FixedWidth : LabelTextRules::Layout::Comma)
    , oneLinePerLabel_(oneLinePerLabel)
{}

qint64 LabelLines::repeatCount(const LabelRowSource &rows) const
{
    if (rows.text(keyPosition_).isEmpty()) {
        return 0;
    }
    return LabelTextRules::labelCount(rows.number(quantityPosition), oneLinePerLabel_);
}

void LabelLines::build(QByteArray &line, const LabelRowSource &rows) const
{
    line.clear();
    appendColumns(line, rows);
    line.append(LabelTextRules::quantityText(rows.number(quantityPosition), oneLinePerLabel_));
    line.append(LabelTextRules::lineEnd);
}

ProductLabelLines::ProductLabelLines(const ProductOutputSettings &settings, const QDate &today)
    : LabelLines(ProductReplyFields::BARCODE, settings.fixedWidth, settings.oneLinePerLabel)
    , today_(DateToSlashedText(today))
{
    for (const QByteArray &entry : settings.columns) {
        if (std::optional<ProductColumn> column = recogniseProductColumn(entry)) {
            columns_.push_back(std::move(*column));
        }
    }
}

void ProductLabelLines::appendColumns(QByteArray &line, const LabelRowSource &rows) const
{
    for (const ProductColumn &column : columns_) {
        appendProductColumn(line, column, rows, layout(), today_);
    }
}

LabelTextFileResult writeLabelTextFile(LabelRowSource &rows, const LabelLines &lines, const QString &path)
{
    LabelTextFileResult result;
    const auto fail = [&](const QString &reason) {
        result.error =
            QStringLiteral("文字檔 %1 無法寫出: %2。原來的文字檔未變更。").arg(QDir::toNativeSeparators(path), reason);
        result.lines = 0;
        return result;
    };
    ReplacingFile file(path);
    if (!file.open()) {
        return fail(file.errorString());
    }
    QByteArray line;
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QString readError = rows.read(row);
        if (!readError.isEmpty()) {
            file.cancel();
            return fail(QStringLiteral("第 %1 筆讀不出來: %2").arg(row + 1).arg(readError));
        }
        const qint64 repeat = lines.repeatCount(rows);
        if (repeat == 0) {
            continue;
        }
        lines.build(line, rows);
        for (qint64 copy = 0; copy < repeat && !file.failed(); ++copy) {
            file.write(line);
        }
        result.lines += repeat;
    }
    if (!file.commit()) {
        return fail(file.errorString());
    }
    return result;
}

LabelTextFileResult writeProductLabelTextFile(LabelRowSource &rows, const ProductOutputSettings &settings,
                                              const QString &path, const QDate &today)
{
    return writeLabelTextFile(rows, ProductLabelLines(settings, today), path);
}
