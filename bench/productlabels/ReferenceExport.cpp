// The bare reference for the export: bar1.dbf read through shapelib and the
// same 25 columns written by hand into a buffer that goes to the file in
// large blocks.
#include "BenchColumns.h"
#include "References.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <shapefil.h>
#include <string>
#include <vector>

namespace {
void put(std::string &line, const char *value, size_t length, int width, bool fixedWidth)
{
    if (!fixedWidth) {
        line.append(value, length).push_back(',');
        return;
    }
    const size_t w = size_t(width);
    if (length >= w) {
        line.append(value, w);
    } else {
        line.append(value, length).append(w - length, ' ');
    }
}

size_t number(char *buffer, double value)
{
    const int written = std::snprintf(buffer, 32, "%.15g", value);
    return written > 0 ? size_t(written) : 0;
}
} // namespace

long long referenceExport(const char *dbfPath, const char *textPath, bool fixedWidth, const QList<BenchColumn> &columns,
                          const char *today)
{
    DBFHandle dbf = DBFOpen(dbfPath, "rb");
    if (!dbf) {
        return -1;
    }
    std::FILE *out = std::fopen(textPath, "wb");
    if (!out) {
        DBFClose(dbf);
        return -1;
    }
    std::vector<int> fieldOf;
    for (const BenchColumn &column : columns) {
        fieldOf.push_back(*column.field ? DBFGetFieldIndex(dbf, column.field) : -1);
    }
    const int barcode = DBFGetFieldIndex(dbf, "BARCODE");
    const int quan = DBFGetFieldIndex(dbf, "QUAN");
    const int price = DBFGetFieldIndex(dbf, "PRICE");

    std::string buffer;
    buffer.reserve(1 << 21);
    char digits[40];
    long long lines = 0;
    const int records = DBFGetRecordCount(dbf);
    for (int record = 0; record < records; ++record) {
        if (DBFIsRecordDeleted(dbf, record) || !*DBFReadStringAttribute(dbf, record, barcode)) {
            continue;
        }
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const BenchColumn &column = columns[c];
            const int field = fieldOf[size_t(c)];
            switch (column.kind) {
            case BenchColumn::Text: {
                const char *text = DBFReadStringAttribute(dbf, record, field);
                put(buffer, text, std::strlen(text), column.width, fixedWidth);
                break;
            }
            case BenchColumn::Number: {
                const size_t length = DBFIsAttributeNULL(dbf, record, field)
                                          ? 0
                                          : number(digits, DBFReadDoubleAttribute(dbf, record, field));
                put(buffer, digits, length, column.width, fixedWidth);
                break;
            }
            case BenchColumn::SpecialOrListPrice:
            case BenchColumn::SpecialPrice: {
                const double member = DBFReadDoubleAttribute(dbf, record, field);
                digits[0] = '$';
                size_t length = 0;
                if (std::nearbyint(member) != 0) {
                    length = 1 + number(digits + 1, member);
                } else if (column.kind == BenchColumn::SpecialOrListPrice) {
                    length = 1 + number(digits + 1, DBFReadDoubleAttribute(dbf, record, price));
                }
                put(buffer, digits, length, column.width, fixedWidth);
                break;
            }
            case BenchColumn::Today:
                put(buffer, today, std::strlen(today), column.width, fixedWidth);
                break;
            case BenchColumn::Custom:
                buffer.append(column.entry + 1);
                if (!fixedWidth) {
                    buffer.push_back(',');
                }
                break;
            }
        }
        buffer.append(digits, number(digits, DBFReadDoubleAttribute(dbf, record, quan))).append("\r\n");
        ++lines;
        if (buffer.size() >= (1 << 20)) {
            std::fwrite(buffer.data(), 1, buffer.size(), out);
            buffer.clear();
        }
    }
    std::fwrite(buffer.data(), 1, buffer.size(), out);
    std::fclose(out);
    DBFClose(dbf);
    return lines;
}
