#pragma once

#include <QByteArray>
#include <QList>

class TIni;

// The export column list both output settings files keep under "Par01",
// "Par02" ... in section "SET": catalogue entries or "#" + a custom text.
namespace LabelColumnList {

// Reads "Par01" to "Par" + maxColumns; empty keys are skipped, so the list closes up.
QList<QByteArray> load(TIni &ini, int maxColumns);

// Writes every key up to "Par" + maxColumns (empty beyond the list; a longer
// list keeps its first maxColumns) and stops at the first write that fails.
bool store(TIni &ini, const QList<QByteArray> &columns, int maxColumns);

} // namespace LabelColumnList

// "#" + the text without the blanks and control characters around it, or an
// empty text when nothing else is left.
QByteArray customTextEntry(const QByteArray &typed);
