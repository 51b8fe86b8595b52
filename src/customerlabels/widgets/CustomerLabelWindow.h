#pragma once

#include "components/Prompts.h"
#include "labelqueue/LabelQueue.h"

#include <QString>
#include <QWidget>

class Clock;
class CustomerImportDialog;
class CustomerOutputSettingsDialog;
class LabelQueueGrid;
class LabelQueueModel;
class LabelWindowBehaviour;
class ProgramLauncher;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class ServerExchange;
class FocusMarkedButton;

// The customer label window ("客戶條碼列印"): the queue "bar2.DBF" of the
// working directory in an editable grid, the buttons that fill, empty, walk
// and export it, the barcode source of the import and the path of the label
// program. It lives for the whole run: closing it closes the table and hides
// it, keeping its dialogs, the barcode source and the parameter.
class CustomerLabelWindow : public QWidget
{
    Q_OBJECT

public:
    CustomerLabelWindow(const QString &programDir, ServerExchange &exchange, Prompts &prompts,
                        ProgramLauncher &launcher, QWidget *parent = nullptr);
    ~CustomerLabelWindow() override;

    LabelQueueModel &queueModel() { return *model_; }
    // The date the birthday window counts from; the system clock unless set.
    void setClock(const Clock &clock);

    void onImport();
    void onExport();
    // "檢查預覽": what the check finds and the labels as cards, before printing.
    void onCheckPreview();
    // "張數規則": the label counts of the selected rows (or every row) by a rule.
    void onCountRule();
    void onOutputSettings();

    QLabel *const titlePanel;
    LabelQueueGrid *const grid;
    QCheckBox *const barcodeFromCustomerCodeBox;
    FocusMarkedButton *const closeButton;
    FocusMarkedButton *const deleteAllButton;
    FocusMarkedButton *const deleteButton;
    FocusMarkedButton *const previousButton;
    FocusMarkedButton *const nextButton;
    FocusMarkedButton *const importButton;
    FocusMarkedButton *const exportButton;
    FocusMarkedButton *const outputSettingsButton;
    FocusMarkedButton *const checkPreviewButton;
    FocusMarkedButton *const countRuleButton;
    // Opens the find bar over the title bar's free part (Ctrl+F too).
    FocusMarkedButton *const findButton;
    FocusMarkedButton *const undoButton;
    FocusMarkedButton *const printHistoryButton;
    QLabel *const journalStatusLine;
    QLineEdit *const labelProgramPathEdit;
    QGroupBox *const parameterGroup;
    CustomerImportDialog *const importDialog;
    CustomerOutputSettingsDialog *const outputSettingsDialog;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void layOut();
    void connectHandlers();

    QString programDir_;
    ServerExchange &exchange_;
    ProgramLauncher &launcher_;
    const Clock *clock_;
    LabelQueue queue_;
    LabelQueueModel *const model_;
    // What both label windows do alike: queue actions, imports, export, path box, help key.
    LabelWindowBehaviour *const behaviour_;
};
