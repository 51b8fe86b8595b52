#include "productlabels/widgets/TBar1SearchForm.h"

#include "common/RecordingPrompts.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/NumericEntryField.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class ProductImportDialogTest : public ::testing::Test
{
protected:
    void open()
    {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    void leave(QWidget *field)
    {
        field->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([field] { return field->hasFocus(); }));
        QTest::keyClick(field, Qt::Key_Tab);
    }

    QList<QLineEdit *> allTextFields() const
    {
        return {dialog.item1,   dialog.SItem_NO, dialog.EItem_NO, dialog.Barcode, dialog.Cate_no,
                dialog.Kind_no, dialog.Supp_no,  dialog.color,    dialog.sizes};
    }

    RecordingPrompts prompts;
    TBar1SearchForm dialog{prompts};
};

} // namespace

TEST_F(ProductImportDialogTest, showingResetsTheConditionsButKeepsColourSizeAndBranch)
{
    open();
    dialog.ComboBox1->setEditText(QStringLiteral("02"));
    for (QLineEdit *field : allTextFields()) {
        field->setText(field->objectName());
    }
    dialog.CheckBox2->setChecked(true);
    dialog.FloatEdit1->setValue(5);
    dialog.OkButton->click();
    ASSERT_TRUE(dialog.isAccepted());

    open();
    EXPECT_FALSE(dialog.isAccepted());
    for (QLineEdit *field : allTextFields()) {
        SCOPED_TRACE(field->objectName().toStdString());
        const bool kept = field == dialog.color || field == dialog.sizes;
        EXPECT_EQ(field->text(), kept ? field->objectName() : QString());
    }
    EXPECT_EQ(dialog.ComboBox1->currentText(), QStringLiteral("02"));
    EXPECT_FALSE(dialog.CheckBox2->isChecked());
    EXPECT_EQ(dialog.FloatEdit1->value(), 1);
    EXPECT_TRUE(QTest::qWaitFor([this] { return dialog.ComboBox1->hasFocus(); }));
}

TEST_F(ProductImportDialogTest, leavingTheStartCodeCopiesItToTheEndCode)
{
    open();
    dialog.SItem_NO->setText(QStringLiteral("1001"));
    leave(dialog.SItem_NO);
    EXPECT_EQ(dialog.EItem_NO->text(), QStringLiteral("1001"));

    dialog.EItem_NO->setText(QStringLiteral("2000"));
    leave(dialog.SItem_NO);
    EXPECT_EQ(dialog.EItem_NO->text(), QStringLiteral("1001")) << "whatever the end code held";
}

TEST_F(ProductImportDialogTest, okByItsKeyLeavesTheStartCodeFirst)
{
    open();
    dialog.SItem_NO->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return dialog.SItem_NO->hasFocus(); }));
    QTest::keyClicks(dialog.SItem_NO, QStringLiteral("1001"));
    QTest::keyClick(dialog.SItem_NO, Qt::Key_Y, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return dialog.isAccepted(); }));
    // One product, not that product and every one after it.
    EXPECT_EQ(dialog.conditions().sitem, "1001");
    EXPECT_EQ(dialog.conditions().eitem, "1001");
    EXPECT_TRUE(prompts.calls.isEmpty());
}

TEST_F(ProductImportDialogTest, okWithoutConditionsAsksBeforeImportingEverything)
{
    struct Case {
        const char *name;
        QString item1;
        QString color;
        QList<bool> answers;
        bool asked;
        bool accepted;
    } cases[] = {
        {"a condition needs no question", QStringLiteral(" A1 "), QString(), {}, false, true},
        {"blanks are no condition; No stays", QStringLiteral("   "), QStringLiteral(" "), {false}, true, false},
        {"nothing at all; Yes imports everything", QString(), QString(), {true}, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        prompts.calls.clear();
        prompts.confirmAnswers = c.answers;
        open();
        dialog.item1->setText(c.item1);
        dialog.color->setText(c.color);
        dialog.OkButton->setFocus();
        dialog.OkButton->click();
        EXPECT_EQ(prompts.texts(RecordingPrompts::Confirm),
                  c.asked ? QStringList{QStringLiteral("未輸入任何條件,引入全部商品(須耐心等候),繼續嗎 ?")}
                          : QStringList());
        for (const RecordingPrompts::Call &call : prompts.calls) {
            EXPECT_EQ(call.window, &dialog) << "over the dialog that asked";
        }
        EXPECT_EQ(dialog.isAccepted(), c.accepted);
        EXPECT_EQ(dialog.isVisible(), !c.accepted);
        EXPECT_EQ(dialog.item1->text(), c.item1.trimmed());
        EXPECT_EQ(dialog.color->text(), c.color.trimmed());
        if (!c.accepted) {
            EXPECT_TRUE(QTest::qWaitFor([this] { return dialog.item1->hasFocus(); }));
            dialog.CancelButton->click();
            EXPECT_FALSE(dialog.isAccepted());
        }
    }
}

TEST_F(ProductImportDialogTest, enterMovesThroughTheFieldsInRequestOrder)
{
    open();
    const QList<QWidget *> order = {dialog.ComboBox1, dialog.item1,   dialog.SItem_NO,  dialog.EItem_NO,
                                    dialog.Barcode,   dialog.Cate_no, dialog.Kind_no,   dialog.Supp_no,
                                    dialog.color,     dialog.sizes,   dialog.CheckBox2, dialog.FloatEdit1,
                                    dialog.OkButton};
    ASSERT_TRUE(QTest::qWaitFor([&] { return order.first()->hasFocus(); }));
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([&] { return order.at(i)->hasFocus(); })) << i;
    }
    EXPECT_FALSE(dialog.isAccepted()) << "Enter never pressed OK on the way";
}

TEST_F(ProductImportDialogTest, branchListKeepsTheTypedTextUnlessTheOwnCodeIsListed)
{
    open();
    dialog.ComboBox1->setEditText(QStringLiteral("02"));
    dialog.setBranchChoices({}, -1);
    EXPECT_EQ(dialog.ComboBox1->count(), 0);
    EXPECT_EQ(dialog.ComboBox1->currentText(), QStringLiteral("02"));

    dialog.setBranchChoices({"A", "01", "02"}, -1);
    EXPECT_EQ(dialog.ComboBox1->count(), 3);
    EXPECT_EQ(dialog.ComboBox1->currentText(), QStringLiteral("02"));

    dialog.setBranchChoices({"A", "01"}, 0);
    EXPECT_EQ(dialog.ComboBox1->currentText(), QStringLiteral("A"));
}
