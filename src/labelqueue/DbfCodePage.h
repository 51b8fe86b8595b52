#pragma once

#include "labelqueue/DbfResult.h"

#include <QString>

// A table declares the encoding of its text by the code page byte of its
// header and, as GDAL and other shapefile tools write it, by a ".cpg" file
// beside it. The queues hold Big5: a table declaring Big5 (code page 950), or
// nothing at all (byte 0 and no ".cpg", as most tools write it), is read as
// Big5; one declaring anything else is refused, naming what it declares.
DbfStatus checkDeclaredCodePage(const QString &tablePath, quint8 codePageByte, const QString &displayName);
