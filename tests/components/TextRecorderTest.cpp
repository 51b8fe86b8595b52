#include "components/TextRecorder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class TextRecorderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        recorder.setDirectory(dir.path());
    }

    QByteArray contents(const QString &name) const
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files); }

    QTemporaryDir dir;
    FixedClock clock{QDateTime(QDate(2024, 3, 15), QTime(23, 59))};
    TextRecorder recorder{clock};
};

} // namespace

TEST_F(TextRecorderTest, startsAsADailyLogWithoutExtension)
{
    TextRecorder fresh(clock);
    EXPECT_EQ(fresh.fileNameHead(), QStringLiteral("LOG"));
    EXPECT_EQ(fresh.fileNameMode(), RecordFileNaming::YearMonthDay);
    EXPECT_EQ(fresh.path(), QStringLiteral("LOG240315"));
}

TEST_F(TextRecorderTest, pathFromDirectoryNameModeAndExtension)
{
    struct Case {
        const char *name;
        QString directory;
        RecordFileNaming mode;
        QString nameOrHead;
        QString extension;
        QString path;
    } cases[] = {
        {"fixed name", QStringLiteral("/shop"), RecordFileNaming::Custom, QStringLiteral("Bars"), QStringLiteral("txt"),
         QStringLiteral("/shop/Bars.txt")},
        {"trailing separator", QStringLiteral("/shop/"), RecordFileNaming::Custom, QStringLiteral("Bars"),
         QStringLiteral("txt"), QStringLiteral("/shop/Bars.txt")},
        {"no directory", QString(), RecordFileNaming::Custom, QStringLiteral("Bars"), QStringLiteral("txt"),
         QStringLiteral("Bars.txt")},
        {"daily", QStringLiteral("/shop"), RecordFileNaming::YearMonthDay, QStringLiteral("LOG"), QStringLiteral("txt"),
         QStringLiteral("/shop/LOG240315.txt")},
        {"monthly", QStringLiteral("/shop"), RecordFileNaming::YearMonth, QStringLiteral("LOG"), QStringLiteral("txt"),
         QStringLiteral("/shop/LOG2403.txt")},
        {"no extension", QStringLiteral("/shop"), RecordFileNaming::YearMonth, QStringLiteral("X"), QString(),
         QStringLiteral("/shop/X2403")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        recorder.setDirectory(c.directory);
        recorder.setFileNameMode(c.mode);
        if (c.mode == RecordFileNaming::Custom) {
            recorder.setFileName(c.nameOrHead);
        } else {
            recorder.setFileNameHead(c.nameOrHead);
        }
        recorder.setFileExtension(c.extension);
        EXPECT_EQ(recorder.path(), c.path);
    }
}

TEST_F(TextRecorderTest, nameSettersKeepEachOtherConsistent)
{
    recorder.setFileName(QStringLiteral("Bars"));
    EXPECT_EQ(recorder.fileNameMode(), RecordFileNaming::Custom);
    EXPECT_EQ(recorder.fileNameHead(), QString());

    recorder.setFileNameHead(QStringLiteral("LOG"));
    EXPECT_EQ(recorder.fileName(), QString());
    EXPECT_EQ(recorder.fileNameMode(), RecordFileNaming::YearMonthDay);

    recorder.setFileNameMode(RecordFileNaming::YearMonth);
    recorder.setFileNameHead(QStringLiteral("HEAD"));
    EXPECT_EQ(recorder.fileNameMode(), RecordFileNaming::YearMonth);

    recorder.setFileName(QStringLiteral("Bars"));
    recorder.setFileNameMode(RecordFileNaming::YearMonthDay);
    EXPECT_EQ(recorder.fileName(), QString());
    EXPECT_EQ(recorder.fileNameHead(), QString());

    recorder.setFileNameHead(QStringLiteral("LOG"));
    recorder.setFileNameMode(RecordFileNaming::Custom);
    EXPECT_EQ(recorder.fileNameHead(), QString());
    EXPECT_EQ(recorder.path(), dir.path() + QLatin1Char('/'));
}

TEST_F(TextRecorderTest, piecesAreAppendedAsBytesWithCrLfAfterMessages)
{
    recorder.setFileName(QStringLiteral("Bars"));
    recorder.setFileExtension(QStringLiteral("txt"));
    QFile old(dir.filePath(QStringLiteral("Bars.txt")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old\r\n");
    old.close();

    EXPECT_TRUE(recorder.writeText("A,"));
    EXPECT_TRUE(recorder.writeLine("3"));
    EXPECT_TRUE(recorder.writeText("\xb1\xf8\xbd"));
    EXPECT_TRUE(recorder.writeLine(""));
    EXPECT_EQ(contents(QStringLiteral("Bars.txt")), "old\r\nA,3\r\n\xb1\xf8\xbd\r\n");
}

TEST_F(TextRecorderTest, emptyWriteCreatesTheFile)
{
    recorder.setFileExtension(QStringLiteral("log"));
    EXPECT_TRUE(recorder.writeText(QByteArray()));
    EXPECT_EQ(contents(QStringLiteral("LOG240315.log")), "");
}

TEST_F(TextRecorderTest, handlersCancelOrRedirectOnePiece)
{
    recorder.setFileName(QStringLiteral("Bars"));
    QStringList seen;
    recorder.setOnWriteText([&](TextRecorder &sender, QString &fileName, QByteArray &msg, bool &cancel) {
        EXPECT_EQ(&sender, &recorder);
        EXPECT_FALSE(cancel);
        seen << fileName;
        cancel = msg == "skip";
        if (msg == "elsewhere") {
            fileName = dir.filePath(QStringLiteral("Other"));
            msg = "moved";
        }
    });
    EXPECT_FALSE(recorder.writeText("skip"));
    EXPECT_FALSE(recorder.errorString().isEmpty());
    EXPECT_TRUE(files().isEmpty());
    EXPECT_TRUE(recorder.writeText("elsewhere"));
    EXPECT_TRUE(recorder.writeText("here"));
    EXPECT_TRUE(recorder.writeLine("line"));
    EXPECT_EQ(contents(QStringLiteral("Other")), "moved");
    EXPECT_EQ(contents(QStringLiteral("Bars")), "hereline\r\n");
    EXPECT_EQ(seen, QStringList(3, dir.filePath(QStringLiteral("Bars"))));

    recorder.setOnWriteLine([](TextRecorder &, QString &, QByteArray &, bool &cancel) { cancel = true; });
    EXPECT_FALSE(recorder.writeLine("line"));
    EXPECT_EQ(contents(QStringLiteral("Bars")), "hereline\r\n");
}

TEST_F(TextRecorderTest, datedNameFollowsTheClock)
{
    recorder.setFileNameMode(RecordFileNaming::YearMonth);
    EXPECT_TRUE(recorder.writeLine("march"));
    clock.set(QDateTime(QDate(2024, 4, 1), QTime(0, 0)));
    EXPECT_TRUE(recorder.writeLine("april"));
    EXPECT_EQ(contents(QStringLiteral("LOG2403")), "march\r\n");
    EXPECT_EQ(contents(QStringLiteral("LOG2404")), "april\r\n");
}

TEST_F(TextRecorderTest, unwritablePathsFailWithoutMessage)
{
    struct Case {
        const char *name;
        QString directory;
        QString fileName;
    } cases[] = {
        {"path names the directory itself", dir.path(), QString()},
        {"missing directory", dir.filePath(QStringLiteral("gone")), QStringLiteral("Bars")},
        {"disk full", QStringLiteral("/dev"), QStringLiteral("full")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        recorder.setDirectory(c.directory);
        recorder.setFileName(c.fileName);
        EXPECT_FALSE(recorder.writeText("x"));
        EXPECT_FALSE(recorder.writeLine("x"));
        EXPECT_FALSE(recorder.errorString().isEmpty());
    }
    EXPECT_TRUE(files().isEmpty());
}
