#include "productlabels/ProductReplyFields.h"

namespace ProductReplyFields {

const std::array<QByteArray, count> &names()
{
    static const std::array<QByteArray, count> list = {
        "QUAN",      "ITEM_NO",  "BARCODE",   "ITEM_NAME", "COLOR",  "SIZES",   "UNIT",    "PRICE",
        "MEMBER",    "SUPP_NO",  "CUST_ABBR", "ITEM1",     "NOTES",  "BUYDAT",  "BUYDAT1", "BUYDAT2",
        "C_ITEM",    "S_ITEM",   "KIND_NAME", "CATE_NAME", "NOTEA1", "NOTEA2",  "NOTEA3",  "NOTEA4",
        "NOTEA5",    "NOTEA6",   "NOTEA7",    "NOTEA8",    "NOTEA9", "NOTEA10", "LPRICE",  "CASH1",
        "ENG_COLOR", "ENG_NAME", "SUPP_INO",  "SUPP_NAME", "UNIT_Q"};
    return list;
}

bool isNumeric(int position)
{
    switch (position) {
    case QUAN:
    case PRICE:
    case MEMBER:
    case LPRICE:
    case CASH1:
    case UNIT_Q:
        return true;
    default:
        return false;
    }
}

} // namespace ProductReplyFields
