#include "labelqueue/LabelQueue.h"

#include "labelqueue/DbfTable.h"

#include <algorithm>

LabelQueue::LabelQueue(QList<DbfFieldSpec> fields)
    : fields_(std::move(fields))
{}

LabelQueue::~LabelQueue() = default;

DbfStatus LabelQueue::open(const QString &path)
{
    close();
    auto opened = DbfTable::open(path, fields_);
    if (!opened.ok()) {
        return opened.status();
    }
    auto live = opened.value()->liveRecordNumbers();
    if (!live.ok()) {
        return live.status();
    }
    table_ = std::move(opened.value());
    rows_ = std::move(live.value());
    first();
    return DbfStatus::success();
}

DbfStatus LabelQueue::close()
{
    DbfStatus closed = table_ ? table_->close() : DbfStatus::success();
    table_.reset();
    rows_.clear();
    appending_ = false;
    afterChange();
    return closed;
}

bool LabelQueue::isOpen() const
{
    return table_ && table_->isOpen();
}

QString LabelQueue::path() const
{
    return table_ ? table_->path() : QString();
}

int LabelQueue::fieldWidth(int field) const
{
    if (!table_ || field < 0 || field >= fields_.size()) {
        return 0;
    }
    return table_->layout()->columns.at(field).width;
}

void LabelQueue::first()
{
    cancelAppend();
    current_ = rows_.empty() ? -1 : 0;
    atStart_ = true;
    atEnd_ = rows_.empty();
}

bool LabelQueue::prior()
{
    cancelAppend();
    if (atStart_) {
        return false;
    }
    atStart_ = atEnd_ = false;
    if (current_ > 0) {
        --current_;
        return true;
    }
    atStart_ = true;
    return false;
}

bool LabelQueue::next()
{
    cancelAppend();
    if (atEnd_) {
        return false;
    }
    atStart_ = atEnd_ = false;
    if (current_ + 1 < rowCount()) {
        ++current_;
        return true;
    }
    atEnd_ = true;
    return false;
}

bool LabelQueue::moveTo(int row)
{
    cancelAppend();
    if (row < 0 || row >= rowCount() || row == current_) {
        return false;
    }
    current_ = row;
    atStart_ = atEnd_ = false;
    return true;
}

DbfRecord LabelQueue::blankRecord() const
{
    return table_ ? table_->blankRecord() : DbfRecord();
}

DbfResult<DbfRecord> LabelQueue::readRow(int row) const
{
    if (!isOpen()) {
        return DbfResult<DbfRecord>::failure(QStringLiteral("表格沒有開啟。"));
    }
    if (row < 0 || row >= rowCount()) {
        return DbfResult<DbfRecord>::failure(QStringLiteral("沒有第 %1 筆資料。").arg(row + 1));
    }
    return table_->read(rows_[size_t(row)]);
}

int LabelQueue::recordNumber(int row) const
{
    return row >= 0 && row < rowCount() ? rows_[size_t(row)] : -1;
}

void LabelQueue::beginAppend()
{
    if (!isOpen() || appending_) {
        return;
    }
    appending_ = true;
    current_ = rowCount();
    atStart_ = false;
    atEnd_ = true;
}

void LabelQueue::cancelAppend()
{
    if (!appending_) {
        return;
    }
    appending_ = false;
    afterChange();
}

DbfStatus LabelQueue::append(const DbfRecord &record)
{
    if (!isOpen()) {
        return DbfStatus::failure(QStringLiteral("表格沒有開啟，無法新增資料。"));
    }
    const DbfResult<int> stored = table_->append(record);
    if (!stored.ok()) {
        reloadRows();
        return stored.status();
    }
    rows_.push_back(stored.value());
    appending_ = false;
    current_ = rowCount() - 1;
    atStart_ = atEnd_ = false;
    return DbfStatus::success();
}

DbfStatus LabelQueue::update(int row, const DbfRecord &record)
{
    if (!isOpen()) {
        return DbfStatus::failure(QStringLiteral("表格沒有開啟，無法修改資料。"));
    }
    if (row < 0 || row >= rowCount()) {
        return DbfStatus::failure(QStringLiteral("沒有第 %1 筆資料。").arg(row + 1));
    }
    cancelAppend();
    const DbfStatus stored = table_->update(rows_[size_t(row)], record);
    if (!stored.ok()) {
        reloadRows();
        return stored;
    }
    current_ = row;
    atStart_ = atEnd_ = false;
    return stored;
}

DbfStatus LabelQueue::deleteCurrent()
{
    if (appending_) {
        // Deleting the new row that was never stored only drops it.
        cancelAppend();
        return DbfStatus::success();
    }
    if (!isOpen() || current_ < 0 || current_ >= rowCount()) {
        return DbfStatus::failure(QStringLiteral("沒有資料可以刪除。"));
    }
    const DbfStatus deleted = table_->markDeleted(rows_[size_t(current_)]);
    if (!deleted.ok()) {
        reloadRows();
        return deleted;
    }
    rows_.erase(rows_.begin() + current_);
    afterChange();
    return deleted;
}

DbfStatus LabelQueue::empty()
{
    cancelAppend();
    if (!isOpen()) {
        return DbfStatus::failure(QStringLiteral("表格沒有開啟，無法清空。"));
    }
    const DbfStatus emptied = table_->makeEmpty();
    reloadRows();
    first();
    return emptied;
}

void LabelQueue::afterChange()
{
    if (rows_.empty()) {
        current_ = -1;
        atStart_ = atEnd_ = true;
        return;
    }
    current_ = std::clamp(current_, 0, rowCount() - 1);
    atStart_ = atEnd_ = false;
}

// After emptying, or after a failed write (the table is then cut back to its
// committed rows and reopened, or closed when that failed), the file is what counts.
void LabelQueue::reloadRows()
{
    auto live = isOpen() ? table_->liveRecordNumbers() : DbfResult<std::vector<int>>::failure(QString());
    if (!live.ok()) {
        table_.reset();
        rows_.clear();
        appending_ = false;
    } else {
        rows_ = std::move(live.value());
    }
    if (appending_) {
        current_ = rowCount();
    } else {
        afterChange();
    }
}
