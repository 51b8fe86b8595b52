#include "cli/QueueCommandFiles.h"

#include "components/TIni.h"
#include "labelqueue/LabelQueue.h"
#include "settings/CustomerOutputSettings.h"
#include "settings/ProductOutputSettings.h"

namespace {
TIni settingsFile(const QString &path)
{
    TIni ini;
    ini.setFileName(path);
    ini.setSection(QByteArrayLiteral("SET"));
    return ini;
}
} // namespace

ProductOutputSettings loadProductSettings(const QString &programDir)
{
    TIni ini = settingsFile(productOutputSettingsPath(programDir));
    return loadProductOutputSettings(ini);
}

CustomerOutputSettings loadCustomerSettings(const QString &programDir)
{
    TIni ini = settingsFile(customerOutputSettingsPath(programDir));
    return loadCustomerOutputSettings(ini);
}

DbfStatus openQueueTable(LabelQueue &queue, const QString &fileName)
{
    const DbfStatus opened = queue.open(fileName);
    if (!opened.ok()) {
        return DbfStatus::failure(QStringLiteral("Table1 無法開啟 (%1): %2").arg(fileName, opened.error()));
    }
    return opened;
}
