#include "customerlabels/widgets/CustomerImportDialog.h"

#include "components/Big5.h"
#include "components/DateFieldText.h"
#include "components/Prompts.h"
#include "components/widgets/Big5LengthValidator.h"
#include "components/widgets/ButtonGlyphs.h"
#include "components/widgets/DateEdit.h"
#include "components/widgets/EnterMovesFocus.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/Fonts.h"
#include "components/widgets/NoticeLine.h"
#include "components/widgets/NumericEntryField.h"
#include "components/widgets/WindowScale.h"
#include "settings/widgets/FixedDialog.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

QLineEdit *field(const char *name, int maxBytes, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setValidator(new Big5LengthValidator(maxBytes, edit));
    return edit;
}

template <typename Control>
Control *named(Control *control, const char *name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

NumericEntryField *wholeNumberField(const char *name, QWidget *parent)
{
    auto *edit = named(new NumericEntryField(parent), name);
    edit->setIntNum(3);
    edit->setDecNum(0);
    return edit;
}

QByteArray big5Text(const QString &text)
{
    // The fields' validators admit only Big5 characters.
    return Big5::encode(text).bytes;
}

// Only a move to another control is leaving a field, not a switch of windows.
bool leavesField(QEvent *event)
{
    if (event->type() != QEvent::FocusOut) {
        return false;
    }
    const auto reason = static_cast<QFocusEvent *>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

CustomerImportDialog::CustomerImportDialog(Prompts &prompts, const Clock &clock, QWidget *parent)
    : QDialog(parent)
    , firstCodeEdit(field("Scust_no", 20, this))
    , lastCodeEdit(field("Ecust_no", 20, this))
    , nameEdit(field("Cust_name", 20, this))
    , telephoneEdit(field("Cust_tel", 20, this))
    , mobileEdit(field("mobile", 20, this))
    , clubEdit(field("Club_No", 6, this))
    , startDateField(named(new DateEdit(prompts, this), "SDAT"))
    , endDateField(named(new DateEdit(prompts, this), "EDAT"))
    , branchBox(named(new QComboBox(this), "ComboBox1"))
    , birthdayDaysEdit(wholeNumberField("FloatEdit1", this))
    , copiesEdit(wholeNumberField("FloatEdit2", this))
    , okButton(named(FixedDialog::button(QStringLiteral("確定 &Y"), Qt::darkGreen, ButtonGlyphs::checkMark(),
                                         QRect(90, 392, 100, 32), this),
                     "OkButton"))
    , cancelButton(named(FixedDialog::button(QStringLiteral("放棄 &N"), QColor(128, 0, 0), ButtonGlyphs::cross(),
                                             QRect(230, 392, 100, 32), this),
                         "CancelButton"))
    , branchNotice(noticeLine(QRect(16, 430, 398, 40), this))
    , prompts_(prompts.forWindow(this))
{
    setObjectName(QStringLiteral("TCust2SearchForm"));
    FixedDialog::setUp(*this, QStringLiteral("客戶資料查詢"), QSize(430, 476));
    setFont(Fonts::sans(10));
    layOut();
    firstCodeEdit->installEventFilter(this);
    for (DateEdit *field : {startDateField, endDateField}) {
        field->setCancelButton(cancelButton);
    }
    setClock(clock);
    connect(startDateField, &DateEdit::leftWithValidDate, this,
            [this] { endDateField->setDateText(startDateField->dateText()); });
    connect(okButton, &QPushButton::clicked, this, &CustomerImportDialog::onOk);
    connect(cancelButton, &QPushButton::clicked, this, &CustomerImportDialog::onCancel);
    EnterMovesFocus::install(this);
    WindowScale::scaleBy(*this, WindowScale::factorFor(*this));
}

void CustomerImportDialog::layOut()
{
    struct Row {
        const char *caption;
        QWidget *control;
        int width;
    };
    const Row rows[] = {
        {"客戶代號", firstCodeEdit, 120}, {"姓    名", nameEdit, 170},  {"電    話", telephoneEdit, 170},
        {"行動電話", mobileEdit, 170},    {"會員類別", clubEdit, 70},   {"建檔起始日期", startDateField, 100},
        {"截止日期", endDateField, 100},  {"建檔分店", branchBox, 100}, {"最近壽星", birthdayDaysEdit, 50},
        {"列印份數", copiesEdit, 50},
    };
    int top = 16;
    for (const Row &row : rows) {
        auto *caption = new QLabel(QString::fromUtf8(row.caption), this);
        caption->setGeometry(16, top, 100, 24);
        row.control->setGeometry(120, top, row.width, 24);
        top += 33;
    }
    const auto beside = [this](const char *text, QWidget *control, int width) {
        auto *label = new QLabel(QString::fromUtf8(text), this);
        label->setGeometry(control->geometry().right() + 8, control->y(), width, 24);
        return label;
    };
    beside("至", firstCodeEdit, 20);
    lastCodeEdit->setGeometry(firstCodeEdit->geometry().right() + 32, firstCodeEdit->y(), 120, 24);
    beside("(雙擊滑鼠設為今日)", startDateField, 160);
    beside("天", birthdayDaysEdit, 20);
    beside("份", copiesEdit, 20);
    auto *note = new QLabel(QStringLiteral("※ 請給任一條件，避免網路搜尋太久無法列出"), this);
    note->setGeometry(16, top + 4, 400, 20);
    QPalette palette = note->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    note->setPalette(palette);

    QWidget *order[] = {firstCodeEdit, lastCodeEdit,   nameEdit,     telephoneEdit, mobileEdit,
                        clubEdit,      startDateField, endDateField, branchBox,     birthdayDaysEdit,
                        copiesEdit,    okButton,       cancelButton};
    for (size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void CustomerImportDialog::setBranchChoices(const BranchList::Choices &choices)
{
    branchNotice->setText(choices.problem);
    branchBox->clear();
    for (const QByteArray &entry : choices.entries) {
        branchBox->addItem(Big5::decode(entry), entry);
    }
}

CustomerConditions CustomerImportDialog::conditions() const
{
    CustomerConditions conditions;
    conditions.scust = big5Text(firstCodeEdit->text());
    conditions.ecust = big5Text(lastCodeEdit->text());
    conditions.cust_name = big5Text(nameEdit->text());
    conditions.cust_tel = big5Text(telephoneEdit->text());
    conditions.mobile = big5Text(mobileEdit->text());
    conditions.club_no = big5Text(clubEdit->text());
    conditions.branch = branchBox->currentData().toByteArray();
    conditions.sdat = startDateField->dateText();
    conditions.edat = endDateField->dateText();
    conditions.birthdayDays = int(birthdayDaysEdit->value());
    conditions.copies = int(copiesEdit->value());
    return conditions;
}

void CustomerImportDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous()) {
        return;
    }
    FixedDialog::centreOnScreen(*this);
    accepted_ = false;
    for (QLineEdit *emptied : {firstCodeEdit, lastCodeEdit, nameEdit, telephoneEdit, mobileEdit, clubEdit}) {
        emptied->clear();
    }
    startDateField->clearDate();
    endDateField->clearDate();
    birthdayDaysEdit->setValue(0);
    copiesEdit->setValue(1);
    branchBox->setCurrentIndex(branchBox->count() > 0 ? 0 : -1);
    firstCodeEdit->setFocus();
}

void CustomerImportDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancelButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CustomerImportDialog::setClock(const Clock &clock)
{
    startDateField->setTodayOnDoubleClick(&clock);
    endDateField->setTodayOnDoubleClick(&clock);
}

bool CustomerImportDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == firstCodeEdit && leavesField(event)) {
        lastCodeEdit->setText(firstCodeEdit->text());
    }
    return QDialog::eventFilter(watched, event);
}

bool CustomerImportDialog::checkDates()
{
    for (DateEdit *field : {startDateField, endDateField}) {
        if (DateFieldText::checkOnExit(field->dateText()) == DateFieldText::Exit::Malformed) {
            // Leaving the field has told it already and given it the focus back.
            if (!field->hasFocus()) {
                prompts_->embossedMessage(QString::fromUtf8(DateFieldText::malformedDateMessage));
                field->setFocus();
            }
            return false;
        }
    }
    return true;
}

void CustomerImportDialog::onOk()
{
    // Leaving the field being typed in copies the code or the date first;
    // a malformed date is never sent.
    okButton->setFocus();
    if (!checkDates()) {
        return;
    }
    accepted_ = true;
    accept();
}

void CustomerImportDialog::onCancel()
{
    reject();
}
