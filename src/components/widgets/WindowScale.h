#pragma once

class QFont;
class QPoint;
class QRect;
class QSize;
class QWidget;

// The label windows and their import dialogs are laid out in pixels for a
// screen 600 pixels high and grow with the screen, positions, sizes and fonts
// alike, the way a form's ScaleBy does.
namespace WindowScale {

inline constexpr int layoutScreenHeight = 600;

// The screen's height over 600, but never so large that the window, at its
// present size, would grow past the screen's free area: a window wider than a
// 1280 x 1024 screen would hide its own buttons.
double factorForScreen(const QSize &windowSize, const QRect &screen, const QRect &available);
// The same for the screen the window is on (or the primary screen).
double factorFor(const QWidget &window);

// Where a window of the given frame, centred on a point, stays inside the free area.
QPoint keptOnScreen(QRect frame, const QRect &available);

int scaled(int pixels, double factor);
// The font grown by factor, in the unit it is given in.
QFont scaledFont(QFont font, double factor);

// How much a window has grown (1 when never scaled), so the boxes it asks
// through grow with it. scaleBy records it; a window that scales itself says so.
double appliedFactor(const QWidget &window);
void recordFactor(QWidget &window, double factor);

// Scales the window's size and font, and the position, size and own font of
// every control laid out in it. Controls that arrange their own insides (grids,
// drop-down lists, spin boxes) are scaled as a whole; child windows such as the
// window's dialogs are left to scale themselves.
void scaleBy(QWidget &window, double factor);

} // namespace WindowScale
