#pragma once

#include "productlabels/LabelTextFile.h"
#include "settings/CustomerOutputSettings.h"

#include <optional>
#include <vector>

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

// The customer lines of "bar2/Bars.txt": key BAR_NO, the customer column entries.
class CustomerLabelLines : public LabelLines
{
public:
    explicit CustomerLabelLines(const CustomerOutputSettings &settings);

protected:
    void appendColumns(QByteArray &line, const LabelRowSource &rows) const override;

private:
    std::vector<CustomerColumn> columns_;
};
