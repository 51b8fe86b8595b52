#pragma once

#include <QString>

// Opens programDir/page (programDir without a trailing separator) in the
// desktop's viewer for it. Nothing is shown when that fails.
void OpenHelpPage(const QString &programDir, const QString &page);
