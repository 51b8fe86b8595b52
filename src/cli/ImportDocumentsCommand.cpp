#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/ImportCountRule.h"
#include "cli/ImportOptions.h"
#include "components/Big5.h"
#include "components/DateFieldText.h"
#include "exchange/BranchList.h"
#include "productlabels/DocumentImportRun.h"

#include <optional>

namespace {

// A date is refused by its own message, whatever its length.
constexpr int dateBytes = 64;

struct Import {
    DocumentImport import;
    const char *word;
};

QList<ImportOption> optionsOf(const DocumentImportTraits &traits)
{
    QList<ImportOption> options = {
        {"mbran", DocumentFieldBytes::branch},
        {"sb_no", DocumentFieldBytes::number},
        {"eb_no", DocumentFieldBytes::number},
        {"sdat", dateBytes, true},
        {"edat", dateBytes, true},
        countRuleOption,
    };
    if (traits.priceBranch) {
        options.append({"price-branch", DocumentFieldBytes::branch});
    }
    if (traits.supplier) {
        options.append({{"cust_no", DocumentFieldBytes::supplier}, {"consignment", 0}});
    }
    if (traits.kindsAndRegister) {
        options.append(
            {{"kind", DocumentFieldBytes::cashRegister}, {"mach_no", DocumentFieldBytes::cashRegister}, {"last", 0}});
    }
    return options;
}

// Kind A when none is given, as the dialog opens.
std::optional<DocumentKind> kindOf(const QByteArray &code)
{
    for (const DocumentKind kind : documentKinds) {
        if (code == QByteArray(1, documentKindTraits(kind).code)) {
            return kind;
        }
    }
    return std::nullopt;
}

// The branch list as the dialog offers it: the given code must be listed (an
// empty one chooses nothing); without one, the list's own-branch selection.
std::optional<QByteArray> chosenBranch(const ImportOptionValues &values, const char *option,
                                       const BranchList::Choices &choices, QString &error)
{
    if (!values.has(option)) {
        return choices.selected >= 0 ? choices.entries.at(choices.selected) : QByteArray();
    }
    const QByteArray code = values.text(option);
    if (code.isEmpty() || choices.entries.contains(code)) {
        return code;
    }
    QStringList offered;
    for (const QByteArray &entry : choices.entries) {
        offered.append(Big5::decode(entry));
    }
    error = QStringLiteral("--%1: the branch list does not offer \"%2\" (offered: %3)")
                .arg(QLatin1String(option), Big5::decode(code),
                     offered.isEmpty() ? QStringLiteral("none") : offered.join(QStringLiteral(", ")));
    if (!choices.problem.isEmpty()) {
        error += QStringLiteral(": ") + choices.problem;
    }
    return std::nullopt;
}

// The fields as a user fills them who types each given value and leaves the
// field: a start number or a valid start date is copied into its end unless
// an end is given too.
std::optional<DocumentConditions> typedConditions(const ImportOptionValues &values, QString &error)
{
    DocumentConditions conditions;
    conditions.sb_no = values.text("sb_no");
    conditions.eb_no = values.has("eb_no") || !values.has("sb_no") ? values.text("eb_no") : conditions.sb_no;
    const std::optional<QByteArray> sdat = DateFieldText::fromTyped(Big5::decode(values.text("sdat")));
    const std::optional<QByteArray> edat = DateFieldText::fromTyped(Big5::decode(values.text("edat")));
    if (values.malformedDate || !sdat || !edat) {
        error = QString::fromUtf8(DateFieldText::malformedDateMessage);
        return std::nullopt;
    }
    conditions.sdat = *sdat;
    conditions.edat = values.has("edat") || !DateFieldText::isValid(*sdat) ? *edat : *sdat;
    conditions.cust_no = values.text("cust_no");
    conditions.consignment = values.isOn("consignment");
    conditions.mach_no = values.text("mach_no");
    conditions.lastReceipt = values.isOn("last");
    conditions.kind = kindOf(values.text("kind")).value_or(DocumentKind::PurchaseOrder);
    return conditions;
}

int importDocuments(const Import &which, CommandContext &context, const QStringList &arguments)
{
    const QString command = QStringLiteral("import ") + QLatin1String(which.word);
    const DocumentImportTraits &traits = documentImportTraits(which.import);
    ImportOptionValues values = parseImportOptions(arguments, optionsOf(traits));
    if (values.error.isEmpty() && values.has("kind") && !kindOf(values.text("kind"))) {
        values.error = QStringLiteral("--kind takes A, B, C or D");
    }
    if (!values.error.isEmpty()) {
        Console::err(command + QStringLiteral(": ") + values.error);
        return ExitCode::usage;
    }
    QString error;
    std::optional<DocumentConditions> conditions = typedConditions(values, error);
    if (!conditions) {
        Console::err(command + QStringLiteral(": ") + error);
        return ExitCode::failed;
    }
    const BranchList::Choices choices = BranchList::fetch(context.exchange, BranchList::Style::CodesOnly);
    const std::optional<QByteArray> mbran = chosenBranch(values, "mbran", choices, error);
    const std::optional<QByteArray> cbran =
        traits.priceBranch ? chosenBranch(values, "price-branch", choices, error) : QByteArray();
    if (!mbran || !cbran) {
        Console::err(command + QStringLiteral(": ") + error);
        return ExitCode::failed;
    }
    const ImportCountRule countRule = importCountRule(context.programDir, which.word, values);
    if (!countRule.error.isEmpty()) {
        Console::err(command + QStringLiteral(": ") + countRule.error);
        return ExitCode::failed;
    }
    if (!countRule.notice.isEmpty()) {
        Console::err(countRule.notice);
    }
    conditions->mbran = *mbran;
    conditions->cbran = *cbran;
    const DocumentConditionsCheck check = checkDocumentConditions(which.import, *conditions);
    // The command itself answers the confirmation.
    if (check.action == DocumentConditionsCheck::Action::Refuse) {
        Console::err(command + QStringLiteral(": ") + check.message);
        return ExitCode::failed;
    }
    return importIntoQueue(context, command, countRule, [&](const ExpansionValues &expansion, ReplyRecordSink &sink) {
        return runDocumentImport(context.exchange, which.import, *conditions, expansion, sink);
    });
}

Command documentsCommand(const Import &which, const QString &arguments, const QString &summary)
{
    return {
        {QStringLiteral("import"), QLatin1String(which.word)},
        QStringLiteral("[--mbran B] ") + arguments +
            QStringLiteral("[--sb_no X] [--eb_no X] [--sdat yyyy/mm/dd] [--edat yyyy/mm/dd] [--count-rule NAME]"),
        summary,
        0,
        32,
        [which](CommandContext &context, const QStringList &words) { return importDocuments(which, context, words); }};
}

} // namespace

