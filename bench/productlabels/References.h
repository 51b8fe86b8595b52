#pragma once

#include <QList>

struct BenchColumn;

// Records written, or -1 when a file could not be opened.
long long referenceImport(const char *replyPath, const char *dbfPath);

// Lines written, or -1. A plain buffered writer: no rename, no sync.
long long referenceExport(const char *dbfPath, const char *textPath, bool fixedWidth, const QList<BenchColumn> &columns,
                          const char *today);
