#include "labelqueue/DbfTable.h"

#include "common/FullDisk.h"
#include "components/Big5.h"
#include "labelqueue/DbfFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

enum { Quan, ItemNo, ItemName, Note2 };

const QList<DbfFieldSpec> &queueFields()
{
    static const QList<DbfFieldSpec> fields = {
        {"QUAN", DbfFieldType::Numeric, 10, 2},
        {"ITEM_NO", DbfFieldType::Text, 20, 0},
        {"ITEM_NAME", DbfFieldType::Text, 60, 0},
        {"NOTE2", DbfFieldType::Text, 30, 0, false},
    };
    return fields;
}

DbfFixture plainFixture()
{
    DbfFixture fixture;
    fixture.fields = {{"QUAN", 'N', 10, 2}, {"ITEM_NO", 'C', 20}, {"ITEM_NAME", 'C', 60}, {"NOTE2", 'C', 30}};
    fixture.rows = {{"2.00", "A0001", Big5::fromUtf8Literal("棉T恤"), ""}, {"1.00", "A0002", "PANTS", ""}};
    return fixture;
}

std::unique_ptr<DbfTable> openTable(const QString &path)
{
    auto opened = DbfTable::open(path, queueFields());
    EXPECT_TRUE(opened.ok()) << opened.error().toStdString();
    return opened.ok() ? std::move(opened.value()) : nullptr;
}

quint32 headerRecordCount(const QByteArray &file)
{
    return quint8(file.at(4)) | quint8(file.at(5)) << 8 | quint8(file.at(6)) << 16 | quint32(quint8(file.at(7))) << 24;
}

DbfRecord record(const DbfTable &table, std::optional<double> quan, const QByteArray &itemNo)
{
    DbfRecord r = table.blankRecord();
    EXPECT_TRUE(r.setNumber(Quan, quan).ok());
    EXPECT_TRUE(r.setText(ItemNo, itemNo).ok());
    return r;
}

class DbfTableTest : public ::testing::Test
{
protected:
    QString path(const QString &name = QStringLiteral("bar1.dbf")) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(DbfTableTest, createWritesAnEmptyCp950TableAndNeverReplacesOne)
{
    const auto created = DbfTable::create(path(), queueFields());
    ASSERT_TRUE(created.ok()) << created.error().toStdString();
    EXPECT_EQ(created.value(), DbfTable::Creation::Created);

    const QByteArray bytes = readFile(path());
    const int headerLength = 32 + 32 * 4 + 1;
    ASSERT_EQ(bytes.size(), headerLength + 1);
    EXPECT_EQ(quint8(bytes.at(0)), 0x03);
    EXPECT_EQ(quint8(bytes.at(29)), DbfCodePageCp950);
    EXPECT_EQ(headerRecordCount(bytes), 0u);
    EXPECT_EQ(bytes.mid(32, 10), QByteArray("QUAN\0\0\0\0\0\0", 10));
    EXPECT_EQ(bytes.at(32 + 11), 'N');
    EXPECT_EQ(bytes.at(32 + 16), char(10));
    EXPECT_EQ(bytes.at(32 + 17), char(2));
    EXPECT_EQ(bytes.at(headerLength - 1), char(0x0D));
    EXPECT_EQ(bytes.at(headerLength), DbfEndOfFile);

    auto table = openTable(path());
    ASSERT_TRUE(table);
    EXPECT_EQ(table->recordCount(), 0);
    ASSERT_TRUE(table->append(record(*table, 3, "X1")).ok());
    table.reset();

    const QByteArray withRow = readFile(path());
    const auto again = DbfTable::create(path(), queueFields());
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(again.value(), DbfTable::Creation::AlreadyExisted);
    EXPECT_EQ(readFile(path()), withRow);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("bar1.dbf")});
}

