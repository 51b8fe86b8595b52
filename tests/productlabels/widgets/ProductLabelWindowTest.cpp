#include "ProductWindowFixture.h"
#include "common/Controls.h"
#include "common/FakeOpener.h"
#include "components/widgets/WindowScale.h"
#include "labelqueue/widgets/QueueGridHeaders.h"
#include "productlabels/widgets/ProductImportDialog.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>

#include <unistd.h>

using Call = RecordingPrompts::Call;
using ProductQueueTable::QUAN;

namespace {

const QString firstRow = QStringLiteral("已是第一筆 !!");
const QString lastRow = QStringLiteral("已是最後一筆 !!");
const QString nothingToDelete = QStringLiteral("無資料可刪除!!");
const QString deleteAllQuestion = QStringLiteral("確定要全部刪除嗎 ?");

// Characters beyond ASCII, as an input method would deliver them.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
    }
}

} // namespace

TEST_F(ProductWindowTest, arrowsAnswerByTheCursorFlags)
{
    struct Case {
        const char *name;
        QList<QByteArray> rows;
        const char *presses; // U for "上", D for "下"
        QStringList shown;
        int finalRow;
    } cases[] = {
        {"empty: both at once", {}, "UD", {firstRow, lastRow}, -1},
        {"one row: up at once, down on the second press", {"A1"}, "UDD", {firstRow, lastRow}, 0},
        {"three rows: the first press past the end moves nowhere and says nothing", {"A1", "A2", "A3"}, "DDD", {}, 2},
        {"three rows: the second press past the end speaks", {"A1", "A2", "A3"}, "DDDD", {lastRow}, 2},
        {"three rows: back to the start", {"A1", "A2", "A3"}, "DUUU", {firstRow}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(tablePath());
        createTable(c.rows);
        prompts.calls.clear();
        open();
        for (const char *press = c.presses; *press; ++press) {
            (*press == 'U' ? window->previousRowButton : window->nextRowButton)->click();
        }
        EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed), c.shown);
        EXPECT_EQ(model().currentRow(), c.finalRow);
        EXPECT_EQ(grid().currentIndex().row(), c.finalRow) << "the grid follows the queue";
        window->close();
    }
}

TEST_F(ProductWindowTest, singleDeleteTakesTheCurrentRowAtOnce)
{
    createTable({"A1", "A2", "A3"});
    open();
    window->nextRowButton->click();
    window->deleteRowButton->click();
    EXPECT_TRUE(prompts.calls.isEmpty()) << "no question";
    EXPECT_EQ(storedItemCodes(), (QList<QByteArray>{"A1", "A3"}));
    EXPECT_EQ(model().rowCount(), 2);

    window->deleteRowButton->click();
    window->deleteRowButton->click();
    EXPECT_TRUE(prompts.calls.isEmpty());
    window->deleteRowButton->click();
    EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed), QStringList{nothingToDelete});
    EXPECT_TRUE(storedItemCodes().isEmpty());
}

TEST_F(ProductWindowTest, deleteAllAsksFirstAndEmptiesOnlyOnYes)
{
    createTable({"A1", "A2"});
    open();
    prompts.confirmAnswers = {false, true};
    window->deleteAllButton->click();
    EXPECT_EQ(storedItemCodes(), (QList<QByteArray>{"A1", "A2"}));
    EXPECT_EQ(model().rowCount(), 2);

    window->deleteAllButton->click();
    EXPECT_TRUE(storedItemCodes().isEmpty());
    EXPECT_EQ(model().rowCount(), 0);

    window->deleteAllButton->click();
    // Asked with No as the default: a hasty Enter keeps the queue.
    EXPECT_EQ(prompts.calls, (QList<Call>{{RecordingPrompts::ConfirmDestructive, deleteAllQuestion},
                                          {RecordingPrompts::ConfirmDestructive, deleteAllQuestion},
                                          {RecordingPrompts::Embossed, nothingToDelete}}));
    for (const Call &call : prompts.calls) {
        EXPECT_EQ(call.window, window.get()) << "over the window that asked";
    }
}

