#include "customerlabels/widgets/CustomerLabelWindow.h"

#include "app/BranchList.h"
#include "app/ServerExchange.h"
#include "components/Big5.h"
#include "components/Clock.h"
#include "components/DateFormats.h"
#include "components/Prompts.h"
#include "components/widgets/Big5LengthValidator.h"
#include "components/widgets/BusyWindow.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/Fonts.h"
#include "components/widgets/OpenHelpPage.h"
#include "components/widgets/WindowScale.h"
#include "customerlabels/CustomerExport.h"
#include "customerlabels/CustomerImport.h"
#include "customerlabels/CustomerLabelCheck.h"
#include "customerlabels/CustomerLabelLines.h"
#include "customerlabels/CustomerQueueTable.h"
#include "customerlabels/widgets/CustomerImportDialog.h"
#include "labelqueue/LabelQueueModel.h"
#include "labelqueue/widgets/LabelCheckDialog.h"
#include "labelqueue/widgets/LabelQueueGrid.h"
#include "labelqueue/widgets/LabelWindowLook.h"
#include "labelqueue/widgets/QueueWindowActions.h"
#include "productlabels/ProductQueueAccess.h"
#include "settings/widgets/CustomerOutputSettingsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QShortcut>

namespace {
using namespace LabelWindowLook;

constexpr QSize clientSize(782, 411);
constexpr int titleHeight = 34;
constexpr int notesTop = 280;
constexpr int rowTop = 326;
// Windows keep program paths to 259 characters.
constexpr int maxPathBytes = 259;

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
    , labelProgramPathEdit(named(new QLineEdit(this), "Edit1"))
    , parameterGroup(named(new QGroupBox(QStringLiteral("參數"), this), "RadioGroup1"))
    , importDialog(new CustomerImportDialog(prompts, Clock::system(), this))
    , outputSettingsDialog(new CustomerOutputSettingsDialog(programDir, prompts, this))
    , programDir_(programDir)
    , exchange_(exchange)
    , prompts_(prompts.forWindow(this))
    , launcher_(launcher)
    , clock_(&Clock::system())
    , queue_(CustomerQueueTable::fields())
    , model_(new LabelQueueModel(queue_, CustomerQueueTable::columns(), this))
    , actions_(new QueueWindowActions(queue_, *model_, *grid, prompts, this))
    , parameterButtons_(new QButtonGroup(this))
    , fillBusyWindow_(new BusyWindow(this))
{
    actions_->checkDialog->setProofSheetFolder(programDir);
    setObjectName(QStringLiteral("TCustBarForm"));
    setWindowTitle(QStringLiteral("客戶條碼列印"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(clientSize);
    setFont(Fonts::sans(9));
    setColour(this, QPalette::Window, windowGreen);
    // Storing the rows of a reply cannot be stopped half-way.
    fillBusyWindow_->cancelButton->hide();
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
    // The title bar's free right end: every designed control keeps its place.
    checkPreviewButton->setGeometry(clientSize.width() - 96, 3, 92, titleHeight - 6);
    checkPreviewButton->raise();
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
    labelProgramPathEdit->setValidator(new Big5LengthValidator(maxPathBytes, labelProgramPathEdit));
    parameterGroup->setGeometry(540, rowTop + 30, 200, 38);
    const QString items[] = {QStringLiteral("無"), QStringLiteral("1"), QStringLiteral("2")};
    for (int item = 0; item < 3; ++item) {
        auto *radio = new QRadioButton(items[item], parameterGroup);
        radio->setGeometry(12 + 64 * item, 16, 56, 18);
        parameterButtons_->addButton(radio, item);
    }
    parameterButtons_->button(0)->setChecked(true);

    QWidget *order[] = {closeButton,  deleteAllButton,           deleteButton,         importButton,
                        exportButton, outputSettingsButton,      checkPreviewButton,   labelProgramPathEdit,
                        parameterButtons_->button(0), grid,      barcodeFromCustomerCodeBox};
    for (size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void CustomerLabelWindow::connectHandlers()
{
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(deleteAllButton, &QPushButton::clicked, actions_, &QueueWindowActions::deleteAll);
    connect(deleteButton, &QPushButton::clicked, actions_, &QueueWindowActions::deleteCurrent);
    connect(previousButton, &QPushButton::clicked, actions_, &QueueWindowActions::movePrevious);
    connect(nextButton, &QPushButton::clicked, actions_, &QueueWindowActions::moveNext);
    connect(importButton, &QPushButton::clicked, this, &CustomerLabelWindow::onImport);
    connect(exportButton, &QPushButton::clicked, this, &CustomerLabelWindow::onExport);
    connect(outputSettingsButton, &QPushButton::clicked, this, &CustomerLabelWindow::onOutputSettings);
    connect(checkPreviewButton, &QPushButton::clicked, this, &CustomerLabelWindow::onCheckPreview);
    actions_->setFieldOfEntry([](QByteArrayView entry) -> QByteArray {
        const std::optional<CustomerColumn> column = recogniseCustomerColumn(entry.toByteArray());
        return column && column->field >= 0 ? CustomerQueueTable::fields()[column->field].name : QByteArray();
    });
    connect(labelProgramPathEdit, &QLineEdit::textChanged, this, &CustomerLabelWindow::storeLabelProgramPath);
    labelProgramPathEdit->installEventFilter(this);
    auto *help = new QShortcut(QKeySequence(Qt::Key_F12), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, [this] { OpenHelpPage(programDir_, QStringLiteral("Bar1Form.htm")); });
}

void CustomerLabelWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous()) {
        return;
    }
    centreOverOwner(*this);
    loading_ = true;
    actions_->openTable(CustomerQueueTable::fileName());
    loadLabelProgramPath();
    DateFormats::useLabelWindowFormats();
    closeButton->setFocus();
    loading_ = false;
}

void CustomerLabelWindow::closeEvent(QCloseEvent *event)
{
    // An import or export still uses the table; the window closes after it.
    if (busy_) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
    if (event->isAccepted()) {
        actions_->closeTable();
    }
}

void CustomerLabelWindow::loadLabelProgramPath()
{
    pathIni_.setNotifier([this](const QString &text) { prompts_->plainMessage(text); });
    pathIni_.setFileName(customerLabelProgramIniPath(programDir_));
    pathIni_.setSection("CustBar");
    pathIni_.setDataType(DsString);
    pathIni_.setIdent("FN1");
    labelProgramPathEdit->setText(pathIni_.ReadValue() ? Big5::decode(pathIni_.Value().toByteArray()) : QString());
}

void CustomerLabelWindow::storeLabelProgramPath()
{
    if (loading_) {
        return;
    }
    pathIni_.setIdent("FN1");
    pathIni_.setValue(Big5::encode(labelProgramPathEdit->text()).bytes);
    pathWriteError_ = pathIni_.WriteValue() ? QString() : pathIni_.errorString();
}

bool CustomerLabelWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The path is stored keystroke by keystroke; a failure is told once, on leaving.
    if (watched == labelProgramPathEdit && event->type() == QEvent::FocusOut && !pathWriteError_.isEmpty()) {
        const QString error = pathWriteError_;
        pathWriteError_.clear();
        prompts_->plainMessage(QStringLiteral("呼叫外部條碼路徑無法存入 CustBar.INI：") + error);
    }
    return QWidget::eventFilter(watched, event);
}

void CustomerLabelWindow::onImport()
{
    grid->commitEdit();
    model_->dropBlankRow();
    const QScopedValueRollback<bool> busy(busy_, true);
    importDialog->setBranchChoices(BranchList::fetch(exchange_, BranchList::Style::LeadingEmptyEntry).entries);
    importDialog->exec();
    if (!importDialog->isAccepted()) {
        return;
    }
    CustomerConditions conditions = importDialog->conditions();
    conditions.barcodeFromCustomerCode = barcodeFromCustomerCodeBox->isChecked();
    ProductQueueWriter writer(queue_, &CustomerQueueTable::replyShape());
    const ProductImportOutcome outcome = runCustomerImport(exchange_, conditions, clock_->today(), writer,
                                                           [this](int rowsAdded) { showImportProgress(rowsAdded); });
    fillBusyWindow_->end();
    // The grid shows the new rows, on the last one written, before the message.
    model_->rowsAppendedToQueue();
    if (outcome.kind == ProductImportOutcome::Kind::ExchangeFailed && outcome.message.isEmpty()) {
        // The status line sits in the main window; the user who asked is here.
        prompts_->plainMessage(QStringLiteral("客戶資料引入失敗：") + exchange_.statusLine());
    } else if (!outcome.message.isEmpty()) {
        prompts_->embossedMessage(outcome.message);
    }
}

void CustomerLabelWindow::showImportProgress(int rowsAdded)
{
    const QString text = QStringLiteral("已存入 %1 筆").arg(rowsAdded);
    if (fillBusyWindow_->isActive()) {
        fillBusyWindow_->setProgressText(text);
    } else {
        fillBusyWindow_->begin(QStringLiteral("客戶資料引入"), text);
    }
    // The windows keep painting while a large reply is stored; the busy
    // window holds back input until the import is done.
    QCoreApplication::processEvents();
}

void CustomerLabelWindow::onExport()
{
    grid->commitEdit();
    model_->dropBlankRow();
    const QScopedValueRollback<bool> busy(busy_, true);
    ProductQueueReader rows(queue_, &CustomerQueueTable::replyShape());
    const LabelProgramParameter parameters[] = {LabelProgramParameter::None, LabelProgramParameter::One,
                                                LabelProgramParameter::Two};
    const CustomerOutputSettings settings = outputSettingsDialog->currentSettings();
    const ProductExportRun run = runCustomerExport(
        rows, settings, programDir_, parameters[std::max(parameterButtons_->checkedId(), 0)], *prompts_, launcher_,
        [&] { return actions_->reviewBeforeExport(checkCustomerQueue(rows, settings)); });
    // The export walked the whole queue and leaves the grid where the walk ended.
    if (run.launch) {
        model_->setCurrentRow(model_->rowCount() - 1);
    }
    // A label program that will not start is told, or the user waits for it in vain.
    if (run.launch && run.launch->outcome == LabelProgramLaunch::Outcome::StartFailed) {
        prompts_->plainMessage(describe(*run.launch));
    }
}

void CustomerLabelWindow::onCheckPreview()
{
    grid->commitEdit();
    model_->dropBlankRow();
    const QScopedValueRollback<bool> busy(busy_, true);
    ProductQueueReader rows(queue_, &CustomerQueueTable::replyShape());
    CustomerLabelCards cards(rows, outputSettingsDialog->currentSettings());
    actions_->preview(cards);
}

void CustomerLabelWindow::onOutputSettings()
{
    outputSettingsDialog->exec();
}
