#include "customerlabels/widgets/CustomerLabelWindow.h"

#include "common/BackofficeProcess.h"
#include "common/Controls.h"
#include "common/LabelWindowFixture.h"
#include "common/LoopbackServer.h"
#include "common/RecordingLauncher.h"
#include "common/RecordingPrompts.h"
#include "components/Big5.h"
#include "components/widgets/DateEdit.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/NumericEntryField.h"
#include "customerlabels/CustomerQueueTable.h"
#include "customerlabels/widgets/CustomerImportDialog.h"
#include "exchange/ServerExchange.h"
#include "labelqueue/DbfTable.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/LabelQueueModel.h"
#include "labelqueue/widgets/FindBar.h"
#include "labelqueue/widgets/LabelCheckDialog.h"
#include "labelqueue/widgets/LabelQueueGrid.h"
#include "settings/SystemSettings.h"
#include "settings/widgets/ColumnListEditor.h"
#include "settings/widgets/CustomerOutputSettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <memory>

namespace {
using namespace CustomerQueueTable;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A customer window over "bar2.DBF" of its own, linked as link says.
class CustomerLabelWindowTest : public LabelWindowFixture<CustomerLabelWindow>
{
protected:
    // The barcode as the one column, as a store's settings have at least one.
    void SetUp() override
    {
        LabelWindowFixture::SetUp();
        writeProgramFile(QStringLiteral("bar2/CustBar.ini"),
                         "[SET]\r\nPar01=" + Big5::fromUtf8Literal("條碼(20C)") + "\r\n");
    }

    void createTable(const QList<QByteArray> &barcodes = {})
    {
        const QString path = workDir.filePath(fileName());
        ASSERT_TRUE(DbfTable::create(path, fields()).ok());
        LabelQueue queue(fields());
        ASSERT_TRUE(queue.open(path).ok());
        for (const QByteArray &barcode : barcodes) {
            DbfRecord record = queue.blankRecord();
            ASSERT_TRUE(record.setText(BAR_NO, barcode).ok());
            ASSERT_TRUE(record.setNumber(QUAN, 1).ok());
            ASSERT_TRUE(queue.append(record).ok());
        }
        ASSERT_TRUE(queue.close().ok());
    }

    QString cell(int row, int column) { return model().data(model().index(row, column)).toString(); }

    CustomerLabelWindow &open()
    {
        return show(std::make_unique<CustomerLabelWindow>(programDir.path(), exchange, prompts, launcher));
    }

    LabelQueueModel &model() { return window->queueModel(); }

    // Answers the conditions dialog once the import has shown it.
    void whenTheDialogShows(std::function<void(CustomerImportDialog &)> fill)
    {
        whenShown(window.get(), window->importDialog, [this, fill] { fill(*window->importDialog); });
    }

    LinkSettings link;
    ServerExchange exchange{[this] { return link; }};
};
} // namespace

TEST_F(CustomerLabelWindowTest, importedCustomersLandInTheGridWithTheChosenBarcodeSource)
{
    BackofficeProcess backoffice;
    ASSERT_TRUE(backoffice.isListening()) << backoffice.errorText().toStdString();
    link = {backoffice.serverText().toLatin1(), "A", "0000"};
    createTable({"OLD"});
    open();

    whenTheDialogShows([](CustomerImportDialog &dialog) {
        EXPECT_EQ(dialog.branchBox->count(), 4) << "the empty entry, then A, 01 and 02";
        EXPECT_EQ(dialog.branchBox->currentIndex(), 0);
        EXPECT_TRUE(dialog.branchNotice->text().isEmpty());
        // Focus moves, and so leaving a field counts, only in the active window.
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        dialog.firstCodeEdit->setFocus();
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.firstCodeEdit->hasFocus(); }));
        QTest::keyClicks(dialog.firstCodeEdit, QStringLiteral("C0002"));
        QTest::keyClick(dialog.firstCodeEdit, Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.lastCodeEdit->hasFocus(); })) << "Enter moves on";
        EXPECT_EQ(dialog.lastCodeEdit->text(), QStringLiteral("C0002")) << "leaving the code copies it";
        dialog.copiesEdit->setValue(3);
        dialog.okButton->click();
    });
    window->importButton->click();
    EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed), QStringList{QStringLiteral("客戶資料引入完成")});
    ASSERT_EQ(model().rowCount(), 2);
    EXPECT_EQ(cell(1, 0), QStringLiteral("3"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("C0002")) << "barcode from the customer code";
    EXPECT_EQ(cell(1, 3), QStringLiteral("林美玲"));

    window->barcodeFromCustomerCodeBox->setChecked(false);
    whenTheDialogShows([](CustomerImportDialog &dialog) {
        EXPECT_TRUE(dialog.firstCodeEdit->text().isEmpty()) << "every showing starts empty";
        dialog.firstCodeEdit->setText(QStringLiteral("C0002"));
        dialog.lastCodeEdit->setText(QStringLiteral("C0002"));
        dialog.okButton->click();
    });
    window->importButton->click();
    ASSERT_EQ(model().rowCount(), 3);
    EXPECT_EQ(cell(2, 1), QStringLiteral("M000102")) << "barcode from the member card";
    EXPECT_EQ(cell(2, 0), QStringLiteral("1")) << "the server's count when the copies are 1";
}

