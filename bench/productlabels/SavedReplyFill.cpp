#include "SavedReplyFill.h"

#include "exchange/ServerReply.h"
#include "labelqueue/FillQueueFromReply.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueAccess.h"
#include "productlabels/ProductQueueTable.h"

#include <QDir>
#include <QFile>

#include <cstdio>

int fillFromSavedReply(const QString &replyPath, const QString &directory, std::optional<double> countOverride)
{
    QFile file(replyPath);
    if (!file.open(QIODevice::ReadOnly)) {
        return 1;
    }
    const ServerReply reply(file.readAll());
    LabelQueue queue(ProductQueueTable::fields());
    if (!queue.open(QDir(directory).filePath(ProductQueueTable::fileName())).ok()) {
        return 1;
    }
    QueueWriter writer(queue, ProductQueueTable::side());
    FillOptions options;
    options.countOverride = countOverride;
    const FillResult result = fillQueueFromReply(reply, writer, ProductQueueTable::side(), options);
    if (!result.ok()) {
        std::fprintf(stderr, "fill: %s\n", qPrintable(result.error));
        return 1;
    }
    return 0;
}
