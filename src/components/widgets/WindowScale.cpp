#include "components/widgets/WindowScale.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QRect>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace WindowScale {
namespace {

constexpr char factorProperty[] = "barlabelWindowScale";

bool laysOutItsOwnInsides(const QWidget *widget)
{
    return qobject_cast<const QAbstractScrollArea *>(widget) || qobject_cast<const QComboBox *>(widget) ||
           qobject_cast<const QAbstractSpinBox *>(widget) || widget->layout();
}

void scaleChildren(QWidget &parent, double factor)
{
    const QList<QWidget *> children = parent.findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *child : children) {
        if (child->isWindow()) {
            continue;
        }
        const QRect at = child->geometry();
        const QSize size(scaled(at.width(), factor), scaled(at.height(), factor));
        if (child->minimumSize() == child->maximumSize()) {
            child->setFixedSize(size);
        }
        child->setGeometry(QRect(QPoint(scaled(at.x(), factor), scaled(at.y(), factor)), size));
        // A font that leaves its size open follows the parent, which is scaled already.
        if (child->testAttribute(Qt::WA_SetFont) && (child->font().resolveMask() & QFont::SizeResolved)) {
            child->setFont(scaledFont(child->font(), factor));
        }
        if (!laysOutItsOwnInsides(child)) {
            scaleChildren(*child, factor);
        }
    }
}

} // namespace

double factorForScreen(const QSize &windowSize, const QRect &screen, const QRect &available)
{
    // Room for the title bar and frame that the window manager adds.
    constexpr int frameAllowance = 40;
    double factor = double(screen.height()) / layoutScreenHeight;
    if (windowSize.width() > 0) {
        factor = std::min(factor, double(available.width()) / windowSize.width());
    }
    if (windowSize.height() > 0) {
        factor = std::min(factor, double(available.height() - frameAllowance) / windowSize.height());
    }
    return factor > 0 ? factor : 1.0;
}

double factorFor(const QWidget &window)
{
    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return 1.0;
    }
    return factorForScreen(window.size(), screen->geometry(), screen->availableGeometry());
}

QPoint keptOnScreen(QRect frame, const QRect &available)
{
    frame.moveRight(std::min(frame.right(), available.right()));
    frame.moveBottom(std::min(frame.bottom(), available.bottom()));
    frame.moveLeft(std::max(frame.left(), available.left()));
    frame.moveTop(std::max(frame.top(), available.top()));
    return frame.topLeft();
}

int scaled(int pixels, double factor)
{
    return int(std::lround(pixels * factor));
}

QFont scaledFont(QFont font, double factor)
{
    if (font.pixelSize() > 0) {
        font.setPixelSize(scaled(font.pixelSize(), factor));
    } else if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * factor);
    }
    return font;
}

double appliedFactor(const QWidget &window)
{
    const QVariant factor = window.property(factorProperty);
    return factor.isValid() ? factor.toDouble() : 1.0;
}

void recordFactor(QWidget &window, double factor)
{
    window.setProperty(factorProperty, factor);
}

void scaleBy(QWidget &window, double factor)
{
    recordFactor(window, appliedFactor(window) * factor);
    // Children that never set a font take the window's, so it is always set.
    window.setFont(scaledFont(window.font(), factor));
    const QSize size(scaled(window.width(), factor), scaled(window.height(), factor));
    if (window.minimumSize() == window.maximumSize()) {
        window.setFixedSize(size);
    } else {
        window.resize(size);
    }
    scaleChildren(window, factor);
}

} // namespace WindowScale
