#include "components/widgets/DateEdit.h"

#include "components/Clock.h"
#include "components/DateFieldText.h"
#include "components/Prompts.h"
#include "components/TextHelpers.h"

#include <QApplication>
#include <QFocusEvent>

DateEdit::DateEdit(Prompts &prompts, QWidget *parent)
    : QLineEdit(parent)
    , prompts_(prompts.forWindow(this))
{
    setInputMask(QStringLiteral("9999/99/99;_"));
}

QByteArray DateEdit::dateText() const
{
    QString shown = displayText();
    shown.replace(u'_', u' ');
    return shown.toLatin1();
}

bool DateEdit::isBlank() const
{
    return DateFieldText::isBlank(dateText());
}

void DateEdit::clearDate()
{
    clear();
}

void DateEdit::setDateText(const QByteArray &text)
{
    setText(QString::fromLatin1(text));
}

void DateEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Switching windows (a message box, another program) is not leaving the field.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) {
        return;
    }
    // During a focus change the application already names the control that receives it.
    const QWidget *next = QApplication::focusWidget();
    if (next == this || (cancelButton_ && next == cancelButton_)) {
        return;
    }
    switch (DateFieldText::checkOnExit(dateText())) {
    case DateFieldText::Exit::Blank:
        return;
    case DateFieldText::Exit::Valid:
        Q_EMIT leftWithValidDate();
        return;
    case DateFieldText::Exit::Malformed:
        setFocus(Qt::OtherFocusReason);
        prompts_->embossedMessage(QString::fromUtf8(DateFieldText::malformedDateMessage));
        Q_EMIT leftWithMalformedDate();
        return;
    }
}

void DateEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!todayClock_) {
        QLineEdit::mouseDoubleClickEvent(event);
        return;
    }
    setDateText(DateToSlashedText(todayClock_->today()));
}
