#pragma once

#include "customerlabels/CustomerConditions.h"

#include <QByteArray>
#include <QDialog>
#include <QList>
#include <QPointer>

#include <functional>

class DateField;
class Prompts;
class QComboBox;
class QLineEdit;
class TCBitBtn;
class TFloatEdit;

// The customer import's conditions ("客戶資料查詢"). Created once by the
// customer label window; every showing empties the fields, selects the empty
// branch entry and sets the birthday window to 0 and the copies to 1.
class CustomerImportDialog : public QDialog
{
    Q_OBJECT

public:
    // today gives the date a double-click puts into a date field.
    CustomerImportDialog(Prompts &prompts, std::function<QDate()> today, QWidget *parent = nullptr);

    // Accepted: false when shown, true after OK.
    bool isAccepted() const { return accepted_; }

    // The branch list of the import: an empty first entry, then the codes.
    void setBranchChoices(const QList<QByteArray> &entries);

    // What the fields hold, texts as Big5 bytes; the barcode source is the window's.
    CustomerConditions conditions() const;

    void onOk();
    void onCancel();

    QLineEdit *const firstCodeEdit;
    QLineEdit *const lastCodeEdit;
    QLineEdit *const nameEdit;
    QLineEdit *const telephoneEdit;
    QLineEdit *const mobileEdit;
    QLineEdit *const clubEdit;
    DateField *const startDateField;
    DateField *const endDateField;
    QComboBox *const branchBox;
    TFloatEdit *const birthdayDaysEdit;
    TFloatEdit *const copiesEdit;
    TCBitBtn *const okButton;
    TCBitBtn *const cancelButton;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layOut();
    void onDateLeft(DateField *field);
    void reportBadDate();
    bool checkDates();

    Prompts &prompts_;
    bool accepted_ = false;
    // A date left malformed, told once the focus has settled.
    QPointer<DateField> badDate_;
};
