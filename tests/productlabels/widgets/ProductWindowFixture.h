#pragma once

#include "common/Controls.h"
#include "common/LabelWindowFixture.h"
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

// A product window over "bar1.dbf" of its own, with the settings dialog's
// live fields in settings.
class ProductWindowTest : public LabelWindowFixture<ProductLabelWindow>
{
protected:
    // The barcode as the one column, as a store's settings have at least one.
    void SetUp() override
    {
        LabelWindowFixture::SetUp();
        writeProgramFile(QStringLiteral("BarSet.ini"),
                         "[SET]\r\nPar01=" + Big5::fromUtf8Literal("產品條碼(20C)") + "\r\n");
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
        return show(std::make_unique<ProductLabelWindow>(
            programDir.path(), exchange, [this] { return settings; }, prompts, launcher));
    }

    ProductQueueModel &model() { return window->queueModel(); }
    LabelQueueGrid &grid() { return *window->queueGrid; }

    void focusGridAt(int row, int column)
    {
        grid().setFocus();
        EXPECT_TRUE(QTest::qWaitFor([this] { return grid().hasFocus(); }));
        grid().setCurrentIndex(model().index(row, column));
    }

    SystemSettings settings;
    ServerExchange exchange{[this] { return LinkSettings{settings.server, settings.branch, settings.password}; }};
};