// The window holds the table only while it changes or exports it: another
// writer works meanwhile, and the window is told when they meet.
TEST_F(ProductWindowTest, anotherWritersRowsAreKeptAndAWriterInTheWayIsTold)
{
    createTable({"A1", "A2"});
    open();
    LabelQueue other(ProductQueueTable::fields());
    ASSERT_TRUE(other.open(tablePath()).ok());
    DbfRecord added = other.blankRecord();
    ASSERT_TRUE(added.setText(ProductQueueTable::ITEM_NO, "B1").ok());
    // A whole row, so the labels' check finds nothing to ask about before the export.
    ASSERT_TRUE(added.setText(ProductQueueTable::BARCODE, "B1").ok());
    ASSERT_TRUE(added.setNumber(ProductQueueTable::QUAN, 1).ok());
    ASSERT_TRUE(other.append(added).ok());

    prompts.defaultConfirmAnswer = true;
    window->deleteAllButton->click();
    ASSERT_EQ(prompts.texts(RecordingPrompts::Plain).size(), 1);
    EXPECT_TRUE(prompts.texts(RecordingPrompts::Plain).first().contains(QStringLiteral("其他程式")));
    EXPECT_EQ(storedItemCodes(), (QList<QByteArray>{"A1", "A2", "B1"}));
    EXPECT_EQ(model().rowCount(), 3) << "the window shows the rows it did not delete";

    ASSERT_TRUE(other.lock(TableFileLock::Mode::Exclusive).ok());
    prompts.calls.clear();
    window->deleteRowButton->click();
    window->exportButton->click();
    const QStringList told = prompts.texts(RecordingPrompts::Plain) + prompts.texts(RecordingPrompts::Embossed);
    ASSERT_EQ(told.size(), 2);
    for (const QString &text : told) {
        EXPECT_TRUE(text.contains(QStringLiteral("bar1.dbf")) && text.contains(QStringLiteral("使用中")))
            << text.toStdString();
    }
    EXPECT_EQ(storedItemCodes(), (QList<QByteArray>{"A1", "A2", "B1"}));
    EXPECT_EQ(programFile(QStringLiteral("Bars.txt")), "<missing>");
    EXPECT_TRUE(launcher.requests.isEmpty());
    ASSERT_TRUE(other.unlock().ok());
}

TEST_F(ProductWindowTest, aTableThatMayOnlyBeReadStillExports)
{
    createTable({"A1"});
    // Read-only for everyone, root included (which ignores the permission bits).
    ASSERT_TRUE(QFile::setPermissions(tablePath(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), tablePath()}) != 0 && ::geteuid() == 0) {
        GTEST_SKIP() << "no way to make the table read-only for root here";
    }
    open();
    prompts.defaultConfirmAnswer = true;
    window->exportButton->click();
    window->deleteRowButton->click();
    QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), tablePath()});
    const QStringList plain = prompts.texts(RecordingPrompts::Plain);
    ASSERT_EQ(plain.size(), 2);
    EXPECT_TRUE(plain[0].contains(QStringLiteral("只能讀取"))) << plain[0].toStdString();
    EXPECT_TRUE(plain[1].contains(QStringLiteral("唯讀"))) << plain[1].toStdString();
    EXPECT_EQ(programFile(QStringLiteral("Bars.txt")), "A1,1\r\n");
    EXPECT_EQ(storedItemCodes(), (QList<QByteArray>{"A1"}));
}

TEST_F(ProductWindowTest, missingTableOpensTheWindowAnsweringAsForAnEmptyQueue)
{
    open();
    ASSERT_EQ(prompts.texts(RecordingPrompts::Plain).size(), 1);
    EXPECT_TRUE(prompts.texts(RecordingPrompts::Plain).first().startsWith(QStringLiteral("Table1 無法開啟")));
    EXPECT_TRUE(window->isVisible());
    prompts.calls.clear();

    window->previousRowButton->click();
    window->nextRowButton->click();
    window->deleteRowButton->click();
    window->deleteAllButton->click();
    EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed),
              (QStringList{firstRow, lastRow, nothingToDelete, nothingToDelete}));
    EXPECT_EQ(prompts.texts(RecordingPrompts::ConfirmDestructive), QStringList());

    focusGridAt(0, 0);
    QTest::keyClick(&grid(), Qt::Key_Down);
    EXPECT_EQ(model().rowCount(), 0) << "no new row without a table";
    EXPECT_FALSE(QFile::exists(tablePath())) << "the program never creates the table";
}

