#pragma once

#include "labelqueue/LabelTextRules.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

// What would go wrong on the labels, found before anything is printed.
struct LabelFinding {
    enum class Kind { Error, Warning };
    int row = 0;      // 1-based position in the grid's order; 0 for the settings themselves
    QByteArray entry; // the column entry or the field (Big5)
    Kind kind = Kind::Warning;
    QString message;
    // Nothing may go out while it stands: the export and the proof sheet refuse.
    bool stopsOutput = false;
};

struct LabelTotals {
    qint64 rows = 0;
    qint64 lines = 0;  // lines the export writes
    qint64 labels = 0; // labels those lines print
};

struct LabelCheckReport {
    std::vector<LabelFinding> findings; // errors first, then by row, as found
    LabelTotals totals;
    // Line number (0-based) of each row's first line; size rows + 1, so row r
    // gives lineStarts[r + 1] - lineStarts[r] lines.
    std::vector<qint64> lineStarts;

    bool hasErrors() const;
    // Why nothing may go out (a finding that stops output, its row named), or empty.
    QString outputRefusal() const;
    // "共 N 筆，轉出 M 行，印 L 張標籤"
    QString totalsText() const;
    // The findings of one row (0 for the settings), in report order.
    std::vector<const LabelFinding *> findingsOf(int row) const;
};

// The checks every label side shares, fed one row at a time by the side that
// knows its columns; values are the ones the export's rules produce, before
// padding or cutting.
class LabelChecker
{
public:
    LabelChecker(LabelTextRules::Layout layout, bool oneLinePerLabel, int rowCount);

    // A custom text entry ("#" + text): checked once, as row 0.
    void checkCustomText(QByteArrayView entry);
    // An entry no rule recognises: the export skips it.
    void unknownEntry(QByteArrayView entry);
    // No column goes out (an empty list, or a settings file not read as meant).
    void noColumns();

    // Starts row (1-based); returns how many lines it gives, 0 when it is
    // skipped (no key field or, one label a line, a count below 1).
    qint64 beginRow(int row, QByteArrayView keyField, QByteArrayView key, QByteArrayView quantityField,
                    std::optional<double> quantity);
    void unreadableRow(int row, const QString &reason);
    // One column value as the export's rules give it before padding or cutting.
    void checkValue(QByteArrayView entry, QByteArrayView value, int width);

    // Errors first; the row order stays within each kind.
    LabelCheckReport finish();

private:
    void add(int row, QByteArrayView entry, LabelFinding::Kind kind, const QString &message, bool stopsOutput = false);
    void checkBarcode(QByteArrayView field, QByteArrayView barcode);
    void checkCount(QByteArrayView field, std::optional<double> quantity, qint64 lines);

    LabelTextRules::Layout layout_;
    bool oneLinePerLabel_;
    int row_ = 0;
    LabelCheckReport report_;
};

// True for digits whose last one is the EAN-8, UPC-A or EAN-13 check digit of
// the others (8, 12 or 13 digits).
bool hasRightCheckDigit(QByteArrayView digits);
// 8, 12 or 13 digits and nothing else.
bool looksLikeEanOrUpc(QByteArrayView barcode);
