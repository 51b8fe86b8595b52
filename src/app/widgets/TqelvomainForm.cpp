#include "app/widgets/TqelvomainForm.h"

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

TqelvomainForm::TqelvomainForm(const QString &programDir, Prompts &prompts, GuardOptions guard, QWidget *parent)
    : QWidget(parent)
    , OneInstComp1(new SingleInstanceGuard(this))
    , Panel1(new QLabel(QStringLiteral("條碼列印作業(Velmar)"), this))
    , Label4(new QLabel(QStringLiteral("v108-0402"), Panel1))
    , Label8(new QLabel(QStringLiteral("Label8"), this))
    , Image1(new MainPicture(this))
    , Panel2(shadowPanel(this))
    , Panel3(shadowPanel(this))
    , Panel9(shadowPanel(this))
    , Panel7(shadowPanel(this))
    , CloseButton(new FocusMarkedButton(QStringLiteral("離開 &X"), this))
    , PrintSetButton(new FocusMarkedButton(QStringLiteral("商品條碼列印 &1"), this))
    , custbutton(new FocusMarkedButton(QStringLiteral("客戶條碼列印 &2"), this))
    , SysButton(new FocusMarkedButton(QStringLiteral("系統參數設定 &3"), this))
    , Panel6(new QLabel(this))
    , Label1(new QLabel(QStringLiteral("資料訊息"), Panel6))
    , Label2(new QLabel(QStringLiteral("連線訊息"), Panel6))
    , Memo1(new QListView(Panel6))
    , Memo2(new QPlainTextEdit(QStringLiteral("Memo2"), Panel6))
    , Label3(new QLabel(Panel6))
    , Timer1(new QTimer(this))
    , programDir_(programDir)
    , exchange_(new ServerExchange([this] { return liveSettings_ ? liveSettings_() : LinkSettings{}; }, this))
    , replyModel_(new ReplyLinesModel(*exchange_, QStringLiteral("Memo1"), this))
    , busyWindow_(new BusyWindow(this))
{
    loadGuard(std::move(guard));
    layOut();
    connectExchange();
    Timer1->setSingleShot(true);
    Timer1->setInterval(productWindowDelayMs);
    connect(Timer1, &QTimer::timeout, this, &TqelvomainForm::Timer1Timer);
    connect(CloseButton, &QPushButton::clicked, this, &TqelvomainForm::CloseButtonClick);
    connect(PrintSetButton, &QPushButton::clicked, this, &TqelvomainForm::PrintSetButtonClick);
    connect(custbutton, &QPushButton::clicked, this, &TqelvomainForm::custbuttonClick);
    connect(SysButton, &QPushButton::clicked, this, &TqelvomainForm::SysButtonClick);
    // A second copy ends at once: it neither reads the picture nor reports on it.
    if (!OneInstComp1->anotherInstanceFound()) {
        FormCreate(prompts);
    }
}

TqelvomainForm::~TqelvomainForm()
{
    // The windows that use the exchange go before it does.
    delete productWindow_;
    delete customerWindow_;
    delete settingsForm_;
}

void TqelvomainForm::loadGuard(GuardOptions guard)
{
    OneInstComp1->beginLoading();
    OneInstComp1->setMessage(QLatin1String(guardMessage));
    OneInstComp1->setMutex(QLatin1String(guardMutex));
    OneInstComp1->setText(QStringLiteral("條碼列印重複登入了!!"));
    OneInstComp1->setTitle(QStringLiteral("For web 條碼列印"));
    if (!guard.directory.isEmpty()) {
        OneInstComp1->setDirectory(guard.directory);
    }
    if (!guard.notice) {
        guard.notice = [](const QString &title, const QString &text) { WidgetPrompts(title).plainMessage(text); };
    }
    OneInstComp1->setNotice(std::move(guard.notice));
    connect(OneInstComp1, &SingleInstanceGuard::wakeUpRequested, this, &TqelvomainForm::wakeUp);
    OneInstComp1->Loaded();
}

