#pragma once

#include "labelqueue/LabelTextRules.h"
#include "settings/CustomerOutputSettings.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>
#include <vector>

class QueueRowSource;

// One entry of the customer export's column list, recognised once: a field's
// text at its width (the width its caption names), or a custom text.
struct CustomerColumn {
    int field = -1; // CustomerQueueTable field; -1 for a custom text
    int width = 0;
    QByteArray entry;

    bool isCustomText() const { return field < 0; }
    // Every customer value is a stored text.
    bool isNumberOrDate() const { return false; }
};

// Recognised by the entry's leading characters ("條碼", "客戶代號" …) or "#";
// an entry that matches no rule yields nothing: nullopt.
std::optional<CustomerColumn> recogniseCustomerColumn(const QByteArray &entry);

// One column's value for the current row of rows before the layout pads,
// cuts or separates it: the field's stored text, or the custom text uncut.
QByteArrayView customerColumnValue(const CustomerColumn &column, const QueueRowSource &rows);

// Appends one column's value for the current row of rows (see
// LabelTextRules::appendValue and appendCustomText).
void appendCustomerColumn(QByteArray &line, const CustomerColumn &column, const QueueRowSource &rows,
                          LabelTextRules::Layout layout);

// The lines of "bar2/Bars.txt" (see writeLabelTextFile): the customer column
// entries, then the quantity and CR LF.
class CustomerLabelLines
{
public:
    explicit CustomerLabelLines(const CustomerOutputSettings &settings);

    // How many times the current row's line is written.
    qint64 repeatCount(const QueueRowSource &rows) const;
    // The current row's count as the table holds it.
    std::optional<double> count(const QueueRowSource &rows) const;
    // The current row's line, CR LF included, replacing the text of line.
    void build(QByteArray &line, const QueueRowSource &rows) const;

    const std::vector<CustomerColumn> &columns() const { return columns_; }
    LabelTextRules::Layout layout() const { return layout_; }
    bool oneLinePerLabel() const { return oneLinePerLabel_; }

    // One column of the current row by these settings; customer values are
    // stored texts, so no scratch is needed.
    QByteArrayView columnValue(QByteArray &, const CustomerColumn &column, const QueueRowSource &rows) const
    {
        return customerColumnValue(column, rows);
    }
    void appendColumn(QByteArray &line, const CustomerColumn &column, const QueueRowSource &rows) const
    {
        appendCustomerColumn(line, column, rows, layout_);
    }
    static bool recognises(const QByteArray &entry) { return recogniseCustomerColumn(entry).has_value(); }

private:
    std::vector<CustomerColumn> columns_;
    LabelTextRules::Layout layout_;
    bool oneLinePerLabel_;
};
