#include "productlabels/widgets/ProductLabelWindow.h"

#include "app/BranchList.h"
#include "app/ExchangeFailureText.h"
#include "app/ServerExchange.h"
#include "components/Clock.h"
#include "components/DateFormats.h"
#include "components/Prompts.h"
#include "components/widgets/Big5LengthValidator.h"
#include "components/widgets/BusyWindow.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/Fonts.h"
#include "components/widgets/OpenHelpPage.h"
#include "components/widgets/StoredBytesField.h"
#include "components/widgets/WindowScale.h"
#include "labelqueue/widgets/LabelCheckDialog.h"
#include "labelqueue/widgets/LabelQueueGrid.h"
#include "labelqueue/widgets/LabelWindowLook.h"
#include "labelqueue/widgets/QueueWindowActions.h"
#include "productlabels/DocumentImportRun.h"
#include "productlabels/ProductExport.h"
#include "productlabels/ProductColumns.h"
#include "productlabels/ProductImport.h"
#include "productlabels/ProductLabelCheck.h"
#include "productlabels/ProductQueueAccess.h"
#include "productlabels/ProductQueueModel.h"
#include "productlabels/ProductQueueTable.h"
#include "productlabels/ProductReplyFields.h"
#include "productlabels/widgets/OtherDocumentsImportDialog.h"
#include "productlabels/widgets/ProductImportDialog.h"
#include "productlabels/widgets/PurchaseImportDialog.h"
#include "productlabels/widgets/StockTakeImportDialog.h"
#include "productlabels/widgets/TransferOutImportDialog.h"
#include "settings/widgets/ProductOutputSettingsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QShortcut>

namespace {

constexpr QSize clientSize(812, 400);
constexpr int titleHeight = 34;
constexpr int notesTop = 292;
constexpr int notesHeight = 22;
constexpr int funcPanelTop = notesTop + notesHeight;
// Windows keep program paths to 259 characters.
constexpr int maxPathBytes = 259;

const QColor lightGreen(192, 255, 192);
const QColor pink(255, 192, 203);
using namespace LabelWindowLook;

} // namespace

