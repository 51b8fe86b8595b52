#include "labelqueue/LabelQueueModel.h"

#include "components/Big5.h"
#include "components/NumberText.h"
#include "labelqueue/LabelQueue.h"

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
{}

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
    const int recordNumber = queue_.recordNumber(row);
    if (recordNumber < 0) {
        return nullptr;
    }
    if (const DbfRecord *cached = cache_.object(recordNumber)) {
        return cached;
    }
    DbfResult<DbfRecord> read = queue_.readRow(row);
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

    const DbfStatus stored = newRow ? queue_.append(changed) : queue_.update(row, changed, *current);
    if (!stored.ok()) {
        if (!catchUpWithQueue() && (!queue_.isOpen() || queue_.rowCount() != rows_)) {
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
        rows_ = queue_.rowCount();
    }
    cache_.insert(queue_.recordNumber(row), new DbfRecord(changed));
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
    queue_.moveTo(row);
    if (queue_.currentRow() != row) {
        return DbfStatus::failure(QStringLiteral("沒有資料可以刪除。"));
    }
    // The row as shown: one that another program has changed since is not deleted.
    const DbfRecord *shown = record(row);
    const std::optional<DbfRecord> seen = shown ? std::optional<DbfRecord>(*shown) : std::nullopt;
    beginRemoveRows(QModelIndex(), row, row);
    // A view's selection moves its current cell off the row while it goes,
    // which may move the queue: the row deleted is still the one asked for.
    queue_.moveTo(row);
    const DbfStatus deleted = seen ? queue_.deleteCurrent(*seen) : queue_.deleteCurrent();
    if (!deleted.ok() || queue_.revision() != revision_) {
        // The row was announced gone; finish that, then show the table as it is.
        --rows_;
        endRemoveRows();
        reload();
        return deleted;
    }
    rows_ = queue_.rowCount();
    endRemoveRows();
    announceCurrentRow();
    return deleted;
}

int LabelQueueModel::currentRow() const
{
    return queue_.currentRow();
}

void LabelQueueModel::setCurrentRow(int row)
{
    if (blankRow_ && row == rows_) {
        return;
    }
    dropBlankRow();
    queue_.moveTo(row);
    // A move the grid did not make itself must show there, or a delete
    // would take a row other than the one the grid marks.
    announceCurrentRow();
}

void LabelQueueModel::moveFirst()
{
    dropBlankRow();
    queue_.first();
    announceCurrentRow();
}

bool LabelQueueModel::movePrior()
{
    dropBlankRow();
    const bool moved = queue_.prior();
    announceCurrentRow();
    return moved;
}

bool LabelQueueModel::moveNext()
{
    dropBlankRow();
    const bool moved = queue_.next();
    announceCurrentRow();
    return moved;
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
    const int row = queue_.currentRow();
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
    rows_ = queue_.rowCount();
    revision_ = queue_.revision();
    blankRecord_ = queue_.blankRecord();
    cache_.clear();
    endResetModel();
    announceCurrentRow();
    return emptied;
}

void LabelQueueModel::reload()
{
    beginResetModel();
    blankRow_ = blankRow_ && queue_.isAppending();
    rows_ = queue_.rowCount();
    revision_ = queue_.revision();
    blankRecord_ = queue_.blankRecord();
    cache_.clear();
    endResetModel();
    announceCurrentRow();
}

void LabelQueueModel::rowsAppendedToQueue()
{
    const int now = queue_.rowCount();
    if (blankRow_ || now < rows_ || queue_.revision() != revision_) {
        reload();
        return;
    }
    if (now > rows_) {
        beginInsertRows(QModelIndex(), rows_, now - 1);
        rows_ = now;
        endInsertRows();
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
    if (rowCount() > 0) {
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
}

void LabelQueueModel::announceCurrentRow()
{
    Q_EMIT currentRowChanged(queue_.currentRow());
}

void LabelQueueModel::setColumnReadOnly(int column, bool readOnly, bool titleHighlighted)
{
    QueueColumn &changed = columns_[column];
    changed.readOnly = readOnly;
    changed.titleHighlighted = titleHighlighted;
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}
