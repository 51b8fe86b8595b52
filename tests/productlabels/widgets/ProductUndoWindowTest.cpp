#include "ProductWindowFixture.h"
#include "labelqueue/QueueJournal.h"
#include "labelqueue/widgets/PrintHistoryDialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST_F(ProductWindowTest, undoAndRedoByTheButtonAndTheKeysPutTheTableBack)
{
    createTable({"A1", "A2", "A3"});
    open();
    const QByteArray full = fileBytes(tablePath());
    EXPECT_FALSE(window->undoButton->isEnabled());
    prompts.confirmAnswers = {true};
    window->deleteAllButton->click();
    ASSERT_EQ(model().rowCount(), 0);
    const QByteArray emptied = fileBytes(tablePath());
    EXPECT_EQ(window->undoButton->toolTip(), QStringLiteral("復原：全部刪除 (3 筆) (Ctrl+Z)"));
    EXPECT_TRUE(window->journalStatusLine->text().contains(QStringLiteral("復原：全部刪除 (3 筆)")));

    grid().setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return grid().hasFocus(); }));
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(fileBytes(tablePath()), full);
    EXPECT_EQ(model().rowCount(), 3);
    EXPECT_EQ(storedItemCodes(), (QList<QByteArray>{"A1", "A2", "A3"}));
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(fileBytes(tablePath()), emptied);
    EXPECT_EQ(model().rowCount(), 0);
    window->undoButton->click();
    EXPECT_EQ(fileBytes(tablePath()), full);
    EXPECT_TRUE(window->journalStatusLine->text().contains(QStringLiteral("已復原：全部刪除 (3 筆)")));

    // A cell being typed into keeps the keys for its text.
    focusGridAt(0, 0);
    QTest::keyClick(&grid(), Qt::Key_F2);
    QWidget *editor = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return qobject_cast<QLineEdit *>(QApplication::focusWidget()); }));
    editor = QApplication::focusWidget();
    QTest::keyClick(editor, Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(fileBytes(tablePath()), full);
    QTest::keyClick(editor, Qt::Key_Escape);

    // Another tool appends a row behind the journal's back: the undo of the single delete is refused whole.
    window->deleteRowButton->click();
    ASSERT_EQ(model().rowCount(), 2);
    {
        LabelQueue other(ProductQueueTable::fields());
        ASSERT_TRUE(other.open(tablePath()).ok());
        DbfRecord record = other.blankRecord();
        ASSERT_TRUE(record.setText(ProductQueueTable::ITEM_NO, "B1").ok());
        ASSERT_TRUE(other.append(record).ok());
    }
    const QByteArray appended = fileBytes(tablePath());
    window->undoButton->click();
    EXPECT_EQ(fileBytes(tablePath()), appended);
    ASSERT_EQ(prompts.texts(RecordingPrompts::Plain).size(), 1);
    EXPECT_TRUE(prompts.texts(RecordingPrompts::Plain).front().contains(QStringLiteral("沒有復原")));
    EXPECT_EQ(storedItemCodes(), (QList<QByteArray>{"A2", "A3", "B1"}));
}

TEST_F(ProductWindowTest, aChangeLeftHalfDoneIsSettledWhenTheWindowOpensAndTheStatusLineSaysSo)
{
    createTable({"A1", "A2"});
    {
        // Gone before it ended its change, as a killed program is.
        LabelQueue cut(ProductQueueTable::fields());
        ASSERT_TRUE(cut.open(tablePath()).ok());
        cut.setJournal(std::make_shared<QueueJournal>(QueueJournal::pathBeside(tablePath())));
        ASSERT_TRUE(cut.beginChange({QStringLiteral("刪除"), {0}, 1}).ok());
        ASSERT_TRUE(cut.deleteCurrent().ok());
    }
    open();
    EXPECT_TRUE(window->journalStatusLine->text().contains(QStringLiteral("上次沒有做完的「刪除」")))
        << window->journalStatusLine->text().toStdString();
    EXPECT_EQ(model().rowCount(), 1);
    window->undoButton->click();
    EXPECT_EQ(storedItemCodes(), (QList<QByteArray>{"A1", "A2"}));
}