ProductLabelWindow::ProductLabelWindow(const QString &programDir, ServerExchange &exchange, SettingsSource liveSettings,
                                       Prompts &prompts, ProgramLauncher &launcher, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , titlePanel(new QLabel(QStringLiteral("商品條碼列印 "), this))
    , queueGrid(new LabelQueueGrid(this))
    , notesPanel(new QWidget(this))
    , buttonPanel(new QWidget(this))
    , exitButton(rowButton("CloseButton", QStringLiteral("離開 &X"), maroon, buttonPanel))
    , deleteAllButton(rowButton("CBitBtn1", QStringLiteral("全部刪除&A"), maroon, buttonPanel))
    , deleteRowButton(rowButton("DelButton", QStringLiteral("單筆刪除&D"), maroon, buttonPanel))
    , previousRowButton(rowButton("UpButton", QStringLiteral("上"), navy, buttonPanel))
    , nextRowButton(rowButton("DownButton", QStringLiteral("下"), navy, buttonPanel))
    , productImportButton(rowButton("SearchButton", QStringLiteral("產品引入&F"), navy, buttonPanel))
    , purchaseImportButton(rowButton("buyButton", QStringLiteral("進貨引入&B"), navy, buttonPanel))
    , stockTakeImportButton(rowButton("pdaButton", QStringLiteral("盤點引入&G"), navy, buttonPanel))
    , transferOutImportButton(rowButton("allotbutton", QStringLiteral("出庫引入&H"), navy, buttonPanel))
    , documentImportButton(rowButton("buyoButton", QStringLiteral("其他引入&I"), navy, buttonPanel))
    , exportButton(rowButton("outButton", QStringLiteral("轉出文字檔&C"), darkGreen, buttonPanel))
    , outputSettingsButton(rowButton("PrintSetButton", QStringLiteral("輸出內容設定&S"), darkGreen, buttonPanel))
    , checkPreviewButton(rowButton("checkPreviewButton", QStringLiteral("檢查預覽&P"), darkGreen, this))
    , labelProgramPathCaption(new QLabel(QStringLiteral("呼叫外部條碼路徑:"), buttonPanel))
    , labelProgramPathEdit(new QLineEdit(buttonPanel))
    , parameterGroup(new QGroupBox(QStringLiteral("參數"), buttonPanel))
    , editPathCheck(new QCheckBox(QStringLiteral("更改"), buttonPanel))
    , importDialog(new ProductImportDialog(prompts, this))
    , outputSettingsDialog(new ProductOutputSettingsDialog(programDir, prompts, this))
    , purchaseImportDialog(new PurchaseImportDialog(prompts, this))
    , stockTakeImportDialog(new StockTakeImportDialog(prompts, this))
    , transferOutImportDialog(new TransferOutImportDialog(prompts, this))
    , otherDocumentsImportDialog(new OtherDocumentsImportDialog(prompts, Clock::system(), this))
    , programDir_(programDir)
    , exchange_(exchange)
    , liveSettings_(std::move(liveSettings))
    , prompts_(prompts.forWindow(this))
    , launcher_(launcher)
    , clock_(&Clock::system())
    , queue_(ProductQueueTable::fields())
    , model_(new ProductQueueModel(queue_, this))
    , actions_(new QueueWindowActions(queue_, *model_, *queueGrid, prompts, this))
    , parameterButtons_(new QButtonGroup(this))
    , fillBusyWindow_(new BusyWindow(this))
{
    actions_->checkDialog->setProofSheetFolder(programDir);
    setObjectName(QStringLiteral("TBar1Form"));
    setWindowTitle(QStringLiteral("商品條碼列印 "));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(clientSize);
    setFont(Fonts::sans(9));
    setColour(this, QPalette::Window, lightGreen);

    // Storing the rows of a reply cannot be stopped half-way.
    fillBusyWindow_->cancelButton->hide();
    layOutTitleAndNotes();
    layOutButtons();
    layOutPathBox();
    queueGrid->setObjectName(QStringLiteral("DBGrid1"));
    queueGrid->setGeometry(0, titleHeight, clientSize.width(), notesTop - titleHeight);
    queueGrid->setFont(Fonts::mingWithLatin(14));
    queueGrid->setQueueModel(model_);
    connectHandlers();
    scaleToScreen();
}

ProductLabelWindow::~ProductLabelWindow() = default;

void ProductLabelWindow::layOutTitleAndNotes()
{
    titlePanel->setObjectName(QStringLiteral("Panel1"));
    titlePanel->setGeometry(0, 0, clientSize.width(), titleHeight);
    styleTitle(titlePanel, pink);
    // The title bar's free right end: every designed control keeps its place.
    checkPreviewButton->setGeometry(clientSize.width() - 96, 3, 92, titleHeight - 6);
    checkPreviewButton->raise();

    notesPanel->setObjectName(QStringLiteral("Panel2"));
    notesPanel->setGeometry(0, notesTop, clientSize.width(), notesHeight);
    QLabel *rule = note(QStringLiteral(" ※產品條碼不可空白"), QPoint(4, 3), notesPanel);
    QFont bold = rule->font();
    bold.setBold(true);
    rule->setFont(bold);
    rule->adjustSize();
    setColour(rule, QPalette::WindowText, Qt::red);
    setColour(note(QStringLiteral("呼叫外部條碼路徑[同本身程式目錄]"), QPoint(300, 3), notesPanel),
              QPalette::WindowText, navy);
    setColour(note(QStringLiteral("文字檔為Bars.txt"), QPoint(600, 3), notesPanel), QPalette::WindowText, navy);
}

void ProductLabelWindow::layOutButtons()
{
    buttonPanel->setObjectName(QStringLiteral("FuncPanel"));
    buttonPanel->setGeometry(0, funcPanelTop, clientSize.width(), clientSize.height() - funcPanelTop);
    const struct {
        FocusMarkedButton *button;
        int width;
    } row[] = {
        {exitButton, 58},           {deleteAllButton, 68},       {deleteRowButton, 68},
        {previousRowButton, 26},    {nextRowButton, 26},         {productImportButton, 66},
        {purchaseImportButton, 66}, {stockTakeImportButton, 66}, {transferOutImportButton, 66},
        {documentImportButton, 66}, {exportButton, 80},          {outputSettingsButton, 100},
    };
    int left = 4;
    for (const auto &placed : row) {
        placed.button->setGeometry(left, 5, placed.width, 38);
        left += placed.width + 4;
    }
    // The arrows walk the grid without taking the focus from it.
    previousRowButton->setFocusPolicy(Qt::NoFocus);
    nextRowButton->setFocusPolicy(Qt::NoFocus);
}

void ProductLabelWindow::layOutPathBox()
{
    labelProgramPathCaption->setObjectName(QStringLiteral("Label1"));
    labelProgramPathCaption->move(6, 56);
    labelProgramPathCaption->adjustSize();
    labelProgramPathEdit->setObjectName(QStringLiteral("Edit1"));
    labelProgramPathEdit->setGeometry(122, 52, 380, 24);
    labelProgramPathEdit->setValidator(new Big5LengthValidator(maxPathBytes, labelProgramPathEdit));

    parameterGroup->setObjectName(QStringLiteral("RadioGroup1"));
    parameterGroup->setGeometry(510, 44, 200, 38);
    const QString items[] = {QStringLiteral("無"), QStringLiteral("1"), QStringLiteral("2")};
    for (int item = 0; item < 3; ++item) {
        auto *radio = new QRadioButton(items[item], parameterGroup);
        radio->setGeometry(12 + 64 * item, 16, 56, 18);
        parameterButtons_->addButton(radio, item);
    }
    parameterButtons_->button(0)->setChecked(true);

    editPathCheck->setObjectName(QStringLiteral("CheckBox1"));
    editPathCheck->setGeometry(722, 54, 80, 20);
}

void ProductLabelWindow::connectHandlers()
{
    connect(exitButton, &QPushButton::clicked, this, &ProductLabelWindow::onExit);
    connect(deleteAllButton, &QPushButton::clicked, actions_, &QueueWindowActions::deleteAll);
    connect(deleteRowButton, &QPushButton::clicked, actions_, &QueueWindowActions::deleteCurrent);
    connect(previousRowButton, &QPushButton::clicked, actions_, &QueueWindowActions::movePrevious);
    connect(nextRowButton, &QPushButton::clicked, actions_, &QueueWindowActions::moveNext);
    connect(productImportButton, &QPushButton::clicked, this, &ProductLabelWindow::onProductImport);
    const std::pair<FocusMarkedButton *, DocumentConditionsDialog *> documentImports[] = {
        {purchaseImportButton, purchaseImportDialog},
        {stockTakeImportButton, stockTakeImportDialog},
        {transferOutImportButton, transferOutImportDialog},
        {documentImportButton, otherDocumentsImportDialog},
    };
    for (const auto &[button, dialog] : documentImports) {
        connect(button, &QPushButton::clicked, this, [this, dialog = dialog] { onDocumentImport(*dialog); });
    }
    connect(exportButton, &QPushButton::clicked, this, &ProductLabelWindow::onExport);
    connect(outputSettingsButton, &QPushButton::clicked, this, &ProductLabelWindow::onOutputSettings);
    connect(checkPreviewButton, &QPushButton::clicked, this, &ProductLabelWindow::onCheckPreview);
    actions_->setFieldOfEntry([](QByteArrayView entry) -> QByteArray {
        const std::optional<ProductColumn> column = recogniseProductColumn(entry.toByteArray());
        if (!column) {
            return {};
        }
        switch (column->kind) {
        case ProductColumn::Kind::Field:
            return ProductReplyFields::names()[size_t(column->position)];
        case ProductColumn::Kind::SpecialOrListPrice:
        case ProductColumn::Kind::SpecialPrice:
            return QByteArrayLiteral("MEMBER");
        default:
            return {};
        }
    });
    connect(editPathCheck, &QCheckBox::toggled, this, &ProductLabelWindow::onEditPathToggled);
    connect(labelProgramPathEdit, &QLineEdit::textChanged, this, &ProductLabelWindow::onLabelProgramPathEdited);
    labelProgramPathEdit->installEventFilter(this);
    auto *help = new QShortcut(QKeySequence(Qt::Key_F12), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, [this] {
        if (const QString failure = OpenHelpPage(programDir_, QStringLiteral("Bar1Form.htm")); !failure.isEmpty()) {
            prompts_->plainMessage(failure);
        }
    });
}

void ProductLabelWindow::scaleToScreen()
{
    const double factor = WindowScale::factorFor(*this);
    WindowScale::scaleBy(*this, factor);
    queueGrid->applyLayout(factor);
}

int ProductLabelWindow::labelProgramParameter() const
{
    return std::max(parameterButtons_->checkedId(), 0);
}

void ProductLabelWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        LabelWindowLook::centreOverOwner(*this);
        openQueueAndPath();
    }
}

