#include "labelqueue/widgets/ChosenRowsQuestion.h"

#include "components/Prompts.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/LabelQueueModel.h"
#include "labelqueue/QueueRowSubset.h"
#include "labelqueue/widgets/LabelQueueGrid.h"

#include <QLocale>

ChosenRowsQuestion ChosenRowsQuestion::ask(Prompts &prompts, const LabelQueueModel &model, const LabelQueueGrid &grid,
                                           QueueRowSource &allRows, int quantityField, const QString &verb)
{
    ChosenRowsQuestion question;
    const LabelQueue &queue = model.queue();
    std::vector<int> records;
    for (const int row : grid.selectedRows()) {
        const int recordNumber = queue.recordNumber(model.queueRow(row));
        if (recordNumber >= 0) {
            records.push_back(recordNumber);
        }
    }
    QString which = QStringLiteral("選取的");
    if (records.size() < 2) {
        if (!model.showsChosenRows()) {
            return question;
        }
        records = model.chosenRecords();
        which = QStringLiteral("篩選出的");
    }
    QueueRowSubset chosen(allRows, queue, records);
    qint64 labels = 0;
    const QString unreadable = countLabels(chosen, quantityField, labels);
    const QLocale english(QLocale::English);
    QString text = QStringLiteral("只%1%2 %3 筆").arg(verb, which, english.toString(qlonglong(chosen.rowCount())));
    // Without the labels when they cannot be read: the action itself then tells why.
    if (unreadable.isEmpty()) {
        text += QStringLiteral(" (%1 張)").arg(english.toString(labels));
    }
    text += QStringLiteral("？");
    switch (prompts.chooseYesNoCancel(text)) {
    case Prompts::Choice::Yes:
        question.answer = Answer::ChosenRows;
        question.recordNumbers = std::move(records);
        break;
    case Prompts::Choice::No:
        question.answer = Answer::AllRows;
        break;
    case Prompts::Choice::Cancel:
        question.answer = Answer::Cancel;
        break;
    }
    return question;
}
