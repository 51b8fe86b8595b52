#include "components/widgets/LeaveFieldForOk.h"

#include <QWidget>

void leaveFieldForOk(QWidget &okButton)
{
    okButton.setFocus(Qt::OtherFocusReason);
}