TEST_F(CustomerLabelWindowTest, datesAreCheckedOnLeavingAndAStartDateFillsTheEndDate)
{
    createTable();
    open();
    CustomerImportDialog &dialog = *window->importDialog;
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    const auto typeAndLeave = [&](DateEdit *field, const QString &digits) {
        field->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }));
        field->setCursorPosition(0);
        QTest::keyClicks(field, digits);
        QTest::keyClick(field, Qt::Key_Tab);
    };

    typeAndLeave(dialog.startDateField, QStringLiteral("20240305"));
    EXPECT_EQ(dialog.endDateField->dateText(), "2024/03/05");
    EXPECT_TRUE(prompts.calls.isEmpty());

    typeAndLeave(dialog.endDateField, QStringLiteral("20241399"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !prompts.calls.isEmpty(); }));
    EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed), QStringList{QStringLiteral("日期格式錯誤 !!")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.endDateField->hasFocus(); }));

    dialog.okButton->click();
    EXPECT_FALSE(dialog.isAccepted()) << "a malformed date is never sent";
    EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed).size(), 2);
    QTest::qWait(20);
    EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed).size(), 2) << "told once";

    // Leaving towards Cancel checks nothing, so the dialog can always be left.
    dialog.cancelButton->setFocus();
    dialog.cancelButton->click();
    EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed).size(), 2);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(CustomerLabelWindowTest, walkingAndDeletingSayWhenThereIsNothingMore)
{
    createTable({"C1", "C2"});
    open();
    window->previousButton->click();
    window->nextButton->click();
    window->nextButton->click();
    window->nextButton->click();
    prompts.confirmAnswers = {false, true};
    window->deleteAllButton->click();
    EXPECT_EQ(model().rowCount(), 2) << "No keeps every row";
    window->deleteAllButton->click();
    window->deleteButton->click();
    EXPECT_EQ(prompts.calls, (QList<RecordingPrompts::Call>{
                                 {RecordingPrompts::Embossed, "已是第一筆 !!"},
                                 {RecordingPrompts::Embossed, "已是最後一筆 !!"},
                                 {RecordingPrompts::ConfirmDestructive, "確定要全部刪除嗎 ?"},
                                 {RecordingPrompts::ConfirmDestructive, "確定要全部刪除嗎 ?"},
                                 {RecordingPrompts::Embossed, "無資料可刪除!!"},
                             }));
    EXPECT_EQ(model().rowCount(), 0);
}

TEST_F(CustomerLabelWindowTest, exportWritesBar2BarsTxtAndStartsTheTypedProgram)
{
    createTable({"C0001"});
    open();
    window->labelProgramPathEdit->setFocus();
    QTest::keyClicks(window->labelProgramPathEdit, QStringLiteral("/opt/cust"));
    EXPECT_EQ(readAll(programDir.filePath(QStringLiteral("CustBar.INI"))), "[CustBar]\r\nFN1=/opt/cust\r\n");
    window->parameterGroup->findChildren<QRadioButton *>().at(1)->setChecked(true);

    prompts.confirmAnswers = {true};
    window->exportButton->click();

    EXPECT_EQ(readAll(programDir.filePath(QStringLiteral("bar2/Bars.txt"))), "C0001,1\r\n");
    ASSERT_EQ(launcher.requests.size(), 1);
    EXPECT_EQ(launcher.requests[0].fileName, QStringLiteral("/opt/cust"));
    EXPECT_EQ(launcher.requests[0].parameter, QStringLiteral("1"));

    // Closing only hides the window; showing it again reopens the table and reloads the path.
    window->close();
    EXPECT_FALSE(window->isVisible());
    window->show();
    EXPECT_EQ(window->labelProgramPathEdit->text(), QStringLiteral("/opt/cust"));
    EXPECT_EQ(model().rowCount(), 1);
}

