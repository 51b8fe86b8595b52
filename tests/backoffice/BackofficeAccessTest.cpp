#include "backoffice/BackofficeFixture.h"

namespace {

struct ScriptCase {
    const char *script;
    const char *conditions; // what the script needs besides the branch and password
};

const ScriptCase kScripts[] = {
    {"linktest.php", ""},
    {"qelvobranseek.php", ""},
    {"qelvoitemseek.php", "&item1=A1001&c14=&c14a=&s14=&s14a="},
    {"qelvobuyseek.php", "&mbran=01&cbran=01&c14=&c14a=&s14=&s14a=&is_buyc=N"},
    {"qelvoinvi.php", "&mbran=01&c14=&c14a=&s14=&s14a="},
    {"qelvoallotseek.php", "&mbran=01&cbran=01&c14=&c14a=&s14=&s14a="},
    {"qelvobuyoseek.php", "&kind=D&mbran=01&cbran=01&is_last=N&c14=&c14a=&s14=&s14a="},
    {"qelvocust2seek.php", "&mcust=Y"},
};

} // namespace

TEST_F(Backoffice, everyScriptChecksTheLinkPasswordOfTheBranch)
{
    struct Login {
        const char *name;
        const char *branchAndPassword;
        bool accepted;
    } logins[] = {
        {"own password", "bran_no=01&link_pass=1234", true},
        {"head office password opens a store", "bran_no=01&link_pass=0000", true},
        {"another store's password", "bran_no=01&link_pass=5678", false},
        {"wrong password", "bran_no=01&link_pass=123", false},
        {"unknown branch", "bran_no=09&link_pass=1234", false},
        {"no password key", "bran_no=01", false},
    };
    for (const ScriptCase &script : kScripts) {
        for (const Login &login : logins) {
            SCOPED_TRACE(std::string(script.script) + ": " + login.name);
            const Reply reply =
                post(script.script, QString::fromUtf8(login.branchAndPassword) + QString::fromUtf8(script.conditions));
            EXPECT_TRUE(reply.wellFramed);
            if (login.accepted) {
                EXPECT_EQ(reply.status, QStringLiteral("DataOk"));
            } else {
                EXPECT_EQ(reply.status, QStringLiteral("密碼錯誤"));
                EXPECT_EQ(reply.lineCount, 1);
            }
        }
    }
}

TEST_F(Backoffice, branchListHoldsEveryBranchWhoeverAsks)
{
    for (const char *login : {"bran_no=A&link_pass=0000", "bran_no=02&link_pass=5678"}) {
        SCOPED_TRACE(login);
        const Reply reply = post("qelvobranseek.php", QString::fromUtf8(login));
        EXPECT_TRUE(reply.wellFramed);
        EXPECT_EQ(column(reply, 0), (QStringList{QStringLiteral("A"), QStringLiteral("01"), QStringLiteral("02")}));
        for (const auto &record : reply.records) {
            EXPECT_EQ(record.size(), 1);
        }
    }
}