TEST_F(DbfTableTest, theHeaderIsDatedByTheTablesClock)
{
    const auto dateOf = [](const QByteArray &file) {
        return QDate(1900 + quint8(file.at(1)), quint8(file.at(2)), quint8(file.at(3)));
    };
    const FixedClock created(QDateTime(QDate(2026, 3, 1), QTime(9, 0)));
    ASSERT_TRUE(DbfTable::create(path(), queueFields(), created).ok());
    EXPECT_EQ(dateOf(readFile(path())), QDate(2026, 3, 1));

    const FixedClock changed(QDateTime(QDate(2027, 12, 31), QTime(23, 0)));
    auto table = openTable(path());
    ASSERT_TRUE(table);
    table->setClock(changed);
    ASSERT_TRUE(table->append(record(*table, 1, "X1")).ok());
    table.reset();
    EXPECT_EQ(dateOf(readFile(path())), QDate(2027, 12, 31));
}

TEST_F(DbfTableTest, opensTablesWrittenByOtherDbaseTools)
{
    struct Case {
        const char *name;
        std::function<void(DbfFixture &)> change;
    } cases[] = {
        {"dBase III as this program writes it", [](DbfFixture &) {}},
        {"dBase IV without end mark or code page",
         [](DbfFixture &f) {
             f.endMark = false;
             f.languageDriver = 0;
         }},
        {"dBase IV SQL table", [](DbfFixture &f) { f.version = 0x43; }},
        {"Visual FoxPro with backlink area",
         [](DbfFixture &f) {
             f.version = 0x30;
             f.backlinkBytes = 263;
         }},
        {"FoxBASE", [](DbfFixture &f) { f.version = 0xFB; }},
        {"zero padding after the terminator",
         [](DbfFixture &f) {
             f.backlinkBytes = 1;
             f.version = 0x83;
         }},
        {"lower-case names in another order with other widths and extra fields",
         [](DbfFixture &f) {
             f.fields = {{"item_name", 'C', 80},
                         {"birthday", 'D', 8},
                         {"item_no", 'C', 24},
                         {"flag", 'L', 1},
                         {"quan", 'F', 6, 1}};
             f.rows = {{Big5::fromUtf8Literal("棉T恤"), "20240102", "A0001", "T", "2.0"},
                       {"PANTS", "", "A0002", "F", "1"}};
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        DbfFixture fixture = plainFixture();
        c.change(fixture);
        ASSERT_TRUE(writeFile(path(), fixture.bytes()));
        auto table = openTable(path());
        ASSERT_TRUE(table);
        ASSERT_EQ(table->recordCount(), 2);
        const auto first = table->read(0);
        ASSERT_TRUE(first.ok()) << first.error().toStdString();
        EXPECT_EQ(first.value().number(Quan), 2.0);
        EXPECT_EQ(first.value().text(ItemNo), QByteArray("A0001"));
        EXPECT_EQ(first.value().text(ItemName), Big5::fromUtf8Literal("棉T恤"));
        EXPECT_EQ(table->read(1).value().text(ItemName), QByteArray("PANTS"));

        // Rows written here land where those tools will look for them.
        ASSERT_TRUE(table->append(record(*table, 5, "NEW")).ok());
        table.reset();
        auto reopened = openTable(path());
        ASSERT_TRUE(reopened);
        ASSERT_EQ(reopened->recordCount(), 3);
        EXPECT_EQ(reopened->read(2).value().text(ItemNo), QByteArray("NEW"));
        EXPECT_EQ(reopened->read(2).value().number(Quan), 5.0);
        EXPECT_EQ(reopened->read(0).value().text(ItemNo), QByteArray("A0001"));
    }
}

TEST_F(DbfTableTest, tablesOfOtherToolsAreTakenOnlyWhereNothingIsLostOrMisread)
{
    const auto narrow = [](int field, int width, int decimals = 0) {
        return [=](DbfFixture &f) {
            f.fields[field].width = width;
            f.fields[field].decimals = decimals;
        };
    };
    const struct {
        const char *name;
        std::function<void(DbfFixture &)> change;
        const char *fileName;
        QByteArray cpg;      // none when empty
        const char *refusal; // empty: opens
    } cases[] = {
        {"narrower text", narrow(1, 5), "bar1.dbf", {}, "「%1」：欄位 ITEM_NO 的寬度是 5，需要 20。"},
        {"narrower optional text", narrow(3, 4), "bar1.dbf", {}, ""},
        {"wider text", narrow(2, 90), "bar1.dbf", {}, ""},
        {"fewer decimals",
         [&](DbfFixture &f) {
             narrow(0, 3, 0)(f);
             f.rows[0][0] = "2";
             f.rows[1][0] = "1";
         },
         "bar1.dbf",
         {},
         ""},
        {"file name in another case", [](DbfFixture &) {}, "BAR1.DBF", {}, ""},
        {"code page file saying UTF-8", [](DbfFixture &f) { f.languageDriver = 0; }, "bar1.dbf", "UTF-8\n",
         "「%1」宣告的字碼是 UTF-8（bar1.cpg），本程式只讀寫 Big5（代碼頁 950）的表格。"},
        {"code page file saying Big5", [](DbfFixture &f) { f.languageDriver = 0; }, "bar1.dbf", "BIG5", ""},
        {"code page byte of Windows 1252",
         [](DbfFixture &f) { f.languageDriver = 0x57; },
         "bar1.dbf",
         {},
         "「%1」宣告的字碼是代碼頁 1252（檔頭位元組 0x57），本程式只讀寫 Big5（代碼頁 950）的表格。"},
        {"code page 0 and no code page file", [](DbfFixture &f) { f.languageDriver = 0; }, "bar1.dbf", {}, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString &old : QDir(dir.path()).entryList(QDir::Files)) {
            QFile::remove(dir.filePath(old));
        }
        DbfFixture fixture = plainFixture();
        c.change(fixture);
        const QString onDisk = path(QString::fromLatin1(c.fileName));
        ASSERT_TRUE(writeFile(onDisk, fixture.bytes()));
        if (!c.cpg.isEmpty()) {
            ASSERT_TRUE(writeFile(path(QStringLiteral("bar1.cpg")), c.cpg));
        }
        const QByteArray before = readFile(onDisk);
        auto opened = DbfTable::open(path(), queueFields());
        if (*c.refusal) {
            ASSERT_FALSE(opened.ok());
            EXPECT_EQ(opened.error(), QString::fromUtf8(c.refusal).arg(path()));
            EXPECT_EQ(readFile(onDisk), before);
            continue;
        }
        ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
        DbfTable &table = *opened.value();
        EXPECT_EQ(table.read(0).value().text(ItemName), Big5::fromUtf8Literal("棉T恤"));
        DbfRecord added = table.blankRecord();
        ASSERT_TRUE(added.setText(ItemNo, "M000102").ok());
        ASSERT_TRUE(added.setNumber(Quan, 3).ok());
        // A count the field cannot keep is refused, not rounded into another count.
        const DbfStatus half = added.setNumber(Quan, 2.5);
        if (fixture.fields[0].decimals == 0) {
            EXPECT_EQ(half.error(), QStringLiteral("數值 2.5 無法完整存入欄位 QUAN（3 位，只有 0 位小數）。"));
        } else {
            EXPECT_TRUE(half.ok());
        }
        ASSERT_TRUE(table.append(added).ok());
        EXPECT_EQ(table.read(2).value().text(ItemNo), QByteArray("M000102"));
        opened.value().reset();
        EXPECT_EQ(DbfTable::create(path(), queueFields()).value(), DbfTable::Creation::AlreadyExisted);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), c.cpg.isEmpty() ? 1 : 2) << "no second table";
    }
}