Command importPurchaseCommand()
{
    return documentsCommand({DocumentImport::Purchase, "purchase"},
                            QStringLiteral("[--price-branch B] [--cust_no X] [--consignment] "),
                            QStringLiteral("append the lines of purchase receipts to bar1.dbf, each with its received "
                                           "quantity; mbran is the receiving branch"));
}

Command importStockTakeCommand()
{
    return documentsCommand({DocumentImport::StockTake, "stocktake"}, QString(),
                            QStringLiteral("append the lines of stock-take sheets to bar1.dbf, each with its counted "
                                           "quantity; mbran is the counting branch"));
}

Command importTransferCommand()
{
    return documentsCommand({DocumentImport::TransferOut, "transfer"}, QStringLiteral("[--price-branch B] "),
                            QStringLiteral("append the lines of transfer-out notes to bar1.dbf, each with its "
                                           "transferred quantity; mbran is the sending branch"));
}

Command importDocumentCommand()
{
    return documentsCommand({DocumentImport::Other, "document"},
                            QStringLiteral("[--kind A|B|C|D] [--price-branch B] [--mach_no X] [--last] "),
                            QStringLiteral("append the lines of purchase orders (A), wholesale (B) or consignment (C) "
                                           "shipments or store sales (D) to bar1.dbf; mbran is the issuing branch"));
}
