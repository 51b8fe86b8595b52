#include "labelqueue/LabelQueueModel.h"

#include "components/Big5.h"
#include "components/NumberText.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/PrintHistory.h"
#include "labelqueue/QueueDeletion.h"

#include <QFileInfo>

#include <algorithm>

namespace {

constexpr int CachedRows = 512;
// The width in characters a number column shows by default.
constexpr int NumberDisplayChars = 10;

} // namespace

LabelQueueModel::LabelQueueModel(LabelQueue &queue, QList<QueueColumn> columns, QObject *parent)
    : QAbstractTableModel(parent)
    , queue_(queue)
    , columns_(std::move(columns))
    , rows_(queue.rowCount())
    , revision_(queue.revision())
    , blankRecord_(queue.blankRecord())
    , cache_(CachedRows)
{
    refreshPrinted();
}

bool LabelQueueModel::holds(const QModelIndex &index) const
{
    return index.isValid() && index.model() == this && index.row() < rowCount() && index.column() < columnCount();
}

int LabelQueueModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_ + (blankRow_ ? 1 : 0);
}

int LabelQueueModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

bool LabelQueueModel::isNumeric(int column) const
{
    return queue_.fields().at(columns_.at(column).field).type == DbfFieldType::Numeric;
}

int LabelQueueModel::displayChars(int column) const
{
    if (isNumeric(column)) {
        return NumberDisplayChars;
    }
    const int field = columns_.at(column).field;
    const int width = queue_.fieldWidth(field);
    return width > 0 ? width : queue_.fields().at(field).width;
}

const DbfRecord *LabelQueueModel::record(int row) const
{
    if (blankRow_ && row == rows_) {
        return &blankRecord_;
    }
    const int recordNumber = queue_.recordNumber(queueRow(row));
    if (recordNumber < 0) {
        return nullptr;
    }
    if (const DbfRecord *cached = cache_.object(recordNumber)) {
        return cached;
    }
    DbfResult<DbfRecord> read = queue_.readRow(queueRow(row));
    ++rowsRead_;
    if (!read.ok()) {
        lastError_ = read.error();
        return nullptr;
    }
    auto *copy = new DbfRecord(std::move(read.value()));
    cache_.insert(recordNumber, copy);
    return copy;
}

QVariant LabelQueueModel::data(const QModelIndex &index, int role) const
{
    if (!holds(index)) {
        return {};
    }
    const QueueColumn &column = columns_.at(index.column());
    const bool numeric = isNumeric(index.column());
    if (role == Qt::TextAlignmentRole) {
        return int((numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) {
        return {};
    }
    const DbfRecord *row = record(index.row());
    if (!row) {
        return {};
    }
    if (!numeric) {
        return Big5::decode(row->text(column.field));
    }
    const std::optional<double> number = row->number(column.field);
    if (!number) {
        return QString();
    }
    // The editor gets the number as typed, without separators.
    const QueueColumn::NumberFormat format =
        role == Qt::DisplayRole ? column.numberFormat : QueueColumn::NumberFormat::General;
    switch (format) {
    case QueueColumn::NumberFormat::Grouped:
        return QString::fromLatin1(groupedNumberText(*number));
    case QueueColumn::NumberFormat::GroupedWhole:
        return QString::fromLatin1(groupedWholeNumberText(*number));
    case QueueColumn::NumberFormat::General:
        break;
    }
    return QString::fromLatin1(generalNumberText(*number));
}

QVariant LabelQueueModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical && role == Qt::ToolTipRole && isPrinted(section)) {
        return QStringLiteral("已列印：資料與張數和轉出時相同");
    }
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    const QueueColumn &column = columns_.at(section);
    switch (role) {
    case Qt::DisplayRole:
        return column.title;
    case Qt::TextAlignmentRole:
        return int(column.titleCentred ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter));
    case TitleHighlightRole:
        return column.titleHighlighted;
    default:
        return {};
    }
}

