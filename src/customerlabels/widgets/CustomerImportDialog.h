#pragma once

#include "components/Prompts.h"
#include "customerlabels/CustomerConditions.h"
#include "exchange/BranchList.h"

#include <QByteArray>
#include <QDialog>
#include <QList>

class Clock;
class DateEdit;
class QComboBox;
class QLabel;
class QLineEdit;
class FocusMarkedButton;
class NumericEntryField;

// The customer import's conditions ("客戶資料查詢"). Created once by the
// customer label window; every showing empties the fields, selects the empty
// branch entry and sets the birthday window to 0 and the copies to 1.
class CustomerImportDialog : public QDialog
{
    Q_OBJECT

public:
    // clock gives the date a double-click puts into a date field.
    CustomerImportDialog(Prompts &prompts, const Clock &clock, QWidget *parent = nullptr);
    void setClock(const Clock &clock);

    // Accepted: false when shown, true after OK.
    bool isAccepted() const { return accepted_; }

    // The branch list of the import: an empty first entry, then the codes.
    // The notice line under the buttons says why the server offered none.
    void setBranchChoices(const BranchList::Choices &choices);

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
    DateEdit *const startDateField;
    DateEdit *const endDateField;
    QComboBox *const branchBox;
    NumericEntryField *const birthdayDaysEdit;
    NumericEntryField *const copiesEdit;
    FocusMarkedButton *const okButton;
    FocusMarkedButton *const cancelButton;
    QLabel *const branchNotice;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layOut();
    bool checkDates();

    const std::unique_ptr<Prompts> prompts_;
    bool accepted_ = false;
};
