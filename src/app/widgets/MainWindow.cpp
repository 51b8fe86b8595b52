#include "app/widgets/MainWindow.h"

#include "app/ProgramDir.h"
#include "app/ReplyLinesModel.h"
#include "app/SingleInstanceGuard.h"
#include "app/widgets/MainButtonGlyphs.h"
#include "app/widgets/MainPicture.h"
#include "components/Big5.h"
#include "components/CaseInsensitivePath.h"
#include "components/Prompts.h"
#include "components/widgets/BusyWindow.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/Fonts.h"
#include "components/widgets/WidgetPrompts.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>

#include <utility>

namespace {
const QColor navy(0, 0, 128);
const QColor maroon(128, 0, 0);
const QColor purple(128, 0, 128);
const QColor moneyGreen(0xC0, 0xDC, 0xC0);
const QColor paleYellow(255, 255, 225);

constexpr int clientWidth = 518;
constexpr int clientHeight = 570;
constexpr int bannerHeight = 49;
constexpr int statusHeight = 22;
constexpr int bottomHeight = 120;
constexpr int buttonX = 165;
constexpr int buttonWidth = 170;
constexpr int buttonHeight = 33;
constexpr QPoint shadowOffset(3, 5);
constexpr int productWindowDelayMs = 500;

// Disabled text keeps the style's grey.
void setTextColor(QWidget *widget, QPalette::ColorRole role, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Active, role, color);
    palette.setColor(QPalette::Inactive, role, color);
    widget->setPalette(palette);
}

void setBackground(QWidget *widget, QPalette::ColorRole role, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Panels with lowered inner and outer bevels.
void lowerBevels(QLabel *panel)
{
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
}

QLabel *shadowPanel(QWidget *parent)
{
    auto *panel = new QLabel(parent);
    setBackground(panel, QPalette::Window, Qt::black);
    setTextColor(panel, QPalette::WindowText, QColor(128, 128, 128));
    panel->setAlignment(Qt::AlignCenter);
    panel->setEnabled(false);
    return panel;
}

QString receivedText(qint64 bytes)
{
    return QStringLiteral("已收到 %1 位元組").arg(QLocale(QLocale::English).toString(bytes));
}
} // namespace

MainWindow::MainWindow(const QString &programDir, Prompts &prompts, GuardOptions guard, QWidget *parent)
    : QWidget(parent)
    , singleInstanceGuard(new SingleInstanceGuard(this))
    , bannerPanel(new QLabel(QStringLiteral("條碼列印作業(Velmar)"), this))
    , versionLabel(new QLabel(QStringLiteral("v108-0402"), bannerPanel))
    , statusLabel(new QLabel(QStringLiteral("Label8"), this))
    , picture(new MainPicture(this))
    , exitShadow(shadowPanel(this))
    , exchangeStatusPanel(shadowPanel(this))
    , customerShadow(shadowPanel(this))
    , settingsShadow(shadowPanel(this))
    , exitButton(new FocusMarkedButton(QStringLiteral("離開 &X"), this))
    , productLabelsButton(new FocusMarkedButton(QStringLiteral("商品條碼列印 &1"), this))
    , customerLabelsButton(new FocusMarkedButton(QStringLiteral("客戶條碼列印 &2"), this))
    , settingsButton(new FocusMarkedButton(QStringLiteral("系統參數設定 &3"), this))
    , messagePanel(new QLabel(this))
    , replyCaption(new QLabel(QStringLiteral("資料訊息"), messagePanel))
    , requestCaption(new QLabel(QStringLiteral("連線訊息"), messagePanel))
    , replyPane(new QListView(messagePanel))
    , requestPane(new QPlainTextEdit(QStringLiteral("Memo2"), messagePanel))
    , creditLabel(new QLabel(messagePanel))
    , productWindowTimer(new QTimer(this))
    , programDir_(programDir)
    , exchange_(new ServerExchange([this] { return liveSettings_ ? liveSettings_() : LinkSettings{}; }, this))
    , replyModel_(new ReplyLinesModel(*exchange_, QStringLiteral("Memo1"), this))
    , busyWindow_(new BusyWindow(this))
{
    nameControls();
    loadGuard(std::move(guard));
    layOut();
    connectExchange();
    productWindowTimer->setSingleShot(true);
    productWindowTimer->setInterval(productWindowDelayMs);
    connect(productWindowTimer, &QTimer::timeout, this, &MainWindow::destroyClosedProductWindow);
    connect(exitButton, &QPushButton::clicked, this, &MainWindow::onExit);
    connect(productLabelsButton, &QPushButton::clicked, this, &MainWindow::onOpenProductLabels);
    connect(customerLabelsButton, &QPushButton::clicked, this, &MainWindow::onOpenCustomerLabels);
    connect(settingsButton, &QPushButton::clicked, this, &MainWindow::onOpenSettings);
    // A second copy ends at once: it neither reads the picture nor reports on it.
    if (!singleInstanceGuard->anotherInstanceFound()) {
        showCreditOrPicture(prompts);
    }
}

