#include "labelqueue/LabelProgramLaunch.h"

#include "components/Big5.h"
#include "components/ProfileFile.h"
#include "components/ProgramStarter.h"

#include <QDir>
#include <QFileInfo>

QString storedLabelProgram(const QString &programDir, const LabelProgramIni &programIni)
{
    ProfileFile ini;
    ini.setFileName(programDir + QLatin1Char('/') + programIni.fileName);
    ini.setDataType(ProfileValueType::String);
    ini.setSection(programIni.section);
    ini.setIdent(QByteArrayLiteral("FN1"));
    return ini.readValue() ? Big5::decode(ini.value().toByteArray()) : QString();
}

LabelProgramLaunch launchLabelProgram(const QString &programDir, const LabelProgramIni &programIni,
                                      LabelProgramParameter parameter, ProgramLauncher &launcher)
{
    LabelProgramLaunch launch;
    launch.program = storedLabelProgram(programDir, programIni);
    if (launch.program.isEmpty()) {
        return launch;
    }
    // A relative name is looked for beside the program first, as the window's
    // note "[同本身程式目錄]" promises; otherwise the launcher looks in the
    // working directory, then on PATH.
    if (QDir::isRelativePath(launch.program)) {
        const QString besideProgram = QDir(programDir).filePath(launch.program);
        if (QFileInfo(besideProgram).isFile()) {
            launch.program = besideProgram;
        }
    }
    switch (parameter) {
    case LabelProgramParameter::None:
        break;
    case LabelProgramParameter::One:
        launch.parameter = QStringLiteral("1");
        break;
    case LabelProgramParameter::Two:
        launch.parameter = QStringLiteral("2");
        break;
    }
    ProgramStarter shell(launcher);
    if (shell.start(StartRequest{launch.program, launch.parameter})) {
        launch.outcome = LabelProgramLaunch::Outcome::Started;
    } else {
        launch.outcome = LabelProgramLaunch::Outcome::StartFailed;
        launch.error = shell.errorString();
    }
    return launch;
}

QString describe(const LabelProgramLaunch &launch)
{
    const QString withParameter =
        launch.parameter.isEmpty() ? launch.program : launch.program + QStringLiteral(" ") + launch.parameter;
    switch (launch.outcome) {
    case LabelProgramLaunch::Outcome::NotConfigured:
        return QStringLiteral("沒有設定外部條碼程式,未啟動");
    case LabelProgramLaunch::Outcome::Started:
        return QStringLiteral("已啟動外部條碼程式: ") + withParameter;
    case LabelProgramLaunch::Outcome::StartFailed:
        return QStringLiteral("外部條碼程式無法啟動: ") + withParameter + QStringLiteral(" (") + launch.error +
               QStringLiteral(")");
    }
    return QString();
}
