#pragma once

#include "productlabels/widgets/DocumentConditionsDialog.h"

class Clock;
class QCheckBox;
class QGroupBox;
class QRadioButton;

// The document import's conditions ("其他資料引入"): the document kind,
// issuing branch, numbers, cash register and its last receipt, dates (a
// double-click puts today's date in) and price branch. Every showing starts
// again from a purchase order without the last receipt.
class OtherDocumentsImportDialog : public DocumentConditionsDialog
{
    Q_OBJECT

public:
    explicit OtherDocumentsImportDialog(Prompts &prompts, const Clock &clock, QWidget *parent = nullptr);

    QRadioButton *kindRadio(DocumentKind kind) const;

    QGroupBox *const kindGroup;
    QRadioButton *const purchaseOrderRadio;
    QRadioButton *const storeSaleRadio;
    QRadioButton *const wholesaleRadio;
    QRadioButton *const consignmentRadio;
    QLineEdit *const registerEdit;
    QCheckBox *const lastReceiptCheck;

protected:
    void resetOwnFields() override;
    void addOwnConditions(DocumentConditions &conditions) const override;
    QWidget *firstField() const override;
};
