#include "labelqueue/widgets/QueueUndoControls.h"

#include "components/NumberText.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/LabelQueueModel.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>

QueueUndoControls::QueueUndoControls(QWidget &window, LabelQueue &queue, LabelQueueModel &model, Prompts &prompts,
                                     std::function<void()> settleGrid, QAbstractButton &undoButton, QLabel &statusLine)
    : QObject(&window)
    , queue_(queue)
    , model_(model)
    , prompts_(prompts.forWindow(&window))
    , settleGrid_(std::move(settleGrid))
    , undoButton_(undoButton)
    , statusLine_(statusLine)
{
    auto *undoKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), &window);
    auto *redoKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), &window);
    undoKey->setContext(Qt::WindowShortcut);
    redoKey->setContext(Qt::WindowShortcut);
    // A text being typed keeps both keys: Ctrl+Y is no redo key of a line edit on every platform.
    const auto typing = [] {
        const QWidget *focused = QApplication::focusWidget();
        return qobject_cast<const QLineEdit *>(focused) || qobject_cast<const QAbstractSpinBox *>(focused);
    };
    connect(undoKey, &QShortcut::activated, this, [this, typing] {
        if (!typing()) {
            undo();
        }
    });
    connect(redoKey, &QShortcut::activated, this, [this, typing] {
        if (!typing()) {
            redo();
        }
    });
    connect(&undoButton, &QAbstractButton::clicked, this, &QueueUndoControls::undo);
    // Every change reaches the grid: the text follows it.
    const auto changed = [this] { refresh(); };
    connect(&model, &QAbstractItemModel::modelReset, this, changed);
    connect(&model, &QAbstractItemModel::dataChanged, this, changed);
    connect(&model, &QAbstractItemModel::rowsInserted, this, changed);
    connect(&model, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(&model, &LabelQueueModel::printedRowsChanged, this, changed);
}

void QueueUndoControls::undo()
{
    step(true);
}

void QueueUndoControls::redo()
{
    step(false);
}

void QueueUndoControls::step(bool undoing)
{
    if (settleGrid_) {
        settleGrid_();
    }
    const DbfResult<JournalStep> stepped = undoing ? queue_.undo() : queue_.redo();
    model_.reload();
    if (!stepped.ok()) {
        refresh();
        prompts_->plainMessage(stepped.error());
        return;
    }
    refresh((undoing ? QStringLiteral("已復原：") : QStringLiteral("已重做：")) + stepped.value().description());
}

void QueueUndoControls::refresh(const QString &note)
{
    const std::optional<JournalStep> next = queue_.nextUndo();
    const QString undoText =
        next ? QStringLiteral("復原：") + next->description() : QStringLiteral("沒有可以復原的變更");
    undoButton_.setEnabled(next.has_value());
    undoButton_.setToolTip(undoText + QStringLiteral(" (Ctrl+Z)"));
    QString line = note.isEmpty() ? undoText : note + QStringLiteral("；") + undoText;
    if (model_.printedRows() > 0) {
        // A line of its own: the title bar has room for two short ones, not one long one.
        line += QStringLiteral("\n已列印 %1 / %2 筆")
                    .arg(QString::fromLatin1(groupedWholeNumberText(model_.printedRows())),
                         QString::fromLatin1(groupedWholeNumberText(queue_.rowCount())));
    }
    statusLine_.setText(line);
    statusLine_.setToolTip(line);
}
