#pragma once

#include "components/Prompts.h"
#include "labelqueue/CountRuleStore.h"
#include "labelqueue/QueueCounts.h"

#include <QDialog>

#include <memory>

class FocusMarkedButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// "張數規則": a count rule typed step by step, with the rows it is for, their
// labels before and after and the first rows it leaves alone shown as it is
// typed. The rules of the side's imports are read from and stored in the
// program's rule file here too. OK hands the rule over only when every field
// holds what its step takes.
class CountRuleDialog : public QDialog
{
    Q_OBJECT

public:
    CountRuleDialog(Prompts &prompts, const QString &programDir, QWidget *parent = nullptr);

    // This side's imports, for the rules stored for them.
    void setKinds(const QList<CountRuleKind> &kinds);
    // Shows the dialog over these rows ("全部 312 筆", "選取的 5 筆"); true when
    // OK handed over a rule.
    bool ask(const QueueCountRows &rows, const QString &scope);
    // The rule the fields hold, once ask() returned true.
    CountRule rule() const { return rule_; }
    CountRuleTexts texts() const;

    void onOk();
    void onLoadStored();
    void onStore();

    QRadioButton *const keepCountRadio;
    QRadioButton *const fixedCountRadio;
    QLineEdit *const fixedCountEdit;
    QLineEdit *const factorEdit;
    QLineEdit *const sparesEdit;
    QLineEdit *const percentEdit;
    QComboBox *const roundingCombo;
    QLineEdit *const minimumEdit;
    QLineEdit *const maximumEdit;
    QCheckBox *const zeroRowsCheck;
    QLabel *const scopeLabel;
    QLabel *const summaryLabel;
    QLabel *const leftAloneLabel;
    QComboBox *const storedKindCombo;
    FocusMarkedButton *const loadStoredButton;
    QCheckBox *const autoApplyCheck;
    FocusMarkedButton *const storeButton;
    QLabel *const storedNotice;
    FocusMarkedButton *const okButton;
    FocusMarkedButton *const cancelButton;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void layOut();
    // The rule, or the field that is wrong, from the fields as they are now.
    CountRuleParse parsed() const;
    void showPlan();
    void showStoredKind();
    QWidget *fieldOf(CountRuleTexts::Field field) const;

    const std::unique_ptr<Prompts> prompts_;
    CountRuleStore store_;
    QList<CountRuleKind> kinds_;
    QueueCountRows rows_;
    CountRule rule_;
};