TEST_F(Backoffice, aStoreReadsOnlyItsOwnBranchWhileHeadOfficeReadsAll)
{
    const QString refused = QStringLiteral("無權讀取其他分店的資料 : 02");
    struct Case {
        const char *name;
        const char *script;
        const char *body;
        QString status;
    } cases[] = {
        {"store, other issuing branch", "qelvobuyseek.php", "bran_no=01&link_pass=1234&mbran=02&cbran=01", refused},
        {"store, other price branch", "qelvoallotseek.php", "bran_no=01&link_pass=1234&mbran=01&cbran=02", refused},
        {"store, other stock-take branch", "qelvoinvi.php", "bran_no=01&link_pass=1234&mbran=02", refused},
        {"store, other document branch", "qelvobuyoseek.php",
         "bran_no=01&link_pass=1234&kind=D&mbran=02&cbran=", refused},
        {"store, other customer branch", "qelvocust2seek.php", "bran_no=01&link_pass=1234&tbran=02&mcust=Y", refused},
        {"store, unknown branch", "qelvoinvi.php", "bran_no=01&link_pass=1234&mbran=07",
         QStringLiteral("分店代號錯誤 : 07")},
        {"head office, any branch", "qelvobuyseek.php", "bran_no=A&link_pass=0000&mbran=02&cbran=01",
         QStringLiteral("DataOk")},
        {"head office password at a store", "qelvoinvi.php", "bran_no=01&link_pass=0000&mbran=02",
         QStringLiteral("DataOk")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Reply reply = post(c.script, QString::fromUtf8(c.body));
        EXPECT_EQ(reply.status, c.status);
        EXPECT_TRUE(reply.wellFramed);
    }

    // Without a branch key a store still gets only its own documents and customers.
    const Reply stockTakes = post("qelvoinvi.php", QStringLiteral("bran_no=01&link_pass=1234"));
    EXPECT_EQ(column(stockTakes, 1),
              (QStringList{QStringLiteral("A1001-RD-M"), QStringLiteral("B2002-KH-30"), QStringLiteral("A1001-WH-M"),
                           QStringLiteral("A1002-WH-M"), QStringLiteral("B2001-NV-30"), QStringLiteral("J4001-NV-M"),
                           QStringLiteral("A1001-WH-L")}));
    const Reply customers = post("qelvocust2seek.php", QStringLiteral("bran_no=02&link_pass=5678&mcust=Y"));
    EXPECT_EQ(column(customers, 1),
              (QStringList{QStringLiteral("C0005"), QStringLiteral("C0006"), QStringLiteral("C0007"),
                           QStringLiteral("C0008"), QStringLiteral("C0015"), QStringLiteral("C0018")}));
    const Reply allCustomers = post("qelvocust2seek.php", QStringLiteral("bran_no=A&link_pass=0000&mcust=Y"));
    EXPECT_EQ(allCustomers.records.size(), 20);
}

TEST_F(Backoffice, malformedRequestsGetOneRefusalLineAndTheServerCarriesOn)
{
    struct Case {
        const char *name;
        QByteArray body;
        QString status;
    } cases[] = {
        {"empty body", QByteArray(), QStringLiteral("要求格式錯誤 : 沒有內容")},
        {"no key=value", "garbage", QStringLiteral("要求格式錯誤 : 每一項須為 鍵=值")},
        {"empty key", "=1&bran_no=01&link_pass=1234", QStringLiteral("要求格式錯誤 : 每一項須為 鍵=值")},
        {"value with & splits into a bare piece", "bran_no=01&link_pass=1234&cust_name=A&B&mcust=Y",
         QStringLiteral("要求格式錯誤 : 每一項須為 鍵=值")},
        {"binary bytes", QByteArray("\xff\xfe\x00\x01=\x80", 6), QStringLiteral("密碼錯誤")},
        {"impossible date", "bran_no=01&link_pass=1234&mbran=01&sdat=2024/02/30",
         QStringLiteral("日期格式錯誤 : sdat=2024/02/30")},
        {"date with blanks from an unfilled mask", "bran_no=01&link_pass=1234&mbran=01&edat=2024/03/  ",
         QStringLiteral("日期格式錯誤 : edat=2024/03/")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Reply reply = postBytes("qelvoinvi.php", c.body);
        EXPECT_EQ(reply.status, c.status);
        EXPECT_EQ(reply.lineCount, 1);
    }
    const Reply documents = post("qelvobuyoseek.php", QStringLiteral("bran_no=A&link_pass=0000&kind=E&mbran=A"));
    EXPECT_EQ(documents.status, QStringLiteral("單據種類錯誤 : kind=E"));
    const Reply birthdays =
        post("qelvocust2seek.php", QStringLiteral("bran_no=A&link_pass=0000&sborn=1301&eborn=1309"));
    EXPECT_EQ(birthdays.status, QStringLiteral("生日區間錯誤 : sborn=1301"));
    const Reply lastReceipt =
        post("qelvobuyoseek.php", QStringLiteral("bran_no=A&link_pass=0000&kind=D&mbran=01&is_last=Y"));
    EXPECT_EQ(lastReceipt.status, QStringLiteral("取最後單號必需輸入機台"));

    // A body whose CR LF is counted in Content-Length is the same request.
    EXPECT_EQ(postBytes("linktest.php", "bran_no=01&link_pass=1234\r\n").status, QStringLiteral("DataOk"));
    EXPECT_TRUE(server_->isRunning());
}

TEST_F(Backoffice, unknownScriptIsNotFound)
{
    const RawReply raw = rawHttpPost(server_->port(), "qelvonothing.php", "bran_no=A&link_pass=0000");
    EXPECT_TRUE(raw.error.isEmpty());
    EXPECT_EQ(raw.status, 404);
}