TEST_F(DbfTableTest, refusesDamagedFilesWithAClearMessageAndLeavesThemAlone)
{
    const auto fixtureBytes = [](const std::function<void(DbfFixture &)> &change) {
        DbfFixture fixture = plainFixture();
        change(fixture);
        return fixture.bytes();
    };
    const QByteArray good = fixtureBytes([](DbfFixture &) {});
    struct Case {
        const char *name;
        QByteArray bytes;
        const char *expected;
    } cases[] = {
        {"empty file", QByteArray(), "0 位元組"},
        {"shorter than a header", good.left(20), "20 位元組"},
        {"dBase 7 header", fixtureBytes([](DbfFixture &f) { f.version = 0x04; }), "0x04"},
        {"not a table at all", QByteArray(600, 'x'), "0x78"},
        {"header length below one field", fixtureBytes([](DbfFixture &f) { f.headerLength = 20; }), "檔頭長度 20"},
        {"header length past the end", fixtureBytes([](DbfFixture &f) { f.headerLength = 4000; }), "檔頭長度 4000"},
        {"header length lying a little", fixtureBytes([](DbfFixture &f) { f.headerLength = 170; }), "已損壞"},
        {"descriptors without terminator", fixtureBytes([](DbfFixture &f) {
             f.terminator = false;
             f.rows.clear();
         }),
         "0x0D"},
        {"record length lying", fixtureBytes([](DbfFixture &f) { f.recordLength = 100; }), "每筆 100 位元組"},
        {"header length a byte long, the end mark making up the size",
         fixtureBytes([](DbfFixture &f) { f.headerLength = f.realHeaderLength() + 1; }), "檔頭長度卻是 162"},
        {"first row without a deletion flag", good.left(161) + "C" + good.mid(162), "刪除記號是 0x43"},
        {"truncated in a row", good.left(good.size() - 40), "截斷"},
        {"record count lying high", fixtureBytes([](DbfFixture &f) { f.recordCount = 9; }), "截斷"},
        {"record count beyond reason", fixtureBytes([](DbfFixture &f) { f.recordCount = 0xF0000000u; }), "不合理"},
        {"bytes after the last row", good + QByteArray("junk"), "位元組"},
        {"required field missing", fixtureBytes([](DbfFixture &f) { f.fields[2].name = "ITEM_NAM"; }),
         "缺少欄位 ITEM_NAME"},
        {"number field stored as text", fixtureBytes([](DbfFixture &f) { f.fields[0].type = 'C'; }), "QUAN"},
        {"zero-width field", fixtureBytes([](DbfFixture &f) {
             f.fields.append({"EMPTY", 'C', 0});
         }),
         "寬度為 0"},
        {"field twice", fixtureBytes([](DbfFixture &f) {
             f.fields[3].name = "item_no";
             f.fields[3].width = 20;
             f.fields[3].type = 'C';
         }),
         "兩個名為 ITEM_NO"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(writeFile(path(), c.bytes));
        const auto opened = DbfTable::open(path(), queueFields());
        ASSERT_FALSE(opened.ok());
        EXPECT_TRUE(opened.error().contains(path())) << opened.error().toStdString();
        EXPECT_TRUE(opened.error().contains(QString::fromUtf8(c.expected))) << opened.error().toStdString();
        EXPECT_EQ(readFile(path()), c.bytes);
    }
    const auto missing = DbfTable::open(path(QStringLiteral("none.dbf")), queueFields());
    EXPECT_TRUE(missing.error().contains(QStringLiteral("找不到")));
}

TEST_F(DbfTableTest, aRowWrittenWithoutItsHeaderUpdateIsIgnoredAndOverwrittenByTheNextAppend)
{
    // What a power cut between writing a row and updating the header leaves behind.
    DbfFixture fixture = plainFixture();
    const int committed = int(fixture.rows.size());
    fixture.recordCount = quint32(committed - 1);
    ASSERT_TRUE(writeFile(path(), fixture.bytes()));

    auto opened = DbfTable::open(path(), queueFields());
    ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
    DbfTable &table = *opened.value();
    EXPECT_EQ(table.recordCount(), committed - 1);
    ASSERT_TRUE(table.append(table.blankRecord()).ok());
    ASSERT_TRUE(table.close().ok());

    auto reopened = DbfTable::open(path(), queueFields());
    ASSERT_TRUE(reopened.ok()) << reopened.error().toStdString();
    EXPECT_EQ(reopened.value()->recordCount(), committed);
}

TEST_F(DbfTableTest, eachAppendIsInTheFileWithTheHeaderCountingItBeforeItReturns)
{
    ASSERT_TRUE(DbfTable::create(path(), queueFields()).ok());
    auto table = openTable(path());
    ASSERT_TRUE(table);
    const int headerLength = 32 + 32 * 4 + 1;
    const int recordLength = 1 + 10 + 20 + 60 + 30;
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        const auto stored = table->append(record(*table, i, QByteArray("ROW") + QByteArray::number(i)));
        ASSERT_TRUE(stored.ok()) << stored.error().toStdString();
        EXPECT_EQ(stored.value(), i - 1);

        const QByteArray bytes = readFile(path());
        EXPECT_EQ(headerRecordCount(bytes), quint32(i));
        EXPECT_EQ(bytes.size(), headerLength + i * recordLength + 1);
        auto other = openTable(path());
        ASSERT_TRUE(other);
        ASSERT_EQ(other->recordCount(), i);
        EXPECT_EQ(other->read(i - 1).value().text(ItemNo), QByteArray("ROW") + QByteArray::number(i));
    }
    DbfRecord changed = table->read(1).value();
    ASSERT_TRUE(changed.setText(ItemName, "CHANGED").ok());
    ASSERT_TRUE(table->update(1, changed, table->read(1).value()).ok());
    EXPECT_EQ(openTable(path())->read(1).value().text(ItemName), QByteArray("CHANGED"));
}

