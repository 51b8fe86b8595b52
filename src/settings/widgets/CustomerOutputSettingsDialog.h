#pragma once

#include "components/ProfileFile.h"
#include "components/Prompts.h"
#include "settings/CustomerOutputSettings.h"

#include <QDialog>

class ColumnListEditor;
class FocusMarkedButton;

// The customer label output settings ("輸出內容設定") over bar2/CustBar.ini.
// Its controls are the settings in effect: the export calls
// currentSettings() when it runs, so edits left by the close box count until
// the next OK or cancel. OK stores without checks; Cancel reloads the file.
class CustomerOutputSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    CustomerOutputSettingsDialog(const QString &programDir, Prompts &prompts, QWidget *parent = nullptr);

    CustomerOutputSettings currentSettings() const;
    // False when shown, true after an OK that stored the settings.
    bool isConfirmed() const { return confirmed_; }

    // Fills the controls from the file; stores them into it (the failure's message, or empty).
    void loadSettings();
    QString storeSettings();

    void onOk();
    void onCancel();

    ColumnListEditor *const editor;
    FocusMarkedButton *const okButton;
    FocusMarkedButton *const cancelButton;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void openFile();

    QString programDir_;
    const std::unique_ptr<Prompts> prompts_;
    ProfileFile ini_;
    bool confirmed_ = false;
};
