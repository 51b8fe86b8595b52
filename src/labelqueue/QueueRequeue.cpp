#include "labelqueue/QueueRequeue.h"

#include "labelqueue/LabelQueue.h"
#include "labelqueue/PrintHistory.h"

#include <QFileInfo>

namespace {

// The queue field of each of the export's field names, -1 for one the table lacks.
QList<int> queueFieldsOf(const LabelQueue &queue, const ExportedRows &rows)
{
    QList<int> fieldOf(rows.fieldNames().size(), -1);
    for (qsizetype position = 0; position < fieldOf.size(); ++position) {
        for (qsizetype field = 0; field < queue.fields().size(); ++field) {
            if (queue.fields().at(field).name.compare(rows.fieldNames().at(position), Qt::CaseInsensitive) == 0) {
                fieldOf[position] = int(field);
            }
        }
    }
    return fieldOf;
}

// The row as a record of the queue; an empty text, or why a value does not fit.
QString recordOf(const LabelQueue &queue, const ExportedRows &rows, const QList<int> &fieldOf, int row,
                 DbfRecord &record)
{
    record = queue.blankRecord();
    for (int position = 0; position < fieldOf.size(); ++position) {
        const int field = fieldOf[position];
        const QByteArrayView value = rows.value(row, position);
        if (field < 0 || value.isEmpty()) {
            continue;
        }
        const QByteArray bytes = value.toByteArray();
        const DbfStatus stored = queue.fields().at(field).type == DbfFieldType::Numeric
                                     ? record.setNumberText(field, bytes)
                                     : record.setText(field, bytes);
        if (!stored.ok()) {
            return QString::fromLatin1(queue.fields().at(field).name) + QStringLiteral("：") + stored.error();
        }
    }
    return QString();
}

} // namespace

DbfResult<int> requeueExport(LabelQueue &queue, qint64 id)
{
    using Result = DbfResult<int>;
    if (!queue.isOpen()) {
        return Result::failure(QStringLiteral("表格沒有開啟，無法加回佇列。"));
    }
    const DbfResult<ExportedRows> exported =
        PrintHistory(QueueJournal::pathBeside(queue.path())).rowsOf(QFileInfo(queue.path()).fileName(), id);
    if (!exported.ok()) {
        return Result::failure(exported.error());
    }
    const ExportedRows &rows = exported.value();
    const QList<int> fieldOf = queueFieldsOf(queue, rows);
    DbfRecord record;
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QString unfit = recordOf(queue, rows, fieldOf, row, record);
        if (!unfit.isEmpty()) {
            return Result::failure(QStringLiteral("第 %1 次轉出的第 %2 筆放不進「%3」（%4），沒有加回佇列。")
                                       .arg(id)
                                       .arg(row + 1)
                                       .arg(QFileInfo(queue.path()).fileName(), unfit));
        }
    }
    DbfStatus status = queue.beginChange({QStringLiteral("加回佇列"), {}, rows.rowCount(), true});
    for (int row = 0; row < rows.rowCount() && status.ok(); ++row) {
        recordOf(queue, rows, fieldOf, row, record);
        status = queue.append(record);
    }
    status = queue.endChange(status);
    if (!status.ok()) {
        return Result::failure(status.error());
    }
    return rows.rowCount();
}
