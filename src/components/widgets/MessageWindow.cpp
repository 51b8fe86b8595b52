#include "components/widgets/MessageWindow.h"

#include "components/widgets/ButtonGlyphs.h"
#include "components/widgets/EmbossedLabel.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/Fonts.h"
#include "components/widgets/MessageWindowLayout.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace {

constexpr int clientHeight = 127;
constexpr int buttonTop = 78;

} // namespace

MessageWindow::MessageWindow(const QString &text, const QString &title, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint)
    , textLabel(new EmbossedLabel(this))
    , okButton(new FocusMarkedButton(QStringLiteral("確定"), this))
    , title_(title)
{
    setObjectName(QStringLiteral("TaMsgForm"));
    textLabel->setObjectName(QStringLiteral("Lab"));
    okButton->setObjectName(QStringLiteral("Btn"));
    setFont(Fonts::sans(8));
    setFixedSize(318, clientHeight);

    QFont labelFont = Fonts::kai(29);
    labelFont.setBold(true);
    labelFont.setItalic(true);
    textLabel->setFont(labelFont);
    textLabel->setFontColor(Qt::blue);
    textLabel->setLayer2Color(Qt::black);
    textLabel->move(20, 24);
    textLabel->setText(text);

    okButton->setGeometry(22, buttonTop, 75, 25);
    okButton->setGlyph(ButtonGlyphs::checkMark());
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &MessageWindow::onOk);
}

void MessageWindow::showEvent(QShowEvent *event)
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    fitToScreen(screen ? screen->geometry().width() : width());
    QDialog::showEvent(event);
}

void MessageWindow::fitToScreen(int screenWidth)
{
    setWindowTitle(title_.isEmpty() ? QGuiApplication::applicationDisplayName() : title_);

    const MessageWindowLayout layout = layoutMessageWindow(Fonts::pixelsToPoints(textLabel->font().pixelSize()),
                                                           screenWidth, okButton->width(), [this](int points) {
                                                               QFont font = textLabel->font();
                                                               font.setPixelSize(Fonts::pointsToPixels(points));
                                                               textLabel->setFont(font);
                                                               return textLabel->width();
                                                           });
    // Qt sizes the client area; the frame belongs to the window manager and
    // is not known before the window is shown.
    // A caption of several lines pushes the button down rather than under it.
    const int extraLines = std::max(0, textLabel->height() - textLabel->fontMetrics().height());
    const int height = clientHeight + extraLines;
    setFixedSize(layout.windowWidth, height);
    textLabel->move(layout.labelLeft, textLabel->y());
    okButton->move(layout.buttonLeft, buttonTop + extraLines);

    // Centred after sizing, so a wide notice does not run off the screen.
    if (const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center().x() - layout.windowWidth / 2, area.center().y() - height / 2);
    }
}

void MessageWindow::onOk()
{
    accept();
}

void showMessageWindow(const QString &text, const QString &title, QWidget *parent)
{
    MessageWindow form(text, title, parent);
    form.exec();
}
