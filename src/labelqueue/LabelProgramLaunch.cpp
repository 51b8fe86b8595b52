#include "labelqueue/LabelProgramLaunch.h"

#include "components/Big5.h"
#include "components/TIni.h"
#include "components/TShell.h"

LabelProgramLaunch launchLabelProgram(const QString &iniPath, const QByteArray &section,
                                      LabelProgramParameter parameter, ProgramLauncher &launcher)
{
    LabelProgramLaunch launch;
    TIni ini;
    ini.setFileName(iniPath);
    ini.setDataType(DsString);
    ini.setSection(section);
    ini.setIdent(QByteArrayLiteral("FN1"));
    if (!ini.ReadValue() || ini.Value().toByteArray().isEmpty()) {
        return launch;
    }
    launch.program = Big5::decode(ini.Value().toByteArray());
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
    TShell shell(launcher);
    shell.setFileName(launch.program);
    shell.setParameter(launch.parameter);
    if (shell.Execute()) {
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
