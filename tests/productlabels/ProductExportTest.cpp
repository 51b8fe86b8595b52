#include "productlabels/ProductExport.h"

#include "MemoryProductQueue.h"
#include "common/RecordingLauncher.h"
#include "common/RecordingPrompts.h"
#include "components/Big5.h"
#include "components/Clock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {
using namespace ProductQueueTable;

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

const QByteArray oldContent = "OLD,1\r\n";

class ProductExportTest : public ::testing::Test
{
public:
    ProductExportTest()
    {
        programDir = dir.path();
        queue.rows.append(MemoryRow().text(BARCODE, "A0001").number(QUAN, 2));
        queue.rows.append(MemoryRow().text(BARCODE, "A0002").number(QUAN, 1));
        settings.columns = {Big5::fromUtf8Literal("產品條碼(20C)")};
    }

    void storeLabelProgram(const QByteArray &path)
    {
        ASSERT_TRUE(writeFile(programDir + "/BARPRINT.INI", "[barprint]\r\nFN1=" + path + "\r\n"));
    }

    ExportRun run(LabelProgramParameter parameter = LabelProgramParameter::None)
    {
        return runProductExport(queue, settings, programDir, clock, parameter, prompts, launcher);
    }

    QString barsPath() const { return programDir + "/Bars.txt"; }

    QTemporaryDir dir;
    QString programDir;
    MemoryProductQueue queue;
    ProductOutputSettings settings;
    FixedClock clock{QDateTime(QDate(2026, 3, 1), QTime(9, 0))};
    RecordingPrompts prompts{true};
    RecordingLauncher launcher;
};
} // namespace

TEST_F(ProductExportTest, emptyQueueSaysSoAndAsksNothing)
{
    queue.rows.clear();
    storeLabelProgram("/opt/label/print");
    const ExportRun outcome = run();
    EXPECT_EQ(prompts.calls, (QList<RecordingPrompts::Call>{{RecordingPrompts::Embossed, "沒有資料可以匯出!!"}}));
    EXPECT_FALSE(QFile::exists(barsPath()));
    EXPECT_TRUE(launcher.requests.isEmpty());
    EXPECT_FALSE(outcome.launch.has_value());
}

TEST_F(ProductExportTest, declinedQuestionChangesNothing)
{
    storeLabelProgram("/opt/label/print");
    ASSERT_TRUE(writeFile(barsPath(), oldContent));
    prompts.defaultConfirmAnswer = false;
    run();
    EXPECT_EQ(prompts.calls, (QList<RecordingPrompts::Call>{{RecordingPrompts::Confirm, "確定轉出要列印的資料 ?"}}));
    EXPECT_EQ(readAll(barsPath()), oldContent);
    EXPECT_TRUE(launcher.requests.isEmpty());
}

// The labels are looked over before the question; a review that stops the
// run asks nothing and keeps the old file, one that lets it go changes nothing else.
TEST_F(ProductExportTest, reviewComesBeforeTheQuestionAndMayStopTheRun)
{
    storeLabelProgram("/opt/label/print");
    ASSERT_TRUE(writeFile(barsPath(), oldContent));
    int reviews = 0;
    const auto review = [&reviews](bool answer) {
        return [&reviews, answer] {
            ++reviews;
            return answer;
        };
    };
    runProductExport(queue, settings, programDir, clock, LabelProgramParameter::None, prompts, launcher, review(false));
    EXPECT_EQ(reviews, 1);
    EXPECT_TRUE(prompts.calls.isEmpty());
    EXPECT_EQ(readAll(barsPath()), oldContent);
    EXPECT_TRUE(launcher.requests.isEmpty());

    const ExportRun outcome = runProductExport(queue, settings, programDir, clock, LabelProgramParameter::None, prompts,
                                               launcher, review(true));
    EXPECT_EQ(reviews, 2);
    EXPECT_EQ(prompts.texts(RecordingPrompts::Confirm), QStringList{"確定轉出要列印的資料 ?"});
    EXPECT_EQ(readAll(barsPath()), "A0001,2\r\nA0002,1\r\n");
    EXPECT_EQ(launcher.requests.size(), 1);
    EXPECT_TRUE(outcome.confirmed);

    queue.rows.clear();
    run();
    EXPECT_EQ(reviews, 2) << "an empty queue is told before anything is looked over";
}

