#include "settings/widgets/TBar3SearchForm.h"

#include "components/Big5.h"
#include "components/Prompts.h"
#include "components/widgets/Big5LengthValidator.h"
#include "components/widgets/ButtonGlyphs.h"
#include "components/widgets/EnterMovesFocus.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/Fonts.h"
#include "components/widgets/StoredBytesField.h"
#include "settings/widgets/FixedDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int numberedRows = 24;
constexpr int listFontPixels = 14;
// Separators go into every import request; a few characters are plenty.
constexpr int maxSeparatorBytes = 20;

QListWidgetItem *entryItem(const QByteArray &entry)
{
    auto *item = new QListWidgetItem(Big5::decode(entry));
    // The bytes stay as read, so an entry goes back to the file unchanged
    // even when it is not valid Big5.
    item->setData(Qt::UserRole, entry);
    return item;
}

QByteArray big5Text(const QLineEdit *edit)
{
    // The validator admits only Big5 characters.
    return Big5::encode(edit->text()).bytes;
}

QPushButton *speedButton(const QString &caption, const QRect &geometry, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    return button;
}

template <typename Control>
Control *named(Control *control, const char *name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

} // namespace

TBar3SearchForm::TBar3SearchForm(const QString &programDir, Prompts &prompts, QWidget *parent)
    : QDialog(parent)
    , programDir_(programDir)
    , prompts_(prompts.forWindow(this))
{
    FixedDialog::setUp(*this, QStringLiteral("輸出內容設定"), QSize(731, 528));
    setFont(Fonts::sans(9));
    ini_.setNotifier([this](const QString &text) { prompts_->plainMessage(text); });

    buildLayoutControls();
    buildExpansionControls();
    buildListControls();

    OkButton = named(FixedDialog::button(QStringLiteral("確定 &Y"), Qt::darkGreen, ButtonGlyphs::checkMark(),
                                         QRect(20, 478, 100, 32), this),
                     "OkButton");
    CancelButton = named(FixedDialog::button(QStringLiteral("放棄 &N"), QColor(128, 0, 0), ButtonGlyphs::cross(),
                                             QRect(135, 478, 100, 32), this),
                         "CancelButton");
    connect(OkButton, &QPushButton::clicked, this, &TBar3SearchForm::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TBar3SearchForm::CancelButtonClick);

    EnterMovesFocus::install(this);
    FormCreate();
}

void TBar3SearchForm::buildLayoutControls()
{
    FixedDialog::label(QStringLiteral("文字檔的格式"), QPoint(14, 14), this);
    RadioButton2 = named(new QRadioButton(QStringLiteral("每欄以\"逗點\"隔開"), this), "RadioButton2");
    RadioButton2->move(24, 36);
    RadioButton1 = named(new QRadioButton(QStringLiteral("每欄依\"長度\"區分"), this), "RadioButton1");
    RadioButton1->move(24, 60);
    auto *layoutGroup = new QButtonGroup(this);
    layoutGroup->addButton(RadioButton2);
    layoutGroup->addButton(RadioButton1);
    FixedDialog::label(QStringLiteral("(如下欄位表示之長度xxC)"), QPoint(24, 86), this);

    CheckBox12 = named(new QCheckBox(QStringLiteral("張數要展開嗎,每行一張"), this), "CheckBox12");
    CheckBox12->move(14, 116);
    for (QWidget *control : {static_cast<QWidget *>(RadioButton1), static_cast<QWidget *>(RadioButton2),
                             static_cast<QWidget *>(CheckBox12)}) {
        control->adjustSize();
    }
}

