#pragma once

#include <QObject>

class QKeyEvent;

// Shop staff press a button's underlined key without Alt. Where the focus
// is on a control that takes no text (a button, a check box, a radio
// button, or one marked with takesNoTextProperty), a letter or digit pressed
// alone does what Alt with it does; in text fields and grids the key is
// typed as usual.
class BareMnemonicKeys : public QObject
{
    Q_OBJECT

public:
    // A control whose property of this name is true takes no text either: a
    // read-only list whose letters would only search it, say.
    static constexpr char takesNoTextProperty[] = "takesNoText";

    // One filter for the whole application, owned by it; installing twice
    // keeps the first.
    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit BareMnemonicKeys(QObject *parent);
    static bool isBareMnemonicKey(const QKeyEvent &key);
};