TEST_F(DbfTableTest, valuesKeepEmptyApartFromZeroAndTextIsCutWithoutSplittingACharacter)
{
    ASSERT_TRUE(DbfTable::create(path(), queueFields()).ok());
    auto table = openTable(path());
    ASSERT_TRUE(table);
    const QByteArray chinese = Big5::fromUtf8Literal("條");
    struct Case {
        const char *name;
        QByteArray text;
        QByteArray stored;
    } texts[] = {
        {"leading blanks stay, trailing go", "  A1  ", "  A1"},
        {"exactly the width", QByteArray(18, 'x') + chinese, QByteArray(18, 'x') + chinese},
        {"cut before a character that would be split", QByteArray(19, 'x') + chinese, QByteArray(19, 'x')},
        {"cut at the width", QByteArray(25, 'y'), QByteArray(20, 'y')},
    };
    for (const Case &c : texts) {
        SCOPED_TRACE(c.name);
        DbfRecord r = table->blankRecord();
        ASSERT_TRUE(r.setText(ItemNo, c.text).ok());
        ASSERT_TRUE(r.setNumber(Quan, 0.0).ok());
        const auto stored = table->append(r);
        ASSERT_TRUE(stored.ok());
        const DbfRecord back = table->read(stored.value()).value();
        EXPECT_EQ(back.text(ItemNo), c.stored);
        EXPECT_EQ(back.number(Quan), 0.0);
        EXPECT_FALSE(back.number(Note2).has_value());
    }

    DbfRecord r = table->blankRecord();
    EXPECT_FALSE(r.number(Quan).has_value());
    ASSERT_TRUE(r.setNumberText(Quan, " 12.5 ").ok());
    EXPECT_EQ(r.number(Quan), 12.5);
    ASSERT_TRUE(r.setNumberText(Quan, "  ").ok());
    EXPECT_FALSE(r.number(Quan).has_value());
    const auto stored = table->append(r);
    ASSERT_TRUE(stored.ok());
    EXPECT_FALSE(table->read(stored.value()).value().number(Quan).has_value());

    // Other tools mark an empty number with asterisks.
    DbfFixture fixture = plainFixture();
    fixture.rows[0][0] = "**********";
    ASSERT_TRUE(writeFile(path(QStringLiteral("stars.dbf")), fixture.bytes()));
    auto stars = openTable(path(QStringLiteral("stars.dbf")));
    ASSERT_TRUE(stars);
    EXPECT_FALSE(stars->read(0).value().number(Quan).has_value());
}

