#pragma once

#include "components/ProfileFile.h"
#include "components/Prompts.h"
#include "settings/ProductOutputSettings.h"

#include <QDialog>

class ColumnListEditor;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class FocusMarkedButton;

// The product label output settings ("輸出內容設定"). Its controls are the
// settings in effect: the export and the imports call currentSettings() when
// they run, so edits left by the close box count until the next OK or cancel
// (the file only carries them to the next run of the program).
class ProductOutputSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    ProductOutputSettingsDialog(const QString &programDir, Prompts &prompts, QWidget *parent = nullptr);

    ProductOutputSettings currentSettings() const;
    // False when shown, true after an OK that stored the settings.
    bool isConfirmed() const { return confirmed_; }

    // Fills the controls from BarSet.ini.
    void loadSettings();
    // Stores the controls into BarSet.ini; the failure's message, or empty.
    QString storeSettings();

    void reloadFromFile();
    void resetOnShow();
    void onOk();
    void onCancel();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildExpansionControls();
    void showSettings(const ProductOutputSettings &settings);

    QString programDir_;
    const std::unique_ptr<Prompts> prompts_;
    ProfileFile settingsFile_;
    bool confirmed_ = false;

    // The layout, one label per line and the column list, as the customer dialog has them.
    ColumnListEditor *columns_ = nullptr;
    QCheckBox *colourExpansionCheck_ = nullptr;
    QCheckBox *sizeExpansionCheck_ = nullptr;
    QCheckBox *keepOwnSizeCheck_ = nullptr;
    QCheckBox *keepOwnColourCheck_ = nullptr;
    QLineEdit *sizeSeparatorEdit_ = nullptr;
    QLineEdit *colourSeparatorEdit_ = nullptr;
    FocusMarkedButton *okButton_ = nullptr;
    FocusMarkedButton *cancelButton_ = nullptr;
};
