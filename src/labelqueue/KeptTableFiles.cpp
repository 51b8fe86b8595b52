#include "labelqueue/KeptTableFiles.h"

#include "components/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace {

bool isNameOf(const QString &name, const QString &tableFileName)
{
    const QString suffix = QLatin1Char('-') + tableFileName;
    if (!name.endsWith(suffix) || name.size() == suffix.size()) {
        return false;
    }
    const QStringView number = QStringView(name).first(name.size() - suffix.size());
    return std::all_of(number.begin(), number.end(), [](QChar c) { return c.isDigit(); });
}

} // namespace

namespace KeptTableFiles {

QString nameFor(qint64 entry, const QString &tableFileName)
{
    return QString::number(entry) + QLatin1Char('-') + tableFileName;
}

QString link(const QString &tablePath, const QString &folder, const QString &name)
{
    const QString kept = QDir(folder).filePath(name);
    if (!QFileInfo(folder).isDir() && (!QDir().mkpath(folder) || !syncDirectoryOf(folder))) {
        return {};
    }
    const QByteArray from = QFile::encodeName(tablePath);
    const QByteArray to = QFile::encodeName(kept);
    // One of that name was left by a journal removed by hand: the number is a new entry's now.
    if (::link(from.constData(), to.constData()) != 0 &&
        (errno != EEXIST || ::unlink(to.constData()) != 0 || ::link(from.constData(), to.constData()) != 0)) {
        return {};
    }
    // The name must last through a power cut as surely as the entry that names it.
    if (!syncDirectoryOf(kept)) {
        ::unlink(to.constData());
        return {};
    }
    return kept;
}

bool isStillTheTable(const QString &kept, const QString &tablePath)
{
    FileStamp keptStamp;
    FileStamp tableStamp;
    return stampAt(kept, keptStamp) && stampAt(tablePath, tableStamp) && keptStamp.sameFile(tableStamp);
}

void remove(const QString &folder, const QStringList &names)
{
    for (const QString &name : names) {
        QFile::remove(QDir(folder).filePath(name));
    }
}

void removeAllBut(const QString &folder, const QString &tableFileName, const QStringList &named)
{
    const QDir dir(folder);
    if (!dir.exists()) {
        return;
    }
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (isNameOf(name, tableFileName) && !named.contains(name)) {
            QFile::remove(dir.filePath(name));
        }
    }
}

} // namespace KeptTableFiles