MainWindow::~MainWindow()
{
    // The windows that use the exchange go before it does.
    delete productWindow_;
    delete customerWindow_;
    delete settingsDialog_;
}

void MainWindow::nameControls()
{
    const std::pair<QObject *, const char *> designNames[] = {
        {singleInstanceGuard, "OneInstComp1"},
        {bannerPanel, "Panel1"},
        {versionLabel, "Label4"},
        {statusLabel, "Label8"},
        {picture, "Image1"},
        {exitShadow, "Panel2"},
        {exchangeStatusPanel, "Panel3"},
        {customerShadow, "Panel9"},
        {settingsShadow, "Panel7"},
        {exitButton, "CloseButton"},
        {productLabelsButton, "PrintSetButton"},
        {customerLabelsButton, "custbutton"},
        {settingsButton, "SysButton"},
        {messagePanel, "Panel6"},
        {replyCaption, "Label1"},
        {requestCaption, "Label2"},
        {replyPane, "Memo1"},
        {requestPane, "Memo2"},
        {creditLabel, "Label3"},
        {productWindowTimer, "Timer1"},
    };
    for (const auto &[control, name] : designNames) {
        control->setObjectName(QLatin1String(name));
    }
}

void MainWindow::loadGuard(GuardOptions guard)
{
    singleInstanceGuard->beginLoading();
    singleInstanceGuard->setMessage(QLatin1String(guardMessage));
    singleInstanceGuard->setMutex(QLatin1String(guardMutex));
    singleInstanceGuard->setText(QStringLiteral("條碼列印重複登入了!!"));
    singleInstanceGuard->setTitle(QStringLiteral("For web 條碼列印"));
    if (!guard.directory.isEmpty()) {
        singleInstanceGuard->setDirectory(guard.directory);
    }
    if (!guard.notice) {
        guard.notice = [](const QString &title, const QString &text) { WidgetPrompts(title).plainMessage(text); };
    }
    singleInstanceGuard->setNotice(std::move(guard.notice));
    connect(singleInstanceGuard, &SingleInstanceGuard::wakeUpRequested, this, &MainWindow::wakeUp);
    singleInstanceGuard->Loaded();
}

