#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QWindow>

#include <ctime>

// When its window is first exposed (mapped on screen), writes how many
// milliseconds have passed since the time the parent gave in
// BENCH_SPAWNED_AT_MS (on the monotonic clock) to the file BENCH_MAPPED_FILE,
// then quits as the program would: a clean end leaves no stale lock behind
// for the next run to clear.
class ReportWhenExposed : public QObject
{
public:
    static void watch(QWindow *window) { window->installEventFilter(new ReportWhenExposed(window)); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!reported_ && event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            reported_ = true;
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            const double nowMs = double(now.tv_sec) * 1000 + double(now.tv_nsec) / 1e6;
            QFile file(qEnvironmentVariable("BENCH_MAPPED_FILE"));
            if (file.open(QIODevice::WriteOnly)) {
                file.write(QByteArray::number(nowMs - qEnvironmentVariable("BENCH_SPAWNED_AT_MS").toDouble(), 'f', 3));
            }
            QCoreApplication::quit();
        }
        return false;
    }

private:
    explicit ReportWhenExposed(QObject *parent)
        : QObject(parent)
    {}

    bool reported_ = false;
};
