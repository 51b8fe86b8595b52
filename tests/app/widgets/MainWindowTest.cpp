#include "MainWindowFixture.h"
#include "app/SingleInstanceGuard.h"
#include "app/widgets/MainPicture.h"
#include "common/Controls.h"
#include "common/LoopbackServer.h"
#include "components/widgets/BareMnemonicKeys.h"
#include "components/widgets/FocusMarkedButton.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

TEST_F(MainWindowTest, layoutFollowsTheWindowPlan)
{
    createForm();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("qelvomainForm"));
    EXPECT_EQ(form->size(), QSize(518, 570));
    EXPECT_EQ(form->bannerPanel->text(), QStringLiteral("條碼列印作業(Velmar)"));
    EXPECT_EQ(form->versionLabel->text(), QStringLiteral("v108-0402"));
    EXPECT_EQ(form->statusLabel->text(), QStringLiteral("Label8"));
    EXPECT_EQ(form->messagePanel->geometry(), QRect(0, 450, 518, 120));
    EXPECT_EQ(form->replyPane->geometry(), QRect(2, 28, 495, 69));
    EXPECT_EQ(form->requestPane->pos(), QPoint(2, 97));
    EXPECT_EQ(form->creditLabel->pos(), QPoint(341, 10));
    EXPECT_EQ(memoLines(form->replyPane), QStringList{QStringLiteral("Memo1")});
    EXPECT_EQ(form->requestPane->toPlainText(), QStringLiteral("Memo2"));

    const struct {
        FocusMarkedButton *button;
        QLabel *shadow;
        QString caption;
        int y;
    } buttons[] = {
        {form->exitButton, form->exitShadow, QStringLiteral("離開 &X"), 121},
        {form->productLabelsButton, form->exchangeStatusPanel, QStringLiteral("商品條碼列印 &1"), 181},
        {form->customerLabelsButton, form->customerShadow, QStringLiteral("客戶條碼列印 &2"), 247},
        {form->settingsButton, form->settingsShadow, QStringLiteral("系統參數設定 &3"), 311},
    };
    for (const auto &row : buttons) {
        SCOPED_TRACE(row.caption.toStdString());
        EXPECT_EQ(row.button->text(), row.caption);
        EXPECT_EQ(row.button->geometry(), QRect(165, row.y, 170, 33));
        EXPECT_EQ(row.shadow->geometry(), QRect(168, row.y + 5, 170, 33));
        EXPECT_FALSE(row.shadow->isEnabled());
        EXPECT_EQ(row.button->focusSize(), 3);
        EXPECT_FALSE(row.button->icon().isNull());
    }

    // Tab walks the four buttons only; the panes are left out.
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->exitButton->setFocus();
    QList<QWidget *> visited;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget();
    }
    EXPECT_EQ(visited, (QList<QWidget *>{form->productLabelsButton, form->customerLabelsButton, form->settingsButton,
                                         form->exitButton}));
}

TEST_F(MainWindowTest, controlsKeepTheirDesignNames)
{
    createForm();
    const std::pair<const QObject *, const char *> named[] = {
        {form.get(), "qelvomainForm"},
        {form->singleInstanceGuard, "OneInstComp1"},
        {form->bannerPanel, "Panel1"},
        {form->versionLabel, "Label4"},
        {form->statusLabel, "Label8"},
        {form->picture, "Image1"},
        {form->exitShadow, "Panel2"},
        {form->exchangeStatusPanel, "Panel3"},
        {form->customerShadow, "Panel9"},
        {form->settingsShadow, "Panel7"},
        {form->exitButton, "CloseButton"},
        {form->productLabelsButton, "PrintSetButton"},
        {form->customerLabelsButton, "custbutton"},
        {form->settingsButton, "SysButton"},
        {form->messagePanel, "Panel6"},
        {form->replyCaption, "Label1"},
        {form->requestCaption, "Label2"},
        {form->replyPane, "Memo1"},
        {form->requestPane, "Memo2"},
        {form->creditLabel, "Label3"},
        {form->productWindowTimer, "Timer1"},
    };
    for (const auto &[control, name] : named) {
        EXPECT_EQ(control->objectName(), QLatin1String(name));
    }
}