void MainWindow::layOut()
{
    setObjectName(QStringLiteral("qelvomainForm"));
    setWindowTitle(QStringLiteral("qelvomainForm"));
    setFont(Fonts::sans(8));
    setFixedSize(clientWidth, clientHeight);

    bannerPanel->setGeometry(0, 0, clientWidth, bannerHeight);
    lowerBevels(bannerPanel);
    bannerPanel->setAlignment(Qt::AlignCenter);
    bannerPanel->setFont(Fonts::kai(19));
    setTextColor(bannerPanel, QPalette::WindowText, navy);
    versionLabel->setFont(Fonts::ming(15));
    setTextColor(versionLabel, QPalette::WindowText, purple);
    versionLabel->adjustSize();
    versionLabel->move(clientWidth - versionLabel->width() - 8, bannerHeight - versionLabel->height() - 4);

    statusLabel->setGeometry(0, bannerHeight, clientWidth, statusHeight);
    statusLabel->setAlignment(Qt::AlignCenter);
    statusLabel->setFont(Fonts::ming(19));
    setTextColor(statusLabel, QPalette::WindowText, Qt::red);

    const int pictureTop = bannerHeight + statusHeight;
    picture->setGeometry(0, pictureTop, clientWidth, clientHeight - bottomHeight - pictureTop);

    const struct {
        FocusMarkedButton *button;
        QLabel *shadow;
        int y;
        QColor color;
        QPixmap glyph;
    } buttons[] = {
        {exitButton, exitShadow, 121, maroon, MainButtonGlyphs::exit()},
        {productLabelsButton, exchangeStatusPanel, 181, navy, MainButtonGlyphs::barcode()},
        {customerLabelsButton, customerShadow, 247, navy, MainButtonGlyphs::envelope()},
        {settingsButton, settingsShadow, 311, maroon, MainButtonGlyphs::settings()},
    };
    for (const auto &entry : buttons) {
        entry.shadow->setGeometry(QRect(QPoint(buttonX, entry.y) + shadowOffset, QSize(buttonWidth, buttonHeight)));
        entry.shadow->raise();
        entry.button->setGeometry(buttonX, entry.y, buttonWidth, buttonHeight);
        entry.button->raise();
        entry.button->setFont(Fonts::ming(16));
        setTextColor(entry.button, QPalette::ButtonText, entry.color);
        entry.button->setGlyph(entry.glyph);
        entry.button->setFocusSize(3);
    }
    setTabOrder(exitButton, productLabelsButton);
    setTabOrder(productLabelsButton, customerLabelsButton);
    setTabOrder(customerLabelsButton, settingsButton);
    productLabelsButton->setEnabled(false);
    customerLabelsButton->setEnabled(false);

    messagePanel->setGeometry(0, clientHeight - bottomHeight, clientWidth, bottomHeight);
    lowerBevels(messagePanel);
    replyCaption->move(17, 12);
    replyCaption->adjustSize();
    // Lies under the lower edge of the reply pane.
    requestCaption->move(12, 86);
    requestCaption->adjustSize();
    requestCaption->lower();

    replyPane->setGeometry(2, 28, 495, 69);
    replyPane->setModel(replyModel_);
    replyPane->setFont(Fonts::ming(15));
    replyPane->setUniformItemSizes(true);
    replyPane->setTextElideMode(Qt::ElideNone);
    replyPane->setWordWrap(false);
    replyPane->setSelectionMode(QAbstractItemView::NoSelection);
    replyPane->setEditTriggers(QAbstractItemView::NoEditTriggers);
    replyPane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    replyPane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    replyPane->setFocusPolicy(Qt::ClickFocus);

    // Only its first line shows inside the panel.
    requestPane->setGeometry(2, 97, 495, bottomHeight - 2 - 97);
    requestPane->setReadOnly(true);
    requestPane->setLineWrapMode(QPlainTextEdit::NoWrap);
    requestPane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    requestPane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    requestPane->setFocusPolicy(Qt::ClickFocus);
    requestPane->document()->setDocumentMargin(1);
    QPalette memo2Palette = requestPane->palette();
    memo2Palette.setColor(QPalette::Base, paleYellow);
    requestPane->setPalette(memo2Palette);

    creditLabel->move(341, 10);
    setBackground(creditLabel, QPalette::Window, moneyGreen);

    if (const QScreen *screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void MainWindow::connectExchange()
{
    connect(exchange_, &ServerExchange::requestChanged, this, [this] {
        QString text = Big5::decode(exchange_->requestBody());
        requestPane->setPlainText(text.replace(QLatin1String("\r\n"), QLatin1String("\n")));
    });
    connect(exchange_, &ServerExchange::statusLineChanged, exchangeStatusPanel, &QLabel::setText);

    connect(exchange_, &ServerExchange::exchangeStarted, busyWindow_,
            [this] { busyWindow_->begin(QStringLiteral("與主機通訊中"), QStringLiteral("等待主機回應…")); });
    connect(exchange_, &ServerExchange::progress, busyWindow_,
            [this](qint64 bytes) { busyWindow_->setProgressText(receivedText(bytes)); });
    connect(exchange_, &ServerExchange::exchangeFinished, busyWindow_, &BusyWindow::end);
    // Every exchange, not only the link tests, tells whether the link works.
    connect(exchange_, &ServerExchange::exchangeFinished, this, &MainWindow::showLinkState);
    connect(busyWindow_, &BusyWindow::cancelRequested, exchange_, &ServerExchange::cancel);
}

void MainWindow::showCreditOrPicture(Prompts &prompts)
{
    creditLabel->setText(QStringLiteral("Morvane"));
    creditLabel->adjustSize();
    const QString picturePath = resolveCaseInsensitive(ProgramDir::file(programDir_, QStringLiteral("cust.bmp")));
    if (!QFileInfo::exists(picturePath)) {
        return;
    }
    creditLabel->setText(QString());
    creditLabel->adjustSize();
    QImageReader reader(picturePath);
    const QImage customerPicture = reader.read();
    if (customerPicture.isNull()) {
        prompts.forWindow(this)->plainMessage(QStringLiteral("無法載入圖片 %1：%2\n改用內建圖片。")
                                                  .arg(QDir::toNativeSeparators(picturePath), reader.errorString()));
        return;
    }
    picture->setPicture(customerPicture);
}

void MainWindow::testLinkAndShowState()
{
    if (exchange_->linkTest()) {
        exitButton->setFocus();
    } else {
        settingsButton->setFocus();
    }
}

void MainWindow::showLinkState(bool linked)
{
    // The user gave up waiting: that says nothing about a link already known.
    if (!linked && linkKnown_ && exchange_->lastResult().failure == HttpPost::Failure::Cancelled) {
        return;
    }
    linkKnown_ = true;
    if (linked) {
        statusLabel->setText(QStringLiteral("【") + Big5::decode(exchange_->settings().branch) +
                             QStringLiteral("】與主機連線正常"));
        return;
    }
    const QString notice = ExchangeEnvelope::serverProblemNotice(exchange_->lastResult().serverProblem);
    statusLabel->setText(notice.isEmpty() ? QStringLiteral("請先與主機連線【系統參數設定】") : notice);
}

void MainWindow::setStatusLabel(const QString &text)
{
    statusLabel->setText(text);
}

void MainWindow::setSettingsDialog(QDialog *form, ServerExchange::SettingsSource liveSettings)
{
    settingsDialog_ = form;
    liveSettings_ = std::move(liveSettings);
}

void MainWindow::setProductWindowFactory(WindowFactory factory)
{
    productFactory_ = std::move(factory);
    productLabelsButton->setEnabled(bool(productFactory_));
}

void MainWindow::setCustomerWindowFactory(WindowFactory factory)
{
    customerFactory_ = std::move(factory);
    customerLabelsButton->setEnabled(bool(customerFactory_));
}

void MainWindow::openWindow(QPointer<QWidget> &window, const WindowFactory &factory, const char *name)
{
    if (!factory) {
        return;
    }
    if (!window) {
        window = factory(this);
        window->setObjectName(QLatin1String(name));
        // The program ends with the main window, whatever else is open.
        window->setAttribute(Qt::WA_QuitOnClose, false);
    }
    window->showNormal();
    window->raise();
    window->activateWindow();
}

void MainWindow::onOpenProductLabels()
{
    openWindow(productWindow_, productFactory_, "TBar1Form");
}

void MainWindow::onOpenCustomerLabels()
{
    openWindow(customerWindow_, customerFactory_, "TCustBarForm");
}

void MainWindow::onOpenSettings()
{
    if (settingsDialog_) {
        settingsDialog_->exec();
    }
}

void MainWindow::onExit()
{
    close();
}

void MainWindow::productWindowClosed()
{
    productWindowTimer->start();
}

void MainWindow::destroyClosedProductWindow()
{
    productWindowTimer->stop();
    // A window the user has brought back within the delay stays; the next close starts the timer again.
    if (productWindow_ && !productWindow_->isVisible()) {
        productWindow_->deleteLater();
        productWindow_ = nullptr;
    }
}

void MainWindow::wakeUp()
{
    if (isMinimized()) {
        showNormal();
    }
    raise();
    activateWindow();
}
