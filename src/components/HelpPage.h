#pragma once

#include <QString>

#include <functional>

class QObject;

// Opens programDir/page (programDir without a trailing separator) with the
// desktop's opener, xdg-open, and tells done why that failed: no such page,
// no opener installed, or the opener's own failure (it exits with a status
// when it finds no viewer). done gets an empty text once the opener ended
// well, and is not called after context is gone. An opener still running
// after a minute is a viewer that kept the page open, so its end is not a
// failure of the opening.
void openHelpPage(const QString &programDir, const QString &page, QObject *context,
                  std::function<void(const QString &failure)> done);
