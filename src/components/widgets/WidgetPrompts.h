#pragma once

#include "components/Prompts.h"

// The real message and question boxes, over the active window. Their
// caption is the title given, or the application's display name.
class WidgetPrompts : public Prompts
{
public:
    explicit WidgetPrompts(const QString &title = QString());

    void embossedMessage(const QString &text) override;
    bool confirm(const QString &text) override;
    void plainMessage(const QString &text) override;

private:
    QString title() const;

    QString title_;
};
