#pragma once

#include "components/Prompts.h"

#include <QByteArray>
#include <QLineEdit>

class Clock;

// The masked date field "9999/99/99" of the conditions dialogs: "_" marks an
// unfilled position, which the field's text holds as a blank. Leaving it for
// another control checks the date: a blank date passes, a malformed one shows
// "日期格式錯誤 !!" and takes the focus back, a valid one is announced so a
// start date can be copied into its end date. Leaving for the cancel button
// checks nothing, so a dialog can always be cancelled.
class DateEdit : public QLineEdit
{
    Q_OBJECT

public:
    DateEdit(Prompts &prompts, QWidget *parent = nullptr);

    // The ten characters as sent: digits, "/" and a blank for each "_".
    QByteArray dateText() const;
    bool isBlank() const;
    void clearDate();
    void setDateText(const QByteArray &text);

    // The control towards which leaving is never checked.
    void setCancelButton(const QWidget *button) { cancelButton_ = button; }
    // A double-click puts today's date in the field, without any check.
    void setTodayOnDoubleClick(const Clock *clock) { todayClock_ = clock; }

Q_SIGNALS:
    void leftWithValidDate();
    // The message has been shown and the field has the focus again.
    void leftWithMalformedDate();

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    const std::unique_ptr<Prompts> prompts_;
    const QWidget *cancelButton_ = nullptr;
    const Clock *todayClock_ = nullptr;
};
