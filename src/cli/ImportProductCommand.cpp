#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/ImportReport.h"
#include "cli/OptionWalk.h"
#include "cli/QueueCommandFiles.h"
#include "labelqueue/LabelQueue.h"
#include "productlabels/ProductImport.h"
#include "productlabels/ProductQueueAccess.h"
#include "productlabels/ProductQueueTable.h"

#include <climits>

namespace {
// The conditions dialog's text fields and their length limits in bytes.
struct TextOption {
    const char *name;
    QByteArray ProductConditions::*field;
    int limit;
};

const TextOption textOptions[] = {
    {"item1", &ProductConditions::item1, 20},     {"sitem", &ProductConditions::sitem, 20},
    {"eitem", &ProductConditions::eitem, 20},     {"barcode", &ProductConditions::barcode, 20},
    {"cate_no", &ProductConditions::cate_no, 20}, {"kind_no", &ProductConditions::kind_no, 20},
    {"supp_no", &ProductConditions::supp_no, 20}, {"color", &ProductConditions::color, 12},
    {"sizes", &ProductConditions::sizes, 12},     {"price-branch", &ProductConditions::priceBranch, 20},
};

struct ImportRequest {
    ProductConditions conditions;
    bool all = false;
    QString error;
};

ImportRequest parseImport(const QStringList &arguments)
{
    ImportRequest request;
    OptionWalk options(arguments);
    while (options.next()) {
        const QString &name = options.name();
        if (name == QLatin1String("--isquan") && options.isFlag()) {
            request.conditions.isquan = true;
        } else if (name == QLatin1String("--all") && options.isFlag()) {
            request.all = true;
        } else if (name == QLatin1String("--count")) {
            if (const std::optional<int> count = options.wholeNumber(INT_MIN + 1, INT_MAX)) {
                request.conditions.count = *count;
            }
        } else {
            const auto option = std::find_if(std::begin(textOptions), std::end(textOptions), [&](const TextOption &o) {
                return name == QLatin1String("--") + QLatin1String(o.name);
            });
            if (option == std::end(textOptions)) {
                options.failUnknown();
            } else if (const std::optional<QByteArray> text = options.big5Value(option->limit)) {
                request.conditions.*(option->field) = *text;
            }
        }
    }
    request.error = options.error();
    return request;
}

int importProduct(CommandContext &context, const QStringList &arguments)
{
    ImportRequest request = parseImport(arguments);
    if (!request.error.isEmpty()) {
        Console::err(QStringLiteral("import product: ") + request.error);
        return ExitCode::usage;
    }
    if (checkProductConditions(request.conditions) == ProductConditionsCheck::AskImportAll && !request.all) {
        Console::err(QStringLiteral("import product: no condition given. ") + QString::fromUtf8(importAllQuestion));
        Console::err(QStringLiteral("Give --all to import every product."));
        return ExitCode::usage;
    }
    const ProductOutputSettings settings = loadProductSettings(context.programDir);
    LabelQueue queue(ProductQueueTable::fields());
    const DbfStatus opened = openQueueTable(queue, ProductQueueTable::fileName());
    if (!opened.ok()) {
        Console::err(opened.error());
        return ExitCode::failed;
    }
    ProductQueueWriter writer(queue);
    const ImportOutcome outcome =
        runProductImport(context.exchange, request.conditions, expansionValues(settings), writer);
    return reportImport(context, QStringLiteral("import product"), outcome, ProductQueueTable::fileName());
}
} // namespace

Command importProductCommand()
{
    return {{QStringLiteral("import"), QStringLiteral("product")},
            QStringLiteral("[--CONDITION X]... [--isquan] [--count N] [--all] [--price-branch B]"),
            QStringLiteral("append products to bar1.dbf in the working directory; CONDITION is item1, sitem, eitem, "
                           "barcode, cate_no, kind_no, supp_no, color or sizes"),
            0,
            64,
            importProduct};
}
