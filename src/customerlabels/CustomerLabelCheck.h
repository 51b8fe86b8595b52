#pragma once

#include "customerlabels/CustomerLabelLines.h"
#include "labelqueue/LabelLinesCheck.h"
#include "settings/CustomerOutputSettings.h"

class QueueRowSource;

// Checks every row of the customer queue against its output settings as the
// export would write them, with the export's own column rules: a row without
// BAR_NO is skipped, QUAN gives its labels.
LabelCheckReport checkCustomerQueue(QueueRowSource &rows, const CustomerOutputSettings &settings);

// The customer labels for the preview: the check, then each line's values
// built by the export's rules on demand.
class CustomerLabelCards : public LabelLinesCards<QueueRowSource, CustomerLabelLines>
{
public:
    CustomerLabelCards(QueueRowSource &rows, const CustomerOutputSettings &settings);
};
