#include "productlabels/widgets/ProductImportDialog.h"

#include "components/Big5.h"
#include "components/Prompts.h"
#include "components/widgets/Big5LengthValidator.h"
#include "components/widgets/ButtonGlyphs.h"
#include "components/widgets/EnterMovesFocus.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/Fonts.h"
#include "components/widgets/LeaveFieldForOk.h"
#include "components/widgets/NoticeLine.h"
#include "components/widgets/NumericEntryField.h"
#include "components/widgets/WindowScale.h"
#include "settings/widgets/FixedDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int codeBytes = 20;
constexpr int colourSizeBytes = 12;
// The settings dialog takes branch codes of up to 8 bytes.
constexpr int branchBytes = 8;

QLineEdit *field(const char *name, int maxBytes, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setValidator(new Big5LengthValidator(maxBytes, edit));
    return edit;
}

QByteArray big5Text(const QString &text)
{
    // The fields' validators admit only Big5 characters.
    return Big5::encode(text).bytes;
}

template <typename Control>
Control *named(Control *control, const char *name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

} // namespace

ProductImportDialog::ProductImportDialog(Prompts &prompts, QWidget *parent)
    : QDialog(parent)
    , priceBranchBox(named(new QComboBox(this), "ComboBox1"))
    , groupItemEdit(field("item1", codeBytes, this))
    , firstItemEdit(field("SItem_NO", codeBytes, this))
    , lastItemEdit(field("EItem_NO", codeBytes, this))
    , barcodeEdit(field("Barcode", codeBytes, this))
    , categoryEdit(field("Cate_no", codeBytes, this))
    , brandEdit(field("Kind_no", codeBytes, this))
    , supplierEdit(field("Supp_no", codeBytes, this))
    , colourEdit(field("color", colourSizeBytes, this))
    , sizesEdit(field("sizes", colourSizeBytes, this))
    , inStockOnlyCheck(named(new QCheckBox(QStringLiteral("依現有庫存量 (庫存量為0不引入)"), this), "CheckBox2"))
    , labelCountField(named(new NumericEntryField(this), "FloatEdit1"))
    , okButton(named(FixedDialog::button(QStringLiteral("確定 &Y"), Qt::darkGreen, ButtonGlyphs::checkMark(),
                                         QRect(112, 384, 100, 32), this),
                     "OkButton"))
    , cancelButton(named(FixedDialog::button(QStringLiteral("放棄 &N"), QColor(128, 0, 0), ButtonGlyphs::cross(),
                                             QRect(232, 384, 100, 32), this),
                         "CancelButton"))
    , branchNotice(noticeLine(QRect(24, 422, 422, 40), this))
    , prompts_(prompts.forWindow(this))
{
    setObjectName(QStringLiteral("TBar1SearchForm"));
    FixedDialog::setUp(*this, QStringLiteral("產品資料引入"), QSize(470, 470));
    setFont(Fonts::sans(10));
    priceBranchBox->setEditable(true);
    priceBranchBox->setInsertPolicy(QComboBox::NoInsert);
    priceBranchBox->setValidator(new Big5LengthValidator(branchBytes, priceBranchBox));
    labelCountField->setIntNum(6);
    labelCountField->setDecNum(0);
    layOut();

    firstItemEdit->installEventFilter(this);
    connect(okButton, &QPushButton::clicked, this, &ProductImportDialog::onOk);
    connect(cancelButton, &QPushButton::clicked, this, &ProductImportDialog::onCancel);
    EnterMovesFocus::install(this);
    scaleToScreen();
}

