#include "productlabels/widgets/DocumentConditionsDialog.h"

#include "components/Big5.h"
#include "components/Prompts.h"
#include "components/widgets/Big5LengthValidator.h"
#include "components/widgets/ButtonGlyphs.h"
#include "components/widgets/DateEdit.h"
#include "components/widgets/EnterMovesFocus.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/Fonts.h"
#include "components/widgets/LeaveFieldForOk.h"
#include "components/widgets/NoticeLine.h"
#include "components/widgets/WindowScale.h"
#include "settings/widgets/FixedDialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int dialogWidth = 470;
constexpr int captionLeft = 24;
constexpr int controlLeft = 112;
constexpr int rowGap = 9;
constexpr int noticeHeight = 40; // two lines of a long reason

QByteArray big5Text(const QString &text)
{
    // The fields' validators and the branch lists admit only Big5 characters.
    return Big5::encode(text).bytes;
}

QLabel *caption(const QString &text, const QRect &geometry, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

} // namespace

DocumentConditionsDialog::DocumentConditionsDialog(DocumentImport import, const char *objectName, Prompts &prompts,
                                                   QWidget *parent)
    : QDialog(parent)
    , branchBox(branchList("ComboBox1"))
    , priceBranchBox(documentImportTraits(import).priceBranch ? branchList("ComboBox2") : nullptr)
    , startNumberEdit(textField("SB_NO", DocumentFieldBytes::number))
    , endNumberEdit(textField("EB_NO", DocumentFieldBytes::number))
    , startDateEdit(new DateEdit(prompts, this))
    , endDateEdit(new DateEdit(prompts, this))
    , okButton(FixedDialog::button(QStringLiteral("確定 &Y"), Qt::darkGreen, ButtonGlyphs::checkMark(), QRect(), this))
    , cancelButton(
          FixedDialog::button(QStringLiteral("放棄 &N"), QColor(128, 0, 0), ButtonGlyphs::cross(), QRect(), this))
    , import_(import)
    , prompts_(prompts.forWindow(this))
{
    setObjectName(QLatin1String(objectName));
    setFont(Fonts::sans(10));
    startDateEdit->setObjectName(QStringLiteral("SDAT"));
    endDateEdit->setObjectName(QStringLiteral("EDAT"));
    okButton->setObjectName(QStringLiteral("OkButton"));
    cancelButton->setObjectName(QStringLiteral("CancelButton"));
    for (DateEdit *date : {startDateEdit, endDateEdit}) {
        date->setCancelButton(cancelButton);
        connect(date, &DateEdit::leftWithMalformedDate, this, [this] { dateRefused_ = true; });
    }
    connect(startDateEdit, &DateEdit::leftWithValidDate, this,
            [this] { endDateEdit->setDateText(startDateEdit->dateText()); });
    startNumberEdit->installEventFilter(this);
    connect(okButton, &QPushButton::clicked, this, &DocumentConditionsDialog::onOk);
    connect(cancelButton, &QPushButton::clicked, this, &DocumentConditionsDialog::onCancel);
}

QLineEdit *DocumentConditionsDialog::textField(const char *objectName, int maxBytes)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(objectName));
    edit->setValidator(new Big5LengthValidator(maxBytes, edit));
    return edit;
}

QComboBox *DocumentConditionsDialog::branchList(const char *objectName)
{
    auto *list = new QComboBox(this);
    list->setObjectName(QLatin1String(objectName));
    return list;
}

