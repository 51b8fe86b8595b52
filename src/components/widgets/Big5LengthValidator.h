#pragma once

#include <QValidator>

// For entry fields whose limit counts Big5 bytes (a Chinese character takes
// two): refuses a character that Big5 cannot hold, and any edit, typed or
// pasted, that would make the text longer than maxBytes. A refused paste
// leaves the field as it was rather than keeping a cut part of it.
class Big5LengthValidator : public QValidator
{
    Q_OBJECT

public:
    explicit Big5LengthValidator(int maxBytes, QObject *parent = nullptr);

    int maxBytes() const { return maxBytes_; }

    State validate(QString &input, int &pos) const override;

private:
    int maxBytes_;
};
