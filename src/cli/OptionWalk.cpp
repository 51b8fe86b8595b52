#include "cli/OptionWalk.h"

#include "components/Big5.h"

OptionWalk::OptionWalk(QStringList arguments)
    : arguments_(std::move(arguments))
{}

bool OptionWalk::next()
{
    if (!error_.isEmpty() || index_ + 1 >= arguments_.size()) {
        return false;
    }
    name_ = arguments_[++index_];
    inlineValue_.reset();
    const qsizetype equals = name_.indexOf(u'=');
    if (name_.startsWith(QStringLiteral("--")) && equals > 0) {
        inlineValue_ = name_.mid(equals + 1);
        name_.truncate(equals);
    }
    return true;
}

std::optional<QString> OptionWalk::value()
{
    if (inlineValue_) {
        return inlineValue_;
    }
    if (index_ + 1 < arguments_.size()) {
        return arguments_[++index_];
    }
    fail(QStringLiteral("%1 needs a value").arg(name_));
    return std::nullopt;
}

std::optional<QByteArray> OptionWalk::big5Value(int limit)
{
    const std::optional<QString> text = value();
    if (!text) {
        return std::nullopt;
    }
    const Big5::Encoding bytes = Big5::encode(*text);
    if (!bytes.ok()) {
        fail(name_ + QStringLiteral(": ") + bytes.errorText());
        return std::nullopt;
    }
    if (bytes.bytes.size() > limit) {
        fail(QStringLiteral("%1 takes at most %2 bytes of Big5; \"%3\" has %4")
                 .arg(name_)
                 .arg(limit)
                 .arg(*text)
                 .arg(bytes.bytes.size()));
        return std::nullopt;
    }
    return bytes.bytes;
}

std::optional<int> OptionWalk::wholeNumber(int low, int high)
{
    const std::optional<QString> text = value();
    if (!text) {
        return std::nullopt;
    }
    bool ok = false;
    const int number = text->toInt(&ok);
    if (!ok || number < low || number > high) {
        fail(QStringLiteral("%1 takes a whole number from %2 to %3, not \"%4\"")
                 .arg(name_)
                 .arg(low)
                 .arg(high)
                 .arg(*text));
        return std::nullopt;
    }
    return number;
}

void OptionWalk::fail(const QString &error)
{
    if (error_.isEmpty()) {
        error_ = error;
    }
}

void OptionWalk::failUnknown()
{
    fail(QStringLiteral("unknown option \"%1\"").arg(arguments_[index_]));
}
