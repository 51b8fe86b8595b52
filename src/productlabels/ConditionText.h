#pragma once

#include <QByteArray>

// What the imports' request builders and OK checks share about condition texts.
namespace ConditionText {

// Without blanks at either end, blanks as the dialogs' fields know them:
// spaces and control characters.
QByteArray trimmedBlanks(const QByteArray &text);

bool isGiven(const QByteArray &text);

// key + value, only when the value is not empty; the value goes as it is.
void addWhenNotEmpty(QByteArray &request, const char *key, const QByteArray &value);

} // namespace ConditionText
