#include "ProductWindowFixture.h"
#include "labelqueue/widgets/FindBar.h"
#include "labelqueue/widgets/LabelWindowBehaviour.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

using Call = RecordingPrompts::Call;

class ProductFindWindowTest : public ProductWindowTest
{
protected:
    FindBar &bar() { return *window->findChild<FindBar *>(QStringLiteral("findBar")); }

    // Opens the bar by its key and types text, waiting for the search to end.
    void search(const QString &text)
    {
        if (!bar().isVisible()) {
            QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
            ASSERT_TRUE(QTest::qWaitFor([&] { return bar().textEdit->hasFocus(); }));
        }
        bar().textEdit->selectAll();
        QTest::keyClicks(bar().textEdit, text);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !bar().isSearching(); }));
    }

    QList<QByteArray> shownItemCodes()
    {
        QList<QByteArray> codes;
        for (int row = 0; row < model().rowCount(); ++row) {
            codes.append(model().data(model().index(row, 1)).toString().toLatin1());
        }
        return codes;
    }

    QByteArray currentItemCode()
    {
        return model().data(model().index(grid().currentIndex().row(), 1)).toString().toLatin1();
    }
};

} // namespace

TEST_F(ProductFindWindowTest, typingFiltersTheGridKeepingTheCurrentRowAndEscapeShowsEveryRow)
{
    createTable({"A1", "B2", "A3", "C4", "A5"});
    open();
    const QRect placed = window->countRuleButton->geometry();
    focusGridAt(2, 1);
    search(QStringLiteral("a"));
    EXPECT_EQ(shownItemCodes(), (QList<QByteArray>{"A1", "A3", "A5"}));
    EXPECT_EQ(bar().countLabel->text(), QStringLiteral("符合 3 / 5 筆"));
    EXPECT_EQ(currentItemCode(), "A3") << "the current row still matches";

    bar().textEdit->insert(QStringLiteral("５")); // as a Chinese input method gives it
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar().countLabel->text() == QStringLiteral("符合 1 / 5 筆"); }));
    EXPECT_EQ(shownItemCodes(), (QList<QByteArray>{"A5"}));
    EXPECT_EQ(currentItemCode(), "A5") << "A3 went: the next match is current";

    bar().textEdit->setText(QString::fromUtf8("\xF0\x9F\x91\x95"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return model().rowCount() == 0; }));
    EXPECT_TRUE(bar().countLabel->text().contains(QStringLiteral("沒有符合的資料")))
        << bar().countLabel->text().toStdString();

    bar().textEdit->setText(QStringLiteral("a"));
    bar().columnChooser->setCurrentIndex(4); // 品名: no name here holds "a"
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar().countLabel->text() == QStringLiteral("符合 0 / 5 筆"); }));

    bar().columnChooser->setCurrentIndex(0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return model().rowCount() == 3; }));
    QTest::keyClick(bar().textEdit, Qt::Key_Escape);
    EXPECT_FALSE(bar().isVisible());
    EXPECT_EQ(model().rowCount(), 5);
    EXPECT_EQ(currentItemCode(), "A5") << "the row current while filtered";
    EXPECT_TRUE(grid().hasFocus());
    EXPECT_EQ(window->countRuleButton->geometry(), placed) << "no designed control moved";

    // From the grid, after Enter took the user to the rows found, Esc closes the bar as well.
    search(QStringLiteral("a"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return model().rowCount() == 3; }));
    QTest::keyClick(bar().textEdit, Qt::Key_Return);
    ASSERT_TRUE(grid().hasFocus());
    QTest::keyClick(&grid(), Qt::Key_Escape);
    EXPECT_FALSE(bar().isVisible());
    EXPECT_EQ(model().rowCount(), 5);
}

TEST_F(ProductFindWindowTest, findModeShowsEveryRowAndF3WalksTheMatchesBothWays)
{
    createTable({"A1", "B2", "A3", "C4", "A5"});
    open();
    window->findButton->click();
    ASSERT_TRUE(bar().isVisible());
    bar().modeChooser->setCurrentIndex(1);
    focusGridAt(1, 1);
    search(QStringLiteral("a"));
    EXPECT_EQ(model().rowCount(), 5);
    EXPECT_EQ(bar().countLabel->text(), QStringLiteral("符合 3 / 5 筆"));
    EXPECT_EQ(currentItemCode(), "A3") << "B2 does not match: the next match";
    const struct {
        Qt::KeyboardModifiers modifiers;
        const char *lands;
    } presses[] = {
        {Qt::NoModifier, "A5"}, {Qt::NoModifier, "A1"}, {Qt::ShiftModifier, "A5"}, {Qt::ShiftModifier, "A3"}};
    for (const auto &press : presses) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3, press.modifiers);
        EXPECT_EQ(currentItemCode(), press.lands);
    }
}

