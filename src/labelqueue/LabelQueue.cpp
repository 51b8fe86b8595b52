#include "labelqueue/LabelQueue.h"

#include "labelqueue/DbfTable.h"
#include "labelqueue/PrintHistory.h"

#include <QFileInfo>

#include <algorithm>
#include <numeric>

LabelQueue::LabelQueue(QList<DbfFieldSpec> fields)
    : fields_(std::move(fields))
{}

LabelQueue::~LabelQueue() = default;

DbfStatus LabelQueue::open(const QString &path, DbfTable::Access access)
{
    close();
    auto opened = DbfTable::open(path, fields_, access);
    if (!opened.ok()) {
        return opened.status();
    }
    auto live = opened.value()->liveRecordNumbers();
    if (!live.ok()) {
        return live.status();
    }
    table_ = std::move(opened.value());
    rows_ = std::move(live.value());
    generation_ = table_->generation();
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

int LabelQueue::fieldDecimals(int field) const
{
    return fieldWidth(field) > 0 ? table_->layout()->columns.at(field).decimals : 0;
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

int LabelQueue::rowOfRecord(int recordNumber) const
{
    const auto at = std::lower_bound(rows_.begin(), rows_.end(), recordNumber);
    return at != rows_.end() && *at == recordNumber ? int(at - rows_.begin()) : -1;
}

DbfStatus LabelQueue::readRun(int row, LabelQueueRun &run) const
{
    if (!isOpen()) {
        return DbfStatus::failure(QStringLiteral("表格沒有開啟。"));
    }
    if (row < 0 || row >= rowCount()) {
        return DbfStatus::failure(QStringLiteral("沒有第 %1 筆資料。").arg(row + 1));
    }
    const int first = rows_[size_t(row)];
    const int length = table_->recordLength();
    const int count = std::min(std::max(1, (1 << 20) / length), rows_.back() + 1 - first);
    const DbfStatus read = table_->readRecords(first, count, run.bytes);
    if (read.ok()) {
        run.firstRecord = first;
        run.recordLength = length;
        run.layout = table_->layout();
    }
    return read;
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

DbfStatus LabelQueue::lock(TableFileLock::Mode mode)
{
    if (!isOpen()) {
        return DbfStatus::failure(QStringLiteral("表格沒有開啟。"));
    }
    const DbfStatus locked = table_->lock(mode);
    catchUpWithTable();
    return locked;
}

DbfStatus LabelQueue::unlock()
{
    return table_ ? table_->unlock() : DbfStatus::success();
}

DbfStatus LabelQueue::append(const DbfRecord &record)
{
    if (!isOpen()) {
        return DbfStatus::failure(QStringLiteral("表格沒有開啟，無法新增資料。"));
    }
    const DbfStatus begun = beginChange({QStringLiteral("新增"), {}, 1, true});
    if (!begun.ok()) {
        return begun;
    }
    const DbfResult<int> stored = table_->append(record);
    const DbfStatus ended = endChange(stored.status());
    catchUpWithTable();
    if (!stored.ok()) {
        reloadRows();
        return stored.status();
    }
    if (rows_.empty() || rows_.back() != stored.value()) {
        rows_.push_back(stored.value());
    }
    appending_ = false;
    current_ = rowCount() - 1;
    atStart_ = atEnd_ = false;
    return ended;
}

DbfStatus LabelQueue::update(int row, const DbfRecord &record, const DbfRecord &seen)
{
    if (!isOpen()) {
        return DbfStatus::failure(QStringLiteral("表格沒有開啟，無法修改資料。"));
    }
    if (row < 0 || row >= rowCount()) {
        return DbfStatus::failure(QStringLiteral("沒有第 %1 筆資料。").arg(row + 1));
    }
    cancelAppend();
    const int recordNumber = rows_[size_t(row)];
    const DbfStatus begun = beginChange({QStringLiteral("修改"), {recordNumber}, 1});
    if (!begun.ok()) {
        return begun;
    }
    const DbfStatus stored = endChange(table_->update(recordNumber, record, seen));
    catchUpWithTable();
    if (!stored.ok()) {
        reloadRows();
        return stored;
    }
    makeCurrent(recordNumber);
    return stored;
}

DbfStatus LabelQueue::deleteCurrent()
{
    if (appending_ || !isOpen() || current_ < 0 || current_ >= rowCount()) {
        return deleteCurrent(DbfRecord());
    }
    const DbfResult<DbfRecord> seen = readRow(current_);
    return seen.ok() ? deleteCurrent(seen.value()) : seen.status();
}

DbfStatus LabelQueue::deleteCurrent(const DbfRecord &seen)
{
    if (appending_) {
        // Deleting the new row that was never stored only drops it.
        cancelAppend();
        return DbfStatus::success();
    }
    if (!isOpen() || current_ < 0 || current_ >= rowCount()) {
        return DbfStatus::failure(QStringLiteral("沒有資料可以刪除。"));
    }
    const int recordNumber = rows_[size_t(current_)];
    const DbfStatus begun = beginChange({QStringLiteral("刪除"), {recordNumber}, 1});
    if (!begun.ok()) {
        return begun;
    }
    const DbfStatus deleted = endChange(table_->markDeleted(recordNumber, seen));
    catchUpWithTable();
    if (!deleted.ok()) {
        reloadRows();
        return deleted;
    }
    const auto at = std::find(rows_.begin(), rows_.end(), recordNumber);
    if (at != rows_.end()) {
        current_ = int(at - rows_.begin());
        rows_.erase(at);
    }
    afterChange();
    return deleted;
}

DbfStatus LabelQueue::empty()
{
    cancelAppend();
    if (!isOpen()) {
        return DbfStatus::failure(QStringLiteral("表格沒有開啟，無法清空。"));
    }
    // Only what the user has seen is emptied: rows another program added
    // meanwhile are shown first and kept.
    const int seenGeneration = generation_;
    const DbfStatus locked = lock(TableFileLock::Mode::Exclusive);
    if (!locked.ok()) {
        return locked;
    }
    if (generation_ != seenGeneration) {
        unlock();
        first();
        return DbfStatus::failure(
            QStringLiteral("「%1」在讀入後已被其他程式變更，沒有清空；請看過現在的內容再試。").arg(path()));
    }
    QueueChange change{QStringLiteral("全部刪除"), std::vector<int>(size_t(table_->recordCount())), rowCount()};
    std::iota(change.records.begin(), change.records.end(), 0);
    change.empties = true;
    const DbfStatus begun = beginChange(change);
    const DbfStatus emptied = begun.ok() ? endChange(table_->makeEmpty()) : begun;
    if (emptied.ok()) {
        // Rows added from now on are new ones, whatever they hold. The
        // journal's file took the change just now; should it fail here, a
        // mark shows on a row equal to one printed before.
        PrintHistory(QueueJournal::pathBeside(path())).forgetPrinted(QFileInfo(path()).fileName());
    }
    const DbfStatus unlocked = unlock();
    reloadRows();
    first();
    return emptied.ok() ? unlocked : emptied;
}

DbfStatus LabelQueue::setNumbers(int field, const std::vector<std::pair<int, double>> &numbers)
{
    cancelAppend();
    if (!isOpen()) {
        return DbfStatus::failure(QStringLiteral("表格沒有開啟，無法修改資料。"));
    }
    const DbfStatus locked = lock(TableFileLock::Mode::Exclusive);
    if (!locked.ok()) {
        return locked;
    }
    // Where the field lies in the table as it is under the lock.
    const DbfColumn &column = table_->layout()->columns.at(field);
    DbfRecord scratch = table_->blankRecord();
    std::vector<DbfRecordPatch> patches;
    patches.reserve(numbers.size());
    DbfStatus written = DbfStatus::success();
    for (const auto &[recordNumber, number] : numbers) {
        written = scratch.setNumber(field, number);
        if (!written.ok()) {
            break;
        }
        patches.push_back({recordNumber, column.offset, scratch.bytes().mid(column.offset, column.width)});
    }
    if (written.ok()) {
        QueueChange change{QStringLiteral("張數規則"), {}, int(numbers.size())};
        for (const auto &each : numbers) {
            change.records.push_back(each.first);
        }
        written = beginChange(change);
        if (written.ok()) {
            written = endChange(table_->rewrite(patches));
        }
    }
    const DbfStatus unlocked = unlock();
    catchUpWithTable();
    return written.ok() ? unlocked : written;
}

void LabelQueue::setJournal(std::shared_ptr<QueueJournal> journal)
{
    journal_ = std::move(journal);
}

DbfStatus LabelQueue::beginChange(const QueueChange &change)
{
    if (!isOpen()) {
        return DbfStatus::failure(QStringLiteral("表格沒有開啟，無法變更。"));
    }
    const DbfStatus locked = lock(TableFileLock::Mode::Exclusive);
    if (!locked.ok()) {
        return locked;
    }
    if (changeDepth_ == 0 && journal_) {
        const DbfStatus recorded = journal_->begin(*table_, change);
        if (!recorded.ok()) {
            unlock();
            return recorded;
        }
    }
    ++changeDepth_;
    return DbfStatus::success();
}

DbfStatus LabelQueue::endChange(DbfStatus outcome)
{
    if (changeDepth_ > 0 && --changeDepth_ == 0 && journal_ && table_) {
        // A failure leaves the entry pending: the next start settles it.
        journal_->finish(*table_);
    }
    const DbfStatus released = unlock();
    return outcome.ok() ? released : outcome;
}

DbfResult<JournalStep> LabelQueue::undo()
{
    return stepJournal(true);
}

DbfResult<JournalStep> LabelQueue::redo()
{
    return stepJournal(false);
}

DbfResult<JournalStep> LabelQueue::stepJournal(bool undoing)
{
    cancelAppend();
    if (!journal_ || !isOpen()) {
        return DbfResult<JournalStep>::failure(undoing ? QStringLiteral("沒有可以復原的變更。")
                                                       : QStringLiteral("沒有可以重做的變更。"));
    }
    const DbfStatus locked = lock(TableFileLock::Mode::Exclusive);
    if (!locked.ok()) {
        return DbfResult<JournalStep>::failure(locked.error());
    }
    DbfResult<JournalStep> stepped = undoing ? journal_->undo(*table_) : journal_->redo(*table_);
    const DbfStatus unlocked = unlock();
    reloadRows();
    generation_ = table_ ? table_->generation() : 0;
    ++revision_;
    if (stepped.ok() && !unlocked.ok()) {
        return DbfResult<JournalStep>::failure(unlocked.error());
    }
    return stepped;
}

std::optional<JournalStep> LabelQueue::nextUndo() const
{
    return journal_ && isOpen() ? journal_->nextUndo(*table_) : std::nullopt;
}

std::optional<JournalStep> LabelQueue::nextRedo() const
{
    return journal_ && isOpen() ? journal_->nextRedo(*table_) : std::nullopt;
}

DbfResult<std::vector<JournalStep>> LabelQueue::journalSteps() const
{
    if (!journal_ || !isOpen()) {
        return std::vector<JournalStep>();
    }
    return journal_->steps(*table_);
}

QStringList LabelQueue::recoverJournal()
{
    if (!journal_ || !isOpen() || table_->access() == DbfTable::Access::ReadOnly) {
        return {};
    }
    if (!lock(TableFileLock::Mode::Exclusive).ok()) {
        return {};
    }
    const QStringList notes = journal_->recover(*table_);
    unlock();
    catchUpWithTable();
    return notes;
}

void LabelQueue::catchUpWithTable()
{
    if (table_ && table_->isOpen() && table_->generation() == generation_) {
        return;
    }
    reloadRows();
    generation_ = table_ ? table_->generation() : 0;
    ++revision_;
}

void LabelQueue::makeCurrent(int recordNumber)
{
    const auto at = std::find(rows_.begin(), rows_.end(), recordNumber);
    if (at != rows_.end()) {
        current_ = int(at - rows_.begin());
        atStart_ = atEnd_ = false;
    } else {
        afterChange();
    }
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
