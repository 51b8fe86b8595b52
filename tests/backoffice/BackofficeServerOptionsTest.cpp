#include "backoffice/BackofficeFixture.h"

#include <QTemporaryDir>

#include <sqlite3.h>

namespace {

const QByteArray kAllProducts = "bran_no=A&link_pass=0000&c14=&c14a=&s14=&s14a=";

} // namespace

// The label program sends CR LF after the counted body. A server that closes
// with those bytes unread, or that receives them after closing, resets the
// connection and throws away the part of a large reply not yet sent.
TEST(BackofficeOptions, lineEndAfterTheCountedBodyDoesNotCutALargeReply)
{
    BackofficeProcess server({QStringLiteral("--products"), QStringLiteral("20000")});
    ASSERT_TRUE(server.isListening()) << qPrintable(server.errorText());
    RawPostTiming timing;
    timing.lineEndDelayMs = 50;
    timing.readDelayMs = 300;
    const RawReply raw = rawHttpPost(server.port(), "qelvoitemseek.php", kAllProducts, timing);
    ASSERT_TRUE(raw.error.isEmpty()) << raw.error.constData();
    const Backoffice::Reply reply = Backoffice::parse(raw.body);
    EXPECT_TRUE(reply.wellFramed);
    EXPECT_EQ(reply.records.size(), 20076);
}

TEST(BackofficeOptions, syntheticProductsComeInGroupsOfTwelveVariants)
{
    BackofficeProcess server({QStringLiteral("--products"), QStringLiteral("30")});
    ASSERT_TRUE(server.isListening()) << qPrintable(server.errorText());
    const Backoffice::Reply full = Backoffice::postBytes(
        "qelvoitemseek.php", "bran_no=A&link_pass=0000&item1=Z000002&c14=Y&c14a=/", server.port());
    ASSERT_EQ(full.records.size(), 12);
    EXPECT_TRUE(full.wellFramed);
    for (const auto &record : full.records) {
        EXPECT_EQ(record.size(), 37);
        EXPECT_EQ(Big5::decode(record[16]), QStringLiteral("黑色/米色/卡其"));
    }
    const Backoffice::Reply partial =
        Backoffice::postBytes("qelvoitemseek.php", "bran_no=A&link_pass=0000&item1=Z000003", server.port());
    EXPECT_EQ(partial.records.size(), 6);
}

TEST(BackofficeOptions, databaseFileIsSeededOnceAndTextBig5CannotHoldIsRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("backoffice.db"));
    const QByteArray tee = "bran_no=A&link_pass=0000&sitem=A1001-BK-M&eitem=A1001-BK-M";
    {
        BackofficeProcess server({QStringLiteral("--db"), file});
        ASSERT_TRUE(server.isListening()) << qPrintable(server.errorText());
        EXPECT_EQ(Backoffice::postBytes("qelvoitemseek.php", tee, server.port()).records.size(), 1);
    }

    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &db), SQLITE_OK);
    const int rc = sqlite3_exec(db, "UPDATE item_group SET item_name = '棉質T恤 😀' WHERE item1 = 'A1001'", nullptr,
                                nullptr, nullptr);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK);

    BackofficeProcess server({QStringLiteral("--db"), file});
    ASSERT_TRUE(server.isListening()) << qPrintable(server.errorText());
    const Backoffice::Reply reply = Backoffice::postBytes("qelvoitemseek.php", tee, server.port());
    EXPECT_EQ(reply.lineCount, 1);
    EXPECT_TRUE(reply.status.startsWith(QStringLiteral("資料含 Big5 無法表示的字元 U+1F600")))
        << qPrintable(reply.status);
    // The file kept its data rather than being seeded again.
    const Backoffice::Reply customers =
        Backoffice::postBytes("qelvocust2seek.php", "bran_no=A&link_pass=0000&mcust=Y", server.port());
    EXPECT_EQ(customers.records.size(), 20);
}

TEST(BackofficeOptions, syntheticCustomersJoinTheSeededOnes)
{
    BackofficeProcess server({QStringLiteral("--customers"), QStringLiteral("30")});
    ASSERT_TRUE(server.isListening()) << qPrintable(server.errorText());
    const Backoffice::Reply all =
        Backoffice::postBytes("qelvocust2seek.php", "bran_no=A&link_pass=0000&mcust=N", server.port());
    EXPECT_TRUE(all.wellFramed);
    ASSERT_EQ(all.records.size(), 50);
    EXPECT_EQ(all.records.last().size(), 12);
    EXPECT_EQ(all.records.last()[1], "Y0000030");
    EXPECT_EQ(all.records.last()[11], "M0000030");
}
