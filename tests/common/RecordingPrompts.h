#pragma once

#include "components/Prompts.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <ostream>

// Stands in for the message boxes in tests: records every prompt in order
// and answers confirm() from a scripted queue, then with a default answer.
// Prompts made by forWindow() record into the same list, noting the window.
//
//     RecordingPrompts prompts;
//     prompts.confirmAnswers = {true};
//     ... run the window ...
//     EXPECT_EQ(prompts.calls, (QList<RecordingPrompts::Call>{{RecordingPrompts::Embossed, "已是第一筆 !!"}}));
class RecordingPrompts : public Prompts
{
public:
    enum Kind { Embossed, Confirm, ConfirmDestructive, Plain, YesNoCancel };

    struct Call {
        Kind kind;
        QString text;
        // The window the box came up over; not part of ==.
        const QObject *window = nullptr;

        bool operator==(const Call &other) const { return kind == other.kind && text == other.text; }
        friend void PrintTo(const Call &call, std::ostream *out)
        {
            static const char *const names[] = {"embossedMessage", "confirm", "confirmDestructive", "plainMessage",
                                                "chooseYesNoCancel"};
            *out << names[call.kind] << "(\"" << call.text.toStdString() << "\")";
        }
    };

    explicit RecordingPrompts(bool defaultConfirmAnswer = false)
        : defaultConfirmAnswer(defaultConfirmAnswer)
    {}

    std::unique_ptr<Prompts> forWindow(QObject *window) override
    {
        return std::make_unique<WindowPrompts>(*this, window);
    }
    void embossedMessage(const QString &text) override { record(Embossed, text, nullptr); }
    void plainMessage(const QString &text) override { record(Plain, text, nullptr); }
    bool confirm(const QString &text) override { return answer(Confirm, text, nullptr); }
    bool confirmDestructive(const QString &text) override { return answer(ConfirmDestructive, text, nullptr); }
    Choice chooseYesNoCancel(const QString &text) override { return choose(text, nullptr); }

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
    // Answers to chooseYesNoCancel, then Cancel, its default.
    QList<Choice> choiceAnswers;
    bool defaultConfirmAnswer;
    // Runs while a prompt is "open", for a test that looks at the window then.
    std::function<void(const Call &)> onPrompt;

private:
    class WindowPrompts : public Prompts
    {
    public:
        WindowPrompts(RecordingPrompts &log, const QObject *window)
            : log_(log)
            , window_(window)
        {}

        std::unique_ptr<Prompts> forWindow(QObject *window) override { return log_.forWindow(window); }
        void embossedMessage(const QString &text) override { log_.record(Embossed, text, window_); }
        void plainMessage(const QString &text) override { log_.record(Plain, text, window_); }
        bool confirm(const QString &text) override { return log_.answer(Confirm, text, window_); }
        bool confirmDestructive(const QString &text) override { return log_.answer(ConfirmDestructive, text, window_); }
        Choice chooseYesNoCancel(const QString &text) override { return log_.choose(text, window_); }

    private:
        RecordingPrompts &log_;
        const QObject *window_;
    };

    bool answer(Kind kind, const QString &text, const QObject *window)
    {
        record(kind, text, window);
        return confirmAnswers.isEmpty() ? defaultConfirmAnswer : confirmAnswers.takeFirst();
    }

    Choice choose(const QString &text, const QObject *window)
    {
        record(YesNoCancel, text, window);
        return choiceAnswers.isEmpty() ? Choice::Cancel : choiceAnswers.takeFirst();
    }

    void record(Kind kind, const QString &text, const QObject *window)
    {
        calls.append({kind, text, window});
        if (onPrompt) {
            onPrompt(calls.constLast());
        }
    }
};
