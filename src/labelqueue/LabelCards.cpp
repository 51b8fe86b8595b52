#include "labelqueue/LabelCards.h"

#include <algorithm>

int rowOfLine(const LabelCheckReport &report, qint64 line)
{
    // The last row whose first line is at or before line; rows without lines
    // share their first line with the next row, so upper_bound skips them.
    const auto after = std::upper_bound(report.lineStarts.begin(), report.lineStarts.end(), line);
    return int(after - report.lineStarts.begin());
}
