#pragma once

#include "labelqueue/LabelLinesCheck.h"
#include "productlabels/ProductLabelLines.h"
#include "settings/ProductOutputSettings.h"

#include <QDate>

class QueueRowSource;

// Checks every row of the product queue against the output settings as the
// export would write them, with the export's own column rules.
LabelCheckReport checkProductQueue(QueueRowSource &rows, const ProductOutputSettings &settings, const QDate &today);

// The product labels for the preview: the check, then each line's values
// built by the export's rules on demand.
class ProductLabelCards : public LabelLinesCards<QueueRowSource, ProductLabelLines>
{
public:
    ProductLabelCards(QueueRowSource &rows, const ProductOutputSettings &settings, const QDate &today);
};