TEST_F(ProductExportTest, writtenFileReplacesTheOldOneThenStartsTheProgramWithItsParameter)
{
    struct Case {
        LabelProgramParameter parameter;
        QString expected;
    } cases[] = {
        {LabelProgramParameter::None, QString()},
        {LabelProgramParameter::One, QStringLiteral("1")},
        {LabelProgramParameter::Two, QStringLiteral("2")},
    };
    storeLabelProgram("/opt/label/print");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected.toStdString());
        ASSERT_TRUE(writeFile(barsPath(), oldContent));
        prompts.calls.clear();
        launcher.requests.clear();
        const ExportRun outcome = run(c.parameter);
        EXPECT_EQ(readAll(barsPath()), "A0001,2\r\nA0002,1\r\n");
        EXPECT_EQ(prompts.calls,
                  (QList<RecordingPrompts::Call>{
                      {RecordingPrompts::Confirm, "確定轉出要列印的資料 ?"},
                      {RecordingPrompts::Embossed, "已經送出文字檔" + QDir::toNativeSeparators(barsPath())}}));
        ASSERT_EQ(launcher.requests.size(), 1);
        EXPECT_EQ(launcher.requests[0].fileName, QStringLiteral("/opt/label/print"));
        EXPECT_EQ(launcher.requests[0].parameter, c.expected);
        ASSERT_TRUE(outcome.launch.has_value());
        EXPECT_EQ(outcome.launch->outcome, LabelProgramLaunch::Outcome::Started);
    }
}

TEST_F(ProductExportTest, withoutStoredProgramTheFileIsWrittenNothingStartedAndTheMessageSaysWhereToSetIt)
{
    for (const QByteArray &ini :
         {QByteArray(), QByteArray("[barprint]\r\nOTHER=x\r\n"), QByteArray("[barprint]\r\nFN1=\r\n")}) {
        SCOPED_TRACE(ini.constData());
        if (!ini.isEmpty()) {
            ASSERT_TRUE(writeFile(programDir + "/BARPRINT.INI", ini));
        }
        prompts.calls.clear();
        const ExportRun outcome = run(LabelProgramParameter::One);
        EXPECT_EQ(readAll(barsPath()), "A0001,2\r\nA0002,1\r\n");
        EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed),
                  QStringList{"已經送出文字檔" + QDir::toNativeSeparators(barsPath()) +
                              "\n未設定外部條碼程式：勾選「更改」後填入路徑"});
        EXPECT_TRUE(launcher.requests.isEmpty());
        ASSERT_TRUE(outcome.launch.has_value());
        EXPECT_EQ(outcome.launch->outcome, LabelProgramLaunch::Outcome::NotConfigured);
    }
}

TEST_F(ProductExportTest, failedExportKeepsTheOldFileAndStartsNothing)
{
    storeLabelProgram("/opt/label/print");
    // Lines enough to pass the file size limit below.
    for (int row = 0; row < 2000; ++row) {
        queue.rows.append(MemoryRow().text(BARCODE, "B" + QByteArray::number(row)).number(QUAN, 1));
    }
    struct Case {
        const char *name;
        std::function<void(ProductExportTest &)> arrange;
        bool keepsOldFile;
    } cases[] = {
        {"program directory is a file",
         [](ProductExportTest &test) {
             test.programDir = test.dir.filePath("notADirectory");
             writeFile(test.programDir, "x");
         },
         true},
        {"old file cannot be replaced",
         [](ProductExportTest &test) {
             QFile::remove(test.barsPath());
             QDir(test.programDir).mkpath("Bars.txt/inside");
         },
         false},
        {"a row cannot be read", [](ProductExportTest &test) { test.queue.unreadableRow = 1000; }, true},
        {"disk full on the way",
         [](ProductExportTest &) {
             signal(SIGXFSZ, SIG_IGN);
             const rlimit small{4096, RLIM_INFINITY};
             setrlimit(RLIMIT_FSIZE, &small);
         },
         true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        programDir = dir.path();
        queue.unreadableRow = -1;
        ASSERT_TRUE(writeFile(barsPath(), oldContent));
        prompts.calls.clear();
        c.arrange(*this);
        const ExportRun outcome = run();
        rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &unlimited);

        EXPECT_EQ(outcome.result.kind, ExportResult::Kind::Failed);
        const QStringList shown = prompts.texts(RecordingPrompts::Embossed);
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown[0].contains(QStringLiteral("無法寫出"))) << shown[0].toStdString();
        EXPECT_TRUE(launcher.requests.isEmpty());
        EXPECT_FALSE(outcome.launch.has_value());
        if (c.keepsOldFile) {
            EXPECT_EQ(readAll(dir.filePath("Bars.txt")), oldContent);
        }
        EXPECT_TRUE(QDir(dir.path()).entryList({"Bars.txt?*"}).isEmpty()) << "a temporary file was left behind";
        QDir(dir.filePath("Bars.txt")).removeRecursively();
        QFile::remove(dir.filePath("notADirectory"));
    }
}

