#include "productlabels/widgets/ProductImportDialog.h"

#include "common/Controls.h"
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
        return {control<QLineEdit>(dialog, "item1"),    control<QLineEdit>(dialog, "SItem_NO"),
                control<QLineEdit>(dialog, "EItem_NO"), control<QLineEdit>(dialog, "Barcode"),
                control<QLineEdit>(dialog, "Cate_no"),  control<QLineEdit>(dialog, "Kind_no"),
                control<QLineEdit>(dialog, "Supp_no"),  control<QLineEdit>(dialog, "color"),
                control<QLineEdit>(dialog, "sizes")};
    }

    RecordingPrompts prompts;
    ProductImportDialog dialog{prompts};
};

} // namespace

TEST_F(ProductImportDialogTest, showingResetsTheConditionsButKeepsColourSizeAndBranch)
{
    open();
    control<QComboBox>(dialog, "ComboBox1")->setEditText(QStringLiteral("02"));
    for (QLineEdit *field : allTextFields()) {
        field->setText(field->objectName());
    }
    control<QCheckBox>(dialog, "CheckBox2")->setChecked(true);
    control<NumericEntryField>(dialog, "FloatEdit1")->setValue(5);
    control<FocusMarkedButton>(dialog, "OkButton")->click();
    ASSERT_TRUE(dialog.isAccepted());

    open();
    EXPECT_FALSE(dialog.isAccepted());
    for (QLineEdit *field : allTextFields()) {
        SCOPED_TRACE(field->objectName().toStdString());
        const bool kept = field == control<QLineEdit>(dialog, "color") || field == control<QLineEdit>(dialog, "sizes");
        EXPECT_EQ(field->text(), kept ? field->objectName() : QString());
    }
    EXPECT_EQ(control<QComboBox>(dialog, "ComboBox1")->currentText(), QStringLiteral("02"));
    EXPECT_FALSE(control<QCheckBox>(dialog, "CheckBox2")->isChecked());
    EXPECT_EQ(control<NumericEntryField>(dialog, "FloatEdit1")->value(), 1);
    EXPECT_TRUE(QTest::qWaitFor([this] { return control<QComboBox>(dialog, "ComboBox1")->hasFocus(); }));
}

TEST_F(ProductImportDialogTest, leavingTheStartCodeCopiesItToTheEndCode)
{
    open();
    control<QLineEdit>(dialog, "SItem_NO")->setText(QStringLiteral("1001"));
    leave(control<QLineEdit>(dialog, "SItem_NO"));
    EXPECT_EQ(control<QLineEdit>(dialog, "EItem_NO")->text(), QStringLiteral("1001"));

    control<QLineEdit>(dialog, "EItem_NO")->setText(QStringLiteral("2000"));
    leave(control<QLineEdit>(dialog, "SItem_NO"));
    EXPECT_EQ(control<QLineEdit>(dialog, "EItem_NO")->text(), QStringLiteral("1001")) << "whatever the end code held";
}

TEST_F(ProductImportDialogTest, okByItsKeyLeavesTheStartCodeFirst)
{
    open();
    control<QLineEdit>(dialog, "SItem_NO")->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return control<QLineEdit>(dialog, "SItem_NO")->hasFocus(); }));
    QTest::keyClicks(control<QLineEdit>(dialog, "SItem_NO"), QStringLiteral("1001"));
    QTest::keyClick(control<QLineEdit>(dialog, "SItem_NO"), Qt::Key_Y, Qt::AltModifier);
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
        control<QLineEdit>(dialog, "item1")->setText(c.item1);
        control<QLineEdit>(dialog, "color")->setText(c.color);
        control<FocusMarkedButton>(dialog, "OkButton")->setFocus();
        control<FocusMarkedButton>(dialog, "OkButton")->click();
        EXPECT_EQ(prompts.texts(RecordingPrompts::Confirm),
                  c.asked ? QStringList{QStringLiteral("未輸入任何條件,引入全部商品(須耐心等候),繼續嗎 ?")}
                          : QStringList());
        EXPECT_EQ(dialog.isAccepted(), c.accepted);
        EXPECT_EQ(dialog.isVisible(), !c.accepted);
        EXPECT_EQ(control<QLineEdit>(dialog, "item1")->text(), c.item1.trimmed());
        EXPECT_EQ(control<QLineEdit>(dialog, "color")->text(), c.color.trimmed());
        if (!c.accepted) {
            EXPECT_TRUE(QTest::qWaitFor([this] { return control<QLineEdit>(dialog, "item1")->hasFocus(); }));
            control<FocusMarkedButton>(dialog, "CancelButton")->click();
            EXPECT_FALSE(dialog.isAccepted());
        }
    }
}

TEST_F(ProductImportDialogTest, enterMovesThroughTheFieldsInRequestOrder)
{
    open();
    const QList<QWidget *> order = {
        control<QComboBox>(dialog, "ComboBox1"),       control<QLineEdit>(dialog, "item1"),
        control<QLineEdit>(dialog, "SItem_NO"),        control<QLineEdit>(dialog, "EItem_NO"),
        control<QLineEdit>(dialog, "Barcode"),         control<QLineEdit>(dialog, "Cate_no"),
        control<QLineEdit>(dialog, "Kind_no"),         control<QLineEdit>(dialog, "Supp_no"),
        control<QLineEdit>(dialog, "color"),           control<QLineEdit>(dialog, "sizes"),
        control<QCheckBox>(dialog, "CheckBox2"),       control<NumericEntryField>(dialog, "FloatEdit1"),
        control<FocusMarkedButton>(dialog, "OkButton")};
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
    control<QComboBox>(dialog, "ComboBox1")->setEditText(QStringLiteral("02"));
    dialog.setBranchChoices({}, -1);
    EXPECT_EQ(control<QComboBox>(dialog, "ComboBox1")->count(), 0);
    EXPECT_EQ(control<QComboBox>(dialog, "ComboBox1")->currentText(), QStringLiteral("02"));

    dialog.setBranchChoices({"A", "01", "02"}, -1);
    EXPECT_EQ(control<QComboBox>(dialog, "ComboBox1")->count(), 3);
    EXPECT_EQ(control<QComboBox>(dialog, "ComboBox1")->currentText(), QStringLiteral("02"));

    dialog.setBranchChoices({"A", "01"}, 0);
    EXPECT_EQ(control<QComboBox>(dialog, "ComboBox1")->currentText(), QStringLiteral("A"));
}
