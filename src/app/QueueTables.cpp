#include "app/QueueTables.h"

#include "customerlabels/CustomerQueueTable.h"
#include "labelqueue/DbfTable.h"
#include "productlabels/ProductQueueTable.h"

#include <QDir>

namespace {

QueueTableCreation createTable(const QDir &directory, const QString &fileName, const QList<DbfFieldSpec> &fields)
{
    QueueTableCreation result;
    result.fileName = fileName;
    const DbfResult<DbfTable::Creation> created = DbfTable::create(directory.filePath(fileName), fields);
    if (!created.ok()) {
        result.error = created.error();
    } else {
        result.outcome = created.value() == DbfTable::Creation::Created ? QueueTableCreation::Outcome::Created
                                                                        : QueueTableCreation::Outcome::AlreadyExisted;
    }
    return result;
}

} // namespace

QList<QueueTableCreation> createQueueTables(const QString &directory)
{
    const QDir dir(directory);
    return {
        createTable(dir, ProductQueueTable::fileName(), ProductQueueTable::fields()),
        createTable(dir, CustomerQueueTable::fileName(), CustomerQueueTable::fields()),
    };
}
