#include "productlabels/widgets/OtherDocumentsImportDialog.h"

#include "components/Big5.h"
#include "components/widgets/DateEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

QRadioButton *kindChoice(DocumentKind kind, const char *objectName, int left, QGroupBox *group)
{
    auto *radio = new QRadioButton(QString::fromUtf8(documentKindTraits(kind).caption), group);
    radio->setObjectName(QLatin1String(objectName));
    radio->setGeometry(left, 20, 104, 22);
    return radio;
}

} // namespace

// The choices are made in their tab order, which is also their order on screen: A, D, B, C.
OtherDocumentsImportDialog::OtherDocumentsImportDialog(Prompts &prompts, const Clock &clock, QWidget *parent)
    : DocumentConditionsDialog(DocumentImport::Other, "TBar6SearchForm", prompts, parent)
    , kindGroup(new QGroupBox(QStringLiteral("單據來源"), this))
    , purchaseOrderRadio(kindChoice(DocumentKind::PurchaseOrder, "RadioButton1", 8, kindGroup))
    , storeSaleRadio(kindChoice(DocumentKind::StoreSale, "RadioButton4", 112, kindGroup))
    , wholesaleRadio(kindChoice(DocumentKind::WholesaleShipment, "RadioButton2", 216, kindGroup))
    , consignmentRadio(kindChoice(DocumentKind::ConsignmentShipment, "RadioButton3", 320, kindGroup))
    , registerEdit(textField("mach_no", DocumentFieldBytes::cashRegister))
    , lastReceiptCheck(new QCheckBox(QStringLiteral("取收銀台最後單號"), this))
{
    lastReceiptCheck->setObjectName(QStringLiteral("CheckBox1"));
    startDateEdit->setTodayOnDoubleClick(&clock);
    endDateEdit->setTodayOnDoubleClick(&clock);
    auto *todayHint = new QLabel(QStringLiteral("今日(雙擊滑鼠)"), this);
    layOut({{QString(), kindGroup, 422, nullptr, QString(), 50},
            {QStringLiteral("打單 - 店名"), branchBox, 110},
            {QStringLiteral("起始單號"), startNumberEdit, 150},
            {QStringLiteral("截止單號"), endNumberEdit, 150},
            {QStringLiteral("機台"), registerEdit, 60},
            {QString(), lastReceiptCheck, 300},
            {QStringLiteral("起始日期"), startDateEdit, 110, todayHint},
            {QStringLiteral("截止日期"), endDateEdit, 110},
            {QStringLiteral("價格 - 店名"), priceBranchBox, 110}},
           QStringLiteral("數量: 依[單據]數量"));
}

QRadioButton *OtherDocumentsImportDialog::kindRadio(DocumentKind kind) const
{
    QRadioButton *const byKind[] = {purchaseOrderRadio, wholesaleRadio, consignmentRadio, storeSaleRadio};
    return byKind[int(kind)];
}

void OtherDocumentsImportDialog::resetOwnFields()
{
    registerEdit->clear();
    lastReceiptCheck->setChecked(false);
    purchaseOrderRadio->setChecked(true);
}

QWidget *OtherDocumentsImportDialog::firstField() const
{
    return purchaseOrderRadio;
}

void OtherDocumentsImportDialog::addOwnConditions(DocumentConditions &conditions) const
{
    for (const DocumentKind kind : documentKinds) {
        if (kindRadio(kind)->isChecked()) {
            conditions.kind = kind;
        }
    }
    conditions.mach_no = Big5::encode(registerEdit->text()).bytes;
    conditions.lastReceipt = lastReceiptCheck->isChecked();
}
