#include "settings/widgets/SystemSettingsDialog.h"

#include "components/Big5.h"
#include "components/Prompts.h"
#include "components/widgets/Big5LengthValidator.h"
#include "components/widgets/ButtonGlyphs.h"
#include "components/widgets/EnterMovesFocus.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/Fonts.h"
#include "components/widgets/StoredBytesField.h"
#include "exchange/ExchangeFailureText.h"
#include "exchange/ServerExchange.h"
#include "settings/widgets/FixedDialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int maxServerBytes = 255;
constexpr int maxBranchBytes = 8;
constexpr int maxPasswordBytes = 8;
const QColor lightGreen(0xC0, 0xDC, 0xC0);

// The password shows as "*", whatever the desktop style would draw.
class StarPasswordStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter) {
            return '*';
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QLineEdit *field(const char *name, int maxBytes, const QRect &geometry, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(geometry);
    edit->setValidator(new Big5LengthValidator(maxBytes, edit));
    return edit;
}

} // namespace

SystemSettingsDialog::SystemSettingsDialog(const QString &programDir, ServerExchange &exchange, Prompts &prompts,
                                           QWidget *parent)
    : QDialog(parent)
    , programDir_(programDir)
    , exchange_(exchange)
    , prompts_(prompts.forWindow(this))
{
    setObjectName(QStringLiteral("TPosSetForm"));
    FixedDialog::setUp(*this, QStringLiteral("系統參數設定"), QSize(527, 232));
    setFont(Fonts::sans(10));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, lightGreen);
    setPalette(palette);
    setAutoFillBackground(true);
    settingsFile_.setNotifier([this](const QString &text) { prompts_->plainMessage(text); });

    FixedDialog::label(QStringLiteral("Server HTTP"), QPoint(31, 23), this);
    serverEdit_ = field("Edit1", maxServerBytes, QRect(122, 20, 390, 24), this);
    FixedDialog::label(QStringLiteral("分店代號"), QPoint(55, 54), this);
    branchEdit_ = field("Edit2", maxBranchBytes, QRect(122, 52, 100, 24), this);
    FixedDialog::label(QStringLiteral("分店密碼"), QPoint(55, 86), this);
    passwordEdit_ = field("Edit3", maxPasswordBytes, QRect(122, 84, 190, 24), this);
    passwordEdit_->setEchoMode(QLineEdit::Password);
    // Owned by the dialog, so it outlives the field that uses it.
    auto *starStyle = new StarPasswordStyle;
    starStyle->setParent(this);
    passwordEdit_->setStyle(starStyle);

    linkTestButton_ = new QPushButton(QStringLiteral("測試"), this);
    linkTestButton_->setObjectName(QStringLiteral("SpeedButton1"));
    linkTestButton_->setGeometry(327, 83, 79, 26);
    linkTestButton_->setFocusPolicy(Qt::NoFocus);
    linkTestButton_->setAutoDefault(false);
    connect(linkTestButton_, &QPushButton::clicked, this, &SystemSettingsDialog::onLinkTest);

    auto *priceBox = new QGroupBox(QStringLiteral("參考價"), this);
    priceBox->setObjectName(QStringLiteral("RadioGroup1"));
    priceBox->setGeometry(20, 118, 507, 45);
    auto *columns = new QGridLayout(priceBox);
    columns->setContentsMargins(10, 2, 10, 2);
    priceOptionButtons_ = new QButtonGroup(priceBox);
    const QString items[] = {QStringLiteral("不能修改"), QStringLiteral("可以修改")};
    for (int item = 0; item < 2; ++item) {
        auto *button = new QRadioButton(items[item], priceBox);
        priceOptionButtons_->addButton(button, item);
        columns->addWidget(button, 0, item);
    }
    for (int column = 0; column < 3; ++column) {
        columns->setColumnStretch(column, 1);
    }
    connect(priceOptionButtons_, &QButtonGroup::buttonToggled, this, &SystemSettingsDialog::keepOnePriceTabStop);

    saveButton_ = FixedDialog::button(QStringLiteral("存檔 &S"), Qt::darkGreen, ButtonGlyphs::checkMark(),
                                      QRect(116, 180, 89, 28), this);
    saveButton_->setObjectName(QStringLiteral("SaveButton"));
    cancelButton_ = FixedDialog::button(QStringLiteral("放棄 &C"), QColor(128, 0, 0), ButtonGlyphs::cross(),
                                        QRect(282, 180, 89, 28), this);
    cancelButton_->setObjectName(QStringLiteral("CancelButton"));
    connect(saveButton_, &QPushButton::clicked, this, &SystemSettingsDialog::onSave);
    connect(cancelButton_, &QPushButton::clicked, this, &SystemSettingsDialog::onCancel);

    EnterMovesFocus::install(this);
    setPriceOption(SystemSettings::PriceLocked);
    loadFromFile();
}

