#pragma once

class QWidget;

// The first step of every conditions dialog's OK: the focus moves to the OK
// button, so the field that had it is left and its exit handling (a date
// check, the start code copied to the end code) runs before the OK checks,
// also when OK was reached by its accelerator key from inside the field.
void leaveFieldForOk(QWidget &okButton);
