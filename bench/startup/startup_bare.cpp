// The reference: a bare Qt Widgets program that shows one window of the main
// window's size with a label, and ends when it is mapped.
#include "ReportWhenExposed.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("條碼列印作業"), &window));
    window.setFixedSize(640, 480);
    window.show();
    ReportWhenExposed::watch(window.windowHandle());
    return app.exec();
}
