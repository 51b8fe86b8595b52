#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Walks the options of a command: "--name value", "--name=value" and bare
// "--flag". The first error stops the walk and stays in error().
class OptionWalk
{
public:
    explicit OptionWalk(QStringList arguments);

    // Moves to the next option; false at the end or after an error.
    bool next();
    const QString &name() const { return name_; }
    // True for a bare flag (no "=value" given with it).
    bool isFlag() const { return !inlineValue_; }

    // The option's value: after "=" or the next argument.
    std::optional<QString> value();
    // The value as Big5 bytes of at most limit bytes.
    std::optional<QByteArray> big5Value(int limit);
    std::optional<int> wholeNumber(int low, int high);

    void fail(const QString &error);
    void failUnknown();
    const QString &error() const { return error_; }

private:
    QStringList arguments_;
    qsizetype index_ = -1;
    QString name_;
    std::optional<QString> inlineValue_;
    QString error_;
};
