#include "ReferenceCustomerExport.h"

#include <cstdio>
#include <cstring>
#include <shapefil.h>
#include <string>

namespace {
// The catalogue's fields in catalogue order, at the widths the export writes.
const struct {
    const char *field;
    size_t width;
} columns[] = {{"BAR_NO", 20},   {"CUST_NO", 20}, {"CUST_NAME", 50}, {"CUST_COM", 100},
               {"CUST_TEL", 20}, {"MOBILE", 24},  {"CLUB_NO", 8},    {"CLUB_NAME", 20},
               {"ADDRESS", 100}, {"CARD_NO", 20}, {"POSTAL", 8}};
} // namespace

long long referenceCustomerExport(const char *dbfPath, const char *textPath, bool fixedWidth)
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
    int fieldOf[std::size(columns)];
    for (size_t c = 0; c < std::size(columns); ++c) {
        fieldOf[c] = DBFGetFieldIndex(dbf, columns[c].field);
    }
    const int barcode = DBFGetFieldIndex(dbf, "BAR_NO");
    const int quan = DBFGetFieldIndex(dbf, "QUAN");
    std::string buffer;
    buffer.reserve(1 << 21);
    char digits[40];
    long long lines = 0;
    const int records = DBFGetRecordCount(dbf);
    for (int record = 0; record < records; ++record) {
        if (DBFIsRecordDeleted(dbf, record) || !*DBFReadStringAttribute(dbf, record, barcode)) {
            continue;
        }
        for (size_t c = 0; c < std::size(columns); ++c) {
            const char *text = DBFReadStringAttribute(dbf, record, fieldOf[c]);
            const size_t length = std::strlen(text);
            if (!fixedWidth) {
                buffer.append(text, length).push_back(',');
            } else if (length >= columns[c].width) {
                buffer.append(text, columns[c].width);
            } else {
                buffer.append(text, length).append(columns[c].width - length, ' ');
            }
        }
        buffer.append(fixedWidth ? "VIP" : "VIP,");
        if (!DBFIsAttributeNULL(dbf, record, quan)) {
            const int written =
                std::snprintf(digits, sizeof digits, "%.15g", DBFReadDoubleAttribute(dbf, record, quan));
            buffer.append(digits, size_t(written > 0 ? written : 0));
        }
        buffer.append("\r\n");
        ++lines;
        if (buffer.size() >= (1u << 20)) {
            std::fwrite(buffer.data(), 1, buffer.size(), out);
            buffer.clear();
        }
    }
    std::fwrite(buffer.data(), 1, buffer.size(), out);
    const bool written = std::fclose(out) == 0;
    DBFClose(dbf);
    return written ? lines : -1;
}
