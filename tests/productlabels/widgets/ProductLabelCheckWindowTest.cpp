#include "ProductWindowFixture.h"
#include "labelqueue/widgets/LabelCardView.h"
#include "labelqueue/widgets/LabelCheckDialog.h"

#include <QLabel>
#include <QTableView>

namespace {
using Call = RecordingPrompts::Call;

struct QueueRow {
    QByteArray barcode;
    double quantity;
};

class ProductLabelCheckWindowTest : public ProductWindowTest
{
protected:
    // Row 2's count is negative and row 3's EAN-13 has a wrong check digit: two errors.
    void createQueue(const QList<QueueRow> &rows = {{"A1", 2}, {"A2", -4}, {"4006381333932", 1}})
    {
        ASSERT_TRUE(DbfTable::create(tablePath(), ProductQueueTable::fields()).ok());
        LabelQueue queue(ProductQueueTable::fields());
        ASSERT_TRUE(queue.open(tablePath()).ok());
        for (const QueueRow &row : rows) {
            DbfRecord record = queue.blankRecord();
            ASSERT_TRUE(record.setText(ProductQueueTable::BARCODE, row.barcode).ok());
            ASSERT_TRUE(record.setNumber(ProductQueueTable::QUAN, row.quantity).ok());
            ASSERT_TRUE(queue.append(record).ok());
        }
        ASSERT_TRUE(queue.close().ok());
    }

    LabelCheckDialog &checkDialog() { return *control<LabelCheckDialog>(*window, "LabelCheckDialog"); }

    void whenTheCheckShows(std::function<void(LabelCheckDialog &)> act)
    {
        whenShown(window.get(), &checkDialog(), [this, act] { act(checkDialog()); });
    }

    int gridColumnOf(int field)
    {
        for (int column = 0; column < model().columnCount(); ++column) {
            if (model().column(column).field == field) {
                return column;
            }
        }
        return -1;
    }
};

TEST_F(ProductLabelCheckWindowTest, findingsComeBeforeTheQuestionAndTheUserChoosesWhatHappens)
{
    const QString question = QStringLiteral("確定轉出要列印的資料 ?");
    const struct Case {
        const char *choice;
        bool asked;
        bool written;
    } cases[] = {
        {"goToRowButton", false, false},
        {"cancelButton", false, false},
        {"exportAnywayButton", true, true},
    };
    createQueue();
    open();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.choice);
        prompts.calls.clear();
        prompts.confirmAnswers = {true};
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        focusGridAt(0, 0);
        QString totals;
        QStringList rows;
        whenTheCheckShows([&](LabelCheckDialog &dialog) {
            totals = dialog.totalsLabel->text();
            for (int row = 0; row < dialog.findingsView->model()->rowCount(); ++row) {
                rows << dialog.findingsView->model()->index(row, 0).data().toString() + " " +
                            dialog.findingsView->model()->index(row, 2).data().toString();
            }
            control<FocusMarkedButton>(dialog, c.choice)->click();
        });
        window->exportButton->click();

        EXPECT_EQ(rows, (QStringList{"2 錯誤", "3 錯誤"})) << "errors first, in grid order";
        EXPECT_TRUE(totals.startsWith(QStringLiteral("共 3 筆，轉出 3 行，印 3 張標籤"))) << totals.toStdString();
        EXPECT_EQ(prompts.texts(RecordingPrompts::Confirm), c.asked ? QStringList{question} : QStringList{});
        EXPECT_EQ(programFile(QStringLiteral("Bars.txt")) != "<missing>", c.written);
        EXPECT_EQ(launcher.requests.isEmpty(), true) << "no label program is set up here";
        if (QByteArray(c.choice) == "goToRowButton") {
            EXPECT_EQ(grid().currentIndex().row(), 1) << "the negative count's row";
            EXPECT_EQ(grid().currentIndex().column(), gridColumnOf(ProductQueueTable::QUAN));
            EXPECT_EQ(window->focusWidget(), &grid());
        }
    }
}

TEST_F(ProductLabelCheckWindowTest, previewShowsTheCardsSavesAProofSheetAndGoesToTheChosenCardsRow)
{
    createQueue({{"A1", 2}, {"4006381333931", 1}, {"A3", 3}});
    open();
    const QString pdf = QDir(programDir.path()).filePath(QStringLiteral("proof.pdf"));
    int painted = 0;
    bool listShown = true;
    QStringList proposed;
    whenTheCheckShows([&](LabelCheckDialog &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("檢查預覽"));
        listShown = dialog.findingsView->isVisible();
        // A window paints only once the platform has exposed it, which comes after it is shown.
        EXPECT_TRUE(QTest::qWaitFor([&] {
            dialog.cardView->viewport()->repaint();
            painted = dialog.cardView->cardsPainted();
            return painted >= 1;
        }));
        proposed << dialog.defaultPdfPath();
        dialog.askPdfPath = [&pdf] { return pdf; };
        dialog.savePdfButton->click();
        proposed << dialog.defaultPdfPath();
        dialog.cardView->setFocus();
        QTest::keyClick(dialog.cardView, Qt::Key_End, Qt::ControlModifier);
        dialog.goToRowButton->click();
    });
    window->checkPreviewButton->click();

    EXPECT_FALSE(listShown) << "a clean queue has no findings to list";
    EXPECT_GE(painted, 1);
    QFile proof(pdf);
    ASSERT_TRUE(proof.open(QIODevice::ReadOnly));
    EXPECT_TRUE(proof.read(5) == "%PDF-");
    EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed),
              QStringList{QStringLiteral("已存成 ") + QDir::toNativeSeparators(pdf)});
    EXPECT_EQ(grid().currentIndex().row(), 2) << "the last card is row 3's";
    EXPECT_EQ(proposed, (QStringList{QDir(programDir.path()).filePath(QStringLiteral("labels.pdf")), pdf}))
        << proposed.join(u' ').toStdString();
    EXPECT_EQ(programFile(QStringLiteral("Bars.txt")), "<missing>") << "a preview prints nothing";
}

TEST_F(ProductLabelCheckWindowTest, thePreviewOpensWithTheFirstFindingsCardInSight)
{
    QList<QueueRow> rows;
    for (int row = 1; row <= 300; ++row) {
        rows.append({"A" + QByteArray::number(row), 1});
    }
    rows[249].barcode = "4006381333932";
    createQueue(rows);
    open();
    qint64 current = -1;
    bool inSight = false;
    whenTheCheckShows([&](LabelCheckDialog &dialog) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        current = dialog.cardView->currentLine();
        inSight = dialog.cardView->lineInSight(current);
        dialog.cancelButton->click();
    });
    window->checkPreviewButton->click();

    EXPECT_EQ(current, 249) << "row 250's card: its barcode's check digit is wrong";
    EXPECT_TRUE(inSight);
}

} // namespace
