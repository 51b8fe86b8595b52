#include "productlabels/DocumentRequest.h"

#include <gtest/gtest.h>

namespace {

const LinkSettings headOffice{"", "A", "0000"};
const LinkSettings store01{"", "01", "1234"};
const ExpansionValues expansion{"Y", "/", "C", "-"};
const QByteArray expansionKeys = "&c14=Y&c14a=/&s14=C&s14a=-";

struct Case {
    const char *name;
    LinkSettings link;
    DocumentConditions conditions;
    QByteArray expected;
};

// Starts from the conditions a dialog holds right after showing.
DocumentConditions with(const std::function<void(DocumentConditions &)> &fill)
{
    DocumentConditions conditions;
    fill(conditions);
    return conditions;
}

void expectRequests(DocumentImport import, const std::vector<Case> &cases)
{
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(documentImportRequest(import, c.conditions, c.link, expansion), c.expected);
    }
}

} // namespace

TEST(DocumentRequest, purchaseSendsBothBranchesAlwaysAndTheSourceLast)
{
    expectRequests(DocumentImport::Purchase,
                   {
                       {"own A: A still in bran_no, chosen branches in their keys", headOffice, with([](auto &c) {
                            c.mbran = "02";
                            c.cbran = "01";
                            c.sb_no = "P1";
                            c.eb_no = "P9";
                        }),
                        "bran_no=A&link_pass=0000&mbran=02&cbran=01&sb_no=P1&eb_no=P9" + expansionKeys + "&is_buyc=N"},
                       {"own branch not listed: empty price branch still sent", store01, with([](auto &c) {
                            c.mbran = "01";
                            c.cust_no = "S001";
                            c.consignment = true;
                        }),
                        "bran_no=01&link_pass=1234&mbran=01&cbran=&cust_no=S001" + expansionKeys + "&is_buyc=Y"},
                       {"dates before numbers, untrimmed", store01, with([](auto &c) {
                            c.mbran = "01";
                            c.cbran = "01";
                            c.sb_no = "  ";
                            c.eb_no = " P2 ";
                            c.sdat = "2024/03/05";
                            c.edat = "2024/03/31";
                            c.cust_no = "S1 ";
                        }),
                        "bran_no=01&link_pass=1234&mbran=01&cbran=01&sdat=2024/03/05&edat=2024/03/31&sb_no=  "
                        "&eb_no= P2 &cust_no=S1 " +
                            expansionKeys + "&is_buyc=N"},
                       {"a half-typed date goes as typed, blanks included", store01, with([](auto &c) {
                            c.mbran = "01";
                            c.sdat = "2024/03/  ";
                        }),
                        "bran_no=01&link_pass=1234&mbran=01&cbran=&sdat=2024/03/  " + expansionKeys + "&is_buyc=N"},
                   });
}

TEST(DocumentRequest, stockTakeSendsItsBranchOnlyWhenChosenAndNoPriceBranch)
{
    expectRequests(DocumentImport::StockTake,
                   {
                       {"own A, branch 02", headOffice, with([](auto &c) {
                            c.mbran = "02";
                            c.sb_no = "B01";
                            c.cbran = "01";
                            c.cust_no = "S001";
                        }),
                        "bran_no=A&link_pass=0000&mbran=02&sb_no=B01" + expansionKeys},
                       {"no branch, only an end date", store01, with([](auto &c) { c.edat = "2024/04/30"; }),
                        "bran_no=01&link_pass=1234&edat=2024/04/30" + expansionKeys},
                   });
}

TEST(DocumentRequest, transferOutSendsBothBranchesAndNoSupplierOrSource)
{
    expectRequests(DocumentImport::TransferOut,
                   {
                       {"own A", headOffice, with([](auto &c) {
                            c.mbran = "A";
                            c.cbran = "02";
                            c.sdat = "2024/03/02";
                            c.edat = "2024/03/02";
                            c.consignment = true;
                        }),
                        "bran_no=A&link_pass=0000&mbran=A&cbran=02&sdat=2024/03/02&edat=2024/03/02" + expansionKeys},
                       {"price branch unpicked, only an end date", store01, with([](auto &c) {
                            c.mbran = "01";
                            c.edat = "2024/03/20";
                        }),
                        "bran_no=01&link_pass=1234&mbran=01&cbran=&edat=2024/03/20" + expansionKeys},
                   });
}

TEST(DocumentRequest, otherDocumentsSendTheKindFirstAndTheLastReceiptSwitchAlways)
{
    const auto kindAt01 = [](DocumentKind kind) {
        return with([kind](auto &c) {
            c.kind = kind;
            c.mbran = "01";
            c.cbran = "01";
            c.sb_no = "X1";
        });
    };
    const QByteArray tail = "&mbran=01&cbran=01&sb_no=X1&is_last=N" + expansionKeys;
    expectRequests(
        DocumentImport::Other,
        {
            {"kind A", store01, kindAt01(DocumentKind::PurchaseOrder), "bran_no=01&link_pass=1234&kind=A" + tail},
            {"kind B", store01, kindAt01(DocumentKind::WholesaleShipment), "bran_no=01&link_pass=1234&kind=B" + tail},
            {"kind C", store01, kindAt01(DocumentKind::ConsignmentShipment), "bran_no=01&link_pass=1234&kind=C" + tail},
            {"kind D, register only", store01, with([](auto &c) {
                 c.kind = DocumentKind::StoreSale;
                 c.mbran = "01";
                 c.mach_no = "01";
             }),
             "bran_no=01&link_pass=1234&kind=D&mbran=01&cbran=&mach_no=01&is_last=N" + expansionKeys},
            {"own A, last receipt within dates, untrimmed register", headOffice, with([](auto &c) {
                 c.kind = DocumentKind::StoreSale;
                 c.mbran = "02";
                 c.cbran = "A";
                 c.sdat = "2024/04/01";
                 c.mach_no = "02 ";
                 c.lastReceipt = true;
             }),
             "bran_no=A&link_pass=0000&kind=D&mbran=02&cbran=A&sdat=2024/04/01&mach_no=02 &is_last=Y" + expansionKeys},
        });
}