void TqelvomainForm::layOut()
{
    setObjectName(QStringLiteral("qelvomainForm"));
    setWindowTitle(QStringLiteral("qelvomainForm"));
    setFont(Fonts::sans(8));
    setFixedSize(clientWidth, clientHeight);

    Panel1->setGeometry(0, 0, clientWidth, bannerHeight);
    lowerBevels(Panel1);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFont(Fonts::kai(19));
    setTextColor(Panel1, QPalette::WindowText, navy);
    Label4->setFont(Fonts::ming(15));
    setTextColor(Label4, QPalette::WindowText, purple);
    Label4->adjustSize();
    Label4->move(clientWidth - Label4->width() - 8, bannerHeight - Label4->height() - 4);

    Label8->setGeometry(0, bannerHeight, clientWidth, statusHeight);
    Label8->setAlignment(Qt::AlignCenter);
    Label8->setFont(Fonts::ming(19));
    setTextColor(Label8, QPalette::WindowText, Qt::red);

    const int pictureTop = bannerHeight + statusHeight;
    Image1->setGeometry(0, pictureTop, clientWidth, clientHeight - bottomHeight - pictureTop);

    const struct {
        FocusMarkedButton *button;
        QLabel *shadow;
        int y;
        QColor color;
        QPixmap glyph;
    } buttons[] = {
        {CloseButton, Panel2, 121, maroon, MainButtonGlyphs::exit()},
        {PrintSetButton, Panel3, 181, navy, MainButtonGlyphs::barcode()},
        {custbutton, Panel9, 247, navy, MainButtonGlyphs::envelope()},
        {SysButton, Panel7, 311, maroon, MainButtonGlyphs::settings()},
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
    setTabOrder(CloseButton, PrintSetButton);
    setTabOrder(PrintSetButton, custbutton);
    setTabOrder(custbutton, SysButton);
    PrintSetButton->setEnabled(false);
    custbutton->setEnabled(false);

    Panel6->setGeometry(0, clientHeight - bottomHeight, clientWidth, bottomHeight);
    lowerBevels(Panel6);
    Label1->move(17, 12);
    Label1->adjustSize();
    // Lies under the lower edge of the reply pane.
    Label2->move(12, 86);
    Label2->adjustSize();
    Label2->lower();

    Memo1->setGeometry(2, 28, 495, 69);
    Memo1->setModel(replyModel_);
    Memo1->setFont(Fonts::ming(15));
    Memo1->setUniformItemSizes(true);
    Memo1->setTextElideMode(Qt::ElideNone);
    Memo1->setWordWrap(false);
    Memo1->setSelectionMode(QAbstractItemView::NoSelection);
    Memo1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setFocusPolicy(Qt::ClickFocus);

    // Only its first line shows inside the panel.
    Memo2->setGeometry(2, 97, 495, bottomHeight - 2 - 97);
    Memo2->setReadOnly(true);
    Memo2->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo2->setFocusPolicy(Qt::ClickFocus);
    Memo2->document()->setDocumentMargin(1);
    QPalette memo2Palette = Memo2->palette();
    memo2Palette.setColor(QPalette::Base, paleYellow);
    Memo2->setPalette(memo2Palette);

    Label3->move(341, 10);
    setBackground(Label3, QPalette::Window, moneyGreen);

    if (const QScreen *screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TqelvomainForm::connectExchange()
{
    connect(exchange_, &ServerExchange::requestChanged, this, [this] {
        QString text = Big5::decode(exchange_->requestBody());
        Memo2->setPlainText(text.replace(QLatin1String("\r\n"), QLatin1String("\n")));
    });
    connect(exchange_, &ServerExchange::statusLineChanged, Panel3, &QLabel::setText);

    connect(exchange_, &ServerExchange::exchangeStarted, busyWindow_,
            [this] { busyWindow_->begin(QStringLiteral("與主機通訊中"), QStringLiteral("等待主機回應…")); });
    connect(exchange_, &ServerExchange::progress, busyWindow_,
            [this](qint64 bytes) { busyWindow_->setProgressText(receivedText(bytes)); });
    connect(exchange_, &ServerExchange::exchangeFinished, busyWindow_, &BusyWindow::end);
    // Every exchange, not only the link tests, tells whether the link works.
    connect(exchange_, &ServerExchange::exchangeFinished, this, &TqelvomainForm::showLinkState);
    connect(busyWindow_, &BusyWindow::cancelRequested, exchange_, &ServerExchange::cancel);
}

void TqelvomainForm::FormCreate(Prompts &prompts)
{
    Label3->setText(QStringLiteral("Morvane"));
    Label3->adjustSize();
    const QString picturePath = resolveCaseInsensitive(ProgramDir::file(programDir_, QStringLiteral("cust.bmp")));
    if (!QFileInfo::exists(picturePath)) {
        return;
    }
    Label3->setText(QString());
    Label3->adjustSize();
    QImageReader reader(picturePath);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        prompts.forWindow(this)->plainMessage(QStringLiteral("無法載入圖片 %1：%2\n改用內建圖片。")
                                                  .arg(QDir::toNativeSeparators(picturePath), reader.errorString()));
        return;
    }
    Image1->setPicture(picture);
}

void TqelvomainForm::FormShow()
{
    if (exchange_->LinkTest()) {
        CloseButton->setFocus();
    } else {
        SysButton->setFocus();
    }
}

void TqelvomainForm::showLinkState(bool linked)
{
    if (linked) {
        Label8->setText(QStringLiteral("【") + Big5::decode(exchange_->settings().branch) +
                        QStringLiteral("】與主機連線正常"));
        return;
    }
    const QString notice = ExchangeEnvelope::serverProblemNotice(exchange_->lastResult().serverProblem);
    Label8->setText(notice.isEmpty() ? QStringLiteral("請先與主機連線【系統參數設定】") : notice);
}

void TqelvomainForm::setStatusLabel(const QString &text)
{
    Label8->setText(text);
}

void TqelvomainForm::setSettingsForm(QDialog *form, ServerExchange::SettingsSource liveSettings)
{
    settingsForm_ = form;
    liveSettings_ = std::move(liveSettings);
}

void TqelvomainForm::setProductWindowFactory(WindowFactory factory)
{
    productFactory_ = std::move(factory);
    PrintSetButton->setEnabled(bool(productFactory_));
}

void TqelvomainForm::setCustomerWindowFactory(WindowFactory factory)
{
    customerFactory_ = std::move(factory);
    custbutton->setEnabled(bool(customerFactory_));
}

void TqelvomainForm::openWindow(QPointer<QWidget> &window, const WindowFactory &factory, const char *name)
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

void TqelvomainForm::PrintSetButtonClick()
{
    openWindow(productWindow_, productFactory_, "Bar1Form");
}

void TqelvomainForm::custbuttonClick()
{
    openWindow(customerWindow_, customerFactory_, "CustBarForm");
}

void TqelvomainForm::SysButtonClick()
{
    if (settingsForm_) {
        settingsForm_->exec();
    }
}

void TqelvomainForm::CloseButtonClick()
{
    close();
}

void TqelvomainForm::productWindowClosed()
{
    Timer1->start();
}

void TqelvomainForm::Timer1Timer()
{
    Timer1->stop();
    // A window the user has brought back within the delay stays; the next close starts the timer again.
    if (productWindow_ && !productWindow_->isVisible()) {
        productWindow_->deleteLater();
        productWindow_ = nullptr;
    }
}

void TqelvomainForm::wakeUp()
{
    if (isMinimized()) {
        showNormal();
    }
    raise();
    activateWindow();
}