Qt::ItemFlags LabelQueueModel::flags(const QModelIndex &index) const
{
    if (!holds(index)) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags result = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (!columns_.at(index.column()).readOnly && queue_.isOpen()) {
        result |= Qt::ItemIsEditable;
    }
    return result;
}

bool LabelQueueModel::refuse(const QString &message)
{
    lastError_ = message;
    Q_EMIT errorOccurred(message);
    return false;
}

bool LabelQueueModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !holds(index)) {
        return false;
    }
    const QueueColumn &column = columns_.at(index.column());
    if (column.readOnly || !queue_.isOpen()) {
        return refuse(QStringLiteral("「%1」欄不能修改。").arg(column.title));
    }
    const int row = index.row();
    const bool newRow = blankRow_ && row == rows_;
    const DbfRecord *current = record(row);
    if (!current) {
        return refuse(lastError_);
    }
    DbfRecord changed = *current;
    DbfStatus set = DbfStatus::success();
    if (isNumeric(index.column())) {
        if (value.typeId() == QMetaType::QString || !value.isValid()) {
            set = changed.setNumberText(column.field, value.toString().toUtf8());
        } else {
            bool ok = false;
            const double number = value.toDouble(&ok);
            set = ok ? changed.setNumber(column.field, number)
                     : DbfStatus::failure(QStringLiteral("「%1」欄只能填數字。").arg(column.title));
        }
    } else if (value.toString() == Big5::decode(current->text(column.field))) {
        // Put back as shown: the stored bytes stay, even those that are no Big5 text.
        return true;
    } else {
        const Big5::Encoding text = Big5::encode(value.toString());
        if (!text.ok()) {
            return refuse(text.errorText());
        }
        const int width = changed.fieldWidth(column.field);
        if (text.bytes.size() > width) {
            return refuse(
                QStringLiteral("「%1」最多 %2 個位元組（中文字每字 2 個位元組）。").arg(column.title).arg(width));
        }
        set = changed.setText(column.field, text.bytes);
    }
    if (!set.ok()) {
        return refuse(set.error());
    }
    if (changed == *current) {
        // Nothing changed: an untouched new row stays untouched.
        return true;
    }

    const DbfStatus stored = newRow ? queue_.append(changed) : queue_.update(queueRow(row), changed, *current);
    if (!stored.ok()) {
        if (!catchUpWithQueue() && (!queue_.isOpen() || committedRows() != rows_)) {
            reload();
        }
        return refuse(stored.error());
    }
    if (catchUpWithQueue()) {
        // Stored, and shown among the rows another program added meanwhile.
        return true;
    }
    if (newRow) {
        blankRow_ = false;
        if (chosen_) {
            lastKnownRecord_ = queue_.recordNumber(queue_.rowCount() - 1);
            chosen_->push_back(lastKnownRecord_);
        }
        rows_ = committedRows();
    }
    cache_.insert(queue_.recordNumber(queueRow(row)), new DbfRecord(changed));
    notePrinted(queue_.recordNumber(queueRow(row)), &changed);
    Q_EMIT dataChanged(this->index(row, 0), this->index(row, columnCount() - 1));
    announceCurrentRow();
    return true;
}

bool LabelQueueModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount()) {
        return false;
    }
    for (int i = row + count - 1; i >= row; --i) {
        const DbfStatus deleted = deleteRow(i);
        if (!deleted.ok()) {
            return refuse(deleted.error());
        }
    }
    return true;
}

