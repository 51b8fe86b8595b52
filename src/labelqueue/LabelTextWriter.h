#pragma once

#include "labelqueue/LabelTextRules.h"
#include "labelqueue/QueueRowSource.h"
#include "labelqueue/ReplacingFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

struct LabelTextFileResult {
    enum class Outcome {
        Written,
        NoLines, // no row gave a line: the old file is removed and nothing may be started
        Failed,  // the old file stays; error says why
    };
    Outcome outcome = Outcome::Failed;
    QString error; // empty when the new file is in place
    qint64 lines = 0;
    bool ok() const { return outcome == Outcome::Written; }
};

// Writes a label text file (both exports) through a ReplacingFile. The new
// file replaces the old one only when it is complete and holds at least one
// line: an empty file would only make the label program print nothing. When
// no row gives a line the old file, the last batch, is removed.
class LabelTextWriter
{
public:
    explicit LabelTextWriter(const QString &path);

    // Starts the new file beside the old one; false when it cannot be made
    // (commit() then says why).
    bool open();
    // One queue row whose key field (the barcode) is filled: its line, CR LF
    // included, written repeat times (0 in one-label-per-line mode when its
    // count is below 1).
    void writeRow(QByteArrayView line, qint64 repeat);
    // Lines written so far.
    qint64 lines() const { return lines_; }
    // Puts the file in place, or says why the old one stays.
    LabelTextFileResult commit();
    // Drops the new file: the old one stays; reason goes into the message.
    LabelTextFileResult abandon(const QString &reason);

private:
    LabelTextFileResult failed(const QString &reason);
    LabelTextFileResult noLines();

    ReplacingFile file_;
    qint64 rowsWithKey_ = 0;
    qint64 lines_ = 0;
};

// Both exports' file at path: for each row whose key field is filled,
// lines.build() written lines.repeatCount() times. The new file replaces the
// old one only when it is complete and holds a line; when no row gives a
// line, or anything fails (a row cannot be read, the directory cannot take
// the file, a write or the disk fails, the old file cannot be replaced) the
// old file stays as it was and error says why.
template <class Lines>
LabelTextFileResult writeLabelTextFile(QueueRowSource &rows, const Lines &lines, int keyField, const QString &path)
{
    LabelTextWriter file(path);
    if (!file.open()) {
        return file.commit();
    }
    QByteArray line;
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QString readError = rows.read(row);
        if (!readError.isEmpty()) {
            return file.abandon(QStringLiteral("第 %1 筆讀不出來: %2").arg(row + 1).arg(readError));
        }
        if (rows.text(keyField).isEmpty()) {
            continue;
        }
        const QString refused = LabelTextRules::countRefusal(lines.count(rows));
        if (!refused.isEmpty()) {
            return file.abandon(QStringLiteral("第 %1 筆的%2").arg(row + 1).arg(refused));
        }
        const qint64 repeat = lines.repeatCount(rows);
        const QString tooManyLines = LabelTextRules::lineTotalRefusal(file.lines() + repeat);
        if (!tooManyLines.isEmpty()) {
            return file.abandon(tooManyLines);
        }
        if (repeat > 0) {
            lines.build(line, rows);
        }
        file.writeRow(line, repeat);
    }
    return file.commit();
}
