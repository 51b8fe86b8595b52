#include "app/QueueTables.h"

#include "customerlabels/CustomerQueueTable.h"
#include "labelqueue/LabelQueue.h"
#include "productlabels/ProductQueueTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Outcome = QueueTableCreation::Outcome;

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<Outcome> outcomes(const QList<QueueTableCreation> &created)
{
    std::vector<Outcome> result;
    for (const QueueTableCreation &table : created) {
        result.push_back(table.outcome);
    }
    return result;
}

TEST(QueueTables, createsBothEmptyTablesWithTheirFieldsAndCodePage)
{
    QTemporaryDir dir;
    const QList<QueueTableCreation> created = createQueueTables(dir.path());
    ASSERT_EQ(created.size(), 2);
    EXPECT_EQ(created.at(0).fileName, QStringLiteral("bar1.dbf"));
    EXPECT_EQ(created.at(1).fileName, QStringLiteral("bar2.DBF"));
    EXPECT_EQ(outcomes(created), (std::vector<Outcome>{Outcome::Created, Outcome::Created}));

    struct Table {
        QString name;
        QList<DbfFieldSpec> fields;
        int fieldCount;
    } tables[] = {
        {ProductQueueTable::fileName(), ProductQueueTable::fields(), 39},
        {CustomerQueueTable::fileName(), CustomerQueueTable::fields(), 12},
    };
    for (const Table &table : tables) {
        SCOPED_TRACE(table.name.toStdString());
        const QString path = dir.filePath(table.name);
        const QByteArray bytes = fileBytes(path);
        ASSERT_EQ(bytes.size(), 32 + 32 * table.fieldCount + 1 + 1);
        EXPECT_EQ(quint8(bytes.at(29)), 0x78);
        LabelQueue queue(table.fields);
        ASSERT_TRUE(queue.open(path).ok());
        EXPECT_EQ(queue.rowCount(), 0);
        for (int field = 0; field < table.fields.size(); ++field) {
            EXPECT_EQ(queue.fieldWidth(field), table.fields.at(field).width);
        }
    }
}

TEST(QueueTables, neverTouchesATableThatIsAlreadyThereInAnyCase)
{
    QTemporaryDir dir;
    // As other tools name it.
    const QString bar2 = dir.filePath(QStringLiteral("bar2.dbf"));
    {
        QFile existing(bar2);
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("someone else's table");
    }
    const QList<QueueTableCreation> created = createQueueTables(dir.path());
    EXPECT_EQ(outcomes(created), (std::vector<Outcome>{Outcome::Created, Outcome::AlreadyExisted}));
    EXPECT_EQ(created.at(1).fileName, QStringLiteral("bar2.dbf"));
    EXPECT_EQ(fileBytes(bar2), QByteArray("someone else's table"));

    const QByteArray bar1 = fileBytes(dir.filePath(QStringLiteral("bar1.dbf")));
    EXPECT_EQ(outcomes(createQueueTables(dir.path())),
              (std::vector<Outcome>{Outcome::AlreadyExisted, Outcome::AlreadyExisted}));
    EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("bar1.dbf"))), bar1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);

    const QList<QueueTableCreation> nowhere = createQueueTables(dir.filePath(QStringLiteral("missing")));
    EXPECT_EQ(outcomes(nowhere), (std::vector<Outcome>{Outcome::Failed, Outcome::Failed}));
    EXPECT_TRUE(nowhere.at(0).error.contains(QStringLiteral("bar1.dbf")));
}

TEST(QueueTables, openByTheirBareNamesInTheWorkingDirectory)
{
    QTemporaryDir dir;
    ASSERT_EQ(outcomes(createQueueTables(dir.path())), (std::vector<Outcome>{Outcome::Created, Outcome::Created}));
    // A file differing only in case is another file here; the queue must open the one it names.
    {
        QFile other(dir.filePath(QStringLiteral("bar2.dbf")));
        ASSERT_TRUE(other.open(QIODevice::WriteOnly));
        other.write("not the customer queue");
    }
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    LabelQueue products(ProductQueueTable::fields());
    LabelQueue customers(CustomerQueueTable::fields());
    const DbfStatus productsOpened = products.open(ProductQueueTable::fileName());
    const DbfStatus customersOpened = customers.open(CustomerQueueTable::fileName());
    DbfRecord row = customers.blankRecord();
    row.setText(CustomerQueueTable::BAR_NO, "C0001");
    const DbfStatus stored = customers.append(row);
    QDir::setCurrent(previous);

    EXPECT_TRUE(productsOpened.ok()) << productsOpened.error().toStdString();
    EXPECT_TRUE(customersOpened.ok()) << customersOpened.error().toStdString();
    EXPECT_TRUE(stored.ok()) << stored.error().toStdString();
    EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("bar2.dbf"))), QByteArray("not the customer queue"));
    LabelQueue reopened(CustomerQueueTable::fields());
    ASSERT_TRUE(reopened.open(dir.filePath(QStringLiteral("bar2.DBF"))).ok());
    EXPECT_EQ(reopened.readRow(0).value().text(CustomerQueueTable::BAR_NO), QByteArray("C0001"));
}

TEST(CustomerQueueTable, gridShowsTheTwelveFieldsWithTheCountFirst)
{
    using namespace CustomerQueueTable;
    ASSERT_EQ(fields().size(), FieldCount);
    const std::vector<int> gridOrder = {QUAN,   BAR_NO,  CUST_NO,   CUST_NAME, CUST_COM, CUST_TEL,
                                        MOBILE, CLUB_NO, CLUB_NAME, POSTAL,    ADDRESS,  CARD_NO};
    ASSERT_EQ(columns().size(), qsizetype(gridOrder.size()));
    for (int c = 0; c < columns().size(); ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(columns().at(c).field, gridOrder[size_t(c)]);
        EXPECT_FALSE(columns().at(c).readOnly);
        EXPECT_EQ(columns().at(c).titleCentred, columns().at(c).field != POSTAL);
    }
    EXPECT_TRUE(columns().at(0).titleHighlighted);
    EXPECT_EQ(columns().at(10).width, 415);
}

} // namespace