TEST_F(DbfTableTest, aNumberThatDoesNotFitItsFieldIsRefusedAndNothingIsWritten)
{
    ASSERT_TRUE(DbfTable::create(path(), queueFields()).ok());
    auto table = openTable(path());
    ASSERT_TRUE(table);
    struct Case {
        const char *name;
        double value;
        const char *expected;
    } cases[] = {
        {"too many digits", 12345678.5, "寬度"},
        {"too many digits when negative", -9999999.99, "寬度"},
        {"whole part too wide once rounded", 9999999.995, "寬度"},
        {"not a number", std::nan(""), "QUAN"},
        {"infinite", HUGE_VAL, "QUAN"},
    };
    DbfRecord r = record(*table, 7, "KEEP");
    const QByteArray before = r.bytes();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const DbfStatus set = r.setNumber(Quan, c.value);
        ASSERT_FALSE(set.ok());
        EXPECT_TRUE(set.error().contains(QString::fromUtf8(c.expected))) << set.error().toStdString();
        EXPECT_EQ(r.bytes(), before);
    }
    const DbfStatus text = r.setNumberText(Quan, "1,200");
    EXPECT_FALSE(text.ok());
    EXPECT_TRUE(text.error().contains(QStringLiteral("1,200")));
    EXPECT_TRUE(r.setNumber(Quan, 9999999.99).ok());
    EXPECT_TRUE(r.setNumber(Quan, -999999.99).ok());
    EXPECT_EQ(table->recordCount(), 0);
}

