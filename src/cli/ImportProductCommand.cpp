#include "app/ServerExchange.h"
#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/ExchangeReport.h"
#include "cli/ProductCommandFiles.h"
#include "components/Big5.h"
#include "labelqueue/LabelQueue.h"
#include "productlabels/ProductImport.h"
#include "productlabels/ProductQueueAccess.h"
#include "productlabels/ProductQueueTable.h"

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
    for (qsizetype i = 0; i < arguments.size() && request.error.isEmpty(); ++i) {
        QString name = arguments[i];
        std::optional<QString> value;
        const qsizetype equals = name.indexOf(u'=');
        if (name.startsWith(QStringLiteral("--")) && equals > 0) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        }
        const auto takeValue = [&]() -> std::optional<QString> {
            if (value) {
                return value;
            }
            if (i + 1 < arguments.size()) {
                return arguments[++i];
            }
            request.error = QStringLiteral("%1 needs a value").arg(name);
            return std::nullopt;
        };
        if (name == QLatin1String("--isquan") && !value) {
            request.conditions.isquan = true;
            continue;
        }
        if (name == QLatin1String("--all") && !value) {
            request.all = true;
            continue;
        }
        if (name == QLatin1String("--count")) {
            const std::optional<QString> text = takeValue();
            bool ok = false;
            const qlonglong count = text ? text->toLongLong(&ok) : 0;
            if (text && !ok) {
                request.error = QStringLiteral("--count takes a whole number, not \"%1\"").arg(*text);
            }
            request.conditions.count = double(count);
            continue;
        }
        const TextOption *option = nullptr;
        for (const TextOption &candidate : textOptions) {
            if (name == QLatin1String("--") + QLatin1String(candidate.name)) {
                option = &candidate;
            }
        }
        if (!option) {
            request.error = QStringLiteral("unknown option \"%1\"").arg(arguments[i]);
            continue;
        }
        const std::optional<QString> text = takeValue();
        if (!text) {
            continue;
        }
        const Big5::Encoding bytes = Big5::encode(*text);
        if (!bytes.ok()) {
            request.error = name + QStringLiteral(": ") + bytes.errorText();
        } else if (bytes.bytes.size() > option->limit) {
            request.error = QStringLiteral("%1 takes at most %2 bytes of Big5; \"%3\" has %4")
                                .arg(name)
                                .arg(option->limit)
                                .arg(*text)
                                .arg(bytes.bytes.size());
        } else {
            request.conditions.*(option->field) = bytes.bytes;
        }
    }
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
    const DbfStatus opened = openProductQueue(queue);
    if (!opened.ok()) {
        Console::err(opened.error());
        return ExitCode::failed;
    }
    ProductQueueWriter writer(queue);
    const ProductImportOutcome outcome =
        runProductImport(context.exchange, request.conditions, expansionValues(settings), writer);
    const QString added =
        QStringLiteral("%1 rows added to %2").arg(outcome.rowsAdded).arg(ProductQueueTable::fileName());
    switch (outcome.kind) {
    case ProductImportOutcome::Kind::ExchangeFailed:
        Console::err(context.exchange.statusLine());
        Console::err(QStringLiteral("import product failed: ") + exchangeFailure(context.exchange));
        return ExitCode::failed;
    case ProductImportOutcome::Kind::NoData:
    case ProductImportOutcome::Kind::Completed:
        Console::out(outcome.message);
        Console::out(added);
        return ExitCode::ok;
    case ProductImportOutcome::Kind::FillFailed:
        Console::err(outcome.message);
        Console::out(added);
        return ExitCode::failed;
    }
    return ExitCode::failed;
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
