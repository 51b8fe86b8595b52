#include "components/widgets/BareMnemonicKeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

BareMnemonicKeys::BareMnemonicKeys(QObject *parent)
    : QObject(parent)
{}

void BareMnemonicKeys::install()
{
    if (!qApp || qApp->findChild<BareMnemonicKeys *>(QString(), Qt::FindDirectChildrenOnly)) {
        return;
    }
    qApp->installEventFilter(new BareMnemonicKeys(qApp));
}

bool BareMnemonicKeys::isBareMnemonicKey(const QKeyEvent &key)
{
    if (key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) {
        return false;
    }
    return (key.key() >= Qt::Key_0 && key.key() <= Qt::Key_9) || (key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z);
}

bool BareMnemonicKeys::eventFilter(QObject *watched, QEvent *event)
{
    auto *control = qobject_cast<QWidget *>(watched);
    if (event->type() != QEvent::KeyPress || !control ||
        !(qobject_cast<QAbstractButton *>(control) || control->property(takesNoTextProperty).toBool())) {
        return QObject::eventFilter(watched, event);
    }
    const auto *key = static_cast<QKeyEvent *>(event);
    if (!control->hasFocus() || !isBareMnemonicKey(*key)) {
        return QObject::eventFilter(watched, event);
    }
    // A key press sent from here goes through the window's shortcuts first,
    // as one from the keyboard does; the Alt makes it a mnemonic. When no
    // control of the window has that mnemonic the bare key goes on as it came.
    QKeyEvent withAlt(QEvent::KeyPress, key->key(), Qt::AltModifier | (key->modifiers() & Qt::KeypadModifier),
                      key->text(), key->isAutoRepeat(), key->count());
    return QCoreApplication::sendEvent(control, &withAlt) && withAlt.isAccepted();
}
