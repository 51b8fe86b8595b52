#pragma once

#include "components/Prompts.h"
#include "labelqueue/DbfResult.h"
#include "labelqueue/ExportedRowsModel.h"
#include "labelqueue/LabelProgramLaunch.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QTableView;
class QTreeWidget;

// "列印記錄": the queue's exports, newest first (time, rows, lines, labels,
// the first rows' names), the rows and settings of the one chosen, "再轉出"
// (its bytes to its label file again, then the label program as the export
// starts it) and "加回佇列" (its rows appended to the queue, undoable).
class PrintHistoryDialog : public QDialog
{
    Q_OBJECT

public:
    using Launch = std::function<LabelProgramLaunch()>;
    // Appends export id's rows to the queue; the rows added, or why not.
    using Requeue = std::function<DbfResult<int>(qint64 id)>;
    PrintHistoryDialog(Prompts &prompts, Launch launch, Requeue requeue, QList<ExportedRowsModel::Column> columns,
                       QWidget *parent = nullptr);

    // Lists the exports of queue (a table's file name) kept in historyPath and waits for the user.
    void showFor(const QString &historyPath, const QString &queue);

    QTreeWidget *const exportList;
    QLabel *const settingsLine;
    QTableView *const rowsView;
    QPushButton *const writeAgainButton;
    QPushButton *const requeueButton;
    QPushButton *const closeButton;

private:
    qint64 chosenExport() const;
    void showChosenRows();
    void writeAgain();
    void requeue();

    const std::unique_ptr<Prompts> prompts_;
    Launch launch_;
    Requeue requeue_;
    ExportedRowsModel rows_;
    QString historyPath_;
    QString queue_;
};
