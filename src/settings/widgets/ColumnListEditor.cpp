#include "settings/widgets/ColumnListEditor.h"

#include "components/Big5.h"
#include "components/widgets/Big5LengthValidator.h"
#include "components/widgets/Fonts.h"
#include "settings/ProductOutputSettings.h"
#include "settings/widgets/ColumnListKeys.h"
#include "settings/widgets/FixedDialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int listFontPixels = 14;

QListWidgetItem *entryItem(const QByteArray &entry)
{
    auto *item = new QListWidgetItem(Big5::decode(entry));
    // The bytes stay as read, so an entry goes back to the file unchanged
    // even when it is not valid Big5.
    item->setData(Qt::UserRole, entry);
    return item;
}

template <typename Control>
Control *named(Control *control, const char *name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

QListWidget *list(const char *name, QWidget *parent)
{
    auto *made = named(new QListWidget(parent), name);
    made->setFont(Fonts::ming(listFontPixels));
    made->setSpacing(1);
    return made;
}

QPushButton *speedButton(const char *name, const QString &caption, const QRect &geometry, QWidget *parent)
{
    auto *button = named(new QPushButton(caption, parent), name);
    button->setGeometry(geometry);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    return button;
}

} // namespace

ColumnListEditor::ColumnListEditor(QDialog &dialog, const QList<QByteArray> &catalogue, int customTextBytes,
                                   const Placement &placement)
    : QObject(&dialog)
    , commaButton(named(new QRadioButton(QStringLiteral("每欄以\"逗點\"隔開"), &dialog), "RadioButton2"))
    , fixedWidthButton(named(new QRadioButton(QStringLiteral("每欄依\"長度\"區分"), &dialog), "RadioButton1"))
    , oneLinePerLabelBox(named(new QCheckBox(QStringLiteral("張數要展開嗎,每行一張"), &dialog), "CheckBox12"))
    , columnList(list("ListBox1", &dialog))
    , catalogueList(list("ListBox2", &dialog))
    , customTextEdit(named(new QLineEdit(&dialog), "Edit2"))
{
    const QPoint layout = placement.layoutAt;
    FixedDialog::label(QStringLiteral("文字檔的格式"), layout, &dialog);
    commaButton->move(layout + QPoint(10, 22));
    fixedWidthButton->move(layout + QPoint(10, 46));
    auto *layoutGroup = new QButtonGroup(this);
    layoutGroup->addButton(commaButton);
    layoutGroup->addButton(fixedWidthButton);
    FixedDialog::label(QStringLiteral("(如下欄位表示之長度xxC)"), layout + QPoint(10, 72), &dialog);
    oneLinePerLabelBox->move(layout + QPoint(0, 102));
    for (QWidget *control : {static_cast<QWidget *>(commaButton), static_cast<QWidget *>(fixedWidthButton),
                             static_cast<QWidget *>(oneLinePerLabelBox)}) {
        control->adjustSize();
    }

    const QPoint at = placement.listAt;
    FixedDialog::label(QStringLiteral("輸出文字檔之內容設定>>"), at + QPoint(3, -40), &dialog);
    FixedDialog::label(QStringLiteral("(第一個限條碼)"), at + QPoint(3, -20), &dialog);
    FixedDialog::label(QString::fromUtf8(placement.listHint), at + QPoint(97, -20), &dialog);
    QListWidget *numbers = list("NumberColumn", &dialog);
    for (int number = 1; number <= placement.numberedRows; ++number) {
        numbers->addItem(QString::number(number));
    }
    numbers->setEnabled(false);
    numbers->setFocusPolicy(Qt::NoFocus);
    numbers->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    numbers->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Both lists share font and style, so their rows line up.
    const int rowPitch = numbers->sizeHintForRow(0) + 2 * numbers->spacing();
    const int listHeight = placement.numberedRows * rowPitch + 2 * numbers->frameWidth();
    numbers->setGeometry(at.x(), at.y(), 28, listHeight);
    columnList->setGeometry(at.x() + 28, at.y(), 192, listHeight);

    const int buttonsLeft = at.x() + 233;
    connect(speedButton("SpeedButton1", QStringLiteral("<<選入"), QRect(buttonsLeft, at.y() + 96, 68, 28), &dialog),
            &QPushButton::clicked, this, &ColumnListEditor::addChosenEntry);
    connect(speedButton("SpeedButton2", QStringLiteral("取消>>"), QRect(buttonsLeft, at.y() + 136, 68, 28), &dialog),
            &QPushButton::clicked, this, &ColumnListEditor::removeChosenEntry);

    const int catalogueLeft = buttonsLeft + 75;
    FixedDialog::label(QStringLiteral("[ 欄位資料 ]"), QPoint(catalogueLeft + 43, at.y() - 40), &dialog);
    catalogueList->setGeometry(catalogueLeft, at.y() - 20, 158, placement.catalogueHeight);
    for (const QByteArray &entry : catalogue) {
        catalogueList->addItem(entryItem(entry));
    }
    const int customTop = at.y() - 20 + placement.catalogueHeight + 12;
    FixedDialog::label(QStringLiteral("自訂文字"), QPoint(catalogueLeft, customTop), &dialog);
    customTextEdit->setGeometry(catalogueLeft, customTop + 18, 158, 24);
    customTextEdit->setValidator(new Big5LengthValidator(customTextBytes, customTextEdit));
    connect(speedButton("SpeedButton3", QStringLiteral("<<確定"), QRect(buttonsLeft, customTop + 16, 68, 28), &dialog),
            &QPushButton::clicked, this, &ColumnListEditor::addCustomText);
}

