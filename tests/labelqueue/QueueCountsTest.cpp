#include "labelqueue/QueueCounts.h"

#include "common/FullDisk.h"
#include "labelqueue/CountRuleAfterImport.h"
#include "labelqueue/CountRuleStore.h"
#include "labelqueue/DbfTable.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueSide.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QList<DbfFieldSpec> fields = {
    {"QUAN", DbfFieldType::Numeric, 10, 2, true},
    {"NAME", DbfFieldType::Text, 200, 0, true},
};
const QueueSide side{QStringLiteral("q.dbf"), fields, {0, 1}, QStringLiteral("資料")};

CountRule rule(const char *factor, const char *spares = "")
{
    CountRuleTexts texts;
    texts.factor = QLatin1String(factor);
    texts.sparesPerRow = QLatin1String(spares);
    return parseCountRule(texts).rule.value();
}

// A queue table of its own, its rows' counts given ("" for an empty one).
class QueueCountsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(DbfTable::create(path(), fields).ok());
        ASSERT_TRUE(queue.open(path()).ok());
    }

    QString path() const { return dir.filePath(QStringLiteral("q.dbf")); }

    void addRows(const QList<QByteArray> &counts)
    {
        for (const QByteArray &count : counts) {
            DbfRecord record = queue.blankRecord();
            ASSERT_TRUE(record.setNumberText(0, count).ok());
            ASSERT_TRUE(record.setText(1, "row " + count).ok());
            ASSERT_TRUE(queue.append(record).ok());
        }
    }

    // The counts as a queue that opens the file afresh reads them.
    QList<std::optional<double>> storedCounts() const
    {
        LabelQueue fresh(fields);
        EXPECT_TRUE(fresh.open(path()).ok());
        QList<std::optional<double>> counts;
        for (int row = 0; row < fresh.rowCount(); ++row) {
            counts.append(fresh.readRow(row).value().number(0));
        }
        return counts;
    }

    QByteArray fileBytes() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    LabelQueue queue{fields};
};

} // namespace

TEST_F(QueueCountsTest, aRuleWritesEveryChangedCountOfItsRowsOnly)
{
    addRows({"1", "2.5", "0", "", "-4", "3"});
    std::vector<int> firstFive;
    for (int row = 0; row < 5; ++row) {
        firstFive.push_back(queue.recordNumber(row));
    }
    const CountOutcome outcome = applyCountRuleToQueue(queue, side, rule("2", "1"), CountTarget{firstFive});
    ASSERT_TRUE(outcome.status.ok()) << outcome.status.error().toStdString();
    EXPECT_EQ(outcome.plan.rows, 5);
    EXPECT_EQ(outcome.plan.labelsBefore, -0.5);
    EXPECT_EQ(outcome.plan.labelsAfter, 3 + 6 + 0 - 4);
    EXPECT_EQ(countSummary(outcome.plan), QStringLiteral("共 5 筆，標籤 -0.5 → 5 張"));
    ASSERT_EQ(outcome.plan.leftAlone.size(), 3u);
    EXPECT_EQ(leftAloneReason(outcome.plan.leftAlone[0].result), QStringLiteral("張數為 0"));
    EXPECT_EQ(leftAloneReason(outcome.plan.leftAlone[1].result), QStringLiteral("張數空白"));
    EXPECT_EQ(leftAloneReason(outcome.plan.leftAlone[2].result), QStringLiteral("結果為負數（-7）"));
    EXPECT_EQ(outcome.plan.leftAlone[2].row, 4);
    const QList<std::optional<double>> expected = {3, 6, 0, std::nullopt, -4, 3};
    EXPECT_EQ(storedCounts(), expected) << "the sixth row was not in the rule's rows";
}

