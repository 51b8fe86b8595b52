#include "productlabels/ProductQueueModel.h"

#include "components/Big5.h"
#include "labelqueue/DbfTable.h"
#include "labelqueue/LabelQueue.h"
#include "productlabels/ProductQueueTable.h"

#include <QAbstractItemModelTester>
#include <QFile>
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

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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

    std::vector<QByteArray> storedItemNumbers() const
    {
        LabelQueue reopened(fields());
        EXPECT_TRUE(reopened.open(path).ok());
        std::vector<QByteArray> items;
        for (int row = 0; row < reopened.rowCount(); ++row) {
            items.push_back(reopened.readRow(row).value().text(ITEM_NO));
        }
        return items;
    }

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

TEST_F(ProductQueueModelTest, anEditIsInTheFileAsSoonAsItIsCommitted)
{
    QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
    ASSERT_TRUE(model->setData(cell(1, QUAN), QStringLiteral("5")));
    ASSERT_TRUE(model->setData(cell(1, ITEM_NAME), QStringLiteral("牛仔褲")));
    ASSERT_TRUE(model->setData(cell(2, LPRICE), 1500.0));
    EXPECT_EQ(changed.count(), 3);
    EXPECT_EQ(queue.currentRow(), 2);
    EXPECT_FALSE(queue.atStart() || queue.atEnd());

    LabelQueue reopened(fields());
    ASSERT_TRUE(reopened.open(path).ok());
    EXPECT_EQ(reopened.readRow(1).value().number(QUAN), 5.0);
    EXPECT_EQ(reopened.readRow(1).value().text(ITEM_NAME), Big5::fromUtf8Literal("牛仔褲"));
    EXPECT_EQ(reopened.readRow(2).value().number(LPRICE), 1500.0);
    EXPECT_EQ(model->data(cell(1, ITEM_NAME)).toString(), QStringLiteral("牛仔褲"));
}

TEST_F(ProductQueueModelTest, aNameKeepsItsBytesUntilEditedAndUserDefinedCharactersEdit)
{
    // 0xFA 0x40 is a user-defined character; 0xA1 0x30 is no Big5 character.
    const QByteArray stored = Big5::fromUtf8Literal("王") + "\xfa\x40\xa1\x30";
    DbfRecord row = queue.readRow(0).value();
    ASSERT_TRUE(row.setText(ITEM_NAME, stored).ok());
    ASSERT_TRUE(queue.update(0, row, queue.readRow(0).value()).ok());
    tester.reset();
    model = std::make_unique<ProductQueueModel>(queue);
    const auto storedName = [this] {
        LabelQueue reopened(fields());
        EXPECT_TRUE(reopened.open(path).ok());
        return reopened.readRow(0).value().text(ITEM_NAME);
    };

    const QString shown = model->data(cell(0, ITEM_NAME)).toString();
    EXPECT_EQ(shown, QStringLiteral("王\uE000\uFFFD0"));
    EXPECT_TRUE(model->setData(cell(0, ITEM_NAME), shown)) << model->lastError().toStdString();
    EXPECT_EQ(storedName(), stored);

    ASSERT_TRUE(model->setData(cell(0, ITEM_NAME), QStringLiteral("王\uE000明\uF848")))
        << model->lastError().toStdString();
    EXPECT_EQ(storedName(), Big5::fromUtf8Literal("王") + "\xfa\x40" + Big5::fromUtf8Literal("明") + "\xc8\xfe");
    EXPECT_EQ(model->data(cell(0, ITEM_NAME)).toString(), QStringLiteral("王\uE000明\uF848"));
}

