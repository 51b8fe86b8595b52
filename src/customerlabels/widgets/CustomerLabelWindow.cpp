#include "customerlabels/widgets/CustomerLabelWindow.h"

#include "components/Clock.h"
#include "components/Prompts.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/Fonts.h"
#include "components/widgets/WindowScale.h"
#include "customerlabels/CustomerExport.h"
#include "customerlabels/CustomerImport.h"
#include "customerlabels/CustomerLabelCheck.h"
#include "customerlabels/CustomerLabelLines.h"
#include "customerlabels/CustomerQueueTable.h"
#include "customerlabels/widgets/CustomerImportDialog.h"
#include "exchange/BranchList.h"
#include "labelqueue/CountRuleStore.h"
#include "labelqueue/LabelQueueModel.h"
#include "labelqueue/widgets/LabelQueueGrid.h"
#include "labelqueue/widgets/LabelWindowBehaviour.h"
#include "labelqueue/widgets/LabelWindowLook.h"
#include "labelqueue/widgets/QueueWindowActions.h"
#include "settings/widgets/CustomerOutputSettingsDialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {
using namespace LabelWindowLook;

constexpr QSize clientSize(782, 411);
constexpr int titleHeight = 34;
constexpr int notesTop = 280;
constexpr int rowTop = 326;

const QColor windowGreen(128, 255, 128);
const QColor titleMagenta(255, 128, 255);

template <typename Control>
Control *named(Control *control, const char *name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}
} // namespace

