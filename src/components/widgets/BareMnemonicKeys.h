#pragma once

#include <QObject>

class QKeyEvent;

// Shop staff press a button's underlined key without Alt. Where the focus
// is on a control that takes no text (a button, a check box, a radio
// button), a letter or digit pressed alone does what Alt with it does; in
// text fields and grids the key is typed as usual.
class BareMnemonicKeys : public QObject
{
    Q_OBJECT

public:
    // One filter for the whole application, owned by it; installing twice
    // keeps the first.
    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit BareMnemonicKeys(QObject *parent);
    static bool isBareMnemonicKey(const QKeyEvent &key);
};
