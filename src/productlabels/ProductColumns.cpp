#include "productlabels/ProductColumns.h"

#include "components/Big5.h"
#include "components/NumberText.h"
#include "labelqueue/QueueRowSource.h"
#include "productlabels/ProductQueueTable.h"

#include <QList>

#include <cmath>

namespace {
using Kind = ProductColumn::Kind;
using namespace ProductQueueTable;

struct Rule {
    const char *text; // UTF-8
    bool wholeText;
    Kind kind;
    int field;
    int width;
};

// Checked in this order: the whole-text entries come before the leading
// texts they begin with.
const Rule rules[] = {
    {"產品條碼", false, Kind::Field, BARCODE, 20},
    {"產品貨號", false, Kind::Field, ITEM_NO, 20},
    {"品名", false, Kind::Field, ITEM_NAME, 42},
    {"顏色", false, Kind::Field, COLOR, 20},
    {"尺寸", false, Kind::Field, SIZES, 20},
    {"單位", false, Kind::Field, UNIT, 4},
    {"備註", false, Kind::Field, NOTES, 30},
    {"牌價", false, Kind::Field, PRICE, 8},
    {"特價(沒有依牌價)", true, Kind::SpecialOrListPrice, -1, 8},
    {"特價", false, Kind::SpecialPrice, -1, 8},
    {"廠商簡稱", false, Kind::Field, CUST_ABBR, 8},
    {"群組號碼", false, Kind::Field, ITEM1, 8},
    {"最後進貨日(5C月日)", true, Kind::Field, BUYDAT, 5},
    {"最後進貨日(年月日)", true, Kind::Field, BUYDAT2, 8},
    {"最後進貨日", true, Kind::Field, BUYDAT1, 10},
    {"系統日期", false, Kind::Today, -1, 10},
    {"品牌名稱", false, Kind::Field, KIND_NAME, 30},
    {"分類名稱", false, Kind::Field, CATE_NAME, 30},
    {"洗標備註一", false, Kind::Field, NOTEA1, 50},
    {"洗標備註二", false, Kind::Field, NOTEA2, 50},
    {"洗標備註三", false, Kind::Field, NOTEA3, 50},
    {"洗標備註四", false, Kind::Field, NOTEA4, 50},
    {"洗標備註五", false, Kind::Field, NOTEA5, 50},
    {"洗標備註六", false, Kind::Field, NOTEA6, 50},
    {"洗標備註七", false, Kind::Field, NOTEA7, 50},
    {"洗標備註八", false, Kind::Field, NOTEA8, 50},
    {"洗標備註九", false, Kind::Field, NOTEA9, 50},
    {"洗標備註十", false, Kind::Field, NOTEA10, 50},
    {"參考價", false, Kind::Field, LPRICE, 8},
    {"批價", false, Kind::Field, CASH1, 8},
    {"英文顏色", false, Kind::Field, ENG_COLOR, 20},
    {"英文品名", false, Kind::Field, ENG_NAME, 100},
    {"廠商貨號", false, Kind::Field, SUPP_INO, 20},
    {"廠商代號", false, Kind::Field, SUPP_NO, 20},
    {"群組顏色", false, Kind::Field, C_ITEM, 20},
    {"群組尺寸", false, Kind::Field, S_ITEM, 20},
    {"廠商名稱", false, Kind::Field, SUPP_NAME, 50},
    {"件數", false, Kind::Field, UNIT_Q, 8},
};

struct Big5Rule {
    QByteArray text;
    const Rule *rule;
};

const QList<Big5Rule> &big5Rules()
{
    static const QList<Big5Rule> list = [] {
        QList<Big5Rule> converted;
        for (const Rule &rule : rules) {
            converted.append({Big5::fromUtf8Literal(rule.text), &rule});
        }
        return converted;
    }();
    return list;
}

// A special price counts when it rounds (half to even) to a whole number other than 0.
bool hasSpecialPrice(std::optional<double> member)
{
    return member && std::nearbyint(*member) != 0;
}

QByteArrayView priceValue(QByteArray &scratch, std::optional<double> price)
{
    scratch = QByteArrayLiteral("$");
    if (price) {
        scratch.append(generalNumberText(*price));
    }
    return scratch;
}
} // namespace

bool ProductColumn::isNumberOrDate() const
{
    return kind == Kind::SpecialOrListPrice || kind == Kind::SpecialPrice || kind == Kind::Today || numericField;
}

std::optional<ProductColumn> recogniseProductColumn(const QByteArray &entry)
{
    if (entry.startsWith('#')) {
        return ProductColumn{Kind::CustomText, -1, 0, entry};
    }
    for (const Big5Rule &candidate : big5Rules()) {
        const bool matches = candidate.rule->wholeText ? entry == candidate.text : entry.startsWith(candidate.text);
        if (matches) {
            const Rule &rule = *candidate.rule;
            return ProductColumn{rule.kind, rule.field, rule.width, entry,
                                 rule.kind == Kind::Field && side().isNumeric(rule.field)};
        }
    }
    return std::nullopt;
}

QByteArrayView productColumnValue(QByteArray &scratch, const ProductColumn &column, const QueueRowSource &rows,
                                  const QByteArray &today)
{
    switch (column.kind) {
    case Kind::Field:
        if (column.numericField) {
            const std::optional<double> number = rows.number(column.field);
            scratch = number ? generalNumberText(*number) : QByteArray();
            return scratch;
        }
        return rows.text(column.field);
    case Kind::SpecialOrListPrice: {
        const std::optional<double> member = rows.number(MEMBER);
        return priceValue(scratch, hasSpecialPrice(member) ? member : rows.number(PRICE));
    }
    case Kind::SpecialPrice: {
        const std::optional<double> member = rows.number(MEMBER);
        return hasSpecialPrice(member) ? priceValue(scratch, member) : QByteArrayView();
    }
    case Kind::Today:
        return today;
    case Kind::CustomText:
        return QByteArrayView(column.entry).sliced(1);
    }
    return QByteArrayView();
}

void appendProductColumn(QByteArray &line, const ProductColumn &column, const QueueRowSource &rows,
                         LabelTextRules::Layout layout, const QByteArray &today)
{
    if (column.kind == Kind::CustomText) {
        LabelTextRules::appendCustomText(line, column.entry, layout);
        return;
    }
    QByteArray scratch;
    LabelTextRules::appendValue(line, productColumnValue(scratch, column, rows, today), column.width, layout);
}
