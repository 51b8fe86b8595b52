#pragma once

#include <QString>

// One column of a label queue grid.
struct QueueColumn {
    int field = 0; // index in the queue's field list
    QString title;
    int width = 0; // pixels before scaling; 0: the width of the field's display size
    bool titleCentred = true;
    bool readOnly = false;
    bool wholeNumberFormat = false; // shown as "###,##0"
    bool titleHighlighted = false;  // light cyan title (red 128, green 255, blue 255)
};
