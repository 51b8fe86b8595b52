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
        return {dialog.groupItemEdit, dialog.firstItemEdit, dialog.lastItemEdit,
                dialog.barcodeEdit,   dialog.categoryEdit,  dialog.brandEdit,
                dialog.supplierEdit,  dialog.colourEdit,    dialog.sizesEdit};
    }

    RecordingPrompts prompts;
    ProductImportDialog dialog{prompts};
};

} // namespace

TEST_F(ProductImportDialogTest, controlsKeepTheirDesignNames)
{
    const std::pair<const QObject *, const char *> named[] = {
        {&dialog, "TBar1SearchForm"},
        {dialog.priceBranchBox, "ComboBox1"},
        {dialog.groupItemEdit, "item1"},
        {dialog.firstItemEdit, "SItem_NO"},
        {dialog.lastItemEdit, "EItem_NO"},
        {dialog.barcodeEdit, "Barcode"},
        {dialog.categoryEdit, "Cate_no"},
        {dialog.brandEdit, "Kind_no"},
        {dialog.supplierEdit, "Supp_no"},
        {dialog.colourEdit, "color"},
        {dialog.sizesEdit, "sizes"},
        {dialog.inStockOnlyCheck, "CheckBox2"},
        {dialog.labelCountField, "FloatEdit1"},
        {dialog.okButton, "OkButton"},
        {dialog.cancelButton, "CancelButton"},
    };
    for (const auto &[control, name] : named) {
        EXPECT_EQ(control->objectName(), QLatin1String(name));
    }
}

TEST_F(ProductImportDialogTest, showingResetsTheConditionsButKeepsColourSizeAndBranch)
{
    open();
    dialog.priceBranchBox->setEditText(QStringLiteral("02"));
    for (QLineEdit *field : allTextFields()) {
        field->setText(field->objectName());
    }
    dialog.inStockOnlyCheck->setChecked(true);
    dialog.labelCountField->setValue(5);
    dialog.okButton->click();
    ASSERT_TRUE(dialog.isAccepted());

    open();
    EXPECT_FALSE(dialog.isAccepted());
    for (QLineEdit *field : allTextFields()) {
        SCOPED_TRACE(field->objectName().toStdString());
        const bool kept = field == dialog.colourEdit || field == dialog.sizesEdit;
        EXPECT_EQ(field->text(), kept ? field->objectName() : QString());
    }
    EXPECT_EQ(dialog.priceBranchBox->currentText(), QStringLiteral("02"));
    EXPECT_FALSE(dialog.inStockOnlyCheck->isChecked());
    EXPECT_EQ(dialog.labelCountField->value(), 1);
    EXPECT_TRUE(QTest::qWaitFor([this] { return dialog.priceBranchBox->hasFocus(); }));
}

TEST_F(ProductImportDialogTest, leavingTheStartCodeCopiesItToTheEndCode)
{
    open();
    dialog.firstItemEdit->setText(QStringLiteral("1001"));
    leave(dialog.firstItemEdit);
    EXPECT_EQ(dialog.lastItemEdit->text(), QStringLiteral("1001"));

    dialog.lastItemEdit->setText(QStringLiteral("2000"));
    leave(dialog.firstItemEdit);
    EXPECT_EQ(dialog.lastItemEdit->text(), QStringLiteral("1001")) << "whatever the end code held";
}

TEST_F(ProductImportDialogTest, okByItsKeyLeavesTheStartCodeFirst)
{
    open();
    dialog.firstItemEdit->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return dialog.firstItemEdit->hasFocus(); }));
    QTest::keyClicks(dialog.firstItemEdit, QStringLiteral("1001"));
    QTest::keyClick(dialog.firstItemEdit, Qt::Key_Y, Qt::AltModifier);
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
        dialog.groupItemEdit->setText(c.item1);
        dialog.colourEdit->setText(c.color);
        dialog.okButton->setFocus();
        dialog.okButton->click();
        EXPECT_EQ(prompts.texts(RecordingPrompts::Confirm),
                  c.asked ? QStringList{QStringLiteral("未輸入任何條件,引入全部商品(須耐心等候),繼續嗎 ?")}
                          : QStringList());
        EXPECT_EQ(dialog.isAccepted(), c.accepted);
        EXPECT_EQ(dialog.isVisible(), !c.accepted);
        EXPECT_EQ(dialog.groupItemEdit->text(), c.item1.trimmed());
        EXPECT_EQ(dialog.colourEdit->text(), c.color.trimmed());
        if (!c.accepted) {
            EXPECT_TRUE(QTest::qWaitFor([this] { return dialog.groupItemEdit->hasFocus(); }));
            dialog.cancelButton->click();
            EXPECT_FALSE(dialog.isAccepted());
        }
    }
}

TEST_F(ProductImportDialogTest, enterMovesThroughTheFieldsInRequestOrder)
{
    open();
    const QList<QWidget *> order = {
        dialog.priceBranchBox,   dialog.groupItemEdit,   dialog.firstItemEdit, dialog.lastItemEdit, dialog.barcodeEdit,
        dialog.categoryEdit,     dialog.brandEdit,       dialog.supplierEdit,  dialog.colourEdit,   dialog.sizesEdit,
        dialog.inStockOnlyCheck, dialog.labelCountField, dialog.okButton};
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
    dialog.priceBranchBox->setEditText(QStringLiteral("02"));
    dialog.setBranchChoices({});
    EXPECT_EQ(dialog.priceBranchBox->count(), 0);
    EXPECT_EQ(dialog.priceBranchBox->currentText(), QStringLiteral("02"));

    dialog.setBranchChoices({{"A", "01", "02"}, -1, {}});
    EXPECT_EQ(dialog.priceBranchBox->count(), 3);
    EXPECT_EQ(dialog.priceBranchBox->currentText(), QStringLiteral("02"));

    dialog.setBranchChoices({{"A", "01"}, 0, {}});
    EXPECT_EQ(dialog.priceBranchBox->currentText(), QStringLiteral("A"));
}
