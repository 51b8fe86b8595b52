#include "components/widgets/EnterMovesFocus.h"

#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/SendTabKey.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

bool focusReaches(QWidget *widget)
{
    return QTest::qWaitFor([widget] { return widget->hasFocus(); });
}

void showActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

} // namespace

TEST(EnterMovesFocus, enterWalksTheFieldsOfADialogAndPressesTheButtonAtTheEnd)
{
    QDialog dialog;
    auto *layout = new QVBoxLayout(&dialog);
    QLineEdit *edits[3];
    for (QLineEdit *&edit : edits) {
        edit = new QLineEdit(&dialog);
        layout->addWidget(edit);
    }
    auto *branch = new QComboBox(&dialog);
    branch->setEditable(true);
    layout->addWidget(branch);
    auto *stock = new QCheckBox(QStringLiteral("依現有庫存量"), &dialog);
    layout->addWidget(stock);
    auto *ok = new FocusMarkedButton(QStringLiteral("確定 &Y"), &dialog);
    ok->setDefault(true);
    layout->addWidget(ok);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    EnterMovesFocus::install(&dialog);
    showActive(&dialog);

    edits[0]->setFocus();
    ASSERT_TRUE(focusReaches(edits[0]));
    QTest::keyClick(edits[0], Qt::Key_Return);
    EXPECT_TRUE(focusReaches(edits[1]));
    QTest::keyClick(edits[1], Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(focusReaches(edits[2]));
    QTest::keyClick(edits[2], Qt::Key_Return);
    EXPECT_TRUE(focusReaches(branch));
    QTest::keyClicks(branch, QStringLiteral("B"));
    QTest::keyClick(branch, Qt::Key_Return);
    EXPECT_TRUE(focusReaches(stock));
    EXPECT_EQ(branch->count(), 0) << "Enter in the branch box adds nothing to its list";
    QTest::keyClick(stock, Qt::Key_Return);
    EXPECT_TRUE(focusReaches(ok));
    EXPECT_FALSE(stock->isChecked());
    EXPECT_TRUE(dialog.isVisible()) << "Enter in a field never pressed the default button";

    QTest::keyClick(ok, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(EnterMovesFocus, enterMovesToTheNextCellOfAGridAlsoWhileEditing)
{
    QStandardItemModel model(2, 3);
    QTableView view;
    view.setModel(&model);
    EnterMovesFocus::install(&view);
    showActive(&view);
    view.setFocus();
    ASSERT_TRUE(focusReaches(&view));

    view.setCurrentIndex(model.index(0, 0));
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return view.currentIndex() == model.index(0, 1); }));

    view.edit(model.index(0, 1));
    QWidget *editor = QApplication::focusWidget();
    ASSERT_NE(editor, &view);
    QTest::keyClicks(editor, QStringLiteral("12"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return view.currentIndex() == model.index(0, 2); }));
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), QStringLiteral("12"));

    // Past the last cell of a row the grid goes on in the next row.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return view.currentIndex() == model.index(1, 0); }));
}

TEST(SendTabKey, movesTheFocusOnceTheCurrentEventIsDone)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *first = new QLineEdit(&window);
    auto *second = new QLineEdit(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    showActive(&window);
    first->setFocus();
    ASSERT_TRUE(focusReaches(first));

    SendTabKey();
    EXPECT_TRUE(first->hasFocus()) << "nothing happens inside the caller's handler";
    EXPECT_TRUE(focusReaches(second));
}
