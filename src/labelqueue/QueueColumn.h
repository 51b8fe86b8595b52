#pragma once

#include <QString>

// One column of a label queue grid.
struct QueueColumn {
    int field = 0; // index in the queue's field list
    QString title;
    int width = 0; // pixels before scaling; 0: the width of the field's display size
    bool titleCentred = true;
    bool readOnly = false;
    enum class NumberFormat {
        General,      // 1780, 2.5
        Grouped,      // 1,780, 1,780.5
        GroupedWhole, // "###,##0": 1,780
    };
    NumberFormat numberFormat = NumberFormat::General;
    bool titleHighlighted = false; // light cyan title (red 128, green 255, blue 255)
};
