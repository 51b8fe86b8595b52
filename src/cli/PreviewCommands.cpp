#include "cli/CheckReport.h"
#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/ProductCommandFiles.h"
#include "components/Clock.h"
#include "customerlabels/CustomerLabelCheck.h"
#include "customerlabels/CustomerQueueTable.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueAccess.h"
#include "labelqueue/proof/LabelProofSheet.h"
#include "productlabels/ProductLabelCheck.h"
#include "productlabels/ProductQueueTable.h"

#include <QDir>

namespace {

// "--pdf FILE" and nothing else; empty (with the reason told) when the arguments are wrong.
QString pdfPathOf(const QString &command, const QStringList &arguments)
{
    if (arguments.size() == 2 && arguments[0] == QLatin1String("--pdf") && !arguments[1].isEmpty()) {
        return arguments[1];
    }
    if (arguments.size() == 1 && arguments[0].startsWith(QLatin1String("--pdf=")) && arguments[0].size() > 6) {
        return arguments[0].mid(6);
    }
    Console::err(QStringLiteral("%1: give the proof sheet's file as --pdf FILE").arg(command));
    return {};
}

int writeSheet(LabelCardSource &cards, const QString &command, const QString &path)
{
    const QString failure = writeLabelProofSheet(cards, path);
    if (!failure.isEmpty()) {
        Console::err(command + QStringLiteral(": ") + failure);
        return ExitCode::failed;
    }
    printCheckTotals(cards.report());
    Console::out(QStringLiteral("proof sheet written to ") + QDir::toNativeSeparators(path));
    return ExitCode::ok;
}

int previewProducts(CommandContext &context, const QStringList &arguments)
{
    const QString command = QStringLiteral("preview products");
    const QString path = pdfPathOf(command, arguments);
    if (path.isEmpty()) {
        return ExitCode::usage;
    }
    LabelQueue queue(ProductQueueTable::fields());
    if (!openProductQueueOrTell(queue, DbfTable::Access::ReadOnly)) {
        return ExitCode::failed;
    }
    QueueReader reader(queue, ProductQueueTable::side());
    ProductLabelCards cards(reader, loadProductSettings(context.programDir), Clock::system().today());
    return writeSheet(cards, command, path);
}

int previewCustomers(CommandContext &context, const QStringList &arguments)
{
    const QString command = QStringLiteral("preview customers");
    const QString path = pdfPathOf(command, arguments);
    if (path.isEmpty()) {
        return ExitCode::usage;
    }
    LabelQueue queue(CustomerQueueTable::fields());
    if (!openCustomerQueueOrTell(queue, DbfTable::Access::ReadOnly)) {
        return ExitCode::failed;
    }
    QueueReader reader(queue, CustomerQueueTable::side());
    CustomerLabelCards cards(reader, loadCustomerSettings(context.programDir));
    return writeSheet(cards, command, path);
}

} // namespace

Command previewProductsCommand()
{
    return {{QStringLiteral("preview"), QStringLiteral("products")},
            QStringLiteral("--pdf FILE"),
            QStringLiteral("write bar1.dbf's labels as an A4 proof sheet (PDF) with their barcodes and findings"),
            1,
            2,
            previewProducts};
}

Command previewCustomersCommand()
{
    return {{QStringLiteral("preview"), QStringLiteral("customers")},
            QStringLiteral("--pdf FILE"),
            QStringLiteral("write bar2.DBF's labels as an A4 proof sheet (PDF) with their barcodes and findings"),
            1,
            2,
            previewCustomers};
}
