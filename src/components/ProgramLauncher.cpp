#include "components/ProgramLauncher.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/stat.h>
#endif

namespace {

LaunchResult failure(int code, const QString &text)
{
    return LaunchResult{code, text};
}

// Not found and access denied look alike to QFileInfo; stat tells them apart.
LaunchResult missingFileResult(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat info;
    const QByteArray native = QFile::encodeName(path);
    if (::stat(native.constData(), &info) != 0 && errno == EACCES) {
        return failure(LaunchResult::AccessDenied, QStringLiteral("無權存取 %1").arg(path));
    }
#endif
    return failure(LaunchResult::FileNotFound, QStringLiteral("找不到 %1").arg(path));
}

QString locate(const QString &fileName)
{
    if (QFileInfo::exists(fileName) || fileName.contains(QLatin1Char('/'))) {
        return fileName;
    }
    const QString onPath = QStandardPaths::findExecutable(fileName);
    return onPath.isEmpty() ? fileName : onPath;
}

class DetachedLauncher : public ProgramLauncher
{
public:
    LaunchResult start(const LaunchRequest &request) override
    {
        const LaunchPlan plan = planLaunch(request);
        if (plan.refusal.code != 0) {
            return plan.refusal;
        }
        QProcess process;
        process.setProgram(plan.program);
        process.setArguments(plan.arguments);
        process.setWorkingDirectory(plan.directory);
        if (process.startDetached()) {
            return LaunchResult{LaunchResult::Started, QString()};
        }
        if (plan.document) {
            return failure(LaunchResult::NoAssociation,
                           QStringLiteral("無法開啟 %1: %2").arg(plan.arguments.value(0), process.errorString()));
        }
        return failure(LaunchResult::BadFormat,
                       QStringLiteral("無法執行 %1: %2").arg(plan.program, process.errorString()));
    }
};

} // namespace

LaunchPlan planLaunch(const LaunchRequest &request)
{
    LaunchPlan plan;
    if (request.fileName.isEmpty()) {
        plan.refusal = failure(LaunchResult::FileNotFound, QStringLiteral("沒有指定要執行的程式"));
        return plan;
    }
    if (!request.directory.isEmpty() && !QFileInfo(request.directory).isDir()) {
        plan.refusal = failure(LaunchResult::PathNotFound, QStringLiteral("找不到工作目錄 %1").arg(request.directory));
        return plan;
    }
    plan.directory = request.directory;
    const QFileInfo file(locate(request.fileName));
    if (!file.exists()) {
        plan.refusal = missingFileResult(file.filePath());
        return plan;
    }
    if (file.isFile() && file.isExecutable()) {
        plan.program = file.absoluteFilePath();
        plan.arguments = QProcess::splitCommand(request.parameter);
        return plan;
    }
    if (!file.isReadable()) {
        plan.refusal = failure(LaunchResult::AccessDenied, QStringLiteral("無權存取 %1").arg(file.filePath()));
        return plan;
    }
    plan.document = true;
    plan.program = QStringLiteral("xdg-open");
    plan.arguments = QStringList{file.absoluteFilePath()};
    return plan;
}

ProgramLauncher &ProgramLauncher::system()
{
    static DetachedLauncher launcher;
    return launcher;
}
