#include "settings/widgets/ProductOutputSettingsDialog.h"

#include "components/Big5.h"
#include "components/Prompts.h"
#include "components/widgets/Big5LengthValidator.h"
#include "components/widgets/ButtonGlyphs.h"
#include "components/widgets/EnterMovesFocus.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/Fonts.h"
#include "components/widgets/StoredBytesField.h"
#include "settings/widgets/ColumnListEditor.h"
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

// Separators go into every import request; a few characters are plenty.
constexpr int maxSeparatorBytes = 20;

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
    , prompts_(prompts.forWindow(this))
{
    setObjectName(QStringLiteral("TBar3SearchForm"));
    FixedDialog::setUp(*this, QStringLiteral("輸出內容設定"), QSize(731, 528));
    setFont(Fonts::sans(9));
    settingsFile_.setNotifier([this](const QString &text) { prompts_->plainMessage(text); });

    ColumnListEditor::Placement placement;
    placement.layoutAt = QPoint(14, 14);
    placement.listAt = QPoint(255, 54);
    placement.numberedRows = 24;
    placement.catalogueHeight = 370;
    placement.listHint = "(最多24組含條碼25組)";
    columns_ =
        new ColumnListEditor(*this, productColumnCatalogue(), ProductOutputSettings::MaxCustomTextBytes, placement);
    buildExpansionControls();
    // The expansion options come between the layout and the column list, as on screen.
    QWidget *order[] = {columns_->oneLinePerLabelBox, colourExpansionCheck_, keepOwnColourCheck_, colourSeparatorEdit_,
                        sizeExpansionCheck_,          keepOwnSizeCheck_,     sizeSeparatorEdit_,  columns_->columnList};
    for (size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }

    okButton_ = named(FixedDialog::button(QStringLiteral("確定 &Y"), Qt::darkGreen, ButtonGlyphs::checkMark(),
                                          QRect(20, 478, 100, 32), this),
                      "OkButton");
    cancelButton_ = named(FixedDialog::button(QStringLiteral("放棄 &N"), QColor(128, 0, 0), ButtonGlyphs::cross(),
                                              QRect(135, 478, 100, 32), this),
                          "CancelButton");
    connect(okButton_, &QPushButton::clicked, this, &ProductOutputSettingsDialog::onOk);
    connect(cancelButton_, &QPushButton::clicked, this, &ProductOutputSettingsDialog::onCancel);

    EnterMovesFocus::install(this);
    columns_->installKeys(*this);
    reloadFromFile();
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

ProductOutputSettings ProductOutputSettingsDialog::currentSettings() const
{
    ProductOutputSettings settings;
    settings.fixedWidth = columns_->fixedWidth();
    settings.oneLinePerLabel = columns_->oneLinePerLabel();
    settings.colourExpansion = colourExpansionCheck_->isChecked();
    settings.keepOwnColour = keepOwnColourCheck_->isChecked();
    settings.colourSeparator = StoredBytesField::bytes(*colourSeparatorEdit_);
    settings.sizeExpansion = sizeExpansionCheck_->isChecked();
    settings.keepOwnSize = keepOwnSizeCheck_->isChecked();
    settings.sizeSeparator = StoredBytesField::bytes(*sizeSeparatorEdit_);
    settings.columns = columns_->columns();
    return settings;
}

void ProductOutputSettingsDialog::showSettings(const ProductOutputSettings &settings)
{
    StoredBytesField::show(*sizeSeparatorEdit_, settings.sizeSeparator);
    StoredBytesField::show(*colourSeparatorEdit_, settings.colourSeparator);
    colourExpansionCheck_->setChecked(settings.colourExpansion);
    sizeExpansionCheck_->setChecked(settings.sizeExpansion);
    keepOwnSizeCheck_->setChecked(settings.keepOwnSize);
    keepOwnColourCheck_->setChecked(settings.keepOwnColour);
    columns_->show(settings.fixedWidth, settings.oneLinePerLabel, settings.columns);
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
    columns_->clearCustomText();
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
        prompts_->plainMessage(problem);
        return;
    }
    // A store that fails keeps the dialog open with the edits, rather than
    // reloading the old file over them.
    const QString error = storeSettings();
    if (!error.isEmpty()) {
        prompts_->plainMessage(error);
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
