#include "productlabels/widgets/PurchaseImportDialog.h"

#include "components/Big5.h"
#include "components/widgets/DateEdit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

PurchaseImportDialog::PurchaseImportDialog(Prompts &prompts, QWidget *parent)
    : DocumentConditionsDialog(DocumentImport::Purchase, "TBar2SearchForm", prompts, parent)
    , supplierEdit(textField("CUST_NO", DocumentFieldBytes::supplier))
    , sourceGroup(new QGroupBox(QStringLiteral("單據來源"), this))
    , receiptRadio(new QRadioButton(QStringLiteral("進貨"), sourceGroup))
    , consignmentRadio(new QRadioButton(QStringLiteral("寄賣進貨"), sourceGroup))
{
    receiptRadio->setObjectName(QStringLiteral("RadioButton1"));
    consignmentRadio->setObjectName(QStringLiteral("RadioButton2"));
    receiptRadio->setGeometry(16, 20, 100, 22);
    consignmentRadio->setGeometry(136, 20, 120, 22);
    receiptRadio->setChecked(true);
    layOut({{QStringLiteral("進貨-店名"), branchBox, 110},
            {QStringLiteral("進貨單號"), startNumberEdit, 150, endNumberEdit, QStringLiteral("至")},
            {QStringLiteral("進貨日期"), startDateEdit, 110, endDateEdit, QStringLiteral("至")},
            {QStringLiteral("廠商代號"), supplierEdit, 110},
            {QStringLiteral("價格-店名"), priceBranchBox, 110},
            {QString(), sourceGroup, 300, nullptr, QString(), 50}},
           QStringLiteral("數量: 依進貨數量"));
}

void PurchaseImportDialog::resetOwnFields()
{
    supplierEdit->clear();
}

void PurchaseImportDialog::addOwnConditions(DocumentConditions &conditions) const
{
    conditions.cust_no = Big5::encode(supplierEdit->text()).bytes;
    conditions.consignment = consignmentRadio->isChecked();
}
