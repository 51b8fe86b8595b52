#pragma once

#include "components/FloatText.h"

#include <QString>

#include <functional>

// What the numeric entry field NumericEntryField knows and does, without a window: its
// properties, the text and selection of the edit control it is made of, and the
// hooks the control calls on key-down, character, text change, focus entry and
// focus exit. The widget only copies text and selection to and from the screen.
class NumericEntryLogic
{
public:
    // Limits that keep every layout and the text length meaningful; setters clamp to them.
    static constexpr int maxIntNum = 15;
    static constexpr int maxDecNum = 10;
    // The edit control's own limit until IntNum or DecNum is written.
    static constexpr int defaultMaxLength = 32767;

    NumericEntryLogic();

    double value() const { return value_; }
    // Cuts v to DecNum decimals by CutMode and shows it; never fires OnChange.
    // A number that is not finite is refused and nothing changes.
    void setValue(double v);
    int intNum() const { return intNum_; }
    void setIntNum(int n);
    int decNum() const { return decNum_; }
    void setDecNum(int n);
    CutMode cutMode() const { return cutMode_; }
    void setCutMode(CutMode mode);
    bool comma() const { return comma_; }
    void setComma(bool comma);
    bool autoSelect() const { return autoSelect_; }
    void setAutoSelect(bool autoSelect) { autoSelect_ = autoSelect; }

    // OnChange: the number typed so far differs from the stored one.
    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

    const QString &text() const { return text_; }
    int selStart() const { return selStart_; }
    int selLength() const { return selLength_; }
    int maxLength() const { return maxLength_; }
    bool editing() const { return editing_; }

    // The user moved the caret or selected with the mouse or the arrow keys.
    void setSelection(int start, int length);
    // The edit control changed its text by itself (a middle-click paste, say);
    // runs the text-changed hook like any other change.
    void textEdited(const QString &text, int caret);

    // One keystroke: the key-down hook, then the character hook for the
    // character the key typed (null for none; backspace is 8), then the edit
    // control's own handling of a character let through or of the Delete key.
    void keyPress(int key, bool keypad, QChar character);
    // The two hooks a keystroke runs, for callers that deliver them apart.
    void keyDown(int key, bool keypad);
    void character(QChar character);

    void focusIn();
    void focusOut();

private:
    void showValue();
    QString editingTextOfValue() const;
    void setTextByProgram(const QString &text);
    void editTo(const QString &text, int caret);
    void textChanged();
    void typeDigit(QChar digit);
    bool letMinusThrough();
    void insertCharacter(QChar character);
    void deleteBackward();
    void deleteForward();
    void clampSelection();

    double value_ = 0.0;
    int intNum_ = 6;
    int decNum_ = 2;
    bool passCharacter_ = true;
    bool editing_ = false;
    CutMode cutMode_ = CutMode::Rounding;
    bool comma_ = true;
    bool autoSelect_ = true;
    QString text_;
    int selStart_ = 0;
    int selLength_ = 0;
    int maxLength_ = defaultMaxLength;
    std::function<void()> onChange_;
};
