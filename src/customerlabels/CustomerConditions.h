#pragma once

#include "exchange/LinkSettings.h"

#include <QByteArray>
#include <QDate>

#include <optional>

// What the customer import's conditions dialog holds when OK is pressed, and
// the window's barcode source. Texts are Big5 bytes as typed.
struct CustomerConditions {
    QByteArray scust;                    // "客戶代號"
    QByteArray ecust;                    // "至"
    QByteArray cust_name;                // "姓    名"
    QByteArray cust_tel;                 // "電    話"
    QByteArray mobile;                   // "行動電話"
    QByteArray club_no;                  // "會員類別"
    QByteArray branch;                   // "建檔分店": the chosen entry, empty for any branch
    QByteArray sdat;                     // "建檔起始日期", yyyy/mm/dd; a blank date is no condition
    QByteArray edat;                     // "截止日期"
    int birthdayDays = 0;                // "最近壽星 … 天"
    int copies = 1;                      // "列印份數": replaces each quantity only when above 1
    bool barcodeFromCustomerCode = true; // else from the member card number
};

// The birthday window as month and day texts (MMDD): from the first of
// today's month to the day days after today; an end in the next year counts
// its month on past 12 (1309 is 9 January).
struct BirthdayWindow {
    QByteArray start;
    QByteArray end;
};
BirthdayWindow birthdayWindow(const QDate &today, int days);

// The request of "qelvocust2seek.php": the own branch and link password, each
// condition that is not empty in the dialog's order, "&tbran=" with the chosen
// branch trimmed, "&sdat=" and "&edat=" unless blank, "&sborn=" and "&eborn="
// when the birthday window is above 0 days, then "&mcust=Y" or "&mcust=N".
QByteArray customerImportRequest(const CustomerConditions &conditions, const LinkSettings &link, const QDate &today);

// The "&tbran=" condition: the chosen text without blanks at either end, or
// nothing when no branch is chosen (any branch).
QByteArray customerBranchCondition(const QByteArray &branchText);

// The copies rule: the count that replaces every row's quantity, if any.
std::optional<double> customerCountOverride(const CustomerConditions &conditions);
