#include "labelqueue/widgets/LabelWindowBehaviour.h"

#include "components/DateFormats.h"
#include "components/HelpPage.h"
#include "components/Prompts.h"
#include "components/widgets/Big5LengthValidator.h"
#include "components/widgets/BusyWindow.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/StoredBytesField.h"
#include "exchange/ExchangeFailureText.h"
#include "exchange/ServerExchange.h"
#include "labelqueue/CountRuleAfterImport.h"
#include "labelqueue/LabelExport.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/LabelQueueModel.h"
#include "labelqueue/QueueAccess.h"
#include "labelqueue/QueueCounts.h"
#include "labelqueue/QueueRequeue.h"
#include "labelqueue/QueueRowSubset.h"
#include "labelqueue/QueueSide.h"
#include "labelqueue/widgets/ChosenRowsQuestion.h"
#include "labelqueue/widgets/CountRuleDialog.h"
#include "labelqueue/widgets/FindBar.h"
#include "labelqueue/widgets/LabelCheckDialog.h"
#include "labelqueue/widgets/LabelQueueGrid.h"
#include "labelqueue/widgets/PrintHistoryDialog.h"
#include "labelqueue/widgets/QueueUndoControls.h"
#include "labelqueue/widgets/QueueWindowActions.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QShortcut>

namespace {
// Windows keep program paths to 259 characters.
constexpr int maxPathBytes = 259;
} // namespace

LabelWindowBehaviour::LabelWindowBehaviour(QWidget &window, LabelQueue &queue, const QueueSide &side,
                                           LabelQueueModel &model, LabelQueueGrid &grid, ServerExchange &exchange,
                                           Prompts &prompts, const QString &programDir)
    : QObject(&window)
    , window_(window)
    , queue_(queue)
    , side_(side)
    , model_(model)
    , grid_(grid)
    , exchange_(exchange)
    , prompts_(prompts.forWindow(&window))
    , programDir_(programDir)
    , actions_(new QueueWindowActions(queue, model, grid, prompts, this))
    , countRuleDialog_(new CountRuleDialog(prompts, programDir, &window))
    , fillBusyWindow_(new BusyWindow(&window))
    , parameterButtons_(new QButtonGroup(this))
{
    // Storing the rows of a reply cannot be stopped half-way.
    fillBusyWindow_->cancelButton->hide();
    actions_->checkDialog->setProofSheetFolder(programDir);
    auto *help = new QShortcut(QKeySequence(Qt::Key_F12), &window);
    help->setContext(Qt::WindowShortcut);
    auto *countRule = new QShortcut(QKeySequence(Qt::Key_F8), &window);
    countRule->setContext(Qt::WindowShortcut);
    connect(countRule, &QShortcut::activated, this, &LabelWindowBehaviour::runCountRule);
    connect(help, &QShortcut::activated, this, [this] {
        openHelpPage(programDir_, QStringLiteral("Bar1Form.htm"), this, [this](const QString &failure) {
            if (!failure.isEmpty()) {
                prompts_->plainMessage(failure);
            }
        });
    });
}

LabelWindowBehaviour::~LabelWindowBehaviour() = default;

void LabelWindowBehaviour::placeTitleBarControls(const TitleBarControls &controls, int width, int titleHeight)
{
    const int height = titleHeight - 6;
    // The right end: every designed control keeps its place. The find button
    // is narrower, so the window's title between the two ends stays in sight.
    controls.checkPreview.setGeometry(width - 96, 3, 92, height);
    controls.countRule.setGeometry(controls.checkPreview.x() - 96, 3, 92, height);
    controls.find.setGeometry(controls.countRule.x() - 80, 3, 76, height);
    // The left end: undo, the print history and the status line of the queue's changes.
    controls.undo.setGeometry(4, 3, 76, height);
    controls.printHistory.setGeometry(84, 3, 76, height);
    controls.journalStatus.setObjectName(QStringLiteral("journalStatusLine"));
    controls.journalStatus.setGeometry(164, 3, 136, height);
    controls.journalStatus.setWordWrap(true);
    for (QWidget *control :
         std::initializer_list<QWidget *>{&controls.checkPreview, &controls.countRule, &controls.find, &controls.undo,
                                          &controls.printHistory, &controls.journalStatus}) {
        control->raise();
    }
    // Over the left end and the title (Ctrl+Z and Ctrl+Y still work meanwhile).
    findBar_ = new FindBar(model_, grid_, window_);
    findBar_->setGeometry(4, 3, controls.find.x() - 8, height);
    connect(&controls.find, &QPushButton::clicked, findBar_, &FindBar::open);
}

