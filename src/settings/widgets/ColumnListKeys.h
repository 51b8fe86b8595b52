#pragma once

#include <QObject>

class QAbstractButton;
class QLineEdit;
class QListWidget;

// The keys of an output settings dialog's column lists, so the dialog works
// without a mouse: Enter or a double-click on a catalogue entry adds it (as
// the add button does), Delete on a chosen entry removes it (as the remove
// button does), Enter in the custom-text box adds the text, and Ctrl+Up or
// Ctrl+Down moves a chosen entry one place. The three buttons take the focus
// by Tab and press on Enter.
class ColumnListKeys : public QObject
{
    Q_OBJECT

public:
    struct Controls {
        QListWidget *chosen;
        QListWidget *catalogue;
        QLineEdit *customText;
        QAbstractButton *add;
        QAbstractButton *remove;
        QAbstractButton *addCustom;
    };

    // Install it after the dialog's Enter-moves-on rule, so that these Enters
    // are seen first.
    static ColumnListKeys *install(const Controls &controls, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ColumnListKeys(const Controls &controls, QObject *parent);
    void removeChosen();
    void moveChosen(int step);

    Controls controls_;
};
