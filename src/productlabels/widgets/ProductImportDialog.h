#pragma once

#include "components/Prompts.h"
#include "exchange/BranchList.h"
#include "productlabels/ProductConditions.h"

#include <QByteArray>
#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class FocusMarkedButton;
class NumericEntryField;

// The product import's conditions ("產品資料引入"). Created once by the
// product label window: the colour, size and branch box keep their texts
// from one import to the next, resetFields resets the rest.
class ProductImportDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ProductImportDialog(Prompts &prompts, QWidget *parent = nullptr);

    // Accepted: false when shown, true after an OK that passed its checks.
    bool isAccepted() const { return accepted_; }

    // The branch box's list, refreshed before each import. The typed text
    // stays unless an entry is selected. The notice line under the buttons
    // says why the server offered none.
    void setBranchChoices(const BranchList::Choices &choices);

    // What the fields hold, texts as Big5 bytes (the fields admit nothing else).
    ProductConditions conditions() const;

    void scaleToScreen();
    void resetFields();
    void onOk();
    void onCancel();
    void onFirstItemLeft();

    // Each control's objectName is its design name (firstItemEdit is "SItem_NO").
    QComboBox *const priceBranchBox;
    QLineEdit *const groupItemEdit;
    QLineEdit *const firstItemEdit;
    QLineEdit *const lastItemEdit;
    QLineEdit *const barcodeEdit;
    QLineEdit *const categoryEdit;
    QLineEdit *const brandEdit;
    QLineEdit *const supplierEdit;
    QLineEdit *const colourEdit;
    QLineEdit *const sizesEdit;
    QCheckBox *const inStockOnlyCheck;
    NumericEntryField *const labelCountField;
    FocusMarkedButton *const okButton;
    FocusMarkedButton *const cancelButton;
    QLabel *const branchNotice;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layOut();
    void showTrimmed(const ProductConditions &trimmed);

    const std::unique_ptr<Prompts> prompts_;
    bool accepted_ = false;
};
