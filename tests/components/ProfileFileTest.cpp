#include "components/ProfileFile.h"

#include "common/FullDisk.h"
#include "components/Big5.h"
#include "components/CaseInsensitivePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class ProfileFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ini.setNotifier([this](const QString &text) { notices << text; });
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    void put(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray contents(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot); }

    void point(ProfileValueType type, const QByteArray &ident)
    {
        ini.setDataType(type);
        ini.setIdent(ident);
    }

    static bool runningAsRoot() { return ::geteuid() == 0; }

    QTemporaryDir dir;
    ProfileFile ini;
    QStringList notices;
};

} // namespace

TEST_F(ProfileFileTest, newComponentStartsAsBoolean)
{
    EXPECT_EQ(ProfileFile().dataType(), ProfileValueType::Boolean);
}

TEST_F(ProfileFileTest, fileNameIsUpperCasedAndGetsIniOnlyWhenItHasNone)
{
    struct Case {
        const char *name;
        QString given;
        QString rewritten;
    } cases[] = {
        {"ini name", QStringLiteral("Shop/BarSet.ini"), QStringLiteral("SHOP/BARSET.INI")},
        {"no extension", QStringLiteral("Shop/Labels"), QStringLiteral("SHOP/LABELS.INI")},
        {".INI inside a directory name", QStringLiteral("OLD.INIT/x"), QStringLiteral("OLD.INIT/X")},
        {"other extension", QStringLiteral("Bars.txt"), QStringLiteral("BARS.TXT.INI")},
    };
    ini.setSection("SET");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ini.setFileName(path(c.given));
        ini.readValue();
        EXPECT_EQ(ini.fileName(), path(c.given).toUpper().replace(c.given.toUpper(), c.rewritten));
    }
}

TEST_F(ProfileFileTest, upperCasedNameFindsTheFileInAnyCaseAndCreatesAsSpelled)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Prog")));
    put(QStringLiteral("Prog/SysSet.ini"), "[SETTING]\r\nSERVER=10.0.0.1\r\n");

    ini.setFileName(path(QStringLiteral("PROG/SYSSET.INI")));
    ini.setSection("setting");
    point(ProfileValueType::String, "server");
    ASSERT_TRUE(ini.readValue());
    EXPECT_EQ(ini.value().toByteArray(), "10.0.0.1");
    // A second call with the already rewritten name still finds it.
    ini.setValue(QByteArray("10.0.0.2"));
    ASSERT_TRUE(ini.writeValue());
    EXPECT_EQ(contents(QStringLiteral("Prog/SysSet.ini")), "[SETTING]\r\nSERVER=10.0.0.2\r\n");

    ProfileFile fresh;
    fresh.setFileName(path(QStringLiteral("Labels")));
    fresh.setSection("barprint");
    fresh.setDataType(ProfileValueType::String);
    fresh.setIdent("FN1");
    fresh.setValue(QByteArray("/opt/label/run"));
    ASSERT_TRUE(fresh.writeValue());
    EXPECT_EQ(fresh.fileName(), path(QStringLiteral("Labels")).toUpper() + QStringLiteral(".INI"));
    EXPECT_EQ(files(), QStringList({QStringLiteral("Labels.INI"), QStringLiteral("Prog")}));
    EXPECT_EQ(contents(QStringLiteral("Labels.INI")), "[barprint]\r\nFN1=/opt/label/run\r\n");
}

