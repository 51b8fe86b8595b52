#pragma once

#include "components/Prompts.h"
#include "labelqueue/LabelProgramLaunch.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

class QPushButton;
class QTreeWidget;

// "列印記錄": the queue's exports, newest first (time, rows, lines, labels);
// "再轉出" writes the chosen export's bytes to its label file again and starts
// the label program as the export does.
class PrintHistoryDialog : public QDialog
{
    Q_OBJECT

public:
    using Launch = std::function<LabelProgramLaunch()>;
    PrintHistoryDialog(Prompts &prompts, Launch launch, QWidget *parent = nullptr);

    // Lists the exports of queue (a table's file name) kept in historyPath and waits for the user.
    void showFor(const QString &historyPath, const QString &queue);

    QTreeWidget *const exportList;
    QPushButton *const writeAgainButton;
    QPushButton *const closeButton;

private:
    void writeAgain();

    const std::unique_ptr<Prompts> prompts_;
    Launch launch_;
    QString historyPath_;
    QString queue_;
};