TEST_F(MainWindowTest, labelWindowsAreMadeOnceAndBroughtBack)
{
    createForm();
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));

    // A mnemonic presses its button as a short animated click.
    QTest::keyClick(form.get(), Qt::Key_1, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->productWindow() != nullptr; }));
    QPointer<QWidget> product = form->productWindow();
    EXPECT_EQ(product->objectName(), QStringLiteral("TBar1Form"));
    EXPECT_TRUE(product->isVisible());
    product->showMinimized();
    form->productLabelsButton->click();
    EXPECT_EQ(form->productWindow(), product);
    EXPECT_FALSE(product->isMinimized());
    EXPECT_EQ(productWindowsMade, 1);

    form->customerLabelsButton->click();
    QPointer<QWidget> customer = form->customerWindow();
    ASSERT_TRUE(customer);
    EXPECT_EQ(customer->objectName(), QStringLiteral("TCustBarForm"));
    customer->close();
    EXPECT_FALSE(customer->isVisible());
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_2, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return customer->isVisible(); }));
    EXPECT_EQ(form->customerWindow(), customer);
    EXPECT_EQ(customerWindowsMade, 1);
}

TEST_F(MainWindowTest, closedProductWindowGoesAfterTheDelayUnlessShownAgain)
{
    createForm();
    form->productLabelsButton->click();
    QPointer<QWidget> first = form->productWindow();
    ASSERT_TRUE(first);

    // Shown again before the timer fires: it must not vanish under the user.
    first->close();
    EXPECT_TRUE(form->productWindowTimer->isActive());
    form->productLabelsButton->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->productWindowTimer->isActive(); }));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(first);
    EXPECT_EQ(form->productWindow(), first);
    EXPECT_TRUE(first->isVisible());

    first->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }));
    EXPECT_EQ(form->productWindow(), nullptr);

    form->productLabelsButton->click();
    EXPECT_NE(form->productWindow(), nullptr);
    EXPECT_EQ(productWindowsMade, 2);
}

TEST_F(MainWindowTest, storePictureReplacesTheBuiltInOneAndTheCredit)
{
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    const struct {
        const char *name;
        QString fileName;
        QByteArray bytes; // empty: no file
        bool builtIn;
        QString credit;
        bool reported;
    } cases[] = {
        {"no picture", QString(), QByteArray(), true, QStringLiteral("Morvane"), false},
        {"picture", QStringLiteral("cust.bmp"), QByteArray("bmp"), false, QString(), false},
        {"picture named in capitals", QStringLiteral("CUST.BMP"), QByteArray("bmp"), false, QString(), false},
        {"not a picture", QStringLiteral("cust.bmp"), QByteArray("this is no bitmap"), true, QString(), true},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        prompts.calls.clear();
        QFile::remove(programDir.filePath(QStringLiteral("cust.bmp")));
        QFile::remove(programDir.filePath(QStringLiteral("CUST.BMP")));
        if (row.bytes == "bmp") {
            ASSERT_TRUE(picture.save(programDir.filePath(row.fileName), "BMP"));
        } else if (!row.bytes.isEmpty()) {
            QFile file(programDir.filePath(row.fileName));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(row.bytes);
        }

        createForm();

        EXPECT_EQ(form->picture->showsBuiltInPicture(), row.builtIn);
        EXPECT_EQ(form->creditLabel->text(), row.credit);
        const QStringList messages = prompts.texts(RecordingPrompts::Plain);
        ASSERT_EQ(messages.size(), row.reported ? 1 : 0);
        if (row.reported) {
            EXPECT_TRUE(messages[0].contains(QStringLiteral("cust.bmp"))) << messages[0].toStdString();
        }
        form.reset();
    }
}

