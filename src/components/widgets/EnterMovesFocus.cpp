#include "components/widgets/EnterMovesFocus.h"

#include "components/widgets/SendTabKey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

namespace {

bool takesEnter(const QWidget *widget)
{
    return qobject_cast<const QPushButton *>(widget) || qobject_cast<const QTextEdit *>(widget) ||
           qobject_cast<const QPlainTextEdit *>(widget);
}

} // namespace

EnterMovesFocus::EnterMovesFocus(QObject *parent)
    : QObject(parent)
{}

EnterMovesFocus *EnterMovesFocus::install(QWidget *root)
{
    auto *filter = new EnterMovesFocus(root);
    filter->watch(root);
    const QList<QWidget *> children = root->findChildren<QWidget *>();
    for (QWidget *child : children) {
        if ((child->focusPolicy() & Qt::TabFocus) && !takesEnter(child)) {
            filter->watch(child);
        }
    }
    return filter;
}

void EnterMovesFocus::watch(QWidget *field)
{
    field->installEventFilter(this);
}

bool EnterMovesFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        return QObject::eventFilter(watched, event);
    }
    // An Enter that reaches the root from a push button or a multi-line text
    // was theirs to use or to leave.
    if (const QWidget *focus = QApplication::focusWidget(); focus && takesEnter(focus)) {
        return QObject::eventFilter(watched, event);
    }
    SendTabKey();
    return true;
}