void TBar3SearchForm::buildExpansionControls()
{
    auto *frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setGeometry(10, 146, 235, 228);

    const auto expansionRow = [frame](const char *name, const QString &caption, const char *ownName,
                                      const QString &ownCaption, const char *separatorName, const QString &example,
                                      int top, QCheckBox *&expand, QCheckBox *&own, QLineEdit *&separator) {
        expand = named(new QCheckBox(caption, frame), name);
        expand->move(10, top);
        expand->adjustSize();
        own = named(new QCheckBox(ownCaption, frame), ownName);
        own->move(130, top);
        own->adjustSize();
        FixedDialog::label(QStringLiteral("中間間隔"), QPoint(28, top + 30), frame);
        separator = named(new QLineEdit(frame), separatorName);
        separator->setGeometry(96, top + 26, 50, 22);
        separator->setValidator(new Big5LengthValidator(maxSeparatorBytes, separator));
        FixedDialog::label(example, QPoint(28, top + 56), frame);
    };
    expansionRow("CheckBox14", QStringLiteral("顏色加展開"), "CheckBox17", QStringLiteral("原顏色"), "Edit17",
                 QStringLiteral("如: 紅色(紅色/白色.."), 10, CheckBox14, CheckBox17, Edit17);
    expansionRow("CheckBox15", QStringLiteral("尺寸加展開"), "CheckBox16", QStringLiteral("原尺寸"), "Edit16",
                 QStringLiteral("如: L(S/M/L/XL.."), 96, CheckBox15, CheckBox16, Edit16);
    FixedDialog::label(QStringLiteral("※以上依【群組】抓取"), QPoint(10, 180), frame);
    FixedDialog::label(QStringLiteral("※依長度區分不適用"), QPoint(10, 202), frame);

    QLabel *order = FixedDialog::label(QStringLiteral("※須先設定,再引入資料"), QPoint(14, 386), this);
    QPalette palette = order->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    order->setPalette(palette);
}

void TBar3SearchForm::buildListControls()
{
    FixedDialog::label(QStringLiteral("輸出文字檔之內容設定>>"), QPoint(258, 14), this);
    FixedDialog::label(QStringLiteral("(第一個限條碼)"), QPoint(258, 34), this);
    FixedDialog::label(QStringLiteral("(最多24組含條碼25組)"), QPoint(352, 34), this);

    auto *numbers = named(new QListWidget(this), "NumberColumn");
    numbers->setFont(Fonts::ming(listFontPixels));
    numbers->setSpacing(1);
    for (int number = 1; number <= numberedRows; ++number) {
        numbers->addItem(QString::number(number));
    }
    numbers->setEnabled(false);
    numbers->setFocusPolicy(Qt::NoFocus);
    numbers->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    numbers->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Both lists share font and style, so their rows line up.
    const int rowPitch = numbers->sizeHintForRow(0) + 2 * numbers->spacing();
    const int listHeight = numberedRows * rowPitch + 2 * numbers->frameWidth();
    numbers->setGeometry(255, 54, 28, listHeight);

    ListBox1 = named(new QListWidget(this), "ListBox1");
    ListBox1->setFont(Fonts::ming(listFontPixels));
    ListBox1->setSpacing(1);
    ListBox1->setGeometry(283, 54, 192, listHeight);

    connect(named(speedButton(QStringLiteral("<<選入"), QRect(488, 150, 68, 28), this), "SpeedButton1"),
            &QPushButton::clicked, this, &TBar3SearchForm::SpeedButton1Click);
    connect(named(speedButton(QStringLiteral("取消>>"), QRect(488, 190, 68, 28), this), "SpeedButton2"),
            &QPushButton::clicked, this, &TBar3SearchForm::SpeedButton2Click);

    FixedDialog::label(QStringLiteral("[ 欄位資料 ]"), QPoint(606, 14), this);
    ListBox2 = named(new QListWidget(this), "ListBox2");
    ListBox2->setFont(Fonts::ming(listFontPixels));
    ListBox2->setSpacing(1);
    ListBox2->setGeometry(563, 34, 158, 370);
    for (const QByteArray &entry : productColumnCatalogue()) {
        ListBox2->addItem(entryItem(entry));
    }

    FixedDialog::label(QStringLiteral("自訂文字"), QPoint(563, 416), this);
    Edit2 = named(new QLineEdit(this), "Edit2");
    Edit2->setGeometry(563, 434, 158, 24);
    Edit2->setValidator(new Big5LengthValidator(ProductOutputSettings::MaxCustomTextBytes, Edit2));
    connect(named(speedButton(QStringLiteral("<<確定"), QRect(488, 432, 68, 28), this), "SpeedButton3"),
            &QPushButton::clicked, this, &TBar3SearchForm::SpeedButton3Click);
}

