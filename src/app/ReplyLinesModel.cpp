#include "app/ReplyLinesModel.h"

#include "components/Big5.h"
#include "exchange/ServerExchange.h"

#include <limits>

ReplyLinesModel::ReplyLinesModel(const ServerExchange &exchange, const QString &initialText, QObject *parent)
    : QAbstractListModel(parent)
    , exchange_(exchange)
    , initialText_(initialText)
{
    connect(&exchange, &ServerExchange::replyChanged, this, &ReplyLinesModel::refresh);
}

void ReplyLinesModel::refresh()
{
    beginResetModel();
    exchanged_ = true;
    // A view counts rows in int; a reply can hold more lines only in theory (32-bit offsets).
    rows_ = int(qMin<qsizetype>(exchange_.reply().count(), std::numeric_limits<int>::max()));
    endResetModel();
}

int ReplyLinesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_;
}

QVariant ReplyLinesModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_) {
        return {};
    }
    if (!exchanged_) {
        return initialText_;
    }
    const QByteArrayView line = exchange_.reply().lineView(index.row());
    return Big5::decode(line.data(), line.size());
}
