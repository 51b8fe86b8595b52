#include "productlabels/DocumentConditions.h"

#include "components/DateFieldText.h"
#include "exchange/RequestText.h"

using RequestText::isGiven;

namespace {

const DocumentKindTraits kindTable[] = {
    {'A', "廠商採購", "引入廠商採購單,對嗎 ?", "廠商採購資料引入完成"},
    {'B', "客戶批發出貨", "引入批發出貨單,對嗎 ?", "客戶批發出貨引入完成"},
    {'C', "客戶寄賣出貨", "引入寄賣出貨單,對嗎 ?", "客戶寄賣出貨引入完成"},
    // The store sales receipt has no completion text of its own in the
    // design; it is told like the other kinds, so an import never ends silently.
    {'D', "門市銷售單", "引入門市銷售單,對嗎 ?", "門市銷售資料引入完成"},
};

const DocumentImportTraits importTable[] = {
    {"qelvobuyseek.php", "進貨資料查詢", "進貨資料引入", "進貨資料引入完成", true, true, false},
    {"qelvoinvi.php", "盤點資料查詢", "盤點資料引入", "盤點資料引入完成", false, false, false},
    {"qelvoallotseek.php", "調撥出庫資料", "調撥出庫資料引入", "調撥出庫資料引入完成", true, false, false},
    {"qelvobuyoseek.php", "其他資料引入", "其他資料引入", nullptr, true, false, true},
};

DocumentConditionsCheck refuse(const char *message, ConditionField field)
{
    return {DocumentConditionsCheck::Action::Refuse, QString::fromUtf8(message), field};
}

// Whether the conditions narrow the documents enough for the server.
bool hasRangeCondition(DocumentImport import, const DocumentConditions &conditions)
{
    const bool numbersOrDates = isGiven(conditions.sb_no) || isGiven(conditions.eb_no) ||
                                !DateFieldText::isBlank(conditions.sdat) || !DateFieldText::isBlank(conditions.edat);
    switch (import) {
    case DocumentImport::Purchase:
        return numbersOrDates || isGiven(conditions.cust_no);
    case DocumentImport::StockTake:
    case DocumentImport::TransferOut:
        return numbersOrDates;
    case DocumentImport::Other:
        // A register number narrows store sales only.
        return numbersOrDates || (conditions.kind == DocumentKind::StoreSale && isGiven(conditions.mach_no));
    }
    return numbersOrDates;
}

} // namespace

const DocumentKindTraits &documentKindTraits(DocumentKind kind)
{
    return kindTable[int(kind)];
}

const DocumentImportTraits &documentImportTraits(DocumentImport import)
{
    return importTable[int(import)];
}

QString documentImportDoneMessage(DocumentImport import, DocumentKind kind)
{
    const char *message = documentImportTraits(import).doneMessage;
    return QString::fromUtf8(message ? message : documentKindTraits(kind).doneMessage);
}

DocumentConditions::DocumentConditions()
    : sdat(DateFieldText::blank())
    , edat(DateFieldText::blank())
{}

DocumentConditionsCheck checkDocumentConditions(DocumentImport import, const DocumentConditions &conditions)
{
    if (DateFieldText::checkOnExit(conditions.sdat) == DateFieldText::Exit::Malformed) {
        return refuse(DateFieldText::malformedDateMessage, ConditionField::StartDate);
    }
    if (DateFieldText::checkOnExit(conditions.edat) == DateFieldText::Exit::Malformed) {
        return refuse(DateFieldText::malformedDateMessage, ConditionField::EndDate);
    }
    if (conditions.mbran.isEmpty()) {
        return refuse("分店代號不可空白!!", ConditionField::Branch);
    }
    const bool otherDocuments = import == DocumentImport::Other;
    const bool storeSale = conditions.kind == DocumentKind::StoreSale;
    if (otherDocuments && conditions.lastReceipt && isGiven(conditions.mach_no) && !storeSale) {
        return refuse("若要取最後單號,請點選門市銷售單!!", ConditionField::StartNumber);
    }
    if (otherDocuments && conditions.lastReceipt && !isGiven(conditions.mach_no)) {
        return refuse("取最後單號必需輸入機台!!", ConditionField::StartNumber);
    }
    if (!hasRangeCondition(import, conditions)) {
        if (!otherDocuments) {
            return refuse("請給予任一條可!!", ConditionField::StartNumber);
        }
        return refuse(storeSale ? "請縮小範圍：輸入單號或日期或機台!!" : "請縮小範圍：輸入單號或日期!!",
                      ConditionField::StartNumber);
    }
    if (otherDocuments) {
        return {DocumentConditionsCheck::Action::Confirm,
                QString::fromUtf8(documentKindTraits(conditions.kind).confirmation), ConditionField::StartNumber};
    }
    return {};
}
