#pragma once

#include "components/ProfileFile.h"
#include "components/Prompts.h"
#include "exchange/LinkSettings.h"
#include "settings/SystemSettings.h"

#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class ServerExchange;
class FocusMarkedButton;

// The system settings ("系統參數設定"). It lives for the whole run and its
// fields are the settings in effect: every exchange reads linkSettings()
// when it is built, so typed values count at once, saved or not. Saving
// writes SysSet.ini and is allowed only after a successful link test.
class SystemSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    SystemSettingsDialog(const QString &programDir, ServerExchange &exchange, Prompts &prompts,
                         QWidget *parent = nullptr);

    LinkSettings linkSettings() const;
    // The selected item of "參考價": 0 不能修改, 1 可以修改, -1 none.
    int priceOption() const;
    SystemSettings currentSettings() const;

    void loadFromFile();
    void focusFirstField();
    void onLinkTest();
    void onSave();
    void onCancel();

Q_SIGNALS:
    // The main window's connection status label is to show text.
    void statusLabelChanged(const QString &text);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showSettings(const SystemSettings &settings);
    void setPriceOption(int item);
    void keepOnePriceTabStop();
    QString linkFailureText() const;
    // The notice for a server setting that sent nothing, or text.
    QString serverNoticeOr(const QString &text) const;

    QString programDir_;
    ServerExchange &exchange_;
    const std::unique_ptr<Prompts> prompts_;
    ProfileFile settingsFile_;

    QLineEdit *serverEdit_ = nullptr;
    QLineEdit *branchEdit_ = nullptr;
    QLineEdit *passwordEdit_ = nullptr;
    QButtonGroup *priceOptionButtons_ = nullptr;
    QPushButton *linkTestButton_ = nullptr;
    FocusMarkedButton *saveButton_ = nullptr;
    FocusMarkedButton *cancelButton_ = nullptr;
};
