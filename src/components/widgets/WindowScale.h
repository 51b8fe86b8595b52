#pragma once

class QWidget;

// The label windows and their import dialogs are laid out in pixels for a
// screen 600 pixels high and grow with the screen, positions, sizes and fonts
// alike, the way a form's ScaleBy does.
namespace WindowScale {

inline constexpr int layoutScreenHeight = 600;

// The height of the screen the window is on (or the primary screen) over 600.
double factorFor(const QWidget &window);

int scaled(int pixels, double factor);

// Scales the window's size and font, and the position, size and own font of
// every control laid out in it. Controls that arrange their own insides (grids,
// drop-down lists, spin boxes) are scaled as a whole; child windows such as the
// window's dialogs are left to scale themselves.
void scaleBy(QWidget &window, double factor);

} // namespace WindowScale
