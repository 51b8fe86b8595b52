#include "settings/widgets/FixedDialog.h"

#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/Fonts.h"

#include <QDialog>
#include <QLabel>
#include <QScreen>

namespace FixedDialog {

void setUp(QDialog &dialog, const QString &caption, QSize client)
{
    dialog.setWindowTitle(caption);
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint);
    dialog.setFixedSize(client);
    dialog.setModal(true);
}

void centreOnScreen(QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen) {
        return;
    }
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

QLabel *label(const QString &text, QPoint at, QWidget *parent)
{
    auto *shown = new QLabel(text, parent);
    shown->move(at);
    shown->adjustSize();
    return shown;
}

FocusMarkedButton *button(const QString &caption, const QColor &color, const QPixmap &glyph, const QRect &geometry,
                          QWidget *parent)
{
    auto *made = new FocusMarkedButton(caption, parent);
    made->setGeometry(geometry);
    made->setFont(Fonts::kai(19));
    QPalette palette = made->palette();
    palette.setColor(QPalette::ButtonText, color);
    made->setPalette(palette);
    made->setGlyph(glyph);
    return made;
}

} // namespace FixedDialog
