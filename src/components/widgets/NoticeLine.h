#pragma once

#include <QRect>

class QLabel;
class QWidget;

// A red line of text that tells why something the window offers is missing
// (an empty branch list). It takes no focus, so Tab and Enter pass it by, and
// wraps onto a second line where the reason is long.
QLabel *noticeLine(const QRect &geometry, QWidget *parent);