TEST_F(DbfTableTest, moreDecimalsThanTheFieldKeepsAreRoundedAsTheirTextSays)
{
    ASSERT_TRUE(DbfTable::create(path(), queueFields()).ok());
    auto table = openTable(path());
    ASSERT_TRUE(table);
    struct Case {
        double value;
        const char *stored;
    } cases[] = {
        {99.995, "    100.00"}, {1.234, "      1.23"},        {1.005, "      1.01"},
        {-1.005, "     -1.01"}, {-0.004, "      0.00"},       {9999999.994, "9999999.99"},
        {0.125, "      0.13"},  {-999999.995, "-1000000.00"}, // one character too wide: refused below
    };
    DbfRecord r = record(*table, 7, "KEEP");
    const int quan = 1; // QUAN's bytes start after the deletion flag
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        const QByteArray before = r.bytes();
        const DbfStatus set = r.setNumber(Quan, c.value);
        if (qstrlen(c.stored) > 10) {
            EXPECT_FALSE(set.ok());
            EXPECT_EQ(r.bytes(), before);
            continue;
        }
        ASSERT_TRUE(set.ok()) << set.error().toStdString();
        EXPECT_EQ(r.bytes().mid(quan, 10), QByteArray(c.stored));
    }
}

TEST_F(DbfTableTest, deletedRowsAreLeftOutOfTheLiveRows)
{
    DbfFixture fixture = plainFixture();
    fixture.rows.append({{"3", "A0003", "SOCKS", ""}, {"4", "A0004", "HAT", ""}});
    fixture.deletedRows = {1};
    ASSERT_TRUE(writeFile(path(), fixture.bytes()));
    auto table = openTable(path());
    ASSERT_TRUE(table);
    EXPECT_EQ(table->liveRecordNumbers().value(), (std::vector<int>{0, 2, 3}));
    ASSERT_TRUE(table->markDeleted(3, table->read(3).value()).ok());
    EXPECT_EQ(table->liveRecordNumbers().value(), (std::vector<int>{0, 2}));
    EXPECT_TRUE(openTable(path())->read(3).value().isDeleted());
}

TEST_F(DbfTableTest, recordsReadInOneGoAreTheRowsReadOneByOneAndAShortFileIsReported)
{
    DbfFixture fixture = plainFixture();
    fixture.rows.append({{"3", "A0003", "SOCKS", ""}, {"4", "A0004", "HAT", ""}});
    fixture.deletedRows = {1};
    ASSERT_TRUE(writeFile(path(), fixture.bytes()));
    auto table = openTable(path());
    ASSERT_TRUE(table);
    const DbfResult<QByteArray> run = table->readRecords(1, 3);
    ASSERT_TRUE(run.ok()) << run.error().toStdString();
    EXPECT_EQ(run.value(),
              table->read(1).value().bytes() + table->read(2).value().bytes() + table->read(3).value().bytes());
    for (const auto &[first, count] : {std::pair{-1, 1}, {2, 3}, {0, 0}}) {
        EXPECT_FALSE(table->readRecords(first, count).ok()) << first << " " << count;
    }
    // Cut behind the table's back: the last row is no longer whole.
    ASSERT_TRUE(QFile::resize(path(), QFileInfo(path()).size() - table->recordLength() / 2 - 1));
    const DbfResult<QByteArray> shortRun = table->readRecords(0, 4);
    ASSERT_FALSE(shortRun.ok());
    EXPECT_TRUE(shortRun.error().contains(QStringLiteral("比檔頭記載的短"))) << shortRun.error().toStdString();
}