ProductOutputSettings TBar3SearchForm::currentSettings() const
{
    ProductOutputSettings settings;
    settings.fixedWidth = RadioButton1->isChecked();
    settings.oneLinePerLabel = CheckBox12->isChecked();
    settings.colourExpansion = CheckBox14->isChecked();
    settings.keepOwnColour = CheckBox17->isChecked();
    settings.colourSeparator = StoredBytesField::bytes(*Edit17);
    settings.sizeExpansion = CheckBox15->isChecked();
    settings.keepOwnSize = CheckBox16->isChecked();
    settings.sizeSeparator = StoredBytesField::bytes(*Edit16);
    for (int row = 0; row < ListBox1->count(); ++row) {
        settings.columns.append(ListBox1->item(row)->data(Qt::UserRole).toByteArray());
    }
    return settings;
}

void TBar3SearchForm::showSettings(const ProductOutputSettings &settings)
{
    StoredBytesField::show(*Edit16, settings.sizeSeparator);
    StoredBytesField::show(*Edit17, settings.colourSeparator);
    CheckBox12->setChecked(settings.oneLinePerLabel);
    RadioButton1->setChecked(settings.fixedWidth);
    RadioButton2->setChecked(!settings.fixedWidth);
    CheckBox14->setChecked(settings.colourExpansion);
    CheckBox15->setChecked(settings.sizeExpansion);
    CheckBox16->setChecked(settings.keepOwnSize);
    CheckBox17->setChecked(settings.keepOwnColour);
    ListBox1->clear();
    for (const QByteArray &entry : settings.columns) {
        ListBox1->addItem(entryItem(entry));
    }
}

void TBar3SearchForm::LoadPara()
{
    showSettings(loadProductOutputSettings(ini_));
}

QString TBar3SearchForm::WritePara()
{
    return storeProductOutputSettings(ini_, currentSettings());
}

void TBar3SearchForm::FormCreate()
{
    ini_.setFileName(productOutputSettingsPath(programDir_));
    ini_.setSection("SET");
    LoadPara();
}

void TBar3SearchForm::FormShow()
{
    Edit2->clear();
    confirmed_ = false;
    OkButton->setFocus();
}

void TBar3SearchForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FixedDialog::centreOnScreen(*this);
        FormShow();
    }
}

void TBar3SearchForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        CancelButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TBar3SearchForm::OkButtonClick()
{
    OkButton->setFocus();
    const QString problem = fixedWidthProblem(currentSettings());
    if (!problem.isEmpty()) {
        prompts_->plainMessage(problem);
        return;
    }
    // A store that fails keeps the dialog open with the edits, rather than
    // reloading the old file over them.
    const QString error = WritePara();
    if (!error.isEmpty()) {
        prompts_->plainMessage(error);
        return;
    }
    confirmed_ = true;
    LoadPara();
    accept();
}

void TBar3SearchForm::CancelButtonClick()
{
    FormCreate();
    reject();
}

void TBar3SearchForm::SpeedButton1Click()
{
    if (const QListWidgetItem *chosen = ListBox2->currentItem(); chosen && chosen->isSelected()) {
        ListBox1->addItem(entryItem(chosen->data(Qt::UserRole).toByteArray()));
    }
}

void TBar3SearchForm::SpeedButton2Click()
{
    if (QListWidgetItem *chosen = ListBox1->currentItem(); chosen && chosen->isSelected()) {
        delete chosen;
        ListBox1->setCurrentRow(-1);
    }
    ListBox1->setFocus();
}

void TBar3SearchForm::SpeedButton3Click()
{
    const QByteArray entry = customTextEntry(big5Text(Edit2));
    if (!entry.isEmpty()) {
        ListBox1->addItem(entryItem(entry));
    }
    Edit2->clear();
    Edit2->setFocus();
}
