#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/ImportCountRule.h"
#include "cli/ImportOptions.h"
#include "productlabels/ProductImport.h"

namespace {
// The conditions dialog's text fields and their length limits in bytes.
struct TextField {
    ImportOption option;
    QByteArray ProductConditions::*field;
};

const TextField textFields[] = {
    {{"item1", 20}, &ProductConditions::item1},     {{"sitem", 20}, &ProductConditions::sitem},
    {{"eitem", 20}, &ProductConditions::eitem},     {{"barcode", 20}, &ProductConditions::barcode},
    {{"cate_no", 20}, &ProductConditions::cate_no}, {{"kind_no", 20}, &ProductConditions::kind_no},
    {{"supp_no", 20}, &ProductConditions::supp_no}, {{"color", 12}, &ProductConditions::color},
    {{"sizes", 12}, &ProductConditions::sizes},     {{"price-branch", 20}, &ProductConditions::priceBranch},
};

struct ImportRequest {
    ProductConditions conditions;
    bool all = false;
    ImportOptionValues values;
    QString error;
};

ImportRequest parseImport(const QStringList &arguments)
{
    QList<ImportOption> options = {{"isquan", 0}, {"all", 0}, {"count", 20}, countRuleOption};
    for (const TextField &text : textFields) {
        options.append(text.option);
    }
    const ImportOptionValues values = parseImportOptions(arguments, options);
    ImportRequest request;
    request.values = values;
    request.error = values.error;
    for (const TextField &text : textFields) {
        request.conditions.*(text.field) = values.text(text.option.name);
    }
    request.conditions.isquan = values.isOn("isquan");
    request.all = values.isOn("all");
    if (values.has("count")) {
        bool ok = false;
        const qlonglong count = values.text("count").toLongLong(&ok);
        if ((!ok || count < 0) && request.error.isEmpty()) {
            request.error = QStringLiteral("--count takes a whole number of 0 or more, not \"%1\"")
                                .arg(QString::fromLatin1(values.text("count")));
        }
        request.conditions.count = double(count);
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
    const ImportCountRule countRule = importCountRule(context.programDir, "product", request.values);
    if (!countRule.error.isEmpty()) {
        Console::err(QStringLiteral("import product: ") + countRule.error);
        return ExitCode::failed;
    }
    if (!countRule.notice.isEmpty()) {
        Console::err(countRule.notice);
    }
    return importIntoQueue(context, QStringLiteral("import product"), countRule,
                           [&](const ExpansionValues &expansion, ReplyRecordSink &sink) {
                               return runProductImport(context.exchange, request.conditions, expansion, sink);
                           });
}
} // namespace

Command importProductCommand()
{
    return {{QStringLiteral("import"), QStringLiteral("product")},
            QStringLiteral("[--CONDITION X]... [--isquan] [--count N] [--all] [--price-branch B] [--count-rule NAME]"),
            QStringLiteral("append products to bar1.dbf in the working directory; CONDITION is item1, sitem, eitem, "
                           "barcode, cate_no, kind_no, supp_no, color or sizes"),
            0,
            64,
            importProduct};
}
