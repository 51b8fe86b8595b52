#include "components/widgets/MessageWindow.h"

#include "components/widgets/ButtonGlyphs.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/Fonts.h"
#include "components/widgets/Label3D.h"
#include "components/widgets/MessageWindowLayout.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

constexpr int clientHeight = 127;

} // namespace

MessageWindow::MessageWindow(const QString &text, const QString &title, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint)
    , Lab(new Label3D(this))
    , Btn(new FocusMarkedButton(QStringLiteral("確定"), this))
    , title_(title)
{
    setFont(Fonts::sans(8));
    setFixedSize(318, clientHeight);

    QFont labelFont = Fonts::kai(29);
    labelFont.setBold(true);
    labelFont.setItalic(true);
    Lab->setFont(labelFont);
    Lab->setFontColor(Qt::blue);
    Lab->setLayer2Color(Qt::black);
    Lab->move(20, 24);
    Lab->setText(text);

    Btn->setGeometry(22, 78, 75, 25);
    Btn->setGlyph(ButtonGlyphs::checkMark());
    Btn->setDefault(true);
    connect(Btn, &QPushButton::clicked, this, &MessageWindow::BtnClick);
}

void MessageWindow::showEvent(QShowEvent *event)
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    FormShow(screen ? screen->geometry().width() : width());
    QDialog::showEvent(event);
}

void MessageWindow::FormShow(int screenWidth)
{
    setWindowTitle(title_.isEmpty() ? QGuiApplication::applicationDisplayName() : title_);

    const MessageWindowLayout layout = layoutMessageWindow(Fonts::pixelsToPoints(Lab->font().pixelSize()), screenWidth,
                                                           Btn->width(), [this](int points) {
                                                               QFont font = Lab->font();
                                                               font.setPixelSize(Fonts::pointsToPixels(points));
                                                               Lab->setFont(font);
                                                               return Lab->width();
                                                           });
    // Qt sizes the client area; the frame belongs to the window manager and
    // is not known before the window is shown.
    setFixedSize(layout.windowWidth, clientHeight);
    Lab->move(layout.labelLeft, Lab->y());
    Btn->move(layout.buttonLeft, Btn->y());

    // Centred after sizing, so a wide notice does not run off the screen.
    if (const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center().x() - layout.windowWidth / 2, area.center().y() - clientHeight / 2);
    }
}

void MessageWindow::BtnClick()
{
    accept();
}

void showMessageWindow(const QString &text, const QString &title, QWidget *parent)
{
    MessageWindow form(text, title, parent);
    form.exec();
}
