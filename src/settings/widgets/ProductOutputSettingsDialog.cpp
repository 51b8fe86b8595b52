#include "settings/widgets/ProductOutputSettingsDialog.h"

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

ProductOutputSettingsDialog::ProductOutputSettingsDialog(const QString &programDir, Prompts &prompts, QWidget *parent)
    : QDialog(parent)
    , programDir_(programDir)
    , prompts_(prompts)
{
    setObjectName(QStringLiteral("TBar3SearchForm"));
    FixedDialog::setUp(*this, QStringLiteral("輸出內容設定"), QSize(731, 528));
    setFont(Fonts::sans(9));
    settingsFile_.setNotifier([this](const QString &text) { prompts_.plainMessage(text); });

    buildLayoutControls();
    buildExpansionControls();
    buildListControls();

    okButton_ = named(FixedDialog::button(QStringLiteral("確定 &Y"), Qt::darkGreen, ButtonGlyphs::checkMark(),
                                          QRect(20, 478, 100, 32), this),
                      "OkButton");
    cancelButton_ = named(FixedDialog::button(QStringLiteral("放棄 &N"), QColor(128, 0, 0), ButtonGlyphs::cross(),
                                              QRect(135, 478, 100, 32), this),
                          "CancelButton");
    connect(okButton_, &QPushButton::clicked, this, &ProductOutputSettingsDialog::onOk);
    connect(cancelButton_, &QPushButton::clicked, this, &ProductOutputSettingsDialog::onCancel);

    EnterMovesFocus::install(this);
    reloadFromFile();
}

void ProductOutputSettingsDialog::buildLayoutControls()
{
    FixedDialog::label(QStringLiteral("文字檔的格式"), QPoint(14, 14), this);
    commaSeparatedRadio_ = named(new QRadioButton(QStringLiteral("每欄以\"逗點\"隔開"), this), "RadioButton2");
    commaSeparatedRadio_->move(24, 36);
    fixedWidthRadio_ = named(new QRadioButton(QStringLiteral("每欄依\"長度\"區分"), this), "RadioButton1");
    fixedWidthRadio_->move(24, 60);
    auto *layoutGroup = new QButtonGroup(this);
    layoutGroup->addButton(commaSeparatedRadio_);
    layoutGroup->addButton(fixedWidthRadio_);
    FixedDialog::label(QStringLiteral("(如下欄位表示之長度xxC)"), QPoint(24, 86), this);

    oneLinePerLabelCheck_ = named(new QCheckBox(QStringLiteral("張數要展開嗎,每行一張"), this), "CheckBox12");
    oneLinePerLabelCheck_->move(14, 116);
    for (QWidget *control : {static_cast<QWidget *>(fixedWidthRadio_), static_cast<QWidget *>(commaSeparatedRadio_),
                             static_cast<QWidget *>(oneLinePerLabelCheck_)}) {
        control->adjustSize();
    }
}

void ProductOutputSettingsDialog::buildExpansionControls()
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
                 QStringLiteral("如: 紅色(紅色/白色.."), 10, colourExpansionCheck_, keepOwnColourCheck_,
                 colourSeparatorEdit_);
    expansionRow("CheckBox15", QStringLiteral("尺寸加展開"), "CheckBox16", QStringLiteral("原尺寸"), "Edit16",
                 QStringLiteral("如: L(S/M/L/XL.."), 96, sizeExpansionCheck_, keepOwnSizeCheck_, sizeSeparatorEdit_);
    FixedDialog::label(QStringLiteral("※以上依【群組】抓取"), QPoint(10, 180), frame);
    FixedDialog::label(QStringLiteral("※依長度區分不適用"), QPoint(10, 202), frame);

    QLabel *order = FixedDialog::label(QStringLiteral("※須先設定,再引入資料"), QPoint(14, 386), this);
    QPalette palette = order->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    order->setPalette(palette);
}

void ProductOutputSettingsDialog::buildListControls()
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

    chosenColumnsList_ = named(new QListWidget(this), "ListBox1");
    chosenColumnsList_->setFont(Fonts::ming(listFontPixels));
    chosenColumnsList_->setSpacing(1);
    chosenColumnsList_->setGeometry(283, 54, 192, listHeight);

    connect(named(speedButton(QStringLiteral("<<選入"), QRect(488, 150, 68, 28), this), "SpeedButton1"),
            &QPushButton::clicked, this, &ProductOutputSettingsDialog::onAddColumn);
    connect(named(speedButton(QStringLiteral("取消>>"), QRect(488, 190, 68, 28), this), "SpeedButton2"),
            &QPushButton::clicked, this, &ProductOutputSettingsDialog::onRemoveColumn);

    FixedDialog::label(QStringLiteral("[ 欄位資料 ]"), QPoint(606, 14), this);
    columnCatalogueList_ = named(new QListWidget(this), "ListBox2");
    columnCatalogueList_->setFont(Fonts::ming(listFontPixels));
    columnCatalogueList_->setSpacing(1);
    columnCatalogueList_->setGeometry(563, 34, 158, 370);
    for (const QByteArray &entry : productColumnCatalogue()) {
        columnCatalogueList_->addItem(entryItem(entry));
    }

    FixedDialog::label(QStringLiteral("自訂文字"), QPoint(563, 416), this);
    customTextEdit_ = named(new QLineEdit(this), "Edit2");
    customTextEdit_->setGeometry(563, 434, 158, 24);
    customTextEdit_->setValidator(new Big5LengthValidator(ProductOutputSettings::MaxCustomTextBytes, customTextEdit_));
    connect(named(speedButton(QStringLiteral("<<確定"), QRect(488, 432, 68, 28), this), "SpeedButton3"),
            &QPushButton::clicked, this, &ProductOutputSettingsDialog::onAddCustomText);
}

