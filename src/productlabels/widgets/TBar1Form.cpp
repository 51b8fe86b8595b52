#include "productlabels/widgets/TBar1Form.h"

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
#include "labelqueue/widgets/LabelQueueGrid.h"
#include "productlabels/DocumentImportRun.h"
#include "productlabels/ProductExport.h"
#include "productlabels/ProductImport.h"
#include "productlabels/ProductQueueAccess.h"
#include "productlabels/ProductQueueModel.h"
#include "productlabels/ProductQueueTable.h"
#include "productlabels/widgets/OtherDocumentsImportDialog.h"
#include "productlabels/widgets/PurchaseImportDialog.h"
#include "productlabels/widgets/StockTakeImportDialog.h"
#include "productlabels/widgets/TBar1SearchForm.h"
#include "productlabels/widgets/TransferOutImportDialog.h"
#include "settings/widgets/TBar3SearchForm.h"

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
#include <QScreen>
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
const QColor navy(0, 0, 128);
const QColor maroon(128, 0, 0);
const QColor darkGreen(0, 100, 0);

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
    if (role == QPalette::Window) {
        widget->setAutoFillBackground(true);
    }
}

FocusMarkedButton *funcButton(const char *name, const QString &caption, const QColor &colour, QWidget *parent)
{
    auto *button = new FocusMarkedButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setFont(Fonts::ming(13));
    // Disabled buttons keep the style's grey.
    QPalette palette = button->palette();
    palette.setColor(QPalette::Active, QPalette::ButtonText, colour);
    palette.setColor(QPalette::Inactive, QPalette::ButtonText, colour);
    button->setPalette(palette);
    return button;
}

QLabel *note(const QString &text, QPoint at, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(Fonts::ming(13));
    label->move(at);
    label->adjustSize();
    return label;
}

} // namespace

TBar1Form::TBar1Form(const QString &programDir, ServerExchange &exchange, SettingsSource liveSettings, Prompts &prompts,
                     ProgramLauncher &launcher, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , Panel1(new QLabel(QStringLiteral("商品條碼列印 "), this))
    , DBGrid1(new LabelQueueGrid(this))
    , Panel2(new QWidget(this))
    , FuncPanel(new QWidget(this))
    , CloseButton(funcButton("CloseButton", QStringLiteral("離開 &X"), maroon, FuncPanel))
    , CBitBtn1(funcButton("CBitBtn1", QStringLiteral("全部刪除&A"), maroon, FuncPanel))
    , DelButton(funcButton("DelButton", QStringLiteral("單筆刪除&D"), maroon, FuncPanel))
    , UpButton(funcButton("UpButton", QStringLiteral("上"), navy, FuncPanel))
    , DownButton(funcButton("DownButton", QStringLiteral("下"), navy, FuncPanel))
    , SearchButton(funcButton("SearchButton", QStringLiteral("產品引入&F"), navy, FuncPanel))
    , buyButton(funcButton("buyButton", QStringLiteral("進貨引入&B"), navy, FuncPanel))
    , pdaButton(funcButton("pdaButton", QStringLiteral("盤點引入&G"), navy, FuncPanel))
    , allotbutton(funcButton("allotbutton", QStringLiteral("出庫引入&H"), navy, FuncPanel))
    , buyoButton(funcButton("buyoButton", QStringLiteral("其他引入&I"), navy, FuncPanel))
    , outButton(funcButton("outButton", QStringLiteral("轉出文字檔&C"), darkGreen, FuncPanel))
    , PrintSetButton(funcButton("PrintSetButton", QStringLiteral("輸出內容設定&S"), darkGreen, FuncPanel))
    , Label1(new QLabel(QStringLiteral("呼叫外部條碼路徑:"), FuncPanel))
    , Edit1(new QLineEdit(FuncPanel))
    , RadioGroup1(new QGroupBox(QStringLiteral("參數"), FuncPanel))
    , CheckBox1(new QCheckBox(QStringLiteral("更改"), FuncPanel))
    , Bar1SearchForm(new TBar1SearchForm(prompts, this))
    , Bar3SearchForm(new TBar3SearchForm(programDir, prompts, this))
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
    , parameterGroup_(new QButtonGroup(this))
    , fillBusyWindow_(new BusyWindow(this))
{
    setObjectName(QStringLiteral("Bar1Form"));
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
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setGeometry(0, titleHeight, clientSize.width(), notesTop - titleHeight);
    DBGrid1->setFont(Fonts::ming(14));
    DBGrid1->setQueueModel(model_);
    connectHandlers();
    FormCreate();
}

TBar1Form::~TBar1Form() = default;

void TBar1Form::layOutTitleAndNotes()
{
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, clientSize.width(), titleHeight);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFont(Fonts::kai(24));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    setColour(Panel1, QPalette::WindowText, navy);
    setColour(Panel1, QPalette::Window, pink);

    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(0, notesTop, clientSize.width(), notesHeight);
    QLabel *rule = note(QStringLiteral(" ※產品條碼不可空白"), QPoint(4, 3), Panel2);
    QFont bold = rule->font();
    bold.setBold(true);
    rule->setFont(bold);
    rule->adjustSize();
    setColour(rule, QPalette::WindowText, Qt::red);
    setColour(note(QStringLiteral("呼叫外部條碼路徑[同本身程式目錄]"), QPoint(300, 3), Panel2), QPalette::WindowText,
              navy);
    setColour(note(QStringLiteral("文字檔為Bars.txt"), QPoint(600, 3), Panel2), QPalette::WindowText, navy);
}

