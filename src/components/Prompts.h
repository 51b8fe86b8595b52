#pragma once

#include <QString>

#include <memory>

class QObject;

// Every message and question box of the program goes through this seam, so a
// test can answer them instead of a person.
class Prompts
{
public:
    virtual ~Prompts() = default;

    // The same boxes, each brought up over window, the window that asks, and
    // modal to it. A box without such a window could land behind a window
    // kept on top and block it unseen. By default the boxes of this object,
    // for prompts that have no windows to place.
    virtual std::unique_ptr<Prompts> forWindow(QObject *window);

    // The program's own embossed message window (showMessageWindow).
    virtual void embossedMessage(const QString &text) = 0;
    // Warning-style Yes/No question with Yes as the default; true when the user answers Yes.
    virtual bool confirm(const QString &text) = 0;
    // The same for a question whose Yes throws something away: No is the
    // default, so a hasty Enter keeps what is there.
    virtual bool confirmDestructive(const QString &text) = 0;
    enum class Choice { Yes, No, Cancel };
    // A Yes/No/Cancel question with Cancel as the default (and Esc's answer).
    virtual Choice chooseYesNoCancel(const QString &text) = 0;
    // The platform's plain message box (settings dialog, a few failures).
    virtual void plainMessage(const QString &text) = 0;
};
