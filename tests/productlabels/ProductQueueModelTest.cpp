#include "productlabels/ProductQueueModel.h"

#include "components/Big5.h"
#include "labelqueue/DbfTable.h"
#include "labelqueue/LabelQueue.h"
#include "productlabels/ProductQueueTable.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace ProductQueueTable;

struct Product {
    const char *itemNo;
    const char *name;
    std::optional<double> quan;
    std::optional<double> price;
    std::optional<double> member;
};

class ProductQueueModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = dir.filePath(fileName());
        ASSERT_TRUE(DbfTable::create(path, fields()).ok());
        ASSERT_TRUE(queue.open(path).ok());
        const Product products[] = {
            {"A0001", "棉T恤", 2, 1234.5, 0},
            {"A0002", "長褲", 2.5, 990, std::nullopt},
            {"A0003", "襪子", std::nullopt, 1200, 790},
        };
        for (const Product &p : products) {
            DbfRecord r = queue.blankRecord();
            ASSERT_TRUE(r.setText(ITEM_NO, p.itemNo).ok());
            ASSERT_TRUE(r.setText(ITEM_NAME, Big5::fromUtf8Literal(p.name)).ok());
            ASSERT_TRUE(r.setNumber(QUAN, p.quan).ok());
            ASSERT_TRUE(r.setNumber(PRICE, p.price).ok());
            ASSERT_TRUE(r.setNumber(MEMBER, p.member).ok());
            ASSERT_TRUE(queue.append(r).ok());
        }
        queue.first();
        model = std::make_unique<ProductQueueModel>(queue);
        tester = std::make_unique<QAbstractItemModelTester>(model.get(),
                                                            QAbstractItemModelTester::FailureReportingMode::Fatal);
    }

    int columnOf(Field field) const
    {
        for (int c = 0; c < columns().size(); ++c) {
            if (columns().at(c).field == field) {
                return c;
            }
        }
        return -1;
    }

    QModelIndex cell(int row, Field field) const { return model->index(row, columnOf(field)); }

    QTemporaryDir dir;
    QString path;
    LabelQueue queue{fields()};
    std::unique_ptr<ProductQueueModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST(ProductQueueTable, schemaHoldsTheFieldsAndTheGridInItsOrder)
{
    ASSERT_EQ(fields().size(), FieldCount);
    ASSERT_EQ(FieldCount, 39);
    EXPECT_EQ(fields().at(ITEM_NAME).name, QByteArray("ITEM_NAME"));
    EXPECT_EQ(fields().at(ITEM_NAME).width, 60);
    EXPECT_EQ(fields().at(BUYDAT).width, 5);
    EXPECT_EQ(fields().at(NOTEA10).name, QByteArray("NOTEA10"));
    EXPECT_EQ(fields().at(UNIT_Q).type, DbfFieldType::Numeric);
    EXPECT_FALSE(fields().at(NOTE2).required);
    EXPECT_FALSE(fields().at(SYSDAT).required);

    const std::vector<int> gridOrder = {QUAN,      ITEM_NO,  BARCODE,  ITEM_NAME, COLOR,     SIZES,     UNIT,   PRICE,
                                        MEMBER,    CASH1,    LPRICE,   SUPP_NO,   CUST_ABBR, ITEM1,     NOTES,  BUYDAT,
                                        BUYDAT1,   BUYDAT2,  C_ITEM,   S_ITEM,    KIND_NAME, CATE_NAME, NOTEA1, NOTEA2,
                                        NOTEA3,    NOTEA4,   NOTEA5,   NOTEA6,    NOTEA7,    NOTEA8,    NOTEA9, NOTEA10,
                                        ENG_COLOR, ENG_NAME, SUPP_INO, SUPP_NAME, UNIT_Q};
    ASSERT_EQ(columns().size(), qsizetype(gridOrder.size()));
    std::vector<int> readOnly;
    for (int c = 0; c < columns().size(); ++c) {
        SCOPED_TRACE(c);
        const QueueColumn &column = columns().at(c);
        EXPECT_EQ(column.field, gridOrder[size_t(c)]);
        EXPECT_EQ(column.titleCentred, c < 18 || c == 34 || c == 35);
        if (column.readOnly) {
            readOnly.push_back(column.field);
        }
    }
    EXPECT_EQ(readOnly, (std::vector<int>{ITEM_NO, BARCODE, UNIT, PRICE, MEMBER, CASH1, SUPP_NO, CUST_ABBR}));
    EXPECT_EQ(columns().at(cash1Column()).field, CASH1);
    EXPECT_EQ(columns().at(22).title, QStringLiteral("洗標/成份1"));
    EXPECT_EQ(columns().at(31).title, QStringLiteral("洗標/成份10"));
}