TEST_F(ProductFindWindowTest, deletesOnFilteredRowsTakeTheRowsMarkedAndSeveralAskOnceWithNoAsDefault)
{
    createTable({"A1", "B2", "A3", "C4", "A5", "A6"});
    open();
    search(QStringLiteral("a"));
    focusGridAt(1, 1);
    window->deleteRowButton->click();
    EXPECT_EQ(storedItemCodes(), (QList<QByteArray>{"A1", "B2", "C4", "A5", "A6"}));
    EXPECT_EQ(shownItemCodes(), (QList<QByteArray>{"A1", "A5", "A6"}));
    EXPECT_EQ(bar().countLabel->text(), QStringLiteral("符合 3 / 5 筆"));

    focusGridAt(0, 1);
    QTest::keyClick(&grid(), Qt::Key_Down, Qt::ShiftModifier);
    ASSERT_EQ(grid().selectedRows(), (std::vector<int>{0, 1}));
    window->deleteRowButton->click();
    QTest::keyClick(&grid(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(storedItemCodes(), (QList<QByteArray>{"A1", "B2", "C4", "A5", "A6"})) << "No is the default";
    prompts.confirmAnswers = {true};
    window->deleteRowButton->click();
    EXPECT_EQ(prompts.texts(RecordingPrompts::ConfirmDestructive),
              QStringList(3, QStringLiteral("確定要刪除選取的 2 筆嗎 ?")));
    EXPECT_EQ(storedItemCodes(), (QList<QByteArray>{"B2", "C4", "A6"}));
    EXPECT_EQ(shownItemCodes(), (QList<QByteArray>{"A6"}));
}

TEST_F(ProductFindWindowTest, theExportAsksAboutTheFilteredRowsAndWritesWhatTheAnswerChose)
{
    createTable({"A1", "B2", "A3"});
    {
        // Three labels for A3, so the question counts labels, not rows.
        LabelQueue queue(ProductQueueTable::fields());
        ASSERT_TRUE(queue.open(tablePath()).ok());
        DbfRecord record = queue.readRow(2).value();
        const DbfRecord seen = record;
        ASSERT_TRUE(record.setNumber(ProductQueueTable::QUAN, 3).ok());
        ASSERT_TRUE(queue.update(2, record, seen).ok());
    }
    open();
    search(QStringLiteral("a"));
    const struct {
        const char *name;
        Prompts::Choice answer;
        QByteArray written;
    } cases[] = {
        {"Yes: only those", Prompts::Choice::Yes, "A1,1\r\nA3,3\r\n"},
        {"No: every row", Prompts::Choice::No, "A1,1\r\nB2,1\r\nA3,3\r\n"},
        {"Cancel: nothing", Prompts::Choice::Cancel, "<missing>"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(QDir(programDir.path()).filePath(QStringLiteral("Bars.txt")));
        prompts.calls.clear();
        prompts.choiceAnswers = {c.answer};
        prompts.confirmAnswers = {true};
        window->exportButton->click();
        ASSERT_FALSE(prompts.calls.isEmpty());
        EXPECT_EQ(prompts.calls.first(),
                  (Call{RecordingPrompts::YesNoCancel, QStringLiteral("只轉出篩選出的 2 筆 (4 張)？")}));
        EXPECT_EQ(programFile(QStringLiteral("Bars.txt")), c.written);
        EXPECT_EQ(prompts.texts(RecordingPrompts::Confirm).size(), c.answer == Prompts::Choice::Cancel ? 0 : 1)
            << "the usual question comes after, unless cancelled";
    }

    QTest::keyClick(bar().textEdit, Qt::Key_Escape);
    prompts.calls.clear();
    prompts.confirmAnswers = {true};
    window->exportButton->click();
    EXPECT_TRUE(prompts.texts(RecordingPrompts::YesNoCancel).isEmpty()) << "without a filter, as before";
    EXPECT_EQ(programFile(QStringLiteral("Bars.txt")), "A1,1\r\nB2,1\r\nA3,3\r\n");

    focusGridAt(1, 1);
    QTest::keyClick(&grid(), Qt::Key_Down, Qt::ShiftModifier);
    prompts.calls.clear();
    prompts.choiceAnswers = {Prompts::Choice::Cancel};
    window->checkPreviewButton->click();
    EXPECT_EQ(prompts.texts(RecordingPrompts::YesNoCancel), QStringList{QStringLiteral("只預覽選取的 2 筆 (4 張)？")});
}
