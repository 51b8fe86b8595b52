#include "labelqueue/widgets/QueueWindowActions.h"

#include "components/Big5.h"
#include "components/Prompts.h"
#include "labelqueue/LabelCards.h"
#include "labelqueue/LabelCheck.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/LabelQueueModel.h"
#include "labelqueue/widgets/LabelCheckDialog.h"
#include "labelqueue/widgets/LabelQueueGrid.h"

#include <QLocale>

#include <algorithm>

QueueWindowActions::QueueWindowActions(LabelQueue &queue, LabelQueueModel &model, LabelQueueGrid &grid,
                                       Prompts &prompts, QObject *parent)
    : QObject(parent)
    , checkDialog(new LabelCheckDialog(prompts, grid.window()))
    , queue_(queue)
    , model_(model)
    , grid_(grid)
    , prompts_(prompts.forWindow(grid.window()))
{
    connect(&grid, &LabelQueueGrid::editRefused, this,
            [this](const QString &message) { prompts_->embossedMessage(message); });
    connect(&grid, &LabelQueueGrid::deleteSelectedAsked, this, &QueueWindowActions::deleteSelected);
    connect(&grid, &LabelQueueGrid::deleteFailed, this,
            [this](const QString &message) { showTableError(QStringLiteral("單筆刪除"), message); });
    // A finding on a queue field is named as the grid's title names it.
    checkDialog->setEntryTitle([this](const QByteArray &entry) {
        const int column = gridColumnOfField(entry);
        return column >= 0 ? model_.column(column).title : Big5::decode(entry);
    });
}

void QueueWindowActions::openTable(const QString &fileName)
{
    DbfStatus opened = queue_.open(fileName);
    // A table this user may only read can still be exported.
    if (!opened.ok() && queue_.open(fileName, DbfTable::Access::ReadOnly).ok()) {
        prompts_->plainMessage(QStringLiteral("「%1」只能讀取（%2）：可以轉出文字檔，不能引入、修改或刪除。")
                                   .arg(fileName, opened.error()));
        opened = DbfStatus::success();
    }
    model_.reload();
    if (!opened.ok()) {
        prompts_->plainMessage(QStringLiteral("Table1 無法開啟\n") + opened.error());
    }
}

void QueueWindowActions::closeTable()
{
    grid_.commitEdit();
    const DbfStatus closed = queue_.close();
    model_.reload();
    if (!closed.ok()) {
        showTableError(QStringLiteral("關閉"), closed.error());
    }
}

bool QueueWindowActions::isEmpty() const
{
    return model_.atStart() && model_.atEnd();
}

void QueueWindowActions::movePrevious()
{
    if (model_.atStart()) {
        prompts_->embossedMessage(QStringLiteral("已是第一筆 !!"));
        return;
    }
    model_.movePrior();
}

void QueueWindowActions::moveNext()
{
    if (model_.atEnd()) {
        prompts_->embossedMessage(QStringLiteral("已是最後一筆 !!"));
        return;
    }
    model_.moveNext();
}

void QueueWindowActions::deleteCurrent()
{
    if (isEmpty()) {
        prompts_->embossedMessage(QStringLiteral("無資料可刪除!!"));
        return;
    }
    if (grid_.selectedRows().size() > 1) {
        deleteSelected();
        return;
    }
    const DbfStatus deleted = model_.deleteCurrentRow();
    if (!deleted.ok()) {
        showTableError(QStringLiteral("單筆刪除"), deleted.error());
    }
}

void QueueWindowActions::deleteSelected()
{
    grid_.commitEdit();
    std::vector<int> rows = grid_.selectedRows();
    // The new row not stored yet is only dropped.
    rows.erase(std::remove_if(rows.begin(), rows.end(), [this](int row) { return model_.queueRow(row) < 0; }),
               rows.end());
    if (rows.empty()) {
        prompts_->embossedMessage(QStringLiteral("無資料可刪除!!"));
        return;
    }
    const QString count = QLocale(QLocale::English).toString(qlonglong(rows.size()));
    if (!prompts_->confirmDestructive(QStringLiteral("確定要刪除選取的 %1 筆嗎 ?").arg(count))) {
        return;
    }
    const DbfStatus deleted = model_.deleteRows(rows);
    if (!deleted.ok()) {
        showTableError(QStringLiteral("刪除選取的資料"), deleted.error());
    }
}

void QueueWindowActions::deleteAll()
{
    model_.moveFirst();
    if (isEmpty()) {
        prompts_->embossedMessage(QStringLiteral("無資料可刪除!!"));
        return;
    }
    if (!prompts_->confirmDestructive(QStringLiteral("確定要全部刪除嗎 ?"))) {
        return;
    }
    const DbfStatus emptied = model_.emptyQueue();
    if (!emptied.ok()) {
        showTableError(QStringLiteral("全部刪除"), emptied.error());
    }
}

void QueueWindowActions::showTableError(const QString &what, const QString &reason)
{
    prompts_->plainMessage(what + QStringLiteral("失敗：") + reason);
}

void QueueWindowActions::setFieldOfEntry(std::function<QByteArray(QByteArrayView entry)> fieldOfEntry)
{
    fieldOfEntry_ = std::move(fieldOfEntry);
}

bool QueueWindowActions::reviewBeforeExport(const LabelCheckReport &report)
{
    if (report.findings.empty()) {
        return true;
    }
    const LabelCheckDialog::Choice choice = checkDialog->reviewBeforeExport(report);
    if (choice == LabelCheckDialog::Choice::GoToRow) {
        goToChosenRow();
    }
    return choice == LabelCheckDialog::Choice::ExportAnyway;
}

void QueueWindowActions::setReviewedRows(std::function<int(int)> queueRowOf)
{
    reviewedQueueRow_ = std::move(queueRowOf);
}

void QueueWindowActions::preview(LabelCardSource &cards)
{
    if (checkDialog->preview(cards) == LabelCheckDialog::Choice::GoToRow) {
        goToChosenRow();
    }
}

int QueueWindowActions::gridColumnOfField(QByteArrayView name) const
{
    const auto &fields = queue_.fields();
    const auto found =
        std::find_if(fields.begin(), fields.end(), [name](const auto &field) { return field.name == name; });
    if (found == fields.end()) {
        return -1;
    }
    const int fieldIndex = int(found - fields.begin());
    for (int column = 0; column < model_.columnCount(); ++column) {
        if (model_.column(column).field == fieldIndex) {
            return column;
        }
    }
    return -1;
}

int QueueWindowActions::gridColumnOf(QByteArrayView entry) const
{
    // A finding names a queue field itself (the barcode, the count) or an output entry.
    const int column = gridColumnOfField(entry);
    return column >= 0 || !fieldOfEntry_ ? column : gridColumnOfField(fieldOfEntry_(entry));
}

void QueueWindowActions::goToChosenRow()
{
    const int reviewed = checkDialog->chosenRow() - 1;
    const int row = model_.shownRow(reviewedQueueRow_ ? reviewedQueueRow_(reviewed) : reviewed);
    if (row < 0 || row >= model_.rowCount()) {
        return;
    }
    const int column = gridColumnOf(checkDialog->chosenEntry());
    model_.setCurrentRow(row);
    grid_.setCurrentIndex(model_.index(row, column >= 0 ? column : std::max(grid_.currentIndex().column(), 0)));
    grid_.setFocus();
}