TEST_F(CustomerLabelWindowTest, aWrongBarcodeIsShownBeforeTheQuestionAndInThePreview)
{
    createTable({"C0001", "12345678"});
    open();
    auto *check = control<LabelCheckDialog>(*window, "LabelCheckDialog");
    QStringList seen;
    const auto look = [&] {
        seen << check->windowTitle() + ": " + check->totalsLabel->text();
        check->cancelButton->click();
    };
    whenShown(window.get(), check, look);
    window->exportButton->click();
    whenShown(window.get(), check, look);
    window->checkPreviewButton->click();

    const QString totals = QStringLiteral("共 2 筆，轉出 2 行，印 2 張標籤；1 個錯誤，0 個提醒");
    EXPECT_EQ(seen, (QStringList{QStringLiteral("轉出前檢查: ") + totals, QStringLiteral("檢查預覽: ") + totals}));
    EXPECT_TRUE(prompts.calls.isEmpty()) << "cancelled before the question";
    EXPECT_FALSE(QFile::exists(QDir(programDir.path()).filePath(QStringLiteral("bar2/Bars.txt"))));
}

TEST_F(CustomerLabelWindowTest, outputSettingsStoreOnOkReloadOnCancelAndStayInEffectAfterTheCloseBox)
{
    const QString file = programDir.filePath(QStringLiteral("bar2/CustBar.ini"));
    ASSERT_TRUE(QFile::remove(file)) << "a store without settings yet";
    createTable();
    open();
    CustomerOutputSettingsDialog &dialog = *window->outputSettingsDialog;
    ColumnListEditor &editor = *dialog.editor;

    QTimer::singleShot(0, &dialog, [&] {
        editor.catalogueList->setCurrentRow(0);
        editor.addChosenEntry();
        editor.customTextEdit->setText(QStringLiteral("  VIP "));
        editor.addCustomText();
        editor.fixedWidthButton->setChecked(true);
        dialog.okButton->click();
    });
    window->outputSettingsButton->click();
    EXPECT_TRUE(dialog.isConfirmed());
    const QByteArray stored =
        "[SET]\r\nCHK12=0\r\nCHK13=1\r\nPar01=" + Big5::fromUtf8Literal("條碼(20C)") + "\r\nPar02=#VIP\r\nPar03=\r\n";
    EXPECT_TRUE(readAll(file).startsWith(stored)) << readAll(file).constData();

    QTimer::singleShot(0, &dialog, [&] {
        editor.columnList->setCurrentRow(0);
        editor.removeChosenEntry();
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    window->outputSettingsButton->click();
    EXPECT_EQ(dialog.currentSettings().columns.size(), 2) << "cancel reloads the file";

    QTimer::singleShot(0, &dialog, [&] {
        editor.oneLinePerLabelBox->setChecked(true);
        dialog.close();
    });
    window->outputSettingsButton->click();
    EXPECT_TRUE(dialog.currentSettings().oneLinePerLabel) << "the close box keeps the edit in effect";
    EXPECT_TRUE(readAll(file).contains("CHK12=0\r\n")) << "but stores nothing";
}

TEST_F(CustomerLabelWindowTest, controlsKeepTheirDesignNames)
{
    createTable();
    open();
    const std::pair<const QObject *, const char *> named[] = {
        {window.get(), "TCustBarForm"},
        {window->titlePanel, "Panel1"},
        {window->grid, "DBGrid1"},
        {window->barcodeFromCustomerCodeBox, "CheckBox1"},
        {window->closeButton, "CloseButton"},
        {window->deleteAllButton, "CBitBtn1"},
        {window->deleteButton, "DelButton"},
        {window->previousButton, "UpButton"},
        {window->nextButton, "DownButton"},
        {window->importButton, "SearchButton"},
        {window->exportButton, "CBitBtn4"},
        {window->outputSettingsButton, "PrintSetButton"},
        {window->checkPreviewButton, "checkPreviewButton"},
        {window->labelProgramPathEdit, "Edit1"},
        {window->parameterGroup, "RadioGroup1"},
    };
    for (const auto &[control, name] : named) {
        EXPECT_EQ(control->objectName(), QLatin1String(name));
    }
}

// The customer window once told a failed import only by the exchange's status line.
TEST_F(CustomerLabelWindowTest, aFailedImportIsToldOverTheWindowWithItsReason)
{
    createTable({"OLD"});
    link = {QByteArrayLiteral("127.0.0.1:") + QByteArray::number(LoopbackServer::closedPort()), "01", "1234"};
    open();
    whenTheDialogShows([this](CustomerImportDialog &dialog) {
        EXPECT_EQ(dialog.branchNotice->text(), QStringLiteral("無法取得分店清單：主機 ") +
                                                   QString::fromLatin1(link.server) + QStringLiteral(" 拒絕連線"));
        dialog.okButton->click();
    });
    window->importButton->click();
    ASSERT_EQ(prompts.calls.size(), 1);
    EXPECT_EQ(prompts.calls.first().kind, RecordingPrompts::Plain);
    EXPECT_EQ(prompts.calls.first().text, exchange.statusLine() + QStringLiteral("\n主機 ") +
                                              QString::fromLatin1(link.server) + QStringLiteral(" 拒絕連線"));
    EXPECT_EQ(prompts.calls.first().window, window.get());
    EXPECT_EQ(model().rowCount(), 1);
}

// The customer window once dropped what opening the help page returned.
TEST_F(CustomerLabelWindowTest, f12WithoutTheHelpPageSaysSo)
{
    createTable();
    open();
    QTest::keyClick(window->closeButton, Qt::Key_F12);
    const QStringList told = prompts.texts(RecordingPrompts::Plain);
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told.first().startsWith(QStringLiteral("找不到說明文件 "))) << told.first().toStdString();
    EXPECT_EQ(prompts.calls.last().window, window.get());
}

// The customer window once stored the path decoded and encoded again: 十 as
// 0xA2CC comes back from Big5 as 0xA451, the other code the character has.
TEST_F(CustomerLabelWindowTest, thePathBoxGivesBackTheStoredBytesUntilThePathIsEdited)
{
    createTable();
    const QString ini = programDir.filePath(QStringLiteral("CustBar.INI"));
    const QByteArray stored = "[CustBar]\r\nFN1=/opt/\xA2\xCC\r\n";
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(stored);
    file.close();
    open();
    EXPECT_EQ(window->labelProgramPathEdit->text(), QStringLiteral("/opt/十"));
    window->labelProgramPathEdit->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->labelProgramPathEdit->hasFocus(); }));
    QTest::keyClick(window->labelProgramPathEdit, Qt::Key_End);
    QTest::keyClicks(window->labelProgramPathEdit, QStringLiteral("x"));
    EXPECT_EQ(readAll(ini), "[CustBar]\r\nFN1=/opt/\xA4\x51x\r\n") << "an edited path is its text in Big5";
    QTest::keyClick(window->labelProgramPathEdit, Qt::Key_Backspace);
    EXPECT_EQ(readAll(ini), stored) << "back as shown, the path is the stored bytes";
}

