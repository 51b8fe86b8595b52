#include "components/NumericEntryLogic.h"

#include <QtCore/qnamespace.h>
#include <QtGlobal>

#include <cmath>

namespace {

// The characters of text from position `from` up to, not including, `to`.
QString slice(const QString &text, int from, int to)
{
    return from >= to ? QString() : text.mid(from, to - from);
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

NumericEntryLogic::NumericEntryLogic() = default;

void NumericEntryLogic::setValue(double v)
{
    if (!std::isfinite(v)) {
        return;
    }
    value_ = FloatText::cut(v, decNum_, cutMode_);
    showValue();
}

void NumericEntryLogic::setIntNum(int n)
{
    intNum_ = qBound(1, n, maxIntNum);
    maxLength_ = intNum_ + decNum_ + 1;
    setValue(value_);
}

void NumericEntryLogic::setDecNum(int n)
{
    decNum_ = qBound(0, n, maxDecNum);
    maxLength_ = intNum_ + decNum_ + 1;
    setValue(value_);
}

void NumericEntryLogic::setCutMode(CutMode mode)
{
    cutMode_ = mode;
    setValue(value_);
}

void NumericEntryLogic::setComma(bool comma)
{
    comma_ = comma;
    setValue(value_);
}

void NumericEntryLogic::setSelection(int start, int length)
{
    selStart_ = start;
    selLength_ = length;
    clampSelection();
}

void NumericEntryLogic::textEdited(const QString &text, int caret)
{
    editTo(text, caret);
}

void NumericEntryLogic::keyPress(int key, bool keypad, QChar typed)
{
    keyDown(key, keypad);
    if (!typed.isNull()) {
        character(typed);
        return;
    }
    // A key that types nothing must not leave the next keystroke's character discarded.
    passCharacter_ = true;
    if (key == Qt::Key_Delete) {
        deleteForward();
    }
}

void NumericEntryLogic::keyDown(int key, bool keypad)
{
    if (selLength_ > 0) {
        return;
    }
    if (key == Qt::Key_Period || (keypad && key == Qt::Key_Comma)) {
        selStart_ = qMin(intNum_ + 1, int(text_.size()));
        return;
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        typeDigit(QChar(u'0' + (key - Qt::Key_0)));
    }
}

void NumericEntryLogic::character(QChar typed)
{
    const bool pass = passCharacter_;
    passCharacter_ = true;
    if (!pass) {
        return;
    }
    if (typed == u'-') {
        if (selStart_ != 0) {
            return;
        }
        if (selLength_ == 0 && !letMinusThrough()) {
            return;
        }
        insertCharacter(typed);
    } else if (typed == QChar(8)) {
        deleteBackward();
    } else if (isAsciiDigit(typed)) {
        insertCharacter(typed);
    }
}

void NumericEntryLogic::focusIn()
{
    QString entry = FloatText::editing(text_, intNum_, decNum_);
    // Asterisks, or integer digits beyond the slot, cannot be read back: lay out
    // the stored number itself so that no digit of it is lost on the next key.
    if (FloatText::parse(entry) != value_) {
        entry = editingTextOfValue();
    }
    setTextByProgram(entry);
    editing_ = true;
    passCharacter_ = true;
    selStart_ = 0;
    selLength_ = autoSelect_ ? int(text_.size()) : 0;
}

void NumericEntryLogic::focusOut()
{
    editing_ = false;
    passCharacter_ = true;
    showValue();
    selStart_ = 0;
    selLength_ = 0;
}

void NumericEntryLogic::showValue()
{
    if (editing_) {
        // Shown straight in the editing layout: the plain layout read back would
        // turn asterisks into 0, and a re-layout of a wide integer field would
        // cut digits the number has.
        const QString text = editingTextOfValue();
        if (text != text_) {
            text_ = text;
            setSelection(0, 0);
        }
    } else {
        setTextByProgram(comma_ ? FloatText::grouped(value_, intNum_, decNum_)
                                : FloatText::plain(value_, intNum_, decNum_));
    }
}

QString NumericEntryLogic::editingTextOfValue() const
{
    // With a "." every integer digit is kept, even beyond the slot.
    QString text = FloatText::fixed(value_, decNum_);
    if (decNum_ == 0) {
        text += u'.';
    }
    return FloatText::editing(text, intNum_, decNum_);
}

void NumericEntryLogic::setTextByProgram(const QString &text)
{
    if (text != text_) {
        editTo(text, 0);
    }
}

void NumericEntryLogic::editTo(const QString &text, int caret)
{
    const bool changed = text != text_;
    text_ = text;
    setSelection(caret, 0);
    if (changed) {
        textChanged();
    }
}

void NumericEntryLogic::textChanged()
{
    if (!editing_) {
        return;
    }
    const int start = selStart_;
    const int length = selLength_;
    text_ = FloatText::editing(text_, intNum_, decNum_);
    setSelection(start, length);
    const double number = FloatText::parse(text_);
    if (number != value_) {
        value_ = number;
        if (onChange_) {
            onChange_();
        }
    }
}

void NumericEntryLogic::typeDigit(QChar digit)
{
    const int caret = selStart_;
    if (caret < intNum_) {
        passCharacter_ = false;
        // A caret in the blanks that end the slot snaps back to the last digit.
        const int p = int(text_.left(caret).trimmed().size());
        const QString text =
            text_.left(p) + digit + slice(text_, p, intNum_ - 1) + slice(text_, intNum_, intNum_ + decNum_ + 2);
        editTo(text, p + 1 == intNum_ ? p + 2 : p + 1);
    } else if (caret > intNum_) {
        passCharacter_ = false;
        const QString text = text_.left(caret) + digit + slice(text_, caret, intNum_ + decNum_);
        editTo(text, caret + 1);
    }
}

// A "-" typed at the start with nothing selected takes the place of a leading
// "0", blank or "-". In front of a significant digit it is put before the
// number instead of over its first digit, so 12 becomes -12 and not -2; when
// the slot has no blank left for it, it is refused.
bool NumericEntryLogic::letMinusThrough()
{
    if (text_.isEmpty()) {
        return true;
    }
    const QChar first = text_.at(0);
    if (!isAsciiDigit(first) || first == u'0') {
        selLength_ = 1;
        return true;
    }
    if (text_.size() >= intNum_ && text_.at(intNum_ - 1) != u' ') {
        return false;
    }
    editTo(u'-' + slice(text_, 0, intNum_ - 1) + text_.mid(intNum_), 1);
    return false;
}

void NumericEntryLogic::insertCharacter(QChar typed)
{
    if (text_.size() - selLength_ + 1 > maxLength_) {
        return;
    }
    editTo(text_.left(selStart_) + typed + text_.mid(selStart_ + selLength_), selStart_ + 1);
}

void NumericEntryLogic::deleteBackward()
{
    if (selLength_ > 0) {
        editTo(text_.left(selStart_) + text_.mid(selStart_ + selLength_), selStart_);
    } else if (selStart_ > 0) {
        editTo(text_.left(selStart_ - 1) + text_.mid(selStart_), selStart_ - 1);
    }
}

void NumericEntryLogic::deleteForward()
{
    if (selLength_ > 0) {
        editTo(text_.left(selStart_) + text_.mid(selStart_ + selLength_), selStart_);
    } else if (selStart_ < text_.size()) {
        editTo(text_.left(selStart_) + text_.mid(selStart_ + 1), selStart_);
    }
}

void NumericEntryLogic::clampSelection()
{
    const int size = int(text_.size());
    selStart_ = qBound(0, selStart_, size);
    selLength_ = qBound(0, selLength_, size - selStart_);
}
