#include "labelqueue/QueueSearch.h"

#include <cstring>

namespace {
// Below this share of the queue's rows, reading each row costs less than
// reading the megabyte run around it.
constexpr int rowByRowShare = 20;

QByteArrayView trimmed(QByteArrayView value)
{
    // Most of a wide field is the blanks that pad it: drop them eight at a time first.
    while (value.size() >= 8 && std::memcmp(value.end() - 8, "        ", 8) == 0) {
        value.chop(8);
    }
    while (!value.isEmpty() && (value.back() == ' ' || value.back() == '\0')) {
        value.chop(1);
    }
    while (!value.isEmpty() && value.front() == ' ') {
        value = value.sliced(1);
    }
    return value;
}
} // namespace

QueueSearch::QueueSearch(const LabelQueue &queue, QList<int> fields, RowMatcher matcher,
                         std::optional<std::vector<int>> among)
    : queue_(queue)
    , fields_(std::move(fields))
    , matcher_(std::move(matcher))
    , among_(std::move(among))
    , rowByRow_(among_ && qint64(among_->size()) * rowByRowShare < queue.rowCount())
{
    if (!matcher_.problem().isEmpty()) {
        next_ = total(); // nothing can match
    }
}

int QueueSearch::total() const
{
    return among_ ? int(among_->size()) : queue_.rowCount();
}

DbfStatus QueueSearch::step(int rows)
{
    const int end = std::min(total(), next_ + std::max(rows, 1));
    for (; next_ < end; ++next_) {
        const int recordNumber = among_ ? (*among_)[size_t(next_)] : queue_.recordNumber(next_);
        const int row = among_ ? queue_.rowOfRecord(recordNumber) : next_;
        if (row < 0) {
            continue; // deleted since the broader search
        }
        if (matcher_.isEmpty()) {
            matches_.push_back(recordNumber);
            continue;
        }
        DbfStatus error = DbfStatus::success();
        const QByteArrayView record = recordBytes(row, recordNumber, error);
        if (!error.ok()) {
            next_ = total();
            return error;
        }
        if (matches(record)) {
            matches_.push_back(recordNumber);
        }
    }
    return DbfStatus::success();
}

QByteArrayView QueueSearch::recordBytes(int row, int recordNumber, DbfStatus &error)
{
    if (rowByRow_) {
        DbfResult<DbfRecord> read = queue_.readRow(row);
        if (!read.ok()) {
            error = DbfStatus::failure(read.error());
            return {};
        }
        single_ = std::move(read.value());
        useLayout(single_.layout());
        return single_.bytes();
    }
    qint64 at = qint64(recordNumber - run_.firstRecord) * run_.recordLength;
    if (run_.bytes.isEmpty() || at < 0 || at + run_.recordLength > run_.bytes.size()) {
        error = queue_.readRun(row, run_);
        if (!error.ok()) {
            run_.bytes.clear();
            return {};
        }
        useLayout(run_.layout);
        at = 0;
    }
    return QByteArrayView(run_.bytes).sliced(at, run_.recordLength);
}

void QueueSearch::useLayout(const std::shared_ptr<const DbfLayout> &layout)
{
    if (layout == layout_) {
        return;
    }
    layout_ = layout;
    slots_.clear();
    for (const int field : fields_) {
        const DbfColumn *column = field >= 0 && field < layout_->columns.size() ? &layout_->columns[field] : nullptr;
        if (column && column->present()) {
            slots_.push_back({column->offset, column->width});
        }
    }
}

bool QueueSearch::matches(QByteArrayView record) const
{
    for (int word = 0; word < matcher_.wordCount(); ++word) {
        bool found = false;
        for (const Slot &slot : slots_) {
            if (matcher_.contains(trimmed(record.sliced(slot.offset, slot.width)), word)) {
                found = true;
                break;
            }
        }
        if (!found) {
            return false;
        }
    }
    return true;
}

DbfResult<std::vector<int>> QueueSearch::run(const LabelQueue &queue, const QList<int> &fields,
                                             const RowMatcher &matcher)
{
    QueueSearch search(queue, fields, matcher);
    const DbfStatus done = search.step(queue.rowCount());
    if (!done.ok()) {
        return DbfResult<std::vector<int>>::failure(done.error());
    }
    return search.matches();
}
