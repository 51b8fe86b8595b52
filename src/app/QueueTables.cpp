#include "app/QueueTables.h"

#include "components/CaseInsensitivePath.h"
#include "customerlabels/CustomerQueueTable.h"
#include "labelqueue/DbfTable.h"
#include "productlabels/ProductQueueTable.h"

#include <QDir>
#include <QFileInfo>

namespace {

QueueTableCreation createTable(const QDir &directory, const QString &fileName, const QList<DbfFieldSpec> &fields)
{
    QueueTableCreation result;
    const DbfResult<DbfTable::Creation> created = DbfTable::create(directory.filePath(fileName), fields);
    // A table found under another case is reported by the name it has.
    result.fileName = QFileInfo(resolveCaseInsensitive(directory.filePath(fileName))).fileName();
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
