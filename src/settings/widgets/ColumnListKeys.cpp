#include "settings/widgets/ColumnListKeys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

bool isEnter(const QKeyEvent &key)
{
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
           !(key.modifiers() & ~Qt::KeypadModifier & ~Qt::ShiftModifier);
}

QListWidgetItem *chosenItem(const QListWidget *list)
{
    QListWidgetItem *item = list->currentItem();
    return item && item->isSelected() ? item : nullptr;
}

} // namespace

ColumnListKeys::ColumnListKeys(const Controls &controls, QObject *parent)
    : QObject(parent)
    , controls_(controls)
{}

ColumnListKeys *ColumnListKeys::install(const Controls &controls, QObject *parent)
{
    auto *keys = new ColumnListKeys(controls, parent);
    for (QObject *watched : {static_cast<QObject *>(controls.chosen), static_cast<QObject *>(controls.catalogue),
                             static_cast<QObject *>(controls.customText)}) {
        watched->installEventFilter(keys);
    }
    for (QAbstractButton *button : {controls.add, controls.remove, controls.addCustom}) {
        button->setFocusPolicy(Qt::StrongFocus);
        if (auto *push = qobject_cast<QPushButton *>(button)) {
            push->setAutoDefault(true);
        }
    }
    connect(controls.catalogue, &QListWidget::itemDoubleClicked, controls.add, &QAbstractButton::click);
    return keys;
}

bool ColumnListKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    const auto &key = *static_cast<QKeyEvent *>(event);
    if (watched == controls_.catalogue && isEnter(key)) {
        controls_.add->click();
        return true;
    }
    if (watched == controls_.customText && isEnter(key)) {
        controls_.addCustom->click();
        return true;
    }
    if (watched == controls_.chosen && key.key() == Qt::Key_Delete && key.modifiers() == Qt::NoModifier) {
        removeChosen();
        return true;
    }
    if (watched == controls_.chosen && (key.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier &&
        (key.key() == Qt::Key_Up || key.key() == Qt::Key_Down)) {
        moveChosen(key.key() == Qt::Key_Up ? -1 : 1);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ColumnListKeys::removeChosen()
{
    const int row = controls_.chosen->currentRow();
    if (!chosenItem(controls_.chosen)) {
        return;
    }
    controls_.remove->click();
    // The keyboard stays on the entry that took the removed one's place.
    if (controls_.chosen->count() > 0) {
        controls_.chosen->setCurrentRow(std::min(row, controls_.chosen->count() - 1));
    }
}

void ColumnListKeys::moveChosen(int step)
{
    QListWidget *list = controls_.chosen;
    const int row = list->currentRow();
    const int target = row + step;
    if (!chosenItem(list) || target < 0 || target >= list->count()) {
        return;
    }
    list->insertItem(target, list->takeItem(row));
    list->setCurrentRow(target);
}
