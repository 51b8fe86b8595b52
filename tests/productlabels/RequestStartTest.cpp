#include "productlabels/RequestStart.h"

#include <gtest/gtest.h>

TEST(RequestStart, eachImportPutsTheBranchChoiceInItsOwnKeys)
{
    const LinkSettings storeA{"", "A", "pw"};
    const LinkSettings store01{"", "01", "pw"};
    const struct {
        const char *name;
        QByteArray request;
        QByteArray expected;
    } cases[] = {
        {"product, A picks 02", RequestStart::productImport(storeA, "02"), "bran_no=02&link_pass=pw"},
        {"product, A leaves A", RequestStart::productImport(storeA, "A"), "bran_no=A&link_pass=pw"},
        {"product, A clears the box", RequestStart::productImport(storeA, ""), "bran_no=A&link_pass=pw"},
        {"product, 01 types 02", RequestStart::productImport(store01, "02"), "bran_no=01&link_pass=pw"},
        {"purchase, both chosen", RequestStart::purchaseImport(storeA, "01", "02"),
         "bran_no=A&link_pass=pw&mbran=01&cbran=02"},
        {"purchase, price branch empty", RequestStart::purchaseImport(store01, "01", ""),
         "bran_no=01&link_pass=pw&mbran=01&cbran="},
        {"transfer-out, both always", RequestStart::transferOutImport(store01, "", ""),
         "bran_no=01&link_pass=pw&mbran=&cbran="},
        {"stock-take, chosen", RequestStart::stockTakeImport(storeA, "02"), "bran_no=A&link_pass=pw&mbran=02"},
        {"stock-take, none", RequestStart::stockTakeImport(storeA, ""), "bran_no=A&link_pass=pw"},
        {"document", RequestStart::documentImport(storeA, "&kind=D", "01", "02"),
         "bran_no=A&link_pass=pw&kind=D&mbran=01&cbran=02"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.request, c.expected);
    }
}