TEST_F(ProductWindowTest, wholesalePriceColumnFollowsThePriceOption)
{
    createTable({"A1"});
    const int cash1 = ProductQueueTable::cash1Column();
    struct Case {
        const char *name;
        int priceOption;
        bool editable;
    } cases[] = {
        {"不能修改", SystemSettings::PriceLocked, false},
        {"可以修改", SystemSettings::PriceEditable, true},
        {"none chosen", SystemSettings::NoPriceOption, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        settings.priceOption = c.priceOption;
        open();
        EXPECT_EQ(bool(model().flags(model().index(0, cash1)) & Qt::ItemIsEditable), c.editable);
        grid().scrollTo(model().index(0, cash1));
        QueueTitleHeader *titles = grid().titleHeader();
        const QImage painted = titles->grab().toImage();
        const QPoint inside(titles->sectionViewportPosition(cash1) + 2, 2);
        const QColor expected =
            c.editable ? QueueTitleHeader::highlightColor() : titles->palette().color(QPalette::Button);
        EXPECT_EQ(painted.pixelColor(inside).name(), expected.name());
        EXPECT_TRUE(model().flags(model().index(0, 0)) & Qt::ItemIsEditable) << "QUAN is editable either way";
        window->close();
    }
}

TEST_F(ProductWindowTest, titlesShowWholeAndPricesReadAlike)
{
    createTable();
    {
        LabelQueue queue(ProductQueueTable::fields());
        ASSERT_TRUE(queue.open(tablePath()).ok());
        DbfRecord record = queue.blankRecord();
        for (const auto &[field, price] : {std::pair{ProductQueueTable::PRICE, 1680.0},
                                           {ProductQueueTable::MEMBER, 1680.0},
                                           {ProductQueueTable::CASH1, 1780.0},
                                           {ProductQueueTable::LPRICE, 1780.5}}) {
            ASSERT_TRUE(record.setNumber(field, price).ok());
        }
        ASSERT_TRUE(queue.append(record).ok());
        ASSERT_TRUE(queue.close().ok());
    }
    open();
    const QueueTitleHeader *titles = grid().titleHeader();
    for (int column = 0; column < model().columnCount(); ++column) {
        const QueueColumn &shown = model().column(column);
        SCOPED_TRACE(shown.title.toStdString());
        if (shown.width == 0) {
            EXPECT_GE(titles->sectionSize(column), titles->widthFor(shown.title)) << "a title is never cut";
        }
        if (shown.width == 0 && !model().isNumeric(column)) {
            // "東隆企業" in 廠商簡稱's eight bytes: a text cell holds its bytes as Chinese characters.
            const QString chinese(model().displayChars(column) / 2, QChar(0x6771));
            const int margins = 2 * (grid().style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
            EXPECT_GE(grid().columnWidth(column), grid().fontMetrics().horizontalAdvance(chinese) + margins);
        }
    }
    const struct {
        ProductQueueTable::Field field;
        const char *shown;
    } prices[] = {{ProductQueueTable::PRICE, "1,680"},
                  {ProductQueueTable::MEMBER, "1,680"},
                  {ProductQueueTable::CASH1, "1,780"},
                  {ProductQueueTable::LPRICE, "1,780.5"}};
    for (const auto &price : prices) {
        SCOPED_TRACE(price.shown);
        for (int column = 0; column < model().columnCount(); ++column) {
            if (model().column(column).field == price.field) {
                EXPECT_EQ(model().index(0, column).data().toString(), QLatin1String(price.shown));
            }
        }
    }
}

TEST_F(ProductWindowTest, downPastTheLastRowShowsANewRowThatIsDroppedWhenLeftUntouched)
{
    createTable({"A1", "A2"});
    open();
    focusGridAt(1, 0);
    QTest::keyClick(&grid(), Qt::Key_Down);
    EXPECT_EQ(model().rowCount(), 3);
    EXPECT_EQ(grid().currentIndex().row(), 2);
    QTest::keyClick(&grid(), Qt::Key_Down);
    EXPECT_EQ(model().rowCount(), 3) << "one new row at a time";

    QTest::keyClick(&grid(), Qt::Key_Up);
    EXPECT_EQ(model().rowCount(), 2);
    EXPECT_EQ(grid().currentIndex().row(), 1);

    QTest::keyClick(&grid(), Qt::Key_Down);
    ASSERT_EQ(model().rowCount(), 3);
    window->exitButton->setFocus();
    EXPECT_TRUE(QTest::qWaitFor([this] { return model().rowCount() == 2; })) << "leaving the grid drops it";
    EXPECT_EQ(storedItemCodes(), (QList<QByteArray>{"A1", "A2"}));
}

TEST_F(ProductWindowTest, typingIntoTheNewRowStoresItAndEnterMovesToTheNextCell)
{
    createTable({"A1"});
    open();
    focusGridAt(0, 0);
    QTest::keyClick(&grid(), Qt::Key_Down);
    QTest::keyClicks(&grid(), QStringLiteral("5"));
    QWidget *editor = QApplication::focusWidget();
    ASSERT_NE(editor, &grid());
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([this] { return grid().currentIndex() == model().index(1, 1); }));
    EXPECT_EQ(storedItemCodes().size(), 2);
    EXPECT_EQ(model().data(model().index(1, 0)).toString(), QStringLiteral("5"));

    QTest::keyClick(&grid(), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([this] { return grid().currentIndex() == model().index(1, 2); }))
        << "Enter without an edit moves on too";
}

TEST_F(ProductWindowTest, ctrlDeleteDeletesTheCurrentRowWithoutAQuestion)
{
    createTable({"A1", "A2", "A3"});
    open();
    focusGridAt(1, 3);
    QTest::keyClick(&grid(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(storedItemCodes(), (QList<QByteArray>{"A1", "A3"}));

    // Also while a cell is being edited; the edit goes with the row.
    grid().edit(grid().currentIndex());
    QWidget *editor = QApplication::focusWidget();
    ASSERT_NE(editor, &grid());
    QTest::keyClicks(editor, QStringLiteral("x"));
    QTest::keyClick(editor, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(storedItemCodes(), QList<QByteArray>{"A1"});
    EXPECT_TRUE(prompts.calls.isEmpty());
}

TEST_F(ProductWindowTest, refusedEditIsShownAndTheCellKeepsItsStoredValue)
{
    createTable({"A1"});
    open();
    focusGridAt(0, 0);
    QTest::keyClick(&grid(), Qt::Key_1);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("23456789012"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !prompts.texts(RecordingPrompts::Embossed).isEmpty(); }));
    EXPECT_EQ(model().data(model().index(0, 0)).toString(), QStringLiteral("1"));
}

TEST_F(ProductWindowTest, cellEditorsRefuseWhatBig5CannotHoldAndTextPastTheFieldWidth)
{
    createTable({"A1"});
    open();
    struct Case {
        const char *name;
        int column;
        QString typed;
        QString kept;
    } cases[] = {
        {"no Big5 code for Hangul", 3, QStringLiteral("棉한T"), QStringLiteral("棉T")},
        {"COLOR holds 10 bytes", 4, QStringLiteral("紅色紅色紅色"), QStringLiteral("紅色紅色紅")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        focusGridAt(0, c.column);
        grid().edit(grid().currentIndex());
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        typeText(editor, c.typed);
        EXPECT_EQ(editor->text(), c.kept);
        QTest::keyClick(editor, Qt::Key_Escape);
    }
}

TEST_F(ProductWindowTest, pathBoxStoresEveryKeystrokeAndLocksAgainOnLeaving)
{
    createTable();
    QFile ini(QDir(programDir.path()).filePath(QStringLiteral("BARPRINT.INI")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[barprint]\r\nFN1=/opt/label\r\n");
    ini.close();
    const QByteArray before = programFile(QStringLiteral("BARPRINT.INI"));
    open();
    EXPECT_EQ(window->labelProgramPathEdit->text(), QStringLiteral("/opt/label"));
    EXPECT_FALSE(window->labelProgramPathEdit->isEnabled());
    EXPECT_FALSE(window->editPathCheck->isChecked());
    EXPECT_EQ(programFile(QStringLiteral("BARPRINT.INI")), before) << "loading stores nothing";

    window->editPathCheck->click();
    EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed),
              QStringList{QStringLiteral("[呼叫外部條碼]路徑:更正後離開輸入格即可存入.")});
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->labelProgramPathEdit->hasFocus(); }));
    QTest::keyClick(window->labelProgramPathEdit, Qt::Key_End);
    QStringList stored;
    for (const QChar typed : QStringLiteral("2x")) {
        QTest::keyClicks(window->labelProgramPathEdit, QString(typed));
        stored.append(QString::fromLatin1(programFile(QStringLiteral("BARPRINT.INI"))));
    }
    EXPECT_TRUE(stored.at(0).contains(QStringLiteral("FN1=/opt/label2\r\n")));
    EXPECT_TRUE(stored.at(1).contains(QStringLiteral("FN1=/opt/label2x\r\n")));

    window->exitButton->setFocus();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window->labelProgramPathEdit->isEnabled(); }));
    EXPECT_FALSE(window->editPathCheck->isChecked());
}

