#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QString>

#include <functional>

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
    // How an entry is named in the list: a queue field by its grid column's
    // title, say. Big5 decoded as it stands unless set.
    void setEntryTitle(std::function<QString(const QByteArray &entry)> entryTitle);
    const LabelFinding *finding(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const LabelCheckReport *report_ = nullptr;
    std::function<QString(const QByteArray &entry)> entryTitle_;
};
