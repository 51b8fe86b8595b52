#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The terminal speaks UTF-8; the program's own texts are Big5 bytes.
namespace Console {

void out(const QString &line);
// Big5 bytes, decoded for the terminal.
void outBig5(QByteArrayView line);
void err(const QString &line);

} // namespace Console
