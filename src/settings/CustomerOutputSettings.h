#pragma once

#include "settings/LabelColumnList.h"

#include <QByteArray>
#include <QList>
#include <QString>

class ProfileFile;

// What the customer label export writes, as its output settings dialog holds
// it. Texts are Big5 bytes.
struct CustomerOutputSettings {
    // Column entries kept by the file ("Par01" to "Par20").
    static constexpr int MaxColumns = 20;
    static constexpr int MaxCustomTextBytes = 40;

    bool fixedWidth = false;      // "CHK13": fixed-width columns, else comma-separated
    bool oneLinePerLabel = false; // "CHK12"
    // The export's columns in order: catalogue entries or "#" + custom text.
    QList<QByteArray> columns;

    bool operator==(const CustomerOutputSettings &other) const;
    bool operator!=(const CustomerOutputSettings &other) const { return !(*this == other); }
};

// The 11 field entries the user may choose from, in the order offered.
const QList<QByteArray> &customerColumnCatalogue();

// ProgramDir + "/bar2/CustBar.ini".
QString customerOutputSettingsPath(const QString &programDir);

// Creates ProgramDir + "/bar2", where the settings and the exported file live,
// when it is missing: without it both would be lost. Returns why it could not
// be made, or an empty text.
QString makeCustomerLabelDirectory(const QString &programDir);

// The settings as the file named by ini (section "SET") holds them; missing
// keys take the defaults, empty "Par" keys are skipped so the list closes up.
CustomerOutputSettings loadCustomerOutputSettings(ProfileFile &ini);

// Writes "CHK12", "CHK13" and "Par01" to "Par20" (empty beyond the list; a longer list keeps
// its first 20), stopping at the first write that fails. Returns that
// failure's message, or an empty text when all were stored.
QString storeCustomerOutputSettings(ProfileFile &ini, const CustomerOutputSettings &settings);

// The settings as "key=value" lines (Big5) under the file's keys, booleans
// 1 or 0 and only the columns in use, as the print history keeps them.
QByteArray customerSettingsText(const CustomerOutputSettings &settings);