TEST_F(ProductWindowTest, printHistoryWritesAnEarlierExportAgainAndStartsTheLabelProgram)
{
    createTable({"A1", "A2"});
    {
        LabelQueue named(ProductQueueTable::fields());
        ASSERT_TRUE(named.open(tablePath()).ok());
        for (int row = 0; row < 2; ++row) {
            const DbfRecord seen = named.readRow(row).value();
            DbfRecord record = seen;
            ASSERT_TRUE(record.setText(ProductQueueTable::ITEM_NAME, "Shirt A" + QByteArray::number(row + 1)).ok());
            ASSERT_TRUE(named.update(row, record, seen).ok());
        }
    }
    QFile ini(QDir(programDir.path()).filePath(QStringLiteral("BARPRINT.INI")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[barprint]\r\nFN1=/opt/label\r\n");
    ini.close();
    open();
    prompts.confirmAnswers = {true, true};
    window->exportButton->click();
    const QString bars = QDir(programDir.path()).filePath(QStringLiteral("Bars.txt"));
    const QByteArray first = fileBytes(bars);
    ASSERT_FALSE(first.isEmpty());
    window->deleteRowButton->click();
    window->exportButton->click();
    ASSERT_NE(fileBytes(bars), first);
    ASSERT_EQ(launcher.requests.size(), 2);
    // The row left went out as it stands: it is marked, and the status line counts it.
    EXPECT_TRUE(model().isPrinted(0));
    EXPECT_TRUE(window->journalStatusLine->text().endsWith(QStringLiteral("已列印 1 / 1 筆")))
        << window->journalStatusLine->text().toStdString();

    PrintHistoryDialog &dialog = *window->findChild<PrintHistoryDialog *>();
    whenShown(window.get(), &dialog, [&dialog] {
        ASSERT_EQ(dialog.exportList->topLevelItemCount(), 2);
        EXPECT_EQ(dialog.exportList->topLevelItem(0)->text(1), QStringLiteral("1")) << "newest first";
        EXPECT_EQ(dialog.exportList->topLevelItem(1)->text(4), QStringLiteral("Shirt A1、Shirt A2"));
        dialog.exportList->setCurrentItem(dialog.exportList->topLevelItem(1));
        ASSERT_EQ(dialog.rowsView->model()->rowCount(), 2);
        const QAbstractItemModel &rows = *dialog.rowsView->model();
        QStringList secondRow;
        for (int column = 0; column < rows.columnCount(); ++column) {
            secondRow.append(rows.index(1, column).data().toString());
        }
        EXPECT_TRUE(secondRow.contains(QStringLiteral("A2"))) << secondRow.join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(secondRow.contains(QStringLiteral("Shirt A2")));
        EXPECT_TRUE(dialog.settingsLine->text().contains(QStringLiteral("CHK13=0")))
            << dialog.settingsLine->text().toStdString();
        dialog.writeAgainButton->click();
        dialog.requeueButton->click();
        dialog.closeButton->click();
    });
    window->printHistoryButton->click();
    EXPECT_EQ(fileBytes(bars), first);
    EXPECT_EQ(launcher.requests.size(), 3);
    EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed).last(),
              QStringLiteral("已經送出文字檔") + QDir::toNativeSeparators(bars));
    // Both rows of the first export are back after the one the queue kept, and one undo takes them away.
    EXPECT_EQ(storedItemCodes(), (QList<QByteArray>{"A1", "A1", "A2"}));
    EXPECT_EQ(model().rowCount(), 3);
    EXPECT_TRUE(window->undoButton->toolTip().startsWith(QStringLiteral("復原：加回佇列 (2 筆)")));
    window->undoButton->click();
    EXPECT_EQ(storedItemCodes(), (QList<QByteArray>{"A1"}));
}
