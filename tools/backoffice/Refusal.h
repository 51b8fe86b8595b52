#pragma once

#include <QString>

#include <stdexcept>

// A request the back office will not answer with data. Its text becomes the
// single reply line, which the label program shows to the user.
class Refusal : public std::runtime_error
{
public:
    explicit Refusal(const QString &text)
        : std::runtime_error(text.toStdString())
        , text_(text)
    {}
    const QString &text() const { return text_; }

private:
    QString text_;
};
