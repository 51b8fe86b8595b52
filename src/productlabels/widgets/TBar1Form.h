#pragma once

#include "components/Prompts.h"
#include "components/TIni.h"
#include "labelqueue/LabelQueue.h"
#include "settings/SystemSettings.h"

#include <QString>
#include <QWidget>

#include <functional>

class BusyWindow;
class Clock;
class LabelQueueGrid;
class ProductQueueModel;
class ProgramLauncher;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class ServerExchange;
class TBar1SearchForm;
class TBar3SearchForm;
class TCBitBtn;

// The product label window ("商品條碼列印 "): the queue "bar1.dbf" of the
// working directory in an editable grid, the buttons that fill, empty, walk
// and export it, and the path of the label program. It creates its import
// and output settings dialogs with itself; closing it closes the table and
// sends closed(), after which the main window destroys it.
class TBar1Form : public QWidget
{
    Q_OBJECT

public:
    // The settings dialog's live fields, read at each use (the price option
    // when the window is shown, the branch and password at each import).
    using SettingsSource = std::function<SystemSettings()>;

    TBar1Form(const QString &programDir, ServerExchange &exchange, SettingsSource liveSettings, Prompts &prompts,
              ProgramLauncher &launcher, QWidget *parent = nullptr);
    ~TBar1Form() override;

    ProductQueueModel &queueModel() { return *model_; }
    // The date the export writes for "系統日期"; the system clock unless set.
    void setClock(const Clock &clock) { clock_ = &clock; }
    // 0 "無", 1 or 2: the parameter the label program is started with.
    int labelProgramParameter() const;

    void FormCreate();
    void FormShow();
    void FormClose();
    void CloseButtonClick();
    void UpButtonClick();
    void DownButtonClick();
    void DelButtonClick();
    void CBitBtn1Click();
    void SearchButtonClick();
    void outButtonClick();
    void PrintSetButtonClick();
    void CheckBox1Click();
    void Edit1Change();
    void Edit1Exit();

    QLabel *const Panel1;
    LabelQueueGrid *const DBGrid1;
    QWidget *const Panel2;
    QWidget *const FuncPanel;
    TCBitBtn *const CloseButton;
    TCBitBtn *const CBitBtn1;
    TCBitBtn *const DelButton;
    TCBitBtn *const UpButton;
    TCBitBtn *const DownButton;
    TCBitBtn *const SearchButton;
    TCBitBtn *const buyButton;
    TCBitBtn *const pdaButton;
    TCBitBtn *const allotbutton;
    TCBitBtn *const buyoButton;
    TCBitBtn *const outButton;
    TCBitBtn *const PrintSetButton;
    QLabel *const Label1;
    QLineEdit *const Edit1;
    QGroupBox *const RadioGroup1;
    QCheckBox *const CheckBox1;
    TBar1SearchForm *const Bar1SearchForm;
    TBar3SearchForm *const Bar3SearchForm;

Q_SIGNALS:
    // The window has closed its table and is hidden; the owner destroys it.
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layOutTitleAndNotes();
    void layOutButtons();
    void layOutPathBox();
    void connectHandlers();
    void centreOverOwner();
    void showTableError(const QString &what, const QString &reason);
    void showImportProgress(int rowsAdded);

    QString programDir_;
    ServerExchange &exchange_;
    SettingsSource liveSettings_;
    const std::unique_ptr<Prompts> prompts_;
    ProgramLauncher &launcher_;
    const Clock *clock_;
    LabelQueue queue_;
    ProductQueueModel *const model_;
    QButtonGroup *const parameterGroup_;
    // Covers the storing of an import's rows, after the exchange's own busy window.
    BusyWindow *const fillBusyWindow_;
    TIni Ini1;
    bool loading_ = false;
    bool busy_ = false;
    QString pathWriteError_;
};
