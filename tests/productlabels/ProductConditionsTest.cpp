#include "productlabels/ProductConditions.h"

#include <gtest/gtest.h>

namespace {
const LinkSettings ownA{"127.0.0.1", "A", "pw"};
const LinkSettings own01{"127.0.0.1", "01", "pw"};
const ExpansionValues noExpansion;
const QByteArray noExpansionKeys = "&c14=&c14a=&s14=&s14a=";
} // namespace

TEST(ProductConditions, okTrimsTheNineFieldsAndAsksWhenAllAreEmpty)
{
    struct Case {
        const char *name;
        ProductConditions conditions;
        ProductConditionsCheck expected;
    } cases[] = {
        {"nothing typed", {}, ProductConditionsCheck::AskImportAll},
        {"blanks only are no condition",
         {"", " ", "\t", "  ", " ", "", "", "  ", " ", " \t "},
         ProductConditionsCheck::AskImportAll},
        {"branch box, stock quantity and count are no conditions",
         {"02", "", "", "", "", "", "", "", "", "", true, 5},
         ProductConditionsCheck::AskImportAll},
        {"one code", {"", "", " 1001 ", "", "", "", "", "", "", ""}, ProductConditionsCheck::Accept},
        {"size alone", {"", "", "", "", "", "", "", "", "", "XL "}, ProductConditionsCheck::Accept},
    };
    for (Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(checkProductConditions(c.conditions), c.expected);
    }

    ProductConditions typed{" 02 ", " G1 ", "  1001", "1002  ", " 47 ", "\tC", "K ", " S", " 紅 ", " L "};
    checkProductConditions(typed);
    const ProductConditions trimmed{" 02 ", "G1", "1001", "1002", "47", "C", "K", "S", "紅", "L"};
    for (auto field : {&ProductConditions::priceBranch, &ProductConditions::item1, &ProductConditions::sitem,
                       &ProductConditions::eitem, &ProductConditions::barcode, &ProductConditions::cate_no,
                       &ProductConditions::kind_no, &ProductConditions::supp_no, &ProductConditions::color,
                       &ProductConditions::sizes}) {
        EXPECT_EQ(typed.*field, trimmed.*field);
    }
}

TEST(ProductConditions, requestChoosesTheBranchAndSendsOnlyFilledConditions)
{
    ProductConditions all{"", "G1", "1001", "1009", "471", "C1", "K1", "S1", "\xac\xf5", "L"};
    all.isquan = true;
    ProductConditions startOnly;
    startOnly.sitem = "1001";
    ProductConditions isquanOnly;
    isquanOnly.isquan = true;
    const ExpansionValues expanded{"Y", "/", "C", "-"};

    struct Case {
        const char *name;
        ProductConditions conditions;
        LinkSettings link;
        QByteArray priceBranch;
        ExpansionValues expansion;
        QByteArray expected;
    } cases[] = {
        {"own A, branch box B", startOnly, ownA, "B", noExpansion,
         "bran_no=B&link_pass=pw&sitem=1001" + noExpansionKeys},
        {"own A, branch box empty", startOnly, ownA, "", noExpansion,
         "bran_no=A&link_pass=pw&sitem=1001" + noExpansionKeys},
        {"own A, branch box A", startOnly, ownA, "A", noExpansion,
         "bran_no=A&link_pass=pw&sitem=1001" + noExpansionKeys},
        {"own 01, branch box B", startOnly, own01, "B", noExpansion,
         "bran_no=01&link_pass=pw&sitem=1001" + noExpansionKeys},
        {"no condition: branch, password, isquan and the expansion keys", isquanOnly, own01, "", noExpansion,
         "bran_no=01&link_pass=pw&isquan=Y" + noExpansionKeys},
        {"every key in its place", all, own01, "", expanded,
         "bran_no=01&link_pass=pw&item1=G1&sitem=1001&eitem=1009&barcode=471&cate_no=C1&kind_no=K1&supp_no=S1"
         "&isquan=Y&color=\xac\xf5&sizes=L&c14=Y&c14a=/&s14=C&s14a=-"},
    };
    for (Case &c : cases) {
        SCOPED_TRACE(c.name);
        c.conditions.priceBranch = c.priceBranch;
        EXPECT_EQ(productImportRequest(c.conditions, c.link, c.expansion), c.expected);
    }
}
