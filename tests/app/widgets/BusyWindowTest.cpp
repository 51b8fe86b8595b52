#include "components/widgets/BusyWindow.h"

#include "MainWindowFixture.h"
#include "common/Controls.h"
#include "common/LoopbackServer.h"
#include "components/widgets/FocusMarkedButton.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QtTest>

namespace {
// The start of a reply, then silence until the client goes away.
LoopbackServer::Handler stalling()
{
    return [](LoopbackServer::Connection &connection) {
        connection.send("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nDataOk\r\n");
    };
}

class BusyWindowTest : public MainWindowTest
{
protected:
    // Once the busy window is up, runs whileShown and then clicks Cancel.
    void cancelOnceShown(const std::function<void()> &whileShown)
    {
        QObject::connect(&watcher, &QTimer::timeout, [this, whileShown] {
            BusyWindow &busy = form->busyWindow();
            const QCursor *cursor = QApplication::overrideCursor();
            if (form->exchange().isBusy() && !busy.isVisible()) {
                hourglassBeforeShown = cursor && cursor->shape() == Qt::WaitCursor;
            }
            if (!busy.isVisible() || cancelled) {
                return;
            }
            mainWindowVisibleMeanwhile = form->isVisible();
            progressText = busy.progressLabel->text();
            whileShown();
            cancelled = true;
            QTest::mouseClick(busy.cancelButton, Qt::LeftButton);
        });
        watcher.start(10);
    }

    QTimer watcher;
    bool cancelled = false;
    bool hourglassBeforeShown = false;
    bool mainWindowVisibleMeanwhile = true;
    QString progressText;
};
} // namespace

TEST_F(BusyWindowTest, startUpLinkTestShowsItBeforeTheMainWindowAndCancelFails)
{
    LoopbackServer server(stalling());
    link.server = server.serverText();
    createForm();
    cancelOnceShown([] {});

    form->testLinkAndShowState();

    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(hourglassBeforeShown);
    EXPECT_FALSE(mainWindowVisibleMeanwhile);
    EXPECT_EQ(progressText, QStringLiteral("已收到 8 位元組"));
    EXPECT_EQ(form->exchangeStatusPanel->text(), QStringLiteral("最近通訊時間 : 2026/12/10 09:05:07 失敗"));
    EXPECT_EQ(form->statusLabel->text(), QStringLiteral("請先與主機連線【系統參數設定】"));
    EXPECT_EQ(form->focusWidget(), form->settingsButton);
    EXPECT_FALSE(form->busyWindow().isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(BusyWindowTest, noOtherInputReachesTheProgramDuringAnExchange)
{
    LoopbackServer server(stalling());
    link.server = server.serverText();
    createForm();
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    cancelOnceShown([this] {
        QTest::mouseClick(form->productLabelsButton, Qt::LeftButton);
        QTest::keyClick(form.get(), Qt::Key_2, Qt::AltModifier);
        form->exitButton->setFocus();
        QTest::keyClick(form->exitButton, Qt::Key_Space);
    });

    EXPECT_FALSE(form->exchange().linkTest());

    EXPECT_TRUE(cancelled);
    // A mnemonic that got through would press its button a moment later.
    QTest::qWait(BusyWindow::showDelayMs);
    EXPECT_EQ(productWindowsMade, 0);
    EXPECT_EQ(customerWindowsMade, 0);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->exchangeStatusPanel->text().endsWith(QStringLiteral(" 失敗")));

    // Afterwards the window takes input again.
    form->productLabelsButton->setFocus();
    QTest::mouseClick(form->productLabelsButton, Qt::LeftButton);
    EXPECT_EQ(productWindowsMade, 1);
}
