#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class ProfileFile;

// What the product label export writes and what the imports ask the server
// to expand, as the output settings dialog holds it. Texts are Big5 bytes.
struct ProductOutputSettings {
    // Column entries kept by the file ("Par01" to "Par25").
    static constexpr int MaxColumns = 25;
    // Byte limit of a custom text, which the export writes whole.
    static constexpr int MaxCustomTextBytes = 40;

    bool fixedWidth = false;          // "CHK13": fixed-width columns, else comma-separated
    bool oneLinePerLabel = false;     // "CHK12"
    bool colourExpansion = false;     // "CHK14"
    bool keepOwnColour = false;       // "CHK17"
    QByteArray colourSeparator = "/"; // "EDIT17"
    bool sizeExpansion = false;       // "CHK15"
    bool keepOwnSize = false;         // "CHK16"
    QByteArray sizeSeparator = "/";   // "EDIT16"
    // The export's columns in order: catalogue entries or "#" + custom text.
    QList<QByteArray> columns;

    bool operator==(const ProductOutputSettings &other) const;
    bool operator!=(const ProductOutputSettings &other) const { return !(*this == other); }
};

// The four values every product import appends to its request.
struct ExpansionValues {
    QByteArray c14;
    QByteArray c14a;
    QByteArray s14;
    QByteArray s14a;

    // "&c14=…&c14a=…&s14=…&s14a=…", always all four keys.
    QByteArray requestText() const;
};

ExpansionValues expansionValues(const ProductOutputSettings &settings);

// The 38 field entries the user may choose from, in the order offered.
const QList<QByteArray> &productColumnCatalogue();

// "#" + the text without the blanks and control characters around it, or an
// empty text when nothing else is left.
QByteArray customTextEntry(const QByteArray &typed);

// Why the settings cannot be confirmed (fixed-width columns cannot hold an
// expanded colour or size), or an empty text.
QString fixedWidthProblem(const ProductOutputSettings &settings);

// ProgramDir + "/BarSet.ini".
QString productOutputSettingsPath(const QString &programDir);

// The settings as the file named by ini (section "SET") holds them; missing
// keys take the defaults, empty "Par" keys are skipped so the list closes up.
ProductOutputSettings loadProductOutputSettings(ProfileFile &ini);

// Writes every key, "Par01" to "Par25" included (empty beyond the list; a
// list longer than 25 keeps its first 25), and stops at the first write that
// fails. Returns that failure's message, or an empty text when all were stored.
QString storeProductOutputSettings(ProfileFile &ini, const ProductOutputSettings &settings);

// The settings as "key=value" lines (Big5) under the file's keys, booleans
// 1 or 0 and only the columns in use, as the print history keeps them.
QByteArray productSettingsText(const ProductOutputSettings &settings);
