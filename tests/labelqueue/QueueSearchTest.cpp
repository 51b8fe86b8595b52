#include "labelqueue/QueueSearch.h"

#include "components/Big5.h"
#include "labelqueue/DbfTable.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueFinder.h"
#include "labelqueue/QueueRowSubset.h"
#include "labelqueue/RowMatcher.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <vector>

namespace {

QByteArray big5(const char *utf8)
{
    return Big5::encode(QString::fromUtf8(utf8)).bytes;
}

TEST(RowMatcherTest, matchesWholeCharactersFoldingCaseAndWidth)
{
    const struct {
        const char *name;
        const char *text;
        QByteArray value;
        bool matches;
    } cases[] = {
        {"a Chinese word", "紅色", big5("紅色T恤"), true},
        {"bytes straddling two characters", "溺", big5("絲襪"), false},         // 絲襪 is B5B7 C4FB, 溺 is B7C4
        {"a full-width digit inside two characters", "4", big5("閒麻"), false}, // A2B3 is ４
        {"the same typed full-width", "４", big5("閒麻"), false},
        {"a backslash as a trail byte", "\\", big5("許功蓋"), false},
        {"after trail bytes that look like ASCII", "蓋", big5("許功蓋"), true},
        {"ASCII case, lower typed", "tee", "TEE SHIRT", true},
        {"ASCII case, upper typed", "SHIRT", "tee shirt", true},
        {"full-width typed, half-width stored", "ＴＥＥ３", "tee3", true},
        {"half-width typed, full-width stored", "tee3", big5("ＴＥＥ３號"), true},
        {"full-width w to z, across Big5 rows", "ｗｘｙｚ", "WXYZ", true},
        {"full-width letter is still its own letter", "Ａ", "B", false},
        {"another character", "藍", big5("紅色"), false},
        {"a text longer than the value", "紅色T恤外套", big5("紅色T恤"), false},
        {"a lone lead byte at the end", "a", "a\xA4", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const RowMatcher matcher(QString::fromUtf8(c.text));
        ASSERT_EQ(matcher.wordCount(), 1);
        EXPECT_EQ(matcher.contains(c.value, 0), c.matches);
    }
}

TEST(RowMatcherTest, wordsSplitAtBlanksAndAnEmojiMatchesNothingWithAReason)
{
    EXPECT_EQ(RowMatcher(QStringLiteral(" 紅  M　鞋 ")).wordCount(), 3) << "the full-width blank splits too";
    EXPECT_TRUE(RowMatcher(QStringLiteral("   ")).isEmpty());
    const RowMatcher emoji(QString::fromUtf8("紅 \xF0\x9F\x98\x80"));
    EXPECT_FALSE(emoji.isEmpty());
    EXPECT_EQ(emoji.wordCount(), 0);
    EXPECT_TRUE(emoji.problem().contains(QString::fromUtf8("\xF0\x9F\x98\x80")));
}

TEST(RowMatcherTest, aNarrowerTextIsKnownByItsWords)
{
    const struct {
        const char *text;
        const char *broader;
        bool narrows;
    } cases[] = {
        {"紅色", "紅", true}, {"紅", "紅色", false}, {"紅 M", "紅", true},   {"紅", "紅 M", false},
        {"ABC", "b", true},   {"ｂｃ", "BC", true},  {"紅 M", "M 紅", true}, {"xM", "M 紅", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + c.broader);
        EXPECT_EQ(RowMatcher(QString::fromUtf8(c.text)).narrows(RowMatcher(QString::fromUtf8(c.broader))), c.narrows);
    }
}

enum Field { QUAN, ITEM_NO, ITEM_NAME, COLOR, SIZES };

const QList<DbfFieldSpec> &fields()
{
    static const QList<DbfFieldSpec> all = {
        {"QUAN", DbfFieldType::Numeric, 10, 2, true},   {"ITEM_NO", DbfFieldType::Text, 20, 0, true},
        {"ITEM_NAME", DbfFieldType::Text, 60, 0, true}, {"COLOR", DbfFieldType::Text, 10, 0, true},
        {"SIZES", DbfFieldType::Text, 10, 0, true},
    };
    return all;
}

class QueueSearchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString path = dir.filePath(QStringLiteral("queue.dbf"));
        ASSERT_TRUE(DbfTable::create(path, fields()).ok());
        ASSERT_TRUE(queue.open(path).ok());
        const struct {
            const char *itemNo, *name, *color, *size;
            double quan;
        } rows[] = {
            {"A001", "紅色T恤", "紅", "M", 2}, {"A002", "長褲", "藍", "M", 3},     {"A003", "ＴＥＥ３號", "白", "L", 1},
            {"A004", "絲襪", "黑", "F", 4},    {"A005", "紅色外套", "紅", "L", 5}, {"A006", "閒麻衫", "紅", "M", 6},
        };
        for (const auto &row : rows) {
            DbfRecord record = queue.blankRecord();
            ASSERT_TRUE(record.setNumber(QUAN, row.quan).ok());
            ASSERT_TRUE(record.setText(ITEM_NO, row.itemNo).ok());
            ASSERT_TRUE(record.setText(ITEM_NAME, big5(row.name)).ok());
            ASSERT_TRUE(record.setText(COLOR, big5(row.color)).ok());
            ASSERT_TRUE(record.setText(SIZES, row.size).ok());
            ASSERT_TRUE(queue.append(record).ok());
        }
    }

