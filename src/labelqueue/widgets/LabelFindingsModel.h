#pragma once

#include <QAbstractTableModel>

struct LabelCheckReport;
struct LabelFinding;

// The findings of a label check as a list: row, column entry, kind and
// message, errors first as the check orders them.
class LabelFindingsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { RowColumn, EntryColumn, KindColumn, MessageColumn, ColumnCount };

    explicit LabelFindingsModel(QObject *parent = nullptr);

    // The report stays the caller's and must outlive its use here.
    void setReport(const LabelCheckReport *report);
    const LabelFinding *finding(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const LabelCheckReport *report_ = nullptr;
};
