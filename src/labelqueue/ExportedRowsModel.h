#pragma once

#include "labelqueue/ExportedRows.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>

// One export's rows as the print history shows them, in the grid's columns:
// each column a field of the queue by name, titled as the grid titles it.
class ExportedRowsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    struct Column {
        QByteArray field;
        QString title;
        bool numeric = false;
    };

    explicit ExportedRowsModel(QList<Column> columns, QObject *parent = nullptr);

    // Shows rows; a column whose field the export lacks stays empty.
    void setRows(ExportedRows rows);
    void clear();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<Column> columns_;
    ExportedRows rows_;
    QList<int> fieldOf_; // by column: the export's field, -1 for none
};