DbfStatus LabelQueueModel::deleteRow(int row)
{
    if (blankRow_ && row == rows_) {
        dropBlankRow();
        return DbfStatus::success();
    }
    dropBlankRow();
    const int target = queueRow(row);
    queue_.moveTo(target);
    if (target < 0 || queue_.currentRow() != target) {
        return DbfStatus::failure(QStringLiteral("沒有資料可以刪除。"));
    }
    const int recordNumber = queue_.recordNumber(target);
    // The row as shown: one that another program has changed since is not deleted.
    const DbfRecord *shown = record(row);
    const std::optional<DbfRecord> seen = shown ? std::optional<DbfRecord>(*shown) : std::nullopt;
    beginRemoveRows(QModelIndex(), row, row);
    // A view's selection moves its current cell off the row while it goes,
    // which may move the queue: the row deleted is still the one asked for.
    queue_.moveTo(target);
    const DbfStatus deleted = seen ? queue_.deleteCurrent(*seen) : queue_.deleteCurrent();
    if (deleted.ok() && chosen_) {
        chosen_->erase(std::lower_bound(chosen_->begin(), chosen_->end(), recordNumber));
    }
    if (!deleted.ok() || queue_.revision() != revision_) {
        // The row was announced gone; finish that, then show the table as it is.
        --rows_;
        endRemoveRows();
        reload();
        return deleted;
    }
    rows_ = committedRows();
    endRemoveRows();
    notePrinted(recordNumber, nullptr);
    if (chosen_) {
        // The queue went on to the next row of the file, which may not be shown.
        queue_.moveTo(queueRow(std::min(row, rows_ - 1)));
        setWalkFlags(rows_ == 0, rows_ == 0);
    }
    announceCurrentRow();
    return deleted;
}

int LabelQueueModel::currentRow() const
{
    return shownRowOfQueueRow(queue_.currentRow());
}

void LabelQueueModel::setCurrentRow(int row)
{
    if (blankRow_ && row == rows_) {
        return;
    }
    dropBlankRow();
    queue_.moveTo(queueRow(row));
    // A move the grid did not make itself must show there, or a delete
    // would take a row other than the one the grid marks.
    announceCurrentRow();
}

void LabelQueueModel::moveFirst()
{
    dropBlankRow();
    if (chosen_) {
        queue_.moveTo(queueRow(0));
        setWalkFlags(true, rows_ == 0);
    } else {
        queue_.first();
    }
    announceCurrentRow();
}

bool LabelQueueModel::movePrior()
{
    dropBlankRow();
    bool moved = false;
    if (chosen_) {
        const int row = currentRow();
        moved = row > 0;
        if (moved) {
            queue_.moveTo(queueRow(row - 1));
        }
        setWalkFlags(!moved, false);
    } else {
        moved = queue_.prior();
    }
    announceCurrentRow();
    return moved;
}

bool LabelQueueModel::moveNext()
{
    dropBlankRow();
    bool moved = false;
    if (chosen_) {
        const int row = currentRow();
        moved = row + 1 < rows_;
        if (moved) {
            queue_.moveTo(queueRow(row + 1));
        }
        setWalkFlags(false, !moved);
    } else {
        moved = queue_.next();
    }
    announceCurrentRow();
    return moved;
}

bool LabelQueueModel::atStart() const
{
    return chosen_ && queue_.isOpen() ? chosenAtStart_ : queue_.atStart();
}

bool LabelQueueModel::atEnd() const
{
    return chosen_ && queue_.isOpen() ? chosenAtEnd_ : queue_.atEnd();
}

void LabelQueueModel::setWalkFlags(bool atStart, bool atEnd)
{
    chosenAtStart_ = atStart;
    chosenAtEnd_ = atEnd;
}

int LabelQueueModel::queueRow(int row) const
{
    if (!chosen_) {
        return row >= 0 && row < queue_.rowCount() ? row : -1;
    }
    return row >= 0 && row < int(chosen_->size()) ? queue_.rowOfRecord((*chosen_)[size_t(row)]) : -1;
}

int LabelQueueModel::shownRowOfQueueRow(int queueRow) const
{
    if (!chosen_ || queueRow < 0) {
        return queueRow;
    }
    if (queue_.isAppending() && queueRow == queue_.rowCount()) {
        return rows_;
    }
    const int recordNumber = queue_.recordNumber(queueRow);
    const auto at = std::lower_bound(chosen_->begin(), chosen_->end(), recordNumber);
    return at != chosen_->end() && *at == recordNumber ? int(at - chosen_->begin()) : -1;
}

