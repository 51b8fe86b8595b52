#include "components/CaseInsensitivePath.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString sameNameIn(const QString &dir, const QString &name)
{
    const QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return entry;
        }
    }
    return QString();
}

} // namespace

QString resolveCaseInsensitive(const QString &path)
{
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    // Ends in '/' or is empty, so a part can be appended directly.
    QString prefix = path.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    bool onDisk = true;
    for (const QString &part : parts) {
        QString found = part;
        if (onDisk && part != QLatin1String(".") && part != QLatin1String("..") && !QFileInfo::exists(prefix + part)) {
            found = sameNameIn(prefix.isEmpty() ? QStringLiteral(".") : prefix, part);
            onDisk = !found.isEmpty();
            if (!onDisk) {
                found = part;
            }
        }
        prefix += found + QLatin1Char('/');
    }
    if (prefix.size() > 1) {
        prefix.chop(1);
    }
    return prefix;
}
