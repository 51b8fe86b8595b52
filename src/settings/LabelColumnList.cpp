#include "settings/LabelColumnList.h"

#include "components/TIni.h"
#include "components/TextHelpers.h"

namespace {

QByteArray columnKey(int number)
{
    return QByteArrayLiteral("Par") + ZeroPad(2, number);
}

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

namespace LabelColumnList {

QList<QByteArray> load(TIni &ini, int maxColumns)
{
    QList<QByteArray> columns;
    ini.setDataType(DsString);
    for (int number = 1; number <= maxColumns; ++number) {
        ini.setIdent(columnKey(number));
        if (ini.ReadValue()) {
            const QByteArray entry = ini.Value().toByteArray();
            if (!entry.isEmpty()) {
                columns.append(entry);
            }
        }
    }
    return columns;
}

bool store(TIni &ini, const QList<QByteArray> &columns, int maxColumns)
{
    ini.setDataType(DsString);
    for (int number = 1; number <= maxColumns; ++number) {
        ini.setIdent(columnKey(number));
        ini.setValue(number <= columns.size() ? columns.at(number - 1) : QByteArray());
        if (!ini.WriteValue()) {
            return false;
        }
    }
    return true;
}

} // namespace LabelColumnList

QByteArray customTextEntry(const QByteArray &typed)
{
    // Only single bytes can be blanks: the second byte of a Big5 character is
    // never below 0x40, so trimming bytes never splits a character.
    qsizetype from = 0;
    qsizetype to = typed.size();
    while (from < to && isBlank(typed[from])) {
        ++from;
    }
    while (to > from && isBlank(typed[to - 1])) {
        --to;
    }
    if (from == to) {
        return {};
    }
    return '#' + typed.sliced(from, to - from);
}
