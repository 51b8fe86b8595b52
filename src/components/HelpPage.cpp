#include "components/HelpPage.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

namespace {

constexpr qint64 viewerKeptItMs = 60000;

QString openerFailure(int exitCode, QProcess::ExitStatus status)
{
    if (status != QProcess::NormalExit) {
        return QStringLiteral("xdg-open 異常結束");
    }
    // xdg-open's status 3: no tool to open the page with.
    return exitCode == 3 ? QStringLiteral("沒有可以開啟它的程式")
                         : QStringLiteral("xdg-open 結束代碼 %1").arg(exitCode);
}

} // namespace

void openHelpPage(const QString &programDir, const QString &page, QObject *context,
                  std::function<void(const QString &failure)> done)
{
    const QString path = QDir(programDir).filePath(page);
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile()) {
        done(QStringLiteral("找不到說明文件 %1").arg(shown));
        return;
    }
    const auto failed = [shown](const QString &why) {
        return QStringLiteral("無法開啟說明文件 %1：%2").arg(shown, why);
    };
    // Not a child of the asking window: the viewer may stay open after it closes.
    auto *opener = new QProcess;
    opener->setProgram(QStringLiteral("xdg-open"));
    opener->setArguments({path});
    // A browser started by the opener inherits its output; none of it is kept.
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer running;
    running.start();
    QObject::connect(opener, &QProcess::errorOccurred, context, [done, failed](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            done(failed(QStringLiteral("沒有可以開啟它的程式（找不到 xdg-open）")));
        }
    });
    QObject::connect(
        opener, &QProcess::finished, context, [done, failed, running](int exitCode, QProcess::ExitStatus status) {
            const bool well = status == QProcess::NormalExit && exitCode == 0;
            done(well || running.hasExpired(viewerKeptItMs) ? QString() : failed(openerFailure(exitCode, status)));
        });
    QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
    QObject::connect(opener, &QProcess::errorOccurred, opener, [opener](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            opener->deleteLater();
        }
    });
    opener->start();
}
