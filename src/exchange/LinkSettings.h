#pragma once

#include <QByteArray>

// The settings dialog's server, branch code and link password, as Big5 bytes.
struct LinkSettings {
    QByteArray server;
    QByteArray branch;
    QByteArray password;
};
