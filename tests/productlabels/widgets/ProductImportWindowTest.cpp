#include "ProductWindowFixture.h"
#include "common/BackofficeProcess.h"
#include "common/Controls.h"
#include "common/LoopbackServer.h"
#include "components/widgets/BusyWindow.h"
#include "components/widgets/DateEdit.h"
#include "components/widgets/NumericEntryField.h"
#include "productlabels/widgets/OtherDocumentsImportDialog.h"
#include "productlabels/widgets/ProductImportDialog.h"
#include "productlabels/widgets/PurchaseImportDialog.h"
#include "productlabels/widgets/StockTakeImportDialog.h"
#include "productlabels/widgets/TransferOutImportDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

namespace {

class ProductImportWindowTest : public ProductWindowTest
{
protected:
    // Answers the conditions dialog once the import has shown it (the branch
    // list's exchange runs an event loop of its own before that).
    void whenTheDialogShows(std::function<void(ProductImportDialog &)> fill)
    {
        whenShown(window->importDialog, [this, fill] { fill(*window->importDialog); });
    }

    void whenShown(QWidget *dialog, std::function<void()> fill) { ::whenShown(window.get(), dialog, std::move(fill)); }

    // Branch 01 of the demo back office, over a product master of its own.
    void startBackoffice(const QStringList &arguments = {})
    {
        backoffice = std::make_unique<BackofficeProcess>(arguments);
        ASSERT_TRUE(backoffice->isListening()) << backoffice->errorText().toStdString();
        settings.server = backoffice->serverText().toLatin1();
        settings.branch = "01";
        settings.password = "1234";
    }

    std::unique_ptr<BackofficeProcess> backoffice;
};

} // namespace

inline void PrintTo(const QStringList &list, std::ostream *out)
{
    *out << list.join(QLatin1Char('|')).toStdString();
}

TEST_F(ProductImportWindowTest, importedProductsLandInTheGridAfterTheRowsThere)
{
    startBackoffice();
    createTable({"OLD"});
    open();

    whenTheDialogShows([](ProductImportDialog &dialog) {
        EXPECT_EQ(dialog.priceBranchBox->count(), 1) << "a store is offered its own branch alone";
        EXPECT_EQ(dialog.priceBranchBox->currentText(), QStringLiteral("01"));
        dialog.groupItemEdit->setText(QStringLiteral("A1002"));
        dialog.labelCountField->setValue(3);
        dialog.okButton->click();
    });
    window->productImportButton->click();

    EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed), QStringList{QStringLiteral("產品資料引入完成")});
    const QList<QByteArray> codes = storedItemCodes();
    ASSERT_EQ(codes.size(), 9);
    EXPECT_EQ(codes.first(), "OLD");
    for (qsizetype row = 1; row < codes.size(); ++row) {
        EXPECT_TRUE(codes.at(row).startsWith("A1002")) << codes.at(row).constData();
        EXPECT_EQ(model().data(model().index(int(row), 0)).toString(), QStringLiteral("3")) << "the typed count";
    }
    EXPECT_EQ(model().rowCount(), 9);
    EXPECT_EQ(grid().currentIndex().row(), 8) << "on the last row written";
    EXPECT_FALSE(window->findChild<BusyWindow *>()->isActive()) << "input is free again";
}

TEST_F(ProductImportWindowTest, cancelledOrUnmatchedImportsLeaveTheQueueAsItWas)
{
    startBackoffice();
    createTable({"OLD"});
    open();

    whenTheDialogShows([](ProductImportDialog &dialog) { dialog.cancelButton->click(); });
    window->productImportButton->click();
    EXPECT_TRUE(prompts.calls.isEmpty());

    whenTheDialogShows([](ProductImportDialog &dialog) {
        dialog.firstItemEdit->setText(QStringLiteral("ZZ9999"));
        dialog.okButton->click();
    });
    window->productImportButton->click();
    EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed), QStringList{QStringLiteral("NoData沒有符合條件的資料!!")});
    EXPECT_EQ(storedItemCodes(), QList<QByteArray>{"OLD"});
    EXPECT_EQ(model().rowCount(), 1);
}

