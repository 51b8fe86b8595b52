#include "labelqueue/ExportedRowsModel.h"

#include "components/Big5.h"
#include "components/DecimalText.h"
#include "components/NumberText.h"

ExportedRowsModel::ExportedRowsModel(QList<Column> columns, QObject *parent)
    : QAbstractTableModel(parent)
    , columns_(std::move(columns))
{}

void ExportedRowsModel::setRows(ExportedRows rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    fieldOf_.clear();
    for (const Column &column : columns_) {
        int found = -1;
        for (qsizetype field = 0; field < rows_.fieldNames().size(); ++field) {
            if (rows_.fieldNames().at(field).compare(column.field, Qt::CaseInsensitive) == 0) {
                found = int(field);
            }
        }
        fieldOf_.append(found);
    }
    endResetModel();
}

void ExportedRowsModel::clear()
{
    setRows(ExportedRows());
}

int ExportedRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_.rowCount();
}

int ExportedRowsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant ExportedRowsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    const bool numeric = columns_.at(index.column()).numeric;
    if (role == Qt::TextAlignmentRole) {
        return int((numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    const int field = fieldOf_.value(index.column(), -1);
    if (role != Qt::DisplayRole || field < 0) {
        return {};
    }
    const QByteArrayView value = rows_.value(index.row(), field);
    if (numeric) {
        const std::optional<double> number = DecimalText::parse(value);
        return number ? QString::fromLatin1(generalNumberText(*number)) : QString();
    }
    return Big5::decode(value.data(), value.size());
}

QVariant ExportedRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    return section < columns_.size() ? QVariant(columns_.at(section).title) : QVariant();
}
