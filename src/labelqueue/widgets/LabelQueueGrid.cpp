#include "labelqueue/widgets/LabelQueueGrid.h"

#include "components/widgets/EnterMovesFocus.h"
#include "components/widgets/WindowScale.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/LabelQueueModel.h"
#include "labelqueue/widgets/QueueCellDelegate.h"
#include "labelqueue/widgets/QueueGridHeaders.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QStyle>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int indicatorWidth = 11;
constexpr int cellPadding = 4;

bool isCtrlDelete(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Delete && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

bool leftTheWindowOnly(const QFocusEvent *event)
{
    return event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
}

} // namespace

LabelQueueGrid::LabelQueueGrid(QWidget *parent)
    : QTableView(parent)
    , titles_(new QueueTitleHeader(this))
    , indicator_(new RowIndicatorHeader(this))
    , delegate_(new QueueCellDelegate(this))
{
    setHorizontalHeader(titles_);
    setVerticalHeader(indicator_);
    titles_->setSectionResizeMode(QHeaderView::Interactive);
    setItemDelegate(delegate_);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setShowGrid(true);
    setWordWrap(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(delegate_, &QueueCellDelegate::editorCreated, this, &LabelQueueGrid::watchEditor);
    EnterMovesFocus::install(this);
}

void LabelQueueGrid::setQueueModel(LabelQueueModel *model)
{
    if (model_) {
        disconnect(model_, nullptr, this, nullptr);
    }
    model_ = model;
    setModel(model);
    if (!model) {
        return;
    }
    connect(model, &LabelQueueModel::currentRowChanged, this, &LabelQueueGrid::followModelRow);
    // Queued: a message box opened while the editor commits would take its
    // focus and commit it a second time.
    connect(model, &LabelQueueModel::errorOccurred, this, &LabelQueueGrid::editRefused, Qt::QueuedConnection);
    followModelRow(model->currentRow());
}

void LabelQueueGrid::applyLayout(double factor)
{
    const QFontMetrics cells = fontMetrics();
    indicator_->setMinimumSectionSize(1);
    indicator_->setDefaultSectionSize(cells.height() + cellPadding);
    indicator_->setIndicatorWidth(WindowScale::scaled(indicatorWidth, factor));
    if (!model_) {
        return;
    }
    const int digit = cells.horizontalAdvance(QLatin1Char('0'));
    // A text field's bytes may all be Chinese: two bytes a character, each
    // character wider than two digits in the grid's fonts.
    const int doubleByte = cells.horizontalAdvance(QChar(0x570B));
    // The margins the cell's painter keeps on either side of its text.
    const int textMargins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    for (int column = 0; column < model_->columnCount(); ++column) {
        const int stated = model_->column(column).width;
        const int chars = model_->displayChars(column);
        const int content =
            model_->isNumeric(column) ? chars * digit : std::max(chars * digit, (chars + 1) / 2 * doubleByte);
        const int width =
            stated > 0 ? WindowScale::scaled(stated, factor)
                       : std::max(content + textMargins + cellPadding, titles_->widthFor(model_->column(column).title));
        setColumnWidth(column, width);
    }
}

QWidget *LabelQueueGrid::openEditor() const
{
    if (state() != EditingState) {
        return nullptr;
    }
    QWidget *focus = QApplication::focusWidget();
    return focus && focus != this && focus != viewport() && isAncestorOf(focus) ? focus : nullptr;
}

void LabelQueueGrid::commitEdit()
{
    if (QWidget *editor = openEditor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

std::vector<int> LabelQueueGrid::selectedRows() const
{
    // By ranges: a whole selected queue of 100,000 rows is one range, not millions of cells.
    std::vector<bool> selected(size_t(model_ ? model_->rowCount() : 0));
    for (const QItemSelectionRange &range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom() && row < int(selected.size()); ++row) {
            selected[size_t(row)] = true;
        }
    }
    std::vector<int> rows;
    for (size_t row = 0; row < selected.size(); ++row) {
        if (selected[row]) {
            rows.push_back(int(row));
        }
    }
    return rows;
}

bool LabelQueueGrid::leavesPastTheEnd(CursorAction cursorAction, const QModelIndex &current) const
{
    const int rows = model_->rowCount();
    if (rows == 0) {
        return cursorAction == MoveDown || cursorAction == MoveNext;
    }
    if (!current.isValid() || current.row() != rows - 1) {
        return false;
    }
    return cursorAction == MoveDown || (cursorAction == MoveNext && current.column() == model_->columnCount() - 1);
}

QModelIndex LabelQueueGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = currentIndex();
    if (!model_ || !leavesPastTheEnd(cursorAction, current)) {
        return QTableView::moveCursor(cursorAction, modifiers);
    }
    // A change typed into the last row is stored first: it is that row then,
    // and the new row comes after it.
    commitEdit();
    if (model_->hasBlankRow() && current.row() == model_->rowCount() - 1) {
        return current;
    }
    syncing_ = true;
    const int row = model_->appendBlankRow();
    syncing_ = false;
    if (row < 0) {
        return current;
    }
    const int column = cursorAction == MoveNext ? 0 : std::max(current.column(), 0);
    return model_->index(row, column);
}

QItemSelectionModel::SelectionFlags LabelQueueGrid::selectionCommand(const QModelIndex &index,
                                                                     const QEvent *event) const
{
    // Shift and Ctrl extend the selection only from the keyboard or the mouse;
    // a move made by the program marks the new cell alone.
    if (!event) {
        return QItemSelectionModel::ClearAndSelect;
    }
    return QTableView::selectionCommand(index, event);
}

void LabelQueueGrid::keyPressEvent(QKeyEvent *event)
{
    if (isCtrlDelete(event)) {
        deleteCurrentRow();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool LabelQueueGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != this && event->type() == QEvent::KeyPress && isCtrlDelete(static_cast<QKeyEvent *>(event))) {
        deleteCurrentRow();
        return true;
    }
    if (watched != this && event->type() == QEvent::FocusOut && !leftTheWindowOnly(static_cast<QFocusEvent *>(event))) {
        QTimer::singleShot(0, this, &LabelQueueGrid::dropNewRowIfLeft);
    }
    return QTableView::eventFilter(watched, event);
}

void LabelQueueGrid::watchEditor(QWidget *editor)
{
    editor->installEventFilter(this);
}

void LabelQueueGrid::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    if (!leftTheWindowOnly(event)) {
        QTimer::singleShot(0, this, &LabelQueueGrid::dropNewRowIfLeft);
    }
}