TEST_F(ProductImportWindowTest, deleteTakesTheRowTheGridMarksWhateverMovedIt)
{
    startBackoffice();
    const auto clickRow = [this](int row) {
        const QRect cell = grid().visualRect(model().index(row, 1));
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    };
    const auto deleteByButton = [this] { window->deleteRowButton->click(); };
    const auto deleteByKey = [this] { QTest::keyClick(&grid(), Qt::Key_Delete, Qt::ControlModifier); };
    const struct {
        const char *name;
        std::function<void()> move;
        std::function<void()> remove;
    } cases[] = {
        {"click", [&] { clickRow(1); }, deleteByButton},
        {"up",
         [&] {
             clickRow(3);
             window->previousRowButton->click();
         },
         deleteByKey},
        {"down",
         [&] {
             clickRow(1);
             window->nextRowButton->click();
         },
         deleteByButton},
        {"delete",
         [&] {
             clickRow(2);
             window->deleteRowButton->click();
         },
         deleteByKey},
        {"export",
         [this] {
             prompts.confirmAnswers = {true};
             window->exportButton->click();
         },
         deleteByButton},
        {"export after a click",
         [&] {
             clickRow(1);
             prompts.confirmAnswers = {true};
             window->exportButton->click();
         },
         deleteByKey},
        {"import",
         [this] {
             whenTheDialogShows([](ProductImportDialog &dialog) {
                 dialog.barcodeEdit->setText(QStringLiteral("4712345000015"));
                 dialog.okButton->click();
             });
             window->productImportButton->click();
         },
         deleteByButton},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        window.reset();
        QFile::remove(tablePath());
        createTable({"A1", "A2", "A3", "A4", "A5"});
        open();
        focusGridAt(0, 1);
        c.move();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        focusGridAt(grid().currentIndex().row(), 1);

        const int marked = grid().currentIndex().row();
        ASSERT_GE(marked, 0);
        const QModelIndexList selected = grid().selectionModel()->selectedIndexes();
        ASSERT_EQ(selected.size(), 1) << "the grid marks the current row";
        EXPECT_EQ(selected.first().row(), marked);
        const QList<QByteArray> before = storedItemCodes();
        const QByteArray markedCode = before.at(marked);

        c.remove();
        QList<QByteArray> expected = before;
        expected.removeAt(marked);
        EXPECT_EQ(storedItemCodes(), expected) << "deleted " << markedCode.constData();
        EXPECT_EQ(grid().currentIndex().row(), model().currentRow()) << "the grid shows the current row";
    }
}

TEST_F(ProductImportWindowTest, aFailedExchangeIsToldOverTheWindowWithItsReason)
{
    startBackoffice();
    createTable({"OLD"});
    open();
    const QByteArray nobody = QByteArrayLiteral("127.0.0.1:") + QByteArray::number(LoopbackServer::closedPort());
    const struct {
        const char *name;
        QByteArray server;
        QByteArray password;
        QString reason;
    } cases[] = {
        {"server down", nobody, "1234",
         QStringLiteral("主機 ") + QString::fromLatin1(nobody) + QStringLiteral(" 拒絕連線")},
        {"wrong password", settings.server, "9999", QStringLiteral("主機回應：密碼錯誤")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        prompts.calls.clear();
        settings.server = c.server;
        settings.password = c.password;
        whenTheDialogShows([&c](ProductImportDialog &dialog) {
            EXPECT_EQ(dialog.branchNotice->text(), QStringLiteral("無法取得分店清單：") + c.reason);
            dialog.groupItemEdit->setText(QStringLiteral("A1002"));
            dialog.okButton->click();
        });
        window->productImportButton->click();
        ASSERT_EQ(prompts.calls.size(), 1);
        EXPECT_EQ(prompts.calls.first().kind, RecordingPrompts::Plain);
        EXPECT_EQ(prompts.calls.first().text, exchange.statusLine() + QLatin1Char('\n') + c.reason);
        EXPECT_EQ(prompts.calls.first().window, window.get());
        EXPECT_EQ(storedItemCodes(), QList<QByteArray>{"OLD"});
    }
}

TEST_F(ProductImportWindowTest, storingALargeReplyShowsItsProgressAndFreesTheInputAfterwards)
{
    startBackoffice({QStringLiteral("--products"), QStringLiteral("2500")});
    createTable();
    open();
    prompts.confirmAnswers = {true};
    whenTheDialogShows([](ProductImportDialog &dialog) { dialog.okButton->click(); });
    window->productImportButton->click();

    EXPECT_EQ(prompts.texts(RecordingPrompts::Confirm).size(), 1) << "the whole master was asked for";
    EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed), QStringList{QStringLiteral("產品資料引入完成")});
    const int rows = model().rowCount();
    EXPECT_GT(rows, 2500);
    const auto *busy = window->findChild<BusyWindow *>();
    EXPECT_EQ(busy->progressLabel->text(), QStringLiteral("已存入 %1 筆").arg(rows));
    EXPECT_FALSE(busy->isActive());
}

