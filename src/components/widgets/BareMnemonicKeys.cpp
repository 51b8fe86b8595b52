#include "components/widgets/BareMnemonicKeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>

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
    if (event->type() != QEvent::KeyPress || !qobject_cast<QAbstractButton *>(watched)) {
        return QObject::eventFilter(watched, event);
    }
    const auto *key = static_cast<QKeyEvent *>(event);
    auto *button = static_cast<QAbstractButton *>(watched);
    if (!button->hasFocus() || !isBareMnemonicKey(*key)) {
        return QObject::eventFilter(watched, event);
    }
    // A key press sent from here goes through the window's shortcuts first,
    // as one from the keyboard does; the Alt makes it a mnemonic. When no
    // control of the window has that mnemonic the bare key goes on as it came.
    QKeyEvent withAlt(QEvent::KeyPress, key->key(), Qt::AltModifier | (key->modifiers() & Qt::KeypadModifier),
                      key->text(), key->isAutoRepeat(), key->count());
    return QCoreApplication::sendEvent(button, &withAlt) && withAlt.isAccepted();
}
