#pragma once

#include "components/Prompts.h"

#include <QObject>
#include <QString>

class LabelQueue;
class LabelQueueGrid;
class LabelQueueModel;

// What both label windows do with their queue: open and close the table,
// walk it ("上", "下"), delete the current row and every row, and tell the
// user what the table refused, in the window that asked.
class QueueWindowActions : public QObject
{
    Q_OBJECT

public:
    QueueWindowActions(LabelQueue &queue, LabelQueueModel &model, LabelQueueGrid &grid, Prompts &prompts,
                       QObject *parent = nullptr);

    // Opens the table by its bare name, only for reading (and says so) when it
    // cannot be written; a failure says "Table1 無法開啟" and leaves it closed.
    void openTable(const QString &fileName);
    // Keeps a count typed but not yet confirmed, then closes the table.
    void closeTable();

    void movePrevious();
    void moveNext();
    void deleteCurrent();
    // Asks "確定要全部刪除嗎 ?" with No as the default (No is the answer unless Yes is chosen).
    void deleteAll();

    void showTableError(const QString &what, const QString &reason);

private:
    bool isEmpty() const;

    LabelQueue &queue_;
    LabelQueueModel &model_;
    LabelQueueGrid &grid_;
    const std::unique_ptr<Prompts> prompts_;
};
