#include "labelqueue/widgets/LabelFindingsModel.h"

#include "components/Big5.h"
#include "labelqueue/LabelCheck.h"
#include "labelqueue/proof/LabelCardPainter.h"

#include <QColor>

LabelFindingsModel::LabelFindingsModel(QObject *parent)
    : QAbstractTableModel(parent)
{}

void LabelFindingsModel::setReport(const LabelCheckReport *report)
{
    beginResetModel();
    report_ = report;
    endResetModel();
}

void LabelFindingsModel::setEntryTitle(std::function<QString(const QByteArray &entry)> entryTitle)
{
    beginResetModel();
    entryTitle_ = std::move(entryTitle);
    endResetModel();
}

const LabelFinding *LabelFindingsModel::finding(int row) const
{
    if (!report_ || row < 0 || size_t(row) >= report_->findings.size()) {
        return nullptr;
    }
    return &report_->findings[size_t(row)];
}

int LabelFindingsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !report_ ? 0 : int(report_->findings.size());
}

int LabelFindingsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LabelFindingsModel::data(const QModelIndex &index, int role) const
{
    const LabelFinding *found = finding(index.row());
    if (!found) {
        return {};
    }
    const bool error = found->kind == LabelFinding::Kind::Error;
    if (role == Qt::ForegroundRole && index.column() == KindColumn) {
        return findingColour(found->kind);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (index.column()) {
    case RowColumn:
        // Row 0 is the output settings themselves.
        return found->row > 0 ? QString::number(found->row) : QStringLiteral("設定");
    case EntryColumn:
        return entryTitle_ ? entryTitle_(found->entry) : Big5::decode(found->entry);
    case KindColumn:
        return error ? QStringLiteral("錯誤") : QStringLiteral("提醒");
    case MessageColumn:
        return found->message;
    default:
        return {};
    }
}

QVariant LabelFindingsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    static const char *const titles[] = {"筆", "欄位", "類別", "說明"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(titles[section]) : QVariant();
}
