#include "customerlabels/CustomerConditions.h"

#include "components/DateFieldText.h"
#include "exchange/RequestText.h"

namespace {

QByteArray twoDigits(int number)
{
    return QByteArray::number(number).rightJustified(2, '0');
}

// A date field sends its text unless nothing was typed into it.
void addDate(QByteArray &request, const char *key, const QByteArray &date)
{
    if (!date.trimmed().isEmpty() && !DateFieldText::isBlank(date)) {
        request.append(key).append(date);
    }
}

} // namespace

BirthdayWindow birthdayWindow(const QDate &today, int days)
{
    const QDate last = today.addDays(days);
    BirthdayWindow window;
    window.start = twoDigits(today.month()) + "01";
    window.end = twoDigits(last.month()) + twoDigits(last.day());
    if (window.end < window.start) {
        window.end = QByteArray::number(last.month() + 12) + twoDigits(last.day());
    }
    return window;
}

QByteArray customerImportRequest(const CustomerConditions &conditions, const LinkSettings &link, const QDate &today)
{
    QByteArray request = RequestText::linkStart(link);
    RequestText::addWhenNotEmpty(request, "&scust=", conditions.scust);
    RequestText::addWhenNotEmpty(request, "&ecust=", conditions.ecust);
    RequestText::addWhenNotEmpty(request, "&cust_name=", conditions.cust_name);
    RequestText::addWhenNotEmpty(request, "&cust_tel=", conditions.cust_tel);
    RequestText::addWhenNotEmpty(request, "&mobile=", conditions.mobile);
    RequestText::addWhenNotEmpty(request, "&club_no=", conditions.club_no);
    request.append(customerBranchCondition(conditions.branch));
    addDate(request, "&sdat=", conditions.sdat);
    addDate(request, "&edat=", conditions.edat);
    if (conditions.birthdayDays > 0) {
        const BirthdayWindow window = birthdayWindow(today, conditions.birthdayDays);
        request.append("&sborn=").append(window.start).append("&eborn=").append(window.end);
    }
    request.append(conditions.barcodeFromCustomerCode ? "&mcust=Y" : "&mcust=N");
    return request;
}

QByteArray customerBranchCondition(const QByteArray &branchText)
{
    const QByteArray branch = branchText.trimmed();
    return branch.isEmpty() ? QByteArray() : QByteArrayLiteral("&tbran=") + branch;
}

std::optional<double> customerCountOverride(const CustomerConditions &conditions)
{
    if (conditions.copies > 1) {
        return conditions.copies;
    }
    return std::nullopt;
}
