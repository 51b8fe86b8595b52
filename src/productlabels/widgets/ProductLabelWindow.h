#pragma once

#include "components/Prompts.h"
#include "labelqueue/LabelQueue.h"
#include "settings/SystemSettings.h"

#include <QString>
#include <QWidget>

#include <functional>

class Clock;
class DocumentConditionsDialog;
class LabelQueueGrid;
class LabelWindowBehaviour;
class OtherDocumentsImportDialog;
class ProductQueueModel;
class ProgramLauncher;
class PurchaseImportDialog;
class StockTakeImportDialog;
class TransferOutImportDialog;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class ServerExchange;
class ProductImportDialog;
class ProductOutputSettingsDialog;
class FocusMarkedButton;

// The product label window ("商品條碼列印 "): the queue "bar1.dbf" of the
// working directory in an editable grid, the buttons that fill, empty, walk
// and export it, and the path of the label program. It creates its import
// and output settings dialogs with itself; closing it closes the table and
// sends closed(), after which the main window destroys it.
class ProductLabelWindow : public QWidget
{
    Q_OBJECT

public:
    // The settings dialog's live fields, read at each use (the price option
    // when the window is shown, the branch and password at each import).
    using SettingsSource = std::function<SystemSettings()>;

    ProductLabelWindow(const QString &programDir, ServerExchange &exchange, SettingsSource liveSettings,
                       Prompts &prompts, ProgramLauncher &launcher, QWidget *parent = nullptr);
    ~ProductLabelWindow() override;

    ProductQueueModel &queueModel() { return *model_; }
    // The date the export writes for "系統日期"; the system clock unless set.
    void setClock(const Clock &clock) { clock_ = &clock; }
    // Grows the window with the screen, once, when it is created.
    void scaleToScreen();
    // Each showing: opens the queue, reads the label program's path, resets the path box.
    void openQueueAndPath();
    // On closing: keeps a pending grid edit, closes the table and sends closed().
    void closeQueue();
    void onExit();
    void onProductImport();
    // The purchase, stock-take, transfer-out and document imports: their
    // dialog, then its conditions' request, like the product import.
    void onDocumentImport(DocumentConditionsDialog &dialog);
    void onExport();
    // "檢查預覽": what the check finds and the labels as cards, before printing.
    void onCheckPreview();
    // "張數規則": the label counts of the selected rows (or every row) by a rule.
    void onCountRule();
    void onOutputSettings();
    void onEditPathToggled();
    void onLabelProgramPathLeft();

    // Each control's objectName is its design name (deleteAllButton is "CBitBtn1").
    QLabel *const titlePanel;
    LabelQueueGrid *const queueGrid;
    QWidget *const notesPanel;
    QWidget *const buttonPanel;
    FocusMarkedButton *const exitButton;
    FocusMarkedButton *const deleteAllButton;
    FocusMarkedButton *const deleteRowButton;
    FocusMarkedButton *const previousRowButton;
    FocusMarkedButton *const nextRowButton;
    FocusMarkedButton *const productImportButton;
    FocusMarkedButton *const purchaseImportButton;
    FocusMarkedButton *const stockTakeImportButton;
    FocusMarkedButton *const transferOutImportButton;
    FocusMarkedButton *const documentImportButton;
    FocusMarkedButton *const exportButton;
    FocusMarkedButton *const outputSettingsButton;
    FocusMarkedButton *const checkPreviewButton;
    FocusMarkedButton *const countRuleButton;
    // Opens the find bar over the title bar's free part (Ctrl+F too).
    FocusMarkedButton *const findButton;
    FocusMarkedButton *const undoButton;
    FocusMarkedButton *const printHistoryButton;
    QLabel *const journalStatusLine;
    QLabel *const labelProgramPathCaption;
    QLineEdit *const labelProgramPathEdit;
    QGroupBox *const parameterGroup;
    QCheckBox *const editPathCheck;
    ProductImportDialog *const importDialog;
    ProductOutputSettingsDialog *const outputSettingsDialog;
    PurchaseImportDialog *const purchaseImportDialog;
    StockTakeImportDialog *const stockTakeImportDialog;
    TransferOutImportDialog *const transferOutImportDialog;
    OtherDocumentsImportDialog *const otherDocumentsImportDialog;

Q_SIGNALS:
    // The window has closed its table and is hidden; the owner destroys it.
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void layOutTitleAndNotes();
    void layOutButtons();
    void layOutPathBox();
    void connectHandlers();

    QString programDir_;
    ServerExchange &exchange_;
    SettingsSource liveSettings_;
    const std::unique_ptr<Prompts> prompts_;
    ProgramLauncher &launcher_;
    const Clock *clock_;
    LabelQueue queue_;
    ProductQueueModel *const model_;
    // What both label windows do alike: queue actions, imports, export, path box, help key.
    LabelWindowBehaviour *const behaviour_;
};
