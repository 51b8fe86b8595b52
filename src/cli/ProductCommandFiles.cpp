#include "cli/ProductCommandFiles.h"

#include "cli/Console.h"
#include "components/ProfileFile.h"
#include "labelqueue/LabelQueue.h"
#include "productlabels/ProductQueueTable.h"
#include "settings/ProductOutputSettings.h"

ProductOutputSettings loadProductSettings(const QString &programDir)
{
    ProfileFile ini;
    ini.setFileName(productOutputSettingsPath(programDir));
    ini.setSection(QByteArrayLiteral("SET"));
    return loadProductOutputSettings(ini);
}

DbfStatus openProductQueue(LabelQueue &queue, DbfTable::Access access)
{
    const DbfStatus opened = queue.open(ProductQueueTable::fileName(), access);
    if (!opened.ok()) {
        return DbfStatus::failure(
            QStringLiteral("Table1 無法開啟 (%1): %2").arg(ProductQueueTable::fileName(), opened.error()));
    }
    return opened;
}

bool openProductQueueOrTell(LabelQueue &queue, DbfTable::Access access)
{
    const DbfStatus opened = openProductQueue(queue, access);
    if (!opened.ok()) {
        Console::err(opened.error());
    }
    return opened.ok();
}
