#pragma once

#include <QAbstractListModel>
#include <QString>

class ServerExchange;

// The reply pane as a list model: the lines of the exchange's reply, decoded
// from Big5 only as a view asks for them. A view with uniform item sizes
// thereby shows a reply of millions of lines at once, without copying it.
// Until the first exchange the pane holds its initial text as one line.
class ReplyLinesModel : public QAbstractListModel
{
    Q_OBJECT

public:
    ReplyLinesModel(const ServerExchange &exchange, const QString &initialText, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    void refresh();

    const ServerExchange &exchange_;
    QString initialText_;
    bool exchanged_ = false;
    int rows_ = 1;
};
