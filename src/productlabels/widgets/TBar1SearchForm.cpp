#include "productlabels/widgets/TBar1SearchForm.h"

#include "components/Big5.h"
#include "components/Prompts.h"
#include "components/widgets/Big5LengthValidator.h"
#include "components/widgets/ButtonGlyphs.h"
#include "components/widgets/EnterMovesFocus.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/Fonts.h"
#include "components/widgets/LeaveFieldForOk.h"
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

TBar1SearchForm::TBar1SearchForm(Prompts &prompts, QWidget *parent)
    : QDialog(parent)
    , ComboBox1(named(new QComboBox(this), "ComboBox1"))
    , item1(field("item1", codeBytes, this))
    , SItem_NO(field("SItem_NO", codeBytes, this))
    , EItem_NO(field("EItem_NO", codeBytes, this))
    , Barcode(field("Barcode", codeBytes, this))
    , Cate_no(field("Cate_no", codeBytes, this))
    , Kind_no(field("Kind_no", codeBytes, this))
    , Supp_no(field("Supp_no", codeBytes, this))
    , color(field("color", colourSizeBytes, this))
    , sizes(field("sizes", colourSizeBytes, this))
    , CheckBox2(named(new QCheckBox(QStringLiteral("依現有庫存量 (庫存量為0不引入)"), this), "CheckBox2"))
    , FloatEdit1(named(new NumericEntryField(this), "FloatEdit1"))
    , OkButton(named(FixedDialog::button(QStringLiteral("確定 &Y"), Qt::darkGreen, ButtonGlyphs::checkMark(),
                                         QRect(112, 384, 100, 32), this),
                     "OkButton"))
    , CancelButton(named(FixedDialog::button(QStringLiteral("放棄 &N"), QColor(128, 0, 0), ButtonGlyphs::cross(),
                                             QRect(232, 384, 100, 32), this),
                         "CancelButton"))
    , prompts_(prompts.forWindow(this))
{
    FixedDialog::setUp(*this, QStringLiteral("產品資料引入"), QSize(470, 434));
    setFont(Fonts::sans(10));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setValidator(new Big5LengthValidator(branchBytes, ComboBox1));
    FloatEdit1->setIntNum(6);
    FloatEdit1->setDecNum(0);
    layOut();

    SItem_NO->installEventFilter(this);
    connect(OkButton, &QPushButton::clicked, this, &TBar1SearchForm::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TBar1SearchForm::CancelButtonClick);
    EnterMovesFocus::install(this);
    FormCreate();
}

void TBar1SearchForm::layOut()
{
    struct Row {
        const char *caption;
        QWidget *control;
        int width;
    };
    const Row rows[] = {
        {"價格-店名", ComboBox1, 110}, {"群組貨號", item1, 170},     {"產品代號", SItem_NO, 150},
        {"商品條碼", Barcode, 170},    {"分類代號", Cate_no, 170},   {"品牌代號", Kind_no, 170},
        {"廠商代號", Supp_no, 170},    {"顏色", color, 110},         {"尺寸", sizes, 110},
        {"條碼張數", CheckBox2, 330},  {"條碼張數", FloatEdit1, 90},
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
    to->setGeometry(268, SItem_NO->y(), 24, 24);
    to->setAlignment(Qt::AlignCenter);
    EItem_NO->setGeometry(296, SItem_NO->y(), 150, 24);

    // Tab order follows the conditions as the request lists them.
    QWidget *order[] = {ComboBox1, item1, SItem_NO, EItem_NO,  Barcode,    Cate_no,  Kind_no,
                        Supp_no,   color, sizes,    CheckBox2, FloatEdit1, OkButton, CancelButton};
    for (size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void TBar1SearchForm::FormCreate()
{
    WindowScale::scaleBy(*this, WindowScale::factorFor(*this));
}

void TBar1SearchForm::FormShow()
{
    accepted_ = false;
    for (QLineEdit *emptied : {SItem_NO, EItem_NO, Cate_no, Supp_no, Kind_no, Barcode, item1}) {
        emptied->clear();
    }
    CheckBox2->setChecked(false);
    FloatEdit1->setValue(1);
    ComboBox1->setFocus();
}

void TBar1SearchForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FixedDialog::centreOnScreen(*this);
        FormShow();
    }
}

bool TBar1SearchForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == SItem_NO && event->type() == QEvent::FocusOut) {
        // Only a move to another control is leaving the field, not a switch of windows.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            SItem_NOExit();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TBar1SearchForm::SItem_NOExit()
{
    EItem_NO->setText(SItem_NO->text());
}

void TBar1SearchForm::OkButtonClick()
{
    // A start code typed and confirmed at once must still close its range,
    // or the import runs to the end of the product master.
    leaveFieldForOk(*OkButton);
    ProductConditions typed = conditions();
    const ProductConditionsCheck check = checkProductConditions(typed);
    showTrimmed(typed);
    if (check == ProductConditionsCheck::AskImportAll && !prompts_->confirm(QString::fromUtf8(importAllQuestion))) {
        item1->setFocus();
        return;
    }
    accepted_ = true;
    accept();
}

void TBar1SearchForm::showTrimmed(const ProductConditions &trimmed)
{
    const std::pair<QLineEdit *, const QByteArray *> fields[] = {
        {item1, &trimmed.item1},     {SItem_NO, &trimmed.sitem},  {EItem_NO, &trimmed.eitem},
        {Barcode, &trimmed.barcode}, {Cate_no, &trimmed.cate_no}, {Kind_no, &trimmed.kind_no},
        {Supp_no, &trimmed.supp_no}, {color, &trimmed.color},     {sizes, &trimmed.sizes},
    };
    for (const auto &[field, text] : fields) {
        field->setText(Big5::decode(*text));
    }
}

void TBar1SearchForm::CancelButtonClick()
{
    reject();
}

void TBar1SearchForm::setBranchChoices(const QList<QByteArray> &codes, qsizetype selected)
{
    const QString typed = ComboBox1->currentText();
    ComboBox1->clear();
    for (const QByteArray &code : codes) {
        ComboBox1->addItem(Big5::decode(code));
    }
    if (selected >= 0 && selected < codes.size()) {
        ComboBox1->setCurrentIndex(int(selected));
    } else {
        ComboBox1->setCurrentIndex(-1);
        ComboBox1->setEditText(typed);
    }
}

ProductConditions TBar1SearchForm::conditions() const
{
    ProductConditions conditions;
    conditions.priceBranch = big5Text(ComboBox1->currentText());
    conditions.item1 = big5Text(item1->text());
    conditions.sitem = big5Text(SItem_NO->text());
    conditions.eitem = big5Text(EItem_NO->text());
    conditions.barcode = big5Text(Barcode->text());
    conditions.cate_no = big5Text(Cate_no->text());
    conditions.kind_no = big5Text(Kind_no->text());
    conditions.supp_no = big5Text(Supp_no->text());
    conditions.color = big5Text(color->text());
    conditions.sizes = big5Text(sizes->text());
    conditions.isquan = CheckBox2->isChecked();
    conditions.count = FloatEdit1->value();
    return conditions;
}
