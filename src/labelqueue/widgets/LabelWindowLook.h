#pragma once

#include <QColor>
#include <QPalette>
#include <QPoint>
#include <QString>

class QLabel;
class QWidget;
class FocusMarkedButton;

// How the two label windows look: coloured panels, the buttons of the
// bottom row, notes, and their place over the main window.
namespace LabelWindowLook {

inline const QColor navy(0, 0, 128);
inline const QColor maroon(128, 0, 0);
inline const QColor darkGreen(0, 100, 0);

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour);
// A focus-marked button of the bottom row, 13-pixel 細明體 in the colour.
FocusMarkedButton *rowButton(const char *name, const QString &caption, const QColor &colour, QWidget *parent);
QLabel *note(const QString &text, QPoint at, QWidget *parent);
// The title bar: navy 24-pixel 標楷體, raised, on background.
void styleTitle(QLabel *title, const QColor &background);
// Centred over its owner (or the screen), kept on the screen.
void centreOverOwner(QWidget &window);

} // namespace LabelWindowLook