TEST_F(ProductExportTest, noRowWithALineRemovesTheLastBatchAndStartsNothing)
{
    struct Case {
        const char *name;
        bool oneLinePerLabel;
        QList<MemoryRow> rows;
        QString reason;
    } cases[] = {
        {"every barcode empty",
         false,
         {MemoryRow().text(ITEM_NO, "I1").number(QUAN, 2), MemoryRow().text(ITEM_NO, "I2").number(QUAN, 1)},
         QStringLiteral("沒有任何一筆資料有條碼")},
        {"one line per label, every count below 1",
         true,
         {MemoryRow().text(BARCODE, "A1").number(QUAN, 0), MemoryRow().text(BARCODE, "A2").number(QUAN, 0.4),
          MemoryRow().text(BARCODE, "A3")},
         QStringLiteral("有條碼的資料列印張數都不到 1 張")},
    };
    storeLabelProgram("/opt/label/print");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(writeFile(barsPath(), oldContent));
        prompts.calls.clear();
        queue.rows = c.rows;
        settings.oneLinePerLabel = c.oneLinePerLabel;
        const ExportRun outcome = run();
        EXPECT_EQ(outcome.result.kind, ExportResult::Kind::NoLines);
        const QStringList shown = prompts.texts(RecordingPrompts::Embossed);
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown[0].startsWith(c.reason)) << shown[0].toStdString();
        EXPECT_TRUE(shown[0].contains(QStringLiteral("也不啟動條碼程式"))) << shown[0].toStdString();
        EXPECT_TRUE(shown[0].contains(QStringLiteral("上一批的文字檔已刪除"))) << shown[0].toStdString();
        EXPECT_FALSE(QFile::exists(barsPath())) << "a label program started by hand would print the last batch";
        EXPECT_TRUE(QDir(dir.path()).entryList({"Bars.txt?*"}).isEmpty()) << "a temporary file was left behind";
        EXPECT_TRUE(launcher.requests.isEmpty());
        EXPECT_FALSE(outcome.launch.has_value());
    }
}

TEST_F(ProductExportTest, aRelativeProgramNameIsLookedForInTheProgramDirectoryFirst)
{
    QDir(programDir).mkpath("bin");
    ASSERT_TRUE(writeFile(programDir + "/print.sh", "#!/bin/sh\n"));
    ASSERT_TRUE(writeFile(programDir + "/bin/print.sh", "#!/bin/sh\n"));
    struct Case {
        QByteArray stored;
        QString started;
    } cases[] = {
        {"print.sh", programDir + "/print.sh"},
        {"bin/print.sh", programDir + "/bin/print.sh"},
        // Not in the program directory: the working directory, then PATH, as the launcher finds it.
        {"elsewhere.sh", QStringLiteral("elsewhere.sh")},
        {"/opt/label/print.sh", QStringLiteral("/opt/label/print.sh")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stored.constData());
        storeLabelProgram(c.stored);
        launcher.requests.clear();
        run();
        ASSERT_EQ(launcher.requests.size(), 1);
        EXPECT_EQ(launcher.requests[0].fileName, c.started);
    }
}

TEST_F(ProductExportTest, aPipeOrADeviceWhereTheLabelFileGoesIsNeverWrittenOrReplaced)
{
    const auto fifo = [](const QString &path) { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; };
    // Only root may make a device node; the pipes alone still show the fault.
    const auto device = [](const QString &path) {
        return ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    };
    const QString pipe = dir.filePath("pipe");
    const QString null = dir.filePath("null");
    struct Case {
        const char *name;
        std::function<bool()> make;
        bool link;
    } cases[] = {
        {"named pipe", [&] { return fifo(barsPath()); }, false},
        {"link to a named pipe", [&] { return fifo(pipe) && QFile::link(pipe, barsPath()); }, true},
        {"link to a device", [&] { return device(null) && QFile::link(null, barsPath()); }, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(barsPath());
        if (!c.make()) {
            continue;
        }
        prompts.calls.clear();

        EXPECT_EQ(run().result.kind, ExportResult::Kind::Failed);

        const QStringList shown = prompts.texts(RecordingPrompts::Embossed);
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown[0].contains(QStringLiteral("不是一般檔案"))) << shown[0].toStdString();
        EXPECT_TRUE(launcher.requests.isEmpty());
        struct stat info;
        ASSERT_EQ(::stat(QFile::encodeName(barsPath()).constData(), &info), 0);
        EXPECT_FALSE(S_ISREG(info.st_mode));
        EXPECT_EQ(QFileInfo(barsPath()).isSymLink(), c.link);
    }
}
