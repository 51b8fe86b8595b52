#include "components/widgets/NumericEntryField.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

std::string str(const QString &text)
{
    return text.toStdString();
}

// A small form: a field before, the numeric field, a field after.
class FloatEditForm : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(before);
        layout->addWidget(edit);
        layout->addWidget(after);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        before->setFocus();
        ASSERT_TRUE(before->hasFocus());
    }

    QWidget window;
    QLineEdit *before = new QLineEdit;
    NumericEntryField *edit = new NumericEntryField;
    QLineEdit *after = new QLineEdit;
};

} // namespace

TEST_F(FloatEditForm, tabInTypeAndTabOut)
{
    edit->setIntNum(3);
    edit->setDecNum(0);
    edit->setValue(0);
    QSignalSpy changed(edit, &NumericEntryField::changed);
    EXPECT_EQ(str(edit->text()), "   0");
    EXPECT_EQ(changed.count(), 0);

    QTest::keyClick(before, Qt::Key_Tab);
    ASSERT_TRUE(edit->hasFocus());
    EXPECT_EQ(str(edit->text()), "0  ");
    EXPECT_EQ(str(edit->selectedText()), "0  ");

    QTest::keyClicks(edit, QStringLiteral("1234"));
    EXPECT_EQ(str(edit->text()), "123");
    EXPECT_EQ(edit->value(), 123);
    EXPECT_EQ(changed.count(), 3);

    QTest::keyClick(edit, Qt::Key_Tab);
    ASSERT_TRUE(after->hasFocus());
    EXPECT_EQ(str(edit->text()), " 123");
    EXPECT_EQ(edit->value(), 123);
}

TEST_F(FloatEditForm, caretKeysMinusAndPeriodInTheEditingLayout)
{
    edit->setValue(1234.5);
    EXPECT_EQ(str(edit->text()), "   1,234.50");
    edit->setFocus();
    EXPECT_EQ(str(edit->text()), "1234  .50");

    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Right);
    QTest::keyClick(edit, Qt::Key_Right);
    QTest::keyClick(edit, Qt::Key_9);
    EXPECT_EQ(str(edit->text()), "12934 .50");
    EXPECT_EQ(edit->cursorPosition(), 3);

    QTest::keyClick(edit, Qt::Key_Period);
    EXPECT_EQ(edit->cursorPosition(), 7);
    QTest::keyClick(edit, Qt::Key_7);
    EXPECT_EQ(str(edit->text()), "12934 .75");

    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Minus);
    EXPECT_EQ(str(edit->text()), "-12934.75");
    EXPECT_EQ(edit->value(), -12934.75);

    after->setFocus();
    EXPECT_EQ(str(edit->text()), " -12,934.75");
}

TEST_F(FloatEditForm, ownerKeyHandlerRunsFirstAndCanTurnEnterIntoTab)
{
    edit->setIntNum(6);
    edit->setDecNum(0);
    edit->setValue(1);
    int enters = 0;
    // What the import dialogs do: swallow Enter and move on as with Tab.
    edit->setKeyPressHandler([&](QChar &key) {
        if (key == QChar(13)) {
            key = QChar();
            ++enters;
            QCoreApplication::postEvent(QApplication::focusWidget(),
                                        new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
        }
    });
    QSignalSpy returnPressed(edit, &QLineEdit::returnPressed);
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("25"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(returnPressed.count(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return after->hasFocus(); }));
    EXPECT_EQ(str(edit->text()), "      25");
    EXPECT_EQ(edit->value(), 25);
}

TEST_F(FloatEditForm, textFromOutsideTheKeysIsLaidOutAndKeyboardPasteRefused)
{
    edit->setIntNum(6);
    edit->setDecNum(2);
    QSignalSpy changed(edit, &NumericEntryField::changed);
    edit->setValue(3);
    EXPECT_EQ(changed.count(), 0);

    edit->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("99"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(str(edit->text()), "3     .00");
    EXPECT_EQ(edit->value(), 3);

    // A middle-click paste reaches the text past the keys; it is laid out all the same.
    edit->setCursorPosition(1);
    edit->insert(QStringLiteral("9,9"));
    EXPECT_EQ(str(edit->text()), "399   .00");
    EXPECT_EQ(edit->value(), 399);
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(FloatEditForm, anotherWindowShowsTheNumberAndReturningKeepsTheCaret)
{
    edit->setValue(12);
    edit->setFocus();
    edit->setCursorPosition(2);
    QTest::keyClick(edit, Qt::Key_5);
    EXPECT_EQ(str(edit->text()), "125   .00");

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(str(edit->text()), "     125.00");

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_TRUE(edit->hasFocus());
    EXPECT_EQ(str(edit->text()), "125   .00");
    EXPECT_FALSE(edit->hasSelectedText());
    EXPECT_EQ(edit->cursorPosition(), 3);
}
