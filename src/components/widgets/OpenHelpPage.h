#pragma once

#include <QString>

// Opens programDir/page (programDir without a trailing separator) in the
// desktop's viewer for it. Returns why that failed (no such page, no viewer
// to open it), for the window to tell; empty once the viewer was started.
QString OpenHelpPage(const QString &programDir, const QString &page);
