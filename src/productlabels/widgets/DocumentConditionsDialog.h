#pragma once

#include "components/Prompts.h"
#include "exchange/BranchList.h"
#include "productlabels/DocumentConditions.h"

#include <QByteArray>
#include <QDialog>
#include <QList>
#include <QString>

class DateEdit;
class QComboBox;
class QLabel;
class QLineEdit;
class FocusMarkedButton;

// The frame the four document imports' conditions dialogs share: the branch
// list (and the price branch list where the import has one), the number
// range, the date range, OK and cancel, and what OK does. Each dialog adds
// its own fields and lays them out in its tab order. Created once by the
// product label window; showing it resets the numbers and dates.
class DocumentConditionsDialog : public QDialog
{
    Q_OBJECT

public:
    DocumentImport import() const { return import_; }
    // Accepted: false when shown, true after an OK that passed its checks.
    bool isAccepted() const { return accepted_; }

    // Fills the branch lists, refreshed before each import, and selects the
    // own branch when it is listed; otherwise nothing is selected. The notice
    // line under the buttons says why the server offered none.
    void setBranchChoices(const BranchList::Choices &choices);

    // What the fields hold, texts as Big5 bytes (the fields admit nothing else).
    DocumentConditions conditions() const;

    void onShow();
    // Leaves the focused field first, as a move to OK would, then runs the
    // checks: a malformed date never gets through, whichever way OK is reached.
    void onOk();
    void onCancel();
    void onStartNumberLeft();

    QComboBox *const branchBox;
    QComboBox *const priceBranchBox; // none for the stock-take
    QLineEdit *const startNumberEdit;
    QLineEdit *const endNumberEdit;
    DateEdit *const startDateEdit;
    DateEdit *const endDateEdit;
    FocusMarkedButton *const okButton;
    FocusMarkedButton *const cancelButton;
    QLabel *branchNotice = nullptr;

protected:
    DocumentConditionsDialog(DocumentImport import, const char *objectName, Prompts &prompts, QWidget *parent);

    // One line of the dialog: a caption and its control (a caption-less
    // control spans the line), optionally followed by a second control such
    // as the end of a range.
    struct Row {
        Row(const QString &caption, QWidget *control, int width, QWidget *trailing = nullptr,
            const QString &trailingCaption = QString(), int height = 24)
            : caption(caption)
            , control(control)
            , width(width)
            , trailing(trailing)
            , trailingCaption(trailingCaption)
            , height(height)
        {}

        QString caption;
        QWidget *control;
        int width;
        QWidget *trailing;
        QString trailingCaption;
        int height;
    };
    // Places the rows top down, the quantity note and the buttons below them,
    // and sets the tab order: the rows' controls (a group's choices in the
    // order they were made), OK, cancel. Scales the dialog.
    void layOut(const QList<Row> &rows, const QString &note);

    QLineEdit *textField(const char *objectName, int maxBytes);
    QComboBox *branchList(const char *objectName);

    virtual void resetOwnFields() {}
    virtual void addOwnConditions(DocumentConditions &) const {}
    virtual QWidget *firstField() const;

    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void focusField(ConditionField field);

    const DocumentImport import_;
    const std::unique_ptr<Prompts> prompts_;
    bool accepted_ = false;
    bool dateRefused_ = false;
};
