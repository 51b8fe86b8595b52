#pragma once

#include "labelqueue/LabelCheck.h"

#include <QByteArray>

#include <utility>
#include <vector>

// One label as the export would write it: each column's value as the label
// program gets it (padded and cut in fixed-width layout, without the comma).
struct LabelCard {
    int row = 0;                                            // 1-based grid position
    QByteArray barcode;                                     // the key field
    std::vector<std::pair<QByteArray, QByteArray>> columns; // entry, value (Big5)
    QByteArray quantity;
};

// The labels of a queue, one for each line its export writes, with the check
// over the same rows.
class LabelCardSource
{
public:
    virtual ~LabelCardSource() = default;
    virtual const LabelCheckReport &report() const = 0;
    // line counts from 0 to report().totals.lines - 1.
    virtual LabelCard card(qint64 line) = 0;
};

// The 1-based row whose lines include line.
int rowOfLine(const LabelCheckReport &report, qint64 line);