TEST_F(ProductQueueModelTest, aBadEditIsRefusedWithAMessageAndChangesNothing)
{
    const QByteArray before = fileBytes(path);
    QSignalSpy errors(model.get(), &LabelQueueModel::errorOccurred);
    struct Case {
        const char *name;
        Field field;
        QVariant value;
        QString expected;
    } cases[] = {
        {"not a number", QUAN, QStringLiteral("abc"), QStringLiteral("abc")},
        {"grouped number", LPRICE, QStringLiteral("1,200"), QStringLiteral("1,200")},
        {"whole part too wide once rounded", QUAN, QStringLiteral("9999999.995"), QStringLiteral("寬度")},
        {"too many digits", LPRICE, QStringLiteral("12345678901"), QStringLiteral("寬度")},
        {"not in Big5", ITEM_NAME, QStringLiteral("条码"), QStringLiteral("条")},
        {"wider than the field", COLOR, QStringLiteral("深藍色加白條"), QStringLiteral("10")},
        {"read-only column", PRICE, QStringLiteral("1"), QStringLiteral("牌價")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const int errorsBefore = int(errors.count());
        EXPECT_FALSE(model->setData(cell(0, c.field), c.value));
        EXPECT_EQ(errors.count(), errorsBefore + 1);
        EXPECT_TRUE(model->lastError().contains(c.expected)) << model->lastError().toStdString();
    }
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(model->data(cell(0, QUAN)).toString(), QStringLiteral("2"));
}

TEST_F(ProductQueueModelTest, aNewRowIsStoredByItsFirstEditAndDroppedWhenLeftUntouched)
{
    QSignalSpy inserted(model.get(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(model.get(), &QAbstractItemModel::rowsRemoved);
    ASSERT_TRUE(queue.moveTo(2));

    EXPECT_EQ(model->appendBlankRow(), 3);
    EXPECT_EQ(model->rowCount(), 4);
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_TRUE(queue.atEnd());
    EXPECT_EQ(model->data(cell(3, QUAN)).toString(), QString());
    // Committing an editor that was not changed leaves the new row untouched.
    EXPECT_TRUE(model->setData(cell(3, ITEM_NAME), QString()));
    EXPECT_TRUE(model->hasBlankRow());

    model->dropBlankRow();
    EXPECT_EQ(model->rowCount(), 3);
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(queue.currentRow(), 2);
    EXPECT_FALSE(queue.atStart() || queue.atEnd());
    EXPECT_EQ(storedItemNumbers().size(), 3u);

    EXPECT_EQ(model->appendBlankRow(), 3);
    ASSERT_TRUE(model->setData(cell(3, QUAN), QStringLiteral("4")));
    EXPECT_FALSE(model->hasBlankRow());
    EXPECT_EQ(model->rowCount(), 4);
    EXPECT_EQ(queue.currentRow(), 3);
    ASSERT_TRUE(model->setData(cell(3, ITEM_NAME), QStringLiteral("帽子")));
    model->dropBlankRow();
    EXPECT_EQ(model->rowCount(), 4);
    EXPECT_EQ(storedItemNumbers(), (std::vector<QByteArray>{"A0001", "A0002", "A0003", ""}));

    // Moving away from a new row drops it first, as leaving the grid does.
    model->appendBlankRow();
    EXPECT_TRUE(model->movePrior());
    EXPECT_EQ(model->rowCount(), 4);
    EXPECT_EQ(queue.currentRow(), 2);
}

TEST_F(ProductQueueModelTest, deletingAndEmptyingKeepTheGridAndTheFileTogether)
{
    QSignalSpy current(model.get(), &LabelQueueModel::currentRowChanged);
    ASSERT_TRUE(model->removeRows(0, 1));
    EXPECT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->data(cell(0, ITEM_NO)).toString(), QStringLiteral("A0002"));
    EXPECT_EQ(storedItemNumbers(), (std::vector<QByteArray>{"A0002", "A0003"}));

    ASSERT_TRUE(model->moveNext());
    ASSERT_TRUE(model->deleteCurrentRow().ok());
    EXPECT_EQ(model->rowCount(), 1);
    EXPECT_EQ(queue.currentRow(), 0);
    EXPECT_EQ(current.last().at(0).toInt(), 0);

    model->appendBlankRow();
    QSignalSpy reset(model.get(), &QAbstractItemModel::modelReset);
    ASSERT_TRUE(model->emptyQueue().ok());
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_TRUE(queue.atStart() && queue.atEnd());
    EXPECT_TRUE(storedItemNumbers().empty());
    EXPECT_FALSE(model->deleteCurrentRow().ok());
}

TEST_F(ProductQueueModelTest, rowsAppendedByAnImportShowWithoutResettingTheGrid)
{
    QSignalSpy inserted(model.get(), &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(model.get(), &QAbstractItemModel::modelReset);
    for (int i = 0; i < 2; ++i) {
        DbfRecord r = queue.blankRecord();
        ASSERT_TRUE(r.setText(ITEM_NO, QByteArray("IMPORT") + QByteArray::number(i)).ok());
        ASSERT_TRUE(queue.append(r).ok());
    }
    model->rowsAppendedToQueue();
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(model->rowCount(), 5);
    EXPECT_EQ(model->data(cell(4, ITEM_NO)).toString(), QStringLiteral("IMPORT1"));

    queue.close();
    model->reload();
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_EQ(model->appendBlankRow(), -1);
    EXPECT_FALSE(model->flags(model->index(0, 0)) & Qt::ItemIsEditable);
}

} // namespace
