#include "settings/widgets/SystemSettingsDialog.h"

#include "common/Controls.h"
#include "common/LoopbackServer.h"
#include "common/RecordingPrompts.h"
#include "exchange/ServerExchange.h"
#include "settings/SettingsFiles.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <mutex>

namespace {

class SystemSettingsDialogTest : public SettingsFilesTest
{
protected:
    void SetUp() override
    {
        SettingsFilesTest::SetUp();
        put(QStringLiteral("SysSet.ini"), saved);
    }

    // Made on demand, after a test has put its own file.
    SystemSettingsDialog &form()
    {
        if (!form_) {
            form_ = std::make_unique<SystemSettingsDialog>(programDir(), exchange, prompts);
            QObject::connect(form_.get(), &SystemSettingsDialog::statusLabelChanged,
                             [this](const QString &text) { statusTexts.append(text); });
        }
        return *form_;
    }

    void open()
    {
        form().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
    }

    QLineEdit *edit(const char *name) { return control<QLineEdit>(form(), name); }

    void click(const char *name) { QTest::mouseClick(control<QPushButton>(form(), name), Qt::LeftButton); }

    void selectPrice(int item) { form().findChild<QButtonGroup *>()->button(item)->setChecked(true); }

    void answer(const QByteArray &body)
    {
        const std::lock_guard<std::mutex> lock(replyMutex);
        replyBody = body;
    }

    QByteArray lastRequestBody()
    {
        const std::vector<QByteArray> requests = server.requests();
        return requests.empty() ? QByteArray() : requests.back().mid(requests.back().indexOf("\r\n\r\n") + 4);
    }

    std::mutex replyMutex;
    QByteArray replyBody = "DataOk\r\nEOT\r\n";
    LoopbackServer server{[this](LoopbackServer::Connection &connection) {
        const std::lock_guard<std::mutex> lock(replyMutex);
        connection.send(httpReply("200 OK", replyBody));
    }};
    const QByteArray saved =
        "[SETTING]\r\nSERVER=" + server.serverText() + "\r\nBRAN_NO=01\r\nPASSWD=pw\r\nOPRICE=1\r\n";
    const QByteArray refusal = big5("密碼錯誤") + "\r\n";

    RecordingPrompts prompts;
    QStringList statusTexts;
    std::unique_ptr<SystemSettingsDialog> form_;
    ServerExchange exchange{[this] { return form_ ? form_->linkSettings() : LinkSettings{}; }};
};

} // namespace

TEST_F(SystemSettingsDialogTest, testButtonReportsTheLinkAndStoresNothing)
{
    const QString nobody = QStringLiteral("127.0.0.1:%1").arg(LoopbackServer::closedPort());
    const QString noServerNotice = QStringLiteral("SysSet.ini 的 SERVER 沒有主機位址");
    struct Case {
        const char *name;
        QByteArray reply;
        QString server;
        QString status;
        QString message;
    } cases[] = {
        {"answered", "DataOk\r\nEOT\r\n", QString::fromLatin1(server.serverText()), QString(),
         QStringLiteral("連線成功")},
        {"refused", refusal, QString::fromLatin1(server.serverText()), QStringLiteral("請先與主機連線!!"),
         QStringLiteral("與主機連線失敗 : 密碼錯誤")},
        {"no server", "DataOk\r\nEOT\r\n", QString(), noServerNotice, noServerNotice},
        // Without a reply line, the reason takes its place after the colon.
        {"nobody listening", "DataOk\r\nEOT\r\n", nobody, QStringLiteral("請先與主機連線!!"),
         QStringLiteral("與主機連線失敗 : 主機 %1 拒絕連線").arg(nobody)},
    };
    open();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        answer(c.reply);
        edit("Edit1")->setText(c.server);
        edit("Edit2")->setText(QStringLiteral("02"));
        prompts.calls.clear();
        statusTexts.clear();

        click("SpeedButton1");

        EXPECT_EQ(statusTexts, QStringList{c.status});
        EXPECT_EQ(prompts.texts(RecordingPrompts::Plain), QStringList{c.message});
        ASSERT_FALSE(prompts.calls.isEmpty());
        EXPECT_EQ(prompts.calls.first().window, &form()) << "over the dialog kept on top";
        EXPECT_TRUE(form().isVisible());
        EXPECT_EQ(contents(QStringLiteral("SysSet.ini")), saved);
    }
}

