#include "components/widgets/BusyWindow.h"

#include "components/widgets/ButtonGlyphs.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/Fonts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QScreen>
#include <QWindow>

namespace {
constexpr int elapsedRefreshMs = 100;
} // namespace

// Swallows input aimed anywhere but the busy window while it is active.
class BusyWindow::InputBlocker : public QObject
{
public:
    explicit InputBlocker(BusyWindow *window)
        : QObject(window)
        , window_(window)
    {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::Drop:
            return !isBusyWindow(watched);
        case QEvent::Close:
            // The window system's close box; the program's own closing is not input.
            return event->spontaneous() && !isBusyWindow(watched);
        default:
            return false;
        }
    }

private:
    bool isBusyWindow(QObject *object) const
    {
        if (const auto *widget = qobject_cast<QWidget *>(object)) {
            return widget->window() == window_;
        }
        if (const auto *window = qobject_cast<QWindow *>(object)) {
            return window == window_->windowHandle();
        }
        return false;
    }

    BusyWindow *window_;
};

BusyWindow::BusyWindow(QWidget *parent)
    // On top, as the settings dialogs it may run under are.
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint)
    , progressLabel(new QLabel(this))
    , elapsedLabel(new QLabel(this))
    , cancelButton(new FocusMarkedButton(QStringLiteral("取消 &C"), this))
    , blocker_(new InputBlocker(this))
{
    setWindowModality(Qt::ApplicationModal);
    setFont(Fonts::ming(16));
    setFixedSize(360, 130);
    progressLabel->setGeometry(20, 18, 320, 24);
    elapsedLabel->setGeometry(20, 46, 320, 24);
    cancelButton->setGeometry(135, 84, 90, 30);
    cancelButton->setGlyph(ButtonGlyphs::cross());
    QPalette palette = cancelButton->palette();
    palette.setColor(QPalette::ButtonText, QColor(128, 0, 0));
    cancelButton->setPalette(palette);

    showTimer_.setSingleShot(true);
    showTimer_.setInterval(showDelayMs);
    connect(&showTimer_, &QTimer::timeout, this, &BusyWindow::reveal);
    elapsedTimer_.setInterval(elapsedRefreshMs);
    connect(&elapsedTimer_, &QTimer::timeout, this, &BusyWindow::showElapsed);
    connect(cancelButton, &QPushButton::clicked, this, &BusyWindow::requestCancel);
}

BusyWindow::~BusyWindow()
{
    end();
}

void BusyWindow::begin(const QString &title, const QString &progressText)
{
    setWindowTitle(title);
    progressLabel->setText(progressText);
    cancelButton->setEnabled(true);
    elapsed_.start();
    showElapsed();
    if (active_) {
        return;
    }
    active_ = true;
    qApp->installEventFilter(blocker_);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    showTimer_.start();
    elapsedTimer_.start();
}

void BusyWindow::setProgressText(const QString &text)
{
    progressLabel->setText(text);
}

void BusyWindow::end()
{
    if (!active_) {
        return;
    }
    active_ = false;
    showTimer_.stop();
    elapsedTimer_.stop();
    hide();
    qApp->removeEventFilter(blocker_);
    QApplication::restoreOverrideCursor();
}

void BusyWindow::reveal()
{
    const QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect area = owner && owner->isVisible() ? owner->frameGeometry() : screen()->availableGeometry();
    move(area.center() - rect().center());
    show();
    raise();
    activateWindow();
    cancelButton->setFocus();
    // The arrow beside the hourglass: the Cancel button can be clicked.
    QApplication::changeOverrideCursor(Qt::BusyCursor);
}

void BusyWindow::showElapsed()
{
    elapsedLabel->setText(QStringLiteral("經過時間 %1 秒").arg(double(elapsed_.elapsed()) / 1000.0, 0, 'f', 1));
}

void BusyWindow::requestCancel()
{
    if (!active_) {
        return;
    }
    cancelButton->setEnabled(false);
    progressLabel->setText(QStringLiteral("取消中…"));
    Q_EMIT cancelRequested();
}

void BusyWindow::reject()
{
    requestCancel();
}

void BusyWindow::closeEvent(QCloseEvent *event)
{
    if (!active_) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    requestCancel();
}
