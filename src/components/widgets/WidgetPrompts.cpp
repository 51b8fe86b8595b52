#include "components/widgets/WidgetPrompts.h"

#include "components/widgets/MessageWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

WidgetPrompts::WidgetPrompts(const QString &title)
    : title_(title)
{}

QString WidgetPrompts::title() const
{
    return title_.isEmpty() ? QGuiApplication::applicationDisplayName() : title_;
}

void WidgetPrompts::embossedMessage(const QString &text)
{
    showMessageWindow(text, title_);
}

bool WidgetPrompts::confirm(const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title(), text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    // The program speaks Chinese whether or not Qt's translations are installed.
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void WidgetPrompts::plainMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title(), text, QMessageBox::Ok, QApplication::activeWindow());
    box.button(QMessageBox::Ok)->setText(QStringLiteral("確定"));
    box.exec();
}
