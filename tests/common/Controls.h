#pragma once

#include <QObject>
#include <QString>

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
