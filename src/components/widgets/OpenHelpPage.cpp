#include "components/widgets/OpenHelpPage.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

void OpenHelpPage(const QString &programDir, const QString &page)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir(programDir).filePath(page)));
}
