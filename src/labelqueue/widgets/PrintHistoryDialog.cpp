#include "labelqueue/widgets/PrintHistoryDialog.h"

#include "components/Big5.h"
#include "labelqueue/LabelExport.h"
#include "labelqueue/PrintHistory.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

PrintHistoryDialog::PrintHistoryDialog(Prompts &prompts, Launch launch, Requeue requeue,
                                       QList<ExportedRowsModel::Column> columns, QWidget *parent)
    : QDialog(parent)
    , exportList(new QTreeWidget(this))
    , settingsLine(new QLabel(this))
    , rowsView(new QTableView(this))
    , writeAgainButton(new QPushButton(QStringLiteral("再轉出&R"), this))
    , requeueButton(new QPushButton(QStringLiteral("加回佇列&Q"), this))
    , closeButton(new QPushButton(QStringLiteral("關閉"), this))
    , prompts_(prompts.forWindow(this))
    , launch_(std::move(launch))
    , requeue_(std::move(requeue))
    , rows_(std::move(columns))
{
    setObjectName(QStringLiteral("printHistoryDialog"));
    setWindowTitle(QStringLiteral("列印記錄"));
    exportList->setObjectName(QStringLiteral("exportList"));
    exportList->setHeaderLabels({QStringLiteral("轉出時間"), QStringLiteral("筆數"), QStringLiteral("行數"),
                                 QStringLiteral("張數"), QStringLiteral("前幾筆")});
    exportList->setRootIsDecorated(false);
    exportList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    settingsLine->setObjectName(QStringLiteral("settingsLine"));
    settingsLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    settingsLine->setWordWrap(true);
    rowsView->setObjectName(QStringLiteral("rowsView"));
    rowsView->setModel(&rows_);
    rowsView->setSelectionBehavior(QAbstractItemView::SelectRows);
    rowsView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rowsView->verticalHeader()->setDefaultSectionSize(rowsView->fontMetrics().height() + 4);
    writeAgainButton->setObjectName(QStringLiteral("writeAgainButton"));
    requeueButton->setObjectName(QStringLiteral("requeueButton"));
    closeButton->setObjectName(QStringLiteral("closeButton"));
    auto *chosen = new QWidget(this);
    auto *chosenLayout = new QVBoxLayout(chosen);
    chosenLayout->setContentsMargins(0, 0, 0, 0);
    chosenLayout->addWidget(settingsLine);
    chosenLayout->addWidget(rowsView);
    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(exportList);
    split->addWidget(chosen);
    split->setChildrenCollapsible(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(writeAgainButton);
    buttons->addWidget(requeueButton);
    buttons->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(split);
    layout->addLayout(buttons);
    resize(760, 520);
    connect(writeAgainButton, &QPushButton::clicked, this, &PrintHistoryDialog::writeAgain);
    connect(requeueButton, &QPushButton::clicked, this, &PrintHistoryDialog::requeue);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(exportList, &QTreeWidget::itemActivated, this, &PrintHistoryDialog::writeAgain);
    connect(exportList, &QTreeWidget::currentItemChanged, this, &PrintHistoryDialog::showChosenRows);
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
    showChosenRows();
    exportList->setFocus();
    exec();
}

qint64 PrintHistoryDialog::chosenExport() const
{
    const QTreeWidgetItem *chosen = exportList->currentItem();
    return chosen ? chosen->data(0, Qt::UserRole).toLongLong() : 0;
}

void PrintHistoryDialog::showChosenRows()
{
    const qint64 id = chosenExport();
    writeAgainButton->setEnabled(id > 0);
    const DbfResult<ExportedRows> rows =
        id > 0 ? PrintHistory(historyPath_).rowsOf(queue_, id) : DbfResult<ExportedRows>::failure(QString());
    requeueButton->setEnabled(rows.ok());
    if (!rows.ok()) {
        rows_.clear();
        settingsLine->setText(rows.error());
        settingsLine->setToolTip(QString());
        return;
    }
    const QString settings = Big5::decode(rows.value().settings()).trimmed();
    settingsLine->setText(QStringLiteral("設定：") +
                          QString(settings).replace(QLatin1Char('\n'), QStringLiteral("  ")));
    settingsLine->setToolTip(settings);
    rows_.setRows(rows.value());
}

void PrintHistoryDialog::writeAgain()
{
    const qint64 id = chosenExport();
    if (id <= 0) {
        return;
    }
    const DbfResult<PrintedExport> written = PrintHistory(historyPath_).writeAgain(queue_, id);
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

void PrintHistoryDialog::requeue()
{
    const qint64 id = chosenExport();
    if (id <= 0) {
        return;
    }
    const DbfResult<int> added = requeue_(id);
    if (!added.ok()) {
        prompts_->plainMessage(added.error());
        return;
    }
    prompts_->plainMessage(QStringLiteral("已加回佇列：%1 筆（「復原」可以取消）").arg(added.value()));
}