TEST_F(ProductWindowTest, aCapitalOAndAZeroLookApartInTheGridAndTheEntryFields)
{
    createTable();
    open();
    const auto drawn = [](const QFont &font, QChar c) {
        QImage image(64, 64, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, 0, 64, 64), Qt::AlignCenter, QString(c));
        return image;
    };
    const struct {
        const char *name;
        QFont font;
    } places[] = {
        {"queue grid", grid().font()},
        {"label program path", window->labelProgramPathEdit->font()},
        {"import dialog's item field", window->importDialog->firstItemEdit->font()},
    };
    for (const auto &place : places) {
        SCOPED_TRACE(place.name);
        EXPECT_NE(drawn(place.font, QLatin1Char('O')), drawn(place.font, QLatin1Char('0')))
            << QFontInfo(place.font).family().toStdString();
    }
}

TEST_F(ProductWindowTest, windowAndItsImportDialogGrowWithTheScreenHeight)
{
    createTable();
    open();
    const QScreen *screen = window->screen();
    const auto factorFor = [screen](QSize design) {
        return WindowScale::factorForScreen(design, screen->geometry(), screen->availableGeometry());
    };
    const double factor = factorFor(QSize(812, 400));
    const auto scaled = [factor](int pixels) { return WindowScale::scaled(pixels, factor); };
    EXPECT_EQ(window->size(), QSize(scaled(812), scaled(400)));
    EXPECT_EQ(window->titlePanel->font().pixelSize(), scaled(24));
    const double dialogFactor = factorFor(QSize(470, 470));
    EXPECT_EQ(window->importDialog->size(),
              QSize(WindowScale::scaled(470, dialogFactor), WindowScale::scaled(470, dialogFactor)));
}