void LabelWindowBehaviour::fillParameterGroup(QGroupBox &group)
{
    const QString items[] = {QStringLiteral("無"), QStringLiteral("1"), QStringLiteral("2")};
    for (int item = 0; item < 3; ++item) {
        auto *radio = new QRadioButton(items[item], &group);
        radio->setGeometry(12 + 64 * item, 16, 56, 18);
        parameterButtons_->addButton(radio, item);
    }
    parameterButtons_->button(0)->setChecked(true);
}

LabelProgramParameter LabelWindowBehaviour::parameter() const
{
    const LabelProgramParameter parameters[] = {LabelProgramParameter::None, LabelProgramParameter::One,
                                                LabelProgramParameter::Two};
    return parameters[std::max(parameterButtons_->checkedId(), 0)];
}

QAbstractButton *LabelWindowBehaviour::parameterButton(int index) const
{
    return parameterButtons_->button(index);
}

void LabelWindowBehaviour::attachPathBox(QLineEdit &edit, const LabelProgramIni &ini)
{
    pathEdit_ = &edit;
    pathIni_ = ini;
    edit.setValidator(new Big5LengthValidator(maxPathBytes, &edit));
    connect(&edit, &QLineEdit::textChanged, this, &LabelWindowBehaviour::storePath);
    edit.installEventFilter(this);
}

void LabelWindowBehaviour::attachUndo(QAbstractButton &undoButton, QLabel &statusLine)
{
    undo_ = new QueueUndoControls(
        window_, queue_, model_, *prompts_, [this] { settleGrid(); }, undoButton, statusLine);
}

void LabelWindowBehaviour::attachPrintHistory(QAbstractButton &button, std::function<LabelProgramLaunch()> launch)
{
    QList<ExportedRowsModel::Column> columns;
    for (int column = 0; column < model_.columnCount(); ++column) {
        columns.append({queue_.fields().at(model_.column(column).field).name, model_.column(column).title,
                        model_.isNumeric(column)});
    }
    const auto requeue = [this](qint64 id) {
        const DbfResult<int> added = requeueExport(queue_, id);
        model_.rowsAppendedToQueue();
        return added;
    };
    printHistory_ = new PrintHistoryDialog(*prompts_, std::move(launch), requeue, columns, &window_);
    const auto show = [this] {
        settleGrid();
        const QFileInfo table(queue_.isOpen() ? queue_.path() : side_.tableFileName);
        printHistory_->showFor(QueueJournal::pathBeside(table.absoluteFilePath()), table.fileName());
    };
    connect(&button, &QAbstractButton::clicked, this, show);
    auto *key = new QShortcut(QKeySequence(Qt::Key_F9), &window_);
    key->setContext(Qt::WindowShortcut);
    connect(key, &QShortcut::activated, this, show);
}

void LabelWindowBehaviour::openQueue()
{
    const QScopedValueRollback<bool> loading(loading_, true);
    actions_->openTable(side_.tableFileName);
    QStringList notes;
    if (queue_.isOpen()) {
        queue_.setJournal(std::make_shared<QueueJournal>(QueueJournal::pathBeside(queue_.path())));
        notes = queue_.recoverJournal();
        model_.catchUpWithQueue();
    }
    if (undo_) {
        undo_->refresh(notes.join(QStringLiteral("；")));
    }
    if (pathEdit_) {
        pathFile_.setNotifier([this](const QString &text) { prompts_->plainMessage(text); });
        pathFile_.setFileName(QDir(programDir_).filePath(pathIni_.fileName));
        pathFile_.setSection(pathIni_.section);
        pathFile_.setDataType(ProfileValueType::String);
        pathFile_.setIdent("FN1");
        StoredBytesField::show(*pathEdit_, pathFile_.readValue() ? pathFile_.value().toByteArray() : QByteArray());
    }
    DateFormats::useLabelWindowFormats();
}