TEST_F(ProductQueueModelTest, showsEachColumnWithItsTitleAlignmentAndFormat)
{
    ASSERT_EQ(model->rowCount(), 3);
    ASSERT_EQ(model->columnCount(), 37);
    struct Case {
        int row;
        Field field;
        QString display;
    } cases[] = {
        {0, PRICE, QStringLiteral("1,235")},
        {0, MEMBER, QStringLiteral("0")},
        {1, MEMBER, QString()},
        {0, QUAN, QStringLiteral("2")},
        {1, QUAN, QStringLiteral("2.5")},
        {2, QUAN, QString()},
        {2, PRICE, QStringLiteral("1,200")},
        {0, ITEM_NAME, QStringLiteral("棉T恤")},
        {2, ITEM_NO, QStringLiteral("A0003")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << " " << fields().at(c.field).name.constData());
        EXPECT_EQ(model->data(cell(c.row, c.field)).toString(), c.display);
    }
    EXPECT_EQ(model->data(cell(0, PRICE), Qt::EditRole).toString(), QStringLiteral("1234.5"));
    EXPECT_EQ(model->data(cell(0, PRICE), Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(model->data(cell(0, ITEM_NAME), Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignVCenter));

    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("列印張數"));
    EXPECT_TRUE(model->headerData(0, Qt::Horizontal, LabelQueueModel::TitleHighlightRole).toBool());
    EXPECT_EQ(model->headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    EXPECT_EQ(model->headerData(columnOf(UNIT_Q), Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignLeft | Qt::AlignVCenter));
    EXPECT_EQ(model->displayChars(columnOf(COLOR)), 10);
    EXPECT_EQ(model->column(columnOf(ITEM_NAME)).width, 300);
}

TEST_F(ProductQueueModelTest, theWholesalePriceColumnOpensOnlyWithThePriceOption)
{
    const int cash1 = cash1Column();
    const QSignalSpy headerChanged(model.get(), &QAbstractItemModel::headerDataChanged);
    EXPECT_FALSE(model->flags(model->index(0, cash1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model->headerData(cash1, Qt::Horizontal, LabelQueueModel::TitleHighlightRole).toBool());
    EXPECT_FALSE(model->setData(model->index(0, cash1), QStringLiteral("500")));
    EXPECT_TRUE(model->flags(cell(0, LPRICE)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model->flags(cell(0, PRICE)) & Qt::ItemIsEditable);

    model->setPriceEditable(true);
    EXPECT_EQ(headerChanged.count(), 1);
    EXPECT_TRUE(model->flags(model->index(0, cash1)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model->headerData(cash1, Qt::Horizontal, LabelQueueModel::TitleHighlightRole).toBool());
    ASSERT_TRUE(model->setData(model->index(0, cash1), QStringLiteral("500")));
    EXPECT_EQ(model->data(model->index(0, cash1)).toString(), QStringLiteral("500"));

    model->setPriceEditable(false);
    EXPECT_FALSE(model->flags(model->index(0, cash1)) & Qt::ItemIsEditable);
}

} // namespace