void ProductLabelWindow::openQueueAndPath()
{
    loading_ = true;
    actions_->openTable(ProductQueueTable::fileName());

    labelProgramSettings_.setNotifier([this](const QString &text) { prompts_->plainMessage(text); });
    labelProgramSettings_.setFileName(QDir(programDir_).filePath(QStringLiteral("BARPRINT.INI")));
    labelProgramSettings_.setSection("barprint");
    labelProgramSettings_.setDataType(DsString);
    labelProgramSettings_.setIdent("FN1");
    StoredBytesField::show(*labelProgramPathEdit, labelProgramSettings_.ReadValue()
                                                      ? labelProgramSettings_.Value().toByteArray()
                                                      : QByteArray());

    DateFormats::useLabelWindowFormats();
    model_->setPriceEditable(liveSettings_().priceOption > 0);
    editPathCheck->setChecked(false);
    labelProgramPathEdit->setEnabled(false);
    exitButton->setFocus();
    loading_ = false;
}

void ProductLabelWindow::closeEvent(QCloseEvent *event)
{
    // An import or export still uses the table; the window closes after it.
    if (busy_) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
    if (event->isAccepted()) {
        closeQueue();
    }
}

void ProductLabelWindow::closeQueue()
{
    actions_->closeTable();
    Q_EMIT closed();
}