TEST_F(ProfileFileTest, emptyFileNameOrSectionShowsTheMessageAndTouchesNothing)
{
    struct Case {
        const char *name;
        QString fileName;
        QByteArray section;
    } cases[] = {
        {"empty section", path(QStringLiteral("BarSet.ini")), ""},
        {"empty file name", QString(), "SET"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        notices.clear();
        ini.setFileName(c.fileName);
        ini.setSection(c.section);
        point(ProfileValueType::String, "K");
        ini.setValue(QByteArray("kept"));
        EXPECT_FALSE(ini.readValue());
        EXPECT_FALSE(ini.writeValue());
        EXPECT_EQ(ini.value().toByteArray(), "kept");
        EXPECT_EQ(ini.fileName(), c.fileName);
        EXPECT_EQ(notices, QStringList(2, QStringLiteral("FileName or Section 參數錯誤")));
    }
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(ProfileFileTest, readsEachTypeWithItsDefaultsAndSentinels)
{
    put(QStringLiteral("BarSet.ini"), "[SET]\r\n"
                                      "Two=2\r\nZero=0\r\nWord=yes\r\n"
                                      "Hex=0x1F\r\nHexUpper=0XfF\r\nAllOnes=0xFFFFFFFF\r\nBare0x=0x\r\nHexJunk=0x1G\r\n"
                                      "Mixed=12abc\r\nSpaced=  42 \r\nNegative=-7\r\nSentinelNumber=-12121212\r\n"
                                      "TooBig=2147483648\r\n"
                                      "Sentinel=__@#!%$^\r\nEmpty=\r\nName=\xb1\xf8\xbd\x58 A\r\n");
    struct Case {
        const char *name;
        ProfileValueType type;
        QByteArray ident;
        bool found;
        QVariant value;
    } cases[] = {
        {"boolean missing", ProfileValueType::Boolean, "None", true, false},
        {"boolean 2", ProfileValueType::Boolean, "Two", true, true},
        {"boolean 0", ProfileValueType::Boolean, "Zero", true, false},
        {"boolean text", ProfileValueType::Boolean, "Word", true, false},
        {"boolean hex", ProfileValueType::Boolean, "Hex", true, true},
        {"integer hex", ProfileValueType::Integer, "Hex", true, 31},
        {"integer hex upper prefix", ProfileValueType::Integer, "HexUpper", true, 255},
        {"integer hex 32-bit pattern", ProfileValueType::Integer, "AllOnes", true, -1},
        {"integer 0x alone", ProfileValueType::Integer, "Bare0x", false, ProfileFile::missingInteger},
        {"integer bad hex", ProfileValueType::Integer, "HexJunk", false, ProfileFile::missingInteger},
        {"integer with letters", ProfileValueType::Integer, "Mixed", false, ProfileFile::missingInteger},
        {"integer with blanks", ProfileValueType::Integer, "Spaced", true, 42},
        {"integer negative", ProfileValueType::Integer, "Negative", true, -7},
        {"integer equal to sentinel", ProfileValueType::Integer, "SentinelNumber", false, ProfileFile::missingInteger},
        {"integer out of range", ProfileValueType::Integer, "TooBig", false, ProfileFile::missingInteger},
        {"integer missing", ProfileValueType::Integer, "None", false, ProfileFile::missingInteger},
        {"string Big5", ProfileValueType::String, "name", true, QByteArray("\xb1\xf8\xbd\x58 A")},
        {"string empty", ProfileValueType::String, "Empty", true, QByteArray("")},
        {"string equal to sentinel", ProfileValueType::String, "Sentinel", false, ProfileFile::missingString},
        {"string missing", ProfileValueType::String, "None", false, ProfileFile::missingString},
    };
    ini.setFileName(path(QStringLiteral("BarSet.ini")));
    ini.setSection("set");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        point(c.type, c.ident);
        EXPECT_EQ(ini.readValue(), c.found);
        EXPECT_EQ(ini.value(), c.value);
    }

    ini.setFileName(path(QStringLiteral("Missing.ini")));
    point(ProfileValueType::String, "Name");
    EXPECT_FALSE(ini.readValue());
    EXPECT_TRUE(notices.isEmpty());
}

TEST_F(ProfileFileTest, writesEachTypeAndKeepsOtherLines)
{
    const QByteArray other = "; kept as is\n[OTHER]\nA = 1\n";
    struct Case {
        const char *name;
        ProfileValueType type;
        QVariant value;
        bool written;
        QByteArray line;
    } cases[] = {
        {"boolean true", ProfileValueType::Boolean, true, true, "K=1"},
        {"boolean false", ProfileValueType::Boolean, false, true, "K=0"},
        {"boolean from number text", ProfileValueType::Boolean, QByteArray("2"), true, "K=1"},
        {"integer", ProfileValueType::Integer, -42, true, "K=-42"},
        {"integer from hex text", ProfileValueType::Integer, QByteArray("0x10"), true, "K=16"},
        {"integer from text that is no number", ProfileValueType::Integer, QByteArray("abc"), false, ""},
        {"integer out of 32 bits", ProfileValueType::Integer, qlonglong(1) << 40, false, ""},
        {"nothing to store", ProfileValueType::Integer, QVariant(), false, ""},
        {"string bytes unchanged", ProfileValueType::String, QByteArray("\xb1\xf8\xbd\x58 x"), true,
         "K=\xb1\xf8\xbd\x58 x"},
        {"string from Unicode", ProfileValueType::String, QStringLiteral("條碼"), true, "K=\xb1\xf8\xbd\x58"},
        {"string not in Big5", ProfileValueType::String, QStringLiteral("条码"), false, ""},
        {"string with a line break", ProfileValueType::String, QByteArray("a\r\n[SET]"), false, ""},
    };
    ini.setFileName(path(QStringLiteral("BarSet.ini")));
    ini.setSection("SET");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        put(QStringLiteral("BarSet.ini"), other);
        point(c.type, "K");
        ini.setValue(c.value);
        EXPECT_EQ(ini.writeValue(), c.written);
        EXPECT_EQ(ini.errorString().isEmpty(), c.written);
        const QByteArray expected = c.written ? other + "[SET]\r\n" + c.line + "\r\n" : other;
        EXPECT_EQ(contents(QStringLiteral("BarSet.ini")), expected);
    }
}