void TBar1Form::layOutButtons()
{
    FuncPanel->setObjectName(QStringLiteral("FuncPanel"));
    FuncPanel->setGeometry(0, funcPanelTop, clientSize.width(), clientSize.height() - funcPanelTop);
    const struct {
        FocusMarkedButton *button;
        int width;
    } row[] = {
        {CloseButton, 58}, {CBitBtn1, 68},     {DelButton, 68}, {UpButton, 26},
        {DownButton, 26},  {SearchButton, 66}, {buyButton, 66}, {pdaButton, 66},
        {allotbutton, 66}, {buyoButton, 66},   {outButton, 80}, {PrintSetButton, 100},
    };
    int left = 4;
    for (const auto &placed : row) {
        placed.button->setGeometry(left, 5, placed.width, 38);
        left += placed.width + 4;
    }
    // The arrows walk the grid without taking the focus from it.
    UpButton->setFocusPolicy(Qt::NoFocus);
    DownButton->setFocusPolicy(Qt::NoFocus);
}

void TBar1Form::layOutPathBox()
{
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(6, 56);
    Label1->adjustSize();
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(122, 52, 380, 24);
    Edit1->setValidator(new Big5LengthValidator(maxPathBytes, Edit1));

    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(510, 44, 200, 38);
    const QString items[] = {QStringLiteral("無"), QStringLiteral("1"), QStringLiteral("2")};
    for (int item = 0; item < 3; ++item) {
        auto *radio = new QRadioButton(items[item], RadioGroup1);
        radio->setGeometry(12 + 64 * item, 16, 56, 18);
        parameterGroup_->addButton(radio, item);
    }
    parameterGroup_->button(0)->setChecked(true);

    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(722, 54, 80, 20);
}

void TBar1Form::connectHandlers()
{
    connect(CloseButton, &QPushButton::clicked, this, &TBar1Form::CloseButtonClick);
    connect(CBitBtn1, &QPushButton::clicked, this, &TBar1Form::CBitBtn1Click);
    connect(DelButton, &QPushButton::clicked, this, &TBar1Form::DelButtonClick);
    connect(UpButton, &QPushButton::clicked, this, &TBar1Form::UpButtonClick);
    connect(DownButton, &QPushButton::clicked, this, &TBar1Form::DownButtonClick);
    connect(SearchButton, &QPushButton::clicked, this, &TBar1Form::SearchButtonClick);
    const std::pair<FocusMarkedButton *, DocumentConditionsDialog *> documentImports[] = {
        {buyButton, purchaseImportDialog},
        {pdaButton, stockTakeImportDialog},
        {allotbutton, transferOutImportDialog},
        {buyoButton, otherDocumentsImportDialog},
    };
    for (const auto &[button, dialog] : documentImports) {
        connect(button, &QPushButton::clicked, this, [this, dialog = dialog] { importDocuments(*dialog); });
    }
    connect(outButton, &QPushButton::clicked, this, &TBar1Form::outButtonClick);
    connect(PrintSetButton, &QPushButton::clicked, this, &TBar1Form::PrintSetButtonClick);
    connect(CheckBox1, &QCheckBox::toggled, this, &TBar1Form::CheckBox1Click);
    connect(Edit1, &QLineEdit::textChanged, this, &TBar1Form::Edit1Change);
    Edit1->installEventFilter(this);
    connect(DBGrid1, &LabelQueueGrid::editRefused, this,
            [this](const QString &message) { prompts_->msg3dShow(message); });
    connect(DBGrid1, &LabelQueueGrid::deleteFailed, this,
            [this](const QString &message) { showTableError(QStringLiteral("單筆刪除"), message); });
    auto *help = new QShortcut(QKeySequence(Qt::Key_F12), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, [this] {
        if (const QString failure = OpenHelpPage(programDir_, QStringLiteral("Bar1Form.htm")); !failure.isEmpty()) {
            prompts_->plainMessage(failure);
        }
    });
}

