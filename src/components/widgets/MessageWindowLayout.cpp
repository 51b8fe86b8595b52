#include "components/widgets/MessageWindowLayout.h"

#include <algorithm>
#include <cmath>

int roundHalfToEven(double x)
{
    const double floor = std::floor(x);
    const double fraction = x - floor;
    if (fraction > 0.5) {
        return int(floor) + 1;
    }
    if (fraction < 0.5) {
        return int(floor);
    }
    return std::fmod(floor, 2.0) == 0.0 ? int(floor) : int(floor) + 1;
}

MessageWindowLayout layoutMessageWindow(int fontPoints, int screenWidth, int buttonWidth,
                                        const std::function<int(int fontPoints)> &labelWidthAt)
{
    MessageWindowLayout layout;
    layout.fontPoints = fontPoints;
    layout.labelWidth = labelWidthAt(fontPoints);
    int width = layout.labelWidth + 30;
    while (width > screenWidth) {
        --layout.fontPoints;
        layout.labelWidth = labelWidthAt(layout.fontPoints);
        width = layout.labelWidth + 30;
        if (layout.fontPoints <= messageWindowSmallestShrunkFont) {
            break;
        }
    }
    layout.windowWidth = std::max(width, messageWindowMinimumWidth);
    layout.labelLeft = roundHalfToEven((layout.windowWidth - layout.labelWidth) / 2.0 - 3);
    layout.buttonLeft = roundHalfToEven((layout.windowWidth - buttonWidth) / 2.0);
    return layout;
}
