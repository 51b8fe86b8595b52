#include "labelqueue/widgets/FindBar.h"

#include "labelqueue/LabelQueue.h"
#include "labelqueue/LabelQueueModel.h"
#include "labelqueue/QueueFinder.h"
#include "labelqueue/widgets/LabelQueueGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QShortcut>

#include <algorithm>

namespace {
QString grouped(qint64 number)
{
    return QLocale(QLocale::English).toString(number);
}

QShortcut *shortcut(const QKeySequence &keys, QWidget *on, Qt::ShortcutContext context)
{
    auto *made = new QShortcut(keys, on);
    made->setContext(context);
    return made;
}
} // namespace

FindBar::FindBar(LabelQueueModel &model, LabelQueueGrid &grid, QWidget &window)
    : QFrame(&window)
    , textEdit(new QLineEdit(this))
    , columnChooser(new QComboBox(this))
    , modeChooser(new QComboBox(this))
    , countLabel(new QLabel(this))
    , model_(model)
    , grid_(grid)
    , finder_(new QueueFinder(model.queue(), this))
{
    setObjectName(QStringLiteral("findBar"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    textEdit->setObjectName(QStringLiteral("findText"));
    textEdit->setClearButtonEnabled(true);
    columnChooser->setObjectName(QStringLiteral("findColumn"));
    columnChooser->addItem(QStringLiteral("全部欄位"));
    for (int column = 0; column < model.columnCount(); ++column) {
        columnChooser->addItem(model.column(column).title);
    }
    modeChooser->setObjectName(QStringLiteral("findMode"));
    modeChooser->addItems({QStringLiteral("篩選"), QStringLiteral("尋找")});
    countLabel->setObjectName(QStringLiteral("findCount"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(3, 1, 3, 1);
    layout->addWidget(textEdit, 3);
    layout->addWidget(columnChooser, 2);
    layout->addWidget(modeChooser);
    layout->addWidget(countLabel, 3);
    hide();

    connect(textEdit, &QLineEdit::textChanged, this, &FindBar::startSearch);
    connect(columnChooser, &QComboBox::currentIndexChanged, this, &FindBar::startSearch);
    connect(modeChooser, &QComboBox::currentIndexChanged, this, &FindBar::showFound);
    // Enter takes the user to the rows found.
    connect(textEdit, &QLineEdit::returnPressed, &grid, qOverload<>(&QWidget::setFocus));
    connect(finder_, &QueueFinder::finished, this, &FindBar::showFound);
    connect(shortcut(QKeySequence(Qt::CTRL | Qt::Key_F), &window, Qt::WindowShortcut), &QShortcut::activated, this,
            &FindBar::open);
    connect(shortcut(QKeySequence(Qt::Key_F3), &window, Qt::WindowShortcut), &QShortcut::activated, this,
            &FindBar::findNext);
    connect(shortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), &window, Qt::WindowShortcut), &QShortcut::activated, this,
            &FindBar::findPrevious);
    connect(shortcut(QKeySequence(Qt::Key_Escape), this, Qt::WidgetWithChildrenShortcut), &QShortcut::activated, this,
            &FindBar::close);
    // Esc in the grid closes the bar too; a cell being edited has the key itself.
    grid.installEventFilter(this);
    // Rows edited, added or deleted: what was found before may no longer hold.
    connect(&model, &QAbstractItemModel::dataChanged, this, &FindBar::rowsChanged);
    connect(&model, &QAbstractItemModel::rowsInserted, this, &FindBar::rowsChanged);
    connect(&model, &QAbstractItemModel::rowsRemoved, this, &FindBar::rowsChanged);
    connect(&model, &QAbstractItemModel::modelReset, this, &FindBar::rowsChanged);
}

void FindBar::open()
{
    if (isHidden()) {
        show();
        raise();
        // The text kept from the last time filters again.
        startSearch();
    }
    textEdit->setFocus(Qt::ShortcutFocusReason);
    textEdit->selectAll();
}

void FindBar::close()
{
    const bool hadFocus = isAncestorOf(QApplication::focusWidget());
    hide();
    if (model_.showsChosenRows()) {
        showing_ = true;
        model_.showOnlyRecords(std::nullopt);
        showing_ = false;
    }
    if (hadFocus) {
        grid_.setFocus(Qt::ShortcutFocusReason);
    }
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &grid_ && event->type() == QEvent::KeyPress && isVisible()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            close();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

bool FindBar::isSearching() const
{
    return finder_->isSearching();
}

bool FindBar::filtering() const
{
    return modeChooser->currentIndex() == 0;
}

QList<int> FindBar::searchedFields() const
{
    QList<int> fields;
    const int chosen = columnChooser->currentIndex() - 1;
    for (int column = 0; column < model_.columnCount(); ++column) {
        if (chosen < 0 || column == chosen) {
            fields.append(model_.column(column).field);
        }
    }
    return fields;
}

void FindBar::startSearch()
{
    grid_.commitEdit();
    finder_->search(textEdit->text(), searchedFields());
}

void FindBar::showFound()
{
    if (finder_->isSearching() || isHidden()) {
        return;
    }
    const bool everything = finder_->matchesEverything() && finder_->problem().isEmpty();
    std::optional<std::vector<int>> shown;
    if (filtering() && !everything) {
        shown = finder_->matches();
    }
    showing_ = true;
    if (shown || model_.showsChosenRows()) {
        model_.showOnlyRecords(std::move(shown));
    }
    showing_ = false;
    if (!filtering() && !everything) {
        // The current row when it matches, otherwise the next match.
        const int current = model_.currentRow();
        const std::vector<int> &matches = finder_->matches();
        const int record = model_.queue().recordNumber(model_.queueRow(current));
        if (!std::binary_search(matches.begin(), matches.end(), record)) {
            goToMatch(true);
        }
    }
    showCount();
}

void FindBar::showCount()
{
    if (!finder_->problem().isEmpty()) {
        countLabel->setText(finder_->problem() + QStringLiteral("，沒有符合的資料"));
        return;
    }
    if (finder_->matchesEverything()) {
        countLabel->setText(QStringLiteral("共 %1 筆").arg(grouped(model_.queue().rowCount())));
        return;
    }
    const qint64 found =
        model_.showsChosenRows() ? qint64(model_.chosenRecords().size()) : qint64(finder_->matches().size());
    countLabel->setText(QStringLiteral("符合 %1 / %2 筆").arg(grouped(found), grouped(model_.queue().rowCount())));
}

void FindBar::rowsChanged()
{
    if (showing_) {
        return;
    }
    finder_->forgetResults();
    if (!isHidden()) {
        showCount();
    }
}

void FindBar::findNext()
{
    goToMatch(true);
}

void FindBar::findPrevious()
{
    goToMatch(false);
}

void FindBar::goToMatch(bool forward)
{
    if (isHidden() || finder_->isSearching()) {
        return;
    }
    const std::vector<int> &matches = finder_->matches();
    if (finder_->matchesEverything() || matches.empty()) {
        return;
    }
    const int record = model_.queue().recordNumber(model_.queueRow(model_.currentRow()));
    // Past the last match the search goes round to the first, and back.
    int target = -1;
    if (forward) {
        const auto next = std::upper_bound(matches.begin(), matches.end(), record);
        target = next != matches.end() ? *next : matches.front();
    } else {
        const auto at = std::lower_bound(matches.begin(), matches.end(), record);
        target = at != matches.begin() ? *(at - 1) : matches.back();
    }
    const int row = model_.shownRow(model_.queue().rowOfRecord(target));
    if (row < 0) {
        return;
    }
    grid_.commitEdit();
    model_.setCurrentRow(row);
}