TEST_F(ProductWindowTest, closingClosesTheTableAndTellsTheOwner)
{
    createTable({"A1"});
    open();
    QSignalSpy closed(window.get(), &ProductLabelWindow::closed);
    window->exitButton->click();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(model().queue().isOpen());

    window->show();
    EXPECT_TRUE(model().queue().isOpen()) << "showing it again opens the table again";
    EXPECT_EQ(model().rowCount(), 1);
}

TEST_F(ProductWindowTest, f12OpensTheHelpPageFromAnyControlAndTellsWhenItCannot)
{
    createTable({"A1"});
    open();
    QFile pageFile(QDir(programDir.path()).filePath(QStringLiteral("Bar1Form.htm")));
    ASSERT_TRUE(pageFile.open(QIODevice::WriteOnly));
    pageFile.close();
    const QString page = pageFile.fileName();
    {
        const FakeOpener opener(0);
        focusGridAt(0, 0);
        QTest::keyClick(&grid(), Qt::Key_F12);
        QTest::keyClick(window->exitButton, Qt::Key_F12);
        EXPECT_TRUE(QTest::qWaitFor([&] { return opener.opened().size() == 2; }));
        EXPECT_EQ(opener.opened(), (QStringList{page, page}));
    }
    {
        // The usual store PC: the opener is there but finds no viewer.
        const FakeOpener opener(3);
        QTest::keyClick(window->exitButton, Qt::Key_F12);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !prompts.calls.isEmpty(); }));
    }
    pageFile.remove();
    QTest::keyClick(window->exitButton, Qt::Key_F12);
    const QStringList told = prompts.texts(RecordingPrompts::Plain);
    ASSERT_EQ(told.size(), 2) << "opening the page is no failure";
    EXPECT_EQ(told.at(0),
              QStringLiteral("無法開啟說明文件 %1：沒有可以開啟它的程式").arg(QDir::toNativeSeparators(page)));
    EXPECT_TRUE(told.at(1).startsWith(QStringLiteral("找不到說明文件 "))) << told.at(1).toStdString();
    EXPECT_EQ(prompts.calls.last().window, window.get());
}

