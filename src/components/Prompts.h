#pragma once

#include <QString>

// Every message and question box of the program goes through this seam, so a
// test can answer them instead of a person.
class Prompts
{
public:
    virtual ~Prompts() = default;

    // The program's own embossed message window (showMessageWindow).
    virtual void embossedMessage(const QString &text) = 0;
    // Warning-style Yes/No question; true when the user answers Yes.
    virtual bool confirm(const QString &text) = 0;
    // The platform's plain message box (settings dialog, a few failures).
    virtual void plainMessage(const QString &text) = 0;
};
