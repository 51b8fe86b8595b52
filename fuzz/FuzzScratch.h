#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

// A directory for the files one run writes, in memory where the system
// offers it: the targets sync and rename on every input.
inline QString fuzzScratchPath(const QString &name)
{
    const QString parent =
        QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static QTemporaryDir dir(parent + QStringLiteral("/barlabel-fuzz-XXXXXX"));
    return dir.filePath(name);
}
