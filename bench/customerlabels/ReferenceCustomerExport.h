#pragma once

// The bare reference for the customer export: bar2.DBF read through shapelib
// and every catalogue column with the custom text "VIP" written by hand into
// a buffer that goes to the file in large blocks (no rename, no sync).
// Lines written, or -1.
long long referenceCustomerExport(const char *dbfPath, const char *textPath, bool fixedWidth);
