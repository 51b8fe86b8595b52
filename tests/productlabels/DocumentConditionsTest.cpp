#include "productlabels/DocumentConditions.h"

#include <gtest/gtest.h>

namespace {

using Action = DocumentConditionsCheck::Action;

struct Case {
    const char *name;
    DocumentConditions conditions;
    Action action;
    QString message;
    ConditionField field = ConditionField::StartNumber;
};

DocumentConditions with(const std::function<void(DocumentConditions &)> &fill)
{
    DocumentConditions conditions;
    conditions.mbran = "01";
    fill(conditions);
    return conditions;
}

void expectChecks(DocumentImport import, const std::vector<Case> &cases)
{
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const DocumentConditionsCheck check = checkDocumentConditions(import, c.conditions);
        EXPECT_EQ(int(check.action), int(c.action));
        EXPECT_EQ(check.message, c.message);
        if (c.action != Action::Accept) {
            EXPECT_EQ(int(check.field), int(c.field));
        }
    }
}

const QString malformedDate = QStringLiteral("日期格式錯誤 !!");
const QString noBranch = QStringLiteral("分店代號不可空白!!");
const QString noCondition = QStringLiteral("請給予任一條可!!");

} // namespace

TEST(DocumentConditionsCheck, otherDocumentsRunTheirChecksInOrder)
{
    const QString salesOnly = QStringLiteral("若要取最後單號,請點選門市銷售單!!");
    const QString needsRegister = QStringLiteral("取最後單號必需輸入機台!!");
    const QString narrowSales = QStringLiteral("請縮小範圍：輸入單號或日期或機台!!");
    const QString narrow = QStringLiteral("請縮小範圍：輸入單號或日期!!");
    expectChecks(DocumentImport::Other, {
                                            {"a malformed date comes before everything", with([](auto &c) {
                                                 c.mbran.clear();
                                                 c.sdat = "2024/02/30";
                                                 c.lastReceipt = true;
                                             }),
                                             Action::Refuse, malformedDate, ConditionField::StartDate},
                                            {"a malformed end date", with([](auto &c) { c.edat = "2024/13/01"; }),
                                             Action::Refuse, malformedDate, ConditionField::EndDate},
                                            {"empty branch before the register rules", with([](auto &c) {
                                                 c.mbran.clear();
                                                 c.mach_no = "01";
                                                 c.lastReceipt = true;
                                             }),
                                             Action::Refuse, noBranch, ConditionField::Branch},
                                            {"kind A, register, last receipt", with([](auto &c) {
                                                 c.mach_no = "01";
                                                 c.lastReceipt = true;
                                                 c.sb_no = "X";
                                             }),
                                             Action::Refuse, salesOnly},
                                            {"kind D, last receipt without register", with([](auto &c) {
                                                 c.kind = DocumentKind::StoreSale;
                                                 c.mach_no = "  ";
                                                 c.lastReceipt = true;
                                                 c.sb_no = "X";
                                             }),
                                             Action::Refuse, needsRegister},
                                            {"kind B, last receipt without register", with([](auto &c) {
                                                 c.kind = DocumentKind::WholesaleShipment;
                                                 c.lastReceipt = true;
                                             }),
                                             Action::Refuse, needsRegister},
                                            {"kind D, nothing", with([](auto &c) { c.kind = DocumentKind::StoreSale; }),
                                             Action::Refuse, narrowSales},
                                            {"kind B, a register alone does not narrow", with([](auto &c) {
                                                 c.kind = DocumentKind::WholesaleShipment;
                                                 c.mach_no = "01";
                                             }),
                                             Action::Refuse, narrow},
                                            {"kind C, blanks are no number", with([](auto &c) {
                                                 c.kind = DocumentKind::ConsignmentShipment;
                                                 c.sb_no = "  ";
                                                 c.eb_no = " ";
                                             }),
                                             Action::Refuse, narrow},
                                            {"kind D, a register alone", with([](auto &c) {
                                                 c.kind = DocumentKind::StoreSale;
                                                 c.mach_no = "01";
                                             }),
                                             Action::Confirm, QStringLiteral("引入門市銷售單,對嗎 ?")},
                                            {"kind A, a start date", with([](auto &c) { c.sdat = "2024/03/01"; }),
                                             Action::Confirm, QStringLiteral("引入廠商採購單,對嗎 ?")},
                                            {"kind B, an end number", with([](auto &c) {
                                                 c.kind = DocumentKind::WholesaleShipment;
                                                 c.eb_no = "W9";
                                             }),
                                             Action::Confirm, QStringLiteral("引入批發出貨單,對嗎 ?")},
                                            {"kind C, an end date", with([](auto &c) {
                                                 c.kind = DocumentKind::ConsignmentShipment;
                                                 c.edat = "2024/04/30";
                                             }),
                                             Action::Confirm, QStringLiteral("引入寄賣出貨單,對嗎 ?")},
                                            {"kind D, last receipt of a register", with([](auto &c) {
                                                 c.kind = DocumentKind::StoreSale;
                                                 c.mach_no = "01";
                                                 c.lastReceipt = true;
                                             }),
                                             Action::Confirm, QStringLiteral("引入門市銷售單,對嗎 ?")},
                                        });
}