TEST_F(CustomerLabelWindowTest, theFindBarFiltersTheCustomersAndTheSelectedRowsGoToTheExportAlone)
{
    createTable({"C100", "C200", "C101"});
    open();
    auto *bar = window->findChild<FindBar *>(QStringLiteral("findBar"));
    ASSERT_NE(bar, nullptr);
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->textEdit->hasFocus(); }));
    QTest::keyClicks(bar->textEdit, QStringLiteral("c10"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->countLabel->text() == QStringLiteral("符合 2 / 3 筆"); }));
    EXPECT_EQ(model().rowCount(), 2);
    EXPECT_EQ(cell(1, 1), QStringLiteral("C101"));

    window->grid->selectAll();
    prompts.choiceAnswers = {Prompts::Choice::Yes};
    prompts.confirmAnswers = {true};
    window->exportButton->click();
    EXPECT_EQ(prompts.texts(RecordingPrompts::YesNoCancel), QStringList{QStringLiteral("只轉出選取的 2 筆 (2 張)？")});
    EXPECT_EQ(readAll(QDir(programDir.path()).filePath(QStringLiteral("bar2/Bars.txt"))), "C100,1\r\nC101,1\r\n");

    QTest::keyClick(bar->textEdit, Qt::Key_Escape);
    EXPECT_EQ(model().rowCount(), 3);
}

TEST_F(CustomerLabelWindowTest, aSingleDeleteIsUndoneByCtrlZAndTheMnemonicAndRedoneByCtrlY)
{
    createTable({"C1", "C2"});
    open();
    QFile table(workDir.filePath(fileName()));
    const auto bytes = [&table] {
        table.open(QIODevice::ReadOnly);
        const QByteArray all = table.readAll();
        table.close();
        return all;
    };
    const QByteArray before = bytes();
    window->deleteButton->click();
    const QByteArray deleted = bytes();
    ASSERT_EQ(model().rowCount(), 1);
    EXPECT_EQ(window->undoButton->toolTip(), QStringLiteral("復原：刪除 (1 筆) (Ctrl+Z)"));

    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(model().rowCount(), 2);
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(bytes(), deleted);
    // Alt+U from another button.
    window->closeButton->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->closeButton->hasFocus(); }));
    QTest::keyClick(window->closeButton, Qt::Key_U, Qt::AltModifier);
    // A mnemonic presses the button as a click shown on screen, a moment later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return bytes() == before; }));
    EXPECT_TRUE(prompts.calls.isEmpty());
}
