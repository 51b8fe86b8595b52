#pragma once

#include <QList>

struct BenchColumn;

// Lines written, or -1. A plain buffered writer: no rename, no sync.
long long referenceExport(const char *dbfPath, const char *textPath, bool fixedWidth, const QList<BenchColumn> &columns,
                          const char *today);