void TBar1Form::FormCreate()
{
    const double factor = WindowScale::factorFor(*this);
    WindowScale::scaleBy(*this, factor);
    DBGrid1->applyLayout(factor);
}

int TBar1Form::labelProgramParameter() const
{
    return std::max(parameterGroup_->checkedId(), 0);
}

void TBar1Form::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        centreOverOwner();
        FormShow();
    }
}

void TBar1Form::centreOverOwner()
{
    QRect frame = frameGeometry();
    if (const QWidget *owner = parentWidget()) {
        frame.moveCenter(owner->frameGeometry().center());
    } else if (const QScreen *shown = screen()) {
        frame.moveCenter(shown->availableGeometry().center());
    }
    if (const QScreen *shown = screen()) {
        move(WindowScale::keptOnScreen(frame, shown->availableGeometry()));
    } else {
        move(frame.topLeft());
    }
}

void TBar1Form::FormShow()
{
    loading_ = true;
    DbfStatus opened = queue_.open(ProductQueueTable::fileName());
    // A table this user may only read can still be exported.
    if (!opened.ok() && queue_.open(ProductQueueTable::fileName(), DbfTable::Access::ReadOnly).ok()) {
        prompts_->plainMessage(QStringLiteral("「%1」只能讀取（%2）：可以轉出文字檔，不能引入、修改或刪除。")
                                   .arg(ProductQueueTable::fileName(), opened.error()));
        opened = DbfStatus::success();
    }
    model_->reload();
    if (!opened.ok()) {
        prompts_->plainMessage(QStringLiteral("Table1 無法開啟\n") + opened.error());
    }

    Ini1.setNotifier([this](const QString &text) { prompts_->plainMessage(text); });
    Ini1.setFileName(QDir(programDir_).filePath(QStringLiteral("BARPRINT.INI")));
    Ini1.setSection("barprint");
    Ini1.setDataType(DsString);
    Ini1.setIdent("FN1");
    StoredBytesField::show(*Edit1, Ini1.ReadValue() ? Ini1.Value().toByteArray() : QByteArray());

    DateFormats::useLabelWindowFormats();
    model_->setPriceEditable(liveSettings_().priceOption > 0);
    CheckBox1->setChecked(false);
    Edit1->setEnabled(false);
    CloseButton->setFocus();
    loading_ = false;
}

void TBar1Form::closeEvent(QCloseEvent *event)
{
    // An import or export still uses the table; the window closes after it.
    if (busy_) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
    if (event->isAccepted()) {
        FormClose();
    }
}

void TBar1Form::FormClose()
{
    // A count typed into the grid and not yet confirmed is kept, not lost with the table.
    DBGrid1->commitEdit();
    const DbfStatus closedTable = queue_.close();
    model_->reload();
    if (!closedTable.ok()) {
        showTableError(QStringLiteral("關閉"), closedTable.error());
    }
    Q_EMIT closed();
}

void TBar1Form::showTableError(const QString &what, const QString &reason)
{
    prompts_->plainMessage(what + QStringLiteral("失敗：") + reason);
}

void TBar1Form::CloseButtonClick()
{
    close();
}

void TBar1Form::UpButtonClick()
{
    if (queue_.atStart()) {
        prompts_->msg3dShow(QStringLiteral("已是第一筆 !!"));
        return;
    }
    model_->movePrior();
}