int LabelQueueModel::committedRows() const
{
    return chosen_ ? int(chosen_->size()) : queue_.rowCount();
}

const std::vector<int> &LabelQueueModel::chosenRecords() const
{
    static const std::vector<int> none;
    return chosen_ ? *chosen_ : none;
}

void LabelQueueModel::showOnlyRecords(std::optional<std::vector<int>> recordNumbers)
{
    dropBlankRow();
    const int current = queue_.currentRow();
    beginResetModel();
    chosen_ = std::move(recordNumbers);
    lastKnownRecord_ = queue_.recordNumber(queue_.rowCount() - 1);
    rows_ = committedRows();
    endResetModel();
    if (chosen_ && shownRowOfQueueRow(current) < 0 && rows_ > 0) {
        // The next shown row after the current one, or the last.
        const int recordNumber = queue_.recordNumber(current);
        const auto next = std::lower_bound(chosen_->begin(), chosen_->end(), recordNumber);
        queue_.moveTo(queueRow(next == chosen_->end() ? rows_ - 1 : int(next - chosen_->begin())));
    }
    setWalkFlags(rows_ == 0, rows_ == 0);
    announceCurrentRow();
}

DbfStatus LabelQueueModel::deleteRows(const std::vector<int> &rows)
{
    dropBlankRow();
    std::vector<int> recordNumbers;
    for (const int row : rows) {
        const int recordNumber = queue_.recordNumber(queueRow(row));
        if (recordNumber >= 0) {
            recordNumbers.push_back(recordNumber);
        }
    }
    const int first = rows.empty() ? 0 : *std::min_element(rows.begin(), rows.end());
    const DbfResult<int> deleted = deleteQueueRecords(queue_, recordNumbers);
    reload();
    // The row after the deleted ones takes their place, as after a single deletion.
    if (rows_ > 0) {
        queue_.moveTo(queueRow(std::min(first, rows_ - 1)));
    }
    setWalkFlags(rows_ == 0, rows_ == 0);
    announceCurrentRow();
    return deleted.status();
}

int LabelQueueModel::appendBlankRow()
{
    if (blankRow_) {
        return rows_;
    }
    if (!queue_.isOpen()) {
        return -1;
    }
    beginInsertRows(QModelIndex(), rows_, rows_);
    queue_.beginAppend();
    blankRecord_ = queue_.blankRecord();
    blankRow_ = true;
    endInsertRows();
    announceCurrentRow();
    return rows_;
}

void LabelQueueModel::dropBlankRow()
{
    if (!blankRow_) {
        return;
    }
    beginRemoveRows(QModelIndex(), rows_, rows_);
    blankRow_ = false;
    queue_.cancelAppend();
    endRemoveRows();
    announceCurrentRow();
}

DbfStatus LabelQueueModel::deleteCurrentRow()
{
    if (blankRow_) {
        dropBlankRow();
        return DbfStatus::success();
    }
    const int row = currentRow();
    if (row < 0) {
        return DbfStatus::failure(QStringLiteral("沒有資料可以刪除。"));
    }
    return deleteRow(row);
}

DbfStatus LabelQueueModel::emptyQueue()
{
    dropBlankRow();
    beginResetModel();
    const DbfStatus emptied = queue_.empty();
    if (chosen_ && emptied.ok()) {
        chosen_->clear();
    }
    rows_ = committedRows();
    revision_ = queue_.revision();
    blankRecord_ = queue_.blankRecord();
    cache_.clear();
    endResetModel();
    refreshPrinted();
    announceCurrentRow();
    return emptied;
}

void LabelQueueModel::reload()
{
    beginResetModel();
    blankRow_ = blankRow_ && queue_.isAppending();
    if (chosen_) {
        // Rows deleted behind the grid are no longer shown.
        chosen_->erase(std::remove_if(chosen_->begin(), chosen_->end(),
                                      [this](int recordNumber) { return queue_.rowOfRecord(recordNumber) < 0; }),
                       chosen_->end());
    }
    rows_ = committedRows();
    revision_ = queue_.revision();
    blankRecord_ = queue_.blankRecord();
    cache_.clear();
    endResetModel();
    refreshPrinted();
    announceCurrentRow();
}