void LabelQueueGrid::dropNewRowIfLeft()
{
    const QWidget *focus = QApplication::focusWidget();
    if (model_ && model_->hasBlankRow() && !(focus && (focus == this || isAncestorOf(focus)))) {
        model_->dropBlankRow();
    }
}

void LabelQueueGrid::deleteCurrentRow()
{
    if (!model_ || model_->rowCount() == 0) {
        return;
    }
    if (QWidget *editor = openEditor()) {
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    }
    if (selectedRows().size() > 1) {
        Q_EMIT deleteSelectedAsked();
        return;
    }
    // The row deleted is the row the grid marks.
    if (currentIndex().isValid() && currentIndex().row() != model_->currentRow()) {
        model_->setCurrentRow(currentIndex().row());
    }
    const DbfStatus deleted = model_->deleteCurrentRow();
    if (!deleted.ok()) {
        Q_EMIT deleteFailed(deleted.error());
    }
}

void LabelQueueGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // Committing the cell left behind moves the queue to that cell's row;
    // the queue is to follow the grid here, not the other way round.
    const bool wasSyncing = syncing_;
    syncing_ = true;
    QTableView::currentChanged(current, previous);
    if (model_ && !wasSyncing && current.isValid() && current.row() != previous.row()) {
        model_->setCurrentRow(current.row());
    }
    syncing_ = wasSyncing;
    indicator_->setCurrentRow(current.isValid() ? current.row() : -1);
}

void LabelQueueGrid::rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end)
{
    // The grid puts its current cell on a neighbouring row here, while the
    // queue is still busy removing; the queue announces its own row afterwards.
    const bool wasSyncing = syncing_;
    syncing_ = true;
    QTableView::rowsAboutToBeRemoved(parent, start, end);
    syncing_ = wasSyncing;
}

void LabelQueueGrid::followModelRow(int row)
{
    if (syncing_ || !model_) {
        return;
    }
    syncing_ = true;
    if (row < 0 || row >= model_->rowCount()) {
        setCurrentIndex(QModelIndex());
    } else if (currentIndex().row() != row) {
        const QModelIndex target = model_->index(row, std::max(currentIndex().column(), 0));
        setCurrentIndex(target);
        scrollTo(target);
    }
    syncing_ = false;
    indicator_->setCurrentRow(currentIndex().isValid() ? currentIndex().row() : -1);
}
