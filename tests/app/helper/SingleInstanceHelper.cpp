// single_instance_helper DIRECTORY MUTEX MESSAGE: runs the single-instance guard as a
// copy of the program would and reports on stdout, one line each: "first"
// (then waits, printing "woken" for each wake-up), or "notice TITLE|TEXT"
// followed by "second" before it ends.
#include "app/SingleInstanceGuard.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {
void report(const QString &line)
{
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4) {
        report(QStringLiteral("usage: single_instance_helper DIRECTORY MUTEX MESSAGE"));
        return 2;
    }
    SingleInstanceGuard guard;
    guard.setDirectory(args.at(1));
    guard.beginLoading();
    guard.setMutex(args.at(2));
    guard.setMessage(args.at(3));
    guard.setText(QStringLiteral("條碼列印重複登入了!!"));
    guard.setTitle(QStringLiteral("For web 條碼列印"));
    guard.setNotice([](const QString &title, const QString &text) {
        report(QStringLiteral("notice ") + title + QLatin1Char('|') + text);
    });
    QObject::connect(&guard, &SingleInstanceGuard::wakeUpRequested, [] { report(QStringLiteral("woken")); });
    guard.Loaded();
    if (guard.anotherInstanceFound()) {
        report(QStringLiteral("second"));
        return 0;
    }
    report(QStringLiteral("first"));
    return app.exec();
}