void ProductLabelWindow::onExit()
{
    close();
}

void ProductLabelWindow::onProductImport()
{
    runImport(
        QString::fromUtf8(productImportName),
        [this] {
            const BranchList::Choices branches = BranchList::fetch(exchange_, BranchList::Style::CodesOnly);
            importDialog->setBranchChoices(branches.entries, branches.selected);
            importDialog->exec();
            return importDialog->isAccepted();
        },
        [this](ProductQueueSink &sink, const std::function<void(int)> &progress) {
            return runProductImport(exchange_, importDialog->conditions(),
                                    expansionValues(outputSettingsDialog->currentSettings()), sink, progress);
        });
}

void ProductLabelWindow::onDocumentImport(DocumentConditionsDialog &dialog)
{
    runImport(
        QString::fromUtf8(documentImportTraits(dialog.import()).importName),
        [this, &dialog] {
            const BranchList::Choices branches = BranchList::fetch(exchange_, BranchList::Style::CodesOnly);
            dialog.setBranchChoices(branches.entries, branches.selected);
            dialog.exec();
            return dialog.isAccepted();
        },
        [this, &dialog](ProductQueueSink &sink, const std::function<void(int)> &progress) {
            return runDocumentImport(exchange_, dialog.import(), dialog.conditions(),
                                     expansionValues(outputSettingsDialog->currentSettings()), sink, progress);
        });
}

