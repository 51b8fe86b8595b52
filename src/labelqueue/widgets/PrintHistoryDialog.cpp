#include "labelqueue/widgets/PrintHistoryDialog.h"

#include "labelqueue/LabelExport.h"
#include "labelqueue/PrintHistory.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

PrintHistoryDialog::PrintHistoryDialog(Prompts &prompts, Launch launch, QWidget *parent)
    : QDialog(parent)
    , exportList(new QTreeWidget(this))
    , writeAgainButton(new QPushButton(QStringLiteral("再轉出&R"), this))
    , closeButton(new QPushButton(QStringLiteral("關閉"), this))
    , prompts_(prompts.forWindow(this))
    , launch_(std::move(launch))
{
    setObjectName(QStringLiteral("printHistoryDialog"));
    setWindowTitle(QStringLiteral("列印記錄"));
    exportList->setObjectName(QStringLiteral("exportList"));
    exportList->setHeaderLabels({QStringLiteral("轉出時間"), QStringLiteral("筆數"), QStringLiteral("行數"),
                                 QStringLiteral("張數"), QStringLiteral("前幾筆")});
    exportList->setRootIsDecorated(false);
    exportList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    writeAgainButton->setObjectName(QStringLiteral("writeAgainButton"));
    closeButton->setObjectName(QStringLiteral("closeButton"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(writeAgainButton);
    buttons->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(exportList);
    layout->addLayout(buttons);
    resize(520, 360);
    connect(writeAgainButton, &QPushButton::clicked, this, &PrintHistoryDialog::writeAgain);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(exportList, &QTreeWidget::itemActivated, this, &PrintHistoryDialog::writeAgain);
}

void PrintHistoryDialog::showFor(const QString &historyPath, const QString &queue)
{
    historyPath_ = historyPath;
    queue_ = queue;
    exportList->clear();
    const DbfResult<std::vector<PrintedExport>> exports = PrintHistory(historyPath).exports(queue);
    if (!exports.ok()) {
        prompts_->plainMessage(exports.error());
        return;
    }
    for (const PrintedExport &printed : exports.value()) {
        auto *item = new QTreeWidgetItem(exportList, {printed.made.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")),
                                                      QString::number(printed.rows), QString::number(printed.lines),
                                                      QString::number(printed.labels), printed.firstNames});
        item->setData(0, Qt::UserRole, printed.id);
    }
    exportList->setCurrentItem(exportList->topLevelItem(0));
    writeAgainButton->setEnabled(exportList->topLevelItemCount() > 0);
    exportList->setFocus();
    exec();
}

void PrintHistoryDialog::writeAgain()
{
    const QTreeWidgetItem *chosen = exportList->currentItem();
    if (!chosen) {
        return;
    }
    const DbfResult<PrintedExport> written =
        PrintHistory(historyPath_).writeAgain(queue_, chosen->data(0, Qt::UserRole).toLongLong());
    if (!written.ok()) {
        prompts_->plainMessage(written.error());
        return;
    }
    prompts_->embossedMessage(QString::fromUtf8(exportDoneText) + QDir::toNativeSeparators(written.value().labelFile));
    const LabelProgramLaunch started = launch_();
    if (started.outcome == LabelProgramLaunch::Outcome::StartFailed) {
        prompts_->plainMessage(describe(started));
    }
}