TEST_F(SystemSettingsDialogTest, saveAfterASuccessfulTestStoresTheTypedValuesAndCloses)
{
    open();
    edit("Edit2")->setText(QStringLiteral("台北"));
    edit("Edit3")->setText(QStringLiteral("a&b"));
    selectPrice(0);

    click("SaveButton");

    EXPECT_EQ(lastRequestBody(), "bran_no=" + big5("台北") + "&link_pass=a&b\r\n") << "the typed values are tested";
    EXPECT_EQ(statusTexts, QStringList{QStringLiteral("台北店 與主機連線正常")});
    EXPECT_TRUE(prompts.calls.isEmpty());
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(form().result(), QDialog::Accepted);
    EXPECT_EQ(contents(QStringLiteral("SysSet.ini")), "[SETTING]\r\nSERVER=" + server.serverText() + "\r\nBRAN_NO=" +
                                                          big5("台北") + "\r\nPASSWD=a&b\r\nOPRICE=0\r\n");
}

TEST_F(SystemSettingsDialogTest, storedBytesGoOutAndBackUnchangedUntilEdited)
{
    // 0xA1 0x30 is no Big5 character; 0xFA 0x40 is a user-defined one.
    const QByteArray branch = "\xfa\x40"
                              "1";
    const QByteArray password = "12\xa1"
                                "034";
    const QByteArray odd = "[SETTING]\r\nSERVER=" + server.serverText() + "\r\nBRAN_NO=" + branch +
                           "\r\nPASSWD=" + password + "\r\nOPRICE=1\r\n";
    put(QStringLiteral("SysSet.ini"), odd);
    open();
    EXPECT_EQ(edit("Edit2")->text(), QStringLiteral("\uE0001"));

    click("SpeedButton1");
    EXPECT_EQ(lastRequestBody(), "bran_no=" + branch + "&link_pass=" + password + "\r\n");
    click("SaveButton");
    EXPECT_EQ(lastRequestBody(), "bran_no=" + branch + "&link_pass=" + password + "\r\n");
    EXPECT_EQ(contents(QStringLiteral("SysSet.ini")), odd);

    open();
    edit("Edit3")->setText(QStringLiteral("56"));
    click("SaveButton");
    EXPECT_EQ(contents(QStringLiteral("SysSet.ini")), QByteArray(odd).replace(password, "56"));
}

TEST_F(SystemSettingsDialogTest, failedTestBlocksSavingAndKeepsTheTypedValues)
{
    answer(refusal);
    open();
    edit("Edit2")->setText(QStringLiteral("99"));

    click("SaveButton");

    EXPECT_EQ(statusTexts, QStringList{QStringLiteral("請先與主機連線【系統參數設定】")});
    EXPECT_EQ(prompts.texts(RecordingPrompts::Plain), QStringList{QStringLiteral("與主機連線失敗 : 密碼錯誤")});
    EXPECT_TRUE(form().isVisible());
    EXPECT_EQ(edit("Edit2")->text(), QStringLiteral("99"));
    EXPECT_EQ(contents(QStringLiteral("SysSet.ini")), saved);
}

TEST_F(SystemSettingsDialogTest, failedStoreKeepsTheDialogOpenAndSaysWhy)
{
    QFile::remove(dir.filePath(QStringLiteral("SysSet.ini")));
    blockFile(QStringLiteral("SysSet.ini"));
    open();
    edit("Edit1")->setText(QString::fromLatin1(server.serverText()));

    click("SaveButton");

    ASSERT_EQ(prompts.texts(RecordingPrompts::Plain).size(), 1);
    EXPECT_TRUE(
        prompts.texts(RecordingPrompts::Plain).first().contains(QStringLiteral("SYSSET.INI"), Qt::CaseInsensitive));
    EXPECT_TRUE(form().isVisible());
}

