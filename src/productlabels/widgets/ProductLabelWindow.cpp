#include "productlabels/widgets/ProductLabelWindow.h"

#include "components/Clock.h"
#include "components/Prompts.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/Fonts.h"
#include "components/widgets/WindowScale.h"
#include "exchange/BranchList.h"
#include "labelqueue/CountRuleStore.h"
#include "labelqueue/widgets/LabelQueueGrid.h"
#include "labelqueue/widgets/LabelWindowBehaviour.h"
#include "labelqueue/widgets/LabelWindowLook.h"
#include "labelqueue/widgets/QueueWindowActions.h"
#include "productlabels/DocumentImportRun.h"
#include "productlabels/ProductColumns.h"
#include "productlabels/ProductExport.h"
#include "productlabels/ProductImport.h"
#include "productlabels/ProductLabelCheck.h"
#include "productlabels/ProductQueueModel.h"
#include "productlabels/ProductQueueTable.h"
#include "productlabels/widgets/OtherDocumentsImportDialog.h"
#include "productlabels/widgets/ProductImportDialog.h"
#include "productlabels/widgets/PurchaseImportDialog.h"
#include "productlabels/widgets/StockTakeImportDialog.h"
#include "productlabels/widgets/TransferOutImportDialog.h"
#include "settings/widgets/ProductOutputSettingsDialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr QSize clientSize(812, 400);
constexpr int titleHeight = 34;
constexpr int notesTop = 292;
constexpr int notesHeight = 22;
constexpr int funcPanelTop = notesTop + notesHeight;

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
    , countRuleButton(rowButton("countRuleButton", QStringLiteral("張數規則&N"), darkGreen, this))
    , findButton(rowButton("findButton", QStringLiteral("尋找篩選&E"), darkGreen, this))
    , undoButton(rowButton("undoButton", QStringLiteral("復原&U"), darkGreen, this))
    , printHistoryButton(rowButton("printHistoryButton", QStringLiteral("列印記錄&L"), darkGreen, this))
    , journalStatusLine(new QLabel(this))
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
    , behaviour_(new LabelWindowBehaviour(*this, queue_, ProductQueueTable::side(), *model_, *queueGrid, exchange,
                                          prompts, programDir))
{
    setObjectName(QStringLiteral("TBar1Form"));
    setWindowTitle(QStringLiteral("商品條碼列印 "));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(clientSize);
    setFont(Fonts::sans(9));
    setColour(this, QPalette::Window, lightGreen);

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
    behaviour_->placeTitleBarControls(
        {*checkPreviewButton, *countRuleButton, *findButton, *undoButton, *printHistoryButton, *journalStatusLine},
        clientSize.width(), titleHeight);

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
    behaviour_->attachPathBox(*labelProgramPathEdit, productLabelProgramIni());

    parameterGroup->setObjectName(QStringLiteral("RadioGroup1"));
    parameterGroup->setGeometry(510, 44, 200, 38);
    behaviour_->fillParameterGroup(*parameterGroup);

    editPathCheck->setObjectName(QStringLiteral("CheckBox1"));
    editPathCheck->setGeometry(722, 54, 80, 20);
}

