#include "components/widgets/BareMnemonicKeys.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A dialog with a control of each kind and a button whose underlined key is 3.
class MnemonicDialog : public QDialog
{
public:
    MnemonicDialog()
    {
        pushButton->setGeometry(10, 10, 100, 30);
        checkBox->setGeometry(10, 50, 100, 30);
        radioButton->setGeometry(10, 90, 100, 30);
        lineEdit->setGeometry(10, 130, 100, 30);
        target->setGeometry(10, 170, 100, 30);
        list->setGeometry(10, 210, 100, 60);
        list->addItems({QStringLiteral("3a"), QStringLiteral("3b")});
        list->setProperty(BareMnemonicKeys::takesNoTextProperty, true);
        connect(target, &QPushButton::clicked, this, [this] { ++targetClicks; });
        resize(200, 280);
    }

    QPushButton *pushButton = new QPushButton(QStringLiteral("離開 &X"), this);
    QCheckBox *checkBox = new QCheckBox(QStringLiteral("更改 &K"), this);
    QRadioButton *radioButton = new QRadioButton(QStringLiteral("&R 無"), this);
    QLineEdit *lineEdit = new QLineEdit(this);
    QPushButton *target = new QPushButton(QStringLiteral("系統參數設定 &3"), this);
    // A read-only list would search its items for the key; marked, it leaves it to the buttons.
    QListWidget *list = new QListWidget(this);
    int targetClicks = 0;
};

} // namespace

TEST(BareMnemonicKeys, aKeyAloneActsAsWithAltWhereTheFocusTakesNoText)
{
    BareMnemonicKeys::install();
    MnemonicDialog dialog;
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

    const struct {
        const char *name;
        QWidget *focus;
        Qt::Key key;
        int clicks;
        bool checked;
        QString typed;
    } cases[] = {
        {"push button", dialog.pushButton, Qt::Key_3, 1, false, QString()},
        {"check box", dialog.checkBox, Qt::Key_3, 1, false, QString()},
        {"radio button", dialog.radioButton, Qt::Key_3, 1, false, QString()},
        {"a check box's own key", dialog.pushButton, Qt::Key_K, 0, true, QString()},
        {"a key nobody underlines", dialog.pushButton, Qt::Key_Q, 0, false, QString()},
        {"text field types it", dialog.lineEdit, Qt::Key_3, 0, false, QStringLiteral("3")},
        {"a list marked as taking no text", dialog.list, Qt::Key_3, 1, false, QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        dialog.targetClicks = 0;
        dialog.checkBox->setChecked(false);
        dialog.lineEdit->clear();
        c.focus->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return c.focus->hasFocus(); }));
        QTest::keyClick(c.focus, c.key);
        // A mnemonic presses its button as a click that takes a moment.
        QTest::qWait(250);
        EXPECT_EQ(dialog.targetClicks, c.clicks);
        EXPECT_EQ(dialog.checkBox->isChecked(), c.checked);
        EXPECT_EQ(dialog.lineEdit->text(), c.typed);
    }
}
