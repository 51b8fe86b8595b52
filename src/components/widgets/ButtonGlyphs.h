#pragma once

#include <QPixmap>

// Two-state glyph strips for FocusMarkedButton::setGlyph: the normal picture, then the
// greyed picture shown while the button is disabled, side by side.
namespace ButtonGlyphs {

inline constexpr int size = 18;

QPixmap checkMark(); // OK buttons
QPixmap cross();     // cancel and close buttons

// Builds a strip from one normal picture, adding an etched grey copy of it.
QPixmap twoStateStrip(const QPixmap &normal);

} // namespace ButtonGlyphs
