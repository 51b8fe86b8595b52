#include "components/widgets/NoticeLine.h"

#include <QLabel>

QLabel *noticeLine(const QRect &geometry, QWidget *parent)
{
    auto *line = new QLabel(parent);
    line->setObjectName(QStringLiteral("NoticeLine"));
    line->setGeometry(geometry);
    line->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    line->setWordWrap(true);
    line->setFocusPolicy(Qt::NoFocus);
    QPalette red = line->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    line->setPalette(red);
    return line;
}
