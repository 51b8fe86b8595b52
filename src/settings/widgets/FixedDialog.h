#pragma once

#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

class QDialog;
class QLabel;
class QWidget;
class FocusMarkedButton;

// The settings dialogs are laid out in pixels and keep that size: a fixed
// client area, a title bar with only a close box, above other windows.
namespace FixedDialog {

void setUp(QDialog &dialog, const QString &caption, QSize client);

// Centres the window on the screen it is shown on.
void centreOnScreen(QWidget &window);

QLabel *label(const QString &text, QPoint at, QWidget *parent);

// An OK-style or cancel-style button: 19-pixel 標楷體 in the given colour.
FocusMarkedButton *button(const QString &caption, const QColor &color, const QPixmap &glyph, const QRect &geometry,
                          QWidget *parent);

} // namespace FixedDialog
