// The bare reference for the import: a saved reply read from a file and its
// records written to a new bar1.dbf through shapelib alone, without checks,
// messages or HTTP. Only the field list is shared with the program.
#include "References.h"
#include "productlabels/ProductQueueTable.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <shapefil.h>
#include <vector>

long long referenceImport(const char *replyPath, const char *dbfPath)
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
    const QList<DbfFieldSpec> &fields = ProductQueueTable::fields();
    for (const DbfFieldSpec &field : fields) {
        DBFAddField(dbf, field.name.constData(), field.type == DbfFieldType::Numeric ? FTDouble : FTString, field.width,
                    field.decimals);
    }
    // Reply position n goes to the field of the same name; NOTE2 and SYSDAT
    // have no position.
    std::vector<int> fieldOf;
    std::vector<bool> numeric;
    for (const DbfFieldSpec &field : fields) {
        if (field.name != "NOTE2" && field.name != "SYSDAT") {
            fieldOf.push_back(DBFGetFieldIndex(dbf, field.name.constData()));
            numeric.push_back(field.type == DbfFieldType::Numeric);
        }
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
