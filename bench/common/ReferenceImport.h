#pragma once

#include "labelqueue/DbfHeader.h"

#include <QByteArray>
#include <QList>

// The bare reference for an import: a saved reply read from a file and its
// records written to a new table with fields through shapelib alone, without
// checks, messages or HTTP. Reply position n goes to the field named
// replyNames[n]. Records written, or -1 when a file could not be opened.
long long referenceImport(const char *replyPath, const char *dbfPath, const QList<DbfFieldSpec> &fields,
                          const QList<QByteArray> &replyNames);