TEST_F(QueueCountsTest, nothingIsWrittenWhenTheWriteFailsHalfwayTheFieldIsTooNarrowOrTheTableIsHeld)
{
    addRows({"1", "2", "3", "4", "5", "6", "7", "8"});
    const QByteArray before = fileBytes();
    const auto refusedAndUnchanged = [&](const CountRule &applied, const char *says) {
        const CountOutcome outcome = applyCountRuleToQueue(queue, side, applied, CountTarget{});
        EXPECT_FALSE(outcome.status.ok());
        EXPECT_TRUE(outcome.status.error().contains(QString::fromUtf8(says))) << outcome.status.error().toStdString();
        EXPECT_EQ(fileBytes(), before);
    };
    {
        SCOPED_TRACE("the copy of the table fills the disk halfway through its rows");
        FullDisk full(rlim_t(before.size() / 2));
        refusedAndUnchanged(rule("3"), "沒有任何一筆被改變");
    }
    {
        SCOPED_TRACE("a count too wide for QUAN");
        refusedAndUnchanged(rule("10000000"), "QUAN");
    }
    {
        SCOPED_TRACE("another writer holds the table");
        LabelQueue other(fields);
        ASSERT_TRUE(other.open(path()).ok());
        ASSERT_TRUE(other.lock(TableFileLock::Mode::Exclusive).ok());
        refusedAndUnchanged(rule("3"), "使用中");
    }
    const CountOutcome applied = applyCountRuleToQueue(queue, side, rule("3"), CountTarget{});
    ASSERT_TRUE(applied.status.ok()) << applied.status.error().toStdString();
    EXPECT_EQ(storedCounts(), (QList<std::optional<double>>{3, 6, 9, 12, 15, 18, 21, 24}));
}

TEST_F(QueueCountsTest, aStoredRuleFollowsAnImportOnlyOverTheRowsItAdded)
{
    addRows({"5"});
    const QString programDir = dir.path();
    CountRuleStore store(programDir);
    ASSERT_EQ(store.store("purchase", StoredCountRule{rule("1", "2"), true}), QString());

    struct Rows : ReplyRecordSink {
        LabelQueue &queue;
        explicit Rows(LabelQueue &q)
            : queue(q)
        {}
        QString append(const ReplyRecord &) override
        {
            DbfRecord record = queue.blankRecord();
            record.setNumber(0, 4);
            return queue.append(record).error();
        }
    } writer(queue);
    AddedRowsSink added(writer, queue);
    ReplyRecord record;
    ASSERT_EQ(added.append(record), QString());
    ASSERT_EQ(added.append(record), QString());

    CountRuleStore read(programDir);
    read.load();
    ASSERT_TRUE(read.rule("purchase"));
    EXPECT_TRUE(read.rule("purchase")->automatic);
    EXPECT_FALSE(read.rule("product"));
    EXPECT_EQ(applyCountRuleAfterImport(queue, side, read.rule("purchase")->rule, added.recordNumbers()),
              QStringLiteral("張數規則：共 2 筆，標籤 8 → 12 張"));
    EXPECT_EQ(storedCounts(), (QList<std::optional<double>>{5, 6, 6}));
}

TEST_F(QueueCountsTest, aDamagedRulesFileHoldsNoRulesAndSaysWhy)
{
    const QString rules = QDir(dir.path()).filePath(CountRuleStore::fileName());
    const struct {
        const char *name;
        QByteArray text;
    } cases[] = {
        {"a factor that is no number", "[product]\r\nTimes=2\r\n[purchase]\r\nTimes=abc\r\n"},
        {"a switch that is neither 0 nor 1", "[product]\r\nTimes=2\r\nAuto=yes\r\n"},
        {"the least above the most", "[customer]\r\nMin=9\r\nMax=2\r\n"},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        QFile file(rules);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(row.text);
        file.close();
        CountRuleStore store(dir.path());
        store.load();
        EXPECT_TRUE(store.problem().contains(QStringLiteral("已損壞"))) << store.problem().toStdString();
        EXPECT_FALSE(store.rule("product"));
    }
    QFile::remove(rules);
    CountRuleStore missing(dir.path());
    missing.load();
    EXPECT_EQ(missing.problem(), QString());
    EXPECT_FALSE(missing.rule("product"));
}