TEST_F(ProductImportWindowTest, theFourDocumentButtonsImportThroughTheirDialogsWithTheDocumentsQuantities)
{
    startBackoffice();
    createTable({"OLD"});
    open();
    const struct {
        const char *name;
        FocusMarkedButton *button;
        DocumentConditionsDialog *dialog;
        std::function<void()> fill;
        QString message;
        QStringList rows;
    } cases[] = {
        {"purchase receipt",
         window->purchaseImportButton,
         window->purchaseImportDialog,
         [this] {
             window->purchaseImportDialog->startNumberEdit->setText(QStringLiteral("P240305001"));
             window->purchaseImportDialog->endNumberEdit->setText(QStringLiteral("P240305001"));
         },
         QStringLiteral("進貨資料引入完成"),
         {"A1002-WH-M 6", "B2001-NV-30 8", "B2001-BK-32 5"}},
        {"stock-take of a day",
         window->stockTakeImportButton,
         window->stockTakeImportDialog,
         [this] {
             window->stockTakeImportDialog->startDateEdit->setDateText("2024/03/31");
             window->stockTakeImportDialog->endDateEdit->setDateText("2024/03/31");
         },
         QStringLiteral("盤點資料引入完成"),
         {"A1001-WH-M 7", "A1002-WH-M 5", "B2001-NV-30 6"}},
        {"transfer-out note",
         window->transferOutImportButton,
         window->transferOutImportDialog,
         [this] { window->transferOutImportDialog->endNumberEdit->setText(QStringLiteral("T240320001")); },
         QStringLiteral("調撥出庫資料引入完成"),
         {"B2001-BK-32 2"}},
        {"store sales of a register",
         window->documentImportButton,
         window->otherDocumentsImportDialog,
         [this] {
             window->otherDocumentsImportDialog->storeSaleRadio->setChecked(true);
             window->otherDocumentsImportDialog->registerEdit->setText(QStringLiteral("02"));
         },
         QStringLiteral("門市銷售資料引入完成"),
         {"J4001-BK-M 1"}},
    };
    QStringList expected{QStringLiteral("OLD 1")};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.button->isEnabled());
        prompts.calls.clear();
        prompts.confirmAnswers = {true};
        whenShown(c.dialog, [&c] {
            EXPECT_EQ(c.dialog->branchBox->currentText(), QStringLiteral("01")) << "the own branch preselected";
            c.fill();
            c.dialog->okButton->click();
        });
        c.button->click();
        EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed), QStringList{c.message});
        expected += c.rows;
        QStringList rows;
        const QList<QByteArray> codes = storedItemCodes();
        for (int row = 0; row < model().rowCount(); ++row) {
            rows.append(QString::fromLatin1(codes.value(row)) + QLatin1Char(' ') +
                        model().data(model().index(row, 0)).toString());
        }
        EXPECT_EQ(rows, expected);
        EXPECT_EQ(grid().currentIndex().row(), model().rowCount() - 1) << "on the last row written";
    }
    EXPECT_EQ(prompts.texts(RecordingPrompts::Confirm), QStringList{QStringLiteral("引入門市銷售單,對嗎 ?")})
        << "the last case is a document import";
}
