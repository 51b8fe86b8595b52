#include "app/ProgramDir.h"

namespace ProgramDir {

QString fromApplicationDir(const QString &applicationDirPath)
{
    QString dir = applicationDirPath;
    if (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\'))) {
        dir.chop(1);
    }
    return dir;
}

QString file(const QString &programDir, const QString &name)
{
    return programDir + QLatin1Char('/') + name;
}

} // namespace ProgramDir
