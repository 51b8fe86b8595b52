#pragma once

#include "labelqueue/DbfHeader.h"
#include "labelqueue/QueueSide.h"

#include <QList>

struct BenchColumn;

// Records written, or -1 when a file could not be opened.
long long referenceImport(const char *replyPath, const char *dbfPath);
// The same into a table of fields: reply position n goes to the field named replyNames[n].
long long referenceImport(const char *replyPath, const char *dbfPath, const QList<DbfFieldSpec> &fields,
                          const QList<QByteArray> &replyNames);
// The names of the fields a side's reply values fill, in reply order.
QList<QByteArray> replyNames(const QueueSide &side);

// Lines written, or -1. A plain buffered writer: no rename, no sync.
long long referenceExport(const char *dbfPath, const char *textPath, bool fixedWidth, const QList<BenchColumn> &columns,
                          const char *today);
