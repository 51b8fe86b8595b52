#pragma once

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

// An xdg-open of the test's own, alone on PATH while this lives: it notes the
// file it was asked to open and exits with the given status. Without a
// status PATH holds no xdg-open at all, as on a PC without one.
class FakeOpener
{
public:
    explicit FakeOpener(std::optional<int> exitCode)
        : path_(qgetenv("PATH"))
    {
        if (exitCode) {
            QFile script(dir_.filePath(QStringLiteral("xdg-open")));
            script.open(QIODevice::WriteOnly);
            script.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + record().toUtf8() + "'\nexit " +
                         QByteArray::number(*exitCode) + "\n");
            script.close();
            script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        qputenv("PATH", dir_.path().toUtf8());
    }
    ~FakeOpener() { qputenv("PATH", path_); }
    FakeOpener(const FakeOpener &) = delete;
    FakeOpener &operator=(const FakeOpener &) = delete;

    // The files it was asked to open, in order.
    QStringList opened() const
    {
        QFile file(record());
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    QString record() const { return dir_.filePath(QStringLiteral("opened")); }

    QTemporaryDir dir_;
    QByteArray path_;
};