void ProductImportDialog::layOut()
{
    struct Row {
        const char *caption;
        QWidget *control;
        int width;
    };
    const Row rows[] = {
        {"價格-店名", priceBranchBox, 110},  {"群組貨號", groupItemEdit, 170},  {"產品代號", firstItemEdit, 150},
        {"商品條碼", barcodeEdit, 170},      {"分類代號", categoryEdit, 170},   {"品牌代號", brandEdit, 170},
        {"廠商代號", supplierEdit, 170},     {"顏色", colourEdit, 110},         {"尺寸", sizesEdit, 110},
        {"條碼張數", inStockOnlyCheck, 330}, {"條碼張數", labelCountField, 90},
    };
    int top = 16;
    for (const Row &row : rows) {
        auto *caption = new QLabel(QString::fromUtf8(row.caption), this);
        caption->setGeometry(24, top, 84, 24);
        caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        row.control->setGeometry(112, top, row.width, 24);
        top += 33;
    }
    auto *to = new QLabel(QStringLiteral("至"), this);
    to->setGeometry(268, firstItemEdit->y(), 24, 24);
    to->setAlignment(Qt::AlignCenter);
    lastItemEdit->setGeometry(296, firstItemEdit->y(), 150, 24);

    // Tab order follows the conditions as the request lists them.
    QWidget *order[] = {priceBranchBox,   groupItemEdit,   firstItemEdit, lastItemEdit, barcodeEdit,
                        categoryEdit,     brandEdit,       supplierEdit,  colourEdit,   sizesEdit,
                        inStockOnlyCheck, labelCountField, okButton,      cancelButton};
    for (size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void ProductImportDialog::scaleToScreen()
{
    WindowScale::scaleBy(*this, WindowScale::factorFor(*this));
}

void ProductImportDialog::resetFields()
{
    accepted_ = false;
    for (QLineEdit *emptied :
         {firstItemEdit, lastItemEdit, categoryEdit, supplierEdit, brandEdit, barcodeEdit, groupItemEdit}) {
        emptied->clear();
    }
    inStockOnlyCheck->setChecked(false);
    labelCountField->setValue(1);
    priceBranchBox->setFocus();
}

void ProductImportDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FixedDialog::centreOnScreen(*this);
        resetFields();
    }
}

bool ProductImportDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == firstItemEdit && event->type() == QEvent::FocusOut) {
        // Only a move to another control is leaving the field, not a switch of windows.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            onFirstItemLeft();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ProductImportDialog::onFirstItemLeft()
{
    lastItemEdit->setText(firstItemEdit->text());
}

void ProductImportDialog::onOk()
{
    // A start code typed and confirmed at once must still close its range,
    // or the import runs to the end of the product master.
    leaveFieldForOk(*okButton);
    ProductConditions typed = conditions();
    const ProductConditionsCheck check = checkProductConditions(typed);
    showTrimmed(typed);
    if (check == ProductConditionsCheck::AskImportAll && !prompts_->confirm(QString::fromUtf8(importAllQuestion))) {
        groupItemEdit->setFocus();
        return;
    }
    accepted_ = true;
    accept();
}

void ProductImportDialog::showTrimmed(const ProductConditions &trimmed)
{
    const std::pair<QLineEdit *, const QByteArray *> fields[] = {
        {groupItemEdit, &trimmed.item1},  {firstItemEdit, &trimmed.sitem},  {lastItemEdit, &trimmed.eitem},
        {barcodeEdit, &trimmed.barcode},  {categoryEdit, &trimmed.cate_no}, {brandEdit, &trimmed.kind_no},
        {supplierEdit, &trimmed.supp_no}, {colourEdit, &trimmed.color},     {sizesEdit, &trimmed.sizes},
    };
    for (const auto &[field, text] : fields) {
        field->setText(Big5::decode(*text));
    }
}

void ProductImportDialog::onCancel()
{
    reject();
}

void ProductImportDialog::setBranchChoices(const BranchList::Choices &choices)
{
    const QList<QByteArray> &codes = choices.entries;
    const qsizetype selected = choices.selected;
    branchNotice->setText(choices.problem);
    const QString typed = priceBranchBox->currentText();
    priceBranchBox->clear();
    for (const QByteArray &code : codes) {
        priceBranchBox->addItem(Big5::decode(code));
    }
    if (selected >= 0 && selected < codes.size()) {
        priceBranchBox->setCurrentIndex(int(selected));
    } else {
        priceBranchBox->setCurrentIndex(-1);
        priceBranchBox->setEditText(typed);
    }
}

ProductConditions ProductImportDialog::conditions() const
{
    ProductConditions conditions;
    conditions.priceBranch = big5Text(priceBranchBox->currentText());
    conditions.item1 = big5Text(groupItemEdit->text());
    conditions.sitem = big5Text(firstItemEdit->text());
    conditions.eitem = big5Text(lastItemEdit->text());
    conditions.barcode = big5Text(barcodeEdit->text());
    conditions.cate_no = big5Text(categoryEdit->text());
    conditions.kind_no = big5Text(brandEdit->text());
    conditions.supp_no = big5Text(supplierEdit->text());
    conditions.color = big5Text(colourEdit->text());
    conditions.sizes = big5Text(sizesEdit->text());
    conditions.isquan = inStockOnlyCheck->isChecked();
    conditions.count = labelCountField->value();
    return conditions;
}
