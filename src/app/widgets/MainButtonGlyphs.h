#pragma once

#include <QPixmap>

// Two-state glyph strips (normal, disabled) for the main window's buttons.
namespace MainButtonGlyphs {

QPixmap exit();     // a door with an arrow leaving it
QPixmap barcode();  // product labels
QPixmap envelope(); // customer labels
QPixmap settings(); // a cog

} // namespace MainButtonGlyphs