TEST_F(SystemSettingsDialogTest, cancelAndEscapeRestoreTheSavedValues)
{
    struct Case {
        const char *name;
        QByteArray file;
        int key;
        QByteArray server;
        int priceAfter;
    } cases[] = {
        {"放棄 &C", saved, 0, server.serverText(), 1},
        {"Esc", saved, Qt::Key_Escape, server.serverText(), 1},
        {"no OPRICE keeps the choice", "[SETTING]\r\nSERVER=s\r\nBRAN_NO=01\r\nPASSWD=pw\r\n", 0, "s", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        put(QStringLiteral("SysSet.ini"), c.file);
        open();
        edit("Edit1")->setText(QStringLiteral("typed.example"));
        edit("Edit2")->setText(QStringLiteral("77"));
        edit("Edit3")->setText(QStringLiteral("typed"));
        selectPrice(0);

        if (c.key) {
            QTest::keyClick(&form(), Qt::Key(c.key));
        } else {
            click("CancelButton");
        }

        EXPECT_FALSE(form().isVisible());
        EXPECT_EQ(form().currentSettings(), (SystemSettings{c.server, "01", "pw", c.priceAfter}));
        EXPECT_EQ(contents(QStringLiteral("SysSet.ini")), c.file);
    }
}

TEST_F(SystemSettingsDialogTest, closeBoxKeepsTypedValuesForLaterExchangesButNotForTheNextStart)
{
    open();
    edit("Edit2")->setText(QStringLiteral("77"));

    form().close();

    EXPECT_FALSE(form().isVisible());
    ASSERT_TRUE(exchange.linkTest());
    EXPECT_EQ(lastRequestBody(), "bran_no=77&link_pass=pw\r\n");
    EXPECT_EQ(contents(QStringLiteral("SysSet.ini")), saved);

    RecordingPrompts otherPrompts;
    const SystemSettingsDialog nextStart(programDir(), exchange, otherPrompts);
    EXPECT_EQ(nextStart.linkSettings().branch, "01");
}

TEST_F(SystemSettingsDialogTest, storedPriceOptionSelectsTheItem)
{
    struct Case {
        const char *name;
        QByteArray line;
        int item;
    } cases[] = {
        {"0", "OPRICE=0\r\n", 0},
        {"5 selects 可以修改", "OPRICE=5\r\n", 1},
        {"-7 selects nothing", "OPRICE=-7\r\n", -1},
        {"missing selects 不能修改", "", 0},
        {"not a number selects 不能修改", "OPRICE=yes\r\n", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        put(QStringLiteral("SysSet.ini"), "[SETTING]\r\n" + c.line);
        RecordingPrompts quiet;
        const SystemSettingsDialog created(programDir(), exchange, quiet);
        EXPECT_EQ(created.priceOption(), c.item);
        EXPECT_EQ(created.currentSettings().priceOption, c.item);
    }
}

TEST_F(SystemSettingsDialogTest, enterMovesThroughTheFieldsToThePriceOption)
{
    open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return edit("Edit1")->hasFocus(); }));
    const QRadioButton *selected = qobject_cast<QRadioButton *>(form().findChild<QButtonGroup *>()->checkedButton());

    for (QWidget *next : {static_cast<QWidget *>(edit("Edit2")), static_cast<QWidget *>(edit("Edit3"))}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([&] { return next->hasFocus(); }));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return selected->hasFocus(); })) << "enters at the selected item";
    EXPECT_TRUE(form().isVisible());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    EXPECT_EQ(form().priceOption(), 0) << "arrows move within the group";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return form().findChild<QPushButton *>(QStringLiteral("SaveButton"))->hasFocus(); }));
}

TEST_F(SystemSettingsDialogTest, branchAndPasswordHoldEightBytesAndThePasswordShowsStars)
{
    open();
    for (const char *name : {"Edit2", "Edit3"}) {
        SCOPED_TRACE(name);
        QLineEdit *field = edit(name);
        field->clear();
        field->setFocus();
        for (const QChar character : QStringLiteral("台北店a特b")) {
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(character), Qt::NoModifier);
        }
        EXPECT_EQ(field->text(), QStringLiteral("台北店ab"));
    }
    EXPECT_EQ(edit("Edit3")->displayText(), QStringLiteral("*****"));
}