TEST_F(ProfileFileTest, aUtf8FileWithAByteOrderMarkReadsAsUtf8AndIsStoredAsBig5)
{
    const QByteArray utf8 = "\xEF\xBB\xBF[SET]\r\nPar01=" + QByteArray("條碼(20C)") + "\r\nPar02=☺\r\n";
    const QByteArray big5 = "[SET]\r\nPar01=" + Big5::fromUtf8Literal("條碼(20C)") + "\r\n";
    ini.setFileName(path(QStringLiteral("BarSet.ini")));
    ini.setSection("SET");
    point(ProfileValueType::String, "Par01");
    for (const QByteArray &stored : {utf8, big5}) {
        put(QStringLiteral("BarSet.ini"), stored);
        ASSERT_TRUE(ini.readValue());
        EXPECT_EQ(ini.value().toByteArray(), Big5::fromUtf8Literal("條碼(20C)"));
    }

    // A character Big5 cannot hold would be lost: the file stays as it is.
    put(QStringLiteral("BarSet.ini"), utf8);
    point(ProfileValueType::String, "Par03");
    ini.setValue(QByteArray("x"));
    EXPECT_FALSE(ini.writeValue());
    EXPECT_TRUE(ini.errorString().contains(QStringLiteral("「☺」無法以 Big5 表示"))) << ini.errorString().toStdString();
    EXPECT_EQ(contents(QStringLiteral("BarSet.ini")), utf8);

    put(QStringLiteral("BarSet.ini"), "\xEF\xBB\xBF[SET]\r\nPar01=" + QByteArray("條碼(20C)") + "\r\n");
    notices.clear();
    ASSERT_TRUE(ini.writeValue());
    EXPECT_EQ(contents(QStringLiteral("BarSet.ini")), big5 + "Par03=x\r\n");
    EXPECT_EQ(
        notices,
        QStringList{
            QStringLiteral("設定檔 %1 原以 UTF-8 儲存，已改存為 Big5。").arg(path(QStringLiteral("BarSet.ini")))});
}

TEST_F(ProfileFileTest, writtenValuesReadBack)
{
    ini.setFileName(path(QStringLiteral("SysSet.ini")));
    ini.setSection("SETTING");
    const struct {
        ProfileValueType type;
        QByteArray ident;
        QVariant value;
    } values[] = {
        {ProfileValueType::String, "SERVER", QByteArray("http://127.0.0.1:8080")},
        {ProfileValueType::Boolean, "PRICE", true},
        {ProfileValueType::Integer, "COUNT", 7},
        {ProfileValueType::String, "SERVER", QByteArray("http://127.0.0.1:9090")},
    };
    for (const auto &v : values) {
        point(v.type, v.ident);
        ini.setValue(v.value);
        ASSERT_TRUE(ini.writeValue()) << ini.errorString().toStdString();
    }
    for (const auto &v : {values[1], values[2], values[3]}) {
        point(v.type, v.ident);
        ini.setValue(QVariant());
        ASSERT_TRUE(ini.readValue());
        EXPECT_EQ(ini.value(), v.value);
    }
    EXPECT_EQ(contents(QStringLiteral("SysSet.ini")),
              "[SETTING]\r\nSERVER=http://127.0.0.1:9090\r\nPRICE=1\r\nCOUNT=7\r\n");
}

TEST_F(ProfileFileTest, writeToAPlaceThatCannotHoldTheFileFails)
{
    put(QStringLiteral("plain"), "not a directory");
    ini.setSection("SET");
    point(ProfileValueType::String, "K");
    ini.setValue(QByteArray("v"));

    ini.setFileName(path(QStringLiteral("plain/BarSet.ini")));
    EXPECT_FALSE(ini.writeValue());
    EXPECT_FALSE(ini.errorString().isEmpty());

    ini.setFileName(path(QStringLiteral("Gone/BarSet.ini")));
    EXPECT_FALSE(ini.writeValue());

    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Folder.ini")));
    ini.setFileName(path(QStringLiteral("Folder.ini")));
    EXPECT_FALSE(ini.writeValue());
    EXPECT_EQ(contents(QStringLiteral("plain")), "not a directory");
}

