#include "common/BackofficeProcess.h"
#include "components/Big5.h"
#include "exchange/BranchList.h"
#include "exchange/ServerExchange.h"

#include <gtest/gtest.h>
#include <memory>

namespace {
using Codes = QList<QByteArray>;

class BackofficeExchangeTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { backoffice = std::make_unique<BackofficeProcess>(); }
    static void TearDownTestSuite() { backoffice.reset(); }

    void SetUp() override { ASSERT_TRUE(backoffice->isListening()) << backoffice->errorText().toStdString(); }

    LinkSettings link;
    ServerExchange exchange{[this] { return link; }};

    void logIn(const QByteArray &branch, const QByteArray &password)
    {
        link = {backoffice->serverText().toLatin1(), branch, password};
    }

    static std::unique_ptr<BackofficeProcess> backoffice;
};

std::unique_ptr<BackofficeProcess> BackofficeExchangeTest::backoffice;
} // namespace

TEST_F(BackofficeExchangeTest, linkTestPassesOnlyWithTheRightPassword)
{
    const struct {
        const char *name;
        QByteArray branch;
        QByteArray password;
        bool ok;
        QByteArray firstLine;
        QString statusEnd; // the judgement at the end of the status line
    } cases[] = {
        {"head office", "A", "0000", true, "DataOk", QStringLiteral(" 成功      耗資時間(ms) :")},
        {"store 01", "01", "1234", true, "DataOk", QStringLiteral(" 成功      耗資時間(ms) :")},
        {"store 01, password of 02", "01", "5678", false, Big5::fromUtf8Literal("密碼錯誤"),
         QStringLiteral(" 資料不完整")},
        {"head office, empty password", "A", "", false, Big5::fromUtf8Literal("密碼錯誤"),
         QStringLiteral(" 資料不完整")},
        {"unknown branch", "09", "1234", false, Big5::fromUtf8Literal("密碼錯誤"), QStringLiteral(" 資料不完整")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        logIn(c.branch, c.password);
        EXPECT_EQ(exchange.linkTest(), c.ok);
        EXPECT_EQ(exchange.reply().line(0), c.firstLine);
        const QString status = exchange.statusLine();
        EXPECT_TRUE(status.startsWith(QStringLiteral("最近通訊時間 : "))) << status.toStdString();
        EXPECT_TRUE(status.contains(c.statusEnd)) << status.toStdString();
    }
}

TEST_F(BackofficeExchangeTest, branchListFollowsTheOwnCode)
{
    using BranchList::Style;
    const struct {
        const char *name;
        QByteArray branch;
        QByteArray password;
        Style style;
        Codes entries;
        qsizetype selected;
    } cases[] = {
        {"head office sees all, A selected", "A", "0000", Style::CodesOnly, {"A", "01", "02"}, 0},
        {"store 01 sees itself", "01", "1234", Style::CodesOnly, {"01"}, 0},
        {"store 02 in the customer dialog", "02", "5678", Style::LeadingEmptyEntry, {"", "02"}, 0},
        {"head office in the customer dialog", "A", "0000", Style::LeadingEmptyEntry, {"", "A", "01", "02"}, 0},
        {"wrong password: nothing", "01", "0001", Style::CodesOnly, {}, -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        logIn(c.branch, c.password);
        const BranchList::Choices choices = BranchList::fetch(exchange, c.style);
        EXPECT_EQ(choices.entries, c.entries);
        EXPECT_EQ(choices.selected, c.selected);
    }
}