void ProductLabelWindow::runImport(const QString &name, const std::function<bool()> &askConditions,
                                   const ImportRun &run)
{
    queueGrid->commitEdit();
    model_->dropBlankRow();
    const QScopedValueRollback<bool> busy(busy_, true);
    if (!askConditions()) {
        return;
    }
    ProductQueueWriter writer(queue_);
    const ProductImportOutcome outcome =
        run(writer, [this, &name](int rowsAdded) { showImportProgress(name, rowsAdded); });
    fillBusyWindow_->end();
    // The grid shows the new rows, on the last one written, before the message.
    model_->rowsAppendedToQueue();
    if (outcome.kind == ProductImportOutcome::Kind::ExchangeFailed) {
        // Told here, not only in the status line hidden on the main window.
        prompts_->plainMessage(exchangeFailureMessage(exchange_));
    } else if (!outcome.message.isEmpty()) {
        prompts_->embossedMessage(outcome.message);
    }
}

void ProductLabelWindow::showImportProgress(const QString &name, int rowsAdded)
{
    const QString text = QStringLiteral("已存入 %1 筆").arg(rowsAdded);
    if (fillBusyWindow_->isActive()) {
        fillBusyWindow_->setProgressText(text);
    } else {
        fillBusyWindow_->begin(name, text);
    }
    // The windows keep painting while a large reply is stored; the busy
    // window holds back input until the import is done.
    QCoreApplication::processEvents();
}

void ProductLabelWindow::onExport()
{
    queueGrid->commitEdit();
    model_->dropBlankRow();
    const QScopedValueRollback<bool> busy(busy_, true);
    ProductQueueReader rows(queue_);
    const LabelProgramParameter parameters[] = {LabelProgramParameter::None, LabelProgramParameter::One,
                                                LabelProgramParameter::Two};
    const ProductOutputSettings settings = outputSettingsDialog->currentSettings();
    const ProductExportRun run =
        runProductExport(rows, settings, programDir_, *clock_, parameters[labelProgramParameter()], *prompts_,
                         launcher_, [&] { return actions_->reviewBeforeExport(checkProductQueue(rows, settings, clock_->today())); });
    // Rows another program added or changed are what the export wrote: show them.
    model_->catchUpWithQueue();
    // The export walked the whole queue and leaves the grid where the walk ended.
    if (run.launch) {
        model_->setCurrentRow(model_->rowCount() - 1);
    }
    // A label program that will not start is told, or the user waits for it in vain.
    if (run.launch && run.launch->outcome == LabelProgramLaunch::Outcome::StartFailed) {
        prompts_->plainMessage(describe(*run.launch));
    }
}

void ProductLabelWindow::onCheckPreview()
{
    queueGrid->commitEdit();
    model_->dropBlankRow();
    const QScopedValueRollback<bool> busy(busy_, true);
    ProductQueueReader rows(queue_);
    ProductLabelCards cards(rows, outputSettingsDialog->currentSettings(), clock_->today());
    actions_->preview(cards);
}

void ProductLabelWindow::onOutputSettings()
{
    outputSettingsDialog->exec();
}

void ProductLabelWindow::onEditPathToggled()
{
    if (!editPathCheck->isChecked()) {
        return;
    }
    prompts_->embossedMessage(QStringLiteral("[呼叫外部條碼]路徑:更正後離開輸入格即可存入."));
    labelProgramPathEdit->setEnabled(true);
    labelProgramPathEdit->setFocus();
}

void ProductLabelWindow::onLabelProgramPathEdited()
{
    if (loading_) {
        return;
    }
    labelProgramSettings_.setIdent("FN1");
    labelProgramSettings_.setValue(StoredBytesField::bytes(*labelProgramPathEdit));
    pathWriteError_ = labelProgramSettings_.WriteValue() ? QString() : labelProgramSettings_.errorString();
}

void ProductLabelWindow::onLabelProgramPathLeft()
{
    editPathCheck->setChecked(false);
    labelProgramPathEdit->setEnabled(false);
    // The path is stored keystroke by keystroke; a failure is told once, on leaving.
    if (!pathWriteError_.isEmpty()) {
        const QString error = pathWriteError_;
        pathWriteError_.clear();
        prompts_->plainMessage(QStringLiteral("呼叫外部條碼路徑無法存入 BARPRINT.INI：") + error);
    }
}

bool ProductLabelWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == labelProgramPathEdit && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            onLabelProgramPathLeft();
        }
    }
    return QWidget::eventFilter(watched, event);
}
