#pragma once

#include "components/TIni.h"
#include "labelqueue/LabelQueue.h"

#include <QString>
#include <QWidget>

class BusyWindow;
class Clock;
class CustomerImportDialog;
class CustomerOutputSettingsDialog;
class LabelQueueGrid;
class LabelQueueModel;
class ProgramLauncher;
class Prompts;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QueueWindowActions;
class ServerExchange;
class TCBitBtn;

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
    void setClock(const Clock &clock) { clock_ = &clock; }

    void onImport();
    void onExport();
    void onOutputSettings();

    QLabel *const titlePanel;
    LabelQueueGrid *const grid;
    QCheckBox *const barcodeFromCustomerCodeBox;
    TCBitBtn *const closeButton;
    TCBitBtn *const deleteAllButton;
    TCBitBtn *const deleteButton;
    TCBitBtn *const previousButton;
    TCBitBtn *const nextButton;
    TCBitBtn *const importButton;
    TCBitBtn *const exportButton;
    TCBitBtn *const outputSettingsButton;
    QLineEdit *const labelProgramPathEdit;
    QGroupBox *const parameterGroup;
    CustomerImportDialog *const importDialog;
    CustomerOutputSettingsDialog *const outputSettingsDialog;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layOut();
    void connectHandlers();
    void loadLabelProgramPath();
    void storeLabelProgramPath();
    void showImportProgress(int rowsAdded);

    QString programDir_;
    ServerExchange &exchange_;
    Prompts &prompts_;
    ProgramLauncher &launcher_;
    const Clock *clock_;
    LabelQueue queue_;
    LabelQueueModel *const model_;
    QueueWindowActions *const actions_;
    QButtonGroup *const parameterButtons_;
    BusyWindow *const fillBusyWindow_;
    TIni pathIni_;
    bool loading_ = false;
    bool busy_ = false;
    QString pathWriteError_;
};
