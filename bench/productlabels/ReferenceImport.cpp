// The bare reference for an import: a saved reply read from a file and its
// records written to a new table through shapelib alone, without checks,
// messages or HTTP. Only the field lists are shared with the program.
#include "References.h"
#include "productlabels/ProductQueueTable.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <shapefil.h>
#include <vector>

long long referenceImport(const char *replyPath, const char *dbfPath, const QList<DbfFieldSpec> &fields,
                          const QList<QByteArray> &replyNames)
{
    std::FILE *in = std::fopen(replyPath, "rb");
    if (!in) {
        return -1;
    }
    std::fseek(in, 0, SEEK_END);
    const long size = std::ftell(in);
    std::fseek(in, 0, SEEK_SET);
    std::vector<char> body(size_t(size) + 1);
    const size_t read = std::fread(body.data(), 1, size_t(size), in);
    std::fclose(in);
    body[read] = '\0';

    DBFHandle dbf = DBFCreateEx(dbfPath, "LDID/120");
    if (!dbf) {
        return -1;
    }
    for (const DbfFieldSpec &field : fields) {
        DBFAddField(dbf, field.name.constData(), field.type == DbfFieldType::Numeric ? FTDouble : FTString, field.width,
                    field.decimals);
    }
    std::vector<int> fieldOf;
    std::vector<bool> numeric;
    for (const QByteArray &name : replyNames) {
        const int field = DBFGetFieldIndex(dbf, name.constData());
        fieldOf.push_back(field);
        numeric.push_back(DBFGetFieldInfo(dbf, field, nullptr, nullptr, nullptr) == FTDouble);
    }

    long long records = 0;
    size_t position = 0;
    bool firstLine = true;
    char *line = body.data();
    char *const end = body.data() + read;
    while (line < end) {
        char *next = static_cast<char *>(std::memchr(line, '\n', size_t(end - line)));
        char *lineEnd = next ? next : end;
        if (lineEnd > line && lineEnd[-1] == '\r') {
            --lineEnd;
        }
        *lineEnd = '\0';
        if (firstLine) {
            firstLine = false;
        } else if (std::strcmp(line, "EOT") == 0) {
            break;
        } else if (std::strcmp(line, "---------------------") == 0) {
            if (position > 0) {
                ++records;
            }
            position = 0;
        } else if (position < fieldOf.size()) {
            const int field = fieldOf[position];
            if (!numeric[position]) {
                DBFWriteStringAttribute(dbf, int(records), field, line);
            } else if (*line) {
                DBFWriteDoubleAttribute(dbf, int(records), field, std::atof(line));
            } else {
                DBFWriteNULLAttribute(dbf, int(records), field);
            }
            ++position;
        }
        line = next ? next + 1 : end;
    }
    DBFClose(dbf);
    return records;
}

QList<QByteArray> replyNames(const QueueSide &side)
{
    QList<QByteArray> names;
    for (const int field : side.replyFields) {
        names.append(side.fields.at(field).name);
    }
    return names;
}

long long referenceImport(const char *replyPath, const char *dbfPath)
{
    return referenceImport(replyPath, dbfPath, ProductQueueTable::fields(), replyNames(ProductQueueTable::side()));
}
