#include "labelqueue/widgets/QueueCellDelegate.h"

#include "components/widgets/Big5LengthValidator.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/LabelQueueModel.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

QueueCellDelegate::QueueCellDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{}

QWidget *QueueCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    const auto *model = qobject_cast<const LabelQueueModel *>(index.model());
    if (model) {
        const LabelQueue &queue = model->queue();
        const int field = model->column(index.column()).field;
        if (queue.fields().at(field).type == DbfFieldType::Numeric) {
            static const QRegularExpression number(QStringLiteral("-?[0-9]*\\.?[0-9]*"));
            editor->setValidator(new QRegularExpressionValidator(number, editor));
            editor->setAlignment(Qt::AlignRight);
        } else {
            const int width = queue.fieldWidth(field);
            editor->setValidator(new Big5LengthValidator(width > 0 ? width : queue.fields().at(field).width, editor));
        }
    }
    Q_EMIT editorCreated(editor);
    return editor;
}

void QueueCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        line->setText(index.data(Qt::EditRole).toString());
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void QueueCellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        // An edit that changed nothing stores nothing, so a new row left as it
        // came is still dropped when the grid moves on.
        if (line->isModified()) {
            model->setData(index, line->text(), Qt::EditRole);
        }
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}
