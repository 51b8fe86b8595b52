#include "labelqueue/widgets/LabelWindowLook.h"

#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/Fonts.h"
#include "components/widgets/WindowScale.h"

#include <QLabel>
#include <QScreen>

namespace LabelWindowLook {

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
    if (role == QPalette::Window) {
        widget->setAutoFillBackground(true);
    }
}

FocusMarkedButton *rowButton(const char *name, const QString &caption, const QColor &colour, QWidget *parent)
{
    auto *button = new FocusMarkedButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setFont(Fonts::ming(13));
    // Disabled buttons keep the style's grey.
    QPalette palette = button->palette();
    palette.setColor(QPalette::Active, QPalette::ButtonText, colour);
    palette.setColor(QPalette::Inactive, QPalette::ButtonText, colour);
    button->setPalette(palette);
    return button;
}

QLabel *note(const QString &text, QPoint at, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(Fonts::ming(13));
    label->move(at);
    label->adjustSize();
    return label;
}

void styleTitle(QLabel *title, const QColor &background)
{
    title->setAlignment(Qt::AlignCenter);
    title->setFont(Fonts::kai(24));
    title->setFrameStyle(QFrame::Panel | QFrame::Raised);
    setColour(title, QPalette::WindowText, navy);
    setColour(title, QPalette::Window, background);
}

void centreOverOwner(QWidget &window)
{
    QRect frame = window.frameGeometry();
    if (const QWidget *owner = window.parentWidget()) {
        frame.moveCenter(owner->frameGeometry().center());
    } else if (const QScreen *shown = window.screen()) {
        frame.moveCenter(shown->availableGeometry().center());
    }
    if (const QScreen *shown = window.screen()) {
        window.move(WindowScale::keptOnScreen(frame, shown->availableGeometry()));
    } else {
        window.move(frame.topLeft());
    }
}

} // namespace LabelWindowLook
