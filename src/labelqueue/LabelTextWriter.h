#pragma once

#include "labelqueue/ReplacingFile.h"

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
