#include "components/widgets/WidgetPrompts.h"

#include "components/widgets/MessageWindow.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <gtest/gtest.h>

namespace {

struct SeenBox {
    QWidget *parent = nullptr;
    bool keptOnTop = false;
    QString defaultButton;
};

// Looks at the box once it is up, then answers it with Enter.
void answerWithEnter(SeenBox &seen)
{
    QTimer::singleShot(0, [&seen] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box) {
            return;
        }
        seen.parent = box->parentWidget();
        seen.keptOnTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        if (auto *message = qobject_cast<QMessageBox *>(box); message && message->defaultButton()) {
            seen.defaultButton = message->defaultButton()->text();
        }
        QTest::keyClick(box, Qt::Key_Return);
    });
}

} // namespace

TEST(WidgetPrompts, boxesComeUpOverTheWindowThatAskedWithTheSafeDefault)
{
    // The window that asks is kept on top; another window is the active one.
    QDialog asking(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint);
    asking.show();
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));

    WidgetPrompts shared(QStringLiteral("條碼/信封"));
    const std::unique_ptr<Prompts> prompts = shared.forWindow(&asking);
    const struct {
        const char *name;
        std::function<bool()> show;
        bool enterAnswer;
        QString defaultButton;
    } cases[] = {
        {"plain message",
         [&] {
             prompts->plainMessage(QStringLiteral("連線成功"));
             return true;
         },
         true, QString()},
        {"message window",
         [&] {
             prompts->embossedMessage(QStringLiteral("已是第一筆 !!"));
             return true;
         },
         true, QString()},
        {"question", [&] { return prompts->confirm(QStringLiteral("繼續嗎 ?")); }, true, QStringLiteral("是(&Y)")},
        {"destructive question", [&] { return prompts->confirmDestructive(QStringLiteral("確定要全部刪除嗎 ?")); },
         false, QStringLiteral("否(&N)")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        SeenBox seen;
        answerWithEnter(seen);
        EXPECT_EQ(c.show(), c.enterAnswer);
        EXPECT_EQ(seen.parent, &asking);
        EXPECT_TRUE(seen.keptOnTop) << "above a window kept on top";
        EXPECT_EQ(seen.defaultButton, c.defaultButton);
    }
}