LinkSettings SystemSettingsDialog::linkSettings() const
{
    const SystemSettings settings = currentSettings();
    return {settings.server, settings.branch, settings.password};
}

int SystemSettingsDialog::priceOption() const
{
    return priceOptionButtons_->checkedId();
}

SystemSettings SystemSettingsDialog::currentSettings() const
{
    return {StoredBytesField::bytes(*serverEdit_), StoredBytesField::bytes(*branchEdit_),
            StoredBytesField::bytes(*passwordEdit_), priceOption()};
}

void SystemSettingsDialog::showSettings(const SystemSettings &settings)
{
    StoredBytesField::show(*serverEdit_, settings.server);
    StoredBytesField::show(*branchEdit_, settings.branch);
    StoredBytesField::show(*passwordEdit_, settings.password);
    setPriceOption(settings.priceOption);
}

void SystemSettingsDialog::setPriceOption(int item)
{
    if (QAbstractButton *button = priceOptionButtons_->button(item)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group cannot be cleared button by button.
    priceOptionButtons_->setExclusive(false);
    for (QAbstractButton *button : priceOptionButtons_->buttons()) {
        button->setChecked(false);
    }
    priceOptionButtons_->setExclusive(true);
    keepOnePriceTabStop();
}

void SystemSettingsDialog::keepOnePriceTabStop()
{
    // Like a radio group of the desktop: Tab enters at the selected item
    // (the first when none is), arrows move between the items.
    const QList<QAbstractButton *> buttons = priceOptionButtons_->buttons();
    QAbstractButton *stop =
        priceOptionButtons_->checkedButton() ? priceOptionButtons_->checkedButton() : buttons.first();
    for (QAbstractButton *button : buttons) {
        button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void SystemSettingsDialog::loadFromFile()
{
    SystemSettings settings = currentSettings();
    loadSystemSettings(settingsFile_, programDir_, settings);
    showSettings(settings);
}

void SystemSettingsDialog::focusFirstField()
{
    serverEdit_->setFocus();
}

void SystemSettingsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FixedDialog::centreOnScreen(*this);
        focusFirstField();
    }
}

void SystemSettingsDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancelButton_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

QString SystemSettingsDialog::linkFailureText() const
{
    // The server's own first line says why; without one, the exchange does.
    const QByteArray first = exchange_.reply().line(0);
    return serverNoticeOr(QStringLiteral("與主機連線失敗 : ") +
                          (first.isEmpty() ? exchangeFailureReason(exchange_) : Big5::decode(first)));
}

QString SystemSettingsDialog::serverNoticeOr(const QString &text) const
{
    const QString notice = ExchangeEnvelope::serverProblemNotice(exchange_.lastResult().serverProblem);
    return notice.isEmpty() ? text : notice;
}

void SystemSettingsDialog::onLinkTest()
{
    // The exchange lets windows repaint while it waits; a second press then
    // must not start a second test.
    if (exchange_.isBusy()) {
        return;
    }
    if (exchange_.linkTest()) {
        Q_EMIT statusLabelChanged(QString());
        prompts_->plainMessage(QStringLiteral("連線成功"));
    } else {
        Q_EMIT statusLabelChanged(serverNoticeOr(QStringLiteral("請先與主機連線!!")));
        prompts_->plainMessage(linkFailureText());
    }
}

void SystemSettingsDialog::onSave()
{
    if (exchange_.isBusy()) {
        return;
    }
    if (!exchange_.linkTest()) {
        Q_EMIT statusLabelChanged(serverNoticeOr(QStringLiteral("請先與主機連線【系統參數設定】")));
        prompts_->plainMessage(linkFailureText());
        return;
    }
    Q_EMIT statusLabelChanged(branchEdit_->text() + QStringLiteral("店 與主機連線正常"));
    // A store that fails keeps the dialog open, so the user knows the values
    // will not be there at the next start.
    const QString error = storeSystemSettings(settingsFile_, programDir_, currentSettings());
    if (!error.isEmpty()) {
        prompts_->plainMessage(error);
        return;
    }
    accept();
}

void SystemSettingsDialog::onCancel()
{
    loadFromFile();
    reject();
}
