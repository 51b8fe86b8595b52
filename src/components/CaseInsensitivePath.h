#pragma once

#include <QString>

// Settings files are addressed by upper-cased names (as on Windows, where case
// does not matter). On a case-sensitive file system each part of such a path is
// matched to what is on disk: the part as spelled when it exists, else an entry
// of the same name in another case (the first in name order). From the first
// part that matches nothing on, the path keeps the given spelling, so a new
// file is created under the name the caller wrote.
QString resolveCaseInsensitive(const QString &path);
