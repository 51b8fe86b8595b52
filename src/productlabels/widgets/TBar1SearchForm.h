#pragma once

#include "components/Prompts.h"
#include "productlabels/ProductConditions.h"

#include <QByteArray>
#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class FocusMarkedButton;
class NumericEntryField;

// The product import's conditions ("產品資料引入"). Created once by the
// product label window: the colour, size and branch box keep their texts
// from one import to the next, FormShow resets the rest.
class TBar1SearchForm : public QDialog
{
    Q_OBJECT

public:
    explicit TBar1SearchForm(Prompts &prompts, QWidget *parent = nullptr);

    // Accepted: false when shown, true after an OK that passed its checks.
    bool isAccepted() const { return accepted_; }

    // The branch box's list, refreshed before each import. The typed text
    // stays unless an entry is selected.
    void setBranchChoices(const QList<QByteArray> &codes, qsizetype selected);

    // What the fields hold, texts as Big5 bytes (the fields admit nothing else).
    ProductConditions conditions() const;

    void FormCreate();
    void FormShow();
    void OkButtonClick();
    void CancelButtonClick();
    void SItem_NOExit();

    QComboBox *const ComboBox1;
    QLineEdit *const item1;
    QLineEdit *const SItem_NO;
    QLineEdit *const EItem_NO;
    QLineEdit *const Barcode;
    QLineEdit *const Cate_no;
    QLineEdit *const Kind_no;
    QLineEdit *const Supp_no;
    QLineEdit *const color;
    QLineEdit *const sizes;
    QCheckBox *const CheckBox2;
    NumericEntryField *const FloatEdit1;
    FocusMarkedButton *const OkButton;
    FocusMarkedButton *const CancelButton;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layOut();
    void showTrimmed(const ProductConditions &trimmed);

    const std::unique_ptr<Prompts> prompts_;
    bool accepted_ = false;
};
