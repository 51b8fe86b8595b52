#pragma once

#include <QByteArray>
#include <QLineEdit>

#include <functional>

class QDate;

// A date field of the import dialogs: ten places in the pattern yyyy/mm/dd,
// digits only, "/" fixed, unfilled places shown as "_". A double-click puts
// today's date into it, in the program-wide short date format. It holds no
// date at all (a blank date) until a digit is typed.
class DateField : public QLineEdit
{
    Q_OBJECT

public:
    using Today = std::function<QDate()>;

    explicit DateField(Today today, QWidget *parent = nullptr);

    // The text as sent: ten characters, unfilled places as blanks.
    QByteArray dateText() const;
    bool isBlank() const;
    // Blank, or a day of the calendar.
    bool isValidOrBlank() const;

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    Today today_;
};
