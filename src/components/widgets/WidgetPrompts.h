#pragma once

#include "components/Prompts.h"

#include <QPointer>
#include <QWidget>

// The real message and question boxes. Their caption is the title given, or
// the application's display name. They come up over the window they were made
// for (forWindow); without one, over the top modal window or the active one.
class WidgetPrompts : public Prompts
{
public:
    explicit WidgetPrompts(const QString &title = QString(), QWidget *window = nullptr);

    std::unique_ptr<Prompts> forWindow(QObject *window) override;
    void embossedMessage(const QString &text) override;
    bool confirm(const QString &text) override;
    bool confirmDestructive(const QString &text) override;
    Choice chooseYesNoCancel(const QString &text) override;
    void plainMessage(const QString &text) override;

    // The window a box comes up over now.
    QWidget *owner() const;

private:
    QString title() const;
    bool ask(const QString &text, bool yesIsDefault);

    QString title_;
    QPointer<QWidget> window_;
};
