#include "components/widgets/DateField.h"

#include "components/DateFormats.h"
#include "components/DateText.h"

#include <QDate>

DateField::DateField(Today today, QWidget *parent)
    : QLineEdit(parent)
    , today_(std::move(today))
{
    setInputMask(QStringLiteral("9999/99/99;_"));
}

QByteArray DateField::dateText() const
{
    // displayText() keeps every place; the mask's "_" stands for a blank.
    return displayText().replace(QLatin1Char('_'), QLatin1Char(' ')).toLatin1();
}

bool DateField::isBlank() const
{
    return DateText::isBlank(dateText());
}

bool DateField::isValidOrBlank() const
{
    const QByteArray text = dateText();
    return DateText::isBlank(text) || DateText::isValid(text);
}

void DateField::mouseDoubleClickEvent(QMouseEvent *event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    setText(DateFormats::date(today_()));
}
