#pragma once

#include "components/Prompts.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QString>

#include <functional>

class LabelCardSource;
class LabelCheckDialog;
class LabelQueue;
class LabelQueueGrid;
class LabelQueueModel;
struct LabelCheckReport;

// What both label windows do with their queue: open and close the table,
// walk it ("上", "下") over the rows shown, delete the current row, the
// selected rows and every row, and tell the
// user what the table refused, in the window that asked; show what the check
// of the labels found and take the user to the row a finding names.
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
    // The current row at once; several selected rows after one question
    // naming their number, with No as the default.
    void deleteCurrent();
    void deleteSelected();
    // Asks "確定要全部刪除嗎 ?" with No as the default (No is the answer unless Yes is chosen).
    void deleteAll();

    void showTableError(const QString &what, const QString &reason);

    // The queue field an output column entry reads (empty when none), so a
    // finding can take the user to its cell.
    void setFieldOfEntry(std::function<QByteArray(QByteArrayView entry)> fieldOfEntry);
    // Before an export: true at once when report found nothing; otherwise
    // the findings, and true only for "照樣轉出" ("到這一筆" selects the cell).
    bool reviewBeforeExport(const LabelCheckReport &report);
    // "檢查預覽": the findings and the cards; "到這一筆" selects the cell.
    void preview(LabelCardSource &cards);
    // While the rows reviewed are some of the queue's: the queue's row each
    // reviewed row is, so "到這一筆" finds it; nullptr when they are all.
    void setReviewedRows(std::function<int(int row)> queueRowOf);

    LabelCheckDialog *const checkDialog;

private:
    void goToChosenRow();
    int gridColumnOfField(QByteArrayView name) const;
    int gridColumnOf(QByteArrayView entry) const;

    bool isEmpty() const;

    LabelQueue &queue_;
    LabelQueueModel &model_;
    LabelQueueGrid &grid_;
    const std::unique_ptr<Prompts> prompts_;
    std::function<QByteArray(QByteArrayView entry)> fieldOfEntry_;
    std::function<int(int row)> reviewedQueueRow_;
};
