#pragma once

#include <QByteArray>
#include <QList>

class ProfileFile;

// The export column list an output settings file keeps under "Par01",
// "Par02" ... in section "SET": catalogue entries or "#" + a custom text.
namespace LabelColumnList {

// Reads "Par01" to "Par" + maxColumns; empty keys are skipped, so the list closes up.
QList<QByteArray> load(ProfileFile &ini, int maxColumns);

// Writes every key up to "Par" + maxColumns (empty beyond the list; a longer
// list keeps its first maxColumns) and stops at the first write that fails.
bool store(ProfileFile &ini, const QList<QByteArray> &columns, int maxColumns);

} // namespace LabelColumnList
