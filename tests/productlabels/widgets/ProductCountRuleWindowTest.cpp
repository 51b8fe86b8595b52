#include "ProductWindowFixture.h"
#include "labelqueue/widgets/CountRuleDialog.h"
#include "labelqueue/widgets/LabelWindowBehaviour.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

namespace {

class ProductCountRuleWindowTest : public ProductWindowTest
{
protected:
    CountRuleDialog &dialog() { return *window->findChild<CountRuleDialog *>(QStringLiteral("CountRuleDialog")); }

    QList<QString> shownCounts()
    {
        QList<QString> counts;
        for (int row = 0; row < model().rowCount(); ++row) {
            counts.append(model().data(model().index(row, 0)).toString());
        }
        return counts;
    }

    QList<double> storedCounts() const
    {
        LabelQueue queue(ProductQueueTable::fields());
        EXPECT_TRUE(queue.open(tablePath()).ok());
        QList<double> counts;
        for (int row = 0; row < queue.rowCount(); ++row) {
            counts.append(queue.readRow(row).value().number(ProductQueueTable::QUAN).value_or(-1));
        }
        return counts;
    }
};

} // namespace

TEST_F(ProductCountRuleWindowTest, theKeyOpensTheRuleWithLiveTotalsAndEscapeWritesNothing)
{
    createTable({"A", "B", "C", "D"});
    open();
    bool checked = false;
    whenShown(window.get(), &dialog(), [&] {
        CountRuleDialog &shown = dialog();
        shown.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&shown));
        EXPECT_EQ(shown.scopeLabel->text(), QStringLiteral("套用於全部 4 筆"));
        EXPECT_EQ(shown.summaryLabel->text(), QStringLiteral("共 4 筆，標籤 4 → 4 張"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return shown.factorEdit->hasFocus(); }))
            << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "none");
        QTest::keyClicks(shown.factorEdit, QStringLiteral("3"));
        EXPECT_EQ(shown.summaryLabel->text(), QStringLiteral("共 4 筆，標籤 4 → 12 張"));
        QTest::keyClick(shown.factorEdit, Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([&] { return shown.sparesEdit->hasFocus(); })) << "Enter moves on";
        QTest::keyClicks(shown.sparesEdit, QStringLiteral("x"));
        EXPECT_EQ(shown.summaryLabel->text(), QStringLiteral("「每筆加」不是數字：「x」"));
        QTest::keyClick(&shown, Qt::Key_Y, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !prompts.calls.isEmpty(); })) << "a mnemonic clicks a moment later";
        EXPECT_EQ(prompts.texts(RecordingPrompts::Plain),
                  QStringList{QStringLiteral("「每筆加」不是數字：「x」，張數沒有變更。")});
        EXPECT_EQ(QApplication::focusWidget(), shown.sparesEdit) << "back to the field named";
        EXPECT_TRUE(shown.isVisible());
        checked = true;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    QTest::keyClick(window.get(), Qt::Key_F8);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(storedCounts(), (QList<double>{1, 1, 1, 1}));
    EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed), QStringList());
}

TEST_F(ProductCountRuleWindowTest, okWritesTheSelectedRowsAndTheGridShowsThemAtOnce)
{
    createTable({"A", "B", "C", "D"});
    open();
    focusGridAt(1, 1);
    QTest::keyClick(&grid(), Qt::Key_Down, Qt::ShiftModifier);
    whenShown(window.get(), &dialog(), [&] {
        CountRuleDialog &shown = dialog();
        shown.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&shown));
        EXPECT_EQ(shown.scopeLabel->text(), QStringLiteral("套用於選取的 2 筆"));
        shown.factorEdit->setText(QStringLiteral("2"));
        shown.sparesEdit->setText(QStringLiteral("3"));
        EXPECT_EQ(shown.summaryLabel->text(), QStringLiteral("共 2 筆，標籤 2 → 10 張"));
        // The keys are the other test's; a click cannot miss a window that is slow to become active.
        shown.okButton->click();
    });
    EXPECT_EQ(window->countRuleButton->text(), QStringLiteral("張數規則&N"));
    window->countRuleButton->click();
    EXPECT_EQ(storedCounts(), (QList<double>{1, 5, 5, 1}));
    EXPECT_EQ(shownCounts(), (QList<QString>{"1", "5", "5", "1"}));
    EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed),
              QStringList{QStringLiteral("張數規則完成\n共 2 筆，標籤 2 → 10 張")});
    EXPECT_EQ(grid().selectedRows(), (std::vector<int>{1, 2})) << "the selection stays for the next step";
}