TEST(DocumentConditionsCheck, receiptsSheetsAndTransfersNeedABranchAndOneCondition)
{
    const std::vector<Case> shared = {
        {"malformed start date", with([](auto &c) { c.sdat = "2024/03/5 "; }), Action::Refuse, malformedDate,
         ConditionField::StartDate},
        {"no branch", with([](auto &c) {
             c.mbran.clear();
             c.sb_no = "X";
         }),
         Action::Refuse, noBranch, ConditionField::Branch},
        {"nothing", with([](auto &) {}), Action::Refuse, noCondition},
        {"blanks only", with([](auto &c) { c.sb_no = "  "; }), Action::Refuse, noCondition},
        {"an end number", with([](auto &c) { c.eb_no = "X"; }), Action::Accept, QString()},
        {"a start date", with([](auto &c) { c.sdat = "2024/03/05"; }), Action::Accept, QString()},
        {"an end date", with([](auto &c) { c.edat = "2024/02/29"; }), Action::Accept, QString()},
    };
    for (const DocumentImport import :
         {DocumentImport::Purchase, DocumentImport::StockTake, DocumentImport::TransferOut}) {
        SCOPED_TRACE(documentImportTraits(import).script);
        expectChecks(import, shared);
        const bool supplierCounts = import == DocumentImport::Purchase;
        expectChecks(import,
                     {{"a supplier", with([](auto &c) { c.cust_no = "S001"; }),
                       supplierCounts ? Action::Accept : Action::Refuse, supplierCounts ? QString() : noCondition}});
    }
}

TEST(DocumentConditionsCheck, everyImportHasACompletionMessageTheStoreSaleIncluded)
{
    EXPECT_EQ(documentImportDoneMessage(DocumentImport::Purchase, DocumentKind::StoreSale),
              QStringLiteral("進貨資料引入完成"));
    EXPECT_EQ(documentImportDoneMessage(DocumentImport::StockTake, DocumentKind::PurchaseOrder),
              QStringLiteral("盤點資料引入完成"));
    EXPECT_EQ(documentImportDoneMessage(DocumentImport::TransferOut, DocumentKind::PurchaseOrder),
              QStringLiteral("調撥出庫資料引入完成"));
    const std::pair<DocumentKind, QString> kinds[] = {
        {DocumentKind::PurchaseOrder, QStringLiteral("廠商採購資料引入完成")},
        {DocumentKind::WholesaleShipment, QStringLiteral("客戶批發出貨引入完成")},
        {DocumentKind::ConsignmentShipment, QStringLiteral("客戶寄賣出貨引入完成")},
        {DocumentKind::StoreSale, QStringLiteral("門市銷售資料引入完成")},
    };
    for (const auto &[kind, message] : kinds) {
        EXPECT_EQ(documentImportDoneMessage(DocumentImport::Other, kind), message);
    }
}
