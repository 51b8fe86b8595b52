#include "app/BranchList.h"
#include "app/ServerExchange.h"
#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/ImportReport.h"
#include "cli/OptionWalk.h"
#include "cli/QueueCommandFiles.h"
#include "components/Big5.h"
#include "components/Clock.h"
#include "components/DateText.h"
#include "customerlabels/CustomerImport.h"
#include "customerlabels/CustomerQueueTable.h"
#include "labelqueue/LabelQueue.h"
#include "productlabels/QueueRowAccess.h"

namespace {
// The conditions dialog's text fields and their length limits in bytes.
struct TextOption {
    const char *name;
    QByteArray CustomerConditions::*field;
    int limit;
};

const TextOption textOptions[] = {
    {"scust", &CustomerConditions::scust, 20},         {"ecust", &CustomerConditions::ecust, 20},
    {"cust_name", &CustomerConditions::cust_name, 20}, {"cust_tel", &CustomerConditions::cust_tel, 20},
    {"mobile", &CustomerConditions::mobile, 20},       {"club_no", &CustomerConditions::club_no, 6},
    {"tbran", &CustomerConditions::branch, 20},        {"sdat", &CustomerConditions::sdat, 10},
    {"edat", &CustomerConditions::edat, 10},
};

struct ImportRequest {
    CustomerConditions conditions;
    bool ecustGiven = false;
    bool edatGiven = false;
    QString error;
    bool badDate = false;
};

ImportRequest parseImport(const QStringList &arguments)
{
    ImportRequest request;
    OptionWalk options(arguments);
    while (options.next()) {
        const QString &name = options.name();
        if (name == QLatin1String("--card-barcode") && options.isFlag()) {
            request.conditions.barcodeFromCustomerCode = false;
        } else if (name == QLatin1String("--birthdays")) {
            request.conditions.birthdayDays = options.wholeNumber(0, 999).value_or(0);
        } else if (name == QLatin1String("--copies")) {
            request.conditions.copies = options.wholeNumber(0, 999).value_or(1);
        } else {
            const auto option = std::find_if(std::begin(textOptions), std::end(textOptions), [&](const TextOption &o) {
                return name == QLatin1String("--") + QLatin1String(o.name);
            });
            if (option == std::end(textOptions)) {
                options.failUnknown();
                continue;
            }
            const std::optional<QByteArray> text = options.big5Value(option->limit);
            if (!text) {
                continue;
            }
            request.conditions.*(option->field) = *text;
            request.ecustGiven = request.ecustGiven || option->field == &CustomerConditions::ecust;
            request.edatGiven = request.edatGiven || option->field == &CustomerConditions::edat;
            const bool isDate =
                option->field == &CustomerConditions::sdat || option->field == &CustomerConditions::edat;
            if (isDate && !DateText::isBlank(*text) && !DateText::isValid(*text)) {
                request.badDate = true;
                options.fail(name + QStringLiteral(" ") + QString::fromUtf8(badDateText));
            }
        }
    }
    request.error = options.error();
    // As a user who types a field and leaves it: the start code and a valid
    // start date are copied into the end fields unless those were given.
    if (!request.ecustGiven) {
        request.conditions.ecust = request.conditions.scust;
    }
    if (!request.edatGiven && !DateText::isBlank(request.conditions.sdat)) {
        request.conditions.edat = request.conditions.sdat;
    }
    return request;
}

int importCustomer(CommandContext &context, const QStringList &arguments)
{
    const QString command = QStringLiteral("import customer");
    const ImportRequest request = parseImport(arguments);
    if (!request.error.isEmpty()) {
        Console::err(command + QStringLiteral(": ") + request.error);
        return request.badDate ? ExitCode::failed : ExitCode::usage;
    }
    const QByteArray branch = request.conditions.branch.trimmed();
    if (!branch.isEmpty()) {
        const BranchList::Choices choices = BranchList::fetch(context.exchange, BranchList::Style::LeadingEmptyEntry);
        if (!choices.entries.contains(branch)) {
            Console::err(command +
                         QStringLiteral(": the branch list does not offer --tbran %1").arg(Big5::decode(branch)));
            return ExitCode::failed;
        }
    }
    LabelQueue queue(CustomerQueueTable::fields());
    const DbfStatus opened = openQueueTable(queue, CustomerQueueTable::fileName());
    if (!opened.ok()) {
        Console::err(opened.error());
        return ExitCode::failed;
    }
    QueueRecordWriter writer(queue, CustomerQueueTable::replyShape());
    const ImportOutcome outcome =
        runCustomerImport(context.exchange, request.conditions, Clock::system().today(), writer);
    return reportImport(context, command, outcome, CustomerQueueTable::fileName());
}
} // namespace

Command importCustomerCommand()
{
    return {{QStringLiteral("import"), QStringLiteral("customer")},
            QStringLiteral("[--CONDITION X]... [--tbran B] [--sdat yyyy/mm/dd] [--edat yyyy/mm/dd] [--birthdays N] "
                           "[--copies N] [--card-barcode]"),
            QStringLiteral("append customers to bar2.DBF in the working directory; CONDITION is scust, ecust, "
                           "cust_name, cust_tel, mobile or club_no"),
            0,
            64,
            importCustomer};
}
