#pragma once

#include "labelqueue/LabelTextRules.h"
#include "settings/CustomerOutputSettings.h"

#include <QByteArray>

#include <optional>
#include <vector>

class ProductRowSource;

// One entry of the customer export's column list, recognised once: a field's
// text at its width (the width its caption names), or a custom text.
struct CustomerColumn {
    int field = -1; // CustomerQueueTable field; -1 for a custom text
    int width = 0;
    QByteArray entry;
};

// Recognised by the entry's leading characters ("條碼", "客戶代號" …) or "#";
// an entry that matches no rule yields nothing: nullopt.
std::optional<CustomerColumn> recogniseCustomerColumn(const QByteArray &entry);

// The lines of "bar2/Bars.txt" (see writeLabelTextFile): the customer column
// entries, then the quantity and CR LF.
class CustomerLabelLines
{
public:
    explicit CustomerLabelLines(const CustomerOutputSettings &settings);

    // How many times the current row's line is written.
    qint64 repeatCount(const ProductRowSource &rows) const;
    // The current row's line, CR LF included, replacing the text of line.
    void build(QByteArray &line, const ProductRowSource &rows) const;

private:
    std::vector<CustomerColumn> columns_;
    LabelTextRules::Layout layout_;
    bool oneLinePerLabel_;
};
