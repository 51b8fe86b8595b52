#include "components/widgets/OpenHelpPage.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

QString OpenHelpPage(const QString &programDir, const QString &page)
{
    const QString path = QDir(programDir).filePath(page);
    if (!QFileInfo(path).isFile()) {
        return QStringLiteral("找不到說明文件 %1").arg(QDir::toNativeSeparators(path));
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        return QStringLiteral("無法開啟說明文件 %1：沒有可以開啟它的程式").arg(QDir::toNativeSeparators(path));
    }
    return QString();
}
