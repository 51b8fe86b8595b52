#pragma once

#include <QByteArray>

// Appends "&key=" + value to an import request, only when the value is not empty.
inline void appendCondition(QByteArray &request, const char *key, const QByteArray &value)
{
    if (!value.isEmpty()) {
        request.append(key).append(value);
    }
}