TEST_F(DbfTableTest, aRowWhoseDeletionFlagIsWrongIsRefusedByEveryRead)
{
    QByteArray bytes = plainFixture().bytes();
    const int secondRow = 161 + 121;
    bytes[secondRow] = 'X';
    ASSERT_TRUE(writeFile(path(), bytes));
    auto table = openTable(path());
    ASSERT_TRUE(table);
    const QString expected = QStringLiteral("第 2 筆資料的刪除記號是 0x58");
    EXPECT_TRUE(table->read(0).ok());
    EXPECT_TRUE(table->read(1).error().contains(expected)) << table->read(1).error().toStdString();
    EXPECT_TRUE(table->readRecords(0, 2).error().contains(expected));
    EXPECT_TRUE(table->liveRecordNumbers().error().contains(expected));
}

TEST_F(DbfTableTest, rowsAnotherWriterAddsWhileATableOpensAreKept)
{
    ASSERT_TRUE(DbfTable::create(path(), queueFields()).ok());
    {
        auto first = openTable(path());
        ASSERT_TRUE(first);
        for (int row = 0; row < 3; ++row) {
            ASSERT_TRUE(first->append(record(*first, 1, "OLD" + QByteArray::number(row))).ok());
        }
    }
    // Held after the opening table has read the header: the other writer adds
    // its rows then, as one import would while another starts.
    bool interleaved = false;
    DbfTable::headerReadProbe = [&](const QString &) {
        if (interleaved) {
            return;
        }
        interleaved = true;
        auto other = openTable(path());
        ASSERT_TRUE(other);
        for (int row = 0; row < 5; ++row) {
            ASSERT_TRUE(other->append(record(*other, 2, "OTHER" + QByteArray::number(row))).ok());
        }
    };
    auto late = openTable(path());
    DbfTable::headerReadProbe = nullptr;
    ASSERT_TRUE(late);
    ASSERT_TRUE(interleaved);
    ASSERT_TRUE(late->append(record(*late, 3, "LATE")).ok());
    late.reset();

    auto table = openTable(path());
    ASSERT_TRUE(table);
    QList<QByteArray> items;
    for (int row = 0; row < table->recordCount(); ++row) {
        items << table->read(row).value().text(ItemNo);
    }
    EXPECT_EQ(items,
              (QList<QByteArray>{"OLD0", "OLD1", "OLD2", "OTHER0", "OTHER1", "OTHER2", "OTHER3", "OTHER4", "LATE"}));
}

TEST_F(DbfTableTest, emptyingKeepsTheHeaderByteForByteAndTheTableUsable)
{
    DbfFixture fixture = plainFixture();
    fixture.version = 0x30;
    fixture.backlinkBytes = 263;
    fixture.deletedRows = {0};
    const QByteArray original = fixture.bytes();
    ASSERT_TRUE(writeFile(path(), original));
    auto table = openTable(path());
    ASSERT_TRUE(table);

    ASSERT_TRUE(table->makeEmpty().ok());
    EXPECT_TRUE(table->isOpen());
    EXPECT_EQ(table->recordCount(), 0);
    const QByteArray emptied = readFile(path());
    const int headerLength = fixture.realHeaderLength();
    ASSERT_EQ(emptied.size(), headerLength + 1);
    EXPECT_EQ(headerRecordCount(emptied), 0u);
    EXPECT_EQ(emptied.mid(8), original.mid(8, headerLength - 8) + DbfEndOfFile);
    EXPECT_EQ(emptied.at(0), original.at(0));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("bar1.dbf")});

    ASSERT_TRUE(table->append(record(*table, 1, "AFTER")).ok());
    EXPECT_EQ(openTable(path())->read(0).value().text(ItemNo), QByteArray("AFTER"));
}

