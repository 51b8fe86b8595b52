#include "components/widgets/WidgetPrompts.h"

#include "components/widgets/MessageWindow.h"
#include "components/widgets/WindowScale.h"

#include <QApplication>
#include <QDialog>
#include <QFontInfo>
#include <QLabel>
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
    QFont labelFont;
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
        if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
            seen.labelFont = label->font();
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

TEST(WidgetPrompts, boxesGrowWithTheWindowThatAsked)
{
    QWidget plain;
    QWidget grown;
    grown.resize(400, 300);
    WindowScale::scaleBy(grown, 1.7);
    WidgetPrompts shared(QStringLiteral("條碼"));
    const auto fontOfBox = [&](QWidget &window, bool question) {
        SeenBox seen;
        answerWithEnter(seen);
        const std::unique_ptr<Prompts> prompts = shared.forWindow(&window);
        if (question) {
            prompts->confirmDestructive(QStringLiteral("確定要全部刪除嗎 ?"));
        } else {
            prompts->plainMessage(QStringLiteral("連線成功"));
        }
        return QFontInfo(seen.labelFont).pixelSize();
    };
    for (const bool question : {true, false}) {
        SCOPED_TRACE(question ? "question" : "message");
        const int normal = fontOfBox(plain, question);
        const int large = fontOfBox(grown, question);
        ASSERT_GT(normal, 0);
        EXPECT_NEAR(double(large) / normal, 1.7, 0.2) << normal << " px, then " << large << " px";
    }
}
