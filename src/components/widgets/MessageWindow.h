#pragma once

#include <QDialog>

class FocusMarkedButton;
class EmbossedLabel;

// The program's notice window: the text in large embossed letters over an
// OK button, sized to the text and kept on top.
class MessageWindow : public QDialog
{
    Q_OBJECT

public:
    // An empty title means the application's display name.
    explicit MessageWindow(const QString &text, const QString &title = QString(), QWidget *parent = nullptr);

    // Sizes the window to the caption for a screen of the given width and
    // centres it on the screen; showing the window does this by itself.
    void fitToScreen(int screenWidth);

    EmbossedLabel *const textLabel;
    FocusMarkedButton *const okButton;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void onOk();

    QString title_;
};

// Shows text in a new message window over parent and returns when the user has closed it.
void showMessageWindow(const QString &text, const QString &title = QString(), QWidget *parent = nullptr);
