#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The terminal speaks UTF-8; the program's own texts are Big5 bytes. Every
// control character other than the line break is written as a visible escape
// (ESC as \x1B), so text from the server cannot drive the terminal.
namespace Console {

void out(const QString &line);
// The fields separated by tabs, each with its control characters escaped.
void outFields(const QStringList &fields);
// Big5 bytes, decoded for the terminal.
void outBig5(QByteArrayView line);
void err(const QString &line);

// Flushes both streams. False when anything written to either was lost (a
// full disk, a closed pipe); a loss on standard output is told on standard error.
bool finish();

// line with its control characters (but the line break) as \xHH escapes.
QString visible(const QString &line);

} // namespace Console
