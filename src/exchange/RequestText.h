#pragma once

#include "exchange/LinkSettings.h"

#include <QByteArray>

// What the requests of every back-office script share: the link start and
// the condition texts the import dialogs fill in.
namespace RequestText {

// "bran_no=" + branch + "&link_pass=" + password, how every request begins.
QByteArray linkStart(const QByteArray &branch, const QByteArray &password);
// The same with the own branch and password of the link settings.
QByteArray linkStart(const LinkSettings &link);

// Without blanks at either end, blanks as the dialogs' fields know them:
// spaces and control characters.
QByteArray trimmedBlanks(const QByteArray &text);

bool isGiven(const QByteArray &text);

// key + value, only when the value is not empty; the value goes as it is.
void addWhenNotEmpty(QByteArray &request, const char *key, const QByteArray &value);

} // namespace RequestText
