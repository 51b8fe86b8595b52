#include "settings/LabelColumnList.h"

#include "components/ProfileFile.h"
#include "components/TextHelpers.h"

namespace {

QByteArray columnKey(int number)
{
    return QByteArrayLiteral("Par") + ZeroPad(2, number);
}

} // namespace

namespace LabelColumnList {

QList<QByteArray> load(ProfileFile &ini, int maxColumns)
{
    QList<QByteArray> columns;
    ini.setDataType(ProfileValueType::String);
    for (int number = 1; number <= maxColumns; ++number) {
        ini.setIdent(columnKey(number));
        if (ini.readValue()) {
            const QByteArray entry = ini.value().toByteArray();
            if (!entry.isEmpty()) {
                columns.append(entry);
            }
        }
    }
    return columns;
}

bool store(ProfileFile &ini, const QList<QByteArray> &columns, int maxColumns)
{
    ini.setDataType(ProfileValueType::String);
    for (int number = 1; number <= maxColumns; ++number) {
        ini.setIdent(columnKey(number));
        ini.setValue(number <= columns.size() ? columns.at(number - 1) : QByteArray());
        if (!ini.writeValue()) {
            return false;
        }
    }
    return true;
}

} // namespace LabelColumnList