ProductOutputSettings ProductOutputSettingsDialog::currentSettings() const
{
    ProductOutputSettings settings;
    settings.fixedWidth = fixedWidthRadio_->isChecked();
    settings.oneLinePerLabel = oneLinePerLabelCheck_->isChecked();
    settings.colourExpansion = colourExpansionCheck_->isChecked();
    settings.keepOwnColour = keepOwnColourCheck_->isChecked();
    settings.colourSeparator = StoredBytesField::bytes(*colourSeparatorEdit_);
    settings.sizeExpansion = sizeExpansionCheck_->isChecked();
    settings.keepOwnSize = keepOwnSizeCheck_->isChecked();
    settings.sizeSeparator = StoredBytesField::bytes(*sizeSeparatorEdit_);
    for (int row = 0; row < chosenColumnsList_->count(); ++row) {
        settings.columns.append(chosenColumnsList_->item(row)->data(Qt::UserRole).toByteArray());
    }
    return settings;
}

void ProductOutputSettingsDialog::showSettings(const ProductOutputSettings &settings)
{
    StoredBytesField::show(*sizeSeparatorEdit_, settings.sizeSeparator);
    StoredBytesField::show(*colourSeparatorEdit_, settings.colourSeparator);
    oneLinePerLabelCheck_->setChecked(settings.oneLinePerLabel);
    fixedWidthRadio_->setChecked(settings.fixedWidth);
    commaSeparatedRadio_->setChecked(!settings.fixedWidth);
    colourExpansionCheck_->setChecked(settings.colourExpansion);
    sizeExpansionCheck_->setChecked(settings.sizeExpansion);
    keepOwnSizeCheck_->setChecked(settings.keepOwnSize);
    keepOwnColourCheck_->setChecked(settings.keepOwnColour);
    chosenColumnsList_->clear();
    for (const QByteArray &entry : settings.columns) {
        chosenColumnsList_->addItem(entryItem(entry));
    }
}

void ProductOutputSettingsDialog::loadSettings()
{
    showSettings(loadProductOutputSettings(settingsFile_));
}

QString ProductOutputSettingsDialog::storeSettings()
{
    return storeProductOutputSettings(settingsFile_, currentSettings());
}

void ProductOutputSettingsDialog::reloadFromFile()
{
    settingsFile_.setFileName(productOutputSettingsPath(programDir_));
    settingsFile_.setSection("SET");
    loadSettings();
}

void ProductOutputSettingsDialog::resetOnShow()
{
    customTextEdit_->clear();
    confirmed_ = false;
    okButton_->setFocus();
}

void ProductOutputSettingsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FixedDialog::centreOnScreen(*this);
        resetOnShow();
    }
}

void ProductOutputSettingsDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancelButton_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ProductOutputSettingsDialog::onOk()
{
    okButton_->setFocus();
    const QString problem = fixedWidthProblem(currentSettings());
    if (!problem.isEmpty()) {
        prompts_.plainMessage(problem);
        return;
    }
    // A store that fails keeps the dialog open with the edits, rather than
    // reloading the old file over them.
    const QString error = storeSettings();
    if (!error.isEmpty()) {
        prompts_.plainMessage(error);
        return;
    }
    confirmed_ = true;
    loadSettings();
    accept();
}

void ProductOutputSettingsDialog::onCancel()
{
    reloadFromFile();
    reject();
}

void ProductOutputSettingsDialog::onAddColumn()
{
    if (const QListWidgetItem *chosen = columnCatalogueList_->currentItem(); chosen && chosen->isSelected()) {
        chosenColumnsList_->addItem(entryItem(chosen->data(Qt::UserRole).toByteArray()));
    }
}

void ProductOutputSettingsDialog::onRemoveColumn()
{
    if (QListWidgetItem *chosen = chosenColumnsList_->currentItem(); chosen && chosen->isSelected()) {
        delete chosen;
        chosenColumnsList_->setCurrentRow(-1);
    }
    chosenColumnsList_->setFocus();
}

void ProductOutputSettingsDialog::onAddCustomText()
{
    const QByteArray entry = customTextEntry(big5Text(customTextEdit_));
    if (!entry.isEmpty()) {
        chosenColumnsList_->addItem(entryItem(entry));
    }
    customTextEdit_->clear();
    customTextEdit_->setFocus();
}
