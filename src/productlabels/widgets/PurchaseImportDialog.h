#pragma once

#include "productlabels/widgets/DocumentConditionsDialog.h"

class QGroupBox;
class QRadioButton;

// The purchase import's conditions ("進貨資料查詢"): receiving branch,
// receipt numbers and dates, supplier, price branch and the source, ordinary
// or consignment receipts, which stays as chosen from one import to the next.
class PurchaseImportDialog : public DocumentConditionsDialog
{
    Q_OBJECT

public:
    explicit PurchaseImportDialog(Prompts &prompts, QWidget *parent = nullptr);

    QLineEdit *const supplierEdit;
    QGroupBox *const sourceGroup;
    QRadioButton *const receiptRadio;
    QRadioButton *const consignmentRadio;

protected:
    void resetOwnFields() override;
    void addOwnConditions(DocumentConditions &conditions) const override;
};