void LabelQueueModel::rowsAppendedToQueue()
{
    if (chosen_ && !blankRow_ && queue_.revision() == revision_) {
        // The rows an import added are shown with the chosen ones.
        int firstNew = queue_.rowCount();
        while (firstNew > 0 && queue_.recordNumber(firstNew - 1) > lastKnownRecord_) {
            --firstNew;
        }
        for (int row = firstNew; row < queue_.rowCount(); ++row) {
            chosen_->push_back(queue_.recordNumber(row));
        }
        lastKnownRecord_ = queue_.recordNumber(queue_.rowCount() - 1);
    }
    const int now = committedRows();
    if (blankRow_ || now < rows_ || queue_.revision() != revision_) {
        reload();
        return;
    }
    if (now > rows_) {
        const int firstNew = rows_;
        beginInsertRows(QModelIndex(), rows_, now - 1);
        rows_ = now;
        endInsertRows();
        findPrinted(queueRow(firstNew));
    }
    announceCurrentRow();
}

bool LabelQueueModel::catchUpWithQueue()
{
    if (queue_.revision() == revision_) {
        return false;
    }
    reload();
    return true;
}

void LabelQueueModel::rowsRewritten()
{
    if (catchUpWithQueue()) {
        return;
    }
    cache_.clear();
    findPrinted(0);
    if (rowCount() > 0) {
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
}

bool LabelQueueModel::isPrinted(int row) const
{
    const int recordNumber = queue_.recordNumber(queueRow(row));
    return recordNumber >= 0 && std::binary_search(printed_.begin(), printed_.end(), recordNumber);
}

void LabelQueueModel::refreshPrinted()
{
    const DbfResult<PrintedMarks> marks =
        queue_.isOpen()
            ? PrintHistory(QueueJournal::pathBeside(queue_.path())).printedMarks(QFileInfo(queue_.path()).fileName())
            : PrintedMarks();
    // Marks that cannot be read show no row printed, which is never a wrong mark.
    marks_ = marks.ok() ? marks.value() : PrintedMarks();
    findPrinted(0);
}

// The printed rows from the queue's row fromRow on found afresh.
void LabelQueueModel::findPrinted(int fromRow)
{
    const std::vector<int> before = printed_;
    const int fromRecord = queue_.recordNumber(fromRow);
    if (fromRecord >= 0) {
        printed_.erase(std::lower_bound(printed_.begin(), printed_.end(), fromRecord), printed_.end());
    } else if (fromRow <= 0) {
        printed_.clear();
    }
    if (queue_.isOpen() && fromRow >= 0) {
        const std::vector<int> found = marks_.printedRecords(queue_, fromRow);
        printed_.insert(printed_.end(), found.begin(), found.end());
    }
    if (printed_ == before) {
        return;
    }
    if (rowCount() > 0) {
        Q_EMIT headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    }
    Q_EMIT printedRowsChanged();
}

// After one record was written (record) or deleted (nullptr).
void LabelQueueModel::notePrinted(int recordNumber, const DbfRecord *record)
{
    const auto at = std::lower_bound(printed_.begin(), printed_.end(), recordNumber);
    const bool was = at != printed_.end() && *at == recordNumber;
    const bool is = record && marks_.isPrinted(recordNumber, record->bytes());
    if (was == is) {
        return;
    }
    if (is) {
        printed_.insert(at, recordNumber);
    } else {
        printed_.erase(at);
    }
    Q_EMIT printedRowsChanged();
}

void LabelQueueModel::announceCurrentRow()
{
    Q_EMIT currentRowChanged(currentRow());
}

void LabelQueueModel::setColumnReadOnly(int column, bool readOnly, bool titleHighlighted)
{
    QueueColumn &changed = columns_[column];
    changed.readOnly = readOnly;
    changed.titleHighlighted = titleHighlighted;
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}