void DocumentConditionsDialog::layOut(const QList<Row> &rows, const QString &note)
{
    QList<QWidget *> order;
    const auto addStops = [&order](QWidget *control) {
        if (qobject_cast<QGroupBox *>(control)) {
            for (QAbstractButton *choice : control->findChildren<QAbstractButton *>(Qt::FindDirectChildrenOnly)) {
                order.append(choice);
            }
        } else if (control->focusPolicy() & Qt::TabFocus) {
            order.append(control);
        }
    };
    int top = 16;
    for (const Row &row : rows) {
        const bool spans = row.caption.isEmpty();
        if (!spans) {
            caption(row.caption, QRect(captionLeft, top, controlLeft - captionLeft - 4, 24), this);
        }
        const int left = spans ? captionLeft : controlLeft;
        row.control->setGeometry(left, top, row.width, row.height);
        addStops(row.control);
        if (row.trailing) {
            int trailingLeft = left + row.width + 4;
            if (!row.trailingCaption.isEmpty()) {
                QLabel *between = caption(row.trailingCaption, QRect(trailingLeft, top, 24, 24), this);
                between->setAlignment(Qt::AlignCenter);
                trailingLeft += 28;
            }
            row.trailing->setGeometry(trailingLeft, top, row.width, row.height);
            addStops(row.trailing);
        }
        top += row.height + rowGap;
    }
    QLabel *quantityNote = caption(note, QRect(captionLeft, top, dialogWidth - 2 * captionLeft, 24), this);
    QPalette red = quantityNote->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    quantityNote->setPalette(red);
    top += 24 + rowGap;
    okButton->setGeometry(controlLeft, top, 100, 32);
    cancelButton->setGeometry(controlLeft + 120, top, 100, 32);
    order << okButton << cancelButton;
    top += 32 + 6;
    branchNotice = noticeLine(QRect(captionLeft, top, dialogWidth - 2 * captionLeft, noticeHeight), this);
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order.at(i - 1), order.at(i));
    }
    FixedDialog::setUp(*this, QString::fromUtf8(documentImportTraits(import_).title),
                       QSize(dialogWidth, top + noticeHeight + 8));
    EnterMovesFocus::install(this);
    WindowScale::scaleBy(*this, WindowScale::factorFor(*this));
}

QWidget *DocumentConditionsDialog::firstField() const
{
    return branchBox;
}

void DocumentConditionsDialog::setBranchChoices(const BranchList::Choices &choices)
{
    const QList<QByteArray> &codes = choices.entries;
    const qsizetype selected = choices.selected;
    branchNotice->setText(choices.problem);
    for (QComboBox *list : {branchBox, priceBranchBox}) {
        if (!list) {
            continue;
        }
        list->clear();
        for (const QByteArray &code : codes) {
            list->addItem(Big5::decode(code));
        }
        list->setCurrentIndex(selected >= 0 && selected < codes.size() ? int(selected) : -1);
    }
}

DocumentConditions DocumentConditionsDialog::conditions() const
{
    DocumentConditions conditions;
    conditions.mbran = big5Text(branchBox->currentText());
    conditions.cbran = priceBranchBox ? big5Text(priceBranchBox->currentText()) : QByteArray();
    conditions.sb_no = big5Text(startNumberEdit->text());
    conditions.eb_no = big5Text(endNumberEdit->text());
    conditions.sdat = startDateEdit->dateText();
    conditions.edat = endDateEdit->dateText();
    addOwnConditions(conditions);
    return conditions;
}

void DocumentConditionsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FixedDialog::centreOnScreen(*this);
        onShow();
    }
}

void DocumentConditionsDialog::onShow()
{
    accepted_ = false;
    startDateEdit->clearDate();
    endDateEdit->clearDate();
    startNumberEdit->clear();
    endNumberEdit->clear();
    resetOwnFields();
    firstField()->setFocus();
}

bool DocumentConditionsDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == startNumberEdit && event->type() == QEvent::FocusOut) {
        // Only a move to another control is leaving the field, not a switch of windows.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            onStartNumberLeft();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void DocumentConditionsDialog::onStartNumberLeft()
{
    endNumberEdit->setText(startNumberEdit->text());
}

void DocumentConditionsDialog::onOk()
{
    // Reached by its accelerator key, OK has not taken the focus: the field
    // that has it is left now, so a number typed and confirmed at once counts
    // as typed and left, and a malformed date is refused on the spot.
    dateRefused_ = false;
    leaveFieldForOk(*okButton);
    if (dateRefused_) {
        return;
    }
    const DocumentConditionsCheck check = checkDocumentConditions(import_, conditions());
    switch (check.action) {
    case DocumentConditionsCheck::Action::Refuse:
        prompts_->embossedMessage(check.message);
        focusField(check.field);
        return;
    case DocumentConditionsCheck::Action::Confirm:
        if (!prompts_->confirm(check.message)) {
            focusField(check.field);
            return;
        }
        break;
    case DocumentConditionsCheck::Action::Accept:
        break;
    }
    accepted_ = true;
    accept();
}

void DocumentConditionsDialog::focusField(ConditionField field)
{
    QWidget *const fields[] = {branchBox, startNumberEdit, startDateEdit, endDateEdit};
    fields[int(field)]->setFocus();
}

void DocumentConditionsDialog::onCancel()
{
    reject();
}