void LabelWindowBehaviour::closeQueue()
{
    if (findBar_) {
        findBar_->close();
    }
    actions_->closeTable();
}

void LabelWindowBehaviour::storePath()
{
    if (loading_) {
        return;
    }
    pathFile_.setIdent("FN1");
    pathFile_.setValue(StoredBytesField::bytes(*pathEdit_));
    pathWriteError_ = pathFile_.writeValue() ? QString() : pathFile_.errorString();
}

bool LabelWindowBehaviour::eventFilter(QObject *watched, QEvent *event)
{
    if (pathEdit_ && watched == pathEdit_ && event->type() == QEvent::FocusOut) {
        // Another window or a menu taking the focus does not leave the box.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            Q_EMIT pathBoxLeft();
            // The path is stored keystroke by keystroke; a failure is told once, on leaving.
            if (!pathWriteError_.isEmpty()) {
                const QString error = pathWriteError_;
                pathWriteError_.clear();
                prompts_->plainMessage(QStringLiteral("呼叫外部條碼路徑無法存入 ") + pathIni_.fileName +
                                       QStringLiteral("：") + error);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void LabelWindowBehaviour::settleGrid()
{
    grid_.commitEdit();
    model_.dropBlankRow();
}

void LabelWindowBehaviour::runImport(const QString &name, const QByteArray &countRuleKind,
                                     const std::function<bool()> &askConditions, const ImportRun &run)
{
    settleGrid();
    const QScopedValueRollback<bool> busy(busy_, true);
    if (!askConditions()) {
        return;
    }
    QueueWriter writer(queue_, side_);
    AddedRowsSink added(writer, queue_);
    ImportOutcome outcome = run(added, [this, &name](int rowsAdded) { showImportProgress(name, rowsAdded); });
    const QString counted = applyStoredCountRule(countRuleKind, added.recordNumbers());
    if (!counted.isEmpty()) {
        outcome.message += (outcome.message.isEmpty() ? QString() : QStringLiteral("\n")) + counted;
    }
    fillBusyWindow_->end();
    // The grid shows the new rows, on the last one written, before the message.
    model_.rowsAppendedToQueue();
    if (outcome.kind == ImportOutcome::Kind::ExchangeFailed) {
        // Told here, not only in the status line hidden on the main window.
        prompts_->plainMessage(exchangeFailureMessage(exchange_));
    } else if (!outcome.message.isEmpty()) {
        prompts_->embossedMessage(outcome.message);
    }
}

QString LabelWindowBehaviour::applyStoredCountRule(const QByteArray &kind, const std::vector<int> &recordNumbers)
{
    if (recordNumbers.empty()) {
        return QString();
    }
    CountRuleStore store(programDir_);
    store.load();
    if (!store.problem().isEmpty()) {
        return store.problem();
    }
    const std::optional<StoredCountRule> stored = store.rule(kind);
    if (!stored || !stored->automatic) {
        return QString();
    }
    return applyCountRuleAfterImport(queue_, side_, stored->rule, recordNumbers);
}

void LabelWindowBehaviour::setCountRuleKinds(const QList<CountRuleKind> &kinds)
{
    countRuleDialog_->setKinds(kinds);
}

void LabelWindowBehaviour::runCountRule()
{
    settleGrid();
    const QScopedValueRollback<bool> busy(busy_, true);
    const std::vector<int> selected = grid_.selectedRows();
    CountTarget target;
    QString scope = QStringLiteral("全部 %1 筆").arg(queue_.rowCount());
    if (selected.size() < 2 && model_.showsChosenRows()) {
        target.recordNumbers = model_.chosenRecords();
        scope = QStringLiteral("篩選出的 %1 筆").arg(target.recordNumbers->size());
    } else if (selected.size() > 1) {
        std::vector<int> records;
        for (const int row : selected) {
            records.push_back(queue_.recordNumber(model_.queueRow(row)));
        }
        target.recordNumbers = std::move(records);
        scope = QStringLiteral("選取的 %1 筆").arg(selected.size());
    }
    const QueueCountRows rows = readQueueCounts(queue_, side_, target);
    if (!rows.error.isEmpty()) {
        actions_->showTableError(QStringLiteral("張數規則"), rows.error);
        return;
    }
    if (!countRuleDialog_->ask(rows, scope)) {
        return;
    }
    const CountOutcome outcome = applyCountRuleToQueue(queue_, side_, countRuleDialog_->rule(), target);
    model_.rowsRewritten();
    if (!outcome.status.ok()) {
        actions_->showTableError(QStringLiteral("張數規則"),
                                 outcome.status.error() + QStringLiteral("\n張數都沒有變更。"));
        return;
    }
    prompts_->embossedMessage(QStringLiteral("張數規則完成\n") + countSummary(outcome.plan));
}

void LabelWindowBehaviour::showImportProgress(const QString &name, int rowsAdded)
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

void LabelWindowBehaviour::runExport(const std::function<ExportRun(QueueRowSource &rows, Prompts &prompts)> &run)
{
    settleGrid();
    const QScopedValueRollback<bool> busy(busy_, true);
    QueueReader allRows(queue_, side_);
    std::optional<QueueRowSubset> chosen;
    QueueRowSource *rows = chooseRows(allRows, QStringLiteral("轉出"), chosen);
    if (!rows) {
        return;
    }
    const ExportRun done = run(*rows, *prompts_);
    actions_->setReviewedRows(nullptr);
    // Rows another program added or changed are what the export wrote: show them.
    if (!model_.catchUpWithQueue() && done.result.kind == ExportResult::Kind::Written) {
        model_.refreshPrinted();
    }
    // The export walked the whole queue and leaves the grid where the walk ended.
    if (done.launch) {
        model_.setCurrentRow(model_.rowCount() - 1);
    }
    // A label program that will not start is told, or the user waits for it in vain.
    if (done.launch && done.launch->outcome == LabelProgramLaunch::Outcome::StartFailed) {
        prompts_->plainMessage(describe(*done.launch));
    }
}

void LabelWindowBehaviour::runPreview(const std::function<void(QueueRowSource &rows)> &show)
{
    settleGrid();
    const QScopedValueRollback<bool> busy(busy_, true);
    QueueReader allRows(queue_, side_);
    std::optional<QueueRowSubset> chosen;
    if (QueueRowSource *rows = chooseRows(allRows, QStringLiteral("預覽"), chosen)) {
        show(*rows);
        actions_->setReviewedRows(nullptr);
    }
}

QueueRowSource *LabelWindowBehaviour::chooseRows(QueueReader &allRows, const QString &verb,
                                                 std::optional<QueueRowSubset> &chosenRows)
{
    const ChosenRowsQuestion chosen =
        ChosenRowsQuestion::ask(*prompts_, model_, grid_, allRows, side_.replyFields.first(), verb);
    switch (chosen.answer) {
    case ChosenRowsQuestion::Answer::Cancel:
        return nullptr;
    case ChosenRowsQuestion::Answer::AllRows:
        return &allRows;
    case ChosenRowsQuestion::Answer::ChosenRows:
        break;
    }
    QueueRowSubset &subset = chosenRows.emplace(allRows, queue_, chosen.recordNumbers);
    // A finding names a row of the subset; the grid goes to the queue's row it is.
    actions_->setReviewedRows([&subset](int row) { return subset.queueRow(row); });
    return &subset;
}