void ProductLabelWindow::connectHandlers()
{
    QueueWindowActions *actions = &behaviour_->actions();
    connect(exitButton, &QPushButton::clicked, this, &ProductLabelWindow::onExit);
    connect(deleteAllButton, &QPushButton::clicked, actions, &QueueWindowActions::deleteAll);
    connect(deleteRowButton, &QPushButton::clicked, actions, &QueueWindowActions::deleteCurrent);
    connect(previousRowButton, &QPushButton::clicked, actions, &QueueWindowActions::movePrevious);
    connect(nextRowButton, &QPushButton::clicked, actions, &QueueWindowActions::moveNext);
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
    connect(countRuleButton, &QPushButton::clicked, this, &ProductLabelWindow::onCountRule);
    behaviour_->setCountRuleKinds(productCountRuleKinds());
    behaviour_->attachUndo(*undoButton, *journalStatusLine);
    behaviour_->attachPrintHistory(*printHistoryButton, [this] {
        return launchProductLabelProgram(programDir_, behaviour_->parameter(), launcher_);
    });
    actions->setFieldOfEntry([](QByteArrayView entry) -> QByteArray {
        const std::optional<ProductColumn> column = recogniseProductColumn(entry.toByteArray());
        if (!column) {
            return {};
        }
        switch (column->kind) {
        case ProductColumn::Kind::Field:
            return ProductQueueTable::fields()[column->field].name;
        case ProductColumn::Kind::SpecialOrListPrice:
        case ProductColumn::Kind::SpecialPrice:
            return QByteArrayLiteral("MEMBER");
        default:
            return {};
        }
    });
    connect(editPathCheck, &QCheckBox::toggled, this, &ProductLabelWindow::onEditPathToggled);
    connect(behaviour_, &LabelWindowBehaviour::pathBoxLeft, this, &ProductLabelWindow::onLabelProgramPathLeft);
}

void ProductLabelWindow::scaleToScreen()
{
    const double factor = WindowScale::factorFor(*this);
    WindowScale::scaleBy(*this, factor);
    queueGrid->applyLayout(factor);
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
    behaviour_->openQueue();
    model_->setPriceEditable(liveSettings_().priceOption > 0);
    editPathCheck->setChecked(false);
    labelProgramPathEdit->setEnabled(false);
    exitButton->setFocus();
}

void ProductLabelWindow::closeEvent(QCloseEvent *event)
{
    // An import or export still uses the table; the window closes after it.
    if (behaviour_->isBusy()) {
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
    behaviour_->closeQueue();
    Q_EMIT closed();
}

void ProductLabelWindow::onExit()
{
    close();
}

void ProductLabelWindow::onProductImport()
{
    behaviour_->runImport(
        QString::fromUtf8(productImportName), productCountRuleKinds()[0].key,
        [this] {
            importDialog->setBranchChoices(BranchList::fetch(exchange_, BranchList::Style::CodesOnly));
            importDialog->exec();
            return importDialog->isAccepted();
        },
        [this](ReplyRecordSink &sink, const std::function<void(int)> &progress) {
            return runProductImport(exchange_, importDialog->conditions(),
                                    expansionValues(outputSettingsDialog->currentSettings()), sink, progress);
        });
}

void ProductLabelWindow::onDocumentImport(DocumentConditionsDialog &dialog)
{
    // The document imports follow the product import in the kinds, in their own order.
    behaviour_->runImport(
        QString::fromUtf8(documentImportTraits(dialog.import()).importName),
        productCountRuleKinds()[int(dialog.import()) + 1].key,
        [this, &dialog] {
            dialog.setBranchChoices(BranchList::fetch(exchange_, BranchList::Style::CodesOnly));
            dialog.exec();
            return dialog.isAccepted();
        },
        [this, &dialog](ReplyRecordSink &sink, const std::function<void(int)> &progress) {
            return runDocumentImport(exchange_, dialog.import(), dialog.conditions(),
                                     expansionValues(outputSettingsDialog->currentSettings()), sink, progress);
        });
}

void ProductLabelWindow::onExport()
{
    behaviour_->runExport([this](QueueRowSource &rows, Prompts &prompts) {
        const ProductOutputSettings settings = outputSettingsDialog->currentSettings();
        return runProductExport(rows, settings, programDir_, *clock_, behaviour_->parameter(), prompts, launcher_, [&] {
            return behaviour_->actions().reviewBeforeExport(checkProductQueue(rows, settings, clock_->today()));
        });
    });
}

void ProductLabelWindow::onCheckPreview()
{
    behaviour_->runPreview([this](QueueRowSource &rows) {
        ProductLabelCards cards(rows, outputSettingsDialog->currentSettings(), clock_->today());
        behaviour_->actions().preview(cards);
    });
}

void ProductLabelWindow::onCountRule()
{
    behaviour_->runCountRule();
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

void ProductLabelWindow::onLabelProgramPathLeft()
{
    editPathCheck->setChecked(false);
    labelProgramPathEdit->setEnabled(false);
}
