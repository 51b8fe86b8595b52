#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/ImportCountRule.h"
#include "cli/ImportOptions.h"
#include "cli/ProductCommandFiles.h"
#include "components/Big5.h"
#include "components/Clock.h"
#include "components/DateFieldText.h"
#include "customerlabels/CustomerImport.h"
#include "customerlabels/CustomerQueueTable.h"
#include "exchange/BranchList.h"
#include "exchange/ServerExchange.h"
#include "labelqueue/CountRuleAfterImport.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueAccess.h"

namespace {

const QList<ImportOption> options = {
    {"scust", 20},  {"ecust", 20},       {"cust_name", 20},  {"cust_tel", 20},   {"mobile", 20},
    {"club_no", 6}, {"tbran", 20},       {"sdat", 10, true}, {"edat", 10, true}, {"birthdays", 3},
    {"copies", 3},  {"card-barcode", 0}, countRuleOption,
};

std::optional<int> wholeNumber(const ImportOptionValues &values, const char *name, int fallback, QString &error)
{
    if (!values.has(name)) {
        return fallback;
    }
    bool ok = false;
    const int number = values.text(name).toInt(&ok);
    if (!ok || number < 0) {
        error = QStringLiteral("--%1 takes a whole number from 0 to 999").arg(QLatin1String(name));
        return std::nullopt;
    }
    return number;
}

// A date as the field holds it once typed: the mask's ten places, a blank
// date when not given; anything else is no date at all.
std::optional<QByteArray> typedDate(const ImportOptionValues &values, const char *name)
{
    const std::optional<QByteArray> date = DateFieldText::fromTyped(Big5::decode(values.text(name)));
    if (!date || (!DateFieldText::isBlank(*date) && !DateFieldText::isValid(*date))) {
        return std::nullopt;
    }
    return date;
}

// The fields as a user fills them who types each given value and leaves the
// field: the start code and a valid start date are copied into their ends
// unless the ends are given too.
std::optional<CustomerConditions> typedConditions(const ImportOptionValues &values, QString &error)
{
    CustomerConditions conditions;
    conditions.scust = values.text("scust");
    conditions.ecust = values.has("ecust") ? values.text("ecust") : conditions.scust;
    conditions.cust_name = values.text("cust_name");
    conditions.cust_tel = values.text("cust_tel");
    conditions.mobile = values.text("mobile");
    conditions.club_no = values.text("club_no");
    conditions.branch = values.text("tbran");
    const std::optional<QByteArray> sdat = typedDate(values, "sdat");
    const std::optional<QByteArray> edat = typedDate(values, "edat");
    if (values.malformedDate || !sdat || !edat) {
        error = QString::fromUtf8(DateFieldText::malformedDateMessage);
        return std::nullopt;
    }
    conditions.sdat = *sdat;
    conditions.edat = values.has("edat") || DateFieldText::isBlank(*sdat) ? *edat : *sdat;
    const std::optional<int> birthdays = wholeNumber(values, "birthdays", 0, error);
    const std::optional<int> copies = wholeNumber(values, "copies", 1, error);
    if (!birthdays || !copies) {
        return std::nullopt;
    }
    conditions.birthdayDays = *birthdays;
    conditions.copies = *copies;
    conditions.barcodeFromCustomerCode = !values.isOn("card-barcode");
    return conditions;
}

int importCustomer(CommandContext &context, const QStringList &arguments)
{
    const QString command = QStringLiteral("import customer");
    const ImportOptionValues values = parseImportOptions(arguments, options);
    if (!values.error.isEmpty()) {
        Console::err(command + QStringLiteral(": ") + values.error);
        return ExitCode::usage;
    }
    QString error;
    const std::optional<CustomerConditions> conditions = typedConditions(values, error);
    if (!conditions) {
        Console::err(command + QStringLiteral(": ") + error);
        return ExitCode::failed;
    }
    const QByteArray branch = conditions->branch.trimmed();
    if (!branch.isEmpty() &&
        !BranchList::fetch(context.exchange, BranchList::Style::LeadingEmptyEntry).entries.contains(branch)) {
        Console::err(command + QStringLiteral(": the branch list does not offer --tbran %1").arg(Big5::decode(branch)));
        return ExitCode::failed;
    }
    const ImportCountRule countRule = importCountRule(context.programDir, "customer", values);
    if (!countRule.error.isEmpty()) {
        Console::err(command + QStringLiteral(": ") + countRule.error);
        return ExitCode::failed;
    }
    if (!countRule.notice.isEmpty()) {
        Console::err(countRule.notice);
    }
    LabelQueue queue(CustomerQueueTable::fields());
    const DbfStatus opened = openCustomerQueue(queue);
    if (!opened.ok()) {
        Console::err(opened.error());
        return ExitCode::failed;
    }
    QueueWriter writer(queue, CustomerQueueTable::side());
    AddedRowsSink added(writer, queue);
    ImportOutcome outcome = runCustomerImport(context.exchange, *conditions, Clock::system().today(), added);
    applyImportCountRule(countRule, queue, CustomerQueueTable::side(), added, outcome);
    return reportImport(context, command, outcome, CustomerQueueTable::fileName());
}

} // namespace

Command importCustomerCommand()
{
    return {{QStringLiteral("import"), QStringLiteral("customer")},
            QStringLiteral("[--CONDITION X]... [--tbran B] [--sdat yyyy/mm/dd] [--edat yyyy/mm/dd] [--birthdays N] "
                           "[--copies N] [--card-barcode] [--count-rule NAME]"),
            QStringLiteral("append customers to bar2.DBF in the working directory; CONDITION is scust, ecust, "
                           "cust_name, cust_tel, mobile or club_no"),
            0,
            64,
            importCustomer};
}