void TBar1Form::DownButtonClick()
{
    if (queue_.atEnd()) {
        prompts_->msg3dShow(QStringLiteral("已是最後一筆 !!"));
        return;
    }
    model_->moveNext();
}

void TBar1Form::DelButtonClick()
{
    if (queue_.atStart() && queue_.atEnd()) {
        prompts_->msg3dShow(QStringLiteral("無資料可刪除!!"));
        return;
    }
    const DbfStatus deleted = model_->deleteCurrentRow();
    if (!deleted.ok()) {
        showTableError(QStringLiteral("單筆刪除"), deleted.error());
    }
}

void TBar1Form::CBitBtn1Click()
{
    model_->moveFirst();
    if (queue_.atStart() && queue_.atEnd()) {
        prompts_->msg3dShow(QStringLiteral("無資料可刪除!!"));
        return;
    }
    if (!prompts_->confirmDestructive(QStringLiteral("確定要全部刪除嗎 ?"))) {
        return;
    }
    const DbfStatus emptied = model_->emptyQueue();
    if (!emptied.ok()) {
        showTableError(QStringLiteral("全部刪除"), emptied.error());
    }
}

void TBar1Form::SearchButtonClick()
{
    runImport(
        QString::fromUtf8(productImportName),
        [this] {
            const BranchList::Choices branches = BranchList::fetch(exchange_, BranchList::Style::CodesOnly);
            Bar1SearchForm->setBranchChoices(branches.entries, branches.selected);
            Bar1SearchForm->exec();
            return Bar1SearchForm->isAccepted();
        },
        [this](ProductQueueSink &sink, const std::function<void(int)> &progress) {
            return runProductImport(exchange_, Bar1SearchForm->conditions(),
                                    expansionValues(Bar3SearchForm->currentSettings()), sink, progress);
        });
}

void TBar1Form::importDocuments(DocumentConditionsDialog &dialog)
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
                                     expansionValues(Bar3SearchForm->currentSettings()), sink, progress);
        });
}

void TBar1Form::runImport(const QString &name, const std::function<bool()> &askConditions, const ImportRun &run)
{
    DBGrid1->commitEdit();
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
        prompts_->msg3dShow(outcome.message);
    }
}

void TBar1Form::showImportProgress(const QString &name, int rowsAdded)
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

void TBar1Form::outButtonClick()
{
    DBGrid1->commitEdit();
    model_->dropBlankRow();
    const QScopedValueRollback<bool> busy(busy_, true);
    ProductQueueReader rows(queue_);
    const LabelProgramParameter parameters[] = {LabelProgramParameter::None, LabelProgramParameter::One,
                                                LabelProgramParameter::Two};
    const ProductExportRun run = runProductExport(rows, Bar3SearchForm->currentSettings(), programDir_, *clock_,
                                                  parameters[labelProgramParameter()], *prompts_, launcher_);
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

void TBar1Form::PrintSetButtonClick()
{
    Bar3SearchForm->exec();
}

void TBar1Form::CheckBox1Click()
{
    if (!CheckBox1->isChecked()) {
        return;
    }
    prompts_->msg3dShow(QStringLiteral("[呼叫外部條碼]路徑:更正後離開輸入格即可存入."));
    Edit1->setEnabled(true);
    Edit1->setFocus();
}

void TBar1Form::Edit1Change()
{
    if (loading_) {
        return;
    }
    Ini1.setIdent("FN1");
    Ini1.setValue(StoredBytesField::bytes(*Edit1));
    pathWriteError_ = Ini1.WriteValue() ? QString() : Ini1.errorString();
}

void TBar1Form::Edit1Exit()
{
    CheckBox1->setChecked(false);
    Edit1->setEnabled(false);
    // The path is stored keystroke by keystroke; a failure is told once, on leaving.
    if (!pathWriteError_.isEmpty()) {
        const QString error = pathWriteError_;
        pathWriteError_.clear();
        prompts_->plainMessage(QStringLiteral("呼叫外部條碼路徑無法存入 BARPRINT.INI：") + error);
    }
}

bool TBar1Form::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Edit1 && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            Edit1Exit();
        }
    }
    return QWidget::eventFilter(watched, event);
}
