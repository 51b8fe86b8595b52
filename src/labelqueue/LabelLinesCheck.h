#pragma once

#include "labelqueue/LabelCards.h"
#include "labelqueue/LabelCheck.h"

#include <QByteArray>
#include <QList>

#include <type_traits>
#include <utility>
#include <vector>

// The fields a label side's rows hang on, by position in its rows and by name
// as findings show them: a row without a key gives no line, the count field
// gives its labels.
struct LabelRowKeys {
    int keyPosition = -1;
    const char *keyName = "";
    int countPosition = -1;
    const char *countName = "";
};

// The check and the cards of any label side, driven by the lines its export
// writes with (ProductLabelLines, CustomerLabelLines). Those give layout(),
// oneLinePerLabel(), columns() (each with entry, width, isCustomText() and
// isNumberOrDate()), columnValue(scratch, column, rows) before padding or
// cutting, appendColumn(line, column, rows) as the file gets it, and
// recognises(entry) for an entry of the column list.

// Checks the column list's entries once, then every row of rows.
template <class Rows, class Lines>
LabelCheckReport checkLabelLines(Rows &rows, const Lines &lines, const QList<QByteArray> &entries,
                                 const LabelRowKeys &keys)
{
    // Held as the export holds it, the rows stand still and are read the
    // export's fast way; when another program holds the table they are read
    // as they are all the same.
    const bool held = rows.beginReading().isEmpty();
    LabelChecker checker(lines.layout(), lines.oneLinePerLabel(), rows.rowCount());
    for (const QByteArray &entry : entries) {
        if (!Lines::recognises(entry)) {
            checker.unknownEntry(entry);
        } else if (entry.startsWith('#')) {
            checker.checkCustomText(entry);
        }
    }
    if (lines.columns().empty()) {
        checker.noColumns();
    }
    // Custom texts were checked once above. Between commas a number or a date
    // has nothing that could go wrong, so it is not even made.
    const bool fixedWidth = lines.layout() == LabelTextRules::Layout::FixedWidth;
    using Column = typename std::decay_t<decltype(lines.columns())>::value_type;
    std::vector<const Column *> checked;
    for (const auto &column : lines.columns()) {
        if (!column.isCustomText() && (fixedWidth || !column.isNumberOrDate())) {
            checked.push_back(&column);
        }
    }
    QByteArray scratch;
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QString readError = rows.read(row);
        if (!readError.isEmpty()) {
            checker.unreadableRow(row + 1, readError);
            continue;
        }
        if (checker.beginRow(row + 1, keys.keyName, rows.text(keys.keyPosition), keys.countName,
                             rows.number(keys.countPosition)) == 0) {
            continue;
        }
        for (const auto *column : checked) {
            checker.checkValue(column->entry, lines.columnValue(scratch, *column, rows), column->width);
        }
    }
    if (held) {
        rows.endReading();
    }
    return checker.finish();
}

// A side's labels for the preview: the check, then each line's values built
// by the export's rules when asked for.
template <class Rows, class Lines>
class LabelLinesCards : public LabelCardSource
{
public:
    LabelLinesCards(Rows &rows, Lines lines, const QList<QByteArray> &entries, const LabelRowKeys &keys)
        : rows_(rows)
        , lines_(std::move(lines))
        , keys_(keys)
        , report_(checkLabelLines(rows, lines_, entries, keys))
    {}

    const LabelCheckReport &report() const override { return report_; }

    LabelCard card(qint64 line) override
    {
        LabelCard card;
        card.row = rowOfLine(report_, line);
        if (card.row < 1 || card.row > rows_.rowCount() || !rows_.read(card.row - 1).isEmpty()) {
            return card;
        }
        card.barcode = rows_.text(keys_.keyPosition).toByteArray();
        const bool comma = lines_.layout() == LabelTextRules::Layout::Comma;
        for (const auto &column : lines_.columns()) {
            QByteArray value;
            lines_.appendColumn(value, column, rows_);
            if (comma) {
                value.chop(1);
            }
            card.columns.emplace_back(column.entry, value);
        }
        card.quantity = LabelTextRules::quantityText(rows_.number(keys_.countPosition), lines_.oneLinePerLabel());
        return card;
    }

private:
    Rows &rows_;
    Lines lines_;
    LabelRowKeys keys_;
    LabelCheckReport report_;
};
