#include "customerlabels/CustomerLabelLines.h"

#include "components/Big5.h"
#include "customerlabels/CustomerQueueTable.h"
#include "settings/CustomerOutputSettings.h"

#include <QSet>

#include <gtest/gtest.h>

// The settings dialog offers the catalogue; the export writes what it
// recognises. Each entry must be a column of a field of its own, as wide as
// its caption says, and together they cover every field but the count.
TEST(CustomerLabelLines, everyCatalogueEntryIsAColumnOfItsOwnFieldAsWideAsItsCaption)
{
    QSet<int> covered;
    for (const QByteArray &entry : customerColumnCatalogue()) {
        const QString caption = Big5::decode(entry);
        SCOPED_TRACE(caption.toStdString());
        const std::optional<CustomerColumn> column = recogniseCustomerColumn(entry);
        ASSERT_TRUE(column.has_value());
        EXPECT_FALSE(column->isCustomText());
        const qsizetype open = caption.lastIndexOf(u'(');
        EXPECT_EQ(column->width, caption.mid(open + 1, caption.size() - open - 3).toInt()) << "(NNC) names the width";
        EXPECT_FALSE(covered.contains(column->field)) << "another entry has this field";
        covered.insert(column->field);
    }
    for (int field = 0; field < CustomerQueueTable::FieldCount; ++field) {
        EXPECT_EQ(covered.contains(field), field != CustomerQueueTable::QUAN)
            << CustomerQueueTable::fields().at(field).name.constData();
    }
}
