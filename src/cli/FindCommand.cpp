#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/MatchingRows.h"
#include "cli/ProductCommandFiles.h"
#include "customerlabels/CustomerQueueTable.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/LabelQueueModel.h"
#include "productlabels/ProductQueueTable.h"

#include <QLocale>

#include <functional>

namespace {
struct FindSide {
    QString command;
    const QList<DbfFieldSpec> &fields;
    const QList<QueueColumn> &columns;
    std::function<bool(LabelQueue &)> open;
};

// Prints the matching rows as the grid shows them: ROW, then each column's text.
int findRows(const FindSide &side, const QStringList &arguments)
{
    MatchingRows matching;
    matching.text = arguments.value(0);
    QStringList options = arguments.mid(1);
    if (options.size() == 2 && options[0] == QLatin1String("--column")) {
        matching.column = options[1];
    } else if (!options.isEmpty()) {
        Console::err(QStringLiteral("%1: the options are TEXT [--column NAME]").arg(side.command));
        return ExitCode::usage;
    }
    if (!matching.chooseFields(side.command, side.fields, side.columns)) {
        return ExitCode::usage;
    }
    LabelQueue queue(side.fields);
    if (!side.open(queue)) {
        return ExitCode::failed;
    }
    QString error;
    const std::vector<int> found = matching.find(queue, error);
    if (!error.isEmpty()) {
        Console::err(side.command + QStringLiteral(": ") + error);
    }
    LabelQueueModel grid(queue, side.columns);
    for (const int recordNumber : found) {
        const int row = queue.rowOfRecord(recordNumber);
        QStringList values{QString::number(row + 1)};
        for (int column = 0; column < grid.columnCount(); ++column) {
            values.append(grid.data(grid.index(row, column)).toString());
        }
        Console::outFields(values);
    }
    const QLocale english(QLocale::English);
    Console::out(QStringLiteral("%1 of %2 rows")
                     .arg(english.toString(qlonglong(found.size())), english.toString(queue.rowCount())));
    return ExitCode::ok;
}
} // namespace

Command findProductsCommand()
{
    return {{QStringLiteral("find"), QStringLiteral("products")},
            QStringLiteral("TEXT [--column NAME]"),
            QStringLiteral("print the rows of bar1.dbf holding every word of TEXT (in one column: a field name or a "
                           "grid title), then \"N of M rows\""),
            1,
            3,
            [](CommandContext &, const QStringList &arguments) {
                return findRows(
                    {QStringLiteral("find products"), ProductQueueTable::fields(), ProductQueueTable::columns(),
                     [](LabelQueue &queue) { return openProductQueueOrTell(queue, DbfTable::Access::ReadOnly); }},
                    arguments);
            }};
}

Command findCustomersCommand()
{
    return {{QStringLiteral("find"), QStringLiteral("customers")},
            QStringLiteral("TEXT [--column NAME]"),
            QStringLiteral("print the rows of bar2.DBF holding every word of TEXT (in one column: a field name or a "
                           "grid title), then \"N of M rows\""),
            1,
            3,
            [](CommandContext &, const QStringList &arguments) {
                return findRows(
                    {QStringLiteral("find customers"), CustomerQueueTable::fields(), CustomerQueueTable::columns(),
                     [](LabelQueue &queue) { return openCustomerQueueOrTell(queue, DbfTable::Access::ReadOnly); }},
                    arguments);
            }};
}
