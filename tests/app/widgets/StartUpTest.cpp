#include "app/widgets/StartUp.h"

#include "MainWindowFixture.h"
#include "common/BackofficeProcess.h"
#include "common/Controls.h"
#include "common/LoopbackServer.h"
#include "components/widgets/FocusMarkedButton.h"
#include "customerlabels/widgets/CustomerLabelWindow.h"
#include "productlabels/widgets/ProductLabelWindow.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTimer>

namespace {

using StartUpTest = MainWindowTest;
} // namespace

TEST_F(StartUpTest, linkTestFromTheSavedSettingsSetsStatusAndFocus)
{
    BackofficeProcess backoffice;
    ASSERT_TRUE(backoffice.isListening()) << backoffice.errorText().toStdString();
    const QByteArray nobody = QByteArrayLiteral("127.0.0.1:") + QByteArray::number(LoopbackServer::closedPort());
    const struct {
        const char *name;
        QByteArray settings; // empty: no SysSet.ini
        QString label8;
        bool focusOnExit;
        QStringList memo1;
        QString memo2;
        QString status;
    } cases[] = {
        {"linked",
         "SERVER=" + backoffice.serverText().toLatin1() + "\r\nBRAN_NO=01\r\nPASSWD=1234\r\n",
         QStringLiteral("【01】與主機連線正常"),
         true,
         {QStringLiteral("DataOk"), QStringLiteral("EOT")},
         QStringLiteral("bran_no=01&link_pass=1234"),
         QStringLiteral(" 成功      耗資時間(ms) :")},
        {"wrong password",
         "SERVER=" + backoffice.serverText().toLatin1() + "\r\nBRAN_NO=01\r\nPASSWD=9999\r\n",
         QStringLiteral("請先與主機連線【系統參數設定】"),
         false,
         {QStringLiteral("密碼錯誤")},
         QStringLiteral("bran_no=01&link_pass=9999"),
         QStringLiteral(" 資料不完整")},
        {"unreachable",
         "SERVER=" + nobody + "\r\nBRAN_NO=01\r\nPASSWD=1234\r\n",
         QStringLiteral("請先與主機連線【系統參數設定】"),
         false,
         {},
         QStringLiteral("bran_no=01&link_pass=1234"),
         QStringLiteral(" 失敗")},
        {"never set up",
         QByteArray(),
         QStringLiteral("SysSet.ini 的 SERVER 沒有主機位址"),
         false,
         {},
         QStringLiteral("bran_no=&link_pass="),
         QStringLiteral(" 失敗")},
        {"a NUL cutting the server",
         "SERVER=" + backoffice.serverText().toLatin1() + QByteArray(1, '\0') + "x\r\nBRAN_NO=01\r\nPASSWD=1234\r\n",
         QStringLiteral("SysSet.ini 的 SERVER 含換行或 NUL 等控制字元"),
         false,
         {},
         QStringLiteral("bran_no=01&link_pass=1234"),
         QStringLiteral(" 失敗")},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        QFile settings(programDir.filePath(QStringLiteral("SysSet.ini")));
        settings.remove();
        if (!row.settings.isEmpty()) {
            ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
            settings.write("[SETTING]\r\n" + row.settings + "OPRICE=0\r\n");
            settings.close();
        }

        const std::unique_ptr<MainWindow> started = startUp(programDir.path(), prompts, guardOptions());

        ASSERT_NE(started, nullptr);
        EXPECT_EQ(started->statusLabel->text(), row.label8);
        EXPECT_EQ(started->focusWidget(), row.focusOnExit ? static_cast<QWidget *>(started->exitButton)
                                                          : static_cast<QWidget *>(started->settingsButton));
        EXPECT_EQ(memoLines(started->replyPane), row.memo1);
        EXPECT_EQ(started->requestPane->toPlainText(), row.memo2);
        EXPECT_TRUE(started->exchangeStatusPanel->text().startsWith(QStringLiteral("最近通訊時間 : ")));
        EXPECT_TRUE(started->exchangeStatusPanel->text().contains(row.status))
            << started->exchangeStatusPanel->text().toStdString();
        EXPECT_NE(started->settingsDialog(), nullptr);
        EXPECT_FALSE(started->isVisible());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(prompts.calls.isEmpty());
    }
}

TEST_F(StartUpTest, customerButtonOpensTheCustomerLabelWindow)
{
    const std::unique_ptr<MainWindow> started = startUp(programDir.path(), prompts, guardOptions());
    ASSERT_NE(started, nullptr);
    auto *button = started->customerLabelsButton;
    ASSERT_TRUE(button->isEnabled());
    button->click();
    auto *window = qobject_cast<CustomerLabelWindow *>(started->customerWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->objectName(), QStringLiteral("TCustBarForm"));
    EXPECT_TRUE(window->isVisible());
    window->close();
}

TEST_F(StartUpTest, secondCopyShowsOnlyTheNoticeAndWakesTheFirst)
{
    const std::unique_ptr<MainWindow> first = startUp(programDir.path(), prompts, guardOptions());
    ASSERT_NE(first, nullptr);
    QSignalSpy wakeUps(first->singleInstanceGuard, &SingleInstanceGuard::wakeUpRequested);
    const int windowsBefore = QApplication::topLevelWidgets().size();

    const std::unique_ptr<MainWindow> second = startUp(programDir.path(), prompts, guardOptions());

    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(guardNotices, QStringList{QStringLiteral("For web 條碼列印|條碼列印重複登入了!!")});
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsBefore);
    EXPECT_TRUE(wakeUps.wait());
}

TEST_F(StartUpTest, productButtonOpensTheProductWindowWhoseCloseStartsTheTimer)
{
    const std::unique_ptr<MainWindow> started = startUp(programDir.path(), prompts, guardOptions());
    ASSERT_NE(started, nullptr);
    EXPECT_TRUE(started->productLabelsButton->isEnabled());
    started->productLabelsButton->click();
    auto *product = qobject_cast<ProductLabelWindow *>(started->productWindow());
    ASSERT_NE(product, nullptr);
    EXPECT_TRUE(product->isVisible());
    EXPECT_EQ(product->parentWidget(), started.get());

    product->close();
    EXPECT_TRUE(started->productWindowTimer->isActive());
}
