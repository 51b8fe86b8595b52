#pragma once

#include "labelqueue/LabelCards.h"

#include <QString>

#include <functional>

// Told how many cards are on paper so far; false stops the sheet, which then
// leaves nothing behind.
using ProofSheetProgress = std::function<bool(qint64 done, qint64 total)>;

// Why the sheet may not go to pdfPath, or empty: an existing file there must be
// a regular file holding a PDF (or nothing), so a queue table, a settings file, a label file
// or a device given by mistake is never replaced by a sheet.
QString proofSheetTargetProblem(const QString &pdfPath);

// Writes every card of cards as an A4 proof sheet (several cards a page, the
// totals and the settings' own findings on top of the first page) to pdfPath.
// Returns an empty text on success, otherwise what went wrong; the file at
// pdfPath is replaced only by a whole sheet.
QString writeLabelProofSheet(LabelCardSource &cards, const QString &pdfPath, const ProofSheetProgress &progress = {});
