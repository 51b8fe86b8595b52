#pragma once

#include "components/NumericEntryLogic.h"

#include <QLineEdit>

#include <functional>
#include <optional>

// The numeric entry field: a signed decimal number with IntNum integer and
// DecNum decimal digits. While it has the focus it keeps a fixed column layout
// so typing never moves the decimal point; without the focus it shows the
// number right-aligned, with thousands separators when Comma is set. The owner
// sets and reads Value, never the text. All rules live in NumericEntryLogic.
class NumericEntryField : public QLineEdit
{
    Q_OBJECT

public:
    explicit NumericEntryField(QWidget *parent = nullptr);

    double value() const { return logic_.value(); }
    void setValue(double value);
    int intNum() const { return logic_.intNum(); }
    void setIntNum(int n);
    int decNum() const { return logic_.decNum(); }
    void setDecNum(int n);
    CutMode cutMode() const { return logic_.cutMode(); }
    void setCutMode(CutMode mode);
    bool comma() const { return logic_.comma(); }
    void setComma(bool comma);
    bool autoSelect() const { return logic_.autoSelect(); }
    void setAutoSelect(bool autoSelect) { logic_.setAutoSelect(autoSelect); }

    // The owner's key-press handler (OnKeyPress): runs before the field looks at
    // the character; setting it to a null QChar swallows the key. Dialogs use it
    // to turn Enter into a move to the next field.
    void setKeyPressHandler(std::function<void(QChar &key)> handler) { keyPressHandler_ = std::move(handler); }

Q_SIGNALS:
    // OnChange: the number typed differs from the stored one; never sent by setValue.
    void changed();
    // OnEnter and OnExit, sent before the field changes its layout.
    void entered();
    void exited();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void readSelection();
    void showLogic();

    NumericEntryLogic logic_;
    std::function<void(QChar &)> keyPressHandler_;
    bool showing_ = false;
    struct Selection {
        int start;
        int length;
    };
    // Caret kept while another window has the focus, given back on return.
    std::optional<Selection> awaySelection_;
};
