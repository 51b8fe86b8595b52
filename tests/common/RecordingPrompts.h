#pragma once

#include "components/Prompts.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <ostream>

// Stands in for the message boxes in tests: records every prompt in order
// and answers confirm() from a scripted queue, then with a default answer.
//
//     RecordingPrompts prompts;
//     prompts.confirmAnswers = {true};
//     ... run the window ...
//     EXPECT_EQ(prompts.calls, (QList<RecordingPrompts::Call>{{RecordingPrompts::Embossed, "已是第一筆 !!"}}));
class RecordingPrompts : public Prompts
{
public:
    enum Kind { Embossed, Confirm, Plain };

    struct Call {
        Kind kind;
        QString text;

        bool operator==(const Call &other) const { return kind == other.kind && text == other.text; }
        friend void PrintTo(const Call &call, std::ostream *out)
        {
            static const char *const names[] = {"embossedMessage", "confirm", "plainMessage"};
            *out << names[call.kind] << "(\"" << call.text.toStdString() << "\")";
        }
    };

    explicit RecordingPrompts(bool defaultConfirmAnswer = false)
        : defaultConfirmAnswer(defaultConfirmAnswer)
    {}

    void embossedMessage(const QString &text) override { record(Embossed, text); }
    void plainMessage(const QString &text) override { record(Plain, text); }
    bool confirm(const QString &text) override
    {
        record(Confirm, text);
        return confirmAnswers.isEmpty() ? defaultConfirmAnswer : confirmAnswers.takeFirst();
    }

    // The texts shown so far of one kind, in order.
    QStringList texts(Kind kind) const
    {
        QStringList result;
        for (const Call &call : calls) {
            if (call.kind == kind) {
                result.append(call.text);
            }
        }
        return result;
    }

    QList<Call> calls;
    QList<bool> confirmAnswers;
    bool defaultConfirmAnswer;
    // Runs while a prompt is "open", for a test that looks at the window then.
    std::function<void(const Call &)> onPrompt;

private:
    void record(Kind kind, const QString &text)
    {
        calls.append({kind, text});
        if (onPrompt) {
            onPrompt(calls.constLast());
        }
    }
};