CustomerLabelWindow::CustomerLabelWindow(const QString &programDir, ServerExchange &exchange, Prompts &prompts,
                                         ProgramLauncher &launcher, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , titlePanel(named(new QLabel(QStringLiteral("客戶條碼列印"), this), "Panel1"))
    , grid(named(new LabelQueueGrid(this), "DBGrid1"))
    , barcodeFromCustomerCodeBox(
          named(new QCheckBox(QStringLiteral("條碼由客戶代號產生, 未勾選依會員卡號產生"), this), "CheckBox1"))
    , closeButton(rowButton("CloseButton", QStringLiteral("離開 &X"), maroon, this))
    , deleteAllButton(rowButton("CBitBtn1", QStringLiteral("全部刪除&A"), maroon, this))
    , deleteButton(rowButton("DelButton", QStringLiteral("單筆刪除&D"), maroon, this))
    , previousButton(rowButton("UpButton", QStringLiteral("上一筆"), navy, this))
    , nextButton(rowButton("DownButton", QStringLiteral("下一筆"), navy, this))
    , importButton(rowButton("SearchButton", QStringLiteral("客戶引入 &F"), navy, this))
    , exportButton(rowButton("CBitBtn4", QStringLiteral("轉出文字檔&C"), darkGreen, this))
    , outputSettingsButton(rowButton("PrintSetButton", QStringLiteral("輸出內容設定&S"), darkGreen, this))
    , checkPreviewButton(rowButton("checkPreviewButton", QStringLiteral("檢查預覽&P"), darkGreen, this))
    , countRuleButton(rowButton("countRuleButton", QStringLiteral("張數規則&N"), darkGreen, this))
    , findButton(rowButton("findButton", QStringLiteral("尋找篩選&E"), darkGreen, this))
    , undoButton(rowButton("undoButton", QStringLiteral("復原&U"), darkGreen, this))
    , printHistoryButton(rowButton("printHistoryButton", QStringLiteral("列印記錄&L"), darkGreen, this))
    , journalStatusLine(new QLabel(this))
    , labelProgramPathEdit(named(new QLineEdit(this), "Edit1"))
    , parameterGroup(named(new QGroupBox(QStringLiteral("參數"), this), "RadioGroup1"))
    , importDialog(new CustomerImportDialog(prompts, Clock::system(), this))
    , outputSettingsDialog(new CustomerOutputSettingsDialog(programDir, prompts, this))
    , programDir_(programDir)
    , exchange_(exchange)
    , launcher_(launcher)
    , clock_(&Clock::system())
    , queue_(CustomerQueueTable::fields())
    , model_(new LabelQueueModel(queue_, CustomerQueueTable::columns(), this))
    , behaviour_(new LabelWindowBehaviour(*this, queue_, CustomerQueueTable::side(), *model_, *grid, exchange, prompts,
                                          programDir))
{
    setObjectName(QStringLiteral("TCustBarForm"));
    setWindowTitle(QStringLiteral("客戶條碼列印"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(clientSize);
    setFont(Fonts::sans(9));
    setColour(this, QPalette::Window, windowGreen);
    layOut();
    grid->setFont(Fonts::mingWithLatin(14));
    grid->setQueueModel(model_);
    connectHandlers();
    const double factor = WindowScale::factorFor(*this);
    WindowScale::scaleBy(*this, factor);
    grid->applyLayout(factor);
}

CustomerLabelWindow::~CustomerLabelWindow() = default;

void CustomerLabelWindow::setClock(const Clock &clock)
{
    clock_ = &clock;
    importDialog->setClock(clock);
}

void CustomerLabelWindow::layOut()
{
    titlePanel->setGeometry(0, 0, clientSize.width(), titleHeight);
    styleTitle(titlePanel, titleMagenta);
    behaviour_->placeTitleBarControls(
        {*checkPreviewButton, *countRuleButton, *findButton, *undoButton, *printHistoryButton, *journalStatusLine},
        clientSize.width(), titleHeight);
    grid->setGeometry(0, titleHeight, clientSize.width(), notesTop - titleHeight);

    QLabel *rule = note(QStringLiteral(" ※條碼必須於引入時就要選定"), QPoint(4, notesTop + 4), this);
    rule->setObjectName(QStringLiteral("Panel2"));
    setColour(rule, QPalette::WindowText, Qt::red);
    barcodeFromCustomerCodeBox->move(240, notesTop + 2);
    barcodeFromCustomerCodeBox->adjustSize();
    barcodeFromCustomerCodeBox->setChecked(true);
    setColour(named(note(QStringLiteral("文字檔為bar2\\Bars.txt"), QPoint(600, notesTop + 4), this), "Label2"),
              QPalette::WindowText, navy);

    const struct {
        FocusMarkedButton *button;
        int width;
    } row[] = {
        {closeButton, 66}, {deleteAllButton, 80}, {deleteButton, 80}, {previousButton, 60},
        {nextButton, 60},  {importButton, 84},    {exportButton, 92}, {outputSettingsButton, 106},
    };
    int left = 4;
    for (const auto &placed : row) {
        placed.button->setGeometry(left, notesTop + 24, placed.width, 38);
        left += placed.width + 4;
    }
    // The arrows walk the grid without taking the focus from it.
    previousButton->setFocusPolicy(Qt::NoFocus);
    nextButton->setFocusPolicy(Qt::NoFocus);

    named(note(QStringLiteral("呼叫外部條碼:"), QPoint(6, rowTop + 46), this), "Label1");
    labelProgramPathEdit->setGeometry(100, rowTop + 42, 420, 24);
    behaviour_->attachPathBox(*labelProgramPathEdit, customerLabelProgramIni());
    parameterGroup->setGeometry(540, rowTop + 30, 200, 38);
    behaviour_->fillParameterGroup(*parameterGroup);

    QWidget *order[] = {closeButton,
                        deleteAllButton,
                        deleteButton,
                        importButton,
                        exportButton,
                        outputSettingsButton,
                        checkPreviewButton,
                        countRuleButton,
                        findButton,
                        labelProgramPathEdit,
                        behaviour_->parameterButton(0),
                        grid,
                        barcodeFromCustomerCodeBox};
    for (size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void CustomerLabelWindow::connectHandlers()
{
    QueueWindowActions *actions = &behaviour_->actions();
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(deleteAllButton, &QPushButton::clicked, actions, &QueueWindowActions::deleteAll);
    connect(deleteButton, &QPushButton::clicked, actions, &QueueWindowActions::deleteCurrent);
    connect(previousButton, &QPushButton::clicked, actions, &QueueWindowActions::movePrevious);
    connect(nextButton, &QPushButton::clicked, actions, &QueueWindowActions::moveNext);
    connect(importButton, &QPushButton::clicked, this, &CustomerLabelWindow::onImport);
    connect(exportButton, &QPushButton::clicked, this, &CustomerLabelWindow::onExport);
    connect(outputSettingsButton, &QPushButton::clicked, this, &CustomerLabelWindow::onOutputSettings);
    connect(checkPreviewButton, &QPushButton::clicked, this, &CustomerLabelWindow::onCheckPreview);
    connect(countRuleButton, &QPushButton::clicked, this, &CustomerLabelWindow::onCountRule);
    behaviour_->setCountRuleKinds(customerCountRuleKinds());
    behaviour_->attachUndo(*undoButton, *journalStatusLine);
    behaviour_->attachPrintHistory(*printHistoryButton, [this] {
        return launchCustomerLabelProgram(programDir_, behaviour_->parameter(), launcher_);
    });
    actions->setFieldOfEntry([](QByteArrayView entry) -> QByteArray {
        const std::optional<CustomerColumn> column = recogniseCustomerColumn(entry.toByteArray());
        return column && column->field >= 0 ? CustomerQueueTable::fields()[column->field].name : QByteArray();
    });
}

void CustomerLabelWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous()) {
        return;
    }
    centreOverOwner(*this);
    behaviour_->openQueue();
    closeButton->setFocus();
}

void CustomerLabelWindow::closeEvent(QCloseEvent *event)
{
    // An import or export still uses the table; the window closes after it.
    if (behaviour_->isBusy()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
    if (event->isAccepted()) {
        behaviour_->closeQueue();
    }
}

void CustomerLabelWindow::onImport()
{
    behaviour_->runImport(
        QString::fromUtf8(customerImportName), customerCountRuleKinds()[0].key,
        [this] {
            importDialog->setBranchChoices(BranchList::fetch(exchange_, BranchList::Style::LeadingEmptyEntry));
            importDialog->exec();
            return importDialog->isAccepted();
        },
        [this](ReplyRecordSink &sink, const std::function<void(int)> &progress) {
            CustomerConditions conditions = importDialog->conditions();
            conditions.barcodeFromCustomerCode = barcodeFromCustomerCodeBox->isChecked();
            return runCustomerImport(exchange_, conditions, clock_->today(), sink, progress);
        });
}

void CustomerLabelWindow::onExport()
{
    behaviour_->runExport([this](QueueRowSource &rows, Prompts &prompts) {
        const CustomerOutputSettings settings = outputSettingsDialog->currentSettings();
        return runCustomerExport(rows, settings, programDir_, behaviour_->parameter(), prompts, launcher_, [&] {
            return behaviour_->actions().reviewBeforeExport(checkCustomerQueue(rows, settings));
        });
    });
}

void CustomerLabelWindow::onCheckPreview()
{
    behaviour_->runPreview([this](QueueRowSource &rows) {
        CustomerLabelCards cards(rows, outputSettingsDialog->currentSettings());
        behaviour_->actions().preview(cards);
    });
}

void CustomerLabelWindow::onCountRule()
{
    behaviour_->runCountRule();
}

void CustomerLabelWindow::onOutputSettings()
{
    outputSettingsDialog->exec();
}