TEST_F(MainWindowTest, secondStartBringsTheMinimisedWindowBack)
{
    createForm();
    EXPECT_EQ(form->singleInstanceGuard->mutex(), QStringLiteral("2009/10/22-mutex"));
    EXPECT_EQ(form->singleInstanceGuard->message(), QStringLiteral("2009/10/22-message"));
    EXPECT_EQ(form->singleInstanceGuard->text(), QStringLiteral("條碼列印重複登入了!!"));
    EXPECT_EQ(form->singleInstanceGuard->title(), QStringLiteral("For web 條碼列印"));
    ASSERT_TRUE(form->singleInstanceGuard->isGuarding());
    form->showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->isMinimized(); }));

    SingleInstanceGuard second;
    second.setDirectory(guardDirectory.path());
    second.beginLoading();
    second.setMutex(QStringLiteral("2009/10/22-mutex"));
    second.setMessage(QStringLiteral("2009/10/22-message"));
    second.Loaded();

    EXPECT_TRUE(second.anotherInstanceFound());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->isMinimized(); }));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(MainWindowTest, settingsButtonShowsTheDialogModallyAndExitCloses)
{
    createForm();
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    bool shownModally = false;
    QTimer watcher;
    closeSettingsWhenShownModally(watcher, shownModally);
    QTest::keyClick(form.get(), Qt::Key_3, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return shownModally; }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !settingsDialog->isVisible(); }));

    form->exitButton->click();
    EXPECT_FALSE(form->isVisible());
}

TEST_F(MainWindowTest, statusLabelFollowsEveryExchangeNotOnlyTheLinkTest)
{
    LoopbackServer server(
        [](LoopbackServer::Connection &connection) { connection.send(httpReply("200 OK", "NoData\r\n")); });
    // Part of a reply, then silence until the user gives up.
    LoopbackServer slow([](LoopbackServer::Connection &connection) {
        connection.send("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nDataOk\r\n");
    });
    const QByteArray nobody = QByteArrayLiteral("127.0.0.1:") + QByteArray::number(LoopbackServer::closedPort());
    createForm();
    bool cancelling = false;
    QObject::connect(&form->exchange(), &ServerExchange::progress, [&] {
        if (cancelling) {
            form->exchange().cancel();
        }
    });
    const struct {
        const char *name;
        QByteArray server;
        bool cancel;
        QString label8;
    } steps[] = {
        {"linked", server.serverText(), false, QStringLiteral("【01】與主機連線正常")},
        {"the user cancels a slow import", slow.serverText(), true, QStringLiteral("【01】與主機連線正常")},
        {"an import finds the server gone", nobody, false, QStringLiteral("請先與主機連線【系統參數設定】")},
        {"a cancel leaves the link down as it was", slow.serverText(), true,
         QStringLiteral("請先與主機連線【系統參數設定】")},
        {"the next import gets through", server.serverText(), false, QStringLiteral("【01】與主機連線正常")},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.name);
        cancelling = step.cancel;
        link.server = step.server;
        form->exchange().setRequestBody("bran_no=01&link_pass=1234&item1=A1");
        form->exchange().post(QStringLiteral("qelvoitemseek.php"));
        EXPECT_EQ(form->statusLabel->text(), step.label8);
    }
}

TEST_F(MainWindowTest, theButtonsKeysWorkWithoutAlt)
{
    BareMnemonicKeys::install();
    createForm();
    form->show();
    bool settingsShown = false;
    QTimer watcher;
    closeSettingsWhenShownModally(watcher, settingsShown);
    const auto pressOn = [this](QWidget *focus, Qt::Key key) {
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        focus->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([focus] { return focus->hasFocus(); }));
        QTest::keyClick(focus, key);
    };

    pressOn(form->exitButton, Qt::Key_1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return productWindowsMade == 1; }));
    pressOn(form->exitButton, Qt::Key_3);
    EXPECT_TRUE(QTest::qWaitFor([&] { return settingsShown; }));
    pressOn(form->settingsButton, Qt::Key_X);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->isVisible(); }));
}
