#pragma once

#include "common/Controls.h"
#include "common/RecordingLauncher.h"
#include "common/RecordingPrompts.h"
#include "components/Big5.h"
#include "components/widgets/FocusMarkedButton.h"
#include "exchange/ServerExchange.h"
#include "labelqueue/DbfTable.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/widgets/LabelQueueGrid.h"
#include "productlabels/ProductQueueModel.h"
#include "productlabels/ProductQueueTable.h"
#include "productlabels/widgets/ProductLabelWindow.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <memory>

// A product window over a queue of its own: the program directory and the
// working directory (where "bar1.dbf" is looked for) are temporary, prompts
// and the label program launcher are recorded.
class ProductWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programDir.isValid());
        ASSERT_TRUE(workDir.isValid());
        previousDir = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(workDir.path()));
    }

    void TearDown() override
    {
        window.reset();
        QDir::setCurrent(previousDir);
    }

    QString tablePath() const { return workDir.filePath(ProductQueueTable::fileName()); }

    // "bar1.dbf" with one row per item code.
    void createTable(const QList<QByteArray> &itemCodes = {})
    {
        ASSERT_TRUE(DbfTable::create(tablePath(), ProductQueueTable::fields()).ok());
        LabelQueue queue(ProductQueueTable::fields());
        ASSERT_TRUE(queue.open(tablePath()).ok());
        for (const QByteArray &code : itemCodes) {
            DbfRecord record = queue.blankRecord();
            ASSERT_TRUE(record.setText(ProductQueueTable::ITEM_NO, code).ok());
            ASSERT_TRUE(record.setText(ProductQueueTable::BARCODE, code).ok());
            ASSERT_TRUE(record.setNumber(ProductQueueTable::QUAN, 1).ok());
            ASSERT_TRUE(queue.append(record).ok());
        }
        ASSERT_TRUE(queue.close().ok());
    }

    // The item codes the file holds now, in table order.
    QList<QByteArray> storedItemCodes() const
    {
        LabelQueue queue(ProductQueueTable::fields());
        EXPECT_TRUE(queue.open(tablePath()).ok());
        QList<QByteArray> codes;
        for (int row = 0; row < queue.rowCount(); ++row) {
            codes.append(queue.readRow(row).value().text(ProductQueueTable::ITEM_NO));
        }
        return codes;
    }

    ProductLabelWindow &open()
    {
        window = std::make_unique<ProductLabelWindow>(
            programDir.path(), exchange, [this] { return settings; }, prompts, launcher);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return *window;
    }

    ProductQueueModel &model() { return window->queueModel(); }
    LabelQueueGrid &grid() { return *window->queueGrid; }

    void focusGridAt(int row, int column)
    {
        grid().setFocus();
        EXPECT_TRUE(QTest::qWaitFor([this] { return grid().hasFocus(); }));
        grid().setCurrentIndex(model().index(row, column));
    }

    QByteArray programFile(const QString &name) const
    {
        QFile file(QDir(programDir.path()).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir programDir;
    QTemporaryDir workDir;
    QString previousDir;
    SystemSettings settings;
    ServerExchange exchange{[this] { return LinkSettings{settings.server, settings.branch, settings.password}; }};
    RecordingPrompts prompts;
    RecordingLauncher launcher;
    std::unique_ptr<ProductLabelWindow> window;
};
