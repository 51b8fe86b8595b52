#include "labelqueue/LabelQueueModel.h"

#include "components/Big5.h"
#include "labelqueue/DbfTable.h"
#include "labelqueue/LabelQueue.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

namespace {

// A queue of a few fields shaped like a label side's: numbers with two
// decimals, texts, and a read-only price column.
enum Field { QUAN, ITEM_NO, ITEM_NAME, COLOR, PRICE, LPRICE };

const QList<DbfFieldSpec> &fields()
{
    static const QList<DbfFieldSpec> all = {
        {"QUAN", DbfFieldType::Numeric, 10, 2, true},   {"ITEM_NO", DbfFieldType::Text, 20, 0, true},
        {"ITEM_NAME", DbfFieldType::Text, 60, 0, true}, {"COLOR", DbfFieldType::Text, 10, 0, true},
        {"PRICE", DbfFieldType::Numeric, 12, 2, true},  {"LPRICE", DbfFieldType::Numeric, 12, 2, true},
    };
    return all;
}

QueueColumn column(Field field, const char *title, bool readOnly = false)
{
    QueueColumn made;
    made.field = field;
    made.title = QString::fromUtf8(title);
    made.readOnly = readOnly;
    return made;
}

const QList<QueueColumn> &columns()
{
    static const QList<QueueColumn> all = {
        column(QUAN, "列印張數"),    column(ITEM_NO, "產品貨號/條碼", true),
        column(ITEM_NAME, "品名"),   column(COLOR, "顏色"),
        column(PRICE, "牌價", true), column(LPRICE, "參考價"),
    };
    return all;
}

struct Item {
    const char *itemNo;
    const char *name;
    std::optional<double> quan;
    std::optional<double> price;
};

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class LabelQueueModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = dir.filePath(QStringLiteral("queue.dbf"));
        ASSERT_TRUE(DbfTable::create(path, fields()).ok());
        ASSERT_TRUE(queue.open(path).ok());
        const Item items[] = {
            {"A0001", "棉T恤", 2, 1234.5},
            {"A0002", "長褲", 2.5, 990},
            {"A0003", "襪子", std::nullopt, 1200},
        };
        for (const Item &item : items) {
            DbfRecord r = queue.blankRecord();
            ASSERT_TRUE(r.setText(ITEM_NO, item.itemNo).ok());
            ASSERT_TRUE(r.setText(ITEM_NAME, Big5::fromUtf8Literal(item.name)).ok());
            ASSERT_TRUE(r.setNumber(QUAN, item.quan).ok());
            ASSERT_TRUE(r.setNumber(PRICE, item.price).ok());
            ASSERT_TRUE(queue.append(r).ok());
        }
        queue.first();
        model = std::make_unique<LabelQueueModel>(queue, columns());
        tester = std::make_unique<QAbstractItemModelTester>(model.get(),
                                                            QAbstractItemModelTester::FailureReportingMode::Fatal);
    }

    QModelIndex cell(int row, Field field) const { return model->index(row, int(field)); }

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
    std::unique_ptr<LabelQueueModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

} // namespace

TEST_F(LabelQueueModelTest, anEditIsInTheFileAsSoonAsItIsCommitted)
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

TEST_F(LabelQueueModelTest, aNameKeepsItsBytesUntilEditedAndUserDefinedCharactersEdit)
{
    // 0xFA 0x40 is a user-defined character; 0xA1 0x30 is no Big5 character.
    const QByteArray stored = Big5::fromUtf8Literal("王") + "\xfa\x40\xa1\x30";
    DbfRecord row = queue.readRow(0).value();
    ASSERT_TRUE(row.setText(ITEM_NAME, stored).ok());
    ASSERT_TRUE(queue.update(0, row, queue.readRow(0).value()).ok());
    tester.reset();
    model = std::make_unique<LabelQueueModel>(queue, columns());
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

TEST_F(LabelQueueModelTest, aBadEditIsRefusedWithAMessageAndChangesNothing)
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

TEST_F(LabelQueueModelTest, aNewRowIsStoredByItsFirstEditAndDroppedWhenLeftUntouched)
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

TEST_F(LabelQueueModelTest, deletingAndEmptyingKeepTheGridAndTheFileTogether)
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

TEST_F(LabelQueueModelTest, rowsAppendedByAnImportShowWithoutResettingTheGrid)
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
