#pragma once

#include "components/Prompts.h"

#include <QObject>
#include <QString>

#include <memory>

class LabelQueue;
class LabelQueueModel;
class QAbstractButton;
class QLabel;
class QWidget;

// "復原" in a label window: the button and Ctrl+Z undo the queue's latest
// change, Ctrl+Y makes the latest undone one again. A cell being edited keeps
// both keys for its own text. The button's tooltip and the status line say
// what would be undone; a refusal is told in a message box.
class QueueUndoControls : public QObject
{
    Q_OBJECT

public:
    QueueUndoControls(QWidget &window, LabelQueue &queue, LabelQueueModel &model, Prompts &prompts,
                      std::function<void()> settleGrid, QAbstractButton &undoButton, QLabel &statusLine);

    void undo();
    void redo();
    // Shows what the next undo would do; note (a recovery's, say) goes first when given.
    void refresh(const QString &note = QString());

private:
    void step(bool undoing);

    LabelQueue &queue_;
    LabelQueueModel &model_;
    const std::unique_ptr<Prompts> prompts_;
    std::function<void()> settleGrid_;
    QAbstractButton &undoButton_;
    QLabel &statusLine_;
};
