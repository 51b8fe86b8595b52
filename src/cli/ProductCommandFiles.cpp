#include "cli/ProductCommandFiles.h"

#include "cli/Console.h"
#include "components/ProfileFile.h"
#include "customerlabels/CustomerQueueTable.h"
#include "labelqueue/LabelQueue.h"
#include "productlabels/ProductQueueTable.h"
#include "settings/CustomerOutputSettings.h"
#include "settings/ProductOutputSettings.h"

namespace {
ProfileFile settingsFile(const QString &path)
{
    ProfileFile ini;
    ini.setFileName(path);
    ini.setSection(QByteArrayLiteral("SET"));
    return ini;
}

DbfStatus openQueue(LabelQueue &queue, const QString &fileName, DbfTable::Access access)
{
    const DbfStatus opened = queue.open(fileName, access);
    if (!opened.ok()) {
        return DbfStatus::failure(QStringLiteral("Table1 無法開啟 (%1): %2").arg(fileName, opened.error()));
    }
    if (access == DbfTable::Access::ReadWrite) {
        queue.setJournal(std::make_shared<QueueJournal>(QueueJournal::pathBeside(queue.path())));
        for (const QString &note : queue.recoverJournal()) {
            Console::err(note);
        }
    }
    return opened;
}

bool toldWhenFailed(const DbfStatus &opened)
{
    if (!opened.ok()) {
        Console::err(opened.error());
    }
    return opened.ok();
}
} // namespace

ProductOutputSettings loadProductSettings(const QString &programDir)
{
    ProfileFile ini = settingsFile(productOutputSettingsPath(programDir));
    return loadProductOutputSettings(ini);
}

CustomerOutputSettings loadCustomerSettings(const QString &programDir)
{
    ProfileFile ini = settingsFile(customerOutputSettingsPath(programDir));
    return loadCustomerOutputSettings(ini);
}

DbfStatus openProductQueue(LabelQueue &queue, DbfTable::Access access)
{
    return openQueue(queue, ProductQueueTable::fileName(), access);
}

DbfStatus openCustomerQueue(LabelQueue &queue, DbfTable::Access access)
{
    return openQueue(queue, CustomerQueueTable::fileName(), access);
}

bool openProductQueueOrTell(LabelQueue &queue, DbfTable::Access access)
{
    return toldWhenFailed(openProductQueue(queue, access));
}

bool openCustomerQueueOrTell(LabelQueue &queue, DbfTable::Access access)
{
    return toldWhenFailed(openCustomerQueue(queue, access));
}

const QueueSide &NamedQueue::side() const
{
    return products ? ProductQueueTable::side() : CustomerQueueTable::side();
}

bool NamedQueue::openOrTell(LabelQueue &queue, DbfTable::Access access) const
{
    return products ? openProductQueueOrTell(queue, access) : openCustomerQueueOrTell(queue, access);
}

std::optional<NamedQueue> namedQueue(const QString &command, const QString &name)
{
    if (name != QLatin1String("products") && name != QLatin1String("customers")) {
        Console::err(command + QStringLiteral(": say products or customers, not \"%1\"").arg(name));
        return std::nullopt;
    }
    return NamedQueue{name == QLatin1String("products")};
}
