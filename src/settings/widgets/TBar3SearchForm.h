#pragma once

#include "components/ProfileFile.h"
#include "components/Prompts.h"
#include "settings/ProductOutputSettings.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class FocusMarkedButton;

// The product label output settings ("輸出內容設定"). Its controls are the
// settings in effect: the export and the imports call currentSettings() when
// they run, so edits left by the close box count until the next OK or cancel
// (the file only carries them to the next run of the program).
class TBar3SearchForm : public QDialog
{
    Q_OBJECT

public:
    TBar3SearchForm(const QString &programDir, Prompts &prompts, QWidget *parent = nullptr);

    ProductOutputSettings currentSettings() const;
    // False when shown, true after an OK that stored the settings.
    bool isConfirmed() const { return confirmed_; }

    // Fills the controls from BarSet.ini.
    void LoadPara();
    // Stores the controls into BarSet.ini; the failure's message, or empty.
    QString WritePara();

    void FormCreate();
    void FormShow();
    void OkButtonClick();
    void CancelButtonClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildLayoutControls();
    void buildExpansionControls();
    void buildListControls();
    void showSettings(const ProductOutputSettings &settings);

    QString programDir_;
    const std::unique_ptr<Prompts> prompts_;
    ProfileFile ini_;
    bool confirmed_ = false;

    QRadioButton *RadioButton1 = nullptr;
    QRadioButton *RadioButton2 = nullptr;
    QCheckBox *CheckBox12 = nullptr;
    QCheckBox *CheckBox14 = nullptr;
    QCheckBox *CheckBox15 = nullptr;
    QCheckBox *CheckBox16 = nullptr;
    QCheckBox *CheckBox17 = nullptr;
    QLineEdit *Edit16 = nullptr;
    QLineEdit *Edit17 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QListWidget *ListBox1 = nullptr;
    QListWidget *ListBox2 = nullptr;
    FocusMarkedButton *OkButton = nullptr;
    FocusMarkedButton *CancelButton = nullptr;
};