    QTemporaryDir dir;
    LabelQueue queue{fields()};
};

TEST_F(QueueSearchTest, findsTheRowsHoldingEveryWordInTheFieldsSearched)
{
    const QList<int> shown = {QUAN, ITEM_NO, ITEM_NAME, COLOR, SIZES};
    const struct {
        const char *name;
        const char *text;
        QList<int> fields;
        std::vector<int> records;
    } cases[] = {
        {"one word in any field", "紅", shown, {0, 4, 5}},
        {"several words, each anywhere", "紅 m", shown, {0, 5}},
        {"a word no row holds", "紅 XL", shown, {}},
        {"one column", "紅", {ITEM_NAME}, {0, 4}},
        {"full-width typed, item code stored half-width", "ａ００５", shown, {4}},
        {"half-width typed, name stored full-width", "tee3", shown, {2}},
        {"straddling bytes match no row", "溺", shown, {}},
        {"a number as the table stores it", "4.00", shown, {3}},
        {"no word: every row", " ", shown, {0, 1, 2, 3, 4, 5}},
        {"an emoji: no row", "\xF0\x9F\x91\x95", shown, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const DbfResult<std::vector<int>> found =
            QueueSearch::run(queue, c.fields, RowMatcher(QString::fromUtf8(c.text)));
        ASSERT_TRUE(found.ok()) << found.error().toStdString();
        EXPECT_EQ(found.value(), c.records);
    }
}

TEST_F(QueueSearchTest, aNarrowerSearchLooksOnlyAtTheRowsFoundAndPassesOverDeletedOnes)
{
    const QList<int> shown = {ITEM_NAME, COLOR, SIZES};
    const std::vector<int> broader = QueueSearch::run(queue, shown, RowMatcher(QStringLiteral("紅"))).value();
    ASSERT_EQ(broader, (std::vector<int>{0, 4, 5}));
    queue.moveTo(queue.rowOfRecord(4));
    ASSERT_TRUE(queue.deleteCurrent().ok());
    // Row 1 ("長褲", M) is not among them, so it is not found though it holds M.
    QueueSearch narrower(queue, shown, RowMatcher(QStringLiteral("紅 M")), broader);
    while (!narrower.isDone()) {
        ASSERT_TRUE(narrower.step(1).ok());
    }
    EXPECT_EQ(narrower.matches(), (std::vector<int>{0, 5}));
}

TEST_F(QueueSearchTest, theFinderAnswersInSlicesAndALaterTextReplacesAnEarlierOne)
{
    QueueFinder finder(queue);
    finder.setSlice(0, 1); // a slice of one row, so a search spans several turns of the loop
    int finished = 0;
    QObject::connect(&finder, &QueueFinder::finished, [&] { ++finished; });
    const QList<int> shown = {ITEM_NAME, COLOR, SIZES};
    finder.search(QStringLiteral("紅"), shown);
    finder.search(QStringLiteral("L"), shown);
    EXPECT_TRUE(QTest::qWaitFor([&] { return finished > 0 && !finder.isSearching(); }));
    EXPECT_EQ(finished, 1) << "the replaced search never reports";
    EXPECT_EQ(finder.matches(), (std::vector<int>{2, 4}));

    finder.search(QString::fromUtf8("\xF0\x9F\x98\x80"), shown);
    EXPECT_FALSE(finder.isSearching());
    EXPECT_TRUE(finder.matches().empty());
    EXPECT_FALSE(finder.problem().isEmpty());
}

TEST_F(QueueSearchTest, aSubsetReadsTheChosenRowsAndCountsTheirLabels)
{
    struct AllRows : QueueRowSource {
        explicit AllRows(LabelQueue &queue)
            : queue(queue)
        {}
        int rowCount() const override { return queue.rowCount(); }
        QString read(int row) override
        {
            record = queue.readRow(row).value();
            itemNo = record.text(ITEM_NO);
            return QString();
        }
        QByteArrayView text(int) const override { return itemNo; }
        std::optional<double> number(int field) const override { return record.number(field); }
        LabelQueue &queue;
        DbfRecord record;
        QByteArray itemNo;
    } all(queue);
    QueueRowSubset subset(all, queue, {1, 3, 5});
    queue.moveTo(queue.rowOfRecord(3));
    ASSERT_TRUE(queue.deleteCurrent().ok());
    ASSERT_TRUE(subset.beginReading().isEmpty());
    ASSERT_EQ(subset.rowCount(), 2) << "the deleted row is left out";
    ASSERT_TRUE(subset.read(1).isEmpty());
    EXPECT_EQ(subset.text(ITEM_NO), QByteArrayView("A006"));
    EXPECT_EQ(subset.queueRow(1), 4);
    subset.endReading();
    qint64 labels = 0;
    EXPECT_TRUE(countLabels(subset, QUAN, labels).isEmpty());
    EXPECT_EQ(labels, 3 + 6);
}

} // namespace
