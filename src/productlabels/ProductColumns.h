#pragma once

#include "labelqueue/LabelTextRules.h"

#include <QByteArray>
#include <QDate>

#include <optional>

class QueueRowSource;

// One entry of the product export's column list, recognised once.
struct ProductColumn {
    enum class Kind {
        Field,              // a field's text, or a numeric field as general number text
        SpecialOrListPrice, // "特價(沒有依牌價)": "$" + MEMBER, or "$" + PRICE when MEMBER is 0
        SpecialPrice,       // "特價…": "$" + MEMBER, or nothing when MEMBER is 0
        Today,              // "系統日期…": yyyy/mm/dd
        CustomText,         // "#" + text
    };
    Kind kind = Kind::Field;
    int field = -1;            // ProductQueueTable field for Kind::Field
    int width = 0;             // bytes in fixed-width layout; custom texts are never padded
    QByteArray entry;          // the entry as listed (custom texts take their value from it)
    bool numericField = false; // a Kind::Field column of a numeric field, written as general number text

    bool isCustomText() const { return kind == Kind::CustomText; }
    // A number, a price or today's date: ASCII digits and signs, never a
    // comma, a line break or a Big5 character.
    bool isNumberOrDate() const;
};

// The rule an entry of the column list follows: by its leading text, or for
// "特價(沒有依牌價)" and the three "最後進貨日" entries by the whole text. The
// width is the column's own, not the figure in the caption ("顏色(8C)" is 20
// bytes wide). An entry that matches no rule yields nothing: nullopt.
std::optional<ProductColumn> recogniseProductColumn(const QByteArray &entry);

// One column's value for the current row of rows before the layout pads,
// cuts or separates it: a view of the row, of today, of the entry (a custom
// text, uncut) or of scratch.
QByteArrayView productColumnValue(QByteArray &scratch, const ProductColumn &column, const QueueRowSource &rows,
                                  const QByteArray &today);

// Appends one column's value for the current row of rows (see
// LabelTextRules::appendValue). today is the date "系統日期" writes.
void appendProductColumn(QByteArray &line, const ProductColumn &column, const QueueRowSource &rows,
                         LabelTextRules::Layout layout, const QByteArray &today);