TEST_F(DbfTableTest, aFailedWriteIsReportedAndTheCommittedRowsStayReadable)
{
    for (const bool held : {false, true}) {
        SCOPED_TRACE(held ? "rows of an import holding the table" : "each row by itself");
        QFile::remove(path());
        ASSERT_TRUE(DbfTable::create(path(), queueFields()).ok());
        auto table = openTable(path());
        ASSERT_TRUE(table);
        if (held) {
            ASSERT_TRUE(table->lock(TableFileLock::Mode::Exclusive).ok());
        }
        ASSERT_TRUE(table->append(record(*table, 1, "ONE")).ok());
        ASSERT_TRUE(table->append(record(*table, 2, "TWO")).ok());
        const qint64 committedSize = 32 + 32 * 4 + 1 + 2 * (1 + 10 + 20 + 60 + 30);

        DbfResult<int> failed = DbfResult<int>::failure(QString());
        {
            // Part of the next row fits, as on a disk that fills up during the write.
            const FullDisk full(rlim_t(committedSize + 10));
            failed = table->append(record(*table, 3, "THREE"));
        }
        ASSERT_FALSE(failed.ok());
        EXPECT_TRUE(failed.error().contains(path())) << failed.error().toStdString();
        EXPECT_EQ(QFileInfo(path()).size(), committedSize);
        EXPECT_EQ(headerRecordCount(readFile(path())), 2u) << "the rows before are counted";
        EXPECT_TRUE(table->isOpen());
        EXPECT_EQ(table->recordCount(), 2);

        ASSERT_TRUE(table->append(record(*table, 3, "THREE")).ok());
        if (held) {
            ASSERT_TRUE(table->unlock().ok());
        }
        auto reopened = openTable(path());
        ASSERT_TRUE(reopened);
        ASSERT_EQ(reopened->recordCount(), 3);
        EXPECT_EQ(reopened->read(1).value().text(ItemNo), QByteArray("TWO"));
        EXPECT_EQ(reopened->read(2).value().text(ItemNo), QByteArray("THREE"));
    }
}

TEST_F(DbfTableTest, anImportHoldingTheTableWritesTheSameBytesAndCountsItsRowsAtWritebackPoints)
{
    const QString single = path(QStringLiteral("single.dbf"));
    const QString held = path(QStringLiteral("held.dbf"));
    for (const QString &table : {single, held}) {
        ASSERT_TRUE(DbfTable::create(table, queueFields()).ok());
    }
    auto oneByOne = openTable(single);
    auto import = openTable(held);
    ASSERT_TRUE(oneByOne && import);
    ASSERT_TRUE(import->lock(TableFileLock::Mode::Exclusive).ok());
    // Past the first writeback point, which lies at 8 MiB of rows.
    constexpr int rows = 70000;
    for (int row = 0; row < rows; ++row) {
        const QByteArray code = "R" + QByteArray::number(row);
        ASSERT_TRUE(import->append(record(*import, row % 7, code)).ok());
        if (row < 3) {
            ASSERT_TRUE(oneByOne->append(record(*oneByOne, row % 7, code)).ok());
        }
        if (row == 2) {
            // As a kill would leave the file: it opens, without the rows not yet counted.
            auto killed = openTable(held);
            ASSERT_TRUE(killed);
            EXPECT_EQ(killed->recordCount(), 0);
        }
    }
    auto killed = openTable(held);
    ASSERT_TRUE(killed);
    EXPECT_GE(killed->recordCount(), (8 << 20) / import->recordLength());
    EXPECT_LT(killed->recordCount(), rows);
    EXPECT_EQ(killed->read(killed->recordCount() - 1).value().text(ItemNo),
              "R" + QByteArray::number(killed->recordCount() - 1));
    killed.reset();

    ASSERT_TRUE(import->unlock().ok());
    const QByteArray heldBytes = readFile(held);
    EXPECT_EQ(headerRecordCount(heldBytes), quint32(rows));
    const QByteArray singleBytes = readFile(single);
    const qsizetype threeRows = singleBytes.size() - 1;
    EXPECT_EQ(heldBytes.size(), 32 + 32 * 4 + 1 + qsizetype(rows) * import->recordLength() + 1);
    EXPECT_EQ(heldBytes.back(), DbfEndOfFile);
    EXPECT_EQ(heldBytes.mid(8, threeRows - 8), singleBytes.mid(8, threeRows - 8)) << "the same header and rows";
}

} // namespace
