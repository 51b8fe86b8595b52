#pragma once

#include "exchange/LinkSettings.h"
#include "settings/ProductOutputSettings.h"

#include <QByteArray>
#include <QString>

// What the product import's conditions dialog holds when OK is pressed. Texts
// are Big5 bytes as typed; the OK check trims the nine condition fields.
struct ProductConditions {
    QByteArray priceBranch; // text of the branch box "價格-店名"
    QByteArray item1;       // "群組貨號"
    QByteArray sitem;       // "產品代號"
    QByteArray eitem;       // "至"
    QByteArray barcode;
    QByteArray cate_no;
    QByteArray kind_no;
    QByteArray supp_no;
    QByteArray color;
    QByteArray sizes;
    bool isquan = false; // use the stock quantity of each product as its label count
    double count = 1;    // the label count for every row when isquan is off
};

// What OK does with the conditions.
enum class ProductConditionsCheck {
    Accept,
    // Nothing to select by: the dialog asks importAllQuestion and accepts on
    // Yes; on No it stays open with the focus on item1.
    AskImportAll,
};

inline constexpr char importAllQuestion[] = "未輸入任何條件,引入全部商品(須耐心等候),繼續嗎 ?";

// Trims the blanks around item1, sitem, eitem, barcode, cate_no, kind_no,
// supp_no, color and sizes (in that order, written back so the dialog shows
// them trimmed); any of them non-empty accepts. The branch box, isquan and the
// count are no conditions.
ProductConditionsCheck checkProductConditions(ProductConditions &conditions);

// The request of "qelvoitemseek.php": the branch (the typed price branch only
// for the own code "A", and only when it is neither empty nor "A"), the link
// password, each condition that is not empty, "&isquan=Y" when ticked, then
// colour, size and the four expansion keys, whatever their values.
QByteArray productImportRequest(const ProductConditions &conditions, const LinkSettings &link,
                                const ExpansionValues &expansion);
