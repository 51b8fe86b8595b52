#pragma once

#include <QStyledItemDelegate>

// Cell editors of a label queue grid. A text cell refuses, as it is typed,
// a character that Big5 cannot hold and any text longer than its field's
// width in bytes; a number cell takes digits, one point and a leading minus.
class QueueCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit QueueCellDelegate(QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

Q_SIGNALS:
    // Every editor made, for a view that wants to watch its keys.
    void editorCreated(QWidget *editor) const;
};
