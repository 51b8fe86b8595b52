#pragma once

#include <QObject>

class QWidget;

// The program's rule that Enter moves on: an Enter pressed in a watched
// field is swallowed and SendTabKey moves the focus to the next field (in a
// grid, the next cell, also while a cell is being edited). Push buttons keep
// Enter for pressing them, multi-line text keeps it for new lines.
class EnterMovesFocus : public QObject
{
    Q_OBJECT

public:
    explicit EnterMovesFocus(QObject *parent = nullptr);

    // Watches every field of root (root included) that takes the focus by
    // Tab, apart from push buttons and multi-line text. Call it once the
    // fields have been made; returns the filter, owned by root.
    static EnterMovesFocus *install(QWidget *root);

    void watch(QWidget *field);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
