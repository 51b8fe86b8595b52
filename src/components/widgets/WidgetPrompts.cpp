#include "components/widgets/WidgetPrompts.h"

#include "components/widgets/MessageWindow.h"
#include "components/widgets/WindowScale.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

// A box over a window kept on top must be kept on top too, or the window
// manager may leave it behind the window it blocks.
void keepAbove(QWidget &box, const QWidget *owner)
{
    if (owner && owner->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    }
}

// A box reads as easily as the window that asked: it grows as that window did.
void growWith(QWidget &box, const QWidget *owner)
{
    if (owner) {
        box.setFont(WindowScale::scaledFont(box.font(), WindowScale::appliedFactor(*owner->window())));
    }
}

} // namespace

WidgetPrompts::WidgetPrompts(const QString &title, QWidget *window)
    : title_(title)
    , window_(window)
{}

std::unique_ptr<Prompts> WidgetPrompts::forWindow(QObject *window)
{
    return std::make_unique<WidgetPrompts>(title_, qobject_cast<QWidget *>(window));
}

QWidget *WidgetPrompts::owner() const
{
    if (window_) {
        return window_->window();
    }
    if (QWidget *modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return QApplication::activeWindow();
}

QString WidgetPrompts::title() const
{
    return title_.isEmpty() ? QGuiApplication::applicationDisplayName() : title_;
}

void WidgetPrompts::embossedMessage(const QString &text)
{
    showMessageWindow(text, title_, owner());
}

bool WidgetPrompts::confirm(const QString &text)
{
    return ask(text, true);
}

bool WidgetPrompts::confirmDestructive(const QString &text)
{
    return ask(text, false);
}

bool WidgetPrompts::ask(const QString &text, bool yesIsDefault)
{
    QWidget *parent = owner();
    QMessageBox box(QMessageBox::Warning, title(), text, QMessageBox::Yes | QMessageBox::No, parent);
    keepAbove(box, parent);
    growWith(box, parent);
    // The program speaks Chinese whether or not Qt's translations are installed.
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    box.setDefaultButton(yesIsDefault ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

Prompts::Choice WidgetPrompts::chooseYesNoCancel(const QString &text)
{
    QWidget *parent = owner();
    QMessageBox box(QMessageBox::Question, title(), text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                    parent);
    keepAbove(box, parent);
    growWith(box, parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Choice::Yes;
    case QMessageBox::No:
        return Choice::No;
    default:
        return Choice::Cancel;
    }
}

void WidgetPrompts::plainMessage(const QString &text)
{
    QWidget *parent = owner();
    QMessageBox box(QMessageBox::NoIcon, title(), text, QMessageBox::Ok, parent);
    keepAbove(box, parent);
    growWith(box, parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("確定"));
    box.exec();
}