bool ColumnListEditor::fixedWidth() const
{
    return fixedWidthButton->isChecked();
}

bool ColumnListEditor::oneLinePerLabel() const
{
    return oneLinePerLabelBox->isChecked();
}

QList<QByteArray> ColumnListEditor::columns() const
{
    QList<QByteArray> entries;
    for (int row = 0; row < columnList->count(); ++row) {
        entries.append(columnList->item(row)->data(Qt::UserRole).toByteArray());
    }
    return entries;
}

void ColumnListEditor::show(bool fixedWidth, bool oneLinePerLabel, const QList<QByteArray> &columns)
{
    oneLinePerLabelBox->setChecked(oneLinePerLabel);
    fixedWidthButton->setChecked(fixedWidth);
    commaButton->setChecked(!fixedWidth);
    columnList->clear();
    for (const QByteArray &entry : columns) {
        columnList->addItem(entryItem(entry));
    }
}

void ColumnListEditor::clearCustomText()
{
    customTextEdit->clear();
}

void ColumnListEditor::addChosenEntry()
{
    if (const QListWidgetItem *chosen = catalogueList->currentItem(); chosen && chosen->isSelected()) {
        columnList->addItem(entryItem(chosen->data(Qt::UserRole).toByteArray()));
    }
}

void ColumnListEditor::removeChosenEntry()
{
    if (QListWidgetItem *chosen = columnList->currentItem(); chosen && chosen->isSelected()) {
        delete chosen;
        columnList->setCurrentRow(-1);
    }
    columnList->setFocus();
}

void ColumnListEditor::addCustomText()
{
    // The validator admits only Big5 characters.
    const QByteArray entry = customTextEntry(Big5::encode(customTextEdit->text()).bytes);
    if (!entry.isEmpty()) {
        columnList->addItem(entryItem(entry));
    }
    customTextEdit->clear();
    customTextEdit->setFocus();
}

void ColumnListEditor::installKeys(QDialog &dialog)
{
    const auto button = [&dialog](const char *name) {
        return dialog.findChild<QAbstractButton *>(QLatin1String(name));
    };
    ColumnListKeys::install({columnList, catalogueList, customTextEdit, button("SpeedButton1"), button("SpeedButton2"),
                             button("SpeedButton3")},
                            this);
}
