#pragma once

#include <QByteArray>

#include <array>

// The order of the values in one record of a product import reply: the value
// at position n goes to the queue field named at n. QUAN (position 0) and the
// five price and count fields are numbers; the rest are texts.
namespace ProductReplyFields {

constexpr int count = 37;

enum Position {
    QUAN = 0,
    ITEM_NO,
    BARCODE,
    ITEM_NAME,
    COLOR,
    SIZES,
    UNIT,
    PRICE,
    MEMBER,
    SUPP_NO,
    CUST_ABBR,
    ITEM1,
    NOTES,
    BUYDAT,
    BUYDAT1,
    BUYDAT2,
    C_ITEM,
    S_ITEM,
    KIND_NAME,
    CATE_NAME,
    NOTEA1,
    NOTEA10 = NOTEA1 + 9,
    LPRICE,
    CASH1,
    ENG_COLOR,
    ENG_NAME,
    SUPP_INO,
    SUPP_NAME,
    UNIT_Q,
};
static_assert(UNIT_Q == count - 1);

// "QUAN", "ITEM_NO", … "UNIT_Q".
const std::array<QByteArray, count> &names();
bool isNumeric(int position);

} // namespace ProductReplyFields
