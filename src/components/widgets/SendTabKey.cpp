#include "components/widgets/SendTabKey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

void SendTabKey()
{
    // Queued, and aimed at the focus widget of the moment it runs: a grid
    // closes its cell editor after the Enter that led here, and the Tab must
    // reach the grid, not the editor that is going away.
    QMetaObject::invokeMethod(
        qApp,
        [] {
            for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                if (QWidget *target = QApplication::focusWidget()) {
                    QKeyEvent event(type, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
                    QApplication::sendEvent(target, &event);
                }
            }
        },
        Qt::QueuedConnection);
}