TEST_F(ProductWindowTest, aLargeQueueOpensReadingOnlyTheRowsOnScreen)
{
    constexpr int rows = 100000;
    ASSERT_TRUE(DbfTable::create(tablePath(), ProductQueueTable::fields()).ok());
    LabelQueue queue(ProductQueueTable::fields());
    ASSERT_TRUE(queue.open(tablePath()).ok());
    const QByteArray record = queue.blankRecord().bytes();
    ASSERT_TRUE(queue.close().ok());
    QFile file(tablePath());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray header = file.read(12);
    const int headerLength = quint8(header[8]) | (quint8(header[9]) << 8);
    ASSERT_TRUE(file.resize(headerLength));
    ASSERT_TRUE(file.seek(headerLength));
    file.write(record.repeated(rows) + char(0x1A));
    ASSERT_TRUE(file.seek(4));
    const char count[4] = {char(rows & 0xFF), char((rows >> 8) & 0xFF), char((rows >> 16) & 0xFF), 0};
    file.write(count, 4);
    file.close();

    open();
    ASSERT_EQ(model().rowCount(), rows);
    focusGridAt(0, 0);
    QTest::keyClick(&grid(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid().currentIndex().row(), rows - 1);
    QApplication::processEvents();
    grid().viewport()->repaint();
    EXPECT_LT(model().rowsRead(), 1000);
}

TEST_F(ProductWindowTest, exportAsksThenWritesBarsTxtAndStartsTheLabelProgramWithTheParameter)
{
    createTable({"A1", "A2"});
    QFile ini(QDir(programDir.path()).filePath(QStringLiteral("BARPRINT.INI")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[barprint]\r\nFN1=/opt/label\r\n");
    ini.close();
    open();
    window->parameterGroup->findChildren<QRadioButton *>().at(2)->click();
    prompts.confirmAnswers = {false, true};

    window->exportButton->click();
    EXPECT_EQ(programFile(QStringLiteral("Bars.txt")), "<missing>") << "No changes nothing";
    EXPECT_TRUE(launcher.requests.isEmpty());

    window->exportButton->click();
    const QString bars = QDir(programDir.path()).filePath(QStringLiteral("Bars.txt"));
    EXPECT_EQ(prompts.calls, (QList<Call>{{RecordingPrompts::Confirm, QStringLiteral("確定轉出要列印的資料 ?")},
                                          {RecordingPrompts::Confirm, QStringLiteral("確定轉出要列印的資料 ?")},
                                          {RecordingPrompts::Embossed,
                                           QStringLiteral("已經送出文字檔") + QDir::toNativeSeparators(bars)}}));
    EXPECT_EQ(programFile(QStringLiteral("Bars.txt")), "A1,1\r\nA2,1\r\n");
    ASSERT_EQ(launcher.requests.size(), 1);
    EXPECT_EQ(launcher.requests.first().fileName, QStringLiteral("/opt/label"));
    EXPECT_EQ(launcher.requests.first().parameter, QStringLiteral("2"));
    EXPECT_EQ(window->queueModel().currentRow(), 1) << "the grid ends on the last row, as the walk did";
}

TEST_F(ProductWindowTest, exportOfAnEmptyQueueSaysSoAndWritesNothing)
{
    createTable();
    open();
    window->exportButton->click();
    EXPECT_EQ(prompts.calls, (QList<Call>{{RecordingPrompts::Embossed, QStringLiteral("沒有資料可以匯出!!")}}));
    EXPECT_EQ(programFile(QStringLiteral("Bars.txt")), "<missing>");
}

TEST_F(ProductWindowTest, controlsKeepTheirDesignNames)
{
    createTable();
    open();
    const std::pair<const QObject *, const char *> named[] = {
        {window.get(), "TBar1Form"},
        {window->titlePanel, "Panel1"},
        {window->queueGrid, "DBGrid1"},
        {window->notesPanel, "Panel2"},
        {window->buttonPanel, "FuncPanel"},
        {window->exitButton, "CloseButton"},
        {window->deleteAllButton, "CBitBtn1"},
        {window->deleteRowButton, "DelButton"},
        {window->previousRowButton, "UpButton"},
        {window->nextRowButton, "DownButton"},
        {window->productImportButton, "SearchButton"},
        {window->purchaseImportButton, "buyButton"},
        {window->stockTakeImportButton, "pdaButton"},
        {window->transferOutImportButton, "allotbutton"},
        {window->documentImportButton, "buyoButton"},
        {window->exportButton, "outButton"},
        {window->outputSettingsButton, "PrintSetButton"},
        {window->checkPreviewButton, "checkPreviewButton"},
        {window->labelProgramPathCaption, "Label1"},
        {window->labelProgramPathEdit, "Edit1"},
        {window->parameterGroup, "RadioGroup1"},
        {window->editPathCheck, "CheckBox1"},
        {window->importDialog, "TBar1SearchForm"},
    };
    for (const auto &[control, name] : named) {
        EXPECT_EQ(control->objectName(), QLatin1String(name));
    }
}
