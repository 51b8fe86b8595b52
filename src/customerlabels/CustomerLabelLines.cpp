#include "customerlabels/CustomerLabelLines.h"

#include "components/Big5.h"
#include "customerlabels/CustomerQueueTable.h"
#include "labelqueue/QueueRowSource.h"

#include <QList>

#include <utility>

namespace {
using namespace CustomerQueueTable;

struct Rule {
    const char *text; // UTF-8
    Field field;
    int width;
};

const Rule rules[] = {
    {"條碼", BAR_NO, 20},    {"客戶代號", CUST_NO, 20}, {"姓名", CUST_NAME, 50},   {"公司名稱", CUST_COM, 100},
    {"電話", CUST_TEL, 20},  {"行動", MOBILE, 24},      {"會員種類", CLUB_NO, 8},  {"種類名稱", CLUB_NAME, 20},
    {"郵遞區號", POSTAL, 8}, {"地址", ADDRESS, 100},    {"會員卡號", CARD_NO, 20},
};

const QList<std::pair<QByteArray, const Rule *>> &big5Rules()
{
    static const QList<std::pair<QByteArray, const Rule *>> keyed = [] {
        QList<std::pair<QByteArray, const Rule *>> list;
        for (const Rule &rule : rules) {
            list.append({Big5::fromUtf8Literal(rule.text), &rule});
        }
        return list;
    }();
    return keyed;
}
} // namespace

std::optional<CustomerColumn> recogniseCustomerColumn(const QByteArray &entry)
{
    if (entry.startsWith('#')) {
        return CustomerColumn{-1, 0, entry};
    }
    for (const auto &[text, rule] : big5Rules()) {
        if (entry.startsWith(text)) {
            return CustomerColumn{rule->field, rule->width, entry};
        }
    }
    return std::nullopt;
}

QByteArrayView customerColumnValue(const CustomerColumn &column, const QueueRowSource &rows)
{
    return column.isCustomText() ? QByteArrayView(column.entry).sliced(1) : rows.text(column.field);
}

void appendCustomerColumn(QByteArray &line, const CustomerColumn &column, const QueueRowSource &rows,
                          LabelTextRules::Layout layout)
{
    if (column.isCustomText()) {
        LabelTextRules::appendCustomText(line, column.entry, layout);
        return;
    }
    LabelTextRules::appendValue(line, customerColumnValue(column, rows), column.width, layout);
}

CustomerLabelLines::CustomerLabelLines(const CustomerOutputSettings &settings)
    : layout_(settings.fixedWidth ? LabelTextRules::Layout::FixedWidth : LabelTextRules::Layout::Comma)
    , oneLinePerLabel_(settings.oneLinePerLabel)
{
    for (const QByteArray &entry : settings.columns) {
        if (std::optional<CustomerColumn> column = recogniseCustomerColumn(entry)) {
            columns_.push_back(std::move(*column));
        }
    }
}

qint64 CustomerLabelLines::repeatCount(const QueueRowSource &rows) const
{
    return LabelTextRules::labelCount(rows.number(QUAN), oneLinePerLabel_);
}

std::optional<double> CustomerLabelLines::count(const QueueRowSource &rows) const
{
    return rows.number(QUAN);
}

void CustomerLabelLines::build(QByteArray &line, const QueueRowSource &rows) const
{
    line.clear();
    for (const CustomerColumn &column : columns_) {
        appendCustomerColumn(line, column, rows, layout_);
    }
    line.append(LabelTextRules::quantityText(rows.number(QUAN), oneLinePerLabel_));
    line.append(LabelTextRules::lineEnd);
}