TEST_F(ProfileFileTest, refusedWriteLeavesTheOldFileWhole)
{
    if (runningAsRoot()) {
        GTEST_SKIP() << "permissions are not enforced for root";
    }
    ini.setSection("SET");
    point(ProfileValueType::String, "K");
    ini.setValue(QByteArray("v"));
    const QByteArray old = "[SET]\r\nK=old\r\n";
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Locked")));
    put(QStringLiteral("Locked/BarSet.ini"), old);
    put(QStringLiteral("ReadOnly.ini"), old);
    QFile::setPermissions(path(QStringLiteral("ReadOnly.ini")), QFileDevice::ReadOwner);
    QFile::setPermissions(path(QStringLiteral("Locked")), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    for (const QString &name : {QStringLiteral("Locked/BarSet.ini"), QStringLiteral("ReadOnly.ini")}) {
        SCOPED_TRACE(name.toStdString());
        ini.setFileName(path(name));
        EXPECT_FALSE(ini.writeValue());
        EXPECT_FALSE(ini.errorString().isEmpty());
        EXPECT_EQ(contents(name), old);
    }
    QFile::setPermissions(path(QStringLiteral("Locked")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(ProfileFileTest, writeOnAFullDiskLeavesTheOldFileWholeAndSaysWhy)
{
    const QByteArray old = "[OTHER]\r\nX=1\r\n[SETTING]\r\nSERVER=127.0.0.1:8080/bar\r\nBRAN_NO=01\r\n";
    ini.setFileName(path(QStringLiteral("SysSet.ini")));
    ini.setSection("SETTING");
    point(ProfileValueType::String, "PASSWD");
    ini.setValue(QByteArray("secret"));
    // No room at all, room for a few bytes, room for all but the end.
    for (const rlim_t room : {rlim_t(0), rlim_t(7), rlim_t(old.size())}) {
        SCOPED_TRACE(room);
        put(QStringLiteral("SysSet.ini"), old);
        bool written = true;
        {
            const FullDisk full(room);
            written = ini.writeValue();
        }
        EXPECT_FALSE(written);
        EXPECT_FALSE(ini.errorString().isEmpty());
        EXPECT_EQ(contents(QStringLiteral("SysSet.ini")), old);
        EXPECT_EQ(files(), QStringList{QStringLiteral("SysSet.ini")});
    }
}

TEST_F(ProfileFileTest, aPipeOrADeviceInPlaceOfTheFileIsNeitherWaitedOnNorReplaced)
{
    const QString fifo = path(QStringLiteral("PIPE.INI"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path(QStringLiteral("ZERO.INI"))));
    put(QStringLiteral("HUGE.INI"), QByteArray(2 << 20, 'x'));
    ini.setSection("SET");
    for (const QString &name : {QStringLiteral("PIPE.INI"), QStringLiteral("ZERO.INI"), QStringLiteral("HUGE.INI")}) {
        SCOPED_TRACE(name.toStdString());
        ini.setFileName(path(name));
        point(ProfileValueType::String, "K");
        EXPECT_FALSE(ini.readValue());
        EXPECT_EQ(ini.value().toByteArray(), ProfileFile::missingString);
        ini.setValue(QByteArray("v"));
        EXPECT_FALSE(ini.writeValue());
        EXPECT_FALSE(ini.errorString().isEmpty());
    }
    EXPECT_FALSE(QFileInfo(fifo).isFile());
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("ZERO.INI"))).isSymLink());
    EXPECT_EQ(QFileInfo(path(QStringLiteral("HUGE.INI"))).size(), 2 << 20);
}

TEST_F(ProfileFileTest, pathPartsMatchTheExactSpellingFirstThenAnyCase)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Prog/Sub")));
    put(QStringLiteral("Prog/Sub/set.ini"), "");
    put(QStringLiteral("Prog/Sub/SET.ini"), "");
    struct Case {
        const char *name;
        QString given;
        QString resolved;
    } cases[] = {
        {"exact spelling", QStringLiteral("Prog/Sub/SET.ini"), QStringLiteral("Prog/Sub/SET.ini")},
        {"other case, first in name order", QStringLiteral("PROG/SUB/Set.INI"), QStringLiteral("Prog/Sub/SET.ini")},
        {"missing file keeps its spelling", QStringLiteral("prog/sub/New.ini"), QStringLiteral("Prog/Sub/New.ini")},
        {"missing directory keeps the rest", QStringLiteral("PROG/Gone/Sub/X.ini"),
         QStringLiteral("Prog/Gone/Sub/X.ini")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(resolveCaseInsensitive(path(c.given)), path(c.resolved));
    }
}
