#pragma once

#include <functional>

// Where the message window puts its text and button, worked out apart from
// any window so the arithmetic can be checked on its own.
struct MessageWindowLayout {
    int fontPoints = 0;  // the caption's font size after shrinking
    int labelWidth = 0;  // the caption's width at that size
    int windowWidth = 0; // the window's new width
    int labelLeft = 0;
    int buttonLeft = 0;
};

inline constexpr int messageWindowMinimumWidth = 100;
inline constexpr int messageWindowSmallestShrunkFont = 10;

// The window is 30 pixels wider than the caption. While that is wider than
// the screen the font shrinks a point at a time, stopping once it is at 10
// points or less (the window may then still be too wide). The window is at
// least 100 wide; caption (3 pixels left of centre) and button are centred,
// halves rounded to the even neighbour. labelWidthAt measures the caption at
// a font size in points.
MessageWindowLayout layoutMessageWindow(int fontPoints, int screenWidth, int buttonWidth,
                                        const std::function<int(int fontPoints)> &labelWidthAt);

// x rounded to the nearest integer, an exact half to the even neighbour.
int roundHalfToEven(double x);
