#pragma once

#include <QByteArray>
#include <QString>

// The four imports that read documents into the product queue. They share one
// conditions frame (branches, a number range, a date range) and differ in a
// table's worth of fields, keys and checks.
enum class DocumentImport {
    Purchase,    // purchase receipts, "qelvobuyseek.php"
    StockTake,   // stock-take sheets, "qelvoinvi.php"
    TransferOut, // transfer-out notes, "qelvoallotseek.php"
    Other,       // orders, shipments and store sales, "qelvobuyoseek.php"
};

// The document kinds of the other-documents import, sent as "&kind=".
enum class DocumentKind {
    PurchaseOrder,       // A 廠商採購
    WholesaleShipment,   // B 客戶批發出貨
    ConsignmentShipment, // C 客戶寄賣出貨
    StoreSale,           // D 門市銷售單
};

inline constexpr DocumentKind documentKinds[] = {DocumentKind::PurchaseOrder, DocumentKind::WholesaleShipment,
                                                 DocumentKind::ConsignmentShipment, DocumentKind::StoreSale};

struct DocumentKindTraits {
    char code;                // 'A' to 'D'
    const char *caption;      // the choice's caption
    const char *confirmation; // asked before the request is sent
    const char *doneMessage;  // shown once the rows are stored
};
const DocumentKindTraits &documentKindTraits(DocumentKind kind);

// What sets the four imports apart.
struct DocumentImportTraits {
    const char *script;
    const char *title;       // the conditions dialog's caption
    const char *importName;  // names the import in its progress and when it breaks off
    const char *doneMessage; // the completion message; the other documents have one per kind
    bool priceBranch;        // a second branch list, sent as "&cbran="
    bool supplier;           // "&cust_no=" and the source choice "&is_buyc=" (purchase)
    bool kindsAndRegister;   // kinds, register "&mach_no=" and "&is_last=" (other documents)
};
const DocumentImportTraits &documentImportTraits(DocumentImport import);

QString documentImportDoneMessage(DocumentImport import, DocumentKind kind);

// The length limits in bytes of the dialogs' text fields.
namespace DocumentFieldBytes {
inline constexpr int branch = 8; // a branch code as the settings dialog takes it
inline constexpr int number = 12;
inline constexpr int supplier = 8;
inline constexpr int cashRegister = 4;
} // namespace DocumentFieldBytes

// What a document conditions dialog holds at OK. Texts are Big5 bytes as
// typed, never trimmed: the checks trim for themselves, the request sends
// them as they are. Dates are the date fields' ten characters.
struct DocumentConditions {
    QByteArray mbran; // the first branch list: receiving, counting, sending or issuing branch
    QByteArray cbran; // the price branch
    QByteArray sb_no;
    QByteArray eb_no;
    QByteArray sdat;
    QByteArray edat;
    QByteArray cust_no;       // purchase: supplier
    bool consignment = false; // purchase: "寄賣進貨" chosen instead of "進貨"
    DocumentKind kind = DocumentKind::PurchaseOrder;
    QByteArray mach_no;       // other documents: cash register
    bool lastReceipt = false; // other documents: "取收銀台最後單號"

    DocumentConditions();
};

// The controls an OK check sends the focus back to.
enum class ConditionField { Branch, StartNumber, StartDate, EndDate };

// What OK does, found by the dialog's checks in their order.
struct DocumentConditionsCheck {
    enum class Action {
        Accept,
        Refuse,  // show message, focus on field, stay open
        Confirm, // ask message (other documents); Yes accepts, anything else stays with the focus on field
    };
    Action action = Action::Accept;
    QString message;
    ConditionField field = ConditionField::StartNumber;
};

// The OK checks after the focused field has been left. A malformed date is
// refused first (the field cannot be left with one, and OK must not send
// one either), then an empty first branch, then the register rules of the
// other documents, then "nothing to select by"; the other documents end with
// the kind's confirmation.
DocumentConditionsCheck checkDocumentConditions(DocumentImport import, const DocumentConditions &conditions);
