#include "components/widgets/NumericEntryField.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace {

bool movesCaret(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

// Keys the dialog around the field acts on (default and cancel buttons).
bool isDialogKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

QChar characterOf(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Backspace:
        return QChar(8);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(13);
    case Qt::Key_Escape:
        return QChar(27);
    case Qt::Key_Delete:
        return QChar();
    default:
        return event->text().size() == 1 ? event->text().at(0) : QChar();
    }
}

} // namespace

NumericEntryField::NumericEntryField(QWidget *parent)
    : QLineEdit(parent)
{
    // Every character must come as a key through the field's own rules: an input
    // method would commit full-width digits, a drop or a context-menu paste any text.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    logic_.setOnChange([this] { Q_EMIT changed(); });
    // What still reaches the text past the rules (a middle-click paste) is laid out like typing.
    connect(this, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!showing_) {
            logic_.textEdited(text, cursorPosition());
            showLogic();
        }
    });
}

void NumericEntryField::setValue(double value)
{
    logic_.setValue(value);
    showLogic();
}

void NumericEntryField::setIntNum(int n)
{
    logic_.setIntNum(n);
    showLogic();
}

void NumericEntryField::setDecNum(int n)
{
    logic_.setDecNum(n);
    showLogic();
}

void NumericEntryField::setCutMode(CutMode mode)
{
    logic_.setCutMode(mode);
    showLogic();
}

void NumericEntryField::setComma(bool comma)
{
    logic_.setComma(comma);
    showLogic();
}

void NumericEntryField::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll) || movesCaret(event->key())) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Shortcuts belong to the window; the field types nothing with them (no paste, cut or undo).
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        event->ignore();
        return;
    }
    QChar typed = characterOf(event);
    if (keyPressHandler_ && !typed.isNull()) {
        keyPressHandler_(typed);
        if (typed.isNull()) {
            event->accept();
            return;
        }
    }
    if (isDialogKey(event->key())) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    readSelection();
    logic_.keyPress(event->key(), event->modifiers().testFlag(Qt::KeypadModifier), typed);
    showLogic();
    event->accept();
}

void NumericEntryField::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // A menu or popup that took the focus for a moment leaves the editing as it was.
    if (event->reason() == Qt::PopupFocusReason && logic_.editing()) {
        return;
    }
    Q_EMIT entered();
    logic_.focusIn();
    if (event->reason() == Qt::ActiveWindowFocusReason && awaySelection_) {
        logic_.setSelection(awaySelection_->start, awaySelection_->length);
    }
    awaySelection_.reset();
    showLogic();
}

void NumericEntryField::focusOutEvent(QFocusEvent *event)
{
    const Selection selection =
        hasSelectedText() ? Selection{selectionStart(), selectionLength()} : Selection{cursorPosition(), 0};
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason) {
        return;
    }
    if (event->reason() == Qt::ActiveWindowFocusReason) {
        awaySelection_ = selection;
    }
    Q_EMIT exited();
    logic_.focusOut();
    showLogic();
}

void NumericEntryField::readSelection()
{
    if (hasSelectedText()) {
        logic_.setSelection(selectionStart(), selectionLength());
    } else {
        logic_.setSelection(cursorPosition(), 0);
    }
}

void NumericEntryField::showLogic()
{
    showing_ = true;
    if (text() != logic_.text()) {
        setText(logic_.text());
    }
    if (logic_.selLength() > 0) {
        setSelection(logic_.selStart(), logic_.selLength());
    } else {
        setCursorPosition(logic_.selStart());
    }
    showing_ = false;
}
