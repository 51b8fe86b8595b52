#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <stdexcept>
#include <string>

// A window's control found by its design name (its objectName), so that a test
// does not depend on what the window's C++ member is called.
template <typename Control>
Control *control(const QObject &window, const char *name)
{
    auto *found = window.findChild<Control *>(QLatin1String(name));
    if (!found) {
        throw std::runtime_error(std::string("no control named ") + name);
    }
    return found;
}

// Acts on a modal dialog once it shows (exec() holds the test until then):
// polls from owner's event loop, then runs act once.
inline void whenShown(QObject *owner, QWidget *dialog, std::function<void()> act)
{
    auto *poll = new QTimer(owner);
    QObject::connect(poll, &QTimer::timeout, owner, [dialog, poll, act] {
        if (dialog->isVisible()) {
            poll->deleteLater();
            poll->stop();
            act();
        }
    });
    poll->start(5);
}
