#pragma once

#include <QEvent>
#include <QObject>
#include <QWindow>

#include <cstdlib>

// Ends the process the moment its window is first exposed (mapped on screen),
// so the parent's wall time from spawn to exit is the time to a visible window.
class ExitWhenExposed : public QObject
{
public:
    static void watch(QWindow *window) { window->installEventFilter(new ExitWhenExposed(window)); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            std::_Exit(0);
        }
        return false;
    }

private:
    explicit ExitWhenExposed(QObject *parent)
        : QObject(parent)
    {}
};
